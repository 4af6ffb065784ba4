// The XLSX side of the lab table reader: the ZIP container through libzip,
// the workbook's XML through libxml2's stream reader (no network, no DTD,
// no external entities).

#include "labtable/labsheet.h"

#include "document/cp932.h"
#include "document/fieldtext.h"

#include <libxml/xmlreader.h>
#include <zip.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

namespace qc {

namespace {

constexpr zip_uint64_t kEntryLimit = 64u << 20; // a part larger than this is refused
constexpr size_t kRowLimit = 20000, kColumnLimit = 1000;

const char* const kRelNs[] = {"http://schemas.openxmlformats.org/officeDocument/2006/relationships",
                              "http://purl.oclc.org/ooxml/officeDocument/relationships"};

struct ZipCloser
{
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipFileCloser
{
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
struct ReaderFree
{
    void operator()(xmlTextReaderPtr r) const { xmlFreeTextReader(r); }
};
using Reader = std::unique_ptr<xmlTextReader, ReaderFree>;

class Book
{
public:
    explicit Book(std::string_view bytes)
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (src) {
            m_zip.reset(zip_open_from_source(src, ZIP_RDONLY, &error));
            if (!m_zip) zip_source_free(src);
        }
        zip_error_fini(&error);
    }
    bool open() const { return m_zip != nullptr; }
    bool has(const std::string& name) const { return zip_name_locate(m_zip.get(), name.c_str(), 0) >= 0; }
    // The part's bytes; false when it is missing, too large or unreadable.
    bool read(const std::string& name, std::string& out) const
    {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat(m_zip.get(), name.c_str(), 0, &st) != 0) return false;
        if ((st.valid & ZIP_STAT_SIZE) && st.size > kEntryLimit) return false;
        std::unique_ptr<zip_file_t, ZipFileCloser> f(zip_fopen(m_zip.get(), name.c_str(), 0));
        if (!f) return false;
        out.clear();
        char buf[65536];
        for (;;) {
            const zip_int64_t n = zip_fread(f.get(), buf, sizeof buf);
            if (n < 0) return false;
            if (n == 0) break;
            out.append(buf, static_cast<size_t>(n));
            if (out.size() > kEntryLimit) return false;
        }
        return true;
    }

private:
    std::unique_ptr<zip_t, ZipCloser> m_zip;
};

Reader openXml(const std::string& bytes)
{
    return Reader(xmlReaderForMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

std::string_view localName(xmlTextReaderPtr r)
{
    const xmlChar* n = xmlTextReaderConstLocalName(r);
    return n ? std::string_view(reinterpret_cast<const char*>(n)) : std::string_view();
}

bool isStart(xmlTextReaderPtr r)
{
    return xmlTextReaderNodeType(r) == XML_READER_TYPE_ELEMENT;
}
bool isEnd(xmlTextReaderPtr r)
{
    return xmlTextReaderNodeType(r) == XML_READER_TYPE_END_ELEMENT;
}

std::string attribute(xmlTextReaderPtr r, const char* name)
{
    xmlChar* v = xmlTextReaderGetAttribute(r, reinterpret_cast<const xmlChar*>(name));
    if (!v) return {};
    std::string s(reinterpret_cast<const char*>(v));
    xmlFree(v);
    return s;
}

std::string relAttribute(xmlTextReaderPtr r, const char* name)
{
    for (const char* ns : kRelNs) {
        xmlChar* v = xmlTextReaderGetAttributeNs(r, reinterpret_cast<const xmlChar*>(name),
                                                 reinterpret_cast<const xmlChar*>(ns));
        if (!v) continue;
        std::string s(reinterpret_cast<const char*>(v));
        xmlFree(v);
        return s;
    }
    return {};
}

// Text and CDATA of the current node.
void appendValue(xmlTextReaderPtr r, std::string& out)
{
    const int t = xmlTextReaderNodeType(r);
    if (t != XML_READER_TYPE_TEXT && t != XML_READER_TYPE_CDATA &&
        t != XML_READER_TYPE_SIGNIFICANT_WHITESPACE && t != XML_READER_TYPE_WHITESPACE)
        return;
    if (const xmlChar* v = xmlTextReaderConstValue(r)) out += reinterpret_cast<const char*>(v);
}

struct SheetRef
{
    std::string name; // UTF-8
    std::string relId;
};

// "xl/" + target, or the absolute target without its "/".
std::string partPath(const std::string& target)
{
    if (!target.empty() && target[0] == '/') return target.substr(1);
    return "xl/" + target;
}

// How a number style shows its value.
struct NumberStyle
{
    int decimals = -1; // -1: general
    bool percent = false;
    bool scientific = false;
};

NumberStyle styleOfFormat(const std::string& code)
{
    NumberStyle s;
    std::string first = code.substr(0, code.find(';'));
    std::string plain; // without quoted text and [..] parts
    bool quote = false;
    int bracket = 0;
    for (char c : first) {
        if (c == '"')
            quote = !quote;
        else if (!quote && c == '[')
            ++bracket;
        else if (!quote && c == ']' && bracket > 0)
            --bracket;
        else if (!quote && bracket == 0)
            plain += c;
    }
    if (plain.find_first_of("yYmMdDhHsS@") != std::string::npos || plain.find('0') == std::string::npos)
        return s; // General, text, dates: shown as the value
    s.percent = plain.find('%') != std::string::npos;
    s.scientific = plain.find_first_of("eE") != std::string::npos;
    s.decimals = 0;
    const size_t dot = plain.find('.');
    if (dot != std::string::npos)
        for (size_t i = dot + 1; i < plain.size() && (plain[i] == '0' || plain[i] == '#'); ++i) ++s.decimals;
    return s;
}

NumberStyle builtinStyle(int id)
{
    switch (id) {
    case 1:
        return styleOfFormat("0");
    case 2:
        return styleOfFormat("0.00");
    case 3:
        return styleOfFormat("#,##0");
    case 4:
        return styleOfFormat("#,##0.00");
    case 9:
        return styleOfFormat("0%");
    case 10:
        return styleOfFormat("0.00%");
    case 11:
        return styleOfFormat("0.00E+00");
    default:
        return {};
    }
}

std::string formatNumber(const std::string& raw, const NumberStyle& style)
{
    char* end = nullptr;
    double v = std::strtod(raw.c_str(), &end);
    if (raw.empty() || end == raw.c_str() || *end != '\0' || !std::isfinite(v)) return raw;
    char buf[64];
    if (style.decimals < 0) {
        std::snprintf(buf, sizeof buf, "%.15g", v);
    } else if (style.scientific) {
        std::snprintf(buf, sizeof buf, "%.*E", style.decimals, v);
    } else {
        if (style.percent) v *= 100;
        std::snprintf(buf, sizeof buf, "%.*f%s", style.decimals, v, style.percent ? "%" : "");
    }
    return buf;
}

// "B12" -> column 1 (0-based), row 11; false when the reference is malformed.
bool parseRef(const std::string& ref, size_t& col, size_t& row)
{
    size_t i = 0, c = 0, r = 0;
    while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z') {
        c = c * 26 + static_cast<size_t>(ref[i] - 'A' + 1);
        if (c > 20000) return false;
        ++i;
    }
    if (i == 0) return false;
    const size_t digits = i;
    while (i < ref.size() && ref[i] >= '0' && ref[i] <= '9') {
        r = r * 10 + static_cast<size_t>(ref[i] - '0');
        if (r > 10000000) return false;
        ++i;
    }
    if (i != ref.size() || i == digits || r == 0) return false;
    col = c - 1;
    row = r - 1;
    return true;
}

class XlsxReader
{
public:
    explicit XlsxReader(std::string_view bytes) : m_book(bytes) {}

    LabReadResult read(const std::string& wanted)
    {
        LabReadResult r;
        if (!m_book.open()) return fail(QC_SJ("XLSX ファイルが壊れています（ZIP として開けません）"));
        std::vector<SheetRef> sheets;
        std::map<std::string, std::string> rels; // id -> target
        std::string sharedPath = "xl/sharedStrings.xml", stylesPath = "xl/styles.xml";
        if (!readWorkbook(sheets) || !readRels(rels, sharedPath, stylesPath))
            return fail(QC_SJ("XLSX ファイルが壊れています（ブックの構成が読めません）"));
        if (sheets.empty()) return fail(QC_SJ("XLSX ファイルにシートがありません"));
        for (const SheetRef& s : sheets) r.sheet.sheetNames.push_back(cp932::fromUtf8(s.name));

        const SheetRef* chosen = &sheets.front();
        if (!wanted.empty()) {
            chosen = nullptr;
            for (size_t i = 0; i < sheets.size(); ++i)
                if (r.sheet.sheetNames[i] == wanted) chosen = &sheets[i];
            if (!chosen) return fail(ReplaceAll(QC_SJ("シート「%1」がありません"), "%1", wanted));
        }
        r.sheet.sheetName = cp932::fromUtf8(chosen->name);
        const auto rel = rels.find(chosen->relId);
        if (rel == rels.end()) return fail(QC_SJ("XLSX ファイルが壊れています（シートが見つかりません）"));
        if (m_book.has(sharedPath) && !readSharedStrings(sharedPath))
            return fail(QC_SJ("XLSX ファイルが壊れています（共有文字列が読めません）"));
        if (m_book.has(stylesPath) && !readStyles(stylesPath))
            return fail(QC_SJ("XLSX ファイルが壊れています（書式が読めません）"));
        std::string error;
        if (!readSheet(partPath(rel->second), r.sheet, error)) return fail(error);
        if (r.sheet.rows.empty()) return fail(QC_SJ("表にデータがありません"));
        r.ok = true;
        return r;
    }

private:
    static LabReadResult fail(const std::string& message)
    {
        LabReadResult r;
        r.error = message;
        return r;
    }

    bool readWorkbook(std::vector<SheetRef>& sheets)
    {
        std::string xml;
        if (!m_book.read("xl/workbook.xml", xml)) return false;
        Reader rd = openXml(xml);
        if (!rd) return false;
        int ret;
        while ((ret = xmlTextReaderRead(rd.get())) == 1)
            if (isStart(rd.get()) && localName(rd.get()) == "sheet")
                sheets.push_back({attribute(rd.get(), "name"), relAttribute(rd.get(), "id")});
        return ret == 0;
    }

    bool readRels(std::map<std::string, std::string>& rels, std::string& shared, std::string& styles)
    {
        std::string xml;
        if (!m_book.read("xl/_rels/workbook.xml.rels", xml)) return false;
        Reader rd = openXml(xml);
        if (!rd) return false;
        int ret;
        while ((ret = xmlTextReaderRead(rd.get())) == 1) {
            if (!isStart(rd.get()) || localName(rd.get()) != "Relationship") continue;
            const std::string id = attribute(rd.get(), "Id"), target = attribute(rd.get(), "Target");
            const std::string type = attribute(rd.get(), "Type");
            rels[id] = target;
            auto endsWith = [&](std::string_view tail) {
                return type.size() >= tail.size() &&
                       type.compare(type.size() - tail.size(), tail.size(), tail) == 0;
            };
            if (endsWith("/sharedStrings")) shared = partPath(target);
            if (endsWith("/styles")) styles = partPath(target);
        }
        return ret == 0;
    }

    // Each <si>: its <t> texts, the phonetic runs (<rPh>) left out.
    bool readSharedStrings(const std::string& path)
    {
        std::string xml;
        if (!m_book.read(path, xml)) return false;
        Reader rd = openXml(xml);
        if (!rd) return false;
        int ret, phonetic = 0;
        bool inText = false;
        std::string current;
        while ((ret = xmlTextReaderRead(rd.get())) == 1) {
            xmlTextReaderPtr r = rd.get();
            const std::string_view n = localName(r);
            const bool empty = xmlTextReaderIsEmptyElement(r) == 1;
            if (isStart(r)) {
                if (n == "si") {
                    current.clear();
                    if (empty) m_shared.emplace_back();
                } else if (n == "rPh" && !empty) {
                    ++phonetic;
                } else if (n == "t" && !empty) {
                    inText = true;
                }
            } else if (isEnd(r)) {
                if (n == "si")
                    m_shared.push_back(current);
                else if (n == "rPh" && phonetic > 0)
                    --phonetic;
                else if (n == "t")
                    inText = false;
            } else if (inText && phonetic == 0) {
                appendValue(r, current);
            }
        }
        return ret == 0;
    }

    bool readStyles(const std::string& path)
    {
        std::string xml;
        if (!m_book.read(path, xml)) return false;
        Reader rd = openXml(xml);
        if (!rd) return false;
        std::map<int, std::string> formats;
        std::vector<int> xfFormats;
        int ret;
        bool inCellXfs = false;
        while ((ret = xmlTextReaderRead(rd.get())) == 1) {
            xmlTextReaderPtr r = rd.get();
            const std::string_view n = localName(r);
            if (isStart(r) && n == "numFmt")
                formats[std::atoi(attribute(r, "numFmtId").c_str())] = attribute(r, "formatCode");
            else if (isStart(r) && n == "cellXfs")
                inCellXfs = xmlTextReaderIsEmptyElement(r) != 1;
            else if (isEnd(r) && n == "cellXfs")
                inCellXfs = false;
            else if (isStart(r) && n == "xf" && inCellXfs)
                xfFormats.push_back(std::atoi(attribute(r, "numFmtId").c_str()));
        }
        for (int id : xfFormats) {
            const auto f = formats.find(id);
            m_styles.push_back(f != formats.end() ? styleOfFormat(f->second) : builtinStyle(id));
        }
        return ret == 0;
    }

    bool readSheet(const std::string& path, LabSheet& sheet, std::string& error)
    {
        std::string xml;
        if (!m_book.read(path, xml)) {
            error = QC_SJ("XLSX ファイルが壊れています（シートが読めません）");
            return false;
        }
        Reader rd = openXml(xml);
        if (!rd) {
            error = QC_SJ("XLSX ファイルが壊れています（シートが読めません）");
            return false;
        }
        size_t row = 0, nextRow = 0, nextCol = 0, col = 0;
        std::string type, value, styleIndex;
        bool inCell = false, inValue = false;
        int phonetic = 0;
        int ret;
        while ((ret = xmlTextReaderRead(rd.get())) == 1) {
            xmlTextReaderPtr r = rd.get();
            const std::string_view n = localName(r);
            const bool empty = xmlTextReaderIsEmptyElement(r) == 1;
            if (isStart(r) && n == "row") {
                const std::string rr = attribute(r, "r");
                row = rr.empty() ? nextRow : static_cast<size_t>(std::atol(rr.c_str())) - 1;
                nextRow = row + 1;
                nextCol = 0;
            } else if (isStart(r) && n == "c") {
                size_t refRow = row;
                col = nextCol;
                const std::string ref = attribute(r, "r");
                if (!ref.empty() && !parseRef(ref, col, refRow)) {
                    error = QC_SJ("XLSX ファイルが壊れています（セルの位置が不正です）");
                    return false;
                }
                row = refRow;
                nextCol = col + 1;
                type = attribute(r, "t");
                styleIndex = attribute(r, "s");
                value.clear();
                inCell = !empty;
            } else if (isEnd(r) && n == "c") {
                if (!store(sheet, row, col, type, styleIndex, value, error)) return false;
                inCell = false;
            } else if (inCell && isStart(r) && (n == "v" || n == "t") && !empty) {
                inValue = true;
            } else if (inCell && isEnd(r) && (n == "v" || n == "t")) {
                inValue = false;
            } else if (inCell && isStart(r) && n == "rPh" && !empty) {
                ++phonetic;
            } else if (inCell && isEnd(r) && n == "rPh") {
                if (phonetic > 0) --phonetic;
            } else if (inValue && phonetic == 0) {
                appendValue(r, value);
            }
        }
        if (ret != 0) {
            error = QC_SJ("XLSX ファイルが壊れています（シートの XML が不正です）");
            return false;
        }
        while (!sheet.rows.empty()) {
            bool blank = true;
            for (const std::string& c : sheet.rows.back()) blank = blank && NumericTest(c) == -1;
            if (!blank) break;
            sheet.rows.pop_back();
        }
        return true;
    }

    bool store(LabSheet& sheet, size_t row, size_t col, const std::string& type,
               const std::string& styleIndex, const std::string& raw, std::string& error)
    {
        std::string text;
        if (type == "s") {
            char* end = nullptr;
            const long i = std::strtol(raw.c_str(), &end, 10);
            if (raw.empty() || *end != '\0' || i < 0 || static_cast<size_t>(i) >= m_shared.size()) {
                error = QC_SJ("XLSX ファイルが壊れています（共有文字列の番号が不正です）");
                return false;
            }
            text = m_shared[static_cast<size_t>(i)];
        } else if (type == "b") {
            text = raw == "1" ? "TRUE" : "FALSE";
        } else if (type.empty() || type == "n") {
            NumberStyle style;
            const size_t s = styleIndex.empty() ? 0 : static_cast<size_t>(std::atol(styleIndex.c_str()));
            if (s < m_styles.size()) style = m_styles[s];
            text = formatNumber(raw, style);
        } else {
            text = raw; // inline strings, formula strings, errors, dates as written
        }
        if (text.empty()) return true;
        if (row >= kRowLimit || col >= kColumnLimit) {
            error = QC_SJ("表が大きすぎます（20000 行、1000 列まで）");
            return false;
        }
        if (sheet.rows.size() <= row) sheet.rows.resize(row + 1);
        auto& cells = sheet.rows[row];
        if (cells.size() <= col) cells.resize(col + 1);
        bool ok = true;
        cells[col] = cp932::fromUtf8(text, &ok);
        if (!ok) sheet.lossyText = true;
        return true;
    }

    Book m_book;
    std::vector<std::string> m_shared; // UTF-8
    std::vector<NumberStyle> m_styles;
};

} // namespace

LabReadResult readXlsxTable(std::string_view bytes, const std::string& sheet)
{
    return XlsxReader(bytes).read(sheet);
}

} // namespace qc
