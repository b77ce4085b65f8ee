#include "app/SimulatedDeviceWindow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/SimulatedSession.h"
#include "device/ParamRange.h"
#include "link/HexBytes.h"

namespace quavelo {

SimulatedDeviceWindow::SimulatedDeviceWindow(SimulatedSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window),
      session_(session),
      reports_(new QPlainTextEdit(this)),
      timer_(new QTimer(this)) {
    setWindowTitle(QStringLiteral("Simulated device"));
    torva_.device = &session_.Device(kModelTorva);
    kd4_.device = &session_.Device(kModelKd4);

    auto* layout = new QVBoxLayout(this);
    auto* devices = new QHBoxLayout();
    devices->addWidget(MakeDeviceBox(torva_, QStringLiteral("TORVA"), false));
    devices->addWidget(MakeDeviceBox(kd4_, QStringLiteral("KD4"), true));
    layout->addLayout(devices);

    layout->addWidget(new QLabel(QStringLiteral("Reports received"), this));
    reports_->setReadOnly(true);
    reports_->setMaximumBlockCount(kMaxLines);
    reports_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPointSize(9);
    reports_->setFont(mono);
    layout->addWidget(reports_, 1);

    resize(560, 520);
    UpdateStates();
    connect(timer_, &QTimer::timeout, this, [this] { TakeReceived(); });
    timer_->start(kPollMs);
}

QWidget* SimulatedDeviceWindow::MakeDeviceBox(DeviceControls& box, const QString& title, bool kd4) {
    auto* group = new QGroupBox(
        QStringLiteral("%1  (%2)").arg(title, QString::fromStdString(box.device->Path())), this);
    auto* layout = new QVBoxLayout(group);
    box.state = new QLabel(group);
    box.plug = new QPushButton(group);
    layout->addWidget(box.state);
    layout->addWidget(box.plug);
    SimulatedDevice* device = box.device;
    connect(box.plug, &QPushButton::clicked, this, [this, device] {
        if (device->Plugged()) {
            device->Unplug();
        } else {
            device->Replug();
        }
        UpdateStates();
    });
    if (kd4) {
        auto* knob = new QHBoxLayout();
        auto* down = new QPushButton(QStringLiteral("Gain −"), group);
        auto* up = new QPushButton(QStringLiteral("Gain +"), group);
        knob->addWidget(down);
        knob->addWidget(up);
        layout->addLayout(knob);
        auto* switches = new QHBoxLayout();
        auto* mute = new QPushButton(QStringLiteral("Mute"), group);
        auto* lock = new QPushButton(QStringLiteral("Lock"), group);
        switches->addWidget(mute);
        switches->addWidget(lock);
        layout->addLayout(switches);
        connect(down, &QPushButton::clicked, this, [device] { device->TurnGainKnob(-1); });
        connect(up, &QPushButton::clicked, this, [device] { device->TurnGainKnob(1); });
        connect(mute, &QPushButton::clicked, this, [device] { device->PressMute(); });
        connect(lock, &QPushButton::clicked, this, [device] { device->PressLock(); });
        box.controls = {down, up, mute, lock};
    } else {
        layout->addStretch(1);
    }
    return group;
}

void SimulatedDeviceWindow::UpdateStates() {
    for (DeviceControls* box : {&torva_, &kd4_}) {
        const bool plugged = box->device->Plugged();
        box->state->setText(plugged ? QStringLiteral("Plugged in") : QStringLiteral("Unplugged"));
        box->plug->setText(plugged ? QStringLiteral("Unplug") : QStringLiteral("Replug"));
        for (QPushButton* control : box->controls) control->setEnabled(plugged);
    }
}

void SimulatedDeviceWindow::TakeReceived() {
    QStringList lines;
    for (DeviceControls* box : {&torva_, &kd4_}) {
        const QString name = box == &torva_ ? QStringLiteral("TORVA") : QStringLiteral("KD4  ");
        for (const std::vector<std::uint8_t>& report : box->device->TakeReceived()) {
            lines << name + QStringLiteral("  ") +
                         QString::fromStdString(HexBytes(report)).trimmed();
        }
    }
    if (!lines.isEmpty()) reports_->appendPlainText(lines.join(u'\n'));
    UpdateStates();
}

}  // namespace quavelo
