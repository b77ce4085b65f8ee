// skin-gen OUTDIR NAME...: paints each named skin image ("<id>.png" or "<id>.bmp") into OUTDIR.
// The output depends only on this program and the installed fonts, so a build is repeatable.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdio>
#include <functional>
#include <vector>

#include "SkinPainters.h"
#include "SkinStyle.h"

namespace {

using namespace quavelo::skin;

enum class Kind { Rgba, Rgb, Bitmap };

struct SkinImage {
    int id;
    int width;
    int height;
    Kind kind;
    QColor base;  // what an opaque image is painted over
    std::function<void(QPainter&, QSize)> paint;
};

// clang-format off
const std::vector<SkinImage>& Table() {
    static const std::vector<SkinImage> table{
        {132, 252, 39, Kind::Rgba, {}, PaintStartMeterBackground},
        {133, 214, 24, Kind::Rgba, {}, PaintStartMeterFill},
        {141, 44, 26, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintLamp(p, s, false); }},
        {142, 44, 26, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintLamp(p, s, true); }},
        {143, 500, 300, Kind::Rgba, {}, PaintBrandPanel},
        {144, 50, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintSwitch(p, s, false); }},
        {145, 50, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintSwitch(p, s, true); }},
        {146, 24, 272, Kind::Rgba, kPage, PaintBandTicks},
        {147, 78, 28, Kind::Bitmap, kPage, [](QPainter& p, QSize s) { PaintDropDownFace(p, s, false); }},
        {148, 78, 28, Kind::Bitmap, kPage, [](QPainter& p, QSize s) { PaintDropDownFace(p, s, true); }},
        {152, 44, 24, Kind::Rgba, {}, PaintVerticalThumb},
        {153, 24, 44, Kind::Rgba, {}, PaintHorizontalThumb},
        {167, 330, 8, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintMeter(p, s, false); }},
        {168, 330, 8, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintMeter(p, s, true); }},
        {169, 26, 270, Kind::Rgba, kPage, PaintBandScale},
        {171, 38, 28, Kind::Rgb, kPage, PaintPlaybackIcon},
        {172, 24, 34, Kind::Rgb, kPage, PaintMicIcon},
        {173, 300, 60, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintHorizontalChannel(p, s, false); }},
        {177, 256, 256, Kind::Rgba, {}, PaintAppIcon},
        {180, 94, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintSlotButton(p, s, false); }},
        {181, 94, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintSlotButton(p, s, true); }},
        {182, 180, 180, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintConverterTile(p, s, false); }},
        {183, 180, 180, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintConverterTile(p, s, true); }},
        {186, 52, 272, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintVerticalChannel(p, s, false); }},
        {187, 300, 60, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintMixChannel(p, s, true); }},
        {188, 52, 272, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintVerticalChannel(p, s, true); }},
        {189, 300, 60, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintMixChannel(p, s, false); }},
        {190, 102, 50, Kind::Rgba, {}, PaintStartButton},
        {191, 62, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintButton(p, s, false); }},
        {192, 62, 28, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintButton(p, s, true); }},
        {193, 300, 60, Kind::Rgba, {}, [](QPainter& p, QSize s) { PaintHorizontalChannel(p, s, true); }},
        {194, 180, 180, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintMicrophoneTile(p, s, false); }},
        {195, 180, 180, Kind::Rgb, kStartScreen, [](QPainter& p, QSize s) { PaintMicrophoneTile(p, s, true); }},
        {197, 24, 24, Kind::Rgb, kPage, [](QPainter& p, QSize s) { PaintPadlock(p, s, false); }},
        {198, 24, 24, Kind::Rgb, kPage, [](QPainter& p, QSize s) { PaintPadlock(p, s, true); }},
        {199, 24, 24, Kind::Rgb, kPage, [](QPainter& p, QSize s) { PaintMicSwitch(p, s, false); }},
        {200, 24, 24, Kind::Rgb, kPage, [](QPainter& p, QSize s) { PaintMicSwitch(p, s, true); }},
        {201, 1000, 600, Kind::Rgba, {}, PaintLockOverlay},
    };
    return table;
}
// clang-format on

const SkinImage* Find(int id) {
    for (const SkinImage& image : Table()) {
        if (image.id == id) return &image;
    }
    return nullptr;
}

QImage Paint(const SkinImage& image) {
    QImage canvas(image.width, image.height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(image.base.isValid() ? image.base : QColor(Qt::transparent));
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        image.paint(p, canvas.size());
    }
    return image.kind == Kind::Rgba ? canvas.convertToFormat(QImage::Format_ARGB32)
                                    : canvas.convertToFormat(QImage::Format_RGB32);
}

// Parses "<id>.png" or "<id>.bmp"; the extension must match the image's kind.
const SkinImage* Requested(const QString& name) {
    const int dot = name.lastIndexOf(u'.');
    if (dot <= 0) return nullptr;
    bool ok = false;
    const int id = name.left(dot).toInt(&ok);
    const SkinImage* image = ok ? Find(id) : nullptr;
    if (image == nullptr) return nullptr;
    const QString ext = name.mid(dot + 1);
    const bool isBitmap = image->kind == Kind::Bitmap;
    return (ext == u"bmp") == isBitmap && (ext == u"png" || ext == u"bmp") ? image : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: skin-gen OUTDIR <id>.png|<id>.bmp ...\n");
        return 2;
    }
    const QString dir = args.at(1);
    for (qsizetype i = 2; i < args.size(); ++i) {
        const SkinImage* image = Requested(args.at(i));
        if (image == nullptr) {
            std::fprintf(stderr, "skin-gen: no skin image %s\n", qPrintable(args.at(i)));
            return 2;
        }
        const QString path = dir + u'/' + args.at(i);
        const char* format = image->kind == Kind::Bitmap ? "BMP" : "PNG";
        if (!Paint(*image).save(path, format)) {
            std::fprintf(stderr, "skin-gen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
