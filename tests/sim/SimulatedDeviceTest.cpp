#include "sim/SimulatedDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "device/DeviceMap.h"
#include "device/ParamRange.h"
#include "device/Report.h"
#include "link/HexBytes.h"
#include "sim/SimulatedBackend.h"
#include "support/TempDir.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;

// A report written as hex, completed with zeros to 16 bytes; "none" stays.
std::string Padded(std::string_view hex) {
    return hex == "none" ? "none" : HexBytes(*ParseHexReport(hex));
}

// One opening of a fresh simulated device.
struct Opened {
    using Fault = std::function<void(SimFaults&)>;
    explicit Opened(
        Model model = Model::Torva, const Fault& fault = [](SimFaults&) {})
        : device(SimulatedDevice::Create(model, DefaultSimulatedPath(model))) {
        SimFaults faults;
        fault(faults);
        device->SetFaults(faults);
        Reopen();
    }
    void Reopen() { wire = device->Open(error); }
    // Writes `request` (when given) and reads the input report that waits within `wait`.
    std::string Exchange(std::string_view request, std::chrono::milliseconds wait = 0ms) {
        if (!request.empty()) wire->Write(*ParseHexBytes(request));
        std::array<std::uint8_t, 64> buffer{};
        const ReadResult r = wire->Read(buffer, wait);
        if (r.status != ReadStatus::kReport) return "none";
        return HexBytes(std::span(buffer).first(r.length));
    }
    std::shared_ptr<SimulatedDevice> device;
    std::unique_ptr<HidDevice> wire;
    std::string error;
};

TEST(SimulatedDeviceTest, AnswersReadRequestsFromItsStoreAndMemoryAndNothingElse) {
    // clang-format off
    const std::pair<const char*, const char*> exchanges[] = {
        {"FF A0 00 F6 0A 00 01 02 03 04 05 06 07 08 09 0A", "none"},        // the last ten bytes
        {"FF A0 00 F6 0B 01",   "FF A0 00 F6 0A 01 01 02 03 04 05 06 07 08 09 0A"},
        {"FF A0 00 F7 0A 00 EE EE EE EE EE EE EE EE EE EE", "none"},        // one past the end
        {"FF A0 00 F7 0A 01",             "none"},
        {"FF 70 40 0E 01 00 93",          "none"},                          // codec register
        {"FF 70 40 0E 01 01",             "FF 70 40 0E 01 01 93"},
        {"FF 70 00 0A 06 01",             "FF 70 00 0A 04 01 00 00 00 00"}, // never written
        {"FE A0 00 10 04 01",             "none"},                          // not 0xFF
        {"FF A0 00 10 04",                "none"},                          // too short
        {"FF A0 00 10 04 02",             "none"},                          // neither flag
        {"FF A0 00 F6 0A 01",   "FF A0 00 F6 0A 01 01 02 03 04 05 06 07 08 09 0A"},
    };
    // clang-format on
    Opened opened;
    for (const auto& [request, answer] : exchanges) {
        EXPECT_EQ(opened.Exchange(request), Padded(answer)) << request;
    }
}

TEST(SimulatedDeviceTest, AStagedLoadMovesAsManyWordsAsItsCountToItsTarget) {
    // The count written last, whether a target was given, and how many words move.
    const std::tuple<std::int32_t, bool, int> cases[] = {{0, true, 0}, {1, true, 1}, {3, true, 3},
                                                         {5, true, 5}, {6, true, 0}, {-5, true, 0},
                                                         {5, false, 0}};
    for (const auto& [count, targeted, moved] : cases) {
        Opened opened;
        for (int i = 0; i < 5; ++i) {
            opened.wire->Write(DspWriteParam(dsp::kSafeloadData + i, 0x11111111 * (i + 1)));
        }
        if (targeted) opened.wire->Write(DspWriteParam(dsp::kSafeloadTarget, dsp::EqFilter(3)));
        opened.wire->Write(DspWriteParam(dsp::kSafeloadCount, count));
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(opened.device->DspValue(dsp::EqFilter(3) + i),
                      i < moved ? std::optional(0x11111111u * (i + 1)) : std::nullopt)
                << "count " << count << (targeted ? "" : " without target") << ", word " << i;
        }
    }
}

TEST(SimulatedDeviceTest, AnswerFaultsHitTheirAddressOnly) {
    const char* sound00 = "FF A0 00 00 0A 01 00 01 01 01 01 00 00 00 01 01";
    const char* next00 = "FF A0 00 01 0A 01 01 01 01 01 00 00 00 01 01 00";
    // clang-format off
    const std::tuple<Opened::Fault, const char*, const char*> cases[] = {
        {[](SimFaults& f) { f.missingAnswers = true; }, "none", "none"},
        {[](SimFaults& f) { f.missingAnswers = true; f.answerFaultAddress = 0x40; }, sound00, "none"},
        {[](SimFaults& f) { f.wrongAddressAnswers = true; }, next00, "FF A0 00 41 05 01"},
        {[](SimFaults& f) { f.wrongAddressAnswers = true; f.answerFaultAddress = 0; }, next00,
         "FF A0 00 40 05 01"},
    };
    // clang-format on
    for (const auto& [faults, answer00, answer40] : cases) {
        Opened opened(Model::Torva, faults);
        EXPECT_EQ(opened.Exchange("FF A0 00 00 0A 01"), Padded(answer00)) << answer00;
        EXPECT_EQ(opened.Exchange("FF A0 00 40 05 01"), Padded(answer40)) << answer40;
    }
    Opened late(Model::Torva, [](SimFaults& f) { f.latency = 30ms; });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(late.Exchange("FF A0 00 00 0A 01", 1000ms), Padded(sound00));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 60ms) << "taken late, then answered late";
}

TEST(SimulatedDeviceTest, GarbageAnswersAreSeededAndHalfKeepTheHeader) {
    std::vector<std::string> runs[2];
    for (std::vector<std::string>& answers : runs) {
        Opened opened(Model::Torva, [](SimFaults& f) { f.garbageAnswers = true; });
        for (int i = 0; i < 200; ++i) answers.push_back(opened.Exchange("FF A0 00 10 04 01"));
    }
    EXPECT_EQ(runs[0], runs[1]) << "the same in every run";
    std::set<std::size_t> lengths;
    for (const std::string& a : runs[0]) lengths.insert((a.size() + 1) / 3);
    EXPECT_EQ(*lengths.begin(), 0u);
    EXPECT_EQ(*lengths.rbegin(), 32u);
    EXPECT_GT(
        std::count_if(runs[0].begin(), runs[0].end(),
                      [](const std::string& a) { return a.starts_with("FF A0 00 10 04 01"); }),
        50);
}

TEST(SimulatedDeviceTest, Kd4ControlsChangeTheStoreAndSendTheStatusBlock) {
    // clang-format off
    const std::pair<std::function<bool(SimulatedDevice&)>, const char*> steps[] = {
        {[](SimulatedDevice& d) { return d.TurnGainKnob(20); },    "FF A0 00 50 05 01 14 00 00 00 00"},
        {[](SimulatedDevice& d) { return d.TurnGainKnob(100); },   "FF A0 00 50 05 01 2F 00 00 00 00"},
        {[](SimulatedDevice& d) { return d.TurnGainKnob(1); },     "none"},
        {[](SimulatedDevice& d) { return d.PressMute(); },         "FF A0 00 50 05 01 2F 00 00 01 00"},
        {[](SimulatedDevice& d) { return d.PressLock(); },         "FF A0 00 50 05 01 2F 00 00 01 01"},
        {[](SimulatedDevice& d) { return d.PressMute(); },         "FF A0 00 50 05 01 2F 00 00 00 01"},
        {[](SimulatedDevice& d) { return d.TurnGainKnob(-1000); }, "FF A0 00 50 05 01 00 00 00 00 01"},
    };
    // clang-format on
    Opened kd4(Model::Kd4);
    Opened torva(Model::Torva);
    for (const auto& [act, status] : steps) {
        EXPECT_EQ(act(*kd4.device), std::string_view(status) != "none") << status;
        EXPECT_EQ(kd4.Exchange(""), Padded(status));
        EXPECT_FALSE(act(*torva.device)) << "a TORVA has no controls of its own";
    }
    // The store holds the lock; the knob set the gain code of both channels.
    EXPECT_EQ(kd4.Exchange("FF A0 00 40 09 01"),
              Padded("FF A0 00 40 09 01 00 00 00 00 00 00 00 01"));
    EXPECT_EQ(kd4.Exchange("FF 70 40 0F 01 01"), Padded("FF 70 40 0F 01 01 43"));
}

TEST(SimulatedDeviceTest, TracesEveryReportAndUnplugEndsTheOpeningNotTheStore) {
    std::ostringstream trace;
    auto now = std::make_shared<std::chrono::steady_clock::time_point>();
    std::string error;
    const auto monitor = QueuedRemovalMonitor::Create(error);
    Opened opened;
    opened.device->SetRemovalMonitor(monitor.get());
    opened.device->SetWireTrace(
        std::make_shared<WireTrace>(trace, [now] { return *now += 1500us; }));
    opened.Reopen();
    opened.Exchange("FF A0 00 30 04 00 12 34 56 78");
    opened.Exchange("FF 70 40 0E 01 00 93");
    opened.device->SendInput(std::vector<std::uint8_t>{0xFF, 0xA0, 0x01});
    opened.Exchange("");
    opened.device->Unplug();
    EXPECT_EQ(monitor->TakeRemovedPaths(), std::vector<std::string>{"sim:torva"});
    opened.Exchange("FF 70 40 0E 01 00 47");
    EXPECT_EQ(trace.str(),
              "1.500 W FF A0 00 30 04 00 12 34 56 78 00 00 00 00 00 00\n"
              "3.000 W FF 70 40 0E 01 00 93 00 00 00 00 00 00 00 00 00\n"
              "4.500 R FF A0 01 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
              "6.000 W FF 70 40 0E 01 00 47 00 00 00 00 00 00 00 00 00 FAIL\n");
    opened.device->Replug();
    opened.Reopen();
    EXPECT_EQ(opened.Exchange("FF A0 00 30 04 01"), Padded("FF A0 00 30 04 01 12 34 56 78"));
    EXPECT_EQ(opened.Exchange("FF 70 40 0E 01 01"), Padded("FF 70 40 0E 01 01 00")) << "powered up";
}

TEST(SimulatedDeviceTest, StoreFileIsTheStoreAndOnlyAWholeOneIsLoaded) {
    test::TempDir dir;
    SettingsStoreImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(255 - i);
    const auto saved = SimulatedDevice::Create(Model::Kd4, "sim:kd4");
    saved->ReplaceStore(image);
    ASSERT_EQ(saved->SaveStoreFile(dir.Path() / "kd4.store"), "");
    EXPECT_EQ(test::ReadFile(dir.Path() / "kd4.store"), std::string(image.begin(), image.end()));
    const auto loaded = SimulatedDevice::Create(Model::Kd4, "sim:kd4");
    EXPECT_EQ(loaded->LoadStoreFile(dir.Path() / "kd4.store").status, StoreFileStatus::kLoaded);
    EXPECT_EQ(loaded->Store(), image);

    std::ofstream(dir.Path() / "short") << std::string(255, '\x07');
    std::ofstream(dir.Path() / "long") << std::string(257, '\x07');
    const std::tuple<const char*, StoreFileStatus, const char*> refused[] = {
        {"none", StoreFileStatus::kMissing, ""},
        {"short", StoreFileStatus::kRefused, "the file holds 255 bytes, not 256"},
        {"long", StoreFileStatus::kRefused, "the file holds more than 256 bytes"},
    };
    for (const auto& [name, status, error] : refused) {
        const StoreFileResult result = loaded->LoadStoreFile(dir.Path() / name);
        EXPECT_EQ(result.status, status) << name;
        EXPECT_EQ(result.error, error);
        EXPECT_EQ(loaded->Store(), image) << name << " leaves the store as it was";
    }
}

}  // namespace
}  // namespace quavelo
