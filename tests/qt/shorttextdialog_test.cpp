// The short-text master dialog under Qt Test: from the command, a new engineer
// typed into the first blank cell, a file switch answered with save, and OK
// writing the phrase files of the install folder.

#include "app/appcontext.h"
#include "app/masterfiles.h"
#include "app/viewstate.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "qt/listeditorview.h"
#include "qt/mainwindow.h"
#include "qt/qtext.h"
#include "qt/shorttextdialog.h"
#include "support/testutil.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

class ShortTextDialogTest : public QObject
{
    Q_OBJECT

    static void typeInCell(ShortTextDialog& d, int row, const QString& text)
    {
        ListEditorView* list = d.listView();
        list->scrollTo(list->model()->index(row - 1, 0));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualRect(list->model()->index(row - 1, 0)).center());
        QVERIFY(list->isCellEditing());
        list->cellEditor()->insert(text);                 // keyClicks takes Latin-1 only
        QTest::keyClick(list->cellEditor(), Qt::Key_Tab); // commits and ends the cell edit
        QVERIFY(!list->isCellEditing());
    }

private slots:
    void newEngineerAndClientFromTheCommand()
    {
        AppContext app;
        Document doc;
        ViewState view;
        ScriptedPrompter prompter;
        prompter.queueAnswer(Answer::Yes); // "保存しますか" on the switch to "発注機関"
        MainWindow window(app, doc, view);
        window.setPrompter(&prompter);
        window.start({});
        QVERIFY(window.action(CommandId::ShortTexts)->isEnabled());

        std::string engineersBefore, clientsBefore;
        QVERIFY(readFileBytes(app.paths.engineers, engineersBefore));
        QVERIFY(readFileBytes(app.paths.clients, clientsBefore));
        const int engineers = static_cast<int>(parseShortTexts(engineersBefore).size());
        const int clients = static_cast<int>(parseShortTexts(clientsBefore).size());

        bool ran = false;
        window.dialogs().setRunner([&](QDialog& dialog) {
            auto* d = qobject_cast<ShortTextDialog*>(&dialog);
            if (!d) return int(QDialog::Rejected);
            ran = true;
            d->show();
            if (!QTest::qWaitForWindowExposed(d)) return int(QDialog::Rejected);
            [&] {
                QVERIFY(d->fileButton(ShortTextEditor::File::Engineers)->isChecked());
                QCOMPARE(d->pathField()->text(), fromNativePath(app.paths.engineers));
                typeInCell(*d, engineers + 1, QStringLiteral("新井　太郎"));
                QTest::mouseClick(d->fileButton(ShortTextEditor::File::Clients), Qt::LeftButton);
                QCOMPARE(d->pathField()->text(), fromNativePath(app.paths.clients));
                typeInCell(*d, clients + 1, QStringLiteral("○○県土木部"));
                QTest::mouseClick(d->saveButton(), Qt::LeftButton);
                QCOMPARE(d->statusLabel()->text(), QStringLiteral("保存しました"));
                typeInCell(*d, clients + 2, QStringLiteral("××市"));
                QCOMPARE(d->statusLabel()->text(), QString());
            }();
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
            return d->result();
        });
        window.action(CommandId::ShortTexts)->trigger();
        QVERIFY(ran);
        QCOMPARE(prompter.texts().size(), size_t(1));
        QCOMPARE(QString::fromStdString(u8(prompter.texts()[0])), QStringLiteral("保存しますか"));

        std::string bytes;
        QVERIFY(readFileBytes(app.paths.engineers, bytes));
        auto e = parseShortTexts(bytes);
        QCOMPARE(int(e.size()), engineers + 1);
        QCOMPARE(QString::fromStdString(u8(e.back().text)), QStringLiteral("新井　太郎"));
        QVERIFY(readFileBytes(app.paths.clients, bytes));
        auto c = parseShortTexts(bytes);
        QCOMPARE(int(c.size()), clients + 2);
        QCOMPARE(QString::fromStdString(u8(c[static_cast<size_t>(clients)].text)),
                 QStringLiteral("○○県土木部"));
        QCOMPARE(QString::fromStdString(u8(c.back().text)), QStringLiteral("××市"));
        QCOMPARE(doc.modified, 0); // settings and masters never mark the document
    }
};

QTEST_MAIN(ShortTextDialogTest)
#include "shorttextdialog_test.moc"
