#include "dialogs/exchangeexporteditor.h"
#include "platform/filechooser.h"
#include "platform/scriptedprompter.h"
#include "support/answerchooser.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::AnswerChooser;
using qc::test::sj;

namespace {

TEST(ExchangeExportEditor, EditsCodesAndKeepsThePathOnDefaults)
{
    ScriptedPrompter p;
    ExchangeExportEditor m({{}, "/tmp/a.XML", {}}, p);
    const auto& fields = ExchangeExportEditor::fields();
    ASSERT_EQ(fields.size(), ExchangeSettings::fields().size()); // every stored value has its field
    for (size_t i = 0; i < fields.size(); ++i) m.setValue(i, "7");
    EXPECT_EQ(m.data().settings.casingKind, "7");
    EXPECT_EQ(m.value(0), "7");
    m.defaults();
    EXPECT_EQ(m.data().settings, ExchangeSettings{});
    EXPECT_EQ(m.data().outputPath, "/tmp/a.XML");
}

TEST(ExchangeExportEditor, AcceptNeedsAPathAndCodesWithoutCommas)
{
    const struct
    {
        const char* name;
        std::string path;
        size_t field;
        std::string value;
        bool accepted;
    } cases[] = {
        {"fine", "/tmp/a.XML", 2, "01", true},
        {"no path", "  ", 2, "01", false},
        {"comma in a code", "/tmp/a.XML", 2, "01,02", false},
        {"comma in the standards", "/tmp/a.XML", 0, "A,B", true},
    };
    for (const auto& c : cases) {
        ScriptedPrompter p;
        ExchangeExportEditor m({{}, c.path, {}}, p);
        m.setValue(c.field, c.value);
        EXPECT_EQ(m.accept(), c.accepted) << c.name;
        EXPECT_EQ(p.entries().size(), c.accepted ? 0u : 1u) << c.name;
    }
}

TEST(ExchangeExportEditor, BrowseAsksForAnXmlFileToSave)
{
    ScriptedPrompter p;
    ExchangeExportEditor m({{}, "/tmp/a.XML", {}}, p);
    AnswerChooser chooser;
    m.browse(chooser); // cancelled: the path stays
    EXPECT_EQ(m.data().outputPath, "/tmp/a.XML");
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_TRUE(chooser.requests[0].save);
    EXPECT_EQ(chooser.requests[0].defaultExtension, "XML");
    EXPECT_EQ(chooser.requests[0].initialFile, "/tmp/a.XML");
    chooser.answer = "/tmp/b.XML";
    m.browse(chooser);
    EXPECT_EQ(m.data().outputPath, "/tmp/b.XML");
}

TEST(ExchangeExportEditor, ProposedPath)
{
    EXPECT_EQ(proposedExchangePath("/d/log.bhc", "/x"), "/d/log.XML");
    EXPECT_EQ(proposedExchangePath("/d.v/log", "/x"), "/d.v/log.XML");
    EXPECT_EQ(proposedExchangePath("", "/x"), "/x/BED0001.XML");
    EXPECT_EQ(proposedExchangePath("", ""), "BED0001.XML");
}

} // namespace
