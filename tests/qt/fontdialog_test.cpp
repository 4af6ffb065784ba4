// The font dialog under Qt Test: a role's button runs the scripted chooser
// and its line shows the exact size; OK writes the six font files; "標準の設定"
// then Cancel leaves the fonts and their files as they were.

#include "app/settings.h"
#include "platform/fontchooser.h"
#include "qt/fontdialog.h"
#include "qt/qtext.h"
#include "support/settingswindow.h"
#include "support/testutil.h"

#include <QLabel>
#include <QLineEdit>

using namespace qc;
using qc::test::SettingsWindow;
using qc::test::sj;
using qc::test::u8;

class FontDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void chosenFontIsShownAndWrittenOnOk()
    {
        SettingsWindow w;
        ScriptedFontChooser chooser;
        chooser.answers.push_back(FontChoice{sj("ＭＳ ゴシック"), -13, 96, 0x0000ff, true});
        w.window.dialogs().setFontChooser(&chooser);
        QString size, face;
        QVERIFY(w.run<FontDialog>(CommandId::Fonts, [&](FontDialog& d) {
            QTest::mouseClick(d.roleButton(FontSettings::Notes), Qt::LeftButton);
            size = d.sizeEdit(FontSettings::Notes)->text();
            face = d.faceEdit(FontSettings::Notes)->text();
            return SettingsWindow::clickOk(d);
        }));
        QCOMPARE(size, QStringLiteral(" 10     (9.8)"));
        QCOMPARE(face, QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(w.app.fonts[FontSettings::Notes].points, 9.75);
        const std::string file = w.fileBytes(w.app.paths.fonts[FontSettings::Notes]);
        QCOMPARE(u8(file), std::string("9.8\r\nＭＳ ゴシック\r\n255\r\n1\r\n"));
        QCOMPARE(parseFontFile(file, FontSettings::Notes).points, 9.8);
        QCOMPARE(w.doc.modified, 0);
    }

    void standardSettingsThenCancelChangeNothing()
    {
        SettingsWindow w;
        w.app.fonts[FontSettings::Heading].points = 14;
        w.app.fonts[FontSettings::Heading].colour = 0xff;
        const FontSettings before = w.app.fonts;
        std::vector<std::string> files;
        for (int role = 1; role <= 6; ++role) files.push_back(w.fileBytes(w.app.paths.fonts[role]));
        QString shownAfterDefaults;
        QVERIFY(w.run<FontDialog>(CommandId::Fonts, [&](FontDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("defaults")), Qt::LeftButton);
            shownAfterDefaults = d.sizeEdit(FontSettings::Heading)->text();
            return SettingsWindow::clickCancel(d);
        }));
        QCOMPARE(shownAfterDefaults, QStringLiteral(" 10     (10.0)"));
        QVERIFY(w.app.fonts == before);
        for (int role = 1; role <= 6; ++role)
            QCOMPARE(w.fileBytes(w.app.paths.fonts[role]), files[static_cast<size_t>(role - 1)]);
    }
};

QTEST_MAIN(FontDialogTest)
#include "fontdialog_test.moc"
