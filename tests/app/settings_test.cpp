// The settings file, the font files, the pattern colour table, the short-text
// files and the default document.

#include "app/masterfiles.h"
#include "app/patterncolours.h"
#include "app/settings.h"
#include "app/viewstate.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <vector>

using namespace qc;
using qc::test::sj;
using qc::test::TempDir;
using qc::test::u8;

namespace {

// A settings file whose line n holds lines[n] (CR LF ends).
std::string settingsBytes(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

std::vector<std::string> splitCrlf(const std::string& bytes)
{
    std::vector<std::string> lines;
    forEachLine(bytes, [&](std::string_view l) { lines.emplace_back(l); });
    return lines;
}

} // namespace

TEST(SettingsFile, MarginsAreClampedAndLine2IsSetAfterReading)
{
    struct Case
    {
        const char* value;
        int margin;
    } cases[] = {{"0", 5}, {"150", 5}, {"1", 1}, {"100", 100}, {"101", 5}, {"-3", 5}, {"abc", 5}, {"12", 12}};
    for (const Case& c : cases) {
        std::vector<std::string> lines(71, "0");
        lines[51] = c.value;
        lines[52] = c.value;
        Settings s = parseSettings(settingsBytes(lines));
        applySettingsLoadRules(s);
        EXPECT_EQ(s.marginLeftMm(), c.margin) << c.value;
        EXPECT_EQ(s.marginTopMm(), c.margin) << c.value;
        EXPECT_EQ(s.intAt(2), 1);
    }
    // The built-in settings go through the same rules.
    Settings builtin = builtinSettings();
    builtin.setInt(51, 0);
    applySettingsLoadRules(builtin);
    EXPECT_EQ(builtin.marginLeftMm(), 5);
}

TEST(SettingsFile, AnOverlapNotBelowThePageDepthBecomesZeroWhenRead)
{
    struct Case
    {
        int depthPerPage, overlap, expected;
    } cases[] = {
        {20, 5, 5},   {20, 19, 19}, {20, 20, 0},
        {20, 500, 0}, {20, -3, 0},  {0, 7, 7}, // 0: a default comes later
    };
    for (const Case& c : cases) {
        Settings s = builtinSettings();
        s.setInt(53, c.depthPerPage);
        s.setInt(54, c.overlap);
        ViewState view;
        view.loadScaleSettings(s);
        EXPECT_EQ(view.pageOverlap, c.expected) << c.depthPerPage << " " << c.overlap;
        EXPECT_EQ(view.depthPerPage, c.depthPerPage);
    }
}

TEST(SettingsFile, ReadsIntegersTextsAndSkipsInformationLines)
{
    std::vector<std::string> lines(71, " ");
    lines[0] = "999";
    lines[3] = "  7";
    lines[8] = "+3";
    lines[9] = "x";           // not numeric: 0
    lines[31] = "";           // not numeric: 1 for the Enter key mode
    lines[34] = sj("ちがう"); // written, never read back
    lines[37] = "/old/path";  // information only
    lines[49] = sj("（株）サンプル地質");
    lines[57] = "0x0000ff";
    Settings s = parseSettings(settingsBytes(lines));
    EXPECT_EQ(s.graphTickMm(), 7);
    EXPECT_EQ(s.frameWidth(), 3);
    EXPECT_EQ(s.ruleWidth(), 0);
    EXPECT_EQ(s.enterKeyMode(), 1);
    EXPECT_EQ(u8(s.selfSinkingText()), "自沈");
    EXPECT_EQ(s.textAt(37), "");
    EXPECT_EQ(u8(s.companyName()), "（株）サンプル地質");
    EXPECT_EQ(s.gridColour(0), 0x0000ffu);
    EXPECT_EQ(s.textAt(0), "780");

    // A short file keeps the built-in values of the lines it lacks.
    Settings shortFile = parseSettings("780\r\n1\r\n1\r\n20\r\n");
    EXPECT_EQ(shortFile.graphTickMm(), 20);
    EXPECT_EQ(shortFile.frameWidth(), 2);
    EXPECT_EQ(u8(shortFile.companyName()), "株式会社");
}

TEST(SettingsFile, LongLineIsCutWithoutShiftingTheLinesAfterIt)
{
    std::vector<std::string> lines(71, "0");
    lines[49] = std::string(200, 'N');
    lines[50] = "03-0000-0000";
    lines[51] = "9";
    Settings s = parseSettings(settingsBytes(lines));
    EXPECT_EQ(s.companyName(), std::string(118, 'N'));
    EXPECT_EQ(s.telephone(), "03-0000-0000");
    EXPECT_EQ(s.marginLeftMm(), 9);
}

TEST(SettingsFile, WriterLayoutAndRoundTrip)
{
    Settings s = builtinSettings();
    s.setInt(53, 20);
    s.setText(50, "03-0000-0000");
    const std::string bytes = formatSettings(s);
    std::vector<std::string> lines = splitCrlf(bytes);
    ASSERT_EQ(lines.size(), 71u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], "780");
    EXPECT_EQ(lines[24], " "); // not a setting
    EXPECT_EQ(lines[70], " ");
    EXPECT_EQ(lines[53], "20");
    EXPECT_EQ(u8(lines[35]), "貫入不能");
    EXPECT_EQ(lines[57], "0x808080");
    EXPECT_EQ(lines[37], ""); // a text line, empty until the paths are composed
    Settings again = parseSettings(bytes);
    EXPECT_TRUE(again.sameLines(s));
    EXPECT_EQ(formatSettings(again), bytes);

    TempDir dir;
    ASSERT_TRUE(writeSettingsFile(dir.file("Sys.ndx"), s));
    std::string onDisk;
    ASSERT_TRUE(readFileBytes(dir.file("Sys.ndx"), onDisk));
    EXPECT_EQ(onDisk, bytes);
    EXPECT_FALSE(writeSettingsFile(dir.file("missing/Sys.ndx"), s));
}

TEST(FontFiles, SizeLimitsPerFile)
{
    struct Case
    {
        int file;
        const char* size;
        double points;
    } cases[] = {
        {1, "500", 10}, {1, "400", 400}, {1, "1", 10},  {1, "1.5", 1.5}, {2, "100", 100}, {2, "100.5", 8},
        {3, "0", 8},    {4, "1", 7},     {4, "12", 12}, {5, "-4", 8},    {6, "101", 9},   {6, "x", 9},
    };
    for (const Case& c : cases) {
        FontRole f = parseFontFile(std::string(c.size) + "\r\n", c.file);
        EXPECT_DOUBLE_EQ(f.points, c.points) << c.file << " " << c.size;
    }
}

TEST(FontFiles, ReadAndWrite)
{
    FontRole f = parseFontFile(sj("9.5\r\nＭＳ ゴシック\r\n0xff\r\n1\r\n"), 2);
    EXPECT_DOUBLE_EQ(f.points, 9.5);
    EXPECT_EQ(u8(f.face), "ＭＳ ゴシック");
    EXPECT_EQ(f.colour, 255u);
    EXPECT_TRUE(f.underline());

    FontRole decimal = parseFontFile("8\r\n\r\n65280\r\n", 3);
    EXPECT_EQ(u8(decimal.face), "ＭＳ 明朝"); // an empty face
    EXPECT_EQ(decimal.colour, 0xff00u);
    EXPECT_EQ(decimal.option, 0);

    FontRole w{9.75, sj("ＭＳ 明朝"), 0x0000ff, 1};
    EXPECT_EQ(formatFontFile(w), sj("9.8\r\nＭＳ 明朝\r\n255\r\n1\r\n"));
    FontRole back = parseFontFile(formatFontFile(w), 5);
    EXPECT_DOUBLE_EQ(back.points, 9.8);
    EXPECT_EQ(back.colour, 255u);

    EXPECT_EQ(u8(defaultFontFace(FontSettings::Items)), "ＭＳ Ｐ明朝");
    EXPECT_DOUBLE_EQ(builtinFonts()[FontSettings::Notes].points, 7);
    EXPECT_DOUBLE_EQ(builtinFonts()[FontSettings::Body].points, 8);
}

TEST(PatternColours, ParseRules)
{
    PatternColourTable t;
    t.parse(sj("[単位の重ね模様],\r\n"
               "x\r\n"
               "600,0x008040,0x008040,C,粘土,\r\n"
               "600,0x0000ff,,,,\r\n"                  // a second pair for 600: the first wins
               "8500,0x142830,0x142830,Pt,ピート,\r\n" // "ー" has "[" as its trail byte
               "8600,0x0000ff,0x0000ff,Hn,本,\r\n"     // "本" has "{" as its trail byte
               "8700,0x00ff00,,,表土,\r\n"             // "\\" in "表"
               "{note},1,\r\n"
               "abc,5,\r\n"
               "500,010,\r\n" // leading 0: octal
               "200,255,\r\n"));
    ASSERT_EQ(t.pairs().size(), 7u);
    EXPECT_EQ(t.colourOf(600), 0x008040u);
    EXPECT_EQ(t.colourOf(8500), 0x142830u);
    EXPECT_EQ(t.colourOf(8600), 0x0000ffu);
    EXPECT_EQ(t.colourOf(8700), 0x00ff00u);
    EXPECT_EQ(t.colourOf(500), 8u);
    EXPECT_EQ(t.colourOf(200), 255u);
    EXPECT_EQ(t.colourOf(1234), 0u);

    std::string many;
    for (int i = 1; i <= 130; ++i) many += std::to_string(i) + ",1,\r\n";
    t.parse(many);
    EXPECT_EQ(t.pairs().size(), 110u);
    EXPECT_EQ(t.colourOf(111), 0u);
}

TEST(PatternColours, MissingFileKeepsTheTable)
{
    PatternColourTable t;
    t.parse("600,5,\r\n");
    ScriptedPrompter p;
    LoadPatternColours(t, "/nonexistent/PtnvcJG.ndx", p);
    EXPECT_EQ(t.colourOf(600), 5u);
    ASSERT_EQ(p.texts().size(), 1u);
    EXPECT_EQ(u8(p.texts()[0]), "ファイルが見つかりません\n( /nonexistent/PtnvcJG.ndx )");
}

TEST(ShortTextFiles, FirstFieldPerLineAtMost80)
{
    std::string bytes = sj("暗灰,\r\n\r\n灰,メモ\r\n,x\r\n\"褐,色\",\r\n");
    std::vector<ShortText> all = parseShortTexts(bytes);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(u8(all[1].extra), "メモ");
    std::vector<std::string> phrases = parsePhrases(bytes);
    ASSERT_EQ(phrases.size(), 3u);
    EXPECT_EQ(u8(phrases[0]), "暗灰");
    EXPECT_EQ(u8(phrases[2]), "褐,色");

    std::string ninety;
    for (int i = 0; i < 90; ++i) ninety += "p" + std::to_string(i) + ",\r\n";
    EXPECT_EQ(parsePhrases(ninety).size(), 80u);

    std::vector<std::string> out;
    EXPECT_FALSE(loadPhrases("/nonexistent/Col.mst", out));
}

TEST(DefaultDocument, SeedsDisplayItemsGraphFormatsAndTestNames)
{
    std::string bytes = "$$_QVOR780\r\n$$Z\r\nheader line\r\n$$A\r\n1.00,sand\r\n$$o\r\n";
    for (int r = 1; r <= 17; ++r) bytes += "1," + std::to_string(r) + ".0,2.0,T" + std::to_string(r) + "\r\n";
    bytes += "$$p\r\n";
    for (int g = 1; g <= 6; ++g)
        for (int r = 1; r <= 14; ++r)
            bytes += "g" + std::to_string(g) + "r" + std::to_string(r) + ",2,3,4,5,6,7,8,9,10,11\r\n";
    bytes += "$$q\r\n";
    bytes += sj("鉛,mg/L,0.01,0.01,0.001,●,1.0,2,0x0000ff,1:2.5,3:-1,\r\n");
    bytes += sj("砒素,mg/L,,,,○,1.0,2,,\r\n");
    bytes += "$$x\r\n1.00,2.00,S-1\r\n";

    Document doc;
    seedFromDefaultDocument(doc, bytes);
    EXPECT_EQ(doc.DisplayItemTable(DisplayRow::Basic, DisplayCol::Width), "1.0");
    EXPECT_EQ(doc.DisplayItemTable(DisplayRow::DrillDate, DisplayCol::Title), "T16");
    EXPECT_EQ(doc.GraphFormatTable(1, 1, 1), "g1r1");
    EXPECT_EQ(doc.GraphFormatTable(2, 1, 1), "g2r1"); // the graph advances after row 14
    EXPECT_EQ(doc.GraphFormatTable(5, 14, 11), "11");
    EXPECT_EQ(u8(doc.TestNameTable(1, TestCol::Name)), "鉛");
    EXPECT_EQ(doc.TestNameTable(1, TestCol::Colour), "0x0000ff");
    EXPECT_EQ(doc.TestNameTable(1, TestCol::Shifts), "1:2.5"); // the list column gets the first value only
    EXPECT_EQ(u8(doc.TestNameTable(2, TestCol::Symbol)), "○");
    // Every other section is ignored.
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::SurveyName), "");
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Depth), "");
    EXPECT_EQ(doc.SampleTable(1, SampleCol::Top), "");

    ScriptedPrompter p;
    Document empty;
    EXPECT_FALSE(readDefaultDocument(empty, "/nonexistent/Dflt.bhc", p));
    ASSERT_EQ(p.texts().size(), 1u);
    EXPECT_EQ(p.texts()[0], "not found /nonexistent/Dflt.bhc");
}
