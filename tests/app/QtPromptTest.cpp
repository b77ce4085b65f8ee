#include "app/QtPrompt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <thread>

namespace quavelo {
namespace {

// A notice with only an OK button ("Read para fail.", "没有保存", "Please Wait", ...) shows no
// icon; an OK/Cancel question keeps the exclamation icon.
TEST(QtPromptTest, NoticesShowNoIconAndQuestionsTheExclamation) {
    QtPrompt prompt;
    const auto iconOfBoxShownBy = [](const std::function<void()>& show) {
        QMessageBox::Icon icon = QMessageBox::Critical;  // no box seen
        QTimer::singleShot(0, [&icon] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            icon = box->icon();
            box->done(QMessageBox::Cancel);
        });
        show();
        return icon;
    };
    EXPECT_EQ(iconOfBoxShownBy([&] { prompt.Info("Read para fail."); }), QMessageBox::NoIcon);
    EXPECT_EQ(iconOfBoxShownBy([&] { EXPECT_FALSE(prompt.Confirm("Replace?")); }),
              QMessageBox::Warning);
}

// From another thread (a send job) a notice is handed to the window's thread and the caller goes
// on at once; a question there cannot be asked and answers Cancel.
TEST(QtPromptTest, AnotherThreadsNoticeWaitsForTheWindowsThreadAndItsQuestionIsCancelled) {
    QtPrompt prompt;
    bool confirmed = true;
    std::thread job([&] {
        prompt.Info("Send failed");
        confirmed = prompt.Confirm("Replace?");
    });
    job.join();  // returned without any box being shown
    EXPECT_FALSE(confirmed);
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        shown = box->text();
        box->done(QMessageBox::Ok);
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, "Send failed");
}

}  // namespace
}  // namespace quavelo
