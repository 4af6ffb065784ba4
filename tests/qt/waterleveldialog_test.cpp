// The "孔内水位" dialog under Qt Test: a level typed without a sign, the date
// and a remark picked, the display box and the position, added and written
// back through the main window's command.

#include "document/positions.h"
#include "qt/listeditorview.h"
#include "qt/waterleveldialog.h"
#include "support/listcommand.h"
#include "support/testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace qc;
using qc::test::sj;
using W = WaterLevelEditor;

class WaterLevelDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void addTwoLevelsAndOk()
    {
        Document doc;
        ScriptedPrompter prompter;
        auto run = qc::test::runListCommand<WaterLevelDialog>(
            CommandId::WaterLevel, doc, prompter, [](WaterLevelDialog& d) {
                QCOMPARE(d.windowTitle(), QStringLiteral("孔内水位"));
                QVERIFY(d.levelEdit()->hasFocus());
                QVERIFY(d.levelShownBox()->isChecked() && d.dateShownBox()->isChecked());
                QVERIFY(d.positionButton(W::Standard)->isChecked());
                QCOMPARE(d.remarkCombo()->count(), 6);

                QTest::keyClicks(d.levelEdit(), QStringLiteral("2.5"));
                QTest::keyClick(d.levelEdit(), Qt::Key_Tab); // the sign rule on leaving
                QCOMPARE(d.levelEdit()->text(), QStringLiteral("-2.5"));
                d.dateEdit()->setFocus();
                QTest::keyClicks(d.dateEdit(), QStringLiteral("4/12"));
                d.remarkCombo()->setFocus();
                d.remarkCombo()->setCurrentIndex(0);
                emit d.remarkCombo()->activated(0);
                d.dateShownBox()->click();
                d.positionButton(W::LowerLeft)->click();
                QTest::mouseClick(d.addButton(), Qt::LeftButton);
                QCOMPARE(d.listView()->model()->index(0, 0).data().toString(), QStringLiteral("-2.50"));
                QCOMPARE(d.listView()->model()->index(0, 3).data().toString(), QStringLiteral("."));
                QCOMPARE(d.listView()->model()->index(0, 5).data().toString(), QStringLiteral("2"));
                // The controls are back to their defaults.
                QVERIFY(d.dateShownBox()->isChecked());
                QVERIFY(d.positionButton(W::Standard)->isChecked());

                QTest::keyClicks(d.levelEdit(), QStringLiteral("+0.3"));
                QTest::mouseClick(d.addButton(), Qt::LeftButton);
                QTest::mouseClick(d.okButton(), Qt::LeftButton);
            });
        QVERIFY(run.ran);
        QCOMPARE(run.result, int(QDialog::Accepted));
        const TextTable& t = doc.WaterLevelTable;
        QCOMPARE(QString::fromStdString(t(1, WaterCol::Level)), QStringLiteral("-2.50"));
        QCOMPARE(QString::fromStdString(t(1, WaterCol::Date)), QStringLiteral("4/12"));
        QCOMPARE(t(1, WaterCol::Note), sj("認められず"));
        QCOMPARE(QString::fromStdString(t(1, WaterCol::Flags)), QStringLiteral("17"));
        QCOMPARE(QString::fromStdString(t(2, WaterCol::Level)), QStringLiteral("+0.30"));
        QCOMPARE(QString::fromStdString(t(2, WaterCol::Flags)), QStringLiteral("7"));
        QVERIFY(t(3, WaterCol::Level).empty());
        QCOMPARE(doc.modified, 1);
        QVERIFY(prompter.texts().empty());
    }
};

QTEST_MAIN(WaterLevelDialogTest)
#include "waterleveldialog_test.moc"
