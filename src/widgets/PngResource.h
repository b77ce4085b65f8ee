#pragma once

#include <QImage>
#include <QString>

namespace quavelo {

// Skin images are embedded resources found by their numeric id: PNG images under
// ":/skin/<id>.png", the two bitmaps of the drop-down button under ":/skin/<id>.bmp".
QString PngResourcePath(int id);
QString BitmapResourcePath(int id);

// Decodes the PNG image with this id. Returns a null image when there is no PNG resource of
// that id (a bitmap id such as 147 included) or when its data is not a decodable PNG; every
// caller draws nothing in that place.
QImage LoadPngResource(int id);

// Decodes the PNG resource at a path the caller has found itself (e.g. PngResourcePath(id));
// null when it is missing or not a PNG.
QImage LoadPngFromResource(const QString& resourcePath);

// Decodes the bitmap resource with this id (":/skin/<id>.bmp"); null when missing.
QImage LoadBitmapResource(int id);

}  // namespace quavelo
