// Way into render: filling a layer with its pattern (benchmarked on its own).
#pragma once
// Filling one geology layer of the pattern column with its vector patterns,
// bitmap tiles or block marks.

#include "render/detail/bitmappattern.h"
#include "render/pagecanvas.h"

#include <string>
#include <vector>

namespace qc {

struct Document;
class Settings;
class PatternColourTable;

// What the fill reads besides the layer row.
struct PatternFillInputs
{
    const Document& doc;
    // PatternUse, PatternAllBlack, OverlayShiftOff, BitmapMonochrome and the rule line width.
    const Settings& settings;
    const PatternColourTable& colours;
    std::string bitmapFolder; // the colour folder; "01" is appended for monochrome
    double x4 = 0;            // left edge of the pattern column (page mm)
    double depthPerPage = 0;  // metres
    double clipWidthMm = 290; // right edge of the clip of the log body
};

class PatternFill
{
public:
    // rowMarks, when given, holds one byte per GeologyTable row (index = row);
    // rows inside a multi-layer two-part block get the mark 2.
    PatternFill(PageCanvas& canvas, const PatternFillInputs& inputs,
                std::vector<unsigned char>* rowMarks = nullptr)
        : m_c(canvas), m_in(inputs), m_marks(rowMarks)
    {
    }

    // Fills the layer of GeologyTable row `row`, spanning x4 to x4 + columnWidth.
    // Returns 1 when a step that ran had a pattern number of 1 or more, else 0.
    int FillLayerPattern(int row, bool markFlag, int penWidth, double bottom, double top, double thickness,
                         double pageTop, double columnWidth);

    // The percentage rule: the integer value of the text; not a number gives
    // 100, below 1 or above 100 gives 50.
    static int displayPercentage(const std::string& cell);

private:
    enum class Step { Vector, Bitmap };

    struct Layer
    {
        int row = 0;
        bool markFlag = false;
        int penWidth = 1;
        double bottom = 0, top = 0, thickness = 0, pageTop = 0, W = 0;
        double f1 = 1, f2 = 0;
        bool divider = true;
    };

    struct Part
    {
        int index = 1; // 1 or 2
        long number = 0;
        double U = 0, S = 0, F = 1;
    };

    // Returns true when the step drew (its last draw call returned 1, or a block mark was drawn).
    bool runStep(Step step, const Layer& layer, int& result);
    // Draws the components of one part; returns the result of the last draw call, or -1 when none ran.
    int drawPart(Step step, const Layer& layer, const Part& part);
    void drawBlock(Step step, const Layer& layer, int type, long second);

    PageCanvas& m_c;
    PatternFillInputs m_in;
    std::vector<unsigned char>* m_marks;
    std::string m_folder;
    long m_processed = 0;
    bool m_stop = false;
    TileComposer m_composer;
};

} // namespace qc
