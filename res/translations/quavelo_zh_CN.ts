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
        <source>TORVA Virtual Device</source>
        <translation>TORVA Virtual Device</translation>
    </message>
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
</context>
</TS>
