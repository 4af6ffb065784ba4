#pragma once
// A small depth-keyed list dialog model for the list-editor tests: depth, text
// and an underline option column, over a three-column table.

#include "dialogs/listeditor.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/tables.h"

namespace qc::test {

class SampleEditor : public ListEditor
{
public:
    enum Field { Depth, Text, FieldCount };

    static Config sampleConfig(int rowLimit)
    {
        Config c;
        c.rowLimit = rowLimit;
        c.columns = {
            {QC_SJ("深度 m"), 60, 1, Depth}, {QC_SJ("仕様"), 150, 1, Text}, {QC_SJ("下線"), 38, 0, -1}};
        c.fieldCount = FieldCount;
        return c;
    }

    SampleEditor(TextTable& table, Prompter& prompter, KeyOptions keys = {})
        : SampleEditor(sampleConfig(table.rows()), table, prompter, keys)
    {
    }
    SampleEditor(Config config, TextTable& table, Prompter& prompter, KeyOptions keys = {})
        : ListEditor(std::move(config), prompter, keys), m_table(table)
    {
    }

    // The option control: a check box shown in column 3 as "1" or "0".
    bool underline = true;
    void setUnderline(bool on)
    {
        underline = on;
        liveUpdate();
    }

protected:
    bool loadTableRow(int t, ListRow& row) override
    {
        if (!isNumeric(m_table(t, 1))) return false;
        for (int c = 1; c <= 3; ++c) row[c] = m_table(t, c);
        return true;
    }
    void writeTableRow(int t, const ListRow& row) override
    {
        for (int c = 1; c <= 3; ++c) m_table(t, c) = row[c];
    }
    void clearTableRow(int t) override
    {
        for (int c = 1; c <= 3; ++c) m_table(t, c).clear();
    }
    bool validate(const ListRow& buffer, bool show) override
    {
        return ListEditor::validate(buffer, show) && checkRange(buffer[1], -1, 3000, show);
    }
    void optionsToBuffer(ListRow& buffer) const override { buffer[3] = underline ? "1" : "0"; }
    void optionsFromRow(const ListRow& row) override
    {
        if (isNumeric(row[3])) underline = row[3] != "0";
    }
    void resetOptions() override { underline = true; }
    void optionFromCell(int col, const ListRow& row) override
    {
        if (col == 3) optionsFromRow(row);
    }

private:
    TextTable& m_table;
};

} // namespace qc::test
