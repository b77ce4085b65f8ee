#include "link/DataDirectory.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/TempDir.h"

namespace quavelo {
namespace {

TEST(DataDirectoryTest, OptionVariableMarkedProgramFolderThenTheUsersDataFolder) {
    // --data-dir, QUAVELO_DATA_DIR, XDG_DATA_HOME, HOME (nullptr: unset; paths lie in the test's
    // folder except "rel"), whether the marker file `portable` stands in the program's folder
    // (which exists and is writable either way), and the folder chosen.
    struct Case {
        const char *option, *own, *xdg, *home;
        bool portable;
        const char* chosen;  // "" when none
    };
    const Case cases[] = {
        {"opt/a", "env", nullptr, nullptr, true, "opt/a"},
        {nullptr, "env", nullptr, nullptr, true, "env"},
        {nullptr, "", nullptr, "home", true, "program"},
        {nullptr, nullptr, "xdg", "home", false, "xdg/quavelo"},
        {nullptr, nullptr, "rel", "home", false, "home/.local/share/quavelo"},
        {nullptr, nullptr, "", nullptr, false, ""},
    };
    for (const Case& c : cases) {
        test::TempDir root;
        std::filesystem::create_directory(root.Path() / "program");
        if (c.portable) std::ofstream(root.Path() / "program" / kPortableMarker);
        const auto at = [&](const char* p) -> std::optional<std::string> {
            if (p == nullptr) return std::nullopt;
            return *p == '\0' || std::string_view(p) == "rel" ? p : (root.Path() / p).string();
        };
        const DataDirectoryEnvironment env{[&](const char* name) {
                                               const std::string_view n(name);
                                               return at(n == "QUAVELO_DATA_DIR" ? c.own
                                                         : n == "XDG_DATA_HOME"  ? c.xdg
                                                         : n == "HOME"           ? c.home
                                                                                 : nullptr);
                                           },
                                           root.Path() / "program"};
        const DataDirectory dir = ResolveDataDirectory(at(c.option), env);
        EXPECT_EQ(dir.error.empty(), *c.chosen != '\0') << c.chosen << dir.error;
        if (*c.chosen != '\0') {
            EXPECT_EQ(dir.path, root.Path() / c.chosen);
            EXPECT_TRUE(std::filesystem::is_directory(dir.path)) << c.chosen << " is created";
        }
    }
}

}  // namespace
}  // namespace quavelo
