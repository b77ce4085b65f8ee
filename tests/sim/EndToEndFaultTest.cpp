// Each fault switch of the simulated device, seen through the command object and HidControl:
// failures come back as false within the link's bounds, and nothing from the device can put a
// value out of range into the model.

#include <gtest/gtest.h>

#include <future>

#include "device/DeviceMap.h"
#include "link/QueuedRemovalMonitor.h"
#include "sim/SimLinkRig.h"
#include "support/ParamsInRange.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;
using test::FieldsOutOfRange;
using test::ReadBackFields;
using test::SimLinkRig;
using test::TimeOf;
using test::WaitUntil;

// Retries until the link takes writes again: a write that overran its limit keeps the writer
// thread busy until the device has taken it.
bool EventuallySetsMicGain(SimLinkRig& rig, int step) {
    return WaitUntil([&] { return rig.commands.SetMicGain(step); }, 1000ms);
}

std::map<std::string, int> InitialFields(std::int32_t model) {
    DeviceParams initial;
    initial.ResetToInitialValues();
    return ReadBackFields(initial, model);
}

TEST(EndToEndFaultTest, StalledWriteFailsAfterTheWriteLimitAndTheLinkRecovers) {
    SimLinkRig rig(kModelTorva);
    ASSERT_TRUE(rig.Open());
    rig.Fault([](SimFaults& f) { f.stallWrites = true; });
    rig.params.micGain = 5;
    bool ok = true;
    const auto took = TimeOf([&] { ok = rig.commands.SetMicGain(5); });
    EXPECT_FALSE(ok);
    EXPECT_GE(took, HidControl::kWriteLimit - 5ms);
    EXPECT_LT(took, HidControl::kWriteLimit + 200ms);
    EXPECT_EQ(rig.device.Store()[7], 0) << "the settings block never went out";

    rig.Fault([](SimFaults& f) { f.stallWrites = false; });
    ASSERT_TRUE(EventuallySetsMicGain(rig, 5));
    EXPECT_EQ(rig.device.Store()[7], 5);
    EXPECT_EQ(rig.device.DspValue(dsp::kMicGain1), 0x57u);
}

TEST(EndToEndFaultTest, MissingAnswerEndsReadAllSettingsWithinItsBound) {
    SimLinkRig rig(kModelTorva);
    ASSERT_TRUE(rig.Open());
    rig.Fault([](SimFaults& f) { f.missingAnswers = true; });
    bool ok = true;
    const auto took = TimeOf([&] { ok = rig.commands.ReadAllSettings(); });
    EXPECT_FALSE(ok);
    EXPECT_GE(took, HidControl::kReadReportWait - 10ms);
    EXPECT_LT(took, HidControl::kReadReportWait + 500ms);
    EXPECT_EQ(rig.device.TakeReceived().size(), 1u) << "no request after the failed read";
}

TEST(EndToEndFaultTest, MissingAnswerKeepsTheBlocksDecodedBeforeIt) {
    SimLinkRig rig(kModelTorva);
    SettingsStoreImage store = rig.device.Store();
    store[7] = 33;    // micGain
    store[0x40] = 3;  // slider band 1 at +3 dB
    rig.device.ReplaceStore(store);
    ASSERT_TRUE(rig.Open());
    rig.Fault([](SimFaults& f) {
        f.missingAnswers = true;
        f.answerFaultAddress = store::kSliderGainBlock;
    });
    EXPECT_FALSE(rig.commands.ReadAllSettings());
    EXPECT_EQ(rig.params.micGain, 33);
    EXPECT_EQ(rig.params.sliderBands[0].gain, 150);
}

TEST(EndToEndFaultTest, AnswerForAnotherAddressIsSkipped) {
    SimLinkRig rig(kModelTorva);
    SettingsStoreImage store = rig.device.Store();
    store[0x40] = 3;     // slider band 1 at +3 dB
    store[0x28] = 0x0B;  // band 4 at 3000 Hz
    store[0x29] = 0xB8;
    rig.device.ReplaceStore(store);
    ASSERT_TRUE(rig.Open());
    rig.Fault([](SimFaults& f) {
        f.wrongAddressAnswers = true;
        f.answerFaultAddress = store::kSliderGainBlock;
    });
    ASSERT_TRUE(rig.commands.ReadAllSettings());
    EXPECT_EQ(rig.params.sliderBands[0].gain, 150) << "its block keeps its values";
    EXPECT_EQ(rig.params.graphBands[3].freq, 3000) << "the next request was still made";
}

TEST(EndToEndFaultTest, GarbageNeverPutsAValueOutOfRangeIntoTheTorvaModel) {
    SimLinkRig rig(kModelTorva);
    ASSERT_TRUE(rig.Open());
    rig.Fault([](SimFaults& f) { f.garbageAnswers = true; });
    int completed = 0;
    for (int round = 0; round < 6; ++round) {
        completed += rig.commands.ReadAllSettings();
        std::int32_t first = 0;
        std::int32_t second = 0;
        rig.commands.PollLevels(first, second);
        ASSERT_EQ(FieldsOutOfRange(rig.params), std::vector<std::string>{}) << "round " << round;
    }
    EXPECT_GT(completed, 0) << "garbage answers were decoded, not only refused";
    EXPECT_NE(ReadBackFields(rig.params, kModelTorva), InitialFields(kModelTorva))
        << "the garbage reached the decoders";
}

TEST(EndToEndFaultTest, GarbageNeverPutsAValueOutOfRangeIntoTheKd4Model) {
    SimLinkRig rig(kModelKd4);
    const HidReport sentinel{0x5E, 0x5E};
    ASSERT_TRUE(rig.Open());
    ASSERT_TRUE(rig.StartKd4Reader(&sentinel));
    rig.Fault([](SimFaults& f) { f.garbageAnswers = true; });
    for (int round = 0; round < 12; ++round) {
        ASSERT_TRUE(rig.commands.RequestAllSettingsKd4());
        ASSERT_TRUE(rig.commands.RequestLevelKd4());
        rig.sentinelSeen = false;
        ASSERT_TRUE(rig.device.SendInput(sentinel));
        ASSERT_TRUE(WaitUntil([&] { return rig.sentinelSeen.load(); }));
        ASSERT_EQ(FieldsOutOfRange(rig.params), std::vector<std::string>{}) << "round " << round;
    }
    EXPECT_NE(ReadBackFields(rig.params, kModelKd4), InitialFields(kModelKd4))
        << "the garbage reached the parser";
}

struct RemovalRig : SimLinkRig {
    explicit RemovalRig(std::int32_t model) : SimLinkRig(model) {
        std::string error;
        monitor = QueuedRemovalMonitor::Create(error);
        EXPECT_TRUE(monitor) << error;
        device.SetRemovalMonitor(monitor.get());
    }
    ~RemovalRig() { device.SetRemovalMonitor(nullptr); }

    // Unplugs the device after `delay`, on another thread.
    std::future<void> UnplugAfter(std::chrono::milliseconds delay) {
        return std::async(std::launch::async, [this, delay] {
            std::this_thread::sleep_for(delay);
            device.Unplug();
        });
    }

    std::unique_ptr<QueuedRemovalMonitor> monitor;
};

TEST(EndToEndFaultTest, RemovalDuringAReadFailsAtOnceAndIsReported) {
    RemovalRig rig(kModelTorva);
    ASSERT_TRUE(rig.Open());
    rig.Fault([](SimFaults& f) { f.missingAnswers = true; });
    auto unplugging = rig.UnplugAfter(50ms);
    bool ok = true;
    const auto took = TimeOf([&] { ok = rig.commands.ReadAllSettings(); });
    unplugging.get();
    EXPECT_FALSE(ok);
    EXPECT_LT(took, 500ms);
    EXPECT_TRUE(rig.monitor->TakeRemovalOf(rig.state)) << "the removal names the open device";
    EXPECT_LT(TimeOf([&] { EXPECT_FALSE(rig.commands.SetMicGain(1)); }), 50ms);

    rig.device.Replug();
    rig.Fault([](SimFaults& f) { f.missingAnswers = false; });
    ASSERT_TRUE(rig.Open());
    EXPECT_TRUE(rig.commands.ReadAllSettings());
}

TEST(EndToEndFaultTest, RemovalDuringAWriteFailsWithoutAHang) {
    for (const std::int32_t model : {kModelTorva, kModelKd4}) {
        RemovalRig rig(model);
        ASSERT_TRUE(rig.Open());
        if (model == kModelKd4) {
            ASSERT_TRUE(rig.StartKd4Reader());
        }
        rig.Fault([](SimFaults& f) { f.stallWrites = true; });
        auto unplugging = rig.UnplugAfter(30ms);
        EXPECT_FALSE(model == kModelKd4 ? rig.commands.SetMicGainKd4(4)
                                        : rig.commands.SetMicGain(4));
        unplugging.get();
        for (int i = 0; i < 3; ++i) {
            EXPECT_LE(TimeOf([&] { EXPECT_FALSE(rig.link.WriteReport16(StoreRead(0, 10))); }),
                      HidControl::kWriteLimit + 50ms);
        }
        EXPECT_TRUE(WaitUntil([&] { return !rig.link.ReaderRunning(); }));
        EXPECT_EQ(rig.monitor->TakeRemovedPaths(), std::vector<std::string>{rig.device.Path()});
        EXPECT_LT(TimeOf([&] { rig.link.Close(); }), 500ms);
        EXPECT_EQ(rig.device.LiveOpenings(), 0);
        EXPECT_FALSE(rig.Open()) << "an unplugged device is not found";
    }
}

TEST(EndToEndFaultTest, LatencyBelowTheWriteLimitSlowsButWorksAboveItFails) {
    SimLinkRig rig(kModelTorva);
    ASSERT_TRUE(rig.Open());
    rig.Fault([](SimFaults& f) { f.latency = 20ms; });
    bool ok = false;
    const auto took = TimeOf([&] { ok = rig.commands.ReadAllSettings(); });
    EXPECT_TRUE(ok);
    EXPECT_GE(took, 7 * 40ms) << "each request and each answer waited";

    rig.Fault([](SimFaults& f) { f.latency = 150ms; });
    EXPECT_FALSE(rig.commands.SetMicGain(2));
    rig.Fault([](SimFaults& f) { f.latency = 0ms; });
    EXPECT_TRUE(EventuallySetsMicGain(rig, 2));
}

}  // namespace
}  // namespace quavelo
