#include "commands/viewcontroller.h"

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/geologymaster.h"
#include "document/positions.h"
#include "document/referencevalue.h"
#include "document/tables.h"
#include "document/textformat.h"
#include "platform/prompter.h"
#include "render/headerblock.h"
#include "render/logpage.h"

#include <utility>

namespace qc {

namespace {

constexpr std::pair<CommandId, ListDialogKind> kDataListCommands[] = {
    {CommandId::Notes, ListDialogKind::Notes},           {CommandId::Strata, ListDialogKind::Strata},
    {CommandId::FreeColumn, ListDialogKind::FreeColumn}, {CommandId::WaterLevel, ListDialogKind::WaterLevel},
    {CommandId::Casing, ListDialogKind::Casing},         {CommandId::DrillDate, ListDialogKind::DrillDate},
};

bool isDataListCommand(CommandId id, ListDialogKind& kind)
{
    for (const auto& [command, dialog] : kDataListCommands) {
        if (command == id) {
            kind = dialog;
            return true;
        }
    }
    return false;
}

} // namespace

ViewController::ViewController(AppContext& app, Document& doc, ViewState& view, Prompter& prompter,
                               DialogHost& dialogs, ViewHost& host)
    : m_app(app), m_doc(doc), m_view(view), m_prompter(prompter), m_dialogs(dialogs), m_host(host)
{
}

bool ViewController::isEnabled(CommandId id) const
{
    switch (id) {
    case CommandId::FileNew:
    case CommandId::FileOpen:
    case CommandId::FileSave:
    case CommandId::FileSaveAs:
    case CommandId::ImportXml:
    case CommandId::FilePrint:
    case CommandId::FilePrintPreview:
    case CommandId::FilePrintSetup:
    case CommandId::AppExit:
    case CommandId::ViewToolBar:
    case CommandId::ViewStatusBar:
    case CommandId::ScreenDisplay:
    case CommandId::PreviousPage:
    case CommandId::NextPage:
    case CommandId::About:
        return true;
    case CommandId::Undo:
        return m_history.canUndo();
    case CommandId::Redo:
        return m_history.canRedo();
    default:
        return m_dialogs.provides(id);
    }
}

double ViewController::deepest() const
{
    return deepestDepth(m_doc);
}

void ViewController::refreshPaperSize()
{
    const std::optional<PrinterPage> page = m_host.printerPage();
    computePaperSize(m_view, page ? &*page : nullptr);
}

void ViewController::viewUpdate(bool documentShown)
{
    const LoadMastersResult r = updateDocumentForView(m_app, m_doc, m_prompter);
    if (r.firstCall) {
        m_view.screenDisplayOn = true;
        m_view.loadScaleSettings(m_app.settings);
    }
    refreshPaperSize();
    m_view.screenPageTop = 0;
    m_view.currentPage = 1;
    if (documentShown) {
        m_host.setScrollSizes(scrollSizes(m_view, m_host.screenWidthPixels()));
        applyDefaultRoleTitles(m_doc);
    }
    m_host.repaint(true);
}

bool ViewController::mayReplaceDocument(FileChooser& chooser)
{
    if (m_doc.modified == 0) return true;
    switch (m_prompter.ask(QC_SJ("変更を保存しますか？"), Buttons::SaveDiscardCancel, Answer::Yes)) {
    case Answer::Yes:
        return saved(SaveDocument(m_doc, m_prompter, chooser)) == FlowResult::Done;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

FlowResult ViewController::newDocument(FileChooser& chooser)
{
    if (!mayReplaceDocument(chooser)) return FlowResult::Cancelled;
    ClearAll(m_doc);
    m_doc.path.clear();
    m_doc.title.clear();
    m_doc.modified = 0;
    ApplyDefaultLogTitle(m_doc);
    viewUpdate(true);
    documentReplaced();
    return FlowResult::Done;
}

FlowResult ViewController::openPath(const std::string& path, FileChooser& chooser)
{
    if (!mayReplaceDocument(chooser)) return FlowResult::Cancelled;
    const FlowResult r = LoadByPath(m_doc, path, m_prompter);
    if (r == FlowResult::Done) {
        viewUpdate(true);
        documentReplaced();
    }
    return r;
}

FlowResult ViewController::openWithDialog(FileChooser& chooser)
{
    if (!mayReplaceDocument(chooser)) return FlowResult::Cancelled;
    const FlowResult r = OpenDocumentDialog(m_doc, m_prompter, chooser, m_app.install.path);
    if (r == FlowResult::Done) {
        viewUpdate(true);
        documentReplaced();
    }
    return r;
}

FlowResult ViewController::save(FileChooser& chooser)
{
    return saved(SaveDocument(m_doc, m_prompter, chooser));
}

FlowResult ViewController::saveAs(FileChooser& chooser)
{
    return saved(SaveDocumentAs(m_doc, m_prompter, chooser));
}

void ViewController::runCommand(CommandId id)
{
    ListDialogKind kind{};
    if (isDataListCommand(id, kind)) {
        if (!m_dialogs.provides(id)) return;
        if (m_dialogs.list(kind, m_doc)) m_doc.modified = 1;
        m_host.repaint(true);
        return;
    }
    if (const int graph = graphNumberOf(id)) {
        if (!m_dialogs.provides(id)) return;
        if (m_dialogs.graphFormat(m_doc, graph)) m_doc.modified = 1;
        m_host.repaint(true);
        return;
    }
    switch (id) {
    case CommandId::PreviousPage:
        pagingStep(false);
        return;
    case CommandId::NextPage:
        pagingStep(true);
        return;
    case CommandId::ScreenDisplay:
        toggleScreenDisplay();
        return;
    case CommandId::Undo:
        undo();
        return;
    case CommandId::Redo:
        redo();
        return;
    case CommandId::About:
        m_dialogs.about();
        m_host.repaint(true);
        return;
    default:
        break;
    }
    if (!m_dialogs.provides(id)) return;
    switch (id) {
    case CommandId::Header:
        runHeader();
        break;
    case CommandId::Geology:
        runGeology();
        break;
    case CommandId::TestData:
        runTestData();
        break;
    case CommandId::LabImport:
        if (m_dialogs.labImport(m_doc)) m_doc.modified = 1;
        break;
    case CommandId::DisplayItems:
        runDisplayItems();
        break;
    case CommandId::PageNumber:
        runPageNumber();
        break;
    case CommandId::FullWidthCheck:
        m_dialogs.fullWidthCheck(m_doc);
        break;
    case CommandId::ExceedanceList:
        m_dialogs.exceedanceList(m_doc);
        break;
    case CommandId::Scale:
        runScale();
        break;
    case CommandId::Style:
        runStyle();
        break;
    case CommandId::NameMaster:
        runNameMaster();
        break;
    case CommandId::ShortTexts:
        m_dialogs.shortTexts(m_app.paths);
        break;
    case CommandId::Fonts:
        runFonts();
        break;
    case CommandId::KeyOptions:
        runKeyOptions();
        break;
    case CommandId::Setup:
        runSetup();
        break;
    case CommandId::ExportXml:
        runExchangeExport();
        break;
    case CommandId::Help:
        m_dialogs.help(m_app.paths.help);
        m_host.repaint(false); // the help dialog leaves the page as it is
        return;
    default:
        return; // file, print and bar commands are not routed here
    }
    m_host.repaint(true);
}

void ViewController::runHeader()
{
    HeaderDialogData d;
    d.geologyDepth = formatDepth(deepest());
    for (int e = 1; e < static_cast<int>(d.entry.size()); ++e)
        if (HeaderDialogData::isEditedEntry(e)) d.entry[static_cast<size_t>(e)] = m_doc.HeaderTable(e);
    if (d.entry[39].empty()) d.entry[39] = m_app.settings.companyName();
    if (d.entry[40].empty()) d.entry[40] = m_app.settings.telephone();
    d.elevationShown = cellInt(m_doc.HeaderTable(HeaderEntry::ShowElevation)) == 1;
    d.compactHeader = cellInt(m_doc.HeaderTable(HeaderEntry::CompactHeader)) == 1;
    d.headerUnderline = cellInt(m_doc.HeaderTable(HeaderEntry::HeaderUnderline)) == 1;
    if (!m_dialogs.header(d)) return;
    for (int e = 1; e < static_cast<int>(d.entry.size()); ++e)
        if (HeaderDialogData::isEditedEntry(e)) m_doc.HeaderTable(e) = d.entry[static_cast<size_t>(e)];
    m_doc.HeaderTable(HeaderEntry::ShowElevation) = d.elevationShown ? "1" : "0";
    m_doc.HeaderTable(HeaderEntry::CompactHeader) = d.compactHeader ? "1" : "0";
    m_doc.HeaderTable(HeaderEntry::HeaderUnderline) = d.headerUnderline ? "1" : "0";
    m_doc.modified = 1;
}

void ViewController::runGeology()
{
    int e59 = cellInt(m_doc.HeaderTable(HeaderEntry::SplitTopsoil));
    int e60 = cellInt(m_doc.HeaderTable(HeaderEntry::AlternationLines));
    if (!m_dialogs.geology(m_doc, e59, e60)) return;
    m_doc.HeaderTable(HeaderEntry::SplitTopsoil) = formatInt(e59);
    m_doc.HeaderTable(HeaderEntry::AlternationLines) = formatInt(e60);
    m_doc.modified = 1;
    DeriveGeologyPatterns(m_doc, m_app.master);
}

void ViewController::runTestData()
{
    TestDataDialogData d;
    d.valuesBesideSymbols = cellInt(m_doc.HeaderTable(HeaderEntry::ValuesBesideSymbols)) != 0;
    d.blackAndWhite = cellInt(m_doc.HeaderTable(HeaderEntry::BlackAndWhiteSymbols)) == 1;
    if (!m_dialogs.testData(m_doc, d)) return;
    m_doc.HeaderTable(HeaderEntry::ValuesBesideSymbols) = d.valuesBesideSymbols ? "1" : "0";
    m_doc.HeaderTable(HeaderEntry::BlackAndWhiteSymbols) = d.blackAndWhite ? "1" : "0";
    m_doc.modified = 1;
}

void ViewController::runDisplayItems()
{
    TextTable& t = m_doc.DisplayItemTable;
    DisplayItemsData d;
    for (int r = 1; r <= limits::DisplayItem; ++r) {
        const auto i = static_cast<size_t>(r);
        d.shown[i] = cellInt(t(r, DisplayCol::Shown));
        d.width[i] = t(r, DisplayCol::Width);
        d.gridWidth[i] = t(r, DisplayCol::GridWidth);
        d.title[i] = t(r, DisplayCol::Title);
    }
    d.referenceLines = referenceLinesShown(m_doc);
    if (!m_dialogs.displayItems(d)) return;
    t(DisplayRow::Basic, DisplayCol::Shown) = "1";
    for (int r = 2; r <= limits::DisplayItem; ++r)
        t(r, DisplayCol::Shown) = formatInt(d.shown[static_cast<size_t>(r)]);
    // The other widths are fixed by the layout: shown in the dialog, never written.
    for (int r : {3, 4, 7, 8, 9, 10, 11, 12}) t(r, DisplayCol::Width) = d.width[static_cast<size_t>(r)];
    for (int r = 8; r <= 12; ++r) t(r, DisplayCol::GridWidth) = d.gridWidth[static_cast<size_t>(r)];
    for (int r : {1, 3, 4}) t(r, DisplayCol::Title) = d.title[static_cast<size_t>(r)];
    setReferenceLinesShown(m_doc, d.referenceLines);
    m_doc.modified = 1;
    for (int r = 8; r <= 12; ++r) {
        if (!isNumeric(t(r, DisplayCol::Width))) continue;
        if (cellDouble(t(r, DisplayCol::GridWidth)) - cellDouble(t(r, DisplayCol::Width)) > 0.2) {
            m_prompter.message(QC_SJ("描画用グリッド部の幅がグラフ枠の幅より大です"));
            break;
        }
    }
}

void ViewController::runPageNumber()
{
    refreshPaperSize();
    PageDialogData d;
    for (int n = 1; n <= 9; ++n) d.entry[static_cast<size_t>(n)] = m_doc.HeaderTable(60 + n);
    d.topFrom = cellInt(m_doc.HeaderTable(HeaderEntry::PageTopFrom));
    d.leftFrom = cellInt(m_doc.HeaderTable(HeaderEntry::PageLeftFrom));
    d.paperWidthMm = m_view.paperWidthMm;
    d.paperHeightLess16Mm = m_view.paperHeightMm - 16;
    if (!m_dialogs.pageNumber(d)) return;
    for (int n = 1; n <= 9; ++n)
        if (n != 4 && n != 7) m_doc.HeaderTable(60 + n) = d.entry[static_cast<size_t>(n)];
    m_doc.HeaderTable(HeaderEntry::PageTopFrom) = formatInt(d.topFrom);
    m_doc.HeaderTable(HeaderEntry::PageLeftFrom) = formatInt(d.leftFrom);
    m_doc.modified = 1;
}

void ViewController::runScale()
{
    refreshPaperSize();
    const bool compact = cellInt(m_doc.HeaderTable(HeaderEntry::CompactHeader)) == 1;
    const int marginTop = m_app.settings.marginTopMm();
    ScaleDialogData d;
    d.horizontalScaleDenominator = m_view.horizontalScaleDenominator;
    d.depthScaleDenominator = m_view.depthScaleDenominator;
    d.scaleDepthPartOnly = m_view.scaleDepthPartOnly;
    d.paperHeightMm = m_view.paperHeightMm;
    d.maxDepthPerPage = maxDepthPerPage(m_view, compact, marginTop);
    d.printStartDepth = m_view.printStartDepth;
    d.depthPerPage = m_view.depthPerPage;
    d.pageOverlap = m_view.pageOverlap;
    d.compactHeader = compact;
    d.marginTopMm = marginTop;

    bool stored = false;
    for (int round = 1; round <= 2; ++round) {
        if (!m_dialogs.scale(d)) break;
        m_view.horizontalScaleDenominator = d.horizontalScaleDenominator;
        m_view.depthScaleDenominator = d.depthScaleDenominator;
        m_view.scaleDepthPartOnly = d.scaleDepthPartOnly;
        setPrintStartDepth(m_view, d.printStartDepth);
        m_view.depthPerPage = d.depthPerPage;
        m_view.pageOverlap = d.pageOverlap;
        stored = true;

        bool again = false;
        if (m_view.pageOverlap >= m_view.depthPerPage) {
            m_view.pageOverlap = 0;
            d.pageOverlap = 0;
            again = true;
        }
        const int maxDepth = maxDepthPerPage(m_view, compact, marginTop);
        d.maxDepthPerPage = maxDepth;
        if (m_view.depthPerPage > maxDepth + 10) {
            m_prompter.message(
                ReplaceAll(QC_SJ("１ページの印刷深度は\n約 %d (m)です"), "%d", formatInt(maxDepth)));
            d.depthPerPage = maxDepth; // what the field shows if the dialog comes again
        }
        if (!again) break;
    }
    // The values in force are kept in the settings file (page depth, overlap, depth-part option).
    if (stored) {
        m_view.storeScaleSettings(m_app.settings);
        (void)saveSettings(m_app);
    }
    if (m_view.screenPageTop < 1) m_view.currentPage = 1;
    // A page depth of 38 m or more needs the taller extent now, not at the next document.
    if (stored) m_host.setScrollSizes(scrollSizes(m_view, m_host.screenWidthPixels()));
}

void ViewController::runStyle()
{
    Settings copy = m_app.settings;
    if (!m_dialogs.style(copy)) return;
    if (copy.companyName().empty()) copy.setText(49, QC_SJ("株式会社"));
    m_app.settings = std::move(copy);
    (void)saveSettings(m_app); // a settings file that cannot be written fails silently
}

void ViewController::runNameMaster()
{
    NameMasterDialogData d;
    d.patternUse = m_app.settings.intAt(25);
    d.patternOption = m_app.settings.intAt(27);
    d.mixedMarks = m_app.settings.intAt(28);
    d.allBlack = m_app.settings.PatternAllBlack();
    d.monochromeBitmaps = m_app.settings.BitmapMonochrome();
    d.masterPath = m_app.paths.nameMaster;
    d.patternColoursPath = m_app.paths.patternColours;
    d.bitmapFolder = m_app.paths.bitmapFolder;
    d.monochromeBitmapFolder = m_app.paths.monochromeBitmapFolder();
    if (!m_dialogs.nameMaster(d)) return;
    m_app.settings.setInt(25, d.patternUse);
    m_app.settings.setInt(27, d.patternOption);
    m_app.settings.setInt(28, d.mixedMarks);
    m_app.settings.setPatternAllBlack(d.allBlack);
    m_app.settings.setBitmapMonochrome(d.monochromeBitmaps);
    (void)saveSettings(m_app);
    LoadPatternColours(m_app.patternColours, m_app.paths.patternColours, m_prompter);
    m_app.masterHeaderNumber =
        LoadNameMaster(m_app.master, m_app.paths.nameMaster, GeologyMaster::Vector, m_prompter);
    LoadNameMaster(m_app.master, m_app.paths.nameMaster, GeologyMaster::Bitmap, m_prompter);
    // GeologyTable columns 12 to 14 follow at the next view update or geology dialog OK.
}

void ViewController::runFonts()
{
    FontSettings copy = m_app.fonts;
    if (!m_dialogs.fonts(copy)) return;
    m_app.fonts = copy;
    saveFonts(m_app);
}

void ViewController::runKeyOptions()
{
    KeyOptionsDialogData d;
    d.enterKeyMode = m_app.settings.enterKeyMode();
    d.scrollToLastRow = m_app.settings.scrollToLastRow();
    if (!m_dialogs.keyOptions(d)) return;
    m_app.settings.setInt(31, d.enterKeyMode);
    m_app.settings.setInt(32, d.scrollToLastRow ? 1 : 0);
    (void)saveSettings(m_app);
}

void ViewController::runSetup()
{
    SetupDialogData d;
    d.drive = m_app.install.drive;
    d.folder = m_app.install.folder;
    if (!m_dialogs.setup(d)) return;
    if (ChangeInstallFolder(m_app, m_doc, m_prompter, d.drive, d.folder) != SetupOutcome::Rejected)
        m_view.loadScaleSettings(m_app.settings); // the page depths of the reloaded settings file
}

bool ViewController::keyDown(ViewKey key)
{
    if (m_view.printingNow) return key != ViewKey::Other;
    if (m_view.currentPage > pageCount(m_view, deepest()) + 10) m_view.currentPage = 1;
    switch (key) {
    case ViewKey::PageUp:
    case ViewKey::Up:
        previousScreenPage(m_view);
        break;
    case ViewKey::PageDown:
    case ViewKey::Down:
        nextScreenPage(m_view, deepest());
        break;
    case ViewKey::Other:
        return false;
    }
    m_host.repaint(true);
    return true;
}

void ViewController::pagingStep(bool forward)
{
    keyDown(forward ? ViewKey::PageDown : ViewKey::PageUp);
}

void ViewController::previousPage()
{
    pagingStep(false);
}

void ViewController::nextPage()
{
    pagingStep(true);
}

void ViewController::toggleScreenDisplay()
{
    m_view.screenDisplayOn = !m_view.screenDisplayOn;
    m_prompter.message(m_view.screenDisplayOn ? QC_SJ("表示します") : QC_SJ("表示しません"));
    m_host.repaint(true);
}

bool ViewController::drawScreen(Device& device, Prompter* prompter)
{
    RenderContext ctx = renderContextOf(m_app, m_doc, m_view, prompter);
    return drawLogPage(device, ctx);
}

int ViewController::preparePrinting(const PrinterPage* printer)
{
    computePaperSize(m_view, printer);
    return pageCount(m_view, deepest());
}

bool ViewController::printPage(Device& device, int page, Prompter* prompter)
{
    m_view.printingNow = true;
    m_view.currentPage = page;
    RenderContext ctx = renderContextOf(m_app, m_doc, m_view, prompter);
    const bool drawn = drawLogPage(device, ctx);
    m_view.printingNow = false;
    return drawn;
}

void ViewController::endPrinting()
{
    m_view.currentPage = 1;
    m_host.repaint(true);
}

bool ViewController::queryClose()
{
    if (m_doc.modified == 0) return true;
    switch (m_prompter.ask(QC_SJ("データが変更されましたが、終了してよいのですか? "), Buttons::YesNoCancel,
                           Answer::Cancel)) {
    case Answer::Yes:
        return true;
    case Answer::No:
        m_prompter.message(QC_SJ("「名前を付けて保存」または「上書き保存」で保存して下さい. "));
        return false;
    default:
        return false;
    }
}

} // namespace qc
