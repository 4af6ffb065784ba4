// qc import-results: the report on stderr, status 1 when anything was left
// unmatched (what matched is still written), and no output over a good file
// when the results cannot be read.

#include "app/docflows.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/clirun.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::runQc;
using qc::test::sj;

namespace {

const std::string kSample = std::string(QC_SOURCE_DIR) + "/examples/sample.bhc";
const std::string kInstall = std::string(QC_SOURCE_DIR) + "/data/install";

std::string valueOf(const std::string& path, int sample, int test)
{
    Document doc;
    ScriptedPrompter prompter;
    EXPECT_EQ(LoadByPath(doc, path, prompter), FlowResult::Done);
    return doc.SampleTable(sample, SampleCol::test(test));
}

TEST(ImportResultsCommand, StatusAndOutputByOutcome)
{
    qc::test::TempDir dir;
    const std::string out = dir.file("out.bhc");
    // S-1 holds 0.0021 for test 8 (テトラクロロエチレン) and nothing for test 2 (四塩化炭素).
    const struct
    {
        const char* name;
        std::string table;
        std::vector<std::string> extra;
        int status;
        const char* test2; // S-1's test 2 in the output
        const char* test8;
    } cases[] = {
        {"clean",
         "試料番号,四塩化炭素,テトラクロロエチレン\r\nS-1,<0.0002,0.0021\r\n",
         {},
         0,
         "<0.0002",
         "0.0021"},
        {"conflict kept", "試料番号,四塩化炭素,テトラクロロエチレン\r\nS-1,,0.003\r\n", {}, 0, "", "0.0021"},
        {"overwrite",
         "試料番号,四塩化炭素,テトラクロロエチレン\r\nS-1,,0.003\r\n",
         {"--overwrite"},
         0,
         "",
         "0.003"},
        {"unmatched row",
         "試料番号,四塩化炭素,テトラクロロエチレン\r\nS-1,0.1,\r\nS-99,0.2,\r\n",
         {},
         1,
         "0.1",
         "0.0021"},
    };
    for (const auto& c : cases) {
        const std::string results = dir.file("r.csv");
        ASSERT_TRUE(writeFileBytes(results, sj(c.table)));
        std::vector<std::string> args = {"import-results", kSample, results, "-o", out,
                                         "--install-dir",  kInstall};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const auto run = runQc(args);
        EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.err;
        EXPECT_EQ(valueOf(out, 1, 2), c.test2) << c.name;
        EXPECT_EQ(valueOf(out, 1, 8), c.test8) << c.name;
    }
}

TEST(ImportResultsCommand, UnreadableResultsLeaveTheOutputAlone)
{
    qc::test::TempDir dir;
    const std::string out = dir.file("out.bhc");
    ASSERT_TRUE(writeFileBytes(out, "good file"));
    const std::string binary = dir.file("r.xlsx");
    ASSERT_TRUE(writeFileBytes(binary, std::string("PK\x03\x04\x00\x00garbage", 13)));
    const std::string noHeader = dir.file("n.csv");
    ASSERT_TRUE(writeFileBytes(noHeader, "a,b\r\n1,2\r\n"));
    for (const std::string& results : {binary, noHeader, dir.file("missing.csv")}) {
        const auto run = runQc({"import-results", kSample, results, "-o", out, "--install-dir", kInstall});
        EXPECT_EQ(run.status, 1) << results;
        EXPECT_FALSE(run.err.empty());
        std::string bytes;
        ASSERT_TRUE(readFileBytes(out, bytes));
        EXPECT_EQ(bytes, "good file");
    }
}

} // namespace
