#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <optional>

#include "widgets/LabelFormat.h"
#include "widgets/SkinArt.h"
#include "widgets/SkinImage.h"

namespace quavelo {

// The text label of the pages: captions and value read-outs, drawn bold in the label face over
// either the page beneath (transparent mode, the default: Qt composes the label over its
// parent's painting, optionally with an overlay image) or its own background (opaque mode: a
// colour, optionally a bitmap and an image). In numeric mode it formats a value itself
// (LabelFormat.h). The tooltip shows the text.
//
// A click or double-click can be reported: when a click message is set, each mouse button
// release emits posted(clickMessage); when a double-click message is set, each double-click
// emits posted(doubleClickMessage). Both are delivered queued, in the order they happened.
class SkinLabel : public QWidget {
    Q_OBJECT

  public:
    // Alignment along both axes: 0 near (left, top), 1 centre, 2 far (right, bottom).
    enum Alignment { kNear = 0, kCentre = 1, kFar = 2 };

    explicit SkinLabel(QWidget* parent = nullptr);

    // Sets the text, which is also the tooltip; repaints.
    void SetText(const QString& text);
    // The text as drawn and as the tooltip shows it: the text set, or the formatted number in
    // numeric mode.
    QString Text() const;

    // Numeric mode (plain text off) and its fields.
    void SetPlainText(bool plain) {
        plainText_ = plain;
        update();
    }
    void SetValue(double value) {
        number_.value = value;
        update();
    }
    void SetDivisor(double divisor) {
        number_.divisor = divisor;
        update();
    }
    void SetOffset(double offset) {
        number_.offset = offset;
        update();
    }
    void SetPrefix(const QString& prefix);
    void SetSuffix(const QString& suffix);
    void SetOffMode(int mode) {
        number_.offMode = mode;
        update();
    }
    void SetOffValues(double offValue1, double offValue2);
    const LabelNumber& Number() const { return number_; }

    // Look. Colours: text as ARGB (0xAARRGGBB), background as a GDI colour (0x00BBGGRR).
    void SetFontSize(int points);
    void SetAlignment(int alignment) {
        alignment_ = alignment;
        update();
    }
    void SetTextColor(std::uint32_t argb) {
        textColor_ = argb;
        update();
    }
    void SetTransparent(bool transparent) {
        transparent_ = transparent;
        update();
    }
    void SetBackgroundColor(std::uint32_t bgr) {
        backgroundColor_ = bgr;
        update();
    }
    void SetFrame(bool frame) {
        frame_ = frame;
        update();
    }
    // Opaque mode: a bitmap copied at the top-left corner, an image stretched over the label.
    void SetBackgroundBitmap(const QImage& bitmap) {
        backgroundBitmap_ = bitmap;
        update();
    }
    void SetDrawBitmap(bool draw) {
        drawBitmap_ = draw;
        update();
    }
    void SetBackgroundImage(SkinImage image);
    void SetDrawImage(bool draw) {
        drawImage_ = draw;
        update();
    }
    // Transparent mode: an image stretched over the label, above the page.
    void SetOverlayImage(SkinImage image);
    void SetOverlayOn(bool on) {
        overlayOn_ = on;
        update();
    }

    int FontSize() const { return fontSize_; }
    int TextAlignment() const { return alignment_; }
    bool Transparent() const { return transparent_; }

    // Which notifications the label reports; nullopt (the default) reports none.
    void SetClickMessage(std::optional<int> message) { clickMessage_ = message; }
    void SetDoubleClickMessage(std::optional<int> message) { doubleClickMessage_ = message; }

  signals:
    void posted(int message);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void Post(int message);

    QString text_;
    LabelNumber number_;
    bool plainText_ = true;
    int fontSize_ = 8;
    bool drawBitmap_ = false;
    bool drawImage_ = false;
    QImage backgroundBitmap_;
    SkinArt backgroundImage_;
    SkinArt overlayImage_;
    bool overlayOn_ = false;
    int alignment_ = kCentre;
    std::uint32_t textColor_ = 0xFF000000;
    bool transparent_ = true;
    std::uint32_t backgroundColor_ = 0x808080;
    bool frame_ = false;
    std::optional<int> clickMessage_;
    std::optional<int> doubleClickMessage_;
};

}  // namespace quavelo
