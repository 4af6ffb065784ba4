#include "dialogs/waterleveleditor.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"

#include <cstdio>

namespace qc {

namespace {

const char* const kCrLf = "\r\n";

bool hasChar(const std::string& text, const char* c)
{
    return findText(text, c) != std::string::npos;
}

std::string shownCell(bool on)
{
    return on ? "o" : ".";
}

// The position number of a cell: a negative or non-numeric value counts as 0.
WaterLevelEditor::Position positionOf(const std::string& cell)
{
    if (!isNumeric(cell)) return WaterLevelEditor::Standard;
    long v = cellLong(cell);
    if (v == 1) return WaterLevelEditor::UpperLeft;
    if (v == 2) return WaterLevelEditor::LowerLeft;
    return WaterLevelEditor::Standard;
}

} // namespace

ListEditor::Config WaterLevelEditor::waterLevelConfig()
{
    Config c;
    c.rowLimit = kRowLimit;
    c.fieldCount = FieldCount;
    c.depthField = Level;
    c.depthFormat = DepthFormat::Signed2;
    c.columns = {
        {QC_SJ("m"), 64, 1, Level}, {QC_SJ("表示"), 40, 0, -1},      {QC_SJ("月日"), 70, 1, Date},
        {QC_SJ("表示"), 40, 0, -1}, {QC_SJ("記事"), 100, 1, Remark}, {QC_SJ("配置"), 40, 0, -1},
    };
    return c;
}

WaterLevelEditor::WaterLevelEditor(TextTable& table, Prompter& prompter, KeyOptions keys)
    : ListEditor(waterLevelConfig(), prompter, keys), m_table(table)
{
}

const std::vector<std::string>& WaterLevelEditor::remarkItems()
{
    static const std::vector<std::string> items = {
        QC_SJ("認められず"), QC_SJ("無し"), QC_SJ("無水掘"), QC_SJ("洗浄回復"), "", ""};
    return items;
}

std::string WaterLevelEditor::applySign(const std::string& level)
{
    if (level.empty() || hasChar(level, "+") || hasChar(level, "-")) return level;
    return "-" + level;
}

int WaterLevelEditor::flagsWord(const ListRow& row)
{
    int word = 0;
    if (hasChar(row[ColLevelShown], "o")) word |= WaterBits::LevelShown;
    if (hasChar(row[ColDateShown], "o")) word |= WaterBits::DateShown;
    const std::string& pos = row[ColPosition];
    if (isNumeric(pos)) {
        switch (cellLong(pos)) {
        case 0:
            word |= WaterBits::Standard;
            break;
        case 1:
            word |= WaterBits::UpperLeft;
            break;
        case 2:
            word |= WaterBits::LowerLeft;
            break;
        default:
            break;
        }
    }
    return word;
}

void WaterLevelEditor::setLevelShown(bool on)
{
    m_levelShown = on;
    liveUpdate();
}

void WaterLevelEditor::setDateShown(bool on)
{
    m_dateShown = on;
    liveUpdate();
}

void WaterLevelEditor::setPosition(Position p)
{
    m_position = p;
    liveUpdate();
}

// ---- the table

bool WaterLevelEditor::loadTableRow(int t, ListRow& row)
{
    if (!isNumeric(m_table(t, WaterCol::Level))) return false;
    row[ColLevel] = m_table(t, WaterCol::Level);
    row[ColDate] = m_table(t, WaterCol::Date);
    row[ColRemark] = m_table(t, WaterCol::Note);
    const std::string& flagsText = m_table(t, WaterCol::Flags);
    int flags = isNumeric(flagsText) ? static_cast<int>(cellLong(flagsText)) : 3;
    row[ColLevelShown] = shownCell(flags & WaterBits::LevelShown);
    row[ColDateShown] = shownCell(flags & WaterBits::DateShown);
    int position = (flags & WaterBits::UpperLeft) ? 1 : (flags & WaterBits::LowerLeft) ? 2 : 0;
    row[ColPosition] = std::to_string(position);
    return true;
}

void WaterLevelEditor::writeTableRow(int t, const ListRow& row)
{
    m_table(t, WaterCol::Level) = row[ColLevel];
    m_table(t, WaterCol::Date) = row[ColDate];
    m_table(t, WaterCol::Note) = row[ColRemark];
    m_table(t, WaterCol::Flags) = std::to_string(flagsWord(row));
}

void WaterLevelEditor::clearTableRow(int t)
{
    for (int c = WaterCol::Level; c <= WaterCol::Flags; ++c) m_table(t, c).clear();
}

void WaterLevelEditor::writeBack()
{
    DuplicateReport report(QC_SJ("同じ深度があります"));
    std::vector<ListRow> rows = takeUsedRows();
    int written = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        ListRow& r = rows[i];
        if (r[ColLevel].empty()) continue;
        // Level and date compared as typed with every earlier row that is written.
        for (size_t j = 0; j < i; ++j) {
            if (rows[j][ColLevel].empty()) continue;
            if (rows[j][ColLevel] == r[ColLevel] && rows[j][ColDate] == r[ColDate]) {
                char head[64];
                std::snprintf(head, sizeof head, "%2d", static_cast<int>(i + 1));
                std::string entry = head + QC_SJ("行目と");
                std::snprintf(head, sizeof head, "%2d", static_cast<int>(j + 1));
                entry += head + QC_SJ("行目 [") + r[ColLevel] + QC_SJ("]　") + kCrLf;
                report.add(entry);
            }
        }
        if (written >= rowLimit()) continue;
        r[ColLevel] = writeBackDepthText(r[ColLevel]);
        writeTableRow(++written, r);
    }
    for (int t = written + 1; t <= rowLimit(); ++t) clearTableRow(t);
    if (report.any()) message(report.text());
}

// ---- the row buffer

void WaterLevelEditor::prepareBuffer(ListRow& buffer)
{
    buffer[ColLevel] = applySign(buffer[ColLevel]);
}

bool WaterLevelEditor::validate(const ListRow& buffer, bool showMessages)
{
    if (!ListEditor::validate(buffer, showMessages)) return false;
    const std::string& level = buffer[ColLevel];
    double v = cellDouble(level);
    if (v > 100 || v < -1000) {
        // A warning only: the row is still taken. The live update warns once per level.
        if (showMessages || level != m_warnedLevel) message(QC_SJ("水位が異常です.　"));
        m_warnedLevel = level;
    } else {
        m_warnedLevel.clear();
    }
    return true;
}

void WaterLevelEditor::onFieldLeft(int i)
{
    if (i == Level) fieldRef(Level) = applySign(field(Level));
}

std::string WaterLevelEditor::cellCommitText(int col, const std::string& text)
{
    return col == ColLevel ? applySign(text) : text;
}

void WaterLevelEditor::afterCellCommit(int r, int col)
{
    if (col != ColLevel) return;
    ListRow& row = mutableRow(r);
    for (int c : {ColLevelShown, ColDateShown})
        if (row[c].empty()) row[c] = "o";
    optionsFromRow(row);
}

void WaterLevelEditor::optionsToBuffer(ListRow& buffer) const
{
    buffer[ColLevelShown] = shownCell(m_levelShown);
    buffer[ColDateShown] = shownCell(m_dateShown);
    buffer[ColPosition] = std::to_string(static_cast<int>(m_position));
}

void WaterLevelEditor::optionsFromRow(const ListRow& row)
{
    m_levelShown = hasChar(row[ColLevelShown], "o");
    m_dateShown = hasChar(row[ColDateShown], "o");
    m_position = positionOf(row[ColPosition]);
}

void WaterLevelEditor::resetOptions()
{
    m_levelShown = true;
    m_dateShown = true;
    m_position = Standard;
}

void WaterLevelEditor::optionFromCell(int col, const ListRow& row)
{
    switch (col) {
    case ColLevelShown:
        m_levelShown = hasChar(row[col], "o");
        break;
    case ColDateShown:
        m_dateShown = hasChar(row[col], "o");
        break;
    case ColPosition:
        m_position = positionOf(row[col]);
        break;
    default:
        break;
    }
}

} // namespace qc
