#pragma once
// Program-wide settings of the install folder: the 71 lines of "Sys.ndx" and the
// six text-role fonts of "Font1.ndx" to "Font6.ndx". They are not part of the
// document and live for the whole process.

#include <array>
#include <cstdint>
#include <string>

namespace qc {

// The lines of the settings file, by line number (0 to 70). Integer lines are
// kept as their decimal value; text lines as stored (CP932).
class Settings
{
public:
    static constexpr int kLines = 71;

    int intAt(int line) const { return valid(line) ? m_ints[static_cast<size_t>(line)] : 0; }
    void setInt(int line, int value)
    {
        if (valid(line)) m_ints[static_cast<size_t>(line)] = value;
    }
    const std::string& textAt(int line) const { return m_texts[valid(line) ? static_cast<size_t>(line) : 0]; }
    void setText(int line, std::string text)
    {
        if (valid(line)) m_texts[static_cast<size_t>(line)] = std::move(text);
    }

    // StyleSettings
    int graphTickMm() const { return intAt(3); }                // "きざみ"
    int graphTickStep() const { return intAt(4); }              // 1, 2 or 5
    int sampleBottomLabelPosition() const { return intAt(5); }  // 0 above, 1 below, 2 none
    bool horizontalGridAcrossGraphs() const { return intAt(7) != 0; }
    int frameWidth() const { return intAt(8); }                 // "外枠"
    int ruleWidth() const { return intAt(9); }                  // "罫線/下線"
    int depthScaleOption() const { return intAt(10); }
    int symbolLineWidth() const { return intAt(11); }           // "シンボル"
    // Graph grids: 0 vertical 1, 1 vertical 2, 2 horizontal 1, 3 horizontal 2.
    int gridWidth(int grid) const { return intAt(12 + 3 * grid); }
    int gridDash(int grid) const { return intAt(13 + 3 * grid); }
    int gridGap(int grid) const { return intAt(14 + 3 * grid); }
    uint32_t gridColour(int grid) const;                        // lines 57 to 60, 0x00BBGGRR
    bool gridMonochrome() const { return intAt(56) == 1; }
    int legendSymbolPosition() const { return intAt(47); }      // 0 left, 1 right, 2 none
    bool alphabetSymbols() const { return intAt(48) != 0; }     // "ｱﾙﾌｧﾍﾞｯﾄ記号をつける"
    const std::string& companyName() const { return textAt(49); }
    const std::string& telephone() const { return textAt(50); }
    int marginLeftMm() const { return intAt(51); }
    int marginTopMm() const { return intAt(52); }

    // Pattern options (geology-name master editor)
    int patternUse() const { return intAt(25); }     // 0 vector only, 1 vector first, 2 bitmap first, 3 bitmap only
    int patternOption() const { return intAt(27); }
    int mixedSandyMarks() const { return intAt(28); } // "混り/質"

    // KeyOptions
    int enterKeyMode() const { return intAt(31); }   // 0 standard, 1 next field, 2 swallowed
    bool scrollToLastRow() const { return intAt(32) == 1; }

    // ScaleSettings kept in the file
    int depthPerPage() const { return intAt(53); }
    int pageOverlap() const { return intAt(54); }
    bool scaleDepthPartOnly() const { return intAt(55) != 0; }

    // Which lines hold text rather than integers.
    static bool isTextLine(int line);

private:
    static bool valid(int line) { return line >= 0 && line < kLines; }
    std::array<int, kLines> m_ints{};
    std::array<std::string, kLines> m_texts{};
};

// The settings used when the settings file is missing.
Settings builtinSettings();

// One text role: "見出し", "項目部", "グラフ凡例", "柱状図", "記事", "ページ"
// (font files 1 to 6 in this order).
struct FontRole
{
    double points = 10;
    std::string face;     // CP932; empty means "ＭＳ 明朝"
    uint32_t colour = 0;  // 0x00BBGGRR
    int option = 0;
};

struct FontSettings
{
    enum Role { Heading = 1, Items = 2, GraphLegend = 3, Body = 4, Notes = 5, Page = 6 };
    std::array<FontRole, 7> roles; // 1 to 6 used
    FontRole& operator[](int role) { return roles[static_cast<size_t>(role >= 1 && role <= 6 ? role : 0)]; }
    const FontRole& operator[](int role) const
    {
        return roles[static_cast<size_t>(role >= 1 && role <= 6 ? role : 0)];
    }
};

// Default sizes per font file: 10, 8, 8, 7, 8, 9 points.
double defaultFontPoints(int role);
FontSettings builtinFonts();

} // namespace qc
