#pragma once
// The full-width alphanumeric check: which document texts hold full-width
// letters, digits or unit symbols where half-width ones are expected. The
// full report covers every table named in its scope lines; the notes dialog
// checks only its own notes. Reports are CP932 with CR LF line breaks.

#include <string>
#include <string_view>
#include <vector>

namespace qc {

struct Document;

// At least 2 bytes long and holding a character of the symbol table, or, after
// upper-casing (full-width lower-case letters included), of the letter table.
bool containsFullWidthAlnum(std::string_view text);

// The text upper-cased, single-byte letters and full-width letters alike.
std::string upperCaseCp932(std::string_view text);

// At most n bytes of the text; a two-byte character cut by the limit is left
// out whole instead of leaving half of it.
std::string firstBytes(std::string_view text, size_t n);

// The report of the "全角英数字の有無" dialog and of `qc check`.
std::string fullWidthReport(const Document& doc);

// The three scope lines of the dialog (UTF-8 labels).
extern const char* const kFullWidthScope[3];

// One note of the notes dialog: its depths and its complete text.
struct NoteText
{
    std::string top;
    std::string bottom;
    std::string text;
};
// The report of the notes dialog's "全角英数字検査" button.
std::string notesFullWidthReport(const std::vector<NoteText>& notes);

} // namespace qc
