// The KD4 page's deferred slider and graph sends, "Please Wait" while it is busy, and the lock.

#include <gtest/gtest.h>

#include "device/PresetFile.h"
#include "pages/PageRig.h"
#include "support/SettingsByName.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;
using test::Kd4Rig;

TEST(Kd4PageTest, SliderDragSendsAfterTwoHundredQuietMillisecondsAndAtTheRelease) {
    Kd4Rig rig;
    rig.Connect();
    const auto gain = [](auto& c, auto&) { c.Pause(20ms), c.SetMicGain(); };
    for (int pos : {4, 8, 12, 16}) {
        rig.DragSlider(Kd4Page::kIdMicGainSlider, {pos}, false);
        rig.Tick(150ms);
        EXPECT_EQ(rig.TakeSent(), std::vector<std::string>{}) << "each movement restarts the wait";
    }
    rig.Tick(49ms);
    EXPECT_EQ(rig.TakeSent(), std::vector<std::string>{});
    rig.Tick(1ms);
    EXPECT_EQ(rig.TakeSent(), rig.SentBy(gain));
    rig.Tick(500ms);
    EXPECT_EQ(rig.TakeSent(), std::vector<std::string>{}) << "one group per quiet time";
    rig.DragSlider(Kd4Page::kIdMicGainSlider, {30}, true);
    EXPECT_EQ(rig.TakeSent(), rig.SentBy(gain)) << "the release sends at once, and only once";
    rig.Tick(500ms);
    EXPECT_EQ(rig.TakeSent(), std::vector<std::string>{});
}

TEST(Kd4PageTest, GraphDragSendsAtMostEveryFiveHundredMilliseconds) {
    Kd4Rig rig;
    rig.Refresh([](DeviceParams& p) { p.eqMode = 1; });
    rig.Connect();
    const QPoint start = rig.HandleCentre(1);
    QTest::mousePress(rig.Graph(), Qt::LeftButton, {}, start);
    rig.TakeSent();    // the selection goes at once
    std::string sent;  // per step, whether its tick sent the band
    for (int step = 1; step <= 12; ++step) {
        QTest::mouseMove(rig.Graph(), start + QPoint(step * 3, -step));
        rig.Tick(100ms);
        sent += rig.TakeSent().empty() ? '0' : '1';
    }
    EXPECT_EQ(sent, "100001000010") << "the first step at its tick, then one per 500 ms";
    QTest::mouseRelease(rig.Graph(), Qt::LeftButton, {}, start + QPoint(36, -12));
    const auto band = [](auto& c, auto&) { c.Pause(20ms), c.SetBand(BandSet::Graph, 2); };
    EXPECT_EQ(rig.TakeSent(), rig.SentBy(band)) << "the release sends at once";
}

// While a job is queued or running, a button or list answers "Please Wait" and changes nothing;
// sliders do not ask, their jobs wait in line.
TEST(Kd4PageTest, ButtonsSayPleaseWaitWhileBusyAndSlidersWaitInLine) {
    Kd4Rig rig;
    rig.Connect();
    rig.params.commandBusy = 1;
    const auto before = test::SettingsByName(rig.params);
    for (int id : {1015, 1016, 1017, 1030, 1031, 1032, 1095, 1100, 1101, 1034}) rig.Click(id);
    rig.Choose(Kd4Page::kIdLimiterList, 2);
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>(11, "Please Wait"));
    EXPECT_EQ(test::SettingsByName(rig.params), before);
    EXPECT_EQ(rig.Control<DropDownButton>(Kd4Page::kIdLimiterList)->GetCurSel(), 0);
    rig.TakeSent();
    rig.KeySlider(Kd4Page::kIdMicGainSlider, 10);
    EXPECT_EQ(rig.prompt.Infos().size(), 11U);
    EXPECT_EQ(rig.TakeSent(), rig.SentBy([](auto& c, auto&) { c.Pause(20ms), c.SetMicGain(); }));
}

// The lock disables the processing controls, Save and Read; the status switches, the slot
// buttons and the preview stay usable. Unlocking gives each control its own state back.
TEST(Kd4PageTest, LockFromTheSwitchOrARecalledPresetAndUnlock) {
    Kd4Rig rig;
    const std::vector<int> locked{1015, 1016, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1096};
    const auto expectLocked = [&](bool on) {
        EXPECT_EQ(rig.Control(Kd4Page::kIdLockOverlay)->isVisible(), on);
        for (int id : locked) EXPECT_EQ(rig.Control(id)->isEnabled(), !on) << id;
        for (int id : {1017, 1058, 1067, 1100, 1101})
            EXPECT_TRUE(rig.Control(id)->isEnabled()) << id;
    };
    rig.Refresh([](DeviceParams& p) { p.limiterOn = 0, p.eqEnabled = 0; });
    rig.Click(Kd4Page::kIdLockSwitch);
    expectLocked(true);
    rig.Click(Kd4Page::kIdLockSwitch);
    expectLocked(false);
    EXPECT_FALSE(rig.Control(Kd4Page::kIdLimiterList)->isEnabled()) << "the limiter is off";
    EXPECT_FALSE(rig.Control(EqEditor::kIdFirstBandSlider)->isEnabled()) << "the equaliser is off";

    DeviceParams stored;
    stored.ResetToInitialValues();
    stored.kd4Lock = 1;
    ASSERT_EQ(WritePresetFile(PresetFilePath(rig.dataDir.Path(), 4), BuildPresetImage(stored)), "");
    rig.prompt.SetDefaultConfirmAnswer(true);
    rig.Click(kIdFirstSlotButton + 4);
    rig.Click(kIdReadButton);
    expectLocked(true);
    EXPECT_EQ(rig.Control<ImageButton>(Kd4Page::kIdLockSwitch)->Checked(), 1);
}

}  // namespace
}  // namespace quavelo
