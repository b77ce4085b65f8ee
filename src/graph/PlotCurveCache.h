#pragma once

#include <QPolygonF>

#include <array>

#include "graph/EqResponse.h"
#include "graph/PlotGeometry.h"

namespace quavelo {

// The equaliser graph's curves and the polygons it fills with them, kept between paints. The
// response maths runs only when the band inputs differ from those of its last run, and the
// polygons are rebuilt only when the curves, the plot area or the ranges changed, so a repaint
// that only moves a handle or changes the selection costs neither.
class PlotCurveCache {
  public:
    // Runs the response maths unless `inputs` equal those of the last run. True when it ran.
    bool Compute(const EqBandInputs& inputs);
    // Rebuilds the polygons of the computed bands and of the total unless nothing they depend on
    // changed since the last call. True when it rebuilt them.
    bool Layout(const PlotArea& area, const PlotRange& range);

    const EqResponseCurves& Curves() const { return curves_; }
    // Polygon of band `band` (below the computed band count) and of the total, as last laid out.
    const QPolygonF& BandPolygon(int band) const;
    const QPolygonF& TotalPolygon() const { return total_; }
    // The number of bands the last run computed: the band count, held in 0..kMaxEqBands.
    int ComputedBands() const { return computedBands_; }

    // How often the maths ran and the polygons were built, for tests and benchmarks.
    int Computations() const { return computations_; }
    int Layouts() const { return layouts_; }

  private:
    bool computed_ = false;
    bool laidOut_ = false;
    bool curvesChanged_ = false;
    int computedBands_ = 0;
    int computations_ = 0;
    int layouts_ = 0;
    EqBandInputs computedFor_;
    EqResponseCurves curves_;
    PlotArea area_;
    PlotRange range_;
    std::array<QPolygonF, kMaxEqBands> bands_;
    QPolygonF total_;
};

}  // namespace quavelo
