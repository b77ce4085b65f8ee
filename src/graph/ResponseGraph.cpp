#include "graph/ResponseGraph.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>

#include "graph/GraphAccessibility.h"
#include "graph/PlotPainter.h"
#include "widgets/ControlId.h"
#include "widgets/FocusMark.h"
#include "widgets/OffscreenBuffer.h"
#include "widgets/SkinAccessibility.h"

namespace quavelo {

namespace {

constexpr int kPhaseSelectOrRelease = 0;
constexpr int kPhaseStep = 1;

bool ValidBand(int band, int limit) { return band >= 0 && band < limit; }

// The pixel a mouse position falls in.
QPoint PixelOf(const QMouseEvent* event) {
    const QPointF p = event->position();
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

}  // namespace

ResponseGraph::ResponseGraph(QWidget* parent)
    : QWidget(parent), axisFont_(PlotAxisFont()), handleFont_(PlotHandleFont()) {
    handleKind_.fill(kHandleOrdinary);
    inputs_.bandCount = bandCount_;
    // The control paints every pixel itself, through an off-screen image: nothing is erased.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    InstallGraphAccessibility();
    TrackFocusMark(this);
    InitPlot();
}

void ResponseGraph::SetMode(int mode) {
    mode_ = mode;
    update();
}

void ResponseGraph::SetYMax(double yMax) {
    range_.yMax = yMax;
    update();
}

void ResponseGraph::SetYMin(double yMin) {
    range_.yMin = yMin;
    update();
}

void ResponseGraph::SetXMin(double xMin) {
    range_.xMin = xMin;
    update();
}

void ResponseGraph::SetXMax(double xMax) {
    range_.xMax = xMax;
    update();
}

void ResponseGraph::SetShowAxes(bool show) {
    showAxes_ = show;
    update();
}

void ResponseGraph::SetBandCount(int count) {
    bandCount_ = std::max(count, 0);
    inputs_.bandCount = bandCount_;
    update();
}

void ResponseGraph::SetHandleKind(int band, int kind) {
    if (ValidBand(band, kMaxHandles)) handleKind_[static_cast<std::size_t>(band)] = kind;
}

int ResponseGraph::HandleKind(int band) const {
    return ValidBand(band, kMaxHandles) ? handleKind_[static_cast<std::size_t>(band)] : 0;
}

void ResponseGraph::SetFrequencyX(int band, double x) {
    if (!ValidBand(band, kMaxHandles)) return;
    frequencyX_[static_cast<std::size_t>(band)] = x;
    update();
}

double ResponseGraph::FrequencyX(int band) const {
    return ValidBand(band, kMaxHandles) ? frequencyX_[static_cast<std::size_t>(band)] : 0.0;
}

void ResponseGraph::SetGainY(int band, double y) {
    if (!ValidBand(band, kMaxHandles)) return;
    gainY_[static_cast<std::size_t>(band)] = y;
    update();
}

double ResponseGraph::GainY(int band) const {
    return ValidBand(band, kMaxHandles) ? gainY_[static_cast<std::size_t>(band)] : 0.0;
}

void ResponseGraph::SetBandInput(int band, const PlotBandInput& input) {
    if (!ValidBand(band, kMaxEqBands)) return;
    const auto i = static_cast<std::size_t>(band);
    inputs_.gain[i] = input.gain;
    inputs_.q[i] = input.q;
    inputs_.frequency[i] = input.frequency;
    inputs_.shape[i] = input.shape;
    inputs_.kind[i] = input.kind;
    inputs_.filterEnabled[i] = input.filterEnabled;
    update();
}

void ResponseGraph::InitPlot() { area_ = ComputePlotArea(width(), height(), showAxes_); }

void ResponseGraph::RefreshHandles() {
    InitPlot();
    for (PlotHandle& h : handles_) {
        h.x = FrequencyX(h.Band());
        h.y = GainY(h.Band());
    }
    PlaceHandles();
    update();
}

// Every handle follows the control's current plot area and limits, so the handles stay on the
// curves after the control is resized or its ranges change.
void ResponseGraph::PlaceHandles() {
    for (PlotHandle& h : handles_) {
        h.area = area_;
        h.limits = range_;
        h.box = PlaceHandle(h.scale, h.area, h.limits, h.x, h.y);
    }
}

void ResponseGraph::ComputeEqResponse() { cache_.Compute(inputs_); }

void ResponseGraph::CreateHandles() {
    selected_.clear();
    handles_.clear();
    const int count = std::min(bandCount_, kMaxHandles);
    handles_.reserve(static_cast<std::size_t>(count));
    for (int band = 0; band < count; ++band) {
        handles_.push_back(MakePlotHandle(band, HandleKind(band), mode_, area_, range_,
                                          FrequencyX(band), GainY(band)));
    }
    handlesCreated_ = true;
}

std::vector<int> ResponseGraph::SelectedBands() const {
    std::vector<int> bands;
    bands.reserve(selected_.size());
    for (int i : selected_) bands.push_back(handles_[static_cast<std::size_t>(i)].Band());
    return bands;
}

PlotHandle* ResponseGraph::SelectedHandle(std::size_t i) {
    if (i >= selected_.size()) return nullptr;
    return &handles_[static_cast<std::size_t>(selected_[i])];
}

void ResponseGraph::ClearSelection() {
    for (PlotHandle& h : handles_) h.selected = false;
    selected_.clear();
}

// Mode 1 reports only the handles the user holds; mode 4 reports any fader.
const PlotHandle* ResponseGraph::NotifiedHandle(int band) const {
    const auto matches = [band](const PlotHandle& h) { return h.id == band + 1; };
    if (mode_ == kModeResponse) {
        for (int i : selected_) {
            if (matches(handles_[static_cast<std::size_t>(i)])) {
                return &handles_[static_cast<std::size_t>(i)];
            }
        }
    } else if (mode_ == kModeFaders) {
        for (const PlotHandle& h : handles_) {
            if (matches(h)) return &h;
        }
    }
    return nullptr;
}

void ResponseGraph::OnPlotNotify(int band, int phase) {
    moving_ = phase == kPhaseStep;
    const PlotHandle* h = NotifiedHandle(band);
    if (h == nullptr || !ValidBand(band, kMaxHandles)) return;
    frequencyX_[static_cast<std::size_t>(band)] = h->x;
    gainY_[static_cast<std::size_t>(band)] = h->y;
    RefreshHandles();
}

// The control's own handler first, then the page: the page finds the new values in place.
void ResponseGraph::Notify(int band, int phase) {
    OnPlotNotify(band, phase);
    emit pointChanged(band, ControlId(this));
    // The text is made only for a listening tool: a drag reports every step.
    if (QAccessible::isActive()) NotifyAccessibleValue(this, ValueText());
}

void ResponseGraph::Press(QPoint at) {
    setFocus(Qt::MouseFocusReason);
    const int hit = HitTest(handles_, at.x(), at.y());
    if (hit < 0) {
        ClearSelection();
        update();
        return;
    }
    SelectBand(hit);
    for (std::size_t i = 0; const PlotHandle* h = SelectedHandle(i); ++i) {
        grabOffset_ = at - QPoint(h->box.left, h->box.top);
    }
    dragging_ = true;
    update();
}

void ResponseGraph::DragTo(QPoint at) {
    // The page's handler runs inside Notify and may refresh the handles, so each selected
    // handle is looked up again after the previous one was reported.
    for (std::size_t i = 0; PlotHandle* h = SelectedHandle(i); ++i) {
        if (!h->movable) continue;
        const QPoint corner = at - grabOffset_;
        h->box = HandleBox::At(corner.x(), corner.y());
        const HandleValues v = DraggedValues(h->scale, h->kind, h->area, h->limits,
                                             h->box.CentreX(), h->box.CentreY(), h->x);
        h->x = v.x;
        h->y = v.y;
        Notify(h->Band(), kPhaseStep);
    }
    update();
}

void ResponseGraph::Release() {
    if (!dragging_) return;
    for (std::size_t i = 0; const PlotHandle* h = SelectedHandle(i); ++i) {
        Notify(h->Band(), kPhaseSelectOrRelease);
    }
    dragging_ = false;
    update();
}

void ResponseGraph::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    Press(PixelOf(event));
}

// While the button is held the control keeps receiving the pointer's moves after it has left;
// a move outside ends the drag as the pointer's leaving does, at the last position inside.
void ResponseGraph::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = PixelOf(event);
    if (!rect().contains(at)) {
        Release();
        return;
    }
    if (dragging_) DragTo(at);
}

void ResponseGraph::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Release();
}

// Takes the place of the second press of a double-click: it selects nothing and starts no drag.
void ResponseGraph::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || selected_.empty()) return;
    emit pointDoubleClicked(handles_[static_cast<std::size_t>(selected_.back())].Band(), 1);
}

void ResponseGraph::leaveEvent(QEvent* event) {
    Release();
    QWidget::leaveEvent(event);
}

// Keys aimed at the graph go no further, neither to the page nor to its shortcuts, except Tab and
// Backtab, which move the focus on.
bool ResponseGraph::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) {
            if (event->type() == QEvent::KeyPress) keyPressEvent(key);
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void ResponseGraph::keyPressEvent(QKeyEvent* event) {
    if (!handlesCreated_) CreateHandles();
    const int count = static_cast<int>(handles_.size());
    const int key = event->key();
    const std::vector<int> bands = SelectedBands();
    const int current = bands.empty() ? -1 : bands.back();
    if (key >= Qt::Key_1 && key <= Qt::Key_9) {
        SelectBand(key - Qt::Key_1);
        return;
    }
    if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        const int step = key == Qt::Key_PageDown ? 1 : -1;
        if (count > 0) SelectBand(current < 0 ? 0 : (current + step + count) % count);
        return;
    }
    QPoint delta;
    switch (key) {
        case Qt::Key_Left:
            delta = {-1, 0};
            break;
        case Qt::Key_Right:
            delta = {1, 0};
            break;
        case Qt::Key_Up:
            delta = {0, -1};
            break;
        case Qt::Key_Down:
            delta = {0, 1};
            break;
        default:
            return;
    }
    if (current < 0) {
        SelectBand(0);
        return;
    }
    if ((event->modifiers() & Qt::ShiftModifier) != 0) delta *= 10;
    if (event->isAutoRepeat()) keyRepeating_ = true;
    const int phase = event->isAutoRepeat() ? kPhaseStep : kPhaseSelectOrRelease;
    // The page's handler may refresh the handles, so each one is looked up again.
    for (std::size_t i = 0; PlotHandle* h = SelectedHandle(i); ++i) {
        if (!h->movable) continue;
        const HandleValues v =
            SteppedValues(h->scale, h->kind, h->area, h->limits, h->x, h->y, delta.x(), delta.y());
        h->x = v.x;
        h->y = v.y;
        h->box = PlaceHandle(h->scale, h->area, h->limits, h->x, h->y);
        Notify(h->Band(), phase);
    }
    update();
}

void ResponseGraph::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) EndKeyRepeat();
}

void ResponseGraph::focusOutEvent(QFocusEvent* event) {
    EndKeyRepeat();
    QWidget::focusOutEvent(event);
}

void ResponseGraph::EndKeyRepeat() {
    if (!keyRepeating_) return;
    keyRepeating_ = false;
    for (std::size_t i = 0; const PlotHandle* h = SelectedHandle(i); ++i) {
        Notify(h->Band(), kPhaseSelectOrRelease);
    }
    update();
}

void ResponseGraph::SelectBand(int band) {
    if (!ValidBand(band, static_cast<int>(handles_.size()))) return;
    const auto index = static_cast<std::size_t>(band);
    if (!handles_[index].selected || selected_.size() != 1) {
        ClearSelection();
        handles_[index].selected = true;
        selected_.push_back(band);
        Notify(band, kPhaseSelectOrRelease);
    }
    update();
}

QString ResponseGraph::ValueText() const {
    if (selected_.empty()) return tr("No band selected");
    const int band = handles_[static_cast<std::size_t>(selected_.back())].Band();
    return tr("Band %1: %2 Hz, %3 dB")
        .arg(band + 1)
        .arg(static_cast<long long>(std::trunc(FrequencyX(band))))
        .arg(GainY(band), 0, 'f', 1);
}

void ResponseGraph::resizeEvent(QResizeEvent* event) {
    InitPlot();
    PlaceHandles();
    QWidget::resizeEvent(event);
}

void ResponseGraph::paintEvent(QPaintEvent*) {
    QPainter target(this);
    OffscreenBuffer dc(target, rect());
    Paint(dc.painter());
    if (ShowsFocusMark(this)) PaintFocusMark(dc.painter(), rect(), 3.0);
}

void ResponseGraph::Paint(QPainter& painter) {
    if (!handlesCreated_) CreateHandles();
    PlotPainter draw(painter, area_, range_);
    if (mode_ == kModeResponse) {
        ComputeEqResponse();
        cache_.Layout(area_, range_);
        const PlotBackdrop::Key key = BackdropKey(painter, cache_.Layouts());
        painter.drawImage(0, 0, backdrop_.Image(key, [this](QPainter& p) {
            p.drawImage(0, 0,
                        grid_.Image(BackdropKey(p, 0), [this](QPainter& g) { PaintGrid(g); }));
            PaintCurves(p);
        }));
    } else if (mode_ == kModeFaders) {
        draw.Background(rect());
        if (showAxes_) draw.Grid(axisFont_, showText_, true);
        const auto count = static_cast<std::size_t>(std::min(bandCount_, kMaxHandles));
        draw.Faders(std::span(frequencyX_).first(count), std::span(gainY_).first(count), axisFont_,
                    showText_ && showAxes_);
    } else {
        draw.Background(rect());
        return;
    }
    if (showAxes_) draw.Handles(handles_, handleFont_);
}

PlotBackdrop::Key ResponseGraph::BackdropKey(const QPainter& painter, int curves) const {
    return {size(), painter.device()->devicePixelRatio(), area_, range_, showText_, showAxes_,
            curves};
}

void ResponseGraph::PaintGrid(QPainter& painter) const {
    PlotPainter draw(painter, area_, range_);
    draw.Background(rect());
    if (!showAxes_) return;
    draw.Grid(axisFont_, showText_, false);
    draw.FrequencyGrid(axisFont_, showText_);
}

void ResponseGraph::PaintCurves(QPainter& painter) const {
    PlotPainter draw(painter, area_, range_);
    if (showAxes_) {
        for (int b = 0; b < cache_.ComputedBands(); ++b) {
            draw.Curve(cache_.BandPolygon(b), BandColor(b), 1);
        }
    }
    draw.Curve(cache_.TotalPolygon(), kPlotTotal, 3);
}

}  // namespace quavelo
