#include "pages/EqualiserPage.h"

#include "graph/ResponseGraph.h"
#include "widgets/ControlId.h"

namespace quavelo {

namespace {

constexpr int kBands = 6;
// The page's template: 309 x 178 dialog units in the dialog font.
constexpr QSize kPageSize(464, 289);

}  // namespace

EqualiserPage::EqualiserPage(QWidget* parent) : QWidget(parent), graph_(new ResponseGraph(this)) {
    resize(kPageSize);
    SetControlId(graph_, kIdGraph);
    graph_->setGeometry(0, kPageSize.height() / 6, kPageSize.width(), 4 * kPageSize.height() / 6);
}

bool EqualiserPage::OnInitDialog() {
    graph_->SetBandCount(kBands);
    for (int band = 0; band < kBands; ++band) graph_->SetHandleKind(band, kHandleOrdinary);
    graph_->SetXMin(0.0);
    graph_->SetXMax(7.0);
    graph_->SetMode(ResponseGraph::kModeFaders);
    graph_->SetYMax(15.0);
    graph_->SetYMin(-15.0);
    graph_->SetShowAxes(true);
    graph_->InitPlot();
    // Fader positions 1 .. 6, every band at 0 dB.
    for (int band = 0; band < kBands; ++band) {
        graph_->SetFrequencyX(band, band + 1.0);
        graph_->SetGainY(band, 0.0);
    }
    ready_ = true;
    return true;
}

void EqualiserPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!ready_) return;
    const int w = width();
    const int h = height();
    graph_->setGeometry(0, h / 6, w, 4 * h / 6);
    graph_->InitPlot();
}

}  // namespace quavelo
