#include "qt/listeditorview.h"

#include "qt/qtext.h"

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

namespace qc {

// ---- item model

ListEditorItemModel::ListEditorItemModel(const ListEditor& editor, QObject* parent)
    : QAbstractTableModel(parent), m_editor(editor)
{
    for (int c = 1; c <= editor.columnCount(); ++c)
        if (editor.column(c).visible) m_shown.push_back(c);
}

int ListEditorItemModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_editor.rowLimit();
}

int ListEditorItemModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int ListEditorItemModel::editorColumn(int shown) const
{
    return shown >= 0 && shown < static_cast<int>(m_shown.size()) ? m_shown[static_cast<size_t>(shown)] : 0;
}

int ListEditorItemModel::shownColumn(int editorColumn) const
{
    for (size_t i = 0; i < m_shown.size(); ++i)
        if (m_shown[i] == editorColumn) return static_cast<int>(i);
    return -1;
}

QVariant ListEditorItemModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    int col = editorColumn(index.column());
    if (col < 1 || index.row() >= m_editor.rowLimit()) return {};
    // A note's lines are shown on one line, as the full-width report shows them
    // (without the break that ends the last line).
    QString text = fromCp932(m_editor.cell(index.row() + 1, col));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(text.endsWith(QStringLiteral("\r\n")) ? 2 : 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("/"));
    text.replace(QLatin1Char('\n'), QLatin1Char('/'));
    return text;
}

QVariant ListEditorItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) return {};
    int col = editorColumn(section);
    if (col < 1) return {};
    if (role == Qt::DisplayRole) return fromCp932(m_editor.column(col).title);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void ListEditorItemModel::refresh()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

// ---- view

ListEditorView::ListEditorView(ListEditor& editor, QWidget* parent)
    : QTableView(parent), m_editor(editor), m_items(new ListEditorItemModel(editor, this)),
      m_cellEditor(new QLineEdit(this))
{
    setModel(m_items);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setAutoScroll(false); // the model decides the scrolling
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setMinimumSectionSize(1);
    for (int i = 0; i < m_items->columnCount(); ++i)
        setColumnWidth(i, editor.column(m_items->editorColumn(i)).width);
    viewport()->setMouseTracking(true);

    m_cellEditor->setObjectName(QStringLiteral("cellEditor"));
    m_cellEditor->setFrame(false);
    m_cellEditor->setTextMargins(3, 0, 3, 0);
    m_cellEditor->setMouseTracking(true);
    m_cellEditor->hide();
    m_cellEditor->installEventFilter(this);

    m_editor.setCellLeftProvider([this](int col) {
        int shown = m_items->shownColumn(col);
        if (shown < 0) return -100000;
        return viewport()->geometry().x() + columnViewportPosition(shown);
    });
}

ListEditorView::~ListEditorView()
{
    m_cellEditor->removeEventFilter(this);
    setPointerHidden(false);
    m_editor.setCellLeftProvider({});
}

int ListEditorView::rowPixelHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

int ListEditorView::visibleRowCount() const
{
    return std::max(1, viewport()->height() / rowPixelHeight());
}

void ListEditorView::updateMetrics()
{
    m_editor.setPageRows(visibleRowCount());
    m_editor.setListWidth(width());
}

int ListEditorView::rowAt(const QPoint& viewportPos) const
{
    int r = QTableView::rowAt(viewportPos.y());
    return r < 0 ? 0 : r + 1;
}

void ListEditorView::changedByUser()
{
    refresh();
    emit changed();
}

void ListEditorView::refresh()
{
    m_refreshing = true;
    m_items->refresh();
    int top = m_editor.topRow() - 1;
    if (verticalScrollBar()->value() != top) verticalScrollBar()->setValue(top);
    // The scroll bar has the last word on how far the list can scroll.
    if (verticalScrollBar()->value() != top) m_editor.scrollTo(verticalScrollBar()->value() + 1);

    int sel = m_editor.selectedRow();
    if (sel >= 1) {
        QModelIndex idx = m_items->index(sel - 1, 0);
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
        selectionModel()->select(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        selectionModel()->clearSelection();
    }

    if (m_editor.inCellEditing()) {
        bool fresh = m_editor.editorOpenCount() != m_shownOpenCount;
        if (fresh) {
            m_shownOpenCount = m_editor.editorOpenCount();
            // Keep the column in sight horizontally; the rows scroll by the model's rules.
            int shown = m_items->shownColumn(m_editor.currentColumn());
            if (shown >= 0) {
                int x = columnViewportPosition(shown);
                int w = columnWidth(shown);
                int shift = x < 0 ? x : std::max(0, x + w - viewport()->width());
                if (shift) horizontalScrollBar()->setValue(horizontalScrollBar()->value() + shift);
            }
            m_cellEditor->setText(fromCp932(m_editor.editorInitialText()));
        }
        placeEditor();
        m_cellEditor->show();
        m_cellEditor->raise();
        if (fresh) {
            m_cellEditor->setFocus(Qt::OtherFocusReason);
            m_cellEditor->end(false);
            QCursor::setPos(m_cellEditor->mapToGlobal(QPoint(1, 1)));
        }
    } else if (m_cellEditor->isVisible()) {
        bool hadFocus = m_cellEditor->hasFocus();
        m_cellEditor->hide();
        m_cellEditor->clear();
        if (hadFocus) setFocus(Qt::OtherFocusReason);
    }
    setPointerHidden(m_editor.pointerHidden());
    m_refreshing = false;
}

void ListEditorView::placeEditor()
{
    // The model placed the editor across the cell; the row gives top and height.
    int shownRow = m_editor.currentRow() - 1;
    int y = viewport()->geometry().y() + rowViewportPosition(shownRow);
    // Recompute the span: a horizontal scroll may have moved the cell.
    auto span = placeCellEditor(m_editor.cellLeft(m_editor.currentColumn()),
                                m_editor.column(m_editor.currentColumn()).width, width(),
                                m_editor.rowLimit() >= m_editor.pageRows());
    EditorSpan s = span.value_or(m_editor.editorSpan());
    m_cellEditor->setGeometry(s.x, y, s.width, rowPixelHeight());
}

void ListEditorView::setPointerHidden(bool hidden)
{
    if (hidden == m_pointerHidden) return;
    m_pointerHidden = hidden;
    if (hidden)
        QApplication::setOverrideCursor(Qt::BlankCursor);
    else
        QApplication::restoreOverrideCursor();
}

void ListEditorView::commitCellEdit()
{
    if (!m_editor.inCellEditing()) return;
    m_editor.commitCell(toCp932(m_cellEditor->text()));
    changedByUser();
}

void ListEditorView::pointerMoved(PointerArea area)
{
    if (!m_editor.inCellEditing()) return;
    m_editor.pointerMoved(area, toCp932(m_cellEditor->text()));
    if (m_editor.inCellEditing())
        setPointerHidden(m_editor.pointerHidden());
    else
        changedByUser();
}

void ListEditorView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    QPoint p = event->position().toPoint();
    // Beside the last column is outside any row, as below the rows.
    m_editor.clickRow(columnAt(p.x()) < 0 ? 0 : rowAt(p));
    changedByUser();
}

void ListEditorView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    QPoint p = event->position().toPoint();
    int r = rowAt(p);
    int col = m_items->editorColumn(columnAt(p.x()));
    if (r >= 1 && col < 1) return; // beside the last column
    m_editor.doubleClick(r, col);
    changedByUser();
}

void ListEditorView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Down:
        m_editor.listDownArrow();
        changedByUser();
        return;
    case Qt::Key_Up:
        if (m_editor.selectedRow() > 1) {
            m_editor.clickRow(m_editor.selectedRow() - 1);
            changedByUser();
        }
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        verticalScrollBar()->triggerAction(event->key() == Qt::Key_PageUp
                                               ? QAbstractSlider::SliderPageStepSub
                                               : QAbstractSlider::SliderPageStepAdd);
        return;
    default:
        event->ignore(); // Enter, Escape and the rest are the dialog's
    }
}

void ListEditorView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    updateMetrics();
    if (m_editor.inCellEditing()) placeEditor();
}

void ListEditorView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (!m_refreshing) m_editor.scrollTo(verticalScrollBar()->value() + 1);
    if (m_editor.inCellEditing()) placeEditor();
}

bool ListEditorView::editorKey(QKeyEvent* event)
{
    const std::string text = toCp932(m_cellEditor->text());
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_editor.cellKey(CellKey::Enter, text);
        break;
    case Qt::Key_Up:
        m_editor.cellKey(CellKey::Up, text);
        break;
    case Qt::Key_Down:
        m_editor.cellKey(CellKey::Down, text);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        m_editor.cellKey(CellKey::Tab, text);
        changedByUser();
        emit tabOut(event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier));
        return true;
    case Qt::Key_Escape:
        m_editor.cellKey(CellKey::Escape, text);
        changedByUser();
        emit escapeOut();
        return true;
    default:
        m_editor.editorTyped();
        setPointerHidden(m_editor.pointerHidden());
        return false;
    }
    changedByUser();
    return true;
}

bool ListEditorView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_cellEditor) return QTableView::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return editorKey(static_cast<QKeyEvent*>(event));
    case QEvent::ShortcutOverride: {
        // Keep Escape and Enter away from the dialog's shortcuts while editing.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::FocusOut: {
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (!m_refreshing && m_editor.inCellEditing() && reason != Qt::PopupFocusReason) {
            QWidget* to = QApplication::focusWidget();
            m_editor.commitCell(toCp932(m_cellEditor->text()));
            // The focus stays where the user put it.
            if (to && to != m_cellEditor) m_editor.takeFocusRequest();
            changedByUser();
            emit cellEditEndedByFocus(to);
        }
        break;
    }
    case QEvent::MouseMove:
        pointerMoved(PointerArea::Editor);
        break;
    default:
        break;
    }
    return false;
}

} // namespace qc
