// Connecting, disconnecting and removal for both models, over the simulated devices, and the
// session's events reaching the page.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "app/AppRig.h"
#include "widgets/ImageSlider.h"
#include "widgets/LevelMeter.h"

namespace quavelo {
namespace {

using test::AppRig;

class ConnectionTest : public testing::TestWithParam<Model> {};

TEST_P(ConnectionTest, ConnectsAndPollsUntilItsDeviceIsRemovedAndStaysAwayAfterReplug) {
    AppRig rig;
    const Model model = GetParam();
    rig.Start(model);
    ASSERT_TRUE(rig.WaitConnected());
    EXPECT_TRUE(rig.ShowsConnected() && rig.Page(model)->isVisible());

    // Removing another device changes nothing.
    rig.Device(model == Model::Kd4 ? Model::Torva : Model::Kd4).Unplug();
    rig.Monitor().Raise("/dev/hidraw9");
    QTest::qWait(200);
    EXPECT_TRUE(rig.window->Opened() && rig.window->PollerRunning() && rig.ShowsConnected());

    rig.Device(model).Unplug();
    EXPECT_TRUE(AppRig::WaitFor([&] { return !rig.window->Opened(); }));
    EXPECT_TRUE(rig.ShowsDisconnected() && rig.params.connected == 0);
    EXPECT_FALSE(rig.window->PollerRunning());
    rig.Device(model).Replug();
    QTest::qWait(300);
    EXPECT_FALSE(rig.window->Opened()) << "a device that arrives is never connected by itself";
    EXPECT_EQ(rig.Device(model).LiveOpenings(), 0);
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{});
}

// Without its device the model's page shows, disconnected and without a message; once the device
// is there Start connects, Return and close end the connection.
TEST_P(ConnectionTest, StartWithoutADeviceThenReturnAndCloseEndTheConnection) {
    AppRig rig;
    const Model model = GetParam();
    rig.Device(model).Unplug();
    rig.Start(model);
    QTest::qWait(200);
    EXPECT_TRUE(rig.Page(model)->isVisible() && rig.ShowsDisconnected() && !rig.window->Opened());
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{});
    rig.Device(model).Replug();
    rig.Return();
    rig.Start(model);
    ASSERT_TRUE(rig.WaitConnected());
    rig.Return();
    EXPECT_FALSE(rig.window->Opened() || rig.window->PollerRunning());
    EXPECT_TRUE(rig.ShowsDisconnected() && rig.window->StartScreenWidget()->isVisible());
    EXPECT_TRUE(AppRig::WaitFor([&] { return rig.Device(model).LiveOpenings() == 0; }));

    rig.Start(model);
    ASSERT_TRUE(rig.WaitConnected());
    EXPECT_TRUE(rig.window->close());
    EXPECT_FALSE(rig.window->Opened() || rig.window->PollerRunning());
    rig.window.reset();
    EXPECT_TRUE(AppRig::WaitFor([&] { return rig.Device(model).LiveOpenings() == 0; }));
}

INSTANTIATE_TEST_SUITE_P(BothModels, ConnectionTest, testing::ValuesIn(kModels));

// A device that is there but cannot be opened is reported on Start with the session's account of
// it (its node and why; the wording of each kind of refusal is the session's), and the panel stays
// disconnected.
TEST(OpenRefusedTest, StartSaysWhyAPresentDeviceCannotBeOpened) {
    AppRig rig;
    rig.devices.refusal = OpenError{OpenError::Kind::InUse, "", 4242};
    rig.Start(Model::Kd4);
    QTest::qWait(100);
    ASSERT_EQ(rig.prompt.Infos().size(), 1U);
    EXPECT_THAT(rig.prompt.Infos()[0], testing::HasSubstr("sim:kd4"));
    EXPECT_THAT(rig.prompt.Infos()[0],
                testing::HasSubstr("in use by another QUAVELO process (pid 4242)"));
    EXPECT_TRUE(rig.ShowsDisconnected() && !rig.window->Opened());
    EXPECT_TRUE(rig.Page(Model::Kd4)->isEnabled());
}

TEST(TorvaConnectTest, FailedReadBackSaysSoOnceAndKeepsTheLinkForReturnToClose) {
    AppRig rig;
    SimFaults faults;
    faults.missingAnswers = true;
    rig.Device(Model::Torva).SetFaults(faults);
    rig.Start(Model::Torva);
    EXPECT_TRUE(AppRig::WaitFor([&] { return !rig.prompt.Infos().empty(); }));
    EXPECT_EQ(rig.prompt.Infos(), std::vector<std::string>{"Read para fail."});
    EXPECT_TRUE(rig.window->Opened() && rig.ShowsDisconnected() && !rig.window->PollerRunning());
    rig.Return();
    EXPECT_FALSE(rig.window->Opened());
}

// Until the KD4's read-back has ended its answers may overwrite the model: the page takes no
// edit before (a click on the gain slider changes neither the model nor the wire) and then shows
// what the device holds.
TEST(Kd4ConnectTest, ThePageTakesNoEditUntilTheReadBackHasEnded) {
    AppRig rig;
    const int initial = rig.params.micGain;
    ASSERT_TRUE(rig.Device(Model::Kd4).TurnGainKnob(5));
    SimFaults slow;
    slow.latency = std::chrono::milliseconds(20);
    rig.Device(Model::Kd4).SetFaults(slow);
    rig.Start(Model::Kd4);
    for (int request = 0; request < 3; ++request) {
        ASSERT_TRUE(rig.Device(Model::Kd4).WaitForReceived(std::chrono::seconds(5)));
    }
    auto* slider = FindControl<ImageSlider>(rig.window->Kd4PageWidget(), Kd4Page::kIdMicGainSlider);
    QTest::mouseClick(slider, Qt::LeftButton, {}, slider->rect().center());
    QCoreApplication::processEvents();  // the slider's notifications come queued
    EXPECT_THAT(std::int32_t{rig.params.micGain}, testing::AnyOf(initial, initial + 5))
        << "read back only";
    ASSERT_TRUE(rig.WaitConnected());
    QTest::qWait(300);
    EXPECT_EQ(slider->GetPos(), initial + 5);
    EXPECT_EQ(rig.params.micGain, initial + 5);
    for (const auto& report : rig.Device(Model::Kd4).TakeReceived())
        EXPECT_NE(report.at(5), 0x00) << "a write";
}

// What the reader thread receives reaches the page through the session's events: the read-back
// completes the connection, a level reaches the meter, a status report of the device's own knob
// refreshes the page.
TEST(Kd4ConnectTest, TheReaderThreadsResultsReachThePage) {
    AppRig rig;
    rig.Start(Model::Kd4);
    EXPECT_EQ(rig.params.connected, 0) << "the read-back runs off the window thread";
    ASSERT_TRUE(rig.WaitConnected());
    auto* meter = FindControl<LevelMeter>(rig.window->Kd4PageWidget(), Kd4Page::kIdLevelMeter);
    std::set<int> positions;
    EXPECT_TRUE(AppRig::WaitFor([&] {
        positions.insert(meter->GetPos());
        return positions.size() >= 3;
    }));
    const int gain = rig.params.micGain;
    ASSERT_TRUE(rig.Device(Model::Kd4).TurnGainKnob(3));
    auto* slider = FindControl<ImageSlider>(rig.window->Kd4PageWidget(), Kd4Page::kIdMicGainSlider);
    EXPECT_TRUE(AppRig::WaitFor([&] { return slider->GetPos() == gain + 3; }));
    EXPECT_EQ(rig.params.statusReady, 0);
}

}  // namespace
}  // namespace quavelo
