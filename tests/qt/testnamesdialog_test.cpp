// The test names dialog under Qt Test: typing into the fields of a clicked
// row, the colour chooser, OK with the colour normalised, and the whole road
// of a chemical test programme through the main window: two tests named,
// their values entered at three samples through "データ入力", both plotted in
// graph 1, and their polylines found on the drawn page.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "document/positions.h"
#include "document/referencevalue.h"
#include "document/tables.h"
#include "platform/recordingdevice.h"
#include "platform/scriptedprompter.h"
#include "qt/graphformatdialog.h"
#include "qt/listeditorview.h"
#include "qt/mainwindow.h"
#include "qt/qtcolourchooser.h"
#include "qt/qtext.h"
#include "qt/testdatadialog.h"
#include "qt/testnamesdialog.h"
#include "render/logpage.h"
#include "support/testutil.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace qc;
using qc::test::sj;
using qc::test::u8;
using T = TestNamesEditor;
using D = TestDataEditor;

namespace {

class NoFiles : public FileChooser
{
public:
    std::optional<std::string> choose(const FileDialogRequest&) override { return std::nullopt; }
};

void clickRow(ListEditorView* view, int r)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(r - 1, 1)).center());
}

// Key presses carrying the characters, as an input method delivers Japanese text.
void typeText(QWidget* w, const QString& text)
{
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
    }
}

void typeInto(QLineEdit* e, const QString& text)
{
    e->setFocus();
    e->selectAll();
    typeText(e, text);
}

// One test's name, unit, colour and line width through the fields of its row.
void nameTest(TestNamesDialog& d, int r, const QString& name, const QString& colour)
{
    clickRow(d.listView(), r);
    typeInto(d.edit(T::Name), name);
    typeInto(d.edit(T::Unit), QStringLiteral("mg/L"));
    typeInto(d.edit(T::LineWidth), QStringLiteral("3"));
    typeInto(d.edit(T::Colour), colour);
    d.edit(T::Name)->setFocus();
}

// Three samples with this test's values, through the fields and "データ追加".
int enterValues(TestDataDialog& d, const QStringList& values)
{
    d.show();
    if (!QTest::qWaitForWindowExposed(&d)) return QDialog::Rejected;
    for (int i = 0; i < 3; ++i) {
        if (d.model().usedRowCount() < 3) {
            typeInto(d.edit(D::Top), QString::number(i + 1) + QStringLiteral(".0"));
            typeInto(d.edit(D::Bottom), QString::number(i + 1) + QStringLiteral(".3"));
            typeInto(d.edit(D::Value), values[i]);
            QTest::mouseClick(d.addButton(), Qt::LeftButton);
        } else {
            clickRow(d.listView(), i + 1);
            typeInto(d.edit(D::Value), values[i]);
            d.edit(D::Top)->setFocus(); // leaving the value field writes it into the row
        }
    }
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    return d.result();
}

} // namespace

class TestNamesDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void fieldsColourAndOk()
    {
        Document doc;
        doc.TestNameTable(5, 1) = sj("鉛");
        doc.TestNameTable(5, 2) = "mg/L";
        doc.TestNameTable(5, 9) = "255";
        ScriptedPrompter prompter;
        T model(doc.TestNameTable, prompter, KeyOptions{}, "/nonexistent/FilekS.ndx",
                "/nonexistent/Dflt.bhc");
        model.data.valuesBesideSymbols = true;
        model.open();
        NoFiles files;
        QtColourChooser colours;
        QColor offered;
        colours.setRunner([&](const QColor& initial) -> std::optional<QColor> {
            offered = initial;
            return QColor(0x12, 0x34, 0x56);
        });
        TestNamesDialog d(model, files, colours);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY(d.besideBox()->isChecked());

        // "データ入力" before any row is chosen.
        QTest::mouseClick(d.dataInputButton(), Qt::LeftButton);
        QCOMPARE(prompter.texts().size(), size_t(1));

        clickRow(d.listView(), 5);
        QCOMPARE(d.edit(T::Name)->text(), QStringLiteral("鉛"));
        QCOMPARE(d.edit(T::No)->text(), QStringLiteral("5"));
        d.edit(T::Remark)->setFocus();
        typeText(d.edit(T::Remark), QStringLiteral("溶出"));
        QCOMPARE(QString::fromStdString(u8(model.cell(5, 4))), QStringLiteral("溶出"));
        QTest::mouseClick(d.colourButton(), Qt::LeftButton);
        QCOMPARE(offered, QColor(255, 0, 0));
        QCOMPARE(d.edit(T::Colour)->text(), QStringLiteral("0x563412"));
        QCOMPARE(d.edit(T::Colour)->palette().color(QPalette::Text), QColor(0x12, 0x34, 0x56));
        d.symbolCombo()->setFocus();
        d.symbolCombo()->setCurrentIndex(3);
        d.besideBox()->click();

        QTest::mouseClick(d.okButton(), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(doc.TestNameTable(5, 9), std::string("0x563412"));
        QCOMPARE(QString::fromStdString(u8(doc.TestNameTable(5, 6))), QStringLiteral("▲"));
        QCOMPARE(QString::fromStdString(u8(doc.TestNameTable(5, 3))), QStringLiteral("溶出"));
        QVERIFY(!model.data.valuesBesideSymbols);
    }

    void twoTestsAtThreeSamplesArePlotted()
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
        QVERIFY(window.action(CommandId::TestData)->isEnabled());
        QVERIFY(window.action(CommandId::Graph1)->isEnabled());
        // The default document's graphs plot other tests; here only graph 1 plots, and only these two.
        for (int g = 1; g <= 5; ++g)
            for (int s = 1; s <= GraphRow::Slots; ++s)
                doc.GraphFormatTable(g, GraphRow::slot(s), SlotField::Test).clear();

        int inputs = 0;
        window.dialogs().setRunner([&](QDialog& dialog) {
            if (auto* input = qobject_cast<TestDataDialog*>(&dialog)) {
                ++inputs;
                return enterValues(
                    *input,
                    inputs == 1
                        ? QStringList{QStringLiteral("0.2"), QStringLiteral("0.5"), QStringLiteral("0.3")}
                        : QStringList{QStringLiteral("0.6"), QStringLiteral("0.1"), QStringLiteral("0.8")});
            }
            if (auto* d = qobject_cast<TestNamesDialog*>(&dialog)) {
                d->show();
                if (!QTest::qWaitForWindowExposed(d)) return int(QDialog::Rejected);
                nameTest(*d, 1, QStringLiteral("砒素"), QStringLiteral("255"));
                QTest::mouseClick(d->dataInputButton(), Qt::LeftButton);
                nameTest(*d, 2, QStringLiteral("ふっ素"), QStringLiteral("0x00ff00"));
                QTest::mouseClick(d->dataInputButton(), Qt::LeftButton);
                QTest::mouseClick(d->okButton(), Qt::LeftButton);
                return d->result();
            }
            if (auto* g = qobject_cast<GraphFormatDialog*>(&dialog)) {
                g->show();
                if (!QTest::qWaitForWindowExposed(g)) return int(QDialog::Rejected);
                QTest::mouseClick(g->radios(GraphRow::Grid, GridField::Kind)->button(0), Qt::LeftButton);
                for (int s = 1; s <= 2; ++s) {
                    const int r = GraphRow::slot(s);
                    typeInto(g->edit(r, SlotField::Test), QString::number(s));
                    typeInto(g->edit(r, SlotField::LinearFrom), QStringLiteral("0"));
                    typeInto(g->edit(r, SlotField::LinearTo), QStringLiteral("1"));
                }
                g->edit(GraphRow::slot(3), SlotField::Test)->setFocus();
                QTest::mouseClick(g->okButton(), Qt::LeftButton);
                return g->result();
            }
            return int(QDialog::Rejected);
        });
        window.action(CommandId::TestData)->trigger();
        QCOMPARE(inputs, 2);
        window.action(CommandId::Graph1)->trigger();
        QCOMPARE(prompter.texts(), std::vector<std::string>{});
        QCOMPARE(doc.modified, 1);

        QCOMPARE(doc.TestNameTable(1, 9), std::string("0x0000ff"));
        QCOMPARE(QString::fromStdString(u8(doc.TestNameTable(2, 1))), QStringLiteral("ふっ素"));
        QCOMPARE(doc.SampleTable(2, 1), std::string("2.00"));
        QCOMPARE(doc.SampleTable(2, SampleCol::test(1)), std::string("0.5"));
        QCOMPARE(doc.SampleTable(3, SampleCol::test(2)), std::string("0.8"));
        QCOMPARE(QString::fromStdString(u8(doc.GraphFormatTable(1, GraphRow::slot(2), SlotField::Name))),
                 QStringLiteral("ふっ素"));

        // The page: each test's two segments in its colour and width (without the reference
        // lines, dashed in the same pen).
        setReferenceLinesShown(doc, false);
        RecordingDevice device(150, 150);
        RenderContext ctx{doc, app.settings, app.fonts, view};
        QVERIFY(drawLogPage(device, ctx));
        for (Colour c : {Colour(0x0000ff), Colour(0x00ff00)}) {
            int segments = 0;
            for (const auto& call : device.lines())
                if (call.pen.colour == c && call.pen.width == 3) ++segments;
            QCOMPARE(segments, 2);
        }
    }
};

QTEST_MAIN(TestNamesDialogTest)
#include "testnamesdialog_test.moc"
