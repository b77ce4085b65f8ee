#include "graph/PlotPainter.h"

#include <QFontMetrics>
#include <QLineF>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstddef>

#include "widgets/SkinColor.h"

namespace quavelo {

namespace {

// GDI colours (0x00BBGGRR) of the faders: the track and the bar from 0 dB to the value.
constexpr std::uint32_t kFaderTrack = 0x804000;
constexpr std::uint32_t kFaderBar = 0x004080;
constexpr double kFaderExtentDb = 15.0;
constexpr int kFaderWidth = 2;
constexpr int kFaderDot = 4;

// The dB labels stand right-aligned 5 pixels left of the plot, the frequency labels
// right-aligned in a box 30 pixels wide centred on their line, 2 pixels under the plot.
constexpr int kLabelHeight = 16;
constexpr int kDbLabelRight = 5;
constexpr int kFreqLabelHalf = 15;
constexpr int kFreqLabelGap = 2;
// Fader labels clear the handle of a fader at the bottom of the range.
constexpr int kFaderLabelGap = HandleBox::kHalf + 1;
constexpr int kFaderDbLabelInset = 6;
constexpr int kFaderDbLabelPadding = 4;
constexpr int kAxisCellHeight = 16;
constexpr int kHandleFontPixels = 10;

constexpr std::array<std::uint32_t, 9> kBandColors{
    0x80FF3333, 0x8099CCCC, 0x80FFFFFF, 0x800099CC, 0x80CC3399,
    0x80FFFF00, 0x8099FF00, 0x80FF99CC, 0x80FF3333,
};
constexpr std::uint32_t kLaterBandColor = 0xFF00FF00;

// clang-format off
constexpr std::array<GridFrequency, 28> kGridFrequencies{{
    {20, "20"}, {30, ""}, {40, ""}, {50, ""}, {60, ""}, {70, ""}, {80, ""}, {90, ""},
    {100, "100"}, {200, ""}, {300, ""}, {400, ""}, {500, ""}, {600, ""}, {700, ""}, {800, ""},
    {900, ""}, {1000, "1K"}, {2000, ""}, {3000, ""}, {4000, ""}, {5000, ""}, {6000, ""},
    {7000, ""}, {8000, ""}, {9000, ""}, {10000, "10K"}, {20000, "20K"},
}};

constexpr std::array<const char*, 31> kThirdOctaveNames{
    "20", "25", "31.5", "40", "50", "63", "80", "100", "125", "160", "200", "250", "315", "400",
    "500", "630", "800", "1k", "1k25", "1k6", "2k", "2k5", "3k15", "4k", "5k", "6k3", "8k", "10k",
    "12k5", "16k", "20k",
};
// clang-format on

bool IsDecade(int hz) { return hz == 100 || hz == 1000 || hz == 10000; }

QPen GridPen(int width, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(FromArgb(kPlotGrid), width, style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

}  // namespace

std::uint32_t BandColor(int band) {
    if (band >= 0 && band < static_cast<int>(kBandColors.size())) {
        return kBandColors[static_cast<std::size_t>(band)];
    }
    return kLaterBandColor;
}

std::span<const GridFrequency> GridFrequencies() { return kGridFrequencies; }

QString FaderLabel(int band) {
    if (band < 0 || band >= static_cast<int>(kThirdOctaveNames.size())) return {};
    return QString::fromLatin1(kThirdOctaveNames[static_cast<std::size_t>(band)]);
}

// A GDI font height of 16 is the cell height, ascent plus descent: the largest pixel size whose
// cell fits, whichever face the name falls back to.
QFont PlotAxisFont() {
    QFont font(QStringLiteral("Arial Unicode MS"));
    for (int pixels = kAxisCellHeight; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= kAxisCellHeight) break;
    }
    return font;
}

QFont PlotHandleFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kHandleFontPixels);
    font.setWeight(QFont::Normal);
    return font;
}

void PlotPainter::Background(const QRect& client) {
    p_.fillRect(client, FromArgb(kPlotBackground));
}

void PlotPainter::Grid(const QFont& font, bool showText, bool faders) {
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setPen(GridPen(2));
    const PlotArea& a = area_;
    p_.drawLine(a.left, a.top, a.left, a.bottom);
    p_.drawLine(a.left, a.bottom, a.right, a.bottom);
    p_.drawLine(a.left, a.top, a.right, a.top);
    p_.drawLine(a.right, a.top, a.right, a.bottom);
    for (int k = 1; k <= 9; ++k) p_.drawLine(a.left, GridLineY(a, k), a.right, GridLineY(a, k));

    if (showText) {
        p_.setFont(font);
        if (faders) {
            FaderDbLabels(font);
        } else {
            DbLabels(font);
        }
    }
    p_.restore();
}

// Right-aligned to left - 5 and centred on their lines. A label wider than the margin (the top
// "15dB" of a narrow graph) starts at the control's edge instead of losing its first characters,
// and the top one then stands above the frame, clear of its corner.
void PlotPainter::DbLabels(const QFont& font) {
    const QFontMetrics metrics(font);
    const PlotArea& a = area_;
    const auto labelAt = [&](int y, const QString& text, bool top) {
        const int width = metrics.horizontalAdvance(text);
        const int room = a.left - kDbLabelRight;
        const int left = std::max(0, room - width);
        const int boxTop = top && width > room ? a.top - kLabelHeight : y - kLabelHeight / 2;
        p_.drawText(QRect(left, boxTop, width, kLabelHeight),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, text);
    };
    const double step = (range_.yMax - range_.yMin) / 10;
    labelAt(a.top, QStringLiteral("%1dB").arg(static_cast<int>(range_.yMax)), true);
    for (int i = 0; i <= 9; ++i) {
        labelAt(GridLineY(a, i), QString::number(static_cast<int>(range_.yMin + i * step)), false);
    }
}

// "%d (dB)" is too wide for the margin: the labels stand inside the plot on their lines, each
// over a patch of the background that keeps the line from crossing it.
void PlotPainter::FaderDbLabels(const QFont& font) {
    const QFontMetrics metrics(font);
    const double step = (range_.yMax - range_.yMin) / 10;
    for (int i = 0; i <= 10; ++i) {
        const QString text =
            QStringLiteral("%1 (dB)").arg(static_cast<int>(range_.yMin + i * step));
        const QRect box(area_.left + kFaderDbLabelInset, GridLineY(area_, i) - kLabelHeight / 2,
                        metrics.horizontalAdvance(text) + kFaderDbLabelPadding, kLabelHeight);
        p_.fillRect(box, FromArgb(kPlotBackground));
        p_.drawText(box, Qt::AlignCenter, text);
    }
}

void PlotPainter::FrequencyGrid(const QFont& font, bool showText) {
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setFont(font);
    const QPen decade = GridPen(2);
    const QPen dotted = GridPen(1, Qt::DotLine);
    for (const GridFrequency& g : kGridFrequencies) {
        const double hz = g.hz;
        if (hz < range_.xMin || hz > range_.xMax) continue;
        const int x = TruncPixel(LogAxisX(area_, range_, hz));
        if (hz > range_.xMin && hz < range_.xMax) {
            p_.setPen(IsDecade(g.hz) ? decade : dotted);
            p_.drawLine(x, area_.top, x, area_.bottom);
        }
        if (showText && g.label[0] != '\0') {
            p_.setPen(GridPen(1));
            const QRect box(x - kFreqLabelHalf, area_.bottom + kFreqLabelGap, 2 * kFreqLabelHalf,
                            kLabelHeight);
            p_.drawText(box, Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip,
                        QString::fromLatin1(g.label));
        }
    }
    p_.restore();
}

// The fill is drawn without anti-aliasing and the anti-aliased outline over its edge smooths it:
// the picture of an anti-aliased fill at a fraction of its cost. A wide outline of an opaque
// colour is drawn segment by segment with square caps, which cover the joins; the overlaps do
// not show in an opaque colour, and separate segments stroke several times faster than a
// joined polygon.
void PlotPainter::Curve(const QPolygonF& polygon, std::uint32_t argb, int penWidth) {
    if (polygon.size() < 3) return;
    p_.save();
    const QColor colour = FromArgb(argb);
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setPen(Qt::NoPen);
    p_.setBrush(colour);
    p_.drawPolygon(polygon);
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setBrush(Qt::NoBrush);
    if (penWidth > 1 && colour.alpha() == 255) {
        p_.setPen(QPen(colour, penWidth, Qt::SolidLine, Qt::SquareCap));
        QVarLengthArray<QLineF, kResponsePoints + 3> segments;
        for (qsizetype i = 0; i < polygon.size(); ++i) {
            segments.append(QLineF(polygon[i], polygon[(i + 1) % polygon.size()]));
        }
        p_.drawLines(segments.constData(), static_cast<int>(segments.size()));
    } else {
        p_.setPen(QPen(colour, penWidth));
        p_.drawPolygon(polygon);
    }
    p_.restore();
}

void PlotPainter::Faders(std::span<const double> x, std::span<const double> y, const QFont& font,
                         bool showText) {
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setPen(Qt::NoPen);
    p_.setFont(font);
    const int trackTop = TruncPixel(LinearAxisY(area_, range_, kFaderExtentDb));
    const int trackBottom = TruncPixel(LinearAxisY(area_, range_, -kFaderExtentDb));
    const int zero = TruncPixel(LinearAxisY(area_, range_, 0.0));
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
        const int px = TruncPixel(LinearAxisX(area_, range_, x[i]));
        const int value = TruncPixel(CurveY(area_, range_, y[i]));
        const int left = px - kFaderWidth / 2;
        p_.fillRect(QRect(QPoint(left, trackTop), QPoint(left + kFaderWidth - 1, trackBottom)),
                    FromGdiColor(kFaderTrack));
        p_.fillRect(QRect(QPoint(left, std::min(zero, value)),
                          QPoint(left + kFaderWidth - 1, std::max(zero, value))),
                    FromGdiColor(kFaderBar));
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing, true);
        p_.setBrush(Qt::white);
        p_.drawEllipse(QRectF(px - kFaderDot / 2, value - kFaderDot / 2, kFaderDot, kFaderDot));
        p_.restore();
        if (showText) {
            p_.setPen(GridPen(1));
            const QRect box(px - kFreqLabelHalf, area_.bottom + kFaderLabelGap, 2 * kFreqLabelHalf,
                            kLabelHeight);
            p_.drawText(box, Qt::AlignCenter | Qt::TextDontClip, FaderLabel(static_cast<int>(i)));
            p_.setPen(Qt::NoPen);
        }
    }
    p_.restore();
}

void PlotPainter::Handles(const std::vector<PlotHandle>& handles, const QFont& font) {
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setFont(font);
    for (auto h = handles.rbegin(); h != handles.rend(); ++h) {
        const QRect box(h->box.left, h->box.top, HandleBox::kSize, HandleBox::kSize);
        p_.setPen(Qt::NoPen);
        p_.setBrush(FromArgb(h->selected ? kHandleSelected : kHandleNormal));
        p_.drawEllipse(QRectF(box));
        if (!h->label.empty()) {
            p_.setPen(FromArgb(kHandleText));
            p_.drawText(box, Qt::AlignCenter | Qt::TextDontClip, QString::fromStdString(h->label));
        }
    }
    p_.restore();
}

}  // namespace quavelo
