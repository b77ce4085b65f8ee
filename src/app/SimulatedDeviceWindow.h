#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

#include "device/ModelProfile.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace quavelo {

class SimulatedDevice;
class SimulatedSession;

// The "Simulated device" window of --simulate: for each simulated device, whether it is plugged,
// a button to unplug or replug it and, on a device with controls of its own (the KD4), those (gain
// knob down and up, mute, lock); below, the reports the devices received, one hex line each, newest
// last.
//
// A timer takes the received reports from the devices every 100 ms, so the list follows the
// wire while the window is open. Runs on the user-interface thread; the session must outlive it.
class SimulatedDeviceWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kPollMs = 100;
    // Lines the report list keeps; older ones scroll away.
    static constexpr int kMaxLines = 2000;

    explicit SimulatedDeviceWindow(SimulatedSession& session, QWidget* parent = nullptr);

    // Takes the reports received since the last look into the list and updates the plug states.
    void TakeReceived();

  private:
    struct DeviceControls {
        SimulatedDevice* device = nullptr;
        QString name;
        QLabel* state = nullptr;
        QPushButton* plug = nullptr;
        QList<QPushButton*> controls;
    };

    QWidget* MakeDeviceBox(DeviceControls& box, bool ownControls);
    void UpdateStates();

    SimulatedSession& session_;
    std::array<DeviceControls, kModels.size()> boxes_;
    QPlainTextEdit* reports_;
    QTimer* timer_;
};

}  // namespace quavelo
