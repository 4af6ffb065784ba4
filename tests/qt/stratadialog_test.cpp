// The "地層 岩体" dialog under Qt Test: depths typed, a division picked from
// the master's list, added and written back through the main window's command.

#include "document/positions.h"
#include "qt/listeditorview.h"
#include "qt/stratadialog.h"
#include "support/listcommand.h"
#include "support/testutil.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace qc;
using qc::test::u8;

class StrataDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void addAndOk()
    {
        Document doc;
        ScriptedPrompter prompter;
        QString picked;
        auto run =
            qc::test::runListCommand<StrataDialog>(CommandId::Strata, doc, prompter, [&](StrataDialog& d) {
                QCOMPARE(d.windowTitle(), QStringLiteral("地層 岩体"));
                QCOMPARE(d.listView()->model()->rowCount(), 10);
                QVERIFY(d.divisionList()->count() > 0); // the bundled "Jso.mst"
                QVERIFY(d.topEdit()->hasFocus());
                QTest::keyClicks(d.topEdit(), QStringLiteral("0"));
                QTest::keyClicks(d.bottomEdit(), QStringLiteral("5.5"));
                QListWidget* list = d.divisionList();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(0)).center());
                picked = list->item(0)->text();
                QCOMPARE(d.nameEdit()->text(), picked);
                QTest::mouseClick(d.addButton(), Qt::LeftButton);
                QCOMPARE(d.listView()->model()->index(0, 2).data().toString(), picked);
                QTest::mouseClick(d.okButton(), Qt::LeftButton);
            });
        QVERIFY(run.ran);
        QCOMPARE(run.result, int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(doc.StratumTable(1, StratumCol::Top)), QStringLiteral("0.00"));
        QCOMPARE(QString::fromStdString(doc.StratumTable(1, StratumCol::Bottom)), QStringLiteral("5.50"));
        QCOMPARE(QString::fromStdString(u8(doc.StratumTable(1, StratumCol::Name))), picked);
        QCOMPARE(doc.modified, 1);
        QVERIFY(prompter.texts().empty());
    }
};

QTEST_MAIN(StrataDialogTest)
#include "stratadialog_test.moc"
