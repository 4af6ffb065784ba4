// Undo and redo through the view's command path: every data command that changed
// the tables is one step, settings commands are none, and the modified flag, the
// derived geology cells, the menu texts and the recovery copy follow.

#include "app/appcontext.h"
#include "app/recovery.h"
#include "app/viewstate.h"
#include "commands/viewcontroller.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/filechooser.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/controllerfixture.h"
#include "support/samplelog.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

namespace {

// Dialogs that answer OK after making the edit the test gives them.
class EditingDialogs : public NoDialogs
{
public:
    std::function<void(Document&)> edit = [](Document&) {};
    bool provides(CommandId) const override { return true; }
    bool geology(Document& doc, int&, int&) override { return apply(doc); }
    bool list(ListDialogKind, Document& doc) override { return apply(doc); }
    bool graphFormat(Document& doc, int) override { return apply(doc); }
    bool header(HeaderDialogData& d) override
    {
        d.entry[HeaderEntry::SurveyName] = sj("見出しの調査名");
        return true;
    }
    bool style(Settings&) override { return true; }
    bool fonts(FontSettings&) override { return true; }

private:
    bool apply(Document& doc)
    {
        edit(doc);
        return true;
    }
};

struct Fixture : qc::test::ControllerFixture<EditingDialogs>
{
    Fixture()
    {
        const std::string log = dir.file("log.bhc");
        std::filesystem::copy_file(std::string(QC_SOURCE_DIR) + "/examples/sample.bhc", log);
        EXPECT_EQ(ctl.openPath(log, chooser), FlowResult::Done);
    }
    std::string saved() const { return qc::test::savedBytes(doc); }
    void runWith(CommandId id, std::function<void(Document&)> edit)
    {
        dialogs.edit = std::move(edit);
        ctl.run(id);
    }
};

} // namespace

TEST(Undo, DataCommandsAreStepsWithTheirNamesAndTheFlagFollows)
{
    Fixture f;
    const std::string opened = f.saved();
    EXPECT_FALSE(f.ctl.isEnabled(CommandId::Undo));
    EXPECT_FALSE(f.ctl.isEnabled(CommandId::Redo));
    EXPECT_EQ(f.ctl.undoText(), "元に戻す(&U)");

    f.runWith(CommandId::Geology, [](Document& d) { d.GeologyTable(1, GeologyCol::Name) = sj("粘土"); });
    const std::string afterGeology = f.saved();
    f.ctl.run(CommandId::Header);
    f.runWith(CommandId::Graph2, [](Document& d) { d.GraphFormatTable(2, 1, 1) = sj("含有量"); });
    EXPECT_EQ(f.ctl.history().size(), 3u);
    EXPECT_EQ(f.ctl.undoText(), "元に戻す: グラフ2書式(&U)");
    EXPECT_EQ(f.doc.modified, 1);

    const int repaints = f.host.repaints;
    f.ctl.run(CommandId::Undo);
    EXPECT_EQ(f.host.repaints, repaints + 1);
    EXPECT_EQ(f.ctl.undoText(), "元に戻す: 見出し(&U)");
    EXPECT_EQ(f.ctl.redoText(), "やり直し: グラフ2書式(&R)");
    f.ctl.run(CommandId::Undo);
    EXPECT_EQ(f.saved(), afterGeology);
    EXPECT_EQ(f.doc.modified, 1);
    f.ctl.run(CommandId::Undo);
    EXPECT_EQ(f.saved(), opened);
    EXPECT_EQ(f.doc.modified, 0); // back at the opened state
    EXPECT_FALSE(f.ctl.isEnabled(CommandId::Undo));
    EXPECT_TRUE(f.ctl.isEnabled(CommandId::Redo));
    f.ctl.run(CommandId::Redo);
    EXPECT_EQ(f.saved(), afterGeology);
    EXPECT_EQ(f.doc.modified, 1);
}

// Undo restores the soil names; the derived pattern cells follow them.
TEST(Undo, TheDerivedGeologyCellsFollowTheRestoredNames)
{
    Fixture f;
    const std::string name = f.doc.GeologyTable(1, GeologyCol::Name);
    const std::string vector = f.doc.GeologyTable(1, GeologyCol::VectorName);
    ASSERT_FALSE(vector.empty());
    f.runWith(CommandId::Geology, [](Document& d) { d.GeologyTable(1, GeologyCol::Name) = sj("礫"); });
    ASSERT_NE(f.doc.GeologyTable(1, GeologyCol::VectorName), vector);
    f.ctl.undo();
    EXPECT_EQ(f.doc.GeologyTable(1, GeologyCol::Name), name);
    EXPECT_EQ(f.doc.GeologyTable(1, GeologyCol::VectorName), vector);
}

TEST(Undo, NoStepForUnchangedOkSettingsOrCancel)
{
    Fixture f;
    f.runWith(CommandId::Notes, [](Document&) {}); // OK without a change
    EXPECT_EQ(f.ctl.history().size(), 0u);
    EXPECT_EQ(f.doc.modified, 1); // an OK of a data dialog still marks the log, as before
    for (CommandId id : {CommandId::Style, CommandId::Fonts, CommandId::Scale, CommandId::About})
        f.runWith(id, [](Document& d) { d.HeaderTable(1) = "never"; });
    EXPECT_EQ(f.ctl.history().size(), 0u);
    EXPECT_FALSE(f.ctl.isEnabled(CommandId::Undo));
}

TEST(Undo, SaveMovesTheMarkAndOpeningOrNewClearsTheHistory)
{
    Fixture f;
    f.runWith(CommandId::Notes, [](Document& d) { d.NoteTable(1, NoteCol::Text) = sj("一\r\n"); });
    f.runWith(CommandId::Notes, [](Document& d) { d.NoteTable(1, NoteCol::Text) = sj("二\r\n"); });
    ASSERT_EQ(f.ctl.save(f.chooser), FlowResult::Done);
    EXPECT_EQ(f.doc.modified, 0);
    f.ctl.undo();
    EXPECT_EQ(f.doc.modified, 1);
    f.ctl.redo();
    EXPECT_EQ(f.doc.modified, 0); // the saved state again
    std::string onDisk;
    ASSERT_TRUE(readFileBytes(f.doc.path, onDisk));
    EXPECT_EQ(f.saved(), onDisk);

    ASSERT_EQ(f.ctl.newDocument(f.chooser), FlowResult::Done);
    EXPECT_FALSE(f.ctl.isEnabled(CommandId::Undo));
    EXPECT_FALSE(f.ctl.isEnabled(CommandId::Redo));
    f.runWith(CommandId::Strata, [](Document& d) { d.StratumTable(1, 1) = "0.00"; });
    EXPECT_TRUE(f.ctl.isEnabled(CommandId::Undo));
    f.prompter.queueAnswer(Answer::No); // "変更を保存しますか？": 保存しない
    ASSERT_EQ(f.ctl.openPath(f.dir.file("log.bhc"), f.chooser), FlowResult::Done);
    EXPECT_FALSE(f.ctl.isEnabled(CommandId::Undo));
}

// A command another part of the program adds changes the document through the same path.
TEST(Undo, OtherEntriesRunTheirBodyAsOneStep)
{
    Fixture f;
    f.ctl.runDocumentCommand(CommandId::TestData, [&] {
        for (int r = 1; r <= 3; ++r) f.doc.SampleTable(r, SampleCol::test(2)) = "0.5";
        f.doc.modified = 1;
    });
    EXPECT_EQ(f.ctl.history().size(), 1u);
    EXPECT_EQ(f.ctl.undoText(), "元に戻す: 試験データ(&U)");
    f.ctl.undo();
    EXPECT_EQ(f.doc.modified, 0);
}

// Each change refreshes the recovery copy; saving and undoing to the saved state remove it.
TEST(Undo, TheRecoveryCopyFollowsTheDocument)
{
    Fixture f;
    RecoveryKeeper keeper(f.dir.file("recovery"), f.doc, f.prompter);
    std::chrono::milliseconds now{0};
    keeper.setClock([&] { return now; });
    f.ctl.setRecovery(&keeper);

    f.runWith(CommandId::Casing, [](Document& d) { d.CasingTable(1, CasingCol::PipeKind) = sj("VP40"); });
    ASSERT_TRUE(fileExists(keeper.copyPath()));
    f.ctl.undo();
    EXPECT_FALSE(fileExists(keeper.copyPath()));
    now += std::chrono::seconds(10);
    f.ctl.redo();
    EXPECT_TRUE(fileExists(keeper.copyPath()));
    ASSERT_EQ(f.ctl.save(f.chooser), FlowResult::Done);
    EXPECT_FALSE(fileExists(keeper.copyPath()));
    now += std::chrono::seconds(10);
    f.runWith(CommandId::Casing, [](Document& d) { d.CasingTable(1, CasingCol::PipeKind) = sj("VP50"); });
    EXPECT_TRUE(fileExists(keeper.copyPath()));
    f.ctl.closed();
    EXPECT_FALSE(fileExists(keeper.copyPath()));
    EXPECT_TRUE(f.prompter.entries().empty());
}
