#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "graph/ResponseGraph.h"
#include "widgets/FontSubstitutions.h"

namespace quavelo {
namespace {

constexpr double kFreq[] = {60, 250, 1000, 4000, 12000};
constexpr double kGain[] = {4.5, -3.0, 6.0, -7.5, 2.0};
constexpr double kQ[] = {0.7, 1.4, 2.0, 3.5, 0.9};

// The TORVA page's graph: 530 x 300, mode 1, five peaking bands, +-15 dB, band 3 selected.
class PagedGraph {
  public:
    PagedGraph() : image_(530, 300, QImage::Format_ARGB32_Premultiplied) {
        graph_.resize(530, 300);
        graph_.SetBandCount(5);
        graph_.SetYMax(15.0);
        graph_.SetYMin(-15.0);
        for (int b = 0; b < 5; ++b) {
            graph_.SetFrequencyX(b, kFreq[b]);
            graph_.SetGainY(b, kGain[b]);
            graph_.SetBandInput(b, {kGain[b], kQ[b], kFreq[b], kShapePeaking, kKindEqBand, 0});
        }
        graph_.InitPlot();
        Paint();
        const HandleBox box = graph_.Handles()[2].box;
        const QPointF at(box.CentreX(), box.CentreY());
        QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&graph_, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(&graph_, &release);
    }

    // One full paint of the control into the offscreen image.
    void Paint() { graph_.render(&image_); }
    ResponseGraph& Graph() { return graph_; }
    const QImage& Image() const { return image_; }

  private:
    ResponseGraph graph_;
    QImage image_;
};

void Report(benchmark::State& state, PagedGraph& g, int computationsBefore) {
    state.counters["computations"] =
        benchmark::Counter(g.Graph().CurveCache().Computations() - computationsBefore,
                           benchmark::Counter::kAvgIterations);
}

// A band input changes before every paint: the maths and the polygons run each time.
void BM_PaintFreshInputs(benchmark::State& state) {
    PagedGraph g;
    const int before = g.Graph().CurveCache().Computations();
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        g.Graph().SetBandInput(2,
                               {flip ? 6.5 : 6.0, kQ[2], kFreq[2], kShapePeaking, kKindEqBand, 0});
        g.Paint();
        benchmark::DoNotOptimize(g.Image().constBits());
    }
    Report(state, g, before);
}

// Nothing changed: the cached polygons are drawn.
void BM_PaintUnchangedInputs(benchmark::State& state) {
    PagedGraph g;
    const int before = g.Graph().CurveCache().Computations();
    for (auto _ : state) {
        g.Paint();
        benchmark::DoNotOptimize(g.Image().constBits());
    }
    Report(state, g, before);
}

// A handle moves (handle values only, as a drag step does): no maths.
void BM_PaintHandleMoved(benchmark::State& state) {
    PagedGraph g;
    const int before = g.Graph().CurveCache().Computations();
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        g.Graph().SetGainY(2, flip ? 3.0 : 6.0);
        g.Graph().RefreshHandles();
        g.Paint();
        benchmark::DoNotOptimize(g.Image().constBits());
    }
    Report(state, g, before);
}

BENCHMARK(BM_PaintFreshInputs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintUnchangedInputs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintHandleMoved)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quavelo

// The control needs an application; it paints offscreen, with the fonts the panel installs.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quavelo::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
