#include "uhid/UhidDeviceOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quavelo {
namespace {

TEST(UhidDeviceOptionsTest, EveryOptionIsTaken) {
    UhidDeviceOptions options;
    std::string error;
    ASSERT_TRUE(ParseUhidDeviceOptions(
        {"--model", "kd4", "--echo", "--stall-after", "3", "--stall-ms", "250", "--silent",
         "--garbage", "--seed", "9", "--remove-after", "0", "--remove-delay", "1000000000",
         "--trace", "wire.trace", "--sim-state", "device.state"},
        options, error))
        << error;
    EXPECT_EQ(options.model, UhidDeviceOptions::Model::kKd4);
    EXPECT_TRUE(options.echo);
    EXPECT_EQ(options.faults.stallAfter, 3u);
    EXPECT_EQ(options.faults.stallFor, std::chrono::milliseconds(250));
    EXPECT_TRUE(options.faults.silent);
    EXPECT_TRUE(options.faults.garbage);
    EXPECT_EQ(options.faults.seed, 9u);
    EXPECT_EQ(options.faults.removeAfter, 0u);
    EXPECT_EQ(options.faults.removeDelay, std::chrono::milliseconds(1000000000));
    EXPECT_EQ(options.tracePath, "wire.trace");
    EXPECT_EQ(options.statePath, "device.state");
}

TEST(UhidDeviceOptionsTest, NothingGivenIsASoundTorva) {
    UhidDeviceOptions options;
    options.echo = true;
    std::string error;
    ASSERT_TRUE(ParseUhidDeviceOptions({}, options, error));
    EXPECT_EQ(options.model, UhidDeviceOptions::Model::kTorva);
    EXPECT_FALSE(options.echo) << "parsing starts from the defaults";
    EXPECT_FALSE(options.faults.stallAfter.has_value());
    EXPECT_FALSE(options.faults.removeAfter.has_value());
    EXPECT_FALSE(options.faults.silent || options.faults.garbage);
}

struct Refused {
    std::vector<std::string> args;
    const char* error;
};

class UhidDeviceOptionsRefusedTest : public testing::TestWithParam<Refused> {};

TEST_P(UhidDeviceOptionsRefusedTest, SaysWhatIsWrong) {
    UhidDeviceOptions options;
    std::string error;
    EXPECT_FALSE(ParseUhidDeviceOptions(GetParam().args, options, error));
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UhidDeviceOptionsRefusedTest,
    testing::Values(
        Refused{{"--model", "KD4"}, "--model takes torva or kd4, not 'KD4'"},
        Refused{{"--model"}, "--model needs a value"},
        Refused{{"--stall-after", "-1"},
                "--stall-after takes a whole number from 0 to 1000000000, not '-1'"},
        Refused{{"--stall-ms", "1000000001"},
                "--stall-ms takes a whole number from 0 to 1000000000, not '1000000001'"},
        Refused{{"--seed", "99999999999999999999"},
                "--seed takes a whole number from 0 to 1000000000, not '99999999999999999999'"},
        Refused{{"--remove-after", "2x"},
                "--remove-after takes a whole number from 0 to 1000000000, not '2x'"},
        Refused{{"--remove-delay", ""},
                "--remove-delay takes a whole number from 0 to 1000000000, not ''"},
        Refused{{"--trace", ""}, "--trace needs a file name"},
        Refused{{"--sim-state", ""}, "--sim-state needs a file name"},
        Refused{{"--echo", "extra"}, "unknown option 'extra'"}));

TEST(UhidDeviceControlTest, TakesTheThreeControls) {
    UhidDeviceControl control;
    std::string error;
    ASSERT_TRUE(ParseUhidDeviceControl("knob -47", control, error)) << error;
    EXPECT_EQ(control.kind, UhidDeviceControl::Kind::kKnob);
    EXPECT_EQ(control.detents, -47);
    ASSERT_TRUE(ParseUhidDeviceControl("knob 47", control, error)) << error;
    EXPECT_EQ(control.detents, 47);
    ASSERT_TRUE(ParseUhidDeviceControl("mute", control, error));
    EXPECT_EQ(control.kind, UhidDeviceControl::Kind::kMute);
    ASSERT_TRUE(ParseUhidDeviceControl("lock", control, error));
    EXPECT_EQ(control.kind, UhidDeviceControl::Kind::kLock);
}

TEST(UhidDeviceControlTest, RefusesEverythingElseSayingWhy) {
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"knob 48", "knob takes a number of steps from -47 to 47, not '48'"},
        {"knob", "unknown control 'knob' (knob N, mute, lock)"},
        {"knob ", "knob takes a number of steps from -47 to 47, not ''"},
        {"knob 1x", "knob takes a number of steps from -47 to 47, not '1x'"},
        {"Mute", "unknown control 'Mute' (knob N, mute, lock)"},
        {"", "unknown control '' (knob N, mute, lock)"},
    };
    for (const auto& [line, expected] : refused) {
        UhidDeviceControl control;
        std::string error;
        EXPECT_FALSE(ParseUhidDeviceControl(line, control, error)) << line;
        EXPECT_EQ(error, expected) << line;
    }
}

}  // namespace
}  // namespace quavelo
