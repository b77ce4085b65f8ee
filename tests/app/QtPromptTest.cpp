#include "app/QtPrompt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

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

}  // namespace
}  // namespace quavelo
