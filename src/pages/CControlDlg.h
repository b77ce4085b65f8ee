#pragma once

#include <QWidget>

#include "pages/PageContext.h"

namespace quavelo {

class CMyProgressCtrl;

// The TORVA control page, shown by the main window while the TORVA is in use. It shows every
// TORVA setting of the parameter model, writes each change into the model at once and, while
// connected, sends the matching commands on the user-interface thread.
class CControlDlg : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kIdMeterMono = 1002;
    static constexpr int kIdMeterLeft = 1003;
    static constexpr int kIdMeterRight = 1004;

    // `context` must outlive the page.
    explicit CControlDlg(PageContext& context, QWidget* parent = nullptr);

    // Builds the page once, after construction. Returns true.
    bool OnInitDialog();
    // Brings every control into line with the parameter model.
    void RefreshFromParams();

  public slots:
    // The TORVA level poller's readings, 0..100: the first channel (left meter), the second
    // (right meter) and their mean (mono meter). Called on the user-interface thread.
    void SetLevelMeters(int first, int second, int mean);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void ShowStereoMeters(bool stereo);

    PageContext& context_;
    CMyProgressCtrl* meterMono_;
    CMyProgressCtrl* meterLeft_;
    CMyProgressCtrl* meterRight_;
};

}  // namespace quavelo
