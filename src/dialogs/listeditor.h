#pragma once
// The editing scheme shared by the depth-keyed list dialogs: a list of RowLimit
// rows that mirrors a table, edit fields for one row, add / overwrite / delete /
// move, an in-cell editor over the list and the write-back on OK.
//
// A dialog derives from ListEditor and supplies its columns (Config), its extra
// checks (validate), its option controls (optionsToBuffer, optionsFromRow,
// resetOptions, optionFromCell) and its table (loadTableRow, writeTableRow,
// clearTableRow, or writeBack as a whole). Every rule and message lives here;
// the widget only shows the state and forwards the user's actions.
//
// Rows and columns are 1-based, as in the tables. Texts are CP932 bytes.

#include "document/textformat.h" // DepthFormat, formatDepth

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qc {

class Prompter;
class Settings;

// How the data-entry dialogs treat the Enter key and where their lists open.
struct KeyOptions
{
    int enterKeyMode = 0; // 0 presses OK, 1 moves to the next control, 2 swallowed
    bool scrollToLastRow = false;
};
KeyOptions keyOptionsFrom(const Settings& settings);

// Two depth texts are equal when their values differ by less than 0.000001.
bool depthsEqual(std::string_view a, std::string_view b);
// Write-back rule: formatted when the text has no "." or at most two characters
// after its first "."; with more decimals it is kept as typed.
std::string writeBackDepth(std::string_view text, DepthFormat format = DepthFormat::Fixed2);

// One row of the list: a text per column, 1-based.
class ListRow
{
public:
    ListRow() = default;
    explicit ListRow(int columns) : m_cells(static_cast<size_t>(columns)) {}
    int size() const { return static_cast<int>(m_cells.size()); }
    std::string& operator[](int col) { return m_cells[index(col)]; }
    const std::string& operator[](int col) const { return m_cells[index(col)]; }
    // No cell holds text.
    bool blank() const;
    bool operator==(const ListRow&) const = default;

private:
    size_t index(int col) const;
    std::vector<std::string> m_cells;
    static std::string s_none;
};

struct ListColumn
{
    std::string title;   // CP932
    int width = 0;       // pixels
    int inCellKind = 1;  // 0: skipped by the Enter walk of the in-cell editor
    int field = -1;      // the edit field bound to the column, -1 for an option column
    bool visible = true; // false: carried with the row but not shown
};

// Collects the entries of a duplicate message: one heading line, then the first
// six duplicates, and none once the text is longer than 299 bytes.
class DuplicateReport
{
public:
    explicit DuplicateReport(const std::string& heading);
    void add(const std::string& entry);
    bool any() const { return m_found > 0; }
    int found() const { return m_found; }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
    int m_found = 0;
};

// Where the in-cell editor goes across its cell (x in list coordinates).
struct EditorSpan
{
    int x = 0;
    int width = 0;
    bool operator==(const EditorSpan&) const = default;
};
// left = cell left + 3, width = the column width cut so that the right edge stays
// within the list width minus 3, minus 20 more when the rows fill a page (the
// vertical scroll bar); nothing under 5 pixels.
std::optional<EditorSpan> placeCellEditor(int cellLeft, int columnWidth, int listWidth, bool rowsFillPage);

enum class CellKey { Enter, Up, Down, Tab, Escape };
enum class PointerArea { Editor, List, Dialog, Outside };
enum class EnterAction { PressOk, NextControl, Swallow };
// What Enter does outside an in-cell editor, by the key options.
EnterAction enterActionFor(const KeyOptions& keys);

// What should have the keyboard focus after an operation.
struct FocusRequest
{
    enum Kind { None, List, Field, Editor } kind = None;
    int field = -1;
    bool operator==(const FocusRequest&) const = default;
};

class ListEditor
{
public:
    struct Config
    {
        int rowLimit = 0;
        std::vector<ListColumn> columns;
        int fieldCount = 0; // edit fields, bound to a column or not
        DepthFormat depthFormat = DepthFormat::Fixed2;
        int depthField = 0;  // the first depth field (bound to column 1)
        std::string keyWord; // %1 of the duplicate and overwrite messages; "深度" when empty
    };

    ListEditor(Config config, Prompter& prompter, KeyOptions keys);
    virtual ~ListEditor() = default;
    ListEditor(const ListEditor&) = delete;
    ListEditor& operator=(const ListEditor&) = delete;

    // Opening: reads the table into the list; the current row is the row after
    // the last loaded one. applyOpeningScroll runs once the page size is known.
    void open();
    void applyOpeningScroll();

    // Geometry of the list as the widget shows it.
    void setPageRows(int rows);
    int pageRows() const { return m_pageRows; }
    void scrollTo(int topRow);
    int topRow() const { return m_topRow; }
    void setListWidth(int pixels) { m_listWidth = pixels; }
    // Left edge of a column in list coordinates; by default the sum of the widths before it.
    void setCellLeftProvider(std::function<int(int col)> provider) { m_cellLeft = std::move(provider); }
    int cellLeft(int col) const;

    // State.
    const Config& config() const { return m_config; }
    int rowLimit() const { return m_config.rowLimit; }
    int columnCount() const { return static_cast<int>(m_config.columns.size()); }
    const ListColumn& column(int col) const;
    const ListRow& row(int r) const;
    const std::string& cell(int r, int col) const { return row(r)[col]; }
    // The last row with any text, 0 when none.
    int usedRowCount() const;
    int currentRow() const { return m_curRow; }
    int currentColumn() const { return m_curCol; }
    int selectedRow() const { return m_selectedRow; }
    const std::string& field(int i) const;
    bool addEnabled() const { return m_addEnabled; }
    bool modified() const { return m_modified; }
    bool canMoveUp() const;
    bool canMoveDown() const;

    // In-cell editor state.
    bool inCellEditing() const { return m_inCell; }
    bool pointerHidden() const { return m_pointerHidden; }
    EditorSpan editorSpan() const { return m_span; }
    // Bumped each time the editor opens on a cell (the widget then loads its text).
    int editorOpenCount() const { return m_editorOpenCount; }
    const std::string& editorInitialText() const { return m_editorText; }

    FocusRequest takeFocusRequest();

    // Fields and option controls: typing into a field, the focus entering it and leaving it.
    void setField(int i, std::string text);
    void fieldEntered(int i);
    void fieldLeft(int i);
    void liveUpdate();

    // List and buttons. A dialog may extend an operation (calling the base) or
    // replace one that its Part words differently.
    void clickRow(int r); // 0 or out of range: a click outside any row
    void listDownArrow();
    virtual void add();
    virtual void overwrite();
    virtual void deleteRow();
    virtual void moveUp();
    virtual void moveDown();

    // In-cell editing. doubleClick and cellKey return whether the editor is open afterwards.
    bool doubleClick(int r, int col);
    bool cellKey(CellKey key, const std::string& text);
    void commitCell(const std::string& text); // focus lost or a click: commit and end
    void editorTyped();
    void pointerMoved(PointerArea area, const std::string& editorText);

    EnterAction enterKeyAction() const;

    // OK: true when the dialog may close (the table has been written).
    [[nodiscard]] virtual bool accept();
    // Cancel: true when the dialog may close.
    [[nodiscard]] virtual bool cancel();

protected:
    // The table. loadTableRow returns false for a row that is not in use.
    virtual bool loadTableRow(int tableRow, ListRow& row) = 0;
    virtual void writeTableRow(int tableRow, const ListRow& row) = 0;
    virtual void clearTableRow(int tableRow) = 0;
    // Default: sorted by depth with the duplicate message. The water-level dialog writes list order.
    virtual void writeBack();
    virtual std::string writeBackDepthText(const std::string& depth) const;

    // Checks of the row buffer. The default is the shared one; dialogs call it first.
    virtual bool validate(const ListRow& buffer, bool showMessages);
    virtual void prepareBuffer(ListRow& /*buffer*/) {}

    // Option controls: columns without an edit field.
    virtual void optionsToBuffer(ListRow& /*buffer*/) const {}
    virtual void optionsFromRow(const ListRow& /*row*/) {}
    virtual void resetOptions() {}
    virtual void optionFromCell(int /*col*/, const ListRow& /*row*/) {}

    // Add: the value put into the first depth field afterwards, and the field focused.
    virtual std::string followOnDepth(const ListRow& /*added*/) const { return {}; }
    virtual int fieldAfterAdd() const { return m_config.depthField; }

    // In-cell editing: whether a column opens the editor (may show a message),
    // the text written for a column, and what follows a commit.
    virtual bool canEditCell(int /*col*/) { return true; }
    virtual std::string cellCommitText(int /*col*/, const std::string& text) { return text; }
    virtual void afterCellCommit(int /*r*/, int /*col*/) {}
    // Runs before the live update when a field is left (e.g. a sign rule).
    virtual void onFieldLeft(int /*i*/) {}
    // A field got the focus, or its text changed (after it is stored).
    virtual void onFieldEntered(int /*i*/) {}
    virtual void onFieldChanged(int /*i*/) {}
    // Whether the live update may write the buffer into the current row.
    virtual bool liveUpdateAccepts(const ListRow& buffer, const ListRow& current) const;

    // For dialogs.
    Prompter& prompter() { return m_prompter; }
    std::string& fieldRef(int i);
    ListRow& mutableRow(int r);
    ListRow buildBuffer() const;
    void clearControls();
    void loadRowIntoControls(int r);
    void setModified() { m_modified = true; }
    void clearModified() { m_modified = false; }
    const std::string& keyWord() const;
    // Shows "数値が異常です" when the text is not a number within [low, high].
    bool checkRange(const std::string& text, double low, double high, bool showMessages);
    // Rows 1..usedRowCount() as they stand, and emptying the list (write-back).
    std::vector<ListRow> takeUsedRows();
    void message(const std::string& text);
    // Row state for dialogs with rules of their own (fixed rows, numbered rows).
    void setCurrentRow(int r, bool loaded);
    // The current row's cells were loaded into the fields (a click or in-cell editing).
    bool rowLoaded() const { return m_rowLoaded; }
    void setSelectedRow(int r) { m_selectedRow = r; }
    void setCurrentColumn(int col) { m_curCol = col; }
    void setAddEnabled(bool on) { m_addEnabled = on; }
    void requestFieldFocus(int field) { requestFocus(FocusRequest::Field, field); }
    void ensureVisible(int r);
    void ensureVisibleAsLast(int r);

private:
    bool openEditorAt(int r, int col);
    void commitEditorText(const std::string& text);
    void endCellEdit();
    int maxTopRow() const;
    int nextStopColumn(int after) const;
    void requestFocus(FocusRequest::Kind kind, int field = -1) { m_focus = {kind, field}; }

    Config m_config;
    Prompter& m_prompter;
    KeyOptions m_keys;
    std::vector<ListRow> m_rows; // index 0 unused
    std::vector<std::string> m_fields;

    int m_curRow = 0;
    int m_curCol = 1;
    int m_selectedRow = 0;
    bool m_rowLoaded = false; // the current row was loaded by a click or in-cell editing
    bool m_addEnabled = true;
    bool m_modified = false;
    int m_lastLoaded = 0;

    int m_topRow = 1;
    int m_pageRows = 1;
    int m_listWidth = 0;
    std::function<int(int)> m_cellLeft;

    bool m_inCell = false;
    bool m_pointerHidden = false;
    bool m_editJustEnded = false;
    int m_topAtOpen = 1;
    int m_editorOpenCount = 0;
    std::string m_editorText;
    EditorSpan m_span;

    FocusRequest m_focus;
};

} // namespace qc
