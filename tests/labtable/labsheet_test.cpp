// The lab table reader (CSV/TSV in UTF-8 or CP932, XLSX written by a real
// writer), its refusals of binary and damaged files, and the normalised forms
// that names and values are compared and stored in.

#include "labtable/labnames.h"
#include "labtable/labsheet.h"
#include "platform/files.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

namespace {

std::string utf8Csv()
{
    // A comma inside quotes, a line break inside quotes, a doubled quote, CR LF lines.
    return "試料番号,\"1,2-ジクロロエタン\",備考\r\n"
           "S-1,<0.0004,\"二行\n目\"\r\n"
           "表-2,ND,\"引用\"\"符\"\r\n";
}

void expectFixtureCells(const LabReadResult& r)
{
    ASSERT_TRUE(r.ok) << u8(r.error);
    ASSERT_EQ(r.sheet.rows.size(), 3u);
    EXPECT_EQ(r.sheet.cell(0, 1), sj("1,2-ジクロロエタン"));
    EXPECT_EQ(r.sheet.cell(1, 1), "<0.0004");
    EXPECT_EQ(r.sheet.cell(1, 2), sj("二行\n目"));
    // "表" ends in the byte "\\" and must stay whole next to the separator.
    EXPECT_EQ(r.sheet.cell(2, 0), sj("表-2"));
    EXPECT_EQ(r.sheet.cell(2, 2), sj("引用\"符"));
    EXPECT_EQ(r.sheet.cell(9, 9), "");
}

TEST(LabSheetCsv, SameCellsFromUtf8WithBomUtf8AndCp932)
{
    const std::string text = utf8Csv();
    expectFixtureCells(readLabTable("\xEF\xBB\xBF" + text));
    expectFixtureCells(readLabTable(text));
    expectFixtureCells(readLabTable(sj(text)));
    // UTF-16 little and big endian with their byte order marks (the spreadsheet's "Unicode text").
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char32_t c : std::u32string(U"試料番号,\"1,2-ジクロロエタン\",備考\r\nS-1,<0.0004,\"二行\n目\"\r\n"
                                     U"表-2,ND,\"引用\"\"符\"\r\n")) {
        le += static_cast<char>(c & 0xFF);
        le += static_cast<char>(c >> 8);
        be += static_cast<char>(c >> 8);
        be += static_cast<char>(c & 0xFF);
    }
    expectFixtureCells(readLabTable(le));
    expectFixtureCells(readLabTable(be));
}

TEST(LabSheetCsv, TabSeparatedWhenTabsOutnumberCommas)
{
    const LabReadResult r = readLabTable(sj("試料\t鉛\tふっ素\nS-1\t1,200\t0.8\n"));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.sheet.rows[1].size(), 3u);
    EXPECT_EQ(r.sheet.cell(1, 1), "1,200");
}

TEST(LabSheetCsv, RefusesBinaryAndEmptyInput)
{
    const std::string binary("\x7F"
                             "ELF\x02\x01\x01\x00\x00\x00garbage",
                             16);
    for (const std::string& bytes :
         {binary, std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1xxxx", 12), std::string("\r\n,,\r\n")}) {
        const LabReadResult r = readLabTable(bytes);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.empty());
    }
}

TEST(LabSheetXlsx, DamagedFilesGiveAClearError)
{
    // A ZIP signature with nothing behind it, and a real book cut in half.
    std::string book;
    ASSERT_TRUE(readFileBytes(qc::test::dataPath("labresults.xlsx"), book));
    for (const std::string& bytes :
         {std::string("PK\x03\x04truncated", 13), book.substr(0, book.size() / 2)}) {
        const LabReadResult r = readLabTable(bytes);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(u8(r.error).find("XLSX"), std::string::npos) << u8(r.error);
    }
}

TEST(LabSheetXlsx, ReadsInlineStringsNumbersWithTheirDecimalsAndAChosenSheet)
{
    // tests/data/labresults.xlsx is written by openpyxl (tests/labtable/make_fixture_xlsx.py).
    std::string book;
    ASSERT_TRUE(readFileBytes(qc::test::dataPath("labresults.xlsx"), book));
    const LabReadResult first = readLabTable(book);
    ASSERT_TRUE(first.ok) << u8(first.error);
    EXPECT_EQ(first.sheet.sheetNames, (std::vector<std::string>{sj("結果"), sj("含有量")}));
    EXPECT_EQ(first.sheet.sheetName, sj("結果"));
    EXPECT_EQ(first.sheet.cell(0, 0), sj("試料番号"));
    EXPECT_EQ(first.sheet.cell(0, 1), sj("カドミウム"));
    EXPECT_EQ(first.sheet.cell(1, 1), "mg/L");
    EXPECT_EQ(first.sheet.cell(2, 1), "0.010"); // number with the format "0.000"
    EXPECT_EQ(first.sheet.cell(2, 2), "12");    // general
    EXPECT_EQ(first.sheet.cell(2, 3), "0.0021");
    EXPECT_EQ(first.sheet.cell(3, 1), "<0.001");
    EXPECT_EQ(first.sheet.cell(3, 2), sj("不検出"));

    const LabReadResult second = readLabTable(book, sj("含有量"));
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.sheet.cell(0, 1), sj("鉛含有量"));
    EXPECT_FALSE(readLabTable(book, sj("無いシート")).ok);
}

TEST(LabNames, NormalisedFormsCompareEqual)
{
    const struct
    {
        const char* a;
        const char* b;
    } same[] = {
        {"1,2-ジクロロエタン", "1，2-ジクロロエタン"},
        {"1,2-ジクロロエタン", "１、２－ジクロロエタン"},
        {"Cd", "ＣＤ"},
        {"フッ素", "ﾌｯ素"},
        {"カドミウム(含有量)", "カドミウム （含有量）"},
        {"ガス", "ｶﾞｽ"},
        {"PCB", "ＰＣＢ"},
        {"pcb", "P C\tB\r\n"},
        {"パビブヴ", "ﾊﾟﾋﾞﾌﾞｳﾞ"},
        {"゛ガ", "ﾞｶﾞ"}, // a mark with no kana before it stays a mark
        {"a゛", "aﾞ"},
    };
    for (const auto& c : same) EXPECT_EQ(normalizeLabName(sj(c.a)), normalizeLabName(sj(c.b))) << c.a;
    EXPECT_NE(normalizeLabName(sj("ふっ素")),
              normalizeLabName(sj("フッ素"))); // kana kinds: the alias table's job
}

TEST(LabNames, ValuesAsTheyGoIntoCells)
{
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"＜０．００１", "<0.001"},
        {" 0.003 ", "0.003"},
        {"1,200", "1200"},
        {"12,345.5", "12345.5"},
        {"1,2", "1,2"},
        {"ＮＤ", "ND"},
        {"－", "－"},
        {" - ", "-"},
        {"不検出", "不検出"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(u8(normalizeLabValue(sj(c.in))), c.out) << c.in;
}

TEST(LabNames, AliasTableGroupsNames)
{
    const TestAliases t = TestAliases::parse(sj("; comment\r\n"
                                                "カドミウム=Cd=カドミウム及びその化合物\r\n"
                                                "\r\n"
                                                "六価クロム ＝ 六価クロム化合物\r\n"
                                                "ふっ素=フッ素=Cd\r\n"));
    ASSERT_EQ(t.groups(), 3);
    EXPECT_EQ(t.groupOf(normalizeLabName(sj("ｃｄ"))), 0);
    EXPECT_EQ(t.groupOf(normalizeLabName(sj("六価クロム化合物"))), 1);
    EXPECT_EQ(t.canonical(1), sj("六価クロム"));
    EXPECT_EQ(t.groupOf(normalizeLabName(sj("フッ素"))), 2);
    EXPECT_EQ(t.groupOf(normalizeLabName(sj("鉛"))), -1);

    // The bundled table knows the pairs.
    std::string bytes;
    ASSERT_TRUE(readFileBytes(std::string(QC_SOURCE_DIR) + "/data/install/TestAlias.mst", bytes));
    const TestAliases bundled = TestAliases::parse(bytes);
    for (auto [a, b] : {std::pair{"Cd", "カドミウム"},
                        {"六価クロム化合物", "六価クロム"},
                        {"ふっ素", "フッ素"},
                        {"1,2-ジクロロエタン", "1，2-ジクロロエタン"}})
        EXPECT_EQ(bundled.groupOf(normalizeLabName(sj(a))), bundled.groupOf(normalizeLabName(sj(b)))) << a;
    EXPECT_GE(bundled.groupOf(normalizeLabName(sj("Cd"))), 0);
}

} // namespace

namespace {

TEST(LabSheetXlsx, SharedStringsWithoutTheirPhoneticRuns)
{
    std::string book;
    ASSERT_TRUE(readFileBytes(qc::test::dataPath("labresults-shared.xlsx"), book));
    const LabReadResult r = readLabTable(book);
    ASSERT_TRUE(r.ok) << u8(r.error);
    EXPECT_EQ(r.sheet.cell(0, 0), sj("試料番号"));
    EXPECT_EQ(r.sheet.cell(0, 1), "");
    EXPECT_EQ(r.sheet.cell(0, 2), sj("六価クロム"));
    EXPECT_EQ(r.sheet.cell(1, 2), "ND");
}

} // namespace
