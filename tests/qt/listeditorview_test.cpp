// The list widget and its in-cell editor inside a list dialog: the Enter walk,
// Up/Down, Tab/Escape, OK while editing, scrolling at the page edges, pointer
// hiding and tracking, the Enter-key modes and the buttons.

#include "platform/scriptedprompter.h"
#include "qt/listeditorview.h"
#include "qt/qtext.h"
#include "support/sampledialog.h"
#include "support/testutil.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace qc;
using qc::test::SampleDialog;
using qc::test::SampleEditor;
using qc::test::sj;

namespace {

struct Harness
{
    explicit Harness(int rows = 10, int loaded = 3, KeyOptions keys = {}) : table(rows, 3)
    {
        for (int t = 1; t <= loaded; ++t) {
            table(t, 1) = std::to_string(t) + ".00";
            table(t, 2) = "r" + std::to_string(t);
            table(t, 3) = "1";
        }
        editor = std::make_unique<SampleEditor>(table, prompter, keys);
        editor->open();
        dialog = std::make_unique<SampleDialog>(*editor);
    }
    bool show()
    {
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get())) return false;
        dialog->activateWindow(); // a bare X server has no window manager to do it
        return QTest::qWaitForWindowActive(dialog.get());
    }
    ListEditorView* view() const { return dialog->listView(); }
    QLineEdit* cellEditor() const { return view()->cellEditor(); }
    QPoint cellCenter(int r, int col) const
    {
        return view()->visualRect(view()->model()->index(r - 1, col - 1)).center();
    }
    void doubleClick(int r, int col) const
    {
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(r, col));
    }
    void type(const QString& text) const
    {
        cellEditor()->selectAll();
        bool latin1 = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (latin1)
            QTest::keyClicks(cellEditor(), text);
        else
            cellEditor()->insert(text); // as an input method commits it
    }
    QString shownCell(int r, int col) const
    {
        return view()->model()->index(r - 1, col - 1).data().toString();
    }

    TextTable table;
    ScriptedPrompter prompter;
    std::unique_ptr<SampleEditor> editor;
    std::unique_ptr<SampleDialog> dialog;
};

} // namespace

class ListEditorWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void listIsAReportWithGridAndFullRowSelection();
    void doubleClickPlacesTheEditorOverTheCell();
    void enterWalksTheStopColumnsAndTheNextRow();
    void upAndDownMoveTheEditorARow();
    void tabCommitsAndMovesToTheNextControl();
    void escapeCommitsAndCancels();
    void okWhileEditingOnlyEndsTheEdit();
    void okByKeyboardWhileEditingOnlyEndsTheEdit();
    void scrollsOneRowAtThePageEdges();
    void pointerHiddenWhileTypingAndTrackedAfterwards();
    void enterKeyModesOutsideTheEditor_data();
    void enterKeyModesOutsideTheEditor();
    void addThroughTheFieldsAndTheDuplicateMessage();
    void clickLoadsTheRowAndTheLiveUpdateWritesIt();
    void scrollToLastRowOnOpening();
    void moveButtonsKeepTheRowSelected();
    void aClickInTheDialogCommitsTheEditor();
    void screenshot();
};

void ListEditorWidgetTest::listIsAReportWithGridAndFullRowSelection()
{
    Harness h;
    QVERIFY(h.show());
    QVERIFY(h.view()->showGrid());
    QCOMPARE(h.view()->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(h.view()->model()->rowCount(), 10);
    QCOMPARE(h.view()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("深度 m"));
    QCOMPARE(h.view()->columnWidth(1), 150);
    QCOMPARE(h.shownCell(2, 2), QStringLiteral("r2"));
    // The row after the loaded ones is selected on opening.
    QCOMPARE(h.view()->selectionModel()->selectedRows().value(0).row(), 3);
    QCOMPARE(QApplication::focusWidget(), h.dialog->depth);
}

void ListEditorWidgetTest::doubleClickPlacesTheEditorOverTheCell()
{
    Harness h;
    QVERIFY(h.show());
    h.doubleClick(2, 2);
    QVERIFY(h.cellEditor()->isVisible());
    QVERIFY(h.cellEditor()->hasFocus());
    QCOMPARE(h.cellEditor()->text(), QStringLiteral("r2"));
    QCOMPARE(h.cellEditor()->cursorPosition(), 2);
    QRect cell = h.view()->visualRect(h.view()->model()->index(1, 1));
    QPoint cellInList = h.view()->viewport()->mapTo(h.view(), cell.topLeft());
    QCOMPARE(h.cellEditor()->geometry().x(), cellInList.x() + 3);
    QCOMPARE(h.cellEditor()->geometry().y(), cellInList.y());
    QCOMPARE(h.cellEditor()->width(), 150);
    QCOMPARE(h.cellEditor()->height(), cell.height() + 1);
    QVERIFY(h.view()->selectionModel()->selectedRows().isEmpty());
    // The fields follow the edited row.
    QCOMPARE(h.dialog->text->currentText(), QStringLiteral("r2"));
}

void ListEditorWidgetTest::enterWalksTheStopColumnsAndTheNextRow()
{
    Harness h;
    QVERIFY(h.show());
    h.doubleClick(1, 1);
    h.type(QStringLiteral("1.5"));
    QTest::keyClick(h.cellEditor(), Qt::Key_Return);
    QCOMPARE(h.shownCell(1, 1), QStringLiteral("1.5"));
    QCOMPARE(h.dialog->depth->text(), QStringLiteral("1.5"));
    QCOMPARE(h.editor->currentColumn(), 2);
    QCOMPARE(h.cellEditor()->text(), QStringLiteral("r1"));
    h.type(QStringLiteral("砂"));
    // Column 3 is not a stop: the walk goes on at column 1 of row 2.
    QTest::keyClick(h.cellEditor(), Qt::Key_Enter);
    QCOMPARE(h.shownCell(1, 2), QStringLiteral("砂"));
    QCOMPARE(h.editor->currentRow(), 2);
    QCOMPARE(h.editor->currentColumn(), 1);
    QVERIFY(h.cellEditor()->isVisible());
    QVERIFY(h.cellEditor()->hasFocus());
    QCOMPARE(h.cellEditor()->text(), QStringLiteral("2.00"));
    QCOMPARE(h.dialog->text->currentText(), QStringLiteral("r2"));
    int rowTop = h.view()
                     ->viewport()
                     ->mapTo(h.view(), h.view()->visualRect(h.view()->model()->index(1, 0)).topLeft())
                     .y();
    QCOMPARE(h.cellEditor()->y(), rowTop);
}

void ListEditorWidgetTest::upAndDownMoveTheEditorARow()
{
    Harness h;
    QVERIFY(h.show());
    h.doubleClick(2, 2);
    h.type(QStringLiteral("x"));
    QTest::keyClick(h.cellEditor(), Qt::Key_Up);
    QCOMPARE(h.shownCell(2, 2), QStringLiteral("x"));
    QCOMPARE(h.editor->currentRow(), 1);
    QCOMPARE(h.cellEditor()->text(), QStringLiteral("r1"));
    QTest::keyClick(h.cellEditor(), Qt::Key_Up); // not above row 1
    QCOMPARE(h.editor->currentRow(), 1);
    QTest::keyClick(h.cellEditor(), Qt::Key_Down);
    QTest::keyClick(h.cellEditor(), Qt::Key_Down);
    QCOMPARE(h.editor->currentRow(), 3);
    QCOMPARE(h.editor->currentColumn(), 2);
    QCOMPARE(h.cellEditor()->text(), QStringLiteral("r3"));
}

void ListEditorWidgetTest::tabCommitsAndMovesToTheNextControl()
{
    Harness h;
    QVERIFY(h.show());
    h.doubleClick(1, 2);
    h.type(QStringLiteral("tabbed"));
    QTest::keyClick(h.cellEditor(), Qt::Key_Tab);
    QVERIFY(!h.editor->inCellEditing());
    QVERIFY(!h.cellEditor()->isVisible());
    QCOMPARE(h.shownCell(1, 2), QStringLiteral("tabbed"));
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus && focus != h.view() && focus != h.cellEditor());
    QVERIFY(h.dialog->isAncestorOf(focus));
}

void ListEditorWidgetTest::escapeCommitsAndCancels()
{
    Harness h;
    QVERIFY(h.show());
    h.doubleClick(1, 2);
    h.type(QStringLiteral("esc"));
    h.prompter.queueAnswer(Answer::No);
    QTest::keyClick(h.cellEditor(), Qt::Key_Escape);
    QCOMPARE(h.prompter.texts(),
             std::vector<std::string>{sj("データが変更されましたが、キャンセルしてよいのですか？")});
    QVERIFY(h.dialog->isVisible());
    QCOMPARE(h.shownCell(1, 2), QStringLiteral("esc"));
    h.prompter.queueAnswer(Answer::Yes);
    QTest::keyClick(h.view(), Qt::Key_Escape);
    QVERIFY(!h.dialog->isVisible());
    QCOMPARE(h.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(h.table(1, 2), std::string("r1"));
}

void ListEditorWidgetTest::okWhileEditingOnlyEndsTheEdit()
{
    Harness h;
    QVERIFY(h.show());
    h.doubleClick(3, 2);
    h.type(QStringLiteral("ok"));
    QTest::mouseClick(h.dialog->okButton(), Qt::LeftButton);
    QVERIFY(h.dialog->isVisible());
    QVERIFY(!h.editor->inCellEditing());
    QCOMPARE(h.shownCell(3, 2), QStringLiteral("ok"));
    QCOMPARE(h.table(3, 2), std::string("r3"));
    QTest::qWait(1);
    QTest::mouseClick(h.dialog->okButton(), Qt::LeftButton);
    QVERIFY(!h.dialog->isVisible());
    QCOMPARE(h.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(h.table(3, 2), std::string("ok"));
}

void ListEditorWidgetTest::okByKeyboardWhileEditingOnlyEndsTheEdit()
{
    Harness h;
    QVERIFY(h.show());
    h.doubleClick(1, 2);
    h.dialog->accept();
    QVERIFY(h.dialog->isVisible());
    QVERIFY(!h.editor->inCellEditing());
    QCOMPARE(QApplication::focusWidget(), h.view());
}

void ListEditorWidgetTest::scrollsOneRowAtThePageEdges()
{
    Harness h(40, 3);
    QVERIFY(h.show());
    const int page = h.view()->visibleRowCount();
    QVERIFY(page > 3 && page < 40);
    QCOMPARE(h.editor->pageRows(), page);
    QScrollBar* bar = h.view()->verticalScrollBar();
    QCOMPARE(bar->value(), 0);
    h.doubleClick(page, 2);
    QVERIFY(h.editor->inCellEditing());
    QTest::keyClick(h.cellEditor(), Qt::Key_Down);
    QCOMPARE(h.editor->currentRow(), page + 1);
    QCOMPARE(bar->value(), 1);
    QVERIFY(h.cellEditor()->isVisible());
    QVERIFY(h.view()->viewport()->geometry().contains(h.cellEditor()->geometry().center()));
    // Back up to the top edge: the list scrolls back by one row.
    for (int i = 0; i < page; ++i) QTest::keyClick(h.cellEditor(), Qt::Key_Up);
    QCOMPARE(h.editor->currentRow(), 1);
    QCOMPARE(bar->value(), 0);
    // Scrolled away by the user: the next move leaves the editor closed.
    bar->setValue(20);
    QCOMPARE(h.editor->topRow(), 21);
    QTest::keyClick(h.cellEditor(), Qt::Key_Down);
    QVERIFY(!h.editor->inCellEditing());
    QVERIFY(!h.cellEditor()->isVisible());
    QCOMPARE(QApplication::focusWidget(), h.view());
}

void ListEditorWidgetTest::pointerHiddenWhileTypingAndTrackedAfterwards()
{
    Harness h(40, 3);
    QVERIFY(h.show());
    auto blank = [] {
        return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BlankCursor;
    };
    h.doubleClick(2, 2);
    QVERIFY(blank());
    QTest::mouseMove(h.dialog->depth);
    QVERIFY(!blank());
    QVERIFY(h.editor->inCellEditing());
    QTest::keyClick(h.cellEditor(), Qt::Key_A);
    QVERIFY(blank());
    QTest::mouseMove(h.view()->viewport(), h.cellCenter(5, 1));
    QVERIFY(!blank());
    QVERIFY(h.editor->inCellEditing()); // the list was not scrolled
    h.view()->verticalScrollBar()->setValue(1);
    QTest::mouseMove(h.view()->viewport(), h.cellCenter(6, 1));
    QVERIFY(!h.editor->inCellEditing());
    QCOMPARE(QApplication::focusWidget(), h.view());
    QCOMPARE(h.shownCell(2, 2), QStringLiteral("r2a"));

    h.view()->verticalScrollBar()->setValue(0);
    h.doubleClick(3, 2);
    QVERIFY(blank());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(h.dialog.get(), &leave);
    QVERIFY(!h.editor->inCellEditing());
    QVERIFY(!blank());
}

void ListEditorWidgetTest::enterKeyModesOutsideTheEditor_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("focus");
    QTest::newRow("0 presses OK") << 0 << true << QString();
    QTest::newRow("1 next control") << 1 << false << QStringLiteral("text");
    QTest::newRow("2 swallowed") << 2 << false << QStringLiteral("depth");
}

void ListEditorWidgetTest::enterKeyModesOutsideTheEditor()
{
    QFETCH(int, mode);
    QFETCH(bool, closed);
    QFETCH(QString, focus);
    Harness h(10, 3, KeyOptions{mode, false});
    QVERIFY(h.show());
    QCOMPARE(QApplication::focusWidget(), h.dialog->depth);
    QTest::keyClick(h.dialog->depth, Qt::Key_Return);
    QCOMPARE(!h.dialog->isVisible(), closed);
    if (!closed) QCOMPARE(QApplication::focusWidget()->objectName(), focus);
}

void ListEditorWidgetTest::addThroughTheFieldsAndTheDuplicateMessage()
{
    Harness h;
    QVERIFY(h.show());
    QTest::keyClicks(h.dialog->depth, QStringLiteral("2"));
    QTest::keyClicks(h.dialog->text, QStringLiteral("dup"));
    QTest::mouseClick(h.dialog->addButton(), Qt::LeftButton);
    QCOMPARE(h.prompter.texts(),
             std::vector<std::string>{sj("同じ 深度データがあります.\n修正なら上書きしてください.")});
    h.dialog->depth->selectAll();
    QTest::keyClicks(h.dialog->depth, QStringLiteral("4"));
    QTest::mouseClick(h.dialog->underline, Qt::LeftButton);
    QTest::mouseClick(h.dialog->addButton(), Qt::LeftButton);
    QCOMPARE(h.shownCell(4, 1), QStringLiteral("4.00"));
    QCOMPARE(h.shownCell(4, 2), QStringLiteral("dup"));
    QCOMPARE(h.shownCell(4, 3), QStringLiteral("0"));
    QCOMPARE(h.dialog->depth->text(), QString());
    QVERIFY(h.dialog->underline->isChecked());
    QCOMPARE(QApplication::focusWidget(), h.dialog->depth);
    QVERIFY(h.view()->selectionModel()->selectedRows().isEmpty());
}

void ListEditorWidgetTest::clickLoadsTheRowAndTheLiveUpdateWritesIt()
{
    Harness h;
    QVERIFY(h.show());
    QTest::mouseClick(h.view()->viewport(), Qt::LeftButton, {}, h.cellCenter(2, 2));
    QCOMPARE(h.dialog->depth->text(), QStringLiteral("2.00"));
    QCOMPARE(h.dialog->text->currentText(), QStringLiteral("r2"));
    QVERIFY(!h.dialog->addButton()->isEnabled());
    QCOMPARE(h.view()->selectionModel()->selectedRows().value(0).row(), 1);
    h.dialog->text->setFocus();
    QTest::keyClicks(h.dialog->text, QStringLiteral("!"));
    QCOMPARE(h.shownCell(2, 2), QStringLiteral("r2!")); // editing a combo box updates at once
    h.dialog->text->setCurrentIndex(3);
    QCOMPARE(h.shownCell(2, 2), QStringLiteral("遮水区間　■"));
    QTest::mouseClick(h.dialog->underline, Qt::LeftButton);
    QCOMPARE(h.shownCell(2, 3), QStringLiteral("0"));
    h.dialog->depth->setFocus();
    QTest::keyClicks(h.dialog->depth, QStringLiteral("9"));
    QTest::keyClick(h.dialog->depth, Qt::Key_Tab); // leaving the field: a new depth is not written
    QCOMPARE(h.shownCell(2, 1), QStringLiteral("2.00"));
    QVERIFY(!h.dialog->addButton()->isEnabled());
    QTest::mouseClick(h.dialog->deleteButton(), Qt::LeftButton);
    QCOMPARE(h.shownCell(2, 2), QStringLiteral("r3"));
    QVERIFY(h.dialog->addButton()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), h.dialog->depth);
}

void ListEditorWidgetTest::scrollToLastRowOnOpening()
{
    Harness h(50, 30, KeyOptions{0, true});
    QVERIFY(h.show());
    int page = h.view()->visibleRowCount();
    QCOMPARE(h.view()->verticalScrollBar()->value() + page, 31);
    Harness off(50, 30, KeyOptions{0, false});
    QVERIFY(off.show());
    QCOMPARE(off.view()->verticalScrollBar()->value(), 0);
}

void ListEditorWidgetTest::moveButtonsKeepTheRowSelected()
{
    Harness h;
    QVERIFY(h.show());
    QTest::mouseClick(h.view()->viewport(), Qt::LeftButton, {}, h.cellCenter(2, 1));
    QTest::mouseClick(h.dialog->upButton(), Qt::LeftButton);
    QCOMPARE(h.shownCell(1, 2), QStringLiteral("r2"));
    QCOMPARE(h.shownCell(2, 2), QStringLiteral("r1"));
    QCOMPARE(h.view()->selectionModel()->selectedRows().value(0).row(), 0);
    QTest::mouseClick(h.dialog->downButton(), Qt::LeftButton);
    QTest::mouseClick(h.dialog->downButton(), Qt::LeftButton);
    QCOMPARE(h.shownCell(3, 2), QStringLiteral("r2"));
    QTest::mouseClick(h.dialog->downButton(), Qt::LeftButton); // already the last used row
    QCOMPARE(h.shownCell(3, 2), QStringLiteral("r2"));
    QVERIFY(h.shownCell(4, 2).isEmpty());
    h.dialog->setMoveButtonsVisible(false);
    QVERIFY(!h.dialog->upButton()->isVisible());
}

void ListEditorWidgetTest::aClickInTheDialogCommitsTheEditor()
{
    Harness h;
    QVERIFY(h.show());
    h.doubleClick(1, 2);
    h.type(QStringLiteral("clicked"));
    // The label beside the depth field takes no focus; the click reaches the dialog.
    QLabel* label = nullptr;
    for (QLabel* l : h.dialog->findChildren<QLabel*>())
        if (l->text() == QStringLiteral("深度 m")) label = l;
    QVERIFY(label && label->focusPolicy() == Qt::NoFocus);
    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(!h.editor->inCellEditing());
    QCOMPARE(h.shownCell(1, 2), QStringLiteral("clicked"));
    // A click on another row commits and then selects that row.
    h.doubleClick(1, 2);
    h.type(QStringLiteral("again"));
    QTest::mouseClick(h.view()->viewport(), Qt::LeftButton, {}, h.cellCenter(3, 1));
    QCOMPARE(h.shownCell(1, 2), QStringLiteral("again"));
    QCOMPARE(h.dialog->text->currentText(), QStringLiteral("r3"));
}

// With QC_SCREENSHOT_DIR set (under a real display), saves the dialog with a few rows.
void ListEditorWidgetTest::screenshot()
{
    QByteArray dir = qgetenv("QC_SCREENSHOT_DIR");
    if (dir.isEmpty()) QSKIP("QC_SCREENSHOT_DIR not set");
    Harness h(50, 0);
    const char* rows[][2] = {
        {"1.00", "保孔管なし"}, {"3.50", "有孔区間"}, {"7.25", "無孔区間"}, {"10.00", "遮水区間"}};
    int t = 1;
    for (auto& r : rows) {
        h.table(t, 1) = r[0];
        h.table(t, 2) = sj(r[1]);
        h.table(t, 3) = t % 2 ? "1" : "0";
        ++t;
    }
    h.editor->open();
    QVERIFY(h.show());
    QTest::mouseClick(h.view()->viewport(), Qt::LeftButton, {}, h.cellCenter(2, 1));
    h.doubleClick(3, 2);
    h.cellEditor()->insert(QStringLiteral("区間"));
    QTest::qWait(50);
    QVERIFY(h.dialog->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/listeditor.png")));
}

QTEST_MAIN(ListEditorWidgetTest)
#include "listeditorview_test.moc"
