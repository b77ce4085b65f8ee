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
    setWindowTitle(tr("Simulated device"));
    auto* layout = new QVBoxLayout(this);
    auto* devices = new QHBoxLayout();
    for (std::size_t i = 0; i < kModels.size(); ++i) {
        const ModelProfile& profile = ProfileOf(kModels[i]);
        boxes_[i].device = &session_.Device(kModels[i]);
        boxes_[i].name =
            QString::fromUtf8(profile.name.data(), static_cast<qsizetype>(profile.name.size()));
        devices->addWidget(MakeDeviceBox(boxes_[i], profile.hasOwnControls));
    }
    layout->addLayout(devices);

    layout->addWidget(new QLabel(tr("Reports received"), this));
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

QWidget* SimulatedDeviceWindow::MakeDeviceBox(DeviceControls& box, bool ownControls) {
    auto* group = new QGroupBox(
        QStringLiteral("%1  (%2)").arg(box.name, QString::fromStdString(box.device->Path())), this);
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
    if (ownControls) {
        auto* knob = new QHBoxLayout();
        auto* down = new QPushButton(tr("Gain −"), group);
        auto* up = new QPushButton(tr("Gain +"), group);
        knob->addWidget(down);
        knob->addWidget(up);
        layout->addLayout(knob);
        auto* switches = new QHBoxLayout();
        auto* mute = new QPushButton(tr("Mute"), group);
        auto* lock = new QPushButton(tr("Lock"), group);
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
    for (DeviceControls& box : boxes_) {
        const bool plugged = box.device->Plugged();
        box.state->setText(plugged ? tr("Plugged in") : tr("Unplugged"));
        box.plug->setText(plugged ? tr("Unplug") : tr("Replug"));
        for (QPushButton* control : box.controls) control->setEnabled(plugged);
    }
}

void SimulatedDeviceWindow::TakeReceived() {
    QStringList lines;
    for (DeviceControls& box : boxes_) {
        const QString name = box.name.leftJustified(5);
        for (const std::vector<std::uint8_t>& report : box.device->TakeReceived()) {
            lines << name + QStringLiteral("  ") +
                         QString::fromStdString(HexBytes(report)).trimmed();
        }
    }
    if (!lines.isEmpty()) reports_->appendPlainText(lines.join(u'\n'));
    UpdateStates();
}

}  // namespace quavelo
