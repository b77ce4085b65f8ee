#include "widgets/DropDownButton.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QSignalSpy>
#include <QWindow>

#include "WidgetTestSupport.h"
#include "widgets/DropDownList.h"
#include "widgets/DropDownPopup.h"
#include "widgets/ImageButton.h"

namespace quavelo {
namespace {

// The limiter's list: LOW, MID, HIGH with HIGH chosen.
class DropDownTest : public testing::Test {
  protected:
    void SetUp() override {
        combo.SetComboBitmaps();
        ASSERT_TRUE(combo.CreateDropDown(1020));
        for (const char* item : {"LOW", "MID", "HIGH"}) combo.List()->AddString(item);
        combo.SetCurSel(2);
        combo.show();
    }

    DropDownButton combo{&test::Page()};
    QSignalSpy choices{&combo, &DropDownButton::choiceMade};
};

// However the open list is left without a choice, with the pointer over another item, the
// previous choice stands and nothing is reported; a release on an item chooses it.
TEST_F(DropDownTest, LeavingTheListWithoutAChoiceRestoresThePreviousOne) {
    QWidget* items = combo.List()->viewport();
    const auto at = [&](int i) {
        return combo.List()->visualItemRect(combo.List()->item(i)).center();
    };
    const auto openAndPointAt = [&](int i) {
        QTest::mouseClick(&combo, Qt::LeftButton, {}, {10, 10});
        QMouseEvent hover(QEvent::MouseMove, at(i), items->mapToGlobal(at(i)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(items, &hover);
        return combo.GetCurSel() == i;  // highlighted under the pointer
    };
    ASSERT_TRUE(openAndPointAt(0));
    QTest::mousePress(items, Qt::LeftButton, {}, at(0));
    QTest::mouseRelease(items, Qt::LeftButton, {}, at(0) + QPoint(300, 0));  // let go outside
    ASSERT_TRUE(openAndPointAt(1));
    QTest::keyClick(combo.Popup(), Qt::Key_Escape);
    ASSERT_TRUE(openAndPointAt(0));
    // A click beside the list: the open pop-up takes every press, this one outside itself.
    QTest::mouseClick(combo.Popup(), Qt::LeftButton, {}, {-40, 90});
    test::DeliverPosted();
    EXPECT_FALSE(combo.ListOpen());
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.text(), "HIGH");
    EXPECT_EQ(choices.count(), 0);

    ASSERT_TRUE(openAndPointAt(1));
    QTest::mouseClick(items, Qt::LeftButton, {}, at(1));
    test::DeliverPosted();
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.text(), "MID");
    EXPECT_EQ(choices, (QList<QList<QVariant>>{{1020, 1}}));
}

// Space or Alt+Down opens the list, the arrows move in it, Enter chooses and Escape cancels.
TEST_F(DropDownTest, KeysOpenTheListChooseAndCancel) {
    QTest::keyClick(&combo, Qt::Key_Space);
    ASSERT_TRUE(combo.ListOpen());
    QTest::keyClick(combo.List(), Qt::Key_Up);
    QTest::keyClick(combo.List(), Qt::Key_Return);
    test::DeliverPosted();
    EXPECT_FALSE(combo.ListOpen());
    EXPECT_EQ(combo.text(), "MID");
    QTest::keyClick(&combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo.ListOpen());
    QTest::keyClick(combo.List(), Qt::Key_Down);
    QTest::keyClick(combo.List(), Qt::Key_Escape);
    test::DeliverPosted();
    EXPECT_FALSE(combo.ListOpen());
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(choices, (QList<QList<QVariant>>{{1020, 1}}));
}

// While the list is open the window system hands every press to the pop-up. One click on another
// control closes the list and works that control; one on the drop-down's own button only closes
// the list, which must not open again.
TEST_F(DropDownTest, AClickOutsideTheOpenListClosesItAndReachesTheControlBeneath) {
    QWidget& page = test::Page();
    ImageButton toggle(&page);
    toggle.setGeometry(300, 300, 50, 28);
    toggle.show();
    QSignalSpy clicks(&toggle, &ImageButton::clicked);
    const auto clickOn = [&page](QWidget& widget) {
        QTest::mouseClick(page.windowHandle(), Qt::LeftButton, {},
                          widget.mapTo(&page, widget.rect().center()));
    };

    QTest::mouseClick(&combo, Qt::LeftButton, {}, {10, 10});
    ASSERT_TRUE(combo.ListOpen());
    clickOn(toggle);
    EXPECT_FALSE(combo.ListOpen());
    EXPECT_EQ(clicks.count(), 1);

    QTest::mouseClick(&combo, Qt::LeftButton, {}, {10, 10});
    ASSERT_TRUE(combo.ListOpen());
    clickOn(combo);
    EXPECT_FALSE(combo.ListOpen());
    EXPECT_EQ(combo.GetCurSel(), 2);
}

}  // namespace
}  // namespace quavelo
