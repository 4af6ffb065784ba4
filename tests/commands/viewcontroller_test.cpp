// The view's command layer without widgets: what each command does around its
// dialog, the view update, paging, the screen switch, the printing hooks and the
// close question.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "commands/viewcontroller.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/filechooser.h"
#include "platform/files.h"
#include "platform/recordingdevice.h"
#include "platform/scriptedprompter.h"
#include "support/controllerfixture.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace qc;
using qc::test::QueueChooser;
using qc::test::sj;
using qc::test::u8;

namespace {

// A host whose dialogs answer OK or Cancel and may change what they are given.
class FakeDialogs : public DialogHost
{
public:
    bool ok = true;
    std::set<CommandId> missing; // dialogs this host does not have
    std::vector<std::string> calls;

    std::function<void(HeaderDialogData&)> onHeader;
    std::function<void(int&, int&)> onGeology;
    std::function<void(bool&, bool&)> onTestData;
    std::function<void(DisplayItemsData&)> onDisplayItems;
    std::function<void(PageDialogData&)> onPage;
    std::function<bool(ScaleDialogData&)> onScale; // its result decides OK
    std::function<void(Settings&)> onStyle;
    std::function<void(NameMasterDialogData&)> onNameMaster;
    std::function<void(FontSettings&)> onFonts;
    std::function<void(KeyOptionsDialogData&)> onKeys;
    std::vector<ScaleDialogData> scaleShown;
    std::vector<int> graphs;

    bool provides(CommandId id) const override { return !missing.contains(id); }
    bool header(HeaderDialogData& d) override
    {
        calls.push_back("header");
        if (onHeader) onHeader(d);
        return ok;
    }
    bool geology(Document&, int& a, int& b) override
    {
        calls.push_back("geology");
        if (onGeology) onGeology(a, b);
        return ok;
    }
    bool list(ListDialogKind, Document&) override
    {
        calls.push_back("list");
        return ok;
    }
    bool labImport(Document&) override
    {
        calls.push_back("labImport");
        return ok;
    }
    bool testData(Document&, TestDataDialogData& d) override
    {
        calls.push_back("testData");
        if (onTestData) onTestData(d.valuesBesideSymbols, d.blackAndWhite);
        return ok;
    }
    bool displayItems(DisplayItemsData& d) override
    {
        calls.push_back("displayItems");
        if (onDisplayItems) onDisplayItems(d);
        return ok;
    }
    bool graphFormat(Document&, int graph) override
    {
        graphs.push_back(graph);
        return ok;
    }
    bool pageNumber(PageDialogData& d) override
    {
        calls.push_back("page");
        if (onPage) onPage(d);
        return ok;
    }
    void fullWidthCheck(const Document&) override { calls.push_back("check"); }
    void exceedanceList(const Document&) override { calls.push_back("exceedances"); }
    bool scale(ScaleDialogData& d) override
    {
        scaleShown.push_back(d);
        return onScale ? onScale(d) : ok;
    }
    bool style(Settings& s) override
    {
        calls.push_back("style");
        if (onStyle) onStyle(s);
        return ok;
    }
    bool nameMaster(NameMasterDialogData& d) override
    {
        calls.push_back("nameMaster");
        if (onNameMaster) onNameMaster(d);
        return ok;
    }
    void shortTexts(const InstallPaths&) override { calls.push_back("shortTexts"); }
    bool fonts(FontSettings& f) override
    {
        calls.push_back("fonts");
        if (onFonts) onFonts(f);
        return ok;
    }
    bool keyOptions(KeyOptionsDialogData& d) override
    {
        calls.push_back("keys");
        if (onKeys) onKeys(d);
        return ok;
    }
    bool setup(SetupDialogData&) override
    {
        calls.push_back("setup");
        return ok;
    }
    void about() override { calls.push_back("about"); }
    void help(const std::string&) override { calls.push_back("help"); }
};

// An A4 portrait page at 600 dpi.
PrinterPage a4At600()
{
    return PrinterPage{4961, 7016, 600, 600};
}

struct Fixture : qc::test::ControllerFixture<FakeDialogs>
{
    // A log of n layers of 1 m each.
    void layers(int n)
    {
        for (int r = 1; r <= n; ++r) {
            doc.GeologyTable(r, GeologyCol::Depth) = std::to_string(r) + ".00";
            doc.GeologyTable(r, GeologyCol::Name) = sj("砂");
        }
    }
    std::string settingsFile() const { return app.paths.settings; }
};

} // namespace

TEST(ViewController, ViewUpdateLoadsMastersResetsThePageAndFillsTheRolesOnShow)
{
    Fixture f;
    f.host.printer = a4At600();
    f.view.screenDisplayOn = false;
    f.view.screenPageTop = 30;
    f.view.currentPage = 3;
    f.ctl.viewUpdate(true);
    EXPECT_TRUE(f.prompter.entries().empty()) << u8(f.prompter.texts().front());
    EXPECT_TRUE(f.view.screenDisplayOn); // the first update switches the screen on
    EXPECT_EQ(f.view.screenPageTop, 0);
    EXPECT_EQ(f.view.currentPage, 1);
    EXPECT_EQ(f.view.paperHeightMm, 297);
    EXPECT_EQ(f.view.paperWidthMm, 210);
    ASSERT_TRUE(f.host.scroll);
    EXPECT_EQ(f.host.scroll->widthMm, 354);
    EXPECT_EQ(f.view.clipWidthMm, 350);
    EXPECT_EQ(u8(f.doc.HeaderTable(HeaderEntry::Role1)), "主任技師");
    EXPECT_EQ(u8(f.doc.HeaderTable(HeaderEntry::Role4)), "ボーリング責任者");
    EXPECT_FALSE(f.doc.TestNameTable(1, TestCol::Name).empty()); // seeded from the default document
    EXPECT_EQ(f.host.repaints, 1);

    // Roles already set stay; a later update without a new document leaves the scroll alone.
    f.doc.HeaderTable(HeaderEntry::Role1) = sj("技師");
    f.host.scroll.reset();
    f.ctl.viewUpdate(false);
    EXPECT_FALSE(f.host.scroll);
    EXPECT_EQ(u8(f.doc.HeaderTable(HeaderEntry::Role1)), "技師");
}

TEST(ViewController, WithoutAPrinterThePaperDefaultsStay)
{
    Fixture f;
    f.host.screenWidth = 800;
    f.ctl.viewUpdate(true);
    EXPECT_EQ(f.view.paperWidthMm, 280);
    EXPECT_EQ(f.view.paperHeightMm, 280);
    EXPECT_EQ(f.view.usablePaperHeightMm, 240);
    EXPECT_EQ(f.host.scroll->widthMm, 300);
    EXPECT_EQ(f.view.clipWidthMm, 290);
}

TEST(ViewController, NewDocumentClearsAnUnmodifiedDocumentWithoutAsking)
{
    Fixture f;
    QueueChooser chooser;
    f.ctl.viewUpdate(true);
    f.layers(3);
    f.doc.path = "/tmp/a.bhc";
    f.doc.title = "a.bhc";
    f.doc.modified = 0;
    EXPECT_EQ(f.ctl.newDocument(chooser), FlowResult::Done);
    EXPECT_TRUE(f.prompter.entries().empty());
    EXPECT_EQ(geologyRowCount(f.doc), 0);
    EXPECT_EQ(f.doc.modified, 0);
    EXPECT_TRUE(f.doc.path.empty());
    EXPECT_EQ(u8(f.doc.HeaderTable(HeaderEntry::Role1)), "主任技師");
}

TEST(ViewController, NewDocumentsGetTheDefaultTitleAndFilesKeepTheirOwn)
{
    const std::string title = sj("ボーリング柱状図");
    Fixture f;
    QueueChooser chooser;
    // A log saved with its title emptied by the user.
    Document emptied;
    emptied.GeologyTable(1, 1) = "2.00";
    emptied.HeaderTable(38).clear();
    const std::string path = f.dir.file("untitled-log.bhc");
    ASSERT_TRUE(writeFileBytes(path, WriteLog(emptied)));

    // Opened at start-up (the first view update), it stays untitled.
    ASSERT_EQ(f.ctl.openPath(path, chooser), FlowResult::Done);
    EXPECT_EQ(f.doc.HeaderTable(38), "");

    // Every new document is titled, not only the first one.
    f.ctl.newDocument(chooser);
    EXPECT_EQ(f.doc.HeaderTable(38), title);
    EXPECT_NE(WriteLog(f.doc).find(title), std::string::npos); // and saved with it

    ASSERT_EQ(f.ctl.openPath(path, chooser), FlowResult::Done);
    EXPECT_EQ(f.doc.HeaderTable(38), "");
    f.ctl.newDocument(chooser);
    EXPECT_EQ(f.doc.HeaderTable(38), title);

    // A new document at start-up is titled as well.
    Fixture fresh;
    fresh.ctl.newDocument(chooser);
    EXPECT_EQ(fresh.doc.HeaderTable(38), title);
}

// Every command that replaces a modified document asks first: 保存 saves (and
// goes on only when the save succeeded), 保存しない goes on, キャンセル keeps all.
TEST(ViewController, ReplacingAModifiedDocumentAsksToSaveItFirst)
{
    enum class Op { New, OpenPath, OpenDialog };
    enum class Doc { Unmodified, Saved, Untitled, Unwritable };
    struct Case
    {
        const char* name;
        Op op;
        Doc doc;
        std::optional<Answer> answer;                   // nothing: no question expected
        std::vector<std::optional<std::string>> chosen; // file dialog answers ("@" = a new file)
        bool replaced;
        bool written; // the edited layers are on disk afterwards
    };
    const std::string opened = qc::test::dataPath("current.bhc");
    const Case cases[] = {
        {"new, unmodified", Op::New, Doc::Unmodified, {}, {}, true, false},
        {"new, save", Op::New, Doc::Saved, Answer::Yes, {}, true, true},
        {"new, do not save", Op::New, Doc::Saved, Answer::No, {}, true, false},
        {"new, cancel", Op::New, Doc::Saved, Answer::Cancel, {}, false, false},
        {"new, save untitled as a new file", Op::New, Doc::Untitled, Answer::Yes, {"@"}, true, true},
        {"new, save untitled, dialog cancelled",
         Op::New,
         Doc::Untitled,
         Answer::Yes,
         {std::nullopt},
         false,
         false},
        {"new, save fails", Op::New, Doc::Unwritable, Answer::Yes, {}, false, false},
        {"open path, unmodified", Op::OpenPath, Doc::Unmodified, {}, {}, true, false},
        {"open path, save", Op::OpenPath, Doc::Saved, Answer::Yes, {}, true, true},
        {"open path, do not save", Op::OpenPath, Doc::Saved, Answer::No, {}, true, false},
        {"open path, cancel", Op::OpenPath, Doc::Saved, Answer::Cancel, {}, false, false},
        {"open path, save fails", Op::OpenPath, Doc::Unwritable, Answer::Yes, {}, false, false},
        {"open dialog, save", Op::OpenDialog, Doc::Saved, Answer::Yes, {opened}, true, true},
        {"open dialog, do not save", Op::OpenDialog, Doc::Saved, Answer::No, {opened}, true, false},
        {"open dialog, cancel", Op::OpenDialog, Doc::Saved, Answer::Cancel, {}, false, false},
        {"open dialog, save untitled then open",
         Op::OpenDialog,
         Doc::Untitled,
         Answer::Yes,
         {"@", opened},
         true,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        QueueChooser chooser;
        f.ctl.viewUpdate(true);
        f.layers(3);
        const std::string target = c.doc == Doc::Untitled ? f.dir.file("new.bhc") : f.dir.file("old.bhc");
        if (c.doc != Doc::Untitled) {
            f.doc.path = c.doc == Doc::Unwritable ? f.dir.file("missing/old.bhc") : target;
            f.doc.title = "old.bhc";
        }
        f.doc.modified = c.doc == Doc::Unmodified ? 0 : 1;
        for (const auto& a : c.chosen) chooser.answers.push_back(a && *a == "@" ? target : a);
        if (c.answer) f.prompter.queueAnswer(*c.answer);

        FlowResult r = FlowResult::Failed;
        switch (c.op) {
        case Op::New:
            r = f.ctl.newDocument(chooser);
            break;
        case Op::OpenPath:
            r = f.ctl.openPath(opened, chooser);
            break;
        case Op::OpenDialog:
            r = f.ctl.openWithDialog(chooser);
            break;
        }

        const auto& e = f.prompter.entries();
        if (c.answer) {
            ASSERT_FALSE(e.empty());
            EXPECT_TRUE(e[0].question);
            EXPECT_EQ(u8(e[0].text), "変更を保存しますか？");
            EXPECT_EQ(e[0].buttons, Buttons::SaveDiscardCancel);
            EXPECT_EQ(e[0].defaultAnswer, Answer::Yes);
        } else {
            EXPECT_TRUE(e.empty() || !e[0].question);
        }
        EXPECT_EQ(r, c.replaced ? FlowResult::Done : FlowResult::Cancelled);
        if (c.replaced) {
            EXPECT_EQ(f.doc.modified, 0);
            EXPECT_EQ(f.doc.path, c.op == Op::New ? "" : opened);
        } else {
            EXPECT_EQ(geologyRowCount(f.doc), 3); // nothing lost
            EXPECT_EQ(f.doc.modified, 1);
        }
        if (c.doc == Doc::Unwritable) {
            EXPECT_EQ(e.size(), 2u); // the save failure was reported
        }
        Document onDisk;
        ScriptedPrompter quiet;
        const bool exists = LoadByPath(onDisk, target, quiet) == FlowResult::Done;
        EXPECT_EQ(exists, c.written);
        if (c.written) {
            EXPECT_EQ(geologyRowCount(onDisk), 3);
        }
    }
}

TEST(ViewController, OpeningAMissingFileLeavesTheDocument)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    f.layers(2);
    QueueChooser chooser;
    EXPECT_EQ(f.ctl.openPath(f.dir.file("missing.bhc"), chooser), FlowResult::Failed);
    ASSERT_EQ(f.prompter.texts().size(), 1u);
    EXPECT_NE(u8(f.prompter.texts()[0]).find("ファイルが見つかりません"), std::string::npos);
    EXPECT_EQ(geologyRowCount(f.doc), 2);

    EXPECT_EQ(f.ctl.openPath(qc::test::dataPath("current.bhc"), chooser), FlowResult::Done);
    EXPECT_EQ(f.doc.title, "current.bhc");
    EXPECT_EQ(f.view.currentPage, 1);
}

// Which commands set the modified flag after OK, and that Cancel never does.
TEST(ViewController, DataCommandsSetTheModifiedFlagOnOkOnly)
{
    const std::vector<std::pair<CommandId, bool>> cases = {
        {CommandId::Header, true},          {CommandId::Geology, true},
        {CommandId::Notes, true},           {CommandId::Strata, true},
        {CommandId::FreeColumn, true},      {CommandId::WaterLevel, true},
        {CommandId::Casing, true},          {CommandId::DrillDate, true},
        {CommandId::TestData, true},        {CommandId::DisplayItems, true},
        {CommandId::Graph1, true},          {CommandId::Graph5, true},
        {CommandId::PageNumber, true},      {CommandId::FullWidthCheck, false},
        {CommandId::ExceedanceList, false}, {CommandId::Scale, false},
        {CommandId::Style, false},          {CommandId::NameMaster, false},
        {CommandId::ShortTexts, false},     {CommandId::Fonts, false},
        {CommandId::KeyOptions, false},     {CommandId::Help, false},
        {CommandId::About, false},
    };
    for (const auto& [id, edits] : cases) {
        for (bool ok : {true, false}) {
            Fixture f;
            f.ctl.viewUpdate(true);
            f.dialogs.ok = ok;
            const int before = f.host.repaints;
            f.ctl.run(id);
            EXPECT_EQ(f.doc.modified, ok && edits ? 1 : 0) << commandInfo(id).text << " ok=" << ok;
            EXPECT_EQ(commandInfo(id).editsData, edits) << commandInfo(id).text;
            EXPECT_EQ(f.host.repaints, before + 1) << commandInfo(id).text; // always repaints
        }
    }
}

TEST(ViewController, CommandsWithoutTheirDialogAreDisabledAndDoNothing)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    f.dialogs.missing = {CommandId::Header, CommandId::Graph3, CommandId::Scale};
    EXPECT_FALSE(f.ctl.isEnabled(CommandId::Header));
    EXPECT_FALSE(f.ctl.isEnabled(CommandId::Graph3));
    EXPECT_TRUE(f.ctl.isEnabled(CommandId::Graph2));
    for (CommandId id : {CommandId::FileNew, CommandId::FilePrint, CommandId::ScreenDisplay,
                         CommandId::NextPage, CommandId::About})
        EXPECT_TRUE(f.ctl.isEnabled(id));
    f.ctl.run(CommandId::Header);
    f.ctl.run(CommandId::Graph3);
    f.ctl.run(CommandId::Scale);
    EXPECT_TRUE(f.dialogs.calls.empty());
    EXPECT_TRUE(f.dialogs.graphs.empty());
    EXPECT_TRUE(f.dialogs.scaleShown.empty());
    EXPECT_EQ(f.doc.modified, 0);
}

TEST(ViewController, GraphCommandsPassTheirNumber)
{
    Fixture f;
    for (CommandId id :
         {CommandId::Graph1, CommandId::Graph2, CommandId::Graph3, CommandId::Graph4, CommandId::Graph5})
        f.ctl.run(id);
    EXPECT_EQ(f.dialogs.graphs, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(ViewController, HeaderFillsCompanyAndTelephoneAndWritesFlagsAsOneOrZero)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    f.app.settings.setText(49, sj("試験工業株式会社"));
    f.app.settings.setText(50, "03-1234-5678");
    f.layers(4);
    f.doc.HeaderTable(HeaderEntry::SurveyName) = sj("調査");
    f.doc.HeaderTable(HeaderEntry::ShowElevation) = "1";
    f.doc.HeaderTable(HeaderEntry::CompactHeader) = "2"; // only the value 1 ticks
    f.doc.HeaderTable(HeaderEntry::HeaderUnderline) = "";
    f.doc.HeaderTable(HeaderEntry::LatitudeInFile) = "kept";

    HeaderDialogData seen;
    f.dialogs.onHeader = [&](HeaderDialogData& d) {
        seen = d;
        d.entry[1] = sj("新しい調査");
        d.elevationShown = false;
        d.headerUnderline = true;
    };
    f.dialogs.ok = false;
    f.ctl.run(CommandId::Header);
    EXPECT_EQ(seen.geologyDepth, "4.00");
    EXPECT_EQ(u8(seen.entry[39]), "試験工業株式会社");
    EXPECT_EQ(seen.entry[40], "03-1234-5678");
    EXPECT_TRUE(seen.elevationShown);
    EXPECT_FALSE(seen.compactHeader);
    EXPECT_FALSE(seen.headerUnderline);
    EXPECT_EQ(u8(f.doc.HeaderTable(HeaderEntry::SurveyName)), "調査"); // Cancel changes nothing
    EXPECT_TRUE(f.doc.HeaderTable(HeaderEntry::Company).empty());

    f.dialogs.ok = true;
    f.ctl.run(CommandId::Header);
    EXPECT_EQ(u8(f.doc.HeaderTable(HeaderEntry::SurveyName)), "新しい調査");
    EXPECT_EQ(u8(f.doc.HeaderTable(HeaderEntry::Company)), "試験工業株式会社");
    EXPECT_EQ(f.doc.HeaderTable(HeaderEntry::ShowElevation), "0");
    EXPECT_EQ(f.doc.HeaderTable(HeaderEntry::CompactHeader), "0");
    EXPECT_EQ(f.doc.HeaderTable(HeaderEntry::HeaderUnderline), "1");
    EXPECT_EQ(f.doc.HeaderTable(HeaderEntry::LatitudeInFile), "kept"); // not a dialog field
}

TEST(ViewController, GeologyPassesEntries59And60AndDerivesThePatterns)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    f.doc.HeaderTable(HeaderEntry::SplitTopsoil) = "1";
    f.doc.HeaderTable(HeaderEntry::AlternationLines) = "x";
    int in59 = -1, in60 = -1;
    f.dialogs.onGeology = [&](int& a, int& b) {
        in59 = a;
        in60 = b;
        a = 0;
        b = 7;
    };
    f.layers(1);
    f.doc.GeologyTable(1, GeologyCol::VectorName) = "stale";
    f.ctl.run(CommandId::Geology);
    EXPECT_EQ(in59, 1);
    EXPECT_EQ(in60, 0);
    EXPECT_EQ(f.doc.HeaderTable(HeaderEntry::SplitTopsoil), "0");
    EXPECT_EQ(f.doc.HeaderTable(HeaderEntry::AlternationLines), "7");
    EXPECT_NE(f.doc.GeologyTable(1, GeologyCol::VectorName), "stale"); // recomputed from the name
}

TEST(ViewController, TestDataPassesEntries49And50)
{
    const struct
    {
        const char* e49;
        const char* e50;
        bool beside;
        bool mono;
    } cases[] = {
        {"0", "0", false, false}, {"2", "1", true, true}, {"", "2", false, false}, {"1", "", true, false}};
    for (const auto& c : cases) {
        Fixture f;
        f.doc.HeaderTable(HeaderEntry::ValuesBesideSymbols) = c.e49;
        f.doc.HeaderTable(HeaderEntry::BlackAndWhiteSymbols) = c.e50;
        bool beside = !c.beside, mono = !c.mono;
        f.dialogs.onTestData = [&](bool& a, bool& b) {
            beside = a;
            mono = b;
            a = !a;
            b = !b;
        };
        f.ctl.run(CommandId::TestData);
        EXPECT_EQ(beside, c.beside) << c.e49;
        EXPECT_EQ(mono, c.mono) << c.e50;
        EXPECT_EQ(f.doc.HeaderTable(HeaderEntry::ValuesBesideSymbols), c.beside ? "0" : "1");
        EXPECT_EQ(f.doc.HeaderTable(HeaderEntry::BlackAndWhiteSymbols), c.mono ? "0" : "1");
    }
}

TEST(ViewController, LabImportMarksTheLogModifiedOnlyWhenItChangedIt)
{
    for (bool changed : {true, false}) {
        Fixture f;
        f.dialogs.ok = changed;
        f.ctl.run(CommandId::LabImport);
        EXPECT_EQ(f.dialogs.calls, std::vector<std::string>{"labImport"});
        EXPECT_EQ(f.doc.modified, changed ? 1 : 0);
    }
}

TEST(ViewController, DisplayItemsWriteOnlyTheEditableCellsAndWarnOnceAboutWideGrids)
{
    struct Case
    {
        const char* name;
        std::vector<std::tuple<int, const char*, const char*>> graphs; // row, width, grid
        bool warns;
    };
    const std::vector<Case> cases = {
        {"grid 36 in 35.0", {{8, "35.0", "36"}}, true},
        {"grid 35.1 in 35.0", {{8, "35.0", "35.1"}}, false},
        {"non-numeric width", {{9, "", "36"}}, false},
        {"two wide grids warn once", {{10, "20", "30"}, {12, "20", "30"}}, true},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.doc.DisplayItemTable(DisplayRow::Notes, DisplayCol::Width) = "55.0"; // a fixed width
        f.dialogs.onDisplayItems = [&](DisplayItemsData& d) {
            d.shown[1] = 0;
            d.shown[5] = 1;
            d.width[2] = "99";
            d.width[3] = "3.4";
            d.title[1] = sj("土質区分");
            d.title[2] = "ignored";
            for (auto [r, w, g] : c.graphs) {
                d.width[static_cast<size_t>(r)] = w;
                d.gridWidth[static_cast<size_t>(r)] = g;
            }
        };
        f.ctl.run(CommandId::DisplayItems);
        const TextTable& t = f.doc.DisplayItemTable;
        EXPECT_EQ(t(DisplayRow::Basic, DisplayCol::Shown), "1") << c.name;
        EXPECT_EQ(t(DisplayRow::WaterLevel, DisplayCol::Shown), "1");
        EXPECT_EQ(t(DisplayRow::Sampling, DisplayCol::Shown), "0");
        EXPECT_EQ(t(DisplayRow::Notes, DisplayCol::Width), "55.0"); // fixed widths are never written
        EXPECT_EQ(t(DisplayRow::Strata, DisplayCol::Width), "3.4");
        EXPECT_EQ(u8(t(DisplayRow::Basic, DisplayCol::Title)), "土質区分");
        EXPECT_TRUE(t(DisplayRow::Notes, DisplayCol::Title).empty());
        const auto texts = f.prompter.texts();
        EXPECT_EQ(texts.size(), c.warns ? 1u : 0u) << c.name;
        if (!texts.empty()) {
            EXPECT_EQ(u8(texts[0]), "描画用グリッド部の幅がグラフ枠の幅より大です");
        }
    }
}

TEST(ViewController, DisplayItemsCarryTheReferenceLineSwitchInItsSpareCell)
{
    struct Case
    {
        const char* cell;
        bool shownBefore;
        bool chosen;
        const char* written;
    } cases[] = {{"", true, false, "0"}, {"0", false, true, "1"}, {"1", true, true, "1"}};
    for (const Case& c : cases) {
        Fixture f;
        f.doc.DisplayItemTable(ReferenceLinesCell::Row, ReferenceLinesCell::Col) = c.cell;
        f.doc.DisplayItemTable(ReferenceLinesCell::Row, DisplayCol::Shown) = "0";
        bool seen = !c.shownBefore;
        f.dialogs.onDisplayItems = [&](DisplayItemsData& d) {
            seen = d.referenceLines;
            d.referenceLines = c.chosen;
        };
        f.ctl.run(CommandId::DisplayItems);
        EXPECT_EQ(seen, c.shownBefore) << c.cell;
        EXPECT_EQ(f.doc.DisplayItemTable(ReferenceLinesCell::Row, ReferenceLinesCell::Col), c.written)
            << c.cell;
        // The reserved item's own flag is untouched.
        EXPECT_EQ(f.doc.DisplayItemTable(ReferenceLinesCell::Row, DisplayCol::Shown), "0") << c.cell;
    }
}

TEST(ViewController, PageNumberTakesThePaperFirstAndPasses64And67AsNumbers)
{
    Fixture f;
    f.host.printer = a4At600();
    f.doc.HeaderTable(HeaderEntry::PagePrefix) = "(";
    f.doc.HeaderTable(HeaderEntry::PageTopFrom) = "1";
    f.doc.HeaderTable(HeaderEntry::PageLeftFrom) = "";
    PageDialogData seen;
    f.dialogs.onPage = [&](PageDialogData& d) {
        seen = d;
        d.entry[2] = "5";
        d.topFrom = 0;
        d.leftFrom = 1;
    };
    f.ctl.run(CommandId::PageNumber);
    EXPECT_EQ(seen.entry[1], "(");
    EXPECT_EQ(seen.topFrom, 1);
    EXPECT_EQ(seen.leftFrom, 0);
    EXPECT_EQ(seen.paperWidthMm, 210);
    EXPECT_EQ(seen.paperHeightLess16Mm, 297 - 16);
    EXPECT_EQ(f.doc.HeaderTable(HeaderEntry::FirstPage), "5");
    EXPECT_EQ(f.doc.HeaderTable(HeaderEntry::PageTopFrom), "0");
    EXPECT_EQ(f.doc.HeaderTable(HeaderEntry::PageLeftFrom), "1");
}

TEST(ViewController, ScaleOverlapNotBelowThePageDepthShowsTheDialogOnceMore)
{
    Fixture f;
    f.host.printer = a4At600();
    f.ctl.viewUpdate(true);
    int round = 0;
    f.dialogs.onScale = [&](ScaleDialogData& d) {
        if (++round == 1) {
            d.depthPerPage = 10;
            d.pageOverlap = 10;
            d.printStartDepth = 0.5;
        }
        return true;
    };
    f.ctl.run(CommandId::Scale);
    ASSERT_EQ(f.dialogs.scaleShown.size(), 2u);
    EXPECT_EQ(f.dialogs.scaleShown[1].pageOverlap, 0);
    EXPECT_EQ(f.view.depthPerPage, 10);
    EXPECT_EQ(f.view.pageOverlap, 0);
    EXPECT_EQ(f.view.screenPageTop, 0.5);
    EXPECT_EQ(f.view.currentPage, 1);
    EXPECT_TRUE(f.prompter.entries().empty());
    // The values in force are in the settings file.
    std::string bytes;
    ASSERT_TRUE(readFileBytes(f.settingsFile(), bytes));
    const Settings written = parseSettings(bytes);
    EXPECT_EQ(written.depthPerPage(), 10);
    EXPECT_EQ(written.pageOverlap(), 0);
}

TEST(ViewController, ScaleIsShownAtMostTwice)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    f.dialogs.onScale = [&](ScaleDialogData& d) {
        d.depthPerPage = 5;
        d.pageOverlap = 8;
        return true;
    };
    f.ctl.run(CommandId::Scale);
    EXPECT_EQ(f.dialogs.scaleShown.size(), 2u);
    EXPECT_EQ(f.view.pageOverlap, 0);
}

TEST(ViewController, ScaleWarnsAboutAPageDepthBeyondThePaperButKeepsIt)
{
    Fixture f;
    f.host.printer = a4At600(); // 297 mm: at 1/100 about 16 m a page
    f.ctl.viewUpdate(true);
    int round = 0;
    f.dialogs.onScale = [&](ScaleDialogData& d) {
        EXPECT_EQ(d.paperHeightMm, 297);
        EXPECT_EQ(d.maxDepthPerPage, 100 * (297 - 115 - 5 - 10) / 1000);
        if (++round == 1) {
            d.depthPerPage = 40;
            d.pageOverlap = 0;
        }
        return true;
    };
    f.ctl.run(CommandId::Scale);
    EXPECT_EQ(round, 1);
    ASSERT_TRUE(f.host.scroll);
    EXPECT_EQ(f.host.scroll->heightMm, 900); // a page depth of 38 m or more takes the tall extent
    ASSERT_EQ(f.prompter.texts().size(), 1u);
    EXPECT_EQ(u8(f.prompter.texts()[0]), "１ページの印刷深度は\n約 16 (m)です");
    EXPECT_EQ(f.view.depthPerPage, 40);

    // Shown again for the overlap: the field then shows the largest depth.
    Fixture g;
    g.host.printer = a4At600();
    g.ctl.viewUpdate(true);
    round = 0;
    g.dialogs.onScale = [&](ScaleDialogData& d) {
        if (++round == 1) {
            d.depthPerPage = 40;
            d.pageOverlap = 50;
        }
        return true;
    };
    g.ctl.run(CommandId::Scale);
    ASSERT_EQ(g.dialogs.scaleShown.size(), 2u);
    EXPECT_EQ(g.dialogs.scaleShown[1].depthPerPage, 16);
    EXPECT_EQ(g.view.depthPerPage, 16);
}

TEST(ViewController, ScaleCancelChangesNothing)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    const ViewState before = f.view;
    f.dialogs.onScale = [&](ScaleDialogData& d) {
        d.depthPerPage = 3;
        d.depthScaleDenominator = 200;
        return false;
    };
    f.ctl.run(CommandId::Scale);
    EXPECT_EQ(f.view.depthPerPage, before.depthPerPage);
    EXPECT_EQ(f.view.depthScaleDenominator, 100);
}

TEST(ViewController, StyleFillsAnEmptyCompanyAndWritesTheSettings)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    f.dialogs.onStyle = [](Settings& s) {
        s.setText(49, "");
        s.setInt(8, 3);
    };
    f.dialogs.ok = false;
    f.ctl.run(CommandId::Style);
    EXPECT_NE(f.app.settings.frameWidth(), 3);

    f.dialogs.ok = true;
    f.ctl.run(CommandId::Style);
    EXPECT_EQ(u8(f.app.settings.companyName()), "株式会社");
    EXPECT_EQ(f.app.settings.frameWidth(), 3);
    std::string bytes;
    ASSERT_TRUE(readFileBytes(f.settingsFile(), bytes));
    EXPECT_EQ(parseSettings(bytes).frameWidth(), 3);
    EXPECT_EQ(f.doc.modified, 0);
}

TEST(ViewController, KeyOptionsAndNameMasterStoreTheirLinesAndWriteTheSettings)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    f.dialogs.onKeys = [](KeyOptionsDialogData& d) {
        d.enterKeyMode = 2;
        d.scrollToLastRow = true;
    };
    f.ctl.run(CommandId::KeyOptions);
    EXPECT_EQ(f.app.settings.enterKeyMode(), 2);
    EXPECT_TRUE(f.app.settings.scrollToLastRow());

    NameMasterDialogData seen;
    f.dialogs.onNameMaster = [&](NameMasterDialogData& d) {
        seen = d;
        d.patternUse = 3;
        d.allBlack = true;
    };
    f.ctl.run(CommandId::NameMaster);
    EXPECT_EQ(seen.masterPath, f.app.paths.nameMaster);
    EXPECT_EQ(seen.monochromeBitmapFolder, f.app.paths.bitmapFolder + "01");
    EXPECT_EQ(f.app.settings.PatternUse(), 3);
    EXPECT_TRUE(f.app.settings.PatternAllBlack());
    EXPECT_FALSE(f.app.master.entries(GeologyMaster::Vector).empty() &&
                 f.app.master.entries(GeologyMaster::Bitmap).empty()); // read again

    std::string bytes;
    ASSERT_TRUE(readFileBytes(f.settingsFile(), bytes));
    const Settings written = parseSettings(bytes);
    EXPECT_EQ(written.enterKeyMode(), 2);
    EXPECT_EQ(written.PatternUse(), 3);
    EXPECT_TRUE(f.prompter.entries().empty());
}

TEST(ViewController, FontsAreStoredOnOkOnly)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    f.dialogs.onFonts = [](FontSettings& fs) { fs[1].points = 14; };
    f.dialogs.ok = false;
    f.ctl.run(CommandId::Fonts);
    EXPECT_NE(f.app.fonts[1].points, 14);
    f.dialogs.ok = true;
    f.ctl.run(CommandId::Fonts);
    EXPECT_EQ(f.app.fonts[1].points, 14);
    std::string bytes;
    ASSERT_TRUE(readFileBytes(f.app.paths.fonts[1], bytes));
    EXPECT_EQ(parseFontFile(bytes, 1).points, 14);
}

TEST(ViewController, HelpRepaintsWithoutErasing)
{
    Fixture f;
    f.ctl.run(CommandId::Help);
    EXPECT_EQ(f.host.repaintsWithoutErase, 1);
}

TEST(ViewController, ScreenDisplayToggleSaysWhatItDoes)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    f.ctl.run(CommandId::ScreenDisplay);
    EXPECT_FALSE(f.view.screenDisplayOn);
    RecordingDevice screen(96, 96);
    EXPECT_FALSE(f.ctl.drawScreen(screen, nullptr));
    EXPECT_TRUE(screen.calls().empty());
    // Printing still draws.
    RecordingDevice printer;
    EXPECT_TRUE(f.ctl.printPage(printer, 1, nullptr));
    EXPECT_FALSE(printer.calls().empty());

    f.ctl.run(CommandId::ScreenDisplay);
    EXPECT_TRUE(f.view.screenDisplayOn);
    EXPECT_TRUE(f.ctl.drawScreen(screen, nullptr));
    const auto texts = f.prompter.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(u8(texts[0]), "表示しません");
    EXPECT_EQ(u8(texts[1]), "表示します");
}

TEST(ViewController, PagingStopsAtTheTopAndAtTheLargerOfDeepestPlusFiveAnd50)
{
    struct Case
    {
        const char* name;
        int layers;
        double limit; // the top beyond which next page stops
    };
    for (const Case c : {Case{"short log: 50 m", 10, 50}, Case{"deep log: deepest + 5", 80, 85}}) {
        Fixture f;
        f.ctl.viewUpdate(true);
        f.view.depthPerPage = 20;
        f.view.pageOverlap = 2;
        f.layers(c.layers);

        f.ctl.keyDown(ViewKey::PageUp);
        EXPECT_EQ(f.view.screenPageTop, 0) << c.name;
        EXPECT_EQ(f.view.currentPage, 1);
        f.ctl.keyDown(ViewKey::Up);
        EXPECT_EQ(f.view.screenPageTop, 0);

        int steps = 0;
        double last = -1;
        while (f.view.screenPageTop != last && steps < 100) {
            last = f.view.screenPageTop;
            f.ctl.keyDown(steps % 2 ? ViewKey::Down : ViewKey::PageDown);
            ++steps;
        }
        // The last step started below the limit, and no step starts at or beyond it.
        EXPECT_GE(f.view.screenPageTop, c.limit) << c.name;
        EXPECT_LT(f.view.screenPageTop - 18, c.limit) << c.name;
        EXPECT_EQ(f.view.currentPage, 1 + static_cast<int>(f.view.screenPageTop / 18));
        f.ctl.previousPage();
        EXPECT_EQ(f.view.screenPageTop, last - 18);
    }
}

TEST(ViewController, PagingResetsAPageNumberFarBeyondTheCountAndIsIgnoredWhilePrinting)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    f.view.depthPerPage = 10;
    f.view.pageOverlap = 0;
    f.layers(20); // 3 pages
    f.view.screenPageTop = 30;
    f.view.currentPage = 14; // beyond 3 + 10
    f.ctl.keyDown(ViewKey::Down);
    EXPECT_EQ(f.view.currentPage, 2);
    EXPECT_EQ(f.view.screenPageTop, 40);

    f.view.currentPage = 13; // not beyond
    f.ctl.keyDown(ViewKey::Down);
    EXPECT_EQ(f.view.currentPage, 14);

    const int repaints = f.host.repaints;
    f.view.printingNow = true;
    EXPECT_TRUE(f.ctl.keyDown(ViewKey::PageUp));
    EXPECT_FALSE(f.ctl.keyDown(ViewKey::Other));
    EXPECT_EQ(f.view.screenPageTop, 50);
    EXPECT_EQ(f.host.repaints, repaints);
    f.view.printingNow = false;
    EXPECT_FALSE(f.ctl.keyDown(ViewKey::Other));
}

TEST(ViewController, PrintingHooksSetThePageAndReturnToTheFirst)
{
    Fixture f;
    f.ctl.viewUpdate(true);
    f.layers(45);
    f.view.depthPerPage = 0; // the printer's paper gives the default page depth
    const PrinterPage a4 = a4At600();
    const int pages = f.ctl.preparePrinting(&a4);
    EXPECT_EQ(f.view.paperHeightMm, 297);
    EXPECT_EQ(f.view.depthPerPage, 16);
    EXPECT_EQ(pages, 45 / 16 + 1);

    f.view.screenPageTop = 30;
    RecordingDevice dev;
    EXPECT_TRUE(f.ctl.printPage(dev, 2, nullptr));
    EXPECT_FALSE(f.view.printingNow);
    EXPECT_EQ(f.view.currentPage, 2);
    EXPECT_EQ(f.view.screenPageTop, 0); // the screen shows the first printed page afterwards
    const int repaints = f.host.repaints;
    f.ctl.endPrinting();
    EXPECT_EQ(f.view.currentPage, 1);
    EXPECT_EQ(f.host.repaints, repaints + 1);
}

TEST(ViewController, CloseQuestion)
{
    struct Case
    {
        const char* name;
        int modified;
        Answer answer;
        bool closes;
        size_t entries; // question and hint
    };
    const Case cases[] = {
        {"unmodified closes without asking", 0, Answer::Yes, true, 0},
        {"Yes closes without saving", 1, Answer::Yes, true, 1},
        {"No keeps the window and shows the save hint", 1, Answer::No, false, 2},
        {"Cancel keeps the window", 1, Answer::Cancel, false, 1},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.doc.modified = c.modified;
        f.prompter.queueAnswer(c.answer);
        EXPECT_EQ(f.ctl.queryClose(), c.closes) << c.name;
        const auto& e = f.prompter.entries();
        ASSERT_EQ(e.size(), c.entries) << c.name;
        if (c.entries >= 1) {
            EXPECT_TRUE(e[0].question);
            EXPECT_EQ(u8(e[0].text), "データが変更されましたが、終了してよいのですか? ");
            EXPECT_EQ(e[0].buttons, Buttons::YesNoCancel);
            EXPECT_EQ(e[0].defaultAnswer, Answer::Cancel);
        }
        if (c.entries == 2) {
            EXPECT_EQ(u8(e[1].text), "「名前を付けて保存」または「上書き保存」で保存して下さい. ");
        }
    }
}

TEST(CommandTable, EveryCommandOnceWithTheTextsOfTheMenus)
{
    std::set<CommandId> seen;
    for (const CommandInfo& c : commandTable()) EXPECT_TRUE(seen.insert(c.id).second) << c.text;
    EXPECT_EQ(seen.size(), static_cast<size_t>(CommandId::ExportXml) + 1);
    EXPECT_STREQ(commandInfo(CommandId::FileNew).shortcut, "Ctrl+N");
    EXPECT_STREQ(commandInfo(CommandId::FilePrint).shortcut, "Ctrl+P");
    EXPECT_STREQ(commandInfo(CommandId::Graph4).prompt,
                 "グラフ4に表示するタイトル、プロットする試験名、目盛りなど");
    EXPECT_STREQ(menuTitle(MenuId::Help), "ﾍﾙﾌﾟ(&H)");
}
