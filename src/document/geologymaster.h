#pragma once
// The geology name master ("WdtvJCA.mst") and the soil name composition that
// turns a free geology name into a pattern code, a density/consistency digit
// and a display text of classification symbols.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qc {

struct Document;
class Prompter;

struct MasterEntry
{
    std::string name; // CP932: base name, mixture modifier ending in "り" or adjective ending in "質"
    std::string text; // CP932 symbol used in the display text
    long code = -1;   // pattern number of the variant's code field, -1 when not numeric
    int digit = 0;    // first decimal of the code field: 1 density, 2 consistency classes
    int section = 0;  // 1 base names, 2 mixture modifiers, 3 adjectives
};

class GeologyMaster
{
public:
    static constexpr int kEntries = 256;
    static constexpr int kSections = 3;
    enum Variant { Vector = 0, Bitmap = 1 };

    // The entries of one variant, numbered from 1 in file order (index 0 is entry 1).
    const std::vector<MasterEntry>& entries(int variant) const
    {
        return m_variants[clampVariant(variant)].entries;
    }
    // First and last entry number of a section (1 to 3), 0 and 0 when the section is empty.
    int first(int variant, int section) const;
    int last(int variant, int section) const;
    // The entries of one section of a variant, in file order.
    std::vector<const MasterEntry*> section(int variant, int section) const;
    // The same without allocating: a section's entries are consecutive.
    std::span<const MasterEntry> sectionEntries(int variant, int section) const;
    bool empty(int variant) const { return m_variants[clampVariant(variant)].entries.empty(); }

    // Reads the master syntax into one variant (replacing it) and returns the
    // integer of comma field 3 of the first section line.
    int parse(std::string_view bytes, int variant);
    void clear(int variant) { m_variants[clampVariant(variant)] = {}; }

private:
    struct VariantData
    {
        std::vector<MasterEntry> entries;
        std::array<int, kSections + 1> first{};
        std::array<int, kSections + 1> last{};
    };
    static size_t clampVariant(int v) { return v == 1 ? 1 : 0; }
    std::array<VariantData, 2> m_variants;
};

// Reads the master file at path into one variant. A path of one byte or less
// is not opened; a file that cannot be opened shows "ファイルが見つかりません\n( %1 )"
// and leaves the variant empty. Returns field 3 of the first section line.
int LoadNameMaster(GeologyMaster& master, const std::string& path, int variant, Prompter& prompter);

struct Composition
{
    long code = 0;
    int digit = 0;
    std::string display; // CP932
};

struct BaseMatch
{
    long code = 0; // 0 when nothing matched or the winner has no usable code
    int digit = 0;
    std::string text;   // symbol of the winner
    std::string before; // the text before the matched name
};

// The longest section-1 name (variant 0) that occurs in text; the later entry
// wins on equal length.
BaseMatch BaseLookup(const GeologyMaster& master, std::string_view text);

// Pattern code, digit and display text of a geology name (CP932).
Composition ComposeName(const GeologyMaster& master, std::string_view name);

// GeologyTable columns 12 to 14 of every used row ("%ld.%d" codes of the name
// and the auxiliary name, the display text of the name); rows after the used
// ones lose their derived cells.
void DeriveGeologyPatterns(Document& doc, const GeologyMaster& master);

// The special compound names that protect base names containing "質".
const std::array<std::string, 8>& specialCompoundNames();

} // namespace qc
