#include "dialogs/labimport.h"

#include "app/docflows.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "labtable/labnames.h"
#include "platform/filechooser.h"
#include "platform/prompter.h"

#include <set>

namespace qc {

namespace {

std::string lineNumber(size_t row)
{
    return std::to_string(row + 1);
}

} // namespace

std::string spreadsheetColumnName(size_t column)
{
    std::string name;
    for (size_t n = column + 1; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

LabImportModel::LabImportModel(const Document& doc, LabMatch match, const TestAliases& aliases)
    : m_doc(doc), m_match(std::move(match))
{
    for (size_t i = 0; i < m_match.rows.size(); ++i)
        if (m_match.rows[i].sample > 0) m_rows.push_back(i);

    std::set<int> tests, groups;
    std::vector<Target> missing;
    for (size_t i = 0; i < m_match.columns.size(); ++i) {
        const LabColumn& col = m_match.columns[i];
        if (col.kind == LabColumnKind::Unknown) continue;
        const bool second = col.kind == LabColumnKind::Test ? !tests.insert(col.test).second
                                                            : !groups.insert(col.aliasGroup).second;
        if (second) {
            m_duplicates.push_back(col.header);
            continue;
        }
        Target t;
        t.column = i;
        if (col.kind == LabColumnKind::Test) {
            t.test = col.test;
            t.name = doc.TestNameTable(col.test, TestCol::Name);
            m_columns.push_back(t);
        } else {
            t.missing = true;
            t.name = aliases.canonical(col.aliasGroup);
            missing.push_back(t);
        }
    }
    // Missing tests take the free rows of TestNameTable in order.
    int next = 1;
    for (Target& t : missing) {
        while (next <= limits::TestName && NumericTest(doc.TestNameTable(next, TestCol::Name)) != -1) ++next;
        t.test = next <= limits::TestName ? next++ : 0;
        m_columns.push_back(t);
    }
}

int LabImportModel::missingTests() const
{
    int n = 0;
    for (const Target& t : m_columns) n += t.missing;
    return n;
}

int LabImportModel::missingWithoutRoom() const
{
    int n = 0;
    for (const Target& t : m_columns) n += t.missing && t.test == 0;
    return n;
}

std::string LabImportModel::rowTitle(int r) const
{
    const LabRow& row = m_match.rows[m_rows[static_cast<size_t>(r)]];
    const int s = row.sample;
    std::string title = m_doc.SampleTable(s, SampleCol::Number);
    const std::string& top = m_doc.SampleTable(s, SampleCol::Top);
    const std::string& bottom = m_doc.SampleTable(s, SampleCol::Bottom);
    if (!title.empty()) title += "  ";
    title += top;
    if (NumericTest(bottom) != -1) title += "-" + bottom;
    return title;
}

std::string LabImportModel::columnTitle(int c) const
{
    const Target& t = m_columns[static_cast<size_t>(c)];
    if (!t.missing) return t.name;
    if (t.test == 0) return t.name + QC_SJ("（空き無し）");
    return t.name + (m_addMissing ? QC_SJ("（追加）") : QC_SJ("（未登録）"));
}

std::string LabImportModel::columnUnit(int c) const
{
    const Target& t = m_columns[static_cast<size_t>(c)];
    const std::string& fileUnit = m_match.columns[t.column].unit;
    if (t.missing || !fileUnit.empty()) return fileUnit;
    return m_doc.TestNameTable(t.test, TestCol::Unit);
}

LabImportModel::Cell LabImportModel::cell(int r, int c) const
{
    const LabRow& row = m_match.rows[m_rows[static_cast<size_t>(r)]];
    const Target& t = m_columns[static_cast<size_t>(c)];
    Cell cell;
    cell.newValue = row.values[t.column];
    const int test = testOf(t);
    if (test > 0) cell.oldValue = m_doc.SampleTable(row.sample, SampleCol::test(test));
    if (test == 0 || NumericTest(cell.newValue) == -1) return cell;
    if (cell.newValue.size() > kValueLimit) {
        cell.state = CellState::TooLong;
    } else if (cell.oldValue == cell.newValue) {
        cell.state = CellState::Same;
    } else if (NumericTest(cell.oldValue) == -1) {
        cell.state = CellState::Fill;
    } else {
        cell.state = m_overwrite ? CellState::Overwrite : CellState::Conflict;
    }
    return cell;
}

LabImportModel::Summary LabImportModel::summary() const
{
    Summary s;
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            switch (cell(r, c).state) {
            case CellState::Fill:
                ++s.filled;
                break;
            case CellState::Overwrite:
                ++s.overwritten;
                break;
            case CellState::Same:
                ++s.same;
                break;
            case CellState::Conflict:
                ++s.conflicts;
                break;
            case CellState::TooLong:
                ++s.tooLong;
                break;
            case CellState::None:
                break;
            }
        }
    if (m_addMissing)
        for (const Target& t : m_columns) s.testsAdded += t.missing && t.test > 0;
    return s;
}

bool LabImportModel::anythingUnmatched() const
{
    for (const LabColumn& col : m_match.columns)
        if (col.kind == LabColumnKind::Unknown) return true;
    for (const LabRow& row : m_match.rows)
        if (row.sample == 0) return true;
    for (const Target& t : m_columns)
        if (t.missing && testOf(t) == 0) return true;
    return !m_duplicates.empty() || summary().tooLong > 0;
}

std::string LabImportModel::report() const
{
    const Summary s = summary();
    std::string out;
    auto line = [&](const std::string& text) { out += text + "\n"; };
    const auto n = [](int v) { return std::to_string(v); };
    line(QC_SJ("見出し行: ") + lineNumber(m_match.headerRow) + QC_SJ(" 行目") +
         (m_match.unitRow ? QC_SJ("（次の行は単位）") : std::string()));
    int byDepth = 0;
    for (size_t i : m_rows) byDepth += m_match.rows[i].byDepth;
    line(QC_SJ("照合した試料: ") + n(rowCount()) + QC_SJ("（うち深度で ") + n(byDepth) + QC_SJ("）、試験: ") +
         n(columnCount() - missingTests()) +
         (missingTests() ? QC_SJ("、ログにない試験: ") + n(missingTests()) : ""));
    line(QC_SJ("空欄に記入: ") + n(s.filled) + QC_SJ("、上書き: ") + n(s.overwritten) + QC_SJ("、同じ値: ") +
         n(s.same) + QC_SJ("、既存の値と異なり残したもの: ") + n(s.conflicts));
    if (s.testsAdded) line(QC_SJ("試験名に追加: ") + n(s.testsAdded));

    std::string conflicts, tooLong;
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            const Cell cl = cell(r, c);
            const std::string where =
                "  " + rowTitle(r) + " " + m_columns[static_cast<size_t>(c)].name + ": ";
            if (cl.state == CellState::Conflict || cl.state == CellState::Overwrite)
                conflicts += where + cl.oldValue + QC_SJ(" → ") + cl.newValue +
                             (cl.state == CellState::Conflict ? QC_SJ("（残した）") : QC_SJ("（上書き）")) +
                             "\n";
            if (cl.state == CellState::TooLong) tooLong += where + cl.newValue + "\n";
        }
    if (!conflicts.empty()) out += QC_SJ("既存の値と異なるもの:\n") + conflicts;
    if (!tooLong.empty())
        out += QC_SJ("長すぎて書き込まなかった値（") + n(static_cast<int>(kValueLimit)) +
               QC_SJ(" バイトまで）:\n") + tooLong;

    std::string unknown;
    for (const LabColumn& col : m_match.columns)
        if (col.kind == LabColumnKind::Unknown)
            unknown += "  " + spreadsheetColumnName(col.column) + QC_SJ(" 列 ") + col.header + "\n";
    for (const std::string& header : m_duplicates)
        unknown += "  " + header + QC_SJ("（同じ試験の列が前にもあります）\n");
    if (!unknown.empty()) out += QC_SJ("読み込まなかった列:\n") + unknown;

    std::string missing;
    for (const Target& t : m_columns)
        if (t.missing && testOf(t) == 0)
            missing += "  " + t.name +
                       (t.test == 0 ? QC_SJ("（試験名の空きがありません）")
                                    : QC_SJ("（試験名への追加が選ばれていません）")) +
                       "\n";
    if (!missing.empty()) out += QC_SJ("ログにない試験:\n") + missing;

    std::string rows;
    for (const LabRow& row : m_match.rows)
        if (row.sample == 0)
            rows += "  " + lineNumber(row.row) + QC_SJ(" 行目 ") + row.label + ": " + row.reason + "\n";
    if (!rows.empty()) out += QC_SJ("照合できなかった行:\n") + rows;
    return out;
}

bool LabImportModel::apply(Document& doc) const
{
    bool changed = false;
    for (const Target& t : m_columns) {
        if (!t.missing || testOf(t) == 0) continue;
        doc.TestNameTable(t.test, TestCol::Name) = t.name;
        doc.TestNameTable(t.test, TestCol::Unit) = m_match.columns[t.column].unit;
        changed = true;
    }
    for (int r = 0; r < rowCount(); ++r) {
        const int sample = m_match.rows[m_rows[static_cast<size_t>(r)]].sample;
        for (int c = 0; c < columnCount(); ++c) {
            const Cell cl = cell(r, c);
            if (cl.state != CellState::Fill && cl.state != CellState::Overwrite) continue;
            doc.SampleTable(sample, SampleCol::test(testOf(m_columns[static_cast<size_t>(c)]))) = cl.newValue;
            changed = true;
        }
    }
    return changed;
}

LabImportSession::LabImportSession(const Document& doc, Prompter& prompter, const LabImportPaths& paths)
    : m_doc(doc), m_prompter(prompter),
      m_aliases(loadTestAliases(paths.aliases, paths.bundledAliases, m_aliasProblem))
{
}

std::optional<std::string> LabImportSession::chooseFile(FileChooser& chooser, const std::string& logPath)
{
    FileDialogRequest request;
    if (!logPath.empty()) request.initialFolder = folderOf(logPath);
    request.filter = QC_SJ("試験結果(*.csv;*.tsv;*.txt;*.xlsx)|*.csv;*.tsv;*.txt;*.xlsx|すべて(*.*)|*.*||");
    request.defaultExtension = "csv";
    std::optional<std::string> chosen = chooser.choose(request);
    if (!chosen || chosen->empty()) return std::nullopt;
    return chosen;
}

bool LabImportSession::open(const std::string& path)
{
    m_path = path;
    return load({});
}

bool LabImportSession::chooseSheet(const std::string& sheet)
{
    return load(sheet);
}

bool LabImportSession::load(const std::string& sheet)
{
    const LabReadResult table = readLabTableFile(m_path, sheet);
    if (!table.ok) {
        m_prompter.message(table.error);
        return false;
    }
    LabMatch match = matchLabSheet(table.sheet, m_doc, m_aliases);
    if (!match.ok) {
        m_prompter.message(match.error);
        return false;
    }
    const bool overwrite = m_model && m_model->overwrite();
    const bool addMissing = m_model && m_model->addMissingTests();
    m_model = std::make_unique<LabImportModel>(m_doc, std::move(match), m_aliases);
    m_model->setOverwrite(overwrite);
    m_model->setAddMissingTests(addMissing);
    m_sheetNames = table.sheet.sheetNames;
    m_sheetName = table.sheet.sheetName;
    m_notice = m_aliasProblem;
    if (table.sheet.lossyText) {
        if (!m_notice.empty()) m_notice += "\n";
        m_notice += QC_SJ("シフトJISにない文字を「?」にしました");
    }
    return true;
}

} // namespace qc
