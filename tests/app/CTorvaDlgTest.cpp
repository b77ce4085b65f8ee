#include <gtest/gtest.h>

#include <QImage>

#include "app/AppRig.h"
#include "pages/CControlDlg.h"
#include "pages/CEqDlg.h"
#include "pages/CKd4Dlg.h"
#include "pages/CSettingDlg.h"

namespace quavelo {
namespace {

using test::AppRig;

TEST(MainWindowTest, StartsOnTheStartScreenWithTheInitialModel) {
    AppRig rig;
    CTorvaDlg& window = *rig.window;
    EXPECT_EQ(window.pos(), QPoint(0, 0));
    EXPECT_EQ(window.size(), QSize(1000, 700));
    EXPECT_TRUE(window.LoginPage()->isVisible());
    for (QWidget* page :
         {static_cast<QWidget*>(window.EqPage()), static_cast<QWidget*>(window.SettingPage()),
          static_cast<QWidget*>(window.TorvaPage()), static_cast<QWidget*>(window.Kd4Page())}) {
        EXPECT_FALSE(page->isVisible());
    }
    EXPECT_EQ(rig.Title(), "QUAVELO");
    EXPECT_EQ(rig.Status(), "Disconnect");
    auto* ret = rig.Control<PngButton>(&window, CTorvaDlg::kIdReturn);
    EXPECT_EQ(ret->text(), "Return");
    EXPECT_EQ(ret->geometry(), QRect(0, 10, 60, 30));
    EXPECT_FALSE(ret->isVisible());
    EXPECT_EQ(rig.params.monitorPlaybackCut, 80) << "initial values given";
    EXPECT_FALSE(window.Opened());
    EXPECT_TRUE(window.EqPage()->Ready());
}

struct PageCase {
    int index;
    bool login, torva, kd4, header;
};

class ShowPageTest : public testing::TestWithParam<PageCase> {};

TEST_P(ShowPageTest, ShowsOnePageAndTheHeaderOnlyOnAModelsPage) {
    AppRig rig;
    const PageCase c = GetParam();
    rig.window->ShowPage(CTorvaDlg::kPageKd4);
    rig.window->SetTitleText("KD4");
    rig.window->ShowPage(c.index);
    EXPECT_EQ(rig.window->LoginPage()->isVisible(), c.login);
    EXPECT_EQ(rig.window->TorvaPage()->isVisible(), c.torva);
    EXPECT_EQ(rig.window->Kd4Page()->isVisible(), c.kd4);
    EXPECT_FALSE(rig.window->EqPage()->isVisible());
    EXPECT_FALSE(rig.window->SettingPage()->isVisible());
    for (int id : {CTorvaDlg::kIdIndicator, CTorvaDlg::kIdReturn, CTorvaDlg::kIdStatus}) {
        EXPECT_EQ(rig.Control(rig.window.get(), id)->isVisible(), c.header) << id;
    }
    EXPECT_EQ(rig.Title(), c.index == CTorvaDlg::kPageStart ? "QUAVELO" : "KD4");
}

INSTANTIATE_TEST_SUITE_P(Pages, ShowPageTest,
                         testing::Values(PageCase{0, true, false, false, false},
                                         PageCase{1, false, true, false, true},
                                         PageCase{2, false, false, true, true},
                                         // Not a page: the KD4 page stays.
                                         PageCase{3, false, false, true, true},
                                         PageCase{-1, false, false, true, true}));

TEST(ShowPageTest, TheKd4PageIsRefreshedBeforeItIsShown) {
    AppRig rig;
    rig.window->ShowPage(CTorvaDlg::kPageTorva);
    EXPECT_EQ(rig.refreshes->count(), 0);
    rig.window->ShowPage(CTorvaDlg::kPageKd4);
    EXPECT_EQ(rig.Refreshes(CTorvaDlg::kPageKd4), 1);
}

struct SizeCase {
    int w, h;
};

class WindowSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(WindowSizeTest, HeaderAndPagesFollowTheSize) {
    AppRig rig;
    const SizeCase c = GetParam();
    rig.window->resize(c.w, c.h);
    EXPECT_EQ(rig.Control(rig.window.get(), CTorvaDlg::kIdTitle)->geometry(),
              QRect((c.w - 150) / 2, 10, 150, 30));
    EXPECT_EQ(rig.Control(rig.window.get(), CTorvaDlg::kIdIndicator)->geometry(),
              QRect(c.w - 70, 15, 44, 26));
    EXPECT_EQ(rig.Control(rig.window.get(), CTorvaDlg::kIdStatus)->geometry(),
              QRect(c.w - 180, 20, 100, 20));
    for (QWidget* page : {static_cast<QWidget*>(rig.window->LoginPage()),
                          static_cast<QWidget*>(rig.window->EqPage()),
                          static_cast<QWidget*>(rig.window->SettingPage()),
                          static_cast<QWidget*>(rig.window->TorvaPage()),
                          static_cast<QWidget*>(rig.window->Kd4Page())}) {
        EXPECT_EQ(page->geometry(), QRect(0, 50, c.w, c.h - 60));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowSizeTest,
                         testing::Values(SizeCase{1000, 700}, SizeCase{1281, 801},
                                         SizeCase{640, 480}));

TEST(MainWindowTest, TheLampIgnoresClicks) {
    AppRig rig;
    rig.window->ShowPage(CTorvaDlg::kPageTorva);
    rig.Click(rig.window.get(), CTorvaDlg::kIdIndicator);
    EXPECT_EQ(rig.Lamp(), 0);
    EXPECT_FALSE(rig.window->Opened());
}

// The header's texts are dark on the beige: a label's colour is ARGB, so the window gives it an
// opaque one.
TEST(MainWindowTest, HeaderTextsAreDrawn) {
    AppRig rig;
    rig.window->ShowPage(CTorvaDlg::kPageTorva);
    QImage image(rig.window->size(), QImage::Format_ARGB32);
    rig.window->render(&image);
    EXPECT_EQ(image.pixel(5, 5), 0xFFEAD2BAu) << "the beige header";
    auto darkPixels = [&image](const QRect& box) {
        int dark = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                if (qGray(image.pixel(x, y)) < 100) ++dark;
            }
        }
        return dark;
    };
    EXPECT_GT(darkPixels(rig.Control(rig.window.get(), CTorvaDlg::kIdTitle)->geometry()), 20);
    EXPECT_GT(darkPixels(rig.Control(rig.window.get(), CTorvaDlg::kIdStatus)->geometry()), 20);
}

}  // namespace
}  // namespace quavelo
