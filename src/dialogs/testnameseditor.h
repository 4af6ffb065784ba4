#pragma once
// The test names and graph symbols dialog ("試験名 グラフシンボル等の設定") over
// TestNameTable: 48 fixed rows edited through the fields and the in-cell
// editor (no add or delete), the live update guarded by the No. field, the
// colour chooser, "↑コピー", the import of another document's test list, the
// reset to the default document's list, and the hand-over of one test to the
// test data input. HeaderTable 49 and 50 travel in TestDataDialogData.

#include "dialogs/listeditor.h"
#include "dialogs/testdatatypes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace qc {

class ColourChooser;
class FileChooser;
class TextTable;

class TestNamesEditor : public ListEditor
{
public:
    static constexpr int kRows = 48;

    // Edit fields, in the order of the list columns 1 to 11.
    enum Field {
        No,
        Name,
        Unit,
        Remark,
        Reference,
        LowerLimit,
        Symbol,
        Size,
        LineWidth,
        Colour,
        Shifts,
        FieldCount
    };

    TestNamesEditor(TextTable& testNames, Prompter& prompter, KeyOptions keys, std::string memoPath,
                    std::string defaultDocumentPath);

    static Config testNamesConfig();
    // Opens the list; row 1 is current but no row is loaded into the fields.
    void open();
    // The items of the symbol combo, "●" to "□".
    static const std::vector<std::string>& symbolItems();
    // An empty text stays empty, anything else is parsed with an automatic base and written "0x%06x".
    static std::string normaliseColour(const std::string& text);

    TestDataDialogData data;

    // The colour of the colour field (0x00BBGGRR).
    uint32_t colour() const { return m_colour; }
    // "色": the chooser opens with the current colour; a chosen one is written "0x%06x".
    void chooseColour(ColourChooser& chooser);
    // "↑コピー": the reference value into the remark field.
    void copyReferenceToRemark();
    // "上書き →" (hidden in the dialog): rewrites the row named by the No. field.
    void overwrite() override;
    void add() override {}
    void deleteRow() override {}

    // "データ入力": the test of the row loaded into the fields, or the message and nothing.
    std::optional<TestDataRequest> dataInputRequest();
    // The test data input closed with OK: its display attributes replace the hidden field.
    void dataInputDone(const std::string& shifts);

    // "既存ファイルを開く" and "初期設定に戻す".
    void importFromDocument(FileChooser& chooser);
    void resetToDefault();

protected:
    bool loadTableRow(int tableRow, ListRow& row) override;
    void writeTableRow(int tableRow, const ListRow& row) override;
    void clearTableRow(int tableRow) override;
    void writeBack() override;
    bool validate(const ListRow& buffer, bool showMessages) override;
    bool liveUpdateAccepts(const ListRow& buffer, const ListRow& current) const override;
    void onFieldChanged(int i) override;
    void onFieldLeft(int i) override;
    void afterCellCommit(int r, int col) override;
    bool canEditCell(int col) override;
    std::string cellCommitText(int col, const std::string& text) override;
    void optionsFromRow(const ListRow& row) override;

private:
    void replaceRows(const std::array<std::array<std::string, 11>, 49>& rows);
    void colourFromField();

    TextTable& m_table;
    std::string m_memoPath;
    std::string m_defaultPath;
    uint32_t m_colour = 0;
};

} // namespace qc
