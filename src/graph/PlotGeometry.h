#pragma once

#include <array>
#include <cstddef>

#include "graph/ResponseFrequencyTable.h"

namespace quavelo {

// Where the equaliser graph draws, in the control's own pixels (client rectangle from 0, 0).
// right and bottom are the plot's last lines, not one past them.
struct PlotArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const PlotArea&, const PlotArea&) = default;
};

// The value ranges of the two axes: x in Hz (mode 1, logarithmic) or fader positions (mode 4,
// linear), y in dB.
struct PlotRange {
    double xMin = 20.0;
    double xMax = 20000.0;
    double yMin = 0.0;
    double yMax = 100.0;

    friend bool operator==(const PlotRange&, const PlotRange&) = default;
};

// A handle's square, 16 x 16 pixels; a point on any edge is inside it.
struct HandleBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    int CentreX() const { return left + kHalf; }
    int CentreY() const { return top + kHalf; }
    // The box whose top left corner is (left, top).
    static HandleBox At(int left, int top) { return {left, top, left + kSize, top + kSize}; }

    static constexpr int kSize = 16;
    static constexpr int kHalf = kSize / 2;

    friend bool operator==(const HandleBox&, const HandleBox&) = default;
};

// Handle kinds: an ordinary band point; a high-pass point "H", which moves only along the
// frequency axis; a low-pass point "L", which does not move.
inline constexpr int kHandleOrdinary = 1;
inline constexpr int kHandleHighPass = 2;
inline constexpr int kHandleLowPass = 3;

// How a handle maps its values: logarithmic x (the equaliser response, mode 1) or both axes
// linear (the faders of mode 4, and every other mode).
inline constexpr int kScaleLogarithmic = 1;

// The plot inside a client rectangle of width x height pixels. With the axes shown it leaves
// margins for the labels: a twentieth of the width left and right, a twentieth of the height
// at the top and a tenth at the bottom (integer divisions); without, it is the whole rectangle.
PlotArea ComputePlotArea(int width, int height, bool showAxes);

// The plot's middle row, (top + bottom) / 2 in integers: where the curve polygons start and end.
int PlotMid(const PlotArea& area);

// Row of horizontal grid line k, 0 (the bottom edge) to 10 (the top): bottom - k(bottom-top)/10.
int GridLineY(const PlotArea& area, int k);

// The pixel column of x on the logarithmic frequency axis (left at xMin, right at xMax). A range
// that has no logarithmic span (xMin <= 0, xMax <= xMin) puts everything at the left edge.
double LogAxisX(const PlotArea& area, const PlotRange& range, double x);
// The pixel column of x on a linear axis; an empty range puts everything at the left edge.
double LinearAxisX(const PlotArea& area, const PlotRange& range, double x);
// The row of value y on a linear axis, bottom at yMin and top at yMax, unlimited; an empty range
// puts everything on the bottom edge.
double LinearAxisY(const PlotArea& area, const PlotRange& range, double y);
// The row a curve value is drawn at: as LinearAxisY, but a value below the range is drawn on the
// bottom edge and one above it on the top edge.
double CurveY(const PlotArea& area, const PlotRange& range, double value);

// A pixel coordinate as an integer, truncated toward zero; NaN gives 0 and values beyond a
// million pixels are held there, so no input can overflow the conversion.
int TruncPixel(double pixel);

// The box of a handle of values (x, y): centred on the values' pixel. Logarithmic scale: x as
// LogAxisX and row mid - (bottom - top) / 2 * y / 15 (the handles' dB scale is fixed at +-15);
// linear: LinearAxisX and LinearAxisY. Coordinates are truncated toward zero. A value that has no
// pixel (NaN) places the handle at the plot's left edge on its zero row; a pixel beyond a
// million is held there.
HandleBox PlaceHandle(int scale, const PlotArea& area, const PlotRange& range, double x, double y);

// The values a dragged handle takes when its centre is at (centreX, centreY), held in the
// range. Logarithmic scale: x from the column; y from the row for kind 1, and 0 for kinds 2 and
// 3 (pass bands move only along the frequency axis). Linear scale: x stays currentX and y comes
// from the row. An empty plot or range gives the range's lower limit.
struct HandleValues {
    double x = 0.0;
    double y = 0.0;
};
HandleValues DraggedValues(int scale, int kind, const PlotArea& area, const PlotRange& range,
                           int centreX, int centreY, double currentX);

// The values a handle at (x, y) takes when a key moves it (dx, dy) pixels: each value moves by
// what that many pixels are worth on its axis, not rounded to whole pixels so that steps never
// drift, and is held in the range; an axis not moved keeps its value. As in a drag, kinds 2 and 3
// keep 0 dB on the logarithmic scale and the linear scale keeps x.
HandleValues SteppedValues(int scale, int kind, const PlotArea& area, const PlotRange& range,
                           double x, double y, int dx, int dy);

// v held in [lo, hi]; NaN gives lo, and so does a range with lo above hi.
double Limit(double v, double lo, double hi);

// A curve as the polygon the graph fills: (left, mid), one point per curve entry whose frequency
// lies in [xMin, xMax] (column by LogAxisX, row by CurveY, in single precision), then
// (right, mid). Returns the number of points written.
struct CurvePoint {
    float x = 0.0F;
    float y = 0.0F;
};
using CurvePolygon = std::array<CurvePoint, kResponsePoints + 2>;
std::size_t BuildCurvePolygon(const PlotArea& area, const PlotRange& range,
                              const ResponseCurve& frequencies, const ResponseCurve& curve,
                              CurvePolygon& out);

}  // namespace quavelo
