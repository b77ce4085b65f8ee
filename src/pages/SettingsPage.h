#pragma once

#include <QWidget>

class QPushButton;

namespace quavelo {

// The settings page: the two buttons "OK" and "Cancel" at its top left and nothing else. The main
// window creates it hidden and never shows it; either button ends the page, which hides it.
class SettingsPage : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;

    explicit SettingsPage(QWidget* parent = nullptr);

  private:
    QPushButton* ok_;  // owned as child widgets
    QPushButton* cancel_;
};

}  // namespace quavelo
