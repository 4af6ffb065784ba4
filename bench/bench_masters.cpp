// The view update's share of the work: composing the names of a full geology
// table, and loading the whole bundled install folder.

#include "app/appcontext.h"
#include "document/cp932.h"
#include "document/geologymaster.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

using namespace qc;

namespace {

const std::string kBundled = std::string(QC_SOURCE_DIR) + "/data/install";

GeologyMaster bundledMaster()
{
    std::string bytes;
    if (!readFileBytes(kBundled + "/WdtvJCA.mst", bytes)) std::abort();
    GeologyMaster m;
    m.parse(bytes, 0);
    return m;
}

// 200 layers with names and auxiliary names of every kind.
Document fullGeology()
{
    const char* names[] = {"礫混じり砂質シルト", "砂・シルト互層", "有機質土", "粘土混じり砂礫",
                           "腐植質粘土",         "風化花崗岩",     "砂質頁岩", "未登録の名前"};
    Document doc;
    for (int r = 1; r <= limits::Geology; ++r) {
        char depth[16];
        std::snprintf(depth, sizeof depth, "%.2f", r * 0.5);
        doc.GeologyTable(r, 1) = depth;
        doc.GeologyTable(r, 2) = cp932::fromUtf8(names[r % 8]);
        doc.GeologyTable(r, 3) = cp932::fromUtf8(names[(r + 3) % 8]);
    }
    return doc;
}

void DeriveGeologyPatterns200Rows(benchmark::State& state)
{
    const GeologyMaster master = bundledMaster();
    Document doc = fullGeology();
    for (auto _ : state) {
        DeriveGeologyPatterns(doc, master);
        benchmark::DoNotOptimize(doc.GeologyTable(200, 14));
    }
    state.SetItemsProcessed(state.iterations() * 400);
}
BENCHMARK(DeriveGeologyPatterns200Rows);

void LoadMastersFromTheBundledFolder(benchmark::State& state)
{
    InstallEnvironment env;
    env.overrideDir = kBundled;
    for (auto _ : state) {
        AppContext app(env);
        Document doc;
        ScriptedPrompter prompter;
        LoadMasters(app, doc, prompter);
        benchmark::DoNotOptimize(app.master.entries(0).size());
    }
}
BENCHMARK(LoadMastersFromTheBundledFolder);

} // namespace
