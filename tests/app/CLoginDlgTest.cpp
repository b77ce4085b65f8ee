#include <gtest/gtest.h>

#include <QImage>

#include "app/AppRig.h"
#include "widgets/CMyProgressCtrl.h"

namespace quavelo {
namespace {

using test::AppRig;

int TileOn(AppRig& rig, int id) {
    return rig.Control<PngButton>(rig.window->LoginPage(), id)->Checked();
}

TEST(StartScreenTest, ControlsAtTheirPlacesWithTheirTexts) {
    AppRig rig;
    CLoginDlg* login = rig.window->LoginPage();
    struct Place {
        int id;
        QRect rect;
        bool visible;
    };
    const Place places[] = {
        {CLoginDlg::kIdTorvaTile, {50, 30, 180, 180}, true},
        {CLoginDlg::kIdTorvaCaption, {50, 215, 180, 60}, true},
        {CLoginDlg::kIdKd4Tile, {260, 30, 180, 180}, true},
        {CLoginDlg::kIdKd4Caption, {260, 215, 180, 60}, true},
        {CLoginDlg::kIdThirdTile, {470, 30, 180, 180}, false},
        {CLoginDlg::kIdThirdCaption, {470, 215, 180, 60}, false},
        {CLoginDlg::kIdStart, {420, 500, 102, 50}, true},
    };
    for (const Place& place : places) {
        QWidget* control = rig.Control(login, place.id);
        ASSERT_NE(control, nullptr) << place.id;
        EXPECT_EQ(control->geometry(), place.rect) << place.id;
        EXPECT_EQ(control->isVisible(), place.visible) << place.id;
    }
    EXPECT_EQ(rig.Control<PngButton>(login, CLoginDlg::kIdStart)->text(), "Start");
    EXPECT_EQ(rig.Control<CStaticST>(login, CLoginDlg::kIdTorvaCaption)->Text(),
              "TORVA Virtual Device Phone Converter");
    EXPECT_EQ(rig.Control<CStaticST>(login, CLoginDlg::kIdKd4Caption)->Text(),
              "KD4 Virtual Device Phone Converter");
    auto* progress = rig.Control<CMyProgressCtrl>(login, CLoginDlg::kIdProgress);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(progress->GetPos(), 20);
    EXPECT_EQ(TileOn(rig, CLoginDlg::kIdTorvaTile), 1);
    EXPECT_EQ(TileOn(rig, CLoginDlg::kIdKd4Tile), 0);
}

TEST(StartScreenTest, StartWithoutTouchingATilePicksTorva) {
    AppRig rig;
    rig.torva->Unplug();
    rig.PressStart();
    EXPECT_EQ(rig.params.deviceModel, kModelTorva);
    EXPECT_EQ(rig.Title(), "Torva");
    EXPECT_TRUE(rig.window->TorvaPage()->isVisible());
    EXPECT_FALSE(rig.window->LoginPage()->isVisible());
}

TEST(StartScreenTest, TilesActAsRadioButtons) {
    AppRig rig;
    rig.ClickTile(kModelKd4);
    rig.ClickTile(kModelKd4);
    EXPECT_EQ(TileOn(rig, CLoginDlg::kIdKd4Tile), 1) << "a second click leaves it on";
    EXPECT_EQ(TileOn(rig, CLoginDlg::kIdTorvaTile), 0);
    rig.ClickTile(kModelTorva);
    EXPECT_EQ(TileOn(rig, CLoginDlg::kIdKd4Tile), 0);
    EXPECT_EQ(TileOn(rig, CLoginDlg::kIdTorvaTile), 1);
}

TEST(StartScreenTest, StartWithKd4ShowsItsPageAndReturnKeepsTheChoice) {
    AppRig rig;
    rig.kd4->Unplug();
    rig.Start(kModelKd4);
    EXPECT_EQ(rig.params.deviceModel, kModelKd4);
    EXPECT_EQ(rig.Title(), "KD4");
    EXPECT_TRUE(rig.window->Kd4Page()->isVisible());

    rig.Return();
    EXPECT_TRUE(rig.window->LoginPage()->isVisible());
    EXPECT_EQ(TileOn(rig, CLoginDlg::kIdKd4Tile), 1);
    EXPECT_EQ(rig.params.deviceModel, kModelKd4);
}

// The captions are dark on the beige (an ARGB colour without alpha would draw nothing).
TEST(StartScreenTest, CaptionsAreDrawn) {
    AppRig rig;
    QWidget* caption = rig.Control(rig.window->LoginPage(), CLoginDlg::kIdKd4Caption);
    QImage image(caption->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    caption->render(&image);
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    }
    EXPECT_GT(dark, 50);
}

}  // namespace
}  // namespace quavelo
