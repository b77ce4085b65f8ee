#include "widgets/PngResource.h"

#include <QFile>

namespace quavelo {

namespace {

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

QImage Decode(const QString& path, const char* format, QByteArrayView signature) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    if (!data.startsWith(signature)) return {};
    return QImage::fromData(data, format);
}

QString ResourcePath(SkinImage image, int scale, const char* extension) {
    const QString density = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    return QStringLiteral(":/skin/%1%2.%3")
        .arg(SkinImageNumber(image))
        .arg(density, QLatin1String(extension));
}

}  // namespace

QString PngResourcePath(SkinImage image, int scale) { return ResourcePath(image, scale, "png"); }

QString BitmapResourcePath(SkinImage image, int scale) { return ResourcePath(image, scale, "bmp"); }

QImage LoadPngResource(SkinImage image) { return LoadPngFromResource(PngResourcePath(image)); }

QImage LoadPngFromResource(const QString& resourcePath) {
    return Decode(resourcePath, "PNG", QByteArrayView(kPngSignature, sizeof kPngSignature - 1));
}

QImage LoadBitmapResource(SkinImage image) {
    return LoadBitmapFromResource(BitmapResourcePath(image));
}

QImage LoadBitmapFromResource(const QString& resourcePath) {
    return Decode(resourcePath, "BMP", "BM");
}

}  // namespace quavelo
