// The graph format model: the graph number, the test names of the slots, the
// log grid limits and field checks, the multiplier check, both "自動"
// buttons, reading another document's format and the write-back.

#include "dialogs/graphformateditor.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/filechooser.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/answerchooser.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::AnswerChooser;
using qc::test::sj;
using qc::test::TempDir;

namespace {

constexpr int G = GraphRow::Grid;

struct Fixture
{
    TempDir dir;
    Document doc;
    ScriptedPrompter prompter;

    Fixture()
    {
        doc.TestNameTable(1, 1) = sj("カドミウム");
        doc.TestNameTable(2, 1) = sj("鉛");
        doc.DisplayItemTable(DisplayRow::graph(5), DisplayCol::GridWidth) = "18.5";
        auto& t = doc.GraphFormatTable;
        t(5, GraphRow::slot(1), SlotField::Test) = "2";
        t(5, GraphRow::slot(1), SlotField::Name) = "stale";
        t(5, GraphRow::slot(2), SlotField::Test) = "x";
        t(5, GraphRow::slot(2), SlotField::Name) = "stale";
        t(5, G, GridField::Kind) = "7";
        t(5, G, GridField::LogFrom) = "1";
        t(5, G, GridField::LogTo) = "100";
    }
    GraphFormatEditor editor(const char* graph = "5")
    {
        GraphFormatEditor e(doc, graph, prompter, dir.file("FilekS.ndx"));
        e.open();
        return e;
    }
};

} // namespace

TEST(GraphFormatEditor, GraphNumberAndOpening)
{
    struct Case
    {
        const char* text;
        int graph;
    } cases[] = {{"1", 1}, {"4", 4}, {"5", 5}, {"7", 5}, {"0", 1}, {"", 1}};
    for (const Case& c : cases) {
        Fixture f;
        EXPECT_EQ(f.editor(c.text).graph(), c.graph) << c.text;
    }
    Fixture f;
    GraphFormatEditor e = f.editor("5");
    EXPECT_TRUE(f.prompter.texts().empty());
    EXPECT_EQ(e.cell(GraphRow::slot(1), SlotField::Name), sj("鉛"));
    EXPECT_EQ(e.cell(GraphRow::slot(2), SlotField::Name), "");
    EXPECT_EQ(e.radio(G, GridField::Kind), 0);
    EXPECT_TRUE(e.linearEnabled());
    EXPECT_EQ(e.widthText(), sj("[描画部幅 18.5mm]"));

    Fixture empty;
    for (int n = 1; n <= 2; ++n) empty.doc.TestNameTable(n, 1).clear();
    GraphFormatEditor none = empty.editor();
    EXPECT_EQ(empty.prompter.texts(), std::vector<std::string>{sj("試験名データがありません")});
    EXPECT_EQ(none.cell(GraphRow::slot(1), SlotField::Name), "");
}

TEST(GraphFormatEditor, MultiplierCheck)
{
    struct Case
    {
        const char* multiplier;
        const char* gridFrom;
        const char* from;
        const char* to;
        bool message;
    } cases[] = {
        {"0.1", "1", "0.1", "10", false}, {"10", "1", "10", "1000", false},
        {"20", "1", "", "", true},        {"0.01", "1", "0.01", "1", false},
        {"", "1", "", "", false},         {"1", "2.5", "1", "100", false},
        {"1", "5", "5", "100", false},    {"1", "20000", "10000", "100", false},
    };
    for (const Case& c : cases) {
        Fixture f;
        GraphFormatEditor e = f.editor();
        e.setCell(G, GridField::LogFrom, c.gridFrom);
        const int row = GraphRow::slot(1);
        e.setCell(row, SlotField::LogFrom, "old");
        e.setCell(row, SlotField::Multiplier, c.multiplier);
        e.multiplierLeft(1);
        SCOPED_TRACE(c.multiplier);
        EXPECT_EQ(e.cell(row, SlotField::LogFrom), c.from);
        EXPECT_EQ(e.cell(row, SlotField::LogTo), c.to);
        EXPECT_EQ(f.prompter.texts(), c.message
                                          ? std::vector<std::string>{sj(
                                                "倍率は 1、10、100..または 0.1、0.01、0.01..にかぎります")}
                                          : std::vector<std::string>{});
    }
}

TEST(GraphFormatEditor, LogGridFieldsAreChecked)
{
    struct Case
    {
        int field;
        const char* text;
        const char* after;
        const char* message;
    } cases[] = {
        {GridField::LogFrom, "2.5", "1", "対数グリッド値は整数にして下さい (1,2,5など).　　"},
        {GridField::LogFrom, "0", "1", "対数グリッドの値は１以上です"},
        {GridField::LogFrom, "10", "10", nullptr},
        {GridField::LogTo, "-3", "1", "対数グリッドの値は１以上です"},
        {GridField::LogTo, "2.5", "2.5", nullptr},
        {GridField::LogGrid2To, "0", "1", "対数グリッドの値は１以上です"},
    };
    for (const Case& c : cases) {
        Fixture f;
        GraphFormatEditor e = f.editor();
        e.setCell(G, c.field, c.text);
        e.logGridLeft(c.field);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(e.cell(G, c.field), c.after);
        EXPECT_EQ(f.prompter.texts(),
                  c.message ? std::vector<std::string>{sj(c.message)} : std::vector<std::string>{});
    }
}

TEST(GraphFormatEditor, AutomaticNameAndNumberTops)
{
    Fixture f;
    GraphFormatEditor e = f.editor();
    e.setCell(GraphRow::Title1, TitleField::Text, sj("重金属類"));
    e.setCell(GraphRow::Title1, TitleField::Top, "5");
    e.setCell(GraphRow::slot(1), SlotField::NameTop, "");
    e.setCell(GraphRow::slot(3), SlotField::Test, "1");
    e.setCell(GraphRow::slot(4), SlotField::NameTop, "50"); // no test: cleared
    e.setShowNumbers(1, true);
    e.autoNameTops();
    EXPECT_EQ(e.cell(GraphRow::slot(1), SlotField::NameTop), "10");
    EXPECT_EQ(e.cell(GraphRow::slot(3), SlotField::NameTop), "24");
    EXPECT_EQ(e.cell(GraphRow::slot(4), SlotField::NameTop), "");

    // Numbers: t = the largest name top 24; two boxes ticked: 96 - (96 - 24) / 6 upwards.
    e.setShowNumbers(3, true);
    e.setCell(GraphRow::slot(5), SlotField::NumbersTop, "9");
    e.autoNumberTops();
    EXPECT_EQ(e.cell(GraphRow::slot(3), SlotField::NumbersTop), "84.0");
    EXPECT_EQ(e.cell(GraphRow::slot(1), SlotField::NumbersTop), "72.0");
    EXPECT_EQ(e.cell(GraphRow::slot(5), SlotField::NumbersTop), "");
}

TEST(GraphFormatEditor, PickingATestFillsTheCurrentSlot)
{
    Fixture f;
    GraphFormatEditor e = f.editor();
    e.slotNumberFocused(4);
    e.pickTest(1);
    EXPECT_EQ(e.cell(GraphRow::slot(4), SlotField::Test), "1");
    EXPECT_EQ(e.cell(GraphRow::slot(4), SlotField::Name), sj("カドミウム"));
    // A typed number brings its name when the field is left; a wrong one clears it.
    e.setCell(GraphRow::slot(4), SlotField::Test, "2");
    e.slotNumberLeft(4);
    EXPECT_EQ(e.cell(GraphRow::slot(4), SlotField::Name), sj("鉛"));
    e.setCell(GraphRow::slot(4), SlotField::Test, "49");
    e.slotNumberLeft(4);
    EXPECT_EQ(e.cell(GraphRow::slot(4), SlotField::Name), "");
}

TEST(GraphFormatEditor, OkWritesTheBlock)
{
    Fixture f;
    GraphFormatEditor e = f.editor();
    e.setRadio(G, GridField::Kind, 1);
    e.setRadio(G, GridField::LogLabels, 2);
    e.setCell(GraphRow::slot(1), SlotField::Multiplier, "0.1");
    e.setShowNumbers(1, true);
    e.setCell(GraphRow::Title2, TitleField::Text, sj("　"));
    e.accept();
    const auto& t = f.doc.GraphFormatTable;
    EXPECT_EQ(t(5, G, GridField::Kind), "1");
    EXPECT_EQ(t(5, G, GridField::LogLabels), "2");
    EXPECT_EQ(t(5, G, GridField::AxisColour), "0");
    EXPECT_EQ(t(5, GraphRow::Title1, TitleField::Align), "0");
    EXPECT_EQ(t(5, G, GridField::Marker), "___");
    EXPECT_EQ(t(5, GraphRow::Title2, TitleField::Text), sj("　"));
    EXPECT_EQ(t(5, GraphRow::slot(1), SlotField::LogFrom), "0.1");
    EXPECT_EQ(t(5, GraphRow::slot(1), SlotField::LogTo), "10");
    EXPECT_EQ(t(5, GraphRow::slot(1), SlotField::ShowNumbers), "1");
    EXPECT_EQ(t(5, GraphRow::slot(1), SlotField::Name), sj("鉛"));
    EXPECT_EQ(t(5, GraphRow::slot(2), SlotField::Name), "");
    EXPECT_EQ(t(5, GraphRow::slot(2), SlotField::ShowNumbers), "0");
    EXPECT_EQ(t(4, G, GridField::Marker), ""); // other graphs untouched
}

TEST(GraphFormatEditor, ReadFormatTakesTheGraphsFourteenRows)
{
    Fixture f;
    std::string text = "$$_QVOR780\r\n$$p\r\n";
    for (int g = 1; g <= 5; ++g)
        for (int r = 1; r <= 14; ++r)
            text += "g" + std::to_string(g) + "r" + std::to_string(r) + ",0,1,2,3,4,5,6,7,8,9\r\n";
    text += "$$q\r\n";
    ASSERT_TRUE(writeFileBytes(f.dir.file("other.bhc"), text));
    GraphFormatEditor e = f.editor("2");
    AnswerChooser chooser;
    chooser.answer = f.dir.file("other.bhc");
    e.readFormat(chooser);
    EXPECT_EQ(e.cell(1, 1), "g2r1");
    EXPECT_EQ(e.cell(14, 1), "g2r14");
    EXPECT_EQ(e.cell(14, 11), "9");
    EXPECT_TRUE(f.prompter.texts().empty());

    chooser.answer = f.dir.file("gone.bhc");
    e.readFormat(chooser);
    EXPECT_EQ(e.cell(1, 1), "g2r1");
    EXPECT_EQ(f.prompter.texts().size(), 1u);
}
