// The log file: writer layout, reader sections of every version, version detection.

#include "document/logfile.h"
#include "document/positions.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::dataPath;
using qc::test::sj;

namespace {

std::string fileBytes(const std::string& name)
{
    std::string bytes;
    EXPECT_TRUE(readFileBytes(dataPath(name), bytes)) << name;
    return bytes;
}

// Loads a log text into doc as the standard open path does.
int load(Document& doc, const std::string& bytes, int maxLines = 6)
{
    TokenLine token = findTokenLine(bytes, maxLines);
    readLogText(doc, bytes, token);
    return token.version;
}

std::vector<std::string> lines(const std::string& bytes)
{
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find("\r\n", pos);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) break;
        out.push_back(bytes.substr(pos, end - pos));
        pos = end + 2;
    }
    return out;
}

} // namespace

TEST(LogFile, CurrentFormatRoundTripsByteForByte)
{
    const std::string original = fileBytes("current.bhc");
    Document doc;
    ASSERT_EQ(load(doc, original), logversion::Current);
    EXPECT_EQ(doc.modified, 0);
    EXPECT_EQ(WriteLog(doc), original);
}

TEST(LogFile, ReadsEverySectionOfTheCurrentFormat)
{
    Document doc;
    load(doc, fileBytes("current.bhc"));
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::SurveyName), sj("土壌汚染状況調査"));
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LatitudeDeg), "35");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LatitudeSec), "12.5");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LongitudeDeg), "139");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LongitudeSec), "30.0");
    EXPECT_EQ(geologyRowCount(doc), 3);
    EXPECT_EQ(doc.GeologyTable(3, GeologyCol::Suffix), sj("互層"));
    EXPECT_EQ(doc.SpareIntervalTable(1, 6), "e");
    EXPECT_EQ(doc.NoteTable(1, NoteCol::Text), sj("含水中位\r\n貝殻片混入\r\n"));
    EXPECT_EQ(doc.NoteTable(1, NoteCol::Underline), "1");
    EXPECT_EQ(doc.NoteTable(2, NoteCol::Hidden), "x");
    EXPECT_EQ(doc.NoteTable(2, NoteCol::Underline), "0");
    EXPECT_EQ(doc.StratumTable(1, StratumCol::Name), sj("盛土層"));
    EXPECT_EQ(doc.WaterLevelTable(2, WaterCol::Note), sj("自噴"));
    EXPECT_EQ(doc.DrillDateTable(1, DrillDateCol::Date), "4/12");
    EXPECT_EQ(doc.FreeColumnTable(1, FreeCol::Underline), "1");
    EXPECT_EQ(doc.CasingTable(1, CasingCol::PipeKind), "VP50");
    EXPECT_EQ(doc.DisplayItemTable(DisplayRow::Basic, DisplayCol::Title), sj("現場土質名"));
    EXPECT_EQ(doc.GraphFormatTable(1, 1, 1), sj("タイトル1"));
    EXPECT_EQ(doc.TestNameTable(1, TestCol::Colour), "0x0000ff");
    EXPECT_EQ(doc.TestNameTable(1, TestCol::Shifts), "1:2.5,3:-1,");
    EXPECT_EQ(doc.TestNameTable(2, TestCol::Shifts), "");
    EXPECT_EQ(doc.SampleTable(1, SampleCol::test(1)), "0.001");
    EXPECT_EQ(doc.SampleTable(2, SampleCol::Method), "D");
}

TEST(LogFile, EmptyDocumentLayout)
{
    Document doc;
    const std::vector<std::string> l = lines(WriteLog(doc));
    std::vector<std::string> expected = {"$$_QVOR780", "$$Z"};
    for (int i = 0; i < 80; ++i) expected.push_back("");
    for (const char* m : {"$$A", "$$C", "$$K", "$$N", "$$W", "$$H", "$$r", "$$T"}) expected.push_back(m);
    expected.push_back("$$o");
    for (int i = 0; i < 16; ++i) expected.push_back(",,,");
    expected.push_back("$$p");
    for (int i = 0; i < 70; ++i) expected.push_back(std::string(10, ','));
    expected.push_back("$$q");
    for (int i = 0; i < 48; ++i) expected.push_back(std::string(9, ','));
    expected.push_back("$$x");
    expected.push_back(std::string(59, ','));
    EXPECT_EQ(l, expected);
}

TEST(LogFile, NoteTextGetsItsLineEndAndTheBelLine)
{
    Document doc;
    doc.NoteTable(1, NoteCol::Top) = "0.00";
    doc.NoteTable(1, NoteCol::Bottom) = "1.00";
    doc.NoteTable(1, NoteCol::Text) = "ab";
    doc.NoteTable(1, NoteCol::Underline) = "1";
    const std::string out = WriteLog(doc);
    EXPECT_NE(out.find("$$K\r\n0.00\r\n1.00\r\n\r\nab\r\n\x07\r\n1\r\n$$N"), std::string::npos);
    EXPECT_EQ(doc.NoteTable(1, NoteCol::Text), "ab\r\n");
}

TEST(LogFile, CellsThatWouldBreakTheLayoutSurviveASaveAndReload)
{
    Document doc;
    auto& g = doc.GeologyTable;
    g(1, GeologyCol::Depth) = "1.00";
    g(1, GeologyCol::Name) = sj("砂,礫"); // a comma inside a cell
    g(1, GeologyCol::Tone) = "$$x";       // looks like a section marker
    g(1, GeologyCol::Symbol) = "US$$$";
    doc.NoteTable(1, NoteCol::Top) = "0.00";
    doc.NoteTable(1, NoteCol::Text) =
        "mail@example.jp\r\nline2\r\n"; // "@" no longer ends a note of this format
    doc.NoteTable(1, NoteCol::Underline) = "1";
    doc.TestNameTable(1, TestCol::Name) = "1,4-" + sj("ジオキサン");
    Document back;
    load(back, WriteLog(doc));
    EXPECT_EQ(back.GeologyTable(1, GeologyCol::Name), sj("砂,礫"));
    EXPECT_EQ(back.GeologyTable(1, GeologyCol::Tone), "$$x");
    EXPECT_EQ(back.GeologyTable(1, GeologyCol::Symbol), "US$$$");
    EXPECT_EQ(back.NoteTable(1, NoteCol::Text), "mail@example.jp\r\nline2\r\n");
    EXPECT_EQ(back.NoteTable(1, NoteCol::Underline), "1");
    EXPECT_EQ(back.TestNameTable(1, TestCol::Name), "1,4-" + sj("ジオキサン"));
}

TEST(LogFile, TestNameDisplayListReadsTheSameAfterASave)
{
    // The list after the nine fields is written unquoted: a quoted field holding commas
    // is read as the entries it holds, so that saving and reading again changes nothing.
    struct Case
    {
        std::string fields, list;
    } cases[] = {
        {"1:2.5,3:-1,", "1:2.5,3:-1,"},
        {"1:2.5\"x,3:-1,,", "1:2.5x,3:-1,"}, // an unclosed quote swallows the commas after it
        {"\"1:2,,3:4\",5:6,", "1:2,"},       // an empty entry ends the list
        {"\"1:2,3:4\",5:6,", "1:2,3:4,5:6,"},
        {"x,1:2,", ""}, // the list starts with a number or is empty
        {",1:2,", ""},
    };
    for (const auto& c : cases) {
        const std::string text = std::string(kCurrentToken) + "\r\n$$q\r\n1,n,u,,,,,,," + c.fields + "\r\n";
        Document doc;
        load(doc, text);
        EXPECT_EQ(doc.TestNameTable(1, TestCol::Shifts), c.list) << c.fields;
        const std::string saved = WriteLog(doc);
        Document again;
        load(again, saved);
        EXPECT_EQ(again.TestNameTable(1, TestCol::Shifts), c.list) << c.fields;
        EXPECT_EQ(WriteLog(again), saved) << c.fields;
    }
}

TEST(LogFile, ADocumentReusedForAnotherLoadKeepsNothingOfTheLastOne)
{
    // Clearing visits only what was written since the last clear: a load into a used
    // document must still leave no cell of the previous log behind.
    Document reused;
    load(reused, fileBytes("current.bhc"));
    WriteLog(reused);
    const std::string small = std::string(kCurrentToken) + "\r\n$$A\r\n1.00," + sj("砂") + "\r\n";
    load(reused, small);
    Document fresh;
    load(fresh, small);
    EXPECT_TRUE(reused.HeaderTable == fresh.HeaderTable);
    EXPECT_TRUE(reused.GeologyTable == fresh.GeologyTable);
    EXPECT_TRUE(reused.NoteTable == fresh.NoteTable);
    EXPECT_TRUE(reused.GraphFormatTable == fresh.GraphFormatTable);
    EXPECT_TRUE(reused.TestNameTable == fresh.TestNameTable);
    EXPECT_TRUE(reused.DisplayItemTable == fresh.DisplayItemTable);
    EXPECT_TRUE(reused.SampleTable == fresh.SampleTable);
    reused.SpareIntervalTable.clear(); // kept by every load on purpose
    EXPECT_EQ(WriteLog(reused), WriteLog(fresh));
}

TEST(LogFile, DoubleQuotesAndControlBytesCannotBreakALine)
{
    Document doc;
    doc.GeologyTable(1, GeologyCol::Depth) = "1.00";
    doc.GeologyTable(1, GeologyCol::Name) = "a\"b";
    doc.GeologyTable(1, GeologyCol::AuxName) = "next";
    doc.GeologyTable(1, GeologyCol::Tone) = "x\r\ny";
    doc.NoteTable(1, NoteCol::Top) = "0.00";
    doc.NoteTable(1, NoteCol::Text) = "bell\x07here\r\n";
    doc.NoteTable(1, NoteCol::Underline) = "1";
    doc.NoteTable(2, NoteCol::Top) = "1.00";
    doc.NoteTable(2, NoteCol::Text) = "second\r\n";
    doc.NoteTable(2, NoteCol::Underline) = "0";
    Document back;
    load(back, WriteLog(doc));
    EXPECT_EQ(back.GeologyTable(1, GeologyCol::Name), "a" + sj("＂") + "b"); // the quote becomes full width
    EXPECT_EQ(back.GeologyTable(1, GeologyCol::AuxName), "next");
    EXPECT_EQ(back.GeologyTable(1, GeologyCol::Tone), "x  y");
    EXPECT_EQ(back.NoteTable(1, NoteCol::Text), "bell here\r\n");
    EXPECT_EQ(back.NoteTable(2, NoteCol::Text), "second\r\n");
    EXPECT_EQ(back.NoteTable(2, NoteCol::Underline), "0");
}

TEST(LogFile, LongLinesAreReadWhole)
{
    Document doc;
    doc.SampleTable(1, SampleCol::Top) = "1.00";
    doc.SampleTable(1, SampleCol::Bottom) = "1.50";
    for (int c = 3; c <= 60; ++c) doc.SampleTable(1, c) = std::string(30, static_cast<char>('A' + c % 26));
    Document back;
    load(back, WriteLog(doc));
    for (int c = 1; c <= 60; ++c) EXPECT_EQ(back.SampleTable(1, c), doc.SampleTable(1, c)) << c;
}

TEST(LogFile, SampleSectionEndsWithTheFirstEmptyRow)
{
    Document doc;
    doc.SampleTable(1, SampleCol::Top) = "1.00";
    doc.SampleTable(3, SampleCol::Top) = "3.00"; // after the empty row 2: not written
    const std::vector<std::string> l = lines(WriteLog(doc));
    ASSERT_GE(l.size(), 3u);
    EXPECT_EQ(l[l.size() - 3], "$$x");
    EXPECT_EQ(l.back(), std::string(59, ','));

    for (int r = 1; r <= 100; ++r) doc.SampleTable(r, SampleCol::Top) = "1";
    const std::vector<std::string> full = lines(WriteLog(doc));
    EXPECT_EQ(full.back(), "1" + std::string(59, ','));
}

TEST(LogFile, VersionDetection)
{
    struct Case
    {
        std::string line;
        int version;
    } cases[] = {
        {"$$_QVOR780", logversion::Current},
        {"xx$$_QVOR780yy", logversion::Current},
        {"$$_QVOR", logversion::Previous},
        {"$$_QVOR7", logversion::Previous},
        {"$$_TVOREN5", logversion::Sibling},
        {"$$_MRVOR1", logversion::Oldest},
        {"$$_MRVOR1 $$_QVOR780", logversion::Oldest},               // the order of the search decides
        {"$$_QVOR780" + std::string(21, ' '), logversion::Current}, // 31 bytes
        {"$$_QVOR780" + std::string(22, ' '), logversion::None},    // 32 bytes
        {"$$_", logversion::None},
        {"", logversion::None},
    };
    for (const auto& c : cases) EXPECT_EQ(detectVersion(c.line), c.version) << "[" << c.line << "]";
}

TEST(LogFile, TokenIsSearchedInTheFirstLinesOnly)
{
    const std::string six = "a\r\nb\r\nc\r\nd\r\ne\r\n$$_QVOR780\r\n";
    EXPECT_EQ(findTokenLine(six, 6).version, logversion::Current);
    EXPECT_EQ(findTokenLine(six, 6).offset, 15u);
    const std::string seven = "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n$$_QVOR780\r\n";
    EXPECT_EQ(findTokenLine(seven, 6).version, logversion::None);
    EXPECT_EQ(findTokenLine(seven, 7).version, logversion::Current);
}

TEST(LogFile, DataLineWithDollarsStartsASection)
{
    Document doc;
    load(doc, "$$_QVOR780\r\n$$A\r\n1.00,a\r\nxx$$Wyy\r\n2.00,b\r\n$$\r\n3.00,c\r\n");
    // "xx$$Wyy" selects section "$" by its third byte, which reads nothing;
    // "$$" alone carries no data and keeps the section.
    EXPECT_EQ(geologyRowCount(doc), 1);
    EXPECT_EQ(doc.WaterLevelTable(1, WaterCol::Level), "");
}

TEST(LogFile, RowsBeyondATableAreIgnored)
{
    std::string text = "$$_QVOR780\r\n$$N\r\n";
    for (int i = 0; i < 12; ++i) text += std::to_string(i) + ".00,x,y\r\n";
    text += "$$p\r\n";
    for (int i = 0; i < 75; ++i) text += "g" + std::to_string(i) + "\r\n";
    Document doc;
    load(doc, text);
    EXPECT_EQ(doc.StratumTable(10, StratumCol::Top), "9.00");
    EXPECT_EQ(doc.GraphFormatTable(5, 14, 1), "g69");
    EXPECT_EQ(doc.GraphFormatTable(2, 1, 1), "g14");
}

TEST(LogFile, WaterLevelDisplayBitsDefaultToThree)
{
    Document doc;
    load(doc, "$$_QVOR780\r\n$$W\r\n-1.00,04/01\r\n-2.00,04/02,,x\r\n-3.00,04/03,,1\r\n");
    EXPECT_EQ(doc.WaterLevelTable(1, WaterCol::Flags), "3");
    EXPECT_EQ(doc.WaterLevelTable(2, WaterCol::Flags), "3");
    EXPECT_EQ(doc.WaterLevelTable(3, WaterCol::Flags), "1");
}

TEST(LogFile, PreviousFormatConvertsAlternatingLayers)
{
    Document doc;
    ASSERT_EQ(load(doc, fileBytes("previous.bhc")), logversion::Previous);
    const auto& g = doc.GeologyTable;
    EXPECT_EQ(g(1, GeologyCol::Name), sj("砂"));
    EXPECT_EQ(g(1, GeologyCol::AuxName), sj("シルト"));
    EXPECT_EQ(g(1, GeologyCol::Percent), "49");
    EXPECT_EQ(g(1, GeologyCol::Attributes), "503");
    EXPECT_EQ(g(2, GeologyCol::Percent), "98");
    EXPECT_EQ(g(3, GeologyCol::Suffix), ")");
    EXPECT_EQ(g(4, GeologyCol::Percent), "70");
    EXPECT_EQ(g(4, GeologyCol::Suffix), sj("）"));
    EXPECT_EQ(g(5, GeologyCol::Percent), "52");
    EXPECT_EQ(doc.DisplayItemTable(DisplayRow::Basic, DisplayCol::Title),
              sj("旧題")); // own format: display items read
    EXPECT_EQ(doc.TestNameTable(1, TestCol::Name), sj("鉛"));
}

TEST(LogFile, SiblingFormatKeepsTestSettingsAndIgnoresItsCasing)
{
    Document doc;
    doc.TestNameTable(1, TestCol::Name) = "kept";
    doc.DisplayItemTable(DisplayRow::Notes, DisplayCol::Shown) = "1";
    doc.GraphFormatTable(1, 1, 1) = "kept";
    doc.CasingTable(1, CasingCol::Depth) = "3.00";
    doc.SampleTable(5, SampleCol::test(1)) = "old";
    ASSERT_EQ(load(doc, fileBytes("sibling.tvl")), logversion::Sibling);
    EXPECT_EQ(doc.TestNameTable(1, TestCol::Name), "kept");
    EXPECT_EQ(doc.DisplayItemTable(DisplayRow::Notes, DisplayCol::Shown), "1"); // its "$$o" is not read
    EXPECT_EQ(doc.GraphFormatTable(1, 1, 1), "kept");
    // Its "$$T" lines are ignored; the casing of the other borehole is cleared with
    // the rest of the borehole data rather than mixed into this one.
    EXPECT_EQ(doc.CasingTable(1, CasingCol::Depth), "");
    EXPECT_EQ(doc.SampleTable(1, SampleCol::Number), "S-1");
    EXPECT_EQ(doc.SampleTable(1, SampleCol::Method), "T");
    EXPECT_EQ(doc.SampleTable(5, SampleCol::test(1)), "");
    EXPECT_EQ(doc.StratumTable(1, StratumCol::Name), sj("沖積層"));
    EXPECT_EQ(doc.WaterLevelTable(1, WaterCol::Flags), "3");
    EXPECT_EQ(doc.DrillDateTable(1, DrillDateCol::Date), "5/1");
    EXPECT_EQ(doc.FreeColumnTable(1, FreeCol::Text), sj("自由"));
    EXPECT_EQ(doc.NoteTable(1, NoteCol::Text), sj("一行目\r\n二行目\r\n")); // "@" ends the text
    EXPECT_EQ(doc.NoteTable(1, NoteCol::Underline), "1");
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Name), sj("シルト"));
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::AuxName), sj("粘土"));
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Prefix), sj("･"));
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LegacyOption), "");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::SplitTopsoil), "1");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::AlternationLines), "");
}

TEST(LogFile, OldestFormatReadsItsOwnSectionLetters)
{
    Document doc;
    ASSERT_EQ(load(doc, fileBytes("oldest.mrn")), logversion::Oldest);
    EXPECT_EQ(doc.SampleTable(1, SampleCol::Number), "M-1");
    EXPECT_EQ(doc.StratumTable(1, StratumCol::Name), sj("洪積層")); // "$$n"
    EXPECT_EQ(doc.StratumTable(2, StratumCol::Top), "");            // its "$$N" is not read
    EXPECT_EQ(doc.DrillDateTable(1, DrillDateCol::Date), "6/1");    // "$$J"
    EXPECT_EQ(doc.DrillDateTable(2, DrillDateCol::Depth), "");      // its "$$H" is not read
    EXPECT_EQ(doc.FreeColumnTable(1, FreeCol::Text), sj("古い欄")); // "$$k"
    EXPECT_EQ(doc.CasingTable(1, CasingCol::PipeKind), "VP40");
    EXPECT_EQ(doc.NoteTable(1, NoteCol::Text), sj("記事\r\n"));
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LegacyOption), "1");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::SplitTopsoil), "0");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::AlternationLines), "1");
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Name), sj("粘土")); // no alternating-layer conversion
}

TEST(LogFile, ModifiedFlagIsClearedByLoading)
{
    Document doc;
    doc.modified = 1;
    load(doc, fileBytes("oldest.mrn"));
    EXPECT_EQ(doc.modified, 0);
}

TEST(LogFile, WholeLinesCannotStartASection)
{
    Document doc;
    doc.HeaderTable(HeaderEntry::SurveyName) = "US$$100";
    doc.HeaderTable(HeaderEntry::ProjectName) = "two";
    doc.NoteTable(1, NoteCol::Top) = "0.00";
    doc.NoteTable(1, NoteCol::Text) = "cost $$5\nnext line"; // a bare line feed, as a text box gives it
    doc.NoteTable(1, NoteCol::Underline) = "1";
    doc.StratumTable(1, StratumCol::Top) = "0.00";
    Document back;
    load(back, WriteLog(doc));
    EXPECT_EQ(back.HeaderTable(HeaderEntry::SurveyName), "US$" + sj("＄") + "100");
    EXPECT_EQ(back.HeaderTable(HeaderEntry::ProjectName), "two");
    EXPECT_EQ(back.NoteTable(1, NoteCol::Text), "cost $" + sj("＄") + "5\r\nnext line\r\n");
    EXPECT_EQ(doc.NoteTable(1, NoteCol::Text), "cost $$5\r\nnext line\r\n");
    EXPECT_EQ(back.NoteTable(1, NoteCol::Underline), "1");
    EXPECT_EQ(back.StratumTable(1, StratumCol::Top), "0.00");
}

TEST(LogFile, HeaderCoordinatesAreSplitFromEntries14And15)
{
    std::string text = "$$_QVOR780\r\n$$Z\r\n";
    for (int e = 1; e <= 13; ++e) text += "\r\n";
    text += "35,41,12.5\r\n139,45\r\n";
    Document doc;
    load(doc, text);
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LatitudeDeg), "35");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LatitudeSec), "12.5");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LongitudeMin), "45");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::LongitudeSec), "");
}

TEST(LogFile, OlderFormatsEndANoteOnlyAtAnAtSignOfItsOwn)
{
    // Words whose second byte is an ASCII character: "@" (機, 掘, 法, 察, 繊, the
    // full-width blank), "[" (深), "\" (表, ソ), "{" (本), "]" (転), "|" (掛).
    const char* words[] = {"有機物混入", "無水掘り", "観察孔", "工法", "繊維混じり", "粘土　混じり",
                           "深度",       "表土",     "ソイル", "本孔", "転石",       "掛矢"};
    const char* tokens[] = {"$$_QVOR", "$$_TVOREN5", "$$_MRVOR1"};
    for (const char* token : tokens) {
        for (const char* word : words) {
            SCOPED_TRACE(std::string(token) + " " + word);
            const std::string text =
                std::string(token) + "\r\n$$K\r\n" +
                sj(std::string("1.00\r\n2.00\r\n\r\n") + word + "\r\n次の行\r\n@\r\n1\r\n" +
                   "3.00\r\n4.00\r\n\r\n二番目\r\n" + word + "@\r\n0\r\n");
            Document doc;
            load(doc, text);
            const auto& n = doc.NoteTable;
            EXPECT_EQ(n(1, 4), sj(std::string(word) + "\r\n次の行\r\n"));
            EXPECT_EQ(n(1, 5), "1");
            EXPECT_EQ(n(2, 1), "3.00");
            EXPECT_EQ(n(2, 2), "4.00");
            EXPECT_EQ(n(2, 4), sj("二番目\r\n")); // a line with a real "@" still ends the text
            EXPECT_EQ(n(2, 5), "0");
        }
    }
    // The current format ends the text at the BEL line only.
    Document doc;
    load(doc, "$$_QVOR780\r\n$$K\r\n1.00\r\n2.00\r\n\r\na@b\r\n\x07\r\n1\r\n");
    EXPECT_EQ(doc.NoteTable(1, 4), "a@b\r\n");
    EXPECT_EQ(doc.NoteTable(1, 5), "1");
}
