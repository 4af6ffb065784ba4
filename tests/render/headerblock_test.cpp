// The header block: date and coordinate texts, role labels, the three diagrams
// with their needles, the table and the compact header.

#include "app/settings.h"
#include "app/viewstate.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/recordingdevice.h"
#include "render/detail/primitives.h"
#include "render/headerblock.h"
#include "render/logpage.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qc;
using qc::test::sj;
using Call = RecordingDevice::Call;
using Op = RecordingDevice::Op;

namespace {

double row(int i)
{
    return -8.48 + 0.78 * i;
}

// A pass in its header phase at 600 dpi and 1/100, with the heading font selected.
struct Header
{
    Document doc;
    Settings settings = builtinSettings();
    FontSettings fonts = builtinFonts();
    ViewState view;
    RenderContext ctx{doc, settings, fonts, view, nullptr};
    RecordingDevice dev{600, 600};
    LogPass pass{ctx, dev};
    TextSize size;

    Header()
    {
        pass.geo.setUp(600, 600, 5, 5, 100, 100);
        pass.geo.enterHeaderPhase(false, 100);
        size = pass.selectRole(FontSettings::Heading);
        dev.clear();
    }
    int X(double x) const { return pass.geo.PageX(x); }
    int Y(double y) const { return pass.geo.PageY(y); }
    std::vector<Call> texts(const std::string& utf8) const { return dev.textsEqual(sj(utf8)); }
};

} // namespace

TEST(HeaderTexts, FormatDate)
{
    struct Case
    {
        const char *era, *year, *month, *day, *expected;
    };
    const Case cases[] = {
        {"平成", "0", "4", "", "平成元年4月日"},
        {"平成", "元", "4", "1", "平成元年4月1日"},
        {"令和", "5", "12", "31", "令和5年12月31日"},
        {"", "2023", "04", "01", "2023年4月1日"},
        {"", "", "", "", "  年月日"}, // an empty year keeps its two-blank gap
        {"平成", "", "", "", "平成  年月日"},
        {"昭和", "R", "ab", "x", "昭和 R年ab月 x日"}, // two bytes, padded like "%2.2s"
        {"", "ABC", "4", "1", "AB年4月1日"},          // only the first two bytes
        {"", "a元", "4", "1", "a 年4月1日"},          // a two-byte character is never cut in half
    };
    for (const Case& c : cases)
        EXPECT_EQ(test::u8(formatDate(sj(c.era), sj(c.year), sj(c.month), sj(c.day))), c.expected)
            << c.expected;
}

TEST(HeaderTexts, CoordinatesAndMetres)
{
    EXPECT_EQ(test::u8(coordinateText("35", "41", "22.5")), " 35ﾟ41'22.5\"");
    EXPECT_EQ(test::u8(coordinateText("139", "45", "30.0")), "139ﾟ45'30.0\"");
    EXPECT_EQ(test::u8(coordinateText("", "41", "22.5")), "　　゜　’　”");
    EXPECT_EQ(metresText("12.3"), " 12.30m");
    EXPECT_EQ(metresText("-1"), " -1.00m");
    EXPECT_EQ(metresText("T.P."), "");
    EXPECT_EQ(metresText(""), "");
}

TEST(HeaderTexts, RoleLabelLines)
{
    struct Case
    {
        const char* role;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"主任技師", {"主任技師"}},
        {"現　場代理人", {"現", "場代理人"}},
        {"コ　ア鑑定者", {"コ", "ア鑑定者"}},
        {"ボーリング責任者", {"ボーリン", "グ責任者"}},
        {"主任技術者", {"主任", "技術者"}},
        {"現場代理人", {"現場", "代理人"}},
        {"品質管理担当者", {"品質管", "理担当者"}}, // no suffix: n / 2 characters, then the rest
        {"ABCDE", {"AB", "CDE"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> got;
        for (const std::string& l : roleLabelLines(sj(c.role))) got.push_back(test::u8(l));
        EXPECT_EQ(got, c.lines) << c.role;
    }
}

TEST(HeaderBlock, RoleLabelInOneOrTwoLines)
{
    Header h;
    drawRoleLabel(h.pass, 87.2, 100.8, -6.92, -6.14, h.size.w, h.size.h, sj("現　場代理人"));
    const auto upper = h.texts("現");
    ASSERT_EQ(upper.size(), 1u);
    EXPECT_EQ(upper[0].points[0], (DevPoint{h.X(87.2), h.Y((-6.92 - 6.53 - h.size.h) / 2)}));
    const auto lower = h.texts("場");
    ASSERT_EQ(lower.size(), 1u);
    EXPECT_EQ(lower[0].points[0].y, h.Y((-6.53 - 6.14 - h.size.h) / 2));
    // "場代理人" spread across the cell: its last character ends at the right edge.
    const auto last = h.texts("人");
    ASSERT_EQ(last.size(), 1u);
    EXPECT_NEAR(last[0].points[0].x, h.X(100.8 - h.size.w), 1);

    Header one;
    drawRoleLabel(one.pass, 87.2, 100.8, -6.92, -6.14, one.size.w, one.size.h, sj("主任技師"));
    const auto t = one.dev.texts();
    ASSERT_EQ(t.size(), 4u);
    for (const Call& c : t) EXPECT_EQ(c.points[0].y, one.Y((-6.92 - 6.14 - one.size.h) / 2));
}

TEST(HeaderBlock, DiagramNeedles)
{
    struct Case
    {
        const char* name;
        int kind; // 0 angle, 1 direction, 2 slope
        const char* value;
        bool drawn;
        double phi; // degrees
    };
    const Case cases[] = {
        {"angle 0 points down", 0, "0", true, -90},
        {"angle 90 points right", 0, "90", true, 0},
        {"angle 180.1 still draws", 0, "180.1", true, 90.1},
        {"angle 180.2 does not", 0, "180.2", false, 0},
        {"direction north points up", 1, "0", true, 450},
        {"direction 45 upper right", 1, "45", true, 405},
        {"direction 360.1 still draws", 1, "360.1", true, 89.9},
        {"direction 360.2 does not", 1, "360.2", false, 0},
        {"direction -0.2 does not", 1, "-0.2", false, 0},
        {"slope 0 points right", 2, "0", true, 360},
        {"slope 90 points down", 2, "90", true, 270},
        {"not a number", 2, "ab", false, 0},
        {"empty", 0, "", false, 0},
    };
    for (const Case& c : cases) {
        Header h;
        const double x = c.kind == 0 ? 55 : c.kind == 1 ? 79 : 108;
        const double y = -6.14;
        if (c.kind == 0) drawAngleDiagram(h.pass, x, y, c.value);
        if (c.kind == 1) drawDirectionDiagram(h.pass, x, y, c.value);
        if (c.kind == 2) drawSlopeDiagram(h.pass, x, y, c.value);
        const auto heads = h.dev.ofKind(Op::Polygon);
        ASSERT_EQ(heads.size(), c.drawn ? 1u : 0u) << c.name;
        // The value label comes on top of the fixed labels (one of which may read the same).
        Header bare;
        if (c.kind == 0) drawAngleDiagram(bare.pass, x, y, "");
        if (c.kind == 1) drawDirectionDiagram(bare.pass, x, y, "");
        if (c.kind == 2) drawSlopeDiagram(bare.pass, x, y, "");
        const std::string label = std::string(c.value).substr(0, 3) + sj("ﾟ");
        EXPECT_EQ(h.dev.textsEqual(label).size() - bare.dev.textsEqual(label).size(), c.drawn ? 1u : 0u)
            << c.name;
        if (!c.drawn) continue;
        const double ox = c.kind == 0 ? x : c.kind == 1 ? x + 10.46 : x + 4.92;
        const double oy = c.kind == 0 ? y : y + 0.277;
        const double px = ox + 0.78, py = oy + 0.462;
        const double r = DegreesToRadians(c.phi);
        const double ex = px + 4.62 * std::cos(r), ey = py - 0.462 * std::sin(r);
        EXPECT_EQ(heads[0].points[0], (DevPoint{h.X(ex), h.Y(ey)})) << c.name;
        EXPECT_EQ(heads[0].brush, Brush::solidColour(0)) << c.name;
        EXPECT_EQ(heads[0].points[1],
                  (DevPoint{h.X(ex + 2 * std::cos(r + 2.827431)), h.Y(ey - 0.2 * std::sin(r + 2.827431))}))
            << c.name;
        // The needle from P to the tip, in the rule width.
        bool needle = false;
        for (const Call& l : h.dev.lines())
            needle |= l.points == std::vector<DevPoint>{{h.X(px), h.Y(py)}, {h.X(ex), h.Y(ey)}};
        EXPECT_TRUE(needle) << c.name;
    }
}

TEST(HeaderBlock, DiagramDirectionsOnThePage)
{
    // Direction 45 towards the upper right; slope 90 straight down; angle 90 straight right.
    Header d;
    drawDirectionDiagram(d.pass, 79, -6.14, "45");
    const DevPoint tip = d.dev.ofKind(Op::Polygon)[0].points[0];
    const DevPoint centre{d.X(79 + 10.46 + 0.78), d.Y(-6.14 + 0.277 + 0.462)};
    EXPECT_GT(tip.x, centre.x);
    EXPECT_LT(tip.y, centre.y);

    Header s;
    drawSlopeDiagram(s.pass, 108, -6.14, "90");
    const DevPoint stip = s.dev.ofKind(Op::Polygon)[0].points[0];
    EXPECT_NEAR(stip.x, s.X(108 + 4.92 + 0.78), 1);
    EXPECT_GT(stip.y, s.Y(-6.14 + 0.277 + 0.462));

    // The angle's half circle: from the downward ray, through the right side, to the upward ray.
    Header a;
    drawAngleDiagram(a.pass, 55, -6.14, "");
    const auto arcs = a.dev.ofKind(Op::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    const int cx = a.X(55 + 0.78), cy = a.Y(-6.14 + 0.462);
    EXPECT_EQ(arcs[0].points[0].x, cx);
    EXPECT_GT(arcs[0].points[0].y, cy);
    EXPECT_EQ(arcs[0].points[1].x, cx);
    EXPECT_LT(arcs[0].points[1].y, cy);
    const int r = static_cast<int>(0.4 * a.pass.geo.unitsPerMetre);
    EXPECT_EQ(arcs[0].rect, (DevRect{cx - r, cy - r, cx + r, cy + r}));
    // The labels are written with the capital letter O and the half-width degree mark.
    EXPECT_EQ(a.texts("Oﾟ").size(), 1u);
    EXPECT_EQ(a.texts("180ﾟ").size(), 1u);
}

// With the window's option the sheet number follows the printed pages: page n of N
// in place of the stored text, also when none is stored.
TEST(HeaderBlock, SheetNumberFollowsThePagesWhenAsked)
{
    struct Case
    {
        bool fromPages;
        const char* stored;
        int page;
        const char* expected; // nothing drawn when empty
    };
    const Case cases[] = {
        {false, "2/3", 4, "シート№ 2/3"}, {false, "", 4, ""},
        {true, "2/3", 4, "シート№ 4/5"},  {true, "", 1, "シート№ 1/5"},
        {true, "A", 5, "シート№ 5/5"},
    };
    for (const Case& c : cases) {
        Header h;
        for (int r = 1; r <= 45; ++r) h.doc.GeologyTable(r, GeologyCol::Depth) = std::to_string(r) + ".00";
        h.view.depthPerPage = 10;
        h.view.pageOverlap = 0;
        h.view.currentPage = c.page;
        h.view.sheetNumbersFromPages = c.fromPages;
        h.doc.HeaderTable(HeaderEntry::SheetNumber) = c.stored;
        drawHeaderBlock(h.pass, h.size.h, h.size.w);
        std::vector<Call> sheets;
        for (const Call& t : h.dev.texts())
            if (t.text.rfind(sj("シート№"), 0) == 0) sheets.push_back(t);
        if (!*c.expected) {
            EXPECT_TRUE(sheets.empty()) << c.stored;
            continue;
        }
        ASSERT_EQ(sheets.size(), 1u) << c.expected;
        EXPECT_EQ(sheets[0].text, sj(c.expected));
        EXPECT_EQ(sheets[0].points[0], (DevPoint{h.X(223.0), h.Y(-9.0)}));
    }
}

TEST(HeaderBlock, TableRulesLabelsAndValues)
{
    Header h;
    auto& H = h.doc.HeaderTable;
    H(HeaderEntry::BoringName) = "B-7";
    H(HeaderEntry::SheetNumber) = "2/3";
    H(HeaderEntry::Elevation) = "8.5";
    H(HeaderEntry::DatumKind) = "T.P.";
    H(HeaderEntry::Company) = sj("株式会社");
    H(HeaderEntry::Telephone) = "TEL 0";
    H(HeaderEntry::LatitudeDeg) = "35";
    H(HeaderEntry::LatitudeMin) = "1";
    H(HeaderEntry::LatitudeSec) = "2";
    drawHeaderBlock(h.pass, h.size.h, h.size.w);

    // Frame: four lines in the frame width, on rows 0 and 5 and at x 5 and 274.
    std::vector<Call> frame;
    for (const Call& l : h.dev.lines())
        if (l.pen.width == 2) frame.push_back(l);
    ASSERT_EQ(frame.size(), 4u);
    EXPECT_EQ(frame[0].points, (std::vector<DevPoint>{{h.X(5), h.Y(row(0))}, {h.X(274), h.Y(row(0))}}));
    EXPECT_EQ(frame[3].points, (std::vector<DevPoint>{{h.X(274), h.Y(row(0))}, {h.X(274), h.Y(row(5))}}));
    // 3 full rules + 2 halves of row 4 + 20 vertical pieces, and two axes in each diagram.
    size_t rules = 0;
    for (const Call& l : h.dev.lines()) rules += l.pen.width == 1;
    EXPECT_EQ(rules, 25u + 6u);

    auto sheet = h.texts("シート№ 2/3");
    ASSERT_EQ(sheet.size(), 1u);
    EXPECT_EQ(sheet[0].points[0], (DevPoint{h.X(223.0), h.Y(-9.0)}));

    auto boring = h.texts("B-7");
    ASSERT_EQ(boring.size(), 1u);
    EXPECT_EQ(boring[0].points[0], (DevPoint{h.X(32.2), h.Y((row(0) + row(1) - h.size.h) / 2)}));
    // The label spread over 6.2 to 29.8 mm: its first character at 6.2.
    auto bo = h.texts("ボ");
    ASSERT_FALSE(bo.empty());
    EXPECT_EQ(bo[0].points[0].x, h.X(6.2));

    auto elevation = h.texts("  8.50m");
    ASSERT_EQ(elevation.size(), 1u);
    const double y3 = row(3), y4 = row(4);
    EXPECT_EQ(elevation[0].points[0], (DevPoint{h.X(32.2), h.Y(((y3 + y4) / 2 + y4 - h.size.h) / 2)}));
    auto kind = h.texts("T.P.");
    ASSERT_EQ(kind.size(), 1u);
    EXPECT_EQ(kind[0].points[0], (DevPoint{h.X(35.0), h.Y((y3 + (y3 + y4) / 2 - h.size.h) / 2)}));

    auto company = h.texts("株式会社");
    ASSERT_EQ(company.size(), 1u);
    EXPECT_EQ(company[0].points[0], (DevPoint{h.X(32.0 + 0.5), h.Y(row(2) + 0.05 * (row(3) - row(2)))}));
    EXPECT_EQ(h.texts("TEL 0")[0].points[0],
              (DevPoint{h.X(32.0 + 0.5), h.Y(row(2) + 0.55 * (row(3) - row(2)))}));

    EXPECT_EQ(h.texts(" 35ﾟ1'2\"").size(), 1u);
    EXPECT_EQ(h.texts("　　゜　’　”").size(), 1u);       // longitude left empty
    EXPECT_EQ(h.texts("  年月日～  年月日").size(), 1u); // empty years keep their gaps
    // Stacked labels: four characters from y3 + 0.1.
    auto ground = h.texts("地");
    ASSERT_EQ(ground.size(), 1u);
    EXPECT_EQ(ground[0].points[0].y, h.Y(y3 + 0.1));
}

TEST(HeaderBlock, CompactHeader)
{
    Header h;
    auto& H = h.doc.HeaderTable;
    H(HeaderEntry::BoringName) = "B-2";
    H(HeaderEntry::Location) = sj("千代田区");
    H(HeaderEntry::DatumKind) = "T.P.";
    H(HeaderEntry::Elevation) = "3.456";
    h.dev.setTextAlign(AlignLeftBottom);
    drawCompactHeader(h.pass, -8.8, h.size.h, h.size.w);

    auto line1 = h.texts("ボーリング名  B-2");
    ASSERT_EQ(line1.size(), 1u);
    EXPECT_EQ(line1[0].points[0], (DevPoint{h.X(28.0), h.Y(-8.8)}));
    EXPECT_EQ(line1[0].align, AlignLeftBottom);
    auto place = h.texts("調査位置  千代田区");
    ASSERT_EQ(place.size(), 1u);
    EXPECT_EQ(place[0].points[0], (DevPoint{h.X(124.0), h.Y(-8.8)}));

    // The elevation label spread as wide as "ボーリング名", its bottom on line 2.
    const double labelWidth =
        h.pass.geo.deviceToPageMm(RecordingDevice::extentOf(sj("ボーリング名"), h.dev.font()));
    auto ko = h.texts("孔");
    ASSERT_EQ(ko.size(), 1u);
    const double line2 = -8.8 + 0.6;
    EXPECT_EQ(ko[0].points[0], (DevPoint{h.X(28.0), h.Y(((line2 - h.size.h / 2) * 2 - h.size.h) / 2)}));
    EXPECT_EQ(ko[0].align, AlignLeftTop);
    auto value = h.texts("　T.P. 3.46m");
    ASSERT_EQ(value.size(), 1u);
    EXPECT_EQ(value[0].points[0], (DevPoint{h.X(28.0 + labelWidth), h.Y(line2)}));
    EXPECT_EQ(value[0].align, AlignLeftBottom);
    EXPECT_EQ(h.texts("調査期間    年月日～  年月日").size(), 1u);

    Header none;
    none.dev.setTextAlign(AlignLeftBottom);
    drawCompactHeader(none.pass, -8.8, none.size.h, none.size.w);
    EXPECT_EQ(none.texts("　 m").size(), 1u);
}

TEST(HeaderBlock, DefaultRoleTitles)
{
    Document doc;
    EXPECT_TRUE(applyDefaultRoleTitles(doc));
    EXPECT_EQ(test::u8(doc.HeaderTable(HeaderEntry::Role2)), "現　場代理人");
    EXPECT_EQ(test::u8(doc.HeaderTable(HeaderEntry::Role4)), "ボーリング責任者");
    Document kept;
    kept.HeaderTable(HeaderEntry::Role3) = "x";
    EXPECT_FALSE(applyDefaultRoleTitles(kept));
    EXPECT_TRUE(kept.HeaderTable(HeaderEntry::Role1).empty());
}
