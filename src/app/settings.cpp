#include "app/settings.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/linereader.h"
#include "platform/files.h"

#include <cstdio>

namespace qc {

namespace {

// A settings line is read into a 119-byte buffer, a font line into 79 bytes,
// each including the line feed.
constexpr size_t kSettingsLineBytes = 118;
constexpr size_t kFontLineBytes = 78;

void appendLine(std::string& out, std::string_view line)
{
    out += line;
    out += "\r\n";
}

} // namespace

bool Settings::isTextLine(int line)
{
    switch (line) {
    case 34:
    case 35:
    case 37:
    case 38:
    case 39:
    case 40:
    case 44:
    case 46:
    case 49:
    case 50:
    case 57:
    case 58:
    case 59:
    case 60:
        return true;
    default:
        return false;
    }
}

bool Settings::isListedLine(int line)
{
    if (line >= 1 && line <= 23) return true;
    if (line >= 25 && line <= 28) return true;
    if (line == 31 || line == 32) return true;
    if (line >= 47 && line <= 56) return true;
    return isTextLine(line);
}

bool Settings::isReadLine(int line)
{
    switch (line) {
    case 34:
    case 37:
    case 38:
    case 39:
    case 40:
    case 44:
    case 46:
        return false;
    default:
        return line != 0 && isListedLine(line);
    }
}

uint32_t Settings::gridColour(int grid) const
{
    if (grid < 0 || grid > 3) return 0;
    return static_cast<uint32_t>(parseAutoBase(textAt(57 + grid))) & 0xFFFFFFu;
}

Settings builtinSettings()
{
    Settings s;
    s.setText(0, "780");
    s.setInt(2, 1);
    s.setInt(3, 10); // tick spacing "きざみ"
    s.setInt(4, 5);  // tick step choice
    s.setInt(5, 1);  // sample bottom depth below the depth line
    s.setInt(8, 2);  // frame
    s.setInt(9, 1);  // rules and underlines
    s.setInt(11, 2); // symbols
    // Graph grids in colour: width, solid part, gap.
    const int grids[4][3] = {{1, 10, 0}, {0, 5, 0}, {1, 10, 0}, {0, 5, 0}};
    for (int g = 0; g < 4; ++g)
        for (int k = 0; k < 3; ++k) s.setInt(12 + 3 * g + k, grids[g][k]);
    s.setInt(25, 1); // vector patterns first, bitmaps where a name has none
    s.setInt(27, 0); // pattern lines one pixel wide
    s.setInt(31, 1); // Enter moves to the next field
    s.setInt(32, 1); // lists open at the last used row
    s.setText(34, QC_SJ("自沈"));
    s.setText(35, QC_SJ("貫入不能"));
    s.setInt(47, 0); // legend symbol at the left end
    s.setText(49, QC_SJ("株式会社"));
    s.setInt(51, 5);
    s.setInt(52, 5);
    s.setInt(53, 0); // depth per page: derived from the paper at the first view update
    s.setText(57, "0x808080");
    s.setText(58, "0xcccccc");
    s.setText(59, "0x808080");
    s.setText(60, "0xcccccc");
    return s;
}

Settings parseSettings(std::string_view bytes, const Settings& base)
{
    Settings s = base;
    int line = 0;
    forEachLimitedLine(bytes, kSettingsLineBytes, [&](std::string_view text) {
        const int n = line++;
        if (!Settings::isReadLine(n)) return;
        if (Settings::isTextLine(n)) {
            s.setText(n, std::string(text));
        } else if (isNumeric(text)) {
            s.setInt(n, cellInt(text));
        } else {
            s.setInt(n, n == 31 ? 1 : 0);
        }
    });
    return s;
}

void applySettingsLoadRules(Settings& s)
{
    for (int line : {51, 52})
        if (s.intAt(line) < 1 || s.intAt(line) > 100) s.setInt(line, 5);
    s.setInt(2, 1);
}

std::string formatSettings(const Settings& s)
{
    std::string out;
    for (int n = 0; n < Settings::kLines; ++n) {
        if (n == 0)
            appendLine(out, "780");
        else if (Settings::isTextLine(n))
            appendLine(out, s.textAt(n));
        else if (Settings::isListedLine(n))
            appendLine(out, std::to_string(s.intAt(n)));
        else
            appendLine(out, " ");
    }
    return out;
}

bool writeSettingsFile(const std::string& path, const Settings& settings)
{
    return writeFileAtomically(path, formatSettings(settings));
}

double defaultFontPoints(int role)
{
    switch (role) {
    case 1:
        return 10;
    case 4:
        return 7;
    case 6:
        return 9;
    default:
        return 8;
    }
}

const std::string& defaultFontFace(int role)
{
    return role == FontSettings::Items ? QC_SJ("ＭＳ Ｐ明朝") : QC_SJ("ＭＳ 明朝");
}

FontSettings builtinFonts()
{
    FontSettings f;
    for (int r = 1; r <= 6; ++r) {
        f[r].points = defaultFontPoints(r);
        f[r].face = defaultFontFace(r);
    }
    return f;
}

double clampFontPoints(int role, double points)
{
    const double upper = role == 1 ? 400 : 100;
    if (points > 1 && points <= upper) return points;
    return defaultFontPoints(role);
}

FontRole parseFontFile(std::string_view bytes, int role)
{
    FontRole f;
    f.points = 0;
    int line = 0;
    forEachLimitedLine(bytes, kFontLineBytes, [&](std::string_view text) {
        switch (line++) {
        case 0:
            f.points = cellDouble(text);
            break;
        case 1:
            f.face = std::string(text);
            break;
        case 2:
            f.colour = static_cast<uint32_t>(parseAutoBase(text));
            break;
        case 3:
            f.option = cellInt(text);
            break;
        default:
            break;
        }
    });
    f.points = clampFontPoints(role, f.points);
    if (f.face.empty()) f.face = QC_SJ("ＭＳ 明朝");
    return f;
}

std::string formatFontFile(const FontRole& font)
{
    char size[64];
    std::snprintf(size, sizeof size, "%.1f", font.points);
    std::string out;
    appendLine(out, size);
    appendLine(out, font.face);
    appendLine(out, std::to_string(static_cast<long>(font.colour)));
    appendLine(out, std::to_string(font.option));
    return out;
}

bool writeFontFile(const std::string& path, const FontRole& font)
{
    return writeFileAtomically(path, formatFontFile(font));
}

} // namespace qc
