// The cell-only "空欄 削孔" dialog model in both modes: rows typed into the
// cells with Enter, moved, and written back sorted by depth with the
// duplicate message and three decimals kept.

#include "dialogs/freecolumneditor.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

TEST(FreeColumn, CellsOnlySortedByDepthOnOk)
{
    Document doc;
    doc.FreeColumnTable(1, FreeCol::Depth) = "5.00";
    doc.FreeColumnTable(1, FreeCol::Text) = sj("観測井");
    doc.FreeColumnTable(1, FreeCol::Underline) = "1";
    doc.HeaderTable(1) = "x";
    ScriptedPrompter prompter;
    FreeColumnEditor e(FreeColumnEditor::Mode::FreeColumn, doc.FreeColumnTable, prompter, KeyOptions{});
    e.setPageRows(10);
    e.open();
    EXPECT_EQ(e.rowLimit(), 200);
    EXPECT_EQ(e.columnCount(), 3);
    // Typed into row 2 with Enter through all three columns.
    ASSERT_TRUE(e.doubleClick(2, 1));
    EXPECT_TRUE(e.cellKey(CellKey::Enter, "2"));
    EXPECT_TRUE(e.cellKey(CellKey::Enter, sj("スクリーン上端")));
    EXPECT_TRUE(e.cellKey(CellKey::Enter, "0"));
    EXPECT_EQ(e.currentRow(), 3);
    EXPECT_TRUE(e.cellKey(CellKey::Enter, "8.125"));
    EXPECT_TRUE(e.cellKey(CellKey::Escape, sj("底")) == false);
    // A row typed with a blank depth is not written.
    ASSERT_TRUE(e.doubleClick(4, 2));
    e.commitCell(sj("深度なし"));
    ASSERT_TRUE(e.accept());
    const TextTable& t = doc.FreeColumnTable;
    EXPECT_EQ(t(1, FreeCol::Depth), "2.00");
    EXPECT_EQ(u8(t(1, FreeCol::Text)), "スクリーン上端");
    EXPECT_EQ(t(1, FreeCol::Underline), "0");
    EXPECT_EQ(t(2, FreeCol::Depth), "5.00");
    EXPECT_EQ(t(2, FreeCol::Underline), "1");
    EXPECT_EQ(t(3, FreeCol::Depth), "8.125");
    EXPECT_EQ(u8(t(3, FreeCol::Text)), "底");
    EXPECT_TRUE(t(4, FreeCol::Depth).empty());
    EXPECT_TRUE(t(4, FreeCol::Text).empty());
    EXPECT_TRUE(prompter.texts().empty());
}

TEST(FreeColumn, DrillDatesMoveAndSortWithTheDuplicateMessage)
{
    Document doc;
    const char* rows[][2] = {{"3.00", "4/10"}, {"1.5", "4/9"}, {"3", "4/11"}};
    for (int i = 0; i < 3; ++i) {
        doc.DrillDateTable(i + 1, DrillDateCol::Depth) = rows[i][0];
        doc.DrillDateTable(i + 1, DrillDateCol::Date) = rows[i][1];
    }
    ScriptedPrompter prompter;
    FreeColumnEditor e(FreeColumnEditor::Mode::DrillDates, doc.DrillDateTable, prompter, KeyOptions{});
    e.open();
    EXPECT_EQ(e.rowLimit(), 50);
    EXPECT_EQ(e.columnCount(), 2);
    e.clickRow(2);
    e.moveUp();
    EXPECT_EQ(e.cell(1, 1), "1.5");
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(doc.DrillDateTable(1, DrillDateCol::Depth), "1.50");
    EXPECT_EQ(doc.DrillDateTable(2, DrillDateCol::Date), "4/10");
    EXPECT_EQ(doc.DrillDateTable(3, DrillDateCol::Date), "4/11");
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{sj("同じ深度があります\r\n 3 m \r\n")});
}
