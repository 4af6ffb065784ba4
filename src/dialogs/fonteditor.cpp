#include "dialogs/fonteditor.h"

#include "document/cp932.h"
#include "platform/fontchooser.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qc {

namespace {

const std::string& pick(int role, const std::string (&texts)[7])
{
    return texts[role >= 1 && role <= 6 ? role : 0];
}

} // namespace

FontEditor::FontEditor(const FontSettings& fonts, FontChooser& chooser) : m_fonts(fonts), m_chooser(chooser)
{
}

const std::string& FontEditor::buttonLabel(int role)
{
    static const std::string labels[7] = {"",
                                          QC_SJ("　見出し"),
                                          QC_SJ("　項目部"),
                                          QC_SJ("　柱状図"),
                                          QC_SJ("　記事"),
                                          QC_SJ("　グラフ凡例"),
                                          QC_SJ("　ページ")};
    return pick(role, labels);
}

const std::string& FontEditor::usage(int role)
{
    static const std::string texts[7] = {"",
                                         QC_SJ("調査名～使用機種 フッタ社名"),
                                         QC_SJ("上部枠内の深度、土質区分、粒度などの項目名"),
                                         QC_SJ("観察記事を除く柱状図枠内"),
                                         QC_SJ("観察記事"),
                                         QC_SJ("上部枠内の化学試験名、凡例、目盛り"),
                                         QC_SJ("フッタ ページ部分")};
    return pick(role, texts);
}

std::string FontEditor::sizeText(int role) const
{
    const double points = m_fonts[role].points;
    char buf[64];
    std::snprintf(buf, sizeof buf, " %2d     (%.1f)", static_cast<int>(std::lround(points)), points);
    return buf;
}

std::string FontEditor::faceText(int role) const
{
    const std::string& face = m_fonts[role].face;
    return face.empty() ? QC_SJ("ＭＳ 明朝") : face;
}

double FontEditor::pointsFromHeight(int logicalHeight, int dpiY)
{
    if (dpiY <= 0) return 0;
    return std::abs(logicalHeight) * 72.0 / dpiY;
}

bool FontEditor::choose(int role)
{
    if (role < 1 || role > 6) return false;
    FontRole& r = m_fonts[role];
    const std::optional<FontChoice> c = m_chooser.choose(FontRequest{faceText(role), r.colour});
    if (!c) return false;
    const double points = pointsFromHeight(c->logicalHeight, c->displayDpiY);
    if (points > 0) r.points = points;
    if (!c->face.empty()) r.face = c->face;
    r.colour = c->colour & 0xFFFFFFu;
    r.option = c->underline ? 1 : 0;
    return true;
}

void FontEditor::defaults()
{
    for (int role : kRoles) {
        FontRole& r = m_fonts[role];
        r.points = defaultFontPoints(role);
        r.face = defaultFontFace(role);
        r.colour = 0;
        r.option = 0;
    }
}

} // namespace qc
