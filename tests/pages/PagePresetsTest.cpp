// Save and Read of a preset slot on both pages, with each page's own texts.

#include <gtest/gtest.h>

#include "device/ControlSends.h"
#include "device/PresetFile.h"
#include "pages/PageRig.h"
#include "support/SettingsByName.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;

struct Texts {
    std::string noSlot, confirmSave, confirmRead;
};

// The whole flow as a user meets it: no slot picked, a Save cancelled, a Read of an empty slot,
// a Save, a Read that recalls and sends the recall, a failed recall send.
template <typename Rig>
void CheckPresetFlow(const Texts& t,
                     const std::function<void(DeviceCommands&, DeviceParams&)>& recall) {
    Rig rig;
    const std::filesystem::path file = PresetFilePath(rig.dataDir.Path(), 3);
    const auto untouched = test::SettingsByName(rig.params);
    for (int id : {kIdSaveButton, kIdFirstSlotButton + 3, kIdSaveButton}) rig.Click(id);
    rig.prompt.SetDefaultConfirmAnswer(true);
    rig.Click(kIdReadButton);
    EXPECT_EQ(rig.prompt.Infos(), (std::vector<std::string>{t.noSlot, "Not saved"}));
    EXPECT_EQ(rig.prompt.Confirms(), (std::vector<std::string>{t.confirmSave, t.confirmRead}));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(test::SettingsByName(rig.params), untouched);

    rig.Refresh([](DeviceParams& p) { p.micGain = 30, p.eqMode = 1, p.limiterLevel = 3; });
    rig.Click(kIdSaveButton);
    const PresetImage image = BuildPresetImage(rig.params);
    EXPECT_EQ(test::ReadFile(file), std::string(image.begin(), image.end()));

    rig.Refresh([](DeviceParams& p) { p.micGain = 5, p.eqMode = 0, p.limiterLevel = 1; });
    rig.Connect();
    rig.TakeSent();
    rig.Click(kIdReadButton);
    EXPECT_EQ(rig.params.micGain, 30);
    EXPECT_EQ(rig.params.limiterLevel, 3);
    EXPECT_EQ(rig.template Control<ImageSlider>(1028)->GetPos(), 30) << "the page is refreshed";
    EXPECT_TRUE(rig.Graph()->isVisible()) << "the recalled view";
    std::vector<std::string> sent = rig.TakeSent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "C " + t.confirmRead);
    sent.erase(sent.begin());
    EXPECT_EQ(sent, rig.SentBy(recall));
    EXPECT_EQ(rig.prompt.Infos().size(), 2U);

    rig.link.FailWritesFrom(rig.link.WriteAttempts() + 3);
    rig.Click(kIdReadButton);
    rig.TakeSent();
    EXPECT_EQ(rig.prompt.Infos().back(), "Send failed");
    EXPECT_EQ(rig.prompt.Infos().size(), 3U) << "said once";
}

TEST(PagePresetsTest, TorvaSavesAndRecalls) {
    CheckPresetFlow<test::TorvaRig>(
        {"No preset slot selected", "Replace the preset?", "Recall the preset?"},
        [](auto& c, auto&) { SendPresetRecall(c); });
}

TEST(PagePresetsTest, Kd4SavesAndRecallsInASendJob) {
    CheckPresetFlow<test::Kd4Rig>(
        {"Dont select the saving sequence number", "Do you replace preset settings?",
         "Do you recall preset settings?"},
        [](auto& c, auto&) { c.Pause(20ms), SendPresetRecall(c); });
}

}  // namespace
}  // namespace quavelo
