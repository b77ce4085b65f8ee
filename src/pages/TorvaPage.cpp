#include "pages/TorvaPage.h"

#include <QPainter>

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

// The section labels in the page's order: place, the text the page starts with, and the English
// caption that replaces it at the end of the set-up (none for values and for "L" / "R").
struct SectionLabelEntry {
    int id;
    QRect place;
    const char* first;
    const char* english;
};
const std::array<SectionLabelEntry, TorvaPage::kSectionLabels> kSectionLabelEntrys{{
    {TorvaPage::kIdLimiterCaption, {20, 350, 80, 20}, "限幅器", "DRC"},
    {TorvaPage::kIdHighPassCaption, {270, 350, 80, 20}, "高通滤波", "HighPass"},
    {TorvaPage::kIdMicGainCaption, {30, 460, 80, 20}, "话筒增益", "MIC Gain"},
    {TorvaPage::kIdMicGainValue, {360, 500, 80, 20}, "2dB", nullptr},
    {TorvaPage::kIdMonoCaption, {470, 350, 60, 20}, "单声道", "Mono"},
    {TorvaPage::kIdStereoCaption, {530, 350, 60, 20}, "立体声", "Stereo"},
    {TorvaPage::kIdMeterMonoCaption, {650, 365, 50, 20}, "L+R", "L+R"},
    {TorvaPage::kIdMeterLeftCaption, {650, 355, 50, 20}, "L", "L"},
    {TorvaPage::kIdMeterRightCaption, {650, 375, 50, 20}, "R", "R"},
    {TorvaPage::kIdMixCaption, {500, 460, 80, 20}, "监听混音", "MIX Solo"},
    {TorvaPage::kIdMixMicCaption, {510, 535, 80, 20}, "话筒", "MIC"},
    {TorvaPage::kIdMixPlaybackCaption, {900, 535, 80, 20}, "回放", "Playback"},
    {TorvaPage::kIdPresetCaption, {655, 5, 80, 30}, "预设", "Preset"},
    {TorvaPage::kIdMixReadout, {600, 560, 150, 20}, "", nullptr},
    {TorvaPage::kIdGainLCaption, {10, 500, 30, 20}, "L", nullptr},
    {TorvaPage::kIdGainRCaption, {10, 550, 30, 20}, "R", nullptr},
    {TorvaPage::kIdGain2Value, {360, 550, 80, 20}, "0dB", nullptr},
}};

// The preview panel: names at x 750 and values at x 880, one row per 20 pixels from y 10. The
// five band rows show the frequency under the name column and the gain under the value column;
// the last name label stays hidden.
struct PreviewRowEntry {
    int nameId;
    int valueId;  // 0: the row has no value
    const char* first;
    const char* english;
};
constexpr std::array<PreviewRowEntry, 14> kPreviewRows{{
    {1068, 1069, "Gain", "Gain"},
    {1070, 1071, "SIGNAL", "SIGNAL"},
    {1072, 1073, "COMPRESSOR", "DRC"},
    {1074, 1075, "HIGHPASS", "HIGHPASS"},
    {1076, 0, "SOLO MIX", "SOLO MIX"},
    {1077, 1078, "MIC", "MIC"},
    {1079, 1080, "PHONE", "PHONE"},
    {1081, 1082, "EQ", "EQ"},
    {1083, 1084, "", nullptr},
    {1085, 1086, "", nullptr},
    {1087, 1088, "", nullptr},
    {1089, 1090, "", nullptr},
    {1091, 1092, "", nullptr},
    {1093, 0, "", nullptr},
}};
constexpr int kIdHiddenPreviewLabel = 1093;

LevelMeter* MakeMeter(QWidget* page, int id, const QRect& place) {
    auto* meter = new LevelMeter(page);
    SetControlId(meter, id);
    meter->setGeometry(place);
    meter->SetRange(0, 100);
    meter->SetPos(0);
    meter->SetMeterImages(MeterFill, MeterBackground);
    return meter;
}

}  // namespace

TorvaPage::TorvaPage(PageContext& context, QWidget* parent)
    : QWidget(parent), context_(context), eq_(this, context.params) {
    CreateProcessingControls();
    CreatePresetControls();
    ConnectControls();
}

void TorvaPage::CreateProcessingControls() {
    for (std::size_t i = 0; i < kSectionLabelEntrys.size(); ++i) {
        const SectionLabelEntry& entry = kSectionLabelEntrys[i];
        sectionLabels_[i] = MakeLabel(this, entry.id, entry.place, LabelLook::kSection,
                                      QString::fromUtf8(entry.first));
    }
    SectionLabel(kIdMixReadout)->hide();

    limiterSwitch_ = MakeSwitch(this, kIdLimiterSwitch, {20, 375, 50, 28}, SwitchOff, SwitchOn);
    limiterList_ =
        MakeChoiceBox(this, kIdLimiterList, {120, 360}, kChoiceLimiterLevel,
                      {QStringLiteral("LOW"), QStringLiteral("MID"), QStringLiteral("HIGH")});
    highPassSwitch_ = MakeSwitch(this, kIdHighPassSwitch, {270, 375, 50, 28}, SwitchOff, SwitchOn);
    highPassList_ = MakeChoiceBox(this, kIdHighPassList, {370, 360}, kChoiceHighPassCorner,
                                  {QStringLiteral("75Hz"), QStringLiteral("150Hz")});
    stereoSwitch_ = MakeSwitch(this, kIdStereoSwitch, {500, 375, 50, 28}, SwitchOff, SwitchOn);

    meterLeft_ = MakeMeter(this, kIdMeterLeft, {700, 360, 200, 10});
    meterMono_ = MakeMeter(this, kIdMeterMono, {700, 370, 200, 10});
    meterRight_ = MakeMeter(this, kIdMeterRight, {700, 380, 200, 10});
    ShowStereo(false);

    micGainSlider_ = MakeSlider(this, kIdMicGainSlider, {50, 480}, kGainSliderLook);
    gain2Slider_ = MakeSlider(this, kIdGain2Slider, {50, 530}, kGainSliderLook);
    mixSlider_ = MakeSlider(this, kIdMixSlider, {590, 490}, kMixSliderLook);
    micIcon_ = MakePushButton(this, kIdMicIcon, {520, 500, 25, 35}, MicIcon, MicIcon, MicIcon);
    playbackIcon_ = MakePushButton(this, kIdPlaybackIcon, {900, 500, 40, 30}, PlaybackIcon,
                                   PlaybackIcon, PlaybackIcon);
}

void TorvaPage::CreatePresetControls() {
    slotButtons_ = MakeSlotButtons(this);
    saveButton_ =
        MakePushButton(this, kIdSaveButton, {800, 280, 65, 30}, Button, ButtonLit, ButtonLit);
    readButton_ =
        MakePushButton(this, kIdReadButton, {900, 280, 65, 30}, Button, ButtonLit, ButtonLit);
    for (std::size_t row = 0; row < kPreviewRows.size(); ++row) {
        const PreviewRowEntry& entry = kPreviewRows[row];
        const int y = 10 + 20 * static_cast<int>(row);
        previewLabels_[entry.nameId - kIdFirstPreviewLabel] =
            MakeLabel(this, entry.nameId, {750, y, 100, 16}, LabelLook::kPreview,
                      QString::fromUtf8(entry.first));
        if (entry.valueId != 0) {
            previewLabels_[entry.valueId - kIdFirstPreviewLabel] =
                MakeLabel(this, entry.valueId, {880, y, 100, 16}, LabelLook::kPreview);
        }
    }
    PreviewLabel(kIdHiddenPreviewLabel)->hide();
}

void TorvaPage::ConnectControls() {
    connect(limiterSwitch_, &ImageButton::clicked, this, [this] { OnLimiterSwitch(); });
    connect(highPassSwitch_, &ImageButton::clicked, this, [this] { OnHighPassSwitch(); });
    connect(stereoSwitch_, &ImageButton::clicked, this, [this] { OnStereoSwitch(); });
    for (DropDownButton* list : {limiterList_, highPassList_}) {
        connect(list, &DropDownButton::choiceMade, this,
                [this](int choiceId, int index) { OnListChoice(choiceId, index); });
    }
    std::vector<ImageSlider*> sliders{micGainSlider_, mixSlider_, gain2Slider_};
    for (int band = 0; band < kEqBands; ++band) sliders.push_back(eq_.BandSlider(band));
    for (ImageSlider* slider : sliders) {
        // Both messages are handled alike; the handler reads the slider's current position.
        connect(slider, &ImageSlider::moving, this, [this](int id, int) { OnSliderMessage(id); });
        connect(slider, &ImageSlider::released, this, [this](int id, int) { OnSliderMessage(id); });
    }

    ResponseGraph* graph = eq_.Graph();
    connect(graph, &ResponseGraph::pointChanged, this,
            [this](int band, int) { OnGraphPoint(band); });
    connect(graph, &ResponseGraph::pointDoubleClicked, this,
            [this](int band, int) { OnGraphDoubleClick(band); });
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
}

bool TorvaPage::OnInitDialog() {
    eq_.SetUpGraph();
    RefreshFromParams();
    SetEnglishCaptions();
    return true;
}

void TorvaPage::SetEnglishCaptions() {
    eq_.SetCaptions();
    saveButton_->setText(QStringLiteral("Save"));
    readButton_->setText(QStringLiteral("Read"));
    for (std::size_t i = 0; i < kSectionLabelEntrys.size(); ++i) {
        const char* english = kSectionLabelEntrys[i].english;
        if (english != nullptr) sectionLabels_[i]->SetText(QString::fromUtf8(english));
    }
    for (const PreviewRowEntry& row : kPreviewRows) {
        if (row.english != nullptr)
            PreviewLabel(row.nameId)->SetText(QString::fromUtf8(row.english));
    }
}

void TorvaPage::RefreshFromParams() {
    RefreshProcessing();
    eq_.Refresh();
}

void TorvaPage::SetLevelMeters(int first, int second, int mean) {
    meterLeft_->SetPos(first);
    meterRight_->SetPos(second);
    meterMono_->SetPos(mean);
}

void TorvaPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPageBackground(painter, rect());
}

SkinLabel* TorvaPage::SectionLabel(int id) const {
    for (std::size_t i = 0; i < kSectionLabelEntrys.size(); ++i) {
        if (kSectionLabelEntrys[i].id == id) return sectionLabels_[i];
    }
    return nullptr;
}

SkinLabel* TorvaPage::PreviewLabel(int id) const {
    return previewLabels_[static_cast<std::size_t>(id - kIdFirstPreviewLabel)];
}

bool TorvaPage::Connected() const { return context_.params.connected == 1; }

}  // namespace quavelo
