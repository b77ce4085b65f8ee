#pragma once

#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

#include "graph/PlotGeometry.h"
#include "graph/PlotHandle.h"

namespace quavelo {

// Colours of the graph, ARGB (0xAARRGGBB).
inline constexpr std::uint32_t kPlotBackground = 0xFF2C2C2C;
inline constexpr std::uint32_t kPlotGrid = 0xFF808080;
inline constexpr std::uint32_t kPlotTotal = 0xFF2B5C6D;
inline constexpr std::uint32_t kHandleSelected = 0xA000FF41;
inline constexpr std::uint32_t kHandleNormal = 0xFF29A4D0;
inline constexpr std::uint32_t kHandleText = 0xFFFFFF00;

// The colour of band `band`'s curve.
std::uint32_t BandColor(int band);

// The frequencies of the vertical grid lines (Hz) and the label under some of them ("" none).
struct GridFrequency {
    int hz;
    const char* label;
};
std::span<const GridFrequency> GridFrequencies();

// The third-octave names a fader takes its label from, by its band number ("" beyond them).
QString FaderLabel(int band);

// The fonts of the graph: the axis labels in "Arial Unicode MS" with a cell (ascent + descent)
// of 16 pixels, the handle numbers in "Arial" of 10 pixels.
QFont PlotAxisFont();
QFont PlotHandleFont();

// Draws the parts of the graph into a painter set to the control's pixels. Each operation saves
// and restores the painter's state.
class PlotPainter {
  public:
    PlotPainter(QPainter& painter, const PlotArea& area, const PlotRange& range)
        : p_(painter), area_(area), range_(range) {}

    void Background(const QRect& client);
    // Frame, horizontal grid lines and, with text, the dB labels ("%d", the top one "%ddB";
    // faders: "%d (dB)" on every line).
    void Grid(const QFont& font, bool showText, bool faders);
    // The vertical lines at the grid frequencies inside the x range and, with text, their labels.
    void FrequencyGrid(const QFont& font, bool showText);
    // A curve polygon filled and outlined in one colour, anti-aliased.
    void Curve(const QPolygonF& polygon, std::uint32_t argb, int penWidth);
    // One fader per band at (x[i], y[i]), with its label under the plot when text is shown.
    void Faders(std::span<const double> x, std::span<const double> y, const QFont& font,
                bool showText);
    // The handles from the last to the first, so the first lies on top, as hit testing finds it.
    void Handles(const std::vector<PlotHandle>& handles, const QFont& font);

  private:
    void DbLabels(const QFont& font);
    void FaderDbLabels(const QFont& font);

    QPainter& p_;
    PlotArea area_;
    PlotRange range_;
};

}  // namespace quavelo
