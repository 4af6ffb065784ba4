#pragma once
// The geology and colour-tone dialog ("地質 色調") over GeologyTable: the shared
// list editing plus the attribute check boxes, names composed by picking from
// the four lists of the geology name master, colour tones picked from the
// colour-tone master, the density / consistency choice and the two document
// options "常に表土分割" and "互層 縦線表示".

#include "dialogs/listeditor.h"
#include "document/positions.h"

#include <string>
#include <vector>

namespace qc {

class GeologyMaster;
class TextTable;

// One item of a name list: the name (at most 32 bytes), its symbol (at most
// 8 bytes) and its pattern text "N.0".
struct MasterPick
{
    std::string name;
    std::string symbol;
    std::string pattern;
    long number = 0; // N
};

class GeologyEditor : public ListEditor
{
public:
    static constexpr int kRowLimit = 200;
    static constexpr int kDefaultFlags = GeologyBits::EditorDefault;
    static constexpr size_t kColourToneLineBytes = 39;

    enum Field {
        Depth,
        Name,
        Aux,
        Colour,
        Pattern1,
        Pattern2,
        Symbol,
        Percent,
        Prefix,
        Suffix,
        AuxSymbol,
        FieldCount
    };

    // List columns; the unnamed ones show single attribute bits.
    enum Column {
        ColDepth = 1,
        ColBitDepth,
        ColName,
        ColBitName,
        ColAux,
        ColBit8,
        ColColour,
        ColBitColour,
        ColPattern1,
        ColBitPattern1,
        ColPattern2,
        ColBitPattern2,
        ColSymbol,
        ColPercent,
        ColPrefix,
        ColSuffix,
        ColFlags
    };

    // The four name lists, by where they stand.
    enum class NameList {
        Names,     // 1041 under the name: base names with N of 10000 or more
        Bases,     // 1023 right of the pattern numbers: base names with N from 100 to 9999
        Mixtures,  // 1044 under the auxiliary name: mixture modifiers
        Adjectives // 1046 beside it: adjectives
    };

    // The items of "密度稠度例外計算", in order; Blank is its resting state.
    enum DensityChoice {
        Blank,
        ShowNeither,
        Density,
        Consistency,
        DensityConsistency,
        AuxiliaryTrait,
        AlsoDot
    };

    // e59 and e60 are HeaderTable entries 59 and 60 as numbers.
    GeologyEditor(TextTable& geology, const GeologyMaster& master, std::vector<std::string> colourTones,
                  Prompter& prompter, KeyOptions keys, int e59 = 0, int e60 = 0);

    static Config geologyConfig();
    // The colour tones of the colour-tone master: the first comma field of each
    // line cut to 39 bytes; a missing file shows its message and gives none.
    static std::vector<std::string> loadColourTones(const std::string& path, Prompter& prompter);
    // The items of one name list from variant 1 (bitmap numbers) of the master.
    static std::vector<MasterPick> namesFor(const GeologyMaster& master, NameList list);
    // The density / consistency digit of a pattern text: the integer part of
    // its decimal part times 10.1.
    static int patternDigit(const std::string& pattern);
    // Texts of the items of combo 1099 ("前文字"), 1175 ("後文字") and 1012.
    static const std::vector<std::string>& prefixItems();
    static const std::vector<std::string>& suffixItems();
    static const std::vector<std::string>& densityItems();

    // The check boxes: the attribute word and its bits (GeologyBits values).
    int flags() const { return m_flags; }
    bool flag(int bit) const { return (m_flags & bit) != 0; }
    void setFlag(int bit, bool on);

    // Which name is composed: 1 the name, 2 the auxiliary name.
    int target() const { return m_target; }

    const std::vector<MasterPick>& names(NameList list) const;
    const std::vector<std::string>& colourTones() const { return m_colourTones; }
    void pickName(NameList list, int index);
    void pickColourTone(int index);
    void chooseDensity(DensityChoice choice);

    // "常に表土分割" (HeaderTable 59) and "互層 縦線表示" (HeaderTable 60).
    bool alwaysSplitTopsoil = false;
    bool alternationLines = false;
    int entry59() const { return alwaysSplitTopsoil ? 1 : 0; }
    int entry60() const { return alternationLines ? 1 : 0; }

    void deleteRow() override;

protected:
    bool loadTableRow(int tableRow, ListRow& row) override;
    void writeTableRow(int tableRow, const ListRow& row) override;
    void clearTableRow(int tableRow) override;
    std::string writeBackDepthText(const std::string& depth) const override;
    bool validate(const ListRow& buffer, bool showMessages) override;
    void optionsToBuffer(ListRow& buffer) const override;
    void optionsFromRow(const ListRow& row) override;
    void resetOptions() override;
    void optionFromCell(int col, const ListRow& row) override;
    void afterCellCommit(int r, int col) override;
    void onFieldLeft(int i) override;
    void onFieldEntered(int i) override;
    void onFieldChanged(int i) override;

private:
    void clearTarget();
    void colourLeaveRule();

    TextTable& m_table;
    std::vector<MasterPick> m_lists[4];
    std::vector<std::string> m_colourTones;
    int m_flags = kDefaultFlags;
    int m_target = 1;
};

// The list column that shows a bit, 0 for the bits without one.
int geologyBitColumn(int bit);

} // namespace qc
