#include <gtest/gtest.h>

#include <QImage>

#include "pages/CControlDlg.h"
#include "pages/CKd4Dlg.h"
#include "pages/PageRig.h"

namespace quavelo {
namespace {

QImage Render(QWidget& page) {
    page.resize(1000, 640);
    QImage image(page.size(), QImage::Format_ARGB32);
    page.render(&image);
    return image;
}

TEST(PageBackgroundTest, DarkPageWithBlackSectionBars) {
    test::PageRig rig;
    CControlDlg torva(rig.context);
    CKd4Dlg kd4(rig.context);
    for (QWidget* page : {static_cast<QWidget*>(&torva), static_cast<QWidget*>(&kd4)}) {
        const QImage image = Render(*page);
        EXPECT_EQ(image.pixel(300, 420), 0xFF202020u);
        EXPECT_EQ(image.pixel(651, 100), 0xFF000000u) << "the bar at x 650";
        EXPECT_EQ(image.pixel(100, 321), 0xFF000000u) << "the bar at y 320";
        EXPECT_EQ(image.pixel(461, 500), 0xFF000000u) << "the bar at x 460";
        EXPECT_EQ(image.pixel(996, 100), 0xFF000000u) << "5 pixels left of the right edge";
    }
    EXPECT_EQ(Render(kd4).pixel(241, 400), 0xFF000000u) << "the KD4's bar at x 240";
    EXPECT_EQ(Render(torva).pixel(241, 400), 0xFF202020u);
}

}  // namespace
}  // namespace quavelo
