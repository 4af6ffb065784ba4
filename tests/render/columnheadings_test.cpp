// The column-heading band through the recording device: its lines in the full
// and compact header, the titles of the columns, the samples sub-columns with
// their elevation variant, and the grain-size names and legend bar.

#include "render/detail/columnheadings.h"

#include "columnpass.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace qc;
using namespace qc::test;

namespace {

struct Band : ColumnPass
{
    void draw()
    {
        header();
        drawColumnHeadings(*pass, h(), w(), 0);
    }
    double line(double k) const { return headingLineY(pass->geo.headingBandTop, k); }

    // The centred single-line text, its rectangle as given in page coordinates.
    bool centred(const std::string& text, double x1, double x2, double y1, double y2) const
    {
        const DevRect r{px(x1) + 1, py(y1) + 1, px(x2) - 1, py(y2) - 1};
        for (const Call& c : dev.ofKind(Op::TextInRect))
            if (c.text == text && c.rect == r.normalised()) return true;
        return false;
    }
    bool onLine(const char* text, double x1, double x2, double k) const
    {
        return centred(sj(text), x1, x2, line(k), line(k));
    }
    // Device y of a reference point computed by a stacked text: within a unit of y.
    ::testing::AssertionResult nearY(int actual, double y) const
    {
        if (std::abs(actual - py(y)) <= 1) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << actual << " is not " << py(y);
    }
    // Characters drawn one by one (stacked or spread) whose reference x lies in x1..x2.
    std::vector<Call> charsIn(double x1, double x2) const
    {
        std::vector<Call> out;
        for (const Call& c : dev.texts())
            if (c.points[0].x >= px(x1) && c.points[0].x < px(x2)) out.push_back(c);
        return out;
    }
};

} // namespace

TEST(ColumnHeadings, BandLinesInBothHeaderModes)
{
    for (const bool compact : {false, true}) {
        Band b;
        b.doc.HeaderTable(47) = compact ? "1" : "0";
        b.draw();
        // The band is measured from the full header's base while it is drawn: the compact
        // band ends 3.65 cm above it, where the compact body starts (7.85 cm below the margin).
        const double top = compact ? -7.8 : -4.15, bottom = compact ? -3.65 : 0;
        EXPECT_NEAR(b.line(0), top, 1e-12);
        EXPECT_NEAR(b.line(11), bottom, 1e-12);
        EXPECT_NEAR(b.line(1) - b.line(0), 4.15 / 11, 1e-12);
        const double x0 = b.X(0), x24 = b.X(24);
        // Frame in the frame width, the bottom line in the rule width.
        for (const Call& c : b.lines()) {
            const bool frame = (c.points[0] == DevPoint{b.px(x0), b.py(top)} &&
                                c.points[1] == DevPoint{b.px(x24), b.py(top)}) ||
                               (c.points[0].x == b.px(x0) && c.points[1].x == b.px(x0));
            if (frame) {
                EXPECT_EQ(c.pen.width, 2) << compact;
            }
        }
        EXPECT_TRUE(b.hasLine(x0, top, x24, top));
        EXPECT_TRUE(b.hasLine(x0, bottom, x24, bottom));
        EXPECT_TRUE(b.hasLine(x0, top, x0, bottom));
        EXPECT_TRUE(b.hasLine(x24, top, x24, bottom));
        for (int i : {1, 2, 3, 4, 5, 6, 7, 10, 11, 15, 20, 23})
            EXPECT_TRUE(b.hasLine(b.X(i), top, b.X(i), bottom)) << i;
        // The samples sub-column rules start below the samples title.
        const double split = 0.4 * b.line(2) + 0.6 * b.line(3);
        EXPECT_TRUE(b.hasLine(b.X(13) + 7.4, split, b.X(13) + 7.4, bottom));
        EXPECT_TRUE(b.hasLine(b.X(13) + 14.0, split, b.X(13) + 14.0, bottom));
        EXPECT_TRUE(b.hasLine(b.X(13), split, b.X(14), split));
    }
}

TEST(ColumnHeadings, FixedColumnTitles)
{
    Band b;
    b.draw();
    struct Title
    {
        int left;
        const char *upper, *lower;
    } titles[] = {{0, "標", "尺"}, {1, "標", "高"}, {2, "層", "厚"}, {3, "深", "度"}};
    for (const Title& t : titles) {
        const double x1 = b.X(t.left), x2 = b.X(t.left + 1);
        EXPECT_TRUE(b.onLine(t.upper, x1, x2, 1)) << t.left;
        EXPECT_TRUE(b.centred(sj(t.lower), x1, x2, b.line(5), b.line(6))) << t.left;
        EXPECT_TRUE(b.onLine("(m)", x1, x2, 10)) << t.left;
    }
    EXPECT_TRUE(b.onLine("色", b.X(6), b.X(7), 1));
    EXPECT_TRUE(b.onLine("調", b.X(6), b.X(7), 10));
    EXPECT_TRUE(b.onLine("記", b.X(9), b.X(10), 1));
    EXPECT_TRUE(b.onLine("事", b.X(9), b.X(10), 10));
    // The soil-name title stacked in the pattern column above "模様", and over the name column.
    const auto pattern = b.charsIn(b.X(4), b.X(5));
    ASSERT_EQ(pattern.size(), 7u);
    EXPECT_EQ(pattern[0].text, sj("現"));
    EXPECT_TRUE(b.nearY(pattern[0].points[0].y, b.line(1) - b.h() / 2));
    EXPECT_EQ(pattern[4].text, sj("名"));
    EXPECT_TRUE(b.nearY(pattern[4].points[0].y, b.line(7) + b.h() / 2 - b.h()));
    EXPECT_EQ(pattern[5].text, sj("模"));
    EXPECT_TRUE(b.nearY(pattern[5].points[0].y, b.line(8) + b.h() / 3));
    const auto name = b.charsIn(b.X(5), b.X(6));
    ASSERT_EQ(name.size(), 5u);
    EXPECT_TRUE(b.nearY(name[4].points[0].y, b.line(10) + b.h() / 2 - b.h()));
}

TEST(ColumnHeadings, OptionalColumnTitles)
{
    Band b;
    b.draw();
    // Water level: one character per line, the unit in place of the full-width blank.
    const auto water = b.charsIn(b.X(12), b.X(13));
    ASSERT_EQ(water.size(), 10u);
    EXPECT_TRUE(b.nearY(water[0].points[0].y, b.line(1) - b.h() / 2));
    EXPECT_EQ(water[3].text, sj("位"));
    EXPECT_TRUE(b.nearY(water[3].points[0].y, b.line(4) - b.h() / 2));
    EXPECT_TRUE(b.centred("(m)", b.X(12), b.X(13), b.line(5), b.line(5)));
    EXPECT_EQ(b.charsIn(b.X(10), b.X(11)).size(), 7u); // "地層・岩体区分"
    EXPECT_EQ(b.charsIn(b.X(11), b.X(12)).size(), 2u); // "空欄"
    EXPECT_EQ(b.charsIn(b.X(20), b.X(21)).size(), 3u); // "保孔管"
    EXPECT_EQ(b.charsIn(b.X(23), b.X(24)).size(), 4u); // "削孔月日"

    // Hidden columns have no titles (their edges coincide with their neighbours').
    Band hidden;
    for (int r : {2, 3, 4, 5, 6, 7, 13, 16}) hidden.doc.DisplayItemTable(r, 1) = "0";
    hidden.draw();
    for (const char* t : {"記", "事", "試料採取", "粒度組成", "(m)"}) {
        int n = 0;
        for (const Call& c : hidden.dev.ofKind(Op::TextInRect))
            if (c.text == sj(t)) ++n;
        EXPECT_EQ(n, std::string(t) == "(m)" ? 4 : 0) << t;
    }
    EXPECT_TRUE(hidden.charsIn(hidden.X(9), hidden.X(24) + 1).empty());
}

TEST(ColumnHeadings, SampleHeadingShowsDepthsOrElevations)
{
    for (const bool elevations : {false, true}) {
        Band b;
        b.doc.HeaderTable(36) = elevations ? "1" : "";
        b.draw();
        const double x1 = b.X(13), x2 = b.X(13) + 7.4;
        EXPECT_TRUE(b.centred(sj("試料採取"), x1, b.X(14), b.line(1), b.line(2)));
        EXPECT_TRUE(b.onLine(elevations ? "標" : "深", x1, x2, 4)) << elevations;
        EXPECT_TRUE(b.onLine(elevations ? "高" : "度", x1, x2, 7)) << elevations;
        EXPECT_FALSE(b.onLine(elevations ? "深" : "標", x1, x2, 4)) << elevations;
        EXPECT_TRUE(b.onLine("(m)", x1, x2, 10));
        const auto number = b.charsIn(x2, b.X(13) + 14.0);
        ASSERT_EQ(number.size(), 4u);
        EXPECT_EQ(number[0].text, sj("試"));
        EXPECT_TRUE(b.nearY(number[0].points[0].y, b.line(4) - b.h() / 2));
        EXPECT_EQ(b.charsIn(b.X(13) + 14.0, b.X(14)).size(), 4u);
    }
}

TEST(ColumnHeadings, GrainSizeNamesAndLegend)
{
    struct Case
    {
        const char* width;
        bool spread;
    } cases[] = {{"24.0", false}, {"25.8", false}, {"26.0", true}, {"30.0", true}};
    for (const Case& c : cases) {
        Band b;
        b.doc.DisplayItemTable(7, 2) = c.width;
        b.draw();
        const double x1 = b.X(14), x2 = b.X(15), q = (x2 - x1) / 4;
        EXPECT_TRUE(b.centred(sj("粒度組成"), x1, x2, b.line(1), b.line(2)));
        EXPECT_TRUE(b.hasLine(x1, b.line(5), x2, b.line(5)));
        EXPECT_TRUE(b.hasLine(x1, b.line(7), x2, b.line(7)));
        // "砂" and "礫" are single characters, centred in their quarter.
        EXPECT_TRUE(b.centred(sj("砂"), x1 + 2 * q, x1 + 3 * q, b.line(5), b.line(7)));
        EXPECT_TRUE(b.centred(sj("礫"), x1 + 3 * q, x2, b.line(5), b.line(7)));
        const auto silt = b.charsIn(x1 + q, x1 + 2 * q);
        ASSERT_EQ(silt.size(), 3u) << c.width;
        if (c.spread) {
            EXPECT_EQ(silt[0].points[0].y, silt[2].points[0].y) << c.width;
            EXPECT_LT(silt[0].points[0].x, silt[2].points[0].x) << c.width;
        } else {
            EXPECT_EQ(silt[0].points[0].x, silt[2].points[0].x) << c.width;
            EXPECT_LT(silt[0].points[0].y, silt[2].points[0].y) << c.width;
        }
        // The legend: four quarters below line 7, each with its own hatch.
        int outlines = 0;
        for (const Call& k : b.dev.ofKind(Op::Polyline))
            if (k.points.size() == 5) {
                ++outlines;
                EXPECT_GT(k.bounds.top, b.py(b.line(7)));
                EXPECT_LT(k.bounds.bottom, b.py(b.line(11)));
            }
        EXPECT_EQ(outlines, 4);
        EXPECT_FALSE(b.dev.ofKind(Op::Arc).empty()); // the gravel quarter
    }

    // Narrower than 1 mm: no title at all.
    Band narrow;
    narrow.doc.DisplayItemTable(7, 2) = "0.9";
    narrow.draw();
    EXPECT_FALSE(narrow.centred(sj("粒度組成"), narrow.X(14), narrow.X(15), narrow.line(1), narrow.line(2)));
}
