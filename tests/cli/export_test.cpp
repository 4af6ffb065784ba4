// qc export end to end, in process: arguments, files per page, page ranges,
// and that a failure leaves existing files alone.

#include "cli/cli.h"
#include "platform/files.h"
#include "support/clirun.h"
#include "support/testutil.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>

using namespace qc;
using qc::test::CliRun;
using qc::test::dataPath;
using qc::test::lineCount;
using qc::test::TempDir;

TEST(CliExport, BadArgumentsGiveOneLineAndStatusOne)
{
    TempDir dir;
    const std::string log = dataPath("fullheader.bhc");
    const std::string pdf = dir.file("out.pdf");
    const std::vector<std::vector<std::string>> cases = {
        {"export"},
        {"export", log},
        {"export", "-o", pdf},
        {"export", log, "-o"},
        {"export", log, "-o", dir.file("out.txt")},
        {"export", log, "-o", pdf, "--pages", "0-2"},
        {"export", log, "-o", pdf, "--pages", "3-2"},
        {"export", log, "-o", pdf, "--pages", "x"},
        {"export", log, "-o", pdf, "--pages", "2-9"}, // the log has one page
        {"export", log, "-o", pdf, "--dpi", "abc"},
        {"export", log, "-o", pdf, "--dpi", "10"},
        {"export", log, "-o", pdf, "--dpi", "4000"}, // beyond the device range on A3
        {"export", log, "-o", pdf, "--paper", "B5"},
        {"export", log, "-o", pdf, "--paper", "0x100mm"},
        {"export", log, "-o", pdf, "--frobnicate"},
        {"export", log, log, "-o", pdf},
        {"export", dataPath("missing.bhc"), "-o", pdf},
        {"export", dataPath("foreign.txt"), "-o", pdf},
        {"export", log, "-o", dir.file("no/such/folder/out.pdf")},
    };
    for (const auto& args : cases) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        CliRun r = qc::test::runQc(args);
        EXPECT_EQ(r.status, 1) << joined;
        EXPECT_TRUE(r.out.empty()) << joined;
        EXPECT_EQ(lineCount(r.err), 1) << joined << "\n" << r.err;
        EXPECT_EQ(r.err.rfind("qc: ", 0), 0u) << r.err;
    }
    EXPECT_FALSE(fileExists(pdf));
}

TEST(CliExport, HelpNamesEveryOption)
{
    CliRun r = qc::test::runQc({"export", "--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"-o OUT", "--pages A-B", "--dpi N", "--paper", "A3", "A4", "WxHmm", ".pdf",
                               ".png", ".svg", "--sheet-numbers"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
    EXPECT_NE(qc::test::runQc({"--help"}).out.find("qc export"), std::string::npos);
}

TEST(CliExport, PngAndSvgFilesPerPage)
{
    TempDir dir;
    // 250 mm high paper: 120 mm of body a page, so the 15 m log takes two 12 m pages.
    CliRun r = qc::test::runQc({"export", dataPath("fullheader.bhc"), "-o", dir.file("log.png"), "--dpi",
                                "50", "--paper", "297x250mm"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err; // no progress when stderr is not a terminal
    for (int page : {1, 2}) {
        QImage img(QString::fromStdString(dir.file("log-" + std::to_string(page) + ".png")));
        ASSERT_FALSE(img.isNull()) << page;
        EXPECT_EQ(img.width(), 585); // 297 mm at 50 dpi
        EXPECT_EQ(img.height(), 492);
    }
    EXPECT_FALSE(fileExists(dir.file("log-3.png")));

    CliRun svg = qc::test::runQc({"export", dataPath("fullheader.bhc"), "-o", dir.file("log.svg"), "--pages",
                                  "2", "--paper", "297x250mm"});
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_FALSE(fileExists(dir.file("log-1.svg")));
    std::string bytes;
    ASSERT_TRUE(readFileBytes(dir.file("log-2.svg"), bytes));
    EXPECT_NE(bytes.find("<svg"), std::string::npos);
    EXPECT_NE(bytes.find("ボーリング柱状図"), std::string::npos);
}

// The window's sheet-number option on the command line: page 2 of 2 reads "2/2" instead of the
// stored sheet number.
TEST(CliExport, SheetNumbersFollowThePagesWhenAskedFor)
{
    TempDir dir;
    std::string plain, numbered;
    for (bool on : {false, true}) {
        std::vector<std::string> args{
            "export",   dataPath("fullheader.bhc"), "-o", dir.file("log.svg"), "--pages", "2", "--paper",
            "297x250mm"};
        if (on) args.push_back("--sheet-numbers");
        CliRun r = qc::test::runQc(args);
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_TRUE(readFileBytes(dir.file("log-2.svg"), on ? numbered : plain));
    }
    EXPECT_EQ(plain.find("2/2"), std::string::npos);
    EXPECT_NE(numbered.find("2/2"), std::string::npos);
}

TEST(CliExport, PageCountOfACustomPaperDoesNotDependOnTheResolution)
{
    // The 25 m sample fits one 297 x 415 mm page (26 m a page) at every resolution;
    // asking for page 2 is refused before anything is drawn.
    TempDir dir;
    const std::string log = std::string(QC_SOURCE_DIR) + "/examples/sample.bhc";
    for (const char* dpi : {"100", "200", "300", "600"}) {
        CliRun r = qc::test::runQc(
            {"export", log, "-o", dir.file("x.pdf"), "--paper", "297x415mm", "--dpi", dpi, "--pages", "2-2"});
        EXPECT_EQ(r.status, 1) << dpi;
        EXPECT_NE(r.err.find("pages 1-1"), std::string::npos) << dpi << ": " << r.err;
    }
}

TEST(CliExport, FailureLeavesAnExistingFileAlone)
{
    TempDir dir;
    const std::string out = dir.file("keep.pdf");
    ASSERT_TRUE(writeFileBytes(out, "GOOD"));
    CliRun r = qc::test::runQc({"export", dataPath("fullheader.bhc"), "-o", out, "--pages", "5-6"});
    EXPECT_EQ(r.status, 1);
    std::string bytes;
    ASSERT_TRUE(readFileBytes(out, bytes));
    EXPECT_EQ(bytes, "GOOD");

    CliRun ok = qc::test::runQc({"export", dataPath("fullheader.bhc"), "-o", out});
    ASSERT_EQ(ok.status, 0) << ok.err;
    ASSERT_TRUE(readFileBytes(out, bytes));
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
}

// Pages of an earlier, longer PNG export are kept and named in a note.
TEST(CliExport, EarlierPagesPastTheLastAreKeptAndNamed)
{
    TempDir dir;
    for (int page : {3, 4})
        ASSERT_TRUE(writeFileBytes(dir.file("log-" + std::to_string(page) + ".png"), "old"));
    CliRun r = qc::test::runQc({"export", dataPath("fullheader.bhc"), "-o", dir.file("log.png"), "--dpi",
                                "40", "--paper", "297x250mm"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("2 page file(s) of an earlier export remain (" + dir.file("log-3.png") + " ... " +
                         dir.file("log-4.png") + "); the log now has 2 page(s)"),
              std::string::npos)
        << r.err;
    EXPECT_TRUE(fileExists(dir.file("log-4.png")));
}

TEST(CliConvert, WritesThroughALinkAndRefusesAProtectedFile)
{
    TempDir dir;
    const std::string target = dir.file("real.bhc");
    ASSERT_TRUE(writeFileBytes(target, "OLD"));
    std::filesystem::create_symlink("real.bhc", dir.file("link.bhc"));
    CliRun r = qc::test::runQc({"convert", dataPath("current.bhc"), "-o", dir.file("link.bhc")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.bhc")));
    std::string bytes;
    ASSERT_TRUE(readFileBytes(target, bytes));
    EXPECT_EQ(bytes.rfind("$$_QVOR780\r\n", 0), 0u);

    ::chmod(target.c_str(), 0444);
    CliRun refused = qc::test::runQc({"convert", dataPath("current.bhc"), "-o", target});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "qc: cannot write " + target + ": the file is write-protected\n");
}
