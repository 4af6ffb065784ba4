// The geology columns through the recording device: elevation figures, label
// alignment, merging of rows that draw nothing, text boxes lengthened below
// thin layers with their slanted underlines, pattern-column boundaries and
// the layer top carried over rows above the page.

#include "document/positions.h"
#include "render/detail/geologycolumn.h"

#include "columnpass.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qc;
using namespace qc::test;

namespace {

// Attribute bits.
constexpr int kDepthLine = 1, kNameLine = 2, kPatternLine = 4, kToneLine = 32, kFigures = 64, kName = 128,
              kAux = 256;

struct Geology : ColumnPass
{
    // A layer: bottom depth, attribute bits, name, vector pattern (column 12).
    void layer(int r, const char* depth, int bits, const std::string& name = "", const char* pattern = "")
    {
        doc.GeologyTable(r, GeologyCol::Depth) = depth;
        doc.GeologyTable(r, GeologyCol::Attributes) = std::to_string(bits);
        doc.GeologyTable(r, GeologyCol::Name) = name;
        doc.GeologyTable(r, GeologyCol::VectorName) = pattern;
    }

    void draw(double top = 0, double h = 0.3)
    {
        body(top);
        drawGeologyColumns(*pass, h, top, pass->groundElevation, pass->boreholeAngle);
    }

    // Height in metres of a text word-wrapped in the column x1..x2, by the recording device's metrics.
    double wrapped(const std::string& text, double x1, double x2) const
    {
        const int width = (px(x2) - 1) - (px(x1) + 1);
        const auto lines = RecordingDevice::layoutLines(text, width, TextFormat::WordBreak, dev.font());
        return pass->geo.deviceToYUnits(static_cast<double>(lines.size()) * kFontHeight);
    }

    // The figure texts at a column's centre.
    std::vector<Call> figuresAt(double x) const
    {
        std::vector<Call> out;
        for (const Call& c : dev.texts())
            if (c.points[0].x == px(x)) out.push_back(c);
        return out;
    }
};

} // namespace

TEST(ElevationText, FiguresOfTheBoundary)
{
    struct Case
    {
        const char* name;
        double elevation, angle, depth;
        std::optional<std::string> expected;
    } cases[] = {
        {"vertical hole", 12.30, 0, 3.50, "   8.80"},
        {"inclined 30 degrees", 12.30, 30, 2.00, "  10.57"},
        {"just below zero is zero", 2.00, 0, 2.003, "   0.00"},
        {"just above zero", 2.00, 0, 1.997, "   0.00"},
        {"below sea level", 1.00, 0, 3.25, "  -2.25"},
        {"no elevation", -999.99, 0, 1.0, std::nullopt},
        {"the limit itself", -999.9, 0, 1.0, std::nullopt},
        {"just above the limit", -999.8, 0, 0.0, "-999.80"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(elevationText(c.depth, c.elevation, c.angle, "%7.2f"), c.expected) << c.name;
}

TEST(ElevationText, DepthColumnsShowDepthsUnlessElevationsAreChosen)
{
    Document doc;
    EXPECT_EQ(elevationText(doc, 1.5, 10.0, 0, "%5.2f", 0), " 1.50");
    EXPECT_EQ(elevationText(doc, 1.5, 10.0, 0, "%5.2f", 1), " 8.50");
    EXPECT_EQ(elevationText(doc, 1.5, -999.99, 0, "%5.2f", 1), std::nullopt);
    doc.HeaderTable(HeaderEntry::ShowElevation) = "1";
    EXPECT_EQ(elevationText(doc, 1.5, 10.0, 0, "%5.2f", 0), " 8.50");
    EXPECT_EQ(elevationText(doc, 1.5, -999.99, 0, "%5.2f", 0), std::nullopt);
}

TEST(GeologyNameText, NameAuxiliaryNameAndSymbol)
{
    Document doc;
    auto& G = doc.GeologyTable;
    G(1, GeologyCol::Name) = sj("砂");
    G(1, GeologyCol::AuxName) = sj("シルト");
    G(1, GeologyCol::Symbol) = "S";
    G(1, GeologyCol::Prefix) = sj("・");
    G(1, GeologyCol::Suffix) = sj("互層");
    struct Case
    {
        int bits, option;
        const char* expected;
    } cases[] = {
        {kName, 0, "砂"}, {kName, 1, "砂 (S)"},      {kName, 2, "砂 S"},
        {kName, 3, "砂"}, {kAux, 1, "・シルト互層"}, {kName | kAux, 1, "砂・シルト互層 (S)"},
        {0, 1, ""},
    };
    for (const Case& c : cases) {
        G(1, GeologyCol::Attributes) = std::to_string(c.bits);
        EXPECT_EQ(u8(geologyNameText(doc, 1, c.option)), c.expected) << c.bits << " " << c.option;
    }
    // An empty auxiliary name brings no prefix or suffix.
    G(1, GeologyCol::AuxName).clear();
    G(1, GeologyCol::Attributes) = std::to_string(kName | kAux);
    EXPECT_EQ(u8(geologyNameText(doc, 1, 0)), "砂");
}

TEST(GeologyColumns, FiguresAtTheBoundary)
{
    Geology g;
    g.doc.HeaderTable(HeaderEntry::Elevation) = "12.30";
    g.layer(1, "3.50", kDepthLine | kFigures | kName, sj("砂"), "400.0");
    g.draw();
    // "%7.2f" is wider than the column: its digits alone are centred, never over the thickness.
    const Call elevation = g.figuresAt((g.X(1) + g.X(2)) / 2).at(0);
    EXPECT_EQ(elevation.text, "8.80");
    EXPECT_EQ(elevation.points[0].y, g.py(3.50));
    EXPECT_EQ(elevation.align, AlignCentreBottom);
    EXPECT_EQ(g.figuresAt((g.X(2) + g.X(3)) / 2).at(0).text, "3.50");
    EXPECT_EQ(g.figuresAt((g.X(3) + g.X(4)) / 2).at(0).text, " 3.50");
    EXPECT_TRUE(g.hasLine(g.X(1), 3.50, g.X(4), 3.50));
    // The figures are drawn inside the page's clip.
    ASSERT_TRUE(elevation.clip.has_value());
    EXPECT_EQ(elevation.clip->top, g.py(0));
    EXPECT_EQ(elevation.clip->bottom, g.py(20));
}

TEST(GeologyColumns, MissingElevationSuppressesOnlyTheElevationFigure)
{
    Geology g;
    g.doc.HeaderTable(HeaderEntry::Elevation) = sj("不明");
    g.layer(1, "2.00", kFigures | kName, sj("砂"));
    g.draw();
    EXPECT_TRUE(g.figuresAt((g.X(1) + g.X(2)) / 2).empty());
    EXPECT_EQ(g.figuresAt((g.X(2) + g.X(3)) / 2).size(), 1u);
    EXPECT_EQ(g.figuresAt((g.X(3) + g.X(4)) / 2).size(), 1u);
}

TEST(GeologyColumns, CloseBoundariesMoveTheirFiguresToTheLabelDepth)
{
    Geology g;
    g.layer(1, "2.00", kFigures, "", "600.0");
    g.layer(2, "2.05", kFigures, "", "600.0");
    g.layer(3, "4.00", kFigures, "", "600.0");
    g.draw(0, 0.3);
    const auto depths = g.figuresAt((g.X(3) + g.X(4)) / 2);
    ASSERT_EQ(depths.size(), 3u);
    EXPECT_EQ(depths[0].align.v, VAlign::Bottom);
    // 2.05 lies less than a text height below 2.00: its figures sit on their baseline at the
    // label depth 2.00 + 0.3, below the figures of 2.00, with a leader up to the boundary.
    EXPECT_EQ(depths[1].align.v, VAlign::Baseline);
    EXPECT_EQ(depths[1].points[0].y, g.py(2.30));
    EXPECT_TRUE(g.hasLine(g.X(4), 2.05, g.X(4) - 0.8, 2.30 - 0.8 * 0.3));
    // The second label counts as placed at 2.00 + 0.3, so 4.00 is far enough again.
    EXPECT_EQ(depths[2].align.v, VAlign::Bottom);
    EXPECT_EQ(g.figuresAt((g.X(2) + g.X(3)) / 2)[1].text, "0.05");
}

TEST(GeologyColumns, ARowWithAColourToneOnlyMergesIntoTheLayerBelow)
{
    Geology g;
    g.layer(1, "1.00", kFigures | kName, sj("砂"), "400.0");
    g.layer(2, "2.00", 0); // colour tone only: no name, no pattern
    g.doc.GeologyTable(2, GeologyCol::Tone) = sj("灰");
    g.layer(3, "3.00", kFigures | kName, sj("粘土"), "600.0");
    g.draw();
    const auto thickness = g.figuresAt((g.X(2) + g.X(3)) / 2);
    ASSERT_EQ(thickness.size(), 2u);
    EXPECT_EQ(thickness[1].text, "2.00");
    // The pattern of row 3 is laid out from 1.00 m: its clip starts there.
    bool clipFromOne = false;
    for (const Call& c : g.dev.ofKind(Op::Clip))
        if (c.rect.left == g.px(g.X(4)) && c.rect.top == g.py(1.00) && c.rect.bottom == g.py(3.00))
            clipFromOne = true;
    EXPECT_TRUE(clipFromOne);
    // The colour tone is still written, ending on its own boundary.
    const auto tone = g.dev.ofKind(Op::TextInRect);
    bool toneAtTwo = false;
    for (const Call& c : tone)
        if (c.text == sj("灰") && c.rect.bottom == g.py(2.00) - 1) toneAtTwo = true;
    EXPECT_TRUE(toneAtTwo);
}

TEST(GeologyColumns, LongNameInAThinLayerRunsBelowWithASlantedUnderline)
{
    Geology g;
    const std::string name = sj("礫混じり砂質シルト");
    g.layer(1, "1.00", kName | kNameLine, name, "400.0");
    g.layer(2, "1.10", kName | kNameLine, name, "400.0");
    g.layer(3, "5.00", kName | kNameLine, sj("砂"), "400.0");
    g.draw();
    const auto boxes = g.dev.ofKind(Op::TextInRect);
    std::vector<Call> names;
    for (const Call& c : boxes)
        if (c.rect.left == g.px(g.X(5)) + 1) names.push_back(c);
    ASSERT_EQ(names.size(), 3u);
    // The text needs several lines in the 17.4 mm column.
    const double height = g.wrapped(name, g.X(5), g.X(6));
    ASSERT_GT(height, 0.5);
    // Box 1 ends on 1.00 (the layer is deep enough); box 2 starts there and runs below 1.10.
    EXPECT_EQ(names[0].rect.bottom, g.py(1.00) - 1);
    const double b2 = 1.00 + height;
    EXPECT_EQ(names[1].rect.top, g.py(b2 - height) + 1);
    EXPECT_TRUE(g.hasLine(g.X(5), 1.10, g.X(5) + 0.6, b2));
    EXPECT_TRUE(g.hasLine(g.X(5) + 0.6, b2, g.X(6) - 1.0, b2));
    EXPECT_TRUE(g.hasLine(g.X(6) - 1.0, b2, g.X(6), 1.10));
    // The first underline is one straight line on its boundary.
    EXPECT_TRUE(g.hasLine(g.X(5), 1.00, g.X(5) + 0.6, 1.00));
    EXPECT_TRUE(g.hasLine(g.X(5) + 0.6, 1.00, g.X(6) - 1.0, 1.00));
    // The third layer is deep enough to end on its own boundary again.
    EXPECT_EQ(names[2].rect.bottom, g.py(5.00) - 1);
}

TEST(GeologyColumns, ColourToneBoxesPushEachOtherDown)
{
    Geology g;
    const std::string tone = sj("暗緑灰〜淡黄褐");
    g.layer(1, "1.00", kToneLine, sj("砂"));
    g.layer(2, "1.05", kToneLine, sj("砂"));
    g.doc.GeologyTable(1, GeologyCol::Tone) = tone;
    g.doc.GeologyTable(2, GeologyCol::Tone) = tone;
    g.draw();
    std::vector<Call> tones;
    for (const Call& c : g.dev.ofKind(Op::TextInRect))
        if (c.text == tone) tones.push_back(c);
    ASSERT_EQ(tones.size(), 2u);
    // The text needs more than a metre in the narrow column: the first box ends below 1.00
    // and the second starts where the first ends.
    const double height = g.wrapped(tone, g.X(6), g.X(7));
    ASSERT_GT(height, 1.0);
    EXPECT_EQ(tones[0].rect.bottom, g.py(height) - 1);
    EXPECT_EQ(tones[1].rect.top, g.py(height) + 1);
    // The underline of the second runs along its box bottom and up to 1.05 at the right edge.
    EXPECT_TRUE(g.hasLine(g.X(6), 2 * height, g.X(7) - 1.0, 2 * height));
    EXPECT_TRUE(g.hasLine(g.X(7) - 1.0, 2 * height, g.X(7), 1.05));
}

TEST(GeologyColumns, RowsAboveThePageStillAdvanceTheLayerTop)
{
    Geology g;
    g.layer(1, "3.00", kFigures | kName, sj("表土"), "600.0");
    g.layer(2, "14.50", kFigures | kName, sj("砂"), "400.0");
    g.layer(3, "16.00", kFigures | kName, sj("粘土"), "600.0");
    g.draw(12.0);
    const auto thickness = g.figuresAt((g.X(2) + g.X(3)) / 2);
    ASSERT_EQ(thickness.size(), 3u);
    EXPECT_FALSE(RecordingDevice::visible(thickness[0]));
    EXPECT_TRUE(RecordingDevice::visible(thickness[1]));
    EXPECT_EQ(thickness[1].text, "11.50");
    EXPECT_EQ(thickness[2].text, "1.50");
    // The pattern of the layer across the page top is clipped at the page, not at its own top.
    bool clipAtPage = false;
    for (const Call& c : g.dev.ofKind(Op::Clip))
        if (c.rect.left == g.px(g.X(4)) && c.rect.top == g.py(12.02) && c.rect.bottom == g.py(14.50))
            clipAtPage = true;
    EXPECT_TRUE(clipAtPage);
}

TEST(GeologyColumns, PatternColumnBoundaries)
{
    Geology g;
    g.layer(1, "1.00", kPatternLine | kName, sj("砂"), "400.0");
    g.layer(2, "2.00", kName, sj("粘土"), "400.0");
    g.layer(3, "3.00", kPatternLine | kName, sj("砂"), "400.0");
    g.layer(4, "30.00", kPatternLine | kName, sj("砂"), "400.0"); // below the page
    g.draw();
    // The first layer's top (the page top) gets its line, as the first layer always asks.
    EXPECT_TRUE(g.hasLine(g.X(4), 0.00, g.X(5), 0.00));
    // Rows with bit 4 are marked; the marks become lines after the loop.
    EXPECT_GE(g.lineCount(g.X(4), 1.00, g.X(5), 1.00), 1);
    EXPECT_EQ(g.lineCount(g.X(4), 2.00, g.X(5), 2.00), 0);
    EXPECT_GE(g.lineCount(g.X(4), 3.00, g.X(5), 3.00), 1);
    EXPECT_EQ(g.lineCount(g.X(4), 30.00, g.X(5), 30.00), 0);
}

TEST(GeologyColumns, NothingForAnEmptyTableAndRowsEndAtTheFirstNonNumber)
{
    Geology g;
    g.draw();
    EXPECT_TRUE(g.dev.texts().empty());
    EXPECT_TRUE(g.dev.ofKind(Op::TextInRect).empty());

    Geology h;
    h.layer(1, "1.00", kFigures | kName, sj("砂"));
    h.layer(2, "x", kFigures | kName, sj("粘土"));
    h.layer(3, "3.00", kFigures | kName, sj("礫"));
    h.draw();
    EXPECT_EQ(h.figuresAt((h.X(3) + h.X(4)) / 2).size(), 1u);
}
