// The geology dialog model on a full table: opening 200 layers with their bit
// columns, the live update of a current row while a name is typed, the write-back
// with the alternation rule, and a composition of three picks.

#include "app/appcontext.h"
#include "dialogs/geologyeditor.h"
#include "document/cp932.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

using namespace qc;

namespace {

GeologyMaster bundledMaster()
{
    GeologyMaster m;
    std::string bytes;
    if (readFileBytes(std::string(QC_SOURCE_DIR) + "/data/install/WdtvJCA.mst", bytes)) {
        m.parse(bytes, GeologyMaster::Vector);
        m.parse(bytes, GeologyMaster::Bitmap);
    }
    return m;
}

void fill(TextTable& t)
{
    for (int r = 1; r <= 200; ++r) {
        char b[16];
        std::snprintf(b, sizeof b, "%.2f", (201 - r) * 0.25);
        t(r, 1) = b;
        t(r, 2) = QC_SJ("砂");
        t(r, 3) = r % 3 ? "" : QC_SJ("シルト");
        t(r, 4) = QC_SJ("暗灰");
        t(r, 5) = "1500.1";
        t(r, 7) = "247";
        t(r, 11) = r % 3 ? "" : QC_SJ("互層");
    }
}

void BM_GeologyOpenAndWriteBack200(benchmark::State& state)
{
    GeologyMaster master = bundledMaster();
    Document doc;
    ScriptedPrompter prompter;
    for (auto _ : state) {
        fill(doc.GeologyTable);
        GeologyEditor ed(doc.GeologyTable, master, {}, prompter, {});
        ed.open();
        benchmark::DoNotOptimize(ed.accept());
    }
}
BENCHMARK(BM_GeologyOpenAndWriteBack200)->Unit(benchmark::kMicrosecond);

void BM_GeologyLiveUpdateWhileTyping(benchmark::State& state)
{
    GeologyMaster master = bundledMaster();
    Document doc;
    fill(doc.GeologyTable);
    ScriptedPrompter prompter;
    GeologyEditor ed(doc.GeologyTable, master, {}, prompter, {});
    ed.open();
    ed.clickRow(100);
    const std::string name = QC_SJ("礫混じり砂質シルト");
    for (auto _ : state) {
        for (size_t n = 2; n <= name.size(); n += 2) ed.setField(GeologyEditor::Name, name.substr(0, n));
    }
}
BENCHMARK(BM_GeologyLiveUpdateWhileTyping)->Unit(benchmark::kMicrosecond);

void BM_GeologyComposeByPicking(benchmark::State& state)
{
    GeologyMaster master = bundledMaster();
    Document doc;
    ScriptedPrompter prompter;
    GeologyEditor ed(doc.GeologyTable, master, {}, prompter, {});
    ed.open();
    for (auto _ : state) {
        ed.setField(GeologyEditor::Name, "");
        ed.setField(GeologyEditor::Pattern1, "");
        ed.pickName(GeologyEditor::NameList::Mixtures, 0);
        ed.pickName(GeologyEditor::NameList::Adjectives, 0);
        ed.pickName(GeologyEditor::NameList::Bases, 0);
        benchmark::DoNotOptimize(ed.field(GeologyEditor::Pattern1));
    }
}
BENCHMARK(BM_GeologyComposeByPicking)->Unit(benchmark::kMicrosecond);

} // namespace
