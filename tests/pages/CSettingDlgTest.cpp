#include "pages/CSettingDlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "widgets/ControlId.h"

namespace quavelo {
namespace {

TEST(CSettingDlgTest, HoldsOnlyTheTwoButtonsAtTheTopLeft) {
    CSettingDlg page;
    const auto* ok = FindControl<QPushButton>(&page, CSettingDlg::kIdOk);
    const auto* cancel = FindControl<QPushButton>(&page, CSettingDlg::kIdCancel);
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("确定"));
    EXPECT_EQ(cancel->text(), QStringLiteral("取消"));
    EXPECT_EQ(page.findChildren<QWidget*>().size(), 2);
    for (const QPushButton* b : {ok, cancel}) {
        EXPECT_LT(b->geometry().right(), page.width() / 2) << b->text().toStdString();
        EXPECT_LT(b->geometry().bottom(), page.height() / 4) << b->text().toStdString();
    }
}

class CSettingDlgEndTest : public testing::TestWithParam<int> {};

TEST_P(CSettingDlgEndTest, EitherButtonEndsThePage) {
    CSettingDlg page;
    page.show();
    QTest::mouseClick(FindControl<QPushButton>(&page, GetParam()), Qt::LeftButton);
    EXPECT_FALSE(page.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Buttons, CSettingDlgEndTest,
                         testing::Values(CSettingDlg::kIdOk, CSettingDlg::kIdCancel));

}  // namespace
}  // namespace quavelo
