// Which report group each control of both pages sends, on which thread, and that nothing is sent
// while disconnected. What the groups hold is the send groups' own business.

#include <gtest/gtest.h>

#include "device/ControlSends.h"
#include "pages/PageRig.h"

namespace quavelo {
namespace {

using namespace std::chrono_literals;
using Send = std::function<void(DeviceCommands&, DeviceParams&)>;

template <typename Rig>
struct Wiring {
    const char* name;
    std::function<void(Rig&)> act;
    Send sends;  // what the same change sends when the commands are called directly
};

// The action on a disconnected page sends nothing; on a connected one it sends what its group
// sends, on the user-interface thread (TORVA) or never there (KD4, through its send jobs).
template <typename Rig>
void CheckWiring(const Wiring<Rig>& row) {
    Rig idle;
    row.act(idle);
    EXPECT_EQ(idle.TakeSent(), std::vector<std::string>{}) << "disconnected";
    Rig rig;
    rig.Connect();
    row.act(rig);
    const std::vector<std::string> sent = rig.TakeSent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(rig.notingLink.onUiThread > 0, !Rig::kKd4) << "writes on the user-interface thread";
    EXPECT_EQ(rig.notingLink.elsewhere > 0, Rig::kKd4) << "writes on another thread";
    EXPECT_EQ(sent, rig.SentBy(row.sends));
}

// A press on a band's handle in the graph view selects it, the release ends the gesture: each
// sends the band.
template <typename Rig>
void ClickHandle(Rig& r, int band) {
    r.Refresh([](DeviceParams& p) { p.eqMode = 1; });
    QTest::mouseClick(r.Graph(), Qt::LeftButton, {}, r.HandleCentre(band));
}

using TorvaRow = Wiring<test::TorvaRig>;
class TorvaWiringTest : public testing::TestWithParam<TorvaRow> {};
TEST_P(TorvaWiringTest, SendsItsGroupOnTheWindowThread) { CheckWiring(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Controls, TorvaWiringTest, testing::Values(
    TorvaRow{"LimiterSwitch", [](auto& r) { r.Click(1015); },
             [](auto& c, auto&) { c.SetLimiter(); }},
    TorvaRow{"HighPassCorner", [](auto& r) { r.Choose(1019, 1); },
             [](auto& c, auto&) { c.SetHighPass(); }},
    TorvaRow{"Stereo", [](auto& r) { r.Click(1017); }, [](auto& c, auto&) { c.SetStereo(); }},
    TorvaRow{"Gain2", [](auto& r) { r.KeySlider(1096, 47); }, [](auto& c, auto&) { c.SetGain2(); }},
    TorvaRow{"MicGainDrag", [](auto& r) { r.DragSlider(1028, {20}, true); },
             [](auto& c, auto&) { c.SetMicGain(); c.SetMicGain(); }},
    TorvaRow{"Mix", [](auto& r) { r.KeySlider(1029, 100); },
             [](auto& c, auto& p) { SendMonitorMix(c, p); }},
    TorvaRow{"BandSlider", [](auto& r) { r.KeySlider(1025, 100); },
             [](auto& c, auto&) { c.SetBand(BandSet::Slider, 3); }},
    TorvaRow{"GraphView", [](auto& r) { r.Click(1031); }, [](auto& c, auto& p) { SendEqView(c, p); }},
    TorvaRow{"EqSwitch", [](auto& r) { r.Click(1095); }, [](auto& c, auto& p) { SendEqSwitch(c, p); }},
    TorvaRow{"Reset", [](auto& r) { r.Click(1032); }, [](auto& c, auto& p) { SendEqReset(c, p); }},
    TorvaRow{"GraphHandle", [](auto& r) { ClickHandle(r, 2); },
             [](auto& c, auto&) { c.SetBand(BandSet::Graph, 3); c.SetBand(BandSet::Graph, 3); }}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// A graph drag sends its band at the selection, at every 101st step and at the release.
TEST(TorvaPageTest, GraphDragSendsEveryHundredAndFirstStep) {
    test::TorvaRig rig;
    rig.Refresh([](DeviceParams& p) { p.eqMode = 1; });
    rig.Connect();
    const QPoint start = rig.HandleCentre(2);
    QTest::mousePress(rig.Graph(), Qt::LeftButton, {}, start);
    std::string sent = rig.TakeSent().empty() ? "0" : "1";
    for (int step = 1; step <= 202; ++step) {
        QTest::mouseMove(rig.Graph(), start + QPoint(step % 2 ? 20 : 40, -10));
        sent += rig.TakeSent().empty() ? '0' : '1';
    }
    QTest::mouseRelease(rig.Graph(), Qt::LeftButton, {}, start + QPoint(40, -10));
    sent += rig.TakeSent().empty() ? '0' : '1';
    const std::string quiet(100, '0');
    EXPECT_EQ(sent, "1" + quiet + "1" + quiet + "11");
}

using Kd4Row = Wiring<test::Kd4Rig>;
class Kd4WiringTest : public testing::TestWithParam<Kd4Row> {};
TEST_P(Kd4WiringTest, SendsItsGroupAsASendJob) { CheckWiring(GetParam()); }

// A job settles 20 ms before its commands unless it is a view or status switch job.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Controls, Kd4WiringTest, testing::Values(
    Kd4Row{"MicGain", [](auto& r) { r.KeySlider(1028, 30); },
           [](auto& c, auto&) { c.Pause(20ms); c.SetMicGain(); }},
    Kd4Row{"MonitorLevel", [](auto& r) { r.KeySlider(1096, 12); },
           [](auto& c, auto&) { c.Pause(20ms); c.SetGain2(); }},
    Kd4Row{"Mix", [](auto& r) { r.KeySlider(1029, 60); },
           [](auto& c, auto& p) { c.Pause(20ms); SendMonitorMix(c, p); }},
    Kd4Row{"BandSlider", [](auto& r) { r.KeySlider(1026, 40); },
           [](auto& c, auto&) { c.Pause(20ms); c.SetBand(BandSet::Slider, 4); }},
    Kd4Row{"LimiterSwitch", [](auto& r) { r.Click(1015); },
           [](auto& c, auto&) { c.Pause(20ms); c.SetLimiter(); }},
    Kd4Row{"HighPassCorner", [](auto& r) { r.Choose(1019, 1); },
           [](auto& c, auto&) { c.Pause(20ms); c.SetHighPass(); }},
    Kd4Row{"GraphView", [](auto& r) { r.Click(1031); }, [](auto& c, auto& p) { SendEqView(c, p); }},
    Kd4Row{"EqSwitch", [](auto& r) { r.Click(1095); },
           [](auto& c, auto& p) { c.Pause(20ms); SendEqSwitch(c, p); }},
    Kd4Row{"Reset", [](auto& r) { r.Click(1032); },
           [](auto& c, auto& p) { c.Pause(20ms); SendEqReset(c, p); }},
    Kd4Row{"MuteSwitch", [](auto& r) { r.Click(1101); }, [](auto& c, auto&) { SendStatusSwitches(c); }},
    Kd4Row{"GraphHandle", [](auto& r) { ClickHandle(r, 1); },
           [](auto& c, auto&) { c.Pause(20ms); c.SetBand(BandSet::Graph, 2); c.Pause(20ms); c.SetBand(BandSet::Graph, 2); }}),
    [](const auto& info) { return info.param.name; });
// clang-format on

}  // namespace
}  // namespace quavelo
