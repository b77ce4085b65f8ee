#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <functional>

#include "device/CommandRig.h"
#include "device/ControlSends.h"
#include "device/Encoding.h"
#include "device/SettingsBlocks.h"

namespace quavelo {
namespace {

using namespace test;

// What each command (and each long series) puts on the wire for the rig's model, with its pauses
// and log lines.
struct Row {
    const char* call;
    std::function<bool(CommandRig&)> run;
    Reports trace;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.call; }

class CommandBytesTest : public testing::TestWithParam<Row> {};

TEST_P(CommandBytesTest, WritesItsSeriesWithItsPausesAndLogLines) {
    CommandRig rig;
    EXPECT_TRUE(GetParam().run(rig));
    EXPECT_EQ(rig.trace.Events(), GetParam().trace);
}

// The eight limiter selectors, 1.0 to selector `s` (0 = off) of both groups and 0 to the others.
Reports Selectors(int s) {
    Reports reports;
    for (int i = 0; i < 8; ++i)
        reports.push_back(Param((i < 4 ? 0x34 : 0x9D) + i, i % 4 == s ? 1 << 23 : 0));
    return reports;
}

const Reports kHighPassOff = Load(0x0B, {0x00800000, 0, 0, 0, 0});
const Reports kHighPass75 =
    Load(0x0B, {0x007F1D47, 0xFF01C572, 0x007F1D47, 0x00FE38FD, 0xFF81C3E0});

// A row: the model in use, the fields the control stored, then the command.
#define ROW(model, fields, call, ...)                                  \
    Row {                                                              \
#model " " #call " " #fields, [](CommandRig& rig) {                  \
            rig.params.deviceModel = Model::model;                            \
            [[maybe_unused]] DeviceParams& p = rig.params;                    \
            Set(fields);                                                      \
            return rig.commands.call; }, __VA_ARGS__ \
    }
#define F(...) \
    { __VA_ARGS__ }

// The settings block's data bytes: 0 stereo, 1 limiter on, 2 its level, 3 high-pass on, 4 its
// corner, 5 the monitor balance, 6 gain2, 7 micGain; the KD4 slider block's byte 5 is gain2.
std::string TorvaBlockWith(int index, int value) { return WithData(kTorvaBlock, index, value); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Torva, CommandBytesTest, testing::Values(
    ROW(Torva, F({&p.limiterLevel, 3}), SetLimiter(),
        Paced(Join({Selectors(3), {TorvaBlockWith(2, 3)}}))),
    ROW(Torva, F({&p.limiterOn, 0}), SetLimiter(),   // off whatever the level
        Paced(Join({Selectors(0), {TorvaBlockWith(1, 0)}}))),
    ROW(Torva, F({&p.limiterLevel, 0}), SetLimiter(),  // level 0 selects off
        Paced(Join({Selectors(0), {TorvaBlockWith(2, 0)}}))),
    ROW(Torva, F({&p.hpfOn, 0}), SetHighPass(), Paced(Join({kHighPassOff, {TorvaBlockWith(3, 0)}}))),
    ROW(Torva, F({&p.hpfFreq, 1}), SetHighPass(), Paced(Join({kHighPass75, {TorvaBlockWith(4, 1)}}))),
    ROW(Torva, F({&p.hpfFreq, 0}), SetHighPass(), Paced({TorvaBlockWith(4, 0)})),
    ROW(Torva, F({&p.micGain, 0}), SetMicGain(), Paced({"FF 70 40 0E 01 00 43", TorvaBlockWith(7, 0)})),
    ROW(Torva, F({&p.micGain, 47}), SetMicGain(), Paced({"FF 70 40 0E 01 00 FF", TorvaBlockWith(7, 47)})),
    ROW(Torva, F({&p.gain2, 20}), SetGain2(), Paced({"FF 70 40 0F 01 00 93", TorvaBlockWith(6, 20)})),
    ROW(Torva, F({&p.monitorMicCut, 0}, {&p.monitorPlaybackCut, 40}), SetMonitorPlaybackCut(),
        Paced({Param(0x0A, 0x000CCCCC), TorvaBlockWith(5, MonitorBalance(0, 40))})),
    ROW(Torva, F({&p.monitorMicCut, 0}, {&p.monitorPlaybackCut, 80}), SetMonitorPlaybackCut(),
        Paced({Param(0x0A, 0x00000346), TorvaBlockWith(5, MonitorBalance(0, 80))})),
    ROW(Torva, F({&p.stereo, 0}), SetStereo(),
        Paced({Param(0xA8, 0x00800000), Param(0xAA, 0x00800000), TorvaBlockWith(0, 0)})),
    ROW(Torva, F(), SetStereo(), Paced({Param(0xA8, 0), Param(0xAA, 0), kTorvaBlock})),
    ROW(Torva, F(), SetBand(BandSet::Graph, 3), Paced(Join({kBand3, {kBandBlock3}}))),
    ROW(Torva, F({&p.eqEnabled, 0}), SetBand(BandSet::Graph, 3),  // flat while the equaliser is off
        Join({Paced(Join({kBand3Flat, {kBandBlock3}})), {Paused(20)}})),
    ROW(Torva, F({&p.eqEnabled, 0}), SetBand(BandSet::Slider, 3),
        Paced(Join({kBand3Flat, {"FF A0 00 40 05 00  00 00 06 00 00"}}))),
    ROW(Torva, F(), StoreSettings(), Paced({kTorvaBlock}))));

// The limiter and high-pass keep the full block layout (stereo and gain2 in bytes 6 and 12).
INSTANTIATE_TEST_SUITE_P(Kd4, CommandBytesTest, testing::Values(
    ROW(Kd4, F({&p.hpfFreq, 1}), SetHighPass(),
        Paced(Join({kHighPass75, {TorvaBlockWith(4, 1), TorvaBlockWith(4, 1)}}), 50)),
    ROW(Kd4, F({&p.gain2, 0}), SetGain2(), Paced(Join({{Param(0xB7, 0x000014AC)},
        {WithData(kSliderBlockKd4, 5, 0), WithData(kSliderBlockKd4, 5, 0)}}), 50, "Csend:")),
    ROW(Kd4, F({&p.gain2, 80}), SetGain2(), Paced(Join({{Param(0xB7, 0x00800000)},
        {WithData(kSliderBlockKd4, 5, 80), WithData(kSliderBlockKd4, 5, 80)}}), 50, "Csend:")),
    ROW(Kd4, F({&p.monitorMicCut, 0}, {&p.monitorPlaybackCut, 80}), SetMonitorPlaybackCut(),
        Paced(Join({{Param(0x0A, 0x000014AC)}, Reports(2, WithData(kKd4Block, 5, MonitorBalance(0, 80)))}), 50)),
    ROW(Kd4, F(), SetBand(BandSet::Slider, 3), Paced(Join({kBand3, {kSliderBlockKd4}}), 50)),
    ROW(Kd4, F({&p.eqEnabled, 0}), SetBand(BandSet::Slider, 3), Paced(Join({kBand3Flat, {kSliderBlockKd4}}), 50)),
    ROW(Kd4, F(), RequestLevel(), Paced({"FF 70 00 AE 04 01"}, 50)),
    ROW(Kd4, F(), RequestAllSettings(), Join({
        Paced({"FF A0 00 00 0A 01", "FF A0 00 40 09 01", "FF A0 00 10 04 01", "FF A0 00 18 04 01",
               "FF A0 00 20 04 01"}, 80),
        Paced({"FF A0 00 28 04 01"}, 80, "send:"), Paced({"FF A0 00 30 04 01"}, 80)}))));

// The long series, compared with traces kept as text in traces/: one event a line, '#' lines are
// notes. They were checked by hand against the protocol; a change of what the device receives is
// a change made to them by hand as well.
Reports Golden(const char* file) {
    std::ifstream in(std::string(QUAVELO_DEVICE_TRACES) + "/" + file);
    Reports events;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') events.push_back(line);
    }
    return events;
}

INSTANTIATE_TEST_SUITE_P(Series, CommandBytesTest, testing::Values(
    Row{"TORVA push, slider set", [](CommandRig& rig) {
            rig.params.connected = 1;
            rig.params.eqMode = 0;
            return rig.commands.PushAllSettings(); }, Golden("torva-push.txt")},
    Row{"KD4 view button GEQ", [](CommandRig& rig) {
            rig.params.deviceModel = Model::Kd4;
            return SendEqView(rig.commands, rig.params); }, Golden("kd4-view-switch.txt")},
    Row{"KD4 preset recall, equaliser off", [](CommandRig& rig) {
            rig.params.deviceModel = Model::Kd4;
            rig.params.eqEnabled = 0;
            return SendPresetRecall(rig.commands); }, Golden("kd4-preset-recall.txt")}));
// clang-format on

// ---- One registry of every command ------------------------------------------------------

// How a command treats a value outside lo..hi (of the model field it reads, or of its band
// number). The model never holds such values (every writer clamps), but a command must still not
// index past a table or send a processor write that no value in range sends.
enum class Beyond {
    Unchecked,  // nothing to range over
    Clamped,    // its processor writes are those of the nearest value in range
    Refused,    // sends nothing and fails
    StoreOnly,  // sends no processor write, only its settings-store writes
};

// Every command of both models with the value it ranges over.
struct Command {
    const char* call;
    std::function<bool(CommandRig&, int)> run;
    int lo = 0, hi = 0;
    Beyond beyond = Beyond::Unchecked;
    const char* afterFailure = "";  // the event that follows a failed write
};

void PrintTo(const Command& command, std::ostream* out) { *out << command.call; }

// clang-format off
#define COMMAND(model, call, field, ...)                                          \
    Command{#model " " #call " " #field, [](CommandRig& rig, [[maybe_unused]] int v) { \
                rig.params.deviceModel = Model::model;                            \
                [[maybe_unused]] DeviceParams& p = rig.params;                    \
                field;                                                            \
                return rig.commands.call; }, __VA_ARGS__}

using enum Beyond;
const Command kCommands[] = {
    COMMAND(Torva, SetLimiter(), p.limiterLevel = v, 0, 3, StoreOnly),
    COMMAND(Kd4, SetLimiter(), p.limiterLevel = v, 0, 3, StoreOnly),
    COMMAND(Torva, SetHighPass(), p.hpfFreq = v, 1, 2, StoreOnly),
    COMMAND(Kd4, SetHighPass(), p.hpfFreq = v, 1, 2, StoreOnly),
    COMMAND(Torva, SetMicGain(), p.micGain = v, 0, 47, Clamped),
    COMMAND(Torva, SetGain2(), p.gain2 = v, 0, 47, Clamped),
    COMMAND(Kd4, SetMicGain(), p.micGain = v, 0, 47, Clamped, "L Csend error"),
    COMMAND(Kd4, SetGain2(), p.gain2 = v, 0, 80, Clamped, "L Csend error"),
    COMMAND(Torva, SetMonitorPlaybackCut(), p.monitorPlaybackCut = v, 0, 80, Clamped),
    COMMAND(Torva, SetMonitorMicCut(), p.monitorMicCut = v, 0, 80, Clamped),
    COMMAND(Kd4, SetMonitorPlaybackCut(), p.monitorPlaybackCut = v, 0, 80, Clamped),
    COMMAND(Kd4, SetMonitorMicCut(), p.monitorMicCut = v, 0, 80, Clamped),
    COMMAND(Torva, SetBand(BandSet::Graph, v), (void)0, 1, 5, Refused),
    COMMAND(Kd4, SetBand(BandSet::Graph, v), (void)0, 1, 5, Refused),
    COMMAND(Torva, SetBand(BandSet::Graph, v), p.eqEnabled = 0, 1, 5, Refused),
    COMMAND(Kd4, SetBand(BandSet::Graph, v), p.eqEnabled = 0, 1, 5, Refused),
    COMMAND(Torva, SetBand(BandSet::Slider, v), (void)0, 1, 5, Refused),
    COMMAND(Kd4, SetBand(BandSet::Slider, v), (void)0, 1, 5, Refused),
    COMMAND(Torva, SetBand(BandSet::Slider, v), p.eqEnabled = 0, 1, 5, Refused),
    COMMAND(Kd4, SetBand(BandSet::Slider, v), p.eqEnabled = 0, 1, 5, Refused),
    COMMAND(Torva, StoreSettings(), (void)0),
    COMMAND(Kd4, StoreSettings(), (void)0, 0, 0, Unchecked, "L Csend error"),
    COMMAND(Torva, SetStereo(), p.stereo = 0), COMMAND(Kd4, RequestLevel(), (void)0),
    COMMAND(Kd4, RequestAllSettings(), (void)0), COMMAND(Torva, ReadAllSettings(), (void)0),
    COMMAND(Torva, PushAllSettings(), (void)0, 0, 0, Unchecked, "I Send failed"),
    Command{"Torva PollLevels(first, second)", [](CommandRig& rig, int) {
                std::int32_t a, b; return rig.commands.PollLevels(a, b); }},
};
// clang-format on

class CommandRegistryTest : public testing::TestWithParam<Command> {};

// A connected rig with the answers of a whole TORVA read-back queued, for the commands that read.
void Prepare(CommandRig& rig) {
    rig.params.connected = 1;
    for (const StoreBlockRequest& block : ReadBackBlocks(ProfileOf(Model::Torva))) {
        rig.link.QueueAnswer(StoreRead(block.address, block.count));
    }
}

// 0xFF, the access kind, a count that a block or parameter has, the write or read flag, then the
// data of a write, and zeros after it.
bool WellFormed(const Report& r) {
    const int count = r[4];
    const int data = r[5] == kReadFlag ? 0 : count;
    return r[0] == 0xFF && (r[1] == 0x70 || r[1] == 0xA0) && r[5] <= kReadFlag &&
           (count == 1 || count == 4 || count == 5 || count == 9 || count == 10) &&
           std::all_of(r.begin() + 6 + data, r.end(), [](std::uint8_t b) { return b == 0; });
}

// For every write of the series in turn: the command stops at that write and returns false; the
// trace is the successful run's up to that write, the failed write, and at most the failure's
// own event ("Csend error", the failure message): no pause and no further report.
TEST_P(CommandRegistryTest, SendsWellFormedReportsAndStopsAtTheFirstFailedWrite) {
    const Command& c = GetParam();
    CommandRig full;
    Prepare(full);
    ASSERT_TRUE(c.run(full, c.hi));
    for (const Report& r : full.link.Written()) EXPECT_TRUE(WellFormed(r)) << TraceHex(r);
    const Reports events = full.trace.Events();
    for (int failing = 1; failing <= full.link.WriteAttempts(); ++failing) {
        CommandRig rig;
        Prepare(rig);
        rig.link.FailWrite(failing);
        EXPECT_FALSE(c.run(rig, c.hi)) << "write " << failing;
        Reports expected;
        for (int writes = 0; const std::string& event : events) {
            const bool fails = event[0] == 'W' && ++writes == failing;
            expected.push_back(fails ? "X" + event.substr(1) : event);
            if (fails) break;
        }
        if (*c.afterFailure != '\0') expected.push_back(c.afterFailure);
        EXPECT_EQ(rig.trace.Events(), expected) << "write " << failing;
    }
}

// The processor-memory writes of a series (the settings-store writes carry the field as held).
std::vector<Report> ProcessorWrites(const CommandRig& rig) {
    std::vector<Report> writes;
    for (const Report& r : rig.link.Written()) {
        if (r[1] == 0x70) writes.push_back(r);
    }
    return writes;
}

TEST_P(CommandRegistryTest, ValuesOutOfRangeSendNothingOrWhatTheNearestValueSends) {
    const Command& c = GetParam();
    for (int v : {INT_MIN, c.lo - 1, c.hi + 1, INT_MAX}) {
        if (c.beyond == Beyond::Unchecked) break;
        CommandRig rig;
        EXPECT_EQ(c.run(rig, v), c.beyond != Beyond::Refused) << v;
        CommandRig nearest;  // sends nothing for a refused value
        if (c.beyond == Beyond::Clamped) c.run(nearest, std::clamp(v, c.lo, c.hi));
        if (c.beyond != Beyond::StoreOnly) {
            EXPECT_EQ(ProcessorWrites(rig), ProcessorWrites(nearest)) << v;
        }
        if (c.beyond == Beyond::Refused) {
            EXPECT_TRUE(rig.link.Written().empty()) << v;
        }
        if (c.beyond == Beyond::StoreOnly) {
            EXPECT_TRUE(ProcessorWrites(rig).empty()) << v;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandRegistryTest, testing::ValuesIn(kCommands));

}  // namespace
}  // namespace quavelo
