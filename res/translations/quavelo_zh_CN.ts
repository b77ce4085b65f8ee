<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>ControlPageTemplate</name>
    <message>
        <source>Limiter</source>
        <translation>限幅器</translation>
    </message>
    <message>
        <source>High-pass filter</source>
        <translation>高通滤波</translation>
    </message>
    <message>
        <source>Mic gain</source>
        <translation>话筒增益</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>单声道</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>立体声</translation>
    </message>
    <message>
        <source>Monitor mix</source>
        <translation>监听混音</translation>
    </message>
    <message>
        <source>Mic</source>
        <translation>话筒</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>回放</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Send failed</source>
        <translation>发送失败</translation>
    </message>
    <message>
        <source>Read para fail.</source>
        <translation>Read para fail.</translation>
    </message>
    <message>
        <source>Please Wait</source>
        <translation>Please Wait</translation>
    </message>
    <message>
        <source>No preset slot selected</source>
        <translation>没有选择保存序号</translation>
    </message>
    <message>
        <source>Replace the preset?</source>
        <translation>是否替换预设设置?</translation>
    </message>
    <message>
        <source>Recall the preset?</source>
        <translation>是否调用预设设置?</translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation>没有保存</translation>
    </message>
    <message>
        <source>Dont select the saving sequence number</source>
        <translation>Dont select the saving sequence number</translation>
    </message>
    <message>
        <source>Do you replace preset settings?</source>
        <translation>Do you replace preset settings?</translation>
    </message>
    <message>
        <source>Do you recall preset settings?</source>
        <translation>Do you recall preset settings?</translation>
    </message>
</context>
<context>
    <name>PageKit</name>
    <message>
        <source>Playback%1:Mic%2</source>
        <translation>回放%1:话筒%2</translation>
    </message>
</context>
<context>
    <name>quavelo::ControlPage</name>
    <message>
        <source>LOW</source>
        <translation>LOW</translation>
    </message>
    <message>
        <source>MID</source>
        <translation>MID</translation>
    </message>
    <message>
        <source>HIGH</source>
        <translation>HIGH</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>DRC</source>
        <translation>DRC</translation>
    </message>
    <message>
        <source>HighPass</source>
        <translation>HighPass</translation>
    </message>
    <message>
        <source>MIC Gain</source>
        <translation>MIC Gain</translation>
    </message>
    <message>
        <source>INDICATOR</source>
        <translation>INDICATOR</translation>
    </message>
    <message>
        <source>L+R</source>
        <translation>L+R</translation>
    </message>
    <message>
        <source>L</source>
        <translation>L</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>MIX Solo</source>
        <translation>MIX Solo</translation>
    </message>
    <message>
        <source>MIC</source>
        <translation>MIC</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Playback</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>GAIN</source>
        <translation>GAIN</translation>
    </message>
    <message>
        <source>Solo</source>
        <translation>Solo</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>COMPRESSOR</source>
        <translation>COMPRESSOR</translation>
    </message>
    <message>
        <source>HIGHPASS</source>
        <translation>HIGHPASS</translation>
    </message>
    <message>
        <source>MONITOR</source>
        <translation>MONITOR</translation>
    </message>
    <message>
        <source>LOCKED</source>
        <translation>LOCKED</translation>
    </message>
    <message>
        <source>MIC MUTE</source>
        <translation>MIC MUTE</translation>
    </message>
    <message>
        <source>SOLO MIX</source>
        <translation>SOLO MIX</translation>
    </message>
    <message>
        <source>PLAYBACK</source>
        <translation>PLAYBACK</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>SIGNAL</source>
        <translation>SIGNAL</translation>
    </message>
    <message>
        <source>PHONE</source>
        <translation>PHONE</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <source>Equaliser graph</source>
        <translation>均衡器曲线图</translation>
    </message>
    <message>
        <source>Equaliser band %1, %2</source>
        <translation>均衡器频段 %1，%2</translation>
    </message>
    <message>
        <source>Equaliser</source>
        <translation>均衡器</translation>
    </message>
    <message>
        <source>Band sliders (PEQ)</source>
        <translation>频段推子 (PEQ)</translation>
    </message>
    <message>
        <source>Response graph (GEQ)</source>
        <translation>响应曲线 (GEQ)</translation>
    </message>
    <message>
        <source>Reset equaliser</source>
        <translation>复位均衡器</translation>
    </message>
    <message>
        <source>Preset slot %1</source>
        <translation>预设位置 %1</translation>
    </message>
    <message>
        <source>Save preset</source>
        <translation>保存预设</translation>
    </message>
    <message>
        <source>Read preset</source>
        <translation>调用预设</translation>
    </message>
    <message>
        <source>Limiter (DRC)</source>
        <translation>限幅器 (DRC)</translation>
    </message>
    <message>
        <source>Limiter level</source>
        <translation>限幅级别</translation>
    </message>
    <message>
        <source>High-pass filter</source>
        <translation>高通滤波</translation>
    </message>
    <message>
        <source>High-pass corner</source>
        <translation>高通截止频率</translation>
    </message>
    <message>
        <source>Microphone gain left</source>
        <translation>左声道话筒增益</translation>
    </message>
    <message>
        <source>Microphone gain right</source>
        <translation>右声道话筒增益</translation>
    </message>
    <message>
        <source>Microphone gain</source>
        <translation>话筒增益</translation>
    </message>
    <message>
        <source>Monitor level</source>
        <translation>监听音量</translation>
    </message>
    <message>
        <source>Monitor mix</source>
        <translation>监听混音</translation>
    </message>
    <message>
        <source>Playback %1 dB, microphone %2 dB</source>
        <translation>回放 %1 dB，话筒 %2 dB</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>话筒</translation>
    </message>
</context>
<context>
    <name>quavelo::EqEditor</name>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>PEQ</source>
        <translation>PEQ</translation>
    </message>
    <message>
        <source>GEQ</source>
        <translation>GEQ</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>quavelo::Kd4Page</name>
    <message>
        <source>Level</source>
        <translation>电平</translation>
    </message>
    <message>
        <source>Indicator</source>
        <translation>指示灯</translation>
    </message>
    <message>
        <source>Panel lock</source>
        <translation>面板锁定</translation>
    </message>
    <message>
        <source>Microphone mute</source>
        <translation>话筒静音</translation>
    </message>
</context>
<context>
    <name>quavelo::LevelMeter</name>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
</context>
<context>
    <name>quavelo::MainWindow</name>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>Return</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>连接</translation>
    </message>
</context>
<context>
    <name>quavelo::ResponseGraph</name>
    <message>
        <source>Digits, Page Up and Page Down choose a band; the arrow keys move it, with Shift ten times as far</source>
        <translation>数字键、Page Up 和 Page Down 选择频段；方向键移动它，按住 Shift 移动十倍距离</translation>
    </message>
    <message>
        <source>No band selected</source>
        <translation>未选择频段</translation>
    </message>
    <message>
        <source>Band %1: %2 Hz, %3 dB</source>
        <translation>频段 %1：%2 Hz，%3 dB</translation>
    </message>
</context>
<context>
    <name>quavelo::SettingsPage</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>quavelo::SimulatedDeviceWindow</name>
    <message>
        <source>Simulated device</source>
        <translation>Simulated device</translation>
    </message>
    <message>
        <source>Reports received</source>
        <translation>Reports received</translation>
    </message>
    <message>
        <source>Gain −</source>
        <translation>Gain −</translation>
    </message>
    <message>
        <source>Gain +</source>
        <translation>Gain +</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>Plugged in</source>
        <translation>Plugged in</translation>
    </message>
    <message>
        <source>Unplugged</source>
        <translation>Unplugged</translation>
    </message>
    <message>
        <source>Unplug</source>
        <translation>Unplug</translation>
    </message>
    <message>
        <source>Replug</source>
        <translation>Replug</translation>
    </message>
</context>
<context>
    <name>quavelo::StartScreen</name>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>TORVA Virtual Device Phone Converter</source>
        <translation>TORVA Virtual Device Phone Converter</translation>
    </message>
    <message>
        <source>KD4 Virtual Device Phone Converter</source>
        <translation>KD4 Virtual Device Phone Converter</translation>
    </message>
    <message>
        <source>Choose your converter, then press Start</source>
        <translation>Choose your converter, then press Start</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
</context>
<context>
    <name>quavelo::TorvaPage</name>
    <message>
        <source>Stereo</source>
        <translation>立体声</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>电平</translation>
    </message>
    <message>
        <source>Level left</source>
        <translation>左声道电平</translation>
    </message>
    <message>
        <source>Level right</source>
        <translation>右声道电平</translation>
    </message>
</context>
</TS>
