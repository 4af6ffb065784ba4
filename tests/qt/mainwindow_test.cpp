// The main window under Qt Test: menus, shortcuts and tool bar; paging keys;
// the screen switch; the close question; files from the command line, the
// recent list and drops; printing to PDF through the print flow.

#include "app/appcontext.h"
#include "app/docflows.h"
#include "app/viewstate.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "qt/lockindicators.h"
#include "qt/logexport.h"
#include "qt/logview.h"
#include "qt/mainwindow.h"
#include "qt/printing.h"
#include "qt/programsettings.h"
#include "qt/qtext.h"
#include "qt/qtfilechooser.h"
#include "qt/qtprompter.h"
#include "render/paging.h"
#include "support/testutil.h"

#include <QFile>
#include <QFileDialog>
#include <QFileOpenEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <functional>
#include <memory>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

namespace {

struct Harness
{
    AppContext app;
    Document doc;
    ViewState view;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;

    explicit Harness(const std::string& file = {})
    {
        window = std::make_unique<MainWindow>(app, doc, view);
        window->setPrompter(&prompter);
        window->resize(1000, 700);
        window->start(file);
    }
    // n layers of 1 m each.
    void layers(int n)
    {
        for (int r = 1; r <= n; ++r) {
            doc.GeologyTable(r, GeologyCol::Depth) = std::to_string(r) + ".00";
            doc.GeologyTable(r, GeologyCol::Name) = sj("砂");
        }
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const auto& t : prompter.texts()) out.push_back(u8(t));
        return out;
    }
};

QStringList menuTexts(QMenu* menu)
{
    QStringList out;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && a->isVisible()) out << a->text();
    return out;
}

int pdfPageCount(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QString bytes = QString::fromLatin1(f.readAll());
    return static_cast<int>(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

// The title as the title bar shows it: "[*]" becomes "*" while the window is modified.
QString shownTitle(const QWidget& w)
{
    QString t = w.windowTitle();
    return t.replace(QStringLiteral("[*]"), w.isWindowModified() ? QStringLiteral("*") : QString());
}

// pdfinfo's "Pages:" and "Page size:" lines, or nothing without pdfinfo.
QString pdfPagesAndSize(const QString& path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(20000) || info.exitCode() != 0) return {};
    QStringList keep;
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")) || line.startsWith(QStringLiteral("Page size:")))
            keep << line;
    return keep.join(u'\n');
}

bool isBlank(const QImage& image)
{
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
    return true;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void menusShortcutsAndToolBar()
    {
        Harness h;
        const QList<QAction*> menus = h.window->menuBar()->actions();
        QStringList titles;
        for (QAction* m : menus) titles << m->text();
        QCOMPARE(titles, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)"),
                                      QStringLiteral("データ(&A)"), QStringLiteral("表示(&V)"),
                                      QStringLiteral("設定(&S)"), QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
        QCOMPARE(menuTexts(menus[0]->menu()),
                 (QStringList{QStringLiteral("新規作成(&N)"), QStringLiteral("開く(&O)..."),
                              QStringLiteral("上書き保存(&S)"), QStringLiteral("名前を付けて保存(&A)..."),
                              QStringLiteral("電子納品XMLの読み込み..."),
                              QStringLiteral("電子納品XML出力..."), QStringLiteral("印刷(&P)..."),
                              QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), QStringLiteral("ﾌﾟﾘﾝﾀの設定(&R)..."),
                              QStringLiteral("PDFに出力(&D)..."), QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)")}));
        QCOMPARE(menuTexts(menus[1]->menu()),
                 (QStringList{QStringLiteral("元に戻す(&U)"), QStringLiteral("やり直し(&R)")}));
        const QStringList data = menuTexts(menus[2]->menu());
        QCOMPARE(data.size(), 19);
        QCOMPARE(data.first(), QStringLiteral("見出し (&M)"));
        QCOMPARE(data[9], QStringLiteral("試験結果の読み込み(&I)..."));
        QCOMPARE(data[11], QStringLiteral("グラフ1書式(&1)"));
        QCOMPARE(data[17], QStringLiteral("全角英数字 検査(&Z)"));
        QCOMPARE(data.last(), QStringLiteral("基準超過一覧(&E)"));
        QCOMPARE(menuTexts(menus[3]->menu()),
                 (QStringList{QStringLiteral("ﾂｰﾙ ﾊﾞｰ(&T)"), QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰ(&S)"),
                              QStringLiteral("画面表示(&D)"), QStringLiteral("拡大(&I)"),
                              QStringLiteral("縮小(&O)"), QStringLiteral("100 %(&Z)"),
                              QStringLiteral("ページ幅に合わせる(&W)"), QStringLiteral("ページ全体(&E)")}));
        QCOMPARE(menuTexts(menus[4]->menu()).size(), 8);
        QCOMPARE(menuTexts(menus[4]->menu())[6], QStringLiteral("セットアップ(&U)"));
        QCOMPARE(menuTexts(menus[4]->menu()).last(), QStringLiteral("シートNo.にページ番号を印刷(&N)"));
        QCOMPARE(menuTexts(menus[5]->menu()),
                 (QStringList{QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"), QStringLiteral("操作＆ヘルプ(&H)")}));

        const struct
        {
            CommandId id;
            const char* keys;
        } shortcuts[] = {{CommandId::FileNew, "Ctrl+N"},
                         {CommandId::FileOpen, "Ctrl+O"},
                         {CommandId::FileSave, "Ctrl+S"},
                         {CommandId::FilePrint, "Ctrl+P"},
                         {CommandId::Undo, "Ctrl+Z"}};
        for (const auto& s : shortcuts)
            QCOMPARE(h.window->action(s.id)->shortcut(), QKeySequence(QString::fromLatin1(s.keys)));

        QCOMPARE(h.window->action(CommandId::ScreenDisplay)->statusTip(),
                 QStringLiteral("画面表示のＯＮ、ＯＦＦ"));
        QCOMPARE(h.window->action(CommandId::Geology)->statusTip(), QStringLiteral("土質地質名、色調、下線"));
        // Dialogs of later work are shown disabled; the about box is there.
        QVERIFY(h.window->action(CommandId::Geology)->isEnabled());
        QVERIFY(h.window->action(CommandId::Header)->isEnabled());
        QVERIFY(h.window->action(CommandId::Scale)->isEnabled());
        // A dialog command is enabled exactly when its dialog exists.
        for (CommandId id :
             {CommandId::Notes, CommandId::TestData, CommandId::Graph1, CommandId::NameMaster,
              CommandId::ShortTexts, CommandId::FullWidthCheck, CommandId::Fonts, CommandId::Help})
            QCOMPARE(h.window->action(id)->isEnabled(), h.window->dialogs().provides(id));
        QVERIFY(h.window->action(CommandId::About)->isEnabled());
        QVERIFY(h.window->action(CommandId::FilePrintPreview)->isEnabled());

        auto* bar = h.window->findChild<QToolBar*>(QStringLiteral("toolBar"));
        QVERIFY(bar);
        QList<QAction*> tools;
        int separators = 0;
        for (QAction* a : bar->actions()) {
            if (a->isSeparator())
                ++separators;
            else
                tools << a;
        }
        QCOMPARE(separators, 2);
        QCOMPARE(tools, (QList<QAction*>{
                            h.window->action(CommandId::FileNew), h.window->action(CommandId::FileOpen),
                            h.window->action(CommandId::FileSave), h.window->action(CommandId::FilePrint),
                            h.window->action(CommandId::About), h.window->action(CommandId::PreviousPage),
                            h.window->action(CommandId::NextPage)}));
        for (QAction* a : tools) QVERIFY(!a->icon().isNull());
        QCOMPARE(h.window->action(CommandId::NextPage)->statusTip(), QStringLiteral("次のページへ"));

        QVERIFY(shownTitle(*h.window).endsWith(QStringLiteral(" - 化学柱状図v7")));
        auto* hint = h.window->statusBar()->findChild<QLabel*>(QStringLiteral("viewHint"));
        QVERIFY(hint);
        QCOMPARE(hint->text(), QStringLiteral("PageUp(RollUp), PageDown(RollDown) または↑↓ｷｰで改ページ"));
    }

    void lockIndicatorsShowTheLocksThatAreOn()
    {
        Harness h;
        auto* locks = h.window->statusBar()->findChild<LockIndicators*>(QStringLiteral("lockIndicators"));
        QVERIFY(locks);
        locks->display(LockStates{false, true, true, false});
        QStringList texts;
        for (QLabel* l : locks->findChildren<QLabel*>()) texts << l->text();
        QCOMPARE(texts, (QStringList{QString(), QStringLiteral("CAP"), QStringLiteral("NUM"), QString()}));
    }

    void pagingKeysAtTheFirstPageAndAtTheLimit_data()
    {
        QTest::addColumn<int>("layers");
        QTest::addColumn<double>("limit");
        QTest::newRow("short log stops at 50 m") << 10 << 50.0;
        QTest::newRow("deep log stops at deepest + 5 m") << 70 << 75.0;
    }
    void pagingKeysAtTheFirstPageAndAtTheLimit()
    {
        QFETCH(int, layers);
        QFETCH(double, limit);
        Harness h;
        h.view.depthPerPage = 20;
        h.view.pageOverlap = 0;
        h.layers(layers);
        LogView* view = h.window->logView();

        QTest::keyClick(view, Qt::Key_PageUp);
        QCOMPARE(h.view.screenPageTop, 0.0);
        QCOMPARE(h.view.currentPage, 1);
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(h.view.screenPageTop, 0.0);

        QTest::keyClick(view, Qt::Key_PageDown);
        QCOMPARE(h.view.screenPageTop, 20.0);
        QCOMPARE(h.view.currentPage, 2);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(h.view.currentPage, 3);
        for (int i = 0; i < 10; ++i) QTest::keyClick(view, Qt::Key_PageDown);
        // The last step started below the limit.
        QVERIFY(h.view.screenPageTop >= limit);
        QVERIFY(h.view.screenPageTop - 20 < limit);
        QCOMPARE(h.view.currentPage, static_cast<int>(h.view.screenPageTop / 20) + 1);

        // The tool-bar buttons take the same steps.
        h.window->action(CommandId::PreviousPage)->trigger();
        QVERIFY(h.view.screenPageTop < limit);
        h.window->action(CommandId::NextPage)->trigger();
        QVERIFY(h.view.screenPageTop >= limit);

        // Ignored while a page is printed.
        const double top = h.view.screenPageTop;
        h.view.printingNow = true;
        QTest::keyClick(view, Qt::Key_PageUp);
        QCOMPARE(h.view.screenPageTop, top);
        h.view.printingNow = false;
    }

    void scrollingShowsTheDrawnPageAndPagingDrawsItAgain()
    {
        Harness h(QC_TEST_DATA_DIR "/current.bhc");
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        LogView* view = h.window->logView();
        view->viewport()->repaint();
        // The window's part first, the rest of the page while idle.
        QTRY_VERIFY(view->cacheComplete());
        const int renders = view->pageRenders();
        QVERIFY(renders >= 1);
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2);
        view->viewport()->repaint();
        QCOMPARE(view->pageRenders(), renders);
        QTest::keyClick(view, Qt::Key_PageDown);
        view->viewport()->repaint();
        QCOMPARE(view->pageRenders(), renders + 1);
    }

    void screenDisplayToggle()
    {
        Harness h(QC_TEST_DATA_DIR "/current.bhc");
        QVERIFY(!isBlank(h.window->logView()->renderToImage()));
        QAction* toggle = h.window->action(CommandId::ScreenDisplay);
        QVERIFY(toggle->isChecked());
        toggle->trigger();
        QVERIFY(!h.view.screenDisplayOn);
        QVERIFY(!toggle->isChecked());
        QVERIFY(isBlank(h.window->logView()->renderToImage()));
        toggle->trigger();
        QVERIFY(h.view.screenDisplayOn);
        QVERIFY(toggle->isChecked());
        QCOMPARE(h.texts(), (std::vector<std::string>{"表示しません", "表示します"}));
    }

    void closeQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("entries");
        QTest::newRow("Yes closes without saving") << static_cast<int>(Answer::Yes) << true << 1;
        QTest::newRow("No keeps the window with the hint") << static_cast<int>(Answer::No) << false << 2;
        QTest::newRow("Cancel keeps the window") << static_cast<int>(Answer::Cancel) << false << 1;
    }
    void closeQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(int, entries);
        Harness h;
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        h.doc.modified = 1;
        h.prompter.queueAnswer(static_cast<Answer>(answer));
        QCOMPARE(h.window->close(), closes);
        QCOMPARE(static_cast<int>(h.prompter.entries().size()), entries);
        QCOMPARE(h.texts()[0], std::string("データが変更されましたが、終了してよいのですか? "));
        QCOMPARE(h.prompter.entries()[0].defaultAnswer, Answer::Cancel);
        if (entries == 2)
            QCOMPARE(h.texts()[1], std::string("「名前を付けて保存」または「上書き保存」で保存して下さい. "));
        QCOMPARE(h.window->isVisible(), !closes);
    }

    void closingUnmodifiedDoesNotAsk()
    {
        Harness h;
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        QVERIFY(h.window->close());
        QVERIFY(h.prompter.entries().empty());
    }

    void fileFromTheCommandLine_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("message");
        QTest::newRow("current log") << QStringLiteral(QC_TEST_DATA_DIR "/current.bhc") << true << QString();
        QTest::newRow("missing file") << QStringLiteral(QC_TEST_DATA_DIR "/missing.bhc") << false
                                      << QStringLiteral("ファイルが見つかりません");
        QTest::newRow("foreign file") << QStringLiteral(QC_TEST_DATA_DIR "/foreign.txt") << false
                                      << QStringLiteral("本柱状図では開けません. ");
    }
    void fileFromTheCommandLine()
    {
        QFETCH(QString, file);
        QFETCH(bool, opens);
        QFETCH(QString, message);
        Harness h(toNativePath(file));
        if (opens) {
            QVERIFY(h.prompter.entries().empty());
            QCOMPARE(fromNativePath(h.doc.path), file);
            QVERIFY(geologyRowCount(h.doc) > 0);
            QCOMPARE(shownTitle(*h.window), QStringLiteral("current.bhc - 化学柱状図v7"));
            QCOMPARE(h.window->recentFiles().value(0), file);
        } else {
            QCOMPARE(static_cast<int>(h.prompter.entries().size()), 1);
            QVERIFY(fromCp932(h.prompter.entries()[0].text).startsWith(message));
            QVERIFY(h.doc.path.empty());
            QCOMPARE(geologyRowCount(h.doc), 0);
            QCOMPARE(shownTitle(*h.window), QStringLiteral("無題 - 化学柱状図v7"));
        }
        // Either way the view update ran: page 1 and the default roles.
        QCOMPARE(h.view.currentPage, 1);
        QVERIFY(!h.doc.HeaderTable(HeaderEntry::Role1).empty());
    }

    void droppedFileOpensByTheStandardPath()
    {
        Harness h;
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QStringLiteral(QC_TEST_DATA_DIR "/current.bhc")),
                      QUrl::fromLocalFile(QStringLiteral(QC_TEST_DATA_DIR "/previous.bhc"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h.window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h.window.get(), &drop);
        QCOMPARE(h.doc.title, std::string("current.bhc"));
        QVERIFY(geologyRowCount(h.doc) > 0);

        // An older sibling file asks before its import; No leaves the document.
        QMimeData sibling;
        sibling.setUrls({QUrl::fromLocalFile(QStringLiteral(QC_TEST_DATA_DIR "/sibling.tvl"))});
        h.prompter.queueAnswer(Answer::No);
        QDragEnterEvent enter2(QPoint(10, 10), Qt::CopyAction, &sibling, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h.window.get(), &enter2);
        QDropEvent drop2(QPointF(10, 10), Qt::CopyAction, &sibling, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h.window.get(), &drop2);
        QVERIFY(drop2.isAccepted());
        QVERIFY(!h.texts().empty());
        QCOMPARE(h.doc.title, std::string("current.bhc"));
        QCOMPARE(h.texts().back(), std::string("現在の化学試験データは削除されます. よいですか?　"));
    }

    // A dropped file, a file the desktop hands over, a recent file and "新規作成" ask before
    // replacing a modified log; キャンセル keeps it, 保存 writes it first.
    void replacingAModifiedLogAsksFirst()
    {
        qc::test::TempDir dir;
        Harness h;
        const QString current = QStringLiteral(QC_TEST_DATA_DIR "/current.bhc");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(current)});
        auto drop = [&] {
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(h.window.get(), &enter);
            QDropEvent e(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(h.window.get(), &e);
        };
        auto handOver = [&] {
            QFileOpenEvent e(current);
            QApplication::sendEvent(qApp, &e);
        };
        auto newDocument = [&] { h.window->action(CommandId::FileNew)->trigger(); };
        auto recent = [&] { h.window->findChild<QAction*>(QStringLiteral("recentFile1"))->trigger(); };
        auto edit = [&] {
            h.doc.path.clear();
            h.doc.title.clear();
            h.layers(3);
            h.doc.modified = 1;
            h.prompter.clear();
        };
        struct Way
        {
            const char* name;
            std::function<void()> replace;
            const char* title; // of the document that replaces the log
        };
        const Way ways[] = {{"drop", drop, "current.bhc"},
                            {"open with", handOver, "current.bhc"},
                            {"recent file", recent, "current.bhc"},
                            {"new", newDocument, ""}};
        for (const Way& w : ways) {
            edit();
            h.doc.title = "edited.bhc";
            h.prompter.queueAnswer(Answer::Cancel);
            w.replace();
            QVERIFY2(h.prompter.entries().size() == 1, w.name);
            QCOMPARE(h.texts()[0], std::string("変更を保存しますか？"));
            QCOMPARE(h.prompter.entries()[0].buttons, Buttons::SaveDiscardCancel);
            QCOMPARE(h.doc.title, std::string("edited.bhc"));
            QCOMPARE(geologyRowCount(h.doc), 3);
            QCOMPARE(h.doc.modified, 1);

            h.prompter.queueAnswer(Answer::No);
            w.replace();
            QCOMPARE(h.doc.modified, 0);
            QCOMPARE(h.doc.title, std::string(w.title));
        }
        QCOMPARE(geologyRowCount(h.doc), 0); // the new document

        // 保存 writes the log to its file before the dropped one replaces it.
        edit();
        const std::string saved = dir.file("edited.bhc");
        h.doc.path = saved;
        h.doc.title = "edited.bhc";
        h.prompter.queueAnswer(Answer::Yes);
        drop();
        QCOMPARE(h.doc.title, std::string("current.bhc"));
        Document onDisk;
        ScriptedPrompter quiet;
        QCOMPARE(LoadByPath(onDisk, saved, quiet), FlowResult::Done);
        QCOMPARE(geologyRowCount(onDisk), 3);
        // The saved log heads the recent list, below the one that replaced it.
        QCOMPARE(h.window->recentFiles().mid(0, 2), (QStringList{current, QString::fromStdString(saved)}));
    }

    // The save question as the user sees it: three buttons with their labels.
    void saveQuestionShowsItsThreeButtons()
    {
        QtPrompter prompter;
        QStringList labels;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            for (QAbstractButton* b : box->buttons()) labels << b->text();
            box->findChild<QPushButton*>(QStringLiteral("discard"))->click();
        });
        QCOMPARE(prompter.ask(sj("変更を保存しますか？"), Buttons::SaveDiscardCancel, Answer::Yes),
                 Answer::No);
        labels.sort();
        QStringList expected{QStringLiteral("保存"), QStringLiteral("保存しない"),
                             QStringLiteral("キャンセル")};
        expected.sort();
        QCOMPARE(labels, expected);
    }

    void recentFilesKeepFourAndDropMissingOnes()
    {
        qc::test::TempDir dir;
        Harness h;
        QStringList paths;
        for (int i = 1; i <= 5; ++i) {
            const QString p = QString::fromStdString(dir.file("log" + std::to_string(i) + ".bhc"));
            QVERIFY(QFile::copy(QStringLiteral(QC_TEST_DATA_DIR "/current.bhc"), p));
            QCOMPARE(h.window->openFile(p), FlowResult::Done);
            paths.prepend(p);
        }
        QCOMPARE(h.window->recentFiles(), paths.mid(0, 4));
        auto* recent1 = h.window->findChild<QAction*>(QStringLiteral("recentFile1"));
        QVERIFY(recent1 && recent1->isVisible());
        QVERIFY(recent1->text().startsWith(QStringLiteral("&1 ")));

        QFile::remove(paths[0]);
        recent1->trigger();
        QCOMPARE(h.window->recentFiles(), paths.mid(1, 3));
    }

    void printToPdfGivesPageCountPages()
    {
        qc::test::TempDir dir;
        Harness h;
        h.layers(45);
        h.view.depthPerPage = 10;
        h.view.pageOverlap = 0;
        const QString out = QString::fromStdString(dir.file("log.pdf"));
        int lastInDialog = 0;
        h.window->setPrintDialogRunner([&](QPrinter& printer, int last) {
            lastInDialog = last;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(out);
            printer.setPageSize(QPageSize(QPageSize::A3));
            return true;
        });
        h.view.screenPageTop = 20;
        const int printed = h.window->print();
        const int expected = pageCount(h.view, deepestDepth(h.doc));
        QCOMPARE(expected, 45 / 10 + 1);
        QCOMPARE(lastInDialog, expected);
        QCOMPARE(printed, expected);
        QCOMPARE(pdfPageCount(out), expected);
        QCOMPARE(h.view.paperHeightMm, 420); // the printed page's paper
        QCOMPARE(h.view.currentPage, 1);     // EndPrinting
        QVERIFY(!h.view.printingNow);

        // A range chosen in the dialog prints only those pages.
        const QString part = QString::fromStdString(dir.file("part.pdf"));
        h.window->setPrintDialogRunner([&](QPrinter& printer, int) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(part);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
            return true;
        });
        QCOMPARE(h.window->print(), 2);
        QCOMPARE(pdfPageCount(part), 2);

        // A cancelled dialog prints nothing.
        h.window->setPrintDialogRunner([](QPrinter&, int) { return false; });
        QCOMPARE(h.window->print(), 0);
    }

    // Without a printer the print flow prints to PDF on A3: that paper sets the
    // page depth and the page count as a printer's would, so the 25 m sample
    // takes one sheet, as the export gives it.
    void withoutAPrinterThePdfPaperSetsThePageDepth()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("a printer is installed: its paper is used");
        qc::test::TempDir dir;
        Harness h(QC_SOURCE_DIR "/examples/sample.bhc");
        QCOMPARE(deepestDepth(h.doc), 25.0);
        ViewState exported;
        exported.loadScaleSettings(h.app.settings);
        setExportPaper(exported, ExportOptions{});
        // A3 (297 x 420 mm; rounding to whole dots may take a millimetre off).
        QVERIFY(std::abs(h.view.paperWidthMm - 297) <= 1 && std::abs(h.view.paperHeightMm - 420) <= 1);
        QCOMPARE(h.view.depthPerPage, exported.depthPerPage);
        QCOMPARE(h.view.depthPerPage, 26);

        const QString out = QString::fromStdString(dir.file("sample.pdf"));
        int lastInDialog = 0;
        h.window->setPrintDialogRunner([&](QPrinter& printer, int last) {
            lastInDialog = last;
            printer.setOutputFileName(out);
            return true;
        });
        QCOMPARE(h.window->print(), 1);
        QCOMPARE(lastInDialog, 1);
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {out});
        if (!info.waitForFinished(20000)) QSKIP("pdfinfo is not available");
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("(A3)")), qPrintable(text));

        // The paper page setup chooses is the one the next view update and scale dialog see.
        h.window->printer().setPageSize(QPageSize(QPageSize::A4));
        h.window->controller().viewUpdate(false);
        QVERIFY(std::abs(h.view.paperWidthMm - 210) <= 1 && std::abs(h.view.paperHeightMm - 297) <= 1);
    }

    void cancellingAPrintStopsAtThatPage()
    {
        qc::test::TempDir dir;
        Harness h;
        h.layers(45);
        h.view.depthPerPage = 10;
        h.view.pageOverlap = 0;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(dir.file("cut.pdf")));
        std::vector<std::pair<int, int>> seen;
        const PrintOutcome outcome =
            printLogPages(h.window->controller(), printer, 1, 5, &h.prompter, [&](int done, int all) {
                seen.emplace_back(done, all);
                return done < 2;
            });
        QVERIFY(outcome.started);
        QVERIFY(outcome.cancelled);
        QCOMPARE(outcome.pagesPrinted, 2);
        QCOMPARE(seen, (std::vector<std::pair<int, int>>{{0, 5}, {1, 5}, {2, 5}}));
        QVERIFY(!h.view.printingNow);
    }

    void placedCentredAt86By80PercentOfTheScreen()
    {
        programSettings().remove(QStringLiteral("Window")); // the first start: no place kept
        Harness h;
        h.window->placeOnScreen();
        const QRect screen = h.window->screen()->geometry();
        QCOMPARE(h.window->size(), QSize(screen.width() * 86 / 100, screen.height() * 80 / 100));
        QVERIFY(qAbs(h.window->geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(h.window->geometry().center().y() - screen.center().y()) <= 1);
    }

    void openDialogStartsInTheRememberedFolder()
    {
        Harness h;
        QStringList shown, suffixes;
        qsizetype filters = 0;
        QString answer = QStringLiteral(QC_TEST_DATA_DIR "/current.bhc");
        h.window->fileChooser().setRunner([&](QFileDialog& d) -> std::optional<QString> {
            shown << d.directory().absolutePath();
            suffixes << d.defaultSuffix();
            filters = d.nameFilters().size();
            return answer;
        });
        h.window->action(CommandId::FileOpen)->trigger();
        QCOMPARE(h.doc.title, std::string("current.bhc"));
        QCOMPARE(h.window->recentFiles().value(0), answer);
        h.window->action(CommandId::FileOpen)->trigger();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1], QStringLiteral(QC_TEST_DATA_DIR)); // remembered from the first open
        QCOMPARE(suffixes.value(0), QStringLiteral("bhc"));
        QCOMPARE(filters, 3);
    }

    void nameFiltersOfTheFileDialogs()
    {
        const QStringList open = qtNameFilters(
            sj("化学柱状図(*.bhc)|*.bhc|Tavlo(*.tvl) Merin版(*.mrn)|*.tvl;*.mrn|すべて(*.*)|*.*||"));
        QCOMPARE(open, (QStringList{QStringLiteral("化学柱状図(*.bhc)"),
                                    QStringLiteral("Tavlo(*.tvl) Merin版(*.mrn) (*.tvl *.mrn)"),
                                    QStringLiteral("すべて(*.*)")}));
    }

    void saveAsThroughTheFileDialog()
    {
        qc::test::TempDir dir;
        Harness h(QC_TEST_DATA_DIR "/current.bhc");
        QString shownFolder;
        QStringList filters;
        h.window->fileChooser().setRunner([&](QFileDialog& d) -> std::optional<QString> {
            shownFolder = d.directory().absolutePath();
            filters = d.nameFilters();
            return QString::fromStdString(dir.file("copy"));
        });
        h.doc.modified = 1;
        h.window->action(CommandId::FileSaveAs)->trigger();
        QCOMPARE(shownFolder, QStringLiteral(QC_TEST_DATA_DIR));
        QCOMPARE(filters.size(), 2);
        QCOMPARE(h.doc.path, dir.file("copy.bhc"));
        QCOMPARE(h.doc.modified, 0);
        QVERIFY(QFile::exists(QString::fromStdString(dir.file("copy.bhc"))));
        QCOMPARE(shownTitle(*h.window), QStringLiteral("copy.bhc - 化学柱状図v7"));
    }

    // "PDFに出力" proposes the log's name in its folder and writes the pages and paper of `qc export`.
    void exportPdfWritesThePagesOfTheCommandLine()
    {
        qc::test::TempDir dir;
        const QString log = QString::fromStdString(dir.file("deep.bhc"));
        QVERIFY(QFile::copy(QStringLiteral(QC_TEST_DATA_DIR "/current.bhc"), log));
        Harness h(toNativePath(log));
        h.layers(45);
        h.doc.modified = 1;
        h.window->action(CommandId::FileSave)->trigger();
        QCOMPARE(h.doc.modified, 0);

        const QString out = QString::fromStdString(dir.file("menu.pdf"));
        QString proposed;
        h.window->fileChooser().setRunner([&](QFileDialog& d) -> std::optional<QString> {
            proposed = d.selectedFiles().value(0);
            return out;
        });
        const int pageBefore = h.view.currentPage;
        auto* action = h.window->findChild<QAction*>(QStringLiteral("exportPdf"));
        QVERIFY(action);
        action->trigger();
        QCOMPARE(proposed, QString::fromStdString(dir.file("deep.pdf")));
        QCOMPARE(h.window->statusBar()->currentMessage(), QStringLiteral("PDFに出力しました: ") + out);
        QCOMPARE(h.view.currentPage, pageBefore);

        const QString cli = QString::fromStdString(dir.file("cli.pdf"));
        QProcess qc;
        qc.start(QStringLiteral(QC_BINARY), {QStringLiteral("export"), log, QStringLiteral("-o"), cli});
        QVERIFY(qc.waitForFinished(60000));
        QCOMPARE(qc.exitCode(), 0);
        const QString expected = pdfPagesAndSize(cli);
        if (expected.isEmpty()) QSKIP("pdfinfo is not available");
        QVERIFY2(!expected.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b"))),
                 qPrintable(expected));
        QCOMPARE(pdfPagesAndSize(out), expected);

        // Cancelled in the file dialog: nothing written, nothing said.
        QFile::remove(out);
        h.window->statusBar()->clearMessage();
        h.window->fileChooser().setRunner(
            [](QFileDialog&) -> std::optional<QString> { return std::nullopt; });
        QCOMPARE(h.window->exportPdf(), FlowResult::Cancelled);
        QVERIFY(!QFile::exists(out));
        QVERIFY(h.window->statusBar()->currentMessage().isEmpty());

        // An untitled log proposes its name in the home folder.
        h.window->action(CommandId::FileNew)->trigger();
        QCOMPARE(h.window->proposedPdfPath(), QDir::home().filePath(QStringLiteral("無題.pdf")));
    }

    // Printing to a file proposes the log's name in its folder and says where it wrote it.
    void printToFileProposesTheLogsName()
    {
        qc::test::TempDir dir;
        const QString log = QString::fromStdString(dir.file("site.bhc"));
        QVERIFY(QFile::copy(QStringLiteral(QC_TEST_DATA_DIR "/current.bhc"), log));
        Harness h(toNativePath(log));
        h.window->printer().setOutputFormat(QPrinter::PdfFormat);
        h.window->printer().setOutputFileName(QStringLiteral("/elsewhere/print.pdf"));
        QString proposed;
        h.window->setPrintDialogRunner([&](QPrinter& printer, int) {
            proposed = printer.outputFileName();
            return true;
        });
        QCOMPARE(h.window->print(), 1);
        const QString pdf = QString::fromStdString(dir.file("site.pdf"));
        QCOMPARE(proposed, pdf);
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(h.window->statusBar()->currentMessage(), QStringLiteral("PDFに出力しました: ") + pdf);

        // A file that may not be replaced stays as it was, and the failure is said.
        QFile::remove(pdf);
        {
            QFile f(pdf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("kept");
        }
        QVERIFY(QFile::setPermissions(pdf, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        h.window->statusBar()->clearMessage();
        QCOMPARE(h.window->print(), 1);
        QFile kept(pdf);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("kept"));
        QCOMPARE(h.texts().size(), size_t(1));
        QVERIFY2(h.texts()[0].starts_with("PDFに出力できませんでした: "), h.texts()[0].c_str());
        QVERIFY(h.window->statusBar()->currentMessage().isEmpty());
        QCOMPARE(h.window->printer().outputFileName(), pdf);
    }

    // The sheet-number option: off at first, kept for the next start, and in force for printing.
    void sheetNumberOptionIsKept()
    {
        {
            Harness h(QC_TEST_DATA_DIR "/current.bhc");
            auto* option = h.window->findChild<QAction*>(QStringLiteral("sheetNumbers"));
            QVERIFY(option && option->isCheckable());
            QVERIFY(!option->isChecked());
            QVERIFY(!h.view.sheetNumbersFromPages);
            h.doc.HeaderTable(HeaderEntry::SheetNumber).clear();
            const QImage before = h.window->logView()->renderToImage();
            option->trigger();
            QVERIFY(h.view.sheetNumbersFromPages);
            QVERIFY(h.window->logView()->renderToImage() != before); // "シート№ 1/1" on the screen page
        }
        Harness again;
        auto* option = again.window->findChild<QAction*>(QStringLiteral("sheetNumbers"));
        QVERIFY(option->isChecked());
        QVERIFY(again.view.sheetNumbersFromPages);
        option->trigger();
        Harness third;
        QVERIFY(!third.view.sheetNumbersFromPages);
    }

    // A stopped export leaves a file already there as it was.
    void stoppedExportKeepsTheFileThatWasThere()
    {
        qc::test::TempDir dir;
        Harness h;
        h.layers(45);
        h.view.depthPerPage = 10;
        const std::string out = dir.file("kept.pdf");
        {
            QFile f(QString::fromStdString(out));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        ViewState view = h.view;
        RenderContext ctx{h.doc, h.app.settings, h.app.fonts, view, &h.prompter, nullptr};
        ExportOptions options;
        options.outPath = out;
        std::vector<int> seen;
        const ExportResult r = exportLog(ctx, options, [&](int n, int) {
            seen.push_back(n);
            return n < 3;
        });
        QVERIFY(!r.ok);
        QVERIFY(r.cancelled);
        QCOMPARE(seen, (std::vector<int>{1, 2, 3}));
        QFile f(QString::fromStdString(out));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old"));
    }

    // The title bar's "*" follows the log's modified flag through edit, save, new and open.
    void modifiedMarkFollowsTheDocument()
    {
        qc::test::TempDir dir;
        const QString copy = QString::fromStdString(dir.file("mark.bhc"));
        QVERIFY(QFile::copy(QStringLiteral(QC_TEST_DATA_DIR "/current.bhc"), copy));
        Harness h(toNativePath(copy));
        h.window->dialogs().setRunner([](QDialog&) { return int(QDialog::Accepted); });
        struct Step
        {
            const char* name;
            std::function<void()> run;
            const char* title;
        };
        const Step steps[] = {
            {"opened", [] {}, "mark.bhc - 化学柱状図v7"},
            {"edited", [&] { h.window->action(CommandId::Header)->trigger(); }, "mark.bhc* - 化学柱状図v7"},
            {"saved", [&] { h.window->action(CommandId::FileSave)->trigger(); }, "mark.bhc - 化学柱状図v7"},
            {"edited again", [&] { h.window->action(CommandId::Header)->trigger(); },
             "mark.bhc* - 化学柱状図v7"},
            {"new, changes dropped",
             [&] {
                 h.prompter.queueAnswer(Answer::No);
                 h.window->action(CommandId::FileNew)->trigger();
             },
             "無題 - 化学柱状図v7"},
            {"opened again", [&] { h.window->openFile(copy); }, "mark.bhc - 化学柱状図v7"},
        };
        for (const Step& s : steps) {
            s.run();
            QVERIFY2(shownTitle(*h.window) == QString::fromUtf8(s.title), s.name);
            QVERIFY2(h.window->isWindowModified() == (h.doc.modified != 0), s.name);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
