// The key options dialog under Qt Test: the radios and the check box show
// the settings, OK stores them and writes the settings file, Cancel does not.

#include "app/settings.h"
#include "qt/keyoptionsdialog.h"
#include "support/settingswindow.h"

#include <QCheckBox>
#include <QRadioButton>

using namespace qc;
using qc::test::SettingsWindow;

class KeyOptionsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void okWritesAndCancelDoesNot()
    {
        SettingsWindow w;
        w.app.settings.setInt(31, 1);
        w.app.settings.setInt(32, 0);
        const std::string before = w.fileBytes(w.app.paths.settings);
        QVERIFY(w.run<KeyOptionsDialog>(CommandId::KeyOptions, [](KeyOptionsDialog& d) {
            if (!d.enterRadio(1)->isChecked() || d.scrollBox()->isChecked()) return int(QDialog::Rejected);
            d.enterRadio(2)->click();
            d.scrollBox()->click();
            return SettingsWindow::clickCancel(d);
        }));
        QCOMPARE(w.app.settings.enterKeyMode(), 1);
        QCOMPARE(w.fileBytes(w.app.paths.settings), before);

        QVERIFY(w.run<KeyOptionsDialog>(CommandId::KeyOptions, [](KeyOptionsDialog& d) {
            d.enterRadio(2)->click();
            d.scrollBox()->click();
            return SettingsWindow::clickOk(d);
        }));
        QCOMPARE(w.app.settings.enterKeyMode(), 2);
        QVERIFY(w.app.settings.scrollToLastRow());
        const Settings written = parseSettings(w.fileBytes(w.app.paths.settings));
        QCOMPARE(written.enterKeyMode(), 2);
        QVERIFY(written.scrollToLastRow());
        QCOMPARE(w.doc.modified, 0);
    }
};

QTEST_MAIN(KeyOptionsDialogTest)
#include "keyoptionsdialog_test.moc"
