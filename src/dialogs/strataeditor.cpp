#include "dialogs/strataeditor.h"

#include "app/masterfiles.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "document/textops.h"

namespace qc {

ListEditor::Config StrataEditor::strataConfig()
{
    Config c;
    c.rowLimit = kRowLimit;
    c.fieldCount = FieldCount;
    c.depthField = Top;
    c.columns = {
        {QC_SJ("上 m"), 56, 1, Top},
        {QC_SJ("下 m"), 56, 1, Bottom},
        {QC_SJ("地層岩体"), 200, 1, Name},
    };
    return c;
}

StrataEditor::StrataEditor(TextTable& table, std::vector<std::string> divisions, Prompter& prompter,
                           KeyOptions keys)
    : ListEditor(strataConfig(), prompter, keys), m_table(table), m_divisions(std::move(divisions))
{
}

std::vector<std::string> StrataEditor::loadDivisions(const std::string& path, Prompter& prompter)
{
    return loadPickList(path, kDivisionLineBytes, prompter);
}

std::string StrataEditor::bottomText(const std::string& bottom)
{
    size_t dot = findText(bottom, ".");
    if (dot != std::string::npos && CharCount(std::string_view(bottom).substr(dot + 1)) <= 2)
        return formatDepth(bottom);
    return bottom;
}

void StrataEditor::pickDivision(int index)
{
    if (index < 0 || index >= static_cast<int>(m_divisions.size())) return;
    fieldRef(Name) = m_divisions[static_cast<size_t>(index)];
    liveUpdate();
}

bool StrataEditor::loadTableRow(int t, ListRow& row)
{
    if (!isNumeric(m_table(t, StratumCol::Top))) return false;
    row[ColTop] = m_table(t, StratumCol::Top);
    row[ColBottom] = m_table(t, StratumCol::Bottom);
    row[ColName] = m_table(t, StratumCol::Name);
    return true;
}

void StrataEditor::writeTableRow(int t, const ListRow& row)
{
    m_table(t, StratumCol::Top) = row[ColTop];
    m_table(t, StratumCol::Bottom) = bottomText(row[ColBottom]);
    m_table(t, StratumCol::Name) = row[ColName];
}

void StrataEditor::clearTableRow(int t)
{
    for (int c = StratumCol::Top; c <= StratumCol::Name; ++c) m_table(t, c).clear();
}

bool StrataEditor::validate(const ListRow& buffer, bool showMessages)
{
    return ListEditor::validate(buffer, showMessages) && checkRange(buffer[ColTop], -1, 3000, showMessages);
}

} // namespace qc
