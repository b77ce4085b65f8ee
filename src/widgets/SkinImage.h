#pragma once

namespace quavelo {

// Every image of the skin, named for what it shows. The value is the image's resource number:
// the image is ":/skin/<number>.png", except the two drop-down faces, which are bitmaps
// (":/skin/<number>.bmp"). The skin generator (res/skin) paints each under the same number.
enum class SkinImage : int {
    // The start screen: the progress bar, the brand panel, the model tiles and Start.
    StartMeterBackground = 132,
    StartMeterFill = 133,
    BrandPanel = 143,
    ConverterTile = 182,
    ConverterTileSelected = 183,
    MicrophoneTile = 194,
    MicrophoneTileSelected = 195,
    StartButton = 190,

    // The window: its icon and the connection lamp of the header.
    AppIcon = 177,
    LampOff = 141,
    LampOn = 142,

    // Buttons and switches of the pages.
    Button = 191,
    ButtonLit = 192,
    SwitchOff = 144,
    SwitchOn = 145,
    SlotButton = 180,
    SlotButtonSelected = 181,
    DropDownFace = 147,       // bitmap
    DropDownFaceHover = 148,  // bitmap

    // Sliders: the filled part and the channel of each kind, and the thumbs.
    BandSliderFill = 188,
    BandSliderChannel = 186,
    GainSliderFill = 193,
    GainSliderChannel = 173,
    MixSliderFill = 187,
    MixSliderChannel = 189,
    VerticalThumb = 152,
    HorizontalThumb = 153,
    // The dB scale left of the band sliders and the tick strip beside each of them.
    BandScale = 169,
    BandTicks = 146,

    // The level meters of the pages.
    MeterBackground = 167,
    MeterFill = 168,

    // Icons on the page background, the KD4 status switches and the lock overlay.
    MicIcon = 172,
    PlaybackIcon = 171,
    PadlockOpen = 197,
    PadlockClosed = 198,
    MicOpen = 199,
    MicMuted = 200,
    LockOverlay = 201,
};

// The image's resource number.
constexpr int SkinImageNumber(SkinImage image) { return static_cast<int>(image); }

}  // namespace quavelo
