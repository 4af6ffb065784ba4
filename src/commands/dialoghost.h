#pragma once
// The seam between the view's commands and their dialogs. The command layer
// prepares what a dialog receives, runs it through DialogHost and applies the
// rules after it closes; the Qt side implements one method per dialog. A host
// says which dialogs it has: the commands of the others are shown disabled.

#include "commands/commandtable.h"
#include "dialogs/displayitemseditor.h"
#include "dialogs/exchangeexporteditor.h"
#include "dialogs/keyoptionseditor.h"
#include "dialogs/namemastereditor.h"
#include "dialogs/pagenumbereditor.h"
#include "dialogs/scaleeditor.h"
#include "dialogs/setupeditor.h"
#include "dialogs/testdatatypes.h"

#include <array>
#include <string>

namespace qc {

struct Document;
class Settings;
struct FontSettings;
struct InstallPaths;

// "見出し": HeaderTable entries 1-13, 16-30, 33-44 and 51-56 and three flags.
struct HeaderDialogData
{
    std::string geologyDepth;          // "%.2f" of the last layer's bottom, read-only in the dialog
    std::array<std::string, 57> entry; // indexed by HeaderTable entry; only the edited entries are used
    bool elevationShown = false;       // entry 36 "標高表示"
    bool compactHeader = false;        // entry 47 "簡略見出し表示"
    bool headerUnderline = false;      // entry 48 "ｱﾝﾀﾞｰﾗｲﾝ"

    static bool isEditedEntry(int e)
    {
        return (e >= 1 && e <= 13) || (e >= 16 && e <= 30) || (e >= 33 && e <= 44 && e != 36) ||
               (e >= 51 && e <= 56);
    }
};

// "編集 地質名と図模様": NameMasterDialogData, beside its model.

// Which list dialog of the depth-keyed tables.
enum class ListDialogKind { Notes, Strata, FreeColumn, WaterLevel, Casing, DrillDate };

class DialogHost
{
public:
    virtual ~DialogHost() = default;

    // Whether the dialog of a command exists; the others are shown disabled.
    virtual bool provides(CommandId id) const = 0;

    // Each returns true for OK. The data commands edit the document through
    // their dialog models; the settings commands edit the copy they are given.
    virtual bool header(HeaderDialogData& data) = 0;
    // The geology model writes GeologyTable itself; 59 and 60 go in and out as numbers.
    virtual bool geology(Document& doc, int& entry59, int& entry60) = 0;
    virtual bool list(ListDialogKind kind, Document& doc) = 0;
    virtual bool testData(Document& doc, TestDataDialogData& data) = 0;
    // "試験結果の読み込み": the host chooses the file and shows the preview; true when OK changed the tables.
    virtual bool labImport(Document&) { return false; }
    virtual bool displayItems(DisplayItemsData& data) = 0;
    virtual bool graphFormat(Document& doc, int graph) = 0;
    virtual bool pageNumber(PageDialogData& data) = 0;
    virtual void fullWidthCheck(const Document& doc) = 0;
    virtual void exceedanceList(const Document& doc) = 0;
    // Not pure, so that hosts written before it keep compiling; they have no such dialog.
    virtual bool exchangeExport(ExchangeExportData&) { return false; }

    virtual bool scale(ScaleDialogData& data) = 0;
    virtual bool style(Settings& settings) = 0;
    virtual bool nameMaster(NameMasterDialogData& data) = 0;
    virtual void shortTexts(const InstallPaths& paths) = 0;
    virtual bool fonts(FontSettings& fonts) = 0;
    virtual bool keyOptions(KeyOptionsDialogData& data) = 0;
    virtual bool setup(SetupDialogData& data) = 0;

    virtual void about() = 0;
    virtual void help(const std::string& helpPath) = 0;
};

// A host without any dialog: every method cancels. Hosts derive from it and
// override the dialogs they have.
class NoDialogs : public DialogHost
{
public:
    bool provides(CommandId) const override { return false; }
    bool header(HeaderDialogData&) override { return false; }
    bool geology(Document&, int&, int&) override { return false; }
    bool list(ListDialogKind, Document&) override { return false; }
    bool testData(Document&, TestDataDialogData&) override { return false; }
    bool displayItems(DisplayItemsData&) override { return false; }
    bool graphFormat(Document&, int) override { return false; }
    bool pageNumber(PageDialogData&) override { return false; }
    void fullWidthCheck(const Document&) override {}
    void exceedanceList(const Document&) override {}
    bool scale(ScaleDialogData&) override { return false; }
    bool style(Settings&) override { return false; }
    bool nameMaster(NameMasterDialogData&) override { return false; }
    void shortTexts(const InstallPaths&) override {}
    bool fonts(FontSettings&) override { return false; }
    bool keyOptions(KeyOptionsDialogData&) override { return false; }
    bool setup(SetupDialogData&) override { return false; }
    void about() override {}
    void help(const std::string&) override {}
};

} // namespace qc
