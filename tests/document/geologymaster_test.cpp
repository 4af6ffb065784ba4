// The geology name master reader and the soil name composition, against a
// small hand-made master.

#include "document/geologymaster.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

namespace {

// CP932 bytes of UTF-8 lines, each ended with CR LF.
std::string crlf(std::initializer_list<const char*> lines)
{
    std::string out;
    for (const char* l : lines) out += sj(l) + "\r\n";
    return out;
}

const std::string& smallMaster()
{
    static const std::string bytes = crlf({
        "ignored before the first section,X,1,1",
        "[第1 基本], ,660,",
        "砂,S,2300.1,35.1",
        "シルト,M,500.2,36",
        "粘土,C,600.2,37",
        "礫,G,3300.1,38",
        "砂礫,GS,1600.1,39",
        "有機質土,O,900.2,40",
        "砂質頁岩,Ssh,4700,41",
        "盛土,B,10000,10000",
        "礫混じり砂,SG!,200.1,42", // a base entry that contains "り"
        "岩,R,,43",                // no vector pattern
        "[第2 混じり]",
        "礫混じり,-G,1,1",
        "砂混じり,-S,3,3",
        "[第3 質]",
        "砂質,S,10,10",
        "シルト質,M,20,20",
        "[第4 extra]",
        "泥,X,1,1",
        "[終了]",
        "粘土,Z,999,999",
    });
    return bytes;
}

GeologyMaster loaded()
{
    GeologyMaster m;
    m.parse(smallMaster(), GeologyMaster::Vector);
    m.parse(smallMaster(), GeologyMaster::Bitmap);
    return m;
}

} // namespace

TEST(GeologyMaster, ReadsSectionsCodesAndDigits)
{
    GeologyMaster m;
    EXPECT_EQ(m.parse(smallMaster(), GeologyMaster::Vector), 660);
    const auto& e = m.entries(GeologyMaster::Vector);
    ASSERT_EQ(e.size(), 14u); // lines before section 1, in section 4 and after "[終了" are not entries
    EXPECT_EQ(m.first(0, 1), 1);
    EXPECT_EQ(m.last(0, 1), 10);
    EXPECT_EQ(m.first(0, 2), 11);
    EXPECT_EQ(m.last(0, 2), 12);
    EXPECT_EQ(m.first(0, 3), 13);
    EXPECT_EQ(m.last(0, 3), 14);
    EXPECT_EQ(u8(e[0].name), "砂");
    EXPECT_EQ(u8(e[0].text), "S");
    EXPECT_EQ(e[0].code, 2300);
    EXPECT_EQ(e[0].digit, 1);
    EXPECT_EQ(e[1].digit, 2);
    EXPECT_EQ(e[9].code, -1); // an empty field is not numeric
    EXPECT_EQ(e[9].digit, 0);

    m.parse(smallMaster(), GeologyMaster::Bitmap);
    const auto& b = m.entries(GeologyMaster::Bitmap);
    EXPECT_EQ(b[0].code, 35);
    EXPECT_EQ(b[0].digit, 1);
    EXPECT_EQ(b[1].code, 36);
    EXPECT_EQ(b[1].digit, 0);
    EXPECT_EQ(b[9].code, 43);
    // The vector variant is untouched by loading the bitmap one.
    EXPECT_EQ(m.entries(GeologyMaster::Vector)[0].code, 2300);
}

TEST(GeologyMaster, LineRules)
{
    // Lines of fewer than 2 bytes are skipped; a line is cut to 88 bytes so a
    // long one cannot spill into a further entry.
    std::string longName(120, 'a');
    std::string bytes = "[" + sj("第") + "1],,7,\r\nx\r\n\r\n" + longName + ",S,100,1\r\nb,T,200,2\r\n";
    GeologyMaster m;
    EXPECT_EQ(m.parse(bytes, 0), 7);
    const auto& e = m.entries(0);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].name, std::string(88, 'a')); // the code fields fell beyond the cut
    EXPECT_EQ(e[0].code, -1);
    EXPECT_EQ(e[1].name, "b");
    EXPECT_EQ(e[1].code, 200);

    // At most 256 entries; empty sections give 0 and 0.
    std::string many = sj("[第1]") + "\r\n";
    for (int i = 0; i < 300; ++i) many += "n" + std::to_string(i) + ",s,100,1\r\n";
    m.parse(many, 0);
    EXPECT_EQ(m.entries(0).size(), 256u);
    EXPECT_EQ(m.last(0, 1), 256);
    EXPECT_EQ(m.first(0, 2), 0);
    EXPECT_EQ(m.last(0, 2), 0);
}

TEST(GeologyMaster, MissingFileShowsItsMessageAndLeavesTheVariantEmpty)
{
    GeologyMaster m = loaded();
    ScriptedPrompter p;
    EXPECT_EQ(LoadNameMaster(m, "/nonexistent/WdtvJCA.mst", GeologyMaster::Vector, p), 0);
    EXPECT_TRUE(m.empty(GeologyMaster::Vector));
    EXPECT_FALSE(m.empty(GeologyMaster::Bitmap));
    ASSERT_EQ(p.texts().size(), 1u);
    EXPECT_EQ(u8(p.texts()[0]), "ファイルが見つかりません\n( /nonexistent/WdtvJCA.mst )");

    // A path of one byte is not opened at all.
    p.clear();
    LoadNameMaster(m, "x", GeologyMaster::Bitmap, p);
    EXPECT_TRUE(p.texts().empty());
    EXPECT_TRUE(m.empty(GeologyMaster::Bitmap));
    // With no master every name composes to code 0.
    EXPECT_EQ(ComposeName(m, sj("礫混じり砂")).code, 0);
}

TEST(SoilNameComposition, ComposeName)
{
    const GeologyMaster m = loaded();
    struct Case
    {
        const char* name;
        long code;
        int digit;
        const char* display;
    } cases[] = {
        {"砂", 2300, 1, "S"},
        {"礫混じり砂", 200, 1, "SG!"},        // exact name wins over composition although it has "り"
        {"有機質土", 900, 2, "O"},            // exact name with "質"
        {"岩", 0, 0, "R"},                    // exact name without a vector pattern
        {"礫混り砂質シルト", 511, 2, "MS-G"}, // "混り" is read as "混じり"
        {"礫混じり砂質シルト", 511, 2, "MS-G"},
        {"砂質シルト", 510, 2, "MS"},
        {"シルト質砂", 2320, 1, "SM"},
        {"砂混じり粘土", 603, 2, "C-S"},
        {"貝殻混じり砂", 2300, 1, "S-"}, // modifier not in the master: "-" and no overlay
        {"砂質有機質土", 910, 2, "OS"},  // special name keeps "有機質土" whole
        {"礫混じり有機質土", 901, 2, "O-G"},
        {"砂質頁岩", 4700, 0, "Ssh"},
        {"シルト混じり砂礫", 1600, 1, "GS-"}, // longest base wins: 砂礫 over 砂 and 礫
        {"礫混じり盛土", 10000, 0, "B-G"},    // no overlay number on a block mark
        {"泥炭", 0, 0, ""},                   // nothing matches
        {"砂・シルト互層", 92305, 3, "S/M"},
        {"砂･粘土互層", 92306, 3, "S/C"}, // half-width connector
        {"礫・砂礫互層", 93316, 1, "G/GS"},
        {"砂・互層", 92300, 1, "S/"},      // empty second part
        {"砂シルト互層", 90000, 0, ""},    // no connector before "互層"
        {"盛土・砂互層", 10000, 1, "B/S"}, // a block mark is not paired
    };
    for (const Case& c : cases) {
        Composition r = ComposeName(m, sj(c.name));
        EXPECT_EQ(r.code, c.code) << c.name;
        EXPECT_EQ(r.digit, c.digit) << c.name;
        EXPECT_EQ(u8(r.display), c.display) << c.name;
    }
}

TEST(SoilNameComposition, BaseLookupPrefersLongerThenLaterNames)
{
    GeologyMaster m;
    m.parse(crlf({"[第1]", "砂,A,100,0", "砂礫,B,200,0", "礫,C,300,0", "砂,D,400,0"}), 0);
    struct Case
    {
        const char* text;
        long code;
        const char* symbol;
        const char* before;
    } cases[] = {
        {"細砂礫層", 200, "B", "細"},
        {"砂", 400, "D", ""}, // equal length: the later entry wins
        {"黒色礫", 300, "C", "黒色"},
        {"ローム", 0, "", ""},
    };
    for (const Case& c : cases) {
        BaseMatch b = BaseLookup(m, sj(c.text));
        EXPECT_EQ(b.code, c.code) << c.text;
        EXPECT_EQ(u8(b.text), c.symbol) << c.text;
        EXPECT_EQ(u8(b.before), c.before) << c.text;
    }
}

TEST(SoilNameComposition, DeriveGeologyPatternsFillsColumns12To14OfUsedRows)
{
    const GeologyMaster m = loaded();
    Document doc;
    auto& g = doc.GeologyTable;
    g(1, GeologyCol::Depth) = "1.00";
    g(1, GeologyCol::Name) = sj("砂質シルト");
    g(2, GeologyCol::Depth) = "2.50";
    g(2, GeologyCol::Name) = sj("砂");
    g(2, GeologyCol::AuxName) = sj("シルト");
    g(3, GeologyCol::Depth) = "4.00"; // no name
    g(3, GeologyCol::AuxName) = sj("粘土");
    g(5, GeologyCol::VectorName) = "stale";
    g(5, GeologyCol::Composed) = "stale";
    DeriveGeologyPatterns(doc, m);
    EXPECT_EQ(g(1, GeologyCol::VectorName), "510.2");
    EXPECT_EQ(g(1, GeologyCol::VectorAux), "");
    EXPECT_EQ(u8(g(1, GeologyCol::Composed)), "MS");
    EXPECT_EQ(g(2, GeologyCol::VectorName), "2300.1");
    EXPECT_EQ(g(2, GeologyCol::VectorAux), "500.2");
    EXPECT_EQ(u8(g(2, GeologyCol::Composed)), "S");
    EXPECT_EQ(g(3, GeologyCol::VectorName), "");
    EXPECT_EQ(g(3, GeologyCol::VectorAux), "600.2");
    EXPECT_EQ(g(3, GeologyCol::Composed), "");
    EXPECT_EQ(g(5, GeologyCol::VectorName), ""); // beyond the used rows
    EXPECT_EQ(g(5, GeologyCol::Composed), "");
}

TEST(GeologyMaster, SectionAndEndMarksAreMatchedByCharacter)
{
    // "ー" and "深" end in the byte "[": "ー第" or "深終了" hold the bytes of "[第" and
    // "[終了" across a character boundary and are entries, not marks.
    GeologyMaster m;
    EXPECT_EQ(m.parse(crlf({"[第1 基本],,5,", "スラリー第二層,SL,100.1,1", "深終了岩,D,200,2",
                            "表土,Ts,300,3", "[第2 混じり]", "礫混じり,-G,1,1", "[終了]", "後,X,9,9"}),
                      GeologyMaster::Vector),
              5);
    const auto base = m.section(GeologyMaster::Vector, 1);
    ASSERT_EQ(base.size(), 3u);
    EXPECT_EQ(u8(base[0]->name), "スラリー第二層");
    EXPECT_EQ(base[0]->code, 100);
    EXPECT_EQ(u8(base[1]->name), "深終了岩");
    EXPECT_EQ(u8(base[2]->text), "Ts");
    EXPECT_EQ(m.section(GeologyMaster::Vector, 2).size(), 1u);
}
