// The "保孔管" dialog under Qt Test: a depth typed, a pipe kind picked
// from the combo, added and written back with the words before the
// ideographic space through the main window's command.

#include "document/positions.h"
#include "qt/casingdialog.h"
#include "qt/listeditorview.h"
#include "support/listcommand.h"
#include "support/testutil.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace qc;
using qc::test::u8;

class CasingDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void addAndOk()
    {
        Document doc;
        ScriptedPrompter prompter;
        auto run =
            qc::test::runListCommand<CasingDialog>(CommandId::Casing, doc, prompter, [](CasingDialog& d) {
                QCOMPARE(d.windowTitle(), QStringLiteral("保孔管"));
                QCOMPARE(d.pipeKindCombo()->count(), 5);
                QTest::keyClicks(d.depthEdit(), QStringLiteral("6"));
                d.pipeKindCombo()->setFocus();
                d.pipeKindCombo()->setCurrentIndex(1);
                emit d.pipeKindCombo()->activated(1);
                QCOMPARE(d.pipeKindCombo()->currentText(), QStringLiteral("有孔区間　oo"));
                QTest::mouseClick(d.addButton(), Qt::LeftButton);
                QCOMPARE(d.listView()->model()->index(0, 1).data().toString(),
                         QStringLiteral("有孔区間　oo"));
                QTest::keyClicks(d.depthEdit(), QStringLiteral("2"));
                d.pipeKindCombo()->setCurrentIndex(3);
                emit d.pipeKindCombo()->activated(3);
                QTest::mouseClick(d.addButton(), Qt::LeftButton);
                QTest::mouseClick(d.okButton(), Qt::LeftButton);
            });
        QVERIFY(run.ran);
        QCOMPARE(run.result, int(QDialog::Accepted));
        const TextTable& t = doc.CasingTable;
        QCOMPARE(QString::fromStdString(t(1, CasingCol::Depth)), QStringLiteral("2.00"));
        QCOMPARE(QString::fromStdString(u8(t(1, CasingCol::PipeKind))), QStringLiteral("遮水区間"));
        QCOMPARE(QString::fromStdString(t(2, CasingCol::Depth)), QStringLiteral("6.00"));
        QCOMPARE(QString::fromStdString(u8(t(2, CasingCol::PipeKind))), QStringLiteral("有孔区間"));
        QCOMPARE(doc.modified, 1);
    }
};

QTEST_MAIN(CasingDialogTest)
#include "casingdialog_test.moc"
