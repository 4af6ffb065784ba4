#include "app/masterfiles.h"

#include "app/docflows.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/linereader.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/prompter.h"

namespace qc {

namespace {

constexpr size_t kShortTextLineBytes = 123;
constexpr size_t kDefaultDocumentLineBytes = 298;

} // namespace

std::vector<ShortText> parseShortTexts(std::string_view bytes)
{
    std::vector<ShortText> out;
    forEachLimitedLine(bytes, kShortTextLineBytes, [&](std::string_view line) {
        if (line.empty() || out.size() >= static_cast<size_t>(kShortTextLimit)) return;
        ShortText t;
        CsvField(t.text, line, 1);
        CsvField(t.extra, line, 2);
        out.push_back(std::move(t));
    });
    return out;
}

std::vector<std::string> parsePhrases(std::string_view bytes)
{
    std::vector<std::string> out;
    for (ShortText& t : parseShortTexts(bytes))
        if (!t.text.empty()) out.push_back(std::move(t.text));
    return out;
}

bool loadPhrases(const std::string& path, std::vector<std::string>& out)
{
    std::string bytes;
    if (!readFileBytes(path, bytes)) return false;
    out = parsePhrases(bytes);
    return true;
}

std::vector<std::string> parsePickList(std::string_view bytes, size_t maxLineBytes)
{
    std::vector<std::string> out;
    forEachLimitedLine(bytes, maxLineBytes, [&](std::string_view line) {
        std::string item;
        CsvField(item, line, 1);
        if (!item.empty()) out.push_back(std::move(item));
    });
    return out;
}

std::vector<std::string> loadPickList(const std::string& path, size_t maxLineBytes, Prompter& prompter)
{
    std::string bytes;
    FileError error;
    if (!readFileBytes(path, bytes, &error)) {
        prompter.message(cannotReadMessage(path, error));
        return {};
    }
    return parsePickList(bytes, maxLineBytes);
}

void seedFromDefaultDocument(Document& doc, std::string_view bytes)
{
    char section = 0;
    int row = 1;
    int graph = 1;
    forEachLimitedLine(bytes, kDefaultDocumentLineBytes, [&](std::string_view line) {
        if (line.find("$$") != std::string_view::npos) {
            section = line.size() > 2 ? line[2] : 0;
            row = 1;
            graph = 1;
            return;
        }
        switch (section) {
        case 'o':
            if (row > limits::DisplayItem) return;
            for (int f = 1; f <= 4; ++f) CsvField(doc.DisplayItemTable(row, f), line, f);
            ++row;
            break;
        case 'p':
            if (graph > GraphTable::kGraphs) return;
            for (int f = 1; f <= GraphTable::kFields; ++f)
                CsvField(doc.GraphFormatTable(graph, row, f), line, f);
            if (row < GraphTable::kRows) {
                ++row;
            } else {
                row = 1;
                ++graph;
            }
            break;
        case 'q':
            if (row > limits::TestName) return;
            for (int f = 1; f <= 10; ++f) CsvField(doc.TestNameTable(row, f), line, f);
            ++row;
            break;
        default:
            break;
        }
    });
}

bool readDefaultDocument(Document& doc, const std::string& path, Prompter& prompter)
{
    std::string bytes;
    if (!readFileBytes(path, bytes)) {
        prompter.message("not found " + cp932::fromUtf8(path));
        return false;
    }
    seedFromDefaultDocument(doc, bytes);
    return true;
}

} // namespace qc
