#pragma once
// Undo and redo of the document tables. Each step keeps, for every table a
// command changed, the table's cells before and after it (encoded compactly);
// tables it left alone cost nothing. The modified flag follows the position in
// the history: back at the saved position the document is unmodified.

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace qc {

struct Document;

// The document's data cells, one encoded text per table. Derived cells (GeologyTable
// columns 12 to 14, TestNameTable column 0, row and column 0) are left out: they are
// recomputed, not edited.
struct TableSnapshot
{
    static constexpr int kTables = 13;
    std::array<std::string, kTables> tables;
    bool operator==(const TableSnapshot&) const = default;
};

TableSnapshot takeSnapshot(const Document& doc);
// Writes the cells of the given tables back exactly; cells left out stay as they are.
void restoreTable(Document& doc, int table, const std::string& encoded);

class History
{
public:
    // At least kMinSteps steps are always kept; beyond that the oldest go once there are
    // kMaxSteps of them or they hold more than kMaxBytes of cells. A step holds at most
    // twice a maximal log (about 260 KB), so 100 steps fit well within the byte bound.
    static constexpr size_t kMinSteps = 100;
    static constexpr size_t kMaxSteps = 1000;
    static constexpr size_t kMaxBytes = size_t{64} << 20;

    // A fresh history; the current state is the saved one unless savedState is false (a
    // restored recovery copy is unsaved from the start).
    void reset(bool savedState = true);

    // Records the change from before to after under name; nothing when they are equal.
    // True when a step was recorded.
    bool record(const std::string& name, const TableSnapshot& before, const TableSnapshot& after);

    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < m_steps.size(); }
    // Name of the step undo or redo would take back or do again; empty when none.
    std::string undoName() const;
    std::string redoName() const;

    // Restore the tables of the step before or after the position; false when there is none.
    bool undo(Document& doc);
    bool redo(Document& doc);

    // The document was saved in its current state.
    void markSaved() { m_saved = m_position; }
    // Whether the current state differs from the saved one (or the saved one is gone).
    bool modified() const { return m_saved != m_position; }

    size_t size() const { return m_steps.size(); }
    size_t position() const { return m_position; }
    size_t bytes() const { return m_bytes; }

private:
    struct Change
    {
        int table;
        std::string before, after;
    };
    struct Step
    {
        std::string name;
        std::vector<Change> changes;
        size_t bytes = 0;
    };
    void dropOldest();

    std::deque<Step> m_steps;
    size_t m_position = 0;                     // steps applied
    std::optional<size_t> m_saved = size_t{0}; // position of the saved state, if still reachable
    size_t m_bytes = 0;
};

// The menu name of a command: its text without the mnemonic and trailing blanks
// ("地質 色調(&T)" -> "地質 色調", "開く(&O)..." -> "開く").
std::string commandMenuName(const std::string& menuText);

} // namespace qc
