#pragma once
// The "空欄 削孔" dialog in its two modes: the free column (FreeColumnTable:
// depth, text, underline) and the drilling dates (DrillDateTable: depth,
// date). Rows are typed into the cells only; there are no edit fields to
// show, no add and no overwrite; rows are deleted and moved.

#include "dialogs/listeditor.h"

namespace qc {

class TextTable;

class FreeColumnEditor : public ListEditor
{
public:
    enum class Mode { FreeColumn, DrillDates };

    FreeColumnEditor(Mode mode, TextTable& table, Prompter& prompter, KeyOptions keys);

    static Config configFor(Mode mode);
    Mode mode() const { return m_mode; }
    // "空欄" or "削孔月日" (UTF-8, the window title).
    const char* title() const;

protected:
    bool loadTableRow(int tableRow, ListRow& row) override;
    void writeTableRow(int tableRow, const ListRow& row) override;
    void clearTableRow(int tableRow) override;

private:
    Mode m_mode;
    TextTable& m_table;
};

} // namespace qc
