// The "基準超過一覧" dialog under Qt Test: opened from the data menu on a log with values,
// the summary and the rows shown with the exceeding ones in bold, "超過のみ表示" and the
// copy to the clipboard; the document is unchanged.

#include "document/positions.h"
#include "qt/exceedancelistdialog.h"
#include "support/listcommand.h"
#include "support/testutil.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace qc;
using qc::test::sj;

class ExceedanceListDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void showsFiltersAndCopies()
    {
        Document doc;
        ScriptedPrompter prompter;
        Document before;
        auto run = qc::test::runListCommand<ExceedanceListDialog>(
            CommandId::ExceedanceList, doc, prompter,
            [](ExceedanceListDialog& d) {
                QCOMPARE(d.windowTitle(), QStringLiteral("基準超過一覧"));
                QTableWidget* summary = d.summaryTable();
                QCOMPARE(summary->rowCount(), 1);
                QCOMPARE(summary->item(0, 0)->text(), QStringLiteral("鉛"));
                QCOMPARE(summary->item(0, 4)->text(), QStringLiteral("1")); // exceeding
                QCOMPARE(summary->item(0, 5)->text(), QStringLiteral("1")); // limit above the reference
                QCOMPARE(summary->item(0, 6)->text(), QStringLiteral("3.2"));
                QTableWidget* rows = d.rowsTable();
                QCOMPARE(rows->rowCount(), 3);
                // By depth: S-1 (0.05 m) first although it is the second sample row.
                QCOMPARE(rows->item(0, 0)->text(), QStringLiteral("S-1"));
                QCOMPARE(rows->item(0, 8)->text(), QStringLiteral("超過"));
                QVERIFY(rows->item(0, 0)->font().bold());
                QVERIFY(!rows->item(1, 0)->font().bold());
                QCOMPARE(rows->item(2, 8)->text(), QStringLiteral("定量下限が基準値を超える"));
                QVERIFY(d.findChild<QLabel*>(QStringLiteral("counts"))
                            ->text()
                            .contains(QStringLiteral("基準超過 1 件")));

                d.flaggedOnlyBox()->click();
                QCOMPARE(rows->rowCount(), 2);
                QCOMPARE(rows->item(1, 0)->text(), QStringLiteral("S-3"));

                QTest::mouseClick(d.copyButton(), Qt::LeftButton);
                const QString copied = QGuiApplication::clipboard()->text();
                QVERIFY(copied.startsWith(QStringLiteral("試験名\t単位\t基準値\t")));
                QVERIFY(
                    copied.contains(QStringLiteral("S-1\t0.05\t0.50\t鉛\tmg/L\t0.032\t0.01\t3.2\t超過\n")));
                QVERIFY(!copied.contains(QStringLiteral("S-2\t"))); // only the rows shown
                QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("close")), Qt::LeftButton);
            },
            [&](Document& prepared) {
                prepared.TestNameTable(1, TestCol::Name) = sj("鉛");
                prepared.TestNameTable(1, TestCol::Unit) = "mg/L";
                prepared.TestNameTable(1, TestCol::Reference) = "0.01";
                const char* samples[][4] = {{"1.00", "1.50", "S-2", "0.004"},
                                            {"0.05", "0.50", "S-1", "0.032"},
                                            {"3.00", "3.50", "S-3", "<0.05"}};
                for (int r = 1; r <= 3; ++r) {
                    prepared.SampleTable(r, SampleCol::Top) = samples[r - 1][0];
                    prepared.SampleTable(r, SampleCol::Bottom) = samples[r - 1][1];
                    prepared.SampleTable(r, SampleCol::Number) = samples[r - 1][2];
                    prepared.SampleTable(r, SampleCol::test(1)) = samples[r - 1][3];
                }
                before = prepared;
            });
        QVERIFY(run.ran);
        QVERIFY(doc.SampleTable == before.SampleTable);
        QCOMPARE(doc.modified, 0);
    }
};

QTEST_MAIN(ExceedanceListDialogTest)
#include "exceedancelistdialog_test.moc"
