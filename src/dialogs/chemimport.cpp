#include "dialogs/chemimport.h"

#include "app/docflows.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/linereader.h"
#include "platform/filechooser.h"
#include "platform/files.h"
#include "platform/prompter.h"

namespace qc {

namespace {

constexpr size_t kLineBytes = 400;  // the reader's line buffer
constexpr size_t kTokenBytes = 100; // the part of the first line searched for the token

// Calls fn(section, line) for the lines of the sections; a line holding "$$"
// and longer than two bytes names the section by its third byte ("$" never
// ends a two-byte character, so the byte search is safe).
template <class Fn> void forEachSectionLine(std::string_view bytes, Fn&& fn)
{
    char section = 0;
    forEachLimitedLine(bytes, kLineBytes, [&](std::string_view line) {
        if (line.find("$$") != std::string_view::npos && line.size() > 2) {
            section = line[2];
            fn(section, std::string_view(), true);
            return;
        }
        fn(section, line, false);
    });
}

} // namespace

TestNameRows readTestNameSection(std::string_view bytes)
{
    TestNameRows rows{};
    int row = 1;
    forEachSectionLine(bytes, [&](char section, std::string_view line, bool start) {
        if (start) {
            row = 1;
            return;
        }
        if (section != 'q' || row > 48) return;
        for (int f = 1; f <= 10; ++f)
            CsvField(rows[static_cast<size_t>(row)][static_cast<size_t>(f)], line, f);
        ++row;
    });
    return rows;
}

GraphBlockRows readGraphSection(std::string_view bytes, int g)
{
    GraphBlockRows rows{};
    int counter = 0; // lines of the section so far
    forEachSectionLine(bytes, [&](char section, std::string_view line, bool start) {
        if (start) {
            counter = 0;
            return;
        }
        if (section != 'p') return;
        int graph = counter / 14 + 1, row = counter % 14 + 1;
        ++counter;
        if (graph != g) return;
        for (int f = 1; f <= 11; ++f)
            CsvField(rows[static_cast<size_t>(row)][static_cast<size_t>(f)], line, f);
    });
    return rows;
}

ImportMemo ImportMemo::read(const std::string& path)
{
    ImportMemo memo;
    std::string bytes;
    if (!readFileBytes(path, bytes)) return memo;
    int n = 0;
    forEachLine(bytes, [&](std::string_view line) {
        if (n == 0) memo.folder = std::string(line);
        if (n == 1) memo.second = std::string(line);
        ++n;
    });
    return memo;
}

bool ImportMemo::write(const std::string& path) const
{
    return writeFileAtomically(path, folder + "\r\n" + second + "\r\n");
}

std::string importFileMissingMessage(const std::string& nativePath)
{
    return ReplaceAll(QC_SJ("ファイルが見つかりません\n(%1)"), "%1", cp932::fromUtf8(nativePath));
}

std::optional<std::string> chooseDocumentForImport(const std::string& memoPath, FileChooser& chooser,
                                                   Prompter& prompter)
{
    ImportMemo memo = ImportMemo::read(memoPath);
    FileDialogRequest request;
    request.filter = QC_SJ("化学柱状図(*.bhc)|*.bhc|すべて(*.*)|*.*||");
    request.defaultExtension = "bhc";
    request.initialFolder = memo.folder;
    std::optional<std::string> chosen = chooser.choose(request);
    if (!chosen || chosen->empty()) return std::nullopt;

    std::string bytes;
    if (!readFileBytes(*chosen, bytes)) {
        prompter.message(importFileMissingMessage(*chosen));
        return std::nullopt;
    }
    std::string_view first(bytes);
    first = first.substr(0, std::min(first.find('\n'), kTokenBytes));
    // "$$_QVOR78" begins with "$$_QVOR": either token is found by the shorter one.
    if (first.find("$$_QVOR") == std::string_view::npos) {
        prompter.message(QC_SJ("化学柱状図のファイルではありません"));
        return std::nullopt;
    }
    memo.folder = folderOf(*chosen);
    // The memo only remembers a folder: failing to write it loses nothing.
    (void)memo.write(memoPath);
    return bytes;
}

} // namespace qc
