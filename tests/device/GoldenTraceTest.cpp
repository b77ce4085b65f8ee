#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "device/CommandRig.h"
#include "device/ControlSends.h"

namespace quavelo {
namespace {

using namespace test;

// The long series, compared event by event with traces kept as text in traces/ (one event a
// line, '#' lines are notes). The traces were checked by hand against the protocol; a change of
// what the device receives is a change made to them by hand as well.
struct Golden {
    const char* file;
    std::function<bool(CommandRig&)> run;
};

void PrintTo(const Golden& golden, std::ostream* out) { *out << golden.file; }

class GoldenTraceTest : public testing::TestWithParam<Golden> {};

TEST_P(GoldenTraceTest, MatchesTheReviewedTrace) {
    std::ifstream in(std::string(QUAVELO_DEVICE_TRACES) + "/" + GetParam().file);
    ASSERT_TRUE(in) << GetParam().file;
    Reports expected;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') expected.push_back(line);
    }
    CommandRig rig;
    EXPECT_TRUE(GetParam().run(rig));
    EXPECT_EQ(rig.trace.Events(), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Series, GoldenTraceTest, testing::Values(
    Golden{"torva-push.txt", [](CommandRig& rig) {
        rig.params.connected = 1;
        rig.params.eqMode = 0;
        return rig.commands.PushAllSettings(); }},
    Golden{"kd4-view-switch.txt", [](CommandRig& rig) {
        return SendEqViewKd4(rig.commands, rig.params); }},
    Golden{"kd4-preset-recall.txt", [](CommandRig& rig) {
        rig.params.eqEnabled = 0;
        return SendPresetRecallKd4(rig.commands, rig.params); }}));
// clang-format on

}  // namespace
}  // namespace quavelo
