#pragma once
// The main window: menus, tool bar and status bar of the view's commands, the
// recent-file list, dropped files, printing and the close question. The rules
// live in ViewController; this class shows them.

#include "commands/viewcontroller.h"
#include "qt/qtdialoghost.h"
#include "qt/qtfilechooser.h"
#include "qt/qtprompter.h"

#include <QMainWindow>
#include <QPrinter>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace qc {

class LogView;
class ZoomControls;
class RecoveryKeeper;

class MainWindow : public QMainWindow, private ViewHost
{
    Q_OBJECT
public:
    static constexpr int kRecentFiles = 4;

    // The application owns these; the window keeps references for its life.
    MainWindow(AppContext& app, Document& doc, ViewState& view, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens FILE from the command line by the standard open path, or starts an
    // empty document; a file that cannot be opened leaves the empty document.
    void start(const std::string& path);
    // Size and place as the program starts: where it was when it last closed, else (or when
    // that lies off every screen) centred, 86 % x 80 % of the screen.
    void placeOnScreen();

    QAction* action(CommandId id) const;
    LogView* logView() const { return m_logView; }
    ZoomControls* zoomControls() const { return m_zoom; }
    ViewController& controller() { return m_controller; }
    QStringList recentFiles() const;

    // The standard open path with the recent-file list and the title.
    FlowResult openFile(const QString& path);

    // At start: offers the unsaved work of windows that did not close cleanly.
    void offerRecovery();
    // The folder of the recovery copies, under the application's data folder.
    static QString recoveryFolder();
    RecoveryKeeper& recovery() { return *m_recovery; }

    // Seams for tests: the print dialog (true to print; it may change the printer
    // and its range) and the prompter of messages and questions.
    using PrintDialogRunner = std::function<bool(QPrinter& printer, int lastPage)>;
    void setPrintDialogRunner(PrintDialogRunner runner) { m_printDialogRunner = std::move(runner); }
    void setPrompter(Prompter* prompter);
    QtFileChooser& fileChooser() { return m_chooser; }
    QtDialogHost& dialogs() { return m_dialogs; }
    QPrinter& printer() { return m_printer; }

    // The print command: PreparePrinting, the print dialog, the pages, EndPrinting.
    // Returns the number of pages printed.
    int print();
    // "PDFに出力": the pages and paper of `qc export` into a PDF file the user names.
    FlowResult exportPdf();
    // The document's name with ".pdf", in its folder (in the home folder while untitled).
    QString proposedPdfPath() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ViewHost
    void repaint(bool erase) override;
    std::optional<PrinterPage> printerPage() override;
    void setScrollSizes(const ScrollSizes& sizes) override;
    int screenWidthPixels() const override { return m_screenWidth; }
    void documentSaved(const std::string& path) override { addRecentFile(path); }

    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void trigger(CommandId id);
    void updateTitle();
    void updateEditActions();
    void armRecoveryDue();
    void addRecentFile(const std::string& path);
    void removeRecentFile(const QString& path);
    void updateRecentActions();
    void printPreview();
    void printSetup();
    Prompter& prompter() { return m_activePrompter ? *m_activePrompter : m_prompter; }

    AppContext& m_app;
    Document& m_doc;
    ViewState& m_view;
    QtPrompter m_prompter;
    // Forwards to the prompter in force (the Qt one, or a test's).
    class ForwardingPrompter : public Prompter
    {
    public:
        explicit ForwardingPrompter(MainWindow& w) : m_w(w) {}
        void message(const std::string& text) override { m_w.prompter().message(text); }
        Answer ask(const std::string& text, Buttons b, Answer d) override
        {
            return m_w.prompter().ask(text, b, d);
        }

    private:
        MainWindow& m_w;
    } m_forwarder{*this};
    Prompter* m_activePrompter = nullptr;
    QtDialogHost m_dialogs;
    QtFileChooser m_chooser;
    ViewController m_controller;
    LogView* m_logView = nullptr;
    ZoomControls* m_zoom = nullptr;
    QPrinter m_printer;
    PrintDialogRunner m_printDialogRunner;
    int m_screenWidth = 0;

    std::map<CommandId, QAction*> m_actions;
    std::vector<QAction*> m_recentActions;
    QAction* m_recentSeparator = nullptr;
    QAction* m_exportPdf = nullptr;
    QAction* m_sheetNumbers = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_hint = nullptr;
    std::unique_ptr<RecoveryKeeper> m_recovery;
    QTimer m_recoveryPeriod; // a fresh copy every minute while modified
    QTimer m_recoveryDue;    // the copy held back after a change
};

} // namespace qc
