// The display items model: the running totals against the usable width, equal
// graph widths with their grids, the two examples, and which rows it edits.

#include "dialogs/displayitemseditor.h"
#include "document/positions.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::u8;
using E = DisplayItemsEditor;

namespace {

size_t at(int row)
{
    return static_cast<size_t>(row);
}

// Notes 31.8 and grain size 46.6 beside the 70.6 mm fixed part: a basic total of 149.0.
DisplayItemsData basic149(std::initializer_list<int> graphsShown)
{
    DisplayItemsData d;
    d.shown[at(DisplayRow::Notes)] = 1;
    d.width[at(DisplayRow::Notes)] = "31.8";
    d.shown[at(DisplayRow::GrainSize)] = 1;
    d.width[at(DisplayRow::GrainSize)] = "46.6";
    d.width[at(DisplayRow::Strata)] = "3.4"; // not ticked: not counted
    d.width[at(DisplayRow::WaterLevel)] = "6.4";
    for (int g = 1; g <= 5; ++g) {
        d.width[at(DisplayRow::graph(g))] = "23.0";
        d.gridWidth[at(DisplayRow::graph(g))] = "20";
    }
    for (int g : graphsShown) d.shown[at(DisplayRow::graph(g))] = 1;
    return d;
}

} // namespace

TEST(DisplayItemsEditor, TotalsCountOnlyTickedItemsAndNumericWidths)
{
    E ed(basic149({1, 2}));
    EXPECT_DOUBLE_EQ(E::fixedPartWidth(), 70.6);
    EXPECT_NEAR(ed.basicTotal(), 149.0, 1e-9);
    EXPECT_NEAR(ed.graphRoom(), 120.0, 1e-9);
    EXPECT_NEAR(ed.graphTotal(), 46.0, 1e-9);
    EXPECT_NEAR(ed.overallTotal(), 195.0, 1e-9);

    // Ticking a basic item counts it at once; the overall total waits for its button.
    ed.setShown(DisplayRow::WaterLevel, true);
    EXPECT_EQ(E::formatMm(ed.basicTotal()), "155.4");
    EXPECT_EQ(E::formatMm(ed.overallTotal()), "195.0");
    ed.recomputeOverall();
    EXPECT_EQ(E::formatMm(ed.overallTotal()), "201.4");

    // A width is counted when its field is left; text that is not a number counts 0.
    ed.setWidth(DisplayRow::graph(1), "abc");
    EXPECT_NEAR(ed.graphTotal(), 46.0, 1e-9);
    ed.widthLeft(DisplayRow::graph(1));
    EXPECT_NEAR(ed.graphTotal(), 23.0, 1e-9);
    ed.setWidth(DisplayRow::graph(2), "");
    ed.widthLeft(DisplayRow::graph(2));
    EXPECT_NEAR(ed.graphTotal(), 0.0, 1e-9);
}

TEST(DisplayItemsEditor, EqualWidthsShareTheRoomLeft)
{
    struct Case
    {
        const char* name;
        std::initializer_list<int> graphs;
        const char* width;
        const char* grid;
    };
    const Case cases[] = {
        {"three graphs: 40.0 and grid 30", {1, 3, 5}, "40.0", "30"},
        {"two graphs: 60.0 and grid 50", {2, 4}, "60.0", "50"},
        {"five graphs: 24.0 and grid 20", {1, 2, 3, 4, 5}, "24.0", "20"},
        {"one graph: 120.0 and grid 110", {3}, "120.0", "110"},
    };
    for (const Case& c : cases) {
        E ed(basic149(c.graphs));
        ed.equalWidths();
        for (int g = 1; g <= 5; ++g) {
            const int row = DisplayRow::graph(g);
            const bool ticked = ed.shown(row);
            EXPECT_EQ(ed.data().width[at(row)], ticked ? c.width : "") << c.name << " graph " << g;
            EXPECT_EQ(ed.data().gridWidth[at(row)], ticked ? c.grid : "") << c.name << " graph " << g;
        }
        EXPECT_NEAR(ed.overallTotal(), 269.0, 0.05) << c.name;
    }
}

TEST(DisplayItemsEditor, EqualWidthsGridNeverWiderThanTheGraph)
{
    // 5.0 mm of room: the grid is the largest multiple of 10 not above w - 4, here 0.
    DisplayItemsData d = basic149({1});
    d.width[at(DisplayRow::GrainSize)] = "161.6";
    E ed(d);
    ed.equalWidths();
    EXPECT_EQ(ed.data().width[at(DisplayRow::graph(1))], "5.0");
    EXPECT_EQ(ed.data().gridWidth[at(DisplayRow::graph(1))], "0");
}

TEST(DisplayItemsEditor, EqualWidthsWithoutATickedGraphChangeNothing)
{
    E ed(basic149({}));
    const DisplayItemsData before = ed.data();
    ed.equalWidths();
    EXPECT_EQ(ed.data().width, before.width);
    EXPECT_EQ(ed.data().gridWidth, before.gridWidth);
}

TEST(DisplayItemsEditor, TheTwoExamples)
{
    struct Case
    {
        const char* name;
        bool five;
        int graphs;
        const char* grainSize;
        const char* width;
        const char* grid;
    };
    // Fixed 70.6 + water 6.4 + samples 17.6 + drill dates 5.6 + grain size.
    const Case cases[] = {
        {"グラフ5枚", true, 5, "24.0", "29.0", "20"},
        {"グラフ3枚", false, 3, "26.0", "47.6", "40"},
    };
    for (const Case& c : cases) {
        DisplayItemsData d;
        for (int row = 2; row <= 16; ++row) d.shown[at(row)] = 1;
        d.width[at(DisplayRow::WaterLevel)] = "6.4";
        d.width[at(DisplayRow::Sampling)] = "17.6";
        d.width[at(DisplayRow::DrillDate)] = "5.6";
        d.width[at(DisplayRow::Notes)] = "31.8";
        E ed(d);
        c.five ? ed.fiveGraphs() : ed.threeGraphs();
        for (int row = 2; row <= 16; ++row) {
            const bool expected = row == DisplayRow::WaterLevel || row == DisplayRow::Sampling ||
                                  row == DisplayRow::GrainSize || row == DisplayRow::DrillDate ||
                                  (E::isGraphRow(row) && row - 7 <= c.graphs);
            EXPECT_EQ(ed.shown(row), expected) << c.name << " row " << row;
        }
        EXPECT_EQ(ed.data().width[at(DisplayRow::Strata)], "3.4");
        EXPECT_EQ(ed.data().width[at(DisplayRow::FreeColumn)], "3.4");
        EXPECT_EQ(ed.data().width[at(DisplayRow::GrainSize)], c.grainSize);
        for (int g = 1; g <= 5; ++g) {
            const size_t row = at(DisplayRow::graph(g));
            EXPECT_EQ(ed.data().width[row], g <= c.graphs ? c.width : "") << c.name << " graph " << g;
            EXPECT_EQ(ed.data().gridWidth[row], g <= c.graphs ? c.grid : "") << c.name << " graph " << g;
        }
        EXPECT_NEAR(ed.overallTotal(), 269.0, 0.5) << c.name;
    }
}

TEST(DisplayItemsEditor, FixedWidthsAndUntitledRowsAreNotEdited)
{
    DisplayItemsData d = basic149({});
    d.width[at(DisplayRow::Notes)] = "31.8";
    E ed(d);
    for (int row : {DisplayRow::Notes, DisplayRow::WaterLevel, DisplayRow::Sampling, DisplayRow::Casing,
                    DisplayRow::DrillDate}) {
        EXPECT_FALSE(E::widthEditable(row)) << row;
        ed.setWidth(row, "99");
    }
    EXPECT_EQ(ed.data().width[at(DisplayRow::Notes)], "31.8");
    ed.setTitle(DisplayRow::Notes, "x");
    EXPECT_TRUE(ed.data().title[at(DisplayRow::Notes)].empty());
    ed.setTitle(DisplayRow::FreeColumn, "x");
    EXPECT_EQ(ed.data().title[at(DisplayRow::FreeColumn)], "x");
    EXPECT_EQ(u8(E::titleItems(DisplayRow::Basic)[1]), "土質区分");
    EXPECT_EQ(E::titleItems(DisplayRow::FreeColumn).size(), 2u);
}
