#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "app/AppRig.h"
#include "device/DeviceCommands.h"
#include "device/SettingsBlocks.h"
#include "link/TrafficLog.h"
#include "pages/CControlDlg.h"
#include "pages/CKd4Dlg.h"
#include "support/FakeReportLink.h"
#include "support/RecordingLogSink.h"
#include "support/RecordingSleeper.h"
#include "widgets/CBitmapSlider.h"
#include "widgets/CMyProgressCtrl.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;
using test::AppRig;

TEST(TorvaConnectTest, ReadsBackRefreshesPushesAndPolls) {
    AppRig rig;
    // A gain the panel does not start with, saved on the device before.
    DeviceParams saved;
    saved.ResetToInitialValues();
    saved.micGain = 30;
    AppRig::StoreBlock(*rig.torva, SettingsBlock(saved));

    rig.Start(kModelTorva);
    ASSERT_TRUE(rig.WaitConnected());
    EXPECT_EQ(rig.params.micGain, 30) << "read back";
    EXPECT_EQ(rig.Refreshes(CTorvaDlg::kPageTorva), 1);
    EXPECT_EQ(rig.Status(), "Connect");
    EXPECT_EQ(rig.Lamp(), 1);
    EXPECT_TRUE(rig.window->Opened());
    EXPECT_TRUE(rig.prompt.Infos().empty());

    // On the wire: the seven store reads, then exactly what pushing every setting sends.
    test::FakeReportLink fake;
    test::RecordingSleeper sleeper;
    test::RecordingLogSink log;
    test::RecordingPrompt prompt;
    ASSERT_TRUE(DeviceCommands(fake, rig.params, sleeper, log, prompt).PushAllSettings());
    const std::vector<HidReport> push = fake.Written();
    const std::vector<std::vector<std::uint8_t>> received = rig.torva->TakeReceived();
    ASSERT_GE(received.size(), 7 + push.size());
    EXPECT_EQ(AppRig::StoreReads({received.begin(), received.begin() + 7}), 7);
    for (std::size_t i = 0; i < push.size(); ++i) {
        EXPECT_EQ(received[7 + i], std::vector<std::uint8_t>(push[i].begin(), push[i].end()))
            << "pushed report " << i;
    }

    // The poller's readings reach the (mono) meter and keep changing.
    auto* meter = FindControl<CMyProgressCtrl>(rig.window->TorvaPage(), CControlDlg::kIdMeterMono);
    ASSERT_NE(meter, nullptr);
    std::set<int> positions;
    EXPECT_TRUE(AppRig::WaitFor([&] {
        positions.insert(meter->GetPos());
        return positions.size() >= 3;
    }));
    EXPECT_EQ(rig.window->PollersStarted(), 1);
}

TEST(TorvaConnectTest, FailedReadBackSaysSoOnceAndKeepsTheLinkOpen) {
    AppRig rig;
    SimFaults faults;
    faults.missingAnswers = true;
    rig.torva->SetFaults(faults);

    rig.Start(kModelTorva);
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"Read para fail."});
    EXPECT_TRUE(rig.window->Opened());
    EXPECT_EQ(rig.params.connected, 0);
    EXPECT_EQ(rig.Status(), "Disconnect");
    EXPECT_EQ(rig.Lamp(), 0);
    EXPECT_FALSE(rig.window->PollerRunning());
    EXPECT_EQ(rig.torva->LiveOpenings(), 1);

    rig.Return();
    EXPECT_FALSE(rig.window->Opened());
    EXPECT_TRUE(AppRig::WaitFor([&] { return rig.torva->LiveOpenings() == 0; }));
    EXPECT_EQ(rig.prompt.Infos().size(), 1u);
}

TEST(TorvaConnectTest, RemovalWhileAFailedPushIsReportedLeavesItDisconnected) {
    AppRig rig;
    SimFaults slow;
    slow.latency = 20ms;
    rig.torva->SetFaults(slow);
    // Once the last read-back request is taken, the device stops taking writes: the push fails.
    std::thread stall([&] {
        for (int reads = 0; reads < 7;) {
            const auto report = rig.torva->WaitForReceived(3000ms);
            if (!report) return;
            reads += AppRig::StoreReads({*report});
        }
        SimFaults stalled = slow;
        stalled.stallWrites = true;
        rig.torva->SetFaults(stalled);
    });
    // While "发送失败" is up, the device is pulled out.
    rig.prompt.onInfo = [&](std::string_view text) {
        if (text != "发送失败") return;
        rig.torva->Unplug();
        AppRig::WaitFor([&] { return !rig.window->Opened(); }, 2000ms);
    };

    rig.Start(kModelTorva);
    stall.join();
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"发送失败"});
    EXPECT_FALSE(rig.window->Opened());
    EXPECT_EQ(rig.params.connected, 0);
    EXPECT_EQ(rig.Status(), "Disconnect");
    EXPECT_EQ(rig.Lamp(), 0);
    EXPECT_FALSE(rig.window->PollerRunning());
    rig.torva->SetFaults({});
}

TEST(Kd4ConnectTest, RequestsTwiceOffTheWindowAndTheTimerCompletesOnce) {
    AppRig rig;
    DeviceParams saved;
    saved.ResetToInitialValues();
    saved.micGain = 12;
    AppRig::StoreBlock(*rig.kd4, SettingsBlockKd4(saved));

    rig.Start(kModelKd4);
    // Start returned long before the fourteen requests, 80 ms apart, were sent.
    EXPECT_EQ(rig.params.connected, 0);
    int reads = AppRig::StoreReads(rig.kd4->TakeReceived());
    EXPECT_LT(reads, 14);

    ASSERT_TRUE(rig.WaitConnected());
    EXPECT_EQ(rig.params.micGain, 12);
    EXPECT_EQ(rig.Status(), "Connect");
    EXPECT_EQ(rig.Lamp(), 1);

    // The second series completes the read-back again: the page follows, nothing else happens.
    // Refreshes: ShowPage, the completion, the second completion.
    EXPECT_TRUE(AppRig::WaitFor([&] { return rig.Refreshes(CTorvaDlg::kPageKd4) >= 3; }));
    AppRig::Idle(100ms);
    EXPECT_EQ(rig.Refreshes(CTorvaDlg::kPageKd4), 3);
    reads += AppRig::StoreReads(rig.kd4->TakeReceived());
    EXPECT_EQ(reads, 14) << "the seven requests, twice";
    EXPECT_EQ(rig.window->PollersStarted(), 1);
    EXPECT_TRUE(rig.prompt.Infos().empty());

    // Every received report is in the day's log.
    const std::string log = test::ReadFile(rig.dataDir.Path() / LogFileName(CurrentLocalTime()));
    EXPECT_NE(log.find("1:recdata:FF A0 00 00 0A 01 "), std::string::npos) << log.substr(0, 200);
}

TEST(Kd4ConnectTest, MeterFollowsTheDeviceThroughTheTimer) {
    AppRig rig;
    rig.Start(kModelKd4);
    ASSERT_TRUE(rig.WaitConnected());
    auto* meter = FindControl<CMyProgressCtrl>(rig.window->Kd4Page(), CKd4Dlg::kIdLevelMeter);
    ASSERT_NE(meter, nullptr);
    std::set<int> positions;
    EXPECT_TRUE(AppRig::WaitFor([&] {
        positions.insert(meter->GetPos());
        return positions.size() >= 3;
    }));
}

TEST(Kd4ConnectTest, FailedSecondSeriesSaysSoAndLeavesTheLinkOpen) {
    AppRig rig;
    SimFaults faults;
    faults.stallWrites = true;
    rig.kd4->SetFaults(faults);

    rig.Start(kModelKd4);
    EXPECT_TRUE(AppRig::WaitFor([&] { return !rig.prompt.Infos().empty(); }));
    AppRig::Idle(100ms);
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"Read para fail."});
    EXPECT_TRUE(rig.window->Opened());
    EXPECT_EQ(rig.params.connected, 0);
    EXPECT_EQ(rig.Status(), "Disconnect");
    rig.kd4->SetFaults({});
}

TEST(Kd4ConnectTest, ReturnWhileConnectingEndsTheRequestsWithoutAMessage) {
    AppRig rig;
    SimFaults faults;
    faults.stallWrites = true;
    rig.kd4->SetFaults(faults);

    rig.Start(kModelKd4);
    rig.Return();
    EXPECT_FALSE(rig.window->Opened());
    AppRig::Idle(500ms);
    EXPECT_TRUE(rig.prompt.Infos().empty());
    EXPECT_EQ(rig.params.connected, 0);
    rig.kd4->SetFaults({});
}

TEST(Kd4ConnectTest, DevicesOwnControlsRefreshThePageThroughTheTimer) {
    AppRig rig;
    rig.Start(kModelKd4);
    ASSERT_TRUE(rig.WaitConnected());
    ASSERT_TRUE(AppRig::WaitFor([&] { return rig.Refreshes(CTorvaDlg::kPageKd4) >= 3; }));

    struct Press {
        const char* name;
        std::function<bool(SimulatedDevice&)> press;
        std::function<bool(const DeviceParams&)> changed;
        std::function<bool(AppRig&, QWidget*)> shown;
    };
    const int gain = rig.params.micGain;
    const Press presses[] = {
        {"knob", [](SimulatedDevice& d) { return d.TurnGainKnob(3); },
         [gain](const DeviceParams& p) { return p.micGain == gain + 3; },
         [gain](AppRig& r, QWidget* page) {
             return r.Control<CBitmapSlider>(page, CKd4Dlg::kIdMicGainSlider)->GetPos() == gain + 3;
         }},
        {"mute", [](SimulatedDevice& d) { return d.PressMute(); },
         [](const DeviceParams& p) { return p.kd4SwitchA == 1; },
         [](AppRig& r, QWidget* page) {
             return r.Control<PngButton>(page, CKd4Dlg::kIdMuteSwitch)->Checked() == 1;
         }},
        {"lock", [](SimulatedDevice& d) { return d.PressLock(); },
         [](const DeviceParams& p) { return p.kd4Lock == 1; },
         [](AppRig& r, QWidget* page) {
             return r.Control(page, CKd4Dlg::kIdLockOverlay)->isVisible() &&
                    !r.Control(page, CKd4Dlg::kIdMicGainSlider)->isEnabled();
         }},
    };
    for (const Press& press : presses) {
        const int before = rig.Refreshes(CTorvaDlg::kPageKd4);
        ASSERT_TRUE(press.press(*rig.kd4)) << press.name;
        EXPECT_TRUE(AppRig::WaitFor([&] {
            return press.changed(rig.params) && rig.Refreshes(CTorvaDlg::kPageKd4) > before;
        })) << press.name;
        EXPECT_TRUE(press.shown(rig, rig.window->Kd4Page())) << press.name;
        EXPECT_EQ(rig.params.statusReady, 0) << press.name;
    }
}

class NoDeviceTest : public testing::TestWithParam<int> {};

TEST_P(NoDeviceTest, ShowsTheChosenPageDisconnectedWithoutAMessage) {
    AppRig rig;
    rig.torva->Unplug();
    rig.kd4->Unplug();
    const int model = GetParam();
    rig.Start(model);
    AppRig::Idle(200ms);
    QWidget* page = model == kModelKd4 ? static_cast<QWidget*>(rig.window->Kd4Page())
                                       : static_cast<QWidget*>(rig.window->TorvaPage());
    EXPECT_TRUE(page->isVisible());
    EXPECT_FALSE(rig.window->LoginPage()->isVisible());
    EXPECT_EQ(rig.Status(), "Disconnect");
    EXPECT_EQ(rig.Lamp(), 0);
    EXPECT_FALSE(rig.window->Opened());
    EXPECT_TRUE(rig.prompt.Infos().empty());
}

INSTANTIATE_TEST_SUITE_P(BothModels, NoDeviceTest, testing::Values(kModelTorva, kModelKd4));

class RemovalTest : public testing::TestWithParam<int> {};

TEST_P(RemovalTest, RemovingOurDeviceDisconnectsAndReplugDoesNotReconnect) {
    AppRig rig;
    const int model = GetParam();
    rig.Start(model);
    ASSERT_TRUE(rig.WaitConnected());

    rig.Device(model).Unplug();
    EXPECT_TRUE(AppRig::WaitFor([&] { return !rig.window->Opened(); }));
    EXPECT_EQ(rig.Status(), "Disconnect");
    EXPECT_EQ(rig.Lamp(), 0);
    EXPECT_EQ(rig.params.connected, 0);
    EXPECT_FALSE(rig.window->PollerRunning());
    EXPECT_EQ(rig.window->LinkStatus().DeviceFound(), 0);

    rig.Device(model).Replug();
    AppRig::Idle(300ms);
    EXPECT_FALSE(rig.window->Opened());
    EXPECT_EQ(rig.params.connected, 0);
    EXPECT_EQ(rig.Device(model).LiveOpenings(), 0);
}

TEST_P(RemovalTest, RemovingAnotherDeviceChangesNothing) {
    AppRig rig;
    const int model = GetParam();
    rig.Start(model);
    ASSERT_TRUE(rig.WaitConnected());

    rig.Device(model == kModelKd4 ? kModelTorva : kModelKd4).Unplug();
    rig.monitor->Raise("/dev/hidraw9");
    AppRig::Idle(200ms);
    EXPECT_TRUE(rig.window->Opened());
    EXPECT_EQ(rig.params.connected, 1);
    EXPECT_EQ(rig.Status(), "Connect");
    EXPECT_TRUE(rig.window->PollerRunning());
}

INSTANTIATE_TEST_SUITE_P(BothModels, RemovalTest, testing::Values(kModelTorva, kModelKd4));

TEST(RemovalTest, RemovalAfterReturnNeverConnects) {
    AppRig rig;
    // A second TORVA that a connect would find once the first is gone.
    rig.backend.AddDevice(kModelTorva, "sim:torva-2");
    rig.Start(kModelTorva);
    ASSERT_TRUE(rig.WaitConnected());
    rig.Return();

    rig.torva->Unplug();
    AppRig::Idle(200ms);
    EXPECT_FALSE(rig.window->Opened());
    EXPECT_EQ(rig.params.connected, 0);
    EXPECT_TRUE(rig.window->LoginPage()->isVisible());
    EXPECT_EQ(rig.backend.Find("sim:torva-2")->LiveOpenings(), 0);
}

TEST(RemovalTest, RemovalAfterAFailedReadBackClosesTheLink) {
    AppRig rig;
    SimFaults faults;
    faults.missingAnswers = true;
    rig.torva->SetFaults(faults);
    rig.Start(kModelTorva);
    ASSERT_TRUE(rig.window->Opened());

    rig.torva->Unplug();
    EXPECT_TRUE(AppRig::WaitFor([&] { return !rig.window->Opened(); }));
    EXPECT_EQ(rig.Status(), "Disconnect");
}

class EndingTest : public testing::TestWithParam<int> {};

TEST_P(EndingTest, ReturnWhileConnectedClosesAndShowsTheStartScreen) {
    AppRig rig;
    const int model = GetParam();
    rig.Start(model);
    ASSERT_TRUE(rig.WaitConnected());

    rig.Return();
    EXPECT_FALSE(rig.window->Opened());
    EXPECT_FALSE(rig.window->PollerRunning());
    EXPECT_EQ(rig.params.connected, 0);
    EXPECT_EQ(rig.Lamp(), 0);
    EXPECT_TRUE(rig.window->LoginPage()->isVisible());
    EXPECT_EQ(rig.Title(), "QUAVELO");
    EXPECT_TRUE(AppRig::WaitFor([&] { return rig.Device(model).LiveOpenings() == 0; }));

    // Start again: a new connection with a poller of its own.
    rig.Start(model);
    ASSERT_TRUE(rig.WaitConnected());
    EXPECT_EQ(rig.window->PollersStarted(), 2);
}

TEST_P(EndingTest, CloseWhileConnectedClosesCleanly) {
    AppRig rig;
    const int model = GetParam();
    rig.Start(model);
    ASSERT_TRUE(rig.WaitConnected());

    EXPECT_TRUE(rig.window->close());
    EXPECT_FALSE(rig.window->Opened());
    EXPECT_FALSE(rig.window->PollerRunning());
    EXPECT_EQ(rig.params.connected, 0);
    rig.window.reset();
    EXPECT_TRUE(AppRig::WaitFor([&] { return rig.Device(model).LiveOpenings() == 0; }));
    EXPECT_TRUE(rig.prompt.Infos().empty());
}

INSTANTIATE_TEST_SUITE_P(BothModels, EndingTest, testing::Values(kModelTorva, kModelKd4));

}  // namespace
}  // namespace quavelo
