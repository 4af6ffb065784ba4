// The full-width alphanumeric check: the containment test (two tables, the
// upper-casing of full-width letters, characters walked whole), byte limits
// that never split a character, the full report with its sections, formats
// and limits, and the notes dialog's report.

#include "dialogs/fullwidthcheck.h"
#include "document/positions.h"
#include "document/tables.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

TEST(FullWidthCheck, ContainmentTest)
{
    struct Case
    {
        std::string text; // CP932
        bool expected;
        const char* why;
    } cases[] = {
        {sj("ＳＭ粘土"), true, "full-width capitals"},
        {sj("SM粘土"), false, "half-width capitals"},
        {sj("ａｂ"), true, "full-width lower case, upper-cased first"},
        {sj("ｘ"), true, "one full-width lower-case letter"},
        {sj("１０ｍ"), true, "full-width digits"},
        {sj("㎜"), true, "a unit symbol"},
        {sj("③層"), true, "a circled number"},
        {sj("Ⅱ"), true, "a Roman numeral"},
        {sj("褐灰色"), false, "kanji only"},
        {"A", false, "one byte"},
        {"ab", false, "half-width letters"},
        {"", false, "empty"},
        {"\x8d\x82`", false, "the trail byte of 高 and a backquote are no Ａ"},
        {"\x82", false, "a lone lead byte"},
    };
    for (const Case& c : cases) EXPECT_EQ(containsFullWidthAlnum(c.text), c.expected) << c.why;
    EXPECT_EQ(upperCaseCp932(sj("aｂ高Ｃ")), sj("AＢ高Ｃ"));
}

TEST(FullWidthCheck, FirstBytesNeverSplitsACharacter)
{
    EXPECT_EQ(firstBytes(sj("あいうえおかきくけこさしす"), 20), sj("あいうえおかきくけこ"));
    EXPECT_EQ(firstBytes(sj("aあいうえおかきくけこさ"), 20), sj("aあいうえおかきくけ"));
    EXPECT_EQ(firstBytes("short", 20), "short");
}

TEST(FullWidthReport, NothingFound)
{
    Document doc;
    doc.HeaderTable(HeaderEntry::SurveyName) = sj("地下水調査");
    doc.GeologyTable(1, GeologyCol::Depth) = "1.00";
    doc.GeologyTable(1, GeologyCol::Name) = sj("砂");
    doc.NoteTable(1, NoteCol::Text) = "a";
    EXPECT_EQ(u8(fullWidthReport(doc)), "　無し");
}

TEST(FullWidthReport, SectionsFormatsAndLineBreaks)
{
    Document doc;
    doc.HeaderTable(HeaderEntry::Location) = sj("東京都Ａ区");
    doc.HeaderTable(HeaderEntry::BoringNumber) = sj("Ｂ－１");
    doc.HeaderTable(HeaderEntry::Memo) = sj("Ｍ"); // entry 33 is outside the scope
    doc.GeologyTable(1, GeologyCol::Depth) = "1.00";
    doc.GeologyTable(1, GeologyCol::Name) = sj("ＳＭ粘土");
    doc.GeologyTable(2, GeologyCol::Depth) = "2.50";
    doc.GeologyTable(2, GeologyCol::Name) = sj("砂");
    doc.GeologyTable(2, GeologyCol::AuxName) = sj("ｍ混じり");
    doc.GeologyTable(2, GeologyCol::Tone) = sj("灰Ｇ");
    doc.NoteTable(1, NoteCol::Top) = "0.00";
    doc.NoteTable(1, NoteCol::Bottom) = "1.00";
    doc.NoteTable(1, NoteCol::Text) = sj("含水比\r\n２０％\r\n");
    doc.WaterLevelTable(1, WaterCol::Level) = "-2.10";
    doc.WaterLevelTable(1, WaterCol::Date) = sj("４/10");
    doc.TestNameTable(3, TestCol::Unit) = sj("ｍｇ/Ｌ");
    doc.GraphFormatTable(2, 1, 1) = sj("含有量ｍｇ");
    EXPECT_EQ(u8(fullWidthReport(doc)), "▼見出し\r\n"
                                        "(3) 東京都Ａ区  \r\n"
                                        "(27) Ｂ－１  \r\n"
                                        "▼地質 色調\r\n"
                                        "( 1.00 m ) ＳＭ粘土  \r\n"
                                        "( 2.50 m ) ｍ混じり  灰Ｇ \r\n"
                                        "▼観察記事\r\n"
                                        "( 0.00m - 1.00m ) 含水比/２０％/  \r\n"
                                        "▼孔内水位\r\n"
                                        "( -2.10m ) ４/10  \r\n"
                                        "▼試験データ 試験名と単位\r\n"
                                        "( 3 ) ｍｇ/Ｌ  \r\n"
                                        "▼グラフ書式(項目部)\r\n"
                                        "(グラフ2) 含有量ｍｇ  \r\n");
}

TEST(FullWidthReport, LimitsPerSectionAndTextLength)
{
    Document doc;
    for (int e = 1; e <= 12; ++e) doc.HeaderTable(e) = sj("Ａ");
    for (int r = 1; r <= 5; ++r) {
        doc.GeologyTable(r, GeologyCol::Depth) = std::to_string(r) + ".00";
        doc.GeologyTable(r, GeologyCol::Name) = sj("Ｇ１２３４５６７８９０１２３４５");
    }
    const std::string report = u8(fullWidthReport(doc));
    std::string expected = "▼見出し\r\n";
    for (int e = 1; e <= 11; ++e) expected += "(" + std::to_string(e) + ") Ａ  \r\n";
    expected += "  - -\r\n▼地質 色調\r\n";
    // "%.20s" keeps 20 bytes: ten full-width characters.
    for (int r = 1; r <= 4; ++r) expected += "( " + std::to_string(r) + ".00 m ) Ｇ１２３４５６７８９  \r\n";
    expected += "  - -\r\n";
    EXPECT_EQ(report, expected);
}

TEST(FullWidthReport, NotesDialogVariant)
{
    EXPECT_EQ(u8(notesFullWidthReport({{"0.00", "1.00", sj("砂")}})), "全角英数字　無し");
    std::vector<NoteText> notes = {
        {"0.00", "1.00", sj("砂")}, {"1.00", "2.00", sj("ＮＯ.1\r\n臭気")},
        {"2.00", "3.00", sj("ａ")}, {"3.00", "4.00", sj("②")},
        {"4.00", "5.00", sj("Ｘ")}, {"5.00", "6.00", sj("Ｙ")},
    };
    EXPECT_EQ(u8(notesFullWidthReport(notes)), "全角英数字が含まれています\r\n"
                                               "( 1.00m - 2.00m ) ＮＯ.1/臭気  \r\n"
                                               "( 2.00m - 3.00m ) ａ  \r\n"
                                               "( 3.00m - 4.00m ) ②  \r\n"
                                               "  - -\r\n");
}
