// The groundwater level dialog model: the sign rule in the field, the buffer
// and the cells, the range warning (also during the live update), the display
// flags word both ways, the list-order write-back with its own duplicate test
// on level and date, and the depths kept as typed with three decimals.

#include "dialogs/waterleveleditor.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <memory>

using namespace qc;
using qc::test::sj;
using W = WaterLevelEditor;

namespace {

const std::string kWarning = sj("水位が異常です.　");

struct Fixture
{
    Document doc;
    ScriptedPrompter prompter;
    std::unique_ptr<W> ed;

    W& open()
    {
        ed = std::make_unique<W>(doc.WaterLevelTable, prompter, KeyOptions{});
        ed->setPageRows(10);
        ed->open();
        return *ed;
    }
    void add(const std::string& level, const std::string& date = "", const std::string& remark = "")
    {
        ed->setField(W::Level, level);
        ed->setField(W::Date, date);
        ed->setField(W::Remark, sj(remark));
        ed->add();
    }
    std::string table(int r, int c) const { return doc.WaterLevelTable(r, c); }
};

} // namespace

TEST(WaterLevelSign, ALevelWithoutSignIsBelowGround)
{
    struct Case
    {
        const char* typed;
        const char* cell;
    } cases[] = {{"2.5", "-2.50"}, {"+0.3", "+0.30"}, {"-1", "-1.00"}, {"0", "-0.00"}, {".75", "-0.75"}};
    for (const Case& c : cases) {
        Fixture f;
        f.open();
        f.add(c.typed);
        EXPECT_EQ(f.ed->cell(1, W::ColLevel), c.cell) << c.typed;
    }
    EXPECT_EQ(W::applySign(""), "");
    EXPECT_EQ(W::applySign("1-"), "1-");
}

TEST(WaterLevelSign, LeavingTheFieldAndTheInCellEditorApplyIt)
{
    Fixture f;
    auto& e = f.open();
    e.setField(W::Level, "3.1");
    e.fieldLeft(W::Level);
    EXPECT_EQ(e.field(W::Level), "-3.1");

    // A level typed into a blank row's cell: signed, and both display cells "o".
    ASSERT_TRUE(e.doubleClick(2, W::ColLevel));
    e.commitCell("1.25");
    EXPECT_EQ(e.cell(2, W::ColLevel), "-1.25");
    EXPECT_EQ(e.cell(2, W::ColLevelShown), "o");
    EXPECT_EQ(e.cell(2, W::ColDateShown), "o");
    EXPECT_EQ(e.field(W::Level), "-1.25");
}

TEST(WaterLevelValidation, OutOfRangeWarnsAndIsStillAdded)
{
    Fixture f;
    auto& e = f.open();
    f.add("-1500");
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kWarning});
    EXPECT_EQ(e.cell(1, W::ColLevel), "-1500.00");
    f.prompter.clear();
    f.add("+100.5");
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kWarning});
    EXPECT_EQ(e.usedRowCount(), 2);
    f.prompter.clear();
    f.add("-1000");
    f.add("+100");
    EXPECT_TRUE(f.prompter.texts().empty());
    EXPECT_EQ(e.usedRowCount(), 4);
}

TEST(WaterLevelValidation, TheLiveUpdateWarnsOncePerLevel)
{
    Fixture f;
    f.doc.WaterLevelTable(1, WaterCol::Level) = "-2000.00";
    auto& e = f.open();
    e.clickRow(1);
    e.setField(W::Date, "4/1");
    e.fieldLeft(W::Date);
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kWarning});
    EXPECT_EQ(e.cell(1, W::ColDate), "4/1");
    e.setField(W::Remark, "x");
    e.liveUpdate();
    EXPECT_EQ(f.prompter.texts().size(), 1u);
}

TEST(WaterLevelFlags, ReadFromTheTable)
{
    struct Case
    {
        const char* flags;
        const char* level;
        const char* date;
        const char* position;
    } cases[] = {
        {"3", "o", "o", "0"}, {"18", ".", "o", "2"}, {"13", "o", ".", "1"}, {"", "o", "o", "0"},
        {"x", "o", "o", "0"}, {"24", ".", ".", "1"}, {"0", ".", ".", "0"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.doc.WaterLevelTable(1, WaterCol::Level) = "-2.00";
        f.doc.WaterLevelTable(1, WaterCol::Flags) = c.flags;
        auto& e = f.open();
        EXPECT_EQ(e.cell(1, W::ColLevelShown), c.level) << c.flags;
        EXPECT_EQ(e.cell(1, W::ColDateShown), c.date) << c.flags;
        EXPECT_EQ(e.cell(1, W::ColPosition), c.position) << c.flags;
    }
}

TEST(WaterLevelFlags, WrittenFromTheCellsAndTheControls)
{
    Fixture f;
    auto& e = f.open();
    f.add("1");
    e.setLevelShown(false);
    e.setPosition(W::LowerLeft);
    f.add("2");
    e.setDateShown(false);
    e.setPosition(W::UpperLeft);
    f.add("3");
    // Back to the defaults after each add.
    EXPECT_TRUE(e.levelShown() && e.dateShown() && e.position() == W::Standard);
    f.add("4");
    ASSERT_TRUE(e.doubleClick(4, W::ColPosition));
    e.commitCell("7"); // no position bit
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(f.table(1, WaterCol::Flags), "7");
    EXPECT_EQ(f.table(2, WaterCol::Flags), "18");
    EXPECT_EQ(f.table(3, WaterCol::Flags), "9");
    EXPECT_EQ(f.table(4, WaterCol::Flags), "3");
}

TEST(WaterLevelFlags, ClickingARowSetsTheControlsAndTheyUpdateIt)
{
    Fixture f;
    f.doc.WaterLevelTable(1, WaterCol::Level) = "-2.00";
    f.doc.WaterLevelTable(1, WaterCol::Flags) = "18";
    auto& e = f.open();
    e.clickRow(1);
    EXPECT_FALSE(e.levelShown());
    EXPECT_TRUE(e.dateShown());
    EXPECT_EQ(e.position(), W::LowerLeft);
    e.setLevelShown(true);
    EXPECT_EQ(e.cell(1, W::ColLevelShown), "o");
    e.setPosition(W::Standard);
    EXPECT_EQ(e.cell(1, W::ColPosition), "0");
}

TEST(WaterLevelWriteBack, ListOrderAndDuplicatesOfLevelAndDate)
{
    Fixture f;
    auto& e = f.open();
    f.add("3", "4/1", "無し");
    // Add refuses an equal level, so equal rows come from the cells.
    f.add("1", "4/2");
    ASSERT_TRUE(e.doubleClick(3, W::ColLevel));
    e.commitCell("-3.00");
    ASSERT_TRUE(e.doubleClick(3, W::ColDate));
    e.commitCell("4/1");
    ASSERT_TRUE(e.doubleClick(4, W::ColLevel));
    e.commitCell("-3.00"); // same level, another date
    ASSERT_TRUE(e.doubleClick(4, W::ColDate));
    e.commitCell("4/5");
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(f.table(1, WaterCol::Level), "-3.00");
    EXPECT_EQ(f.table(1, WaterCol::Note), sj("無し"));
    EXPECT_EQ(f.table(2, WaterCol::Level), "-1.00");
    EXPECT_EQ(f.table(3, WaterCol::Level), "-3.00");
    EXPECT_EQ(f.table(4, WaterCol::Date), "4/5");
    EXPECT_EQ(f.prompter.texts(),
              std::vector<std::string>{sj("同じ深度があります\r\n 3行目と 1行目 [-3.00]　\r\n")});
}

TEST(WaterLevelWriteBack, DepthsAndDroppedRows)
{
    Fixture f;
    for (int t = 1; t <= 5; ++t) f.doc.WaterLevelTable(t, WaterCol::Level) = "-9.00";
    f.doc.WaterLevelTable(1, WaterCol::Level) = "-2.505";
    f.doc.WaterLevelTable(2, WaterCol::Level) = "-2.5";
    f.doc.WaterLevelTable(3, WaterCol::Level) = "+1";
    auto& e = f.open();
    // A row whose level is emptied is dropped, the rest move up.
    ASSERT_TRUE(e.doubleClick(4, W::ColLevel));
    e.commitCell("");
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(f.table(1, WaterCol::Level), "-2.505");
    EXPECT_EQ(f.table(2, WaterCol::Level), "-2.50");
    EXPECT_EQ(f.table(3, WaterCol::Level), "+1.00");
    EXPECT_EQ(f.table(4, WaterCol::Level), "-9.00");
    EXPECT_EQ(f.table(5, WaterCol::Level), "");
    EXPECT_EQ(f.table(5, WaterCol::Flags), "");
}

TEST(WaterLevelWriteBack, MovedRowsAreWrittenInTheirNewOrder)
{
    Fixture f;
    auto& e = f.open();
    f.add("1");
    f.add("2");
    e.clickRow(2);
    e.moveUp();
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(f.table(1, WaterCol::Level), "-2.00");
    EXPECT_EQ(f.table(2, WaterCol::Level), "-1.00");
}
