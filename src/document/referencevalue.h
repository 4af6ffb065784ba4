#pragma once
// How a test value stands against its test's reference value (TestNameTable column 4):
// the rule behind the reference lines, the flagged value labels and the exceedance report.
// Cells are CP932; full-width digits, points, signs and "＜" count as their ASCII forms.
// Units are not compared: the value is taken in the unit of its test.

#include <optional>
#include <string>
#include <string_view>

namespace qc {

struct Document;

// A value cell, read for comparison.
struct MeasuredValue
{
    enum Kind {
        Empty,       // nothing measured
        Number,      // a plain number
        Below,       // "<x" or "x未満": below the quantification limit x
        NotDetected, // "ND", "N.D.", "不検出", "検出せず"
        Text,        // any other text
    };
    Kind kind = Empty;
    double number = 0; // the number, or x of "<x"
};

// A reference cell: a positive number, "must not be detected", or no reference.
struct ReferenceValue
{
    enum Kind {
        None,        // empty, 0, negative or text without meaning
        Number,      // a number above 0
        NotDetected, // "検出されないこと", "ND", "不検出"
    };
    Kind kind = None;
    double number = 0;
};

MeasuredValue parseMeasuredValue(std::string_view cell);
ReferenceValue parseReferenceValue(std::string_view cell);

enum class RefVerdict {
    NoValue,             // empty value cell
    NoReference,         // the test has no usable reference
    Within,              // compared, not above the reference
    Exceeds,             // a number strictly above the reference (above 0 for "検出されないこと")
    LimitAboveReference, // "<x" with x above the reference: the laboratory could not tell
    NotComparable,       // a value text the rules cannot read
};

struct RefComparison
{
    RefVerdict verdict = RefVerdict::NoValue;
    std::optional<double> ratio; // value / reference when both are numbers
    bool exceeds() const { return verdict == RefVerdict::Exceeds; }
};

RefComparison compareWithReference(std::string_view value, std::string_view reference);

// The verdict as the report and the dialog write it, UTF-8: "超過", "適合",
// "定量下限が基準値を超える", "基準値なし", "判定不能"; empty for NoValue.
std::string_view verdictText(RefVerdict verdict);

// Whether the log draws the reference lines on its graphs, and the switch itself.
bool referenceLinesShown(const Document& doc);
void setReferenceLinesShown(Document& doc, bool shown);

// Test u's value in SampleTable row `row` against the test's reference value.
RefComparison compareSampleValue(const Document& doc, int row, int u);
// True when any test value of the row exceeds its reference.
bool sampleExceedsAny(const Document& doc, int row);

} // namespace qc
