// A full repaint of a dense screen page: the drawing pass on the view's whole
// scroll extent (354 x 600 mm at 96 dpi), as the log view paints it, with a log
// of 200 layers, 200 notes, 100 samples with test values, water levels, strata,
// free-column entries and casing. Also one printed PDF page at 600 dpi for scale.

#include "app/appcontext.h"
#include "app/docflows.h"
#include "app/viewstate.h"
#include "commands/viewcontroller.h"
#include "document/cp932.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "qt/logview.h"
#include "qt/qtpainterdevice.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QScrollBar>

#include <cstdio>
#include <string>

namespace {

using namespace qc;

std::string f2(double v)
{
    char b[32];
    std::snprintf(b, sizeof b, "%.2f", v);
    return b;
}

class NullHost : public ViewHost
{
public:
    void repaint(bool) override {}
    std::optional<PrinterPage> printerPage() override { return std::nullopt; }
    void setScrollSizes(const ScrollSizes& s) override { sizes = s; }
    int screenWidthPixels() const override { return 1920; }
    ScrollSizes sizes;
};

// The sample log with every depth-keyed table filled within one 20 m page.
void makeDense(Document& doc)
{
    const char* names[] = {"砂", "粘土", "シルト混じり砂", "礫混じり粘土", "砂質シルト", "砂礫"};
    for (int r = 1; r <= limits::Geology; ++r) {
        doc.GeologyTable(r, 1) = f2(r * 0.1);
        doc.GeologyTable(r, 2) = cp932::fromUtf8(names[r % 6]);
        doc.GeologyTable(r, 4) = cp932::fromUtf8(r % 2 ? "暗灰" : "褐");
    }
    for (int r = 1; r <= limits::Note; ++r) {
        doc.NoteTable(r, 1) = f2((r - 1) * 0.1);
        doc.NoteTable(r, 2) = f2(r * 0.1);
        doc.NoteTable(r, 4) = cp932::fromUtf8("含水中位、貝殻片混入\r\n");
    }
    for (int r = 1; r <= limits::Sample; ++r) {
        doc.SampleTable(r, 1) = f2((r - 1) * 0.2);
        doc.SampleTable(r, 2) = f2((r - 1) * 0.2 + 0.15);
        for (int c = 3; c <= 60; ++c) doc.SampleTable(r, c) = std::to_string((r * 7 + c * 13) % 97 + 1);
    }
    for (int r = 1; r <= 10; ++r) {
        doc.WaterLevelTable(r, 1) = f2(-r * 1.5);
        doc.WaterLevelTable(r, 2) = "04/1" + std::to_string(r % 10);
        doc.WaterLevelTable(r, 4) = "1";
        doc.StratumTable(r, 1) = f2((r - 1) * 2.0);
        doc.StratumTable(r, 2) = f2(r * 2.0);
        doc.StratumTable(r, 3) = cp932::fromUtf8("沖積層");
    }
    for (int r = 1; r <= 50; ++r) {
        doc.FreeColumnTable(r, 1) = f2(r * 0.4);
        doc.FreeColumnTable(r, 2) = cp932::fromUtf8("メモ");
        doc.CasingTable(r, 1) = f2(r * 0.4);
        doc.CasingTable(r, 2) = "VP50";
        doc.DrillDateTable(r, 1) = f2(r * 0.4);
        doc.DrillDateTable(r, 2) = "4/" + std::to_string(r % 28 + 1);
    }
}

struct DenseLog
{
    // The bundled install folder, read in place.
    AppContext app{InstallEnvironment::fromProcess(QC_SOURCE_DIR "/data/install")};
    Document doc;
    ViewState view;
    ScriptedPrompter prompter;
    NoDialogs dialogs;
    NullHost host;
    ViewController ctl{app, doc, view, prompter, dialogs, host};

    explicit DenseLog(bool makeItDense = true)
    {
        if (LoadByPath(doc, QC_SOURCE_DIR "/examples/sample.bhc", prompter) != FlowResult::Done) std::abort();
        if (makeItDense) makeDense(doc);
        ctl.viewUpdate(true);
        view.depthPerPage = 20;
        view.pageOverlap = 0;
    }
};

DenseLog& dense()
{
    static DenseLog log;
    return log;
}

// The bundled sample as it is: a typical page for comparison.
DenseLog& sample()
{
    static DenseLog log(false);
    return log;
}

// The whole scroll extent drawn again, as the view does after a change.
void repaintWholeExtent(benchmark::State& state, DenseLog& log)
{
    const ScrollSizes& s = log.host.sizes;
    QImage image(s.totalX, s.totalY, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QtPainterDevice device(painter, LogView::kScreenDpi, LogView::kScreenDpi);
        benchmark::DoNotOptimize(log.ctl.drawScreen(device, &log.prompter));
    }
    state.counters["px"] = static_cast<double>(s.totalX) * s.totalY;
}

void BM_ScreenRepaintDensePage(benchmark::State& state)
{
    repaintWholeExtent(state, dense());
}
BENCHMARK(BM_ScreenRepaintDensePage)->Unit(benchmark::kMillisecond);

void BM_ScreenRepaintSamplePage(benchmark::State& state)
{
    repaintWholeExtent(state, sample());
}
BENCHMARK(BM_ScreenRepaintSamplePage)->Unit(benchmark::kMillisecond);

// The visible part only, as a 1280 x 800 window repaints it.
void BM_ScreenRepaintVisibleWindow(benchmark::State& state)
{
    DenseLog& log = dense();
    QImage image(1280, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setClipRect(0, 0, 1280, 800);
        painter.translate(0, -300);
        QtPainterDevice device(painter, LogView::kScreenDpi, LogView::kScreenDpi);
        benchmark::DoNotOptimize(log.ctl.drawScreen(device, &log.prompter));
    }
}
BENCHMARK(BM_ScreenRepaintVisibleWindow)->Unit(benchmark::kMillisecond);

// The LogView widget (1280 x 800) at a zoom (percent) painted through its paint event
// after a change of the page (the part the window shows is drawn again), and while
// scrolling (the drawn page is shown; a part not yet drawn is drawn as it comes into view).
// Only the viewport is painted, as after a change: the scroll bars stay as they are.
void paintAfterChange(benchmark::State& state, DenseLog& log)
{
    LogView view(log.ctl, log.prompter);
    view.resize(1280, 800);
    view.setScrollSizes(log.host.sizes);
    view.setZoom({ZoomMode::Fixed, static_cast<int>(state.range(0)) * kZoomBaseDpi / 100});
    QWidget* port = view.viewport();
    QImage image(port->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.invalidatePage();
        port->render(&image);
        benchmark::ClobberMemory();
    }
    state.counters["passes"] = view.pageRenders();
}

void BM_LogViewPaintAfterChange(benchmark::State& state)
{
    paintAfterChange(state, dense());
}
BENCHMARK(BM_LogViewPaintAfterChange)->Arg(50)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_LogViewPaintAfterChangeSample(benchmark::State& state)
{
    paintAfterChange(state, sample());
}
BENCHMARK(BM_LogViewPaintAfterChangeSample)->Arg(50)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_LogViewPaintWhileScrolling(benchmark::State& state)
{
    DenseLog& log = dense();
    LogView view(log.ctl, log.prompter);
    view.resize(1280, 800);
    view.setScrollSizes(log.host.sizes);
    view.setZoom({ZoomMode::Fixed, static_cast<int>(state.range(0)) * kZoomBaseDpi / 100});
    QWidget* port = view.viewport();
    QImage image(port->size(), QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        view.verticalScrollBar()->setValue((step++ * 37) % (view.verticalScrollBar()->maximum() + 1));
        port->render(&image);
        benchmark::ClobberMemory();
        // Between two wheel steps the program is idle: the cache around the window fills.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["passes"] = view.pageRenders();
}
BENCHMARK(BM_LogViewPaintWhileScrolling)->Arg(50)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// One printed page to PDF at 600 dpi, as the print flow draws it.
void BM_PrintedPdfPageAt600Dpi(benchmark::State& state)
{
    DenseLog& log = dense();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A3));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        QtPainterDevice device(painter, 600, 600);
        benchmark::DoNotOptimize(log.ctl.printPage(device, 1, &log.prompter));
        painter.end();
        state.counters["bytes"] = static_cast<double>(buffer.size());
    }
}
BENCHMARK(BM_PrintedPdfPageAt600Dpi)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    registerJapaneseFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
