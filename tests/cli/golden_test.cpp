// Page 1 of the fixture logs and of the sample log (full and compact header),
// exported at 150 dpi, against their golden pictures. After an intended change
// of the drawing, tools/regen-golden.sh draws them again.

#include "cli/cli.h"
#include "support/testutil.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using namespace qc;

namespace {

// Pixels whose channels differ by more than this count as different.
constexpr int kChannelTolerance = 64;
// At most this many may differ: room for a few anti-aliased glyph edges, while a
// line or a text moved by a fifth of a millimetre (about a pixel) differs in 40 or more.
constexpr long kMaxDifferentPixels = 30;

int channelDistance(QRgb a, QRgb b)
{
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Exports page 1 of a log at 150 dpi and compares it with its golden picture.
void compareWithGolden(const std::string& log, const std::string& golden)
{
    test::TempDir dir;
    std::ostringstream out, err;
    ASSERT_EQ(runCli({"export", log, "-o", dir.file("page.png"), "--dpi", "150", "--pages", "1",
                      "--install-dir", std::string(QC_SOURCE_DIR) + "/data/install"},
                     out, err),
              0)
        << err.str();
    const QImage actual =
        QImage(QString::fromStdString(dir.file("page-1.png"))).convertToFormat(QImage::Format_RGB32);
    const QImage expected = QImage(QString::fromStdString(test::dataPath("golden/" + golden + ".png")))
                                .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << golden;
    ASSERT_EQ(actual.size(), expected.size()) << golden;

    QImage diff(actual.size(), QImage::Format_RGB32);
    diff.fill(Qt::white);
    long different = 0;
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* g = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        for (int x = 0; x < actual.width(); ++x) {
            if (a[x] == g[x]) {
                if (qGray(g[x]) < 128) diff.setPixel(x, y, qRgb(200, 200, 200));
                continue;
            }
            if (channelDistance(a[x], g[x]) > kChannelTolerance) {
                ++different;
                diff.setPixel(x, y, qRgb(255, 0, 0));
            }
        }
    }
    const QString diffName = QStringLiteral("golden-diff-%1.png").arg(QString::fromStdString(golden));
    if (different > kMaxDifferentPixels) {
        // Differences in red over the golden page in grey, beside the build's tests.
        diff.save(diffName);
        actual.save(QStringLiteral("golden-actual-%1.png").arg(QString::fromStdString(golden)));
    }
    EXPECT_LE(different, kMaxDifferentPixels) << "see " << diffName.toStdString();
}

} // namespace

TEST(GoldenPage, FullHeaderPageOne)
{
    compareWithGolden(test::dataPath("fullheader.bhc"), "fullheader-page1");
}

// The sample log: every column and all five graphs.
TEST(GoldenPage, SampleLogPageOne)
{
    compareWithGolden(std::string(QC_SOURCE_DIR) + "/examples/sample.bhc", "sample-page1");
}

// The same log with the compact header and the values beside the graph symbols.
TEST(GoldenPage, SampleLogCompactHeader)
{
    compareWithGolden(test::dataPath("sample-compact.bhc"), "sample-compact-page1");
}

// Every column shown, with the compact header and elevations in the samples column.
TEST(GoldenPage, CompactHeaderPageOne)
{
    compareWithGolden(test::dataPath("compact.bhc"), "compact-page1");
}
