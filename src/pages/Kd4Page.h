#pragma once

#include <QWidget>

#include <array>
#include <chrono>
#include <functional>

#include "device/SendWorker.h"
#include "pages/EqEditor.h"
#include "pages/PageContext.h"
#include "pages/PresetKit.h"

class QTimer;

namespace quavelo {

class ImageSlider;
class DropDownButton;
class LevelMeter;
class SkinLabel;
class ImageButton;

// The KD4 control page, shown by the main window while the KD4 is in use. It shows every KD4
// setting of the parameter model, writes each change into the model at once and, while
// connected, sends it as a send job on the KD4 send worker, never on the user-interface thread.
// Slider drags are sent 200 ms after their last movement and graph drags at most every 500 ms,
// by the page's own 20 ms timer; a release always sends at once.
//
// Sections: the processing controls in the lower half (limiter, high-pass, both gains, the
// monitor mix; Kd4PageProcessing.cpp), the equaliser editor in the upper left (EqEditor;
// Kd4PageEqualiser.cpp), the preset store and its preview table in the upper right
// (Kd4PagePresets.cpp), the status switches, the lock and the level meter (Kd4PageStatus.cpp) and
// the send jobs (Kd4PageSends.cpp).
class Kd4Page : public QWidget {
    Q_OBJECT

  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr int kIdLevelMeter = 1004;
    static constexpr int kIdLimiterCaption = 1008;
    static constexpr int kIdLimiterSwitch = 1015;
    static constexpr int kIdHighPassSwitch = 1016;
    static constexpr int kIdIndicatorSwitch = 1017;
    static constexpr int kIdLimiterList = 1018;
    static constexpr int kIdHighPassList = 1019;
    // The choice ids the two drop-downs report with.
    static constexpr int kChoiceLimiterLevel = 1020;
    static constexpr int kChoiceHighPassCorner = 1021;
    static constexpr int kIdMicGainSlider = 1028;
    static constexpr int kIdMixSlider = 1029;
    static constexpr int kIdHighPassCaption = 1044;
    static constexpr int kIdMicGainValue = 1046;
    static constexpr int kIdIndicatorCaption = 1047;
    static constexpr int kIdMixCaption = 1052;
    static constexpr int kIdMicIcon = 1055;
    static constexpr int kIdPlaybackIcon = 1056;
    static constexpr int kIdPresetCaption = 1057;
    static constexpr int kIdMixReadout = 1094;
    static constexpr int kIdGain2Slider = 1096;
    static constexpr int kIdGainCaption = 1097;
    static constexpr int kIdSoloCaption = 1098;
    static constexpr int kIdGain2Value = 1099;
    static constexpr int kIdLockSwitch = 1100;
    static constexpr int kIdMuteSwitch = 1101;
    static constexpr int kIdLockOverlay = 1107;
    static constexpr int kSectionLabels = 17;
    // The preview table: labels [0]..[30], ids 1068..1093 then 1102..1106.
    static constexpr int kPreviewLabels = 31;
    // The slider index of the send jobs: band sliders 0..4, then these.
    static constexpr int kSliderMicGain = 5;
    static constexpr int kSliderMix = 6;
    static constexpr int kSliderGain2 = 7;
    static constexpr int kNoSlider = -1;
    // Quiet time after a slider's last movement before its value is sent, and the least time
    // between two sends of a graph drag.
    static constexpr std::chrono::milliseconds kSliderSendDelay{200};
    static constexpr std::chrono::milliseconds kGraphSendInterval{500};
    static constexpr std::chrono::milliseconds kTimerPeriod{20};

    // `context` must outlive the page. `clock` times the deferred sends (the steady clock unless
    // a test gives its own). Creates every control at its place with its look.
    explicit Kd4Page(PageContext& context, QWidget* parent = nullptr,
                     Clock clock = std::chrono::steady_clock::now);

    // Builds the page once, after construction: sets up the response graph, the English captions
    // and the preview captions, brings the page into line with the model and starts the 20 ms
    // timer. Returns true.
    bool OnInitDialog();
    // Brings every control into line with the parameter model, the lock last.
    void RefreshFromParams();
    // Enables (true) or disables the processing controls. Enabling gives each its own state back:
    // a level list only while its switch is on, the editor in use only while the equaliser is on.
    // The status switches, the slot buttons and the preview are never touched.
    void ApplyLockState(bool enable);
    // The slider editor (0) or the response graph (1).
    void ShowEqEditor(int mode);
    // Hands `graphBands` to the response graph as its band inputs.
    void LoadGraphPoints();

    // The preset slot picked last, 0..9, or kNoSlot before the first pick.
    int SelectedSlot() const { return selectedSlot_; }
    // Whether a slider or graph value waits for the timer.
    bool SliderSendDue() const { return sliderSendDue_; }
    bool GraphSendDue() const { return graphSendDue_; }

  public slots:
    // The input level, 0..100, from the main window's timer.
    void SetLevelMeter(int position);
    // The page timer's tick, every 20 ms: starts the deferred slider and graph sends that are due.
    void OnTimer();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Construction, in the page's creation order.
    void CreateProcessingControls();
    void CreatePresetControls();
    void CreateStatusControls();
    void ConnectControls();
    void SetupLabels();

    // "Please Wait" when a send job is queued or running; true when the handler must stop.
    bool Busy();
    bool Connected() const;

    // Processing section.
    void RefreshProcessing();
    void OnLimiterSwitch();
    void OnHighPassSwitch();
    void OnListChoice(int choiceId);
    // Both slider messages of every slider of the page; `released` for the release or a key.
    void OnSliderMessage(int controlId, bool released);
    // Stores the slider's position into the model and shows it. The slider index, or kNoSlider.
    int TakeSlider(int controlId);

    // Equaliser section.
    void OnGraphPointChanged(int band);
    void OnGraphPointReset(int band);
    void OnViewButton(int mode);
    void OnEqSwitch();
    void OnReset();

    // Presets.
    void OnSlotButton(int slot);
    void OnSave();
    void OnRead();
    void ShowPresetPreview();
    SkinLabel* PreviewLabel(int index) const { return previewLabels_[index]; }

    // Status switches and the lock.
    void RefreshStatus();
    void OnLockSwitch();
    void OnMuteSwitch();
    void OnIndicatorSwitch();
    void ShowLockOverlay(bool locked);

    // The send jobs, each queued on the send worker behind every job started before it. A job
    // holds no reference to the page; it reads the model when it runs, so it sends the values
    // current then. The slider and graph jobs take their slider or band when they are started.
    void StartSliderSend(int slider);
    void StartGraphSend(int band);
    void StartHighPassSend();
    void StartLimiterSend();
    void StartSwitchesSend();
    void StartViewSend();
    void StartEqSwitchSend();
    void StartResetSend();
    void StartRecallSend();
    using Send = std::function<bool(DeviceCommands&, const DeviceParams&)>;
    enum class OnSendFailure { Ignore, Report };
    // Reported failures show "发送失败" once; the job has stopped at the failed command.
    void StartJob(Send send, SendWorker::Settle settle, OnSendFailure onFailure);

    SkinLabel* SectionLabel(int id) const;

    PageContext& context_;
    Clock clock_;
    QTimer* timer_;

    // Deferred sends (user-interface thread only). The slider and graph jobs take the index
    // current when they are started.
    std::chrono::steady_clock::time_point lastSendTime_{};
    bool graphSendDue_ = false;
    int pendingGraphBand_ = 0;
    int pendingSlider_ = kNoSlider;
    bool sliderSendDue_ = false;
    int selectedSlot_ = kNoSlot;

    EqEditor eq_;
    std::array<SkinLabel*, kSectionLabels> sectionLabels_{};
    std::array<SkinLabel*, kPreviewLabels> previewLabels_{};
    SlotButtons slotButtons_{};
    ImageSlider* micGainSlider_ = nullptr;
    ImageSlider* mixSlider_ = nullptr;
    ImageSlider* gain2Slider_ = nullptr;
    LevelMeter* levelMeter_ = nullptr;
    ImageButton* limiterSwitch_ = nullptr;
    ImageButton* highPassSwitch_ = nullptr;
    ImageButton* indicatorSwitch_ = nullptr;
    DropDownButton* limiterList_ = nullptr;
    DropDownButton* highPassList_ = nullptr;
    ImageButton* saveButton_ = nullptr;
    ImageButton* readButton_ = nullptr;
    ImageButton* micIcon_ = nullptr;
    ImageButton* playbackIcon_ = nullptr;
    ImageButton* lockSwitch_ = nullptr;
    ImageButton* muteSwitch_ = nullptr;
    SkinLabel* lockOverlay_ = nullptr;
};

}  // namespace quavelo
