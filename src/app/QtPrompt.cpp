#include "app/QtPrompt.h"

#include <QMessageBox>
#include <QThread>

namespace quavelo {

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

QtPrompt::QtPrompt(QObject* parent) : QObject(parent) {}

bool QtPrompt::OnOwnThread() const { return QThread::currentThread() == thread(); }

void QtPrompt::Info(std::string_view text) {
    const QString message = FromUtf8(text);
    if (OnOwnThread()) {
        ShowInfo(message);
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, message] { ShowInfo(message); }, Qt::QueuedConnection);
}

bool QtPrompt::Confirm(std::string_view text) {
    if (!OnOwnThread()) return false;
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kTitle), FromUtf8(text),
                    QMessageBox::Ok | QMessageBox::Cancel, window_.data());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void QtPrompt::ShowInfo(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kTitle), text, QMessageBox::Ok,
                    window_.data());
    box.exec();
}

}  // namespace quavelo
