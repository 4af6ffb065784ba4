// CP932 conversion and the character-aware text operations.

#include "document/cp932.h"
#include "document/textops.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;

TEST(Cp932, ConvertsNecAndIbmExtensionsBothWays)
{
    // Characters that plain Shift-JIS tables do not map.
    for (const char* s : {"①", "Ⅰ", "㎜", "髙", "ボーリング柱状図", "ｱﾝﾀﾞｰﾗｲﾝ"}) {
        bool ok = false;
        std::string bytes = cp932::fromUtf8(s, &ok);
        EXPECT_TRUE(ok) << s;
        EXPECT_EQ(cp932::toUtf8(bytes), s);
    }
    EXPECT_EQ(cp932::fromUtf8("①"), "\x87\x40");
    EXPECT_EQ(cp932::fromUtf8("㎜"), "\x87\x6F");
}

TEST(Cp932, InvalidBytesShowAsReplacementCharacter)
{
    // 0x81 0x20 is a lead byte with an impossible trail; 0xA0 and 0xFD are not CP932.
    EXPECT_EQ(cp932::toUtf8("a\x81 b"), "a\xEF\xBF\xBD b");
    EXPECT_EQ(cp932::toUtf8("\xFD"), "\xEF\xBF\xBD");
    EXPECT_EQ(cp932::toUtf8("x\x82"), "x\xEF\xBF\xBD"); // lead byte cut at the end
}

TEST(Cp932, Utf8ValidityRejectsOverlongSurrogateAndTruncatedForms)
{
    const struct
    {
        std::string bytes;
        bool valid, nonAscii;
    } cases[] = {
        {"", true, false},
        {"abc", true, false},
        {"\xE6\xB7\xB1\xF0\x9F\x98\x80", true, true}, // 深 and a four-byte form
        {"\xF4\x8F\xBF\xBF", true, true},             // U+10FFFF
        {"\xC0\xAF", false, true},                    // overlong '/'
        {"\xE0\x80\xAF", false, true},
        {"\xF0\x80\x80\xAF", false, true},
        {"\xED\xA0\x80", false, true},     // a surrogate
        {"\xF4\x90\x80\x80", false, true}, // above U+10FFFF
        {"\xE6\xB7", false, true},         // cut short
        {"a\x90\x5B", false, true},        // CP932 深
    };
    for (const auto& c : cases) {
        bool nonAscii = !c.nonAscii;
        EXPECT_EQ(qc::cp932::isValidUtf8(c.bytes, &nonAscii), c.valid) << c.bytes;
        EXPECT_EQ(nonAscii, c.nonAscii) << c.bytes;
    }
}

TEST(Cp932, UnmappableUtf8BecomesQuestionMark)
{
    bool ok = true;
    EXPECT_EQ(cp932::fromUtf8("a😀b", &ok), "a?b");
    EXPECT_FALSE(ok);
}

TEST(Cp932, LeadBytes)
{
    EXPECT_TRUE(cp932::isLeadByte(0x81));
    EXPECT_TRUE(cp932::isLeadByte(0x9F));
    EXPECT_TRUE(cp932::isLeadByte(0xE0));
    EXPECT_TRUE(cp932::isLeadByte(0xFC));
    EXPECT_FALSE(cp932::isLeadByte(0xA0)); // half-width katakana are single bytes
    EXPECT_FALSE(cp932::isLeadByte(0xDF));
    EXPECT_FALSE(cp932::isLeadByte('A'));
}

TEST(Cp932, LiteralHelperConvertsOnce)
{
    const std::string& a = QC_SJ("互層");
    EXPECT_EQ(a, sj("互層"));
    EXPECT_EQ(a.size(), 4u);
}

TEST(TextOps, MidBytes)
{
    const std::string three = sj("砂礫土"); // three two-byte characters
    struct Case
    {
        std::string text;
        int start, count;
        std::string expected;
        bool ok;
    } cases[] = {
        {three, 2, 2, "  ", true},           // cuts inside characters on both sides
        {three, 1, 4, sj("砂礫"), true},     // whole characters
        {three, 3, 3, sj("礫") + " ", true}, // the last character cut at its end
        {"abcdef", 2, 3, "bcd", true},
        {"abc", 4, 1, "", false}, // beyond the end
        {"abc", 1, 0, "", false}, // nothing asked
        {"abc", 2, 99, "bc", true},
    };
    for (const auto& c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(MidBytes(c.text, c.start, c.count, &ok), c.expected) << c.start << "," << c.count;
        EXPECT_EQ(ok, c.ok);
    }
}

TEST(TextOps, MidBytesLooksAtTheFirst200BytesOnly)
{
    std::string longText(300, 'x');
    EXPECT_EQ(MidBytes(longText, 150, 100).size(), 51u);
    EXPECT_EQ(MidBytes(longText, 201, 5), "");
    // A two-byte character across byte 200 is cut by the limit.
    std::string edge = std::string(199, 'a') + sj("砂");
    EXPECT_EQ(MidBytes(edge, 199, 2), "a ");
}

TEST(TextOps, MidCharsAndCharCount)
{
    const std::string three = sj("砂礫土");
    EXPECT_EQ(MidChars(three, 2, 1), sj("礫"));
    EXPECT_EQ(MidChars("ab" + sj("砂") + "c", 2, 2), "b" + sj("砂"));
    EXPECT_EQ(MidChars(three, 4, 1), "");
    EXPECT_EQ(MidChars(three, 1, 0), "");
    EXPECT_EQ(CharCount("ab" + sj("砂")), 3);
    EXPECT_EQ(CharCount(sj("ｱﾝﾀﾞｰ")), 5); // half-width katakana count one byte each
    EXPECT_EQ(CharCount(""), 0);
}

TEST(TextOps, AsciiCharactersAreFoundOnlyAsCharactersOfTheirOwn)
{
    // Each word holds a two-byte character whose second byte is the searched one.
    struct Case
    {
        const char* text;
        char c;
        size_t found; // byte position, npos when only trail bytes match
        bool ends;
    } cases[] = {
        {"有機物", '@', std::string::npos, false},
        {"　", '@', std::string::npos, false},
        {"深度", '[', std::string::npos, false},
        {"表土", '\\', std::string::npos, false},
        {"ソ", '\\', std::string::npos, false},
        {"本孔", '{', std::string::npos, false},
        {"転石", ']', std::string::npos, false},
        {"掛矢", '|', std::string::npos, false},
        {"機@", '@', 2, true},
        {"a表\\", '\\', 3, true},
        {"[終了", '[', 0, false},
        {"", '@', std::string::npos, false},
    };
    for (const Case& c : cases) {
        const std::string text = sj(c.text);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(findChar(text, c.c), c.found);
        EXPECT_EQ(containsChar(text, c.c), c.found != std::string::npos);
        if (c.found == std::string::npos)
            EXPECT_FALSE(endsWithChar(text, c.c));
        else
            EXPECT_EQ(endsWithChar(text, c.c), c.ends);
    }
    // A start inside the text skips the earlier characters.
    EXPECT_EQ(findChar("a@b@", '@', 2), 3u);
    // A lone lead byte at the end is a character of its own, not a match.
    EXPECT_FALSE(endsWithChar("a\x95", '\\'));
}
