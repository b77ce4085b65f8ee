#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <functional>

#include "device/CommandRig.h"
#include "device/ControlSends.h"
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
const Reports kKd4Blocks = {kKd4Block, kKd4Block};
const Reports kKd4SliderBlocks = {kSliderBlockKd4, kSliderBlockKd4};

// clang-format off
#define CALL(call, ...) Row{#call, [](CommandRig& rig) { return rig.commands.call; }, __VA_ARGS__}

INSTANTIATE_TEST_SUITE_P(Torva, CommandBytesTest, testing::Values(
    CALL(SetLimiter(1, 3), Paced(Join({Selectors(3), {kTorvaBlock}}))),
    CALL(SetLimiter(0, 3), Paced(Join({Selectors(0), {kTorvaBlock}}))),   // off whatever the level
    CALL(SetLimiter(1, 0), Paced(Join({Selectors(0), {kTorvaBlock}}))),   // level 0 selects off
    CALL(SetHighPass(0, 2), Paced(Join({kHighPassOff, {kTorvaBlock}}))),
    CALL(SetHighPass(1, 1), Paced(Join({kHighPass75, {kTorvaBlock}}))),
    CALL(SetHighPass(1, 0), Paced({kTorvaBlock})),
    CALL(SetMicGain(0), Paced({"FF 70 40 0E 01 00 43", kTorvaBlock})),
    CALL(SetMicGain(47), Paced({"FF 70 40 0E 01 00 FF", kTorvaBlock})),
    CALL(SetMicGain(48), Paced({"FF 70 40 0E 01 00 FF", kTorvaBlock})),
    CALL(SetGain2(20), Paced({"FF 70 40 0F 01 00 93", kTorvaBlock})),
    CALL(SetMonitorPlaybackCut(40), Paced({Param(0x0A, 0x000CCCCC), kTorvaBlock})),
    CALL(SetMonitorPlaybackCut(80), Paced({Param(0x0A, 0x00000346), kTorvaBlock})),
    CALL(SetMonitorPlaybackCut(81), Paced({Param(0x0A, 0x00000346), kTorvaBlock})),
    CALL(SetStereo(0), Paced({Param(0xA8, 0x00800000), Param(0xAA, 0x00800000), kTorvaBlock})),
    CALL(SetStereo(2), Paced({Param(0xA8, 0), Param(0xAA, 0), kTorvaBlock})),
    CALL(SetGraphBand(3), Paced(Join({kBand3, {kBandBlock3}}))),
    CALL(SetGraphBandFlat(3), Join({Paced(Join({kBand3Flat, {kBandBlock3}})), {Paused(20)}})),
    CALL(SetSliderBandFlat(3), Paced(Join({kBand3Flat, {"FF A0 00 40 05 00  00 00 06 00 00"}}))),
    CALL(StoreSettings(), Paced({kTorvaBlock}))));

// The limiter and high-pass keep the TORVA block layout (stereo and gain2 in bytes 6 and 12).
INSTANTIATE_TEST_SUITE_P(Kd4, CommandBytesTest, testing::Values(
    CALL(SetHighPassKd4(1, 1), Paced(Join({kHighPass75, {kTorvaBlock, kTorvaBlock}}), 50)),
    CALL(SetGain2Kd4(0), Paced(Join({{Param(0xB7, 0x000014AC)}, kKd4SliderBlocks}), 50, "Csend:")),
    CALL(SetGain2Kd4(80), Paced(Join({{Param(0xB7, 0x00800000)}, kKd4SliderBlocks}), 50, "Csend:")),
    CALL(SetGain2Kd4(81), Paced(Join({{Param(0xB7, 0x00800000)}, kKd4SliderBlocks}), 50, "Csend:")),
    CALL(SetMonitorPlaybackCutKd4(80), Paced(Join({{Param(0x0A, 0x000014AC)}, kKd4Blocks}), 50)),
    CALL(SetSliderBandKd4(3), Paced(Join({kBand3, {kSliderBlockKd4}}), 50)),
    CALL(SetSliderBandFlatKd4(3), Paced(Join({kBand3Flat, {kSliderBlockKd4}}), 50)),
    CALL(RequestLevelKd4(), Paced({"FF 70 00 AE 04 01"}, 50)),
    CALL(RequestAllSettingsKd4(), Join({
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
            return SendEqViewKd4(rig.commands, rig.params); }, Golden("kd4-view-switch.txt")},
    Row{"KD4 preset recall, equaliser off", [](CommandRig& rig) {
            rig.params.eqEnabled = 0;
            return SendPresetRecallKd4(rig.commands, rig.params); }, Golden("kd4-preset-recall.txt")}));
// clang-format on

// ---- One registry of every command ------------------------------------------------------

// How a command treats an argument outside lo..hi.
enum class Beyond {
    Unchecked,  // no range (no argument, or any non-zero value means "on")
    Clamped,    // sends what the nearest value in range sends
    Refused,    // sends nothing and fails
    StoreOnly,  // sends no processor write, only its settings-store writes
};

// Every command of both models with its argument's range.
struct Command {
    const char* call;
    std::function<bool(DeviceCommands&, int)> run;
    int lo = 0, hi = 0;
    Beyond beyond = Beyond::Unchecked;
    const char* afterFailure = "";  // the event that follows a failed write
};

void PrintTo(const Command& command, std::ostream* out) { *out << command.call; }

// clang-format off
#define COMMAND(call, ...) \
    Command{#call, [](DeviceCommands& c, [[maybe_unused]] int v) { return c.call; }, __VA_ARGS__}

using enum Beyond;
const Command kCommands[] = {
    COMMAND(SetLimiter(1, v), 0, 3, StoreOnly),   COMMAND(SetLimiterKd4(1, v), 0, 3, StoreOnly),
    COMMAND(SetHighPass(1, v), 1, 2, StoreOnly),  COMMAND(SetHighPassKd4(1, v), 1, 2, StoreOnly),
    COMMAND(SetMicGain(v), 0, 47, Clamped),       COMMAND(SetGain2(v), 0, 47, Clamped),
    COMMAND(SetMicGainKd4(v), 0, 47, Clamped, "L Csend error"),
    COMMAND(SetGain2Kd4(v), 0, 80, Clamped, "L Csend error"),
    COMMAND(SetMonitorPlaybackCut(v), 0, 80, Clamped), COMMAND(SetMonitorMicCut(v), 0, 80, Clamped),
    COMMAND(SetMonitorPlaybackCutKd4(v), 0, 80, Clamped),
    COMMAND(SetMonitorMicCutKd4(v), 0, 80, Clamped),
    COMMAND(SetGraphBand(v), 1, 5, Refused),      COMMAND(SetGraphBandKd4(v), 1, 5, Refused),
    COMMAND(SetGraphBandFlat(v), 1, 5, Refused),  COMMAND(SetGraphBandFlatKd4(v), 1, 5, Refused),
    COMMAND(SetSliderBand(v), 1, 5, Refused),     COMMAND(SetSliderBandKd4(v), 1, 5, Refused),
    COMMAND(SetSliderBandFlat(v), 1, 5, Refused), COMMAND(SetSliderBandFlatKd4(v), 1, 5, Refused),
    COMMAND(StoreSettings()),    COMMAND(StoreSettingsKd4(), 0, 0, Unchecked, "L Csend error"),
    COMMAND(SetStereo(v), 0, 1), COMMAND(RequestLevelKd4()), COMMAND(RequestAllSettingsKd4()),
    COMMAND(ReadAllSettings()),  COMMAND(PushAllSettings(), 0, 0, Unchecked, "I 发送失败"),
    Command{"PollLevels(first, second)",
            [](DeviceCommands& c, int) { std::int32_t a, b; return c.PollLevels(a, b); }},
};
// clang-format on

class CommandRegistryTest : public testing::TestWithParam<Command> {};

// A connected rig with the answers of a whole TORVA read-back queued, for the commands that read.
void Prepare(CommandRig& rig) {
    rig.params.connected = 1;
    for (const StoreBlockRequest& block : ReadBackBlocks(kModelTorva)) {
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
    ASSERT_TRUE(c.run(full.commands, c.hi));
    for (const Report& r : full.link.Written()) EXPECT_TRUE(WellFormed(r)) << TraceHex(r);
    const Reports events = full.trace.Events();
    for (int failing = 1; failing <= full.link.WriteAttempts(); ++failing) {
        CommandRig rig;
        Prepare(rig);
        rig.link.FailWrite(failing);
        EXPECT_FALSE(c.run(rig.commands, c.hi)) << "write " << failing;
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

TEST_P(CommandRegistryTest, ArgumentsOutOfRangeSendNothingOrWhatTheNearestValueSends) {
    const Command& c = GetParam();
    for (int v : {INT_MIN, c.lo - 1, c.hi + 1, INT_MAX}) {
        if (c.beyond == Beyond::Unchecked) break;
        CommandRig rig;
        EXPECT_EQ(c.run(rig.commands, v), c.beyond != Beyond::Refused) << v;
        CommandRig nearest;  // sends nothing for a refused argument
        if (c.beyond == Beyond::Clamped) c.run(nearest.commands, std::clamp(v, c.lo, c.hi));
        if (c.beyond != Beyond::StoreOnly) {
            EXPECT_EQ(rig.trace.Events(), nearest.trace.Events()) << v;
        }
        for (const Report& r : rig.link.Written()) {
            EXPECT_TRUE(c.beyond != Beyond::StoreOnly || r[1] == 0xA0) << v << " " << TraceHex(r);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandRegistryTest, testing::ValuesIn(kCommands));

}  // namespace
}  // namespace quavelo
