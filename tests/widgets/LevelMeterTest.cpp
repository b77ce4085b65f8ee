#include "widgets/LevelMeter.h"

#include <gtest/gtest.h>

#include "widgets/MeterFill.h"

namespace quavelo {
namespace {

// A reading beyond the range fills the meter to its end and no further.
TEST(MeterTest, PositionAndFillAreHeldInTheRange) {
    LevelMeter meter;
    meter.SetPos(250);
    EXPECT_EQ(meter.GetPos(), 100);
    meter.SetPos(-3);
    EXPECT_EQ(meter.GetPos(), 0);
    // clang-format off
    const struct { int lower, upper, pos, fill, source; } cases[] = {
        {0, 100, 37, 74, 122}, {0, 100, 101, 200, 330}, {0, 100, -1, 0, 0}, {100, 0, 50, 0, 0}};
    // clang-format on
    for (const auto& c : cases) {
        const MeterFill fill = MeterFillFor(200, 330, c.lower, c.upper, c.pos);
        EXPECT_EQ(std::pair(fill.fillWidth, fill.sourceWidth), std::pair(c.fill, c.source))
            << c.lower << ".." << c.upper << " at " << c.pos;
    }
}

}  // namespace
}  // namespace quavelo
