#include "pages/CKd4Dlg.h"

#include <QPainter>
#include <QTimer>

#include <utility>
#include <vector>

#include "graph/CMultiColorPlotCtrl.h"
#include "pages/PageBackground.h"
#include "pages/PageKit.h"
#include "widgets/CBitmapSlider.h"
#include "widgets/CComBoxBtn.h"
#include "widgets/CMyProgressCtrl.h"
#include "widgets/CStaticST.h"
#include "widgets/ControlId.h"
#include "widgets/PngButton.h"

namespace quavelo {

namespace {

constexpr int kPlaybackIconImage = 171;
constexpr int kMicIconImage = 172;
constexpr int kButtonImage = 191;
constexpr int kButtonLitImage = 192;

// The monitor level slider: the gain slider's look over 0..80 (80 is 0 dB).
constexpr SliderLook kMonitorLevelLook{false, 193, 173, 153, 153, 2, 2, 8, 0, 80, 0};

// The section labels in the page's order: place, the English caption that the label set-up
// writes (none for the value read-outs), and whether the label is shown.
struct SectionLabelEntry {
    int id;
    QRect place;
    const char* caption;
    bool shown;
};
const std::array<SectionLabelEntry, CKd4Dlg::kSectionLabels> kSectionLabelEntrys{{
    {CKd4Dlg::kIdLimiterCaption, {20, 350, 80, 20}, "DRC", true},
    {CKd4Dlg::kIdHighPassCaption, {270, 350, 80, 20}, "HighPass", true},
    {1045, {30, 460, 80, 20}, "MIC Gain", false},
    {CKd4Dlg::kIdMicGainValue, {390, 480, 60, 20}, nullptr, true},
    {CKd4Dlg::kIdIndicatorCaption, {470, 350, 150, 20}, "INDICATOR", true},
    {1048, {530, 350, 60, 20}, "INDICATOR", false},
    {1049, {650, 365, 50, 20}, "L+R", false},
    {1050, {650, 355, 50, 20}, "L", false},
    {1051, {650, 375, 50, 20}, "R", false},
    {CKd4Dlg::kIdMixCaption, {500, 460, 80, 20}, "MIX Solo", true},
    {1053, {510, 535, 80, 20}, "MIC", true},
    {1054, {900, 535, 80, 20}, "Playback", true},
    {CKd4Dlg::kIdPresetCaption, {655, 5, 80, 30}, "Preset", true},
    {CKd4Dlg::kIdMixReadout, {600, 560, 150, 20}, nullptr, false},
    {CKd4Dlg::kIdGainCaption, {10, 480, 80, 20}, "GAIN", true},
    {CKd4Dlg::kIdSoloCaption, {10, 550, 80, 20}, "Solo", true},
    {CKd4Dlg::kIdGain2Value, {390, 550, 60, 20}, nullptr, true},
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

CKd4Dlg::CKd4Dlg(PageContext& context, QWidget* parent, Clock clock)
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

void CKd4Dlg::CreateProcessingControls() {
    for (std::size_t i = 0; i < kSectionLabelEntrys.size(); ++i) {
        const SectionLabelEntry& entry = kSectionLabelEntrys[i];
        sectionLabels_[i] = MakeLabel(this, entry.id, entry.place, LabelLook::kSection);
        sectionLabels_[i]->setVisible(entry.shown);
    }
    CStaticST* preset = SectionLabel(kIdPresetCaption);
    preset->SetAlignment(CStaticST::kCentre);
    preset->SetFrame(true);

    limiterSwitch_ = MakeSwitch(this, kIdLimiterSwitch, {20, 375, 50, 28}, kSlideSwitchOffImage,
                                kSlideSwitchOnImage);
    limiterList_ =
        MakeChoiceBox(this, kIdLimiterList, {120, 360}, kChoiceLimiterLevel,
                      {QStringLiteral("LOW"), QStringLiteral("MID"), QStringLiteral("HIGH")});
    highPassSwitch_ = MakeSwitch(this, kIdHighPassSwitch, {270, 375, 50, 28}, kSlideSwitchOffImage,
                                 kSlideSwitchOnImage);
    highPassList_ = MakeChoiceBox(this, kIdHighPassList, {370, 360}, kChoiceHighPassCorner,
                                  {QStringLiteral("75Hz"), QStringLiteral("150Hz")});

    micGainSlider_ = MakeSlider(this, kIdMicGainSlider, {90, 460}, kGainSliderLook);
    gain2Slider_ = MakeSlider(this, kIdGain2Slider, {90, 530}, kMonitorLevelLook);
    mixSlider_ = MakeSlider(this, kIdMixSlider, {590, 490}, kMixSliderLook);
    micIcon_ = MakePushButton(this, kIdMicIcon, {520, 500, 25, 35}, kMicIconImage, kMicIconImage,
                              kMicIconImage);
    playbackIcon_ = MakePushButton(this, kIdPlaybackIcon, {900, 500, 40, 30}, kPlaybackIconImage,
                                   kPlaybackIconImage, kPlaybackIconImage);
}

void CKd4Dlg::CreatePresetControls() {
    slotButtons_ = MakeSlotButtons(this);
    saveButton_ = MakePushButton(this, kIdSaveButton, {800, 280, 65, 30}, kButtonImage,
                                 kButtonLitImage, kButtonLitImage);
    readButton_ = MakePushButton(this, kIdReadButton, {900, 280, 65, 30}, kButtonImage,
                                 kButtonLitImage, kButtonLitImage);
    for (int index = 0; index < kPreviewLabels; ++index) {
        const PreviewPlace place = PreviewPlaceOf(index);
        const QRect rect{place.valueColumn ? 880 : 750, 10 + 16 * place.row, 100, 14};
        previewLabels_[index] = MakeLabel(this, PreviewLabelId(index), rect, LabelLook::kPreview);
        if (place.valueColumn) previewLabels_[index]->SetAlignment(CStaticST::kFar);
    }
}

void CKd4Dlg::ConnectControls() {
    connect(timer_, &QTimer::timeout, this, &CKd4Dlg::OnTimer);
    connect(limiterSwitch_, &PngButton::clicked, this, [this] { OnLimiterSwitch(); });
    connect(highPassSwitch_, &PngButton::clicked, this, [this] { OnHighPassSwitch(); });
    for (CComBoxBtn* list : {limiterList_, highPassList_}) {
        connect(list, &CComBoxBtn::choiceMade, this,
                [this](int choiceId, int) { OnListChoice(choiceId); });
    }
    std::vector<CBitmapSlider*> sliders{micGainSlider_, mixSlider_, gain2Slider_};
    for (int band = 0; band < kEqBands; ++band) sliders.push_back(eq_.BandSlider(band));
    for (CBitmapSlider* slider : sliders) {
        // The handler reads the slider's current position, as the message carries it.
        connect(slider, &CBitmapSlider::moving, this,
                [this](int id, int) { OnSliderMessage(id, false); });
        connect(slider, &CBitmapSlider::released, this,
                [this](int id, int) { OnSliderMessage(id, true); });
    }

    CMultiColorPlotCtrl* graph = eq_.Graph();
    connect(graph, &CMultiColorPlotCtrl::pointChanged, this,
            [this](int band, int) { OnGraphPointChanged(band); });
    connect(graph, &CMultiColorPlotCtrl::pointDoubleClicked, this,
            [this](int band, int) { OnGraphPointReset(band); });
    connect(eq_.PeqButton(), &PngButton::clicked, this, [this] { OnViewButton(0); });
    connect(eq_.GeqButton(), &PngButton::clicked, this, [this] { OnViewButton(1); });
    connect(eq_.EqSwitch(), &PngButton::clicked, this, [this] { OnEqSwitch(); });
    connect(eq_.ResetButton(), &PngButton::clicked, this, [this] { OnReset(); });

    for (int slot = 0; slot < kPresetSlots; ++slot) {
        connect(slotButtons_[slot], &PngButton::clicked, this,
                [this, slot] { OnSlotButton(slot); });
    }
    connect(saveButton_, &PngButton::clicked, this, [this] { OnSave(); });
    connect(readButton_, &PngButton::clicked, this, [this] { OnRead(); });
    connect(lockSwitch_, &PngButton::clicked, this, [this] { OnLockSwitch(); });
    connect(muteSwitch_, &PngButton::clicked, this, [this] { OnMuteSwitch(); });
    connect(indicatorSwitch_, &PngButton::clicked, this, [this] { OnIndicatorSwitch(); });
}

bool CKd4Dlg::OnInitDialog() {
    eq_.SetUpGraph();
    SetupLabels();
    RefreshFromParams();
    timer_->start(kTimerPeriod);
    return true;
}

void CKd4Dlg::SetupLabels() {
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

void CKd4Dlg::RefreshFromParams() {
    RefreshStatus();
    RefreshProcessing();
    eq_.Refresh();
    const bool locked = context_.params.kd4Lock != 0;
    ApplyLockState(!locked);
    ShowLockOverlay(locked);
}

void CKd4Dlg::ApplyLockState(bool enable) {
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

void CKd4Dlg::ShowEqEditor(int mode) { eq_.ShowView(mode); }

void CKd4Dlg::LoadGraphPoints() { eq_.LoadGraphPoints(); }

bool CKd4Dlg::Busy() {
    if (context_.params.commandBusy == 0) return false;
    context_.prompt.Info(kPleaseWaitMessage);
    return true;
}

bool CKd4Dlg::Connected() const { return context_.params.connected == 1; }

void CKd4Dlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPageBackground(painter, rect());
    // The KD4 page also divides its lower panel at x 650 and x 240.
    PaintBar(painter, 650, 320, 120, Qt::Vertical);
    PaintBar(painter, 240, 320, 120, Qt::Vertical);
}

void CKd4Dlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    lockOverlay_->setGeometry(rect());
}

CStaticST* CKd4Dlg::SectionLabel(int id) const {
    for (std::size_t i = 0; i < kSectionLabelEntrys.size(); ++i) {
        if (kSectionLabelEntrys[i].id == id) return sectionLabels_[i];
    }
    return nullptr;
}

}  // namespace quavelo
