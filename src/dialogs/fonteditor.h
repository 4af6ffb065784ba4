#pragma once
// The "フォント" dialog: typeface, size, colour and underline of the six text
// roles of the log, chosen with the platform's font chooser. It edits a copy
// of the font settings; OK gives it back for the command to store.

#include "app/settings.h"

#include <string>

namespace qc {

class FontChooser;

class FontEditor
{
public:
    // The rows of the dialog in their order, by font file number.
    static constexpr int kRoles[6] = {FontSettings::Heading, FontSettings::Items,       FontSettings::Body,
                                      FontSettings::Notes,   FontSettings::GraphLegend, FontSettings::Page};

    FontEditor(const FontSettings& fonts, FontChooser& chooser);

    // Button label and what the role is used for (CP932), by font file number.
    static const std::string& buttonLabel(int role);
    static const std::string& usage(int role);

    const FontSettings& fonts() const { return m_fonts; }
    // The size field: the size rounded to a whole number, then the exact size ("%2d     (%.1f)").
    std::string sizeText(int role) const;
    // The face field.
    std::string faceText(int role) const;

    // A role's button: the chooser preset with the role's face and colour;
    // true when a font was chosen.
    bool choose(int role);
    // "標準の設定": every role gets its default face and size, black, no underline.
    void defaults();

    // The size in points of a chooser's logical height on a display of that resolution.
    static double pointsFromHeight(int logicalHeight, int dpiY);

private:
    FontSettings m_fonts;
    FontChooser& m_chooser;
};

} // namespace qc
