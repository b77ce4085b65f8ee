#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <array>
#include <chrono>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "device/ModelProfile.h"
#include "device/ValueDisplay.h"
#include "pages/EqEditor.h"
#include "pages/PageContext.h"
#include "pages/PageKit.h"
#include "pages/PageSender.h"
#include "pages/PresetKit.h"
#include "widgets/SkinLabel.h"

class QTimer;

namespace quavelo {

class DropDownButton;
class ImageButton;
class ImageSlider;

// A model's control page, shown by the main window while that model is in use. It shows every
// setting the model has, writes each change into the parameter model at once and, while
// connected, hands the control's report group to the model's sender (PageSender: at once on the
// user-interface thread, or as deferred jobs on the send worker). Each control has a handler of
// its own.
//
// Sections every page has: the processing controls in the lower half (limiter and high-pass
// with their level lists, the microphone gain, gain2, the monitor mix; ControlPageProcessing.cpp),
// the equaliser editor in the upper left (EqEditor; ControlPageEqualiser.cpp) and the preset
// store with its preview panel in the upper right (ControlPagePresets.cpp). A page adds its
// model's own controls and gives the places and captions of its labels.
//
// Tab walks the page section by section in reading order: the equaliser (the band sliders or the
// graph, then EQ, PEQ, GEQ, Reset), the preset store (the ten slots, Save, Read), the processing
// controls (limiter, high-pass, the page's own switches) and the gains and the mix. Every
// control carries an accessible name, and the sliders read their values as the page's readouts
// show them.
class ControlPage : public QWidget {
    Q_OBJECT

  public:
    using Clock = PageSender::Clock;

    static constexpr int kIdLimiterCaption = 1008;
    static constexpr int kIdLimiterSwitch = 1015;
    static constexpr int kIdHighPassSwitch = 1016;
    static constexpr int kIdLimiterList = 1018;
    static constexpr int kIdHighPassList = 1019;
    // The choice ids the two drop-downs report with.
    static constexpr int kChoiceLimiterLevel = 1020;
    static constexpr int kChoiceHighPassCorner = 1021;
    static constexpr int kIdMicGainSlider = 1028;
    static constexpr int kIdMixSlider = 1029;
    static constexpr int kIdHighPassCaption = 1044;
    static constexpr int kIdMicGainValue = 1046;
    static constexpr int kIdMixCaption = 1052;
    static constexpr int kIdMicIcon = 1055;
    static constexpr int kIdPlaybackIcon = 1056;
    static constexpr int kIdPresetCaption = 1057;
    static constexpr int kIdMixReadout = 1094;
    static constexpr int kIdGain2Slider = 1096;
    static constexpr int kIdGain2Value = 1099;
    static constexpr std::chrono::milliseconds kTimerPeriod{20};

    // A label of the page: id, place, the text it is made with, the caption the set-up writes
    // (none for value read-outs), whether it is shown, and its alignment (SkinLabel). Both texts
    // are shown in the user's language: the first is looked up in kTemplateContext, the caption
    // in this class's context (mark them with QT_TRANSLATE_NOOP).
    static constexpr const char* kTemplateContext = "ControlPageTemplate";
    struct LabelEntry {
        int id;
        QRect place;
        const char* first;
        const char* caption;
        bool shown = true;
        int alignment = SkinLabel::kNear;
    };
    // The preview panel: its labels, the value label of each preview row of the model
    // (ModelProfile::previewRows; 0 where a row shows no value) and the frequency and gain
    // labels of the five band rows.
    struct PreviewLayout {
        std::vector<LabelEntry> labels;
        std::vector<int> rowValues;
        std::array<std::pair<int, int>, kEqBands> bands;
    };

    // Builds the page once, after construction: sets up the response graph (slider view
    // shown), writes the captions, brings the page into line with the model and, where sends
    // are deferred, starts the page timer. Returns true.
    bool OnInitDialog();
    // Brings every control into line with the parameter model.
    void RefreshFromParams();

    // Gives the focus to the first control of the Tab order that can take it.
    void FocusFirstControl();

    // One reading of the model's level poller, shown on the page's meters. User-interface
    // thread only.
    virtual void ShowLevels(const LevelReading& reading) = 0;

  public slots:
    // The page timer's tick, every 20 ms while sends are deferred: starts the sends that are due.
    void OnTimer();

  protected:
    // `context` must outlive the page; `clock` times deferred sends. Creates the equaliser
    // editor, the section labels of `sectionLabels` and the limiter and high-pass controls. The
    // page then adds the rest in its own order: its own controls, CreateGainControls and
    // CreatePresetControls.
    ControlPage(PageContext& context, Model model, std::span<const LabelEntry> sectionLabels,
                Clock clock, QWidget* parent);

    // The microphone gain and gain2 sliders at their places, the mix slider and its icons.
    void CreateGainControls(QPoint micGainAt, QPoint gain2At);
    // The slot buttons, Save, Read and the preview panel.
    void CreatePresetControls(const PreviewLayout& preview);

    // The page's own part of RefreshFromParams, after the shared sections.
    virtual void RefreshOwnControls() {}
    // The page's own controls that take the focus, in reading order; Tab reaches them after the
    // high-pass filter.
    virtual std::vector<QWidget*> OwnControls() const { return {}; }
    // Enables (true) or disables the controls that change settings, Save and Read. Enabling
    // gives each its own state back: a level list only while its switch is on, the editor in
    // use only while the equaliser is on.
    void EnableSettingControls(bool enable);

    // The page's background; a page may draw more over it.
    void paintEvent(QPaintEvent* event) override;

    // A label made from the section or preview table, or nullptr.
    SkinLabel* Label(int id) const;
    DeviceParams& Params() const { return context_.params; }
    // The sender's questions and sends (PageSender).
    bool Busy() { return sender_->Busy(); }
    void Send(const PageSend& send) { sender_->Send(send); }

  private:
    void MakeLabels(std::span<const LabelEntry> entries, LabelLook look);
    void ConnectEqualiser();
    void SetCaptions();
    // The Tab order, the accessible names and the sliders' value texts.
    void SetUpKeyboardAndNames();
    void RefreshProcessing();
    void ShowGain2(std::int32_t gain2);

    // Processing section.
    void OnLimiterSwitch();
    void OnHighPassSwitch();
    // A filter's switch: its list usable while it is on, stored with `store`, sent with `send`.
    void TakeFilterSwitch(ImageButton* sw, DropDownButton* list, void (*store)(DeviceParams&, int),
                          const PageSend& send);
    void OnLimiterLevel();
    void OnHighPassCorner();
    // A level list's choice into `level`, sent with `send`.
    void TakeLevelChoice(DropDownButton* list, SharedInt& level, const PageSend& send);
    void OnMicGainSlider(bool released);
    void OnGain2Slider(bool released);
    void OnMixSlider(bool released);

    // Equaliser section.
    void OnBandSlider(int band, bool released);
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

    PageContext& context_;
    const ModelProfile& profile_;
    std::unique_ptr<PageSender> sender_;
    QTimer* timer_;
    int selectedSlot_ = kNoSlot;  // the preset slot picked last, 0..9

    EqEditor eq_;
    // The labels made from the tables, and the captions the set-up writes into them.
    std::vector<std::pair<int, SkinLabel*>> labels_;
    std::vector<std::pair<SkinLabel*, const char*>> captions_;
    std::vector<QWidget*> tabOrder_;
    std::vector<int> previewRowValues_;
    std::array<std::pair<int, int>, kEqBands> previewBands_{};
    SlotButtons slotButtons_{};
    ImageButton* limiterSwitch_ = nullptr;
    ImageButton* highPassSwitch_ = nullptr;
    DropDownButton* limiterList_ = nullptr;
    DropDownButton* highPassList_ = nullptr;
    ImageSlider* micGainSlider_ = nullptr;
    ImageSlider* gain2Slider_ = nullptr;
    ImageSlider* mixSlider_ = nullptr;
    ImageButton* micIcon_ = nullptr;
    ImageButton* playbackIcon_ = nullptr;
    ImageButton* saveButton_ = nullptr;
    ImageButton* readButton_ = nullptr;
};

}  // namespace quavelo
