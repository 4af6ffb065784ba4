#pragma once
// The strata and rock-body dialog ("地層 岩体") over StratumTable: top and
// bottom depths and a division name typed or picked from the strata master.

#include "dialogs/listeditor.h"

#include <string>
#include <vector>

namespace qc {

class TextTable;

class StrataEditor : public ListEditor
{
public:
    static constexpr int kRowLimit = 10;
    // Lines of "\Jso.mst" are read up to 60 bytes, the line end included.
    static constexpr size_t kDivisionLineBytes = 59;

    enum Field { Top, Bottom, Name, FieldCount };
    enum Column { ColTop = 1, ColBottom, ColName };

    StrataEditor(TextTable& table, std::vector<std::string> divisions, Prompter& prompter, KeyOptions keys);

    static Config strataConfig();
    // The division names of the strata master; a missing file shows its message and gives none.
    static std::vector<std::string> loadDivisions(const std::string& path, Prompter& prompter);
    // The bottom depth as stored: "%.2f" when a "." is followed by at most two characters.
    static std::string bottomText(const std::string& bottom);

    const std::vector<std::string>& divisions() const { return m_divisions; }
    // A pick from the division list puts the name into its field.
    void pickDivision(int index);

protected:
    bool loadTableRow(int tableRow, ListRow& row) override;
    void writeTableRow(int tableRow, const ListRow& row) override;
    void clearTableRow(int tableRow) override;
    bool validate(const ListRow& buffer, bool showMessages) override;

private:
    TextTable& m_table;
    std::vector<std::string> m_divisions;
};

} // namespace qc
