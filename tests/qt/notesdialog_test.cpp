// The "観察記事" dialog under Qt Test: the notes filled from the layers, a note
// typed with two lines and a phrase picked, added with the follow-on top
// depth, and written back whole through the main window's command.

#include "document/positions.h"
#include "qt/listeditorview.h"
#include "qt/notesdialog.h"
#include "support/listcommand.h"
#include "support/testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

class NotesDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void fillAddAndOk()
    {
        Document doc;
        ScriptedPrompter prompter;
        QString phrase;
        auto run = qc::test::runListCommand<NotesDialog>(
            CommandId::Notes, doc, prompter,
            [&](NotesDialog& d) {
                QCOMPARE(d.windowTitle(), QStringLiteral("観察記事"));
                auto* items = d.listView()->model();
                QCOMPARE(items->index(1, 0).data().toString(), QStringLiteral("1.00"));
                QCOMPARE(items->index(1, 1).data().toString(), QStringLiteral("2.50"));
                QVERIFY(d.phraseCombo()->count() > 0);
                QVERIFY(d.underlineBox()->isChecked());

                d.topEdit()->setFocus();
                QTest::keyClicks(d.topEdit(), QStringLiteral("2.5"));
                QTest::keyClicks(d.bottomEdit(), QStringLiteral("4"));
                d.textEdit()->setFocus();
                d.textEdit()->insertPlainText(
                    QStringLiteral("細砂主体")); // typed text: keyClicks is ASCII only
                QTest::keyClick(d.textEdit(), Qt::Key_Return);
                phrase = d.phraseCombo()->itemText(0);
                d.phraseCombo()->setCurrentIndex(0);
                emit d.phraseCombo()->activated(0);
                QCOMPARE(d.phraseCombo()->currentIndex(), -1);
                QCOMPARE(d.textEdit()->toPlainText(),
                         QStringLiteral("細砂主体\n") + phrase + QStringLiteral("\n"));
                d.underlineBox()->click();
                QTest::mouseClick(d.addButton(), Qt::LeftButton);
                // Refused: a note with the top depth 2.50 is there already.
                QCOMPARE(prompter.texts().size(), size_t(1));
                d.topEdit()->setFocus();
                d.topEdit()->selectAll();
                QTest::keyClicks(d.topEdit(), QStringLiteral("4"));
                d.bottomEdit()->setFocus();
                d.bottomEdit()->selectAll();
                QTest::keyClicks(d.bottomEdit(), QStringLiteral("5.5"));
                QTest::mouseClick(d.addButton(), Qt::LeftButton);
                QCOMPARE(items->index(3, 2).data().toString(), QStringLiteral("細砂主体/") + phrase);
                QCOMPARE(d.topEdit()->text(), QStringLiteral("5.5"));
                QVERIFY(d.bottomEdit()->hasFocus());
                QVERIFY(d.textEdit()->toPlainText().isEmpty());
                QTest::mouseClick(d.okButton(), Qt::LeftButton);
            },
            [](Document& prepared) {
                prepared.GeologyTable(1, GeologyCol::Depth) = "1.00";
                prepared.GeologyTable(2, GeologyCol::Depth) = "2.50";
                prepared.GeologyTable(3, GeologyCol::Depth) = "4.00";
            });
        QVERIFY(run.ran);
        QCOMPARE(run.result, int(QDialog::Accepted));
        const TextTable& t = doc.NoteTable;
        QCOMPARE(QString::fromStdString(t(1, NoteCol::Top)), QStringLiteral("0.00"));
        QCOMPARE(QString::fromStdString(t(4, NoteCol::Top)), QStringLiteral("4.00"));
        QCOMPARE(QString::fromStdString(t(4, NoteCol::Bottom)), QStringLiteral("5.50"));
        QCOMPARE(QString::fromStdString(u8(t(4, NoteCol::Text))),
                 QStringLiteral("細砂主体\r\n") + phrase + QStringLiteral("\r\n"));
        QCOMPARE(QString::fromStdString(t(4, NoteCol::Underline)), QStringLiteral("0"));
        QCOMPARE(doc.modified, 1);
    }
};

QTEST_MAIN(NotesDialogTest)
#include "notesdialog_test.moc"
