// The test data input model: the shifts in the scratch column, the hidden
// comma-joined value columns, the top depth range and the bottom notice, the
// attribute-mask bit of "前深度と結ばない", the shifts handed back, and the
// sorted write-back that keeps every test's value with its sample.

#include "dialogs/testdataeditor.h"
#include "dialogs/testnameseditor.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <memory>

using namespace qc;
using qc::test::sj;
using D = TestDataEditor;

namespace {

struct Fixture
{
    Document doc;
    ScriptedPrompter prompter;
    std::unique_ptr<D> ed;

    void open(int test, const std::string& shifts = {})
    {
        TestDataRequest req;
        req.test = test;
        req.name = sj("砒素");
        req.unit = "mg/l";
        req.shifts = shifts;
        ed = std::make_unique<D>(doc.SampleTable, req, prompter, KeyOptions{});
        ed->open();
    }
    void sample(int r, const char* top, const char* value3)
    {
        auto& s = doc.SampleTable;
        s(r, SampleCol::Top) = top;
        s(r, SampleCol::Number) = "S-" + std::to_string(r);
        for (int n = 1; n <= 48; ++n) s(r, SampleCol::test(n)) = std::to_string(r * 100 + n);
        s(r, SampleCol::test(3)) = value3;
        s(r, 57) = "0";
        s(r, 58) = "6";
        s(r, 59) = "";
    }
    void add(const char* top, const char* bottom = "")
    {
        ed->setField(D::Top, top);
        ed->setField(D::Bottom, bottom);
        ed->add();
    }
};

} // namespace

TEST(TestDataEditor, OpensWithTheTestsColumnsAndTheShiftsInTheScratchColumn)
{
    Fixture f;
    f.sample(1, "1.00", "0.005");
    f.sample(2, "2.00", "<0.001");
    f.doc.SampleTable(3, SampleCol::Scratch) = "stale";
    f.doc.SampleTable(2, 58) = "8"; // test 19 not joined
    f.open(19, "2:1.5,300:2,x,");
    EXPECT_EQ(f.ed->column(D::ColValue).title, sj("試験No.19"));
    EXPECT_EQ(f.doc.SampleTable(2, SampleCol::Scratch), "1.5");
    EXPECT_EQ(f.doc.SampleTable(3, SampleCol::Scratch), "");
    EXPECT_EQ(f.ed->usedRowCount(), 2);
    EXPECT_EQ(f.ed->cell(2, D::ColValue), "219");
    EXPECT_EQ(f.ed->cell(2, D::ColNoJoin), "1");
    EXPECT_EQ(f.ed->cell(1, D::ColNoJoin), "0");
    EXPECT_EQ(f.ed->cell(2, D::ColShift), "1.5");
    EXPECT_EQ(f.ed->cell(1, D::ColTests1),
              "101,102,0.005,104,105,106,107,108,109,110,111,112,113,114,115,116,");
    EXPECT_EQ(f.ed->cell(1, D::ColMask2), "6");
    EXPECT_EQ(f.ed->testLabel(), "No.19");

    Fixture g;
    g.open(60);
    EXPECT_EQ(g.ed->test(), 1);
}

TEST(TestDataEditor, TopDepthRangeAndTheBottomNotice)
{
    struct Case
    {
        const char* top;
        const char* bottom;
        const char* message;
        bool added;
    } cases[] = {
        {"-1", "", nullptr, true},
        {"3000", "3000.5", nullptr, true},
        {"-1.01", "", "数値が異常です", false},
        {"3000.01", "", "数値が異常です", false},
        {"abc", "", "データが無い、または不正です.", false},
        {"", "2", "データが無い、または不正です.", false},
        {"1.5", "abc", "データが無い、または不正です.", true},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.open(3);
        f.add(c.top, c.bottom);
        SCOPED_TRACE(c.top);
        EXPECT_EQ(f.prompter.texts(),
                  c.message ? std::vector<std::string>{sj(c.message)} : std::vector<std::string>{});
        EXPECT_EQ(f.ed->usedRowCount(), c.added ? 1 : 0);
    }
}

TEST(TestDataEditor, NoJoinSetsTheTestsBitInItsGroupsMask)
{
    Fixture f;
    f.sample(1, "1.00", "0.1");
    f.sample(2, "2.00", "0.2");
    f.doc.SampleTable(2, 57) = "2"; // test 1's bit, kept
    f.open(3);
    f.ed->clickRow(2);
    f.ed->setNoJoin(true);
    EXPECT_EQ(f.ed->cell(2, D::ColNoJoin), "1");
    ASSERT_TRUE(f.ed->accept());
    EXPECT_EQ(f.doc.SampleTable(2, 57), "10");
    EXPECT_EQ(f.doc.SampleTable(2, 58), "6");
    EXPECT_EQ(f.doc.SampleTable(2, 59), "");
    EXPECT_EQ(f.doc.SampleTable(1, 57), "0");

    // Clearing the box clears the bit again.
    f.open(3);
    f.ed->clickRow(2);
    EXPECT_TRUE(f.ed->noJoin());
    f.ed->setNoJoin(false);
    ASSERT_TRUE(f.ed->accept());
    EXPECT_EQ(f.doc.SampleTable(2, 57), "2");
}

TEST(TestDataEditor, WriteBackSortsTheSamplesWithAllTheirValuesAndReturnsTheShifts)
{
    Fixture f;
    f.sample(1, "1.00", "0.1");
    f.sample(2, "4.00", "0.4");
    f.sample(3, "5.00", "0.5");
    f.open(3);
    // A new sample between the first two, with a value and a shift.
    f.ed->setField(D::Value, "0.3");
    f.ed->setField(D::Shift, "1.5");
    f.ed->setField(D::Number, "S-new");
    f.add("2");
    f.ed->setField(D::Top, "0.5");
    f.ed->add();
    // A shift for the sample at 4 m, which is written as row 4.
    f.ed->clickRow(2);
    f.ed->setField(D::Shift, "1.5");
    f.ed->fieldLeft(D::Shift);
    ASSERT_TRUE(f.ed->accept());
    EXPECT_TRUE(f.prompter.texts().empty());

    const auto& s = f.doc.SampleTable;
    const char* tops[] = {"0.50", "1.00", "2.00", "4.00", "5.00"};
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(s(r, 1), tops[r - 1]) << r;
    EXPECT_EQ(s(3, 3), "S-new");
    EXPECT_EQ(s(3, SampleCol::test(3)), "0.3");
    EXPECT_EQ(s(3, SampleCol::test(4)), "");
    EXPECT_EQ(s(4, SampleCol::test(3)), "0.4");
    EXPECT_EQ(s(4, SampleCol::test(48)), "248");
    EXPECT_EQ(s(4, SampleCol::test(17)), "217");
    EXPECT_EQ(s(5, 58), "6");
    EXPECT_EQ(s(6, 1), "");
    EXPECT_EQ(f.ed->newShifts(), "3:1.5,4:1.5,");
}

TEST(TestDataEditor, ShiftsOfTheRowsWrittenAsTwoAndFive)
{
    Fixture f;
    for (int r = 1; r <= 5; ++r) f.sample(r, (std::to_string(r) + ".00").c_str(), "1");
    f.open(3, "2:1.5,5:1.5,");
    EXPECT_EQ(f.ed->cell(5, D::ColShift), "1.5");
    ASSERT_TRUE(f.ed->accept());
    EXPECT_EQ(f.ed->newShifts(), "2:1.5,5:1.5,");
}

TEST(TestDataEditor, InCellEditOfTheLineColumnSetsTheBox)
{
    Fixture f;
    f.sample(1, "1.00", "0.1");
    f.open(3);
    ASSERT_TRUE(f.ed->doubleClick(1, D::ColNoJoin));
    f.ed->commitCell("1");
    EXPECT_TRUE(f.ed->noJoin());
    ASSERT_TRUE(f.ed->accept());
    EXPECT_EQ(f.doc.SampleTable(1, 57), "8");
}

TEST(TestDataEditor, ValuesWithCommasOrQuotesComeBackWhole)
{
    Fixture f;
    f.sample(1, "1.00", "0.1");
    auto& s = f.doc.SampleTable;
    s(1, SampleCol::test(5)) = "1,5";
    s(1, SampleCol::test(6)) = "\"a\"";
    s(1, SampleCol::test(7)) = sj("表,\"");
    f.open(3);
    ASSERT_TRUE(f.ed->accept());
    EXPECT_EQ(s(1, SampleCol::test(4)), "104");
    EXPECT_EQ(s(1, SampleCol::test(5)), "1,5");
    EXPECT_EQ(s(1, SampleCol::test(6)), "\"a\"");
    EXPECT_EQ(s(1, SampleCol::test(7)), sj("表,\""));
    EXPECT_EQ(s(1, SampleCol::test(8)), "108");
    EXPECT_EQ(s(1, SampleCol::test(16)), "116");
}
