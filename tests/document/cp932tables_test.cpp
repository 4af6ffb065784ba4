// The table-driven CP932 conversion against the C library's converter used as a
// stream, the way the program converted before: every single byte and byte pair,
// every BMP code point, the ill-formed UTF-8 shapes and random mixtures must come
// out the same, byte for byte, with the same answer for "everything converted".

#include "document/cp932.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iconv.h>
#include <random>
#include <string>
#include <vector>

namespace {

// Converts through iconv; a byte (sequence) it refuses becomes the replacement and
// the conversion goes on after it, as the old conversion did.
std::string viaIconv(const char* to, const char* from, std::string_view in, std::string_view replacement,
                     bool skipUtf8Sequence, bool* ok)
{
    iconv_t cd = iconv_open(to, from);
    std::string out;
    if (ok) *ok = true;
    size_t left = in.size();
    const char* p = in.data();
    while (left > 0) {
        char buf[64];
        char* o = buf;
        size_t room = sizeof buf;
        char* i = const_cast<char*>(p);
        const size_t r = iconv(cd, &i, &left, &o, &room);
        out.append(buf, static_cast<size_t>(o - buf));
        p = i;
        if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
        if (ok) *ok = false;
        out += replacement;
        const auto c = static_cast<unsigned char>(*p);
        size_t skip = 1;
        if (skipUtf8Sequence)
            skip = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 1;
        skip = std::min(skip, left);
        p += skip;
        left -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

void expectSameFromCp932(const std::string& bytes)
{
    ASSERT_EQ(qc::cp932::toUtf8(bytes), viaIconv("UTF-8", "CP932", bytes, "\xEF\xBF\xBD", false, nullptr))
        << testing::PrintToString(bytes);
}

void expectSameFromUtf8(const std::string& utf8)
{
    bool ok = false, refOk = false;
    const std::string mine = qc::cp932::fromUtf8(utf8, &ok);
    ASSERT_EQ(mine, viaIconv("CP932", "UTF-8", utf8, "?", true, &refOk)) << testing::PrintToString(utf8);
    ASSERT_EQ(ok, refOk) << testing::PrintToString(utf8);
}

std::string utf8Of(char32_t cp)
{
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | cp >> 6);
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | cp >> 12);
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

} // namespace

TEST(Cp932Tables, EveryByteAndBytePairConvertsAsTheLibraryDoes)
{
    for (int a = 0; a < 256; ++a) {
        expectSameFromCp932(std::string(1, static_cast<char>(a)) +
                            "\x82\xA0"); // non-ASCII, so not copied as is
        for (int b = 0; b < 256; ++b)
            expectSameFromCp932({static_cast<char>(a), static_cast<char>(b), 'x', static_cast<char>(0x88)});
    }
}

TEST(Cp932Tables, AsciiRunsOfEveryLengthAroundCharacters)
{
    // ASCII is copied in blocks of eight: runs shorter, equal and longer, at the end
    // and before a lead byte cut off by the end.
    for (size_t n = 0; n <= 17; ++n) {
        const std::string run(n, 'a');
        for (const std::string& s : {"\x82\xA0" + run, run + "\xB1" + run, "\x88\x9F" + run + "\x81",
                                     run + "\xFF" + run + "\x82\xA0" + run})
            expectSameFromCp932(s);
    }
}

TEST(Cp932Tables, EveryBmpCodePointConvertsAsTheLibraryDoes)
{
    for (char32_t cp = 0x80; cp < 0x10000; ++cp)
        if (cp < 0xD800 || cp > 0xDFFF) expectSameFromUtf8("a" + utf8Of(cp) + "b");
}

TEST(Cp932Tables, CodePointsBeyondTheBmpConvertAsTheLibraryDoes)
{
    // None has a CP932 form; the language tags of plane 14 are dropped without a word.
    for (char32_t cp = 0x10000; cp <= 0x10FFFF; cp += (cp >= 0xDFF00 && cp < 0xE0100) ? 1 : 0x3F1) {
        const std::string s{static_cast<char>(0xF0 | cp >> 18), static_cast<char>(0x80 | (cp >> 12 & 0x3F)),
                            static_cast<char>(0x80 | (cp >> 6 & 0x3F)),
                            static_cast<char>(0x80 | (cp & 0x3F))};
        expectSameFromUtf8("a" + s +
                           "\x81"
                           "b");
    }
}

TEST(Cp932Tables, IllFormedUtf8IsReplacedAsTheLibraryDoes)
{
    const unsigned char edges[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F,
                                   0xA0, 0xBF, 0xC0, 0xC2, 0xE3, 0xFF};
    for (int lead = 0x80; lead < 0x100; ++lead)
        for (unsigned char b : edges)
            for (unsigned char c : edges) {
                const std::string s{static_cast<char>(lead), static_cast<char>(b), static_cast<char>(c)};
                expectSameFromUtf8(s);
                expectSameFromUtf8(s + "\x80\x81z");
                expectSameFromUtf8("\xE3\x81\x82" + s.substr(0, 2)); // cut off at the end
            }
    for (const char* s : {"\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xED\xA0\x80",
                          "\xE0\x80\x80", "\xC0\x80", "\xEF\xBF\xBF", "\xEF\xBF\xBE"})
        expectSameFromUtf8(std::string("x") + s + "y");
}

TEST(Cp932Tables, RandomMixturesConvertAsTheLibraryDoes)
{
    std::mt19937 rng(932);
    const std::string pieces[] = {"a",
                                  "\\",
                                  "~",
                                  "\x81",
                                  "\x82\xA0",
                                  "\x88\x9F",
                                  "\xA1",
                                  "\xDF",
                                  "\xFC\xFC",
                                  "\x80",
                                  "\xA0",
                                  "\xFD",
                                  "\x87\x40",
                                  "\xED\x40",
                                  "\xEE\xFC",
                                  "\xFA\x40",
                                  "\x81\x7F",
                                  "\xE3\x81\x82",
                                  "\xC2\xA5",
                                  "\xE2\x80\xBE",
                                  "\xEF\xBC\x8D",
                                  "\xF0\x9F\x98\x80"};
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1), len(1, 8);
    for (int n = 0; n < 20000; ++n) {
        std::string s;
        for (size_t k = len(rng); k > 0; --k) s += pieces[pick(rng)];
        expectSameFromCp932(s);
        expectSameFromUtf8(s);
    }
}
