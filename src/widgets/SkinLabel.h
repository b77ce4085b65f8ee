#pragma once

#include <QWidget>

#include <cstdint>

#include "widgets/LabelFormat.h"
#include "widgets/SkinArt.h"
#include "widgets/SkinImage.h"

namespace quavelo {

// The text label of the pages: captions and value read-outs, drawn bold in the label face over
// either the page beneath (transparent mode, the default: Qt composes the label over its
// parent's painting, optionally with an overlay image) or its own background colour (opaque
// mode). In numeric mode it formats a value itself (LabelFormat.h). The tooltip shows the text.
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
    void SetSuffix(const QString& suffix);
    void SetOffMode(int mode) {
        number_.offMode = mode;
        update();
    }
    void SetOffValues(double offValue1, double offValue2);

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
    // Transparent mode: an image stretched over the label, above the page.
    void SetOverlayImage(SkinImage image);
    void SetOverlayOn(bool on) {
        overlayOn_ = on;
        update();
    }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    QString text_;
    LabelNumber number_;
    bool plainText_ = true;
    int fontSize_ = 8;
    SkinArt overlayImage_;
    bool overlayOn_ = false;
    int alignment_ = kCentre;
    std::uint32_t textColor_ = 0xFF000000;
    bool transparent_ = true;
    std::uint32_t backgroundColor_ = 0x808080;
    bool frame_ = false;
};

}  // namespace quavelo
