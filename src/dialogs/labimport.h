#pragma once
// "試験結果の読み込み": a laboratory table matched to the log, shown as a
// preview of old and new values, and written into SampleTable (and, when
// ticked, new tests into TestNameTable) only by apply(). Filling empty cells
// is the default; overwriting replaces values that differ. A blank in the
// table never clears a value of the log.

#include "labtable/labmatch.h"
#include "labtable/labnames.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qc {

struct Document;
class FileChooser;
class Prompter;

class LabImportModel
{
public:
    // A value longer than this is not written: the log's sample lines stay readable.
    static constexpr size_t kValueLimit = 40;

    enum class CellState {
        None,      // nothing to bring: blank in the table, or a test not added
        Fill,      // an empty cell gets the value
        Same,      // the log already holds it
        Conflict,  // the log holds another value, kept (fill mode)
        Overwrite, // the log holds another value, replaced (overwrite mode)
        TooLong    // longer than kValueLimit, not written
    };
    struct Cell
    {
        std::string oldValue; // CP932
        std::string newValue; // CP932
        CellState state = CellState::None;
    };
    struct Summary
    {
        int filled = 0, overwritten = 0, same = 0, conflicts = 0, tooLong = 0;
        int testsAdded = 0;
    };

    // match was made against doc's TestNameTable and SampleTable.
    LabImportModel(const Document& doc, LabMatch match, const TestAliases& aliases);

    bool overwrite() const { return m_overwrite; }
    void setOverwrite(bool on) { m_overwrite = on; }
    bool addMissingTests() const { return m_addMissing; }
    void setAddMissingTests(bool on) { m_addMissing = on; }
    // Columns of tests the log lacks, and whether a free TestNameTable row waits for each.
    int missingTests() const;
    int missingWithoutRoom() const;

    const LabMatch& match() const { return m_match; }

    // The preview: the matched rows by the test columns (the log's tests, then the missing ones).
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    std::string rowTitle(int r) const;    // "S-1  0.05-0.50"
    std::string columnTitle(int c) const; // the test name, "(追加)" or "(未登録)" after a missing one
    std::string columnUnit(int c) const;
    Cell cell(int r, int c) const;

    Summary summary() const;
    // True when the table left anything aside: unknown columns, unmatched rows,
    // missing tests not added, values too long.
    bool anythingUnmatched() const;
    // The report: counts, then every conflict, unknown column and unmatched row (CP932, LF lines).
    std::string report() const;

    // Writes the values (and the new tests when ticked). Returns whether the
    // document changed; the caller sets the modified flag.
    bool apply(Document& doc) const;

private:
    struct Target
    {
        size_t column = 0; // index into m_match.columns
        int test = 0;      // TestNameTable row; for a missing test the free row it would take, 0 for none
        bool missing = false;
        std::string name; // CP932: the test name shown (the alias table's first name for a missing one)
    };
    int testOf(const Target& t) const { return t.missing && !m_addMissing ? 0 : t.test; }

    const Document& m_doc;
    LabMatch m_match;
    std::vector<size_t> m_rows; // indexes of matched rows in m_match.rows
    std::vector<Target> m_columns;
    std::vector<std::string> m_duplicates; // CP932 headers of a second column of one test
    bool m_overwrite = false;
    bool m_addMissing = false;
};

// Where the alias table is: the install folder's, else the bundled copy.
struct LabImportPaths
{
    std::string aliases;
    std::string bundledAliases;
};

// The dialog's state around the model: the chosen file, its sheets, the
// alias table, and a fresh match whenever another sheet is chosen. Every
// message goes through the prompter; the document changes only by apply().
class LabImportSession
{
public:
    LabImportSession(const Document& doc, Prompter& prompter, const LabImportPaths& paths);

    // The file chooser for "試験結果の読み込み", in the log's folder; nothing after a cancel.
    static std::optional<std::string> chooseFile(FileChooser& chooser, const std::string& logPath);
    // Reads and matches the file (the first sheet); false after its message.
    [[nodiscard]] bool open(const std::string& path);
    // Another sheet of the book; false after its message (the previous one stays).
    [[nodiscard]] bool chooseSheet(const std::string& sheet);

    const std::string& path() const { return m_path; }
    const std::vector<std::string>& sheetNames() const { return m_sheetNames; }
    const std::string& sheetName() const { return m_sheetName; }
    // A note to show beside the preview (a missing alias table, characters without a CP932 form).
    const std::string& notice() const { return m_notice; }
    LabImportModel& model() { return *m_model; }
    const LabImportModel& model() const { return *m_model; }
    bool hasModel() const { return m_model != nullptr; }

    // OK: writes the values. Returns whether the document changed.
    bool apply(Document& doc) const { return m_model && m_model->apply(doc); }

private:
    bool load(const std::string& sheet);

    const Document& m_doc;
    Prompter& m_prompter;
    std::string m_aliasProblem; // before m_aliases, which fills it
    TestAliases m_aliases;
    std::string m_path;
    std::vector<std::string> m_sheetNames;
    std::string m_sheetName;
    std::string m_notice;
    std::unique_ptr<LabImportModel> m_model;
};

// "A", "B", ... "AA": the spreadsheet name of a column counted from 0.
std::string spreadsheetColumnName(size_t column);

} // namespace qc
