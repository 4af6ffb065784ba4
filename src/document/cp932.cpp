#include "document/cp932.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <vector>

namespace qc::cp932 {

namespace {

// A conversion descriptor of the C library; the tables below are read from it once.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return m_cd; }

    // Converts as much as possible; returns false on a bad sequence, leaving
    // in/left at the offending byte.
    bool run(const char*& in, size_t& left, std::string& out)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buf[1024];
        while (left > 0) {
            char* o = buf;
            size_t room = sizeof buf;
            char* i = const_cast<char*>(in);
            size_t r = iconv(m_cd, &i, &left, &o, &room);
            out.append(buf, static_cast<size_t>(o - buf));
            in = i;
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG) continue;
                return false;
            }
        }
        return true;
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence starting with c (1 for a stray byte).
size_t utf8Length(unsigned char c)
{
    if (c >= 0xF0 && c <= 0xF4) return 4;
    if (c >= 0xE0) return 3;
    if (c >= 0xC2 && c < 0xE0) return 2;
    return 1;
}

// Writes cp as UTF-8 at o (room for four bytes) and returns the end.
char* putUtf8(char* o, char32_t cp)
{
    if (cp < 0x80) {
        *o++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *o++ = static_cast<char>(0xC0 | cp >> 6);
        *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *o++ = static_cast<char>(0xE0 | cp >> 12);
        *o++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *o++ = static_cast<char>(0xF0 | cp >> 18);
        *o++ = static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        *o++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return o;
}

// The code point of the well-formed UTF-8 sequence at s[i] and its length; 0 length
// for an ill-formed or cut-off one, an overlong form, a surrogate or a code point
// above U+10FFFF.
size_t decodeUtf8(std::string_view s, size_t i, char32_t& cp)
{
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    const size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    cp = c & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
    for (size_t k = 1; k < n; ++k) {
        const auto d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (d & 0x3F);
    }
    const auto d = static_cast<unsigned char>(s[i + 1]); // the ranges the lead byte alone cannot tell
    if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90) ||
        (c == 0xF4 && d >= 0x90))
        return 0;
    return n;
}

// The C library's converters asked once for every CP932 byte and byte pair (to
// Unicode) and every BMP code point (to CP932). Both are stateless for CP932, so a
// conversion character by character through these tables gives exactly their result,
// at a fraction of the cost of a call into them. Each direction is built on first use.
constexpr char32_t kBad = 0xFFFFFFFF;  // no character
constexpr char32_t kLead = 0xFFFFFFFE; // starts a two-byte character
constexpr uint16_t kNone = 0xFFFF;     // no CP932 form (0xFFFF is no CP932 pair)

struct ToUnicodeTable
{
    bool valid = false;
    std::array<char32_t, 256> single{};
    std::vector<char32_t> pair; // by lead << 8 | trail

    ToUnicodeTable()
    {
        Converter to("UTF-32LE", "CP932");
        if (!to.valid()) return;
        // 0: one character, 1: an incomplete one, -1: not CP932.
        auto decode = [&](const char* in, size_t n, char32_t& cp) {
            char* i = const_cast<char*>(in);
            unsigned char buf[8];
            char* o = reinterpret_cast<char*>(buf);
            size_t left = n, room = sizeof buf;
            iconv(to.handle(), nullptr, nullptr, nullptr, nullptr);
            const size_t r = iconv(to.handle(), &i, &left, &o, &room);
            if (r == static_cast<size_t>(-1)) return errno == EINVAL ? 1 : -1;
            if (left != 0 || sizeof buf - room != 4) return -1;
            cp = static_cast<char32_t>(buf[0] | buf[1] << 8 | buf[2] << 16 |
                                       static_cast<uint32_t>(buf[3]) << 24);
            return 0;
        };
        pair.assign(65536, kBad);
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            char32_t cp = 0;
            const int r = decode(&c, 1, cp);
            single[static_cast<size_t>(b)] = r == 0 ? cp : r == 1 ? kLead : kBad;
            if (r != 1) continue;
            for (int t = 0; t < 256; ++t) {
                const char two[2] = {c, static_cast<char>(t)};
                if (decode(two, 2, cp) == 0) pair[static_cast<size_t>(b << 8 | t)] = cp;
            }
        }
        valid = true;
    }
};

struct FromUnicodeTable
{
    bool valid = false;
    std::vector<uint16_t> code; // BMP code point to lead << 8 | trail, or the single byte

    FromUnicodeTable()
    {
        Converter from("CP932", "UTF-8");
        if (!from.valid()) return;
        code.assign(65536, kNone);
        std::string utf8, out;
        for (char32_t cp = 0; cp < 0x10000; ++cp) {
            if (cp >= 0xD800 && cp <= 0xDFFF) continue;
            utf8.clear();
            out.clear();
            appendUtf8(utf8, cp);
            const char* in = utf8.data();
            size_t left = utf8.size();
            if (!from.run(in, left, out)) continue;
            if (out.size() == 1)
                code[cp] = static_cast<unsigned char>(out[0]);
            else if (out.size() == 2)
                code[cp] = static_cast<uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                                 static_cast<unsigned char>(out[1]));
        }
        valid = true;
    }
};

const ToUnicodeTable& toUnicode()
{
    static const ToUnicodeTable t;
    return t;
}

const FromUnicodeTable& fromUnicode()
{
    static const FromUnicodeTable t;
    return t;
}

} // namespace

void appendUtf8(std::string& out, char32_t cp)
{
    char buf[4];
    out.append(buf, static_cast<size_t>(putUtf8(buf, cp) - buf));
}

bool isAscii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

std::string toUtf8(std::string_view bytes)
{
    std::string out;
    toUtf8(bytes, out);
    return out;
}

void toUtf8(std::string_view bytes, std::string& out)
{
    if (isAscii(bytes)) {
        out.assign(bytes);
        return;
    }
    const ToUnicodeTable& t = toUnicode();
    // Every byte gives at most three (a half-width kana, U+FFFD); every pair three.
    out.resize(bytes.size() * 3);
    char* o = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        // ASCII maps to itself: runs of it are copied eight bytes at a time.
        for (uint64_t word = 0; end - p >= 8; p += 8, o += 8) {
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull) break;
            std::memcpy(o, p, 8);
        }
        if (p == end) break;
        if (*p < 0x80) {
            *o++ = static_cast<char>(*p++);
            continue;
        }
        char32_t cp = t.valid ? t.single[*p] : kBad;
        size_t n = 1;
        if (cp == kLead) {
            cp = end - p >= 2 ? t.pair[static_cast<size_t>(p[0] << 8 | p[1])] : kBad;
            if (cp != kBad) n = 2;
        }
        // A byte that is not CP932 (or an unpaired lead byte): U+FFFD, and on with the next byte.
        o = putUtf8(o, cp == kBad ? U'\uFFFD' : cp);
        p += n;
    }
    out.resize(static_cast<size_t>(o - out.data()));
}

std::string fromUtf8(std::string_view utf8, bool* ok)
{
    if (ok) *ok = true;
    if (isAscii(utf8)) return std::string(utf8);
    const FromUnicodeTable& t = fromUnicode();
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        const size_t n = decodeUtf8(utf8, i, cp);
        // The library drops the language tags (U+E0000 to U+E007F) without a word; so do we.
        if (n && cp >> 7 == 0xE0000 >> 7) {
            i += n;
            continue;
        }
        const uint16_t code = n && t.valid && cp < 0x10000 ? t.code[cp] : kNone;
        if (code != kNone) {
            if (code > 0xFF) out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
            i += n;
            continue;
        }
        // No CP932 form, or not UTF-8: '?' in place of the whole sequence its first byte starts.
        if (ok) *ok = false;
        out += '?';
        i += std::min(utf8Length(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    }
    return out;
}

bool isValidUtf8(std::string_view s, bool* nonAscii)
{
    if (nonAscii) *nonAscii = false;
    for (size_t i = 0; i < s.size();) {
        if (nonAscii && static_cast<unsigned char>(s[i]) >= 0x80) *nonAscii = true;
        char32_t cp = 0;
        const size_t n = decodeUtf8(s, i, cp);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

} // namespace qc::cp932
