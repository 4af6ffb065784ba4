// "qc patterns": the sheet is written as PNG or PDF (through a temporary file
// renamed at the end), bad arguments and unwritable targets are refused.

#include "cli/cli.h"
#include "platform/files.h"
#include "support/smallfs.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <sstream>

using namespace qc;
using qc::test::TempDir;

namespace {

int runPatterns(const std::vector<std::string>& args, std::string* err = nullptr)
{
    std::ostringstream out, e;
    std::vector<std::string> all{"patterns"};
    all.insert(all.end(), args.begin(), args.end());
    const int status = runCli(all, out, e);
    if (err) *err = e.str();
    return status;
}

std::string bundled()
{
    return std::string(QC_SOURCE_DIR) + "/data/install";
}

} // namespace

TEST(PatternsCommand, WritesThePngAndPdfSheets)
{
    TempDir dir;
    std::string err;
    ASSERT_EQ(runPatterns({"-o", dir.file("sheet.png"), "--dpi", "60", "--install-dir", bundled()}, &err), 0)
        << err;
    QImage png(QString::fromStdString(dir.file("sheet.png")));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.width(), static_cast<int>(420 * 60 / 25.4));
    // Something is drawn: not all white.
    int dark = 0;
    for (int y = 0; y < png.height(); y += 3)
        for (int x = 0; x < png.width(); x += 3) dark += qGray(png.pixel(x, y)) < 128;
    EXPECT_GT(dark, 1000);

    ASSERT_EQ(runPatterns({"-o", dir.file("sheet.pdf"), "--no-tiles", "--install-dir", bundled()}, &err), 0)
        << err;
    std::string pdf;
    ASSERT_TRUE(readFileBytes(dir.file("sheet.pdf"), pdf));
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_FALSE(fileExists(dir.file("sheet.pdf.part")));
}

TEST(PatternsCommand, RefusesBadArgumentsAndUnwritableTargets)
{
    TempDir dir;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {"-o", dir.file("sheet.svg")},
             {"-o", dir.file("sheet.png"), "--width", "0"},
             {"-o", dir.file("sheet.png"), "--dpi", "abc"},
             {"-o", dir.file("sheet.png"), "--bogus"},
         }) {
        std::string err;
        EXPECT_EQ(runPatterns(args, &err), 1);
        EXPECT_FALSE(err.empty());
    }
    EXPECT_FALSE(fileExists(dir.file("sheet.png")));

    // A target in a folder that does not exist cannot be written.
    std::string err;
    EXPECT_EQ(runPatterns({"-o", dir.file("missing/sheet.png"), "--dpi", "50"}, &err), 1);
    EXPECT_NE(err.find("cannot write"), std::string::npos);
}

// On a full disk the command fails, says why, and the good sheet stays.
TEST(PatternsCommand, FullDiskKeepsTheOldSheet)
{
    test::SmallFilesystem small("size=64k");
    if (!small.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const std::string sheet = small.file("sheet.pdf");
    ASSERT_TRUE(writeFileAtomically(sheet, "GOOD"));
    ASSERT_TRUE(writeFileAtomically(small.file("filler"), std::string(48 * 1024, 'f')));
    std::string err;
    EXPECT_EQ(runPatterns({"-o", sheet, "--no-tiles", "--dpi", "50"}, &err), 1);
    EXPECT_NE(err.find("qc: cannot write " + sheet + ": No space left on device"), std::string::npos)
        << err.substr(0, 200);
    std::string bytes;
    ASSERT_TRUE(readFileBytes(sheet, bytes));
    EXPECT_EQ(bytes, "GOOD");
}
