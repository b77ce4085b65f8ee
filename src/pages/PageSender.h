#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "device/DeviceCommands.h"
#include "device/DeviceParams.h"
#include "device/ModelProfile.h"
#include "device/SendWorker.h"
#include "pages/PageContext.h"

namespace quavelo {

// One report group a control sends. The group reads the model when it runs, so it sends the
// values current then.
struct PageSend {
    std::function<bool(DeviceCommands&, const DeviceParams&)> group;
    // Whether a send job settles 20 ms before it sends (only where sends run on the send worker).
    SendWorker::Settle settle = SendWorker::Settle::Pause20ms;
    // A failed group is reported with "Send failed", once: a group stops at its first failure.
    bool reportsFailure = false;
};

// How a control page's changes reach the device. The page stores every change into the model
// and shows it first, then hands the control's group to its sender. Nothing is sent while the
// device is not connected. User-interface thread only.
class PageSender {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // The sender of a model whose pages send as `sends` says. `clock` times deferred sends.
    static std::unique_ptr<PageSender> Make(PageSends sends, PageContext& context, Clock clock);

    virtual ~PageSender() = default;
    PageSender(const PageSender&) = delete;
    PageSender& operator=(const PageSender&) = delete;

    // Asked before a button or list change is taken: true when the change must not be taken
    // now, after the user was told "Please Wait".
    virtual bool Busy() = 0;
    // A button's or a list's group, sent at once.
    virtual void Send(const PageSend& send) = 0;
    // A slider moved (`released` false) or was released or set with a key; `slider` is its
    // control id.
    virtual void SliderChanged(int slider, const PageSend& send, bool released) = 0;
    // A graph handle of `band` was dragged one step (`dragStep`), or selected or released.
    virtual void GraphPoint(int band, const PageSend& send, bool dragStep) = 0;
    // A graph handle of `band` was reset with a double-click.
    virtual void GraphReset(int band, const PageSend& send) = 0;
    // The page timer's tick, every 20 ms: sends what is due.
    virtual void Tick() = 0;

  protected:
    // `context` must outlive the sender.
    explicit PageSender(PageContext& context) : context_(context) {}
    bool Connected() const { return context_.params.connected == 1; }

    PageContext& context_;
};

}  // namespace quavelo
