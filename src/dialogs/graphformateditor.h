#pragma once
// The graph format dialog ("グラフ書式") over one graph's block of
// GraphFormatTable: two titles and their placement, the legend placement, the
// grid (linear or logarithmic) and ten test slots with their scales. The
// controls' texts are kept as the block's cells, [row][field]; the radios as
// the numbers the block stores.

#include "dialogs/chemimport.h"

#include <string>
#include <vector>

namespace qc {

struct Document;
class FileChooser;
class Prompter;

class GraphFormatEditor
{
public:
    // graphText is what the view puts into the graph number field ("1" to "5").
    GraphFormatEditor(Document& doc, std::string graphText, Prompter& prompter, std::string memoPath);

    static const std::vector<std::string>& title1Items();
    static const std::vector<std::string>& title2Items();

    // Opening: the message when no test has a name, the block into the controls, the log grid limits.
    void open();

    int graph() const { return m_graph; }
    // "[描画部幅 %gmm]".
    std::string widthText() const;
    // The test list: the names of tests 1 to 48.
    const std::string& testName(int n) const;

    // Texts of the edit and combo controls (row 1 to 14, field 1 to 11).
    const std::string& cell(int row, int field) const;
    void setCell(int row, int field, std::string text);
    // Radio groups: the stored number, a number outside the group's range shows its first radio.
    int radio(int row, int field) const;
    void setRadio(int row, int field, int value);
    // Slot s (1 to 10): its "表示" box.
    bool showNumbers(int s) const;
    void setShowNumbers(int s, bool on);

    // Grid kind: which scale fields are enabled.
    bool linearEnabled() const { return radio(4, 1) == 0; }
    bool multiplierEnabled() const { return !linearEnabled(); }

    int currentSlot() const { return m_slot; }
    void slotNumberFocused(int s);
    // Leaving a slot's No. field: its name follows the typed number.
    void slotNumberLeft(int s);
    // A click on row n of the test list.
    void pickTest(int n);

    // Leaving a multiplier field, and the log grid fields (GridField::LogFrom, LogTo, LogGrid2To).
    void multiplierLeft(int s);
    void logGridLeft(int field);
    double logLow() const { return m_l1; }
    double logHigh() const { return m_l2; }

    // The two "自動" buttons.
    void autoNameTops();
    void autoNumberTops();

    // "書式読み込み".
    void readFormat(FileChooser& chooser);

    // OK: the multiplier check of every slot, then the block is written.
    void accept();

private:
    void loadBlock(const GraphBlockRows& rows);
    void refreshNames();
    void logLimits();
    bool validSlot(int s) const;
    double titleBase() const;

    Document& m_doc;
    Prompter& m_prompter;
    std::string m_memoPath;
    int m_graph = 1;
    int m_slot = 1;
    double m_l1 = 1, m_l2 = 1;
    GraphBlockRows m_cells{};
};

} // namespace qc
