// Hostile cells: whatever a file sets (widths, depths, steps, scales), a page of
// the sample log is drawn in bounded time with a bounded number of figures.

#include "app/settings.h"
#include "app/viewstate.h"
#include "document/fieldtext.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/recordingdevice.h"
#include "render/detail/columnedges.h"
#include "render/logpage.h"
#include "render/pagecanvas.h"
#include "render/patterns.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>

using namespace qc;

namespace {

std::string readSample()
{
    std::ifstream in(std::string(QC_SOURCE_DIR) + "/examples/sample.bhc", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void loadSample(Document& doc)
{
    static const std::string bytes = readSample();
    ASSERT_FALSE(bytes.empty());
    readLogText(doc, bytes, findTokenLine(bytes, 7));
}

struct HostileCase
{
    const char* name;
    std::function<void(Document&, ViewState&)> edit;
};

// Sets a width of every shown column.
void everyWidth(Document& doc, const char* width)
{
    for (int r = DisplayRow::Notes; r <= DisplayRow::DrillDate; ++r) {
        doc.DisplayItemTable(r, DisplayCol::Shown) = "1";
        doc.DisplayItemTable(r, DisplayCol::Width) = width;
        doc.DisplayItemTable(r, DisplayCol::GridWidth) = width;
    }
}

int lastRow(const TextTable& t, int col)
{
    int r = 1;
    while (r < t.rows() && isNumeric(t(r + 1, col))) ++r;
    return r;
}

const HostileCase kCases[] = {
    {"grain-size width 1e9",
     [](Document& d, ViewState&) { d.DisplayItemTable(DisplayRow::GrainSize, DisplayCol::Width) = "1e9"; }},
    {"grain-size width 1e6",
     [](Document& d, ViewState&) {
         d.DisplayItemTable(DisplayRow::GrainSize, DisplayCol::Width) = "1000000";
     }},
    {"notes width 1e9",
     [](Document& d, ViewState&) { d.DisplayItemTable(DisplayRow::Notes, DisplayCol::Width) = "1e9"; }},
    {"graph and grid widths 1e9",
     [](Document& d, ViewState&) {
         for (int g = 1; g <= 5; ++g) {
             d.DisplayItemTable(DisplayRow::graph(g), DisplayCol::Width) = "1e9";
             d.DisplayItemTable(DisplayRow::graph(g), DisplayCol::GridWidth) = "1e9";
         }
     }},
    {"casing width 1e9",
     [](Document& d, ViewState&) { d.DisplayItemTable(DisplayRow::Casing, DisplayCol::Width) = "1e9"; }},
    {"every width 1e9", [](Document& d, ViewState&) { everyWidth(d, "1e9"); }},
    {"every width 1e300", [](Document& d, ViewState&) { everyWidth(d, "1e300"); }},
    {"every width -1e9", [](Document& d, ViewState&) { everyWidth(d, "-1e9"); }},
    {"last layer 1e6 m deep",
     [](Document& d, ViewState&) {
         d.GeologyTable(lastRow(d.GeologyTable, GeologyCol::Depth), GeologyCol::Depth) = "1000000";
     }},
    {"last layer 1e15 m deep",
     [](Document& d, ViewState&) {
         d.GeologyTable(lastRow(d.GeologyTable, GeologyCol::Depth), GeologyCol::Depth) = "1e15";
     }},
    {"first layer from -1e6 m",
     [](Document& d, ViewState&) {
         // Depths out of order: the second layer starts far above the first.
         d.GeologyTable(1, GeologyCol::Depth) = "-1000000";
     }},
    {"sample 0 to 1e6 m with grain sizes",
     [](Document& d, ViewState&) {
         d.SampleTable(1, SampleCol::Top) = "0";
         d.SampleTable(1, SampleCol::Bottom) = "1000000";
         for (int c = SampleCol::Gravel; c <= SampleCol::Clay; ++c) d.SampleTable(1, c) = "25";
     }},
    {"note 0 to 1e9 m",
     [](Document& d, ViewState&) {
         d.NoteTable(1, NoteCol::Top) = "0";
         d.NoteTable(1, NoteCol::Bottom) = "1e9";
     }},
    {"casing down to 1e9 m",
     [](Document& d, ViewState&) {
         d.CasingTable(1, CasingCol::Depth) = "1e9";
         d.CasingTable(1, CasingCol::PipeKind) = test::sj("有孔管");
     }},
    {"graph grid steps 1e-9",
     [](Document& d, ViewState&) {
         for (int g = 1; g <= 5; ++g) {
             d.GraphFormatTable(g, GraphRow::Grid, GridField::Kind) = "0";
             d.GraphFormatTable(g, GraphRow::Grid, GridField::LinearStep1) = "1e-9";
             d.GraphFormatTable(g, GraphRow::Grid, GridField::LinearStep2) = "1e-9";
         }
     }},
    {"graph scales 1e-300 to 1e300",
     [](Document& d, ViewState&) {
         for (int g = 1; g <= 5; ++g)
             for (int s = 1; s <= GraphRow::Slots; ++s) {
                 d.GraphFormatTable(g, GraphRow::slot(s), SlotField::LinearFrom) = "-1e300";
                 d.GraphFormatTable(g, GraphRow::slot(s), SlotField::LinearTo) = "1e300";
                 d.GraphFormatTable(g, GraphRow::slot(s), SlotField::LinearStep) = "1e-300";
                 d.GraphFormatTable(g, GraphRow::slot(s), SlotField::LogFrom) = "1e-7";
                 d.GraphFormatTable(g, GraphRow::slot(s), SlotField::LogTo) = "1e300";
             }
     }},
    {"page depth 2e9 m", [](Document&, ViewState& v) { v.depthPerPage = 2000000000; }},
    {"page depth 1e5 m, every width 1e9",
     [](Document& d, ViewState& v) {
         v.depthPerPage = 100000;
         everyWidth(d, "1e9");
     }},
    {"page at 1e9 m", [](Document&, ViewState& v) { v.screenPageTop = 1e9; }},
    {"stratum name of a million characters",
     [](Document& d, ViewState&) {
         d.DisplayItemTable(DisplayRow::Strata, DisplayCol::Shown) = "1";
         d.StratumTable(1, StratumCol::Top) = "-1e9";
         d.StratumTable(1, StratumCol::Bottom) = "1e9";
         d.StratumTable(1, StratumCol::Name) = std::string(1000000, 'A');
     }},
    {"note of 20 MB at the top",
     [](Document& d, ViewState&) {
         d.DisplayItemTable(DisplayRow::Notes, DisplayCol::Shown) = "1";
         std::string line = test::sj("植物根混入、礫混入 含水少ない ") + "\r\n";
         std::string text;
         while (text.size() < 20000000) text += line;
         d.NoteTable(1, NoteCol::Top) = "0";
         d.NoteTable(1, NoteCol::Text) = text;
     }},
    {"title of a million characters",
     [](Document& d, ViewState&) { d.HeaderTable(HeaderEntry::LogTitle) = std::string(1000000, 'A'); }},
};

void PrintTo(const HostileCase& c, std::ostream* os)
{
    *os << c.name;
}

class Hostile : public ::testing::TestWithParam<HostileCase>
{
};

TEST_P(Hostile, PageFinishesFastWithBoundedFigures)
{
    const HostileCase& c = GetParam();
    Document doc;
    loadSample(doc);
    const Settings settings = builtinSettings();
    const FontSettings fonts = builtinFonts();
    for (double top : {0.0, 10.0}) {
        ViewState view;
        view.depthPerPage = 26;
        view.screenPageTop = top;
        c.edit(doc, view);
        RecordingDevice dev(600, 600);
        RenderContext ctx{doc, settings, fonts, view, nullptr};
        const auto start = std::chrono::steady_clock::now();
        drawLogPage(dev, ctx);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        // A dense page of the sample draws some thousands of figures in milliseconds.
        EXPECT_LT(dev.calls().size(), 200000u) << c.name << " at " << top;
        EXPECT_LT(seconds, 2.0) << c.name << " at " << top;
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, Hostile, ::testing::ValuesIn(kCases), [](const auto& param) {
    std::string n;
    for (const char* p = param.param.name; *p; ++p)
        n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return n;
});

TEST(ColumnEdges, WidthsClampedToWhatAPageHolds)
{
    Document doc;
    struct Row
    {
        const char* width;
        double expected;
    };
    for (const Row& r : {Row{"23.5", 23.5}, Row{"1e9", kMaxColumnWidthMm}, Row{"-5", 0.0},
                         Row{"1e300", kMaxColumnWidthMm}, Row{"nan", 0.0}}) {
        doc.DisplayItemTable(DisplayRow::Notes, DisplayCol::Shown) = "1";
        doc.DisplayItemTable(DisplayRow::Notes, DisplayCol::Width) = r.width;
        const ColumnEdges e = ColumnEdges::compute(doc);
        EXPECT_DOUBLE_EQ(e[10] - e[9], r.expected) << r.width;
    }
}

} // namespace

// Every vector pattern over a layer two thousand kilometres thick: only what lies near
// the page is drawn.
TEST(HostilePatterns, ThickLayerDrawsOnlyNearThePage)
{
    for (const long number : vectorPatternNumbers()) {
        RecordingDevice dev(600, 600);
        PageGeometry g;
        g.setUp(600, 600, 5, 5, 100, 100);
        g.enterHeaderPhase(false, 100);
        g.enterBodyPhase(10, false, 100);
        PageCanvas c(dev, g);
        const auto start = std::chrono::steady_clock::now();
        DrawVectorPattern(c, number, 50, -1e6, 58.2, 1e6, 1.0, 1, 0, 1);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(dev.calls().size(), 100000u) << number;
        EXPECT_LT(seconds, 0.5) << number;
    }
}
