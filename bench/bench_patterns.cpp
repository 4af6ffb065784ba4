// Pattern drawing: every vector pattern in a column of one page, recorded and
// painted at 300 dpi, and one page of the pattern column filled from tiles.

#include "app/patterncolours.h"
#include "app/settings.h"
#include "document/tables.h"
#include "platform/recordingdevice.h"
#include "qt/qtpainterdevice.h"
#include "render/patternfill.h"
#include "render/patterns.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <string>

using namespace qc;

namespace {

void ensureApp()
{
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

void setUpPage(PageGeometry& geo, int dpi)
{
    geo.setUp(dpi, dpi, 5, 5, 100, 100);
    geo.enterBodyPhase(0, false, 100);
}

// All 82 numbers, each over a 20 mm x 16 m column (one printed page at 1/100).
void BM_AllPatternsRecorded(benchmark::State& state)
{
    for (auto _ : state) {
        RecordingDevice dev(600, 600);
        PageGeometry geo;
        setUpPage(geo, 600);
        PageCanvas canvas(dev, geo);
        for (long n : vectorPatternNumbers()) DrawVectorPattern(canvas, n, 50, 0, 70, 16, 1.0, 2, 0, 1);
        benchmark::DoNotOptimize(dev.calls().size());
    }
}
BENCHMARK(BM_AllPatternsRecorded)->Unit(benchmark::kMillisecond);

void BM_AllPatternsPainted300dpi(benchmark::State& state)
{
    ensureApp();
    QImage image(300, 2200, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QtPainterDevice dev(painter, 300, 300);
        PageGeometry geo;
        setUpPage(geo, 300);
        geo.marginLeftMm = 0;
        PageCanvas canvas(dev, geo);
        for (long n : vectorPatternNumbers()) DrawVectorPattern(canvas, n, 1, 0, 21, 16, 1.0, 1, 0, 1);
    }
}
BENCHMARK(BM_AllPatternsPainted300dpi)->Unit(benchmark::kMillisecond);

// A page of 16 one-metre layers with composed numbers, vector (0) or tiles (3).
void BM_FillPageOfLayers(benchmark::State& state)
{
    ensureApp();
    Document doc;
    const char* numbers[] = {"2314", "600", "93624", "3300", "1102", "4300", "2100", "800"};
    for (int r = 1; r <= 16; ++r) {
        doc.GeologyTable(r, 1) = std::to_string(r) + ".00";
        doc.GeologyTable(r, 12) = std::string(numbers[r % 8]) + ".1";
        doc.GeologyTable(r, 5) = numbers[r % 8];
    }
    Settings settings = builtinSettings();
    settings.setInt(25, static_cast<int>(state.range(0)));
    PatternColourTable colours;
    QImage image(600, 2200, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QtPainterDevice dev(painter, 300, 300);
        PageGeometry geo;
        setUpPage(geo, 300);
        PageCanvas canvas(dev, geo);
        PatternFillInputs in{doc, settings, colours, std::string(QC_SOURCE_DIR) + "/data/install/Jbptn",
                             20,  16,       290};
        PatternFill fill(canvas, in);
        for (int r = 1; r <= 16; ++r) fill.FillLayerPattern(r, false, 1, r, r - 1, 1, 0, 20);
    }
}
BENCHMARK(BM_FillPageOfLayers)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace
