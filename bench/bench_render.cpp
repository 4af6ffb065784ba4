// One full page (every column shown, 200 layers with patterns, 100 samples with
// grain sizes and ten tests in the five graphs with their values, notes, strata,
// levels, casing and dates) drawn to the
// recording device, to a 600-dpi image and to a PDF page; and a 200-page log
// exported to PDF.

#include "app/settings.h"
#include "app/viewstate.h"
#include "document/cp932.h"
#include "document/tables.h"
#include "platform/recordingdevice.h"
#include "qt/logexport.h"
#include "qt/qtpainterdevice.h"
#include "render/headerblock.h"
#include "render/logpage.h"
#include "render/paging.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace qc;

namespace {

std::string sj(const char* utf8)
{
    return cp932::fromUtf8(utf8);
}

std::string fmt(const char* f, double v)
{
    char b[32];
    std::snprintf(b, sizeof b, f, v);
    return b;
}

// A log with every column shown, 200 layers down to `deepest` m and 100 samples.
Document fullDocument(double deepest)
{
    Document doc;
    const char* header[][2] = {{"1", "土壌汚染状況調査"},
                               {"2", "整備工事"},
                               {"3", "東京都千代田区"},
                               {"4", "国土交通省"},
                               {"5", "B-1"},
                               {"6", "5"},
                               {"7", "4"},
                               {"8", "1"},
                               {"9", "5"},
                               {"10", "4"},
                               {"11", "15"},
                               {"12", "T.P."},
                               {"13", "12.30"},
                               {"16", "山田太郎"},
                               {"20", "YBM-05"},
                               {"22", "NFD-9"},
                               {"23", "V-5"},
                               {"24", "10"},
                               {"25", "45"},
                               {"26", "5"},
                               {"28", "1/2"},
                               {"34", "令和"},
                               {"35", "令和"},
                               {"37", "15.00"},
                               {"38", "ボーリング柱状図"},
                               {"39", "株式会社"},
                               {"40", "TEL"},
                               {"51", "35"},
                               {"52", "41"},
                               {"53", "22.5"},
                               {"54", "139"},
                               {"55", "45"},
                               {"56", "30.0"},
                               {"61", "No."},
                               {"62", "1"},
                               {"64", "1"},
                               {"66", "6"},
                               {"67", "1"},
                               {"69", "144"}};
    for (const auto& h : header) doc.HeaderTable(std::stoi(h[0])) = sj(h[1]);
    applyDefaultRoleTitles(doc);
    const char* widths[17] = {"",     "0.0",  "31.8", "3.4",  "3.4", "6.4", "17.6", "24.0", "23.0",
                              "23.0", "23.0", "23.0", "23.0", "5.6", "0.0", "0.0",  "5.6"};
    for (int r = 1; r <= 16; ++r) {
        doc.DisplayItemTable(r, 1) = "1";
        doc.DisplayItemTable(r, 2) = widths[r];
    }
    for (int r = 8; r <= 12; ++r) doc.DisplayItemTable(r, 3) = "20.0";
    for (int r = 1; r <= limits::Geology; ++r) {
        doc.GeologyTable(r, 1) = fmt("%.2f", deepest * r / limits::Geology);
        doc.GeologyTable(r, 2) = sj(r % 2 ? "砂礫" : "シルト質粘土");
        doc.GeologyTable(r, 4) = sj("暗灰");
        doc.GeologyTable(r, 7) = "247";
        doc.GeologyTable(r, 12) = r % 2 ? "1600.1" : "620.2"; // as the name composition derives them
    }
    for (int r = 1; r <= limits::Sample; ++r) {
        const double top = deepest * (r - 0.5) / limits::Sample;
        doc.SampleTable(r, 1) = fmt("%.2f", top);
        doc.SampleTable(r, 2) = fmt("%.2f", top + deepest * 0.4 / limits::Sample);
        doc.SampleTable(r, 3) = "S-" + std::to_string(r);
        doc.SampleTable(r, 4) = "T";
        for (int c = 5; c <= 8; ++c) doc.SampleTable(r, c) = fmt("%.0f", 10.0 + (r + c) % 4 * 10);
        for (int t = 1; t <= 10; ++t) doc.SampleTable(r, 8 + t) = fmt("%.2f", r * 0.1 + t);
    }
    // Notes, strata, levels, free texts, casing and dates down the whole log.
    for (int r = 1; r <= 50; ++r) {
        const double top = deepest * (r - 1) / 50, bottom = deepest * r / 50;
        doc.NoteTable(r, 1) = fmt("%.2f", top);
        doc.NoteTable(r, 2) = fmt("%.2f", bottom);
        doc.NoteTable(r, 4) = sj("φ2～20mmの亜円礫を混入する。含水中位。貝殻片混入。");
        doc.NoteTable(r, 5) = "1";
        doc.WaterLevelTable(r, 1) = fmt("%.2f", -bottom);
        doc.WaterLevelTable(r, 2) = "04/12";
        doc.WaterLevelTable(r, 4) = "3";
        doc.FreeColumnTable(r, 1) = fmt("%.2f", bottom);
        doc.FreeColumnTable(r, 2) = sj("メモ");
        doc.FreeColumnTable(r, 3) = "1";
        doc.CasingTable(r, 1) = fmt("%.2f", bottom);
        doc.CasingTable(r, 2) = sj(r % 3 == 0 ? "有孔区間" : r % 3 == 1 ? "遮水区間" : "無孔区間");
        doc.DrillDateTable(r, 1) = fmt("%.2f", bottom);
        doc.DrillDateTable(r, 2) = "4/" + std::to_string(r % 30 + 1);
    }
    for (int r = 1; r <= limits::Stratum; ++r) {
        doc.StratumTable(r, 1) = fmt("%.2f", deepest * (r - 1) / limits::Stratum);
        doc.StratumTable(r, 2) = fmt("%.2f", deepest * r / limits::Stratum);
        doc.StratumTable(r, 3) = sj("沖積層");
    }
    // Five graphs of two tests each, graphs 1 and 2 logarithmic, with their scales shown.
    const char* symbols[] = {"●", "○", "×", "▲", "△", "■", "□", "●", "○", "×"};
    for (int t = 1; t <= 10; ++t) {
        doc.TestNameTable(t, 1) = sj("試験") + std::to_string(t);
        doc.TestNameTable(t, 2) = "mg/L";
        doc.TestNameTable(t, 6) = sj(symbols[t - 1]);
        doc.TestNameTable(t, 7) = "1.0";
        doc.TestNameTable(t, 8) = "2";
        doc.TestNameTable(t, 9) = "0x0000ff";
    }
    for (int k = 1; k <= 5; ++k) {
        const bool log = k <= 2;
        doc.GraphFormatTable(k, 1, 1) = sj("グラフ");
        doc.GraphFormatTable(k, 1, 3) = "2";
        doc.GraphFormatTable(k, 3, 2) = "10";
        doc.GraphFormatTable(k, 3, 3) = "60";
        doc.GraphFormatTable(k, 4, 1) = log ? "1" : "0";
        doc.GraphFormatTable(k, 4, 2) = "5";
        doc.GraphFormatTable(k, 4, 3) = "1";
        doc.GraphFormatTable(k, 4, 4) = "1";
        doc.GraphFormatTable(k, 4, 5) = "1000";
        doc.GraphFormatTable(k, 4, 6) = "5";
        for (int slot = 1; slot <= 2; ++slot) {
            const int row = 4 + slot;
            doc.GraphFormatTable(k, row, 1) = std::to_string(2 * (k - 1) + slot);
            doc.GraphFormatTable(k, row, 3) = std::to_string(20 * slot);
            doc.GraphFormatTable(k, row, 4) = "0";
            doc.GraphFormatTable(k, row, 5) = "20";
            doc.GraphFormatTable(k, row, 6) = "5";
            doc.GraphFormatTable(k, row, 8) = "0.1";
            doc.GraphFormatTable(k, row, 9) = "100";
            doc.GraphFormatTable(k, row, 10) = std::to_string(50 + 20 * slot);
            doc.GraphFormatTable(k, row, 11) = "1";
        }
    }
    doc.HeaderTable(49) = "1";
    return doc;
}

struct Setup
{
    Document doc;
    Settings settings = builtinSettings();
    FontSettings fonts = builtinFonts();
    ViewState view;
    RenderContext ctx{doc, settings, fonts, view, nullptr};

    explicit Setup(double deepest) : doc(fullDocument(deepest))
    {
        view.printingNow = true;
        const PrinterPage a3{7016, 9921, 600, 600};
        computePaperSize(view, &a3);
    }
};

void BM_PageToRecordingDevice(benchmark::State& state)
{
    Setup s(20);
    RecordingDevice dev(600, 600);
    for (auto _ : state) {
        dev.clear();
        drawLogPage(dev, s.ctx);
        benchmark::DoNotOptimize(dev.calls().size());
    }
    state.counters["calls"] = static_cast<double>(dev.calls().size());
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PageToRecordingDevice)->Unit(benchmark::kMillisecond);

void BM_PageToImage600Dpi(benchmark::State& state)
{
    Setup s(20);
    QImage image(7016, 9921, QImage::Format_RGB32); // A3 at 600 dpi
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QtPainterDevice dev(painter, 600, 600);
        drawLogPage(dev, s.ctx);
    }
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PageToImage600Dpi)->Unit(benchmark::kMillisecond);

void BM_PageToPdf(benchmark::State& state)
{
    Setup s(20);
    size_t bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A3), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        QtPainterDevice dev(painter, 600, 600);
        drawLogPage(dev, s.ctx);
        painter.end();
        bytes = static_cast<size_t>(buffer.size());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PageToPdf)->Unit(benchmark::kMillisecond);

void BM_Export200PagesToPdf(benchmark::State& state)
{
    // A3 pages of 26 m: the last layer at 5190 m makes 200 pages.
    Setup s(5190);
    s.view.printingNow = false;
    const std::string out = (std::filesystem::temp_directory_path() / "qc-bench-200.pdf").string();
    ExportOptions options;
    options.outPath = out;
    int pages = 0;
    for (auto _ : state) {
        const ExportResult r = exportLog(s.ctx, options);
        if (!r.ok) state.SkipWithError(r.error.c_str());
        pages = r.pageCount;
    }
    std::filesystem::remove(out);
    state.counters["pages"] = pages;
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * pages, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Export200PagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
