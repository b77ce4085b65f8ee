#pragma once

#include <chrono>

#include "pages/PageSender.h"

namespace quavelo {

// The sender of a page whose model is slow (the KD4): every group runs as a job on the send
// worker, never on the user-interface thread, one job at a time in the order started. While a
// job is queued or running (`commandBusy`) a button or list change is refused with "Please
// Wait"; slider and graph changes are not refused, their jobs wait in line.
//
// A slider drag is sent kSliderSendDelay after its last movement, a graph drag at most every
// kGraphSendInterval, both by the page timer's tick; a release, a key and a selection send at
// once. A value still waiting when another slider (or another band's handle) moves is sent
// first, so no change is lost.
class DeferredSender final : public PageSender {
  public:
    static constexpr std::chrono::milliseconds kSliderSendDelay{200};
    static constexpr std::chrono::milliseconds kGraphSendInterval{500};

    DeferredSender(PageContext& context, Clock clock);

    bool Busy() override;
    void Send(const PageSend& send) override;
    void SliderChanged(int slider, const PageSend& send, bool released) override;
    void GraphPoint(int band, const PageSend& send, bool dragStep) override;
    void GraphReset(int band, const PageSend& send) override;
    void Tick() override;

  private:
    // The last value of a slider or of a band's handle, and whether it still waits for the tick.
    struct Pending {
        int key = -1;
        PageSend send;
        bool due = false;
    };

    // Queues the job behind every job started before it. The job holds no reference to the page.
    void StartJob(const PageSend& send);

    Clock clock_;
    // When a deferred value was last sent, or a slider last moved.
    std::chrono::steady_clock::time_point lastSendTime_{};
    Pending slider_;
    Pending graph_;
};

}  // namespace quavelo
