#pragma once
// Character-aware operations on code-page-932 text: a lead byte and its trail
// byte are one character and are never split.

#include <string>
#include <string_view>

namespace qc {

// Bytes start..start+count-1 (start counted from 1) of the first 200 bytes of text,
// count capped at 200; a two-byte character cut by either end becomes one space.
// Empty, with ok false, when count <= 0 or start lies beyond the end.
std::string MidBytes(std::string_view text, int start, int count, bool* ok = nullptr);

// Characters first..first+count-1, counted from 1, a two-byte character counting as one.
std::string MidChars(std::string_view text, int first, int count);

// Number of characters, a two-byte character counting as one.
int CharCount(std::string_view text);

// Byte length of the character starting at byte i (1 or 2).
size_t charLengthAt(std::string_view text, size_t i);

// Searching for an ASCII character in CP932 text must walk characters: every byte
// 0x40-0x7E ("@", "[", "\\", "]", "{", "|", "}", letters) can also be the trail byte of a
// two-byte character ("機" ends in "@", "表" in "\\"). Bytes below 0x40 (line ends,
// BEL, ",", "$", ".", "/", ":") are never trail bytes, so a byte search finds them safely.

// Byte position of the first character c at or after byte `from`, or npos.
size_t findChar(std::string_view text, char c, size_t from = 0);

// True when c occurs in text as a character of its own.
inline bool containsChar(std::string_view text, char c)
{
    return findChar(text, c) != std::string_view::npos;
}

// True when the last character of text is c (not the trail byte of a two-byte character).
bool endsWithChar(std::string_view text, char c);

} // namespace qc
