#pragma once
// What the log view does, without widgets: the view update after every load
// and new document, the commands around their dialogs, the paging keys and
// buttons, the screen-display switch, the printing hooks and the close
// question. The Qt view and main window forward to it.

#include "app/docflows.h"
#include "app/history.h"
#include "commands/commandtable.h"
#include "commands/dialoghost.h"
#include "render/paging.h"

#include <functional>
#include <optional>
#include <string>

namespace qc {

struct AppContext;
struct Document;
struct ViewState;
class Device;
class FileChooser;
class Prompter;
class RecoveryKeeper;

// What the view asks of its window.
class ViewHost
{
public:
    virtual ~ViewHost() = default;
    virtual void repaint(bool erase) = 0;
    // The page and resolution of the printer that will print (a PDF printer when
    // none is installed); nothing when the host has none at all.
    virtual std::optional<PrinterPage> printerPage() = 0;
    virtual void setScrollSizes(const ScrollSizes& sizes) = 0;
    // Width of the screen at start-up, pixels.
    virtual int screenWidthPixels() const = 0;
    // The document was written to path (a save, save as, or the save question's save).
    virtual void documentSaved(const std::string& path) { (void)path; }
};

// The keys the view reacts to.
enum class ViewKey { PageUp, PageDown, Up, Down, Other };

class ViewController
{
public:
    ViewController(AppContext& app, Document& doc, ViewState& view, Prompter& prompter, DialogHost& dialogs,
                   ViewHost& host);

    // File, print and view commands are always there; a dialog command only
    // when its dialog exists.
    bool isEnabled(CommandId id) const;

    // Runs a data, settings, help or paging command, or the screen toggle, and
    // repaints. File and print commands have their own entries below; the tool
    // and status bar toggles are the window's.
    void run(CommandId id);

    // The view update: masters, paper size, derived patterns, first page, and
    // for a newly shown document the scroll extent and the default engineer roles.
    void viewUpdate(bool documentShown);

    // Before a command replaces a modified document: "変更を保存しますか？" with
    // 保存 (the save flow; replacing goes on only when it saved), 保存しない and
    // キャンセル. True when the document may be replaced.
    bool mayReplaceDocument(FileChooser& chooser);
    // "新規作成": after that question, clears the tables and shows the empty document.
    FlowResult newDocument(FileChooser& chooser);
    // The standard open path (command line, dropped files, recent files, files
    // the desktop hands over), after the question.
    FlowResult openPath(const std::string& path, FileChooser& chooser);
    FlowResult openWithDialog(FileChooser& chooser);
    FlowResult save(FileChooser& chooser);
    FlowResult saveAs(FileChooser& chooser);
    // "電子納品XMLの読み込み...": after the save question, an exchange file
    // opened as a new, modified, untitled log.
    FlowResult importExchange(FileChooser& chooser);

    // Key-down in the view; true when the key was a paging key (handled or ignored while printing).
    bool keyDown(ViewKey key);
    void previousPage();
    void nextPage();
    void toggleScreenDisplay();

    // Draws the screen page (nothing while the screen display is off).
    bool drawScreen(Device& device, Prompter* prompter);

    // Printing hooks: the paper size of the printer that will print and the
    // last page of the range; one page; the end of printing.
    int preparePrinting(const PrinterPage* printer);
    bool printPage(Device& device, int page, Prompter* prompter);
    void endPrinting();

    // The close question; true when the window may close.
    bool queryClose();
    // The window closed: the unsaved data it kept for recovery goes.
    void closed();

    // Undo and redo of the document commands. Every command whose OK edits document
    // data is one step when it changed the tables; settings commands are not steps.
    // Other entries that change the document run their body through runDocumentCommand.
    bool undo();
    bool redo();
    const History& history() const { return m_history; }
    // The menu texts of undo and redo with the name of the command they take back
    // or do again ("元に戻す: 地質 色調(&U)"), UTF-8.
    std::string undoText() const;
    std::string redoText() const;
    void runDocumentCommand(CommandId id, const std::function<void()>& body);
    // Where the unsaved document is copied for recovery after a crash (none: not kept).
    void setRecovery(RecoveryKeeper* recovery) { m_recovery = recovery; }
    // A recovery copy chosen at start was loaded into the document: it is unsaved.
    void adoptRecoveredDocument();

    double deepest() const;
    const ViewState& view() const { return m_view; }
    AppContext& app() { return m_app; }
    Document& document() { return m_doc; }

private:
    void refreshPaperSize();
    void runHeader();
    void runGeology();
    void runTestData();
    void runDisplayItems();
    void runPageNumber();
    void runScale();
    void runStyle();
    void runNameMaster();
    void runFonts();
    void runKeyOptions();
    void runSetup();
    void runExchangeExport();
    void pagingStep(bool forward);
    void runCommand(CommandId id);
    void documentReplaced();
    void documentChanged();
    FlowResult saved(FlowResult r);

    AppContext& m_app;
    Document& m_doc;
    ViewState& m_view;
    Prompter& m_prompter;
    DialogHost& m_dialogs;
    ViewHost& m_host;
    History m_history;
    RecoveryKeeper* m_recovery = nullptr;
};

} // namespace qc
