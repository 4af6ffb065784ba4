#include "qt/mainwindow.h"

#include "app/appcontext.h"
#include "app/recovery.h"
#include "app/viewstate.h"
#include "document/tables.h"
#include "platform/files.h"
#include "qt/lockindicators.h"
#include "qt/logexport.h"
#include "qt/logview.h"
#include "qt/printing.h"
#include "qt/qtext.h"
#include "qt/toolbaricons.h"
#include "qt/windowplace.h"
#include "qt/zoomcontrols.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileOpenEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

namespace qc {

namespace {

// The settings store of the recent-file list.
QSettings recentStore()
{
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Qc"));
}

const QString kRecentGroup = QStringLiteral("Recent File List");
// The window's own options, in the same settings store.
const QString kSheetNumbersKey = QStringLiteral("Options/SheetNumbersFromPages");

// "開く(&O)..." -> "開く" for tool tips.
QString plainText(const char* text)
{
    QString t = QString::fromUtf8(text);
    const qsizetype paren = t.indexOf(QStringLiteral("(&"));
    if (paren >= 0) t.truncate(paren);
    t.remove(QLatin1Char('&'));
    return t.trimmed();
}

} // namespace

MainWindow::MainWindow(AppContext& app, Document& doc, ViewState& view, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_doc(doc), m_view(view), m_prompter(this),
      m_dialogs(this, app, m_forwarder), m_chooser(this),
      m_controller(app, doc, view, m_forwarder, m_dialogs, *this), m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(toolIcon(ToolIcon::Application));
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    // Without a printer the print dialog prints to PDF: on A3, where the whole log width fits.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) m_printer.setPageSize(QPageSize(QPageSize::A3));
    m_screenWidth = screen() ? screen()->geometry().width() : 1024;
    m_view.sheetNumbersFromPages = recentStore().value(kSheetNumbersKey, false).toBool();

    m_logView = new LogView(m_controller, m_forwarder, this);
    m_logView->setStatusTip(QString::fromUtf8(kViewHint));
    setCentralWidget(m_logView);
    m_zoom = new ZoomControls(*m_logView, this);

    m_recovery = std::make_unique<RecoveryKeeper>(toNativePath(recoveryFolder()), m_doc, m_forwarder);
    m_controller.setRecovery(m_recovery.get());
    m_recoveryPeriod.setInterval(static_cast<int>(RecoveryKeeper::kPeriod.count()));
    connect(&m_recoveryPeriod, &QTimer::timeout, this, [this] { m_recovery->tick(); });
    m_recoveryPeriod.start();
    m_recoveryDue.setSingleShot(true);
    m_recoveryDue.setTimerType(Qt::PreciseTimer);
    connect(&m_recoveryDue, &QTimer::timeout, this, [this] {
        m_recovery->tick();
        armRecoveryDue();
    });

    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    updateRecentActions();
    updateTitle();
}

MainWindow::~MainWindow() = default;

void MainWindow::setPrompter(Prompter* prompter)
{
    m_activePrompter = prompter;
}

QAction* MainWindow::action(CommandId id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void MainWindow::createActions()
{
    for (const CommandInfo& info : commandTable()) {
        auto* a = new QAction(QString::fromUtf8(info.text), this);
        a->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(info.id)));
        if (*info.shortcut) a->setShortcut(QKeySequence(QString::fromUtf8(info.shortcut)));
        a->setStatusTip(QString::fromUtf8(info.prompt));
        a->setToolTip(plainText(info.text));
        a->setEnabled(m_controller.isEnabled(info.id));
        const CommandId id = info.id;
        connect(a, &QAction::triggered, this, [this, id] { trigger(id); });
        m_actions[id] = a;
    }
    m_actions[CommandId::FileNew]->setIcon(toolIcon(ToolIcon::New));
    m_actions[CommandId::FileOpen]->setIcon(toolIcon(ToolIcon::Open));
    m_actions[CommandId::FileSave]->setIcon(toolIcon(ToolIcon::Save));
    m_actions[CommandId::FilePrint]->setIcon(toolIcon(ToolIcon::Print));
    m_actions[CommandId::About]->setIcon(toolIcon(ToolIcon::About));
    m_actions[CommandId::PreviousPage]->setIcon(toolIcon(ToolIcon::PreviousPage));
    m_actions[CommandId::Redo]->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    m_actions[CommandId::NextPage]->setIcon(toolIcon(ToolIcon::NextPage));
    for (CommandId id : {CommandId::ViewToolBar, CommandId::ViewStatusBar, CommandId::ScreenDisplay}) {
        m_actions[id]->setCheckable(true);
        m_actions[id]->setChecked(true);
    }
    m_actions[CommandId::ScreenDisplay]->setChecked(m_view.screenDisplayOn);

    m_exportPdf = new QAction(QStringLiteral("PDFに出力(&D)..."), this);
    m_exportPdf->setObjectName(QStringLiteral("exportPdf"));
    m_exportPdf->setStatusTip(QStringLiteral("柱状図をPDFファイルに出力"));
    m_exportPdf->setToolTip(QStringLiteral("PDFに出力"));
    connect(m_exportPdf, &QAction::triggered, this, [this] { exportPdf(); });

    m_sheetNumbers = new QAction(QStringLiteral("シートNo.にページ番号を印刷(&N)"), this);
    m_sheetNumbers->setObjectName(QStringLiteral("sheetNumbers"));
    m_sheetNumbers->setStatusTip(
        QStringLiteral("見出しのシートNo.に入力値の代わりに「ページ/総ページ数」を印刷"));
    m_sheetNumbers->setCheckable(true);
    m_sheetNumbers->setChecked(m_view.sheetNumbersFromPages);
    connect(m_sheetNumbers, &QAction::toggled, this, [this](bool on) {
        m_view.sheetNumbersFromPages = on;
        recentStore().setValue(kSheetNumbersKey, on);
        m_logView->invalidatePage();
    });

    for (int i = 0; i < kRecentFiles; ++i) {
        auto* a = new QAction(this);
        a->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        a->setStatusTip(QStringLiteral("この柱状図を開く"));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, a] {
            const QString path = a->data().toString();
            // A file that is gone or no longer a log leaves the list.
            if (openFile(path) == FlowResult::Failed) removeRecentFile(path);
        });
        m_recentActions.push_back(a);
    }
}

void MainWindow::createMenus()
{
    std::map<MenuId, QMenu*> menus;
    for (MenuId m :
         {MenuId::File, MenuId::Edit, MenuId::Data, MenuId::View, MenuId::Settings, MenuId::Help}) {
        menus[m] = menuBar()->addMenu(QString::fromUtf8(menuTitle(m)));
        menus[m]->setObjectName(QStringLiteral("menu%1").arg(static_cast<int>(m)));
    }
    for (const CommandInfo& info : commandTable()) {
        if (info.menu == MenuId::None) continue;
        QMenu* menu = menus[info.menu];
        if (info.id == CommandId::AppExit) {
            // The recent files come before the exit command.
            menu->addSeparator();
            for (QAction* a : m_recentActions) menu->addAction(a);
            m_recentSeparator = menu->addSeparator();
            menu->addAction(m_actions[info.id]);
            continue;
        }
        if (info.separatorBefore) menu->addSeparator();
        menu->addAction(m_actions[info.id]);
        if (info.id == CommandId::FilePrintSetup) menu->addAction(m_exportPdf);
    }
    m_zoom->addTo(menus[MenuId::View]);
    menus[MenuId::Settings]->addSeparator();
    menus[MenuId::Settings]->addAction(m_sheetNumbers);
}

void MainWindow::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("ツール バー"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(24, 24));
    m_toolBar->setMovable(false);
    m_toolBar->addAction(m_actions[CommandId::FileNew]);
    m_toolBar->addAction(m_actions[CommandId::FileOpen]);
    m_toolBar->addAction(m_actions[CommandId::FileSave]);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_actions[CommandId::FilePrint]);
    m_toolBar->addAction(m_actions[CommandId::About]);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_actions[CommandId::PreviousPage]);
    m_toolBar->addAction(m_actions[CommandId::NextPage]);
    // Hidden or shown from elsewhere (the window's context menu), the menu check follows.
    connect(m_toolBar, &QToolBar::visibilityChanged, this, [this](bool visible) {
        if (!isHidden()) m_actions[CommandId::ViewToolBar]->setChecked(visible);
    });
}

void MainWindow::createStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    m_hint = new QLabel(QString::fromUtf8(kViewHint), this);
    m_hint->setObjectName(QStringLiteral("viewHint"));
    statusBar()->addWidget(m_hint, 1);
    statusBar()->addPermanentWidget(m_zoom->createLabel(this));
    statusBar()->addPermanentWidget(new LockIndicators(this));
}

void MainWindow::placeOnScreen()
{
    if (restoreWindowPlace(*this)) return;
    const QRect screenRect = screen() ? screen()->geometry() : QRect(0, 0, 1024, 768);
    const QSize size(screenRect.width() * 86 / 100, screenRect.height() * 80 / 100);
    resize(size);
    move(screenRect.center() - QPoint(size.width() / 2, size.height() / 2));
}

void MainWindow::start(const std::string& path)
{
    m_logView->setFocus();
    if (!path.empty() && openFile(fromNativePath(path)) == FlowResult::Done) return;
    m_controller.newDocument(m_chooser);
    updateTitle();
}

FlowResult MainWindow::openFile(const QString& path)
{
    // An absolute path, so that a later save writes where the file came from.
    const QString full = path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
    const FlowResult r = m_controller.openPath(toNativePath(QDir::toNativeSeparators(full)), m_chooser);
    if (r == FlowResult::Done) addRecentFile(m_doc.path);
    updateTitle();
    return r;
}

void MainWindow::trigger(CommandId id)
{
    switch (id) {
    case CommandId::FileNew:
        m_controller.newDocument(m_chooser);
        break;
    case CommandId::FileOpen:
        if (m_controller.openWithDialog(m_chooser) == FlowResult::Done) addRecentFile(m_doc.path);
        break;
    case CommandId::FileSave:
        m_controller.save(m_chooser);
        break;
    case CommandId::FileSaveAs:
        m_controller.saveAs(m_chooser);
        break;
    case CommandId::ImportXml:
        m_controller.importExchange(m_chooser);
        break;
    case CommandId::FilePrint:
        print();
        break;
    case CommandId::FilePrintPreview:
        printPreview();
        break;
    case CommandId::FilePrintSetup:
        printSetup();
        break;
    case CommandId::AppExit:
        close();
        return;
    case CommandId::ViewToolBar:
        m_toolBar->setVisible(m_actions[id]->isChecked());
        return;
    case CommandId::ViewStatusBar:
        statusBar()->setVisible(m_actions[id]->isChecked());
        return;
    default:
        m_controller.run(id);
        break;
    }
    m_actions[CommandId::ScreenDisplay]->setChecked(m_view.screenDisplayOn);
    updateTitle();
}

void MainWindow::updateTitle()
{
    const QString doc = m_doc.title.empty() ? QStringLiteral("無題") : fromNativePath(m_doc.title);
    // "[*]" is where the title bar shows "*" while the log has unsaved changes.
    setWindowTitle(doc + QStringLiteral("[*] - ") + QString::fromUtf8(kMainWindowTitle));
    setWindowModified(m_doc.modified != 0);
    updateEditActions();
}

void MainWindow::updateEditActions()
{
    if (m_actions.empty()) return;
    QAction* undo = m_actions[CommandId::Undo];
    QAction* redo = m_actions[CommandId::Redo];
    undo->setText(QString::fromStdString(m_controller.undoText()));
    undo->setEnabled(m_controller.isEnabled(CommandId::Undo));
    redo->setText(QString::fromStdString(m_controller.redoText()));
    redo->setEnabled(m_controller.isEnabled(CommandId::Redo));
    armRecoveryDue();
}

void MainWindow::armRecoveryDue()
{
    // A change made a recovery copy due later than now: the timer writes it then. A timer
    // that fired a little early found it not yet due and is armed again for the rest.
    if (const std::optional<long long> due = m_recovery->msUntilDue())
        m_recoveryDue.start(static_cast<int>(*due));
}

QString MainWindow::recoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

void MainWindow::offerRecovery()
{
    RecoveryOffer offer = qc::offerRecovery(toNativePath(recoveryFolder()), m_doc, prompter());
    if (offer.choice == RecoveryChoice::Restored) {
        m_controller.adoptRecoveredDocument(); // writes this window's own copy at once
        // The old copy goes only once the new one holds the work.
        if (!m_recovery->copyPath().empty() && fileExists(m_recovery->copyPath())) offer.restored->discard();
    }
    updateTitle();
}

// Recent files ------------------------------------------------------------

QStringList MainWindow::recentFiles() const
{
    QSettings s = recentStore();
    s.beginGroup(kRecentGroup);
    QStringList files;
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString f = s.value(QStringLiteral("File%1").arg(i)).toString();
        if (!f.isEmpty()) files << f;
    }
    return files;
}

static void storeRecent(const QStringList& files)
{
    QSettings s = recentStore();
    s.beginGroup(kRecentGroup);
    for (int i = 1; i <= MainWindow::kRecentFiles; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= files.size())
            s.setValue(key, files[i - 1]);
        else
            s.remove(key);
    }
}

void MainWindow::addRecentFile(const std::string& path)
{
    if (path.empty()) return;
    const QString full = QFileInfo(fromNativePath(path)).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(full);
    files.prepend(full);
    while (files.size() > kRecentFiles) files.removeLast();
    storeRecent(files);
    updateRecentActions();
}

void MainWindow::removeRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    storeRecent(files);
    updateRecentActions();
}

void MainWindow::updateRecentActions()
{
    const QStringList files = recentFiles();
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* a = m_recentActions[static_cast<size_t>(i)];
        if (i < files.size()) {
            const QString shown = QDir::toNativeSeparators(files[i]);
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
            a->setData(files[i]);
            a->setVisible(true);
        } else {
            a->setVisible(false);
        }
    }
    if (m_recentSeparator) m_recentSeparator->setVisible(!files.isEmpty());
}

// Drops and closing ---------------------------------------------------------

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void MainWindow::dropEvent(QDropEvent* event)
{
    // One document at a time: the first local file is opened.
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        event->acceptProposedAction();
        activateWindow();
        openFile(url.toLocalFile());
        return;
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A file the desktop hands to the running program ("open with") opens like a dropped one.
    if (watched == qApp && event->type() == QEvent::FileOpen) {
        const QString path = static_cast<QFileOpenEvent*>(event)->file();
        if (!path.isEmpty()) {
            activateWindow();
            openFile(path);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_controller.queryClose()) {
        m_controller.closed();
        saveWindowPlace(*this);
        event->accept();
    } else {
        event->ignore();
    }
}

// ViewHost -------------------------------------------------------------------

void MainWindow::repaint(bool erase)
{
    Q_UNUSED(erase); // the view draws the whole page on white every time
    m_logView->invalidatePage();
    updateTitle(); // every edit ends in a repaint
    if (auto it = m_actions.find(CommandId::ScreenDisplay); it != m_actions.end())
        it->second->setChecked(m_view.screenDisplayOn);
}

std::optional<PrinterPage> MainWindow::printerPage()
{
    // Without a printer the print flow prints to PDF on this printer's paper (A3
    // unless another is chosen): that paper drives the page depth and the page
    // count just as a printer's would.
    limitPdfResolution(m_printer);
    return printerPageOf(m_printer);
}

void MainWindow::setScrollSizes(const ScrollSizes& sizes)
{
    m_logView->setScrollSizes(sizes);
}

// Printing -------------------------------------------------------------------

namespace {

// The PDF the printer wrote into a temporary file goes over the chosen file
// through the atomic write; the printer reports no write errors, so a file
// that does not end as a PDF ends is taken for a failed write.
bool movePrintedPdf(const QString& printed, const QString& target, std::string& error)
{
    QFile in(printed);
    if (!in.open(QIODevice::ReadOnly)) {
        error = in.errorString().toStdString();
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (!bytes.trimmed().endsWith("%%EOF")) {
        error = "incomplete PDF";
        return false;
    }
    FileError failure;
    if (writeFileAtomically(toNativePath(target), std::string_view(bytes.constData(), size_t(bytes.size())),
                            &failure))
        return true;
    error = failure.reason;
    return false;
}

} // namespace

int MainWindow::print()
{
    // PreparePrinting: the paper of the printer, the range up to the page count, the dialog.
    // Printing to a file proposes the document's name, not the toolkit's "print.pdf".
    if (m_printer.outputFormat() == QPrinter::PdfFormat) m_printer.setOutputFileName(proposedPdfPath());
    limitPdfResolution(m_printer);
    PrinterPage page = printerPageOf(m_printer);
    int last = m_controller.preparePrinting(&page);
    m_printer.setPrintRange(QPrinter::AllPages);
    m_printer.setFromTo(1, last);
    bool accepted = false;
    if (m_printDialogRunner) {
        accepted = m_printDialogRunner(m_printer, last);
    } else {
        QPrintDialog dialog(&m_printer, this);
        dialog.setMinMax(1, last);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted) return 0;

    // The printer (and its paper) may have changed in the dialog: that page drives the geometry.
    limitPdfResolution(m_printer);
    page = printerPageOf(m_printer);
    last = m_controller.preparePrinting(&page);
    int first = 1, to = last;
    if (m_printer.printRange() == QPrinter::PageRange) {
        first = std::clamp(m_printer.fromPage(), 1, last);
        to = std::clamp(m_printer.toPage() > 0 ? m_printer.toPage() : last, first, last);
    } else if (m_printer.printRange() == QPrinter::CurrentPage) {
        first = to = std::clamp(m_view.currentPage, 1, last);
    }

    // Printing to a file writes a temporary PDF first: the chosen file (which may be
    // a good earlier one) is replaced only by a complete PDF, never by a cut-off one.
    const QString pdfTarget =
        m_printer.outputFormat() == QPrinter::PdfFormat ? m_printer.outputFileName() : QString();
    QTemporaryDir pdfTemp;
    if (!pdfTarget.isEmpty()) m_printer.setOutputFileName(pdfTemp.filePath(QStringLiteral("print.pdf")));

    QProgressDialog progress(QStringLiteral("印刷中..."), QStringLiteral("キャンセル"), 0, to - first + 1,
                             this);
    progress.setObjectName(QStringLiteral("printProgress"));
    progress.setWindowTitle(QStringLiteral("印刷"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const PrintOutcome outcome =
        printLogPages(m_controller, m_printer, first, to, &m_forwarder, [&](int done, int all) {
            progress.setMaximum(all);
            progress.setLabelText(QStringLiteral("印刷中... %1 / %2 ページ").arg(done + 1).arg(all));
            progress.setValue(done);
            return !progress.wasCanceled();
        });
    progress.setValue(progress.maximum());
    if (!outcome.started) prompter().message(QC_SJ("印刷を開始できませんでした"));
    if (!pdfTarget.isEmpty()) {
        const QString printed = m_printer.outputFileName();
        m_printer.setOutputFileName(pdfTarget);
        if (outcome.started && !outcome.cancelled) {
            std::string error;
            if (movePrintedPdf(printed, pdfTarget, error))
                statusBar()->showMessage(
                    QStringLiteral("PDFに出力しました: %1").arg(QDir::toNativeSeparators(pdfTarget)));
            else
                prompter().message(QC_SJ("PDFに出力できませんでした: ") +
                                   toCp932(QString::fromStdString(error)));
        }
    }
    m_controller.endPrinting();
    return outcome.cancelled ? 0 : outcome.pagesPrinted;
}

QString MainWindow::proposedPdfPath() const
{
    const QString doc = fromNativePath(m_doc.path);
    if (doc.isEmpty()) return QDir::home().filePath(QStringLiteral("無題.pdf"));
    const QFileInfo info(doc);
    return info.absoluteDir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
}

FlowResult MainWindow::exportPdf()
{
    FileDialogRequest request;
    request.save = true;
    request.filter = QC_SJ("PDF ファイル(*.pdf)|*.pdf||");
    request.defaultExtension = "pdf";
    request.initialFile = toNativePath(proposedPdfPath());
    const std::optional<std::string> chosen = m_chooser.choose(request);
    if (!chosen) return FlowResult::Cancelled;

    // The paper and resolution of `qc export` (A3 portrait, 600 dpi): the same pages.
    ExportOptions options;
    options.outPath = *chosen;
    options.format = ExportFormat::Pdf;
    options.dpi = 600;
    ViewState view = m_view; // the page on screen stays as it is
    RenderContext ctx = renderContextOf(m_app, m_doc, view, &m_forwarder);
    QProgressDialog progress(QStringLiteral("PDFに出力中..."), QStringLiteral("キャンセル"), 0, 1, this);
    progress.setObjectName(QStringLiteral("exportProgress"));
    progress.setWindowTitle(QStringLiteral("PDFに出力"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const ExportResult result = exportLog(ctx, options, [&](int n, int all) {
        progress.setMaximum(all);
        progress.setLabelText(QStringLiteral("PDFに出力中... %1 / %2 ページ").arg(n).arg(all));
        progress.setValue(n - 1);
        return !progress.wasCanceled();
    });
    progress.setValue(progress.maximum());
    const QString shown = QDir::toNativeSeparators(fromNativePath(*chosen));
    if (result.cancelled) {
        statusBar()->showMessage(QStringLiteral("PDFへの出力を中止しました"));
        return FlowResult::Cancelled;
    }
    if (!result.ok) {
        prompter().message(QC_SJ("PDFに出力できませんでした: ") +
                           toCp932(QString::fromStdString(result.error)));
        return FlowResult::Failed;
    }
    statusBar()->showMessage(QStringLiteral("PDFに出力しました: %1").arg(shown));
    return FlowResult::Done;
}

void MainWindow::printPreview()
{
    limitPdfResolution(m_printer);
    QPrintPreviewDialog preview(&m_printer, this);
    preview.setObjectName(QStringLiteral("printPreview"));
    preview.setWindowTitle(plainText(commandInfo(CommandId::FilePrintPreview).text));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        const PrinterPage page = printerPageOf(*printer);
        const int last = m_controller.preparePrinting(&page);
        printLogPages(m_controller, *printer, 1, last, &m_forwarder);
    });
    preview.resize(size() * 9 / 10);
    preview.exec();
    m_controller.endPrinting();
}

void MainWindow::printSetup()
{
    QPageSetupDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted) m_logView->invalidatePage();
}

} // namespace qc
