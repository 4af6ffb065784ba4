// The observation notes dialog model: the fill from the layers (kept after
// Cancel), the whole note text and the hidden column carried to the table,
// the follow-on top depth, the bottom-depth notice, the in-cell columns, the
// phrases, the underline and the notes' full-width check.

#include "dialogs/noteseditor.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <memory>

using namespace qc;
using qc::test::sj;
using qc::test::u8;
using N = NotesEditor;

namespace {

const std::string kInvalid = sj("データが無い、または不正です.");

struct Fixture
{
    Document doc;
    ScriptedPrompter prompter;
    std::unique_ptr<N> ed;

    N& open(std::vector<std::string> phrases = {})
    {
        ed = std::make_unique<N>(doc, std::move(phrases), prompter, KeyOptions{});
        ed->setPageRows(10);
        ed->open();
        return *ed;
    }
    void type(const std::string& top, const std::string& bottom, const std::string& text = "")
    {
        ed->setField(N::Top, top);
        ed->setField(N::Bottom, bottom);
        ed->setField(N::Text, sj(text));
    }
    std::string note(int r, int c) const { return doc.NoteTable(r, c); }
};

} // namespace

TEST(NotesOpen, FilledFromTheLayersAndKeptAfterCancel)
{
    Fixture f;
    f.doc.GeologyTable(1, GeologyCol::Depth) = "1.00";
    f.doc.GeologyTable(2, GeologyCol::Depth) = "2.50";
    f.doc.GeologyTable(3, GeologyCol::Depth) = "4.00";
    f.doc.NoteTable(2, NoteCol::Text) = sj("残る記事"); // other columns untouched
    auto& e = f.open();
    EXPECT_TRUE(e.filledFromGeology());
    ASSERT_EQ(e.usedRowCount(), 3);
    EXPECT_EQ(e.cell(1, N::ColTop), "0.0");
    EXPECT_EQ(e.cell(1, N::ColBottom), "1.00");
    EXPECT_EQ(e.cell(3, N::ColTop), "2.50");
    EXPECT_EQ(e.cell(3, N::ColBottom), "4.00");
    EXPECT_EQ(e.cell(2, N::ColText), sj("残る記事"));
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(e.cell(r, N::ColUnderline), "1");
    EXPECT_TRUE(e.cancel());
    EXPECT_EQ(f.note(1, NoteCol::Top), "0.0");
    EXPECT_EQ(f.note(2, NoteCol::Bottom), "2.50");
    EXPECT_EQ(f.note(3, NoteCol::Underline), "1");
    EXPECT_TRUE(f.note(4, NoteCol::Top).empty());

    // With notes already there nothing is filled.
    f.doc.GeologyTable(4, GeologyCol::Depth) = "6.00";
    EXPECT_FALSE(N::fillFromGeology(f.doc));
    EXPECT_TRUE(f.note(4, NoteCol::Top).empty());
    Document noLayers;
    EXPECT_FALSE(N::fillFromGeology(noLayers));
}

TEST(NotesOpen, ABrokenUnderlineShowsAndKeepsOne)
{
    Fixture f;
    f.doc.NoteTable(1, NoteCol::Top) = "0.00";
    f.doc.NoteTable(1, NoteCol::Underline) = "x";
    f.doc.NoteTable(2, NoteCol::Top) = "1.00";
    f.doc.NoteTable(2, NoteCol::Underline) = "0";
    auto& e = f.open();
    EXPECT_FALSE(e.filledFromGeology());
    EXPECT_EQ(e.cell(1, N::ColUnderline), "1");
    EXPECT_EQ(e.cell(2, N::ColUnderline), "0");
    e.clickRow(2);
    EXPECT_FALSE(e.underline());
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(f.note(1, NoteCol::Underline), "1");
    EXPECT_EQ(f.note(2, NoteCol::Underline), "0");
}

TEST(NotesAdd, FollowOnTopDepthAndTheBottomNotice)
{
    Fixture f;
    auto& e = f.open();
    f.type("0", "1.2", "表土");
    e.add();
    EXPECT_TRUE(f.prompter.texts().empty());
    EXPECT_EQ(e.field(N::Top), "1.2");
    EXPECT_EQ(e.takeFocusRequest(), (FocusRequest{FocusRequest::Field, N::Bottom}));
    EXPECT_EQ(e.field(N::Bottom), "");

    // An empty bottom shows the notice and the note is still added.
    f.type("1.00", "", "礫混じり");
    e.add();
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kInvalid});
    EXPECT_EQ(e.usedRowCount(), 2);
    EXPECT_EQ(e.field(N::Top), "");

    // The first depth must lie within -1 and 3000.
    f.prompter.clear();
    f.type("3000.5", "3001");
    e.add();
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{sj("数値が異常です")});
    EXPECT_EQ(e.usedRowCount(), 2);
}

TEST(NotesWriteBack, WholeTextHiddenColumnAndDepthFormats)
{
    Fixture f;
    f.doc.NoteTable(1, NoteCol::Top) = "2.5";
    f.doc.NoteTable(1, NoteCol::Bottom) = "4";
    f.doc.NoteTable(1, NoteCol::Hidden) = "keep";
    f.doc.NoteTable(1, NoteCol::Underline) = "1";
    auto& e = f.open();
    std::string longText;
    for (int i = 0; i < 12; ++i) longText += "細砂～中砂主体、含水中位\r\n";
    f.type("0", "2.5", "");
    e.setField(N::Text, sj(longText));
    e.setUnderline(false);
    e.add();
    f.type("4.2", "", "x");
    e.add();
    // Three decimals come only from the in-cell editor and are kept.
    ASSERT_TRUE(e.doubleClick(3, N::ColTop));
    e.commitCell("4.125");
    // The live update keeps the hidden column of a clicked row.
    e.clickRow(1);
    e.setField(N::Text, sj("植物根混入\r\n"));
    e.fieldLeft(N::Text);
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(f.note(1, NoteCol::Top), "0.00");
    EXPECT_EQ(f.note(1, NoteCol::Bottom), "2.50");
    EXPECT_EQ(f.note(1, NoteCol::Text), sj(longText));
    EXPECT_EQ(f.note(1, NoteCol::Underline), "0");
    EXPECT_EQ(f.note(2, NoteCol::Top), "2.50");
    EXPECT_EQ(f.note(2, NoteCol::Bottom), "4.00");
    EXPECT_EQ(f.note(2, NoteCol::Hidden), "keep");
    EXPECT_EQ(u8(f.note(2, NoteCol::Text)), "植物根混入\r\n");
    EXPECT_EQ(f.note(3, NoteCol::Top), "4.125");
    EXPECT_EQ(f.note(3, NoteCol::Bottom), "");
    EXPECT_EQ(f.note(3, NoteCol::Underline), "1");
}

TEST(NotesInCell, OnlyTheDepthsAndTheUnderline)
{
    Fixture f;
    f.doc.NoteTable(1, NoteCol::Top) = "0.00";
    f.doc.NoteTable(1, NoteCol::Bottom) = "1.00";
    auto& e = f.open();
    EXPECT_FALSE(e.doubleClick(1, N::ColText));
    EXPECT_EQ(f.prompter.texts(),
              std::vector<std::string>{
                  sj("エディットボックス内で編集してください\nリスト表内では編集できません.")});
    ASSERT_TRUE(e.doubleClick(1, N::ColUnderline));
    e.commitCell("0");
    EXPECT_FALSE(e.underline());
    ASSERT_TRUE(e.doubleClick(1, N::ColTop));
    // Enter walks 上 m, 下 m and 下線, then column 1 of the next row.
    EXPECT_TRUE(e.cellKey(CellKey::Enter, "0.50"));
    EXPECT_EQ(e.currentColumn(), N::ColBottom);
    EXPECT_TRUE(e.cellKey(CellKey::Enter, "1.00"));
    EXPECT_EQ(e.currentColumn(), N::ColUnderline);
    EXPECT_TRUE(e.cellKey(CellKey::Enter, "0"));
    EXPECT_EQ(e.currentRow(), 2);
    EXPECT_EQ(e.currentColumn(), N::ColTop);
}

TEST(NotesPhrases, AppendedWithALineBreak)
{
    Fixture f;
    auto& e = f.open({sj("含水中位"), sj("貝殻片混入")});
    e.setField(N::Text, sj("砂\r\n"));
    e.pickPhrase(1);
    e.pickPhrase(0);
    e.pickPhrase(5); // no such phrase
    EXPECT_EQ(u8(e.field(N::Text)), "砂\r\n貝殻片混入\r\n含水中位\r\n");

    ScriptedPrompter prompter;
    EXPECT_TRUE(N::loadPhrases("/nonexistent/Kij.mst", prompter).empty());
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{sj("ファイルが見つかりません\n( /nonexistent/Kij.mst )")});
}

TEST(NotesFullWidth, ChecksTheWholeTextsOfTheList)
{
    Fixture f;
    auto& e = f.open();
    f.type("0", "1", "含水中位\r\n層厚５cm");
    e.add();
    f.prompter.clear();
    e.checkFullWidth();
    EXPECT_EQ(u8(f.prompter.texts().at(0)),
              "全角英数字が含まれています\r\n( 0.00m - 1m ) 含水中位/層厚５cm  \r\n");
}
