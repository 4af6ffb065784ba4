// The list editor at the largest RowLimit: opening 200 rows and the sorted
// write-back of 200 rows in reverse order with duplicates.

#include "dialogs/listeditor.h"
#include "document/fieldtext.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace qc;

namespace {

class BenchEditor : public ListEditor
{
public:
    BenchEditor(TextTable& t, Prompter& p) : ListEditor(config(), p, {}), m_table(t) {}
    static Config config()
    {
        Config c;
        c.rowLimit = 200;
        for (int i = 0; i < 11; ++i) c.columns.push_back({"c", 40, 1, i});
        c.fieldCount = 11;
        return c;
    }

protected:
    bool loadTableRow(int t, ListRow& row) override
    {
        if (!isNumeric(m_table(t, 1))) return false;
        for (int c = 1; c <= 11; ++c) row[c] = m_table(t, c);
        return true;
    }
    void writeTableRow(int t, const ListRow& row) override
    {
        for (int c = 1; c <= 11; ++c) m_table(t, c) = row[c];
    }
    void clearTableRow(int t) override
    {
        for (int c = 1; c <= 11; ++c) m_table(t, c).clear();
    }

private:
    TextTable& m_table;
};

void fill(TextTable& t)
{
    for (int r = 1; r <= 200; ++r) {
        char b[16];
        std::snprintf(b, sizeof b, "%.2f", (200 - r) / 2 * 0.5 + 0.5); // pairs of equal depths
        t(r, 1) = b;
        for (int c = 2; c <= 11; ++c) t(r, c) = "text of a cell";
    }
}

void BM_OpenAndWriteBack200(benchmark::State& state)
{
    TextTable table(200, 14);
    ScriptedPrompter prompter;
    for (auto _ : state) {
        state.PauseTiming();
        fill(table);
        prompter.clear();
        state.ResumeTiming();
        BenchEditor e(table, prompter);
        e.open();
        benchmark::DoNotOptimize(e.accept());
    }
}
BENCHMARK(BM_OpenAndWriteBack200)->Unit(benchmark::kMicrosecond);

void BM_LiveUpdate200(benchmark::State& state)
{
    TextTable table(200, 14);
    ScriptedPrompter prompter;
    fill(table);
    BenchEditor e(table, prompter);
    e.open();
    e.clickRow(150);
    int i = 0;
    for (auto _ : state) {
        e.setField(1, (++i & 1) ? "x" : "y");
        e.fieldLeft(1);
        benchmark::DoNotOptimize(e.usedRowCount());
    }
}
BENCHMARK(BM_LiveUpdate200);

} // namespace
