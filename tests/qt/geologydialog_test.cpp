// The "地質 色調" dialog under Qt Test: typing and picking layers, the check
// boxes and bit columns, the focus choosing the composed name, the density
// combo returning to its blank item, and the whole road from the main
// window's command to GeologyTable with the derived columns and a repaint.

#include "app/appcontext.h"
#include "app/docflows.h"
#include "app/viewstate.h"
#include "document/geologymaster.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "qt/geologydialog.h"
#include "qt/listeditorview.h"
#include "qt/logview.h"
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
using G = GeologyEditor;

namespace {

const char* const kMaster = "[第1 基本],,660,\r\n"
                            "盛土,B,10000,10000\r\n"
                            "砂,S,1500.1,1500.1\r\n"
                            "シルト,M,500.2,500.2\r\n"
                            "[第2 混じり]\r\n"
                            "礫混じり,-G,1,1\r\n"
                            "[第3 質]\r\n"
                            "砂質,S,10,10\r\n"
                            "[終了]\r\n";

struct Harness
{
    GeologyMaster master;
    Document doc;
    ScriptedPrompter prompter;
    std::unique_ptr<GeologyEditor> editor;
    std::unique_ptr<GeologyDialog> dialog;

    Harness()
    {
        master.parse(sj(kMaster), 0);
        master.parse(sj(kMaster), 1);
        editor = std::make_unique<GeologyEditor>(
            doc.GeologyTable, master, std::vector<std::string>{sj("暗"), sj("灰")}, prompter, KeyOptions{});
        editor->open();
        dialog = std::make_unique<GeologyDialog>(*editor);
    }
    bool show()
    {
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get())) return false;
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }
    void clickItem(QListWidget* list, int row)
    {
        QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    void type(G::Field f, const QString& text)
    {
        QLineEdit* e = dialog->edit(f);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    QString shown(int r, int col) const
    {
        return dialog->listView()->model()->index(r - 1, col - 1).data().toString();
    }
};

// Adds one layer through the widgets: depth typed, name picked.
void addLayer(GeologyDialog& d, const QString& depth, G::NameList list, int item)
{
    QLineEdit* e = d.edit(G::Depth);
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, depth);
    QListWidget* l = d.nameList(list);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(item)).center());
    QTest::mouseClick(d.addButton(), Qt::LeftButton);
}

} // namespace

class GeologyDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void labelsListsAndDefaults()
    {
        Harness h;
        QVERIFY(h.show());
        QCOMPARE(h.dialog->windowTitle(), QStringLiteral("地質 色調"));
        QCOMPARE(h.dialog->deleteButton()->text(), QStringLiteral("行削除"));
        QVERIFY(h.dialog->upButton()->isHidden());
        QCOMPARE(h.dialog->listView()->model()->columnCount(), 17);
        QCOMPARE(h.dialog->listView()->model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("地質名"));
        QCOMPARE(h.dialog->nameList(G::NameList::Names)->count(), 1);
        QCOMPARE(h.dialog->nameList(G::NameList::Bases)->count(), 2);
        QCOMPARE(h.dialog->colourList()->count(), 2);
        for (int bit : {GeologyBits::DepthLine, GeologyBits::NameUnderline, GeologyBits::PatternLine,
                        GeologyBits::AuxiliaryMark, GeologyBits::ToneUnderline, GeologyBits::Figures,
                        GeologyBits::ShowName})
            QVERIFY(h.dialog->flagBox(bit)->isChecked());
        QVERIFY(!h.dialog->flagBox(GeologyBits::ShowAuxiliary)->isChecked());
        QCOMPARE(h.dialog->densityCombo()->currentIndex(), 0);
        QCOMPARE(h.dialog->prefixCombo()->count(), 8);
        QVERIFY(h.dialog->edit(G::Depth)->hasFocus());
    }

    void pickingComposesIntoTheFocusedName()
    {
        Harness h;
        QVERIFY(h.show());
        h.dialog->edit(G::Name)->setFocus();
        h.clickItem(h.dialog->nameList(G::NameList::Mixtures), 0); // 礫混じり
        h.clickItem(h.dialog->nameList(G::NameList::Bases), 0);    // 砂
        QCOMPARE(h.dialog->edit(G::Name)->text(), QStringLiteral("礫混じり砂"));
        QCOMPARE(h.dialog->edit(G::Pattern1)->text(), QStringLiteral("1501"));
        QCOMPARE(h.dialog->edit(G::Symbol)->text(), QStringLiteral("S-G"));

        // Focusing the auxiliary name sends the next pick there.
        h.dialog->edit(G::Aux)->setFocus();
        QTest::qWait(10);
        h.clickItem(h.dialog->nameList(G::NameList::Bases), 1); // シルト
        QCOMPARE(h.dialog->edit(G::Aux)->text(), QStringLiteral("シルト"));
        QCOMPARE(h.dialog->edit(G::Pattern2)->text(), QStringLiteral("500"));
        QCOMPARE(h.dialog->edit(G::Name)->text(), QStringLiteral("礫混じり砂"));

        // The colour-tone list appends.
        h.clickItem(h.dialog->colourList(), 0);
        h.clickItem(h.dialog->colourList(), 1);
        QCOMPARE(h.dialog->edit(G::Colour)->text(), QStringLiteral("暗灰"));
    }

    void checkBoxesAndDensityUpdateTheCurrentRow()
    {
        Harness h;
        h.doc.GeologyTable(1, GeologyCol::Depth) = "1.00";
        h.doc.GeologyTable(1, GeologyCol::Name) = sj("砂");
        h.doc.GeologyTable(1, GeologyCol::Pattern1) = "1500.0";
        h.doc.GeologyTable(1, GeologyCol::Attributes) = "247";
        h.editor->open();
        h.dialog = std::make_unique<GeologyDialog>(*h.editor);
        QVERIFY(h.show());
        QCOMPARE(h.shown(1, G::ColBitColour), QStringLiteral("_"));
        QTest::mouseClick(
            h.dialog->listView()->viewport(), Qt::LeftButton, {},
            h.dialog->listView()->visualRect(h.dialog->listView()->model()->index(0, 0)).center());
        QCOMPARE(h.dialog->edit(G::Name)->text(), QStringLiteral("砂"));
        QCheckBox* box = h.dialog->flagBox(GeologyBits::ToneUnderline);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); // on the indicator
        QCOMPARE(h.shown(1, G::ColBitColour), QStringLiteral("."));
        QCOMPARE(h.shown(1, G::ColFlags), QStringLiteral("215"));

        // Each choice is a one-shot action; the combo rests on its blank item.
        h.dialog->densityCombo()->setFocus();
        QTest::keyClick(h.dialog->densityCombo(), Qt::Key_Down); // "0　表示しない"
        QCOMPARE(h.dialog->edit(G::Pattern1)->text(), QStringLiteral("1500"));
        QCOMPARE(h.dialog->densityCombo()->currentIndex(), 0);
        h.dialog->densityCombo()->setCurrentIndex(2);
        emit h.dialog->densityCombo()->activated(2); // "1　密度"
        QCOMPARE(h.dialog->edit(G::Pattern1)->text(), QStringLiteral("1500.1"));
        QCOMPARE(h.shown(1, G::ColPattern1), QStringLiteral("1500.1"));
        QCOMPARE(h.dialog->densityCombo()->currentIndex(), 0);

        h.dialog->topsoilBox()->click();
        QVERIFY(h.editor->alwaysSplitTopsoil);
    }

    void colourOnlyRowAndPercentageWarningThroughTheFields()
    {
        Harness h;
        QVERIFY(h.show());
        h.type(G::Depth, QStringLiteral("2.5"));
        h.dialog->edit(G::Colour)->setFocus();
        h.clickItem(h.dialog->colourList(), 1);
        QVERIFY(!h.dialog->flagBox(GeologyBits::DepthLine)->isChecked());
        QVERIFY(!h.dialog->flagBox(GeologyBits::Figures)->isChecked());
        QVERIFY(h.dialog->flagBox(GeologyBits::ShowName)->isChecked());
        QTest::mouseClick(h.dialog->addButton(), Qt::LeftButton);
        QCOMPARE(h.shown(1, G::ColFlags), QStringLiteral("128"));
        QCOMPARE(h.shown(1, G::ColColour), QStringLiteral("灰"));

        h.clickItem(h.dialog->nameList(G::NameList::Names), 0); // 盛土, 10000.0
        h.type(G::Percent, QStringLiteral("30"));
        h.dialog->edit(G::Symbol)->setFocus(); // leaving the share field
        QCOMPARE(h.prompter.texts().size(), size_t(1));
        QCOMPARE(QString::fromStdString(u8(h.prompter.texts()[0])),
                 QStringLiteral("表土・盛土類の表示割合は50%にして下さい. "));
    }

    // The whole road through the main window: the command opens the dialog, three
    // layers are added, OK writes GeologyTable, the derived columns are computed
    // and the view repaints.
    void threeLayersFromTheCommand()
    {
        AppContext app;
        Document doc;
        ViewState view;
        ScriptedPrompter prompter;
        MainWindow window(app, doc, view);
        window.setPrompter(&prompter);
        window.resize(1000, 700);
        window.start({});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!app.master.empty(GeologyMaster::Bitmap)); // the seeded install folder
        QVERIFY(window.action(CommandId::Geology)->isEnabled());

        int paints = 0;
        struct Counter : QObject
        {
            int& n;
            explicit Counter(int& count) : n(count) {}
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::Paint) ++n;
                return false;
            }
        } counter(paints);
        window.logView()->viewport()->installEventFilter(&counter);

        bool ran = false;
        window.dialogs().setRunner([&](QDialog& d) {
            auto* g = qobject_cast<GeologyDialog*>(&d);
            if (!g) return int(QDialog::Rejected);
            ran = true;
            g->show();
            if (!QTest::qWaitForWindowExposed(g)) return int(QDialog::Rejected);
            auto indexOf = [&](G::NameList l, const char* utf8) {
                QListWidget* w = g->nameList(l);
                for (int i = 0; i < w->count(); ++i)
                    if (w->item(i)->text() == QString::fromUtf8(utf8)) return i;
                return -1;
            };
            addLayer(*g, QStringLiteral("1.2"), G::NameList::Names, indexOf(G::NameList::Names, "盛土"));
            addLayer(*g, QStringLiteral("3.5"), G::NameList::Bases, indexOf(G::NameList::Bases, "砂"));
            addLayer(*g, QStringLiteral("2.4"), G::NameList::Bases, indexOf(G::NameList::Bases, "シルト"));
            g->alternationBox()->click();
            paints = 0;
            QTest::mouseClick(g->okButton(), Qt::LeftButton);
            return g->result();
        });
        window.action(CommandId::Geology)->trigger();
        QVERIFY(ran);
        QTRY_VERIFY(paints > 0);

        const TextTable& t = doc.GeologyTable;
        QCOMPARE(geologyRowCount(doc), 3);
        QCOMPARE(QString::fromStdString(t(1, GeologyCol::Depth)), QStringLiteral("1.20"));
        QCOMPARE(QString::fromStdString(u8(t(1, GeologyCol::Name))), QStringLiteral("盛土"));
        QCOMPARE(QString::fromStdString(t(2, GeologyCol::Depth)), QStringLiteral("2.40"));
        QCOMPARE(QString::fromStdString(u8(t(2, GeologyCol::Name))), QStringLiteral("シルト"));
        QCOMPARE(QString::fromStdString(t(3, GeologyCol::Depth)), QStringLiteral("3.50"));
        QCOMPARE(QString::fromStdString(t(3, GeologyCol::Attributes)), QStringLiteral("247"));
        // Derived columns 12 to 14 from the bundled master.
        for (int r = 1; r <= 3; ++r) {
            Composition c = ComposeName(app.master, t(r, GeologyCol::Name));
            QCOMPARE(QString::fromStdString(t(r, GeologyCol::VectorName)),
                     QString::fromStdString(std::to_string(c.code) + "." + std::to_string(c.digit)));
            QCOMPARE(QString::fromStdString(t(r, GeologyCol::Composed)), QString::fromStdString(c.display));
            QVERIFY(!t(r, GeologyCol::VectorName).empty());
            QVERIFY(t(r, GeologyCol::VectorAux).empty());
        }
        QCOMPARE(QString::fromStdString(doc.HeaderTable(HeaderEntry::AlternationLines)), QStringLiteral("1"));
        QCOMPARE(QString::fromStdString(doc.HeaderTable(HeaderEntry::SplitTopsoil)), QStringLiteral("0"));
        QCOMPARE(doc.modified, 1);

        // Saved and read back, the layers and the option are all there.
        qc::test::TempDir dir;
        const std::string path = dir.file("layers.bhc");
        QVERIFY(writeDocumentFile(doc, path));
        Document reread;
        ScriptedPrompter quiet;
        QCOMPARE(int(LoadByPath(reread, path, quiet)), int(FlowResult::Done));
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 11; ++c) QCOMPARE(reread.GeologyTable(r, c), doc.GeologyTable(r, c));
        QCOMPARE(QString::fromStdString(reread.HeaderTable(HeaderEntry::AlternationLines)),
                 QStringLiteral("1"));
    }

    void cancelChangesNothing()
    {
        AppContext app;
        Document doc;
        ViewState view;
        ScriptedPrompter prompter;
        prompter.queueAnswer(Answer::Yes); // "キャンセルしてよいのですか？"
        MainWindow window(app, doc, view);
        window.setPrompter(&prompter);
        window.start({});
        window.dialogs().setRunner([&](QDialog& d) {
            auto* g = qobject_cast<GeologyDialog*>(&d);
            if (!g) return int(QDialog::Rejected);
            g->show();
            addLayer(*g, QStringLiteral("1"), G::NameList::Bases, 0);
            QTest::mouseClick(g->cancelButton(), Qt::LeftButton);
            return g->result();
        });
        window.action(CommandId::Geology)->trigger();
        QCOMPARE(geologyRowCount(doc), 0);
        QCOMPARE(doc.modified, 0);
        QCOMPARE(prompter.texts().size(), size_t(1));
    }
};

QTEST_MAIN(GeologyDialogTest)
#include "geologydialog_test.moc"
