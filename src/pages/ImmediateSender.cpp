#include "pages/ImmediateSender.h"

#include "device/Messages.h"

namespace quavelo {

void ImmediateSender::Send(const PageSend& send) {
    if (!Connected()) return;
    if (!send.group(context_.commands, context_.params) && send.reportsFailure) {
        context_.prompt.Info(message::kSendFailed);
    }
}

void ImmediateSender::SliderChanged(int, const PageSend& send, bool) { Send(send); }

void ImmediateSender::GraphPoint(int, const PageSend& send, bool dragStep) {
    if (!dragStep) dragSteps_ = 0;
    if (!Connected()) return;
    if (dragStep && ++dragSteps_ < kDragStepsPerSend) return;
    dragSteps_ = 0;
    Send(send);
}

void ImmediateSender::GraphReset(int, const PageSend& send) { Send(send); }

}  // namespace quavelo
