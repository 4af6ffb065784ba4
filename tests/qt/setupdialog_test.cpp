// The setup dialog under Qt Test: the folder alone on this platform, the
// leading separator added when the field is left (at the latest by OK), and OK writing the pointer
// file and reloading the settings from the new folder.

#include "app/installfolder.h"
#include "qt/qtext.h"
#include "qt/setupdialog.h"
#include "support/settingswindow.h"
#include "support/testutil.h"

#include <QLineEdit>

#include <filesystem>

using namespace qc;
using qc::test::SettingsWindow;
using qc::test::TempDir;

class SetupDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void folderIsStoredAndTheMastersReloaded()
    {
        TempDir dir;
        const std::string target = dir.file("qvor");
        std::filesystem::copy(std::string(QC_SOURCE_DIR) + "/data/install", target,
                              std::filesystem::copy_options::recursive);
        // A settings line that shows the reload came from the new folder.
        Settings s = builtinSettings();
        s.setInt(8, 7);
        QVERIFY(writeSettingsFile(target + "/Sys.ndx", s));

        SettingsWindow w;
        bool driveHidden = false;
        QString shownFolder;
        QVERIFY(w.run<SetupDialog>(CommandId::Setup, [&](SetupDialog& d) {
            driveHidden = d.driveEdit()->isHidden();
            shownFolder = d.folderEdit()->text();
            QLineEdit* folder = d.folderEdit();
            folder->setFocus();
            folder->selectAll();
            QTest::keyClicks(folder, fromNativePath(target).mid(1)); // without its leading "/"
            // OK leaves the folder field even where buttons take no focus.
            return SettingsWindow::clickOk(d);
        }));
        QVERIFY(driveHidden);
        QCOMPARE(shownFolder, fromNativePath(w.app.env.defaultFolder));
        QCOMPARE(QString::fromStdString(w.app.install.path), QString::fromStdString(target));
        QCOMPARE(w.app.settings.frameWidth(), 7);
        QCOMPARE(w.fileBytes(w.app.env.pointerFile), target + "\r\n");
        QCOMPARE(w.doc.modified, 0);
        QVERIFY(w.prompter.texts().empty());
    }
};

QTEST_MAIN(SetupDialogTest)
#include "setupdialog_test.moc"
