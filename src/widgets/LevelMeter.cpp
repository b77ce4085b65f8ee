#include "widgets/LevelMeter.h"

#include <QPainter>

#include <algorithm>

#include "widgets/MeterFill.h"
#include "widgets/OffscreenBuffer.h"
#include "widgets/SkinAccessibility.h"

namespace quavelo {

LevelMeter::LevelMeter(QWidget* parent) : QWidget(parent) { InstallSkinAccessibility(); }

void LevelMeter::SetMeterImages(SkinImage fill, SkinImage background) {
    fill_ = SkinArt::Png(fill);
    background_ = SkinArt::Png(background);
    update();
}

void LevelMeter::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
    SetPos(pos_);
    update();
}

void LevelMeter::SetPos(int pos) {
    const int held = upper_ > lower_ ? std::clamp(pos, lower_, upper_) : lower_;
    if (held == pos_) return;
    pos_ = held;
    update();
    NotifyAccessibleValue(this, pos_);
}

void LevelMeter::paintEvent(QPaintEvent*) {
    QPainter target(this);
    OffscreenBuffer dc(target, rect());
    dc->setRenderHint(QPainter::SmoothPixmapTransform);
    if (!background_.isNull()) DrawSkinArt(dc.painter(), rect(), background_);
    if (fill_.isNull()) return;
    const MeterFill part = MeterFillFor(width(), fill_.width(), lower_, upper_, pos_);
    if (part.fillWidth <= 0 || part.sourceWidth <= 0) return;
    DrawSkinArt(dc.painter(), QRect(0, 0, part.fillWidth, height()), fill_,
                QRect(0, 0, part.sourceWidth, fill_.height()));
}

}  // namespace quavelo
