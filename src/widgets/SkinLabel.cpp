#include "widgets/SkinLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "widgets/OffscreenBuffer.h"
#include "widgets/SkinAccessibility.h"
#include "widgets/SkinColor.h"

namespace quavelo {

namespace {

Qt::Alignment ToQt(int alignment) {
    switch (alignment) {
        case SkinLabel::kNear:
            return Qt::AlignLeft | Qt::AlignTop;
        case SkinLabel::kFar:
            return Qt::AlignRight | Qt::AlignBottom;
        default:
            return Qt::AlignCenter;
    }
}

}  // namespace

SkinLabel::SkinLabel(QWidget* parent) : QWidget(parent) { InstallSkinAccessibility(); }

void SkinLabel::SetText(const QString& text) {
    text_ = text;
    update();
}

QString SkinLabel::Text() const {
    if (plainText_) return text_;
    return QString::fromStdString(FormatLabelNumber(number_));
}

void SkinLabel::SetSuffix(const QString& suffix) {
    number_.suffix = suffix.toStdString();
    update();
}

void SkinLabel::SetOffValues(double offValue1, double offValue2) {
    number_.offValue1 = offValue1;
    number_.offValue2 = offValue2;
    update();
}

void SkinLabel::SetFontSize(int points) {
    fontSize_ = points;
    update();
}

void SkinLabel::SetOverlayImage(SkinImage image) {
    overlayImage_ = SkinArt::Png(image);
    update();
}

void SkinLabel::paintEvent(QPaintEvent*) {
    QPainter target(this);
    OffscreenBuffer dc(target, rect());
    dc->setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect client = rect();

    if (transparent_) {
        if (overlayOn_ && !overlayImage_.isNull()) DrawSkinArt(dc.painter(), client, overlayImage_);
    } else {
        dc->fillRect(client, FromGdiColor(backgroundColor_));
    }

    if (frame_) {
        dc->setPen(QPen(Qt::black, 2));
        dc->setBrush(Qt::NoBrush);
        dc->drawLine(client.topLeft(), client.topRight());
        dc->drawLine(client.topRight(), client.bottomRight());
        dc->drawLine(client.bottomRight(), client.bottomLeft());
        dc->drawLine(client.bottomLeft(), client.topLeft());
    }

    const QString text = Text();
    if (text.isEmpty()) return;
    QFont font(QStringLiteral("Arial Unicode MS"));
    font.setBold(true);
    font.setPointSize(std::max(1, fontSize_));
    dc->setRenderHint(QPainter::TextAntialiasing);
    dc->setFont(font);
    dc->setPen(FromArgb(textColor_));
    dc->drawText(client, static_cast<int>(ToQt(alignment_)) | Qt::TextWordWrap, text);
}

bool SkinLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = Text();
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace quavelo
