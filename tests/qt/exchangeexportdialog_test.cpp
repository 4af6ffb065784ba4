// The "電子納品XML出力" dialog under Qt Test: typing a code and an output file
// and pressing OK writes the exchange file and keeps the code for next time.

#include "document/cp932.h"
#include "document/positions.h"
#include "exchange/exchangexml.h"
#include "qt/exchangeexportdialog.h"
#include "support/settingswindow.h"
#include "support/tempdir.h"

#include <QLineEdit>
#include <QPlainTextEdit>

using namespace qc;
using qc::test::SettingsWindow;
using qc::test::TempDir;

class ExchangeExportDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void editAndOk()
    {
        TempDir tmp;
        SettingsWindow w;
        w.doc.GeologyTable(1, GeologyCol::Depth) = "3.00";
        w.doc.GeologyTable(1, GeologyCol::Name) = cp932::fromUtf8("砂①");
        const std::string out = tmp.file("B-1.XML");
        bool reported = false, proposed = false;
        QVERIFY(w.run<ExchangeExportDialog>(CommandId::ExportXml, [&](ExchangeExportDialog& d) {
            reported = d.reportView()->toPlainText().contains(QStringLiteral("①"));
            proposed = d.pathEdit()->text() == QStringLiteral("BED0001.XML");
            QLineEdit* datum = d.field(8);
            datum->selectAll();
            QTest::keyClicks(datum, QStringLiteral("03"));
            d.pathEdit()->selectAll();
            QTest::keyClicks(d.pathEdit(), QString::fromStdString(out));
            return SettingsWindow::clickOk(d);
        }));
        QVERIFY(reported);
        QVERIFY(proposed);
        const QString xml = QString::fromStdString(cp932::toUtf8(w.fileBytes(out)));
        QVERIFY(xml.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>")));
        QVERIFY(xml.contains(QStringLiteral("<測地系>03</測地系>")));
        QCOMPARE(loadExchangeSettings(w.app.install.file(kExchangeSettingsFile), nullptr).datum,
                 std::string("03"));
        QCOMPARE(w.doc.modified, 0); // exporting changes no document data
    }

    void missingPathKeepsTheDialogOpen()
    {
        SettingsWindow w;
        w.doc.GeologyTable(1, GeologyCol::Depth) = "3.00";
        bool stayed = false;
        QVERIFY(w.run<ExchangeExportDialog>(CommandId::ExportXml, [&](ExchangeExportDialog& d) {
            d.pathEdit()->selectAll();
            QTest::keyClick(d.pathEdit(), Qt::Key_Delete);
            SettingsWindow::clickOk(d);
            stayed = d.isVisible();
            return SettingsWindow::clickCancel(d);
        }));
        QVERIFY(stayed);
        QCOMPARE(w.prompter.texts().size(), size_t(1));
    }
};

QTEST_MAIN(ExchangeExportDialogTest)
#include "exchangeexportdialog_test.moc"
