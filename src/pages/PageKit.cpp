#include "pages/PageKit.h"

#include <QCoreApplication>

#include <algorithm>

#include "device/ControlSends.h"
#include "device/ValueDisplay.h"
#include "widgets/ControlId.h"
#include "widgets/DropDownButton.h"
#include "widgets/DropDownList.h"
#include "widgets/ImageButton.h"
#include "widgets/ImageSlider.h"
#include "widgets/LevelMeter.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

constexpr int kPictureFontSize = 16;
constexpr int kLabelFontSize = 12;
constexpr int kPreviewFontSize = 8;

ImageButton* MakeButton(QWidget* page, int id, const QRect& place, int kind,
                        const QString& caption) {
    auto* button = new ImageButton(page);
    SetControlId(button, id);
    button->setGeometry(place);
    button->SetButtonKind(kind);
    button->setText(caption);
    return button;
}

// The monitor mix readout: the negated playback and microphone cuts.
QString MixReadout(std::int32_t micCut, std::int32_t playbackCut) {
    return QCoreApplication::translate("PageKit", "Playback%1:Mic%2")
        .arg(QString::number(-std::int64_t{playbackCut}), QString::number(-std::int64_t{micCut}));
}

}  // namespace

SkinLabel* MakeLabel(QWidget* page, int id, const QRect& place, LabelLook look,
                     const QString& text) {
    auto* label = new SkinLabel(page);
    SetControlId(label, id);
    label->setGeometry(place);
    label->SetTextColor(kPageTextColor);
    switch (look) {
        case LabelLook::kFrequency:
            label->SetFontSize(kLabelFontSize);
            label->SetAlignment(SkinLabel::kCentre);
            break;
        case LabelLook::kReadout:
            label->SetFontSize(kLabelFontSize);
            label->SetAlignment(SkinLabel::kNear);
            break;
        case LabelLook::kSection:
        case LabelLook::kPreview:
            label->SetFontSize(look == LabelLook::kSection ? kLabelFontSize : kPreviewFontSize);
            label->SetAlignment(SkinLabel::kNear);
            label->SetTransparent(false);
            label->SetBackgroundColor(kPageLabelBackground);
            break;
    }
    label->SetText(text);
    return label;
}

SkinLabel* MakePictureLabel(QWidget* page, int id, const QRect& place, SkinImage image) {
    auto* label = new SkinLabel(page);
    SetControlId(label, id);
    label->setGeometry(place);
    label->SetFontSize(kPictureFontSize);
    label->SetAlignment(SkinLabel::kNear);
    label->SetOverlayImage(image);
    label->SetOverlayOn(true);
    return label;
}

LevelMeter* MakeLevelMeter(QWidget* page, int id, const QRect& place) {
    auto* meter = new LevelMeter(page);
    SetControlId(meter, id);
    meter->setGeometry(place);
    meter->SetMeterImages(SkinImage::MeterFill, SkinImage::MeterBackground);
    return meter;
}

ImageSlider* MakeSlider(QWidget* page, int id, QPoint at, const SliderLook& look) {
    auto* slider = new ImageSlider(page);
    SetControlId(slider, id);
    slider->move(at);
    slider->SetVertical(look.vertical);
    slider->SetChannelImages(look.fill, look.channel);
    slider->SetThumbImages(look.thumb, look.activeThumb);
    slider->SetMargins(look.marginLeft, look.marginRight, look.marginTop, look.marginBottom);
    slider->SetRange(0, look.max);
    slider->SetPos(look.pos);
    slider->SetPage(kSliderPageSteps);
    return slider;
}

ImageButton* MakeSwitch(QWidget* page, int id, const QRect& place, SkinImage unchecked,
                        SkinImage checked, const QString& caption) {
    ImageButton* button = MakeButton(page, id, place, ImageButton::kSwitch, caption);
    button->SetImages2(unchecked, checked);
    return button;
}

ImageButton* MakePushButton(QWidget* page, int id, const QRect& place, SkinImage normal,
                            SkinImage pressed, SkinImage hover, const QString& caption) {
    ImageButton* button = MakeButton(page, id, place, ImageButton::kPushButton, caption);
    button->SetImages3(normal, pressed, hover);
    return button;
}

int ToggleSwitch(ImageButton* button) {
    const int on = button->Checked() == 1 ? 0 : 1;
    button->SetChecked(on);
    return on;
}

DropDownButton* MakeChoiceBox(QWidget* page, int id, QPoint at, int choiceId,
                              const QStringList& items) {
    auto* list = new DropDownButton(page);
    SetControlId(list, id);
    list->move(at);
    list->SetComboBitmaps();
    list->SetDisabledBitmap(SkinImage::DropDownFace);
    list->CreateDropDown(choiceId);
    for (const QString& item : items) list->List()->AddString(item);
    list->SetCurSel(0);
    return list;
}

void SetChoiceUsable(DropDownButton* list, bool usable) {
    list->SetDisabledLook(!usable);
    list->setEnabled(usable);
}

void ShowSwitchWithLevel(ImageButton* sw, DropDownButton* list, std::int32_t on,
                         std::int32_t level) {
    sw->SetChecked(on);
    list->SetCurSel(std::max(level - 1, 0));
    SetChoiceUsable(list, on == 1);
}

int ChosenLevel(const DropDownButton* list) {
    const int index = list->GetCurSel();
    return index < 0 ? 0 : index + 1;
}

std::string Gain2Text(Gain2Kind kind, std::int32_t gain2) {
    return kind == Gain2Kind::MonitorLevel ? MonitorLevelText(gain2) : MicGainText(gain2);
}

void ShowMonitorMix(ImageSlider* slider, SkinLabel* readout, const DeviceParams& params) {
    const std::int32_t micCut = params.monitorMicCut;
    const std::int32_t playbackCut = params.monitorPlaybackCut;
    slider->SetPos(MixPositionFromCuts(micCut, playbackCut));
    // The readout names the side whose cut places the slider; the other side reads 0.
    if (micCut >= 1) {
        readout->SetText(MixReadout(micCut, 0));
    } else {
        readout->SetText(MixReadout(0, std::max(playbackCut, 0)));
    }
}

void StoreMonitorMix(DeviceParams& params, int position, SkinLabel* readout) {
    const MonitorCutPair cuts = MixCutsFromPosition(position);
    if (position < kMixSliderCentre) {
        StoreMonitorPlaybackCut(params, cuts.playbackCut);
    } else {
        StoreMonitorMicCut(params, cuts.micCut);
    }
    readout->SetText(MixReadout(params.monitorMicCut, params.monitorPlaybackCut));
}

}  // namespace quavelo
