#pragma once

#include <QImage>
#include <QSize>

#include <functional>

#include "graph/PlotGeometry.h"

namespace quavelo {

// Everything the equaliser graph shows under its handles — background, grid, labels and curves —
// kept as an image between paints. It is redrawn only when something it shows changed, so a
// paint that only moves a handle or changes the selection copies it and draws the handles.
class PlotBackdrop {
  public:
    // What the picture depends on; `curves` counts the curve layouts (PlotCurveCache::Layouts),
    // which change whenever the polygons do.
    struct Key {
        QSize size;
        qreal pixelRatio = 1.0;
        PlotArea area;
        PlotRange range;
        bool showText = true;
        bool showAxes = true;
        int curves = 0;

        friend bool operator==(const Key&, const Key&) = default;
    };

    // The picture for `key`: the one kept when the key is unchanged, otherwise a new one that
    // `draw` paints into a painter over the control's pixels. An empty size gives a null image.
    const QImage& Image(const Key& key, const std::function<void(QPainter&)>& draw);

    void Invalidate() { valid_ = false; }

  private:
    QImage image_;
    Key key_;
    bool valid_ = false;
};

}  // namespace quavelo
