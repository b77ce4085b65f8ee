#include "widgets/SliderAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quavelo {

namespace {

bool Degenerate(const SliderAxis& a) { return a.max <= a.min || a.Travel() <= 0; }

}  // namespace

int PosToPixel(const SliderAxis& axis, int value) {
    if (Degenerate(axis)) return axis.FirstPixel();
    const double ratio =
        (static_cast<double>(value) - axis.min) / (static_cast<double>(axis.max) - axis.min);
    return axis.FirstPixel() + static_cast<int>(std::trunc(ratio * axis.Travel()));
}

int PixelToPos(const SliderAxis& axis, int pixel) {
    if (Degenerate(axis)) return axis.min;
    const double pos = (static_cast<double>(pixel) - axis.thumb / 2 - axis.startMargin) /
                           axis.Travel() * (static_cast<double>(axis.max) - axis.min) +
                       axis.min;
    const double held =
        std::clamp(std::trunc(pos), static_cast<double>(axis.min), static_cast<double>(axis.max));
    return static_cast<int>(held);
}

int DragOffset(const SliderAxis& axis, int pos, int press) {
    const long long d = static_cast<long long>(press) - PosToPixel(axis, pos);
    return std::llabs(d) > axis.thumb / 2 ? 0 : static_cast<int>(d);
}

int DragTarget(const SliderAxis& axis, int pointer, int offset) {
    const long long target = static_cast<long long>(pointer) - offset;
    const int first = axis.FirstPixel();
    const int last = std::max(first, axis.LastPixel());
    return static_cast<int>(std::clamp<long long>(target, first, last));
}

}  // namespace quavelo
