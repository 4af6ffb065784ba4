// The test names dialog model: the live update and its No. guard, the row
// check messages, the hidden overwrite, the colour chooser and the colour
// normalisation on OK, "↑コピー", the hand-over to the test data input, the
// import of another document's test list with the memo file, and the reset.

#include "dialogs/testnameseditor.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/colourchooser.h"
#include "platform/filechooser.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/answerchooser.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <memory>

using namespace qc;
using qc::test::AnswerChooser;
using qc::test::sj;
using qc::test::TempDir;
using T = TestNamesEditor;

namespace {

struct Fixture
{
    TempDir dir;
    Document doc;
    ScriptedPrompter prompter;
    std::unique_ptr<T> ed;

    Fixture()
    {
        auto& t = doc.TestNameTable;
        t(5, 1) = sj("鉛");
        t(5, 2) = "mg/l";
        t(5, 4) = "0.01";
        t(5, 6) = sj("●");
        t(5, 9) = "255";
        t(6, 1) = "pH"; // a test without a unit
        ed = std::make_unique<T>(t, prompter, KeyOptions{}, dir.file("FilekS.ndx"), dir.file("Dflt.bhc"));
        ed->open();
    }
    const std::string& cell(int r, int col) const { return ed->cell(r, col); }
};

// A document whose "q" section has n lines "name<i>,u<i>,...".
std::string documentWithTests(int n)
{
    std::string s = "$$_QVOR780\r\n$$p\r\n1,2,3\r\n$$q\r\n";
    for (int i = 1; i <= n; ++i)
        s += "name" + std::to_string(i) + ",u" + std::to_string(i) + ",,,,,,,," + std::to_string(i) + ",\r\n";
    return s + "$$x\r\n";
}

} // namespace

TEST(TestNamesEditor, OpensWithNumberedRowsAndNoRowForTheDataInput)
{
    Fixture f;
    EXPECT_EQ(f.ed->usedRowCount(), 48);
    EXPECT_EQ(f.cell(48, 1), "48");
    EXPECT_EQ(f.doc.TestNameTable(7, 0), "7");
    EXPECT_EQ(f.ed->currentRow(), 1);
    EXPECT_FALSE(f.ed->dataInputRequest());
    EXPECT_EQ(f.prompter.texts(),
              std::vector<std::string>{sj("試験を画面中央の一覧リスト表から選択して下さい. ")});
}

TEST(TestNamesEditor, LiveUpdateWritesTheClickedRowUntilTheNoFieldNamesAnother)
{
    Fixture f;
    f.ed->clickRow(5);
    EXPECT_EQ(f.ed->field(T::Name), sj("鉛"));
    EXPECT_EQ(f.ed->colour(), 255u);
    f.ed->setField(T::Name, sj("鉛及びその化合物"));
    EXPECT_EQ(f.cell(5, 2), sj("鉛及びその化合物"));

    f.ed->setField(T::No, "6");
    f.ed->setField(T::Name, sj("砒素"));
    EXPECT_EQ(f.cell(5, 2), sj("鉛及びその化合物"));
    EXPECT_EQ(f.cell(6, 2), "pH");
    EXPECT_TRUE(f.prompter.texts().empty());

    // A test without a unit stays editable through the fields.
    f.ed->clickRow(6);
    f.ed->setField(T::Remark, sj("水素イオン濃度"));
    EXPECT_EQ(f.cell(6, 4), sj("水素イオン濃度"));
}

TEST(TestNamesEditor, OverwriteChecksTheRowWithMessages)
{
    struct Case
    {
        const char* no;
        const char* name;
        const char* unit;
        const char* message; // empty: row 3 rewritten
    } cases[] = {
        {"", "x", "u", "データが無い、または不正です."},
        {"abc", "x", "u", "データが無い、または不正です."},
        {"49", "x", "u", "数値が異常です"},
        {"-1", "x", "u", "数値が異常です"},
        {"3", "x", "", "データがありません"},
        {"0", "x", "u", "上書きできません、同じ No. がありません."},
        {"3", "砒素", "mg/l", ""},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.ed->clickRow(5);
        f.ed->setField(T::No, c.no);
        f.ed->setField(T::Name, sj(c.name));
        f.ed->setField(T::Unit, c.unit);
        f.prompter.clear();
        f.ed->overwrite();
        SCOPED_TRACE(c.no);
        if (*c.message) {
            EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{sj(c.message)});
            EXPECT_EQ(f.cell(3, 2), "");
        } else {
            EXPECT_TRUE(f.prompter.texts().empty());
            EXPECT_EQ(f.cell(3, 2), sj(c.name));
            EXPECT_EQ(f.cell(3, 10), "255"); // the colour of row 5's fields went along
            EXPECT_EQ(f.ed->field(T::Name), "");
            EXPECT_EQ(f.ed->selectedRow(), 0);
            EXPECT_TRUE(f.ed->modified());
        }
    }
}

TEST(TestNamesEditor, OkWritesEveryRowAndNormalisesTheColour)
{
    struct Case
    {
        const char* typed;
        const char* stored;
    } cases[] = {{"255", "0x0000ff"}, {"", ""}, {"0xFF00", "0x00ff00"}, {"16711680", "0xff0000"}};
    for (const Case& c : cases) {
        Fixture f;
        f.ed->clickRow(5);
        f.ed->setField(T::Colour, c.typed);
        ASSERT_TRUE(f.ed->accept());
        EXPECT_EQ(f.doc.TestNameTable(5, 9), c.stored) << c.typed;
        EXPECT_EQ(f.doc.TestNameTable(5, 1), sj("鉛"));
        EXPECT_EQ(f.doc.TestNameTable(6, 9), "");
    }
}

TEST(TestNamesEditor, ColourChooserAndCopyRunTheLiveUpdate)
{
    Fixture f;
    ScriptedColourChooser colours;
    f.ed->clickRow(5);
    colours.queue(std::nullopt);
    f.ed->chooseColour(colours);
    EXPECT_EQ(f.cell(5, 10), "255");
    colours.queue(0x123456u);
    f.ed->chooseColour(colours);
    EXPECT_EQ(colours.openedWith(), (std::vector<uint32_t>{255u, 255u}));
    EXPECT_EQ(f.ed->field(T::Colour), "0x123456");
    EXPECT_EQ(f.cell(5, 10), "0x123456");
    EXPECT_EQ(f.ed->colour(), 0x123456u);

    f.ed->copyReferenceToRemark();
    EXPECT_EQ(f.cell(5, 4), "0.01");
}

TEST(TestNamesEditor, DataInputHandsTheRowOverAndTakesTheShiftsBack)
{
    Fixture f;
    f.ed->clickRow(5);
    auto req = f.ed->dataInputRequest();
    ASSERT_TRUE(req);
    EXPECT_EQ(req->test, 5);
    EXPECT_EQ(req->name, sj("鉛"));
    EXPECT_EQ(req->unit, "mg/l");
    // Even with another No. typed, the returned shifts reach the row.
    f.ed->setField(T::No, "7");
    f.ed->dataInputDone("2:1.5,");
    EXPECT_EQ(f.cell(5, 11), "2:1.5,");
    EXPECT_EQ(f.cell(7, 11), "");
    // The samples are written already: the document takes their shifts at once, so a
    // cancelled names dialog cannot pair them with the old ones.
    EXPECT_EQ(f.doc.TestNameTable(5, TestCol::Shifts), "2:1.5,");
    EXPECT_EQ(f.doc.TestNameTable(7, TestCol::Shifts), "");
}

TEST(TestNamesEditor, ImportTakesFortyEightRowsAndKeepsTheMemosSecondLine)
{
    Fixture f;
    ASSERT_TRUE(writeFileBytes(f.dir.file("FilekS.ndx"), "/old/folder\r\nkept line\r\n"));
    ASSERT_TRUE(writeFileBytes(f.dir.file("other.bhc"), documentWithTests(60)));
    AnswerChooser chooser;
    chooser.answer = f.dir.file("other.bhc");
    f.ed->importFromDocument(chooser);
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].initialFolder, "/old/folder");
    EXPECT_EQ(chooser.requests[0].filter, sj("化学柱状図(*.bhc)|*.bhc|すべて(*.*)|*.*||"));
    EXPECT_EQ(chooser.requests[0].defaultExtension, "bhc");
    EXPECT_EQ(f.cell(1, 2), "name1");
    EXPECT_EQ(f.cell(48, 2), "name48");
    EXPECT_EQ(f.cell(48, 1), "48");
    EXPECT_EQ(f.cell(48, 11), "48");
    EXPECT_EQ(f.cell(5, 2), "name5");
    std::string memo;
    ASSERT_TRUE(readFileBytes(f.dir.file("FilekS.ndx"), memo));
    EXPECT_EQ(memo, f.dir.path() + "\r\nkept line\r\n");
    EXPECT_TRUE(f.prompter.texts().empty());
}

TEST(TestNamesEditor, ImportOrResetOfABadFileLeavesTheList)
{
    Fixture f;
    ASSERT_TRUE(writeFileBytes(f.dir.file("notes.txt"), "hello\r\n$$q\r\nx,y\r\n"));
    AnswerChooser chooser;
    chooser.answer = f.dir.file("notes.txt");
    f.ed->importFromDocument(chooser);
    chooser.answer = f.dir.file("missing.bhc");
    f.ed->importFromDocument(chooser);
    chooser.answer.reset(); // cancelled
    f.ed->importFromDocument(chooser);
    f.ed->resetToDefault(); // no Dflt.bhc
    EXPECT_EQ(f.prompter.texts(),
              (std::vector<std::string>{sj("化学柱状図のファイルではありません"),
                                        sj("ファイルが見つかりません\n(" + f.dir.file("missing.bhc") + ")"),
                                        sj("ファイルが見つかりません\n(" + f.dir.file("Dflt.bhc") + ")")}));
    EXPECT_EQ(f.cell(5, 2), sj("鉛"));
    EXPECT_FALSE(fileExists(f.dir.file("FilekS.ndx")));

    ASSERT_TRUE(writeFileBytes(f.dir.file("Dflt.bhc"), documentWithTests(3)));
    f.ed->resetToDefault();
    EXPECT_EQ(f.cell(3, 2), "name3");
    EXPECT_EQ(f.cell(5, 2), "");
    EXPECT_EQ(f.cell(5, 1), "5");
}

TEST(TestNamesEditor, CancelAsksOnlyAfterAChange)
{
    Fixture f;
    EXPECT_TRUE(f.ed->cancel());
    f.ed->clickRow(5);
    f.ed->setField(T::Unit, "mg/kg");
    f.prompter.queueAnswer(Answer::No);
    EXPECT_FALSE(f.ed->cancel());
    EXPECT_EQ(f.prompter.texts().back(), sj("データが変更されましたが、キャンセルしてよいのですか？"));
    EXPECT_EQ(f.doc.TestNameTable(5, 2), "mg/l");
}

TEST(TestNamesEditor, InCellEditingSkipsTheNumbersAndFollowsTheColour)
{
    Fixture f;
    f.ed->setPageRows(20);
    EXPECT_FALSE(f.ed->doubleClick(5, 1)); // the row numbers are fixed
    ASSERT_TRUE(f.ed->doubleClick(5, 10));
    f.ed->commitCell("0x00ff00");
    EXPECT_EQ(f.cell(5, 10), "0x00ff00");
    EXPECT_EQ(f.ed->field(T::Colour), "0x00ff00");
    EXPECT_EQ(f.ed->colour(), 0x00ff00u);
    // Enter after the colour skips the display attributes to the next row,
    // whose number stays what it is whatever is typed over it.
    ASSERT_TRUE(f.ed->doubleClick(6, 10));
    EXPECT_TRUE(f.ed->cellKey(CellKey::Enter, "0x0000ff"));
    EXPECT_EQ(f.ed->currentRow(), 7);
    EXPECT_TRUE(f.ed->cellKey(CellKey::Enter, "99"));
    EXPECT_EQ(f.cell(7, 1), "7");
    EXPECT_EQ(f.ed->currentColumn(), 2);
}
