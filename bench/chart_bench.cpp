// The chart windows under load: opening a measurement file to drawn charts, one cursor move
// over the four chart windows, and one replot after a zoom. Runs on Qt's offscreen platform
// unless another one is asked for (QT_QPA_PLATFORM).
#include "bench_files.h"

#include "app/session.h"
#include "data/bm2_file.h"
#include "display/calculation.h"
#include "display/display_curves.h"
#include "display/qt_chart.h"
#include "display/qt_chart_area.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace talvex;

namespace {

constexpr int AllSensors = 255 | sensor::HumidityCorrection;
const std::array<std::array<QColor, CurvesPerWindow>, CurveWindowCount> Colours = {
    {{Qt::red, Qt::blue}, {Qt::red, Qt::blue}, {Qt::red, Qt::blue}}};

// Three chart windows of two curves each and the two status strips: the most a user draws.
DisplayRequest fullRequest(const Measurement& m) {
    DisplayRequest r;
    r.shown = {true, true, true, true};
    r.curves[0] = {CurveChoice{"Radon 1 (Bq/m³)", 0}, CurveChoice{"Température (°C)", 0}};
    r.curves[1] = {CurveChoice{"Radon 2 (Cps/h)", 0}, CurveChoice{"Humidité (%)", 0}};
    r.curves[2] = {CurveChoice{"Pression (mbar)", 0}, CurveChoice{"Tension pile (V)", 0}};
    r.controls = {"Pompe", "Cnx."};
    r.gsmFilter = true;
    r.interval = {m.StartAll, m.EndAll + 1};
    return r;
}

// The chart area of the main window at its start-up size, with the four windows shown.
struct Area {
    Session session;
    std::unique_ptr<ChartArea> area;

    Area() {
        session.display.WindowShown = {true, true, true, true};
        area = std::make_unique<ChartArea>(session);
        area->resize(1100, 700);
        area->show();
        area->Display_Windows();
        QApplication::processEvents();
    }

    // Runs the replots the area queued and the paint events that follow them, as the event
    // loop does after a handler returns.
    void drawNow() {
        QApplication::processEvents();
        QApplication::processEvents();
    }

    // Counts the chart replots, to show in the figures that each iteration drew.
    int replots = 0;
    void countReplots() {
        for (int g = 1; g <= 5; ++g)
            QObject::connect(area->graphe(g), &QCustomPlot::afterReplot, [this] { ++replots; });
    }

    void show(std::shared_ptr<const Measurement> m) {
        session.current = std::move(m);
        area->showCurves(Display_Charts(*session.current, session.MeasureNames,
                                        fullRequest(*session.current)),
                         Colours);
        drawNow();
    }
};

std::shared_ptr<const Measurement> calculated(long measures) {
    static std::map<long, std::shared_ptr<const Measurement>> cache;
    auto& m = cache[measures];
    if (!m) {
        LoadedFile loaded = load_bm2_in_memory(bench::bm2_file(measures));
        Calcul(loaded.measurement, AllSensors);
        m = std::make_shared<const Measurement>(std::move(loaded.measurement));
    }
    return m;
}

} // namespace

// File to drawn charts: split and load, calculation, the curve build of the six curves and
// two strips, and the first drawing of the five charts.
static void BM_OpenFileToDrawnCharts(benchmark::State& state) {
    const auto file = bench::bm2_file(state.range(0));
    Area a;
    a.countReplots();
    for (auto _ : state) {
        LoadedFile loaded = load_bm2_in_memory(file);
        Calcul(loaded.measurement, AllSensors);
        a.show(std::make_shared<const Measurement>(std::move(loaded.measurement)));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["replots"] =
        benchmark::Counter(a.replots, benchmark::Counter::kAvgIterations);
}

// One mouse move over window 2: the cursor lines of the four windows (five charts), the
// instant and the six read-outs, and the repaint of the charts.
static void BM_CursorMoveOverFourWindows(benchmark::State& state) {
    Area a;
    a.show(calculated(state.range(0)));
    Chart* chart = a.area->graphe(2);
    const QRect plot = chart->plotRect();
    int step = 0;
    for (auto _ : state) {
        const int x = plot.left() + 1 + (step++ * 37) % (plot.width() - 2);
        a.area->GrapheMouseMove(chart, QPoint(x, plot.center().y()));
        a.drawNow();
    }
}

// One zoom (alternately two views of a tenth of the data) and the replot of every chart.
static void BM_ReplotAfterZoom(benchmark::State& state) {
    Area a;
    a.show(calculated(state.range(0)));
    const double first = a.session.current->StartAll;
    const double width = a.session.current->EndAll - first;
    a.countReplots();
    int step = 0;
    for (auto _ : state) {
        const double begin = first + width * ((step++ % 2) ? 0.2 : 0.6);
        a.area->GrapheZoom(begin, begin + width / 10);
        a.drawNow();
    }
    state.counters["replots"] =
        benchmark::Counter(a.replots, benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_OpenFileToDrawnCharts)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CursorMoveOverFourWindows)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplotAfterZoom)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
