#pragma once

#include <QWidget>

#include "pages/PageContext.h"

namespace quavelo {

class CMyProgressCtrl;

// The KD4 control page, shown by the main window while the KD4 is in use. It shows every KD4
// setting of the parameter model, writes each change into the model at once and, while
// connected, sends it through the KD4 send worker, never on the user-interface thread.
class CKd4Dlg : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kIdLevelMeter = 1004;

    // `context` must outlive the page.
    explicit CKd4Dlg(PageContext& context, QWidget* parent = nullptr);

    // Builds the page once, after construction. Returns true.
    bool OnInitDialog();
    // Brings every control into line with the parameter model.
    void RefreshFromParams();

  public slots:
    // The input level, 0..100, from the main window's timer.
    void SetLevelMeter(int position);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    PageContext& context_;
    CMyProgressCtrl* levelMeter_;
};

}  // namespace quavelo
