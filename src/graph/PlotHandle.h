#pragma once

#include <string>
#include <vector>

#include "graph/PlotGeometry.h"

namespace quavelo {

// One draggable band point of the equaliser graph. The graph creates one per band at its first
// paint and owns them; each keeps the scale, limits and plot area it places and drags with.
struct PlotHandle {
    int id = 0;  // band number + 1
    bool movable = true;
    bool selected = false;
    int kind = kHandleOrdinary;
    std::string label;  // drawn in the handle's centre
    HandleBox box;
    double x = 0.0;  // Hz on the logarithmic scale, fader position on the linear one
    double y = 0.0;  // dB
    PlotRange limits;
    int scale = kScaleLogarithmic;
    PlotArea area;

    int Band() const { return id - 1; }
};

// The label of handle `id` of `kind`: "H" for a high-pass point, "L" for a low-pass point,
// otherwise the id as "%d".
std::string HandleLabel(int id, int kind);

// A handle for band `band`, placed at (x, y): a low-pass point is not movable.
PlotHandle MakePlotHandle(int band, int kind, int scale, const PlotArea& area,
                          const PlotRange& limits, double x, double y);

// Index of the first handle, in creation order, whose box contains (x, y), or -1.
int HitTest(const std::vector<PlotHandle>& handles, int x, int y);

}  // namespace quavelo
