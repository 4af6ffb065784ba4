// The "表示項目" dialog under Qt Test: ticks, widths and titles from the
// table, totals that follow the ticks and the fields left, "幅均等", the
// grid warning after OK, and the table written on OK only.

#include "document/positions.h"
#include "qt/displayitemsdialog.h"
#include "qt/qtext.h"
#include "support/settingswindow.h"
#include "support/testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using namespace qc;
using qc::test::SettingsWindow;
using qc::test::u8;

class DisplayItemsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void editsTotalsAndOk()
    {
        SettingsWindow w;
        TextTable& t = w.doc.DisplayItemTable;
        for (int row = 2; row <= 16; ++row) t(row, 1) = "0";
        t(DisplayRow::Notes, 1) = "1";
        t(DisplayRow::Notes, 2) = "31.8";
        t(DisplayRow::GrainSize, 1) = "1";
        t(DisplayRow::GrainSize, 2) = "46.6";
        t(DisplayRow::Strata, 4) = QC_SJ("地質年代的区分");
        const bool ran = w.run<DisplayItemsDialog>(CommandId::DisplayItems, [](DisplayItemsDialog& d) {
            auto text = [&](const char* name) {
                return d.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
            };
            if (text("basicTotal") != QStringLiteral("149.0")) return int(QDialog::Rejected);
            if (d.titleCombo(DisplayRow::Strata)->currentText() != QStringLiteral("地質年代的区分"))
                return int(QDialog::Rejected);
            if (d.widthEdit(DisplayRow::Notes)->isEnabled()) return int(QDialog::Rejected); // a fixed width
            // Reference lines: on while the log says nothing; switched off here.
            if (!d.referenceLinesBox()->isChecked()) return int(QDialog::Rejected);
            d.referenceLinesBox()->click();
            for (int g : {1, 2, 3}) d.shownBox(DisplayRow::graph(g))->click();
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("equal")), Qt::LeftButton);
            if (d.widthEdit(DisplayRow::graph(2))->text() != QStringLiteral("40.0") ||
                d.gridEdit(DisplayRow::graph(2))->text() != QStringLiteral("30") ||
                text("overallTotal") != QStringLiteral("269.0"))
                return int(QDialog::Rejected);
            // A width counts once its field is left.
            QLineEdit* g1 = d.widthEdit(DisplayRow::graph(1));
            g1->setFocus();
            g1->selectAll();
            QTest::keyClicks(g1, QStringLiteral("35.0"));
            if (text("graphTotal") != QStringLiteral("120.0")) return int(QDialog::Rejected);
            d.gridEdit(DisplayRow::graph(1))->setFocus();
            if (text("graphTotal") != QStringLiteral("115.0")) return int(QDialog::Rejected);
            QTest::keyClick(d.gridEdit(DisplayRow::graph(1)), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(d.gridEdit(DisplayRow::graph(1)), QStringLiteral("36"));
            return SettingsWindow::clickOk(d);
        });
        QVERIFY(ran);
        QCOMPARE(w.doc.modified, 1);
        QCOMPARE(t(DisplayRow::graph(1), 1), std::string("1"));
        QCOMPARE(t(DisplayRow::graph(4), 1), std::string("0"));
        QCOMPARE(t(DisplayRow::graph(1), 2), std::string("35.0"));
        QCOMPARE(t(DisplayRow::graph(1), 3), std::string("36"));
        QCOMPARE(t(DisplayRow::graph(3), 2), std::string("40.0"));
        QCOMPARE(t(DisplayRow::Notes, 2), std::string("31.8"));
        QCOMPARE(t(ReferenceLinesCell::Row, ReferenceLinesCell::Col), std::string("0"));
        QCOMPARE(w.prompter.texts().size(), size_t(1));
        QCOMPARE(QString::fromStdString(u8(w.prompter.texts()[0])),
                 QStringLiteral("描画用グリッド部の幅がグラフ枠の幅より大です"));
    }

    void cancelLeavesTheTable()
    {
        SettingsWindow w;
        const TextTable before = w.doc.DisplayItemTable;
        QVERIFY(w.run<DisplayItemsDialog>(CommandId::DisplayItems, [](DisplayItemsDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("five")), Qt::LeftButton);
            return SettingsWindow::clickCancel(d);
        }));
        QVERIFY(w.doc.DisplayItemTable == before);
        QCOMPARE(w.doc.modified, 0);
    }
};

QTEST_MAIN(DisplayItemsDialogTest)
#include "displayitemsdialog_test.moc"
