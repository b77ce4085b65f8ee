#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/SimulatedDeviceWindow.h"
#include "app/SimulatedSession.h"
#include "device/ParamRange.h"
#include "sim/SettingsStore.h"

namespace quavelo {
namespace {

struct WindowRig {
    WindowRig() {
        std::string error;
        session = SimulatedSession::Create({}, error);
        window = std::make_unique<SimulatedDeviceWindow>(*session);
        window->show();
    }
    // The index-th button (0 for the TORVA's, 1 for the KD4's) with this text.
    QPushButton* Button(const QString& text, int index = 0) {
        int seen = 0;
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            if (button->text() == text && seen++ == index) return button;
        }
        return nullptr;
    }
    std::unique_ptr<SimulatedSession> session;
    std::unique_ptr<SimulatedDeviceWindow> window;
};

TEST(SimulatedDeviceWindowTest, UnplugsAndReplugsEachDevice) {
    WindowRig rig;
    QPushButton* torvaPlug = rig.Button("Unplug", 0);
    ASSERT_NE(torvaPlug, nullptr);
    QTest::mouseClick(torvaPlug, Qt::LeftButton);
    EXPECT_FALSE(rig.session->Device(kModelTorva).Plugged());
    EXPECT_TRUE(rig.session->Device(kModelKd4).Plugged());
    EXPECT_EQ(torvaPlug->text(), "Replug");
    QTest::mouseClick(torvaPlug, Qt::LeftButton);
    EXPECT_TRUE(rig.session->Device(kModelTorva).Plugged());

    QPushButton* kd4Plug = rig.Button("Unplug", 1);
    ASSERT_NE(kd4Plug, nullptr);
    QTest::mouseClick(kd4Plug, Qt::LeftButton);
    EXPECT_FALSE(rig.session->Device(kModelKd4).Plugged());
    EXPECT_FALSE(rig.Button("Mute")->isEnabled()) << "an unplugged KD4 has no controls";
}

TEST(SimulatedDeviceWindowTest, WorksTheKd4sOwnControls) {
    WindowRig rig;
    SimulatedDevice& kd4 = rig.session->Device(kModelKd4);
    const int gain = kd4.Store()[storebyte::kMicGain];
    QTest::mouseClick(rig.Button(QStringLiteral("Gain +")), Qt::LeftButton);
    QTest::mouseClick(rig.Button(QStringLiteral("Gain +")), Qt::LeftButton);
    QTest::mouseClick(rig.Button(QStringLiteral("Gain −")), Qt::LeftButton);
    EXPECT_EQ(kd4.Store()[storebyte::kMicGain], gain + 1);
    QTest::mouseClick(rig.Button("Mute"), Qt::LeftButton);
    EXPECT_EQ(kd4.Store()[storebyte::kMuteKd4], 1);
    QTest::mouseClick(rig.Button("Lock"), Qt::LeftButton);
    EXPECT_EQ(kd4.Store()[storebyte::kLockKd4], 1);
}

TEST(SimulatedDeviceWindowTest, ListsTheReportsReceived) {
    WindowRig rig;
    std::string error;
    auto device = rig.session->Backend().Open("sim:kd4", error);
    ASSERT_NE(device, nullptr) << error;
    const std::uint8_t report[16] = {0xFF, 0xA0, 0x00, 0x40, 0x09, 0x01};
    ASSERT_TRUE(device->Write(report));
    auto* list = rig.window->findChild<QPlainTextEdit*>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([list] { return !list->toPlainText().isEmpty(); }, 2000));
    EXPECT_EQ(list->toPlainText(), "KD4    FF A0 00 40 09 01 00 00 00 00 00 00 00 00 00 00");
}

}  // namespace
}  // namespace quavelo
