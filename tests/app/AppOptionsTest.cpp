#include <gtest/gtest.h>

#include "app/AppOptions.h"

namespace quavelo {
namespace {

AppOptions Parse(QStringList args) {
    args.prepend(QStringLiteral("quavelo"));
    return ParseAppOptions(args);
}

TEST(AppOptionsTest, NoOptionsRunsOnRealDevices) {
    const AppOptions o = Parse({});
    EXPECT_EQ(o.action, AppOptions::Action::kRun);
    EXPECT_FALSE(o.Simulated());
    EXPECT_FALSE(o.dataDir);
}

TEST(AppOptionsTest, EveryOptionIsTaken) {
    const AppOptions o = Parse({"--simulate", "--sim-state", "s.bin", "--trace=t.txt", "--data-dir",
                                "/tmp/d", "--screenshot", "shots"});
    EXPECT_EQ(o.action, AppOptions::Action::kRun) << o.message.toStdString();
    EXPECT_TRUE(o.simulate);
    EXPECT_EQ(o.simState, std::filesystem::path("s.bin"));
    EXPECT_EQ(o.trace, std::filesystem::path("t.txt"));
    EXPECT_EQ(o.dataDir, std::filesystem::path("/tmp/d"));
    EXPECT_EQ(o.screenshotDir, std::filesystem::path("shots"));
}

TEST(AppOptionsTest, ScreenshotsRunOnTheSimulatedDevices) {
    const AppOptions o = Parse({"--screenshot", "shots", "--trace", "t.txt"});
    EXPECT_EQ(o.action, AppOptions::Action::kRun);
    EXPECT_TRUE(o.Simulated());
}

TEST(AppOptionsTest, HelpAndVersion) {
    const AppOptions help = Parse({"--help"});
    EXPECT_EQ(help.action, AppOptions::Action::kHelp);
    for (const char* option :
         {"--simulate", "--sim-state", "--trace", "--data-dir", "--screenshot"}) {
        EXPECT_TRUE(help.message.contains(option)) << option;
    }
    const AppOptions version = Parse({"--version"});
    EXPECT_EQ(version.action, AppOptions::Action::kVersion);
    EXPECT_TRUE(version.message.startsWith("quavelo 1.")) << version.message.toStdString();
}

class UsageErrorTest : public testing::TestWithParam<std::vector<const char*>> {};

TEST_P(UsageErrorTest, IsRefusedWithAMessage) {
    QStringList args;
    for (const char* arg : GetParam()) args << arg;
    const AppOptions o = Parse(args);
    EXPECT_EQ(o.action, AppOptions::Action::kUsageError);
    EXPECT_FALSE(o.message.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, UsageErrorTest,
                         testing::Values(std::vector<const char*>{"--bogus"},
                                         std::vector<const char*>{"stray"},
                                         std::vector<const char*>{"--data-dir"},
                                         std::vector<const char*>{"--data-dir="},
                                         std::vector<const char*>{"--sim-state", "s.bin"},
                                         std::vector<const char*>{"--trace", "t.txt"},
                                         std::vector<const char*>{"--measure-startup"},
                                         std::vector<const char*>{"--simulate", "--measure-startup",
                                                                  "--screenshot", "d"}));

TEST(AppOptionsTest, QtsOwnOptionsAreLeftToQt) {
    const QStringList args{
        "quavelo",        "-platform",        "offscreen", "--simulate", "-reverse",
        "--style=fusion", "-qwindowgeometry", "10x10",     "--data-dir", "d"};
    EXPECT_EQ(WithoutQtOptions(args), (QStringList{"quavelo", "--simulate", "--data-dir", "d"}));
    EXPECT_EQ(ParseAppOptions(WithoutQtOptions(args)).action, AppOptions::Action::kRun);
}

}  // namespace
}  // namespace quavelo
