#pragma once
// The short-text files of the install folder (drop-down phrases) and the
// default document that seeds an empty document.

#include <string>
#include <string_view>
#include <vector>

namespace qc {

struct Document;
class Prompter;

// One line of a short-text file: the text, a comma and a second field.
struct ShortText
{
    std::string text;  // CP932
    std::string extra; // the second field, usually empty
    bool operator==(const ShortText&) const = default;
};

constexpr int kShortTextLimit = 80;

// The entries of a short-text file: lines cut to 123 bytes, empty lines
// skipped, at most 80 entries.
std::vector<ShortText> parseShortTexts(std::string_view bytes);
// The phrases of a short-text file for a drop-down list: the first comma
// field of each entry, empty ones left out.
std::vector<std::string> parsePhrases(std::string_view bytes);
// The phrases of the file at path; false when it cannot be read (the caller
// shows its message).
[[nodiscard]] bool loadPhrases(const std::string& path, std::vector<std::string>& out);

// The items of a dialog's pick list (colour tones, engineers, clients,
// machines): the first comma field of every line, each line cut to
// maxLineBytes, empty items left out.
std::vector<std::string> parsePickList(std::string_view bytes, size_t maxLineBytes);
// The pick list of the file at path; a file that cannot be read shows
// "ファイルが見つかりません\n( %1 )" with the path and gives an empty list.
std::vector<std::string> loadPickList(const std::string& path, size_t maxLineBytes, Prompter& prompter);

// Seeds display items (section "o"), graph formats ("p") and test names ("q")
// from the bytes of a default document; every other section and the token
// are ignored. Column 10 of a test name receives comma field 10 only.
void seedFromDefaultDocument(Document& doc, std::string_view bytes);
// Reads the default document at path into doc; a file that cannot be opened
// shows "not found " followed by the path.
bool readDefaultDocument(Document& doc, const std::string& path, Prompter& prompter);

} // namespace qc
