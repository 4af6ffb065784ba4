#include "dialogs/testdataeditor.h"

#include "dialogs/testnameseditor.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "document/textops.h"
#include "platform/prompter.h"

#include <cstdio>

namespace qc {

namespace {

constexpr int kGroup = 16; // tests per hidden column and per attribute mask

// Items of a comma-joined text, each taken up to its comma (found on character boundaries).
std::vector<std::string> commaItems(const std::string& text)
{
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t comma = findText(text, ",", pos);
        if (comma == std::string::npos) {
            out.push_back(text.substr(pos));
            break;
        }
        out.push_back(text.substr(pos, comma - pos));
        pos = comma + 1;
    }
    return out;
}

// The hidden value columns: each value followed by a comma. A value that holds
// a comma or a double quote (a quoted field of the file) is quoted, its quotes
// doubled, so that it comes back whole instead of shifting the values after it.
std::string joinValue(const std::string& value)
{
    if (findText(value, ",") == std::string::npos && findText(value, "\"") == std::string::npos)
        return value + ",";
    std::string out = "\"";
    for (size_t i = 0; i < value.size();) {
        const size_t n = charLengthAt(value, i);
        if (n == 1 && value[i] == '"') out += '"';
        out.append(value, i, n);
        i += n;
    }
    return out + "\",";
}

std::vector<std::string> splitValues(const std::string& text)
{
    std::vector<std::string> out;
    std::string item;
    bool quoted = false;
    for (size_t i = 0; i < text.size();) {
        const size_t n = charLengthAt(text, i);
        const char c = n == 1 ? text[i] : '\0';
        if (c == '"' && quoted && i + 1 < text.size() && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
        }
        if (c == '"' && (quoted || item.empty())) {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            out.push_back(std::move(item));
            item.clear();
        } else {
            item.append(text, i, n);
        }
        i += n;
    }
    if (!item.empty()) out.push_back(std::move(item));
    return out;
}

} // namespace

std::vector<std::pair<int, std::string>> parseShifts(const std::string& shifts)
{
    std::vector<std::pair<int, std::string>> out;
    for (const std::string& item : commaItems(shifts)) {
        size_t colon = findText(item, ":");
        if (colon == std::string::npos) continue;
        out.emplace_back(cellInt(item.substr(0, colon)), item.substr(colon + 1));
    }
    return out;
}

ListEditor::Config TestDataEditor::testDataConfig(int test)
{
    char title[32];
    std::snprintf(title, sizeof title, "No.%d", test);
    Config c;
    c.rowLimit = kRowLimit;
    c.fieldCount = FieldCount;
    c.depthField = Top;
    c.columns = {
        {QC_SJ("m 上"), 56, 1, Top},
        {QC_SJ("m 下"), 56, 1, Bottom},
        {QC_SJ("試料番号"), 80, 1, Number},
        {QC_SJ("採取"), 40, 1, Method},
        {QC_SJ("試験") + title, 84, 1, Value},
        {QC_SJ("ｸﾞﾗﾌ線"), 50, 1, -1},
        {QC_SJ("シフト"), 50, 1, Shift},
        {QC_SJ("礫"), 48, 1, Gravel},
        {QC_SJ("砂"), 48, 1, Sand},
        {QC_SJ("シルト"), 50, 1, Silt},
        {QC_SJ("粘土"), 48, 1, Clay},
        {"1-16", 90, 0, Tests1},
        {"17-32", 90, 0, Tests2},
        {"33-48", 90, 0, Tests3},
        {QC_SJ("属性1"), 44, 0, Mask1},
        {QC_SJ("属性2"), 44, 0, Mask2},
        {QC_SJ("属性3"), 44, 0, Mask3},
    };
    return c;
}

const std::vector<std::string>& TestDataEditor::methodItems()
{
    static const std::vector<std::string> items = {"-", "T", "D", "F", "A", " "};
    return items;
}

TestDataEditor::TestDataEditor(TextTable& samples, const TestDataRequest& test, Prompter& prompter,
                               KeyOptions keys)
    : ListEditor(testDataConfig(test.test >= 1 && test.test <= 48 ? test.test : 1), prompter, keys),
      m_table(samples), m_test(test.test >= 1 && test.test <= 48 ? test.test : 1), m_name(test.name),
      m_unit(test.unit)
{
    for (int r = 1; r <= kRowLimit; ++r) m_table(r, SampleCol::Scratch).clear();
    for (const auto& [r, shift] : parseShifts(test.shifts))
        if (r >= 1 && r <= kRowLimit) m_table(r, SampleCol::Scratch) = shift;
}

std::string TestDataEditor::testLabel() const
{
    return "No." + std::to_string(m_test);
}

void TestDataEditor::setNoJoin(bool on)
{
    m_noJoin = on;
    liveUpdate();
}

// ---- the table

bool TestDataEditor::loadTableRow(int t, ListRow& row)
{
    if (!isNumeric(m_table(t, SampleCol::Top))) return false;
    row[ColTop] = m_table(t, SampleCol::Top);
    row[ColBottom] = m_table(t, SampleCol::Bottom);
    row[ColNumber] = m_table(t, SampleCol::Number);
    row[ColMethod] = m_table(t, SampleCol::Method);
    row[ColValue] = m_table(t, SampleCol::test(m_test));
    const long mask = cellLong(m_table(t, SampleCol::mask(m_test)));
    row[ColNoJoin] = (mask & SampleCol::maskBit(m_test)) ? "1" : "0";
    row[ColShift] = m_table(t, SampleCol::Scratch);
    for (int i = 0; i < 4; ++i) row[ColGravel + i] = m_table(t, SampleCol::Gravel + i);
    for (int g = 0; g < 3; ++g) {
        std::string joined;
        for (int k = 1; k <= kGroup; ++k) joined += joinValue(m_table(t, SampleCol::test(g * kGroup + k)));
        row[ColTests1 + g] = joined;
        row[ColMask1 + g] = m_table(t, SampleCol::FirstMask + g);
    }
    return true;
}

void TestDataEditor::writeTableRow(int t, const ListRow& row)
{
    m_table(t, SampleCol::Top) = row[ColTop];
    m_table(t, SampleCol::Bottom) = row[ColBottom];
    m_table(t, SampleCol::Number) = row[ColNumber];
    m_table(t, SampleCol::Method) = row[ColMethod];
    for (int i = 0; i < 4; ++i) m_table(t, SampleCol::Gravel + i) = row[ColGravel + i];
    for (int g = 0; g < 3; ++g) {
        std::vector<std::string> items = splitValues(row[ColTests1 + g]);
        for (int k = 1; k <= kGroup; ++k)
            m_table(t, SampleCol::test(g * kGroup + k)) =
                static_cast<size_t>(k) <= items.size() ? items[static_cast<size_t>(k - 1)] : std::string();
        m_table(t, SampleCol::FirstMask + g) = row[ColMask1 + g];
    }
    m_table(t, SampleCol::test(m_test)) = row[ColValue];

    const int maskCol = SampleCol::mask(m_test);
    long mask = cellLong(row[ColMask1 + (maskCol - SampleCol::FirstMask)]);
    if (isNumeric(row[ColNoJoin]) && cellDouble(row[ColNoJoin]) > 0)
        mask |= SampleCol::maskBit(m_test);
    else
        mask &= ~SampleCol::maskBit(m_test);
    m_table(t, maskCol) = std::to_string(mask);

    m_table(t, SampleCol::Scratch) = row[ColShift];
    if (isNumeric(row[ColShift])) m_newShifts += std::to_string(t) + ":" + row[ColShift] + ",";
}

void TestDataEditor::clearTableRow(int t)
{
    for (int c = SampleCol::Top; c <= SampleCol::Scratch; ++c) m_table(t, c).clear();
}

void TestDataEditor::writeBack()
{
    m_newShifts.clear();
    ListEditor::writeBack();
}

std::string TestDataEditor::writeBackDepthText(const std::string& depth) const
{
    return formatDepth(depth);
}

bool TestDataEditor::validate(const ListRow& buffer, bool showMessages)
{
    // The check box column always holds "0" or "1": it alone is no data.
    ListRow fields = buffer;
    fields[ColNoJoin].clear();
    if (fields.blank() || !isNumeric(buffer[ColTop])) {
        if (showMessages) message(QC_SJ("データが無い、または不正です."));
        return false;
    }
    if (!checkRange(buffer[ColTop], -1, 3000, showMessages)) return false;
    // A bottom that is not a number is only pointed out.
    if (showMessages && NumericTest(buffer[ColBottom]) == 0) message(QC_SJ("データが無い、または不正です."));
    return true;
}

void TestDataEditor::optionsToBuffer(ListRow& buffer) const
{
    buffer[ColNoJoin] = m_noJoin ? "1" : "0";
}

void TestDataEditor::optionsFromRow(const ListRow& row)
{
    m_noJoin = isNumeric(row[ColNoJoin]) && cellDouble(row[ColNoJoin]) > 0;
}

void TestDataEditor::resetOptions()
{
    m_noJoin = false;
}

void TestDataEditor::optionFromCell(int col, const ListRow& row)
{
    if (col == ColNoJoin) optionsFromRow(row);
}

} // namespace qc
