#pragma once

namespace quavelo {

// How much of a level meter's fill image is shown for a position: the left `sourceWidth`
// pixels of the image, stretched over the left `fillWidth` pixels of the control.
struct MeterFill {
    int fillWidth = 0;
    int sourceWidth = 0;
};

// fillWidth = clientWidth * (pos - lower) / (upper - lower), sourceWidth likewise for the
// image's width, in integer arithmetic. pos is held in [lower, upper]; an empty range shows
// nothing.
MeterFill MeterFillFor(int clientWidth, int imageWidth, int lower, int upper, int pos);

}  // namespace quavelo
