#include "pages/DeferredSender.h"

#include <utility>

#include "device/Messages.h"

namespace quavelo {

DeferredSender::DeferredSender(PageContext& context, Clock clock)
    : PageSender(context), clock_(std::move(clock)) {}

bool DeferredSender::Busy() {
    if (context_.params.commandBusy == 0) return false;
    context_.prompt.Info(message::kPleaseWait);
    return true;
}

void DeferredSender::Send(const PageSend& send) {
    if (Connected()) StartJob(send);
}

void DeferredSender::SliderChanged(int slider, const PageSend& send, bool released) {
    if (!Connected()) return;
    if (slider_.due && slider_.key != slider) StartJob(slider_.send);
    slider_.key = slider;
    slider_.send = send;
    slider_.due = !released;
    if (released) {
        StartJob(send);
    } else {
        lastSendTime_ = clock_();
    }
}

void DeferredSender::GraphPoint(int band, const PageSend& send, bool dragStep) {
    if (!dragStep) graph_.due = false;
    if (!Connected()) return;
    if (graph_.due && graph_.key != band) StartJob(graph_.send);
    graph_.key = band;
    graph_.send = send;
    // A drag step waits for the tick; the selection, or the release that ends a drag, goes now.
    graph_.due = dragStep;
    if (!dragStep) StartJob(send);
}

void DeferredSender::GraphReset(int band, const PageSend& send) {
    if (!Connected()) return;
    graph_.key = band;
    graph_.send = send;
    graph_.due = false;
    StartJob(send);
}

void DeferredSender::Tick() {
    if (slider_.due && clock_() - lastSendTime_ >= kSliderSendDelay) {
        StartJob(slider_.send);
        slider_.due = false;
        lastSendTime_ = clock_();
    }
    if (graph_.due && clock_() - lastSendTime_ >= kGraphSendInterval) {
        StartJob(graph_.send);
        graph_.due = false;
        lastSendTime_ = clock_();
    }
}

void DeferredSender::StartJob(const PageSend& send) {
    DeviceCommands& commands = context_.commands;
    const DeviceParams& params = context_.params;
    Prompt& prompt = context_.prompt;
    context_.sendWorker.Start(
        [&commands, &params, &prompt, send] {
            if (!send.group(commands, params) && send.reportsFailure) {
                prompt.Info(message::kSendFailed);
            }
        },
        send.settle);
}

}  // namespace quavelo
