#include "link/DataDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "support/TempDir.h"

namespace quavelo {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// An environment with the given variables and a program folder that is writable or not.
struct FakeEnvironment {
    std::map<std::string, std::string> variables;
    fs::path programDir;
    bool programDirWritable = false;

    DataDirectoryEnvironment Get() const {
        DataDirectoryEnvironment env;
        env.variable = [vars = variables](const char* name) -> std::optional<std::string> {
            const auto it = vars.find(name);
            if (it == vars.end()) return std::nullopt;
            return it->second;
        };
        env.executableDirectory = programDir;
        env.isWritable = [writable = programDirWritable](const fs::path&) { return writable; };
        return env;
    }
};

class DataDirectoryTest : public testing::Test {
  protected:
    fs::path Sub(const char* name) const { return root_.Path() / name; }

    TempDir root_;
};

TEST_F(DataDirectoryTest, TheOptionWinsAndIsCreatedWithItsParents) {
    FakeEnvironment env{{{"QUAVELO_DATA_DIR", Sub("env")}}, Sub("program"), true};
    const DataDirectory dir = ResolveDataDirectory(Sub("opt") / "a" / "b", env.Get());
    EXPECT_EQ(dir.path, Sub("opt") / "a" / "b");
    EXPECT_EQ(dir.error, "");
    EXPECT_TRUE(fs::is_directory(dir.path));
}

TEST_F(DataDirectoryTest, ThenTheEnvironmentVariable) {
    FakeEnvironment env{{{"QUAVELO_DATA_DIR", Sub("env")}}, Sub("program"), true};
    EXPECT_EQ(ResolveDataDirectory(std::nullopt, env.Get()).path, Sub("env"));
}

TEST_F(DataDirectoryTest, ThenTheProgramFolderWhenWritable) {
    fs::create_directory(Sub("program"));
    FakeEnvironment env{{{"QUAVELO_DATA_DIR", ""}, {"HOME", Sub("home")}}, Sub("program"), true};
    const DataDirectory dir = ResolveDataDirectory(std::nullopt, env.Get());
    EXPECT_EQ(dir.path, Sub("program")) << "an empty variable counts as unset";
    EXPECT_EQ(dir.error, "");
}

struct FallbackCase {
    const char* name;
    std::map<std::string, std::string> variables;  // values relative to the test folder
    const char* expected;                          // relative to the test folder; "" = error
};

class DataDirectoryFallbackTest : public DataDirectoryTest,
                                  public testing::WithParamInterface<FallbackCase> {};

TEST_P(DataDirectoryFallbackTest, ReadOnlyProgramFolderFallsBackToTheUsersDataFolder) {
    FakeEnvironment env;
    for (const auto& [name, value] : GetParam().variables) {
        env.variables[name] =
            value.empty() || value == "relative" ? value : Sub(value.c_str()).string();
    }
    env.programDir = Sub("program");
    env.programDirWritable = false;
    const DataDirectory dir = ResolveDataDirectory(std::nullopt, env.Get());
    if (std::string(GetParam().expected).empty()) {
        EXPECT_NE(dir.error, "");
        return;
    }
    EXPECT_EQ(dir.path, Sub(GetParam().expected));
    EXPECT_EQ(dir.error, "");
    EXPECT_TRUE(fs::is_directory(dir.path));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fallbacks, DataDirectoryFallbackTest, testing::Values(
    FallbackCase{"XdgDataHome", {{"XDG_DATA_HOME", "xdg"}, {"HOME", "home"}}, "xdg/quavelo"},
    FallbackCase{"Home", {{"HOME", "home"}}, "home/.local/share/quavelo"},
    FallbackCase{"EmptyXdg", {{"XDG_DATA_HOME", ""}, {"HOME", "home"}},
                 "home/.local/share/quavelo"},
    FallbackCase{"RelativeXdgIsIgnored", {{"XDG_DATA_HOME", "relative"}, {"HOME", "home"}},
                 "home/.local/share/quavelo"},
    FallbackCase{"NoHome", {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(DataDirectoryTest, AFileInTheWayIsAnErrorNamingThePath) {
    std::ofstream(Sub("file")) << "x";
    FakeEnvironment env;
    const DataDirectory asDir = ResolveDataDirectory(Sub("file"), env.Get());
    EXPECT_NE(asDir.error.find(Sub("file").string()), std::string::npos) << asDir.error;
    const DataDirectory below = ResolveDataDirectory(Sub("file") / "sub", env.Get());
    EXPECT_NE(below.error.find("cannot create"), std::string::npos) << below.error;
}

TEST_F(DataDirectoryTest, AnEmptyOptionIsAnError) {
    FakeEnvironment env{{{"HOME", Sub("home")}}, {}, false};
    EXPECT_NE(ResolveDataDirectory(fs::path(), env.Get()).error, "");
}

TEST(ProcessDataDirectoryEnvironmentTest, FindsTheTestProgramsFolder) {
    const DataDirectoryEnvironment env = ProcessDataDirectoryEnvironment();
    EXPECT_TRUE(fs::exists(env.executableDirectory / "link_tests"));
}

}  // namespace
}  // namespace quavelo
