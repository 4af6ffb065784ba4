// The test data input dialog under Qt Test: the read-only test fields, the
// "前深度と結ばない" box and the shift of a clicked sample written into its
// row at once, a sample added through the fields, and OK writing SampleTable
// with the mask bit and handing back the shifts.

#include "dialogs/testnameseditor.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "qt/listeditorview.h"
#include "qt/testdatadialog.h"
#include "support/testutil.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace qc;
using qc::test::sj;
using D = TestDataEditor;

class TestDataDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void boxShiftAddAndOk()
    {
        Document doc;
        auto& s = doc.SampleTable;
        for (int r = 1; r <= 2; ++r) {
            s(r, SampleCol::Top) = std::to_string(r) + ".00";
            s(r, SampleCol::test(17)) = "0." + std::to_string(r);
            s(r, SampleCol::test(1)) = "keep" + std::to_string(r);
        }
        ScriptedPrompter prompter;
        TestDataRequest req{17, sj("ほう素"), "mg/L", ""};
        D model(s, req, prompter, KeyOptions{});
        model.open();
        TestDataDialog d(model);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("testNo"))->text(), QStringLiteral("No.17"));
        QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("testName"))->text(), QStringLiteral("ほう素"));

        // A new, shallower sample through the fields.
        QTest::keyClicks(d.edit(D::Top), QStringLiteral("0.5"));
        d.edit(D::Value)->setFocus();
        QTest::keyClicks(d.edit(D::Value), QStringLiteral("0.05"));
        QTest::mouseClick(d.addButton(), Qt::LeftButton);
        QCOMPARE(model.usedRowCount(), 3);

        ListEditorView* list = d.listView();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(1, 0)).center());
        QCOMPARE(d.edit(D::Value)->text(), QStringLiteral("0.2"));
        d.noJoinBox()->click();
        QCOMPARE(list->model()->index(1, D::ColNoJoin - 1).data().toString(), QStringLiteral("1"));
        d.edit(D::Shift)->setFocus();
        QTest::keyClicks(d.edit(D::Shift), QStringLiteral("2.5"));
        d.edit(D::Top)->setFocus();
        QCOMPARE(list->model()->index(1, D::ColShift - 1).data().toString(), QStringLiteral("2.5"));

        QTest::mouseClick(d.okButton(), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(prompter.texts().empty());
        QCOMPARE(s(1, SampleCol::Top), std::string("0.50"));
        QCOMPARE(s(1, SampleCol::test(17)), std::string("0.05"));
        QCOMPARE(s(3, SampleCol::test(1)), std::string("keep2"));
        QCOMPARE(s(3, SampleCol::mask(17)), std::string("2")); // test 17 is the first of its group
        QCOMPARE(s(2, SampleCol::mask(17)), std::string("0"));
        QCOMPARE(model.newShifts(), std::string("3:2.5,"));
    }
};

QTEST_MAIN(TestDataDialogTest)
#include "testdatadialog_test.moc"
