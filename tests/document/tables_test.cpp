// Document tables: clearing, counters, save preparation, load-time conversions, defaults.

#include "document/positions.h"
#include "document/tables.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace qc;
using qc::test::sj;

TEST(Tables, RowsCountWhileColumnOneIsNumeric)
{
    Document doc;
    EXPECT_EQ(geologyRowCount(doc), 0);
    doc.GeologyTable(1, GeologyCol::Depth) = " 1.00"; // leading blanks are fine
    doc.GeologyTable(2, GeologyCol::Depth) = "2.00";
    doc.GeologyTable(3, GeologyCol::Depth) = "!3.00"; // ends the table
    doc.GeologyTable(4, GeologyCol::Depth) = "4.00";
    EXPECT_EQ(geologyRowCount(doc), 2);
    for (int r = 1; r <= 200; ++r) doc.GeologyTable(r, GeologyCol::Depth) = "1";
    EXPECT_EQ(geologyRowCount(doc), 200);
}

TEST(Tables, ClearAllKeepsTheSpareIntervalsAndClearForImportKeepsTestSettings)
{
    Document doc;
    doc.HeaderTable(90) = "h";
    doc.GeologyTable(200, GeologyCol::Suffix) = "g";
    doc.SpareIntervalTable(1, 1) = "1.0";
    doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::Width) = "23.0";
    doc.TestNameTable(1, TestCol::Number) = "1";
    doc.TestNameTable(48, TestCol::Shifts) = "1:2,";
    doc.GraphFormatTable(5, 14, 11) = "x";
    doc.SampleTable(100, SampleCol::Scratch) = "s";
    doc.NoteTable(200, NoteCol::Underline) = "1";

    Document imported = doc;
    ClearForImport(imported);
    EXPECT_EQ(imported.HeaderTable(90), "");
    EXPECT_EQ(imported.GeologyTable(200, GeologyCol::Suffix), "");
    EXPECT_EQ(imported.SampleTable(100, SampleCol::Scratch), "");
    EXPECT_EQ(imported.NoteTable(200, NoteCol::Underline), "");
    EXPECT_EQ(imported.DisplayItemTable(DisplayRow::graph(1), DisplayCol::Width), "23.0");
    EXPECT_EQ(imported.TestNameTable(48, TestCol::Shifts), "1:2,");
    EXPECT_EQ(imported.GraphFormatTable(5, 14, 11), "x");
    EXPECT_EQ(imported.SpareIntervalTable(1, 1), "1.0");

    ClearAll(doc);
    EXPECT_EQ(doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::Width), "");
    EXPECT_EQ(doc.TestNameTable(1, TestCol::Number), "");
    EXPECT_EQ(doc.GraphFormatTable(5, 14, 11), "");
    EXPECT_EQ(doc.SpareIntervalTable(1, 1), "1.0");
}

// Clearing visits only the rows ever written, and still empties every one of them.
TEST(Tables, ClearingEmptiesEveryWrittenRowWhateverTheOrder)
{
    TextTable t(1000, 5);
    for (int r : {7, 999, 3, 1000, 0}) t(r, 2) = "x";
    t(500, 5) = "kept"; // a column not cleared keeps its row in use
    t.clearColumns(1, 4);
    for (int r : {0, 3, 7, 999, 1000}) EXPECT_EQ(t(r, 2), "") << r;
    EXPECT_EQ(t(500, 5), "kept");
    t(800, 1) = "y";
    t.clearColumns(1, 4);
    EXPECT_EQ(t(800, 1), "");
    t.clear();
    EXPECT_EQ(t(500, 5), "");
    // Equal contents are equal whatever was written and cleared before.
    EXPECT_EQ(t, TextTable(1000, 5));
    // From a row on: the rows above keep their text and still count as written.
    TextTable u(100, 3);
    u(2, 1) = "above";
    u(50, 1) = "below";
    u.clearColumns(1, 3, 10);
    const TextTable& read = u; // reading must not mark rows as written
    EXPECT_EQ(read(2, 1), "above");
    EXPECT_EQ(read(50, 1), "");
    u.clear();
    EXPECT_EQ(u, TextTable(100, 3));
    const TextTable& view = t;
    EXPECT_EQ(view(1000, 5), "");
    // A row written through its run of cells counts as written too.
    TextTable w(300, 4);
    const auto cells = w.rowCells(250, 2, 4);
    ASSERT_EQ(cells.size(), 3u);
    cells[2] = "last";
    EXPECT_EQ(static_cast<const TextTable&>(w)(250, 4), "last");
    w.clear();
    EXPECT_EQ(w, TextTable(300, 4));
    for (auto [row, first, last] : {std::tuple{301, 1, 4}, {-1, 1, 4}, {1, 0, 5}, {1, -1, 2}, {1, 3, 2}})
        EXPECT_TRUE(w.rowCells(row, first, last).empty()) << row << " " << first << ".." << last;
}

TEST(Tables, GraphRowFieldsAreTheCellsOfThatRow)
{
    GraphTable t;
    const auto fields = t.rowFields(5, 14);
    ASSERT_EQ(fields.size(), static_cast<size_t>(GraphTable::kFields));
    fields.front() = "first";
    fields.back() = "last";
    const GraphTable& read = t;
    EXPECT_EQ(read(5, 14, 1), "first");
    EXPECT_EQ(read(5, 14, GraphTable::kFields), "last");
    EXPECT_EQ(read(4, 14, 1), "");
    EXPECT_EQ(read.rowFields(5, 14)[1], "");
    t.clear(); // written through the run, so the clear must empty it
    EXPECT_EQ(t, GraphTable());
    for (auto [graph, row] : {std::pair{6, 1}, {-1, 1}, {1, 15}, {1, -1}})
        EXPECT_TRUE(read.rowFields(graph, row).empty()) << graph << "," << row;
}

// Assigning copies only the rows either side used: rows the target used beyond the
// source's must still be emptied, and the copy must remember which rows it now holds.
TEST(Tables, AssignmentLeavesNoRowOfTheOldContent)
{
    const struct
    {
        std::vector<int> targetRows, sourceRows;
    } cases[] = {
        {{3, 80}, {1, 2}}, // a short table over a long one
        {{1}, {5, 999}},   // a long one over a short one
        {{}, {}},          // both empty
        {{1000}, {1000}},  // the last row
    };
    for (const auto& c : cases) {
        TextTable target(1000, 3), source(1000, 3);
        for (int r : c.targetRows) target(r, 2) = "old";
        for (int r : c.sourceRows) source(r, 1) = "new" + std::to_string(r);
        target = source;
        EXPECT_EQ(target, source) << c.targetRows.size();
        // What it now holds is cleared again, wherever it came from.
        target.clear();
        EXPECT_EQ(target, TextTable(1000, 3));
    }
    TextTable other(5, 5); // another shape takes the source's shape
    other(5, 5) = "x";
    const TextTable source(1000, 3);
    other = source;
    EXPECT_EQ(other, source);
}

TEST(Tables, PrepareForSaveBuildsCoordinatesAndTotalDepth)
{
    Document doc;
    doc.HeaderTable(HeaderEntry::LatitudeDeg) = "35";
    doc.HeaderTable(HeaderEntry::LatitudeMin) = "41";
    doc.HeaderTable(HeaderEntry::LatitudeSec) = "12.5";
    doc.HeaderTable(HeaderEntry::TotalDepth) = "stale";
    PrepareForSave(doc);
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LatitudeInFile), "35,41,12.5");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LongitudeInFile), ""); // nothing entered: an empty line, not ",,"
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::TotalDepth), "");      // no geology rows

    doc.GeologyTable(1, GeologyCol::Depth) = "1.00";
    doc.GeologyTable(2, GeologyCol::Depth) = "7.25";
    PrepareForSave(doc);
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::TotalDepth), "7.25");
}

TEST(Tables, AlternatingLayerConversion)
{
    struct Case
    {
        const char* name;
        const char* aux;
        const char* col9;
        const char* col10;
        const char* col11;
        const char* col7;
        // expected columns 2, 3, 7, 9, 10, 11
        const char* e2;
        const char* e3;
        const char* e7;
        const char* e9;
        const char* e10;
        const char* e11;
    } cases[] = {
        {"砂・シルト互層", "", "", "", "", "247", "砂", "シルト", "503", "49", "・", "互層"},
        {"砂･粘土互層", "", "30", "", "", "0", "砂", "粘土", "256", "30", "･", "互層"},
        {"・粘土互層", "", "", "", "", "247", "・粘土", "粘土", "503", "49", "・", "互層"},
        {"砂礫互層", "", "", "", "", "247", "砂礫互層", "", "247", "98", " ", ""},
        {"粘土", "砂", "", "", "(", "247", "粘土", "砂", "247", "50", "(", ")"},
        {"粘土", "砂", "70", "", "（", "247", "粘土", "砂", "247", "70", "（", "）"},
        {"粘土", "砂", "", "", "/", "247", "粘土", "砂", "247", "52", "/", ""},
        {"粘土", "", "", "", "x", "247", "粘土", "", "247", "", "", ""},
    };
    for (const auto& c : cases) {
        Document doc;
        auto& g = doc.GeologyTable;
        g(1, GeologyCol::Depth) = "1.00";
        g(1, GeologyCol::Name) = sj(c.name);
        g(1, GeologyCol::AuxName) = sj(c.aux);
        g(1, GeologyCol::Attributes) = c.col7;
        g(1, GeologyCol::Percent) = c.col9;
        g(1, GeologyCol::Prefix) = sj(c.col10);
        g(1, GeologyCol::Suffix) = sj(c.col11);
        AlternatingLayerConversion(doc);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(g(1, GeologyCol::Name), sj(c.e2));
        EXPECT_EQ(g(1, GeologyCol::AuxName), sj(c.e3));
        EXPECT_EQ(g(1, GeologyCol::Attributes), c.e7);
        EXPECT_EQ(g(1, GeologyCol::Percent), c.e9);
        EXPECT_EQ(g(1, GeologyCol::Prefix), sj(c.e10));
        EXPECT_EQ(g(1, GeologyCol::Suffix), sj(c.e11));
    }
}

TEST(Tables, ViewUpdateDefaults)
{
    Document doc;
    doc.DisplayItemTable(DisplayRow::Notes, DisplayCol::Width) = "99";      // always replaced
    doc.DisplayItemTable(DisplayRow::Strata, DisplayCol::Width) = "5.0";    // kept: positive
    doc.DisplayItemTable(DisplayRow::FreeColumn, DisplayCol::Width) = "-1"; // replaced: not positive
    doc.DisplayItemTable(DisplayRow::Basic, DisplayCol::Title) = "mine";    // kept: not empty
    doc.GraphFormatTable(2, 1, 3) = "15";
    doc.GraphFormatTable(2, 4, 8) = "0";
    ApplyViewUpdateDefaults(doc);
    const auto& d = doc.DisplayItemTable;
    EXPECT_EQ(d(DisplayRow::Basic, DisplayCol::Width), "0.0");
    EXPECT_EQ(d(DisplayRow::Notes, DisplayCol::Width), "31.8");
    EXPECT_EQ(d(DisplayRow::Strata, DisplayCol::Width), "5.0");
    EXPECT_EQ(d(DisplayRow::FreeColumn, DisplayCol::Width), "3.4");
    EXPECT_EQ(d(DisplayRow::WaterLevel, DisplayCol::Width), "6.4");
    EXPECT_EQ(d(DisplayRow::Sampling, DisplayCol::Width), "17.6");
    EXPECT_EQ(d(DisplayRow::GrainSize, DisplayCol::Width), "24.0");
    EXPECT_EQ(d(DisplayRow::Casing, DisplayCol::Width), "5.6");
    EXPECT_EQ(d(DisplayRow::Reserved1, DisplayCol::Width), "0.0");
    EXPECT_EQ(d(DisplayRow::DrillDate, DisplayCol::Width), "5.6");
    EXPECT_EQ(d(DisplayRow::Basic, DisplayCol::Title), "mine");
    EXPECT_EQ(d(DisplayRow::Strata, DisplayCol::Title), sj("地層・岩体区分"));
    EXPECT_EQ(d(DisplayRow::graph(1), DisplayCol::Width), ""); // graph widths only at the first update
    const auto& gf = doc.GraphFormatTable;
    EXPECT_EQ(gf(1, 1, 3), "10");
    EXPECT_EQ(gf(2, 1, 3), "15");
    EXPECT_EQ(gf(5, 3, 8), "70");
    EXPECT_EQ(gf(2, 4, 8), "1");

    ApplyStartupDefaults(doc);
    EXPECT_EQ(d(DisplayRow::graph(1), DisplayCol::Width), "23.0");
    EXPECT_EQ(d(DisplayRow::graph(5), DisplayCol::Width), "23.0");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LogTitle), sj("ボーリング柱状図"));

    // A file opened at start-up keeps its title, also an emptied one.
    Document file;
    file.path = "/logs/b-1.bhc";
    ApplyStartupDefaults(file);
    EXPECT_EQ(file.DisplayItemTable(DisplayRow::graph(1), DisplayCol::Width), "23.0");
    EXPECT_EQ(file.HeaderTable(HeaderEntry::LogTitle), "");
}
