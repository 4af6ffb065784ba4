// The log style sheet under Qt Test: both pages, "白黒設定" with "精細",
// the colour button with a scripted chooser and its swatch, the Enter key
// mode, the whole-number check, and the settings file written on OK only.

#include "app/settings.h"
#include "platform/colourchooser.h"
#include "qt/qtext.h"
#include "qt/styledialog.h"
#include "support/settingswindow.h"
#include "support/testutil.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

using namespace qc;
using qc::test::SettingsWindow;
using qc::test::u8;

class StyleDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void editBothPagesAndOk()
    {
        SettingsWindow w;
        ScriptedColourChooser colours;
        colours.queue(0x0000ff);
        colours.queue(0x00ff00);
        w.window.dialogs().setColourChooser(&colours);
        w.app.settings.setText(58, "0xff");
        bool ok = true;
        QVERIFY(w.run<CPSYosik>(CommandId::Style, [&](CPSYosik& d) {
            ok = ok && d.windowTitle() == QStringLiteral("柱状図様式") && d.tabs()->count() == 2;
            ok = ok && d.tabs()->tabText(0) == QStringLiteral("表示位置 社名など");
            CPageYosik1* p1 = d.page1();
            p1->sampleBottomRadio(2)->click();
            p1->companyEdit()->setFocus();
            p1->companyEdit()->selectAll();
            QTest::keyClick(p1->companyEdit(), Qt::Key_Delete);
            d.tabs()->setCurrentIndex(1);
            CPageYosik2* p2 = d.page2();
            // "0xff" presets the chooser with 255; the chosen colour and its swatch follow.
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("colour1")), Qt::LeftButton);
            ok = ok && p2->edit(58)->text() == QStringLiteral("0x0000ff");
            ok = ok && p2->swatch(1)->palette().color(QPalette::Window) == QColor(255, 0, 0);
            p2->fineBox()->click();
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("blackAndWhite")), Qt::LeftButton);
            ok = ok && p2->monochromeRadio()->isChecked() && p2->edit(15)->text() == QStringLiteral("1") &&
                 p2->edit(23)->text() == QStringLiteral("5") && p2->edit(14)->isEnabled() &&
                 !p2->edit(57)->isEnabled();
            ok = ok && p2->noteLabel()->text() == QStringLiteral("空白部=0で実線を描画");
            p2->colourRadio()->click();
            ok = ok && p2->edit(23)->text() == QStringLiteral("0") && !p2->edit(23)->isEnabled();
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("colour1")), Qt::LeftButton);
            QLineEdit* frame = p2->edit(8);
            frame->setFocus();
            frame->selectAll();
            QTest::keyClicks(frame, QStringLiteral("3"));
            return SettingsWindow::clickOk(d);
        }));
        QVERIFY(ok);
        // The second preset is the default "白黒設定" put back.
        QCOMPARE(colours.openedWith(), (std::vector<uint32_t>{255, 0xcccccc}));
        const Settings written = parseSettings(w.fileBytes(w.app.paths.settings));
        QCOMPARE(written.frameWidth(), 3);
        QCOMPARE(written.sampleBottomLabelPosition(), 2);
        QCOMPARE(written.gridWidth(1), 1);
        QVERIFY(!written.gridMonochrome());
        QCOMPARE(written.textAt(58), std::string("0x00ff00"));
        QCOMPARE(u8(written.companyName()), std::string("株式会社"));
        QCOMPARE(w.app.settings.frameWidth(), 3);
        QCOMPARE(w.doc.modified, 0);
    }

    void wrongNumberKeepsTheSheetOpenAndCancelWritesNothing()
    {
        SettingsWindow w;
        const std::string before = w.fileBytes(w.app.paths.settings);
        bool stayed = false, onField = false;
        QVERIFY(w.run<CPSYosik>(CommandId::Style, [&](CPSYosik& d) {
            QLineEdit* left = d.page2()->edit(51);
            d.tabs()->setCurrentIndex(1);
            left->setFocus();
            left->selectAll();
            QTest::keyClicks(left, QStringLiteral("2.5"));
            d.tabs()->setCurrentIndex(0);
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            stayed = d.isVisible();
            onField = d.tabs()->currentIndex() == 1 && left->hasFocus();
            return SettingsWindow::clickCancel(d);
        }));
        QVERIFY(stayed);
        QVERIFY(onField);
        QCOMPARE(u8(w.prompter.texts().at(0)), std::string("整数を入力してください。"));
        QCOMPARE(w.fileBytes(w.app.paths.settings), before);
        QCOMPARE(w.app.settings.marginLeftMm(), 5);
    }

    void enterMovesToTheNextFieldInModeOne()
    {
        SettingsWindow w;
        w.app.settings.setInt(31, 1);
        bool moved = false, open = false;
        QVERIFY(w.run<CPSYosik>(CommandId::Style, [&](CPSYosik& d) {
            QLineEdit* company = d.page1()->companyEdit();
            company->setFocus();
            QTest::keyClick(company, Qt::Key_Return);
            moved = !company->hasFocus();
            open = d.isVisible();
            return SettingsWindow::clickCancel(d);
        }));
        QVERIFY(moved);
        QVERIFY(open);
    }
};

QTEST_MAIN(StyleDialogTest)
#include "styledialog_test.moc"
