#include "vm/CountingBackend.h"

namespace quavelo {

namespace {

class CountedDevice final : public HidDevice {
  public:
    CountedDevice(std::unique_ptr<HidDevice> device, std::shared_ptr<std::atomic<int>> live)
        : device_(std::move(device)), live_(std::move(live)) {
        ++*live_;
    }
    ~CountedDevice() override { --*live_; }

    bool Write(std::span<const std::uint8_t> report) override { return device_->Write(report); }
    ReadResult Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) override {
        return device_->Read(buffer, timeout);
    }
    void RequestStop() override { device_->RequestStop(); }

  private:
    const std::unique_ptr<HidDevice> device_;
    const std::shared_ptr<std::atomic<int>> live_;
};

}  // namespace

std::unique_ptr<HidDevice> CountingBackend::Open(const std::string& path, std::string& error) {
    std::unique_ptr<HidDevice> device = hidraw_.Open(path, error);
    if (!device) {
        return nullptr;
    }
    return std::make_unique<CountedDevice>(std::move(device), live_);
}

}  // namespace quavelo
