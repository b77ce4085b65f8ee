#include "sim/SimulatedDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "device/DeviceMap.h"
#include "device/ParamRange.h"
#include "sim/SimulatedBackend.h"
#include "support/EventTrace.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;
using test::PaddedHex;
using test::TraceHex;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

Bytes Hex(std::string_view hex) { return ParseHexBytes(hex).value(); }

// The next input report within `wait`, or nullopt.
std::optional<Bytes> ReadInput(HidDevice& wire, std::chrono::milliseconds wait = 0ms) {
    std::array<std::uint8_t, 1024> buffer{};
    const ReadResult result = wire.Read(buffer, wait);
    if (result.status != ReadStatus::kReport) return std::nullopt;
    return Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(result.length));
}

std::string AnswerHex(HidDevice& wire) {
    const auto answer = ReadInput(wire);
    return answer ? TraceHex(*answer) : "none";
}

struct OpenDevice {
    explicit OpenDevice(std::int32_t model = kModelTorva)
        : device(SimulatedDevice::Create(model, DefaultSimulatedPath(model))) {
        std::string error;
        wire = device->Open(error);
        EXPECT_TRUE(wire) << error;
    }
    void Fault(const std::function<void(SimFaults&)>& change) {
        SimFaults faults = device->Faults();
        change(faults);
        device->SetFaults(faults);
    }

    std::shared_ptr<SimulatedDevice> device;
    std::unique_ptr<HidDevice> wire;
};

TEST(SimulatedDeviceTest, AnswersReadRequestsAndNothingElse) {
    struct Exchange {
        const char* report;
        const char* answer;  // "none", or hex completed with zeros to 16 bytes
    };
    // clang-format off
    const Exchange exchanges[] = {
        {"FF A0 00 10 04 00 0F A0 05 06",   "none"},                                // store write
        {"FF A0 00 10 04 01",               "FF A0 00 10 04 01 0F A0 05 06"},       // read back
        {"FF 70 40 0E 01 00 93",            "none"},                                // codec write
        {"FF 70 40 0E 01 01",               "FF 70 40 0E 01 01 93"},
        {"FF 70 00 0A 04 01",               "FF 70 00 0A 04 01 00 00 00 00"},       // never written
        {"FF 70 00 0A 06 01",               "FF 70 00 0A 04 01 00 00 00 00"},       // four at most
        {"FE A0 00 10 04 01",               "none"},                                // not 0xFF
        {"FF A0 00 10 04",                  "none"},                                // too short
        {"FF 55 00 10 04 01",               "none"},                                // unknown access
        {"FF A0 00 10 04 02",               "none"},                                // neither flag
        {"FF A0 01 00 04 01",               "none"},                                // past the store
    };
    // clang-format on
    OpenDevice open;
    for (const Exchange& e : exchanges) {
        ASSERT_TRUE(open.wire->Write(Hex(e.report))) << e.report;
        const std::string expected = std::string(e.answer) == "none" ? "none" : PaddedHex(e.answer);
        EXPECT_EQ(AnswerHex(*open.wire), expected) << e.report;
    }
    const auto received = open.device->TakeReceived();
    ASSERT_EQ(received.size(), std::size(exchanges)) << "every report is kept for watchers";
    EXPECT_EQ(received[7], Hex("FF A0 00 10 04"));
    EXPECT_TRUE(open.device->TakeReceived().empty());
}

TEST(SimulatedDeviceTest, BackendListsPluggedDevicesInTheOrderAdded) {
    SimulatedBackend backend;
    backend.AddDevice(kModelTorva);
    SimulatedDevice& kd4 = backend.AddDevice(kModelKd4);
    backend.AddDevice(kModelTorva, "sim:torva2");
    const std::vector<HidDeviceInfo> all = backend.Enumerate();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].path, "sim:torva");
    EXPECT_EQ(all[1].path, "sim:kd4");
    EXPECT_EQ(all[2].path, "sim:torva2");
    EXPECT_EQ(all[0].vendorId, kTorvaVendorId);
    EXPECT_EQ(all[0].productId, kTorvaProductId);
    EXPECT_EQ(all[1].vendorId, kKd4VendorId);
    EXPECT_EQ(all[1].productId, kKd4ProductId);
    EXPECT_EQ(backend.Find("sim:kd4"), &kd4);
    EXPECT_EQ(backend.Find("sim:none"), nullptr);

    kd4.Unplug();
    EXPECT_EQ(backend.Enumerate().size(), 2u);
    std::string error;
    EXPECT_FALSE(backend.Open("sim:kd4", error));
    EXPECT_EQ(error, "No such device");
    kd4.Replug();
    EXPECT_TRUE(backend.Open("sim:kd4", error));
}

TEST(SimulatedDeviceTest, UnplugFailsEveryTransferAndAnnouncesThePath) {
    std::string error;
    auto monitor = QueuedRemovalMonitor::Create(error);
    ASSERT_TRUE(monitor) << error;
    OpenDevice open(kModelKd4);
    open.device->SetRemovalMonitor(monitor.get());
    open.wire->Write(Hex("FF A0 00 00 0A 00 00 01 02 01 02 55 AA 14 01 00"));
    open.wire->Write(Hex("FF 70 40 0E 01 00 93"));

    auto reading = std::async(std::launch::async, [&] {
        std::array<std::uint8_t, 64> buffer{};
        return open.wire->Read(buffer, HidDevice::kNoTimeout).status;
    });
    std::this_thread::sleep_for(20ms);
    open.device->Unplug();
    ASSERT_EQ(reading.wait_for(1s), std::future_status::ready) << "the waiting read ends";
    EXPECT_EQ(reading.get(), ReadStatus::kFailed);
    EXPECT_FALSE(open.wire->Write(Hex("FF A0 00 00 0A 01")));
    EXPECT_EQ(monitor->TakeRemovedPaths(), std::vector<std::string>{"sim:kd4"});
    EXPECT_FALSE(open.device->TurnGainKnob(1));
    EXPECT_FALSE(open.device->Open(error));

    open.device->Replug();
    EXPECT_FALSE(open.wire->Write(Hex("FF A0 00 00 0A 01"))) << "an old opening stays dead";
    auto fresh = open.device->Open(error);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(open.device->DspValue(dsp::kMicGain1), std::nullopt) << "powered up afresh";
    ASSERT_TRUE(fresh->Write(Hex("FF A0 00 00 0A 01")));
    EXPECT_EQ(AnswerHex(*fresh), PaddedHex("FF A0 00 00 0A 01 00 01 02 01 02 55 AA 14 01 00"))
        << "the store outlives the power cycle";
    EXPECT_EQ(open.device->LiveOpenings(), 2);
    open.wire.reset();
    EXPECT_EQ(open.device->LiveOpenings(), 1);
}

TEST(SimulatedDeviceTest, StalledWriteWaitsUntilClearedOrStopped) {
    OpenDevice open;
    open.Fault([](SimFaults& f) { f.stallWrites = true; });
    std::atomic<bool> done{false};
    auto writing = std::async(std::launch::async, [&] {
        const bool ok = open.wire->Write(Hex("FF 70 40 0E 01 00 47"));
        done = true;
        return ok;
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(done) << "the device has not taken it";
    EXPECT_TRUE(open.device->TakeReceived().empty());
    open.Fault([](SimFaults& f) { f.stallWrites = false; });
    EXPECT_TRUE(writing.get());
    EXPECT_EQ(open.device->DspValue(dsp::kMicGain1), 0x47u);

    open.Fault([](SimFaults& f) { f.stallWrites = true; });
    writing = std::async(std::launch::async,
                         [&] { return open.wire->Write(Hex("FF 70 40 0E 01 00 4B")); });
    std::this_thread::sleep_for(20ms);
    open.wire->RequestStop();
    ASSERT_EQ(writing.wait_for(1s), std::future_status::ready);
    EXPECT_FALSE(writing.get());
    EXPECT_EQ(open.device->DspValue(dsp::kMicGain1), 0x47u) << "the stopped write was not taken";
}

TEST(SimulatedDeviceTest, AnswerFaultsHitTheirAddressOnly) {
    struct Case {
        const char* name;
        std::function<void(SimFaults&)> fault;
        const char* settingsAnswer;  // to a read of block 0x00
        const char* sliderAnswer;    // to a read of block 0x40
    };
    const char* sound00 = "FF A0 00 00 0A 01 00 01 01 01 01 00 00 00 01 01";
    const char* sound40 = "FF A0 00 40 05 01 00 00 00 00 00";
    // clang-format off
    const Case cases[] = {
        {"sound", [](SimFaults&) {}, sound00, sound40},
        {"missing", [](SimFaults& f) { f.missingAnswers = true; }, "none", "none"},
        {"missing 0x40", [](SimFaults& f) { f.missingAnswers = true; f.answerFaultAddress = 0x40; },
         sound00, "none"},
        {"wrong address", [](SimFaults& f) { f.wrongAddressAnswers = true; },
         "FF A0 00 01 0A 01 01 01 01 01 00 00 00 01 01 00", "FF A0 00 41 05 01 00 00 00 00 00"},
        {"wrong address 0x00",
         [](SimFaults& f) { f.wrongAddressAnswers = true; f.answerFaultAddress = 0x00; },
         "FF A0 00 01 0A 01 01 01 01 01 00 00 00 01 01 00", sound40},
    };
    // clang-format on
    for (const Case& c : cases) {
        OpenDevice open;
        open.Fault(c.fault);
        open.wire->Write(Hex("FF A0 00 00 0A 01"));
        const std::string settings = AnswerHex(*open.wire);
        open.wire->Write(Hex("FF A0 00 40 05 01"));
        const std::string slider = AnswerHex(*open.wire);
        const auto expect = [](const char* hex) {
            return std::string(hex) == "none" ? "none" : PaddedHex(hex);
        };
        EXPECT_EQ(settings, expect(c.settingsAnswer)) << c.name;
        EXPECT_EQ(slider, expect(c.sliderAnswer)) << c.name;
    }
}

TEST(SimulatedDeviceTest, GarbageAnswersVaryAndRepeatFromRunToRun) {
    const auto garbage = [] {
        OpenDevice open;
        open.Fault([](SimFaults& f) { f.garbageAnswers = true; });
        std::vector<Bytes> answers;
        for (int i = 0; i < 200; ++i) {
            open.wire->Write(Hex("FF A0 00 10 04 01"));
            answers.push_back(ReadInput(*open.wire).value());
        }
        return answers;
    };
    const std::vector<Bytes> answers = garbage();
    EXPECT_EQ(garbage(), answers);
    std::set<std::size_t> lengths;
    int plausible = 0;
    for (const Bytes& a : answers) {
        lengths.insert(a.size());
        plausible += a.size() >= 6 && Bytes(a.begin(), a.begin() + 6) == Hex("FF A0 00 10 04 01");
    }
    EXPECT_TRUE(lengths.contains(0));
    EXPECT_GT(lengths.size(), 20u);
    EXPECT_LE(*lengths.rbegin(), 32u);
    EXPECT_GT(plausible, 50) << "many pass the header checks, so the decoders see them";
}

TEST(SimulatedDeviceTest, LatencyDelaysTakingAndAnswering) {
    OpenDevice open;
    open.Fault([](SimFaults& f) { f.latency = 40ms; });
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(open.wire->Write(Hex("FF A0 00 30 04 01")));
    EXPECT_GE(Clock::now() - start, 40ms);
    EXPECT_EQ(ReadInput(*open.wire), std::nullopt) << "the answer is not there yet";
    const auto answer = ReadInput(*open.wire, 1000ms);
    EXPECT_GE(Clock::now() - start, 80ms);
    ASSERT_TRUE(answer);
    EXPECT_EQ(TraceHex(*answer), PaddedHex("FF A0 00 30 04 01 27 10 02 00"));
}

TEST(SimulatedDeviceTest, InputWaitsOnlyWhileOpenAndUpToTheLimit) {
    auto device = SimulatedDevice::Create(kModelTorva, "sim:torva");
    const Bytes report = Hex("FF A0 00 50");
    EXPECT_FALSE(device->SendInput(report)) << "nobody has the device open";
    std::string error;
    auto wire = device->Open(error);
    for (std::size_t i = 0; i < SimulatedDevice::kInputQueueLimit; ++i) {
        Bytes numbered = report;
        numbered.push_back(static_cast<std::uint8_t>(i));
        EXPECT_TRUE(device->SendInput(numbered));
    }
    EXPECT_FALSE(device->SendInput(report)) << "the queue is full";
    EXPECT_EQ(ReadInput(*wire).value().back(), 0) << "oldest first";

    wire = device->Open(error);
    EXPECT_EQ(ReadInput(*wire), std::nullopt) << "a fresh opening starts without old input";
}

TEST(SimulatedDeviceTest, Kd4ControlsChangeTheStoreAndSendTheStatus) {
    struct Step {
        const char* action;
        std::function<bool(SimulatedDevice&)> act;
        const char* status;  // "none" when nothing changes
    };
    // clang-format off
    const Step steps[] = {
        {"knob +20",   [](SimulatedDevice& d) { return d.TurnGainKnob(20); },
         "FF A0 00 50 05 01 14 00 00 00 00"},
        {"knob +100",  [](SimulatedDevice& d) { return d.TurnGainKnob(100); },
         "FF A0 00 50 05 01 2F 00 00 00 00"},
        {"knob +1",    [](SimulatedDevice& d) { return d.TurnGainKnob(1); }, "none"},
        {"mute",       [](SimulatedDevice& d) { return d.PressMute(); },
         "FF A0 00 50 05 01 2F 00 00 01 00"},
        {"lock",       [](SimulatedDevice& d) { return d.PressLock(); },
         "FF A0 00 50 05 01 2F 00 00 01 01"},
        {"mute again", [](SimulatedDevice& d) { return d.PressMute(); },
         "FF A0 00 50 05 01 2F 00 00 00 01"},
        {"knob -1000", [](SimulatedDevice& d) { return d.TurnGainKnob(-1000); },
         "FF A0 00 50 05 01 00 00 00 00 01"},
        {"knob -1",    [](SimulatedDevice& d) { return d.TurnGainKnob(-1); }, "none"},
    };
    // clang-format on
    OpenDevice open(kModelKd4);
    for (const Step& s : steps) {
        const bool none = std::string(s.status) == "none";
        EXPECT_EQ(s.act(*open.device), !none) << s.action;
        EXPECT_EQ(AnswerHex(*open.wire), none ? "none" : PaddedHex(s.status)) << s.action;
    }
    const SettingsStoreImage store = open.device->Store();
    EXPECT_EQ(store[storebyte::kMicGain], 0);
    EXPECT_EQ(store[storebyte::kLockKd4], 1);
    EXPECT_EQ(store[storebyte::kMuteKd4], 0);
    EXPECT_EQ(open.device->DspValue(dsp::kMicGain1), 0x43u) << "the knob sets the codec gain";
    EXPECT_EQ(open.device->DspValue(dsp::kMicGain2), 0x43u);

    OpenDevice torva(kModelTorva);
    EXPECT_FALSE(torva.device->TurnGainKnob(1));
    EXPECT_FALSE(torva.device->PressMute());
    EXPECT_FALSE(torva.device->PressLock());
    EXPECT_EQ(torva.device->Store(), InitialSettingsStore(kModelTorva));
    EXPECT_EQ(AnswerHex(*torva.wire), "none");
}

// A clock that moves on by one millisecond each time it is read.
WireTrace::Clock Ticking() {
    auto now = std::make_shared<Clock::time_point>();
    return [now] { return *now += 1ms; };
}

TEST(SimulatedDeviceTest, TraceShowsEveryReportOnTheWire) {
    std::ostringstream out;
    OpenDevice open;
    open.device->SetWireTrace(std::make_shared<WireTrace>(out, Ticking()));
    std::string error;
    open.wire = open.device->Open(error);
    open.wire->Write(Hex("FF A0 00 30 04 01"));
    ReadInput(*open.wire);
    open.Fault([](SimFaults& f) { f.stallWrites = true; });
    auto writing = std::async(std::launch::async,
                              [&] { return open.wire->Write(Hex("FF 70 40 0E 01 00 47")); });
    std::this_thread::sleep_for(20ms);
    open.device->Unplug();
    EXPECT_FALSE(writing.get());
    EXPECT_EQ(out.str(),
              "1.000 W FF A0 00 30 04 01 00 00 00 00 00 00 00 00 00 00\n"
              "2.000 R FF A0 00 30 04 01 27 10 02 00 00 00 00 00 00 00\n"
              "3.000 W FF 70 40 0E 01 00 47 00 00 00 00 00 00 00 00 00 FAIL\n");
}

}  // namespace
}  // namespace quavelo
