#include "document/cp932.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "exchange/exchangexml.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <string>

namespace qc {
namespace {

std::string readData(const std::string& name)
{
    std::string bytes;
    EXPECT_TRUE(readFileBytes(std::string(QC_TEST_DATA_DIR) + "/" + name, bytes)) << name;
    return bytes;
}

Document loadLog(const std::string& path)
{
    Document doc;
    std::string bytes;
    EXPECT_TRUE(readFileBytes(path, bytes)) << path;
    readLogText(doc, bytes, findTokenLine(bytes, 10));
    return doc;
}

std::string u8(const std::string& cp932)
{
    return cp932::toUtf8(cp932);
}

// A minimal exchange file around the given core elements (UTF-8 source text),
// encoded as the declaration says unless raw bytes are wanted.
std::string minimalXml(const std::string& core, const std::string& title = "")
{
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
           "<ボーリング情報 DTD_version=\"4.00\"><標題情報>" +
           title + "</標題情報><コア情報>" + core + "</コア情報></ボーリング情報>\n";
}

std::string layerXml(const std::string& depth, const std::string& name)
{
    return "<工学的地質区分名現場土質名><工学的地質区分名現場土質名_下端深度>" + depth +
           "</工学的地質区分名現場土質名_下端深度><工学的地質区分名現場土質名_工学的地質区分名現場土質名>" +
           name + "</工学的地質区分名現場土質名_工学的地質区分名現場土質名></工学的地質区分名現場土質名>";
}

// ------------------------------------------------------------------ import

struct SampleCase
{
    const char* file;
    const char* version;
    const char* firstAux; // the 3.00 sample names its first layer without the auxiliary part
};

class OfficialSample : public ::testing::TestWithParam<SampleCase>
{
};

TEST_P(OfficialSample, ImportsLayersHeaderWaterAndTables)
{
    Document doc;
    const ExchangeImport r = importExchangeXml(readData(GetParam().file), doc);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.version, GetParam().version);
    const auto& G = doc.GeologyTable;
    ASSERT_EQ(geologyRowCount(doc), 10);
    const char* depths[] = {"1.80",  "3.00",  "7.40",  "10.60", "22.45",
                            "23.70", "24.55", "27.95", "30.15", "32.15"};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(G(i + 1, GeologyCol::Depth), depths[i]) << i;
    EXPECT_EQ(u8(G(1, GeologyCol::Name)), "埋土"); // the leading full-width blank is layout
    EXPECT_EQ(u8(G(1, GeologyCol::AuxName)), GetParam().firstAux);
    EXPECT_EQ(u8(G(1, GeologyCol::Symbol)), "FI");
    EXPECT_EQ(u8(G(1, GeologyCol::Tone)), "黄褐色");
    // "砂・シルト互層" split as the geology dialog composes it.
    EXPECT_EQ(u8(G(8, GeologyCol::Name)), "砂");
    EXPECT_EQ(u8(G(8, GeologyCol::Prefix)), "・");
    EXPECT_EQ(u8(G(8, GeologyCol::AuxName)), "シルト");
    EXPECT_EQ(u8(G(8, GeologyCol::Suffix)), "互層");
    EXPECT_EQ(G(8, GeologyCol::Attributes), "503");
    EXPECT_EQ(u8(G(10, GeologyCol::Name)), "軟岩");

    const auto& h = doc.HeaderTable;
    EXPECT_EQ(u8(h(HeaderEntry::SurveyName)), "○○共同溝土質調査(その2)");
    EXPECT_EQ(u8(h(HeaderEntry::BoringName)), "B-2");
    EXPECT_EQ(h(HeaderEntry::Elevation), "0.23");
    EXPECT_EQ(h(HeaderEntry::TotalLength), "23.00");
    EXPECT_EQ(h(HeaderEntry::LongitudeDeg), "135");
    EXPECT_EQ(h(HeaderEntry::LatitudeSec), "53.2000");
    // 1999-05-01 to 1999-05-20 in the era of the header dialog.
    EXPECT_EQ(u8(h(HeaderEntry::StartEra)), "平成");
    EXPECT_EQ(h(HeaderEntry::StartYear), "11");
    EXPECT_EQ(h(HeaderEntry::StartMonth), "5");
    EXPECT_EQ(h(HeaderEntry::EndDay), "20");
    EXPECT_EQ(u8(h(HeaderEntry::Engineer2)), "△△△△");
    EXPECT_EQ(u8(h(HeaderEntry::Role2)), "現場代理人");

    // The dry reading is reported, not drawn; the level of 5.05 m below ground is negative in the log.
    EXPECT_EQ(usedRows(doc.WaterLevelTable), 1);
    EXPECT_EQ(doc.WaterLevelTable(1, WaterCol::Level), "-5.05");
    EXPECT_EQ(doc.WaterLevelTable(1, WaterCol::Date), "05/21");
    EXPECT_EQ(u8(doc.NoteTable(1, NoteCol::Text)), "含水量少ない。\r\n木片混入。\r\n");
    EXPECT_EQ(doc.NoteTable(1, NoteCol::Underline), "1");
    EXPECT_EQ(usedRows(doc.StratumTable), 2);
    EXPECT_EQ(doc.DrillDateTable(1, DrillDateCol::Date), "5/1");
    EXPECT_EQ(u8(doc.CasingTable(1, CasingCol::PipeKind)), "VP40ストレーナ加工塩ビパイプ");
    EXPECT_EQ(usedRows(doc.SampleTable), 4);
    EXPECT_EQ(doc.SampleTable(4, SampleCol::Bottom), "25.50");
    EXPECT_EQ(doc.modified, 1);

    // What the log cannot hold is named.
    bool spt = false;
    for (const auto& line : r.unplaced) spt = spt || line.starts_with("標準貫入試験: 15件");
    EXPECT_TRUE(spt);
}

INSTANTIATE_TEST_SUITE_P(Versions, OfficialSample,
                         ::testing::Values(SampleCase{"exchange/BED0300.XML", "3.00", ""},
                                           SampleCase{"exchange/BED0400.XML", "4.00", "砂"}),
                         [](const auto& c) { return c.param.version[0] == '3' ? "V300" : "V400"; });

TEST(ExchangeImport, Utf8DeclaredShiftJisIsReadAsUtf8)
{
    Document doc;
    const std::string xml =
        minimalXml(layerXml("2.5", "礫混じり砂"), "<調査基本情報><調査名>港町①</調査名></調査基本情報>");
    ASSERT_TRUE(importExchangeXml(xml, doc).ok);
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Name), QC_SJ("礫混じり砂"));
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::SurveyName), QC_SJ("港町①"));
}

TEST(ExchangeImport, Cp932OnlyCharactersPassThrough)
{
    // NEC and IBM extensions a stock Shift_JIS decoder rejects, and the two
    // characters it maps differently; "表" ends in the byte of a backslash.
    const std::string text = "①㈱髙Ⅰ～－表";
    Document doc;
    const std::string xml = cp932::fromUtf8(minimalXml(layerXml("1.00", text)));
    ASSERT_TRUE(importExchangeXml(xml, doc).ok);
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Name), cp932::fromUtf8(text));
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Name),
              std::string("\x87\x40\x87\x8a\xfb\xfc\x87\x54\x81\x60\x81\x7c\x95\x5c"));
}

TEST(ExchangeImport, UnknownElementsAreSkippedAndReported)
{
    Document doc;
    const std::string xml = cp932::fromUtf8(
        minimalXml("<独自データ><値>1</値></独自データ>" + layerXml("3", "粘土") + "<独自データ/>"));
    const ExchangeImport r = importExchangeXml(xml, doc);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(geologyRowCount(doc), 1);
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Depth), "3.00");
    ASSERT_EQ(r.unplaced.size(), 1u);
    EXPECT_EQ(r.unplaced[0], "不明な要素 独自データ: 2件を読み飛ばしました");
}

TEST(ExchangeImport, BrokenInputIsRefusedAndTheDocumentKept)
{
    const std::string official = readData("exchange/BED0400.XML");
    const struct
    {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"truncated", official.substr(0, official.size() / 2)},
        {"empty", ""},
        {"not xml", "boring,1.00,sand\r\n"},
        {"another root", "<?xml version=\"1.0\"?><log/>"},
    };
    for (const auto& c : cases) {
        Document doc;
        doc.GeologyTable(1, GeologyCol::Depth) = "9.99";
        const ExchangeImport r = importExchangeXml(c.bytes, doc);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_FALSE(r.error.empty()) << c.name;
        EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Depth), "9.99") << c.name;
    }
}

TEST(ExchangeImport, LenientOnDatesDecimalsMissingElementsAndOlderNames)
{
    // Version 2.10 names, unpadded dates, 0 to 5 decimals, no header at all
    // but the period, layers out of order.
    const std::string core =
        "<土質岩種区分><土質岩種区分_下端深度>3.12345</土質岩種区分_下端深度>"
        "<土質岩種区分_土質岩種区分1>砂礫</土質岩種区分_土質岩種区分1></土質岩種区分>"
        "<土質岩種区分><土質岩種区分_下端深度>1</土質岩種区分_下端深度>"
        "<土質岩種区分_土質岩種区分1>砂（シルト）</土質岩種区分_土質岩種区分1></土質岩種区分>"
        "<孔内水位><孔内水位_測定年月日>2019-5-1</孔内水位_測定年月日>"
        "<孔内水位_孔内水位>1.5</孔内水位_孔内水位></孔内水位>"
        "<掘削工程><掘削工程_測定年月日></掘削工程_測定年月日>"
        "<掘削工程_掘進深度>2</掘削工程_掘進深度></掘削工程>";
    const std::string title = "<調査期間><調査期間_開始年月日>2019/4/30</調査期間_開始年月日>"
                              "<調査期間_終了年月日></調査期間_終了年月日></調査期間>"
                              "<ボーリング基本情報><総掘進長>3.1</総掘進長></ボーリング基本情報>"
                              "<調査会社><調査会社_主任技師>山田</調査会社_主任技師></調査会社>";
    Document doc;
    const ExchangeImport r = importExchangeXml(minimalXml(core, title), doc);
    ASSERT_TRUE(r.ok) << r.error;
    const auto& G = doc.GeologyTable;
    ASSERT_EQ(geologyRowCount(doc), 2);
    EXPECT_EQ(G(1, GeologyCol::Depth), "1.00");
    EXPECT_EQ(u8(G(1, GeologyCol::Name)), "砂");
    EXPECT_EQ(u8(G(1, GeologyCol::AuxName)), "シルト");
    EXPECT_EQ(G(1, GeologyCol::Percent), "50");
    EXPECT_EQ(G(2, GeologyCol::Depth), "3.12");
    EXPECT_EQ(doc.WaterLevelTable(1, WaterCol::Level), "-1.50");
    EXPECT_EQ(doc.WaterLevelTable(1, WaterCol::Date), "05/01");
    EXPECT_EQ(doc.DrillDateTable(1, DrillDateCol::Depth), "2.00");
    EXPECT_EQ(doc.DrillDateTable(1, DrillDateCol::Date), "");
    // The last day of 平成 stays in its era.
    EXPECT_EQ(u8(doc.HeaderTable(HeaderEntry::StartEra)), "平成");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::StartYear), "31");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::EndYear), "");
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::TotalLength), "3.10");
    EXPECT_EQ(u8(doc.HeaderTable(HeaderEntry::Engineer1)), "山田");
    EXPECT_TRUE(r.unplaced.empty());
}

TEST(ExchangeImport, BadDepthsAreSkippedWithAReport)
{
    Document doc;
    const ExchangeImport r =
        importExchangeXml(minimalXml(layerXml("abc", "砂") + layerXml("2.00", "粘土")), doc);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(geologyRowCount(doc), 1);
    ASSERT_EQ(r.unplaced.size(), 1u);
    EXPECT_NE(r.unplaced[0].find("工学的地質区分名現場土質名"), std::string::npos);
}

TEST(ExchangeImport, MarkupAndEntitiesAreText)
{
    Document doc;
    // An external entity must never be fetched or expanded into a cell.
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<!DOCTYPE ボーリング情報 [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n"
                            "<ボーリング情報><標題情報><調査基本情報><調査名>A&amp;B &lt;1&gt; &x;</調査名>"
                            "</調査基本情報></標題情報><コア情報>" +
                            layerXml("1", "砂") + "</コア情報></ボーリング情報>";
    ASSERT_TRUE(importExchangeXml(xml, doc).ok);
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::SurveyName), "A&B <1>");
}

// ------------------------------------------------------------------ export

TEST(ExchangeExport, SampleLogRoundTripsStably)
{
    const Document sample = loadLog(std::string(QC_SOURCE_DIR) + "/examples/sample.bhc");
    const ExchangeExport first = exportExchangeXml(sample, {}, {});
    ASSERT_TRUE(first.error.empty());
    Document back;
    const ExchangeImport r = importExchangeXml(first.bytes, back);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.unplaced.empty());
    EXPECT_EQ(exportExchangeXml(back, {}, {}).bytes, first.bytes);
    // The parts that round-trip through the format are the log's own.
    EXPECT_EQ(geologyRowCount(back), geologyRowCount(sample));
    for (int r2 = 1; r2 <= geologyRowCount(sample); ++r2)
        for (int c : {GeologyCol::Depth, GeologyCol::Name, GeologyCol::AuxName, GeologyCol::Tone,
                      GeologyCol::Prefix, GeologyCol::Suffix, GeologyCol::Attributes})
            EXPECT_EQ(back.GeologyTable(r2, c), sample.GeologyTable(r2, c)) << r2 << "," << c;
    EXPECT_EQ(back.NoteTable(2, NoteCol::Text), sample.NoteTable(2, NoteCol::Text));
    EXPECT_EQ(back.WaterLevelTable(1, WaterCol::Level), sample.WaterLevelTable(1, WaterCol::Level));
    for (int e :
         {HeaderEntry::StartEra, HeaderEntry::StartYear, HeaderEntry::StartMonth, HeaderEntry::StartDay,
          HeaderEntry::LatitudeSec, HeaderEntry::LongitudeDeg, HeaderEntry::SurveyName})
        EXPECT_EQ(back.HeaderTable(e), sample.HeaderTable(e)) << e;
}

TEST(ExchangeExport, DocumentShapeAndMapping)
{
    Document doc;
    auto& h = doc.HeaderTable;
    h(HeaderEntry::SurveyName) = QC_SJ("表層調査 A&B <1>");
    h(HeaderEntry::StartEra) = QC_SJ("令和");
    h(HeaderEntry::StartYear) = "6";
    h(HeaderEntry::StartMonth) = "12";
    h(HeaderEntry::StartDay) = "20";
    h(HeaderEntry::EndEra) = QC_SJ("令和");
    h(HeaderEntry::EndYear) = "7";
    h(HeaderEntry::EndMonth) = "1";
    h(HeaderEntry::EndDay) = "15";
    h(HeaderEntry::LatitudeDeg) = "35";
    h(HeaderEntry::LatitudeMin) = "40";
    h(HeaderEntry::LatitudeSec) = "52.45";
    h(HeaderEntry::LongitudeDeg) = "139";
    h(HeaderEntry::LongitudeMin) = "46";
    h(HeaderEntry::LongitudeSec) = "1.65";
    h(HeaderEntry::Engineer1) = QC_SJ("甲");
    h(HeaderEntry::Role1) = QC_SJ("ボーリング責任者");
    h(HeaderEntry::Engineer2) = QC_SJ("乙");
    auto& G = doc.GeologyTable;
    G(1, GeologyCol::Depth) = "1.50";
    G(1, GeologyCol::Name) = QC_SJ("砂");
    G(1, GeologyCol::AuxName) = QC_SJ("粘土");
    G(1, GeologyCol::Prefix) = QC_SJ("と ");
    G(1, GeologyCol::Suffix) = QC_SJ("の互層");
    G(1, GeologyCol::Tone) = QC_SJ("灰");
    G(2, GeologyCol::Depth) = "4.00";
    G(2, GeologyCol::Name) = QC_SJ("ﾛｰﾑ①");
    G(2, GeologyCol::Tone) = QC_SJ("灰");
    doc.NoteTable(1, NoteCol::Top) = "0.00";
    doc.NoteTable(1, NoteCol::Bottom) = "1.50";
    doc.NoteTable(1, NoteCol::Text) = QC_SJ("一行目\r\n二行目\r\n");
    doc.NoteTable(1, NoteCol::Underline) = "0";
    doc.NoteTable(2, NoteCol::Top) = "1.50";
    doc.NoteTable(2, NoteCol::Bottom) = "4.00";
    doc.WaterLevelTable(1, WaterCol::Level) = "-1.20";
    doc.WaterLevelTable(1, WaterCol::Date) = "01/10"; // January: the end year
    doc.DrillDateTable(1, DrillDateCol::Depth) = "4.00";
    doc.DrillDateTable(1, DrillDateCol::Date) = "12/21";
    RockCodeTable codes;
    codes.parse(cp932::fromUtf8("; comment\r\n砂と粘土の互層,531000000\r\n砂,1\r\n"));

    const ExchangeExport x = exportExchangeXml(doc, {}, codes);
    const std::string& b = x.bytes;
    ASSERT_TRUE(x.error.empty());
    // CR LF only.
    for (size_t i = 0; i < b.size(); ++i) {
        if (b[i] == '\n') {
            ASSERT_TRUE(i > 0 && b[i - 1] == '\r') << i;
        }
    }
    const std::string s = u8(b);
    EXPECT_TRUE(s.starts_with("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                              "<!DOCTYPE ボーリング情報 SYSTEM \"BED0400.DTD\">\r\n"));
    auto has = [&s](const std::string& t) { return s.find(t) != std::string::npos; };
    EXPECT_TRUE(has("<調査名>表層調査 A&amp;B &lt;1&gt;</調査名>"));
    EXPECT_LT(s.find("<経度_度>139</経度_度>"), s.find("<緯度_度>35</緯度_度>"));
    EXPECT_TRUE(has("<コード1次>5339</コード1次>"));
    EXPECT_TRUE(has("<コード2次>46</コード2次>"));
    EXPECT_TRUE(has("<コード3次>11</コード3次>"));
    EXPECT_TRUE(has("<調査期間_開始年月日>2024-12-20</調査期間_開始年月日>"));
    EXPECT_TRUE(has("<調査期間_終了年月日>2025-01-15</調査期間_終了年月日>"));
    // Engineer 1 is titled as the boring's responsible person; the others by position.
    EXPECT_TRUE(has("<調査会社_ボーリング責任者_氏名>甲</調査会社_ボーリング責任者_氏名>"));
    EXPECT_TRUE(has("<調査会社_現場代理人_氏名>乙</調査会社_現場代理人_氏名>"));
    EXPECT_TRUE(has("<総削孔長>4.00</総削孔長>")); // no total length: the deepest layer
    EXPECT_TRUE(has("現場土質名>砂と粘土の互層</工学的地質区分名現場土質名_工学的地質区分名現場土質名>"));
    EXPECT_TRUE(has("<工学的地質区分名現場土質名_岩石>531000000</"));
    // Two layers of one tone are one interval.
    EXPECT_EQ(s.find("<色調_下端深度>1.50"), std::string::npos);
    EXPECT_TRUE(has("<色調_下端深度>4.00</色調_下端深度>"));
    EXPECT_TRUE(has("<観察記事_記事>一行目\\n二行目</観察記事_記事>"));
    // Only the second note is underlined (an empty flag counts as on).
    EXPECT_EQ(s.find("<観察記事枠線_下端深度>1.50"), std::string::npos);
    EXPECT_TRUE(has("<観察記事枠線_下端深度>4.00</観察記事枠線_下端深度>"));
    EXPECT_TRUE(has("<孔内水位_測定年月日>2025-01-10</孔内水位_測定年月日>"));
    EXPECT_TRUE(has("<孔内水位_孔内水位>1.20</孔内水位_孔内水位>"));
    EXPECT_TRUE(has("<削孔工程_測定年月日>2024-12-21</削孔工程_測定年月日>"));

    // Half-width kana and NEC specials are reported, the rest (表, ～) is not.
    ASSERT_EQ(x.outsideJis.size(), 4u);
    EXPECT_EQ(x.outsideJis[0], "工学的地質区分名現場土質名_工学的地質区分名現場土質名: ﾛ");
    EXPECT_EQ(x.outsideJis[3], "工学的地質区分名現場土質名_工学的地質区分名現場土質名: ①");
}

TEST(ExchangeExport, EmptyLogIsRefused)
{
    Document doc;
    const ExchangeExport x = exportExchangeXml(doc, {}, {});
    EXPECT_FALSE(x.error.empty());
    EXPECT_TRUE(x.bytes.empty());
}

TEST(ExchangeExport, SettingsAreWrittenWhereTheFormatRequiresThem)
{
    Document doc;
    doc.GeologyTable(1, GeologyCol::Depth) = "1.00";
    doc.CasingTable(1, CasingCol::Depth) = "1.00";
    doc.CasingTable(1, CasingCol::PipeKind) = "VP50";
    ExchangeSettings s;
    s.standards = "JIS A 0205-2012, X";
    s.casingKind = "9";
    s.datum = "03";
    const std::string out = u8(exportExchangeXml(doc, s, {}).bytes);
    EXPECT_NE(out.find("<適用規格>X</適用規格>"), std::string::npos);
    EXPECT_NE(out.find("<測地系>03</測地系>"), std::string::npos);
    EXPECT_NE(out.find("<保孔管_種別コード>9</保孔管_種別コード>\r\n\t\t\t<保孔管_備考>VP50</保孔管_備考>"),
              std::string::npos);
}

// ------------------------------------------------------------------ parts

TEST(ExchangeParts, SplitLayerNames)
{
    const struct
    {
        const char* in;
        const char* name;
        const char* prefix;
        const char* aux;
        const char* suffix;
    } cases[] = {
        {"砂・シルト互層", "砂", "・", "シルト", "互層"},
        {"砂と粘土の互層", "砂", "と ", "粘土", "の互層"},
        {"　埋土（砂） ", "埋土", "（", "砂", "）"},
        {"礫(玉石)", "礫", "(", "玉石", ")"},
        {"互層", "互層", "", "", ""},
        {"砂岩泥岩互層", "砂岩泥岩互層", " ", "", ""},
        {"シルト混じり砂", "シルト混じり砂", "", "", ""},
        {"（砂）", "（砂）", "", "", ""},
    };
    for (const auto& c : cases) {
        const LayerName p = splitLayerName(cp932::fromUtf8(c.in));
        EXPECT_EQ(u8(p.name), c.name) << c.in;
        EXPECT_EQ(u8(p.prefix), c.prefix) << c.in;
        EXPECT_EQ(u8(p.aux), c.aux) << c.in;
        EXPECT_EQ(u8(p.suffix), c.suffix) << c.in;
    }
}

TEST(ExchangeParts, ErasAndYears)
{
    const struct
    {
        const char* era;
        const char* year;
        int gregorian;
    } cases[] = {{"令和", "6", 2024}, {"平成", "31", 2019}, {"昭和", "64", 1989},  {"", "2001", 2001},
                 {"", "13", 0},       {"令和", "", 0},      {"西暦", "1999", 1999}};
    for (const auto& c : cases)
        EXPECT_EQ(gregorianYear(cp932::fromUtf8(c.era), c.year), c.gregorian) << c.era << c.year;
    EXPECT_EQ(u8(eraYear(2019, 4, 30).era), "平成");
    EXPECT_EQ(eraYear(2019, 4, 30).year, 31);
    EXPECT_EQ(u8(eraYear(2019, 5, 1).era), "令和");
    EXPECT_EQ(eraYear(2019, 5, 1).year, 1);
}

TEST(ExchangeParts, MeshCodes)
{
    const MeshCodes tokyo = meshCodes(35.681236, 139.767125);
    EXPECT_EQ(tokyo.first + tokyo.second + tokyo.third, "53394611");
    EXPECT_TRUE(meshCodes(-1, 139).first.empty());
}

TEST(ExchangeParts, JisX0208)
{
    const struct
    {
        const char* ch;
        bool in;
    } cases[] = {{"A", true},  {"表", true},  {"～", true},  {"－", true}, {"熙", true}, {"ｱ", false},
                 {"①", false}, {"㈱", false}, {"髙", false}, {"Ⅰ", false}, {"ⅰ", false}};
    for (const auto& c : cases) EXPECT_EQ(inJisX0208(cp932::fromUtf8(c.ch)), c.in) << c.ch;
}

TEST(ExchangeSettingsFile, RoundTripAndDefaults)
{
    ExchangeSettings s;
    s.purpose = "05";
    s.techrisCode = cp932::fromUtf8("テクリス=1"); // a value may hold "="
    EXPECT_EQ(parseExchangeSettings(serializeExchangeSettings(s)), s);
    const ExchangeSettings partial = parseExchangeSettings("purpose=09\r\nbogus\r\nunknown=1\r\n");
    EXPECT_EQ(partial.purpose, "09");
    EXPECT_EQ(partial.logStyle, ExchangeSettings{}.logStyle);
}

} // namespace
} // namespace qc
