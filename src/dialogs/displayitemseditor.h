#pragma once
// The "表示項目" dialog: which columns the log shows, their widths, the graph
// grid widths and three column titles, with running totals against the usable
// width of the log, equal graph widths and the two examples.

#include <array>
#include <string>
#include <vector>

namespace qc {

// "表示項目": DisplayItemTable rows 1 to 16, as the command hands them over.
struct DisplayItemsData
{
    std::array<int, 17> shown{};           // column 1 as a number, rows 2 to 16
    std::array<std::string, 17> width;     // column 2
    std::array<std::string, 17> gridWidth; // column 3 (graph rows 8 to 12)
    std::array<std::string, 17> title;     // column 4 (rows 1, 3, 4)
    bool referenceLines = true;            // "基準値線を表示" (ReferenceLinesCell)
};

class DisplayItemsEditor
{
public:
    // The usable width of the log ("標題部幅").
    static constexpr double kLogWidthMm = 269.0;

    explicit DisplayItemsEditor(DisplayItemsData data);

    const DisplayItemsData& data() const { return m_data; }

    // Rows whose width the dialog edits; the others are fixed by the layout
    // and only shown.
    static bool widthEditable(int row);
    static bool isGraphRow(int row);
    static bool isBasicRow(int row); // the items beside the fixed part, graphs excluded
    // The items of a title combo (rows 1, 3 and 4), CP932; empty for the others.
    static const std::vector<std::string>& titleItems(int row);
    // Width from the depth scale to the geology name, always drawn.
    static double fixedPartWidth();

    bool shown(int row) const;
    // Ticking an item recomputes the total it belongs to.
    void setShown(int row, bool on);
    void setWidth(int row, std::string text);
    void setGridWidth(int row, std::string text);
    void setTitle(int row, std::string text);
    void setReferenceLines(bool on) { m_data.referenceLines = on; }
    // A width field lost the focus: its total is recomputed.
    void widthLeft(int row);

    double basicTotal() const { return m_basicTotal; }
    double graphRoom() const { return kLogWidthMm - m_basicTotal; }
    double graphTotal() const { return m_graphTotal; }
    double overallTotal() const { return m_overallTotal; }
    // The totals as the dialog shows them ("%.1f").
    static std::string formatMm(double mm);

    void recomputeBasic();
    void recomputeGraphs();
    // "柱状図部幅": basic total plus graph total.
    void recomputeOverall();

    // "幅均等": the room left shared by the ticked graphs; nothing without one.
    void equalWidths();
    // "グラフ5枚" and "グラフ3枚": the two examples.
    void fiveGraphs();
    void threeGraphs();

    // Before OK the basic and graph totals are recomputed once more.
    void accept();

private:
    double widthOf(int row) const;
    void example(int graphs, const char* grainSize, const char* gridWidth);

    DisplayItemsData m_data;
    double m_basicTotal = 0;
    double m_graphTotal = 0;
    double m_overallTotal = 0;
};

} // namespace qc
