// The exchange XML commands of the view: import as a new log after the save
// question, export through the dialog with its settings kept in the install folder.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "commands/viewcontroller.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/filechooser.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/controllerfixture.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <functional>

using namespace qc;
using qc::test::sj;
using qc::test::TempDir;
using qc::test::u8;

namespace {

class ExportDialogs : public NoDialogs
{
public:
    bool ok = true;
    std::function<void(ExchangeExportData&)> onExport;
    std::vector<ExchangeExportData> shown;
    bool provides(CommandId) const override { return true; }
    bool exchangeExport(ExchangeExportData& d) override
    {
        shown.push_back(d);
        if (onExport) onExport(d);
        return ok;
    }
};

struct Fixture : qc::test::ControllerFixture<ExportDialogs>
{
    Fixture() { ctl.viewUpdate(true); }

    static std::string official() { return std::string(QC_TEST_DATA_DIR) + "/exchange/BED0400.XML"; }
};

TEST(ExchangeCommands, ImportOpensANewModifiedUntitledLog)
{
    Fixture f;
    f.doc.path = "/somewhere/old.bhc";
    f.doc.title = "old.bhc";
    f.chooser.answers.push_back(Fixture::official());
    ASSERT_EQ(f.ctl.importExchange(f.chooser), FlowResult::Done);
    EXPECT_EQ(geologyRowCount(f.doc), 10);
    EXPECT_EQ(f.doc.modified, 1);
    EXPECT_TRUE(f.doc.path.empty());
    EXPECT_TRUE(f.doc.title.empty());
    // The view update derived the patterns and seeded the log title.
    EXPECT_FALSE(f.doc.GeologyTable(1, GeologyCol::VectorName).empty());
    EXPECT_EQ(u8(f.doc.HeaderTable(HeaderEntry::LogTitle)), "ボーリング柱状図");
    // What the log cannot hold is told once.
    ASSERT_EQ(f.prompter.entries().size(), 1u);
    EXPECT_TRUE(u8(f.prompter.entries()[0].text).starts_with("柱状図に入らなかった項目があります"));
}

TEST(ExchangeCommands, ImportAsksToSaveFirstAndKeepsTheLogOnFailure)
{
    TempDir tmp;
    const std::string broken = tmp.file("broken.XML");
    std::string bytes;
    ASSERT_TRUE(readFileBytes(Fixture::official(), bytes));
    ASSERT_TRUE(writeFileBytes(broken, bytes.substr(0, 3000)));

    struct Case
    {
        const char* name;
        Answer saveAnswer;
        std::optional<std::string> file;
        FlowResult result;
        int messages; // beside the save question
    } cases[] = {
        {"cancel at the question", Answer::Cancel, Fixture::official(), FlowResult::Cancelled, 0},
        {"cancel the file dialog", Answer::No, std::nullopt, FlowResult::Cancelled, 0},
        {"a truncated file", Answer::No, broken, FlowResult::Failed, 1},
        {"a missing file", Answer::No, tmp.file("none.XML"), FlowResult::Failed, 1},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.doc.GeologyTable(1, GeologyCol::Depth) = "7.00";
        f.doc.modified = 1;
        f.prompter.queueAnswer(c.saveAnswer);
        f.chooser.answers.push_back(c.file);
        EXPECT_EQ(f.ctl.importExchange(f.chooser), c.result) << c.name;
        EXPECT_EQ(f.doc.GeologyTable(1, GeologyCol::Depth), "7.00") << c.name;
        EXPECT_EQ(geologyRowCount(f.doc), 1) << c.name;
        ASSERT_EQ(f.prompter.entries().size(), 1u + static_cast<size_t>(c.messages)) << c.name;
        EXPECT_TRUE(f.prompter.entries()[0].question) << c.name;
    }
}

TEST(ExchangeCommands, ExportWritesTheFileAndKeepsChangedSettings)
{
    Fixture f;
    f.doc.GeologyTable(1, GeologyCol::Depth) = "2.00";
    f.doc.GeologyTable(1, GeologyCol::Name) = sj("砂①");
    f.doc.path = f.dir.file("log.bhc");
    const std::string out = f.dir.file("log.XML");
    f.dialogs.onExport = [](ExchangeExportData& d) { d.settings.datum = "03"; };
    f.ctl.run(CommandId::ExportXml);

    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].outputPath, out); // proposed beside the log
    ASSERT_EQ(f.dialogs.shown[0].outsideJis.size(), 1u);
    std::string xml;
    ASSERT_TRUE(readFileBytes(out, xml));
    EXPECT_NE(u8(xml).find("<測地系>03</測地系>"), std::string::npos);
    // The settings live on in the install folder.
    EXPECT_EQ(loadExchangeSettings(f.app.install.file(kExchangeSettingsFile), nullptr).datum, "03");
    // The character outside JIS X 0208 is reported after writing.
    ASSERT_EQ(f.prompter.entries().size(), 1u);
    EXPECT_NE(u8(f.prompter.entries()[0].text).find("①"), std::string::npos);
    EXPECT_EQ(f.doc.modified, 0);
}

TEST(ExchangeCommands, ExportCancelledOrEmptyWritesNothing)
{
    {
        Fixture f;
        f.doc.GeologyTable(1, GeologyCol::Depth) = "2.00";
        f.doc.path = f.dir.file("log.bhc");
        f.dialogs.ok = false;
        f.dialogs.onExport = [](ExchangeExportData& d) { d.settings.datum = "09"; };
        f.ctl.run(CommandId::ExportXml);
        EXPECT_FALSE(fileExists(f.dir.file("log.XML")));
        EXPECT_FALSE(fileExists(f.app.install.file(kExchangeSettingsFile)));
    }
    {
        Fixture f; // no layer: the format cannot hold it, so the dialog does not open
        f.ctl.run(CommandId::ExportXml);
        EXPECT_TRUE(f.dialogs.shown.empty());
        EXPECT_EQ(f.prompter.entries().size(), 1u);
    }
}

} // namespace
