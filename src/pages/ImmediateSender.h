#pragma once

#include "pages/PageSender.h"

namespace quavelo {

// The sender of a page whose model takes its reports as they come (the TORVA): every group is
// sent at once on the user-interface thread, and the waits inside the groups block it. Nothing
// is ever busy. A graph drag sends its band once per kDragStepsPerSend steps, so the link is
// not flooded; the selection and the release (not drag steps) always send.
class ImmediateSender final : public PageSender {
  public:
    static constexpr int kDragStepsPerSend = 101;

    explicit ImmediateSender(PageContext& context) : PageSender(context) {}

    bool Busy() override { return false; }
    void Send(const PageSend& send) override;
    void SliderChanged(int slider, const PageSend& send, bool released) override;
    void GraphPoint(int band, const PageSend& send, bool dragStep) override;
    void GraphReset(int band, const PageSend& send) override;
    void Tick() override {}

  private:
    int dragSteps_ = 0;
};

}  // namespace quavelo
