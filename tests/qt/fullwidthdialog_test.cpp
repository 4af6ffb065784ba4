// The "全角英数字の有無" dialog under Qt Test: opened by its command, "検査"
// shows the report of the document, OK closes and the document is unchanged.

#include "document/positions.h"
#include "qt/fullwidthdialog.h"
#include "support/listcommand.h"
#include "support/testutil.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace qc;
using qc::test::sj;

class FullWidthDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void checkShowsTheReport()
    {
        Document doc;
        ScriptedPrompter prompter;
        Document before;
        auto run = qc::test::runListCommand<FullWidthDialog>(
            CommandId::FullWidthCheck, doc, prompter,
            [](FullWidthDialog& d) {
                QCOMPARE(d.windowTitle(), QStringLiteral("全角英数字の有無"));
                QStringList labels;
                for (QLabel* l : d.findChildren<QLabel*>()) labels << l->text();
                QVERIFY(labels.contains(QStringLiteral("についてチェック")));
                QVERIFY(d.reportField()->toPlainText().isEmpty());
                QTest::mouseClick(d.checkButton(), Qt::LeftButton);
                QVERIFY(d.reportField()->toPlainText().contains(
                    QStringLiteral("▼地質 色調\n( 1.00 m ) ＳＭ粘土  \n")));
                QTest::mouseClick(d.okButton(), Qt::LeftButton);
            },
            [&](Document& prepared) {
                prepared.GeologyTable(1, GeologyCol::Depth) = "1.00";
                prepared.GeologyTable(1, GeologyCol::Name) = sj("ＳＭ粘土");
                before = prepared;
            });
        QVERIFY(run.ran);
        QVERIFY(doc.GeologyTable == before.GeologyTable);
        QCOMPARE(doc.modified, 0);
    }
};

QTEST_MAIN(FullWidthDialogTest)
#include "fullwidthdialog_test.moc"
