#pragma once
// The report-style list of the depth-keyed list dialogs: grid lines, full-row
// selection, the rows and columns of a ListEditor, and the in-cell editor placed
// over a cell. Every rule is the model's; this widget forwards clicks, keys,
// scrolling and pointer moves to it and shows what it says.

#include "dialogs/listeditor.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <vector>

class QLineEdit;

namespace qc {

class ListEditorItemModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ListEditorItemModel(const ListEditor& editor, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Model column (1-based) of a shown column (0-based), and back (-1 when hidden).
    int editorColumn(int shown) const;
    int shownColumn(int editorColumn) const;
    void refresh();

private:
    const ListEditor& m_editor;
    std::vector<int> m_shown;
};

class ListEditorView : public QTableView
{
    Q_OBJECT
public:
    explicit ListEditorView(ListEditor& editor, QWidget* parent = nullptr);
    ~ListEditorView() override;

    ListEditor& editor() { return m_editor; }
    QLineEdit* cellEditor() const { return m_cellEditor; }
    bool isCellEditing() const { return m_editor.inCellEditing(); }
    // Commits the open in-cell editor and ends in-cell editing.
    void commitCellEdit();
    // Shows the model's state: cells, selection, scroll position, the editor and the pointer.
    void refresh();
    // Pixel height of a row and the number of whole rows a page shows.
    int rowPixelHeight() const;
    int visibleRowCount() const;
    // Tells the model the page size and width (after a resize or the first layout).
    void updateMetrics();
    // Reports a pointer move over part of the dialog while the editor is open.
    void pointerMoved(PointerArea area);

signals:
    // The model changed through this widget; the host dialog shows fields and buttons again.
    void changed();
    // Tab or Escape committed the in-cell editor; the dialog acts on the key.
    void tabOut(bool backward);
    void escapeOut();
    // The editor lost the focus to another widget (which keeps it) and committed.
    void cellEditEndedByFocus(QWidget* to);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int rowAt(const QPoint& viewportPos) const;
    void placeEditor();
    void setPointerHidden(bool hidden);
    void changedByUser();
    bool editorKey(QKeyEvent* event);

    ListEditor& m_editor;
    ListEditorItemModel* m_items;
    QLineEdit* m_cellEditor;
    int m_shownOpenCount = 0;
    bool m_refreshing = false;
    bool m_pointerHidden = false;
};

} // namespace qc
