#pragma once
// Code page 932 (Shift-JIS with the NEC/IBM extensions) at the edges of the program.
// Cells hold CP932 bytes; conversion to and from UTF-8 happens only for display,
// JSON output and literal texts of the source.

#include <string>
#include <string_view>

namespace qc::cp932 {

// True for a byte that starts a two-byte character.
constexpr bool isLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// True when every byte is below 0x80: the text reads the same in CP932 and UTF-8.
bool isAscii(std::string_view s);

// CP932 bytes to UTF-8. Bytes that do not form a CP932 character become U+FFFD;
// the input is never changed.
std::string toUtf8(std::string_view bytes);
// The same into out, replacing its content and reusing its buffer (bytes must not view out).
void toUtf8(std::string_view bytes, std::string& out);

// UTF-8 to CP932. Characters without a CP932 form (and invalid UTF-8) become '?'.
// ok, when given, tells whether everything converted.
std::string fromUtf8(std::string_view utf8, bool* ok = nullptr);

// Appends code point cp to out as UTF-8.
void appendUtf8(std::string& out, char32_t cp);

// True for well-formed UTF-8 (no overlong forms, surrogates or code points above
// U+10FFFF). nonAscii, when given, tells whether a byte above 0x7F was met.
bool isValidUtf8(std::string_view s, bool* nonAscii = nullptr);

} // namespace qc::cp932

// CP932 bytes of a UTF-8 literal, converted once per place of use.
#define QC_SJ(literal)                                                                                       \
    ([]() -> const std::string& {                                                                            \
        static const std::string converted = ::qc::cp932::fromUtf8(literal);                                 \
        return converted;                                                                                    \
    }())
