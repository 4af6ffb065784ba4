// The "ページ" dialog under Qt Test: choosing the prefix "(" fills the suffix
// and the preview, "標準の設定" and the radios steer the distance fields, and
// OK writes PageSettings and marks the log modified.

#include "document/positions.h"
#include "qt/pagenumberdialog.h"
#include "qt/qtext.h"
#include "support/settingswindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace qc;
using qc::test::SettingsWindow;
using P = PageNumberEditor;

class PageNumberDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void prefixPreviewAndOk()
    {
        SettingsWindow w;
        w.doc.HeaderTable(HeaderEntry::FirstPage) = "1";
        w.doc.HeaderTable(HeaderEntry::PageTopFromPaper) = "250";
        w.doc.HeaderTable(HeaderEntry::PageLeft) = "20";
        bool suffixFilled = false, previewed = false, fieldsFollow = false;
        QVERIFY(w.run<PageNumberDialog>(CommandId::PageNumber, [&](PageNumberDialog& d) {
            d.prefixCombo()->setCurrentIndex(2); // "("
            suffixFilled = d.suffixCombo()->currentText() == QStringLiteral(")");
            previewed = d.previewEdit()->text() == QStringLiteral("(1)");
            d.topRadio(1)->click();
            fieldsFollow = !d.edit(P::TopFromPaper)->isEnabled() && d.edit(P::TopFromLine)->isEnabled();
            d.edit(P::TopFromLine)->setFocus();
            QTest::keyClicks(d.edit(P::TopFromLine), QStringLiteral("3.5"));
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("sameAsCompany")), Qt::LeftButton);
            return SettingsWindow::clickOk(d);
        }));
        QVERIFY(suffixFilled);
        QVERIFY(previewed);
        QVERIFY(fieldsFollow);
        QCOMPARE(w.doc.HeaderTable(HeaderEntry::PagePrefix), std::string("("));
        QCOMPARE(w.doc.HeaderTable(HeaderEntry::PageSuffix), std::string(")"));
        QCOMPARE(w.doc.HeaderTable(HeaderEntry::PageTopFrom), std::string("1"));
        QCOMPARE(w.doc.HeaderTable(HeaderEntry::PageTopFromLine), std::string("2.0"));
        QCOMPARE(w.doc.HeaderTable(HeaderEntry::PageLeftFrom), std::string("0"));
        QCOMPARE(w.doc.HeaderTable(HeaderEntry::PageLeft), std::string("20"));
        QCOMPARE(w.doc.modified, 1);
        QVERIFY(w.prompter.texts().empty());
    }

    void offPaperWarningStillCloses()
    {
        SettingsWindow w;
        QVERIFY(w.run<PageNumberDialog>(CommandId::PageNumber, [&](PageNumberDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("defaults")), Qt::LeftButton);
            d.topRadio(0)->click();
            QLineEdit* top = d.edit(P::TopFromPaper);
            top->setFocus();
            top->selectAll();
            QTest::keyClicks(top, QStringLiteral("999"));
            return SettingsWindow::clickOk(d);
        }));
        QCOMPARE(w.prompter.texts().size(), size_t(1));
        QCOMPARE(w.doc.HeaderTable(HeaderEntry::PageTopFromPaper), std::string("999"));
        QCOMPARE(w.doc.modified, 1);
    }
};

QTEST_MAIN(PageNumberDialogTest)
#include "pagenumberdialog_test.moc"
