#include "app/AppOptions.h"

#include <gtest/gtest.h>

namespace quavelo {
namespace {

using Action = AppOptions::Action;

struct OptionsCase {
    QStringList args;  // after the program name, Qt's own options among them
    Action action;
    bool simulated = false;
    const char* dataDir = nullptr;
    std::optional<double> scale = std::nullopt;
};

class AppOptionsTest : public testing::TestWithParam<OptionsCase> {};

TEST_P(AppOptionsTest, ReadsTheCommandLine) {
    const OptionsCase& c = GetParam();
    const AppOptions o = ParseAppOptions(WithoutQtOptions(QStringList{"quavelo"} + c.args));
    EXPECT_EQ(o.action, c.action) << c.args.join(' ').toStdString() << ": "
                                  << o.message.toStdString();
    EXPECT_EQ(o.action == Action::kRun, o.message.isEmpty()) << "a message exactly when not run";
    if (c.action != Action::kRun) return;
    EXPECT_EQ(o.Simulated(), c.simulated);
    EXPECT_EQ(o.dataDir,
              c.dataDir ? std::optional<std::filesystem::path>(c.dataDir) : std::nullopt);
    EXPECT_EQ(o.scale, c.scale);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, AppOptionsTest, testing::Values(
    OptionsCase{{}, Action::kRun},
    OptionsCase{{"--simulate", "--sim-state", "s.bin", "--trace=t.txt", "--data-dir", "/d"},
                Action::kRun, true, "/d"},
    OptionsCase{{"--screenshot", "shots", "--trace", "t.txt"}, Action::kRun, true},
    OptionsCase{{"--screenshot", "shots", "--scale", "2"}, Action::kRun, true, nullptr, 2.0},
    OptionsCase{{"--scale=1.5"}, Action::kRun, false, nullptr, 1.5},
    OptionsCase{{"--scale", "0.5"}, Action::kUsageError},
    OptionsCase{{"--scale", "2x"}, Action::kUsageError},
    OptionsCase{{"-platform", "offscreen", "--simulate", "-reverse", "--style=fusion",
                 "-qwindowgeometry", "10x10", "--data-dir", "d"}, Action::kRun, true, "d"},
    OptionsCase{{"--help"}, Action::kHelp}, OptionsCase{{"--version"}, Action::kVersion},
    OptionsCase{{"--bogus"}, Action::kUsageError},
    OptionsCase{{"stray"}, Action::kUsageError},
    OptionsCase{{"--data-dir"}, Action::kUsageError},
    OptionsCase{{"--sim-state", "s.bin"}, Action::kUsageError},   // needs the simulated devices
    OptionsCase{{"--measure-startup"}, Action::kUsageError},
    OptionsCase{{"--simulate", "--measure-startup", "--screenshot", "d"}, Action::kUsageError}));
// clang-format on

}  // namespace
}  // namespace quavelo
