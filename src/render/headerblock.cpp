#include "render/headerblock.h"

#include "app/viewstate.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "document/textformat.h"
#include "document/textops.h"
#include "render/detail/primitives.h"
#include "render/logpage.h"
#include "render/paging.h"

#include <algorithm>
#include <cmath>

namespace qc {

namespace {

// Row lines of the table: -8.48 + 0.78 i.
double rowY(int i)
{
    return -8.48 + 0.78 * i;
}

// "%2.2s" of a part that is not a number, without cutting a two-byte character.
// "%2.2s": the first two bytes, padded to two with blanks in front.
std::string firstTwoBytes(std::string_view text)
{
    std::string s = MidBytes(text, 1, 2);
    if (s.size() < 2) s.insert(0, 2 - s.size(), ' ');
    return s;
}

// An empty month or day is the unit alone.
std::string datePart(std::string_view value, const std::string& unit)
{
    if (isNumeric(value)) return strprintf("%d", cellInt(value)) + unit;
    if (value.empty()) return unit;
    return firstTwoBytes(value) + unit;
}

void frameLine(LogPass& pass, double x1, double y1, double x2, double y2)
{
    pass.canvas.PageLine(x1, y1, x2, y2, PenStyle::Solid, pass.frameWidth(), 0);
}

// A spread label vertically centred in its row.
void label(LogPass& pass, std::string_view text, double x1, double x2, int row, double w, double h)
{
    pass.canvas.PageSpreadText(x1, x2, rowY(row), rowY(row + 1), w, h, text);
}

// A single character centred in its cell.
void centredChar(LogPass& pass, std::string_view text, double left, double right, int row, double w, double h)
{
    const double x = ((left + right) - w) / 2;
    pass.canvas.PageSpreadText(x, x, rowY(row), rowY(row + 1), w, h, text);
}

void value(LogPass& pass, double x, int row, double h, std::string_view text)
{
    pass.canvas.PageTextMidline(x, rowY(row), rowY(row + 1), h, text);
}

struct Label
{
    const char* text;
    double x, y; // offsets from the diagram's reference
};

// The needle from the centre P at angle phi (degrees), with its arrowhead and the value label.
void drawNeedle(LogPass& pass, double px, double py, double phiDegrees)
{
    const double phi = DegreesToRadians(phiDegrees);
    const double ex = px + 4.62 * std::cos(phi);
    const double ey = py - 0.462 * std::sin(phi);
    pass.rule(px, py, ex, ey);
    pass.canvas.PageFilledPolygon({{ex, ey},
                                   {ex + 2 * std::cos(phi + 2.827431), ey - 0.2 * std::sin(phi + 2.827431)},
                                   {ex + 2 * std::cos(phi + 3.455749), ey - 0.2 * std::sin(phi + 3.455749)}},
                                  0);
}

// True when the value text starts like a number and lies in lo .. hi.
bool diagramValue(std::string_view text, double lo, double hi, double& v)
{
    if (!isNumeric(text)) return false;
    v = cellDouble(text);
    return v >= lo && v <= hi;
}

void diagramLabels(LogPass& pass, double x, double y, std::initializer_list<Label> labels)
{
    for (const Label& l : labels) pass.canvas.PageText(x + l.x, y + l.y, cp932::fromUtf8(l.text));
}

void valueLabel(LogPass& pass, double x, double y, std::string_view text)
{
    pass.canvas.PageText(x, y, MidBytes(text, 1, 3) + QC_SJ("ﾟ"));
}

} // namespace

std::string formatDate(std::string_view era, std::string_view year, std::string_view month,
                       std::string_view day)
{
    std::string out(era);
    if (isNumeric(year)) {
        const int y = cellInt(year);
        out += y == 0 ? QC_SJ("元年") : strprintf("%d", y) + QC_SJ("年");
    } else {
        // An empty year leaves the two-blank gap a user writes the year into.
        out += firstTwoBytes(year) + QC_SJ("年");
    }
    out += datePart(month, QC_SJ("月"));
    out += datePart(day, QC_SJ("日"));
    return out;
}

std::string surveyPeriodText(const Document& doc)
{
    const auto& H = doc.HeaderTable;
    return formatDate(H(HeaderEntry::StartEra), H(HeaderEntry::StartYear), H(HeaderEntry::StartMonth),
                      H(HeaderEntry::StartDay)) +
           QC_SJ("～") +
           formatDate(H(HeaderEntry::EndEra), H(HeaderEntry::EndYear), H(HeaderEntry::EndMonth),
                      H(HeaderEntry::EndDay));
}

std::string coordinateText(std::string_view degrees, std::string_view minutes, std::string_view seconds)
{
    if (degrees.empty()) return QC_SJ("　　゜　’　”");
    return strprintf("%3s", std::string(degrees).c_str()) + QC_SJ("ﾟ") + std::string(minutes) + "'" +
           std::string(seconds) + "\"";
}

std::string metresText(std::string_view value)
{
    if (!isNumeric(value)) return {};
    return strprintf("%6.2fm", cellDouble(value));
}

std::vector<std::string> roleLabelLines(std::string_view role)
{
    const int n = CharCount(role);
    if (n == 0) return {};
    if (n <= 4) return {std::string(role)};
    const std::string& boring = QC_SJ("ボーリング責任者");
    if (role == boring) return {QC_SJ("ボーリン"), QC_SJ("グ責任者")};
    const std::string& blank = QC_SJ("　");
    if (size_t pos = findText(role, blank); pos != std::string_view::npos)
        return {std::string(role.substr(0, pos)), std::string(role.substr(pos + blank.size()))};
    for (const char* suffix : {"技術者", "責任者", "代理人", "鑑定者"}) {
        const std::string s = cp932::fromUtf8(suffix);
        if (size_t pos = findText(role, s); pos != std::string_view::npos)
            return {std::string(role.substr(0, pos)), std::string(role.substr(pos))};
    }
    return {MidChars(role, 1, n / 2), MidChars(role, n / 2 + 1, 20)};
}

void drawRoleLabel(LogPass& pass, double x1, double x2, double y1, double y2, double w, double h,
                   std::string_view role)
{
    const std::vector<std::string> lines = roleLabelLines(role);
    PageCanvas& c = pass.canvas;
    if (lines.size() == 1) {
        c.PageSpreadText(x1, x2, y1, y2, w, h, lines[0]);
    } else if (lines.size() == 2) {
        const double mid = (y1 + y2) / 2;
        c.PageSpreadText(x1, x2, y1, mid, w, h, lines[0]);
        c.PageSpreadText(x1, x2, mid, y2, w, h, lines[1]);
    }
}

void drawAngleDiagram(LogPass& pass, double x, double y, std::string_view text)
{
    diagramLabels(pass, x, y,
                  {{"180ﾟ", 0.31, 0.062},
                   {"上", 1.23, 0.369},
                   {"90ﾟ", 11.08, 0.4},
                   {"下", 1.23, 0.83},
                   {"Oﾟ", 2.46, 1.154}});
    const double px = x + 0.78, py = y + 0.462;
    pass.rule(px, y, px, y + 0.923);
    pass.rule(px, py, x + 5.38, py);
    // From the downward ray, through the right side, to the upward ray.
    pass.canvas.PageArc(px, py, 0.4, px, py + 0.385, px, py - 0.385, PenStyle::Solid, pass.ruleWidth(), 0);
    double v;
    if (!diagramValue(text, -0.1, 180.1, v)) return;
    drawNeedle(pass, px, py, v - 90);
    valueLabel(pass, x + 5.54, y + 0.862, text);
}

void drawDirectionDiagram(LogPass& pass, double x, double y, std::string_view text)
{
    diagramLabels(pass, x, y,
                  {{"北", 6.46, 0.062},
                   {"Oﾟ", 12, 0.092},
                   {"27Oﾟ", 1.23, 0.415},
                   {"9Oﾟ", 16, 0.415},
                   {"西", 1.85, 0.8},
                   {"東", 17.2, 0.8},
                   {"18Oﾟ", 7.08, 1.17},
                   {"南", 12.6, 1.17}});
    const double ox = x + 10.46, oy = y + 0.277;
    const double px = ox + 0.78, py = oy + 0.462;
    pass.rule(px, oy, px, oy + 0.923);
    pass.rule(px - 4.62, py, ox + 5.38, py);
    pass.canvas.PageCircle(px, py, 0.4, PenStyle::Solid, pass.ruleWidth(), 0);
    double v;
    if (!diagramValue(text, -0.1, 360.1, v)) return;
    drawNeedle(pass, px, py, 360 - v + 90);
    valueLabel(pass, x + 0.61, y + 0.097, text);
}

void drawSlopeDiagram(LogPass& pass, double x, double y, std::string_view text)
{
    diagramLabels(pass, x, y,
                  {{"水平", 5.2, 0.37},
                   {"Oﾟ", 11.4, 0.43},
                   {"鉛", 1.23, 0.523},
                   {"直", 1.23, 0.8},
                   {"9Oﾟ", 1.23, 1.169}});
    const double ox = x + 4.92, oy = y + 0.277;
    const double px = ox + 0.78, py = oy + 0.462;
    pass.rule(px, py, px, oy + 0.923);
    pass.rule(px, py, ox + 5.38, py);
    pass.canvas.PageArc(px, py, 0.4, px, py + 0.385, px + 3.85, py, PenStyle::Solid, pass.ruleWidth(), 0);
    double v;
    if (!diagramValue(text, -0.1, 90.1, v)) return;
    drawNeedle(pass, px, py, 360 - v);
    valueLabel(pass, x + 0.61, y + 0.062, text);
}

void drawHeaderBlock(LogPass& pass, double h, double w)
{
    const auto& H = pass.doc().HeaderTable;
    PageCanvas& c = pass.canvas;
    const double y0 = rowY(0), y1 = rowY(1), y2 = rowY(2), y3 = rowY(3), y4 = rowY(4), y5 = rowY(5);

    // 1. Sheet number.
    std::string sheet = H(HeaderEntry::SheetNumber);
    if (const ViewState& view = pass.view(); view.sheetNumbersFromPages) {
        const int pages = std::max(1, pageCount(view, deepestDepth(pass.doc())));
        sheet = std::to_string(std::clamp(view.currentPage, 1, pages)) + "/" + std::to_string(pages);
    }
    if (!sheet.empty()) c.PageText(223.0, -9.0, QC_SJ("シート№") + " " + sheet);

    // 2. Frame.
    frameLine(pass, 5, y0, 274, y0);
    frameLine(pass, 5, y5, 274, y5);
    frameLine(pass, 5, y0, 5, y5);
    frameLine(pass, 274, y0, 274, y5);

    // 3. Horizontal rules.
    for (double y : {y1, y2, y3}) pass.rule(5, y, 274, y);
    pass.rule(5, y4, 47, y4);
    pass.rule(132, y4, 274, y4);

    // 4. Vertical rules.
    pass.rule(31, y0, 31, y5);
    for (double x : {86.0, 102.0}) {
        pass.rule(x, y0, x, y1);
        pass.rule(x, y2, x, y3);
    }
    for (double x : {132.0, 148.0}) pass.rule(x, y1, x, y5);
    for (double x : {177.0, 193.0}) pass.rule(x, y2, x, y3);
    for (double x : {222.0, 239.0}) pass.rule(x, y0, x, y3);
    for (double x : {47.0, 55.0, 71.0, 79.0, 100.0, 108.0, 124.0}) pass.rule(x, y3, x, y5);
    for (double x : {200.0, 216.0}) pass.rule(x, y4, x, y5);

    // 5, 6. Cells.
    label(pass, QC_SJ("ボーリング名"), 6.2, 29.8, 0, w, h);
    value(pass, 32.2, 0, h, H(HeaderEntry::BoringName));
    label(pass, QC_SJ("調査位置"), 87.2, 100.8, 0, w, h);
    value(pass, 103.2, 0, h, H(HeaderEntry::Location));
    label(pass, QC_SJ(" 北緯 "), 222, 239, 0, w, h);
    value(pass, 240.2, 0, h,
          coordinateText(H(HeaderEntry::LatitudeDeg), H(HeaderEntry::LatitudeMin),
                         H(HeaderEntry::LatitudeSec)));

    label(pass, QC_SJ("発注機関"), 6.2, 29.2, 1, w, h);
    value(pass, 32.2, 1, h, H(HeaderEntry::Orderer));
    label(pass, QC_SJ("調査期間"), 133.2, 146.8, 1, w, h);
    value(pass, 149.2, 1, h, surveyPeriodText(pass.doc()));
    label(pass, QC_SJ(" 東経 "), 222, 239, 1, w, h);
    value(pass, 240.2, 1, h,
          coordinateText(H(HeaderEntry::LongitudeDeg), H(HeaderEntry::LongitudeMin),
                         H(HeaderEntry::LongitudeSec)));

    label(pass, QC_SJ("調査業者名"), 6.2, 29.8, 2, w, h);
    c.PageTwoTexts(32.0, y2, y3, H(HeaderEntry::Company), H(HeaderEntry::Telephone));
    drawRoleLabel(pass, 87.2, 100.8, y2, y3, w, h, H(HeaderEntry::Role1));
    value(pass, 103.2, 2, h, H(HeaderEntry::Engineer1));
    drawRoleLabel(pass, 133.2, 146.8, y2, y3, w, h, H(HeaderEntry::Role2));
    value(pass, 149.2, 2, h, H(HeaderEntry::Engineer2));
    drawRoleLabel(pass, 178.2, 191.8, y2, y3, w, h, H(HeaderEntry::Role3));
    value(pass, 194.2, 2, h, H(HeaderEntry::Engineer3));
    drawRoleLabel(pass, 223.2, 237.8, y2, y3, w, h, H(HeaderEntry::Role4));
    value(pass, 240.2, 2, h, H(HeaderEntry::Engineer4));

    label(pass, QC_SJ("孔口標高"), 6.2, 29.8, 3, w, h);
    c.PageTextMidline(35.0, y3, (y3 + y4) / 2, h, H(HeaderEntry::DatumKind));
    c.PageTextMidline(32.2, (y3 + y4) / 2, y4, h, metresText(H(HeaderEntry::Elevation)));
    centredChar(pass, QC_SJ("角"), 47, 55, 3, w, h);
    centredChar(pass, QC_SJ("度"), 47, 55, 4, w, h);
    centredChar(pass, QC_SJ("方"), 71, 79, 3, w, h);
    centredChar(pass, QC_SJ("位"), 71, 79, 4, w, h);
    c.PageVerticalText(100, 108, y3 + 0.1, y5 - 0.1, w, h, QC_SJ("地盤勾配"));
    c.PageVerticalText(124, 132, y3 + 0.1, y5 - 0.1, w, h, QC_SJ("使用機種"));
    label(pass, QC_SJ("試錐機"), 133.2, 146.8, 3, w, h);
    value(pass, 149.2, 3, h, H(HeaderEntry::DrillingMachine));

    label(pass, QC_SJ("総削孔長"), 6.2, 29.8, 4, w, h);
    value(pass, 32.2, 4, h, metresText(H(HeaderEntry::TotalLength)));
    label(pass, QC_SJ("エンジン"), 133.2, 146.8, 4, w, h);
    value(pass, 149.2, 4, h, H(HeaderEntry::Engine));
    label(pass, QC_SJ("ポンプ"), 201.2, 214.8, 4, w, h);
    value(pass, 217.2, 4, h, H(HeaderEntry::Pump));

    // 7. Diagrams.
    drawAngleDiagram(pass, 55, y3, H(HeaderEntry::HoleAngle));
    drawDirectionDiagram(pass, 79, y3, H(HeaderEntry::Bearing));
    drawSlopeDiagram(pass, 108, y3, H(HeaderEntry::GroundSlope));
}

void drawCompactHeader(LogPass& pass, double y0, double h, double w)
{
    const auto& H = pass.doc().HeaderTable;
    PageCanvas& c = pass.canvas;
    const std::string& boringLabel = QC_SJ("ボーリング名");
    c.PageText(28.0, y0, strprintf("%s  %s", boringLabel.c_str(), H(HeaderEntry::BoringName).c_str()));
    c.PageText(124.0, y0, strprintf("%s  %s", QC_SJ("調査位置").c_str(), H(HeaderEntry::Location).c_str()));

    // Line 2: the elevation label as wide as "ボーリング名" above it.
    const double y = y0 + 0.6;
    const double labelWidth = c.textWidthMm(boringLabel);
    const TextAlign align = c.textAlign();
    c.PageSpreadText(28.0, 28.0 + labelWidth, y - h / 2, y - h / 2, w, h, QC_SJ("孔口標高"));
    c.setTextAlign(align);
    const std::string elevation = isNumeric(H(HeaderEntry::Elevation))
                                      ? strprintf("%3.2fm", cellDouble(H(HeaderEntry::Elevation)))
                                      : std::string("m");
    c.PageText(
        28.0 + labelWidth, y,
        strprintf("%s%s %s", QC_SJ("　").c_str(), H(HeaderEntry::DatumKind).c_str(), elevation.c_str()));
    c.PageText(124.0, y,
               strprintf("%s  %s", QC_SJ("調査期間").c_str(), surveyPeriodText(pass.doc()).c_str()));
}

std::vector<std::string> defaultRoleTitles()
{
    return {QC_SJ("主任技師"), QC_SJ("現　場代理人"), QC_SJ("コ　ア鑑定者"), QC_SJ("ボーリング責任者")};
}

bool applyDefaultRoleTitles(Document& doc)
{
    for (int e = 41; e <= 44; ++e)
        if (!doc.HeaderTable(e).empty()) return false;
    const std::vector<std::string> roles = defaultRoleTitles();
    for (int e = 41; e <= 44; ++e) doc.HeaderTable(e) = roles[static_cast<size_t>(e - 41)];
    return true;
}

} // namespace qc
