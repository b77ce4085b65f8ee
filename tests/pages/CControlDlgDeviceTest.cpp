// The TORVA page against the simulated TORVA: the command object over HidControl over the
// simulated device, as the panel runs it with --simulate.

#include <gtest/gtest.h>

#include <QTest>

#include "device/SettingsBlocks.h"
#include "pages/CControlDlg.h"
#include "pages/TorvaPageRig.h"
#include "sim/SimLinkRig.h"

namespace quavelo {
namespace {

using test::SimLinkRig;
using test::StoreMismatches;

// The page connected to a simulated TORVA after the read-back, as the main window leaves it.
struct SimTorvaPage {
    SimLinkRig sim{kModelTorva};
    test::TempDir dataDir;
    Kd4SendWorker sendWorker{sim.params, sim.sleeper};
    PageContext context{sim.params, sim.commands, sim.prompt, sendWorker, dataDir.Path()};
    CControlDlg page{context};

    SimTorvaPage() {
        page.resize(1000, 650);
        page.OnInitDialog();
        page.show();
        if (sim.Open() && sim.commands.ReadAllSettings()) sim.params.connected = 1;
        page.RefreshFromParams();
        sim.device.TakeReceived();
    }

    template <typename T = QWidget>
    T* Control(int id) const {
        return FindControl<T>(&page, id);
    }
};

std::vector<std::uint8_t> Bytes(const Report& report) { return {report.begin(), report.end()}; }

TEST(CControlDlgDeviceTest, MicGainSliderSendsTheCodecGainThenTheSettingsBlock) {
    SimTorvaPage rig;
    ASSERT_EQ(rig.sim.params.connected, 1);
    auto* slider = rig.Control<CBitmapSlider>(CControlDlg::kIdMicGainSlider);
    slider->SetPos(19);
    QTest::keyClick(slider, Qt::Key_Right);
    test::DeliverPosted();

    EXPECT_EQ(rig.sim.params.micGain, 20);
    const auto received = rig.sim.device.TakeReceived();
    ASSERT_EQ(received.size(), 2U);
    const std::vector<std::uint8_t> gain = received[0];
    EXPECT_EQ(std::vector<std::uint8_t>(gain.begin(), gain.begin() + 7),
              (std::vector<std::uint8_t>{0xFF, 0x70, 0x40, 0x0E, 0x01, 0x00, MicGainCode(20)}));
    EXPECT_EQ(received[1], Bytes(SettingsBlock(rig.sim.params)));
    EXPECT_EQ(StoreMismatches(rig.sim.params, rig.sim.device.Store(), kModelTorva),
              std::vector<std::string>{});
}

}  // namespace
}  // namespace quavelo
