#include "pages/Kd4Page.h"
#include "device/Messages.h"

#include <QPainter>
#include <QTimer>

#include <utility>
#include <vector>

#include "graph/ResponseGraph.h"
#include "pages/PageBackground.h"
#include "pages/PageKit.h"
#include "widgets/ControlId.h"
#include "widgets/DropDownButton.h"
#include "widgets/ImageButton.h"
#include "widgets/ImageSlider.h"
#include "widgets/LevelMeter.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

using enum SkinImage;

// The monitor level slider: the gain slider's look over 0..80 (80 is 0 dB).
constexpr SliderLook kMonitorLevelLook{
    false, GainSliderFill, GainSliderChannel, HorizontalThumb, HorizontalThumb, 2, 2, 8, 0, 80, 0};

// The section labels in the page's order: place, the English caption that the label set-up
// writes (none for the value read-outs), and whether the label is shown.
struct SectionLabelEntry {
    int id;
    QRect place;
    const char* caption;
    bool shown;
};
const std::array<SectionLabelEntry, Kd4Page::kSectionLabels> kSectionLabelEntrys{{
    {Kd4Page::kIdLimiterCaption, {20, 350, 80, 20}, "DRC", true},
    {Kd4Page::kIdHighPassCaption, {270, 350, 80, 20}, "HighPass", true},
    {1045, {30, 460, 80, 20}, "MIC Gain", false},
    {Kd4Page::kIdMicGainValue, {390, 480, 60, 20}, nullptr, true},
    {Kd4Page::kIdIndicatorCaption, {470, 350, 150, 20}, "INDICATOR", true},
    {1048, {530, 350, 60, 20}, "INDICATOR", false},
    {1049, {650, 365, 50, 20}, "L+R", false},
    {1050, {650, 355, 50, 20}, "L", false},
    {1051, {650, 375, 50, 20}, "R", false},
    {Kd4Page::kIdMixCaption, {500, 460, 80, 20}, "MIX Solo", true},
    {1053, {510, 535, 80, 20}, "MIC", true},
    {1054, {900, 535, 80, 20}, "Playback", true},
    {Kd4Page::kIdPresetCaption, {655, 5, 80, 30}, "Preset", true},
    {Kd4Page::kIdMixReadout, {600, 560, 150, 20}, nullptr, false},
    {Kd4Page::kIdGainCaption, {10, 480, 80, 20}, "GAIN", true},
    {Kd4Page::kIdSoloCaption, {10, 550, 80, 20}, "Solo", true},
    {Kd4Page::kIdGain2Value, {390, 550, 60, 20}, nullptr, true},
}};

// The preview table's caption column: label index and text; each caption's value (if any) is
// the label after it, except for the band rows, whose frequency stands in the caption column.
struct PreviewCaption {
    int index;
    const char* text;
};
constexpr std::array<PreviewCaption, 11> kPreviewCaptions{{{0, "Gain"},
                                                           {2, "COMPRESSOR"},
                                                           {4, "HIGHPASS"},
                                                           {6, "MONITOR"},
                                                           {8, "LOCKED"},
                                                           {10, "MIC MUTE"},
                                                           {12, "INDICATOR"},
                                                           {14, "SOLO MIX"},
                                                           {15, "MIC"},
                                                           {17, "PLAYBACK"},
                                                           {19, "EQ"}}};

int PreviewLabelId(int index) { return index < 26 ? 1068 + index : 1102 + (index - 26); }

// Left (caption) column or right (value) column, and the row, of preview label `index`.
struct PreviewPlace {
    bool valueColumn;
    int row;
};
PreviewPlace PreviewPlaceOf(int index) {
    if (index <= 13) return {index % 2 == 1, index / 2};
    if (index == 14) return {false, 7};
    if (index <= 20) return {(index - 15) % 2 == 1, 8 + (index - 15) / 2};
    return {(index - 21) % 2 == 1, 11 + (index - 21) / 2};
}

}  // namespace

Kd4Page::Kd4Page(PageContext& context, QWidget* parent, Clock clock)
    : QWidget(parent),
      context_(context),
      clock_(std::move(clock)),
      timer_(new QTimer(this)),
      eq_(this, context.params) {
    CreateProcessingControls();
    CreatePresetControls();
    CreateStatusControls();
    ConnectControls();
}

void Kd4Page::CreateProcessingControls() {
    for (std::size_t i = 0; i < kSectionLabelEntrys.size(); ++i) {
        const SectionLabelEntry& entry = kSectionLabelEntrys[i];
        sectionLabels_[i] = MakeLabel(this, entry.id, entry.place, LabelLook::kSection);
        sectionLabels_[i]->setVisible(entry.shown);
    }
    SkinLabel* preset = SectionLabel(kIdPresetCaption);
    preset->SetAlignment(SkinLabel::kCentre);
    preset->SetFrame(true);

    limiterSwitch_ = MakeSwitch(this, kIdLimiterSwitch, {20, 375, 50, 28}, SwitchOff, SwitchOn);
    limiterList_ =
        MakeChoiceBox(this, kIdLimiterList, {120, 360}, kChoiceLimiterLevel,
                      {QStringLiteral("LOW"), QStringLiteral("MID"), QStringLiteral("HIGH")});
    highPassSwitch_ = MakeSwitch(this, kIdHighPassSwitch, {270, 375, 50, 28}, SwitchOff, SwitchOn);
    highPassList_ = MakeChoiceBox(this, kIdHighPassList, {370, 360}, kChoiceHighPassCorner,
                                  {QStringLiteral("75Hz"), QStringLiteral("150Hz")});

    micGainSlider_ = MakeSlider(this, kIdMicGainSlider, {90, 460}, kGainSliderLook);
    gain2Slider_ = MakeSlider(this, kIdGain2Slider, {90, 530}, kMonitorLevelLook);
    mixSlider_ = MakeSlider(this, kIdMixSlider, {590, 490}, kMixSliderLook);
    micIcon_ = MakePushButton(this, kIdMicIcon, {520, 500, 25, 35}, MicIcon, MicIcon, MicIcon);
    playbackIcon_ = MakePushButton(this, kIdPlaybackIcon, {900, 500, 40, 30}, PlaybackIcon,
                                   PlaybackIcon, PlaybackIcon);
}

void Kd4Page::CreatePresetControls() {
    slotButtons_ = MakeSlotButtons(this);
    saveButton_ =
        MakePushButton(this, kIdSaveButton, {800, 280, 65, 30}, Button, ButtonLit, ButtonLit);
    readButton_ =
        MakePushButton(this, kIdReadButton, {900, 280, 65, 30}, Button, ButtonLit, ButtonLit);
    for (int index = 0; index < kPreviewLabels; ++index) {
        const PreviewPlace place = PreviewPlaceOf(index);
        const QRect rect{place.valueColumn ? 880 : 750, 10 + 16 * place.row, 100, 14};
        previewLabels_[index] = MakeLabel(this, PreviewLabelId(index), rect, LabelLook::kPreview);
        if (place.valueColumn) previewLabels_[index]->SetAlignment(SkinLabel::kFar);
    }
}

void Kd4Page::ConnectControls() {
    connect(timer_, &QTimer::timeout, this, &Kd4Page::OnTimer);
    connect(limiterSwitch_, &ImageButton::clicked, this, [this] { OnLimiterSwitch(); });
    connect(highPassSwitch_, &ImageButton::clicked, this, [this] { OnHighPassSwitch(); });
    for (DropDownButton* list : {limiterList_, highPassList_}) {
        connect(list, &DropDownButton::choiceMade, this,
                [this](int choiceId, int) { OnListChoice(choiceId); });
    }
    std::vector<ImageSlider*> sliders{micGainSlider_, mixSlider_, gain2Slider_};
    for (int band = 0; band < kEqBands; ++band) sliders.push_back(eq_.BandSlider(band));
    for (ImageSlider* slider : sliders) {
        // The handler reads the slider's current position, as the message carries it.
        connect(slider, &ImageSlider::moving, this,
                [this](int id, int) { OnSliderMessage(id, false); });
        connect(slider, &ImageSlider::released, this,
                [this](int id, int) { OnSliderMessage(id, true); });
    }

    ResponseGraph* graph = eq_.Graph();
    connect(graph, &ResponseGraph::pointChanged, this,
            [this](int band, int) { OnGraphPointChanged(band); });
    connect(graph, &ResponseGraph::pointDoubleClicked, this,
            [this](int band, int) { OnGraphPointReset(band); });
    connect(eq_.PeqButton(), &ImageButton::clicked, this, [this] { OnViewButton(0); });
    connect(eq_.GeqButton(), &ImageButton::clicked, this, [this] { OnViewButton(1); });
    connect(eq_.EqSwitch(), &ImageButton::clicked, this, [this] { OnEqSwitch(); });
    connect(eq_.ResetButton(), &ImageButton::clicked, this, [this] { OnReset(); });

    for (int slot = 0; slot < kPresetSlots; ++slot) {
        connect(slotButtons_[slot], &ImageButton::clicked, this,
                [this, slot] { OnSlotButton(slot); });
    }
    connect(saveButton_, &ImageButton::clicked, this, [this] { OnSave(); });
    connect(readButton_, &ImageButton::clicked, this, [this] { OnRead(); });
    connect(lockSwitch_, &ImageButton::clicked, this, [this] { OnLockSwitch(); });
    connect(muteSwitch_, &ImageButton::clicked, this, [this] { OnMuteSwitch(); });
    connect(indicatorSwitch_, &ImageButton::clicked, this, [this] { OnIndicatorSwitch(); });
}

bool Kd4Page::OnInitDialog() {
    eq_.SetUpGraph();
    SetupLabels();
    RefreshFromParams();
    timer_->start(kTimerPeriod);
    return true;
}

void Kd4Page::SetupLabels() {
    eq_.SetCaptions();
    saveButton_->setText(QStringLiteral("Save"));
    readButton_->setText(QStringLiteral("Read"));
    for (std::size_t i = 0; i < kSectionLabelEntrys.size(); ++i) {
        const char* caption = kSectionLabelEntrys[i].caption;
        if (caption != nullptr) sectionLabels_[i]->SetText(QString::fromUtf8(caption));
    }
    for (const PreviewCaption& caption : kPreviewCaptions) {
        PreviewLabel(caption.index)->SetText(QString::fromUtf8(caption.text));
    }
}

void Kd4Page::RefreshFromParams() {
    RefreshStatus();
    RefreshProcessing();
    eq_.Refresh();
    const bool locked = context_.params.kd4Lock != 0;
    ApplyLockState(!locked);
    ShowLockOverlay(locked);
}

void Kd4Page::ApplyLockState(bool enable) {
    const DeviceParams& p = context_.params;
    eq_.EnableEditor(enable && p.eqEnabled == 1);
    SetChoiceUsable(limiterList_, enable && p.limiterOn == 1);
    SetChoiceUsable(highPassList_, enable && p.hpfOn == 1);
    for (QWidget* control : std::initializer_list<QWidget*>{
             limiterSwitch_, highPassSwitch_, eq_.PeqButton(), eq_.GeqButton(), eq_.ResetButton(),
             saveButton_, readButton_, micIcon_, playbackIcon_, eq_.EqSwitch(), micGainSlider_,
             mixSlider_, gain2Slider_}) {
        control->setEnabled(enable);
    }
}

void Kd4Page::ShowEqEditor(int mode) { eq_.ShowView(mode); }

void Kd4Page::LoadGraphPoints() { eq_.LoadGraphPoints(); }

bool Kd4Page::Busy() {
    if (context_.params.commandBusy == 0) return false;
    context_.prompt.Info(message::kPleaseWait);
    return true;
}

bool Kd4Page::Connected() const { return context_.params.connected == 1; }

void Kd4Page::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPageBackground(painter, rect());
    // The KD4 page also divides its lower panel at x 650 and x 240.
    PaintBar(painter, 650, 320, 120, Qt::Vertical);
    PaintBar(painter, 240, 320, 120, Qt::Vertical);
}

void Kd4Page::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    lockOverlay_->setGeometry(rect());
}

SkinLabel* Kd4Page::SectionLabel(int id) const {
    for (std::size_t i = 0; i < kSectionLabelEntrys.size(); ++i) {
        if (kSectionLabelEntrys[i].id == id) return sectionLabels_[i];
    }
    return nullptr;
}

}  // namespace quavelo
