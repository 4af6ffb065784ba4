// The graph format dialog under Qt Test: the grid kind enabling the scale
// fields, a test picked from the list into the focused slot, the multiplier
// checked when its field is left, "自動", and OK writing the graph's block.

#include "document/positions.h"
#include "document/tables.h"
#include "platform/filechooser.h"
#include "platform/scriptedprompter.h"
#include "qt/graphformatdialog.h"
#include "support/testutil.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

namespace {

class NoFiles : public FileChooser
{
public:
    std::optional<std::string> choose(const FileDialogRequest&) override { return std::nullopt; }
};

} // namespace

class GraphFormatDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void editAndOk()
    {
        Document doc;
        doc.TestNameTable(1, 1) = sj("カドミウム");
        doc.TestNameTable(3, 1) = sj("水銀");
        auto& t = doc.GraphFormatTable;
        t(2, GraphRow::Grid, GridField::LogFrom) = "1";
        t(2, GraphRow::Grid, GridField::LogTo) = "100";
        ScriptedPrompter prompter;
        GraphFormatEditor model(doc, "2", prompter, "/nonexistent/FilekS.ndx");
        model.open();
        NoFiles files;
        GraphFormatDialog d(model, files);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));

        const int s1 = GraphRow::slot(1), s2 = GraphRow::slot(2);
        QVERIFY(d.edit(s1, SlotField::LinearFrom)->isEnabled());
        QVERIFY(!d.edit(s1, SlotField::Multiplier)->isEnabled());
        QTest::mouseClick(d.radios(GraphRow::Grid, GridField::Kind)->button(1), Qt::LeftButton);
        QVERIFY(!d.edit(s1, SlotField::LinearFrom)->isEnabled());
        QVERIFY(d.edit(s1, SlotField::Multiplier)->isEnabled());

        // Slot 2's No. field has the focus: a click in the list fills slot 2.
        d.edit(s2, SlotField::Test)->setFocus();
        QTableWidget* list = d.testList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(2, 1)).center());
        QCOMPARE(d.edit(s2, SlotField::Test)->text(), QStringLiteral("3"));
        QCOMPARE(d.edit(s2, SlotField::Name)->text(), QStringLiteral("水銀"));

        d.edit(s2, SlotField::Multiplier)->setFocus();
        QTest::keyClicks(d.edit(s2, SlotField::Multiplier), QStringLiteral("20"));
        d.edit(s1, SlotField::Test)->setFocus();
        QCOMPARE(prompter.texts().size(), size_t(1));
        QCOMPARE(d.edit(s2, SlotField::LogFrom)->text(), QString());
        d.edit(s2, SlotField::Multiplier)->setFocus();
        d.edit(s2, SlotField::Multiplier)->selectAll();
        QTest::keyClicks(d.edit(s2, SlotField::Multiplier), QStringLiteral("0.1"));
        d.edit(s1, SlotField::Test)->setFocus();
        QCOMPARE(d.edit(s2, SlotField::LogFrom)->text(), QStringLiteral("0.1"));
        QCOMPARE(d.edit(s2, SlotField::LogTo)->text(), QStringLiteral("10"));

        QTest::keyClicks(d.edit(s1, SlotField::Test), QStringLiteral("1"));
        d.showBox(1)->click();
        QTest::mouseClick(d.autoNamesButton(), Qt::LeftButton);
        QCOMPARE(d.edit(s1, SlotField::NameTop)->text(), QStringLiteral("0"));
        QCOMPARE(d.edit(s1, SlotField::Name)->text(), QStringLiteral("カドミウム"));

        QTest::mouseClick(d.okButton(), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(t(2, GraphRow::Grid, GridField::Kind), std::string("1"));
        QCOMPARE(t(2, GraphRow::Grid, GridField::Marker), std::string("___"));
        QCOMPARE(t(2, s2, SlotField::Test), std::string("3"));
        QCOMPARE(t(2, s2, SlotField::LogTo), std::string("10"));
        QCOMPARE(t(2, s1, SlotField::ShowNumbers), std::string("1"));
        QCOMPARE(QString::fromStdString(u8(t(2, s1, SlotField::Name))), QStringLiteral("カドミウム"));
        QCOMPARE(t(1, s2, SlotField::Test), std::string());
    }
};

QTEST_MAIN(GraphFormatDialogTest)
#include "graphformatdialog_test.moc"
