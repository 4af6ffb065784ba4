// Way into render: draws one page of the log (the other layers start here).
#pragma once
// One drawing pass: one page of the log on a device (the screen or a printed
// page). The pass draws the title, the header block, the frame, rules, depth
// scale and page label itself and calls the column routines in its order.

#include "app/settings.h"
#include "app/viewstate.h"
#include "platform/device.h"
#include "render/detail/columnedges.h"
#include "render/detail/pagegeometry.h"
#include "render/pagecanvas.h"

#include <array>
#include <string>
#include <vector>

namespace qc {

struct AppContext;
struct Document;
class Prompter;
class PatternColourTable;

// What a pass draws from, owned by the application and passed by reference.
struct RenderContext
{
    const Document& doc;
    const Settings& settings;
    const FontSettings& fonts;
    ViewState& view;
    Prompter* prompter = nullptr; // "Can't create font"
    // The pattern colour table and the colour bitmap folder of the install
    // folder; without a table every vector pattern is black.
    const PatternColourTable* patternColours = nullptr;
    std::string bitmapFolder = {};
};

// Drawing with the settings, fonts, pattern colours and bitmaps of the install folder in app.
RenderContext renderContextOf(const AppContext& app, const Document& doc, ViewState& view,
                              Prompter* prompter);

// Character size of the font in force, in the y units and page mm of the phase it was selected in.
struct TextSize
{
    double h = 0;
    double w = 0;
};

// The state of one pass, handed to every column routine.
struct LogPass
{
    LogPass(RenderContext& context, Device& device);

    RenderContext& ctx;
    Device& device;
    PageGeometry geo;
    PageCanvas canvas;

    const Document& doc() const { return ctx.doc; }
    const Settings& settings() const { return ctx.settings; }
    const ViewState& view() const { return ctx.view; }

    double top = 0;     // page top depth, m
    double bottom = 0;  // page bottom depth, m
    double deepest = 0; // bottom of the last geology layer, m
    bool compactHeader = false;
    ColumnEdges edges;
    double groundElevation = -999.99; // HeaderTable 13, or -999.99
    double boreholeAngle = 0;         // HeaderTable 24 in 0.1 < a <= 180, else 0
    std::vector<double> sampleMidDepths;
    std::array<Colour, 4> gridColours{}; // vertical 1, vertical 2, horizontal 1, horizontal 2

    int frameWidth() const { return ctx.settings.frameWidth(); }
    int ruleWidth() const { return ctx.settings.ruleWidth(); }

    // Selects a text role (FontSettings::Heading ...) at trunc(dpi x size / 72), or at the
    // title size trunc(dpi x size / 45); returns its size in the current phase's units.
    TextSize selectRole(int role, bool titleSize = false);
    // The part of the body the device can show, m: the page cut to the device range
    // (in the body phase). Loops over depths run within it.
    double visibleTop() const;
    double visibleBottom() const;
    // A solid black line in the rule width.
    void rule(double x1, double y1, double x2, double y2);
};

// Draws one page when the screen display is on or a page is being printed;
// false when nothing was drawn.
bool drawLogPage(Device& device, RenderContext& ctx);

// Pieces of the pass, exposed for tests.
std::vector<double> computeSampleMidDepths(const Document& doc);
double groundElevationOf(const Document& doc);
double boreholeAngleOf(const Document& doc);
// The page label text (HeaderTable 61 to 63) of a page; empty draws nothing.
std::string pageLabelText(const Document& doc, int page);
// The face a role asks for ("ＭＳ 明朝" when the setting is empty), CP932.
std::string roleFace(const FontSettings& fonts, int role);

} // namespace qc
