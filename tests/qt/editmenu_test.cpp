// The Edit menu of the main window: a real header dialog's OK is one step, the menu
// names it, undo and redo restore the log and the title's modified mark follows.

#include "app/appcontext.h"
#include "app/recovery.h"
#include "app/viewstate.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "qt/mainwindow.h"
#include "qt/qtext.h"
#include "support/testutil.h"

#include <QAction>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <chrono>
#include <filesystem>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

namespace {

// The example log opened in a main window, as from the command line.
struct SampleWindow
{
    qc::test::TempDir dir;
    AppContext app;
    Document doc;
    ViewState view;
    ScriptedPrompter prompter;
    MainWindow window{app, doc, view};

    SampleWindow()
    {
        const std::string log = dir.file("log.bhc");
        std::filesystem::copy_file(std::string(QC_SOURCE_DIR) + "/examples/sample.bhc", log);
        window.setPrompter(&prompter);
        window.start(log);
    }

    // The header dialog answers with *typed as its survey name, then OK.
    void typeSurveyName(const QString* typed)
    {
        window.dialogs().setRunner([typed](QDialog& d) {
            auto* survey = d.findChild<QLineEdit*>(QStringLiteral("surveyName"));
            if (!survey) return int(QDialog::Rejected);
            survey->selectAll();
            // Typed as one key event: QTest's key clicks take ASCII only.
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, *typed);
            QApplication::sendEvent(survey, &key);
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            return d.isVisible() ? int(QDialog::Rejected) : d.result();
        });
    }
};

} // namespace

class EditMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void headerOkUndoneAndRedone()
    {
        SampleWindow w;
        Document& doc = w.doc;
        MainWindow& window = w.window;
        auto saved = [&] {
            Document copy = doc;
            return WriteLog(copy);
        };
        const std::string opened = saved();
        QAction* undo = window.action(CommandId::Undo);
        QAction* redo = window.action(CommandId::Redo);
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        QCOMPARE(redo->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                                         QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));

        const QString typed = QStringLiteral("第三次調査");
        w.typeSurveyName(&typed);
        window.action(CommandId::Header)->trigger();
        QCOMPARE(u8(doc.HeaderTable(HeaderEntry::SurveyName)), std::string("第三次調査"));
        const std::string edited = saved();
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("元に戻す: 見出し(&U)"));
        QVERIFY(window.isWindowModified());

        undo->trigger();
        QCOMPARE(saved(), opened);
        QVERIFY(!window.isWindowModified());
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("元に戻す(&U)"));
        QCOMPARE(redo->text(), QStringLiteral("やり直し: 見出し(&R)"));

        redo->trigger();
        QCOMPARE(saved(), edited);
        QVERIFY(window.isWindowModified());
        QVERIFY(!redo->isEnabled());
        QVERIFY(w.prompter.entries().empty());
    }

    // The copy held back after a second change is written about 5 s later, even when the
    // timer fires before the copy is due (here the keeper's clock runs at 0.9 of real time,
    // as when a coarse timer fires early): waiting for the minute's copy would fail this.
    void heldBackRecoveryCopyWrittenSoon()
    {
        SampleWindow w;
        MainWindow& window = w.window;
        QElapsedTimer real;
        real.start();
        window.recovery().setClock([&real] { return std::chrono::milliseconds(real.elapsed() * 9 / 10); });

        QString typed;
        w.typeSurveyName(&typed);
        auto copyHas = [&window](const char* text) {
            const std::string& path = window.recovery().copyPath();
            QFile f(QString::fromStdString(path));
            return !path.empty() && f.open(QIODevice::ReadOnly) &&
                   f.readAll().contains(QByteArray::fromStdString(sj(text)));
        };

        typed = QStringLiteral("第一次調査");
        window.action(CommandId::Header)->trigger();
        QVERIFY(copyHas("第一次調査")); // the first change is copied at once
        typed = QStringLiteral("第二次調査");
        window.action(CommandId::Header)->trigger();
        QVERIFY(!copyHas("第二次調査")); // held back: a copy was written less than 5 s ago
        QTRY_VERIFY_WITH_TIMEOUT(copyHas("第二次調査"), 9000);
        QVERIFY(real.elapsed() >= 4000);
    }
};

QTEST_MAIN(EditMenuTest)
#include "editmenu_test.moc"
