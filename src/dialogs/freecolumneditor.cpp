#include "dialogs/freecolumneditor.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"

namespace qc {

ListEditor::Config FreeColumnEditor::configFor(Mode mode)
{
    Config c;
    c.depthField = 0;
    // Every column is a stop of the Enter walk; each has a field of its own,
    // never shown, so that the row follows the cells.
    if (mode == Mode::FreeColumn) {
        c.rowLimit = 200;
        c.fieldCount = 3;
        c.columns = {
            {QC_SJ("深度"), 68, 1, 0},
            {QC_SJ("記事"), 220, 1, 1},
            {QC_SJ("下線=1"), 56, 1, 2},
        };
    } else {
        c.rowLimit = 50;
        c.fieldCount = 2;
        c.columns = {
            {QC_SJ("深度"), 80, 1, 0},
            {QC_SJ("月日"), 100, 1, 1},
        };
    }
    return c;
}

FreeColumnEditor::FreeColumnEditor(Mode mode, TextTable& table, Prompter& prompter, KeyOptions keys)
    : ListEditor(configFor(mode), prompter, keys), m_mode(mode), m_table(table)
{
}

const char* FreeColumnEditor::title() const
{
    return m_mode == Mode::FreeColumn ? "空欄" : "削孔月日";
}

bool FreeColumnEditor::loadTableRow(int t, ListRow& row)
{
    static_assert(FreeCol::Depth == 1 && DrillDateCol::Depth == 1);
    if (!isNumeric(m_table(t, FreeCol::Depth))) return false;
    for (int c = 1; c <= columnCount(); ++c) row[c] = m_table(t, c);
    return true;
}

void FreeColumnEditor::writeTableRow(int t, const ListRow& row)
{
    for (int c = 1; c <= columnCount(); ++c) m_table(t, c) = row[c];
}

void FreeColumnEditor::clearTableRow(int t)
{
    for (int c = 1; c <= columnCount(); ++c) m_table(t, c).clear();
}

} // namespace qc
