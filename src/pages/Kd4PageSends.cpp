// The send jobs of the KD4 page. Each runs on the KD4 send worker, one at a time in the order
// started, after the worker's hand-shake with the level poller; a job is dropped when the device
// is no longer connected by the time it would run.

#include "device/ControlSends.h"
#include "device/Messages.h"
#include "pages/Kd4Page.h"
#include "pages/PageKit.h"

namespace quavelo {

namespace {

using Settle = SendWorker::Settle;

}  // namespace

void Kd4Page::StartJob(Send send, Settle settle, OnSendFailure onFailure) {
    DeviceCommands& commands = context_.commands;
    const DeviceParams& params = context_.params;
    Prompt& prompt = context_.prompt;
    context_.sendWorker.Start(
        [&commands, &params, &prompt, send = std::move(send), onFailure] {
            if (!send(commands, params) && onFailure == OnSendFailure::Report) {
                prompt.Info(message::kSendFailed);
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
                    return commands.SetMicGain();
                case kSliderMix:
                    return SendMonitorMix(commands, p);
                case kSliderGain2:
                    return commands.SetGain2();
                default:
                    return commands.SetBand(BandSet::Slider, slider + 1);
            }
        },
        Settle::Pause20ms, OnSendFailure::Ignore);
}

void Kd4Page::StartGraphSend(int band) {
    if (band < 0 || band >= kEqBands) return;
    StartJob([band](DeviceCommands& commands,
                    const DeviceParams&) { return commands.SetBand(BandSet::Graph, band + 1); },
             Settle::Pause20ms, OnSendFailure::Ignore);
}

void Kd4Page::StartHighPassSend() {
    StartJob([](DeviceCommands& commands, const DeviceParams&) { return commands.SetHighPass(); },
             Settle::Pause20ms, OnSendFailure::Ignore);
}

void Kd4Page::StartLimiterSend() {
    StartJob([](DeviceCommands& commands, const DeviceParams&) { return commands.SetLimiter(); },
             Settle::Pause20ms, OnSendFailure::Ignore);
}

void Kd4Page::StartSwitchesSend() {
    StartJob(
        [](DeviceCommands& commands, const DeviceParams&) { return SendStatusSwitches(commands); },
        Settle::None, OnSendFailure::Ignore);
}

void Kd4Page::StartViewSend() { StartJob(SendEqView, Settle::None, OnSendFailure::Ignore); }

void Kd4Page::StartEqSwitchSend() {
    StartJob(SendEqSwitch, Settle::Pause20ms, OnSendFailure::Ignore);
}

void Kd4Page::StartResetSend() { StartJob(SendEqReset, Settle::Pause20ms, OnSendFailure::Report); }

void Kd4Page::StartRecallSend() {
    StartJob(
        [](DeviceCommands& commands, const DeviceParams&) { return SendPresetRecall(commands); },
        Settle::Pause20ms, OnSendFailure::Report);
}

}  // namespace quavelo
