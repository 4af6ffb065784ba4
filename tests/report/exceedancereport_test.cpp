// The exceedance report: the sample log against a hand-computed list, the order and the
// rules on a small fixture, and the CSV and JSON texts.

#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/files.h"
#include "report/exceedancereport.h"
#include "support/samplelog.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qc;
using qc::test::sampleLog;
using qc::test::sj;
using qc::test::u8;

namespace {

const ExceedanceSummary* summaryOf(const ExceedanceReport& r, int test)
{
    for (const ExceedanceSummary& s : r.summary)
        if (s.test == test) return &s;
    return nullptr;
}

} // namespace

// Counted by hand from the laboratory values of tools/gen_sample_log.py.
TEST(ExceedanceReport, SampleLogSummary)
{
    const ExceedanceReport r = buildExceedanceReport(sampleLog());
    constexpr double none = NAN;
    struct Expect
    {
        int test;
        const char* name;
        int measured, exceeding;
        double maxRatio, depth;
    } expected[] = {
        {1, "クロロエチレン", 15, 2, 1.55, 4.05},       // 0.0031 / 0.002 at S-5
        {5, "1，2-ジクロロエチレン", 15, 2, 1.3, 4.05}, // 0.052 / 0.04
        {8, "テトラクロロエチレン", 15, 5, 4.1, 3.05},  // 0.041 / 0.01 at S-4
        {11, "トリクロロエチレン", 15, 2, 1.5, 4.05},
        {12, "ベンゼン", 15, 0, 0.16, 2.05},
        {13, "カドミウム", 15, 0, 0.8, 1.05},
        {14, "六価クロム", 15, 1, 1.36, 1.05},
        {16, "水銀", 15, 0, none, none}, // all "<0.0005", the limit equal to the standard
        {18, "鉛", 15, 3, 3.2, 1.05},
        {19, "砒素", 15, 2, 1.4, 11.85},
        {20, "ふっ素", 15, 1, 1.1875, 1.05},
        {21, "ほう素", 15, 0, 0.46, 11.85},
        {32, "鉛(含有量)", 5, 2, 1.6, 1.05},
        {33, "砒素(含有量)", 5, 0, 0.08, 1.05},
        {36, "pH", 15, 0, none, none},
        {38, "電気伝導率", 15, 0, none, none},
        {39, "含水比", 15, 0, none, none},
    };
    ASSERT_EQ(r.summary.size(), std::size(expected));
    int rows = 0;
    for (const Expect& e : expected) {
        const ExceedanceSummary* s = summaryOf(r, e.test);
        ASSERT_NE(s, nullptr) << e.test;
        EXPECT_EQ(u8(s->testName), e.name);
        EXPECT_EQ(s->measured, e.measured) << e.name;
        EXPECT_EQ(s->exceeding, e.exceeding) << e.name;
        EXPECT_EQ(s->limitAboveReference, 0) << e.name;
        if (std::isnan(e.maxRatio)) {
            EXPECT_FALSE(s->maxRatio) << e.name;
            EXPECT_FALSE(s->maxRatioDepth) << e.name;
        } else {
            ASSERT_TRUE(s->maxRatio && s->maxRatioDepth) << e.name;
            EXPECT_NEAR(*s->maxRatio, e.maxRatio, 1e-9) << e.name;
            EXPECT_NEAR(*s->maxRatioDepth, e.depth, 1e-9) << e.name;
        }
        rows += e.measured;
    }
    EXPECT_EQ(r.rows.size(), static_cast<size_t>(rows));

    // The exceeding rows, in depth order.
    std::vector<std::string> exceeding;
    for (const ExceedanceRow& row : r.rows)
        if (row.comparison.exceeds())
            exceeding.push_back(u8(row.sample) + " " + u8(row.testName) + " " + row.value);
    const std::vector<std::string> expectedExceeding = {
        "S-1 鉛 0.018",
        "S-1 鉛(含有量) 185",
        "S-2 六価クロム 0.068",
        "S-2 鉛 0.032",
        "S-2 ふっ素 0.95",
        "S-2 鉛(含有量) 240",
        "S-3 テトラクロロエチレン 0.018",
        "S-3 鉛 0.012",
        "S-4 テトラクロロエチレン 0.041",
        "S-4 トリクロロエチレン 0.011",
        "S-5 クロロエチレン 0.0031",
        "S-5 1，2-ジクロロエチレン 0.052",
        "S-5 テトラクロロエチレン 0.035",
        "S-5 トリクロロエチレン 0.015",
        "S-6 クロロエチレン 0.0024",
        "S-6 1，2-ジクロロエチレン 0.047",
        "S-6 テトラクロロエチレン 0.022",
        "S-7 テトラクロロエチレン 0.012",
        "S-11 砒素 0.012",
        "S-12 砒素 0.014",
    };
    EXPECT_EQ(exceeding, expectedExceeding);
}

TEST(ExceedanceReport, RowsByDepthAndTheRulesOfTextValues)
{
    Document doc;
    doc.TestNameTable(1, TestCol::Name) = sj("鉛");
    doc.TestNameTable(1, TestCol::Unit) = "mg/L";
    doc.TestNameTable(1, TestCol::Reference) = "0.01";
    doc.TestNameTable(2, TestCol::Name) = sj("シアン");
    doc.TestNameTable(2, TestCol::Reference) = sj("検出されないこと");
    // Rows not in depth order; a sample without a bottom plots at its top.
    const std::string samples[][5] = {
        {"5.00", "5.50", "B", "<0.02", "0.1"},
        {"1.00", "", "A", "0.018", ""},
        {"3.00", "3.50", "C", sj("不検出"), "ND"},
    };
    for (int r = 1; r <= 3; ++r) {
        const auto& s = samples[r - 1];
        doc.SampleTable(r, SampleCol::Top) = s[0];
        doc.SampleTable(r, SampleCol::Bottom) = s[1];
        doc.SampleTable(r, SampleCol::Number) = s[2];
        doc.SampleTable(r, SampleCol::test(1)) = s[3];
        doc.SampleTable(r, SampleCol::test(2)) = s[4];
    }
    const ExceedanceReport r = buildExceedanceReport(doc);
    std::vector<std::string> listed;
    for (const ExceedanceRow& row : r.rows)
        listed.push_back(row.sample + ":" + std::to_string(row.test) + ":" +
                         std::string(verdictText(row.comparison.verdict)));
    EXPECT_EQ(listed, (std::vector<std::string>{"A:1:超過", "C:1:適合", "C:2:適合",
                                                "B:1:定量下限が基準値を超える", "B:2:超過"}));
    EXPECT_FALSE(r.rows[0].bottom);
    EXPECT_DOUBLE_EQ(r.rows[0].depth, 1.0);
    ASSERT_EQ(r.summary.size(), 2u);
    EXPECT_EQ(r.summary[0].measured, 3);
    EXPECT_EQ(r.summary[0].exceeding, 1);
    EXPECT_EQ(r.summary[0].limitAboveReference, 1);
    EXPECT_NEAR(*r.summary[0].maxRatio, 1.8, 1e-12);
    EXPECT_DOUBLE_EQ(*r.summary[0].maxRatioDepth, 1.0);
    EXPECT_EQ(r.summary[1].exceeding, 1);
    EXPECT_FALSE(r.summary[1].maxRatio); // "検出されないこと" gives no ratio
}

TEST(ExceedanceReport, CsvAndJsonTexts)
{
    Document doc;
    doc.TestNameTable(1, TestCol::Name) = sj("鉛, 溶出");
    doc.TestNameTable(1, TestCol::Unit) = "mg/L";
    doc.TestNameTable(1, TestCol::Reference) = "0.01";
    doc.SampleTable(1, SampleCol::Top) = "0.05";
    doc.SampleTable(1, SampleCol::Bottom) = "0.50";
    doc.SampleTable(1, SampleCol::Number) = "S-\"1\"";
    doc.SampleTable(1, SampleCol::test(1)) = "0.018";
    const ExceedanceReport r = buildExceedanceReport(doc);

    const std::string csv = exceedanceCsv(r);
    EXPECT_EQ(csv,
              "\xEF\xBB\xBF"
              "試料番号,上端深度(m),下端深度(m),試験名,単位,測定値,基準値,基準値比,判定\r\n"
              "\"S-\"\"1\"\"\",0.05,0.50,\"鉛, 溶出\",mg/L,0.018,0.01,1.8,超過\r\n"
              "\r\n"
              "試験名,単位,基準値,測定数,超過数,定量下限が基準値を超える数,最大基準値比,最大比の深度(m)\r\n"
              "\"鉛, 溶出\",mg/L,0.01,1,1,0,1.8,0.28\r\n");

    EXPECT_EQ(
        exceedanceJson(r),
        "{\"rows\": [\n"
        "  {\"sample\": \"S-\\\"1\\\"\", \"top\": 0.05, \"bottom\": 0.5, \"test\": \"鉛, 溶出\", \"unit\": "
        "\"mg/L\", \"value\": \"0.018\", \"reference\": \"0.01\", \"ratio\": 1.8, \"exceeds\": true, "
        "\"judgement\": \"超過\"}\n"
        " ],\n"
        " \"summary\": [\n"
        "  {\"test\": \"鉛, 溶出\", \"measured\": 1, \"exceeding\": 1, \"max_ratio\": 1.8, "
        "\"max_ratio_depth\": "
        "0.275}\n"
        " ]}\n");
    EXPECT_EQ(exceedanceJson(buildExceedanceReport(Document{})), "{\"rows\": [],\n \"summary\": []}\n");
}
