#pragma once
// The groundwater level dialog ("孔内水位") over WaterLevelTable: signed levels
// with their sign rule, the "o"/"." display cells and the position number as
// option columns, rows kept in the order the user gives them, and duplicates
// reported for equal level and date.

#include "dialogs/listeditor.h"

#include <string>
#include <vector>

namespace qc {

class TextTable;

class WaterLevelEditor : public ListEditor
{
public:
    static constexpr int kRowLimit = 50;

    enum Field { Level, Date, Remark, FieldCount };
    enum Column { ColLevel = 1, ColLevelShown, ColDate, ColDateShown, ColRemark, ColPosition };
    // The radio group "表示位置".
    enum Position { Standard, UpperLeft, LowerLeft };

    WaterLevelEditor(TextTable& table, Prompter& prompter, KeyOptions keys);

    static Config waterLevelConfig();
    // Items of the remark combo.
    static const std::vector<std::string>& remarkItems();
    // A level that is not empty and carries no sign is below ground: "-" is put before it.
    static std::string applySign(const std::string& level);
    // The display flags word of a row as stored in column 4.
    static int flagsWord(const ListRow& row);

    // The check boxes "表示" under the level and the date, and the position.
    bool levelShown() const { return m_levelShown; }
    bool dateShown() const { return m_dateShown; }
    Position position() const { return m_position; }
    void setLevelShown(bool on);
    void setDateShown(bool on);
    void setPosition(Position p);

protected:
    bool loadTableRow(int tableRow, ListRow& row) override;
    void writeTableRow(int tableRow, const ListRow& row) override;
    void clearTableRow(int tableRow) override;
    void writeBack() override;
    bool validate(const ListRow& buffer, bool showMessages) override;
    void prepareBuffer(ListRow& buffer) override;
    void optionsToBuffer(ListRow& buffer) const override;
    void optionsFromRow(const ListRow& row) override;
    void resetOptions() override;
    void optionFromCell(int col, const ListRow& row) override;
    std::string cellCommitText(int col, const std::string& text) override;
    void afterCellCommit(int r, int col) override;
    void onFieldLeft(int i) override;

private:
    TextTable& m_table;
    bool m_levelShown = true;
    bool m_dateShown = true;
    Position m_position = Standard;
    // The level last warned about by the silent live update, so that typing in
    // another field does not repeat the same warning at every key.
    std::string m_warnedLevel;
};

} // namespace qc
