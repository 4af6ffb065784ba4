// The bundled install folder data/install: it loads without loss and composes
// the names an engineer writes into sensible patterns and symbols.

#include "app/appcontext.h"
#include "app/docflows.h"
#include "app/masterfiles.h"
#include "document/fieldtext.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

namespace {

std::string bundled(const std::string& name)
{
    std::string bytes;
    EXPECT_TRUE(readFileBytes(std::string(QC_SOURCE_DIR) + "/data/install/" + name, bytes)) << name;
    return bytes;
}

GeologyMaster bundledMaster()
{
    GeologyMaster m;
    const std::string bytes = bundled("WdtvJCA.mst");
    EXPECT_EQ(m.parse(bytes, GeologyMaster::Vector), 660);
    m.parse(bytes, GeologyMaster::Bitmap);
    return m;
}

// The pattern numbers the vector library draws.
const std::set<long>& libraryNumbers()
{
    static const std::set<long> numbers = {
        1,     2,     3,     4,     5,     6,     7,     8,     10,    20,    30,    40,   50,   100,
        200,   300,   400,   500,   600,   700,   800,   900,   1100,  1200,  1300,  1400, 1500, 1600,
        1700,  2100,  2200,  2300,  2400,  2500,  2600,  2700,  2800,  2900,  3000,  3100, 3300, 3400,
        3500,  3600,  3800,  4100,  4200,  4300,  4400,  4500,  4600,  4700,  4800,  4900, 5000, 5100,
        5200,  6100,  6200,  6300,  6400,  6800,  6900,  8100,  8200,  8300,  8400,  8500, 8600, 8700,
        10000, 10001, 10002, 10003, 10004, 10091, 10092, 10093, 20001, 20002, 20100, 20200};
    return numbers;
}

// A code the fill draws: a library number, a base pattern with tens and units
// overlays, or a pair of base patterns side by side (90000 + first + second / 100).
bool drawable(long code)
{
    if (libraryNumbers().count(code)) return true;
    const auto isPart = [](long n) { return n == 0 || libraryNumbers().count(n) > 0; };
    if (code >= 90000 && code < 100000)
        return libraryNumbers().count((code - 90000) / 100 * 100) && libraryNumbers().count(code % 100 * 100);
    if (code > 100 && code < 10000)
        return libraryNumbers().count(code / 100 * 100) && isPart(code % 100 / 10 * 10) && isPart(code % 10);
    return false;
}

bool endsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

TEST(BundledInstallFolder, EveryFileIsCp932WithCrLf)
{
    for (const char* name : {"WdtvJCA.mst", "PtnvcJG.ndx", "Col.mst", "Kij.mst", "Jso.mst", "Hat.mst",
                             "Man.mst", "Sks.mst", "Dflt.bhc", "Help.txt", "Sys.ndx", "Font1.ndx",
                             "Font2.ndx", "Font3.ndx", "Font4.ndx", "Font5.ndx", "Font6.ndx"}) {
        const std::string bytes = bundled(name);
        ASSERT_FALSE(bytes.empty()) << name;
        EXPECT_TRUE(endsWith(bytes, "\r\n")) << name;
        size_t lf = 0, crlf = 0;
        for (size_t i = 0; i < bytes.size(); ++i)
            if (bytes[i] == '\n') {
                ++lf;
                crlf += i > 0 && bytes[i - 1] == '\r';
            }
        EXPECT_EQ(lf, crlf) << name;
        bool ok = true;
        (void)cp932::fromUtf8(cp932::toUtf8(bytes), &ok);
        EXPECT_TRUE(ok) << name;
        EXPECT_EQ(cp932::toUtf8(bytes).find("\xEF\xBF\xBD"), std::string::npos) << name; // no invalid bytes
    }
}

TEST(BundledInstallFolder, MasterLoadsWithoutLossAndFollowsTheSectionRules)
{
    const GeologyMaster m = bundledMaster();
    // Every line that is not a section line is an entry.
    int lines = 0;
    bool ended = false;
    forEachLine(bundled("WdtvJCA.mst"), [&](std::string_view l) {
        if (ended || l.size() < 2) return;
        if (l.find(sj("[終了")) != std::string_view::npos)
            ended = true;
        else if (l.find('[') != 0)
            ++lines;
    });
    ASSERT_EQ(static_cast<int>(m.entries(0).size()), lines);
    ASSERT_EQ(m.entries(1).size(), m.entries(0).size());
    EXPECT_LE(lines, GeologyMaster::kEntries);

    for (int section = 1; section <= 3; ++section)
        ASSERT_GT(m.last(0, section), m.first(0, section)) << section;
    for (const MasterEntry* e : m.section(0, 2)) {
        EXPECT_TRUE(endsWith(e->name, sj("り"))) << u8(e->name);
        EXPECT_GE(e->code, 1) << u8(e->name);
        EXPECT_LT(e->code, 10) << u8(e->name);
    }
    for (const MasterEntry* e : m.section(0, 3)) {
        EXPECT_TRUE(endsWith(e->name, sj("質"))) << u8(e->name);
        EXPECT_GE(e->code, 10) << u8(e->name);
        EXPECT_LE(e->code, 90) << u8(e->name);
        EXPECT_EQ(e->code % 10, 0) << u8(e->name);
    }
    std::set<std::string> names;
    for (size_t i = 0; i < m.entries(0).size(); ++i) {
        const MasterEntry& v = m.entries(0)[i];
        const MasterEntry& b = m.entries(1)[i];
        EXPECT_TRUE(names.insert(v.name).second) << "duplicate " << u8(v.name);
        EXPECT_FALSE(v.text.empty()) << u8(v.name);
        EXPECT_TRUE(drawable(v.code)) << u8(v.name) << " " << v.code;
        EXPECT_EQ(v.code, b.code) << u8(v.name);
        EXPECT_EQ(v.digit, b.digit) << u8(v.name);
        EXPECT_TRUE(v.section != 1 || v.code >= 100) << u8(v.name);
    }
    // The names engineers expect to find.
    for (const char* name :
         {"表土",         "盛土",       "埋土",         "耕作土",       "粘土",         "シルト",
          "砂",           "細砂",       "中砂",         "粗砂",         "礫",           "砂礫",
          "玉石",         "腐植土",     "ピート",       "有機質土",     "高有機質土",   "火山灰質粘性土",
          "関東ローム",   "軽石",       "火山灰",       "泥岩",         "砂岩",         "礫岩",
          "頁岩",         "凝灰岩",     "石灰岩",       "チャート",     "花崗岩",       "安山岩",
          "玄武岩",       "流紋岩",     "片岩",         "片麻岩",       "蛇紋岩",       "粘板岩",
          "風化岩",       "軟岩",       "礫混じり",     "砂混じり",     "シルト混じり", "粘土混じり",
          "有機物混じり", "貝殻混じり", "腐植物混じり", "細粒分混じり", "砂質",         "シルト質",
          "粘土質",       "礫質",       "有機質",       "腐植質",       "火山灰質",     "細粒分質"})
        EXPECT_TRUE(names.count(sj(name))) << name;
}

TEST(BundledInstallFolder, ExampleNamesComposeAsDocumented)
{
    const GeologyMaster m = bundledMaster();
    struct Case
    {
        const char* name;
        const char* cell; // GeologyTable column 12
        const char* display;
    } cases[] = {
        {"礫混じり砂", "1501.1", "S-G"},
        {"砂質シルト", "510.2", "MS"},
        {"礫混じり砂質シルト", "511.2", "MS-G"},
        {"砂・シルト互層", "91505.3", "S/M"},
        {"有機質土", "900.2", "O"},
        {"シルト質砂", "1520.1", "SM"},
        {"礫質砂", "1540.1", "SG"},
        {"細粒分質砂", "1520.1", "SF"},
        {"細粒分混じり礫", "3304.1", "G-F"},
        {"砂質礫", "3310.1", "GS"},
        {"砂混じり粘土", "603.2", "C-S"},
        {"腐植質粘土", "650.2", "CO"},
        {"礫混じり腐植質粘土", "651.2", "CO-G"},
        {"粘土混じり砂礫", "1605.1", "GS-C"},
        {"貝殻混じりシルト", "508.2", "M-Sf"},
        {"礫混り砂", "1501.1", "S-G"},
        {"礫まじり砂", "1501.1", "S-G"},
        {"火山灰質粘性土", "5000.2", "V"},
        {"高有機質土", "1700.2", "Pt"},
        {"砂質土", "1500.1", "S"},
        {"シルト･粘土互層", "90506.2", "M/C"},
        {"盛土", "10000.0", "B"},
        {"礫混じり盛土", "10000.0", "B-G"},
        {"風化花崗岩", "2100.0", "Gr"},
    };
    Document doc;
    for (const Case& c : cases) {
        Composition r = ComposeName(m, sj(c.name));
        char cell[48];
        std::snprintf(cell, sizeof cell, "%ld.%d", r.code, r.digit);
        EXPECT_EQ(std::string(cell), c.cell) << c.name;
        EXPECT_EQ(u8(r.display), c.display) << c.name;
    }
}

// Names as engineers write them on real logs: both spellings of a mixture,
// rocks whose names end in another rock's name, alternations without "・".
TEST(BundledInstallFolder, EverydayNamesComposeToTheirOwnPatternAndSymbol)
{
    const GeologyMaster m = bundledMaster();
    struct Case
    {
        const char* name;
        const char* cell; // GeologyTable column 12
        const char* display;
    } cases[] = {
        {"マサ土", "2200.1", "S"},
        {"まさ土", "2200.1", "S"},
        {"真砂土", "2200.1", "S"},
        {"黒ボク", "5050.2", "OV"},
        {"砂混じり黒ボク土", "5053.2", "OV-S"},
        {"盛り土", "10000.0", "B"},
        {"埋め土", "10001.0", "B"},
        {"転石", "6800.1", "Bo"},
        {"玉石まじり砂礫", "1602.1", "GS-Cb"},
        {"玉石混じり砂礫", "1602.1", "GS-Cb"},
        {"転石混じり砂礫", "1602.1", "GS-Bo"},
        {"転石まじり砂礫", "1602.1", "GS-Bo"},
        {"転石混り砂礫", "1602.1", "GS-Bo"},
        {"貝殻混じり細砂", "4508.1", "S-Sf"},
        {"貝殻片まじり砂", "1508.1", "S-Sf"},
        {"砂礫まじり砂", "1501.1", "S-GS"},
        {"シルトまじり砂", "1504.1", "S-M"},
        {"粘土まじり砂礫", "1605.1", "GS-C"},
        {"細粒分まじり礫", "3304.1", "G-F"},
        {"有機物まじり粘土", "607.2", "C-O"},
        {"腐植物まじりシルト", "506.2", "M-O"},
        {"植物根まじり砂", "1506.1", "S-O"},
        {"木片まじり粘土", "606.2", "C-Wd"},
        {"軽石まじりシルト", "502.2", "M-Pm"},
        {"火山灰まじり砂", "1503.1", "S-V"},
        {"礫まじりシルト質砂", "1521.1", "SM-G"},
        {"砂まじり粘土質シルト", "533.2", "MC-S"},
        {"礫まじり盛土", "10000.0", "B-G"},
        {"凝灰角礫岩", "8301.0", "Tb"},
        {"火山礫凝灰岩", "5100.0", "Lt"},
        {"溶結凝灰岩", "8300.0", "Wt"},
        {"角礫岩", "6900.0", "Br"},
        {"火山角礫岩", "3001.0", "Vb"},
        {"泥質片岩", "820.0", "SchM"},
        {"風化泥質片岩", "820.0", "SchM"},
        {"砂質片岩", "810.0", "SchS"},
        {"風化砂質片岩", "810.0", "SchS"},
        {"緑色片岩", "6200.0", "GSch"},
        {"黒色片岩", "850.0", "BSch"},
        {"千枚岩", "4800.0", "Ph"},
        {"珪質頁岩", "4300.0", "Sish"},
        {"花崗閃緑岩", "2100.0", "Gd"},
        {"石英閃緑岩", "2300.0", "Qd"},
        {"玄武岩質安山岩", "3000.0", "BAn"},
        {"石英安山岩", "3000.0", "Da"},
        {"輝緑岩", "3100.0", "Db"},
        {"凝灰質砂岩", "4640.0", "SsT"},
        {"砂質泥岩", "4910.0", "MsS"},
        {"砂岩泥岩互層", "94649.0", "Ss/Ms"},
        {"砂岩・泥岩互層", "94649.0", "Ss/Ms"},
        {"砂泥互層", "94649.0", "Ss/Ms"},
        {"泥岩砂岩互層", "94946.0", "Ms/Ss"},
        {"泥岩・砂岩互層", "94946.0", "Ms/Ss"},
        {"砂岩頁岩互層", "94643.0", "Ss/Sh"},
        {"砂岩・頁岩互層", "94643.0", "Ss/Sh"},
        {"凝灰岩泥岩互層", "98349.0", "Tf/Ms"},
        {"凝灰岩・泥岩互層", "98349.0", "Tf/Ms"},
        {"砂シルト互層", "91505.3", "S/M"},
        {"シルト粘土互層", "90506.2", "M/C"},
        {"シルト・粘土互層", "90506.2", "M/C"},
    };
    for (const Case& c : cases) {
        Composition r = ComposeName(m, sj(c.name));
        char cell[48];
        std::snprintf(cell, sizeof cell, "%ld.%d", r.code, r.digit);
        EXPECT_EQ(std::string(cell), c.cell) << c.name;
        EXPECT_EQ(u8(r.display), c.display) << c.name;
    }
}

// Every mixture word is there in both spellings, with the same symbol and overlay.
TEST(BundledInstallFolder, MixturesComeInBothSpellings)
{
    const GeologyMaster m = bundledMaster();
    std::map<std::string, const MasterEntry*> byName;
    for (const MasterEntry* e : m.section(0, 2)) byName[u8(e->name)] = e;
    for (const auto& [name, e] : byName) {
        const bool kanji = endsWith(name, "混じり");
        const std::string word =
            name.substr(0, name.size() - std::string(kanji ? "混じり" : "まじり").size());
        const std::string other = word + (kanji ? "まじり" : "混じり");
        ASSERT_TRUE(byName.count(other)) << name;
        EXPECT_EQ(byName[other]->text, e->text) << name;
        EXPECT_EQ(byName[other]->code, e->code) << name;
    }
}

// A mixture symbol reads as the material it names: it may equal a base symbol
// only where the two are the same soil.
TEST(BundledInstallFolder, MixtureSymbolsClashWithNoOtherBaseSymbol)
{
    const GeologyMaster m = bundledMaster();
    const std::set<std::string> shared = {"G", "S", "M", "C", "F", "O", "V", "GS", "Cb", "Bo", "Pm"};
    std::set<std::string> baseSymbols;
    for (const MasterEntry* e : m.section(0, 1)) baseSymbols.insert(e->text);
    for (const MasterEntry* e : m.section(0, 2)) {
        ASSERT_EQ(e->text.rfind('-', 0), 0u) << u8(e->name);
        const std::string symbol = e->text.substr(1);
        EXPECT_TRUE(!baseSymbols.count(symbol) || shared.count(symbol)) << u8(e->name) << " " << e->text;
    }
}

// A base name with a qualifier in front ("風化" + name) leaves the exact-name
// path; it must still find its own entry, not a shorter name it contains or an
// adjective it starts with. Alternations and names with "り" need the exact name.
TEST(BundledInstallFolder, QualifiedBaseNamesComposeLikeTheirEntry)
{
    const GeologyMaster m = bundledMaster();
    for (const MasterEntry* e : m.section(0, 1)) {
        if (e->name.find(sj("互層")) != std::string::npos || e->name.find(sj("り")) != std::string::npos)
            continue;
        const Composition exact = ComposeName(m, e->name);
        const Composition qualified = ComposeName(m, sj("風化") + e->name);
        EXPECT_EQ(qualified.code, exact.code) << u8(e->name);
        EXPECT_EQ(qualified.digit, exact.digit) << u8(e->name);
        EXPECT_EQ(u8(qualified.display), u8(exact.display)) << u8(e->name);
    }
}

TEST(BundledInstallFolder, PatternColoursCoverTheLibraryAndTheMaster)
{
    PatternColourTable t;
    t.parse(bundled("PtnvcJG.ndx"));
    EXPECT_LE(t.pairs().size(), PatternColourTable::kCapacity);
    std::set<long> numbers;
    for (const auto& p : t.pairs()) {
        EXPECT_TRUE(libraryNumbers().count(p.number)) << p.number;
        EXPECT_TRUE(numbers.insert(p.number).second) << "duplicate " << p.number;
        EXPECT_LE(p.colour, 0xFFFFFFu);
    }
    EXPECT_EQ(numbers, libraryNumbers());
    // Five fields, each followed by a comma, as the master editor writes them.
    forEachLine(bundled("PtnvcJG.ndx"), [](std::string_view l) {
        if (l.find('[') == 0) return;
        EXPECT_EQ(CsvSplit(l).size(), 5u) << l;
        EXPECT_EQ(l.back(), ',');
    });
}

TEST(BundledInstallFolder, DefaultDocumentIsACurrentLogWithTheDesignatedSubstances)
{
    const std::string path = std::string(QC_SOURCE_DIR) + "/data/install/Dflt.bhc";
    Document doc;
    ScriptedPrompter p;
    int version = 0;
    ASSERT_EQ(LoadByPath(doc, path, p, &version), FlowResult::Done);
    EXPECT_EQ(version, logversion::Current);
    // The program writes it back byte for byte.
    EXPECT_EQ(WriteLog(doc), bundled("Dflt.bhc"));

    Document seeded;
    seedFromDefaultDocument(seeded, bundled("Dflt.bhc"));
    std::map<std::string, std::pair<std::string, std::string>> tests; // name: unit, reference
    for (int r = 1; r <= limits::TestName; ++r)
        if (!seeded.TestNameTable(r, TestCol::Name).empty())
            tests[u8(seeded.TestNameTable(r, TestCol::Name))] = {
                u8(seeded.TestNameTable(r, TestCol::Unit)), u8(seeded.TestNameTable(r, TestCol::Reference))};
    struct Expect
    {
        const char* name;
        const char* unit;
        const char* reference;
    } expected[] = {
        {"クロロエチレン", "mg/L", "0.002"},
        {"四塩化炭素", "mg/L", "0.002"},
        {"1，2-ジクロロエタン", "mg/L", "0.004"},
        {"1，1-ジクロロエチレン", "mg/L", "0.1"},
        {"1，2-ジクロロエチレン", "mg/L", "0.04"},
        {"1，3-ジクロロプロペン", "mg/L", "0.002"},
        {"ジクロロメタン", "mg/L", "0.02"},
        {"テトラクロロエチレン", "mg/L", "0.01"},
        {"1，1，1-トリクロロエタン", "mg/L", "1"},
        {"1，1，2-トリクロロエタン", "mg/L", "0.006"},
        {"トリクロロエチレン", "mg/L", "0.01"},
        {"ベンゼン", "mg/L", "0.01"},
        {"カドミウム", "mg/L", "0.003"},
        {"六価クロム", "mg/L", "0.05"},
        {"シアン", "mg/L", "検出されないこと"},
        {"水銀", "mg/L", "0.0005"},
        {"セレン", "mg/L", "0.01"},
        {"鉛", "mg/L", "0.01"},
        {"砒素", "mg/L", "0.01"},
        {"ふっ素", "mg/L", "0.8"},
        {"ほう素", "mg/L", "1"},
        {"シマジン", "mg/L", "0.003"},
        {"チオベンカルブ", "mg/L", "0.02"},
        {"チウラム", "mg/L", "0.006"},
        {"PCB", "mg/L", "検出されないこと"},
        {"有機燐", "mg/L", "検出されないこと"},
        {"カドミウム(含有量)", "mg/kg", "45"},
        {"六価クロム(含有量)", "mg/kg", "250"},
        {"遊離シアン(含有量)", "mg/kg", "50"},
        {"水銀(含有量)", "mg/kg", "15"},
        {"セレン(含有量)", "mg/kg", "150"},
        {"鉛(含有量)", "mg/kg", "150"},
        {"砒素(含有量)", "mg/kg", "150"},
        {"ふっ素(含有量)", "mg/kg", "4000"},
        {"ほう素(含有量)", "mg/kg", "4000"},
        {"1，4-ジオキサン", "mg/L", "0.05"},
    };
    for (const Expect& e : expected) {
        ASSERT_TRUE(tests.count(e.name)) << e.name;
        EXPECT_EQ(tests[e.name].first, e.unit) << e.name;
        EXPECT_EQ(tests[e.name].second, e.reference) << e.name;
    }
    // Every slot of the five graphs names a defined test; log graphs have their scale.
    for (int g = 1; g <= 5; ++g) {
        EXPECT_FALSE(seeded.GraphFormatTable(g, 1, 1).empty()) << g;
        int slots = 0;
        for (int r = 5; r <= 14; ++r) {
            const std::string& no = seeded.GraphFormatTable(g, r, 1);
            if (no.empty()) continue;
            ++slots;
            const int n = cellInt(no);
            ASSERT_GE(n, 1);
            EXPECT_EQ(seeded.GraphFormatTable(g, r, 2), seeded.TestNameTable(n, TestCol::Name));
            if (seeded.GraphFormatTable(g, 4, 1) == "1") {
                EXPECT_GT(cellDouble(seeded.GraphFormatTable(g, r, 8)), 0) << g << " " << r;
                EXPECT_GT(cellDouble(seeded.GraphFormatTable(g, r, 9)),
                          cellDouble(seeded.GraphFormatTable(g, r, 8)));
            } else {
                EXPECT_GT(cellDouble(seeded.GraphFormatTable(g, r, 5)),
                          cellDouble(seeded.GraphFormatTable(g, r, 4)));
            }
        }
        EXPECT_GT(slots, 0) << g;
    }
}

TEST(BundledInstallFolder, SettingsAndFontsAreTheBuiltInOnes)
{
    EXPECT_EQ(bundled("Sys.ndx"), formatSettings(builtinSettings()));
    const FontSettings builtin = builtinFonts();
    for (int n = 1; n <= 6; ++n) {
        const std::string bytes = bundled("Font" + std::to_string(n) + ".ndx");
        EXPECT_EQ(parseFontFile(bytes, n), builtin[n]) << n;
        EXPECT_EQ(bytes, formatFontFile(builtin[n])) << n;
    }
    // The phrase files fill their lists.
    for (const char* name : {"Col.mst", "Kij.mst", "Jso.mst", "Hat.mst", "Man.mst", "Sks.mst"}) {
        std::vector<std::string> phrases = parsePhrases(bundled(name));
        EXPECT_GE(phrases.size(), 3u) << name;
        EXPECT_LE(phrases.size(), 80u) << name;
    }
}
