#include "qt/qtdialoghost.h"

#include "app/appcontext.h"
#include "dialogs/casingeditor.h"
#include "dialogs/freecolumneditor.h"
#include "dialogs/geologyeditor.h"
#include "dialogs/graphformateditor.h"
#include "dialogs/headereditor.h"
#include "dialogs/labimport.h"
#include "dialogs/namemastereditor.h"
#include "dialogs/noteseditor.h"
#include "dialogs/shorttexteditor.h"
#include "dialogs/strataeditor.h"
#include "dialogs/testdataeditor.h"
#include "dialogs/testnameseditor.h"
#include "dialogs/waterleveleditor.h"
#include "document/tables.h"
#include "qt/casingdialog.h"
#include "qt/displayitemsdialog.h"
#include "qt/exceedancelistdialog.h"
#include "qt/fontdialog.h"
#include "qt/freecolumndialog.h"
#include "qt/fullwidthdialog.h"
#include "qt/geologydialog.h"
#include "qt/graphformatdialog.h"
#include "qt/headerdialog.h"
#include "qt/helpdialog.h"
#include "qt/keyoptionsdialog.h"
#include "qt/labimportdialog.h"
#include "qt/namemasterdialog.h"
#include "qt/notesdialog.h"
#include "qt/pagenumberdialog.h"
#include "qt/qtchoosers.h"
#include "qt/qtcolourchooser.h"
#include "qt/qtfilechooser.h"
#include "qt/scaledialog.h"
#include "qt/setupdialog.h"
#include "qt/shorttextdialog.h"
#include "qt/stratadialog.h"
#include "qt/styledialog.h"
#include "qt/testdatadialog.h"
#include "qt/testnamesdialog.h"
#include "qt/toolbaricons.h"
#include "qt/waterleveldialog.h"

#include <QMessageBox>

namespace qc {

bool QtDialogHost::provides(CommandId id) const
{
    switch (id) {
    case CommandId::About:
    case CommandId::Header:
    case CommandId::Geology:
    case CommandId::DisplayItems:
    case CommandId::Scale:
    case CommandId::PageNumber:
    case CommandId::KeyOptions:
    case CommandId::Setup:
    case CommandId::Style:
    case CommandId::Fonts:
    case CommandId::Help:
    case CommandId::Notes:
    case CommandId::Strata:
    case CommandId::FreeColumn:
    case CommandId::WaterLevel:
    case CommandId::Casing:
    case CommandId::DrillDate:
    case CommandId::FullWidthCheck:
    case CommandId::ExceedanceList:
    case CommandId::ShortTexts:
    case CommandId::NameMaster:
    case CommandId::TestData:
    case CommandId::LabImport:
    case CommandId::Graph1:
    case CommandId::Graph2:
    case CommandId::Graph3:
    case CommandId::Graph4:
    case CommandId::Graph5:
    case CommandId::ExportXml:
        return true;
    default:
        return false;
    }
}

int QtDialogHost::run(QDialog& dialog)
{
    return m_runner ? m_runner(dialog) : dialog.exec();
}

void QtDialogHost::about()
{
    QMessageBox box(m_parent);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setWindowTitle(QString::fromUtf8(commandInfo(CommandId::About).text).remove(QStringLiteral("(&A)")));
    box.setIconPixmap(toolIcon(ToolIcon::Application).pixmap(48, 48));
    box.setText(QString::fromUtf8(kAboutLine));
    box.setStandardButtons(QMessageBox::Ok);
    run(box);
}

bool QtDialogHost::header(HeaderDialogData& data)
{
    HeaderValues values;
    values.geologyDepth = data.geologyDepth;
    values.entry = data.entry;
    values.elevationShown = data.elevationShown;
    values.compactHeader = data.compactHeader;
    values.headerUnderline = data.headerUnderline;
    HeaderEditor model(std::move(values), HeaderPickLists::load(m_app.paths, m_prompter), m_prompter,
                       keyOptionsFrom(m_app.settings));
    HeaderDialog dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    data.entry = model.values().entry;
    data.elevationShown = model.values().elevationShown;
    data.compactHeader = model.values().compactHeader;
    data.headerUnderline = model.values().headerUnderline;
    return true;
}

bool QtDialogHost::geology(Document& doc, int& entry59, int& entry60)
{
    GeologyEditor model(doc.GeologyTable, m_app.master,
                        GeologyEditor::loadColourTones(m_app.paths.colourTones, m_prompter), m_prompter,
                        keyOptionsFrom(m_app.settings), entry59, entry60);
    model.open();
    GeologyDialog dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    entry59 = model.entry59();
    entry60 = model.entry60();
    return true;
}

bool QtDialogHost::displayItems(DisplayItemsData& data)
{
    DisplayItemsEditor model(data);
    DisplayItemsDialog dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    data = model.data();
    return true;
}

bool QtDialogHost::scale(ScaleDialogData& data)
{
    ScaleEditor model(data, m_prompter);
    ScaleDialog dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    data = model.data();
    return true;
}

bool QtDialogHost::pageNumber(PageDialogData& data)
{
    PageNumberEditor model(data, m_prompter);
    PageNumberDialog dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    data = model.data();
    return true;
}

bool QtDialogHost::keyOptions(KeyOptionsDialogData& data)
{
    KeyOptionsEditor model(data);
    KeyOptionsDialog dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    data = model.data();
    return true;
}

bool QtDialogHost::setup(SetupDialogData& data)
{
    const bool windows = m_app.install.windowsDrives;
    SetupEditor model(data, windows, m_app.env.defaultDrive, m_app.env.defaultFolder, m_prompter);
    SetupDialog dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    data = model.data();
    return true;
}

bool QtDialogHost::style(Settings& settings)
{
    QtColourChooser platformChooser(m_parent);
    StyleEditor model(settings, m_colourChooser ? *m_colourChooser : platformChooser, m_prompter,
                      keyOptionsFrom(m_app.settings));
    CPSYosik dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    settings = model.settings();
    return true;
}

bool QtDialogHost::fonts(FontSettings& fonts)
{
    QtFontChooser platformChooser(m_parent);
    FontEditor model(fonts, m_fontChooser ? *m_fontChooser : platformChooser);
    FontDialog dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    fonts = model.fonts();
    return true;
}

void QtDialogHost::help(const std::string& helpPath)
{
    QtLauncher platformLauncher;
    HelpViewer model(helpPath, m_prompter, m_launcher ? *m_launcher : platformLauncher);
    model.open();
    HelpDialog dialog(model, m_parent);
    run(dialog);
}

bool QtDialogHost::testData(Document& doc, TestDataDialogData& data)
{
    const KeyOptions keys = keyOptionsFrom(m_app.settings);
    TestNamesEditor model(doc.TestNameTable, m_prompter, keys, m_app.paths.testImportMemo,
                          m_app.paths.defaultDocument);
    model.data = data;
    model.open();
    QtFileChooser files(m_parent);
    QtColourChooser colours(m_parent);
    TestNamesDialog dialog(model, files, colours, m_parent);
    dialog.setDataInput([&](const TestDataRequest& request) -> std::optional<std::string> {
        TestDataEditor samples(doc.SampleTable, request, m_prompter, keys);
        samples.open();
        TestDataDialog input(samples, &dialog);
        if (run(input) != QDialog::Accepted) return std::nullopt;
        // SampleTable is written now, whatever the test names dialog ends with.
        doc.modified = 1;
        return samples.newShifts();
    });
    if (run(dialog) != QDialog::Accepted) return false;
    data = model.data;
    return true;
}

bool QtDialogHost::labImport(Document& doc)
{
    QtFileChooser files(m_parent);
    if (m_fileRunner) files.setRunner(m_fileRunner);
    const std::optional<std::string> path = LabImportSession::chooseFile(files, doc.path);
    if (!path) return false;
    LabImportPaths paths;
    paths.aliases = m_app.install.file(TestAliases::kFileName);
    if (!m_app.env.bundledDir.empty())
        paths.bundledAliases = m_app.env.bundledDir + "/" + TestAliases::kFileName;
    LabImportSession session(doc, m_prompter, paths);
    if (!session.open(*path)) return false;
    LabImportDialog dialog(session, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    return session.apply(doc);
}

bool QtDialogHost::graphFormat(Document& doc, int graph)
{
    GraphFormatEditor model(doc, std::to_string(graph), m_prompter, m_app.paths.testImportMemo);
    model.open();
    QtFileChooser files(m_parent);
    GraphFormatDialog dialog(model, files, m_parent);
    return run(dialog) == QDialog::Accepted;
}

bool QtDialogHost::list(ListDialogKind kind, Document& doc)
{
    const KeyOptions keys = keyOptionsFrom(m_app.settings);
    switch (kind) {
    case ListDialogKind::WaterLevel: {
        WaterLevelEditor model(doc.WaterLevelTable, m_prompter, keys);
        model.open();
        WaterLevelDialog dialog(model, m_parent);
        return run(dialog) == QDialog::Accepted;
    }
    case ListDialogKind::Notes: {
        NotesEditor model(doc, NotesEditor::loadPhrases(m_app.paths.notes, m_prompter), m_prompter, keys);
        model.open();
        NotesDialog dialog(model, m_parent);
        return run(dialog) == QDialog::Accepted;
    }
    case ListDialogKind::Strata: {
        StrataEditor model(doc.StratumTable, StrataEditor::loadDivisions(m_app.paths.strata, m_prompter),
                           m_prompter, keys);
        model.open();
        StrataDialog dialog(model, m_parent);
        return run(dialog) == QDialog::Accepted;
    }
    case ListDialogKind::Casing: {
        CasingEditor model(doc.CasingTable, m_prompter, keys);
        model.open();
        CasingDialog dialog(model, m_parent);
        return run(dialog) == QDialog::Accepted;
    }
    case ListDialogKind::FreeColumn:
    case ListDialogKind::DrillDate: {
        const bool free = kind == ListDialogKind::FreeColumn;
        FreeColumnEditor model(free ? FreeColumnEditor::Mode::FreeColumn : FreeColumnEditor::Mode::DrillDates,
                               free ? doc.FreeColumnTable : doc.DrillDateTable, m_prompter, keys);
        model.open();
        FreeColumnDialog dialog(model, m_parent);
        return run(dialog) == QDialog::Accepted;
    }
    }
    return false;
}

void QtDialogHost::fullWidthCheck(const Document& doc)
{
    FullWidthDialog dialog(doc, m_parent);
    run(dialog);
}

void QtDialogHost::exceedanceList(const Document& doc)
{
    ExceedanceList model(doc);
    ExceedanceListDialog dialog(model, m_parent);
    run(dialog);
}

bool QtDialogHost::nameMaster(NameMasterDialogData& data)
{
    QtColourChooser colours(m_parent);
    NameMasterEditor model(data, m_prompter, colours);
    model.open();
    NameMasterDialog dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    data = model.data();
    return true;
}

void QtDialogHost::shortTexts(const InstallPaths& paths)
{
    ShortTextEditor model(paths, m_prompter, keyOptionsFrom(m_app.settings));
    model.start();
    ShortTextDialog dialog(model, m_parent);
    run(dialog);
}

} // namespace qc
