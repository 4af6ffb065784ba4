// Takes a screenshot of the main window on a log, for the documentation:
//   qc_screenshot FILE OUT.png [--install-dir DIR] [--size WxH] [--page N] [--menu N] [--dialog ID]
//                 [--modified 1] [--row N] [--click NAME]... [--tab N] [--zoom PERCENT|fitpage|fitwidth]
//                 [--choose FILE]
// Run it under a display (xvfb-run works). --menu opens the N-th menu of the
// menu bar (1 = ファイル) before the picture is taken; --dialog runs the command
// of that CommandId number and takes the dialog it opens instead, after selecting
// row N of its list or first table and clicking the buttons of those object names
// (a dialog a button opens is taken instead), showing the N-th page (1 = the
// first) of a dialog with tabs. An OUT ending
// in .pdf prints the log through the print flow to that file instead.
// --modified 1 marks the log as edited (a new or opened file then asks to save it).
// --zoom shows the page at that zoom (100 when not given, whatever the settings keep).
// --undo-step ID runs that command first, clicking the --click buttons and "ok" in its
// dialog, so that the Edit menu has a step to name. --recovery 1 takes the question that
// offers the recovery copies left in the tool's data folder.
// --choose FILE answers the file chooser of a dialog that opens a file first.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "document/tables.h"
#include "qt/listdialog.h"
#include "qt/listeditorview.h"
#include "qt/logview.h"
#include "qt/mainwindow.h"
#include "qt/qtext.h"
#include "qt/qtpainterdevice.h"
#include "qt/translations.h"
#include "qt/zoomcontrols.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    qc::registerJapaneseFontSubstitutions();
    qc::installToolkitTranslations(application, QLocale::system());
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(
            stderr,
            "usage: qc_screenshot FILE OUT.png [--install-dir DIR] [--size WxH] [--page N] [--menu N]\n");
        return 2;
    }
    std::string installDir;
    QSize size(1280, 860);
    int page = 1, menu = 0, dialog = -1, modified = 0, row = 0, tab = 0, undoStep = -1, recovery = 0;
    QStringList clicks;
    QString zoom = QStringLiteral("100");
    QString choose; // the file a dialog's file chooser is answered with
    for (qsizetype i = 3; i + 1 < args.size(); i += 2) {
        if (args[i] == QStringLiteral("--install-dir")) installDir = qc::toNativePath(args[i + 1]);
        if (args[i] == QStringLiteral("--page")) page = args[i + 1].toInt();
        if (args[i] == QStringLiteral("--menu")) menu = args[i + 1].toInt();
        if (args[i] == QStringLiteral("--dialog")) dialog = args[i + 1].toInt();
        if (args[i] == QStringLiteral("--modified")) modified = args[i + 1].toInt();
        if (args[i] == QStringLiteral("--row")) row = args[i + 1].toInt();
        if (args[i] == QStringLiteral("--tab")) tab = args[i + 1].toInt();
        if (args[i] == QStringLiteral("--undo-step")) undoStep = args[i + 1].toInt();
        if (args[i] == QStringLiteral("--recovery")) recovery = args[i + 1].toInt();
        if (args[i] == QStringLiteral("--click")) clicks << args[i + 1];
        if (args[i] == QStringLiteral("--zoom")) zoom = args[i + 1];
        if (args[i] == QStringLiteral("--choose")) choose = args[i + 1];
        if (args[i] == QStringLiteral("--size")) {
            const QStringList wh = args[i + 1].split(QLatin1Char('x'));
            if (wh.size() == 2) size = QSize(wh[0].toInt(), wh[1].toInt());
        }
    }
    qc::AppContext app(qc::InstallEnvironment::fromProcess(installDir));
    qc::Document doc;
    qc::ViewState view;
    qc::MainWindow window(app, doc, view);
    window.resize(size);
    window.move(0, 0);
    window.start(qc::toNativePath(args[1]));
    if (!choose.isEmpty())
        window.dialogs().setFileRunner([&](QFileDialog&) { return std::optional<QString>(choose); });
    window.show();
    if (zoom == QStringLiteral("fitpage"))
        window.zoomControls()->action(qc::ZoomControls::Command::FitPage)->trigger();
    else if (zoom == QStringLiteral("fitwidth"))
        window.zoomControls()->action(qc::ZoomControls::Command::FitWidth)->trigger();
    else
        window.logView()->setZoom({qc::ZoomMode::Fixed, zoom.toInt() * qc::kZoomBaseDpi / 100});
    window.logView()->horizontalScrollBar()->setValue(0); // a zoom about the centre moved it
    window.logView()->verticalScrollBar()->setValue(0);
    doc.modified = modified;
    for (int p = 1; p < page; ++p) window.controller().nextPage();

    const QString out = args[2];
    if (out.endsWith(QStringLiteral(".pdf"))) {
        // Through the print flow, the print dialog answered with a PDF file.
        window.setPrintDialogRunner([&](QPrinter& printer, int) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(out);
            return true;
        });
        const int pages = window.print();
        std::fprintf(stderr, "printed %d pages to %s\n", pages, out.toLocal8Bit().constData());
        return pages > 0 ? 0 : 1;
    }
    if (recovery) {
        QTimer::singleShot(2000, [&] {
            QWidget* w = QApplication::activeModalWidget();
            const bool saved = w && w->grab().save(out);
            std::fprintf(stderr, saved ? "wrote %s\n" : "no question for %s\n",
                         out.toLocal8Bit().constData());
            QApplication::exit(saved ? 0 : 1);
            if (w) w->close();
        });
        QTimer::singleShot(300, [&] { window.offerRecovery(); });
        return application.exec();
    }
    if (dialog >= 0) {
        // Fills the dialog before the picture: a row of its first table, then buttons by name.
        QTimer::singleShot(1000, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) return;
            if (auto* list = w->findChild<qc::ListEditorView*>(QStringLiteral("list")); list && row > 0) {
                list->editor().clickRow(row);
                if (auto* d = qobject_cast<qc::ListDialog*>(w)) d->sync();
            } else if (auto* table = w->findChild<QTableWidget*>(); table && row > 0) {
                table->setCurrentCell(row - 1, 0);
            }
            for (const QString& name : clicks)
                if (auto* b = w->findChild<QAbstractButton*>(name)) b->click();
        });
        QTimer::singleShot(2000, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (QTabWidget* tabs = w && tab > 0 ? w->findChild<QTabWidget*>() : nullptr) {
                tabs->setCurrentIndex(tab - 1);
                QApplication::processEvents();
            }
            const bool saved = w && w->grab().save(out);
            std::fprintf(stderr, saved ? "wrote %s\n" : "no dialog for %s\n", out.toLocal8Bit().constData());
            QApplication::exit(saved ? 0 : 1);
            if (w) w->close();
        });
        QTimer::singleShot(300, [&] {
            if (QAction* a = window.action(static_cast<qc::CommandId>(dialog))) a->trigger();
        });
        return application.exec();
    }
    if (undoStep >= 0) {
        window.dialogs().setRunner([&](QDialog& d) {
            for (const QString& name : clicks)
                if (auto* b = d.findChild<QAbstractButton*>(name)) b->click();
            if (auto* ok = d.findChild<QAbstractButton*>(QStringLiteral("ok"))) ok->click();
            return d.isVisible() ? int(QDialog::Rejected) : d.result();
        });
        window.action(static_cast<qc::CommandId>(undoStep))->trigger();
        window.dialogs().setRunner({});
    }
    QTimer::singleShot(800, [&] {
        if (menu > 0 && menu <= window.menuBar()->actions().size()) {
            QAction* m = window.menuBar()->actions()[menu - 1];
            window.menuBar()->setActiveAction(m);
        }
        QTimer::singleShot(600, [&] {
            const QRect frame = window.frameGeometry();
            QPixmap shot =
                window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
            if (shot.isNull()) shot = window.grab();
            const bool saved = shot.save(out);
            std::fprintf(stderr, saved ? "wrote %s\n" : "cannot write %s\n", out.toLocal8Bit().constData());
            application.exit(saved ? 0 : 1);
        });
    });
    return application.exec();
}
