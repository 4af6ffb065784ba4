// Values against reference values: the rule behind the reference lines, the flags and the report.

#include "document/referencevalue.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qc;
using qc::test::sj;

TEST(ReferenceValue, ComparisonRules)
{
    constexpr double none = NAN;
    struct Case
    {
        const char* name;
        std::string value;
        std::string reference;
        RefVerdict verdict;
        double ratio; // NAN: no ratio
    } cases[] = {
        {"above", "0.018", "0.01", RefVerdict::Exceeds, 1.8},
        {"equal is not above", "0.01", "0.01", RefVerdict::Within, 1.0},
        {"below", "0.004", "0.01", RefVerdict::Within, 0.4},
        {"blanks around", " 0.02 ", "0.01", RefVerdict::Exceeds, 2.0},
        {"exponent", "2e-2", "0.01", RefVerdict::Exceeds, 2.0},
        {"full-width digits", sj("０．０３２"), sj("０．０１"), RefVerdict::Exceeds, 3.2},
        {"full-width blank", sj("　0.005　"), "0.01", RefVerdict::Within, 0.5},
        {"below limit under reference", "<0.001", "0.01", RefVerdict::Within, none},
        {"below limit equal to reference", "<0.0005", "0.0005", RefVerdict::Within, none},
        {"limit above reference", "<0.02", "0.01", RefVerdict::LimitAboveReference, none},
        {"full-width less-than", sj("＜０．０２"), "0.01", RefVerdict::LimitAboveReference, none},
        {"less-than with blank", "< 0.001", "0.01", RefVerdict::Within, none},
        {"x未満", sj("0.02未満"), "0.01", RefVerdict::LimitAboveReference, none},
        {"ND", "ND", "0.01", RefVerdict::Within, none},
        {"N.D.", "n.d.", "0.01", RefVerdict::Within, none},
        {"不検出", sj("不検出"), "0.01", RefVerdict::Within, none},
        {"empty value", "", "0.01", RefVerdict::NoValue, none},
        {"blank value", "   ", "0.01", RefVerdict::NoValue, none},
        {"text value", sj("欠測"), "0.01", RefVerdict::NotComparable, none},
        {"number with trailing text", "0.5a", "0.01", RefVerdict::NotComparable, none},
        {"less-or-equal is no limit", "<=0.5", "0.01", RefVerdict::NotComparable, none},
        {"empty reference", "0.5", "", RefVerdict::NoReference, none},
        {"zero reference", "0.5", "0", RefVerdict::NoReference, none},
        {"zero reference written 0.000", "0.5", "0.000", RefVerdict::NoReference, none},
        {"negative reference", "0.5", "-1", RefVerdict::NoReference, none},
        {"text reference", "0.5", sj("別表参照"), RefVerdict::NoReference, none},
        {"inf is not a number", "0.5", "inf", RefVerdict::NoReference, none},
        {"must not be detected: any number above 0", "0.0001", sj("検出されないこと"), RefVerdict::Exceeds,
         none},
        {"must not be detected: zero", "0", sj("検出されないこと"), RefVerdict::Within, none},
        {"must not be detected: below limit", "<0.1", sj("検出されないこと"), RefVerdict::Within, none},
        {"must not be detected: ND", "ND", sj("検出されないこと"), RefVerdict::Within, none},
        {"reference written ND", "0.2", "ND", RefVerdict::Exceeds, none},
        {"reference written 不検出", "0.2", sj("不検出"), RefVerdict::Exceeds, none},
    };
    for (const Case& c : cases) {
        const RefComparison r = compareWithReference(c.value, c.reference);
        EXPECT_EQ(r.verdict, c.verdict) << c.name;
        EXPECT_EQ(r.exceeds(), c.verdict == RefVerdict::Exceeds) << c.name;
        if (std::isnan(c.ratio)) {
            EXPECT_FALSE(r.ratio.has_value()) << c.name;
        } else {
            ASSERT_TRUE(r.ratio.has_value()) << c.name;
            EXPECT_NEAR(*r.ratio, c.ratio, 1e-12) << c.name;
        }
    }
}

// A trail byte that looks like "<" or a digit never counts on its own.
TEST(ReferenceValue, TrailBytesAreNotAscii)
{
    // "表" ends in "\\", "機" in "@"; "ｼ" is a single half-width kana; "＜" is 0x81 0x83.
    for (const std::string& cell : {sj("表0.5"), sj("機"), sj("ｼ0.5"), std::string("\x81", 1)})
        EXPECT_EQ(parseMeasuredValue(cell).kind, MeasuredValue::Text) << cell;
    const MeasuredValue below = parseMeasuredValue(sj("＜0.005"));
    EXPECT_EQ(below.kind, MeasuredValue::Below);
    EXPECT_DOUBLE_EQ(below.number, 0.005);
}
