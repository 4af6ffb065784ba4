// The shared list-editor model: opening, add / overwrite / delete / move with their
// messages, live update, in-cell editing, write-back and cancel.

#include "app/settings.h"
#include "dialogs/listeditor.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "support/sampleeditor.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::SampleEditor;
using qc::test::sj;

namespace {

const std::string kInvalid = sj("データが無い、または不正です.");
const std::string kFull = sj("最大行数です. 追加できません.");
const std::string kDuplicate = sj("同じ 深度データがあります.\n修正なら上書きしてください.");
const std::string kNoSameDepth = sj("上書きできません、同じ 深度 がありません.");
const std::string kCancelQuestion = sj("データが変更されましたが、キャンセルしてよいのですか？");

struct Fixture
{
    explicit Fixture(int rows = 10, KeyOptions options = {}) : table(rows, 3), keys(options) {}
    TextTable table;
    ScriptedPrompter prompter;
    KeyOptions keys;
    std::unique_ptr<SampleEditor> editor;

    void row(int t, const std::string& depth, const std::string& text, const std::string& flag = "1")
    {
        table(t, 1) = depth;
        table(t, 2) = text;
        table(t, 3) = flag;
    }
    SampleEditor& open(int pageRows = 5)
    {
        editor = std::make_unique<SampleEditor>(table, prompter, keys);
        editor->setPageRows(pageRows);
        editor->open();
        editor->applyOpeningScroll();
        return *editor;
    }
    void type(const std::string& depth, const std::string& text)
    {
        editor->setField(SampleEditor::Depth, depth);
        editor->setField(SampleEditor::Text, text);
    }
};

} // namespace

TEST(ListEditorOpen, BlankTableGivesRowLimitBlankRowsWithTheFirstSelected)
{
    Fixture f;
    auto& e = f.open();
    EXPECT_EQ(e.usedRowCount(), 0);
    for (int r = 1; r <= 10; ++r) EXPECT_TRUE(e.row(r).blank()) << r;
    EXPECT_EQ(e.currentRow(), 1);
    EXPECT_EQ(e.selectedRow(), 1);
    EXPECT_EQ(e.currentColumn(), 1);
    EXPECT_FALSE(e.modified());
    EXPECT_TRUE(e.addEnabled());
}

TEST(ListEditorOpen, RowsThatAreNotInUseBecomeBlankRowsAndLoadingGoesOn)
{
    Fixture f;
    f.row(1, "1.00", "a");
    f.row(2, "", "orphan");
    f.row(3, "3.00", "c");
    auto& e = f.open();
    EXPECT_EQ(e.cell(1, 2), "a");
    EXPECT_TRUE(e.row(2).blank());
    EXPECT_EQ(e.cell(3, 2), "c");
    EXPECT_EQ(e.currentRow(), 4);
}

TEST(ListEditorOpen, ScrollToLastRowBringsTheFirstFreeRowToTheBottomOfThePage)
{
    struct Case
    {
        bool option;
        int loaded;
        int expectedTop;
    };
    for (Case c : {Case{true, 8, 5}, Case{true, 3, 1}, Case{false, 8, 1}, Case{true, 10, 6}}) {
        Fixture f(10, KeyOptions{0, c.option});
        for (int t = 1; t <= c.loaded; ++t) f.row(t, std::to_string(t) + ".00", "x");
        auto& e = f.open(5);
        EXPECT_EQ(e.topRow(), c.expectedTop) << c.option << " " << c.loaded;
        EXPECT_EQ(e.currentRow(), c.loaded < 10 ? c.loaded + 1 : 0);
    }
}

TEST(ListEditorAdd, WritesTheRowFormattedAndClearsTheFields)
{
    Fixture f;
    f.row(1, "1.00", "a");
    auto& e = f.open();
    f.type("2.5", "b");
    e.setUnderline(false);
    e.add();
    EXPECT_TRUE(f.prompter.entries().empty());
    EXPECT_EQ(e.row(2)[1], "2.50");
    EXPECT_EQ(e.row(2)[2], "b");
    EXPECT_EQ(e.row(2)[3], "0");
    EXPECT_EQ(e.field(SampleEditor::Depth), "");
    EXPECT_EQ(e.field(SampleEditor::Text), "");
    EXPECT_TRUE(e.underline);
    EXPECT_EQ(e.currentRow(), 0);
    EXPECT_EQ(e.selectedRow(), 0);
    EXPECT_TRUE(e.modified());
    EXPECT_EQ(e.takeFocusRequest(), (FocusRequest{FocusRequest::Field, SampleEditor::Depth}));
}

TEST(ListEditorAdd, ADepthAfterAFullWidthBlankIsThatDepth)
{
    Fixture f;
    f.row(1, "1.00", "a");
    f.row(2, sj("　4.00"), "typed after an IME blank");
    auto& e = f.open();
    f.type(sj("　2.5"), "b");
    e.add();
    EXPECT_TRUE(f.prompter.entries().empty());
    EXPECT_EQ(e.row(3)[1], "2.50");
    f.type(sj("　4"), "same depth");
    e.add();
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kDuplicate});
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(f.table(1, 1), "1.00");
    EXPECT_EQ(f.table(2, 1), "2.50");
    EXPECT_EQ(f.table(3, 1), "4.00");
    EXPECT_EQ(f.table(3, 2), "typed after an IME blank");
}

TEST(ListEditorAdd, RefusalsShowTheirMessageAndLeaveTheListUnchanged)
{
    struct Case
    {
        const char* name;
        int loaded;
        std::string depth, text;
        std::string message;
    };
    const Case cases[] = {
        {"full", 10, "20", "x", kFull},
        {"same depth 1.5 vs 1.50", 3, "1.5", "x", kDuplicate},
        {"within 0.000001", 3, "2.0000001", "x", kDuplicate},
        {"all empty", 3, "", "", kInvalid},
        {"depth not a number", 3, "abc", "x", kInvalid},
        {"depth out of range", 3, "3000.01", "x", sj("数値が異常です")},
    };
    for (const Case& c : cases) {
        Fixture f;
        for (int t = 1; t <= c.loaded; ++t) f.row(t, (t == 1 ? "1.50" : std::to_string(t) + ".00"), "r");
        auto& e = f.open();
        std::vector<ListRow> before;
        for (int r = 1; r <= 10; ++r) before.push_back(e.row(r));
        f.type(c.depth, c.text);
        e.add();
        ASSERT_EQ(f.prompter.texts(), std::vector<std::string>{c.message}) << c.name;
        for (int r = 1; r <= 10; ++r) EXPECT_EQ(e.row(r), before[static_cast<size_t>(r - 1)]) << c.name;
        EXPECT_TRUE(e.modified()) << c.name; // any press of Add
        EXPECT_EQ(e.field(SampleEditor::Depth), c.depth) << c.name;
    }
}

TEST(ListEditorAdd, DepthLimitsAreInclusive)
{
    for (const char* depth : {"-1", "3000"}) {
        Fixture f;
        auto& e = f.open();
        f.type(depth, "x");
        e.add();
        EXPECT_TRUE(f.prompter.entries().empty()) << depth;
        EXPECT_EQ(e.usedRowCount(), 1) << depth;
    }
}

TEST(ListEditorAdd, ScrollsTheNewRowIntoViewAsTheLastVisibleRow)
{
    Fixture f(20);
    for (int t = 1; t <= 9; ++t) f.row(t, std::to_string(t), "x");
    auto& e = f.open(5);
    EXPECT_EQ(e.topRow(), 1);
    f.type("10", "y");
    e.add();
    EXPECT_EQ(e.topRow(), 6);
}

TEST(ListEditorOverwrite, ReplacesTheRowOfTheSameDepthWhicheverRowIsCurrent)
{
    Fixture f;
    f.row(1, "1.00", "a");
    f.row(2, "2.00", "b");
    f.row(3, "3.00", "c");
    auto& e = f.open();
    e.clickRow(3);
    EXPECT_FALSE(e.addEnabled());
    f.type("2", "new");
    e.overwrite();
    EXPECT_TRUE(f.prompter.entries().empty());
    EXPECT_EQ(e.row(2)[1], "2.00");
    EXPECT_EQ(e.row(2)[2], "new");
    EXPECT_EQ(e.row(3)[2], "c");
    EXPECT_EQ(e.currentRow(), 0);
    EXPECT_EQ(e.selectedRow(), 0);
    EXPECT_TRUE(e.addEnabled());
    EXPECT_EQ(e.field(SampleEditor::Text), "");
    EXPECT_TRUE(e.modified());
}

TEST(ListEditorOverwrite, RefusalsChangeNoRow)
{
    {
        Fixture f;
        f.row(1, "1.00", "a");
        auto& e = f.open();
        f.type("5", "x");
        e.overwrite();
        EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kNoSameDepth});
        EXPECT_EQ(e.row(1)[2], "a");
        EXPECT_EQ(e.usedRowCount(), 1);
        EXPECT_FALSE(e.modified());
        EXPECT_EQ(e.field(SampleEditor::Text), "x"); // kept for a retry
        EXPECT_TRUE(e.addEnabled());
    }
    {
        Fixture f;
        auto& e = f.open();
        f.type("5", "x");
        e.overwrite();
        EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{sj("上書きできません.")});
        EXPECT_EQ(e.usedRowCount(), 0);
    }
}

TEST(ListEditorDelete, RemovingTheOnlyRowLeavesRowLimitBlankRowsAndAddEnabled)
{
    Fixture f;
    f.row(1, "1.00", "a");
    auto& e = f.open();
    e.clickRow(1);
    EXPECT_FALSE(e.addEnabled());
    e.deleteRow();
    EXPECT_EQ(e.usedRowCount(), 0);
    for (int r = 1; r <= 10; ++r) EXPECT_TRUE(e.row(r).blank());
    EXPECT_TRUE(e.addEnabled());
    EXPECT_EQ(e.currentRow(), 0);
    EXPECT_EQ(e.field(SampleEditor::Depth), "");
    EXPECT_TRUE(e.modified());
    EXPECT_TRUE(f.prompter.entries().empty());
}

TEST(ListEditorDelete, RemovesTheSelectedRowAndPullsTheRestUp)
{
    Fixture f;
    f.row(1, "1.00", "a");
    f.row(2, "2.00", "b");
    f.row(3, "3.00", "c");
    auto& e = f.open();
    e.clickRow(2);
    e.deleteRow();
    EXPECT_EQ(e.row(1)[2], "a");
    EXPECT_EQ(e.row(2)[2], "c");
    EXPECT_TRUE(e.row(3).blank());
}

TEST(ListEditorMove, ExchangesWithTheNeighbourAndKeepsTheFieldsOnTheirRow)
{
    Fixture f;
    f.row(1, "1.00", "a");
    f.row(2, "2.00", "b");
    f.row(3, "3.00", "c");
    auto& e = f.open();
    e.clickRow(1);
    EXPECT_FALSE(e.canMoveUp());
    e.moveUp();
    EXPECT_EQ(e.row(1)[2], "a");
    e.moveDown();
    EXPECT_EQ(e.row(1)[2], "b");
    EXPECT_EQ(e.row(2)[2], "a");
    EXPECT_EQ(e.selectedRow(), 2);
    EXPECT_EQ(e.currentRow(), 2);
    EXPECT_TRUE(e.modified());
    // The fields still belong to row "a": the live update writes there.
    e.setField(SampleEditor::Text, "a2");
    e.fieldLeft(SampleEditor::Text);
    EXPECT_EQ(e.row(2)[2], "a2");
    EXPECT_EQ(e.row(1)[2], "b");
    e.clickRow(3);
    EXPECT_FALSE(e.canMoveDown()); // the last used row
    e.clickRow(2);
    e.moveUp();
    EXPECT_EQ(e.row(1)[2], "a2");
}

TEST(ListEditorLiveUpdate, WritesTheFieldsIntoTheClickedRowUnlessTheDepthChanged)
{
    Fixture f;
    f.row(1, "1.00", "a");
    f.row(2, "2.00", "b");
    auto& e = f.open();
    e.clickRow(2);
    EXPECT_EQ(e.field(SampleEditor::Text), "b");
    e.setField(SampleEditor::Text, "b2");
    e.fieldLeft(SampleEditor::Text);
    EXPECT_EQ(e.row(2)[2], "b2");
    e.setUnderline(false);
    EXPECT_EQ(e.row(2)[3], "0");

    e.setField(SampleEditor::Depth, "7");
    e.setField(SampleEditor::Text, "moved");
    e.fieldLeft(SampleEditor::Depth);
    EXPECT_EQ(e.row(2)[1], "2.00");
    EXPECT_EQ(e.row(2)[2], "b2");
    EXPECT_FALSE(e.addEnabled());
    EXPECT_TRUE(f.prompter.entries().empty()); // silent validation
}

TEST(ListEditorLiveUpdate, TheRowSelectedOnOpeningIsNotLoadedSoTypingThenAddWorks)
{
    Fixture f;
    f.row(1, "1.00", "a");
    auto& e = f.open();
    EXPECT_EQ(e.currentRow(), 2);
    f.type("2", "b");
    e.fieldLeft(SampleEditor::Depth);
    e.fieldLeft(SampleEditor::Text);
    EXPECT_TRUE(e.row(2).blank());
    EXPECT_TRUE(e.addEnabled());
    e.add();
    EXPECT_TRUE(f.prompter.entries().empty());
    EXPECT_EQ(e.row(2)[2], "b");
}

TEST(ListEditorLiveUpdate, AClickedBlankRowTakesTheFieldsAndResetsTheOptions)
{
    Fixture f;
    f.row(1, "1.00", "a", "0");
    auto& e = f.open();
    e.clickRow(1);
    EXPECT_FALSE(e.underline);
    e.clickRow(4);
    EXPECT_TRUE(e.underline);
    EXPECT_EQ(e.field(SampleEditor::Text), "");
    f.type("4", "d");
    e.fieldLeft(SampleEditor::Text);
    EXPECT_EQ(e.row(4)[1], "4");
    EXPECT_EQ(e.row(4)[2], "d");
}

TEST(ListEditorKeys, DownArrowInTheListDropsTheCurrentRow)
{
    Fixture f;
    f.row(1, "1.00", "a", "0");
    auto& e = f.open();
    e.clickRow(1);
    e.listDownArrow();
    EXPECT_EQ(e.currentRow(), 0);
    EXPECT_EQ(e.field(SampleEditor::Depth), "");
    EXPECT_TRUE(e.underline);
    EXPECT_TRUE(e.addEnabled());
    e.setField(SampleEditor::Text, "z");
    e.liveUpdate();
    EXPECT_EQ(e.row(1)[2], "a");
}

TEST(ListEditorKeys, EnterKeyModes)
{
    ScriptedPrompter p;
    TextTable t(5, 3);
    const std::pair<int, EnterAction> cases[] = {
        {0, EnterAction::PressOk}, {1, EnterAction::NextControl}, {2, EnterAction::Swallow}};
    for (auto [mode, action] : cases) EXPECT_EQ(SampleEditor(t, p, {mode, false}).enterKeyAction(), action);
}

TEST(ListEditorWriteBack, SortsByDepthAndReportsDuplicates)
{
    Fixture f;
    f.row(1, "2.00", "first two");
    f.row(2, "2.00", "second two");
    f.row(3, "1.00", "one");
    f.row(4, "9.00", "stale");
    auto& e = f.open();
    e.clickRow(4);
    e.deleteRow();
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(f.table(1, 1), "1.00");
    EXPECT_EQ(f.table(2, 2), "first two");
    EXPECT_EQ(f.table(3, 2), "second two");
    EXPECT_EQ(f.table(4, 1), "");
    EXPECT_EQ(f.table(4, 2), "");
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{sj("同じ深度があります") + "\r\n 2.00 m \r\n"});
}

TEST(ListEditorWriteBack, DepthFormatsAndDroppedRows)
{
    Fixture f;
    auto& e = f.open();
    // Rows as in-cell editing can leave them.
    const char* depths[] = {"5", "5.5", "5.125", "0", "0.0"};
    int r = 1;
    for (const char* d : depths) {
        e.doubleClick(r, 1);
        e.commitCell(d);
        ++r;
    }
    e.doubleClick(r, 2);
    e.commitCell("no depth");
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(f.table(1, 1), "0.00");
    EXPECT_EQ(f.table(2, 1), "0.00");
    EXPECT_EQ(f.table(3, 1), "5.00");
    EXPECT_EQ(f.table(4, 1), "5.125");
    EXPECT_EQ(f.table(5, 1), "5.50");
    EXPECT_EQ(f.table(6, 1), "");
    EXPECT_EQ(f.table(6, 2), "");
    // Depth 0 twice is not a duplicate.
    EXPECT_TRUE(f.prompter.entries().empty());
}

TEST(ListEditorWriteBack, TheMessageTakesTheFirstSixDuplicatesOnly)
{
    Fixture f(20);
    for (int t = 1; t <= 9; ++t) f.row(t, t % 2 ? "3.00" : "4.00", "x");
    auto& e = f.open();
    ASSERT_TRUE(e.accept());
    ASSERT_EQ(f.prompter.texts().size(), 1u);
    const std::string text = f.prompter.texts()[0];
    std::string expected = sj("同じ深度があります") + "\r\n";
    // 3.00 x5 gives 4+3+2+1 duplicates, the first six of the whole write-back are shown.
    for (int i = 0; i < 6; ++i) expected += " 3.00 m \r\n";
    EXPECT_EQ(text, expected);
    for (int t = 1; t <= 9; ++t) EXPECT_EQ(f.table(t, 1), t <= 5 ? "3.00" : "4.00");
}

TEST(ListEditorWriteBack, DuplicateReportStopsAddingPast299Bytes)
{
    DuplicateReport report("head");
    std::string entry(100, 'x');
    for (int i = 0; i < 5; ++i) report.add(entry);
    EXPECT_EQ(report.found(), 5);
    EXPECT_EQ(report.text(), "head\r\n" + entry + entry + entry); // 306 bytes after the third
}

TEST(ListEditorCancel, AsksOnlyWhenModifiedWithUsedRows)
{
    {
        Fixture f;
        f.row(1, "1.00", "a");
        auto& e = f.open();
        EXPECT_TRUE(e.cancel());
        EXPECT_TRUE(f.prompter.entries().empty());
    }
    {
        Fixture f;
        auto& e = f.open();
        f.type("1", "a");
        e.add();
        f.prompter.queueAnswer(Answer::No);
        EXPECT_FALSE(e.cancel());
        f.prompter.queueAnswer(Answer::Yes);
        EXPECT_TRUE(e.cancel());
        EXPECT_EQ(f.prompter.texts(), (std::vector<std::string>{kCancelQuestion, kCancelQuestion}));
        EXPECT_EQ(f.table(1, 1), "");
    }
    {
        // Modified, but nothing left in the list.
        Fixture f;
        f.row(1, "1.00", "a");
        auto& e = f.open();
        e.clickRow(1);
        e.deleteRow();
        EXPECT_TRUE(e.cancel());
        EXPECT_TRUE(f.prompter.entries().empty());
    }
}

TEST(ListEditorInCell, EditorPlacementOverTheCell)
{
    struct Case
    {
        int left, width, listWidth;
        bool fill;
        std::optional<EditorSpan> expected;
    };
    const Case cases[] = {
        {0, 60, 400, true, EditorSpan{3, 60}},      {300, 150, 400, false, EditorSpan{303, 94}}, // 400 - 3
        {300, 150, 400, true, EditorSpan{303, 74}}, // scroll bar room
        {369, 60, 400, true, EditorSpan{372, 5}},   // just wide enough
        {370, 60, 400, true, std::nullopt},         // 4 px: nothing opens
        {383, 60, 400, false, EditorSpan{386, 11}}, {390, 60, 400, false, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placeCellEditor(c.left, c.width, c.listWidth, c.fill), c.expected) << c.left;
}

TEST(ListEditorInCell, EnterWalksTheStopColumnsAndContinuesOnTheNextRow)
{
    Fixture f;
    f.row(1, "1.00", "a", "0");
    f.row(2, "2.00", "b");
    auto& e = f.open(5);
    ASSERT_TRUE(e.doubleClick(1, 1));
    EXPECT_EQ(e.editorInitialText(), "1.00");
    EXPECT_TRUE(e.modified());
    EXPECT_TRUE(e.pointerHidden());
    EXPECT_EQ(e.selectedRow(), 0);
    EXPECT_FALSE(e.underline); // the fields follow the edited row
    EXPECT_EQ(e.takeFocusRequest().kind, FocusRequest::Editor);

    ASSERT_TRUE(e.cellKey(CellKey::Enter, "1.50"));
    EXPECT_EQ(e.cell(1, 1), "1.50");
    EXPECT_EQ(e.field(SampleEditor::Depth), "1.50");
    EXPECT_EQ(e.currentColumn(), 2);
    EXPECT_EQ(e.editorSpan(), (EditorSpan{63, 150}));

    // Column 3 is skipped: the row is finished and the walk goes on below.
    ASSERT_TRUE(e.cellKey(CellKey::Enter, "a2"));
    EXPECT_EQ(e.cell(1, 2), "a2");
    EXPECT_EQ(e.cell(1, 3), "0"); // the live update kept the row's option
    EXPECT_EQ(e.currentRow(), 2);
    EXPECT_EQ(e.currentColumn(), 1);
    EXPECT_EQ(e.editorInitialText(), "2.00");
    EXPECT_EQ(e.field(SampleEditor::Text), "b");
    EXPECT_TRUE(e.underline);
}

TEST(ListEditorInCell, UpDownTabEscapeAndTheLastRow)
{
    Fixture f(3);
    f.row(1, "1.00", "a");
    auto& e = f.open(5);
    ASSERT_TRUE(e.doubleClick(1, 2));
    ASSERT_TRUE(e.cellKey(CellKey::Up, "a"));
    EXPECT_EQ(e.currentRow(), 1);
    ASSERT_TRUE(e.cellKey(CellKey::Down, "a"));
    ASSERT_TRUE(e.cellKey(CellKey::Down, ""));
    EXPECT_EQ(e.cell(2, 2), "");
    EXPECT_EQ(e.cell(3, 2), "");
    ASSERT_TRUE(e.cellKey(CellKey::Down, "third"));
    EXPECT_EQ(e.currentRow(), 3);
    EXPECT_EQ(e.cell(3, 2), "third");
    // Enter at the end of the last row stays there.
    ASSERT_TRUE(e.cellKey(CellKey::Enter, "third"));
    EXPECT_EQ(e.currentRow(), 3);
    EXPECT_EQ(e.currentColumn(), 2);

    EXPECT_FALSE(e.cellKey(CellKey::Tab, "tabbed"));
    EXPECT_FALSE(e.inCellEditing());
    EXPECT_FALSE(e.pointerHidden());
    EXPECT_EQ(e.cell(3, 2), "tabbed");
    EXPECT_EQ(e.field(SampleEditor::Text), "tabbed");
    EXPECT_EQ(e.takeFocusRequest().kind, FocusRequest::List);

    ASSERT_TRUE(e.doubleClick(2, 3));
    EXPECT_FALSE(e.cellKey(CellKey::Escape, "0"));
    EXPECT_EQ(e.cell(2, 3), "0");
    EXPECT_FALSE(e.underline); // the option column went to its control
}

TEST(ListEditorInCell, ScrollsOneRowAtThePageEdgesAndStaysClosedFurtherOut)
{
    Fixture f(20);
    auto& e = f.open(5);
    e.scrollTo(5); // rows 5 to 9 visible
    EXPECT_FALSE(e.doubleClick(11, 1));
    EXPECT_FALSE(e.doubleClick(3, 1));
    EXPECT_EQ(e.topRow(), 5);
    ASSERT_TRUE(e.doubleClick(9, 1));
    ASSERT_TRUE(e.cellKey(CellKey::Down, ""));
    EXPECT_EQ(e.currentRow(), 10);
    EXPECT_EQ(e.topRow(), 6);
    ASSERT_TRUE(e.doubleClick(6, 2));
    ASSERT_TRUE(e.cellKey(CellKey::Up, ""));
    EXPECT_EQ(e.topRow(), 5);
    // The list was scrolled away from the editor: the target is far off the page.
    e.scrollTo(12);
    EXPECT_FALSE(e.cellKey(CellKey::Down, "kept"));
    EXPECT_FALSE(e.inCellEditing());
    EXPECT_EQ(e.cell(5, 2), "kept");
}

TEST(ListEditorInCell, OkWhileEditingOnlyEndsTheEdit)
{
    Fixture f;
    auto& e = f.open();
    ASSERT_TRUE(e.doubleClick(1, 1));
    EXPECT_FALSE(e.accept());
    EXPECT_FALSE(e.inCellEditing());
    EXPECT_EQ(f.table(1, 1), "");
    EXPECT_TRUE(e.accept());
}

TEST(ListEditorInCell, PointerTracking)
{
    Fixture f(20);
    auto& e = f.open(5);
    ASSERT_TRUE(e.doubleClick(2, 2));
    e.pointerMoved(PointerArea::Editor, "t");
    EXPECT_TRUE(e.pointerHidden());
    e.pointerMoved(PointerArea::Dialog, "t");
    EXPECT_FALSE(e.pointerHidden());
    e.editorTyped();
    EXPECT_TRUE(e.pointerHidden());
    e.pointerMoved(PointerArea::List, "t");
    EXPECT_TRUE(e.inCellEditing()); // not scrolled
    EXPECT_FALSE(e.pointerHidden());
    e.scrollTo(3);
    e.pointerMoved(PointerArea::List, "scrolled");
    EXPECT_FALSE(e.inCellEditing());
    EXPECT_EQ(e.cell(2, 2), "scrolled");

    ASSERT_TRUE(e.doubleClick(4, 2));
    e.pointerMoved(PointerArea::Outside, "left");
    EXPECT_FALSE(e.inCellEditing());
    EXPECT_EQ(e.cell(4, 2), "left");
}

TEST(ListEditorInCell, NarrowCellsDoNotOpenAndClicksBelowTheRowsClearTheFields)
{
    Fixture f;
    f.row(1, "1.00", "a");
    auto& e = f.open();
    e.setListWidth(80);
    EXPECT_FALSE(e.doubleClick(1, 3)); // left 210: beyond the list
    e.clickRow(1);
    EXPECT_EQ(e.field(SampleEditor::Text), "a");
    EXPECT_FALSE(e.doubleClick(0, 1));
    EXPECT_EQ(e.field(SampleEditor::Text), "");
}

TEST(ListEditorInCell, AClickOutsideTheRowsReselectsTheEditedRow)
{
    Fixture f;
    auto& e = f.open();
    ASSERT_TRUE(e.doubleClick(2, 1));
    e.commitCell("2");
    EXPECT_EQ(e.selectedRow(), 0);
    e.clickRow(0);
    EXPECT_EQ(e.selectedRow(), 2);
    e.clickRow(0);
    EXPECT_EQ(e.selectedRow(), 2);
}

TEST(ListEditorDepth, EqualityAndFormats)
{
    EXPECT_TRUE(depthsEqual("1.5", "1.50"));
    EXPECT_TRUE(depthsEqual(" 2", "2.0000009"));
    EXPECT_FALSE(depthsEqual("2", "2.000001"));
    EXPECT_EQ(formatDepth("2.5"), "2.50");
    EXPECT_EQ(formatDepth("2.5", DepthFormat::Signed2), "+2.50");
    EXPECT_EQ(formatDepth("-2.5", DepthFormat::Signed2), "-2.50");
    EXPECT_EQ(writeBackDepth("-2.505", DepthFormat::Signed2), "-2.505");
    EXPECT_EQ(writeBackDepth("-2.5", DepthFormat::Signed2), "-2.50");
    EXPECT_EQ(writeBackDepth("7.1x"), "7.10");
}

TEST(ListEditorKeys, KeyOptionsComeFromTheSettings)
{
    Settings s;
    s.setInt(31, 2);
    s.setInt(32, 1);
    KeyOptions k = keyOptionsFrom(s);
    EXPECT_EQ(k.enterKeyMode, 2);
    EXPECT_TRUE(k.scrollToLastRow);
    s.setInt(32, 0);
    EXPECT_FALSE(keyOptionsFrom(s).scrollToLastRow);
}

namespace {

// A list kept in the user's order with signed levels, as the water-level dialog keeps it.
class OrderedEditor : public SampleEditor
{
public:
    // Same columns; only the depth format and the write-back differ.
    OrderedEditor(TextTable& table, Prompter& p)
        : SampleEditor(orderedConfig(table.rows()), table, p), m_out(table)
    {
    }
    static Config orderedConfig(int rows)
    {
        Config c = sampleConfig(rows);
        c.depthFormat = DepthFormat::Signed2;
        return c;
    }

protected:
    void writeBack() override
    {
        DuplicateReport report(sj("同じ深度があります"));
        std::vector<ListRow> rows = takeUsedRows();
        int t = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            for (size_t j = 0; j < i; ++j)
                if (rows[i][1] == rows[j][1]) report.add(rows[i][1] + "\r\n");
            ++t;
            m_out(t, 1) = writeBackDepth(rows[i][1], DepthFormat::Signed2);
            m_out(t, 2) = rows[i][2];
        }
        for (++t; t <= m_out.rows(); ++t) m_out(t, 1).clear(), m_out(t, 2).clear();
        if (report.any()) message(report.text());
    }

private:
    TextTable& m_out;
};

} // namespace

TEST(ListEditorWriteBack, ADialogMayWriteInListOrderInstead)
{
    TextTable table(5, 3);
    table(1, 1) = "-3.00";
    table(2, 1) = "-1.00";
    table(3, 1) = "-3.00";
    table(4, 1) = "-0.5";
    ScriptedPrompter p;
    OrderedEditor e(table, p);
    e.open();
    e.setField(SampleEditor::Depth, "-0.25");
    e.add();
    EXPECT_EQ(e.cell(5, 1), "-0.25");
    e.setField(SampleEditor::Depth, "0.25");
    e.add(); // +0.25 is not -0.25
    EXPECT_EQ(p.texts(), std::vector<std::string>{sj("最大行数です. 追加できません.")});
    p.clear();
    e.clickRow(4);
    e.moveUp();
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(table(1, 1), "-3.00");
    EXPECT_EQ(table(2, 1), "-1.00");
    EXPECT_EQ(table(3, 1), "-0.50");
    EXPECT_EQ(table(4, 1), "-3.00");
    EXPECT_EQ(table(5, 1), "-0.25");
    EXPECT_EQ(p.texts(), std::vector<std::string>{sj("同じ深度があります") + "\r\n-3.00\r\n"});
}
