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

QString PngResourcePath(int id) { return QStringLiteral(":/skin/%1.png").arg(id); }

QString BitmapResourcePath(int id) { return QStringLiteral(":/skin/%1.bmp").arg(id); }

QImage LoadPngResource(int id) { return LoadPngFromResource(PngResourcePath(id)); }

QImage LoadPngFromResource(const QString& resourcePath) {
    return Decode(resourcePath, "PNG", QByteArrayView(kPngSignature, sizeof kPngSignature - 1));
}

QImage LoadBitmapResource(int id) { return Decode(BitmapResourcePath(id), "BMP", "BM"); }

}  // namespace quavelo
