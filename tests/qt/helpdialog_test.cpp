// The help dialog under Qt Test: the bundled help text in the list,
// "開いて印刷" trying both editors and saying when neither starts, and OK
// leaving the log as it was.

#include "platform/launcher.h"
#include "qt/helpdialog.h"
#include "qt/qtext.h"
#include "support/settingswindow.h"
#include "support/testutil.h"

#include <QListWidget>

using namespace qc;
using qc::test::SettingsWindow;
using qc::test::u8;

class HelpDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void linesAndOpenAndPrint()
    {
        SettingsWindow w;
        ScriptedLauncher launcher;
        launcher.answers = {false, false};
        w.window.dialogs().setLauncher(&launcher);
        int lines = 0;
        QString first;
        QVERIFY(w.run<HelpDialog>(CommandId::Help, [&](HelpDialog& d) {
            lines = d.list()->count();
            first = d.list()->item(0)->text();
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("openAndPrint")), Qt::LeftButton);
            return SettingsWindow::clickOk(d);
        }));
        QVERIFY(lines > 10);
        QVERIFY(first.contains(QStringLiteral("ヘルプ")));
        QCOMPARE(launcher.calls,
                 (std::vector<std::string>{"text:" + w.app.paths.help, "plain:" + w.app.paths.help}));
        QCOMPARE(w.prompter.texts().size(), size_t(1));
        QCOMPARE(u8(w.prompter.texts()[0]), std::string("実行できませんでした"));
        QCOMPARE(w.doc.modified, 0);
    }

    void missingHelpFileSaysSo()
    {
        SettingsWindow w;
        std::remove(w.app.paths.help.c_str());
        int lines = -1;
        QVERIFY(w.run<HelpDialog>(CommandId::Help, [&](HelpDialog& d) {
            lines = d.list()->count();
            return SettingsWindow::clickOk(d);
        }));
        QCOMPARE(lines, 0);
        QCOMPARE(u8(w.prompter.texts().at(0)), "ファイルが見つかりません\n(" + w.app.paths.help + ")");
    }
};

QTEST_MAIN(HelpDialogTest)
#include "helpdialog_test.moc"
