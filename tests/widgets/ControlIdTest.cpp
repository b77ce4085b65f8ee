#include "widgets/ControlId.h"

#include <gtest/gtest.h>

#include "widgets/CBitmapSlider.h"
#include "widgets/PngButton.h"

namespace quavelo {
namespace {

TEST(ControlIdTest, FindsControlsByIdAndType) {
    QWidget page;
    auto* panel = new QWidget(&page);
    auto* slider = new CBitmapSlider(panel);
    auto* button = new PngButton(&page);
    SetControlId(slider, 1028);
    SetControlId(button, 1015);
    EXPECT_EQ(ControlId(slider), 1028);
    EXPECT_EQ(FindControl<CBitmapSlider>(&page, 1028), slider);
    EXPECT_EQ(FindControl<PngButton>(&page, 1015), button);
    EXPECT_EQ(FindControl<PngButton>(&page, 1028), nullptr);
    EXPECT_EQ(FindControl(&page, 1099), nullptr);
    EXPECT_EQ(ControlId(panel), -1);
}

}  // namespace
}  // namespace quavelo
