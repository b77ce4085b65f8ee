#pragma once

#include "pages/ControlPage.h"

namespace quavelo {

class ImageButton;
class LevelMeter;

// The TORVA control page (ControlPage). Its changes are sent at once on the user-interface
// thread. Beyond the shared sections it has the mono/stereo switch and the level meters: one
// meter of both channels in mono, one per channel in stereo.
class TorvaPage : public ControlPage {
    Q_OBJECT

  public:
    static constexpr int kIdMeterMono = 1002;
    static constexpr int kIdMeterLeft = 1003;
    static constexpr int kIdMeterRight = 1004;
    static constexpr int kIdStereoSwitch = 1017;

    // `context` must outlive the page. Creates every control at its place with its look and
    // first text (the captions in Chinese until OnInitDialog).
    explicit TorvaPage(PageContext& context, QWidget* parent = nullptr,
                       Clock clock = std::chrono::steady_clock::now);

    // The first channel on the left meter, the second on the right, their mean on the mono
    // meter (MeterPositionsOf).
    void ShowLevels(const LevelReading& reading) override;

  protected:
    void RefreshOwnControls() override;
    std::vector<QWidget*> OwnControls() const override;

  private:
    void ShowStereo(bool stereo);
    void OnStereoSwitch();

    ImageButton* stereoSwitch_ = nullptr;
    LevelMeter* meterMono_ = nullptr;
    LevelMeter* meterLeft_ = nullptr;
    LevelMeter* meterRight_ = nullptr;
};

}  // namespace quavelo
