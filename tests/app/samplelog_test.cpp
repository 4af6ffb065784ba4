// The sample log examples/sample.bhc: the program reads and writes it back byte
// for byte, also after the view update of the bundled install folder, and it
// carries what it is there to show.

#include "app/appcontext.h"
#include "document/fieldtext.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace qc;

namespace {

std::string sampleBytes()
{
    std::string bytes;
    EXPECT_TRUE(readFileBytes(std::string(QC_SOURCE_DIR) + "/examples/sample.bhc", bytes));
    return bytes;
}

Document load(const std::string& bytes)
{
    Document doc;
    const TokenLine token = findTokenLine(bytes, 6);
    EXPECT_EQ(token.version, logversion::Current);
    readLogText(doc, bytes, token);
    return doc;
}

} // namespace

TEST(SampleLog, SavesBackByteForByte)
{
    const std::string bytes = sampleBytes();
    ASSERT_FALSE(bytes.empty());
    Document doc = load(bytes);
    EXPECT_EQ(WriteLog(doc), bytes);

    // Opened by the program (masters, seeded test names, view-update defaults) it still saves the same.
    InstallEnvironment env = InstallEnvironment::fromProcess(std::string(QC_SOURCE_DIR) + "/data/install");
    AppContext app(env);
    ScriptedPrompter prompter;
    updateDocumentForView(app, doc, prompter);
    EXPECT_TRUE(prompter.entries().empty());
    EXPECT_EQ(WriteLog(doc), bytes);
}

TEST(SampleLog, CarriesAWholeChemicalLog)
{
    const Document doc = load(sampleBytes());
    EXPECT_GE(geologyRowCount(doc), 12);
    EXPECT_NEAR(cellDouble(doc.GeologyTable(geologyRowCount(doc), GeologyCol::Depth)), 25.0, 1.0);
    EXPECT_GE(usedRows(doc.NoteTable), 10);
    EXPECT_GE(usedRows(doc.StratumTable), 3);
    EXPECT_GE(usedRows(doc.WaterLevelTable), 1);
    EXPECT_GE(usedRows(doc.CasingTable), 3);
    EXPECT_GE(usedRows(doc.DrillDateTable), 3);

    // Fifteen samples whose grain sizes add up to 100 %.
    ASSERT_EQ(usedRows(doc.SampleTable), 15);
    for (int r = 1; r <= 15; ++r) {
        double sum = 0;
        for (int c = 5; c <= 8; ++c) sum += cellDouble(doc.SampleTable(r, c));
        EXPECT_DOUBLE_EQ(sum, 100) << r;
    }

    // At least twelve tests over the five graphs, on both kinds of scale, every one with values.
    std::set<int> tests;
    std::set<int> kinds;
    for (int g = 1; g <= 5; ++g) {
        EXPECT_EQ(cellInt(doc.DisplayItemTable(7 + g, DisplayCol::Shown)), 1) << g;
        kinds.insert(cellInt(doc.GraphFormatTable(g, 4, 1)));
        for (int slot = 1; slot <= 10; ++slot) {
            const int u = cellInt(doc.GraphFormatTable(g, 4 + slot, 1));
            if (u < 1 || u > 48) continue;
            tests.insert(u);
            int numeric = 0;
            for (int r = 1; r <= 15; ++r) numeric += isNumeric(doc.SampleTable(r, 8 + u));
            EXPECT_GE(numeric, 2) << "test " << u;
        }
    }
    EXPECT_GE(tests.size(), 12u);
    EXPECT_EQ(kinds, (std::set<int>{0, 1}));
}
