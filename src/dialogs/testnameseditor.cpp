#include "dialogs/testnameseditor.h"

#include "dialogs/chemimport.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/colourchooser.h"
#include "platform/files.h"
#include "platform/prompter.h"

#include <cstdio>

namespace qc {

namespace {

// List column c shows table column c - 1.
constexpr int listColumn(int tableColumn)
{
    return tableColumn + 1;
}

std::string hexColour(uint32_t v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%06x", static_cast<unsigned>(v));
    return buf;
}

} // namespace

ListEditor::Config TestNamesEditor::testNamesConfig()
{
    Config c;
    c.rowLimit = kRows;
    c.fieldCount = FieldCount;
    c.depthField = Name; // the field that gets the focus; the key is the No. column
    c.keyWord = "No.";
    c.columns = {
        {"No.", 34, 0, No},
        {QC_SJ("試験名"), 196, 1, Name},
        {QC_SJ("単位"), 60, 1, Unit},
        {QC_SJ("記事"), 110, 1, Remark},
        {QC_SJ("基準値"), 60, 1, Reference},
        {QC_SJ("下限値"), 60, 1, LowerLimit},
        {QC_SJ("ｼﾝﾎﾞﾙ"), 44, 1, Symbol},
        {QC_SJ("ｻｲｽﾞ"), 44, 1, Size},
        {QC_SJ("折れ線"), 48, 1, LineWidth},
        {QC_SJ("色(RGB)"), 76, 2, Colour},
        {QC_SJ("表示属性"), 90, 0, Shifts},
    };
    return c;
}

const std::vector<std::string>& TestNamesEditor::symbolItems()
{
    static const std::vector<std::string> items = {QC_SJ("●"), QC_SJ("○"), QC_SJ("×"), QC_SJ("▲"),
                                                   QC_SJ("△"), QC_SJ("■"), QC_SJ("□")};
    return items;
}

std::string TestNamesEditor::normaliseColour(const std::string& text)
{
    if (text.empty()) return {};
    return hexColour(static_cast<uint32_t>(parseAutoBase(text)));
}

TestNamesEditor::TestNamesEditor(TextTable& testNames, Prompter& prompter, KeyOptions keys,
                                 std::string memoPath, std::string defaultDocumentPath)
    // All 48 rows are always in use: the list opens at its top.
    : ListEditor(testNamesConfig(), prompter, KeyOptions{keys.enterKeyMode, false}), m_table(testNames),
      m_memoPath(std::move(memoPath)), m_defaultPath(std::move(defaultDocumentPath))
{
}

void TestNamesEditor::open()
{
    ListEditor::open();
    // Row 1 is current, but no row is loaded or selected for the test data input.
    setCurrentRow(1, false);
    setSelectedRow(0);
}

// ---- the table

bool TestNamesEditor::loadTableRow(int tableRow, ListRow& row)
{
    m_table(tableRow, TestCol::Number) = std::to_string(tableRow);
    for (int c = TestCol::Number; c <= TestCol::Shifts; ++c) row[listColumn(c)] = m_table(tableRow, c);
    return true;
}

void TestNamesEditor::writeTableRow(int tableRow, const ListRow& row)
{
    m_table(tableRow, TestCol::Number) = std::to_string(tableRow);
    for (int c = TestCol::Name; c <= TestCol::Shifts; ++c) m_table(tableRow, c) = row[listColumn(c)];
    m_table(tableRow, TestCol::Colour) = normaliseColour(row[listColumn(TestCol::Colour)]);
}

void TestNamesEditor::clearTableRow(int tableRow)
{
    for (int c = TestCol::Name; c <= TestCol::Shifts; ++c) m_table(tableRow, c).clear();
}

void TestNamesEditor::writeBack()
{
    // The 48 rows stay where they are: row r is test r.
    for (int r = 1; r <= kRows; ++r) writeTableRow(r, row(r));
}

// ---- checks and the live update

bool TestNamesEditor::validate(const ListRow& buffer, bool showMessages)
{
    const std::string& no = buffer[listColumn(TestCol::Number)];
    if (buffer.blank() || no.empty() || !isNumeric(no)) {
        if (showMessages) message(QC_SJ("データが無い、または不正です."));
        return false;
    }
    double n = cellDouble(no);
    if (n < 0 || n > kRows) {
        if (showMessages) message(QC_SJ("数値が異常です"));
        return false;
    }
    // The silent check of the live update leaves this out: a test without a
    // unit (pH) must stay editable, and emptying a name must reach the row.
    if (showMessages &&
        (buffer[listColumn(TestCol::Name)].empty() || buffer[listColumn(TestCol::Unit)].empty())) {
        message(QC_SJ("データがありません"));
        return false;
    }
    return true;
}

bool TestNamesEditor::liveUpdateAccepts(const ListRow& buffer, const ListRow& current) const
{
    const std::string& cell = current[listColumn(TestCol::Number)];
    return !isNumeric(cell) || depthsEqual(cell, buffer[listColumn(TestCol::Number)]);
}

void TestNamesEditor::onFieldChanged(int i)
{
    if (i == Colour) colourFromField();
    liveUpdate();
}

void TestNamesEditor::onFieldLeft(int i)
{
    if (i == Colour) colourFromField();
}

void TestNamesEditor::afterCellCommit(int, int col)
{
    if (col == listColumn(TestCol::Colour)) colourFromField();
}

bool TestNamesEditor::canEditCell(int col)
{
    // The row numbers are fixed.
    return col != listColumn(TestCol::Number);
}

std::string TestNamesEditor::cellCommitText(int col, const std::string& text)
{
    // The Enter walk reaches a row at its No. cell: whatever is typed there, the number stays.
    return col == listColumn(TestCol::Number) ? std::to_string(currentRow()) : text;
}

void TestNamesEditor::optionsFromRow(const ListRow&)
{
    colourFromField();
}

void TestNamesEditor::colourFromField()
{
    m_colour = static_cast<uint32_t>(parseAutoBase(field(Colour)));
}

// ---- buttons

void TestNamesEditor::chooseColour(ColourChooser& chooser)
{
    std::optional<uint32_t> chosen = chooser.choose(m_colour);
    if (!chosen) return;
    m_colour = *chosen & 0xffffffu;
    fieldRef(Colour) = hexColour(m_colour);
    liveUpdate();
}

void TestNamesEditor::copyReferenceToRemark()
{
    fieldRef(Remark) = field(Reference);
    liveUpdate();
}

void TestNamesEditor::overwrite()
{
    if (currentRow() < 1 || currentRow() > kRows) {
        message(QC_SJ("上書きできません. 指定行が範囲外です."));
        return;
    }
    ListRow buffer = buildBuffer();
    if (!validate(buffer, true)) return;
    int target = 0;
    for (int r = 1; r <= kRows && !target; ++r) {
        const std::string& cell = row(r)[listColumn(TestCol::Number)];
        if (isNumeric(cell) && depthsEqual(cell, buffer[listColumn(TestCol::Number)])) target = r;
    }
    if (!target) {
        message(QC_SJ("上書きできません、同じ ") + keyWord() + QC_SJ(" がありません."));
        return;
    }
    mutableRow(target) = buffer;
    ensureVisible(target);
    clearControls();
    m_colour = 0;
    setSelectedRow(0);
    setCurrentRow(0, false);
    setModified();
}

std::optional<TestDataRequest> TestNamesEditor::dataInputRequest()
{
    int r = currentRow();
    if (r < 1 || r > kRows || !rowLoaded()) {
        message(QC_SJ("試験を画面中央の一覧リスト表から選択して下さい. "));
        return std::nullopt;
    }
    TestDataRequest req;
    req.test = r;
    req.name = row(r)[listColumn(TestCol::Name)];
    req.unit = row(r)[listColumn(TestCol::Unit)];
    req.shifts = row(r)[listColumn(TestCol::Shifts)];
    return req;
}

void TestNamesEditor::dataInputDone(const std::string& shifts)
{
    fieldRef(Shifts) = shifts;
    liveUpdate();
    // The samples have been written already: their shifts reach the row even
    // when the live update is held back by another No. in the field.
    int r = currentRow();
    if (r >= 1 && r <= kRows && row(r)[listColumn(TestCol::Shifts)] != shifts) {
        mutableRow(r)[listColumn(TestCol::Shifts)] = shifts;
        setModified();
    }
    // The document keeps them too: cancelling this dialog must not pair the
    // new samples with the old shifts.
    if (r >= 1 && r <= kRows) m_table(r, TestCol::Shifts) = shifts;
}

void TestNamesEditor::replaceRows(const TestNameRows& rows)
{
    for (int r = 1; r <= kRows; ++r) {
        ListRow& target = mutableRow(r);
        target[listColumn(TestCol::Number)] = std::to_string(r);
        for (int c = TestCol::Name; c <= TestCol::Shifts; ++c)
            target[listColumn(c)] = rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
    }
    clearControls();
    m_colour = 0;
    setSelectedRow(0);
    setCurrentRow(1, false);
    setModified();
}

void TestNamesEditor::importFromDocument(FileChooser& chooser)
{
    if (std::optional<std::string> bytes = chooseDocumentForImport(m_memoPath, chooser, prompter()))
        replaceRows(readTestNameSection(*bytes));
}

void TestNamesEditor::resetToDefault()
{
    std::string bytes;
    if (!readFileBytes(m_defaultPath, bytes)) {
        message(importFileMissingMessage(m_defaultPath));
        return;
    }
    replaceRows(readTestNameSection(bytes));
}

} // namespace qc
