#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace quavelo {

class SimulatedDevice;
class SimulatedSession;

// The "Simulated device" window of --simulate: for each simulated device, whether it is plugged,
// a button to unplug or replug it and, on the KD4, its own controls (gain knob down and up, mute,
// lock); below, the reports the devices received, one hex line each, newest last.
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
        QLabel* state = nullptr;
        QPushButton* plug = nullptr;
        QList<QPushButton*> controls;
    };

    QWidget* MakeDeviceBox(DeviceControls& box, const QString& title, bool kd4);
    void UpdateStates();

    SimulatedSession& session_;
    DeviceControls torva_;
    DeviceControls kd4_;
    QPlainTextEdit* reports_;
    QTimer* timer_;
};

}  // namespace quavelo
