#include "graph/PlotHandle.h"

#include <cstddef>

namespace quavelo {

std::string HandleLabel(int id, int kind) {
    if (kind == kHandleHighPass) return "H";
    if (kind == kHandleLowPass) return "L";
    return std::to_string(id);
}

PlotHandle MakePlotHandle(int band, int kind, int scale, const PlotArea& area,
                          const PlotRange& limits, double x, double y) {
    PlotHandle h;
    h.id = band + 1;
    h.movable = kind != kHandleLowPass;
    h.kind = kind;
    h.label = HandleLabel(h.id, kind);
    h.x = x;
    h.y = y;
    h.limits = limits;
    h.scale = scale;
    h.area = area;
    h.box = PlaceHandle(scale, area, limits, x, y);
    return h;
}

int HitTest(const std::vector<PlotHandle>& handles, int x, int y) {
    for (std::size_t i = 0; i < handles.size(); ++i) {
        if (handles[i].box.Contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace quavelo
