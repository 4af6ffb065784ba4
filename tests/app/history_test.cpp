// Undo history: exact restoring of the tables, the modified flag along the
// history, and the bound on steps and memory.

#include "app/history.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "document/textformat.h"
#include "platform/files.h"
#include "support/samplelog.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <functional>

using namespace qc;
using qc::test::dataPath;
using qc::test::sampleLog;
using qc::test::savedBytes;
using qc::test::sj;

namespace {

// Runs edit as one command of the history.
bool edit(History& h, Document& doc, const std::function<void(Document&)>& change,
          const std::string& name = "x")
{
    const TableSnapshot before = takeSnapshot(doc);
    change(doc);
    return h.record(name, before, takeSnapshot(doc));
}

} // namespace

TEST(History, EditsUndoneAndRedoneRestoreTheSavedFileByteForByte)
{
    Document doc = sampleLog();
    History h;
    const std::vector<std::function<void(Document&)>> edits = {
        [](Document& d) { d.HeaderTable(HeaderEntry::SurveyName) = sj("第２期 土壌調査"); },
        [](Document& d) { // a layer inserted in the middle shifts every row below it
            for (int r = geologyRowCount(d); r >= 3; --r)
                for (int c = 1; c <= GeologyCol::Stored; ++c) d.GeologyTable(r + 1, c) = d.GeologyTable(r, c);
            d.GeologyTable(3, GeologyCol::Depth) = "2.40";
            d.GeologyTable(3, GeologyCol::Name) = sj("表土");
        },
        [](Document& d) { d.SampleTable(2, SampleCol::test(1)) = "<0.001"; },
        [](Document& d) { // all notes deleted
            for (int r = 1; r <= limits::Note; ++r)
                for (int c = 1; c <= 5; ++c) d.NoteTable(r, c).clear();
        },
        [](Document& d) {
            d.GraphFormatTable(2, GraphRow::Title1, TitleField::Text) = sj("溶出量");
            d.TestNameTable(5, TestCol::Name) = sj("六価クロム");
            d.CasingTable(1, CasingCol::PipeKind) = sj("VP50 ストレーナ");
        },
        [](Document& d) { d.HeaderTable(HeaderEntry::SurveyName) = sj("第３期"); },
    };
    std::vector<std::string> files{savedBytes(doc)};
    for (const auto& e : edits) {
        ASSERT_TRUE(edit(h, doc, e));
        files.push_back(savedBytes(doc));
    }
    ASSERT_EQ(h.size(), edits.size());
    for (size_t i = edits.size(); i > 0; --i) {
        ASSERT_TRUE(h.undo(doc));
        EXPECT_EQ(savedBytes(doc), files[i - 1]) << "after undoing step " << i;
    }
    EXPECT_FALSE(h.undo(doc));
    for (size_t i = 1; i <= edits.size(); ++i) {
        ASSERT_TRUE(h.redo(doc));
        EXPECT_EQ(savedBytes(doc), files[i]) << "after redoing step " << i;
    }
    EXPECT_FALSE(h.redo(doc));
    // Halfway back and forth again lands on the same bytes.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(h.undo(doc));
    EXPECT_EQ(savedBytes(doc), files[3]);
    ASSERT_TRUE(h.redo(doc));
    EXPECT_EQ(savedBytes(doc), files[4]);
}

TEST(History, RestoresEveryDataCellAndLeavesDerivedCellsAlone)
{
    Document doc = sampleLog();
    const Document original = doc;
    History h;
    ASSERT_TRUE(edit(h, doc, [](Document& d) {
        d.SpareIntervalTable(1, 1) = "1.00"; // carried by the file, shown nowhere
        d.SampleTable(3, SampleCol::Scratch) = "2.5";
        d.HeaderTable(90) = "x"; // past the entries the file carries
        d.WaterLevelTable(1, WaterCol::Level).clear();
    }));
    // Derived and scratch cells outside the data are not what a step takes back.
    doc.GeologyTable(1, GeologyCol::VectorName) = "999.0";
    doc.TestNameTable(1, 0) = "1";
    ASSERT_TRUE(h.undo(doc));
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::VectorName), "999.0");
    doc.GeologyTable(1, GeologyCol::VectorName) = original.GeologyTable(1, GeologyCol::VectorName);
    doc.TestNameTable(1, 0) = original.TestNameTable(1, 0);
    EXPECT_TRUE(doc.SpareIntervalTable == original.SpareIntervalTable);
    EXPECT_TRUE(doc.SampleTable == original.SampleTable);
    EXPECT_TRUE(doc.HeaderTable == original.HeaderTable);
    EXPECT_TRUE(doc.WaterLevelTable == original.WaterLevelTable);
    EXPECT_TRUE(doc.GeologyTable == original.GeologyTable);
    EXPECT_TRUE(doc.TestNameTable == original.TestNameTable);
}

TEST(History, NoStepWhenNothingChanged)
{
    Document doc = sampleLog();
    History h;
    EXPECT_FALSE(edit(h, doc, [](Document&) {}));
    // Writing a cell with the text it already holds is no change either.
    EXPECT_FALSE(edit(h, doc, [](Document& d) { d.HeaderTable(1) = std::string(d.HeaderTable(1)); }));
    // Derived columns are recomputed, never a user's change.
    EXPECT_FALSE(edit(h, doc, [](Document& d) { d.GeologyTable(2, GeologyCol::Composed) = "x"; }));
    EXPECT_EQ(h.size(), 0u);
    EXPECT_FALSE(h.canUndo());
    EXPECT_FALSE(h.modified());
}

// The flag follows the position: back at the saved state the document is unmodified,
// and a saved state that can no longer be reached leaves it modified for good.
TEST(History, ModifiedFlagFollowsThePosition)
{
    Document doc;
    History h;
    int n = 0;
    auto change = [&] { return edit(h, doc, [&](Document& d) { d.HeaderTable(1) = std::to_string(++n); }); };
    const struct
    {
        const char* what;
        std::function<void()> op;
        bool modified;
    } steps[] = {
        {"fresh", [] {}, false},
        {"edit 1", [&] { change(); }, true},
        {"edit 2", [&] { change(); }, true},
        {"undo to 1", [&] { h.undo(doc); }, true},
        {"undo to the opened state", [&] { h.undo(doc); }, false},
        {"redo to 1", [&] { h.redo(doc); }, true},
        {"save at 1", [&] { h.markSaved(); }, false},
        {"redo to 2", [&] { h.redo(doc); }, true},
        {"undo to the saved 1", [&] { h.undo(doc); }, false},
        {"undo before the save", [&] { h.undo(doc); }, true},
        {"a new edit drops the saved state's branch", [&] { change(); }, true},
        {"undo to the start", [&] { h.undo(doc); }, true}, // the start was not saved since
        {"redo", [&] { h.redo(doc); }, true},
        {"save", [&] { h.markSaved(); }, false},
        {"reset as opened", [&] { h.reset(); }, false},
        {"reset as recovered", [&] { h.reset(false); }, true},
    };
    for (const auto& s : steps) {
        s.op();
        EXPECT_EQ(h.modified(), s.modified) << s.what;
    }
}

TEST(History, NamesOfTheStepsToUndoAndRedo)
{
    Document doc;
    History h;
    edit(
        h, doc, [](Document& d) { d.HeaderTable(1) = "a"; }, "見出し");
    edit(
        h, doc, [](Document& d) { d.GeologyTable(1, 1) = "1.00"; }, "地質 色調");
    EXPECT_EQ(h.undoName(), "地質 色調");
    EXPECT_EQ(h.redoName(), "");
    h.undo(doc);
    EXPECT_EQ(h.undoName(), "見出し");
    EXPECT_EQ(h.redoName(), "地質 色調");
    h.undo(doc);
    EXPECT_EQ(h.undoName(), "");
}

TEST(History, KeepsAtMostTheStepBound)
{
    Document doc;
    History h;
    for (size_t i = 0; i < History::kMaxSteps + 50; ++i)
        ASSERT_TRUE(edit(h, doc, [&](Document& d) { d.HeaderTable(1) = std::to_string(i); }));
    EXPECT_EQ(h.size(), History::kMaxSteps);
    EXPECT_EQ(h.position(), History::kMaxSteps);
    EXPECT_TRUE(h.modified());
    // Undoing every kept step ends at a state newer than the opened one: still modified,
    // and the value is the one before the oldest kept step.
    while (h.undo(doc)) {
    }
    EXPECT_EQ(doc.HeaderTable(1), std::to_string(49));
    EXPECT_TRUE(h.modified());
}

// A maximal log (every table full, about 130 KB) changed everywhere at each step:
// more than 100 such steps stay within the memory bound.
TEST(History, KeepsAHundredStepsOfAMaximalLogWithinTheMemoryBound)
{
    Document doc;
    for (int r = 1; r <= limits::Sample; ++r)
        for (int c = 1; c <= 56; ++c) doc.SampleTable(r, c) = strprintf("%d.%06d", r, c);
    for (int r = 1; r <= limits::Geology; ++r)
        for (int c = 1; c <= GeologyCol::Stored; ++c) doc.GeologyTable(r, c) = strprintf("%d.00", r);
    for (int r = 1; r <= limits::Note; ++r) {
        doc.NoteTable(r, NoteCol::Top) = strprintf("%d.00", r);
        doc.NoteTable(r, NoteCol::Text) = std::string(400, 'n');
    }
    EXPECT_GT(savedBytes(doc).size(), 130000u);
    History h;
    const int steps = 120;
    for (int i = 0; i < steps; ++i)
        ASSERT_TRUE(edit(h, doc, [&](Document& d) {
            d.SampleTable(1, 1) = std::to_string(i);
            d.GeologyTable(1, 2) = std::to_string(i);
            d.NoteTable(1, NoteCol::Text) = std::to_string(i);
        }));
    EXPECT_EQ(h.size(), static_cast<size_t>(steps));
    EXPECT_LE(h.bytes(), History::kMaxBytes);
    EXPECT_GT(h.bytes(), 0u);
}

// Steps of 400 KB, more than a maximal log: the oldest go once the bytes pass the bound.
TEST(History, DropsTheOldestStepsPastTheMemoryBound)
{
    Document doc;
    History h;
    const std::string big(200 * 1024, 'x');
    for (int i = 0; i < 260; ++i)
        ASSERT_TRUE(
            edit(h, doc, [&](Document& d) { d.NoteTable(1, NoteCol::Text) = big + std::to_string(i); }));
    EXPECT_LE(h.bytes(), History::kMaxBytes);
    EXPECT_GE(h.size(), History::kMinSteps);
    EXPECT_LT(h.size(), 170u);
    ASSERT_TRUE(h.undo(doc));
    EXPECT_EQ(doc.NoteTable(1, NoteCol::Text), big + "258");
}

TEST(History, CommandMenuNames)
{
    const std::pair<const char*, const char*> cases[] = {
        {"地質 色調(&T)", "地質 色調"},     {"見出し (&M)", "見出し"},        {"開く(&O)...", "開く"},
        {"グラフ1書式(&1)", "グラフ1書式"}, {"前のページへ", "前のページへ"},
    };
    for (const auto& [text, name] : cases) EXPECT_EQ(commandMenuName(text), name) << text;
}
