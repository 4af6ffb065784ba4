// The geology-name master dialog under Qt Test: from the command, a new soil
// name with its pattern and colour entered through the widgets, both previews
// painting, OK writing both files, and the new name in the geology dialog's lists.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "dialogs/geologyeditor.h"
#include "dialogs/namemastereditor.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "qt/mainwindow.h"
#include "qt/namemasterdialog.h"
#include "qt/qtext.h"
#include "support/testutil.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

using namespace qc;
using qc::test::sj;
using qc::test::u8;
using M = NameMasterEditor;

namespace {

int inkedPixels(QWidget* w)
{
    const QImage img = w->grab().toImage();
    int n = 0;
    // The one-pixel frame is left out.
    for (int y = 2; y < img.height() - 2; ++y)
        for (int x = 2; x < img.width() - 2; ++x)
            if ((img.pixel(x, y) & 0xffffff) != 0xffffff) ++n;
    return n;
}

int rowNamed(QTableWidget* t, const QString& name)
{
    for (int r = 0; r < t->rowCount(); ++r)
        if (t->item(r, 0) && t->item(r, 0)->text() == name) return r;
    return -1;
}

} // namespace

class NameMasterDialogTest : public QObject
{
    Q_OBJECT

    static void type(QLineEdit* e, const QString& text)
    {
        e->setFocus();
        e->selectAll();
        e->insert(text); // keyClicks takes Latin-1 only
        emit e->textEdited(e->text());
    }

private slots:
    void newSoilNameFromTheCommand()
    {
        AppContext app;
        Document doc;
        ViewState view;
        ScriptedPrompter prompter;
        MainWindow window(app, doc, view);
        window.setPrompter(&prompter);
        window.start({});
        QVERIFY(window.action(CommandId::NameMaster)->isEnabled());

        bool ran = false;
        window.dialogs().setRunner([&](QDialog& dialog) {
            auto* d = qobject_cast<NameMasterDialog*>(&dialog);
            if (!d) return int(QDialog::Rejected);
            ran = true;
            d->show();
            if (!QTest::qWaitForWindowExposed(d)) return int(QDialog::Rejected);
            [&] {
                QTableWidget* master = d->masterList();
                const int section2 = rowNamed(master, QStringLiteral("[第2 混じり（重ね模様 1～8）]"));
                QVERIFY(section2 > 0);
                // A row's patterns show in both previews.
                master->setCurrentCell(rowNamed(master, QStringLiteral("砂礫")), 0);
                QVERIFY(inkedPixels(d->preview(false)) > 100);
                QVERIFY(inkedPixels(d->preview(true)) > 100);

                master->setCurrentCell(section2, 0);
                type(d->edit(M::Name), QStringLiteral("汚染土"));
                type(d->edit(M::Symbol), QStringLiteral("Cs"));
                type(d->edit(M::PatternNo), QStringLiteral("2500"));
                QTest::mouseClick(d->button(QStringLiteral("apply")), Qt::LeftButton);
                QCOMPARE(d->edit(M::Vector)->text(), QStringLiteral("2500"));
                d->targetButton(M::Target::Bitmap)->click();
                QVERIFY(!d->button(QStringLiteral("chooseColour"))->isEnabled());
                QTest::mouseClick(d->button(QStringLiteral("apply")), Qt::LeftButton);
                QCOMPARE(d->edit(M::Bitmap)->text(), QStringLiteral("2500"));
                d->targetButton(M::Target::Vector)->click();
                d->consistencyBox()->click();
                QTest::mouseClick(d->button(QStringLiteral("insert")), Qt::LeftButton);
                QCOMPARE(rowNamed(master, QStringLiteral("汚染土")), section2);
                QVERIFY(prompter.entries().empty());

                // Its colour in the pattern list.
                QTableWidget* patterns = d->patternList();
                int row2500 = -1;
                for (int r = 0; r < patterns->rowCount(); ++r)
                    if (patterns->item(r, 0)->text() == QStringLiteral("2500")) row2500 = r;
                QVERIFY(row2500 >= 0);
                patterns->setCurrentCell(row2500, 0);
                type(d->edit(M::Colour), QStringLiteral("0x2040c0"));
                QTest::mouseClick(d->button(QStringLiteral("overwritePattern")), Qt::LeftButton);
                QCOMPARE(patterns->item(row2500, 1)->text(), QStringLiteral("0x2040c0"));
                QCOMPARE(d->edit(M::Colour)->text(), QString());

                d->allBlackBox()->click();
                d->patternUseButton(2)->click();
            }();
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
            return d->result();
        });
        window.action(CommandId::NameMaster)->trigger();
        QVERIFY(ran);
        QVERIFY(prompter.entries().empty());

        // The settings, the colour table and the master are the new ones.
        QCOMPARE(app.settings.PatternUse(), 2);
        QVERIFY(app.settings.PatternAllBlack());
        QCOMPARE(app.patternColours.colourOf(2500), 0x2040c0u);
        std::string bytes;
        QVERIFY(readFileBytes(app.paths.nameMaster, bytes));
        QVERIFY(bytes.find(sj("汚染土,Cs,2500.2,2500.2\r\n")) != std::string::npos);
        bool listed = false;
        for (const MasterPick& p : GeologyEditor::namesFor(app.master, GeologyEditor::NameList::Bases))
            if (p.name == sj("汚染土")) listed = p.number == 2500;
        QVERIFY(listed);
        QCOMPARE(doc.modified, 0);
    }
};

QTEST_MAIN(NameMasterDialogTest)
#include "namemasterdialog_test.moc"
