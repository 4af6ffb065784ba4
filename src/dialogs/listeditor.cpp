#include "dialogs/listeditor.h"

#include "app/settings.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "platform/prompter.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace qc {

namespace {

const char* const kCrLf = "\r\n";

} // namespace

KeyOptions keyOptionsFrom(const Settings& settings)
{
    return {settings.enterKeyMode(), settings.scrollToLastRow()};
}

bool depthsEqual(std::string_view a, std::string_view b)
{
    return std::fabs(cellDouble(a) - cellDouble(b)) < 0.000001;
}

std::string writeBackDepth(std::string_view text, DepthFormat format)
{
    size_t dot = text.find('.');
    if (dot == std::string_view::npos || text.size() - dot - 1 <= 2) return formatDepth(text, format);
    return std::string(text);
}

std::string ListRow::s_none;

size_t ListRow::index(int col) const
{
    assert(col >= 1 && col <= size());
    return static_cast<size_t>(col - 1);
}

bool ListRow::blank() const
{
    return std::all_of(m_cells.begin(), m_cells.end(), [](const std::string& c) { return c.empty(); });
}

DuplicateReport::DuplicateReport(const std::string& heading) : m_text(heading + kCrLf) {}

void DuplicateReport::add(const std::string& entry)
{
    ++m_found;
    if (m_found <= 6 && m_text.size() <= 299) m_text += entry;
}

std::optional<EditorSpan> placeCellEditor(int cellLeft, int columnWidth, int listWidth, bool rowsFillPage)
{
    EditorSpan span;
    span.x = cellLeft + 3;
    int right = listWidth - 3 - (rowsFillPage ? 20 : 0);
    span.width = std::min(columnWidth, right - span.x);
    if (span.width < 5) return std::nullopt;
    return span;
}

ListEditor::ListEditor(Config config, Prompter& prompter, KeyOptions keys)
    : m_config(std::move(config)), m_prompter(prompter), m_keys(keys)
{
    assert(m_config.rowLimit > 0 && !m_config.columns.empty());
    m_rows.assign(static_cast<size_t>(m_config.rowLimit) + 1, ListRow(columnCount()));
    m_fields.resize(static_cast<size_t>(std::max(m_config.fieldCount, 1)));
    int width = 0;
    for (const auto& c : m_config.columns)
        if (c.visible) width += c.width;
    m_listWidth = width + 40;
}

// ---- opening and geometry

void ListEditor::open()
{
    m_lastLoaded = 0;
    for (int t = 1; t <= rowLimit(); ++t) {
        ListRow r(columnCount());
        if (loadTableRow(t, r)) {
            m_rows[static_cast<size_t>(t)] = std::move(r);
            m_lastLoaded = t;
        } else {
            m_rows[static_cast<size_t>(t)] = ListRow(columnCount());
        }
    }
    m_curRow = m_lastLoaded < rowLimit() ? m_lastLoaded + 1 : 0;
    m_selectedRow = m_curRow;
    m_rowLoaded = false;
    m_curCol = 1;
    m_modified = false;
    m_addEnabled = true;
    m_topRow = 1;
    m_inCell = false;
    m_pointerHidden = false;
}

void ListEditor::applyOpeningScroll()
{
    if (!m_keys.scrollToLastRow) return;
    int target = std::min(m_lastLoaded + 1, rowLimit());
    if (target > m_topRow + m_pageRows - 1) ensureVisibleAsLast(target);
}

void ListEditor::setPageRows(int rows)
{
    m_pageRows = std::max(rows, 1);
    m_topRow = std::clamp(m_topRow, 1, maxTopRow());
}

void ListEditor::scrollTo(int topRow)
{
    m_topRow = std::clamp(topRow, 1, maxTopRow());
}

int ListEditor::maxTopRow() const
{
    return std::max(1, rowLimit() - m_pageRows + 1);
}

void ListEditor::ensureVisibleAsLast(int r)
{
    if (r > m_topRow + m_pageRows - 1) scrollTo(r - m_pageRows + 1);
}

void ListEditor::ensureVisible(int r)
{
    if (r < m_topRow)
        scrollTo(r);
    else
        ensureVisibleAsLast(r);
}

int ListEditor::cellLeft(int col) const
{
    if (m_cellLeft) return m_cellLeft(col);
    int left = 0;
    for (int c = 1; c < col; ++c)
        if (column(c).visible) left += column(c).width;
    return left;
}

// ---- state

const ListColumn& ListEditor::column(int col) const
{
    assert(col >= 1 && col <= columnCount());
    return m_config.columns[static_cast<size_t>(std::clamp(col, 1, columnCount()) - 1)];
}

const ListRow& ListEditor::row(int r) const
{
    assert(r >= 1 && r <= rowLimit());
    return m_rows[static_cast<size_t>(std::clamp(r, 0, rowLimit()))];
}

ListRow& ListEditor::mutableRow(int r)
{
    assert(r >= 1 && r <= rowLimit());
    return m_rows[static_cast<size_t>(std::clamp(r, 0, rowLimit()))];
}

int ListEditor::usedRowCount() const
{
    for (int r = rowLimit(); r >= 1; --r)
        if (!m_rows[static_cast<size_t>(r)].blank()) return r;
    return 0;
}

const std::string& ListEditor::field(int i) const
{
    assert(i >= 0 && i < static_cast<int>(m_fields.size()));
    return m_fields[static_cast<size_t>(std::clamp(i, 0, static_cast<int>(m_fields.size()) - 1))];
}

std::string& ListEditor::fieldRef(int i)
{
    assert(i >= 0 && i < static_cast<int>(m_fields.size()));
    return m_fields[static_cast<size_t>(std::clamp(i, 0, static_cast<int>(m_fields.size()) - 1))];
}

bool ListEditor::canMoveUp() const
{
    return m_selectedRow > 1 && m_selectedRow <= rowLimit();
}

bool ListEditor::canMoveDown() const
{
    return m_selectedRow >= 1 && m_selectedRow < usedRowCount();
}

FocusRequest ListEditor::takeFocusRequest()
{
    FocusRequest f = m_focus;
    m_focus = {};
    return f;
}

const std::string& ListEditor::keyWord() const
{
    return m_config.keyWord.empty() ? QC_SJ("深度") : m_config.keyWord;
}

void ListEditor::message(const std::string& text)
{
    m_prompter.message(text);
}

void ListEditor::setCurrentRow(int r, bool loaded)
{
    m_curRow = std::clamp(r, 0, rowLimit());
    m_rowLoaded = loaded && m_curRow > 0;
}

// ---- row buffer and fields

ListRow ListEditor::buildBuffer() const
{
    ListRow buffer(columnCount());
    for (int c = 1; c <= columnCount(); ++c)
        if (column(c).field >= 0) buffer[c] = field(column(c).field);
    optionsToBuffer(buffer);
    return buffer;
}

void ListEditor::clearControls()
{
    for (auto& f : m_fields) f.clear();
    resetOptions();
}

void ListEditor::loadRowIntoControls(int r)
{
    const ListRow& source = row(r);
    for (int c = 1; c <= columnCount(); ++c)
        if (column(c).field >= 0) fieldRef(column(c).field) = source[c];
    optionsFromRow(source);
    if (r > usedRowCount()) resetOptions();
}

bool ListEditor::validate(const ListRow& buffer, bool showMessages)
{
    if (buffer.blank() || !isNumeric(buffer[1])) {
        if (showMessages) message(QC_SJ("データが無い、または不正です."));
        return false;
    }
    return true;
}

bool ListEditor::checkRange(const std::string& text, double low, double high, bool showMessages)
{
    double v = cellDouble(text);
    if (!isNumeric(text) || v < low || v > high) {
        if (showMessages) message(QC_SJ("数値が異常です"));
        return false;
    }
    return true;
}

void ListEditor::setField(int i, std::string text)
{
    fieldRef(i) = std::move(text);
    onFieldChanged(i);
}

void ListEditor::fieldEntered(int i)
{
    onFieldEntered(i);
}

void ListEditor::fieldLeft(int i)
{
    onFieldLeft(i);
    liveUpdate();
    if (i == m_config.depthField) m_addEnabled = !(m_curRow >= 1 && m_rowLoaded);
}

bool ListEditor::liveUpdateAccepts(const ListRow& buffer, const ListRow& current) const
{
    return !isNumeric(current[1]) || depthsEqual(current[1], buffer[1]);
}

void ListEditor::liveUpdate()
{
    if (m_curRow < 1 || m_curRow > rowLimit() || !m_rowLoaded) return;
    ListRow buffer = buildBuffer();
    prepareBuffer(buffer);
    if (!validate(buffer, false)) return;
    ListRow& current = mutableRow(m_curRow);
    if (!liveUpdateAccepts(buffer, current)) return;
    if (current != buffer) {
        current = std::move(buffer);
        // A changed row is a change the Cancel question must know about.
        m_modified = true;
    }
}

// ---- list and buttons

void ListEditor::clickRow(int r)
{
    if (m_inCell) endCellEdit();
    bool editJustEnded = m_editJustEnded;
    m_editJustEnded = false;
    if (r < 1 || r > rowLimit()) {
        if (editJustEnded && m_curRow >= 1) m_selectedRow = m_curRow;
        return;
    }
    m_curRow = r;
    m_selectedRow = r;
    m_rowLoaded = true;
    loadRowIntoControls(r);
    m_addEnabled = false;
}

void ListEditor::listDownArrow()
{
    clearControls();
    m_curRow = 0;
    m_selectedRow = 0;
    m_rowLoaded = false;
    m_addEnabled = true;
}

void ListEditor::add()
{
    m_modified = true;
    ListRow buffer = buildBuffer();
    prepareBuffer(buffer);
    if (!validate(buffer, true)) return;
    int used = usedRowCount();
    if (used >= rowLimit()) {
        message(QC_SJ("最大行数です. 追加できません."));
        return;
    }
    buffer[1] = formatDepth(buffer[1], m_config.depthFormat);
    for (int r = 1; r <= used; ++r) {
        const std::string& depth = row(r)[1];
        if (!isNumeric(depth)) break;
        if (depthsEqual(depth, buffer[1])) {
            message(QC_SJ("同じ ") + keyWord() + QC_SJ("データがあります.\n修正なら上書きしてください."));
            return;
        }
    }
    int target = used + 1;
    mutableRow(target) = buffer;
    ensureVisibleAsLast(target);

    std::string follow = followOnDepth(buffer);
    clearControls();
    fieldRef(m_config.depthField) = follow;
    m_selectedRow = 0;
    m_curRow = 0;
    m_rowLoaded = false;
    m_addEnabled = true;
    requestFocus(FocusRequest::Field, fieldAfterAdd());
}

void ListEditor::overwrite()
{
    ListRow buffer = buildBuffer();
    prepareBuffer(buffer);
    if (!validate(buffer, true)) return;
    bool done = false;
    if (m_curRow > rowLimit()) {
        message(QC_SJ("上書きできません. 指定行が範囲外です."));
    } else if (int used = usedRowCount(); used == 0) {
        message(QC_SJ("上書きできません."));
    } else {
        int target = 0;
        for (int r = 1; r <= used && !target; ++r) {
            const std::string& depth = row(r)[1];
            if (!isNumeric(depth)) break;
            if (depthsEqual(depth, buffer[1])) target = r;
        }
        if (!target) {
            message(QC_SJ("上書きできません、同じ ") + keyWord() + QC_SJ(" がありません."));
        } else {
            buffer[1] = formatDepth(buffer[1], m_config.depthFormat);
            mutableRow(target) = buffer;
            ensureVisible(target);
            m_modified = true;
            done = true;
        }
    }
    if (done) clearControls();
    m_selectedRow = 0;
    m_curRow = 0;
    m_rowLoaded = false;
    m_addEnabled = true;
    requestFocus(FocusRequest::Field, m_config.depthField);
}

void ListEditor::deleteRow()
{
    // Rows shift below: an open editor would point at another row.
    if (m_inCell) endCellEdit();
    int r = m_selectedRow;
    if (r >= 1 && r <= rowLimit()) {
        m_rows.erase(m_rows.begin() + r);
        m_rows.emplace_back(columnCount());
        clearControls();
        m_modified = true;
    }
    m_selectedRow = 0;
    m_curRow = 0;
    m_rowLoaded = false;
    m_addEnabled = true;
    requestFocus(FocusRequest::Field, m_config.depthField);
}

void ListEditor::moveUp()
{
    if (!canMoveUp()) return;
    if (m_inCell) endCellEdit();
    int r = m_selectedRow;
    std::swap(mutableRow(r), mutableRow(r - 1));
    // The fields stay bound to the row they were loaded from.
    if (m_curRow == r)
        m_curRow = r - 1;
    else if (m_curRow == r - 1)
        m_curRow = r;
    m_selectedRow = r - 1;
    ensureVisible(r - 1);
    m_modified = true;
}

void ListEditor::moveDown()
{
    if (!canMoveDown()) return;
    if (m_inCell) endCellEdit();
    int r = m_selectedRow;
    std::swap(mutableRow(r), mutableRow(r + 1));
    if (m_curRow == r)
        m_curRow = r + 1;
    else if (m_curRow == r + 1)
        m_curRow = r;
    m_selectedRow = r + 1;
    ensureVisible(r + 1);
    m_modified = true;
}

// ---- in-cell editing

bool ListEditor::doubleClick(int r, int col)
{
    if (m_inCell) endCellEdit();
    if (r < 1 || r > rowLimit()) {
        clearControls();
        return false;
    }
    if (col < 1 || col > columnCount() || !canEditCell(col)) return false;
    m_selectedRow = 0;
    return openEditorAt(r, col);
}

bool ListEditor::openEditorAt(int r, int col)
{
    int first = m_topRow, last = m_topRow + m_pageRows - 1;
    if (r < first - 1 || r > last + 1) return false;
    if (r == last + 1)
        scrollTo(m_topRow + 1);
    else if (r == first - 1)
        scrollTo(m_topRow - 1);
    // The fields follow the row being edited, so that the live update never
    // writes another row's fields into it.
    if (r != m_curRow || !m_rowLoaded) {
        loadRowIntoControls(r);
        m_addEnabled = false;
    }
    m_curRow = r;
    m_curCol = col;
    m_rowLoaded = true;
    auto span = placeCellEditor(cellLeft(col), column(col).width, m_listWidth, rowLimit() >= m_pageRows);
    if (!span) return false;
    m_span = *span;
    m_inCell = true;
    m_editorText = row(r)[col];
    ++m_editorOpenCount;
    m_topAtOpen = m_topRow;
    m_pointerHidden = true;
    m_modified = true;
    m_editJustEnded = false;
    requestFocus(FocusRequest::Editor);
    return true;
}

void ListEditor::commitEditorText(const std::string& typed)
{
    int r = m_curRow, col = m_curCol;
    if (r < 1 || r > rowLimit() || col < 1 || col > columnCount()) return;
    std::string text = cellCommitText(col, typed);
    mutableRow(r)[col] = text;
    if (column(col).field >= 0)
        fieldRef(column(col).field) = text;
    else
        optionFromCell(col, row(r));
    afterCellCommit(r, col);
}

void ListEditor::endCellEdit()
{
    m_inCell = false;
    m_pointerHidden = false;
    m_editJustEnded = true;
    requestFocus(FocusRequest::List);
}

void ListEditor::commitCell(const std::string& text)
{
    if (!m_inCell) return;
    commitEditorText(text);
    endCellEdit();
}

int ListEditor::nextStopColumn(int after) const
{
    for (int c = after + 1; c <= columnCount(); ++c)
        if (column(c).inCellKind != 0 && column(c).visible) return c;
    return 0;
}

bool ListEditor::cellKey(CellKey key, const std::string& text)
{
    if (!m_inCell) return false;
    commitEditorText(text);
    bool opened = false;
    switch (key) {
    case CellKey::Tab:
    case CellKey::Escape:
        endCellEdit();
        return false;
    case CellKey::Enter:
        if (int next = nextStopColumn(m_curCol)) {
            opened = openEditorAt(m_curRow, next);
        } else if (m_curRow < rowLimit()) {
            liveUpdate();
            clearControls();
            m_rowLoaded = false;
            opened = openEditorAt(m_curRow + 1, 1);
        } else {
            opened = openEditorAt(m_curRow, m_curCol);
        }
        break;
    case CellKey::Up:
        opened = openEditorAt(std::max(1, m_curRow - 1), m_curCol);
        break;
    case CellKey::Down:
        opened = openEditorAt(std::min(rowLimit(), m_curRow + 1), m_curCol);
        break;
    }
    if (!opened) endCellEdit();
    return opened;
}

void ListEditor::editorTyped()
{
    if (m_inCell) m_pointerHidden = true;
}

void ListEditor::pointerMoved(PointerArea area, const std::string& editorText)
{
    if (!m_inCell) return;
    switch (area) {
    case PointerArea::Editor:
        break;
    case PointerArea::List:
        m_pointerHidden = false;
        if (m_topRow != m_topAtOpen) commitCell(editorText);
        break;
    case PointerArea::Dialog:
        m_pointerHidden = false;
        break;
    case PointerArea::Outside:
        commitCell(editorText);
        break;
    }
}

EnterAction ListEditor::enterKeyAction() const
{
    return enterActionFor(m_keys);
}

EnterAction enterActionFor(const KeyOptions& keys)
{
    switch (keys.enterKeyMode) {
    case 1:
        return EnterAction::NextControl;
    case 2:
        return EnterAction::Swallow;
    default:
        return EnterAction::PressOk;
    }
}

// ---- OK and Cancel

bool ListEditor::accept()
{
    if (m_inCell) {
        endCellEdit();
        return false;
    }
    writeBack();
    return true;
}

bool ListEditor::cancel()
{
    if (m_inCell) endCellEdit();
    if (m_modified && usedRowCount() > 0) {
        Answer a = m_prompter.ask(QC_SJ("データが変更されましたが、キャンセルしてよいのですか？"),
                                  Buttons::YesNo, Answer::No);
        return a == Answer::Yes;
    }
    return true;
}

std::vector<ListRow> ListEditor::takeUsedRows()
{
    int used = usedRowCount();
    std::vector<ListRow> rows(m_rows.begin() + 1, m_rows.begin() + 1 + used);
    for (int r = 1; r <= rowLimit(); ++r) m_rows[static_cast<size_t>(r)] = ListRow(columnCount());
    return rows;
}

std::string ListEditor::writeBackDepthText(const std::string& depth) const
{
    return writeBackDepth(depth, m_config.depthFormat);
}

void ListEditor::writeBack()
{
    DuplicateReport report(QC_SJ("同じ深度があります"));
    std::vector<ListRow> rows = takeUsedRows();
    int written = 0;
    while (!rows.empty()) {
        // The first row of the smallest depth; rows without a depth take no part.
        size_t best = rows.size();
        double bestDepth = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i][1].empty()) continue;
            double d = cellDouble(rows[i][1]);
            if (best == rows.size() || d < bestDepth) {
                best = i;
                bestDepth = d;
            }
        }
        if (best == rows.size()) break;
        if (bestDepth > 0) {
            for (size_t i = 0; i < rows.size(); ++i)
                if (i != best && !rows[i][1].empty() && depthsEqual(rows[i][1], rows[best][1]))
                    report.add(" " + rows[i][1] + " m " + kCrLf);
        }
        ListRow r = std::move(rows[best]);
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(best));
        if (written < rowLimit()) {
            r[1] = writeBackDepthText(r[1]);
            writeTableRow(++written, r);
        }
    }
    for (int t = written + 1; t <= rowLimit(); ++t) clearTableRow(t);
    if (report.any()) message(report.text());
}

} // namespace qc
