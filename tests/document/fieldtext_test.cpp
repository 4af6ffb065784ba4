// The field text rules: numeric test, CSV fields, substring helpers.

#include "document/fieldtext.h"
#include "document/textformat.h"
#include "document/textops.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

TEST(FieldText, NumericTest)
{
    struct Case
    {
        std::string text;
        int expected;
    } cases[] = {
        {" -12.5", 1},
        {"12", 1},
        {".5", 1},
        {"+3", 1},
        {"\t 7", 1},
        {"", -1},
        {"   ", -1},
        {"!1", 0},
        {"a1", 0},
        {sj("１"), 0}, // a full-width digit is not a number
        // Blanks are tab to CR and space; a full-width blank only as a whole character.
        {"\r\n\v\f7", 1},
        {"\b7", 0},
        {"\x0e"
         "7",
         0},
        {"\x81\x40"
         "7",
         1},
        {"\x81\x40", -1},
        {"\x81", 0},
        {"\x81"
         "7",
         0},
    };
    for (const auto& c : cases) EXPECT_EQ(NumericTest(c.text), c.expected) << "[" << c.text << "]";
}

TEST(FieldText, CsvField)
{
    struct Case
    {
        std::string line;
        int n;
        int result;
        std::string out;
    } cases[] = {
        {"a,\"b,c\",d", 2, 1, "b,c"}, // quoted comma
        {"a,\"b,c\",d", 3, 1, "d"},
        {"a,b,", 3, 0, ""},     // a trailing comma makes no further field
        {"a,,c", 2, 1, ""},     // an empty field exists
        {"", 1, -1, ""},        // empty line
        {"a,b\nc,d", 3, 0, ""}, // a line feed ends the line
        {"one", 1, 1, "one"},
        {"one", 0, 0, ""},
        {sj("砂,礫"), 2, 1, sj("礫")},
    };
    for (const auto& c : cases) {
        std::string out = "junk";
        EXPECT_EQ(CsvField(out, c.line, c.n), c.result) << c.line << " #" << c.n;
        EXPECT_EQ(out, c.out) << c.line << " #" << c.n;
    }
}

namespace {

// The splitting rules spelled out one byte at a time: the fast splitters must agree with it.
std::vector<std::string> referenceSplit(std::string_view line)
{
    std::vector<std::string> fields;
    if (line.empty()) return fields;
    std::string field;
    bool quoted = false, pending = true;
    for (char c : line.substr(0, kCsvLineLimit)) {
        if (c == '\n') break;
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.push_back(std::move(field));
            field.clear();
            pending = false;
            continue;
        } else {
            field += c;
        }
        pending = true;
    }
    if (pending) fields.push_back(std::move(field));
    return fields;
}

} // namespace

TEST(FieldText, EverySplitterAgreesWithTheByteByByteRules)
{
    const std::string lines[] = {
        "",
        ",",
        ",,",
        "a",
        "a,",
        ",a",
        "a,,b,",
        "\n",
        "a\nb,c",
        "a,\n,b",
        "\"",
        "\"\"",
        "a,\"",
        "a,\"\"",
        "\"a,b\",c",
        "\"a,b,c",
        "a\"b\"c,d",
        "\"\",\"\",\"\"",
        "x,\"y\"\"z\",w",
        sj("砂,礫,表\""),
        std::string(2598, 'x') + ",a,b",
        std::string(2599, ',') + "q,r",
        "a,\"\n\",b",
        std::string("a\0b,\0,c", 8),
    };
    for (const std::string& line : lines) {
        const std::vector<std::string> expected = referenceSplit(line);
        EXPECT_EQ(CsvSplit(line), expected) << "[" << line << "]";
        for (int n = 0; n <= static_cast<int>(expected.size()) + 1; ++n) {
            std::string out = "junk";
            const int r = CsvField(out, line, n);
            const bool exists = n >= 1 && n <= static_cast<int>(expected.size());
            EXPECT_EQ(r, line.empty() ? -1 : exists ? 1 : 0) << "[" << line << "] #" << n;
            EXPECT_EQ(out, exists ? expected[static_cast<size_t>(n - 1)] : "") << "[" << line << "] #" << n;
        }
        // Into cells that held text before: every cell is emptied, fields beyond the count skipped.
        for (int count : {1, 2, 5}) {
            std::vector<std::string> cells(static_cast<size_t>(count), "old text");
            std::vector<std::string*> pointers;
            for (std::string& c : cells) pointers.push_back(&c);
            const int n = CsvSplitInto(line, pointers.data(), count);
            EXPECT_EQ(n, std::min<int>(count, static_cast<int>(expected.size()))) << "[" << line << "]";
            for (int i = 0; i < count; ++i) {
                const size_t k = static_cast<size_t>(i);
                EXPECT_EQ(cells[k], k < expected.size() ? expected[k] : "") << "[" << line << "] cell " << i;
            }
        }
    }
}

TEST(FieldText, CsvFieldOfAnOverlongLineSaysSoAndSplitsItsStart)
{
    std::string line = std::string(2598, 'x') + ",a,b";
    ScriptedPrompter p;
    std::string out;
    EXPECT_EQ(CsvField(out, line, 2, &p), 1);
    EXPECT_EQ(out, "a"); // field 2 is cut at byte 2600
    EXPECT_EQ(CsvField(out, line, 3, &p), 0);
    ASSERT_EQ(p.entries().size(), 2u);
    EXPECT_EQ(p.entries()[0].text, "too many csv");
    // Splitting a whole line shows the message once.
    p.clear();
    CsvSplit(line, &p);
    EXPECT_EQ(p.entries().size(), 1u);
}

TEST(FieldText, TextBeforeAndAfter)
{
    std::string out;
    EXPECT_EQ(TextBefore(out, "abc:def", ":"), 4);
    EXPECT_EQ(out, "abc");
    EXPECT_EQ(TextBefore(out, ":def", ":"), 1);
    EXPECT_EQ(out, ":def"); // separator at the start: whole text
    EXPECT_EQ(TextBefore(out, "abc", ":"), 0);
    EXPECT_EQ(out, "abc");

    EXPECT_EQ(TextBeforeStrict(out, "abc:def", ":"), 3);
    EXPECT_EQ(out, "abc");
    EXPECT_EQ(TextBeforeStrict(out, ":def", ":"), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(TextBeforeStrict(out, "abc", ":"), -1);
    EXPECT_EQ(out, "");

    EXPECT_EQ(TextAfter(out, "abc:def", ":"), 4);
    EXPECT_EQ(out, "def");
    EXPECT_EQ(TextAfter(out, "abc", ":"), 0);
    EXPECT_EQ(out, "");
}

TEST(FieldText, SearchesNeverMatchAcrossCharacterBoundaries)
{
    // "ー" is 0x81 0x5B; "ｰ[" would not exist, but a trail byte 0x5B equals '['.
    std::string text = sj("ー");
    EXPECT_EQ(findText(text, "["), std::string::npos);
    EXPECT_EQ(TextAfter(text, "["), "");

    // Two-byte characters ending in "@", "\\", "{", "|" stay whole in comma-separated fields.
    const std::vector<std::string> fields = CsvSplit(sj("有機物,表土,ソイル,本孔,掛矢"));
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[1], sj("表土"));
    EXPECT_EQ(fields[4], sj("掛矢"));
}

TEST(FieldText, FindTextFindsTheFirstMatchOnACharacterFromTheStart)
{
    struct Case
    {
        std::string text, sep;
        size_t from, expected;
    } cases[] = {
        {sj("ー["), "[", 0, 2},       // the trail byte 0x5B is skipped, the real '[' found
        {sj("ーー"), sj("ー"), 1, 2}, // from inside a character: the next whole one
        {sj("表\\"), "\\", 0, 2},     // "表" ends in a backslash
        {"aaaa", "aa", 1, 1},         // overlapping candidates
        {"abc", "c", 3, std::string::npos},
        {"abc", "", 0, std::string::npos},
        {sj("機@@"), "@", 0, 2},
        {sj("ａ機@"), sj("機@"), 0, 2},
    };
    for (const Case& c : cases) EXPECT_EQ(findText(c.text, c.sep, c.from), c.expected) << u8(c.text);
}

TEST(FieldText, FindTextAgreesWithACharacterWalk)
{
    // The first match at or after from that a walk from the start steps on.
    auto walked = [](std::string_view text, std::string_view sep, size_t from) {
        for (size_t p = 0; p < text.size(); p += charLengthAt(text, p))
            if (p >= from && text.substr(p, sep.size()) == sep) return p;
        return std::string_view::npos;
    };
    // Lead bytes that are also trail bytes, plain trail bytes, ASCII and single-byte kana.
    const char bytes[] = {'\x81', '\x82', '\xE0', '\xFC', '@', '[', 'a', '\xB1', '\xA0'};
    std::mt19937 rng(7);
    auto randomText = [&](size_t n) {
        std::string s;
        for (size_t i = 0; i < n; ++i) s += bytes[rng() % std::size(bytes)];
        return s;
    };
    for (int n = 0; n < 200000; ++n) {
        const std::string text = randomText(rng() % 12), sep = randomText(1 + rng() % 3);
        const size_t from = rng() % (text.size() + 1);
        ASSERT_EQ(findText(text, sep, from), walked(text, sep, from))
            << testing::PrintToString(text) << " " << testing::PrintToString(sep) << " " << from;
    }
}

TEST(FieldText, ReplaceAll)
{
    EXPECT_EQ(ReplaceAll(sj("礫混り砂混じり"), sj("混り"), sj("混じり")), sj("礫混じり砂混じり"));
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa"); // replaced text is not rescanned
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "x"), "");
    // A trail byte is no match: "表" ends in "\\", "機" in "@".
    EXPECT_EQ(ReplaceAll(sj("表\\表"), "\\", "/"), sj("表/表"));
    EXPECT_EQ(ReplaceAll(sj("機"), "@", "x"), sj("機"));
}

TEST(TextFormat, IntegersAsPrintfWritesThem)
{
    for (long v : {0L, 1L, -1L, 42L, 1234567L, LONG_MAX, LONG_MIN}) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%ld", v);
        EXPECT_EQ(formatInt(v), expected);
        for (int digit : {0, 3, -1, INT_MAX, INT_MIN}) {
            std::snprintf(expected, sizeof expected, "%ld.%d", v, digit);
            EXPECT_EQ(formatPatternNumber(v, digit), expected);
        }
    }
}

TEST(FieldText, FloorToMultiple)
{
    EXPECT_DOUBLE_EQ(FloorToMultiple(2.3, 1), 2);
    EXPECT_DOUBLE_EQ(FloorToMultiple(2.3, 0), 0);
    EXPECT_DOUBLE_EQ(FloorToMultiple(2314, 100), 2300);
    EXPECT_NEAR(FloorToMultiple(0.3, 0.1), 0.3, 1e-12); // 0.3 / 0.1 is 2.9999999999999996
    EXPECT_DOUBLE_EQ(FloorToMultiple(-0.5, 1), -1);
}

TEST(FieldText, FullWidthBlanksLeadLikeBlanks)
{
    // What an IME leaves before a number: the text is the same number everywhere.
    struct Case
    {
        const char* text;
        int numeric;
        double value;
    } cases[] = {
        {"　5", 1, 5},    {"　　12.5", 1, 12.5}, {" 　-3.25", 1, -3.25}, {"\t　+2", 1, 2}, {"　", -1, 0},
        {"　 　", -1, 0}, {"　a5", 0, 0},        {"機5", 0, 0}, // "機" ends in "@", not a blank
        {"５", 0, 0},     {"5　", 1, 5},
    };
    for (const Case& c : cases) {
        const std::string text = sj(c.text);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NumericTest(text), c.numeric);
        EXPECT_DOUBLE_EQ(cellDouble(text), c.value);
        EXPECT_EQ(cellLong(text), static_cast<long>(c.value));
        EXPECT_EQ(cellInt(text), static_cast<int>(c.value));
    }
    EXPECT_EQ(parseAutoBase(sj("　0x10")), 16);
    EXPECT_EQ(parseAutoBase(sj("　-7")), -7);
}

TEST(FieldText, CellConversions)
{
    EXPECT_DOUBLE_EQ(cellDouble(" 12.5m"), 12.5);
    EXPECT_DOUBLE_EQ(cellDouble("+1.5"), 1.5);
    EXPECT_DOUBLE_EQ(cellDouble("abc"), 0);
    EXPECT_EQ(cellLong("247"), 247);
    EXPECT_EQ(cellLong("-3x"), -3);
    EXPECT_EQ(cellLong("99999999999999999999999"), LONG_MAX);
    EXPECT_EQ(parseAutoBase("0x808080"), 0x808080);
    EXPECT_EQ(parseAutoBase("8421504"), 8421504);
    EXPECT_EQ(parseAutoBase("010"), 10); // no octal
}
