#pragma once

#include <QWidget>

#include "widgets/SkinArt.h"
#include "widgets/SkinImage.h"

namespace quavelo {

// The level meter of the pages (and the start screen's progress bar): a background image
// stretched over the whole control and, over it, the left part of a fill image in proportion to
// the position within the range (MeterFill.h). Runs on the UI thread; pollers hand positions
// over with a queued call of SetPos.
class LevelMeter : public QWidget {
    Q_OBJECT

  public:
    explicit LevelMeter(QWidget* parent = nullptr);

    // Loads both skin images; drawn from the next paint on.
    void SetMeterImages(SkinImage fill, SkinImage background);
    void SetRange(int lower, int upper);
    int Lower() const { return lower_; }
    int Upper() const { return upper_; }
    int GetPos() const { return pos_; }

  public slots:
    // The position, held in the range; repaints when it changes.
    void SetPos(int pos);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int lower_ = 0;
    int upper_ = 100;
    int pos_ = 0;
    SkinArt fill_;
    SkinArt background_;
};

}  // namespace quavelo
