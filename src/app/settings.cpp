#include "app/settings.h"

#include "document/cp932.h"
#include "document/fieldtext.h"

namespace qc {

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
    s.setInt(3, 10);  // tick spacing
    s.setInt(4, 5);   // tick step choice
    s.setInt(5, 1);   // sample bottom depth below the depth line
    s.setInt(8, 2);   // frame
    s.setInt(9, 1);   // rules and underlines
    s.setInt(11, 2);  // symbols
    const int grids[4][3] = {{1, 10, 0}, {0, 5, 0}, {1, 10, 0}, {0, 5, 0}};
    for (int g = 0; g < 4; ++g)
        for (int k = 0; k < 3; ++k) s.setInt(12 + 3 * g + k, grids[g][k]);
    s.setInt(31, 1);
    s.setText(34, QC_SJ("自沈"));
    s.setText(35, QC_SJ("貫入不能"));
    s.setText(49, QC_SJ("株式会社"));
    s.setInt(51, 5);
    s.setInt(52, 5);
    s.setText(57, "0x808080");
    s.setText(58, "0xcccccc");
    s.setText(59, "0x808080");
    s.setText(60, "0xcccccc");
    return s;
}

double defaultFontPoints(int role)
{
    switch (role) {
    case 1: return 10;
    case 4: return 7;
    case 6: return 9;
    default: return 8;
    }
}

FontSettings builtinFonts()
{
    FontSettings f;
    for (int r = 1; r <= 6; ++r) f[r].points = defaultFontPoints(r);
    return f;
}

} // namespace qc
