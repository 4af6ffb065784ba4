// The command line: dump and convert end to end, in process.

#include "app/docflows.h"
#include "cli/cli.h"
#include "document/logfile.h"
#include "document/tables.h"
#include "platform/files.h"
#include "support/clirun.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace qc;
using qc::test::CliRun;
using qc::test::dataPath;
using qc::test::lineCount;
using qc::test::TempDir;

TEST(Cli, DumpPrintsTheTablesAsJson)
{
    CliRun r = qc::test::runQc({"dump", dataPath("current.bhc")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\n  \"version\": 550,", 0), 0u);
    for (const char* key : {"HeaderTable", "GeologyTable", "SpareIntervalTable", "NoteTable", "StratumTable",
                            "WaterLevelTable", "DrillDateTable", "FreeColumnTable", "CasingTable",
                            "DisplayItemTable", "GraphFormatTable", "TestNameTable", "SampleTable"})
        EXPECT_NE(r.out.find(std::string("\"") + key + "\": ["), std::string::npos) << key;
    EXPECT_NE(r.out.find("\"土壌汚染状況調査\""), std::string::npos); // UTF-8
    EXPECT_NE(r.out.find("\"含水中位\\r\\n貝殻片混入\\r\\n\""), std::string::npos);
}

TEST(Cli, DumpAnswersYesToTheImportQuestion)
{
    CliRun r = qc::test::runQc({"dump", dataPath("sibling.tvl")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\n  \"version\": 500,", 0), 0u);
    EXPECT_NE(r.out.find("\"シルト\""), std::string::npos);
}

TEST(Cli, BadInputGivesOneLineAndStatusOne)
{
    struct Case
    {
        std::vector<std::string> args;
    } cases[] = {
        {{"dump", dataPath("missing.bhc")}},
        {{"dump", dataPath("foreign.txt")}},
        {{"dump"}},
        {{"dump", dataPath("current.bhc"), "--install-dir"}},
        {{"dump", dataPath("current.bhc"), "--install-dir="}},
        {{"convert", dataPath("foreign.txt"), "-o", "/tmp/never-written.bhc"}},
        {{"convert", dataPath("current.bhc")}},
        {{"frobnicate"}},
    };
    for (const auto& c : cases) {
        CliRun r = qc::test::runQc(c.args);
        EXPECT_EQ(r.status, 1) << c.args[0];
        EXPECT_TRUE(r.out.empty());
        EXPECT_GE(lineCount(r.err), 1);
        EXPECT_EQ(r.err.rfind("qc: ", 0), 0u) << r.err;
    }
    EXPECT_FALSE(fileExists("/tmp/never-written.bhc"));
}

TEST(Cli, InstallDirWithoutAFolderIsRefusedByEveryCommand)
{
    const std::string general = "qc: --install-dir needs a folder\nusage: qc ";
    const struct
    {
        std::vector<std::string> args;
        std::string errStart;
    } cases[] = {
        {{"export", "--install-dir"}, "qc: export: --install-dir needs a folder (see qc export --help)\n"},
        {{"dump", "--install-dir"}, general},
        {{"convert", "--install-dir="}, general},
        {{"check", "--install-dir"}, general},
        {{"report", "--install-dir"}, general},
        {{"import-results", "--install-dir"}, general},
        {{"export-xml", "--install-dir"}, general},
        {{"import-xml", "--install-dir="}, general},
        // The pattern sheet reads its own options.
        {{"patterns", "--install-dir"}, "qc: patterns: unexpected argument --install-dir\n"},
    };
    for (const auto& c : cases) {
        CliRun r = qc::test::runQc(c.args);
        EXPECT_EQ(r.status, 1) << c.args[0];
        EXPECT_EQ(r.err.rfind(c.errStart, 0), 0u) << r.err;
    }
}

TEST(Cli, ConvertWritesTheCurrentFormat)
{
    TempDir dir;
    const std::string out = dir.file("out.bhc");
    CliRun r = qc::test::runQc({"convert", dataPath("oldest.mrn"), "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string bytes;
    ASSERT_TRUE(readFileBytes(out, bytes));
    EXPECT_EQ(bytes.rfind("$$_QVOR780\r\n$$Z\r\n", 0), 0u);
    EXPECT_EQ(findTokenLine(bytes, 6).version, logversion::Current);

    // Converting a current file reproduces it.
    CliRun again = qc::test::runQc({"convert", dataPath("current.bhc"), "-o", out});
    ASSERT_EQ(again.status, 0);
    std::string original;
    ASSERT_TRUE(readFileBytes(dataPath("current.bhc"), original));
    ASSERT_TRUE(readFileBytes(out, bytes));
    EXPECT_EQ(bytes, original);
}

TEST(Cli, FailedConvertLeavesAnExistingOutputAlone)
{
    TempDir dir;
    const std::string out = dir.file("keep.bhc");
    ASSERT_TRUE(writeFileBytes(out, "GOOD"));
    CliRun r = qc::test::runQc({"convert", dataPath("foreign.txt"), "-o", out});
    EXPECT_EQ(r.status, 1);
    std::string bytes;
    ASSERT_TRUE(readFileBytes(out, bytes));
    EXPECT_EQ(bytes, "GOOD");
}

TEST(Cli, DumpRunsTheViewUpdateWithTheGivenInstallFolder)
{
    TempDir dir; // empty: every file missing
    CliRun r = qc::test::runQc({"dump", "--install-dir", dir.path(), dataPath("current.bhc")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find(dir.path() + "/Sys.ndx"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("\"ボーリング柱状図\""), std::string::npos); // the file's own title

    // A fresh user (the test's own XDG folders): the default folder is seeded
    // from the bundled one and every derived column is filled.
    CliRun fresh = qc::test::runQc({"dump", dataPath("current.bhc")});
    ASSERT_EQ(fresh.status, 0) << fresh.err;
    EXPECT_EQ(fresh.err, "");
    EXPECT_NE(fresh.out.find("\"1501.1\", \"\", \"S-G\"]"), std::string::npos) << fresh.out;

    // QC_INSTALL_DIR points the same way as the option.
    ::setenv("QC_INSTALL_DIR", dir.path().c_str(), 1);
    CliRun env = qc::test::runQc({"dump", dataPath("current.bhc")});
    ::unsetenv("QC_INSTALL_DIR");
    EXPECT_NE(env.err.find(dir.path() + "/Sys.ndx"), std::string::npos) << env.err;
}

TEST(Cli, ConvertAcceptsTheInstallFolderOptionAndKeepsTheFileAsRead)
{
    TempDir dir;
    const std::string out = dir.file("out.bhc");
    CliRun r = qc::test::runQc({"convert", dataPath("current.bhc"), "-o", out, "--install-dir", dir.path()});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string original, bytes;
    ASSERT_TRUE(readFileBytes(dataPath("current.bhc"), original));
    ASSERT_TRUE(readFileBytes(out, bytes));
    EXPECT_EQ(bytes, original);
}

TEST(Cli, CheckPrintsTheFullWidthReport)
{
    TempDir dir;
    Document doc;
    doc.GeologyTable(1, 1) = "1.00";
    doc.GeologyTable(1, 2) = qc::test::sj("ＳＭ粘土");
    doc.GeologyTable(2, 1) = "2.00";
    doc.GeologyTable(2, 2) = qc::test::sj("砂");
    const std::string path = dir.file("fw.bhc");
    ASSERT_TRUE(writeDocumentFile(doc, path));
    CliRun r = qc::test::runQc({"check", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("▼地質 色調\n( 1.00 m ) ＳＭ粘土  \n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_EQ(r.out.find("砂"), std::string::npos);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"check"}, std::vector<std::string>{"check", dataPath("foreign.txt")}}) {
        CliRun bad = qc::test::runQc(args);
        EXPECT_EQ(bad.status, 1);
        EXPECT_TRUE(bad.out.empty());
        EXPECT_EQ(bad.err.rfind("qc: ", 0), 0u) << bad.err;
    }
}
