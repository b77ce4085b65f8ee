#pragma once

#include <QFont>
#include <QPoint>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

#include "graph/EqResponse.h"
#include "graph/PlotBackdrop.h"
#include "graph/PlotCurveCache.h"
#include "graph/PlotGeometry.h"
#include "graph/PlotHandle.h"

namespace quavelo {

// One band of the response the graph draws (see EqBandInputs for the units).
struct PlotBandInput {
    double gain = 0.0;
    double q = 0.0;
    double frequency = 0.0;
    std::uint32_t shape = 0;
    std::uint32_t kind = 0;
    std::uint32_t filterEnabled = 0;
};

// The equaliser graph of the pages: a dark plot with a logarithmic frequency axis and a dB axis
// carrying the response curve of every band and of the whole equaliser (mode 1), or a row of
// vertical faders on linear axes (mode 4), with one numbered handle per band that the user
// drags.
//
// How a page sets it up, once: mode, y range, show axes, band count and handle kinds; InitPlot;
// SetControlId and a connection to pointChanged / pointDoubleClicked; the band inputs and the
// handle values (FrequencyX / GainY). After a later change of handle values it calls
// RefreshHandles; a change of band inputs repaints by itself. The handles are created from the
// handle values at the first paint.
//
// Every selection, drag step and release is reported to the control itself first (OnPlotNotify:
// it copies the handle's values into FrequencyX / GainY and sets Moving) and then to the page by
// pointChanged. The page must receive it synchronously — a direct connection, which is what the
// default connection gives on the user-interface thread — so that it reads the new values.
//
// Keys, while the graph has the focus (Tab reaches it; Tab and Backtab leave it, every other key
// stays with it): the digit keys select the handle of that band, Page Up and Page Down the
// previous and next band's, wrapping round. Left and Right move the selected handle's frequency,
// Up and Down its gain, by what one pixel of the plot is worth, or ten with Shift, held in the
// range as a drag is (SteppedValues); an arrow while no handle is selected selects band 1's. A
// selection is reported as a press on the handle is, a key press as the release of a drag (Moving
// false), a held key's repeats as drag steps and letting go of it as their release. While the graph
// has the focus and the keyboard is in use it draws the focus mark (FocusMark.h).
class ResponseGraph : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kModeResponse = 1;
    static constexpr int kModeFaders = 4;
    // Room for handle values and handles; bands beyond it get no handle.
    static constexpr int kMaxHandles = kMaxBandCurves;

    explicit ResponseGraph(QWidget* parent = nullptr);

    // Display settings. Constructor values: mode 1, y 0..100 dB, x 20..20000 Hz, text and axes
    // shown, band count 4.
    void SetMode(int mode);
    void SetYMax(double yMax);
    void SetYMin(double yMin);
    void SetXMin(double xMin);
    void SetXMax(double xMax);
    const PlotRange& Range() const { return range_; }
    void SetShowAxes(bool show);

    // Bands of the response and handles alike; negative counts as 0. The response draws at most
    // kMaxEqBands bands and the handles reach at most kMaxHandles.
    void SetBandCount(int count);

    // Handle values per band (0 .. kMaxHandles - 1; other bands are ignored and read 0).
    // kind: kHandleOrdinary (1, constructor value), kHandleHighPass, kHandleLowPass.
    void SetHandleKind(int band, int kind);
    int HandleKind(int band) const;
    // The band's frequency (Hz in mode 1, fader position in mode 4) and gain (dB).
    void SetFrequencyX(int band, double x);
    double FrequencyX(int band) const;
    void SetGainY(int band, double y);
    double GainY(int band) const;

    // The response inputs of band 0 .. kMaxEqBands - 1 (others are ignored).
    void SetBandInput(int band, const PlotBandInput& input);

    // Computes the plot area from the control's size.
    void InitPlot();
    // Recomputes the plot area, moves every handle to its band's FrequencyX / GainY and repaints.
    void RefreshHandles();
    // Brings the curves up to date with the band inputs; painting in mode 1 calls it. The maths
    // runs only when the inputs changed since its last run.
    void ComputeEqResponse();

    // The control's own handling of a notification: Moving becomes phase == 1; the handle of
    // band `band` (among the selected handles in mode 1, among all in mode 4) hands its values
    // to FrequencyX / GainY and RefreshHandles runs. A band without such a handle changes
    // nothing else.
    void OnPlotNotify(int band, int phase);

    // True while a drag step is being reported, false for a selection or a release.
    bool Moving() const { return moving_; }
    bool Dragging() const { return dragging_; }
    const PlotArea& Area() const { return area_; }
    // In creation (band) order; empty until the first paint.
    const std::vector<PlotHandle>& Handles() const { return handles_; }
    // Band numbers of the selected handles, in selection order.
    std::vector<int> SelectedBands() const;
    const PlotCurveCache& CurveCache() const { return cache_; }
    // The selected band as a screen reader reads it ("Band 3: 1000 Hz, 2.0 dB").
    QString ValueText() const;

  signals:
    // The handle of `band` was selected, dragged one step or released; controlId is the
    // control's id (ControlId.h). FrequencyX, GainY and Moving already hold the new values.
    void pointChanged(int band, int controlId);
    // A double-click while a handle is selected; band is the last selected handle's,
    // `one` is always 1.
    void pointDoubleClicked(int band, int one);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void CreateHandles();
    void PlaceHandles();
    void ClearSelection();
    PlotHandle* SelectedHandle(std::size_t i);
    const PlotHandle* NotifiedHandle(int band) const;
    void Notify(int band, int phase);
    void Press(QPoint at);
    void DragTo(QPoint at);
    void Release();
    // Selects the handle of `band` alone (handles_ is in band order) and reports the selection,
    // unless it was the one selected already; nothing for a band without a handle.
    void SelectBand(int band);
    void EndKeyRepeat();
    void Paint(QPainter& painter);
    // Mode 1 under the handles: the background with grid and labels, then the band curves and
    // the total over it. Both are kept as images (PlotBackdrop) and redrawn only on a change.
    PlotBackdrop::Key BackdropKey(const QPainter& painter, int curves) const;
    void PaintGrid(QPainter& painter) const;
    void PaintCurves(QPainter& painter) const;

    // Band inputs of the response; bandCount follows bandCount_.
    EqBandInputs inputs_;

    std::vector<PlotHandle> handles_;
    std::vector<int> selected_;  // indices into handles_
    bool handlesCreated_ = false;

    bool dragging_ = false;
    QPoint grabOffset_;
    bool moving_ = false;
    bool keyRepeating_ = false;

    PlotRange range_;
    bool showText_ = true;
    bool showAxes_ = true;
    int mode_ = kModeResponse;

    std::array<double, kMaxHandles> gainY_{};
    std::array<double, kMaxHandles> frequencyX_{};
    std::array<int, kMaxHandles> handleKind_{};
    int bandCount_ = 4;
    PlotArea area_;

    PlotCurveCache cache_;
    PlotBackdrop grid_;
    PlotBackdrop backdrop_;
    QFont axisFont_;
    QFont handleFont_;
};

}  // namespace quavelo
