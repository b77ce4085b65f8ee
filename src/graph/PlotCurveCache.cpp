#include "graph/PlotCurveCache.h"

#include <algorithm>
#include <cstddef>

namespace quavelo {

namespace {

void ToPolygon(const PlotArea& area, const PlotRange& range, const ResponseCurve& frequencies,
               const ResponseCurve& curve, QPolygonF& out) {
    CurvePolygon points;
    const std::size_t n = BuildCurvePolygon(area, range, frequencies, curve, points);
    out.resize(static_cast<qsizetype>(n));
    for (std::size_t i = 0; i < n; ++i) out[static_cast<qsizetype>(i)] = {points[i].x, points[i].y};
}

}  // namespace

bool PlotCurveCache::Compute(const EqBandInputs& inputs) {
    if (computed_ && inputs == computedFor_) return false;
    ComputeEqResponse(inputs, curves_);
    computedFor_ = inputs;
    computedBands_ = std::clamp(inputs.bandCount, 0, kMaxEqBands);
    computed_ = true;
    curvesChanged_ = true;
    ++computations_;
    return true;
}

bool PlotCurveCache::Layout(const PlotArea& area, const PlotRange& range) {
    if (laidOut_ && !curvesChanged_ && area == area_ && range == range_) return false;
    for (int b = 0; b < computedBands_; ++b) {
        ToPolygon(area, range, curves_.grid, curves_.band[static_cast<std::size_t>(b)],
                  bands_[static_cast<std::size_t>(b)]);
    }
    ToPolygon(area, range, curves_.grid, curves_.total, total_);
    area_ = area;
    range_ = range;
    laidOut_ = true;
    curvesChanged_ = false;
    ++layouts_;
    return true;
}

const QPolygonF& PlotCurveCache::BandPolygon(int band) const {
    static const QPolygonF kNone;
    if (band < 0 || band >= computedBands_) return kNone;
    return bands_[static_cast<std::size_t>(band)];
}

}  // namespace quavelo
