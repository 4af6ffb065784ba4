#pragma once
// Reading the test names or one graph's format out of another document file,
// for the test names dialog ("既存ファイルを開く", "初期設定に戻す") and the graph
// format dialog ("書式読み込み"). The folder last used lives in the memo file
// "FilekS.ndx" of the install folder, whose second line is kept as it is.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qc {

class FileChooser;
class Prompter;

// Fields 1 to 10 of the 48 TestNameTable rows of a file, [row][field], 1-based.
using TestNameRows = std::array<std::array<std::string, 11>, 49>;
// Fields 1 to 11 of the 14 GraphFormatTable rows of one graph, [row][field], 1-based.
using GraphBlockRows = std::array<std::array<std::string, 12>, 15>;

// The "q" section of a document's text: each line split at its commas, at most 48 rows.
TestNameRows readTestNameSection(std::string_view bytes);
// The "p" section: lines counted as graph 1 rows 1 to 14, graph 2 ..., only graph g's rows kept.
GraphBlockRows readGraphSection(std::string_view bytes, int g);

// The memo file's two lines; a missing file gives two empty lines.
struct ImportMemo
{
    std::string folder;
    std::string second;
    static ImportMemo read(const std::string& path);
    [[nodiscard]] bool write(const std::string& path) const;
};

// "ファイルが見つかりません\n(%1)" with the native path.
std::string importFileMissingMessage(const std::string& nativePath);

// The open dialog in the remembered folder, then the token check of the chosen
// file. Returns its bytes, or nothing after a cancel or a message; on success
// the chosen folder is remembered in the memo file.
std::optional<std::string> chooseDocumentForImport(const std::string& memoPath, FileChooser& chooser,
                                                   Prompter& prompter);

} // namespace qc
