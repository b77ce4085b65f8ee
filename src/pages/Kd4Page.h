#pragma once

#include "pages/ControlPage.h"

class QResizeEvent;

namespace quavelo {

class ImageButton;
class LevelMeter;
class SkinLabel;

// The KD4 control page (ControlPage). Its changes are sent as jobs on the send worker, slider
// and graph drags deferred, and button and list changes wait while a job is busy. Beyond the
// shared sections it has the status section: the lock, mic mute and indicator switches, the
// level meter, and the lock overlay over the whole page while the KD4 is locked.
class Kd4Page : public ControlPage {
    Q_OBJECT

  public:
    static constexpr int kIdLevelMeter = 1004;
    static constexpr int kIdIndicatorSwitch = 1017;
    static constexpr int kIdLockSwitch = 1100;
    static constexpr int kIdMuteSwitch = 1101;
    static constexpr int kIdLockOverlay = 1107;

    // `context` must outlive the page. `clock` times the deferred sends (the steady clock unless
    // a test gives its own). Creates every control at its place with its look.
    explicit Kd4Page(PageContext& context, QWidget* parent = nullptr,
                     Clock clock = std::chrono::steady_clock::now);

    // The input level (the reading's first value) on the level meter.
    void ShowLevels(const LevelReading& reading) override;

  protected:
    // The status switches, then the lock: the page's controls and its overlay.
    void RefreshOwnControls() override;
    std::vector<QWidget*> OwnControls() const override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateStatusControls();
    // Locked: the setting controls, Save and Read disabled under the overlay. The status
    // switches, the slot buttons and the preview stay usable.
    void ShowLock(bool locked);
    void OnLockSwitch();
    void OnMuteSwitch();
    void OnIndicatorSwitch();

    LevelMeter* levelMeter_ = nullptr;
    ImageButton* indicatorSwitch_ = nullptr;
    ImageButton* lockSwitch_ = nullptr;
    ImageButton* muteSwitch_ = nullptr;
    SkinLabel* lockOverlay_ = nullptr;
};

}  // namespace quavelo
