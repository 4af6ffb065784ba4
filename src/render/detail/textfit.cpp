#include "render/detail/textfit.h"

#include "document/cp932.h"
#include "document/textops.h"
#include "render/logpage.h"

namespace qc {

namespace {

// Sizes tried before eliding, from the role's own size down.
constexpr double kSteps[] = {0.95, 0.9, 0.85, 0.8, 0.75, kSmallestFit};

} // namespace

double selectRoleScaled(LogPass& pass, int role, double scale)
{
    const FontRole& r = pass.ctx.fonts[role];
    const int devH = fontDeviceSize(pass.device.logPixelsY(), r.points * scale);
    (void)pass.canvas.SelectTextFont(r.colour, devH, roleFace(pass.ctx.fonts, role), 0);
    return pass.geo.deviceToYUnits(devH);
}

FittedText fitText(LogPass& pass, int role, std::string_view text, double widthMm)
{
    PageCanvas& c = pass.canvas;
    FittedText fit{std::string(text), 1, c.textWidthMm(text)};
    if (fit.width <= widthMm || text.empty()) return fit;
    bool fitted = false;
    for (const double scale : kSteps) {
        selectRoleScaled(pass, role, scale);
        fit.scale = scale;
        fit.width = c.textWidthMm(text);
        if (fit.width <= widthMm) {
            fitted = true;
            break;
        }
    }
    if (!fitted) {
        // Cut at a character boundary, never inside a two-byte character.
        const std::string& ellipsis = QC_SJ("…");
        std::string kept;
        double keptWidth = c.textWidthMm(ellipsis);
        for (size_t p = 0; p < text.size();) {
            const size_t n = charLengthAt(text, p);
            const std::string candidate = kept + std::string(text.substr(p, n));
            const double w = c.textWidthMm(candidate + ellipsis);
            if (w > widthMm && !kept.empty()) break; // the first character stays, whatever the room
            kept = candidate;
            keptWidth = w;
            p += n;
        }
        fit.text = kept + ellipsis;
        fit.width = keptWidth;
    }
    pass.selectRole(role);
    return fit;
}

void drawFitted(LogPass& pass, int role, std::string_view text, double x, double y, double widthMm,
                TextAlign align)
{
    if (text.empty()) return;
    PageCanvas& c = pass.canvas;
    const FittedText fit = fitText(pass, role, text, widthMm);
    if (fit.scale != 1) selectRoleScaled(pass, role, fit.scale);
    const TextAlign previous = c.textAlign();
    c.setTextAlign(align);
    c.PageText(x, y, fit.text);
    c.setTextAlign(previous);
    if (fit.scale != 1) pass.selectRole(role);
}

} // namespace qc
