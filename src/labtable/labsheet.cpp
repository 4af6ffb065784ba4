#include "labtable/labsheet.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "labtable/labnames.h"
#include "platform/files.h"

namespace qc {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Not a text table: NUL bytes or many control characters.
bool looksBinary(std::string_view s)
{
    size_t controls = 0;
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0) return true;
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != 0x1A) ++controls;
    }
    return controls * 100 > s.size();
}

// Quoted CSV over CP932 bytes. The separator, the double quote and the line
// ends are all below 0x40, so they are never the trail byte of a two-byte
// character and a byte walk finds them safely.
std::vector<std::vector<std::string>> splitTable(std::string_view s, char sep)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false, fieldStarted = false;
    auto endField = [&] {
        row.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
    };
    auto endRow = [&] {
        endField();
        rows.push_back(std::move(row));
        row.clear();
    };
    // Plain text is appended a run at a time, up to the next byte that means something.
    auto plainEnd = [&](size_t i) {
        while (i < s.size() && s[i] != sep && s[i] != '\n' && s[i] != '\r') ++i;
        return i;
    };
    auto quotedEnd = [&](size_t i) {
        while (i < s.size() && s[i] != '"' && s[i] != '\r') ++i;
        return i;
    };
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (quoted) {
            if (c != '"' && c != '\r') {
                const size_t end = quotedEnd(i);
                field.append(s.substr(i, end - i));
                i = end - 1;
                continue;
            }
            if (c == '"') {
                if (i + 1 < s.size() && s[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
                field += '\n';
                ++i;
            } else {
                field += c;
            }
            continue;
        }
        if (c == '"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == sep) {
            endField();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            endRow();
        } else {
            const size_t end = plainEnd(i);
            field.append(s.substr(i, end - i));
            i = end - 1;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.empty() || !row.empty()) endRow();
    return rows;
}

char detectSeparator(std::string_view s)
{
    size_t commas = 0, tabs = 0;
    bool quoted = false;
    for (char c : s) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n') {
            if (commas || tabs) break;
            continue;
        }
        if (c == ',') ++commas;
        if (c == '\t') ++tabs;
    }
    return tabs > commas ? '\t' : ',';
}

bool rowBlank(const std::vector<std::string>& row)
{
    for (const std::string& c : row)
        if (NumericTest(c) != -1) return false;
    return true;
}

// UTF-16 text after its byte order mark (the spreadsheet's "Unicode text" export) as UTF-8;
// false for an odd length or a broken surrogate pair.
bool utf16ToUtf8(std::string_view s, bool bigEndian, std::string& out)
{
    if (s.size() % 2) return false;
    auto unit = [&](size_t i) {
        const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (size_t i = 0; i < s.size(); i += 2) {
        unsigned cp = static_cast<unsigned>(unit(i));
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 3 >= s.size()) return false;
            const unsigned low = static_cast<unsigned>(unit(i + 2));
            if (low < 0xDC00 || low > 0xDFFF) return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return false;
        }
        cp932::appendUtf8(out, cp);
    }
    return true;
}

} // namespace

const std::string& LabSheet::cell(size_t row, size_t col) const
{
    static const std::string empty;
    if (row >= rows.size() || col >= rows[row].size()) return empty;
    return rows[row][col];
}

LabReadResult readDelimitedTable(std::string_view bytes)
{
    LabReadResult r;
    const bool le = bytes.substr(0, 2) == "\xFF\xFE", be = bytes.substr(0, 2) == "\xFE\xFF";
    if (le || be) {
        std::string utf8 = "\xEF\xBB\xBF";
        if (!utf16ToUtf8(bytes.substr(2), be, utf8)) {
            r.error = QC_SJ("試験結果の表として読めません（CSV、TSV、XLSX のファイルではありません）");
            return r;
        }
        return readDelimitedTable(utf8);
    }
    if (bytes.substr(0, 3) == kUtf8Bom) {
        bytes.remove_prefix(3);
        bool nonAscii = false;
        if (!cp932::isValidUtf8(bytes, &nonAscii) || looksBinary(bytes)) {
            r.error = QC_SJ("試験結果の表として読めません（CSV、TSV、XLSX のファイルではありません）");
            return r;
        }
    }
    if (looksBinary(bytes)) {
        r.error = QC_SJ("試験結果の表として読めません（CSV、TSV、XLSX のファイルではありません）");
        return r;
    }
    bool nonAscii = false;
    std::string text;
    if (cp932::isValidUtf8(bytes, &nonAscii) && nonAscii) {
        bool ok = true;
        text = cp932::fromUtf8(bytes, &ok);
        r.sheet.lossyText = !ok;
    } else {
        text = std::string(bytes);
    }
    r.sheet.rows = splitTable(text, detectSeparator(text));
    while (!r.sheet.rows.empty() && rowBlank(r.sheet.rows.back())) r.sheet.rows.pop_back();
    if (r.sheet.rows.empty()) {
        r.error = QC_SJ("表にデータがありません");
        return r;
    }
    r.ok = true;
    return r;
}

LabReadResult readLabTable(std::string_view bytes, const std::string& sheet)
{
    if (bytes.substr(0, 4) == std::string_view("PK\x03\x04", 4)) return readXlsxTable(bytes, sheet);
    if (bytes.substr(0, 8) == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
        LabReadResult r;
        r.error = QC_SJ("古い Excel 形式 (.xls) は読めません。Excel で .xlsx か CSV に保存し直して下さい");
        return r;
    }
    return readDelimitedTable(bytes);
}

LabReadResult readLabTableFile(const std::string& path, const std::string& sheet)
{
    std::string bytes;
    FileError error;
    if (!readFileBytes(path, bytes, &error)) {
        LabReadResult r;
        r.error = ReplaceAll(error.notFound() ? QC_SJ("ファイルが見つかりません\n(%1)")
                                              : QC_SJ("ファイルを読めません\n(%1)\n") + error.reason,
                             "%1", cp932::fromUtf8(path));
        return r;
    }
    return readLabTable(bytes, sheet);
}

} // namespace qc
