// The "見出し" dialog under Qt Test: the fields show their entries, typing
// stops at a field's byte limit, the pick lists write into the field that last
// had the focus, "ｱﾝﾀﾞｰﾗｲﾝ" follows "簡略見出し表示", the mesh-code suggestion,
// the Enter-key modes, and the command of the main window around it.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "qt/headerdialog.h"
#include "qt/mainwindow.h"
#include "qt/qtext.h"
#include "support/testutil.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace qc;
using qc::test::sj;
using qc::test::u8;
using H = HeaderEditor;

namespace {

struct Harness
{
    ScriptedPrompter prompter;
    std::unique_ptr<HeaderEditor> editor;
    std::unique_ptr<HeaderDialog> dialog;

    explicit Harness(HeaderValues v = {}, KeyOptions keys = {})
    {
        HeaderPickLists lists;
        lists.engineers = {sj("山田　太郎"), sj("鈴木　花子")};
        lists.machines = {sj("ロータリー式ボーリングマシン")};
        lists.clients = {sj("○○県　○○土木事務所")};
        editor = std::make_unique<HeaderEditor>(std::move(v), std::move(lists), prompter, keys);
        dialog = std::make_unique<HeaderDialog>(*editor);
    }
    bool show()
    {
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get())) return false;
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }
    void type(H::Field f, const QString& text)
    {
        QLineEdit* e = dialog->edit(f);
        e->setFocus();
        QTest::keyClicks(e, text);
    }
    void clickItem(QListWidget* list, int row)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
};

} // namespace

class HeaderDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void fieldsShowTheirEntries()
    {
        HeaderValues v;
        v.geologyDepth = "12.50";
        v.entry[1] = sj("〇〇地区土壌調査");
        v.entry[41] = sj("主任技術者");
        v.entry[34] = sj("令和");
        v.entry[4] = sj("○○県　○○土木事務所");
        v.elevationShown = true;
        Harness h(v);
        QVERIFY(h.show());
        QCOMPARE(h.dialog->windowTitle(), QStringLiteral("見出し"));
        QCOMPARE(h.dialog->edit(H::SurveyName)->text(), QStringLiteral("〇〇地区土壌調査"));
        QCOMPARE(h.dialog->combo(H::Role1)->currentText(), QStringLiteral("主任技術者"));
        QCOMPARE(h.dialog->combo(H::StartEra)->currentText(), QStringLiteral("令和"));
        QCOMPARE(h.dialog->combo(H::Client)->count(), 1);
        QCOMPARE(h.dialog->combo(H::Datum)->count(), 9);
        QCOMPARE(h.dialog->geologyDepthEdit()->text(), QStringLiteral("12.50"));
        QVERIFY(h.dialog->geologyDepthEdit()->isReadOnly());
        QVERIFY(h.dialog->elevationShownBox()->isChecked());
        QVERIFY(h.dialog->underlineBox()->isHidden());
    }

    void typingStopsAtTheByteLimit()
    {
        Harness h;
        QVERIFY(h.show());
        h.type(H::BoringNumber, QStringLiteral("123456789012345"));
        QCOMPARE(h.dialog->edit(H::BoringNumber)->text(), QStringLiteral("12345678901"));
        QCOMPARE(h.editor->value(H::BoringNumber), std::string("12345678901"));
        // Two-byte characters count twice: "３０" fills the 4 bytes of "角度".
        h.dialog->edit(H::Angle)->setFocus();
        h.dialog->edit(H::Angle)->insert(QStringLiteral("３０"));
        emit h.dialog->edit(H::Angle)->textEdited(h.dialog->edit(H::Angle)->text());
        h.type(H::Angle, QStringLiteral("5"));
        QCOMPARE(h.dialog->edit(H::Angle)->text(), QStringLiteral("３０"));
    }

    void picksGoToTheLastFocusedField()
    {
        Harness h;
        QVERIFY(h.show());
        h.dialog->edit(H::Engineer3)->setFocus();
        QTest::qWait(10);
        h.clickItem(h.dialog->engineerList(), 1);
        QCOMPARE(h.dialog->edit(H::Engineer3)->text(), QStringLiteral("鈴木　花子"));
        QCOMPARE(h.editor->value(H::Engineer3), sj("鈴木　花子"));
        h.dialog->edit(H::Engine)->setFocus();
        QTest::qWait(10);
        h.clickItem(h.dialog->machineList(), 0);
        QCOMPARE(h.dialog->edit(H::Engine)->text(), QStringLiteral("ロータリー式ボーリングマシン"));
        QVERIFY(h.dialog->edit(H::Machine)->text().isEmpty());
    }

    void underlineFollowsTheCompactHeader()
    {
        HeaderValues v;
        v.compactHeader = true;
        v.headerUnderline = true;
        Harness h(v);
        QVERIFY(h.show());
        QVERIFY(h.dialog->underlineBox()->isVisible());
        h.dialog->compactBox()->click();
        QVERIFY(h.dialog->underlineBox()->isHidden());
        QVERIFY(h.editor->values().headerUnderline);
        h.dialog->compactBox()->click();
        QVERIFY(h.dialog->underlineBox()->isVisible());
    }

    void suggestionFromTheCoordinates()
    {
        Harness h;
        QVERIFY(h.show());
        h.type(H::LatDegrees, QStringLiteral("35"));
        h.type(H::LatMinutes, QStringLiteral("30"));
        h.type(H::LatSeconds, QStringLiteral("0"));
        h.type(H::LonDegrees, QStringLiteral("139"));
        h.type(H::LonMinutes, QStringLiteral("45"));
        QVERIFY(h.dialog->suggestionEdit()->text().isEmpty());
        h.type(H::LonSeconds, QStringLiteral("0"));
        QCOMPARE(h.dialog->suggestionEdit()->text(), QStringLiteral("53392600xxx"));
        h.type(H::LatMinutes, QStringLiteral("9")); // 309 minutes: suggestion waits for the number field
        QCOMPARE(h.dialog->suggestionEdit()->text(), QStringLiteral("53392600xxx"));
        h.dialog->edit(H::BoringNumber)->setFocus();
        QTest::qWait(10);
        QVERIFY(h.dialog->suggestionEdit()->text() != QStringLiteral("53392600xxx"));
        QVERIFY(h.editor->value(H::BoringNumber).empty());
    }

    void enterKeyModes()
    {
        {
            Harness h({}, KeyOptions{1, false});
            QVERIFY(h.show());
            h.dialog->edit(H::SurveyName)->setFocus();
            QTest::keyClick(h.dialog->edit(H::SurveyName), Qt::Key_Return);
            QVERIFY(h.dialog->isVisible());
            QVERIFY(h.dialog->edit(H::ProjectName)->hasFocus());
        }
        {
            Harness h({}, KeyOptions{2, false});
            QVERIFY(h.show());
            h.dialog->edit(H::SurveyName)->setFocus();
            QTest::keyClick(h.dialog->edit(H::SurveyName), Qt::Key_Return);
            QVERIFY(h.dialog->isVisible());
            QVERIFY(h.dialog->edit(H::SurveyName)->hasFocus());
        }
        {
            HeaderValues v;
            v.entry[13] = "4000";
            Harness h(v, KeyOptions{0, false});
            QVERIFY(h.show());
            h.dialog->edit(H::SurveyName)->setFocus();
            QTest::keyClick(h.dialog->edit(H::SurveyName), Qt::Key_Return);
            QCOMPARE(h.dialog->result(), int(QDialog::Accepted));
            QCOMPARE(h.prompter.texts().size(), size_t(1));
            QCOMPARE(QString::fromStdString(u8(h.prompter.texts()[0])), QStringLiteral("数値が異常です"));
        }
    }

    // The command: company and telephone filled from the settings, the fields
    // written back, the flags as "1"/"0", the modified flag.
    void headerCommandFromTheMainWindow()
    {
        AppContext app;
        Document doc;
        ViewState view;
        ScriptedPrompter prompter;
        MainWindow window(app, doc, view);
        window.setPrompter(&prompter);
        window.start({});
        app.settings.setText(49, sj("株式会社　試験地質"));
        app.settings.setText(50, "03-0000-0000");
        QVERIFY(window.action(CommandId::Header)->isEnabled());
        bool ran = false;
        window.dialogs().setRunner([&](QDialog& d) {
            auto* hd = qobject_cast<HeaderDialog*>(&d);
            if (!hd) return int(QDialog::Rejected);
            ran = true;
            hd->show();
            if (hd->edit(H::Company)->text() != QStringLiteral("株式会社　試験地質"))
                return int(QDialog::Rejected);
            hd->edit(H::SurveyName)->setFocus();
            QTest::keyClicks(hd->edit(H::SurveyName), QStringLiteral("Survey A"));
            hd->compactBox()->click();
            QTest::mouseClick(hd->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            return hd->result();
        });
        window.action(CommandId::Header)->trigger();
        QVERIFY(ran);
        QCOMPARE(QString::fromStdString(doc.HeaderTable(HeaderEntry::SurveyName)),
                 QStringLiteral("Survey A"));
        QCOMPARE(QString::fromStdString(u8(doc.HeaderTable(HeaderEntry::Company))),
                 QStringLiteral("株式会社　試験地質"));
        QCOMPARE(QString::fromStdString(doc.HeaderTable(HeaderEntry::Telephone)),
                 QStringLiteral("03-0000-0000"));
        QCOMPARE(QString::fromStdString(doc.HeaderTable(HeaderEntry::CompactHeader)), QStringLiteral("1"));
        QCOMPARE(QString::fromStdString(doc.HeaderTable(HeaderEntry::HeaderUnderline)), QStringLiteral("0"));
        QCOMPARE(doc.modified, 1);
    }
};

QTEST_MAIN(HeaderDialogTest)
#include "headerdialog_test.moc"
