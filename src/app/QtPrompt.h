#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "device/Prompt.h"

namespace quavelo {

// The panel's message boxes, titled "QUAVELO", with the system's texts ("Read para fail.",
// "发送失败", "Please Wait", ...). Create it on the user-interface thread.
//
//  - Info on the user-interface thread shows a modal box with the text and an OK button, without
//    an icon, and returns when it is closed. From any other thread (the KD4 send jobs report
//    "发送失败" there) it posts the box to the user-interface thread and returns at once, so a
//    worker never waits for the user.
//  - Confirm shows a modal OK/Cancel question with the exclamation icon. It belongs to the
//    user-interface thread; from another thread it shows nothing and answers Cancel, the answer
//    that changes nothing.
class QtPrompt final : public QObject, public Prompt {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "QUAVELO";

    explicit QtPrompt(QObject* parent = nullptr);

    // The window the boxes are centred on and modal to; nullptr for none.
    void SetParentWindow(QWidget* window) { window_ = window; }

    void Info(std::string_view text) override;
    bool Confirm(std::string_view text) override;

  private:
    void ShowInfo(const QString& text);
    bool OnOwnThread() const;

    QPointer<QWidget> window_;
};

}  // namespace quavelo
