#pragma once

namespace quavelo {

// The value <-> pixel mapping of a slider along its axis, without any widget: the thumb's
// centre travels from startMargin + thumb/2 (value min) to size - endMargin - thumb/2 (value
// max). Pixels are the control's own, left or top = 0.
struct SliderAxis {
    int min = 0;
    int max = 100;
    int size = 0;         // the channel's width (horizontal) or height (vertical)
    int thumb = 0;        // the thumb's extent along the axis
    int startMargin = 0;  // margin left or top
    int endMargin = 0;    // margin right or bottom

    int Travel() const { return size - endMargin - thumb - startMargin; }
    // The thumb centre's first and last pixel.
    int FirstPixel() const { return thumb / 2 + startMargin; }
    int LastPixel() const { return size - endMargin - thumb / 2; }
};

// The thumb centre for value v. A slider with max == min or no travel keeps its thumb at the
// first pixel.
int PosToPixel(const SliderAxis& axis, int value);

// The value whose thumb centre is at pixel p, truncated toward zero and held in [min, max]. A
// slider with max == min or no travel answers min.
int PixelToPos(const SliderAxis& axis, int pixel);

// Where a press at pixel `press` grips the thumb of value `pos`: the offset between press and
// thumb centre when the press lands on the thumb (the thumb keeps its grip), 0 when it lands
// beside it (the thumb's centre jumps to the pointer).
int DragOffset(const SliderAxis& axis, int pos, int press);

// The thumb centre a drag asks for: pointer minus grip offset, held on the travel.
int DragTarget(const SliderAxis& axis, int pointer, int offset);

}  // namespace quavelo
