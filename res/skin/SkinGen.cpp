// skin-gen OUTDIR NAME...: paints each named skin image ("<number>.png" or "<number>.bmp", the
// number of its SkinImage) into OUTDIR. "<number>@2x.png" (or .bmp) paints the same image at twice
// its size in each direction, for screens of two device pixels per pixel: the same drawing at
// double resolution, so its lines and text stay sharp where the 1x image would be magnified.
// The output depends only on this program and the installed fonts, so a build is repeatable.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdio>
#include <functional>
#include <vector>

#include "../../src/widgets/SkinImage.h"
#include "SkinPainters.h"
#include "SkinStyle.h"

namespace {

using namespace quavelo::skin;
using quavelo::SkinImage;
using enum quavelo::SkinImage;

enum class Kind { Rgba, Rgb, Bitmap };

struct Recipe {
    SkinImage image;
    int width;
    int height;
    Kind kind;
    QColor base;  // what an opaque image is painted over
    std::function<void(QPainter&, QSize)> paint;
};

// clang-format off
const std::vector<Recipe>& Table() {
    static const std::vector<Recipe> table{
        {StartMeterBackground, 252, 39, Kind::Rgba, {}, PaintStartMeterBackground},
        {StartMeterFill, 214, 24, Kind::Rgba, {}, PaintStartMeterFill},
        {LampOff, 44, 26, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintLamp(p, s, false); }},
        {LampOn, 44, 26, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintLamp(p, s, true); }},
        {BrandPanel, 500, 300, Kind::Rgba, {}, PaintBrandPanel},
        {SwitchOff, 50, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintSwitch(p, s, false); }},
        {SwitchOn, 50, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintSwitch(p, s, true); }},
        {BandTicks, 24, 272, Kind::Rgba, kPage, PaintBandTicks},
        {DropDownFace, 78, 28, Kind::Bitmap, kPage, [](QPainter& p, QSize s) { PaintDropDownFace(p, s, false); }},
        {DropDownFaceHover, 78, 28, Kind::Bitmap, kPage, [](QPainter& p, QSize s) { PaintDropDownFace(p, s, true); }},
        {VerticalThumb, 44, 24, Kind::Rgba, {}, PaintVerticalThumb},
        {HorizontalThumb, 24, 44, Kind::Rgba, {}, PaintHorizontalThumb},
        {MeterBackground, 330, 8, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintMeter(p, s, false); }},
        {MeterFill, 330, 8, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintMeter(p, s, true); }},
        {BandScale, 26, 270, Kind::Rgba, kPage, PaintBandScale},
        {PlaybackIcon, 38, 28, Kind::Rgb, kPage, PaintPlaybackIcon},
        {MicIcon, 24, 34, Kind::Rgb, kPage, PaintMicIcon},
        {GainSliderChannel, 300, 60, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintHorizontalChannel(p, s, false); }},
        {AppIcon, 256, 256, Kind::Rgba, {}, PaintAppIcon},
        {SlotButton, 94, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintSlotButton(p, s, false); }},
        {SlotButtonSelected, 94, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintSlotButton(p, s, true); }},
        {ConverterTile, 180, 180, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintConverterTile(p, s, false); }},
        {ConverterTileSelected, 180, 180, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintConverterTile(p, s, true); }},
        {BandSliderChannel, 52, 272, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintVerticalChannel(p, s, false); }},
        {MixSliderFill, 300, 60, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintMixChannel(p, s, true); }},
        {BandSliderFill, 52, 272, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintVerticalChannel(p, s, true); }},
        {MixSliderChannel, 300, 60, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintMixChannel(p, s, false); }},
        {StartButton, 102, 50, Kind::Rgba, {}, PaintStartButton},
        {Button, 62, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintButton(p, s, false); }},
        {ButtonLit, 62, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintButton(p, s, true); }},
        {GainSliderFill, 300, 60, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintHorizontalChannel(p, s, true); }},
        {MicrophoneTile, 180, 180, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintMicrophoneTile(p, s, false); }},
        {MicrophoneTileSelected, 180, 180, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintMicrophoneTile(p, s, true); }},
        {PadlockOpen, 24, 24, Kind::Rgb, kPage, [](QPainter& p, QSize s) { PaintPadlock(p, s, false); }},
        {PadlockClosed, 24, 24, Kind::Rgb, kPage, [](QPainter& p, QSize s) { PaintPadlock(p, s, true); }},
        {MicOpen, 24, 24, Kind::Rgb, kPage, [](QPainter& p, QSize s) { PaintMicSwitch(p, s, false); }},
        {MicMuted, 24, 24, Kind::Rgb, kPage, [](QPainter& p, QSize s) { PaintMicSwitch(p, s, true); }},
        {LockOverlay, 1000, 600, Kind::Rgba, {}, PaintLockOverlay},
    };
    return table;
}
// clang-format on

const Recipe* Find(int number) {
    for (const Recipe& recipe : Table()) {
        if (quavelo::SkinImageNumber(recipe.image) == number) return &recipe;
    }
    return nullptr;
}

// The image at `scale` device pixels per pixel; the painting function sees the 1x size.
QImage Paint(const Recipe& image, int scale) {
    QImage canvas(image.width * scale, image.height * scale, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(scale);
    canvas.fill(image.base.isValid() ? image.base : QColor(Qt::transparent));
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        image.paint(p, QSize(image.width, image.height));
    }
    return image.kind == Kind::Rgba ? canvas.convertToFormat(QImage::Format_ARGB32)
                                    : canvas.convertToFormat(QImage::Format_RGB32);
}

struct Request {
    const Recipe* image = nullptr;
    int scale = 1;
};

// Parses "<number>.png" or "<number>.bmp", optionally "@2x" before the extension; the extension
// must match the image's kind.
Request Requested(const QString& name) {
    const int dot = name.lastIndexOf(u'.');
    if (dot <= 0) return {};
    QString stem = name.left(dot);
    int scale = 1;
    if (stem.endsWith(u"@2x")) {
        stem.chop(3);
        scale = 2;
    }
    bool ok = false;
    const int number = stem.toInt(&ok);
    const Recipe* image = ok ? Find(number) : nullptr;
    if (image == nullptr) return {};
    const QString ext = name.mid(dot + 1);
    const bool isBitmap = image->kind == Kind::Bitmap;
    if ((ext == u"bmp") != isBitmap || (ext != u"png" && ext != u"bmp")) return {};
    return {image, scale};
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: skin-gen OUTDIR <number>[@2x].png|<number>[@2x].bmp ...\n");
        return 2;
    }
    const QString dir = args.at(1);
    for (qsizetype i = 2; i < args.size(); ++i) {
        const Request request = Requested(args.at(i));
        if (request.image == nullptr) {
            std::fprintf(stderr, "skin-gen: no skin image %s\n", qPrintable(args.at(i)));
            return 2;
        }
        const QString path = dir + u'/' + args.at(i);
        const char* format = request.image->kind == Kind::Bitmap ? "BMP" : "PNG";
        if (!Paint(*request.image, request.scale).save(path, format)) {
            std::fprintf(stderr, "skin-gen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
