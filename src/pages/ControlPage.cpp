#include "pages/ControlPage.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTimer>

#include <utility>

#include "graph/ResponseGraph.h"
#include "pages/PageBackground.h"
#include "widgets/DropDownButton.h"
#include "widgets/ImageButton.h"
#include "widgets/ImageSlider.h"

namespace quavelo {

ControlPage::ControlPage(PageContext& context, Model model,
                         std::span<const LabelEntry> sectionLabels, Clock clock, QWidget* parent)
    : QWidget(parent),
      context_(context),
      profile_(ProfileOf(model)),
      sender_(PageSender::Make(profile_.pageSends, context, std::move(clock))),
      timer_(new QTimer(this)),
      eq_(this, context.params) {
    connect(timer_, &QTimer::timeout, this, &ControlPage::OnTimer);
    ConnectEqualiser();
    MakeLabels(sectionLabels, LabelLook::kSection);

    limiterSwitch_ = MakeSwitch(this, kIdLimiterSwitch, {20, 375, 50, 28}, SkinImage::SwitchOff,
                                SkinImage::SwitchOn);
    limiterList_ = MakeChoiceBox(this, kIdLimiterList, {120, 360}, kChoiceLimiterLevel,
                                 {tr("LOW"), tr("MID"), tr("HIGH")});
    highPassSwitch_ = MakeSwitch(this, kIdHighPassSwitch, {270, 375, 50, 28}, SkinImage::SwitchOff,
                                 SkinImage::SwitchOn);
    highPassList_ = MakeChoiceBox(this, kIdHighPassList, {370, 360}, kChoiceHighPassCorner,
                                  {QStringLiteral("75Hz"), QStringLiteral("150Hz")});
    connect(limiterSwitch_, &ImageButton::clicked, this, &ControlPage::OnLimiterSwitch);
    connect(highPassSwitch_, &ImageButton::clicked, this, &ControlPage::OnHighPassSwitch);
    connect(limiterList_, &DropDownButton::choiceMade, this, &ControlPage::OnLimiterLevel);
    connect(highPassList_, &DropDownButton::choiceMade, this, &ControlPage::OnHighPassCorner);
}

void ControlPage::MakeLabels(std::span<const LabelEntry> entries, LabelLook look) {
    for (const LabelEntry& entry : entries) {
        SkinLabel* label = MakeLabel(this, entry.id, entry.place, look,
                                     QCoreApplication::translate(kTemplateContext, entry.first));
        label->SetAlignment(entry.alignment);
        if (!entry.shown) label->hide();
        labels_.emplace_back(entry.id, label);
        if (entry.caption != nullptr) captions_.emplace_back(label, entry.caption);
    }
}

void ControlPage::CreateGainControls(QPoint micGainAt, QPoint gain2At) {
    // gain2 is a second codec gain or the monitor level: the gain slider's look over its range.
    SliderLook gain2Look = kGainSliderLook;
    gain2Look.max = profile_.gain2Range.max;
    micGainSlider_ = MakeSlider(this, kIdMicGainSlider, micGainAt, kGainSliderLook);
    gain2Slider_ = MakeSlider(this, kIdGain2Slider, gain2At, gain2Look);
    mixSlider_ = MakeSlider(this, kIdMixSlider, {590, 490}, kMixSliderLook);
    micIcon_ = MakePushButton(this, kIdMicIcon, {520, 500, 25, 35}, SkinImage::MicIcon,
                              SkinImage::MicIcon, SkinImage::MicIcon);
    playbackIcon_ =
        MakePushButton(this, kIdPlaybackIcon, {900, 500, 40, 30}, SkinImage::PlaybackIcon,
                       SkinImage::PlaybackIcon, SkinImage::PlaybackIcon);

    // Both slider messages carry the position; the handlers read the slider's own.
    connect(micGainSlider_, &ImageSlider::moving, this, [this] { OnMicGainSlider(false); });
    connect(micGainSlider_, &ImageSlider::released, this, [this] { OnMicGainSlider(true); });
    connect(gain2Slider_, &ImageSlider::moving, this, [this] { OnGain2Slider(false); });
    connect(gain2Slider_, &ImageSlider::released, this, [this] { OnGain2Slider(true); });
    connect(mixSlider_, &ImageSlider::moving, this, [this] { OnMixSlider(false); });
    connect(mixSlider_, &ImageSlider::released, this, [this] { OnMixSlider(true); });
}

void ControlPage::CreatePresetControls(const PreviewLayout& preview) {
    slotButtons_ = MakeSlotButtons(this);
    saveButton_ = MakePushButton(this, kIdSaveButton, {800, 280, 65, 30}, SkinImage::Button,
                                 SkinImage::ButtonLit, SkinImage::ButtonLit);
    readButton_ = MakePushButton(this, kIdReadButton, {900, 280, 65, 30}, SkinImage::Button,
                                 SkinImage::ButtonLit, SkinImage::ButtonLit);
    MakeLabels(preview.labels, LabelLook::kPreview);
    previewRowValues_ = preview.rowValues;
    previewBands_ = preview.bands;

    for (int slot = 0; slot < kPresetSlots; ++slot) {
        connect(slotButtons_[slot], &ImageButton::clicked, this,
                [this, slot] { OnSlotButton(slot); });
    }
    connect(saveButton_, &ImageButton::clicked, this, &ControlPage::OnSave);
    connect(readButton_, &ImageButton::clicked, this, &ControlPage::OnRead);
}

void ControlPage::ConnectEqualiser() {
    for (int band = 0; band < kEqBands; ++band) {
        ImageSlider* slider = eq_.BandSlider(band);
        connect(slider, &ImageSlider::moving, this, [this, band] { OnBandSlider(band, false); });
        connect(slider, &ImageSlider::released, this, [this, band] { OnBandSlider(band, true); });
    }
    ResponseGraph* graph = eq_.Graph();
    connect(graph, &ResponseGraph::pointChanged, this, [this](int band) { OnGraphPoint(band); });
    connect(graph, &ResponseGraph::pointDoubleClicked, this,
            [this](int band) { OnGraphDoubleClick(band); });
    connect(eq_.PeqButton(), &ImageButton::clicked, this, [this] { OnViewButton(0); });
    connect(eq_.GeqButton(), &ImageButton::clicked, this, [this] { OnViewButton(1); });
    connect(eq_.EqSwitch(), &ImageButton::clicked, this, &ControlPage::OnEqSwitch);
    connect(eq_.ResetButton(), &ImageButton::clicked, this, &ControlPage::OnReset);
}

bool ControlPage::OnInitDialog() {
    eq_.SetUpGraph();
    SetCaptions();
    SetUpKeyboardAndNames();
    RefreshFromParams();
    if (profile_.pageSends == PageSends::Deferred) timer_->start(kTimerPeriod);
    return true;
}

void ControlPage::SetCaptions() {
    eq_.SetCaptions();
    saveButton_->setText(tr("Save"));
    readButton_->setText(tr("Read"));
    for (const auto& [label, caption] : captions_) label->SetText(tr(caption));
}

void ControlPage::RefreshFromParams() {
    RefreshProcessing();
    eq_.Refresh();
    RefreshOwnControls();
}

void ControlPage::EnableSettingControls(bool enable) {
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

void ControlPage::OnTimer() { sender_->Tick(); }

void ControlPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPageBackground(painter, rect());
}

SkinLabel* ControlPage::Label(int id) const {
    for (const auto& [labelId, label] : labels_) {
        if (labelId == id) return label;
    }
    return nullptr;
}

}  // namespace quavelo
