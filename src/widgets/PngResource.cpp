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

}  // namespace

QString PngResourcePath(SkinImage image) {
    return QStringLiteral(":/skin/%1.png").arg(SkinImageNumber(image));
}

QString BitmapResourcePath(SkinImage image) {
    return QStringLiteral(":/skin/%1.bmp").arg(SkinImageNumber(image));
}

QImage LoadPngResource(SkinImage image) { return LoadPngFromResource(PngResourcePath(image)); }

QImage LoadPngFromResource(const QString& resourcePath) {
    return Decode(resourcePath, "PNG", QByteArrayView(kPngSignature, sizeof kPngSignature - 1));
}

QImage LoadBitmapResource(SkinImage image) {
    return Decode(BitmapResourcePath(image), "BMP", "BM");
}

}  // namespace quavelo
