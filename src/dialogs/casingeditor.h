#pragma once
// The casing pipe dialog ("保孔管") over CasingTable: a depth and the pipe's
// specification, picked from a list whose items carry a picture of the pipe
// symbol after an ideographic space; only the words before it are stored.

#include "dialogs/listeditor.h"

#include <string>
#include <vector>

namespace qc {

class TextTable;

class CasingEditor : public ListEditor
{
public:
    static constexpr int kRowLimit = 50;

    enum Field { Depth, Spec, FieldCount };
    enum Column { ColDepth = 1, ColSpec };

    CasingEditor(TextTable& table, Prompter& prompter, KeyOptions keys);

    static Config casingConfig();
    // Items of the specification combo.
    static const std::vector<std::string>& specItems();
    // The specification as stored: the text before its first ideographic
    // space, unless that space opens the text.
    static std::string storedSpec(const std::string& spec);

protected:
    bool loadTableRow(int tableRow, ListRow& row) override;
    void writeTableRow(int tableRow, const ListRow& row) override;
    void clearTableRow(int tableRow) override;
    bool validate(const ListRow& buffer, bool showMessages) override;

private:
    TextTable& m_table;
};

} // namespace qc
