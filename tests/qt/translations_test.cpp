// The program on a Japanese desktop: the toolkit's message boxes and file
// dialogs read in Japanese, as the program sets itself up at start.

#include "platform/prompter.h"
#include "qt/guiapp.h"
#include "qt/qtprompter.h"
#include "qt/translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <cstdlib>

namespace {

// The desktop's language, set before the application reads it.
const bool japaneseDesktop = [] {
    ::setenv("LANG", "ja_JP.UTF-8", 1);
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_MESSAGES");
    ::unsetenv("LANGUAGE");
    return true;
}();

QStringList buttonTexts(QWidget* box)
{
    QStringList out;
    if (!box) return out;
    // "はい(&Y)" -> "はい": the mnemonic is the toolkit's choice.
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
        out << b->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
    return out;
}

} // namespace

class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(japaneseDesktop);
        QCOMPARE(QLocale::system().language(), QLocale::Japanese);
        qc::setUpApplication(*qApp);
    }

    // The question of the prompter is a standard box: its buttons come from the toolkit.
    void messageBoxButtonsAreJapanese()
    {
        qc::QtPrompter prompter;
        QStringList texts;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            texts = buttonTexts(box);
            if (box) QTest::keyClick(box, Qt::Key_Escape);
        });
        const qc::Answer a = prompter.ask("?", qc::Buttons::YesNoCancel, qc::Answer::Yes);
        QCOMPARE(a, qc::Answer::Cancel);
        QVERIFY2(texts.contains(QStringLiteral("はい")), qPrintable(texts.join(u'|')));
        QVERIFY2(texts.contains(QStringLiteral("いいえ")), qPrintable(texts.join(u'|')));
        QVERIFY2(texts.contains(QStringLiteral("キャンセル")), qPrintable(texts.join(u'|')));
    }

    void fileDialogIsJapanese()
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
        QVERIFY(label);
        QVERIFY2(label->text().contains(QStringLiteral("ファイル名")), qPrintable(label->text()));
        QStringList texts = buttonTexts(dialog.findChild<QDialogButtonBox*>());
        QVERIFY2(texts.contains(QStringLiteral("キャンセル")), qPrintable(texts.join(u'|')));
    }

    // A language without translations installs nothing and keeps the toolkit's English.
    void noTranslationsForALanguageWithoutThem()
    {
        QCOMPARE(qc::installToolkitTranslations(*qApp, QLocale(QLocale::English, QLocale::UnitedStates)),
                 false);
        QCOMPARE(qc::installToolkitTranslations(*qApp, QLocale(QLocale::Japanese, QLocale::Japan)), true);
    }
};

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
