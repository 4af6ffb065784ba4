// The scale dialog under Qt Test: a value out of range keeps it open on its
// field, leaving the depth scale recomputes the largest page depth, and OK
// stores the scale and writes the settings file (Cancel writes nothing).

#include "app/settings.h"
#include "qt/qtext.h"
#include "qt/scaledialog.h"
#include "support/settingswindow.h"
#include "support/testutil.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace qc;
using qc::test::SettingsWindow;
using qc::test::u8;
using S = ScaleEditor;

namespace {

void retype(QLineEdit* e, const QString& text)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
}

} // namespace

class ScaleDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void rangeCheckRecomputationAndOk()
    {
        SettingsWindow w;
        const std::string before = w.fileBytes(w.app.paths.settings);
        bool stayed = false, refocused = false;
        QString maxAt200;
        QVERIFY(w.run<ScaleDialog>(CommandId::Scale, [&](ScaleDialog& d) {
            retype(d.edit(S::DepthScale), QStringLiteral("20"));
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            stayed = d.isVisible();
            refocused = d.edit(S::DepthScale)->hasFocus();
            retype(d.edit(S::DepthScale), QStringLiteral("200"));
            d.edit(S::DepthPerPage)->setFocus(); // leaving the field
            maxAt200 = d.maxDepthEdit()->text();
            retype(d.edit(S::DepthPerPage), QStringLiteral("30"));
            retype(d.edit(S::PrintStart), QStringLiteral("-10"));
            d.depthPartOnlyBox()->click();
            return SettingsWindow::clickOk(d);
        }));
        QVERIFY(stayed);
        QVERIFY(refocused);
        QCOMPARE(u8(w.prompter.texts().at(0)), std::string("25 から 500 までの整数を入力してください。"));
        // (paper - 115 - 5 - 10) x 200 / 1000, with the 5 mm top margin of the bundled settings.
        QCOMPARE(maxAt200, QString::number((w.view.paperHeightMm - 130) * 200 / 1000));
        QCOMPARE(w.view.depthScaleDenominator, 200);
        QCOMPARE(w.view.depthPerPage, 30);
        QCOMPARE(w.view.printStartDepth, -10.0);
        QVERIFY(w.view.scaleDepthPartOnly);
        const Settings written = parseSettings(w.fileBytes(w.app.paths.settings));
        QCOMPARE(written.depthPerPage(), 30);
        QVERIFY(written.scaleDepthPartOnly());
        QVERIFY(w.fileBytes(w.app.paths.settings) != before);
        QCOMPARE(w.doc.modified, 0);
    }

    void cancelWritesNothing()
    {
        SettingsWindow w;
        const std::string before = w.fileBytes(w.app.paths.settings);
        const int depth = w.view.depthPerPage;
        QVERIFY(w.run<ScaleDialog>(CommandId::Scale, [](ScaleDialog& d) {
            retype(d.edit(S::DepthPerPage), QStringLiteral("7"));
            return SettingsWindow::clickCancel(d);
        }));
        QCOMPARE(w.view.depthPerPage, depth);
        QCOMPARE(w.fileBytes(w.app.paths.settings), before);
    }
};

QTEST_MAIN(ScaleDialogTest)
#include "scaledialog_test.moc"
