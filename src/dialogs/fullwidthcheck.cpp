#include "dialogs/fullwidthcheck.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "document/textops.h"

namespace qc {

const char* const kFullWidthScope[3] = {"見出し、地質、色調、記事、地層岩体、空欄、孔内水位、保孔管、",
                                        "削孔月日、試験データの試験名・単位と試料採取、グラフ書式の項目部",
                                        "についてチェック"};

namespace {

const char* const kCrLf = "\r\n";
constexpr int kTotalLimit = 50;
constexpr int kHeaderHitLimit = 11;
constexpr int kRowLimit = 4;

const std::string& symbolTable()
{
    return QC_SJ("０１２３４５６７８９ｍ㎜㎝㎞㎎㎏㎡①②③④⑤⑥⑦⑧⑨⑩ⅠⅡⅢⅣⅤⅥⅦⅧⅨ");
}

const std::string& letterTable()
{
    return QC_SJ("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ");
}

// Whether some character of text is one of the characters of table.
bool sharesCharacter(std::string_view text, std::string_view table)
{
    for (size_t i = 0; i < text.size();) {
        size_t n = charLengthAt(text, i);
        std::string_view c = text.substr(i, n);
        if (n == 2) {
            for (size_t j = 0; j + 1 < table.size(); j += 2)
                if (table.substr(j, 2) == c) return true;
        }
        i += n;
    }
    return false;
}

std::string lineBreaksAsSlash(const std::string& text)
{
    std::string s = ReplaceAll(text, "\r\n", "/");
    s = ReplaceAll(s, "\n", "/");
    return ReplaceAll(s, "\r", "/");
}

// One section: a title and the rows it scans. A row gives its first-entry
// head (the part before the text) and its cells.
struct SectionRow
{
    std::string head; // e.g. "( 1.00 m ) "
    std::vector<std::string> cells;
};

struct Section
{
    const char* title;
    size_t bytes; // precision of the text in both entry formats
    std::vector<SectionRow> rows;
};

// Appends the section when it has hits; returns its count.
int runSection(const Section& s, bool header, std::string& report)
{
    std::string text = QC_SJ("▼") + cp932::fromUtf8(s.title) + kCrLf;
    int count = 0;
    for (const SectionRow& row : s.rows) {
        bool hit = false;
        for (const std::string& cell : row.cells) {
            if (!containsFullWidthAlnum(cell)) continue;
            if (header) {
                text += row.head + firstBytes(cell, s.bytes) + "  " + kCrLf;
            } else if (!hit) {
                text += row.head + firstBytes(cell, s.bytes) + "  ";
            } else {
                text += firstBytes(cell, s.bytes) + " ";
            }
            hit = true;
        }
        if (!hit) continue;
        if (!header) text += kCrLf;
        ++count;
        if (count >= (header ? kHeaderHitLimit : kRowLimit)) {
            text += std::string("  - -") + kCrLf;
            break;
        }
    }
    if (count > 0) report += text;
    return count;
}

std::string depthHead(const std::string& depth)
{
    return "( " + depth + "m ) ";
}

} // namespace

std::string upperCaseCp932(std::string_view text)
{
    std::string out(text);
    for (size_t i = 0; i < out.size();) {
        size_t n = charLengthAt(out, i);
        auto b0 = static_cast<unsigned char>(out[i]);
        if (n == 1) {
            if (b0 >= 'a' && b0 <= 'z') out[i] = static_cast<char>(b0 - 'a' + 'A');
        } else if (b0 == 0x82) {
            // Full-width "ａ" to "ｚ" (0x8281-0x829A) become "Ａ" to "Ｚ" (0x8260-0x8279).
            auto b1 = static_cast<unsigned char>(out[i + 1]);
            if (b1 >= 0x81 && b1 <= 0x9A) out[i + 1] = static_cast<char>(b1 - 0x21);
        }
        i += n;
    }
    return out;
}

bool containsFullWidthAlnum(std::string_view text)
{
    if (text.size() < 2) return false;
    return sharesCharacter(text, symbolTable()) || sharesCharacter(upperCaseCp932(text), letterTable());
}

std::string firstBytes(std::string_view text, size_t n)
{
    size_t end = 0;
    while (end < text.size()) {
        size_t len = charLengthAt(text, end);
        if (end + len > n) break;
        end += len;
    }
    return std::string(text.substr(0, end));
}

std::string fullWidthReport(const Document& doc)
{
    std::vector<Section> sections;
    {
        Section s{"見出し", 30, {}};
        for (int e = 1; e <= HeaderEntry::BoringNumber; ++e)
            s.rows.push_back({"(" + std::to_string(e) + ") ", {doc.HeaderTable(e)}});
        sections.push_back(std::move(s));
    }
    {
        Section s{"地質 色調", 20, {}};
        const TextTable& t = doc.GeologyTable;
        for (int r = 1; r <= t.rows(); ++r)
            s.rows.push_back({"( " + t(r, GeologyCol::Depth) + " m ) ",
                              {t(r, GeologyCol::Name), t(r, GeologyCol::AuxName), t(r, GeologyCol::Tone)}});
        sections.push_back(std::move(s));
    }
    {
        Section s{"観察記事", 30, {}};
        const TextTable& t = doc.NoteTable;
        for (int r = 1; r <= t.rows(); ++r)
            s.rows.push_back({"( " + t(r, NoteCol::Top) + "m - " + t(r, NoteCol::Bottom) + "m ) ",
                              {lineBreaksAsSlash(t(r, NoteCol::Text))}});
        sections.push_back(std::move(s));
    }
    auto byDepth = [&](const char* title, const TextTable& t, int key, std::vector<int> cols) {
        Section s{title, 20, {}};
        for (int r = 1; r <= t.rows(); ++r) {
            SectionRow row{depthHead(t(r, key)), {}};
            for (int c : cols) row.cells.push_back(t(r, c));
            s.rows.push_back(std::move(row));
        }
        sections.push_back(std::move(s));
    };
    byDepth("地層岩体", doc.StratumTable, StratumCol::Top, {StratumCol::Name});
    byDepth("空欄", doc.FreeColumnTable, FreeCol::Depth, {FreeCol::Text});
    byDepth("孔内水位", doc.WaterLevelTable, WaterCol::Level, {WaterCol::Date, WaterCol::Note});
    byDepth("保孔管", doc.CasingTable, CasingCol::Depth, {CasingCol::PipeKind});
    byDepth("削孔月日", doc.DrillDateTable, DrillDateCol::Depth, {DrillDateCol::Date});
    {
        Section s{"試験データ 試験名と単位", 20, {}};
        for (int r = 1; r <= doc.TestNameTable.rows(); ++r)
            s.rows.push_back({"( " + std::to_string(r) + " ) ",
                              {doc.TestNameTable(r, TestCol::Name), doc.TestNameTable(r, TestCol::Unit)}});
        sections.push_back(std::move(s));
    }
    {
        Section s{"試験データ 試料採取", 20, {}};
        const TextTable& t = doc.SampleTable;
        for (int r = 1; r <= t.rows(); ++r)
            s.rows.push_back({"( " + t(r, SampleCol::Top) + "m - " + t(r, SampleCol::Bottom) + "m ) ",
                              {t(r, SampleCol::Number), t(r, SampleCol::Method)}});
        sections.push_back(std::move(s));
    }
    {
        Section s{"グラフ書式(項目部)", 20, {}};
        // The texts of the item part: a title's text and alignment, a slot's test and name.
        static_assert(TitleField::Text == SlotField::Test && TitleField::Align == SlotField::Name);
        for (int g = 1; g <= GraphTable::kGraphs; ++g)
            for (int r = 1; r <= GraphTable::kRows; ++r)
                s.rows.push_back({QC_SJ("(グラフ") + std::to_string(g) + ") ",
                                  {doc.GraphFormatTable(g, r, TitleField::Text),
                                   doc.GraphFormatTable(g, r, TitleField::Align)}});
        sections.push_back(std::move(s));
    }

    std::string report;
    int total = 0;
    for (size_t i = 0; i < sections.size() && total < kTotalLimit; ++i)
        total += runSection(sections[i], i == 0, report);
    return total == 0 ? QC_SJ("　無し") : report;
}

std::string notesFullWidthReport(const std::vector<NoteText>& notes)
{
    std::string report = QC_SJ("全角英数字");
    int hits = 0;
    for (const NoteText& n : notes) {
        std::string text = lineBreaksAsSlash(n.text);
        if (!containsFullWidthAlnum(text)) continue;
        ++hits;
        if (hits == 1) report += QC_SJ("が含まれています") + kCrLf;
        if (hits >= kRowLimit) {
            report += std::string("  - -") + kCrLf;
            break;
        }
        report += "( " + n.top + "m - " + n.bottom + "m ) " + firstBytes(text, 30) + "  " + kCrLf;
    }
    if (hits == 0) report += QC_SJ("　無し");
    return report;
}

} // namespace qc
