// The panel worked from the keyboard alone, and read through Qt's accessibility interfaces as a
// screen reader reads it.

#include <gtest/gtest.h>

#include <algorithm>

#include <QAccessible>
#include <QApplication>
#include <QRegularExpression>

#include "app/AppRig.h"

namespace quavelo {
namespace {

using test::AppRig;

QAccessibleInterface* Access(QWidget* control) {
    return QAccessible::queryAccessibleInterface(control);
}

// What a screen reader says of a control: "name: value", with "(on)" or "(off)" for a switch.
QString Reading(QWidget* control) {
    QAccessibleInterface* a = Access(control);
    QString text = a->text(QAccessible::Name);
    if (const QString value = a->text(QAccessible::Value); !value.isEmpty()) text += ": " + value;
    if (a->state().checkable) text += a->state().checked ? " (on)" : " (off)";
    return text;
}

// The control of `root`, not a label, that a screen reader knows by `name`.
QWidget* Named(QWidget* root, const QString& name) {
    for (auto* control : root->findChildren<QWidget*>()) {
        if (control->isVisible() && Access(control)->role() != QAccessible::StaticText &&
            Access(control)->text(QAccessible::Name) == name) {
            return control;
        }
    }
    ADD_FAILURE() << "no control named " << name.toStdString();
    return root;
}

void Press(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, mods);
    QCoreApplication::processEvents();
}

struct Walk {
    int page;           // MainWindow::kPage...
    std::string stops;  // the readings of the focus stops, from where the screen puts the focus
};

class TabWalkTest : public testing::TestWithParam<Walk> {};

// Each screen puts the focus on its first control (the chosen tile on the start screen); Tab
// visits every control from there in reading order, each named and read, and comes back round.
TEST_P(TabWalkTest, TabVisitsEveryControlInReadingOrder) {
    AppRig rig;
    QApplication::setActiveWindow(rig.window.get());
    if (GetParam().page != MainWindow::kPageStart) {
        rig.Start(GetParam().page == MainWindow::kPageKd4 ? Model::Kd4 : Model::Torva);
        ASSERT_TRUE(rig.WaitConnected());
    }
    QWidget* first = QApplication::focusWidget();
    ASSERT_NE(first, nullptr);
    QStringList stops;
    do {
        stops << Reading(QApplication::focusWidget());
        Press(Qt::Key_Tab);
    } while (QApplication::focusWidget() != first && stops.size() < 100);
    EXPECT_EQ(stops.join(" | ").toStdString(), GetParam().stops);
}

const std::string kEqualiserAndPresets =
    "Equaliser band 1, 100Hz: 0.0 dB | Equaliser band 2, 250Hz: 0.0 dB | "
    "Equaliser band 3, 1kHz: 0.0 dB | Equaliser band 4, 4kHz: 0.0 dB | "
    "Equaliser band 5, 10kHz: 0.0 dB | Equaliser (on) | Band sliders (PEQ) (on) | "
    "Response graph (GEQ) (off) | Reset equaliser | Preset slot 1 (off) | Preset slot 2 (off) | "
    "Preset slot 3 (off) | Preset slot 4 (off) | Preset slot 5 (off) | Preset slot 6 (off) | "
    "Preset slot 7 (off) | Preset slot 8 (off) | Preset slot 9 (off) | Preset slot 10 (off) | "
    "Save preset | Read preset | Limiter (DRC) (on) | Limiter level: LOW | "
    "High-pass filter (on) | High-pass corner: 75Hz | ";

INSTANTIATE_TEST_SUITE_P(
    Screens, TabWalkTest,
    testing::Values(
        Walk{MainWindow::kPageStart,
             "TORVA Virtual Device Phone Converter (on) | KD4 Virtual Device Phone Converter (off) "
             "| Start"},
        Walk{MainWindow::kPageTorva,
             kEqualiserAndPresets +
                 "Stereo (off) | Microphone gain left: 0 dB | Microphone gain right: 0 dB | "
                 "Monitor mix: Playback -78 dB, microphone 0 dB | Return"},
        Walk{MainWindow::kPageKd4, kEqualiserAndPresets +
                                       "Indicator (off) | Panel lock (off) | Microphone mute (off) "
                                       "| Microphone gain: 0 dB "
                                       "| Monitor level: -80 dB | Monitor mix: Playback -78 dB, "
                                       "microphone 0 dB | Return"}));

// One key on one control (nullptr: the control of the row before) and how the control reads
// afterwards; `sends` says whether the device is written to, as the mouse's change would.
struct KeyRow {
    const char* control;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* reads;
    bool sends;
};

// The start screen's arrows choose a tile and Enter starts; on the page, keys work every kind of
// control. Rows run in order, each on the state the row before left.
TEST(KeyTest, KeysOperateEveryKindOfControl) {
    AppRig rig;
    QApplication::setActiveWindow(rig.window.get());
    QWidget* tiles = rig.window->StartScreenWidget();
    Press(Qt::Key_Right);
    EXPECT_EQ(Reading(QApplication::focusWidget()).toStdString(),
              "KD4 Virtual Device Phone Converter (on)");
    Press(Qt::Key_Left);
    EXPECT_EQ(Reading(Named(tiles, "TORVA Virtual Device Phone Converter")).toStdString(),
              "TORVA Virtual Device Phone Converter (on)");
    Press(Qt::Key_Return);
    ASSERT_TRUE(rig.WaitConnected());
    QWidget* page = rig.Page(Model::Torva);
    ASSERT_TRUE(page->isVisible());
    rig.Device(Model::Torva).TakeReceived();
    EXPECT_TRUE(
        QRegularExpression("^Level: \\d+ %$").match(Reading(Named(page, "Level"))).hasMatch());

    const KeyRow rows[] = {
        {"Microphone gain left", Qt::Key_End, {}, "Microphone gain left: 35 dB", true},
        {nullptr, Qt::Key_PageUp, {}, "Microphone gain left: 28 dB", true},
        {nullptr, Qt::Key_Left, {}, "Microphone gain left: 27 dB", true},
        {nullptr, Qt::Key_Home, {}, "Microphone gain left: 0 dB", true},
        {"Stereo", Qt::Key_Space, {}, "Stereo (on)", true},
        {nullptr, Qt::Key_Return, {}, "Stereo (off)", true},
        {"Preset slot 3", Qt::Key_Space, {}, "Preset slot 3 (on)", false},
        {"Limiter level", Qt::Key_Down, Qt::AltModifier, "Limiter level: LOW", false},
        {nullptr, Qt::Key_Down, {}, "Limiter level: LOW", false},
        {nullptr, Qt::Key_Return, {}, "Limiter level: MID", true},
        {"Response graph (GEQ)", Qt::Key_Space, {}, "Response graph (GEQ) (on)", true},
        {"Equaliser graph", Qt::Key_2, {}, "Equaliser graph: Band 2: 250 Hz, 0.0 dB", true},
        {nullptr, Qt::Key_Up, Qt::ShiftModifier, "Equaliser graph: Band 2: 250 Hz, 1.2 dB", true},
        {nullptr, Qt::Key_Right, {}, "Equaliser graph: Band 2: 253 Hz, 1.2 dB", true},
    };
    QWidget* control = nullptr;
    for (const KeyRow& row : rows) {
        if (row.control != nullptr) {
            control = Named(page, row.control);
            control->setFocus(Qt::OtherFocusReason);
        }
        Press(row.key, row.mods);
        EXPECT_EQ(Reading(control).toStdString(), row.reads);
        // Writes only (byte 5 zero): the level poller's requests go on meanwhile.
        const auto received = rig.Device(Model::Torva).TakeReceived();
        const bool wrote = std::any_of(received.begin(), received.end(),
                                       [](const auto& report) { return report.at(5) == 0x00; });
        EXPECT_EQ(wrote, row.sends) << Reading(control).toStdString();
    }
}

}  // namespace
}  // namespace quavelo
