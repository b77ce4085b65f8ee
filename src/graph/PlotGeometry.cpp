#include "graph/PlotGeometry.h"

#include <algorithm>
#include <cmath>

namespace quavelo {

namespace {

constexpr double kPixelLimit = 1e6;
// The dB value at which a handle of logarithmic scale sits on the top edge.
constexpr double kHandleDbScale = 15.0;

// log10(xMax / xMin), or 0 when the range has no logarithmic span.
double LogSpan(const PlotRange& range) {
    if (!(range.xMin > 0.0) || !(range.xMax > range.xMin)) return 0.0;
    const double span = std::log10(range.xMax / range.xMin);
    return std::isfinite(span) ? span : 0.0;
}

// A pixel position held within a million pixels of the origin; NaN gives `fallback`.
double HeldPixel(double pixel, double fallback) {
    if (std::isnan(pixel)) return fallback;
    return std::clamp(pixel, -kPixelLimit, kPixelLimit);
}

}  // namespace

PlotArea ComputePlotArea(int width, int height, bool showAxes) {
    const int w = std::max(width, 0);
    const int h = std::max(height, 0);
    if (!showAxes) return {0, 0, w, h};
    return {w / 20, h / 20, w - w / 20, h - h / 10};
}

int PlotMid(const PlotArea& area) { return (area.top + area.bottom) / 2; }

int GridLineY(const PlotArea& area, int k) {
    return area.bottom - k * (area.bottom - area.top) / 10;
}

double LogAxisX(const PlotArea& area, const PlotRange& range, double x) {
    const double span = LogSpan(range);
    if (span == 0.0) return area.left;
    return area.left + (area.right - area.left) * std::log10(x / range.xMin) / span;
}

double LinearAxisX(const PlotArea& area, const PlotRange& range, double x) {
    if (!(range.xMax > range.xMin)) return area.left;
    return area.left + (x - range.xMin) * (area.right - area.left) / (range.xMax - range.xMin);
}

double LinearAxisY(const PlotArea& area, const PlotRange& range, double y) {
    if (!(range.yMax > range.yMin)) return area.bottom;
    return area.bottom - (area.bottom - area.top) * (y - range.yMin) / (range.yMax - range.yMin);
}

double CurveY(const PlotArea& area, const PlotRange& range, double value) {
    if (value > range.yMax) return area.top;
    if (!(value >= range.yMin)) return area.bottom;
    return LinearAxisY(area, range, value);
}

int TruncPixel(double pixel) { return static_cast<int>(HeldPixel(pixel, 0.0)); }

HandleBox PlaceHandle(int scale, const PlotArea& area, const PlotRange& range, double x, double y) {
    double px = 0.0;
    double py = 0.0;
    if (scale == kScaleLogarithmic) {
        px = LogAxisX(area, range, x);
        py = PlotMid(area) - (area.bottom - area.top) / 2.0 * y / kHandleDbScale;
    } else {
        px = LinearAxisX(area, range, x);
        py = LinearAxisY(area, range, y);
    }
    px = HeldPixel(px, area.left);
    py = HeldPixel(py, scale == kScaleLogarithmic ? PlotMid(area) : area.bottom);
    return {TruncPixel(px - HandleBox::kHalf), TruncPixel(py - HandleBox::kHalf),
            TruncPixel(px + HandleBox::kHalf), TruncPixel(py + HandleBox::kHalf)};
}

double Limit(double v, double lo, double hi) { return std::max(lo, std::min(v, hi)); }

HandleValues DraggedValues(int scale, int kind, const PlotArea& area, const PlotRange& range,
                           int centreX, int centreY, double currentX) {
    const double height = area.bottom - area.top;
    HandleValues v;
    if (scale == kScaleLogarithmic) {
        const double width = area.right - area.left;
        const double span = LogSpan(range);
        v.x = width > 0.0 && span > 0.0
                  ? range.xMin * std::pow(10.0, span * (centreX - area.left) / width)
                  : range.xMin;
        v.x = Limit(v.x, range.xMin, range.xMax);
        if (kind == kHandleHighPass || kind == kHandleLowPass) return v;
        v.y = height > 0.0
                  ? ((area.top + area.bottom) * 0.5 - centreY) * range.yMax / (height * 0.5)
                  : range.yMin;
    } else {
        v.x = currentX;
        v.y = height > 0.0
                  ? range.yMin + (range.yMax - range.yMin) * (area.bottom - centreY) / height
                  : range.yMin;
    }
    v.y = Limit(v.y, range.yMin, range.yMax);
    return v;
}

HandleValues SteppedValues(int scale, int kind, const PlotArea& area, const PlotRange& range,
                           double x, double y, int dx, int dy) {
    const double width = area.right - area.left;
    const double height = area.bottom - area.top;
    HandleValues v{x, y};
    if (scale == kScaleLogarithmic) {
        const double span = LogSpan(range);
        if (dx != 0 && width > 0.0 && span > 0.0) {
            v.x = Limit(x * std::pow(10.0, span * dx / width), range.xMin, range.xMax);
        }
        if (kind == kHandleHighPass || kind == kHandleLowPass) {
            v.y = 0.0;
        } else if (dy != 0 && height > 0.0) {
            v.y = Limit(y - dy * range.yMax / (height * 0.5), range.yMin, range.yMax);
        }
    } else if (dy != 0 && height > 0.0) {
        v.y = Limit(y - dy * (range.yMax - range.yMin) / height, range.yMin, range.yMax);
    }
    return v;
}

std::size_t BuildCurvePolygon(const PlotArea& area, const PlotRange& range,
                              const ResponseCurve& frequencies, const ResponseCurve& curve,
                              CurvePolygon& out) {
    const auto mid = static_cast<float>(PlotMid(area));
    std::size_t n = 0;
    out[n++] = {static_cast<float>(area.left), mid};
    for (std::size_t j = 0; j < kResponsePoints; ++j) {
        const double f = frequencies[j];
        if (!(f >= range.xMin && f <= range.xMax)) continue;
        out[n++] = {static_cast<float>(LogAxisX(area, range, f)),
                    static_cast<float>(CurveY(area, range, curve[j]))};
    }
    out[n++] = {static_cast<float>(area.right), mid};
    return n;
}

}  // namespace quavelo
