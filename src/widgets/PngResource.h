#pragma once

#include <QImage>
#include <QString>

#include "widgets/SkinImage.h"

namespace quavelo {

// Skin images are embedded resources found by their number (SkinImage): PNG images under
// ":/skin/<number>.png", the two bitmaps of the drop-down button under ":/skin/<number>.bmp".
// Scale 2 names the picture painted at twice the size, ":/skin/<number>@2x.png" (or ".bmp").
QString PngResourcePath(SkinImage image, int scale = 1);
QString BitmapResourcePath(SkinImage image, int scale = 1);

// Decodes the PNG image. Returns a null image when there is no PNG resource of that number (a
// drop-down face, which is a bitmap, included) or when its data is not a decodable PNG; every
// caller draws nothing in that place.
QImage LoadPngResource(SkinImage image);

// Decodes the PNG resource at a path the caller has found itself (e.g. PngResourcePath(image));
// null when it is missing or not a PNG.
QImage LoadPngFromResource(const QString& resourcePath);

// Decodes the bitmap resource of the image (":/skin/<number>.bmp"); null when missing.
QImage LoadBitmapResource(SkinImage image);
// Decodes the bitmap resource at a path; null when missing or not a bitmap.
QImage LoadBitmapFromResource(const QString& resourcePath);

}  // namespace quavelo
