#pragma once

#include <QWidget>

#include <array>

#include "pages/EqEditor.h"
#include "pages/PageContext.h"
#include "pages/PresetKit.h"

namespace quavelo {

class ImageSlider;
class DropDownButton;
class LevelMeter;
class SkinLabel;
class ImageButton;

// The TORVA control page, shown by the main window while the TORVA is in use. It shows every
// TORVA setting of the parameter model, writes each change into the model at once and, while
// connected, sends the matching commands on the user-interface thread (the waits inside the
// report groups block it, as they always did).
//
// Sections: the processing controls in the lower half (limiter, high-pass, mono/stereo, both
// microphone gains, the monitor mix, the level meters; TorvaPageProcessing.cpp), the equaliser
// editor in the upper left (EqEditor; TorvaPageEqualiser.cpp) and the preset store in the
// upper right (TorvaPagePresets.cpp).
class TorvaPage : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kIdMeterMono = 1002;
    static constexpr int kIdMeterLeft = 1003;
    static constexpr int kIdMeterRight = 1004;
    static constexpr int kIdLimiterCaption = 1008;
    static constexpr int kIdLimiterSwitch = 1015;
    static constexpr int kIdHighPassSwitch = 1016;
    static constexpr int kIdStereoSwitch = 1017;
    static constexpr int kIdLimiterList = 1018;
    static constexpr int kIdHighPassList = 1019;
    // The choice ids the two drop-downs report with.
    static constexpr int kChoiceLimiterLevel = 1020;
    static constexpr int kChoiceHighPassCorner = 1021;
    static constexpr int kIdMicGainSlider = 1028;
    static constexpr int kIdMixSlider = 1029;
    static constexpr int kIdHighPassCaption = 1044;
    static constexpr int kIdMicGainCaption = 1045;
    static constexpr int kIdMicGainValue = 1046;
    static constexpr int kIdMonoCaption = 1047;
    static constexpr int kIdStereoCaption = 1048;
    static constexpr int kIdMeterMonoCaption = 1049;
    static constexpr int kIdMeterLeftCaption = 1050;
    static constexpr int kIdMeterRightCaption = 1051;
    static constexpr int kIdMixCaption = 1052;
    static constexpr int kIdMixMicCaption = 1053;
    static constexpr int kIdMixPlaybackCaption = 1054;
    static constexpr int kIdMicIcon = 1055;
    static constexpr int kIdPlaybackIcon = 1056;
    static constexpr int kIdPresetCaption = 1057;
    static constexpr int kIdFirstPreviewLabel = 1068;  // 1068..1093
    static constexpr int kIdMixReadout = 1094;
    static constexpr int kIdGain2Slider = 1096;
    static constexpr int kIdGainLCaption = 1097;
    static constexpr int kIdGainRCaption = 1098;
    static constexpr int kIdGain2Value = 1099;
    static constexpr int kSectionLabels = 17;
    static constexpr int kPreviewLabels = 26;
    // A graph drag sends its band once per this many steps, and always at the release.
    static constexpr int kDragStepsPerSend = 101;

    // `context` must outlive the page. Creates every control at its place with its look and
    // first text.
    explicit TorvaPage(PageContext& context, QWidget* parent = nullptr);

    // Builds the page once, after construction: sets up the response graph, shows the slider
    // view, brings the page into line with the model and sets the English captions. Returns true.
    bool OnInitDialog();
    // Brings every control into line with the parameter model.
    void RefreshFromParams();

    // The preset slot picked last, 0..9, or kNoSlot before the first pick.
    int SelectedSlot() const { return selectedSlot_; }

  public slots:
    // The TORVA level poller's readings, 0..100: the first channel (left meter), the second
    // (right meter) and their mean (mono meter). Called on the user-interface thread.
    void SetLevelMeters(int first, int second, int mean);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // Construction of each section's controls, in the page's creation order.
    void CreateProcessingControls();
    void CreatePresetControls();
    void ConnectControls();
    void SetEnglishCaptions();

    // Processing section.
    void ShowStereo(bool stereo);
    void RefreshProcessing();
    void OnLimiterSwitch();
    void OnHighPassSwitch();
    void OnStereoSwitch();
    void OnListChoice(int choiceId, int index);
    // Both slider messages (moving and released) of every slider of the page.
    void OnSliderMessage(int controlId);

    // Equaliser section.
    void OnGraphPoint(int band);
    void OnGraphDoubleClick(int band);
    void OnViewButton(int mode);
    void OnEqSwitch();
    void OnReset();

    // Preset section.
    void OnSlotButton(int slot);
    void OnSave();
    void OnRead();
    void ShowPresetPreview();
    SkinLabel* PreviewLabel(int id) const;
    SkinLabel* SectionLabel(int id) const;

    bool Connected() const;

    PageContext& context_;
    int dragMessageCount_ = 0;
    int selectedSlot_ = kNoSlot;

    EqEditor eq_;
    std::array<SkinLabel*, kSectionLabels> sectionLabels_{};
    std::array<SkinLabel*, kPreviewLabels> previewLabels_{};
    SlotButtons slotButtons_{};
    ImageSlider* micGainSlider_ = nullptr;
    ImageSlider* mixSlider_ = nullptr;
    ImageSlider* gain2Slider_ = nullptr;
    ImageButton* limiterSwitch_ = nullptr;
    ImageButton* highPassSwitch_ = nullptr;
    ImageButton* stereoSwitch_ = nullptr;
    DropDownButton* limiterList_ = nullptr;
    DropDownButton* highPassList_ = nullptr;
    ImageButton* saveButton_ = nullptr;
    ImageButton* readButton_ = nullptr;
    LevelMeter* meterMono_ = nullptr;
    LevelMeter* meterLeft_ = nullptr;
    LevelMeter* meterRight_ = nullptr;
    ImageButton* micIcon_ = nullptr;
    ImageButton* playbackIcon_ = nullptr;
};

}  // namespace quavelo
