// The geology and colour-tone dialog model: the name lists from the master,
// composition by picking with its digit and clearing rules, the density /
// consistency choice, the attribute bits with the default word 247, the
// colour-tone rules, the depth range, the write-back with the "50" rule, and
// the in-cell editing of the bit and flags columns.

#include "dialogs/geologyeditor.h"
#include "document/geologymaster.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <memory>

using namespace qc;
using qc::test::sj;
using qc::test::u8;
using G = GeologyEditor;

namespace {

// Both variants from the same lines; the lists read variant 1.
const char* const kMaster = "[第1 基本の土質名],,660,\r\n"
                            "表土,Ts,10004,10004\r\n"
                            "盛土,B,10000,10000\r\n"
                            "砂,S,1500.1,1500.1\r\n"
                            "シルト,M,500.2,500.2\r\n"
                            "粘土,C,600.2,600.2\r\n"
                            "小番号,X,50,50\r\n"
                            "無番号,Y,abc,abc\r\n"
                            "あいうえおかきくけこさしすせそたちつてと,ABCDEFGHIJ,700,700\r\n"
                            "[第2 混じり]\r\n"
                            "礫混じり,-G,1,1\r\n"
                            "砂混じり,-S,3,3\r\n"
                            "[第3 質]\r\n"
                            "砂質,S,10,10\r\n"
                            "シルト質,M,20,20\r\n"
                            "[終了]\r\n";

GeologyMaster testMaster()
{
    GeologyMaster m;
    std::string bytes = sj(kMaster);
    m.parse(bytes, GeologyMaster::Vector);
    m.parse(bytes, GeologyMaster::Bitmap);
    return m;
}

struct Fixture
{
    GeologyMaster master = testMaster();
    Document doc;
    ScriptedPrompter prompter;
    std::unique_ptr<GeologyEditor> ed;

    explicit Fixture(int e59 = 0, int e60 = 0)
    {
        ed = std::make_unique<GeologyEditor>(doc.GeologyTable, master,
                                             std::vector<std::string>{sj("灰"), sj("暗"), sj("褐")}, prompter,
                                             KeyOptions{}, e59, e60);
        ed->open();
    }
    void reopen()
    {
        ed = std::make_unique<GeologyEditor>(doc.GeologyTable, master, std::vector<std::string>{}, prompter,
                                             KeyOptions{});
        ed->open();
    }
    void set(G::Field f, const std::string& utf8) { ed->setField(f, sj(utf8)); }
    std::string field(G::Field f) const { return u8(ed->field(f)); }
    int indexOf(G::NameList list, const std::string& utf8) const
    {
        const auto& items = ed->names(list);
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].name == sj(utf8)) return static_cast<int>(i);
        ADD_FAILURE() << "no list item " << utf8;
        return -1;
    }
    void pick(G::NameList list, const std::string& utf8) { ed->pickName(list, indexOf(list, utf8)); }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> out;
        for (const auto& t : prompter.texts()) out.push_back(u8(t));
        return out;
    }
};

std::vector<std::string> listNames(const GeologyEditor& ed, G::NameList list)
{
    std::vector<std::string> out;
    for (const auto& p : ed.names(list)) out.push_back(u8(p.name));
    return out;
}

} // namespace

TEST(GeologyEditor, NameListsFollowTheirGroupsAndNumberRanges)
{
    Fixture f;
    using V = std::vector<std::string>;
    EXPECT_EQ(listNames(*f.ed, G::NameList::Names), (V{"表土", "盛土"}));
    // N below 100 and non-numbers are not listed; the long name is cut to 32 bytes.
    EXPECT_EQ(listNames(*f.ed, G::NameList::Bases),
              (V{"砂", "シルト", "粘土", "あいうえおかきくけこさしすせそた"}));
    EXPECT_EQ(listNames(*f.ed, G::NameList::Mixtures), (V{"礫混じり", "砂混じり"}));
    EXPECT_EQ(listNames(*f.ed, G::NameList::Adjectives), (V{"砂質", "シルト質"}));
    const MasterPick& sand = f.ed->names(G::NameList::Bases)[0];
    EXPECT_EQ(sand.pattern, "1500.0");
    EXPECT_EQ(sand.symbol, "S");
    EXPECT_EQ(f.ed->names(G::NameList::Bases)[3].symbol, "ABCDEFGH");
    EXPECT_EQ(f.ed->names(G::NameList::Names)[0].pattern, "10004.0");
}

// Picks from a fresh dialog, in order, with the fields they leave.
TEST(GeologyEditor, CompositionByPicking)
{
    struct Pick
    {
        G::NameList list;
        const char* name;
    };
    struct Case
    {
        const char* what;
        bool auxiliary;
        std::vector<Pick> picks;
        const char* name;
        const char* pattern;
        const char* symbol;
    };
    using L = G::NameList;
    const Case cases[] = {
        {"a name from list 1041", false, {{L::Names, "盛土"}}, "盛土", "10000.0", "B"},
        {"a modifier from list 1044", false, {{L::Mixtures, "砂混じり"}}, "砂混じり", "3.0", "-S"},
        {"modifier N 3 then adjective N 20 gives 23",
         false,
         {{L::Mixtures, "砂混じり"}, {L::Adjectives, "シルト質"}},
         "砂混じりシルト質",
         "23",
         "M-S"},
        {"then a base adds its hundreds",
         false,
         {{L::Mixtures, "砂混じり"}, {L::Adjectives, "シルト質"}, {L::Bases, "粘土"}},
         "砂混じりシルト質粘土",
         "623",
         "CM-S"},
        {"a modifier then a base",
         false,
         {{L::Mixtures, "礫混じり"}, {L::Bases, "砂"}},
         "礫混じり砂",
         "1501",
         "S-G"},
        {"an adjective on an empty name", false, {{L::Adjectives, "砂質"}}, "砂質", "10", "S"},
        {"an adjective after a complete name clears the name",
         false,
         {{L::Bases, "砂"}, {L::Adjectives, "砂質"}},
         "",
         "",
         ""},
        {"a base after a complete name starts a new one",
         false,
         {{L::Names, "盛土"}, {L::Bases, "シルト"}},
         "シルト",
         "500",
         "M"},
        {"two bases: the second starts anew",
         false,
         {{L::Bases, "砂"}, {L::Bases, "粘土"}},
         "粘土",
         "600",
         "C"},
        {"auxiliary: list 1041 leaves the hidden symbol", true, {{L::Names, "表土"}}, "表土", "10004.0", ""},
        {"auxiliary: list 1044 sets it", true, {{L::Mixtures, "礫混じり"}}, "礫混じり", "1.0", "-G"},
        {"auxiliary composition",
         true,
         {{L::Mixtures, "礫混じり"}, {L::Bases, "砂"}},
         "礫混じり砂",
         "1501",
         "S-G"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        if (c.auxiliary) f.ed->fieldEntered(G::Aux);
        for (const Pick& p : c.picks) f.pick(p.list, p.name);
        G::Field name = c.auxiliary ? G::Aux : G::Name;
        G::Field pattern = c.auxiliary ? G::Pattern2 : G::Pattern1;
        G::Field symbol = c.auxiliary ? G::AuxSymbol : G::Symbol;
        EXPECT_EQ(f.field(name), c.name);
        EXPECT_EQ(f.field(pattern), c.pattern);
        EXPECT_EQ(f.field(symbol), c.symbol);
        // The other name is never touched.
        EXPECT_EQ(f.field(c.auxiliary ? G::Name : G::Aux), "");
        EXPECT_EQ(f.field(c.auxiliary ? G::Symbol : G::AuxSymbol), "");
    }
}

TEST(GeologyEditor, ClearingPickResetsTheTargetFieldsAndTheCheckBoxes)
{
    Fixture f;
    f.pick(G::NameList::Bases, "砂");
    f.set(G::Percent, "30");
    f.set(G::Aux, "粘土");
    f.ed->setFlag(GeologyBits::NameUnderline, false);
    f.pick(G::NameList::Adjectives, "砂質");
    EXPECT_EQ(f.field(G::Name), "");
    EXPECT_EQ(f.field(G::Percent), "");
    EXPECT_EQ(f.field(G::Aux), "粘土");
    EXPECT_EQ(f.ed->flags(), 247);

    // A name ending in "混" or "り" takes the adjective even with a large number.
    f.set(G::Name, "礫混");
    f.set(G::Pattern1, "1500");
    f.pick(G::NameList::Adjectives, "砂質");
    EXPECT_EQ(f.field(G::Name), "礫混砂質");
    EXPECT_EQ(f.field(G::Pattern1), "1510");
}

TEST(GeologyEditor, TargetFollowsFocusCheckBoxesAndDelete)
{
    Fixture f;
    EXPECT_EQ(f.ed->target(), 1);
    f.ed->fieldEntered(G::Aux);
    EXPECT_EQ(f.ed->target(), 2);
    f.ed->fieldLeft(G::Aux); // leaving the auxiliary name keeps it
    EXPECT_EQ(f.ed->target(), 2);
    f.ed->fieldLeft(G::Symbol);
    EXPECT_EQ(f.ed->target(), 1);
    f.ed->fieldEntered(G::Aux);
    f.ed->setFlag(GeologyBits::ToneUnderline, false); // not one of 1033 and 1040
    EXPECT_EQ(f.ed->target(), 2);
    f.ed->setFlag(GeologyBits::Figures, true);
    EXPECT_EQ(f.ed->target(), 1);
    f.ed->fieldEntered(G::Aux);
    f.ed->deleteRow();
    EXPECT_EQ(f.ed->target(), 1);
}

TEST(GeologyEditor, DensityChoiceRewritesTheNamePattern)
{
    struct Case
    {
        G::DensityChoice choice;
        const char* pattern1;
        const char* pattern2;
        const char* expected;
    };
    const Case cases[] = {
        {G::DensityConsistency, "1200.0", "", "1200.3"},
        {G::DensityConsistency, "", "", ""},
        {G::ShowNeither, "1200.3", "", "1200"},
        {G::Density, "1200", "", "1200.1"},
        {G::Consistency, "1200.1", "", "1200.2"},
        {G::AuxiliaryTrait, "1200.1", "500.2", "1200.3"},
        {G::AlsoDot, "1200.2", "600.2", "1200.2"},
        {G::AlsoDot, "1200", "", "1200.0"},
        {G::Blank, "1200.1", "", "1200.1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern1) + " choice " + std::to_string(c.choice));
        Fixture f;
        f.set(G::Pattern1, c.pattern1);
        f.set(G::Pattern2, c.pattern2);
        f.ed->chooseDensity(c.choice);
        EXPECT_EQ(f.field(G::Pattern1), c.expected);
    }
    EXPECT_EQ(G::patternDigit("1200.3"), 3);
    EXPECT_EQ(G::patternDigit("93624.9"), 9);
    EXPECT_EQ(G::patternDigit("500"), 0);
}

TEST(GeologyEditor, DefaultWordAndBitColumnsOfAnAddedRow)
{
    Fixture f;
    EXPECT_EQ(f.ed->flags(), 247);
    f.set(G::Depth, "1.5");
    f.set(G::Name, "砂");
    f.ed->add();
    ASSERT_EQ(f.ed->usedRowCount(), 1);
    const ListRow& r = f.ed->row(1);
    EXPECT_EQ(r[G::ColDepth], "1.50");
    EXPECT_EQ(r[G::ColFlags], "247");
    EXPECT_EQ(r[G::ColBitDepth], "_");
    EXPECT_EQ(r[G::ColBitName], "_");
    EXPECT_EQ(r[G::ColBit8], ".");
    EXPECT_EQ(r[G::ColBitColour], "_");
    EXPECT_EQ(r[G::ColBitPattern1], "_");
    EXPECT_EQ(r[G::ColBitPattern2], "_");
    EXPECT_EQ(f.ed->flags(), 247); // reset after the add

    // Unticking a box shows in its column; bit 8 is never composed from the boxes.
    f.set(G::Depth, "2");
    f.ed->setFlag(GeologyBits::PatternLine, false);
    f.ed->setFlag(GeologyBits::ShowAuxiliary, true);
    f.ed->add();
    EXPECT_EQ(f.ed->row(2)[G::ColFlags], std::to_string(247 - 4 + 256));
    EXPECT_EQ(f.ed->row(2)[G::ColBitPattern1], ".");

    // A row read with bit 8 set loses it when the boxes write the row again.
    f.doc.GeologyTable(1, GeologyCol::Depth) = "3.00";
    f.doc.GeologyTable(1, GeologyCol::Attributes) = "15";
    f.reopen();
    EXPECT_EQ(f.ed->row(1)[G::ColBit8], "_");
    f.ed->clickRow(1);
    EXPECT_EQ(f.ed->flags(), 15);
    f.ed->setFlag(GeologyBits::ShowName, true);
    EXPECT_EQ(f.ed->row(1)[G::ColFlags], "135");
}

TEST(GeologyEditor, ColourToneOnlyRowCarriesNoUnderlines)
{
    Fixture f;
    f.set(G::Depth, "2.0");
    f.set(G::Colour, "暗");
    f.ed->pickColourTone(0); // appends
    EXPECT_EQ(f.field(G::Colour), "暗灰");
    EXPECT_EQ(f.ed->flags(), 247 & ~127);
    f.ed->fieldLeft(G::Colour);
    f.ed->add();
    ASSERT_TRUE(f.ed->accept());
    EXPECT_EQ(f.doc.GeologyTable(1, GeologyCol::Attributes), "128");
    EXPECT_EQ(u8(f.doc.GeologyTable(1, GeologyCol::Tone)), "暗灰");

    // With a name the leave rule keeps the underlines.
    f.reopen();
    f.set(G::Depth, "3");
    f.set(G::Name, "砂");
    f.set(G::Colour, "灰");
    f.ed->fieldLeft(G::Colour);
    EXPECT_EQ(f.ed->flags(), 247);
}

TEST(GeologyEditor, TopsoilAndFillPercentageWarning)
{
    struct Case
    {
        const char* pattern;
        const char* percent;
        bool warns;
    };
    const Case cases[] = {
        {"10000.0", "30", true}, {"10004", "100", true}, {"10002.0", "50", false}, {"10000", "", false},
        {"10005", "30", false},  {"1500", "30", false},  {"", "30", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + c.percent);
        Fixture f;
        f.set(G::Pattern1, c.pattern);
        f.set(G::Percent, c.percent);
        f.ed->fieldLeft(G::Percent);
        EXPECT_EQ(f.messages(), c.warns
                                    ? std::vector<std::string>{"表土・盛土類の表示割合は50%にして下さい. "}
                                    : std::vector<std::string>{});
        EXPECT_EQ(f.field(G::Percent), c.percent); // kept as typed
    }
}

TEST(GeologyEditor, DepthRange)
{
    struct Case
    {
        const char* depth;
        bool added;
    };
    const Case cases[] = {{"3000", true}, {"3000.01", false}, {"-1", true}, {"-1.01", false}, {"0", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth);
        Fixture f;
        f.set(G::Depth, c.depth);
        f.ed->add();
        EXPECT_EQ(f.ed->usedRowCount(), c.added ? 1 : 0);
        EXPECT_EQ(f.messages(),
                  c.added ? std::vector<std::string>{} : std::vector<std::string>{"数値が異常です"});
    }
}

TEST(GeologyEditor, WriteBackColumnsAndTheFiftyRuleForAlternations)
{
    Fixture f(1, 0);
    EXPECT_TRUE(f.ed->alwaysSplitTopsoil);
    EXPECT_FALSE(f.ed->alternationLines);
    struct Row
    {
        const char* depth;
        const char* name;
        const char* aux;
        const char* percent;
        const char* prefix;
        const char* suffix;
    };
    const Row rows[] = {
        {"4", "砂", "シルト", "", "・", "の互層"},   // empty share, alternation: 50
        {"1.234", "砂", "粘土", "30", "・", "互層"}, // a share given stays
        {"2", "砂", "礫", "0", "(", ")"},            // not an alternation
        {"3", "粘土", "", "", "", ""},
    };
    for (const Row& r : rows) {
        f.set(G::Depth, r.depth);
        f.set(G::Name, r.name);
        f.set(G::Aux, r.aux);
        f.set(G::Colour, "灰");
        f.set(G::Pattern1, "1500");
        f.set(G::Pattern2, "600");
        f.set(G::Symbol, "S");
        f.set(G::Percent, r.percent);
        f.set(G::Prefix, r.prefix);
        f.set(G::Suffix, r.suffix);
        f.ed->add();
    }
    ASSERT_TRUE(f.ed->accept());
    const TextTable& t = f.doc.GeologyTable;
    EXPECT_EQ(t(1, GeologyCol::Depth), "1.23"); // always "%.2f"
    EXPECT_EQ(t(1, GeologyCol::Percent), "30");
    EXPECT_EQ(t(2, GeologyCol::Depth), "2.00");
    EXPECT_EQ(t(2, GeologyCol::Percent), "0");
    EXPECT_EQ(t(3, GeologyCol::Depth), "3.00");
    EXPECT_EQ(t(3, GeologyCol::Percent), "");
    EXPECT_EQ(t(4, GeologyCol::Depth), "4.00");
    EXPECT_EQ(t(4, GeologyCol::Percent), "50");
    EXPECT_EQ(u8(t(4, GeologyCol::Name)), "砂");
    EXPECT_EQ(u8(t(4, GeologyCol::AuxName)), "シルト");
    EXPECT_EQ(u8(t(4, GeologyCol::Tone)), "灰");
    EXPECT_EQ(t(4, GeologyCol::Pattern1), "1500");
    EXPECT_EQ(t(4, GeologyCol::Pattern2), "600");
    EXPECT_EQ(t(4, GeologyCol::Attributes), "247");
    EXPECT_EQ(t(4, GeologyCol::Symbol), "S");
    EXPECT_EQ(u8(t(4, GeologyCol::Prefix)), "・");
    EXPECT_EQ(u8(t(4, GeologyCol::Suffix)), "の互層");
    EXPECT_TRUE(t(5, GeologyCol::Depth).empty());
    EXPECT_EQ(f.ed->entry59(), 1);
    EXPECT_EQ(f.ed->entry60(), 0);
}

TEST(GeologyEditor, OpeningShowsBitsAndClickLoadsTheCheckBoxes)
{
    Fixture f;
    TextTable& t = f.doc.GeologyTable;
    t(1, GeologyCol::Depth) = "1.00";
    t(1, GeologyCol::Name) = sj("砂");
    t(1, GeologyCol::Attributes) = "66"; // 2 and 64
    t(2, GeologyCol::Depth) = "2.00";
    t(2, GeologyCol::Attributes) = "abc";
    f.reopen();
    EXPECT_EQ(f.ed->row(1)[G::ColBitName], "_");
    EXPECT_EQ(f.ed->row(1)[G::ColBitDepth], ".");
    EXPECT_EQ(u8(f.ed->row(1)[G::ColName]), "砂");
    f.ed->clickRow(1);
    EXPECT_EQ(f.ed->flags(), 66);
    // A flags text that is not a number leaves the boxes as they are.
    f.ed->clickRow(2);
    EXPECT_EQ(f.ed->flags(), 66);
    // A row below the used ones resets them.
    f.ed->clickRow(5);
    EXPECT_EQ(f.ed->flags(), 247);
}

TEST(GeologyEditor, InCellEditsKeepBitsAndFlagsWordTogether)
{
    Fixture f;
    f.ed->setPageRows(10);
    // The depth typed into a blank row takes the word of the current boxes.
    ASSERT_TRUE(f.ed->doubleClick(1, G::ColDepth));
    f.ed->setFlag(GeologyBits::ToneUnderline, false);
    f.ed->commitCell("1.5");
    EXPECT_EQ(f.ed->row(1)[G::ColFlags], "215");
    EXPECT_EQ(f.ed->row(1)[G::ColBitColour], ".");

    // A new word shows in the bit columns and the boxes.
    ASSERT_TRUE(f.ed->doubleClick(1, G::ColFlags));
    f.ed->commitCell("3");
    EXPECT_EQ(f.ed->row(1)[G::ColBitDepth], "_");
    EXPECT_EQ(f.ed->row(1)[G::ColBitName], "_");
    EXPECT_EQ(f.ed->row(1)[G::ColBitColour], ".");
    EXPECT_EQ(f.ed->flags(), 3);

    // A bit typed into its column changes the word.
    ASSERT_TRUE(f.ed->doubleClick(1, G::ColBitColour));
    f.ed->commitCell("_");
    EXPECT_EQ(f.ed->row(1)[G::ColFlags], "35");
    EXPECT_TRUE(f.ed->flag(GeologyBits::ToneUnderline));
    ASSERT_TRUE(f.ed->doubleClick(1, G::ColBitDepth));
    f.ed->commitCell("x");
    EXPECT_EQ(f.ed->row(1)[G::ColFlags], "34");
    EXPECT_EQ(f.ed->row(1)[G::ColBitDepth], ".");

    // The Enter walk stops at the listed columns only.
    ASSERT_TRUE(f.ed->doubleClick(1, G::ColDepth));
    std::vector<int> walk{G::ColDepth};
    while (f.ed->cellKey(CellKey::Enter, f.ed->cell(1, f.ed->currentColumn())) && f.ed->currentRow() == 1)
        walk.push_back(f.ed->currentColumn());
    EXPECT_EQ(walk, (std::vector<int>{1, 3, 5, 7, 9, 11, 13, 14, 15, 16, 17}));
}

TEST(GeologyEditor, LiveUpdateFollowsEveryChange)
{
    Fixture f;
    f.doc.GeologyTable(1, GeologyCol::Depth) = "1.00";
    f.doc.GeologyTable(1, GeologyCol::Name) = sj("砂");
    f.doc.GeologyTable(1, GeologyCol::Attributes) = "247";
    f.reopen();
    f.ed->clickRow(1);
    f.set(G::Name, "粘土");
    EXPECT_EQ(u8(f.ed->row(1)[G::ColName]), "粘土");
    f.ed->setFlag(GeologyBits::DepthLine, false);
    EXPECT_EQ(f.ed->row(1)[G::ColFlags], "246");
    f.pick(G::NameList::Names, "盛土");
    EXPECT_EQ(f.ed->row(1)[G::ColPattern1], "10000.0");
    f.ed->chooseDensity(G::Density);
    EXPECT_EQ(f.ed->row(1)[G::ColPattern1], "10000.1");
    EXPECT_TRUE(f.ed->modified());
}

TEST(GeologyEditor, ThreeLayersDeriveTheirPatterns)
{
    Fixture f;
    const char* names[] = {"盛土", "砂", "シルト"};
    for (int i = 0; i < 3; ++i) {
        f.set(G::Depth, std::to_string(3 - i)); // entered bottom up, written sorted
        f.set(G::Name, names[i]);
        f.ed->add();
    }
    ASSERT_TRUE(f.ed->accept());
    DeriveGeologyPatterns(f.doc, f.master);
    const TextTable& t = f.doc.GeologyTable;
    EXPECT_EQ(u8(t(1, GeologyCol::Name)), "シルト");
    EXPECT_EQ(t(1, GeologyCol::VectorName), "500.2");
    EXPECT_EQ(t(1, GeologyCol::Composed), "M");
    EXPECT_EQ(t(3, GeologyCol::VectorName), "10000.0");
    EXPECT_EQ(geologyRowCount(f.doc), 3);
}

TEST(GeologyEditor, ColourTonesFromTheMasterFile)
{
    qc::test::TempDir dir;
    ScriptedPrompter prompter;
    EXPECT_TRUE(GeologyEditor::loadColourTones(dir.file("Col.mst"), prompter).empty());
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_EQ(u8(prompter.texts()[0]), "ファイルが見つかりません\n( " + dir.file("Col.mst") + " )");

    // First comma field of each line, lines cut to 39 bytes on a character boundary.
    std::string long20 = "あいうえおかきくけこさしすせそたちつてと";
    ASSERT_TRUE(writeFileBytes(dir.file("Col.mst"), sj("暗灰,dark\r\n\r\n黄褐\r\n" + long20 + "\r\n")));
    auto tones = GeologyEditor::loadColourTones(dir.file("Col.mst"), prompter);
    ASSERT_EQ(tones.size(), 3u);
    EXPECT_EQ(u8(tones[0]), "暗灰");
    EXPECT_EQ(u8(tones[1]), "黄褐");
    EXPECT_EQ(tones[2].size(), 38u);
}

TEST(GeologyEditor, ComboItems)
{
    EXPECT_EQ(G::prefixItems().size(), 8u);
    EXPECT_EQ(u8(G::prefixItems()[6]), "と ");
    EXPECT_EQ(G::prefixItems()[7], "");
    EXPECT_EQ(u8(G::suffixItems()[1]), "の互層");
    ASSERT_EQ(G::densityItems().size(), 7u);
    EXPECT_EQ(u8(G::densityItems()[0]), "  \u3000\u3000\u3000\u3000\u3000\u3000");
    EXPECT_EQ(u8(G::densityItems()[4]), "3\u3000密度稠度");
    EXPECT_EQ(u8(G::densityItems()[6]), ". \u3000も使用");
}
