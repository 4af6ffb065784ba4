#pragma once
// The test data input dialog ("試験データ入力") over SampleTable: the samples by
// top depth with their grain sizes, and for one test G its value at each
// sample, whether its graph line is joined to the previous depth, and the
// shift of its printed value. The other tests' values and the attribute masks
// travel through hidden, comma-joined list columns so that the sorted
// write-back keeps them with their sample.

#include "dialogs/listeditor.h"

#include <string>

namespace qc {

class TextTable;
struct TestDataRequest;

class TestDataEditor : public ListEditor
{
public:
    static constexpr int kRowLimit = 100;

    enum Field {
        Top,
        Bottom,
        Number,
        Method,
        Value,
        Shift,
        Gravel,
        Sand,
        Silt,
        Clay,
        Tests1,
        Tests2,
        Tests3,
        Mask1,
        Mask2,
        Mask3,
        FieldCount
    };
    enum Column {
        ColTop = 1,
        ColBottom,
        ColNumber,
        ColMethod,
        ColValue,
        ColNoJoin,
        ColShift,
        ColGravel, // to ColClay
        ColClay = 11,
        ColTests1,
        ColTests2,
        ColTests3,
        ColMask1,
        ColMask2,
        ColMask3
    };

    // Fills the scratch column 60 with the test's shifts; open() then reads the table.
    TestDataEditor(TextTable& samples, const TestDataRequest& test, Prompter& prompter, KeyOptions keys);

    static Config testDataConfig(int test);
    static const std::vector<std::string>& methodItems();

    int test() const { return m_test; }
    const std::string& testName() const { return m_name; }
    const std::string& testUnit() const { return m_unit; }
    std::string testLabel() const; // "No.%d"

    // Check 1000 "前深度と結ばない".
    bool noJoin() const { return m_noJoin; }
    void setNoJoin(bool on);

    // After OK: the display attributes of the test, "%d:%s," per written row.
    const std::string& newShifts() const { return m_newShifts; }

protected:
    bool loadTableRow(int tableRow, ListRow& row) override;
    void writeTableRow(int tableRow, const ListRow& row) override;
    void clearTableRow(int tableRow) override;
    void writeBack() override;
    std::string writeBackDepthText(const std::string& depth) const override;
    bool validate(const ListRow& buffer, bool showMessages) override;
    void optionsToBuffer(ListRow& buffer) const override;
    void optionsFromRow(const ListRow& row) override;
    void resetOptions() override;
    void optionFromCell(int col, const ListRow& row) override;

private:
    TextTable& m_table;
    int m_test;
    std::string m_name;
    std::string m_unit;
    bool m_noJoin = false;
    std::string m_newShifts;
};

// The entries "row:shift," of a display-attribute text, in order.
std::vector<std::pair<int, std::string>> parseShifts(const std::string& shifts);

} // namespace qc
