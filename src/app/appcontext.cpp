#include "app/appcontext.h"

#include "app/docflows.h"
#include "app/masterfiles.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/prompter.h"

namespace qc {

namespace {

// Lines 37 to 46 of the settings file carry these paths for information.
void notePathsInSettings(AppContext& app)
{
    Settings& s = app.settings;
    s.setText(37, cp932::fromUtf8(app.paths.nameMaster));
    s.setText(38, cp932::fromUtf8(app.paths.engineers));
    s.setText(39, cp932::fromUtf8(app.paths.clients));
    s.setText(40, cp932::fromUtf8(app.paths.machines));
    s.setText(44, cp932::fromUtf8(app.paths.notes));
    s.setText(46, cp932::fromUtf8(app.paths.bitmapFolder));
}

void loadSettingsAndMasters(AppContext& app, Prompter& prompter)
{
    Settings loaded;
    std::string bytes;
    FileError error;
    if (readFileBytes(app.paths.settings, bytes, &error)) {
        loaded = parseSettings(bytes);
    } else {
        loaded = builtinSettings();
        prompter.message(cannotReadMessage(app.paths.settings, error));
    }
    applySettingsLoadRules(loaded);
    // The options that are not kept in the file survive a reload.
    loaded.setPatternAllBlack(app.settings.PatternAllBlack());
    loaded.setBitmapMonochrome(app.settings.BitmapMonochrome());
    app.settings = std::move(loaded);
    notePathsInSettings(app);

    LoadPatternColours(app.patternColours, app.paths.patternColours, prompter);
    app.masterHeaderNumber =
        LoadNameMaster(app.master, app.paths.nameMaster, GeologyMaster::Vector, prompter);
    LoadNameMaster(app.master, app.paths.nameMaster, GeologyMaster::Bitmap, prompter);
}

void loadFonts(AppContext& app, Prompter& prompter)
{
    for (int n = 1; n <= 6; ++n) {
        std::string bytes;
        if (readFileBytes(app.paths.fonts[static_cast<size_t>(n)], bytes)) {
            app.fonts[n] = parseFontFile(bytes, n);
            continue;
        }
        app.fonts[n] = FontRole{defaultFontPoints(n), defaultFontFace(n), 0, 0};
        if (n == 1)
            prompter.message(ReplaceAll(QC_SJ("ファイルが見つかりません\n(%1)"), "%1",
                                        cp932::fromUtf8(app.paths.fonts[1])));
    }
}

} // namespace

InstallPaths InstallPaths::compose(const InstallFolder& folder)
{
    InstallPaths p;
    p.settings = folder.file("Sys.ndx");
    for (int n = 1; n <= 6; ++n)
        p.fonts[static_cast<size_t>(n)] = folder.file("Font" + std::to_string(n) + ".ndx");
    p.patternColours = folder.file("PtnvcJG.ndx");
    p.nameMaster = folder.file("WdtvJCA.mst");
    p.notes = folder.file("Kij.mst");
    p.colourTones = folder.file("Col.mst");
    p.strata = folder.file("Jso.mst");
    p.clients = folder.file("Hat.mst");
    p.engineers = folder.file("Man.mst");
    p.machines = folder.file("Sks.mst");
    p.bitmapFolder = folder.file("Jbptn");
    p.defaultDocument = folder.file("Dflt.bhc");
    p.openFolderMemo = folder.file("FilekV.ndx");
    p.testImportMemo = folder.file("FilekS.ndx");
    p.help = folder.file("Help.txt");
    return p;
}

LoadMastersResult LoadMasters(AppContext& app, Document& doc, Prompter& prompter, bool reload)
{
    LoadMastersResult result;
    if (!app.folderFound) {
        result.firstCall = true;
        ApplyStartupDefaults(doc);
        app.install = locateInstallFolder(app.env);
        if (app.install.isDefault) result.seeded = seedInstallFolder(app.env.bundledDir, app.install.path);
        app.folderFound = true;
    }
    if (reload) {
        app.settingsLoaded = false;
        app.fontsLoaded = false;
    }

    app.paths = InstallPaths::compose(app.install);
    notePathsInSettings(app);

    if (!app.settingsLoaded) {
        loadSettingsAndMasters(app, prompter);
        app.settingsLoaded = true;
    }
    if (!app.fontsLoaded) {
        loadFonts(app, prompter);
        app.fontsLoaded = true;
    }

    if (doc.TestNameTable(1, TestCol::Name).empty() && doc.TestNameTable(1, TestCol::Unit).empty())
        readDefaultDocument(doc, app.paths.defaultDocument, prompter);

    ApplyViewUpdateDefaults(doc);
    return result;
}

LoadMastersResult updateDocumentForView(AppContext& app, Document& doc, Prompter& prompter)
{
    LoadMastersResult r = LoadMasters(app, doc, prompter);
    DeriveGeologyPatterns(doc, app.master);
    return r;
}

SetupOutcome ChangeInstallFolder(AppContext& app, Document& doc, Prompter& prompter, std::string drive,
                                 const std::string& folder)
{
    if (!validateSetupInput(app.env.windowsDrives, drive, folder)) {
        prompter.message(QC_SJ("ドライブ名が異常です"));
        return SetupOutcome::Rejected;
    }
    InstallFolder chosen;
    chosen.windowsDrives = app.env.windowsDrives;
    chosen.drive = app.env.windowsDrives ? drive : std::string();
    chosen.folder = folder;
    chosen.path = app.env.windowsDrives ? drive + ":" + folder : folder;
    app.install = chosen;
    app.folderFound = true;

    SetupOutcome outcome = SetupOutcome::Stored;
    if (!writePointerFile(app.env, pointerFileLine(app.env.windowsDrives, drive, folder))) {
        prompter.message(QC_SJ("フォルダ名またはドライブ名が異常です"));
        outcome = SetupOutcome::PointerNotWritten;
    }
    LoadMasters(app, doc, prompter, true);
    return outcome;
}

bool saveSettings(const AppContext& app)
{
    return writeSettingsFile(app.paths.settings, app.settings);
}

int saveFonts(const AppContext& app)
{
    int written = 0;
    for (int n = 1; n <= 6; ++n)
        written += writeFontFile(app.paths.fonts[static_cast<size_t>(n)], app.fonts[n]) ? 1 : 0;
    return written;
}

} // namespace qc
