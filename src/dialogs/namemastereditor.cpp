#include "dialogs/namemastereditor.h"

#include "app/docflows.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/linereader.h"
#include "document/textformat.h"
#include "document/textops.h"
#include "platform/colourchooser.h"
#include "platform/files.h"
#include "platform/prompter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace qc {

namespace {

constexpr size_t kMasterLineBytes = 79;
constexpr size_t kPatternLineBytes = 99;
constexpr long kMaxPatternNumber = 999999;

const std::string& unsuitable()
{
    return QC_SJ("入力データが不適当です");
}

// The text without blanks around it: ASCII blanks and full-width blanks "　"
// (what an IME types before a number), stepped over as whole characters.
std::string_view trimmedView(std::string_view s)
{
    s = skipBlanks(s);
    size_t end = 0;
    for (size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        if (lead < 0x80) { // ASCII is one byte and never starts a longer character
            if (lead != ' ' && lead != '\t') end = i + 1;
            ++i;
            continue;
        }
        const size_t n = charLengthAt(s, i);
        if (!(n == 2 && lead == 0x81 && s[i + 1] == '\x40')) end = i + n;
        i += n;
    }
    return s.substr(0, end);
}

std::string trimmed(std::string_view s)
{
    return std::string(trimmedView(s));
}

// The whole text is one decimal number (blanks around it allowed).
bool parseNumber(std::string_view text, double& value)
{
    const std::string_view t = trimmedView(text);
    if (t.empty()) return false;
    for (char ch : t)
        if (!(std::isdigit(static_cast<unsigned char>(ch)) || ch == '.' || ch == '+' || ch == '-'))
            return false;
    const std::string number(t); // strtod needs the terminating NUL
    char* end = nullptr;
    value = std::strtod(number.c_str(), &end);
    return end && *end == '\0' && std::isfinite(value);
}

// A colour as the files hold it: "0x" and hexadecimal digits, or decimal digits; 24 bits at most.
bool parseColour(std::string_view text, uint32_t& colour)
{
    const std::string t = trimmed(text);
    if (t.empty()) return false;
    size_t digitsFrom = 0;
    int base = 10;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        digitsFrom = 2;
        base = 16;
    }
    if (digitsFrom >= t.size() || t.size() - digitsFrom > 8) return false;
    for (size_t i = digitsFrom; i < t.size(); ++i) {
        const auto ch = static_cast<unsigned char>(t[i]);
        if (base == 16 ? !std::isxdigit(ch) : !std::isdigit(ch)) return false;
    }
    const unsigned long v = std::strtoul(t.c_str() + digitsFrom, nullptr, base);
    if (v > 0xffffffUL) return false;
    colour = static_cast<uint32_t>(v);
    return true;
}

std::string colourText(uint32_t colour)
{
    return strprintf("0x%06x", static_cast<unsigned>(colour & 0xffffffu));
}

// The integer part of a numeric code field, "%ld".
std::string integerText(std::string_view field)
{
    double v;
    if (!parseNumber(field, v) && !isNumeric(field)) return {};
    return formatInt(cellLong(field));
}

// The class digit of a code field: the first decimal.
int classDigit(std::string_view field)
{
    if (!isNumeric(field)) return 0;
    const double v = cellDouble(field);
    return static_cast<int>((v - std::floor(v)) * 10 + 0.1);
}

bool endsWithChar(const std::string& text, const std::string& ch)
{
    // The last character, found by walking: a trail byte may look like anything.
    size_t i = 0, last = 0;
    while (i < text.size()) {
        last = i;
        i += charLengthAt(text, i);
    }
    return !text.empty() && text.compare(last, std::string::npos, ch) == 0;
}

} // namespace

bool isSectionText(std::string_view text)
{
    return findText(text, "[") != std::string_view::npos || findText(text, "{") != std::string_view::npos;
}

NameMasterEditor::NameMasterEditor(NameMasterDialogData data, Prompter& prompter, ColourChooser& colours)
    : m_data(std::move(data)), m_prompter(prompter), m_chooser(colours)
{
}

// ---- files

std::vector<NameMasterRow> NameMasterEditor::parseMaster(std::string_view bytes)
{
    std::vector<NameMasterRow> rows;
    forEachLimitedLine(bytes, kMasterLineBytes, [&](std::string_view line) {
        if (line.size() < 2 || rows.size() >= static_cast<size_t>(kMasterRows)) return;
        NameMasterRow r;
        std::string vector, bitmap;
        // The four fields in one walk of the line.
        std::string* const fields[] = {&r.name, &r.symbol, &vector, &bitmap};
        CsvSplitInto(line, fields, 4);
        if (isSectionText(r.name)) {
            // A section line has its text in name only.
            r.section = true;
            r.symbol.clear();
            rows.push_back(std::move(r));
            return;
        }
        r.vector = integerText(vector);
        const int digit = classDigit(vector);
        r.density = (digit & 1) ? "o" : "";
        r.consistency = (digit & 2) ? "o" : "";
        r.bitmap = integerText(bitmap);
        rows.push_back(std::move(r));
    });
    return rows;
}

std::string NameMasterEditor::formatMaster(const std::vector<NameMasterRow>& rows)
{
    std::string out;
    for (size_t i = 0; i < rows.size(); ++i) {
        const NameMasterRow& r = rows[i];
        if (r.section) {
            out += r.name;
            if (i == 0) out += strprintf(", ,%ld,", kSectionNumber);
            out += "\r\n";
            continue;
        }
        const int digit = (r.density == "o" ? 1 : 0) + (r.consistency == "o" ? 2 : 0);
        auto code = [digit](const std::string& number) {
            // An empty or unreadable number stays empty rather than become pattern 0.
            if (!isNumeric(number)) return std::string();
            return formatPatternNumber(cellLong(number), digit);
        };
        out += r.name + "," + r.symbol + "," + code(r.vector) + "," + code(r.bitmap) + "\r\n";
    }
    return out;
}

std::vector<PatternIndexRow> NameMasterEditor::parsePatternIndex(std::string_view bytes)
{
    std::vector<PatternIndexRow> rows;
    forEachLimitedLine(bytes, kPatternLineBytes, [&](std::string_view line) {
        if (line.size() < 2) return;
        PatternIndexRow r;
        std::string* const fields[] = {&r.number, &r.colour, &r.defaultColour, &r.abbreviation, &r.example};
        CsvSplitInto(line, fields, 5);
        if (isSectionText(r.number)) {
            // A section line has its text in number only.
            r.section = true;
            r.colour.clear();
            r.defaultColour.clear();
            r.abbreviation.clear();
            r.example.clear();
        }
        rows.push_back(std::move(r));
    });
    return rows;
}

std::string NameMasterEditor::formatPatternIndex(const std::vector<PatternIndexRow>& rows)
{
    std::string out;
    for (const PatternIndexRow& r : rows) {
        if (r.section)
            out += r.number + ",";
        else
            for (const std::string* f : {&r.number, &r.colour, &r.defaultColour, &r.abbreviation, &r.example})
                out += *f + ",";
        out += "\r\n";
    }
    return out;
}

long NameMasterEditor::bitmapEntryNumber(std::string_view entry)
{
    if (entry.empty() || (entry[0] != 'J' && entry[0] != 'j')) return 0;
    size_t i = 1;
    long n = 0;
    while (i < entry.size() && std::isdigit(static_cast<unsigned char>(entry[i])) && n <= kMaxPatternNumber)
        n = n * 10 + (entry[i++] - '0');
    return i > 1 ? n : 0;
}

std::vector<std::string> NameMasterEditor::bitmapEntries(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        std::string name = it->path().filename().string();
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        if (ext == ".bmp") files.push_back(cp932::fromUtf8(name));
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        const long na = bitmapEntryNumber(a), nb = bitmapEntryNumber(b);
        return na != nb ? na < nb : a < b;
    });
    for (int t = 0; t <= 4; ++t) files.push_back("j1000" + std::to_string(t));
    return files;
}

// ---- opening and fields

void NameMasterEditor::open()
{
    std::string bytes;
    m_master.clear();
    m_patterns.clear();
    if (readFileBytes(m_data.masterPath, bytes))
        m_master = parseMaster(bytes);
    else
        message(fileNotFoundMessage(m_data.masterPath));
    if (readFileBytes(m_data.patternColoursPath, bytes))
        m_patterns = parsePatternIndex(bytes);
    else
        message(fileNotFoundMessage(m_data.patternColoursPath));
    m_colourBitmaps = bitmapEntries(m_data.bitmapFolder);
    m_monoBitmaps = bitmapEntries(m_data.monochromeBitmapFolder);
    m_selectedMaster = m_selectedPattern = 0;
    m_masterChanged = m_patternsChanged = false;
    refreshPreviewColours();
}

void NameMasterEditor::message(const std::string& text)
{
    m_prompter.message(text);
}

void NameMasterEditor::setField(Field f, std::string text)
{
    m_fields[f] = std::move(text);
    if (f == Vector || f == Bitmap) previewFields();
}

NameMasterEditor::Field NameMasterEditor::takeFocusRequest()
{
    Field f = m_focus;
    m_focus = FieldCount;
    return f;
}

void NameMasterEditor::previewFields()
{
    m_previewVector = isNumeric(m_fields[Vector]) ? cellLong(m_fields[Vector]) : 0;
    m_previewBitmap = isNumeric(m_fields[Bitmap]) ? cellLong(m_fields[Bitmap]) : 0;
}

void NameMasterEditor::refreshPreviewColours()
{
    m_previewColours.parse(formatPatternIndex(m_patterns));
}

PatternPreviewStyle NameMasterEditor::previewStyle() const
{
    PatternPreviewStyle s;
    s.colours = &m_previewColours;
    s.allBlack = m_data.allBlack;
    s.penWidth = std::clamp(m_data.patternOption, 0, 2) + 1;
    s.overlayShiftOff = m_data.mixedMarks == 1;
    return s;
}

std::string NameMasterEditor::previewBitmapFolder() const
{
    return m_data.monochromeBitmaps ? m_data.monochromeBitmapFolder : m_data.bitmapFolder;
}

// ---- master list

bool NameMasterEditor::validateFields()
{
    const std::string& name = m_fields[Name];
    // A comma or a quote would split the line when it is read again.
    auto breaksLine = [](const std::string& t) {
        return findText(t, ",") != std::string::npos || findText(t, "\"") != std::string::npos;
    };
    if (breaksLine(m_fields[Symbol])) {
        message(unsuitable());
        m_focus = Symbol;
        return false;
    }
    if (isSectionText(name) || breaksLine(name)) {
        message(unsuitable());
        m_focus = Name;
        return false;
    }
    if (trimmedView(name).empty()) {
        message(QC_SJ("データがありません"));
        m_focus = Name;
        return false;
    }
    // Longer texts would not fit the line the program reads, nor the name lists of the geology dialog.
    if (name.size() > kNameBytes) {
        message(QC_SJ("地質名は全角16文字（32バイト）までです"));
        m_focus = Name;
        return false;
    }
    if (m_fields[Symbol].size() > kSymbolBytes) {
        message(QC_SJ("記号は半角8文字（8バイト）までです"));
        m_focus = Symbol;
        return false;
    }
    const Field numberField = m_target == Target::Vector ? Vector : Bitmap;
    const std::string& number = m_fields[numberField];
    if (trimmedView(number).empty()) {
        if (m_prompter.ask(QC_SJ("データがありませんが強行しますか"), Buttons::YesNo, Answer::No) !=
            Answer::Yes) {
            m_focus = numberField;
            return false;
        }
        return true;
    }
    double v = 0;
    const char* refusal = nullptr;
    if (!parseNumber(number, v))
        refusal = "入力データが不適当です";
    else if (v < 0 || v > kMaxPatternNumber)
        refusal = "数値が異常です";
    else if (endsWithChar(name, QC_SJ("り")) && !(v < 10))
        refusal = "入力データが不適当です";
    else if (endsWithChar(name, QC_SJ("質")) && !(v >= 10 && v <= 90))
        refusal = "入力データが不適当です";
    if (refusal) {
        message(cp932::fromUtf8(refusal));
        m_focus = numberField;
        return false;
    }
    return true;
}

NameMasterRow NameMasterEditor::rowFromFields() const
{
    NameMasterRow r;
    r.name = m_fields[Name];
    r.symbol = m_fields[Symbol];
    r.density = m_density ? "o" : "-";
    r.consistency = m_consistency ? "o" : "-";
    r.vector = trimmed(m_fields[Vector]);
    r.bitmap = trimmed(m_fields[Bitmap]);
    return r;
}

bool NameMasterEditor::nameTakenBy(const std::string& name, int except) const
{
    for (size_t i = 0; i < m_master.size(); ++i)
        if (static_cast<int>(i) + 1 != except && m_master[i].name == name) return true;
    return false;
}

void NameMasterEditor::clickMaster(int row)
{
    if (row < 1 || row > static_cast<int>(m_master.size())) {
        m_selectedMaster = 0;
        return;
    }
    m_selectedMaster = row;
    const NameMasterRow& r = m_master[static_cast<size_t>(row - 1)];
    m_previewVector = r.section ? 0 : cellLong(r.vector);
    m_previewBitmap = r.section ? 0 : cellLong(r.bitmap);
}

void NameMasterEditor::overwrite()
{
    if (!validateFields()) return;
    const int sel = m_selectedMaster;
    if (sel < 1 || sel > static_cast<int>(m_master.size())) {
        message(QC_SJ("データの位置を指定して下さい"));
        return;
    }
    // A section line keeps the groups of the master together: it is not replaced by a name.
    if (m_master[static_cast<size_t>(sel - 1)].section) {
        message(QC_SJ("指定できません."));
        return;
    }
    if (nameTakenBy(m_fields[Name], sel)) {
        message(QC_SJ("同じ登録名があります"));
        m_focus = Name;
        return;
    }
    m_master[static_cast<size_t>(sel - 1)] = rowFromFields();
    m_masterChanged = true;
    previewFields();
}

void NameMasterEditor::insert()
{
    if (!validateFields()) return;
    const int sel = m_selectedMaster;
    if (sel < 1 || sel > static_cast<int>(m_master.size())) {
        message(QC_SJ("データの位置を指定して下さい"));
        return;
    }
    if (nameTakenBy(m_fields[Name], 0)) {
        message(QC_SJ("同じ登録名があります"));
        m_focus = Name;
        return;
    }
    if (static_cast<int>(m_master.size()) >= kMasterRows) {
        message(QC_SJ("これ以上データを扱えません"));
        return;
    }
    // Lines before the first section line are not read: nothing goes above it.
    if (sel == 1 && m_master.front().section) {
        message(QC_SJ("指定できません."));
        return;
    }
    NameMasterRow r = rowFromFields();
    const bool incomplete = trimmedView(r.vector).empty() || trimmedView(r.bitmap).empty();
    m_master.insert(m_master.begin() + (sel - 1), std::move(r));
    // The selection stays with the row it was on, so that further rows go in below this one.
    m_selectedMaster = sel + 1;
    m_masterChanged = true;
    previewFields();
    if (incomplete) message(QC_SJ("データが不足しています."));
}

void NameMasterEditor::edit()
{
    const int sel = m_selectedMaster;
    if (sel < 1 || sel > static_cast<int>(m_master.size()) ||
        m_master[static_cast<size_t>(sel - 1)].section) {
        message(QC_SJ("指定できません."));
        return;
    }
    const NameMasterRow& r = m_master[static_cast<size_t>(sel - 1)];
    m_fields[Name] = r.name;
    m_fields[Symbol] = r.symbol;
    m_fields[Vector] = r.vector;
    m_fields[Bitmap] = r.bitmap;
    m_density = r.density == "o";
    m_consistency = r.consistency == "o";
    previewFields();
}

void NameMasterEditor::deleteRow()
{
    const int sel = m_selectedMaster;
    if (sel < 1 || sel > static_cast<int>(m_master.size())) {
        message(QC_SJ("データの位置を指定して下さい"));
        return;
    }
    if (m_prompter.ask(QC_SJ("反転データの行を削除します"), Buttons::YesNo, Answer::No) != Answer::Yes)
        return;
    m_master.erase(m_master.begin() + (sel - 1));
    m_selectedMaster = std::min(sel, static_cast<int>(m_master.size()));
    m_masterChanged = true;
}

void NameMasterEditor::moveUp()
{
    const int sel = m_selectedMaster;
    if (sel < 2 || sel > static_cast<int>(m_master.size())) return;
    std::swap(m_master[static_cast<size_t>(sel - 1)], m_master[static_cast<size_t>(sel - 2)]);
    m_selectedMaster = sel - 1;
    m_masterChanged = true;
}

void NameMasterEditor::moveDown()
{
    const int sel = m_selectedMaster;
    if (sel < 1 || sel >= static_cast<int>(m_master.size())) return;
    std::swap(m_master[static_cast<size_t>(sel - 1)], m_master[static_cast<size_t>(sel)]);
    m_selectedMaster = sel + 1;
    m_masterChanged = true;
}

// ---- pattern list and tools

void NameMasterEditor::clickPattern(int row)
{
    if (row < 1 || row > static_cast<int>(m_patterns.size())) {
        m_selectedPattern = 0;
        return;
    }
    m_selectedPattern = row;
    const PatternIndexRow& r = m_patterns[static_cast<size_t>(row - 1)];
    if (r.section) return;
    m_fields[PatternNo] = r.number;
    m_fields[Colour] = r.colour;
    if (isNumeric(r.number)) m_previewVector = cellLong(r.number);
}

void NameMasterEditor::clickBitmap(const std::string& entry)
{
    if (long n = bitmapEntryNumber(entry)) {
        m_fields[PatternNo] = formatInt(n);
        m_previewBitmap = n;
    }
}

void NameMasterEditor::apply()
{
    double v = 0;
    if (!parseNumber(m_fields[PatternNo], v) || v < 0 || v > kMaxPatternNumber) {
        message(unsuitable());
        m_focus = PatternNo;
        return;
    }
    const Field target = m_target == Target::Vector ? Vector : Bitmap;
    m_fields[target] = trimmed(m_fields[PatternNo]);
    previewFields();
}

void NameMasterEditor::chooseColour()
{
    if (!colourToolsEnabled()) return;
    uint32_t initial = 0;
    if (!parseColour(m_fields[Colour], initial)) initial = 0;
    if (auto chosen = m_chooser.choose(initial)) m_fields[Colour] = colourText(*chosen);
}

void NameMasterEditor::defaultColour()
{
    if (!colourToolsEnabled()) return;
    const int sel = m_selectedPattern;
    if (sel < 1 || sel > static_cast<int>(m_patterns.size())) {
        message(QC_SJ("データの位置を指定して下さい"));
        return;
    }
    uint32_t c = 0;
    const std::string& def = m_patterns[static_cast<size_t>(sel - 1)].defaultColour;
    if (!parseColour(def, c)) {
        message(unsuitable());
        return;
    }
    m_fields[Colour] = trimmed(def);
}

void NameMasterEditor::overwritePattern()
{
    if (!colourToolsEnabled()) return;
    const std::string number = trimmed(m_fields[PatternNo]);
    const std::string colour = trimmed(m_fields[Colour]);
    double v = 0;
    uint32_t c = 0;
    if (isSectionText(number) || !parseNumber(number, v)) {
        message(unsuitable());
        m_focus = PatternNo;
        return;
    }
    if (colour.empty()) {
        message(QC_SJ("データがありません"));
        m_focus = Colour;
        return;
    }
    if (!parseColour(colour, c)) {
        message(unsuitable());
        m_focus = Colour;
        return;
    }
    if (static_cast<int>(m_patterns.size()) > kPatternRows) {
        message(QC_SJ("これ以上データを扱えません"));
        return;
    }
    const int sel = m_selectedPattern;
    if (sel < 1 || sel > static_cast<int>(m_patterns.size())) {
        message(QC_SJ("データの位置を指定して下さい"));
        return;
    }
    // A group heading is not a pattern: writing a number over it would drop the heading.
    if (m_patterns[static_cast<size_t>(sel - 1)].section) {
        message(QC_SJ("指定できません."));
        return;
    }
    for (size_t i = 0; i < m_patterns.size(); ++i)
        if (static_cast<int>(i) + 1 != sel && !m_patterns[i].section && isNumeric(m_patterns[i].number) &&
            cellDouble(m_patterns[i].number) == v) {
            message(QC_SJ("同じ登録名があります"));
            m_focus = PatternNo;
            return;
        }
    PatternIndexRow& r = m_patterns[static_cast<size_t>(sel - 1)];
    r.number = number;
    r.colour = colour;
    m_patternsChanged = true;
    m_fields[Colour].clear();
    refreshPreviewColours();
    m_previewVector = cellLong(number);
}

void NameMasterEditor::allDefaultColours()
{
    if (!colourToolsEnabled()) return;
    for (PatternIndexRow& r : m_patterns) {
        if (r.section || !isNumeric(r.number) || r.colour == r.defaultColour) continue;
        r.colour = r.defaultColour;
        m_patternsChanged = true;
    }
    refreshPreviewColours();
}

// ---- OK and Cancel

bool NameMasterEditor::accept()
{
    // Each file is replaced whole or not at all; a failure keeps the dialog open with the edits.
    if (m_masterChanged) {
        if (!writeFileAtomically(m_data.masterPath, formatMaster(m_master))) {
            message(QC_SJ("保存できませんでした"));
            return false;
        }
        m_masterChanged = false;
    }
    if (m_patternsChanged) {
        if (!writeFileAtomically(m_data.patternColoursPath, formatPatternIndex(m_patterns))) {
            message(QC_SJ("保存できませんでした"));
            return false;
        }
        m_patternsChanged = false;
    }
    return true;
}

bool NameMasterEditor::cancel()
{
    if (!m_masterChanged && !m_patternsChanged) return true;
    return m_prompter.ask(QC_SJ("データが変更されましたが、キャンセルしてよいのですか？"), Buttons::YesNo,
                          Answer::No) == Answer::Yes;
}

} // namespace qc
