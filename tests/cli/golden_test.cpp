// Page 1 of the fixture log, exported at 150 dpi, against its golden picture.
// After an intended change of the drawing, tools/regen-golden.sh draws it again.

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

} // namespace

TEST(GoldenPage, FullHeaderPageOne)
{
    test::TempDir dir;
    std::ostringstream out, err;
    ASSERT_EQ(runCli({"export", test::dataPath("fullheader.bhc"), "-o", dir.file("page.png"), "--dpi", "150",
                      "--pages", "1", "--install-dir", std::string(QC_SOURCE_DIR) + "/data/install"},
                     out, err),
              0)
        << err.str();
    const QImage actual =
        QImage(QString::fromStdString(dir.file("page-1.png"))).convertToFormat(QImage::Format_RGB32);
    const QImage golden = QImage(QString::fromStdString(test::dataPath("golden/fullheader-page1.png")))
                              .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(golden.isNull());
    ASSERT_EQ(actual.size(), golden.size());

    QImage diff(actual.size(), QImage::Format_RGB32);
    diff.fill(Qt::white);
    long different = 0;
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* g = reinterpret_cast<const QRgb*>(golden.constScanLine(y));
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
    if (different > kMaxDifferentPixels) {
        // Differences in red over the golden page in grey, beside the build's tests.
        diff.save(QStringLiteral("golden-diff-fullheader-page1.png"));
        actual.save(QStringLiteral("golden-actual-fullheader-page1.png"));
    }
    EXPECT_LE(different, kMaxDifferentPixels) << "see golden-diff-fullheader-page1.png";
}
