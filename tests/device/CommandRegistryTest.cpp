#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

#include "device/CommandRig.h"
#include "device/SettingsBlocks.h"

namespace quavelo {
namespace {

using namespace test;

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
    std::function<void(CommandRig&)> setup = [](CommandRig&) {};
};

void PrintTo(const Command& command, std::ostream* out) { *out << command.call; }

// clang-format off
#define COMMAND(call, ...) \
    Command{#call, [](DeviceCommands& c, [[maybe_unused]] int v) { return c.call; }, __VA_ARGS__}

void AnswerTheReadBack(CommandRig& rig) {
    for (const StoreBlockRequest& block : ReadBackBlocks(kModelTorva)) {
        rig.link.QueueAnswer(StoreRead(block.address, block.count));  // header-only answers
    }
}

const Command kCommands[] = {
    COMMAND(SetLimiter(1, v), 0, 3, Beyond::StoreOnly),
    COMMAND(SetHighPass(1, v), 1, 2, Beyond::StoreOnly),
    COMMAND(SetMicGain(v), 0, 47, Beyond::Clamped),
    COMMAND(SetGain2(v), 0, 47, Beyond::Clamped),
    COMMAND(SetMonitorPlaybackCut(v), 0, 80, Beyond::Clamped),
    COMMAND(SetMonitorMicCut(v), 0, 80, Beyond::Clamped),
    COMMAND(SetStereo(v), 0, 1),
    COMMAND(SetGraphBand(v), 1, 5, Beyond::Refused),
    COMMAND(SetGraphBandFlat(v), 1, 5, Beyond::Refused),
    COMMAND(SetSliderBand(v), 1, 5, Beyond::Refused),
    COMMAND(SetSliderBandFlat(v), 1, 5, Beyond::Refused),
    COMMAND(StoreSettings()),
    COMMAND(SetLimiterKd4(1, v), 0, 3, Beyond::StoreOnly),
    COMMAND(SetHighPassKd4(1, v), 1, 2, Beyond::StoreOnly),
    COMMAND(SetMicGainKd4(v), 0, 47, Beyond::Clamped, "L Csend error"),
    COMMAND(SetGain2Kd4(v), 0, 80, Beyond::Clamped, "L Csend error"),
    COMMAND(SetMonitorPlaybackCutKd4(v), 0, 80, Beyond::Clamped),
    COMMAND(SetMonitorMicCutKd4(v), 0, 80, Beyond::Clamped),
    COMMAND(SetGraphBandKd4(v), 1, 5, Beyond::Refused),
    COMMAND(SetGraphBandFlatKd4(v), 1, 5, Beyond::Refused),
    COMMAND(SetSliderBandKd4(v), 1, 5, Beyond::Refused),
    COMMAND(SetSliderBandFlatKd4(v), 1, 5, Beyond::Refused),
    COMMAND(StoreSettingsKd4(), 0, 0, Beyond::Unchecked, "L Csend error"),
    COMMAND(RequestLevelKd4()),
    COMMAND(RequestAllSettingsKd4()),
    COMMAND(ReadAllSettings(), 0, 0, Beyond::Unchecked, "", AnswerTheReadBack),
    COMMAND(PushAllSettings(), 0, 0, Beyond::Unchecked, "I 发送失败",
            [](CommandRig& rig) { rig.params.connected = 1; }),
    Command{"PollLevels", [](DeviceCommands& c, int) { std::int32_t a = 0, b = 0;
                                                       return c.PollLevels(a, b); }, 0, 0,
            Beyond::Unchecked, "", [](CommandRig& rig) {
                rig.link.QueueAnswer(DspRead(0xAE, 4));
                rig.link.QueueAnswer(DspRead(0xB0, 4)); }},
};
// clang-format on

class CommandRegistryTest : public testing::TestWithParam<Command> {};

// For every write of the series in turn: the command stops at that write and returns false; the
// trace is the successful run's up to that write, the failed write, and at most the failure's
// own event ("Csend error", the failure message) — no pause and no further report.
TEST_P(CommandRegistryTest, StopsAtTheFirstFailedWrite) {
    const Command& c = GetParam();
    CommandRig full;
    c.setup(full);
    ASSERT_TRUE(c.run(full.commands, c.hi));
    const Reports events = full.trace.Events();
    for (int failing = 1; failing <= full.link.WriteAttempts(); ++failing) {
        CommandRig rig;
        c.setup(rig);
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

// 0xFF, the access kind, the count and the flag, the data, and zeros after it.
TEST_P(CommandRegistryTest, EveryReportIsWellFormed) {
    const Command& c = GetParam();
    for (int v : {c.lo, c.hi}) {
        CommandRig rig;
        c.setup(rig);
        c.run(rig.commands, v);
        ASSERT_FALSE(rig.link.Written().empty());
        for (const Report& r : rig.link.Written()) {
            const int count = r[4];
            const bool request = r[5] == kReadFlag;
            EXPECT_EQ(r[0], 0xFF);
            EXPECT_TRUE(r[1] == 0x70 || r[1] == 0xA0) << TraceHex(r);
            EXPECT_TRUE(request || r[5] == kWriteFlag) << TraceHex(r);
            EXPECT_TRUE(count == 1 || count == 4 || count == 5 || count == 9 || count == 10);
            EXPECT_TRUE(std::all_of(r.begin() + 6 + (request ? 0 : count), r.end(),
                                    [](std::uint8_t b) { return b == 0; }))
                << TraceHex(r);
        }
    }
}

TEST_P(CommandRegistryTest, ArgumentsOutOfRangeSendNothingOrTheNearestValue) {
    const Command& c = GetParam();
    if (c.beyond == Beyond::Unchecked) return;  // nothing lies out of range
    for (int v : {INT_MIN, c.lo - 1, c.hi + 1, INT_MAX}) {
        CommandRig rig;
        CommandRig nearest;
        const bool sent = c.run(rig.commands, v);
        const Reports events = rig.trace.Events();
        if (c.beyond == Beyond::Clamped) {
            c.run(nearest.commands, std::clamp(v, c.lo, c.hi));
            EXPECT_EQ(events, nearest.trace.Events()) << v;
        }
        if (c.beyond == Beyond::Refused) {
            EXPECT_TRUE(events.empty()) << v;
        }
        if (c.beyond == Beyond::StoreOnly) {
            for (const Report& r : rig.link.Written()) EXPECT_EQ(r[1], 0xA0) << TraceHex(r);
        }
        EXPECT_EQ(sent, c.beyond != Beyond::Refused) << v;
    }
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandRegistryTest, testing::ValuesIn(kCommands));

}  // namespace
}  // namespace quavelo
