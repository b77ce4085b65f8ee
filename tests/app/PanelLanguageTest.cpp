// The panel in the user's language: under a Chinese locale the texts it has always shown there
// (Chinese messages, English captions), otherwise English.

#include <gtest/gtest.h>

#include <QPushButton>

#include "app/AppRig.h"
#include "language/UserLanguage.h"
#include "pages/PresetKit.h"
#include "pages/SettingsPage.h"

namespace quavelo {
namespace {

using test::AppRig;

struct LanguageCase {
    const char* lang;  // LANG
    const char* mixReadout;
    const char* ok;
    const char* noSlot;
};

class PanelLanguageTest : public testing::TestWithParam<LanguageCase> {};

TEST_P(PanelLanguageTest, ShowsTheTextsOfTheUsersLanguage) {
    const LanguageCase& c = GetParam();
    const auto translator = InstallTranslations(UserLanguage([&](const char* name) {
        return std::string_view(name) == "LANG" ? std::optional<std::string>(c.lang) : std::nullopt;
    }));
    AppRig rig;
    rig.Device(Model::Torva).Unplug();
    rig.Device(Model::Kd4).Unplug();
    auto text = [&](Model model, int id) {
        return FindControl<SkinLabel>(rig.Page(model), id)->Text().toStdString();
    };
    EXPECT_EQ(text(Model::Torva, TorvaPage::kIdLimiterCaption), "DRC");
    EXPECT_EQ(text(Model::Kd4, Kd4Page::kIdPresetCaption), "Preset");
    EXPECT_EQ(text(Model::Torva, TorvaPage::kIdMixReadout), c.mixReadout);
    EXPECT_EQ(
        FindControl<ImageButton>(rig.window->StartScreenWidget(), StartScreen::kIdStart)->text(),
        "Start");
    EXPECT_EQ(
        FindControl<QPushButton>(rig.window->SettingsPageWidget(), SettingsPage::kIdOk)->text(),
        c.ok);

    for (Model model : kModels) {
        rig.Start(model);
        rig.Click(rig.Page(model), kIdSaveButton);
        rig.Return();
    }
    EXPECT_EQ(rig.prompt.Infos(),
              (std::vector<std::string>{c.noSlot, "Dont select the saving sequence number"}));
}

INSTANTIATE_TEST_SUITE_P(Locales, PanelLanguageTest,
                         testing::Values(LanguageCase{"zh_CN.UTF-8", "回放-80:话筒0", "确定",
                                                      "没有选择保存序号"},
                                         LanguageCase{"en_US.UTF-8", "Playback-80:Mic0", "OK",
                                                      "No preset slot selected"}));

}  // namespace
}  // namespace quavelo
