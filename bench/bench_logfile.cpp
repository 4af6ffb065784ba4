// Load and save of a maximal document, against merely reading its bytes.

#include "app/docflows.h"
#include "document/cp932.h"
#include "document/logfile.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace qc;

namespace {

// Every table at its row limit, cells long enough to make long lines.
Document maximalDocument()
{
    Document doc;
    const std::string name = cp932::fromUtf8("礫混じり砂質シルト");
    auto depth = [](int r) {
        char b[16];
        std::snprintf(b, sizeof b, "%.2f", r * 0.25);
        return std::string(b);
    };
    for (int e = 1; e <= 80; ++e)
        doc.HeaderTable(e) = cp932::fromUtf8("見出し項目の長い文字列") + std::to_string(e);
    auto fill = [&](TextTable& t, int cols) {
        for (int r = 1; r <= t.rows(); ++r) {
            t(r, 1) = depth(r);
            for (int c = 2; c <= cols; ++c) t(r, c) = name.substr(0, static_cast<size_t>(2 * (c % 9 + 1)));
        }
    };
    fill(doc.GeologyTable, 11);
    fill(doc.SpareIntervalTable, 6);
    fill(doc.StratumTable, 3);
    fill(doc.WaterLevelTable, 4);
    fill(doc.DrillDateTable, 2);
    fill(doc.FreeColumnTable, 3);
    fill(doc.CasingTable, 2);
    for (int r = 1; r <= doc.NoteTable.rows(); ++r) {
        doc.NoteTable(r, 1) = depth(r);
        doc.NoteTable(r, 2) = depth(r + 1);
        doc.NoteTable(r, 4) = name + "\r\n" + name + "\r\n" + name + "\r\n";
        doc.NoteTable(r, 5) = "1";
    }
    for (int r = 1; r <= 16; ++r)
        for (int c = 1; c <= 4; ++c) doc.DisplayItemTable(r, c) = "23.0";
    for (int g = 1; g <= 5; ++g)
        for (int r = 1; r <= 14; ++r)
            for (int f = 1; f <= 11; ++f) doc.GraphFormatTable(g, r, f) = "65";
    for (int r = 1; r <= 48; ++r) {
        for (int c = 1; c <= 9; ++c) doc.TestNameTable(r, c) = name.substr(0, 8);
        doc.TestNameTable(r, 10) = "1:2.5,2:-1.5,3:0.5,";
    }
    for (int r = 1; r <= 100; ++r) {
        doc.SampleTable(r, 1) = depth(r);
        doc.SampleTable(r, 2) = depth(r + 1);
        for (int c = 3; c <= 60; ++c) doc.SampleTable(r, c) = "0.0012345678";
    }
    return doc;
}

struct TempFile
{
    std::string path;
    TempFile()
    {
        char tmpl[] = "/tmp/qc-bench-XXXXXX";
        int fd = mkstemp(tmpl);
        if (fd >= 0) close(fd);
        path = tmpl;
    }
    ~TempFile() { std::remove(path.c_str()); }
};

void BM_ReadBytesOnly(benchmark::State& state)
{
    Document doc = maximalDocument();
    TempFile f;
    if (!writeDocumentFile(doc, f.path)) state.SkipWithError("cannot write");
    std::string bytes;
    for (auto _ : state) {
        if (!readFileBytes(f.path, bytes)) state.SkipWithError("cannot read");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadBytesOnly);

void BM_Load(benchmark::State& state)
{
    Document doc = maximalDocument();
    TempFile f;
    if (!writeDocumentFile(doc, f.path)) state.SkipWithError("cannot write");
    Document target;
    ScriptedPrompter p;
    for (auto _ : state) {
        if (LoadByPath(target, f.path, p) != FlowResult::Done) state.SkipWithError("cannot load");
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Load);

void BM_Save(benchmark::State& state)
{
    Document doc = maximalDocument();
    TempFile f;
    for (auto _ : state) {
        if (!writeDocumentFile(doc, f.path)) state.SkipWithError("cannot write");
    }
}
BENCHMARK(BM_Save);

void BM_WriteLogInMemory(benchmark::State& state)
{
    Document doc = maximalDocument();
    for (auto _ : state) {
        std::string out = WriteLog(doc);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_WriteLogInMemory);

} // namespace
