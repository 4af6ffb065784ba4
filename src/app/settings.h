#pragma once
// Program-wide settings of the install folder: the 71 lines of "Sys.ndx" and the
// six text-role fonts of "Font1.ndx" to "Font6.ndx". They are not part of the
// document and live for the whole process.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

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
    int graphTickMm() const { return intAt(3); }               // "きざみ"
    int graphTickStep() const { return intAt(4); }             // 1, 2 or 5
    int sampleBottomLabelPosition() const { return intAt(5); } // 0 above, 1 below, 2 none
    bool horizontalGridAcrossGraphs() const { return intAt(7) != 0; }
    int frameWidth() const { return intAt(8); } // "外枠"
    int ruleWidth() const { return intAt(9); }  // "罫線/下線"
    int depthScaleOption() const { return intAt(10); }
    int symbolLineWidth() const { return intAt(11); } // "シンボル"
    // Graph grids: 0 vertical 1, 1 vertical 2, 2 horizontal 1, 3 horizontal 2.
    int gridWidth(int grid) const { return intAt(12 + 3 * grid); }
    int gridDash(int grid) const { return intAt(13 + 3 * grid); }
    int gridGap(int grid) const { return intAt(14 + 3 * grid); }
    uint32_t gridColour(int grid) const; // lines 57 to 60, 0x00BBGGRR
    bool gridMonochrome() const { return intAt(56) == 1; }
    int legendSymbolPosition() const { return intAt(47); }  // 0 left, 1 right, 2 none
    bool alphabetSymbols() const { return intAt(48) != 0; } // "ｱﾙﾌｧﾍﾞｯﾄ記号をつける"
    const std::string& companyName() const { return textAt(49); }
    const std::string& telephone() const { return textAt(50); }
    int marginLeftMm() const { return intAt(51); }
    int marginTopMm() const { return intAt(52); }

    // Pattern options (geology-name master editor)
    // 0 vector only, 1 vector first, 2 bitmap first, 3 bitmap only.
    int PatternUse() const { return intAt(25); }
    // Index of the pattern line width "1", "2", "3".
    int patternLineWidthIndex() const { return intAt(27); }
    // "混じり／質": 1 keeps the overlay shift flag away from units overlays.
    bool OverlayShiftOff() const { return intAt(28) == 1; }
    // The two pattern options of the master editor that are not stored in the
    // file and last only while the program runs.
    bool PatternAllBlack() const { return m_patternAllBlack; }
    void setPatternAllBlack(bool on) { m_patternAllBlack = on; }
    bool BitmapMonochrome() const { return m_bitmapMonochrome; }
    void setBitmapMonochrome(bool on) { m_bitmapMonochrome = on; }

    // KeyOptions
    int enterKeyMode() const { return intAt(31); } // 0 standard, 1 next field, 2 swallowed
    bool scrollToLastRow() const { return intAt(32) == 1; }

    // Penetration test texts ("自沈", "貫入不能").
    const std::string& selfSinkingText() const { return textAt(34); }
    const std::string& impossiblePenetrationText() const { return textAt(35); }

    // ScaleSettings kept in the file
    int depthPerPage() const { return intAt(53); }
    int pageOverlap() const { return intAt(54); }
    bool scaleDepthPartOnly() const { return intAt(55) != 0; }

    // Which lines hold text rather than integers.
    static bool isTextLine(int line);

    // Which lines the reader takes from the file: the listed lines except the
    // version line 0 and the texts that are written for information only.
    static bool isReadLine(int line);
    // Lines that carry a setting at all; the others are written as one blank.
    static bool isListedLine(int line);

    // The settings lines themselves, without the options that last only while
    // the program runs.
    bool sameLines(const Settings& other) const { return m_ints == other.m_ints && m_texts == other.m_texts; }

private:
    static bool valid(int line) { return line >= 0 && line < kLines; }
    std::array<int, kLines> m_ints{};
    std::array<std::string, kLines> m_texts{};
    bool m_patternAllBlack = false;
    bool m_bitmapMonochrome = false;
};

// The settings used when the settings file is missing.
Settings builtinSettings();

// Reads the lines of a settings file over base: listed integer lines take the
// decimal value of the line (0 when it fails the numeric test; line 31 then
// becomes 1), text lines the line as stored (cut to 118 bytes). Lines missing
// from a short file keep the value of base.
Settings parseSettings(std::string_view bytes, const Settings& base = builtinSettings());
// What every load does after reading (or after falling back to the built-in
// settings): margins outside 1 to 100 become 5, line 2 becomes 1.
void applySettingsLoadRules(Settings& settings);
// The 71 lines of the file: line 0 "780", integers "%d", texts as stored,
// other lines one blank, each followed by CR LF.
std::string formatSettings(const Settings& settings);
// Writes the settings file atomically; false when it cannot be written
// (callers may ignore it: the settings stay in force for this run).
[[nodiscard]] bool writeSettingsFile(const std::string& path, const Settings& settings);

// One text role. The font files map to the roles as the font dialog lists
// them: 1 "見出し", 2 "項目部", 3 "柱状図", 4 "記事", 5 "グラフ凡例", 6 "ページ".
struct FontRole
{
    double points = 10;
    std::string face;    // CP932; empty means "ＭＳ 明朝"
    uint32_t colour = 0; // 0x00BBGGRR
    int option = 0;      // the underline flag of the font dialog
    bool underline() const { return option != 0; }
    bool operator==(const FontRole&) const = default;
};

struct FontSettings
{
    // Role numbers are the numbers of the font files.
    enum Role { Heading = 1, Items = 2, Body = 3, Notes = 4, GraphLegend = 5, Page = 6 };
    std::array<FontRole, 7> roles; // 1 to 6 used
    bool operator==(const FontSettings&) const = default;
    FontRole& operator[](int role) { return roles[static_cast<size_t>(role >= 1 && role <= 6 ? role : 0)]; }
    const FontRole& operator[](int role) const
    {
        return roles[static_cast<size_t>(role >= 1 && role <= 6 ? role : 0)];
    }
};

// Default sizes per font file: 10, 8, 8, 7, 8, 9 points.
double defaultFontPoints(int role);
// Default face per font file: "ＭＳ Ｐ明朝" for file 2, "ＭＳ 明朝" for the others (CP932).
const std::string& defaultFontFace(int role);
FontSettings builtinFonts();

// Size limits per font file: a size outside them is replaced by the default.
double clampFontPoints(int role, double points);

// Reads one font file (four lines: size, face, colour in base 10 or "0x" base
// 16, option); colour and option start at 0, the size is clamped and an empty
// face means "ＭＳ 明朝".
FontRole parseFontFile(std::string_view bytes, int role);
// The four lines "%.1f", "%s", "%ld", "%d", each followed by CR LF.
std::string formatFontFile(const FontRole& font);
[[nodiscard]] bool writeFontFile(const std::string& path, const FontRole& font);

} // namespace qc
