// The send jobs of the KD4 page. Each runs on the KD4 send worker, one at a time in the order
// started, after the worker's hand-shake with the level poller; a job is dropped when the device
// is no longer connected by the time it would run.

#include "device/ControlSends.h"
#include "pages/Kd4Page.h"
#include "pages/PageKit.h"

namespace quavelo {

namespace {

using Settle = Kd4SendWorker::Settle;

}  // namespace

void Kd4Page::StartJob(Send send, Settle settle, OnSendFailure onFailure) {
    DeviceCommands& commands = context_.commands;
    const DeviceParams& params = context_.params;
    Prompt& prompt = context_.prompt;
    context_.sendWorker.Start(
        [&commands, &params, &prompt, send = std::move(send), onFailure] {
            if (!send(commands, params) && onFailure == OnSendFailure::Report) {
                prompt.Info(kSendFailedMessage);
            }
        },
        settle);
}

void Kd4Page::StartSliderSend(int slider) {
    if (slider < 0 || slider > kSliderGain2) return;
    StartJob(
        [slider](DeviceCommands& commands, const DeviceParams& p) {
            switch (slider) {
                case kSliderMicGain:
                    return commands.SetMicGainKd4(p.micGain);
                case kSliderMix:
                    return SendMonitorMixKd4(commands, p);
                case kSliderGain2:
                    return commands.SetGain2Kd4(p.gain2);
                default:
                    return commands.SetSliderBandKd4(slider + 1);
            }
        },
        Settle::Pause20ms, OnSendFailure::Ignore);
}

void Kd4Page::StartGraphSend(int band) {
    if (band < 0 || band >= kEqBands) return;
    StartJob([band](DeviceCommands& commands,
                    const DeviceParams&) { return commands.SetGraphBandKd4(band + 1); },
             Settle::Pause20ms, OnSendFailure::Ignore);
}

void Kd4Page::StartHighPassSend() {
    StartJob([](DeviceCommands& commands,
                const DeviceParams& p) { return commands.SetHighPassKd4(p.hpfOn, p.hpfFreq); },
             Settle::Pause20ms, OnSendFailure::Ignore);
}

void Kd4Page::StartLimiterSend() {
    StartJob(
        [](DeviceCommands& commands, const DeviceParams& p) {
            return commands.SetLimiterKd4(p.limiterOn, p.limiterLevel);
        },
        Settle::Pause20ms, OnSendFailure::Ignore);
}

void Kd4Page::StartSwitchesSend() {
    StartJob(
        [](DeviceCommands& commands, const DeviceParams&) { return SendSwitchesKd4(commands); },
        Settle::None, OnSendFailure::Ignore);
}

void Kd4Page::StartViewSend() { StartJob(SendEqViewKd4, Settle::None, OnSendFailure::Ignore); }

void Kd4Page::StartEqSwitchSend() {
    StartJob(SendEqSwitchKd4, Settle::Pause20ms, OnSendFailure::Ignore);
}

void Kd4Page::StartResetSend() {
    StartJob(SendEqResetKd4, Settle::Pause20ms, OnSendFailure::Report);
}

void Kd4Page::StartRecallSend() {
    StartJob(SendPresetRecallKd4, Settle::Pause20ms, OnSendFailure::Report);
}

}  // namespace quavelo
