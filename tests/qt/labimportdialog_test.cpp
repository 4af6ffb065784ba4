// "試験結果の読み込み" under Qt Test through its menu command: the file chooser
// answered with a CSV, the preview showing a fill and a conflict, the
// overwrite choice and the tick for a missing test, then OK (the log changes
// and is marked modified) or Cancel (nothing changes).

#include "document/positions.h"
#include "platform/files.h"
#include "qt/labimportdialog.h"
#include "qt/mainwindow.h"
#include "qt/qtdialoghost.h"
#include "support/listcommand.h"
#include "support/testutil.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

using namespace qc;
using qc::test::sj;

namespace {

void prepareLog(Document& doc)
{
    doc.TestNameTable(1, TestCol::Name) = sj("カドミウム");
    doc.TestNameTable(2, TestCol::Name) = sj("鉛");
    for (int t = 3; t <= limits::TestName; ++t) doc.TestNameTable(t, TestCol::Name).clear();
    doc.SampleTable(1, SampleCol::Top) = "1.00";
    doc.SampleTable(1, SampleCol::Number) = "S-1";
    doc.SampleTable(1, SampleCol::test(2)) = "0.005";
}

} // namespace

class LabImportDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void previewOverwriteAddTestsAndOk()
    {
        qc::test::TempDir dir;
        const std::string csv = dir.file("results.csv");
        QVERIFY(writeFileBytes(
            csv,
            "\xEF\xBB\xBF試料番号,Cd,鉛,ベンゼン,備考\r\n,mg/L,mg/L,mg/L,\r\nS-1,<0.001,0.006,0.002,\r\n"));
        for (bool ok : {true, false}) {
            Document doc;
            ScriptedPrompter prompter;
            Document before;
            auto run = qc::test::runListCommand<LabImportDialog>(
                CommandId::LabImport, doc, prompter,
                [&](LabImportDialog& d) {
                    QCOMPARE(d.windowTitle(), QStringLiteral("試験結果の読み込み"));
                    QTableWidget* t = d.preview();
                    QCOMPARE(t->rowCount(), 1);
                    QCOMPARE(t->columnCount(), 3);
                    QCOMPARE(t->item(0, 0)->text(), QStringLiteral("<0.001"));
                    QCOMPARE(t->item(0, 1)->text(), QStringLiteral("0.005 → 0.006"));
                    QVERIFY(
                        t->horizontalHeaderItem(2)->text().startsWith(QStringLiteral("ベンゼン（未登録）")));
                    QVERIFY(d.reportField()->toPlainText().contains(QStringLiteral("備考")));
                    QVERIFY(d.fillButton()->isChecked());
                    d.overwriteButton()->click();
                    QVERIFY(d.addTestsBox()->isEnabled());
                    d.addTestsBox()->click();
                    QVERIFY(
                        t->horizontalHeaderItem(2)->text().startsWith(QStringLiteral("ベンゼン（追加）")));
                    if (ok)
                        QTest::mouseClick(d.okButton(), Qt::LeftButton);
                    else
                        d.reject();
                },
                [&](Document& prepared) {
                    prepareLog(prepared);
                    before = prepared;
                },
                [&](MainWindow& window) {
                    window.dialogs().setFileRunner(
                        [&](QFileDialog&) { return std::optional<QString>(QString::fromStdString(csv)); });
                });
            QVERIFY(run.ran);
            if (ok) {
                QCOMPARE(doc.SampleTable(1, SampleCol::test(1)), std::string("<0.001"));
                QCOMPARE(doc.SampleTable(1, SampleCol::test(2)), std::string("0.006"));
                QCOMPARE(doc.TestNameTable(3, TestCol::Name), sj("ベンゼン"));
                QCOMPARE(doc.SampleTable(1, SampleCol::test(3)), std::string("0.002"));
                QCOMPARE(doc.modified, 1);
            } else {
                QVERIFY(doc.SampleTable == before.SampleTable);
                QVERIFY(doc.TestNameTable == before.TestNameTable);
                QCOMPARE(doc.modified, 0);
            }
        }
    }
};

QTEST_MAIN(LabImportDialogTest)
#include "labimportdialog_test.moc"
