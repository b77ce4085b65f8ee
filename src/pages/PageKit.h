#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

#include "device/DeviceParams.h"
#include "device/ModelProfile.h"
#include "widgets/SkinImage.h"

class QWidget;

namespace quavelo {

class ImageSlider;
class DropDownButton;
class SkinLabel;
class ImageButton;
class LevelMeter;

// How both control pages build their controls: the same label looks, slider set-ups, buttons and
// drop-downs, and the processing-section displays both pages share. Every control is created as
// a child of `page`, which owns it, and carries its dialog control id (widgets/ControlId.h).

inline constexpr std::uint32_t kPageTextColor = 0xFFFFFFFF;      // ARGB
inline constexpr std::uint32_t kPageLabelBackground = 0x202020;  // GDI colour, the page's own

// The label looks of the control pages.
enum class LabelLook {
    kFrequency,  // transparent, 12 points, white, centred: the band sliders' frequencies
    kReadout,    // transparent, 12 points, white, near: the band readout
    kSection,    // opaque on the page colour, 12 points, white, near: captions and values
    kPreview,    // opaque on the page colour, 8 points, white, near: the preset preview
};
SkinLabel* MakeLabel(QWidget* page, int id, const QRect& place, LabelLook look,
                     const QString& text = {});
// A transparent picture label (the band scales, the lock overlay): `image` stretched over
// `place`.
SkinLabel* MakePictureLabel(QWidget* page, int id, const QRect& place, SkinImage image);

// A level meter filling `place`, over the range 0..100 and empty.
LevelMeter* MakeLevelMeter(QWidget* page, int id, const QRect& place);

// A slider set-up: orientation, images, thumb travel margins and range.
struct SliderLook {
    bool vertical;
    SkinImage fill;
    SkinImage channel;
    SkinImage thumb;
    SkinImage activeThumb;
    int marginLeft;
    int marginRight;
    int marginTop;
    int marginBottom;
    int max;
    int pos;
};
// clang-format off
// The five band sliders: 0 (+15 dB) at the top .. 300 (-15 dB), starting at the bottom.
inline constexpr SliderLook kBandSliderLook{true, SkinImage::BandSliderFill,
    SkinImage::BandSliderChannel, SkinImage::VerticalThumb, SkinImage::VerticalThumb,
    4, 0, 2, 2, 300, 300};
// The microphone gain sliders, 0..47 steps.
inline constexpr SliderLook kGainSliderLook{false, SkinImage::GainSliderFill,
    SkinImage::GainSliderChannel, SkinImage::HorizontalThumb, SkinImage::HorizontalThumb,
    2, 2, 8, 0, 47, 0};
// The monitor mix, 0..382 with the centre 191.
inline constexpr SliderLook kMixSliderLook{false, SkinImage::MixSliderFill,
    SkinImage::MixSliderChannel, SkinImage::HorizontalThumb, SkinImage::HorizontalThumb,
    2, 2, 8, 0, 382, 191};
// clang-format on
// Page Up and Page Down move a page's sliders by this many steps.
inline constexpr int kSliderPageSteps = 10;
// The slider stands at `at` and takes the size of its fill image.
ImageSlider* MakeSlider(QWidget* page, int id, QPoint at, const SliderLook& look);

// Image buttons with white captions, filling `place`: a two-state switch (unchecked and checked
// images) and a push button (normal, pressed and hover images).
ImageButton* MakeSwitch(QWidget* page, int id, const QRect& place, SkinImage unchecked,
                        SkinImage checked, const QString& caption = {});
ImageButton* MakePushButton(QWidget* page, int id, const QRect& place, SkinImage normal,
                            SkinImage pressed, SkinImage hover, const QString& caption = {});

// A switch's click: the page flips the switch itself (ImageButton never does) and takes the new
// state, 0 or 1.
int ToggleSwitch(ImageButton* button);

// A drop-down at `at` (it takes its bitmap's size) with `items`, reporting choices with
// `choiceId`; item 0 is shown.
DropDownButton* MakeChoiceBox(QWidget* page, int id, QPoint at, int choiceId,
                              const QStringList& items);
// A drop-down usable (enabled, normal look) or not (disabled, greyed).
void SetChoiceUsable(DropDownButton* list, bool usable);
// A switch and the drop-down of its level, as the model holds them: the switch shows `on`, the
// list shows item `level` - 1 (the first item for a level below 1, the last beyond its items) and
// is usable only while the switch is on.
void ShowSwitchWithLevel(ImageButton* sw, DropDownButton* list, std::int32_t on,
                         std::int32_t level);
// The level a drop-down's current choice stands for (item 0 is level 1), or 0 when the list
// has no choice.
int ChosenLevel(const DropDownButton* list);

// A readout of the device layer as a label shows it.
inline QString ReadoutText(const std::string& text) { return QString::fromStdString(text); }
// The gain2 readout of a model whose gain2 is `kind` ("12dB" as the page shows it).
std::string Gain2Text(Gain2Kind kind, std::int32_t gain2);

// The monitor mix slider and its readout ("Playback%1:Mic%2" of the negated cuts, in the
// user's language) from the model's two cuts.
void ShowMonitorMix(ImageSlider* slider, SkinLabel* readout, const DeviceParams& params);
// Stores the cuts of a mix slider position (one side cut, the other 0) and shows them in the
// readout.
void StoreMonitorMix(DeviceParams& params, int position, SkinLabel* readout);

}  // namespace quavelo
