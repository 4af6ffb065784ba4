#include "document/referencevalue.h"

#include "document/cp932.h"
#include "document/positions.h"
#include "document/tables.h"

#include <cmath>
#include <cstdlib>

namespace qc {

namespace {

// The cell with full-width digits, point, signs, "＜" and "Ｅ/ｅ" as ASCII and blanks (either width)
// dropped at both ends; other characters are kept whole, so a trail byte is never read alone.
std::string normalised(std::string_view cell)
{
    std::string out;
    for (size_t i = 0; i < cell.size();) {
        const auto lead = static_cast<unsigned char>(cell[i]);
        if (!cp932::isLeadByte(lead) || i + 1 >= cell.size()) {
            out += cell[i++];
            continue;
        }
        const auto trail = static_cast<unsigned char>(cell[i + 1]);
        char ascii = 0;
        if (lead == 0x82 && trail >= 0x4F && trail <= 0x58)
            ascii = static_cast<char>('0' + (trail - 0x4F));
        else if (lead == 0x81 && trail == 0x44)
            ascii = '.';
        else if (lead == 0x81 && trail == 0x7B)
            ascii = '+';
        else if (lead == 0x81 && trail == 0x7C)
            ascii = '-';
        else if (lead == 0x81 && trail == 0x83)
            ascii = '<';
        else if (lead == 0x81 && trail == 0x40)
            ascii = ' ';
        else if (lead == 0x82 && (trail == 0x64 || trail == 0x85))
            ascii = 'e';
        if (ascii != 0) {
            out += ascii;
        } else {
            out.append(cell.substr(i, 2));
        }
        i += 2;
    }
    const size_t first = out.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const size_t last = out.find_last_not_of(" \t");
    return out.substr(first, last - first + 1);
}

// A whole text that is one finite decimal number.
std::optional<double> wholeNumber(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    bool digit = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != '.' && c != '+' && c != '-' && c != 'e' && c != 'E')
            return std::nullopt;
    }
    if (!digit) return std::nullopt;
    const std::string s(text);
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string_view skipBlanksOf(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool sameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

bool notDetectedWord(std::string_view text)
{
    for (const char* word : {"ND", "N.D.", "N.D"})
        if (sameLetters(text, word)) return true;
    return text == QC_SJ("不検出") || text == QC_SJ("検出せず") || text == QC_SJ("検出されず") ||
           text == QC_SJ("ＮＤ") || text == QC_SJ("Ｎ．Ｄ．");
}

} // namespace

MeasuredValue parseMeasuredValue(std::string_view cell)
{
    const std::string text = normalised(cell);
    if (text.empty()) return {};
    if (const auto v = wholeNumber(text)) return {MeasuredValue::Number, *v};
    if (text[0] == '<') {
        std::string_view rest = std::string_view(text).substr(1);
        if (!rest.empty() && rest[0] == '=') return {MeasuredValue::Text, 0}; // "<=" is not a limit
        while (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
        if (const auto v = wholeNumber(rest)) return {MeasuredValue::Below, *v};
        return {MeasuredValue::Text, 0};
    }
    const std::string& under = QC_SJ("未満");
    if (text.size() > under.size() && text.ends_with(under)) {
        std::string_view number = std::string_view(text).substr(0, text.size() - under.size());
        while (!number.empty() && number.back() == ' ') number.remove_suffix(1);
        if (const auto v = wholeNumber(number)) return {MeasuredValue::Below, *v};
    }
    if (notDetectedWord(text)) return {MeasuredValue::NotDetected, 0};
    return {MeasuredValue::Text, 0};
}

ReferenceValue parseReferenceValue(std::string_view cell)
{
    const std::string text = normalised(cell);
    if (const auto v = wholeNumber(text)) {
        if (*v > 0) return {ReferenceValue::Number, *v};
        return {};
    }
    if (text == QC_SJ("検出されないこと") || notDetectedWord(text) ||
        startsWith(text, QC_SJ("検出されないこと")))
        return {ReferenceValue::NotDetected, 0};
    return {};
}

RefComparison compareWithReference(std::string_view value, std::string_view reference)
{
    // Most cells of a sample row are empty: no need to normalise them.
    if (value.empty()) return {RefVerdict::NoValue, std::nullopt};
    const MeasuredValue v = parseMeasuredValue(value);
    if (v.kind == MeasuredValue::Empty) return {RefVerdict::NoValue, std::nullopt};
    if (reference.empty()) return {RefVerdict::NoReference, std::nullopt};
    const ReferenceValue r = parseReferenceValue(reference);
    if (r.kind == ReferenceValue::None) return {RefVerdict::NoReference, std::nullopt};
    switch (v.kind) {
    case MeasuredValue::Number:
        if (r.kind == ReferenceValue::NotDetected)
            return {v.number > 0 ? RefVerdict::Exceeds : RefVerdict::Within, std::nullopt};
        return {v.number > r.number ? RefVerdict::Exceeds : RefVerdict::Within, v.number / r.number};
    case MeasuredValue::Below:
        // Below a limit never exceeds; a limit above the reference cannot show compliance either.
        if (r.kind == ReferenceValue::Number && v.number > r.number)
            return {RefVerdict::LimitAboveReference, std::nullopt};
        return {RefVerdict::Within, std::nullopt};
    case MeasuredValue::NotDetected:
        return {RefVerdict::Within, std::nullopt};
    default:
        return {RefVerdict::NotComparable, std::nullopt};
    }
}

std::string_view verdictText(RefVerdict verdict)
{
    switch (verdict) {
    case RefVerdict::NoReference:
        return "基準値なし";
    case RefVerdict::Within:
        return "適合";
    case RefVerdict::Exceeds:
        return "超過";
    case RefVerdict::LimitAboveReference:
        return "定量下限が基準値を超える";
    case RefVerdict::NotComparable:
        return "判定不能";
    case RefVerdict::NoValue:
        break;
    }
    return {};
}

bool referenceLinesShown(const Document& doc)
{
    return skipBlanksOf(doc.DisplayItemTable(ReferenceLinesCell::Row, ReferenceLinesCell::Col)) != "0";
}

void setReferenceLinesShown(Document& doc, bool shown)
{
    doc.DisplayItemTable(ReferenceLinesCell::Row, ReferenceLinesCell::Col) = shown ? "1" : "0";
}

RefComparison compareSampleValue(const Document& doc, int row, int u)
{
    return compareWithReference(doc.SampleTable(row, SampleCol::test(u)),
                                doc.TestNameTable(u, TestCol::Reference));
}

bool sampleExceedsAny(const Document& doc, int row)
{
    for (int u = 1; u <= SampleCol::LastTest - SampleCol::FirstTest + 1; ++u)
        if (compareSampleValue(doc, row, u).exceeds()) return true;
    return false;
}

} // namespace qc
