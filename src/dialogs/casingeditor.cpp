#include "dialogs/casingeditor.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"

namespace qc {

ListEditor::Config CasingEditor::casingConfig()
{
    Config c;
    c.rowLimit = kRowLimit;
    c.fieldCount = FieldCount;
    c.depthField = Depth;
    c.columns = {
        {QC_SJ("深度 m"), 64, 1, Depth},
        {QC_SJ("仕様"), 160, 1, PipeKind},
    };
    return c;
}

CasingEditor::CasingEditor(TextTable& table, Prompter& prompter, KeyOptions keys)
    : ListEditor(casingConfig(), prompter, keys), m_table(table)
{
}

const std::vector<std::string>& CasingEditor::pipeKindItems()
{
    static const std::vector<std::string> items = {QC_SJ("保孔管なし"), QC_SJ("有孔区間　oo"),
                                                   QC_SJ("無孔区間　| |"), QC_SJ("遮水区間　■"),
                                                   QC_SJ("その他")};
    return items;
}

std::string CasingEditor::storedPipeKind(const std::string& kind)
{
    size_t space = findText(kind, QC_SJ("　"));
    if (space == std::string::npos || space == 0) return kind;
    return kind.substr(0, space);
}

bool CasingEditor::loadTableRow(int t, ListRow& row)
{
    if (!isNumeric(m_table(t, CasingCol::Depth))) return false;
    row[ColDepth] = m_table(t, CasingCol::Depth);
    row[ColPipeKind] = m_table(t, CasingCol::PipeKind);
    return true;
}

void CasingEditor::writeTableRow(int t, const ListRow& row)
{
    m_table(t, CasingCol::Depth) = row[ColDepth];
    m_table(t, CasingCol::PipeKind) = storedPipeKind(row[ColPipeKind]);
}

void CasingEditor::clearTableRow(int t)
{
    for (int c = CasingCol::Depth; c <= CasingCol::PipeKind; ++c) m_table(t, c).clear();
}

bool CasingEditor::validate(const ListRow& buffer, bool showMessages)
{
    return ListEditor::validate(buffer, showMessages) && checkRange(buffer[ColDepth], -1, 3000, showMessages);
}

} // namespace qc
