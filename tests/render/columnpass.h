#pragma once
// A drawing pass set up for one column routine: the body (or the header
// phase) of a page at 600 dpi and 1/100, every column shown at the usual
// widths, and a font whose character height is known in metres.

#include "app/patterncolours.h"
#include "app/settings.h"
#include "app/viewstate.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/recordingdevice.h"
#include "render/detail/columnedges.h"
#include "render/logpage.h"
#include "support/testutil.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qc::test {

// Display items with every column shown at the usual widths (graphs 23 mm).
inline void showAllColumns(Document& doc)
{
    const char* widths[17] = {"",     "0.0",  "31.8", "3.4",  "3.4", "6.4", "17.6", "24.0", "23.0",
                              "23.0", "23.0", "23.0", "23.0", "5.6", "0.0", "0.0",  "5.6"};
    for (int r = 1; r <= 16; ++r) {
        doc.DisplayItemTable(r, DisplayCol::Shown) = (r == 14 || r == 15) ? "0" : "1";
        doc.DisplayItemTable(r, DisplayCol::Width) = widths[r];
    }
    doc.DisplayItemTable(DisplayRow::Basic, DisplayCol::Title) = sj("現場土質名");
    doc.DisplayItemTable(DisplayRow::Strata, DisplayCol::Title) = sj("地層・岩体区分");
    doc.DisplayItemTable(DisplayRow::FreeColumn, DisplayCol::Title) = sj("空欄");
}

using Call = RecordingDevice::Call;
using Op = RecordingDevice::Op;

struct ColumnPass
{
    // 66 device units: an 8-point font at 600 dpi.
    static constexpr int kFontHeight = 66;

    Document doc;
    Settings settings = builtinSettings();
    FontSettings fonts = builtinFonts();
    ViewState view;
    PatternColourTable colours;
    RecordingDevice dev{600, 600};
    RenderContext ctx{doc, settings, fonts, view, nullptr, &colours, std::string()};
    std::unique_ptr<LogPass> pass;

    ColumnPass()
    {
        view.depthPerPage = 20;
        showAllColumns(doc);
    }

    // The body of the page from top (depthPerPage metres), with the font selected.
    LogPass& body(double top = 0)
    {
        pass = std::make_unique<LogPass>(ctx, dev);
        PageGeometry& g = pass->geo;
        g.setUp(600, 600, 5, 5, 100, 100);
        g.enterHeaderPhase(false, 100);
        g.headerBandCm = headerBandCm(doc.HeaderTable(HeaderEntry::CompactHeader) == "1");
        g.enterBodyPhase(top, false, 100);
        pass->top = top;
        pass->bottom = top + view.depthPerPage;
        finish();
        return *pass;
    }

    // The header phase with the heading band of the full or compact header.
    LogPass& header()
    {
        pass = std::make_unique<LogPass>(ctx, dev);
        PageGeometry& g = pass->geo;
        g.setUp(600, 600, 5, 5, 100, 100);
        g.enterHeaderPhase(false, 100);
        pass->compactHeader = doc.HeaderTable(HeaderEntry::CompactHeader) == "1";
        g.headingBandTop = headingBandTop(pass->compactHeader);
        finish();
        return *pass;
    }

    // Character height of the font in y units (0.2794 m, or header cm: both 1/100) and its
    // width in page mm; known before the pass is set up.
    static double h() { return kFontHeight / (600 * kInchesPerMm * 10); }
    static double w() { return kFontHeight / (600 * kInchesPerMm); }
    double X(int i) const { return pass->edges[i]; }
    int px(double x) const { return pass->geo.PageX(x); }
    int py(double y) const { return pass->geo.PageY(y); }

    std::vector<Call> lines() const { return dev.lines(); }
    std::vector<Call> texts() const { return dev.texts(); }
    std::vector<Call> textsEqual(const std::string& t) const { return dev.textsEqual(t); }
    std::optional<Call> text(const std::string& t) const
    {
        auto all = dev.textsEqual(t);
        if (all.empty()) return std::nullopt;
        return all.front();
    }
    // The two-point line from (x1, y1) to (x2, y2) in page coordinates, if drawn.
    bool hasLine(double x1, double y1, double x2, double y2) const
    {
        const DevPoint a{px(x1), py(y1)}, b{px(x2), py(y2)};
        for (const Call& c : dev.lines())
            if ((c.points[0] == a && c.points[1] == b) || (c.points[0] == b && c.points[1] == a)) return true;
        return false;
    }
    int lineCount(double x1, double y1, double x2, double y2) const
    {
        const DevPoint a{px(x1), py(y1)}, b{px(x2), py(y2)};
        int n = 0;
        for (const Call& c : dev.lines())
            if ((c.points[0] == a && c.points[1] == b) || (c.points[0] == b && c.points[1] == a)) ++n;
        return n;
    }

private:
    void finish()
    {
        pass->edges = ColumnEdges::compute(doc);
        pass->groundElevation = groundElevationOf(doc);
        pass->boreholeAngle = boreholeAngleOf(doc);
        LogicalFont font;
        font.height = kFontHeight;
        (void)dev.selectFont(font);
        dev.clear();
    }
};

} // namespace qc::test
