#pragma once
// The casing pipe dialog ("保孔管") over CasingTable: a depth and the kind of
// pipe, picked from a list whose items carry a picture of the pipe
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

    enum Field { Depth, PipeKind, FieldCount };
    enum Column { ColDepth = 1, ColPipeKind };

    CasingEditor(TextTable& table, Prompter& prompter, KeyOptions keys);

    static Config casingConfig();
    // Items of the pipe-kind combo.
    static const std::vector<std::string>& pipeKindItems();
    // The pipe kind as stored: the text before its first ideographic
    // space, unless that space opens the text.
    static std::string storedPipeKind(const std::string& kind);

protected:
    bool loadTableRow(int tableRow, ListRow& row) override;
    void writeTableRow(int tableRow, const ListRow& row) override;
    void clearTableRow(int tableRow) override;
    bool validate(const ListRow& buffer, bool showMessages) override;

private:
    TextTable& m_table;
};

} // namespace qc
