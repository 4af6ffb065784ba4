#pragma once
// What the application owns beside the document: the install folder and the
// paths of its files, the settings, the fonts, the geology name master and the
// pattern colour table. One AppContext per process, handed by reference to the
// view, the drawing and the dialogs.

#include "app/installfolder.h"
#include "app/patterncolours.h"
#include "app/settings.h"
#include "document/geologymaster.h"

#include <array>
#include <string>
#include <utility>

namespace qc {

struct Document;
class Prompter;

// The fixed files of the install folder (native paths).
struct InstallPaths
{
    std::string settings;             // "Sys.ndx"
    std::array<std::string, 7> fonts; // "Font1.ndx" to "Font6.ndx" at 1 to 6
    std::string patternColours;       // "PtnvcJG.ndx"
    std::string nameMaster;           // "WdtvJCA.mst"
    std::string notes;                // "Kij.mst"
    std::string colourTones;          // "Col.mst"
    std::string strata;               // "Jso.mst"
    std::string clients;              // "Hat.mst"
    std::string engineers;            // "Man.mst"
    std::string machines;             // "Sks.mst"
    std::string bitmapFolder;         // "Jbptn"; the monochrome folder is this + "01"
    std::string defaultDocument;      // "Dflt.bhc"
    std::string openFolderMemo;       // "FilekV.ndx"
    std::string testImportMemo;       // "FilekS.ndx"
    std::string help;                 // "Help.txt"

    static InstallPaths compose(const InstallFolder& folder);
    std::string monochromeBitmapFolder() const { return bitmapFolder + "01"; }
};

struct AppContext
{
    InstallEnvironment env;
    InstallFolder install;
    InstallPaths paths;
    Settings settings = builtinSettings();
    FontSettings fonts = builtinFonts();
    GeologyMaster master;
    PatternColourTable patternColours;
    int masterHeaderNumber = 0; // field 3 of the master's first section line

    // The once-only switches of the loader.
    bool folderFound = false;
    bool settingsLoaded = false;
    bool fontsLoaded = false;

    explicit AppContext(InstallEnvironment environment = InstallEnvironment::fromProcess())
        : env(std::move(environment))
    {
    }
};

struct LoadMastersResult
{
    // The first call of the process: the caller switches screen drawing on.
    bool firstCall = false;
    // The default install folder was created and seeded from the bundled one.
    bool seeded = false;
};

// The loader of every view update (reload false) and of the setup command
// (reload true): first call finds the install folder and applies the start-up
// defaults; every call composes the paths; first call or reload reads the
// settings, the pattern colours, both variants of the name master and the six
// fonts; every call seeds empty test names from the default document and
// applies the view-update defaults.
LoadMastersResult LoadMasters(AppContext& app, Document& doc, Prompter& prompter, bool reload = false);

// The part of the view update that concerns the document: LoadMasters, then
// DeriveGeologyPatterns. The view adds the paper size and the page position.
LoadMastersResult updateDocumentForView(AppContext& app, Document& doc, Prompter& prompter);

enum class SetupOutcome {
    Rejected, // "ドライブ名が異常です"; nothing changed
    Stored,   // pointer file written, masters reloaded
    PointerNotWritten // "フォルダ名またはドライブ名が異常です"; folder kept for this run, masters reloaded
};

// The setup command after its dialog's OK: checks drive and folder, stores
// them, writes the pointer file and reloads the masters (the caller repaints).
SetupOutcome ChangeInstallFolder(AppContext& app, Document& doc, Prompter& prompter, std::string drive,
                                 const std::string& folder);

// The settings file as the dialogs write it after OK; false when it cannot be written.
[[nodiscard]] bool saveSettings(const AppContext& app);
// The six font files as the font dialog writes them; a file that cannot be
// written is skipped. Returns the number of files written.
int saveFonts(const AppContext& app);

} // namespace qc
