// Both models through the kernel: the command object over HidControl over hidraw, with the
// device program playing the simulated device through uhid. The same commands over the simulated
// backend in this process are the reference: the device sees the same bytes either way.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "device/DeviceCommands.h"
#include "device/DeviceMap.h"
#include "device/Kd4ReportParser.h"
#include "link/HidControl.h"
#include "link/HidrawBackend.h"
#include "sim/SimLinkRig.h"
#include "support/ParamsInRange.h"
#include "support/RecordingLogSink.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingSleeper.h"
#include "support/TempDir.h"
#include "vm/DeviceProgram.h"

namespace quavelo {
namespace {

using std::chrono::milliseconds;
using test::ReadBackFields;
using test::SimLinkRig;
using test::TimeOf;
using test::WaitUntil;

// The command object over HidControl over hidraw, opening the device of `model`.
struct KernelRig {
    explicit KernelRig(std::int32_t model) : model(model) {
        params.ResetToInitialValues();
        params.deviceModel = model;
    }
    bool Open() {
        return model == kModelKd4 ? link.FindAndOpen(kKd4VendorId, kKd4ProductId)
                                  : link.FindAndOpen(kTorvaVendorId, kTorvaProductId);
    }

    const std::int32_t model;
    HidrawBackend backend;
    LinkState state;
    HidControl link{backend, state};
    DeviceParams params;
    test::RecordingSleeper sleeper;
    test::RecordingLogSink log;
    test::RecordingPrompt prompt;
    DeviceCommands commands{link, params, sleeper, log, prompt};
};

void StartKd4Reader(HidControl& link, DeviceParams& params) {
    link.SetReportHandler(
        [&params](const HidReport& report, std::size_t) { ParseKd4Report(report, params); });
    ASSERT_TRUE(link.StartReader());
}

bool ReadBackKd4(DeviceCommands& commands, DeviceParams& params) {
    for (SharedInt& seen : params.blockSeen) seen = 0;
    params.readbackDone = 0;
    return commands.RequestAllSettingsKd4() && WaitUntil([&] { return params.readbackDone == 1; });
}

// What a session does to a device: read the settings back, change several, send a band, push
// everything (TORVA), read the meters. Each step must succeed.
void Session(std::int32_t model, DeviceCommands& d, DeviceParams& p, HidControl& link) {
    p.connected = 1;
    p.micGain = 30;
    p.gain2 = 12;
    p.limiterOn = 1;
    p.limiterLevel = 2;
    p.monitorMicCut = 0;
    p.monitorPlaybackCut = 20;
    p.graphBands[1].freq = 800;
    p.graphBands[1].gain = 180;
    if (model == kModelTorva) {
        ASSERT_TRUE(d.ReadAllSettings());
        ASSERT_TRUE(d.SetMicGain(30) && d.SetGain2(12) && d.SetLimiter(1, 2) &&
                    d.SetMonitorPlaybackCut(20) && d.SetGraphBand(2) && d.StoreSettings());
        ASSERT_TRUE(d.PushAllSettings());
        for (int i = 0; i < 3; ++i) {
            std::int32_t first = -1;
            std::int32_t second = -1;
            ASSERT_TRUE(d.PollLevels(first, second));
        }
    } else {
        StartKd4Reader(link, p);
        ASSERT_TRUE(ReadBackKd4(d, p));
        ASSERT_TRUE(d.SetMicGainKd4(30) && d.SetGain2Kd4(12) && d.SetLimiterKd4(1, 2) &&
                    d.SetMonitorPlaybackCutKd4(20) && d.SetGraphBandKd4(2) && d.StoreSettingsKd4());
        for (int i = 0; i < 3; ++i) {
            p.meterReady = 0;
            ASSERT_TRUE(d.RequestLevelKd4());
            ASSERT_TRUE(WaitUntil([&] { return p.meterReady == 1; }));
        }
    }
}

// The trace's lines without their time, split by direction.
struct Wire {
    std::vector<std::string> all;
    std::vector<std::string> written;
    std::vector<std::string> read;
};

Wire WireOf(const std::string& trace) {
    Wire wire;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);) {
        const std::string untimed = line.substr(line.find(' ') + 1);
        wire.all.push_back(untimed);
        (untimed.starts_with("W ") ? wire.written : wire.read).push_back(untimed);
    }
    return wire;
}

class DevicesOverUhidTest : public testing::TestWithParam<std::int32_t> {
  protected:
    const char* ModelName() const { return GetParam() == kModelKd4 ? "kd4" : "torva"; }
};

TEST_P(DevicesOverUhidTest, TheDeviceSeesTheSameBytesAsTheSimulatedBackend) {
    const std::int32_t model = GetParam();
    std::ostringstream simulated;
    {
        SimLinkRig rig(model);
        rig.device.SetWireTrace(std::make_shared<WireTrace>(simulated));
        ASSERT_TRUE(rig.Open());
        Session(model, rig.commands, rig.params, rig.link);
    }

    test::TempDir dir;
    const std::string tracePath = dir.Path() / "wire.trace";
    {
        DeviceProgram program({"--model", ModelName(), "--trace", tracePath});
        ASSERT_NE(program.Node(milliseconds(5000)), "");
        KernelRig rig(model);
        ASSERT_TRUE(rig.Open());
        Session(model, rig.commands, rig.params, rig.link);
        rig.link.Close();
        ASSERT_EQ(program.Stop(), 0);
    }
    std::ifstream file(tracePath);
    std::stringstream kernel;
    kernel << file.rdbuf();

    const Wire expected = WireOf(simulated.str());
    const Wire got = WireOf(kernel.str());
    ASSERT_FALSE(expected.written.empty());
    EXPECT_EQ(got.written, expected.written);
    EXPECT_EQ(got.read, expected.read);
    if (model == kModelTorva) {
        // Every answer is read before the next request is written.
        EXPECT_EQ(got.all, expected.all);
    }
}

INSTANTIATE_TEST_SUITE_P(BothModels, DevicesOverUhidTest, testing::Values(kModelTorva, kModelKd4),
                         [](const auto& info) {
                             return std::string(info.param == kModelKd4 ? "Kd4" : "Torva");
                         });

TEST(Kd4OverUhidTest, ReaderThreadTakesAnswersAndTheDevicesOwnStatusReports) {
    DeviceProgram program({"--model", "kd4"});
    ASSERT_NE(program.Node(milliseconds(5000)), "");
    KernelRig rig(kModelKd4);
    ASSERT_TRUE(rig.Open());
    DeviceParams& p = rig.params;
    StartKd4Reader(rig.link, p);
    p.micGain = 0;
    ASSERT_TRUE(ReadBackKd4(rig.commands, p));
    DeviceParams initial;
    initial.ResetToInitialValues();
    EXPECT_EQ(ReadBackFields(p, kModelKd4), ReadBackFields(initial, kModelKd4));

    p.statusReady = 0;
    ASSERT_TRUE(program.Send("knob 12"));
    ASSERT_TRUE(WaitUntil([&] { return p.statusReady == 1; }));
    EXPECT_EQ(p.micGain, initial.micGain + 12);

    p.statusReady = 0;
    ASSERT_TRUE(program.Send("mute"));
    ASSERT_TRUE(WaitUntil([&] { return p.statusReady == 1; }));
    EXPECT_EQ(p.kd4SwitchA, 1 - initial.kd4SwitchA);

    p.statusReady = 0;
    ASSERT_TRUE(program.Send("lock"));
    ASSERT_TRUE(WaitUntil([&] { return p.statusReady == 1; }));
    EXPECT_EQ(p.kd4Lock, 1 - initial.kd4Lock);
    EXPECT_TRUE(rig.link.ReaderRunning());
}

TEST(TorvaOverUhidTest, SilentDeviceEndsTheReadBackWithinOneReadsBound) {
    DeviceProgram program({"--model", "torva", "--silent"});
    ASSERT_NE(program.Node(milliseconds(5000)), "");
    KernelRig rig(kModelTorva);
    ASSERT_TRUE(rig.Open());
    bool ok = true;
    const milliseconds took = TimeOf([&] { ok = rig.commands.ReadAllSettings(); });
    EXPECT_FALSE(ok);
    EXPECT_LT(took, HidControl::kReadReportWait + milliseconds(500));
}

TEST(TorvaOverUhidTest, GarbageAnswersNeverPutAValueOutOfRange) {
    DeviceProgram program({"--model", "torva", "--garbage", "--seed", "3"});
    ASSERT_NE(program.Node(milliseconds(5000)), "");
    KernelRig rig(kModelTorva);
    ASSERT_TRUE(rig.Open());
    rig.commands.ReadAllSettings();
    EXPECT_EQ(test::FieldsOutOfRange(rig.params), std::vector<std::string>{});
}

TEST(TorvaOverUhidTest, RemovalDuringTheReadBackEndsItAtOnce) {
    DeviceProgram program({"--model", "torva", "--remove-after", "3"});
    ASSERT_NE(program.Node(milliseconds(5000)), "");
    KernelRig rig(kModelTorva);
    ASSERT_TRUE(rig.Open());
    bool ok = true;
    const milliseconds took = TimeOf([&] { ok = rig.commands.ReadAllSettings(); });
    EXPECT_FALSE(ok);
    EXPECT_LT(took, milliseconds(700));
    EXPECT_EQ(program.WaitForExit(milliseconds(2000)), 0);
}

}  // namespace
}  // namespace quavelo
