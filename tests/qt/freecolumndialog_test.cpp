// The "空欄 削孔" dialog under Qt Test in both modes: rows typed into the
// cells with the in-cell editor and Enter, the hint shown only for the free
// column, and the rows written back sorted by depth through the commands.

#include "document/positions.h"
#include "qt/freecolumndialog.h"
#include "qt/listeditorview.h"
#include "support/listcommand.h"
#include "support/testutil.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace qc;

namespace {

// Opens the in-cell editor on a cell and types the texts, Enter after each.
void typeRow(FreeColumnDialog& d, int row, const QStringList& texts)
{
    ListEditorView* v = d.listView();
    QRect cell = v->visualRect(v->model()->index(row, 0));
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, cell.center());
    for (const QString& t : texts) {
        QLineEdit* e = v->cellEditor();
        QVERIFY(e->isVisible());
        e->selectAll();
        QTest::keyClicks(e, t);
        QTest::keyClick(e, Qt::Key_Return);
    }
    QTest::keyClick(v->cellEditor(), Qt::Key_Escape);
}

} // namespace

class FreeColumnDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void freeColumnTypedInCells()
    {
        Document doc;
        ScriptedPrompter prompter;
        auto run = qc::test::runListCommand<FreeColumnDialog>(
            CommandId::FreeColumn, doc, prompter, [](FreeColumnDialog& d) {
                QCOMPARE(d.windowTitle(), QStringLiteral("空欄"));
                QVERIFY(d.hint()->isVisible());
                QVERIFY(!d.addButton()->isVisible() && !d.overwriteButton()->isVisible());
                QVERIFY(d.upButton()->isVisible());
                QCOMPARE(d.listView()->model()->columnCount(), 3);
                typeRow(d, 0, {QStringLiteral("8"), QStringLiteral("GL-8m"), QStringLiteral("1")});
                typeRow(d, 1, {QStringLiteral("2.5"), QStringLiteral("VP50")});
                QTest::mouseClick(d.okButton(), Qt::LeftButton);
            });
        QVERIFY(run.ran);
        QCOMPARE(run.result, int(QDialog::Accepted));
        const TextTable& t = doc.FreeColumnTable;
        QCOMPARE(QString::fromStdString(t(1, FreeCol::Depth)), QStringLiteral("2.50"));
        QCOMPARE(QString::fromStdString(t(1, FreeCol::Text)), QStringLiteral("VP50"));
        QCOMPARE(QString::fromStdString(t(2, FreeCol::Depth)), QStringLiteral("8.00"));
        QCOMPARE(QString::fromStdString(t(2, FreeCol::Underline)), QStringLiteral("1"));
        QCOMPARE(doc.modified, 1);
    }

    void drillDatesTypedInCells()
    {
        Document doc;
        ScriptedPrompter prompter;
        auto run = qc::test::runListCommand<FreeColumnDialog>(
            CommandId::DrillDate, doc, prompter, [](FreeColumnDialog& d) {
                QCOMPARE(d.windowTitle(), QStringLiteral("削孔月日"));
                QVERIFY(!d.hint()->isVisible());
                QCOMPARE(d.listView()->model()->columnCount(), 2);
                typeRow(d, 0, {QStringLiteral("3"), QStringLiteral("4/10")});
                QTest::mouseClick(d.okButton(), Qt::LeftButton);
            });
        QVERIFY(run.ran);
        QCOMPARE(run.result, int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(doc.DrillDateTable(1, DrillDateCol::Depth)), QStringLiteral("3.00"));
        QCOMPARE(QString::fromStdString(doc.DrillDateTable(1, DrillDateCol::Date)), QStringLiteral("4/10"));
    }
};

QTEST_MAIN(FreeColumnDialogTest)
#include "freecolumndialog_test.moc"
