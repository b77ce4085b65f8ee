#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <thread>

#include "app/QtPrompt.h"

namespace quavelo {
namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int boxes = 0;
};

// Answers the next modal box with `button` and notes what it showed.
void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [&seen, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        ++seen.boxes;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        box->button(button)->click();
    });
}

TEST(QtPromptTest, InfoFromAWorkerIsPostedWithoutWaiting) {
    QtPrompt prompt;
    std::thread worker([&prompt] { prompt.Info("发送失败"); });
    worker.join();  // returned without anyone closing a box
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    EXPECT_TRUE(QTest::qWaitFor([&seen] { return seen.boxes == 1; }, 2000));
    EXPECT_EQ(seen.title, "QUAVELO");
    EXPECT_EQ(seen.text, QString::fromUtf8("发送失败"));
}

TEST(QtPromptTest, InfoOnTheWindowThreadShowsTheText) {
    QtPrompt prompt;
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    prompt.Info("Read para fail.");
    EXPECT_EQ(seen.boxes, 1);
    EXPECT_EQ(seen.text, "Read para fail.");
}

TEST(QtPromptTest, ConfirmAsksOkOrCancelWithTheExclamationIcon) {
    QtPrompt prompt;
    for (const auto button : {QMessageBox::Ok, QMessageBox::Cancel}) {
        SeenBox seen;
        AnswerNextBox(seen, button);
        const bool answer = prompt.Confirm("Please Wait");
        EXPECT_EQ(answer, button == QMessageBox::Ok);
        EXPECT_EQ(seen.boxes, 1);
        EXPECT_EQ(seen.icon, QMessageBox::Warning);
        EXPECT_EQ(seen.title, "QUAVELO");
    }
}

TEST(QtPromptTest, ConfirmFromAWorkerAnswersCancelWithoutABox) {
    QtPrompt prompt;
    bool answer = true;
    std::thread worker([&] { answer = prompt.Confirm("Please Wait"); });
    worker.join();
    EXPECT_FALSE(answer);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace quavelo
