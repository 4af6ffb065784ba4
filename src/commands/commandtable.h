#pragma once
// The commands of the main window: menu texts with their mnemonics, shortcuts,
// status-bar prompts and whether a dialog's OK edits document data. Texts are
// UTF-8: they are labels for the widgets, never cell data.

#include <span>

namespace qc {

enum class CommandId {
    // File
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    FilePrint,
    FilePrintPreview,
    FilePrintSetup,
    AppExit,
    // Data
    Header,
    Geology,
    Notes,
    Strata,
    FreeColumn,
    WaterLevel,
    Casing,
    DrillDate,
    TestData,
    DisplayItems,
    Graph1,
    Graph2,
    Graph3,
    Graph4,
    Graph5,
    PageNumber,
    FullWidthCheck,
    // View
    ViewToolBar,
    ViewStatusBar,
    ScreenDisplay,
    // Settings
    Scale,
    Style,
    NameMaster,
    ShortTexts,
    Fonts,
    KeyOptions,
    Setup,
    // Help
    About,
    Help,
    // Tool bar only
    PreviousPage,
    NextPage,
    // Edit (numbered after the others, so that their numbers stay)
    Undo,
    Redo,
    // Data, added later: numbered after the others so that theirs stay as scripts know them
    ExceedanceList,
    // Data, after the test data (numbered last so that the numbers above stay)
    LabImport,
    // File, added later: placed last so that the numbers of the others stay
    ImportXml,
    ExportXml,
};

enum class MenuId { File, Data, View, Settings, Help, None, Edit };

struct CommandInfo
{
    CommandId id;
    MenuId menu;
    const char* text;     // menu text with its "&" mnemonic, without the shortcut
    const char* shortcut; // "Ctrl+N", or empty
    const char* prompt;   // status-bar prompt, or empty
    bool editsData;       // the dialog's OK sets the document's modified flag
    bool separatorBefore; // a menu separator goes before this entry
};

// Every command in menu order (the tool-bar-only paging commands last).
std::span<const CommandInfo> commandTable();
const CommandInfo& commandInfo(CommandId id);

// The title of a menu, with its mnemonic.
const char* menuTitle(MenuId menu);

// The graph number (1 to 5) of a graph-format command, 0 for any other.
int graphNumberOf(CommandId id);

// The line of the about box.
inline constexpr const char* kAboutLine = "Qc Version8 R000";
// The main window's title, shown after the document's title.
inline constexpr const char* kMainWindowTitle = "化学柱状図v7";
// The status-bar hint of the view.
inline constexpr const char* kViewHint = "PageUp(RollUp), PageDown(RollDown) または↑↓ｷｰで改ページ";

} // namespace qc
