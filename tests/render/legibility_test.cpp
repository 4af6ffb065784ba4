// A printed page must read cleanly: no two texts printed over each other and
// no text of the heading band or the body running out of its column. Pages are
// drawn through the recording device with the bundled install folder, as
// `qc export` draws them, and the text boxes of the calls are compared.

#include "app/appcontext.h"
#include "app/docflows.h"
#include "app/viewstate.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/recordingdevice.h"
#include "platform/scriptedprompter.h"
#include "render/detail/columnedges.h"
#include "render/detail/pagegeometry.h"
#include "render/headerblock.h"
#include "render/logpage.h"
#include "render/paging.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>

using namespace qc;
using qc::test::sj;
using qc::test::u8;
using Call = RecordingDevice::Call;
using Op = RecordingDevice::Op;

namespace {

constexpr int kDpi = 600;

struct PaperCase
{
    const char* name;
    int widthMm;
    int heightMm;
};
constexpr PaperCase kA3{"A3", 297, 420};
constexpr PaperCase kA4{"A4", 210, 297};

int units(int mm)
{
    return static_cast<int>(mm * kInchesPerMm * kDpi + 0.5);
}

// A text the page shows: its box in device units and the column it was written for.
struct TextBox
{
    std::string text; // UTF-8, for the messages
    DevRect box;
    int column = -1; // index i of the column Xi..Xi+1, or -1 in the header block
    int order = 0;
};

// Blanks, full-width ones included, print nothing.
bool blank(const std::string& cp932)
{
    const std::string ideographic = "\x81\x40";
    for (size_t i = 0; i < cp932.size(); ++i) {
        if (cp932.compare(i, 2, ideographic) == 0) {
            ++i;
            continue;
        }
        if (cp932[i] != ' ' && cp932[i] != '\r' && cp932[i] != '\n') return false;
    }
    return true;
}

// A glyph's ink stays inside its cell by its side bearings and the font's
// internal leading: cells that overlap by less than 0.2 mm leave the ink apart.
constexpr int kInkMargin = static_cast<int>(0.2 * kInchesPerMm * kDpi);

bool intersects(const DevRect& a, const DevRect& b)
{
    return std::min(a.right, b.right) - std::max(a.left, b.left) > kInkMargin &&
           std::min(a.bottom, b.bottom) - std::max(a.top, b.top) > kInkMargin;
}

// Stacks the log draws on purpose: the split drilling date and the figures of
// the header's angle, bearing and slope diagrams.
bool stackedOnPurpose(const TextBox& a, const TextBox& b)
{
    static const std::set<std::string> diagram = {"0ﾟ", "90ﾟ", "180ﾟ", "18Oﾟ", "270ﾟ", "Oﾟ", "上", "下",
                                                  "北", "東",  "西",   "南",   "水平", "鉛", "直"};
    if (a.column < 0 && b.column < 0 && (diagram.count(a.text) || diagram.count(b.text))) return true;
    // A drilling date "4/12" is written as 4 above and 12 below a stroke, one call after the other.
    return a.column == 23 && b.column == 23 && std::abs(a.order - b.order) == 1;
}

class DrawnPage
{
public:
    DrawnPage(const std::string& logBytes, PaperCase paper)
    {
        const std::string path = m_dir.file("log.bhc");
        EXPECT_TRUE(writeFileBytes(path, logBytes));
        EXPECT_EQ(LoadByPath(m_doc, path, m_prompter), FlowResult::Done);
        m_app = std::make_unique<AppContext>(
            InstallEnvironment::fromProcess(std::string(QC_SOURCE_DIR) + "/data/install"));
        updateDocumentForView(*m_app, m_doc, m_prompter);
        applyDefaultRoleTitles(m_doc);
        m_view.loadScaleSettings(m_app->settings);
        const PrinterPage printer{units(paper.widthMm), units(paper.heightMm), kDpi, kDpi};
        computePaperSize(m_view, &printer);
        m_view.printingNow = true;
        m_view.currentPage = 1;
        m_pageTop = pageTopDepth(m_view);
        RenderContext ctx{m_doc,
                          m_app->settings,
                          m_app->fonts,
                          m_view,
                          &m_prompter,
                          &m_app->patternColours,
                          m_app->paths.bitmapFolder};
        drawLogPage(m_dev, ctx);
        m_view.printingNow = false;
        collect(paper);
    }

    const std::vector<TextBox>& boxes() const { return m_boxes; }
    const Document& doc() const { return m_doc; }

    // Every pair of different texts printed over each other.
    std::vector<std::string> overprints() const
    {
        std::vector<std::string> out;
        for (size_t i = 0; i < m_boxes.size(); ++i)
            for (size_t j = i + 1; j < m_boxes.size(); ++j) {
                const TextBox& a = m_boxes[i];
                const TextBox& b = m_boxes[j];
                if (!intersects(a.box, b.box) || stackedOnPurpose(a, b)) continue;
                out.push_back("\"" + a.text + "\" over \"" + b.text + "\"" + where(a));
            }
        return out;
    }

    // Texts of the heading band and the body that run out of the column they belong to.
    std::vector<std::string> outsideColumns() const
    {
        std::vector<std::string> out;
        for (const TextBox& t : m_boxes) {
            if (t.column < 0) continue;
            const int left = m_x[static_cast<size_t>(t.column)];
            const int right = m_x[static_cast<size_t>(t.column) + 1];
            // The notes wrap 0.8 mm past their column's right edge by design.
            const int slack = t.column == 9 ? static_cast<int>(0.8 * m_unitsPerMm) + 1 : 1;
            if (t.box.left < left - 1 || t.box.right > right + slack)
                out.push_back("\"" + t.text + "\" outside column " + std::to_string(t.column) + where(t));
        }
        return out;
    }

private:
    std::string where(const TextBox& t) const
    {
        return " at " + std::to_string(t.box.left) + "," + std::to_string(t.box.top);
    }

    void collect(PaperCase paper)
    {
        const ColumnEdges edges = ColumnEdges::compute(m_doc);
        PageGeometry g;
        const int marginLeft = m_app->settings.marginLeftMm() >= 1 && m_app->settings.marginLeftMm() <= 100
                                   ? m_app->settings.marginLeftMm()
                                   : 5;
        g.setUp(kDpi, kDpi, marginLeft, 5, m_view.horizontalScaleDenominator, m_view.depthScaleDenominator);
        m_unitsPerMm = g.unitsPerPageMm;
        for (int i = 0; i < ColumnEdges::kCount; ++i) m_x.push_back(g.PageX(edges[i]));
        const int pageWidth = units(paper.widthMm);
        const int pageHeight = units(paper.heightMm);
        // Texts from the top line of the column headings (the highest line from X0 to X24) down
        // belong to a column.
        int bandTop = pageHeight;
        for (const Call& c : m_dev.lines())
            if (c.points[0].y == c.points[1].y && std::min(c.points[0].x, c.points[1].x) == m_x[0] &&
                std::max(c.points[0].x, c.points[1].x) == m_x[24])
                bandTop = std::min(bandTop, c.points[0].y);
        // ... down to the bottom frame line; the footer and the page label lie below it.
        g.headerBandCm = headerBandCm(m_doc.HeaderTable(47) == "1");
        g.enterBodyPhase(m_pageTop, m_view.scaleDepthPartOnly, m_view.depthScaleDenominator);
        const int bodyBottom = g.PageY(pageBottomDepth(m_view, m_pageTop));

        int order = 0;
        for (const Call& c : m_dev.calls()) {
            if (c.op != Op::Text && c.op != Op::TextInRect) continue;
            if (blank(c.text) || !RecordingDevice::visible(c)) continue;
            DevRect box = c.bounds;
            const int cell = RecordingDevice::cellHeight(c.font);
            if (c.op == Op::Text) { // the ink: blanks before and after a figure print nothing
                const size_t first = c.text.find_first_not_of(' ');
                const size_t last = c.text.find_last_not_of(' ');
                box.left += static_cast<int>(first) * cell / 2;
                box.right -= static_cast<int>(c.text.size() - 1 - last) * cell / 2;
                // Figures have no descenders: their ink ends on the baseline.
                if (c.text.find_first_not_of(" 0123456789.+-/:%") == std::string::npos)
                    box.bottom = box.top + RecordingDevice::ascent(c.font);
            } else if (c.text.size() >= 2 && c.text.compare(c.text.size() - 2, 2, "\r\n") == 0) {
                box.bottom -= cell; // the empty line of a closing line break
            }
            if (c.clip) { // only what the clip lets through prints
                box.left = std::max(box.left, c.clip->left);
                box.top = std::max(box.top, c.clip->top);
                box.right = std::min(box.right, c.clip->right);
                box.bottom = std::min(box.bottom, c.clip->bottom);
            }
            if (box.right < 0 || box.bottom < 0 || box.left >= pageWidth || box.top >= pageHeight) continue;
            TextBox t{u8(c.text), box, -1, order++};
            const int anchor = c.op == Op::Text ? c.points[0].x : (c.rect.left + 1);
            if (box.top >= bandTop - 1 && box.top < bodyBottom)
                for (size_t i = 0; i + 1 < m_x.size(); ++i)
                    if (anchor >= m_x[i] && anchor < m_x[i + 1]) {
                        t.column = static_cast<int>(i);
                        break;
                    }
            m_boxes.push_back(t);
        }
    }

    test::TempDir m_dir;
    Document m_doc;
    ScriptedPrompter m_prompter;
    std::unique_ptr<AppContext> m_app;
    ViewState m_view;
    RecordingDevice m_dev{kDpi, kDpi};
    std::vector<TextBox> m_boxes;
    std::vector<int> m_x;
    double m_unitsPerMm = 1;
    double m_pageTop = 0;
};

std::string readBytes(const std::string& path)
{
    std::string bytes;
    EXPECT_TRUE(readFileBytes(path, bytes)) << path;
    return bytes;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& l : lines) out += "  " + l + "\n";
    return out;
}

// A log that crowds every column: layers 0.05 m apart, samples every 0.2 m,
// water levels with dates and notes, long names and remarks.
std::string denseLog()
{
    std::ostringstream s;
    auto line = [&](const std::string& utf8) { s << sj(utf8) << "\r\n"; };
    line("$$_QVOR780");
    line("$$Z");
    for (int i = 1; i <= 80; ++i) line(i == 13 ? "12.30" : i == 36 ? "1" : "");
    line("$$A");
    const char* names[] = {"礫混じり砂", "砂質シルト", "シルト", "粘土", "腐植質粘土"};
    for (int i = 1; i <= 40; ++i) {
        char depth[16];
        std::snprintf(depth, sizeof depth, "%.2f", i < 10 ? 0.05 * i : 0.5 + 0.25 * (i - 10));
        line(std::string(depth) + "," + names[i % 5] + ",,暗灰褐,,,247,,,,");
    }
    line("$$K");
    // Note records: top, bottom, hidden cell, text lines, BEL, underline.
    auto note = [&](const char* top, const char* bottom, const std::string& text) {
        line(top);
        line(bottom);
        line("");
        line(text);
        line("\x07");
        line("1");
    };
    note("0.00", "0.05", "有機物混入 植物根混入 含水中位 貝殻片混入 異臭あり");
    note("0.05", "0.10", "有機物混入");
    note("0.10", "0.15", "観察記事");
    line("$$N");
    line("0.00,0.10,沖積層");
    line("0.10,0.20,洪積層");
    line("$$W");
    line("-0.30,04/16,無水掘,3");
    line("-0.35,04/17,洗浄回復,3");
    line("-0.85,04/18,,3");
    line("$$H");
    line("0.50,4/12");
    line("0.60,4/13");
    line("$$r");
    line("$$T");
    line("0.10,有孔管");
    line("$$x");
    for (int i = 0; i < 20; ++i) {
        char row[64];
        std::snprintf(row, sizeof row, "%.2f,%.2f,S-%d,T,10,40,30,20", 0.2 * i, 0.2 * i + 0.1, i + 1);
        std::string cells = row;
        for (int t = 1; t <= 48; ++t) cells += t <= 20 ? "," + std::to_string(0.001 * (i + 1) * t) : ",";
        cells += ",0,0,0,";
        line(cells);
    }
    return s.str();
}

struct PageCase
{
    const char* name;
    std::string (*bytes)();
};

const PageCase kPages[] = {
    {"default empty document", [] { return std::string("$$_QVOR780\r\n$$Z\r\n"); }},
    {"sample log", [] { return readBytes(std::string(QC_SOURCE_DIR) + "/examples/sample.bhc"); }},
    {"sample log, compact header", [] { return readBytes(test::dataPath("sample-compact.bhc")); }},
    {"dense log", denseLog},
};

} // namespace

TEST(Legibility, NoTextOverAnotherNorOutsideItsColumn)
{
    for (const PageCase& page : kPages)
        for (const PaperCase paper : {kA3, kA4}) {
            SCOPED_TRACE(std::string(page.name) + " on " + paper.name);
            const DrawnPage drawn(page.bytes(), paper);
            ASSERT_FALSE(drawn.boxes().empty());
            const auto over = drawn.overprints();
            EXPECT_TRUE(over.empty()) << over.size() << " overprints:\n" << joined(over);
            const auto outside = drawn.outsideColumns();
            EXPECT_TRUE(outside.empty()) << outside.size() << " texts outside their column:\n"
                                         << joined(outside);
        }
}
