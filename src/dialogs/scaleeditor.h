#pragma once
// The "縮尺と印刷深度" dialog: the two scale denominators, the depth-part
// option, the paper length, the largest depth per page recomputed from the
// depth scale, the print start depth, the page depth and the overlap, each
// checked against its range on OK.

#include <string>

namespace qc {

class Prompter;

// "縮尺と表示深度", as the command hands it over.
struct ScaleDialogData
{
    int horizontalScaleDenominator = 100;
    int depthScaleDenominator = 100;
    bool scaleDepthPartOnly = false;
    int paperHeightMm = 0;   // read-only
    int maxDepthPerPage = 0; // read-only
    double printStartDepth = 0;
    int depthPerPage = 0;
    int pageOverlap = 0;
    // For the dialog's own recomputation of the largest page depth.
    bool compactHeader = false;
    int marginTopMm = 5;
};

class ScaleEditor
{
public:
    // The edit fields, in the order OK checks them.
    enum Field { HorizontalScale, DepthScale, PrintStart, DepthPerPage, Overlap, FieldCount };

    ScaleEditor(const ScaleDialogData& data, Prompter& prompter);

    const std::string& text(Field f) const { return m_text[f]; }
    void setText(Field f, std::string text) { m_text[f] = std::move(text); }
    bool depthPartOnly() const { return m_depthPartOnly; }
    void setDepthPartOnly(bool on) { m_depthPartOnly = on; }
    // Read-only fields: the paper length and the largest depth per page ("%d").
    std::string paperLengthText() const;
    const std::string& maxDepthText() const { return m_maxDepthText; }

    // The depth scale field lost the focus: the largest depth per page is
    // recomputed for the scale typed; 0 or less says "作図長さがありません".
    void depthScaleLeft();

    // OK: every field within its range, or the range message and the field to
    // focus. On success data() holds the values.
    [[nodiscard]] bool accept(Field* refused = nullptr);
    const ScaleDialogData& data() const { return m_data; }

    // A whole number (blanks around allowed) or a real number in full; nothing else.
    static bool parseWhole(const std::string& text, long& value);
    static bool parseReal(const std::string& text, double& value);

private:
    ScaleDialogData m_data;
    Prompter& m_prompter;
    std::string m_text[FieldCount];
    bool m_depthPartOnly = false;
    std::string m_maxDepthText;
};

} // namespace qc
