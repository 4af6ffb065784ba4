#pragma once
// The geology-name master and pattern editor ("土質地質名と柱状図模様"): the
// name master ("WdtvJCA.mst") as a list of names with symbol, class marks and
// vector and bitmap pattern numbers, the pattern index ("PtnvcJG.ndx") with the
// colour of every pattern number, the pattern tools, the program's pattern
// options, what the two previews show and the atomic rewrite of both files.

#include "app/patterncolours.h"
#include "render/patternpreview.h"

#include <string>
#include <string_view>
#include <vector>

namespace qc {

class ColourChooser;
class Prompter;

// What the command passes in and takes back: settings lines 25, 27, 28, the two
// options kept while the program runs, and where the files and bitmaps are.
struct NameMasterDialogData
{
    int patternUse = 0;    // line 25: 0 vector only, 1 vector first, 2 bitmaps first, 3 bitmaps only
    int patternOption = 0; // line 27: index of the pattern line width "1", "2", "3"
    int mixedMarks = 0;    // line 28: "混じり／質"
    bool allBlack = false;
    bool monochromeBitmaps = false;
    std::string masterPath;
    std::string patternColoursPath;
    std::string bitmapFolder;
    std::string monochromeBitmapFolder;
};

// One line of the name master as the list shows it. A section line ("[第1 ...]")
// has its text in name only.
struct NameMasterRow
{
    std::string name;
    std::string symbol;
    std::string density;     // "o" when the density class applies; "-" or empty otherwise
    std::string consistency; // "o" when the consistency class applies
    std::string vector;      // "線描No"
    std::string bitmap;      // "ﾋﾞｯﾄﾏｯﾌﾟNo"
    bool section = false;
    bool operator==(const NameMasterRow&) const = default;
};

// One line of the pattern index. A section line has its text in number only.
struct PatternIndexRow
{
    std::string number;
    std::string colour;
    std::string defaultColour;
    std::string abbreviation;
    std::string example;
    bool section = false;
    bool operator==(const PatternIndexRow&) const = default;
};

// True when the text holds "[" or "{" (found character by character).
bool isSectionText(std::string_view text);

class NameMasterEditor
{
public:
    static constexpr int kMasterRows = 256;
    static constexpr int kPatternRows = 110; // "↑上書き" needs fewer than 111 rows
    static constexpr long kSectionNumber = 660;
    static constexpr size_t kNameBytes = 32; // what the geology dialog's name lists show
    static constexpr size_t kSymbolBytes = 8;

    enum Field { Name, Symbol, Vector, Bitmap, PatternNo, Colour, FieldCount };
    enum class Target { Vector, Bitmap }; // "← 編集パターンNo"

    NameMasterEditor(NameMasterDialogData data, Prompter& prompter, ColourChooser& colours);

    // The files: parsing and writing, byte for byte as the program reads them.
    static std::vector<NameMasterRow> parseMaster(std::string_view bytes);
    static std::string formatMaster(const std::vector<NameMasterRow>& rows);
    static std::vector<PatternIndexRow> parsePatternIndex(std::string_view bytes);
    static std::string formatPatternIndex(const std::vector<PatternIndexRow>& rows);
    // The entries of a bitmap list: the "*.bmp" files of folder by number,
    // then "j10000" to "j10004".
    static std::vector<std::string> bitmapEntries(const std::string& folder);
    // The pattern number an entry of a bitmap list stands for, 0 for none.
    static long bitmapEntryNumber(std::string_view entry);

    // Opening: reads both files (a missing one shows its message and leaves its list empty).
    void open();

    const NameMasterDialogData& data() const { return m_data; }
    NameMasterDialogData& settings() { return m_data; }

    // Lists (rows from 1; 0 is no selection).
    const std::vector<NameMasterRow>& masterRows() const { return m_master; }
    const std::vector<PatternIndexRow>& patternRows() const { return m_patterns; }
    int selectedMaster() const { return m_selectedMaster; }
    int selectedPattern() const { return m_selectedPattern; }
    const std::vector<std::string>& colourBitmaps() const { return m_colourBitmaps; }
    const std::vector<std::string>& monochromeBitmaps() const { return m_monoBitmaps; }
    bool masterChanged() const { return m_masterChanged; }
    bool patternsChanged() const { return m_patternsChanged; }

    // Fields and check boxes.
    const std::string& field(Field f) const { return m_fields[f]; }
    void setField(Field f, std::string text);
    bool density() const { return m_density; }
    bool consistency() const { return m_consistency; }
    void setDensity(bool on) { m_density = on; }
    void setConsistency(bool on) { m_consistency = on; }
    Target target() const { return m_target; }
    void setTarget(Target t) { m_target = t; }
    // The colour tools work while "線描" is chosen.
    bool colourToolsEnabled() const { return m_target == Target::Vector; }

    // Master list.
    void clickMaster(int row);
    void overwrite(); // "↓上書き"
    void insert();    // "↓挿入"
    void edit();      // "↑編集"
    void deleteRow(); // "削除"
    void moveUp();    // "↑"
    void moveDown();  // "↓"

    // Pattern list and tools.
    void clickPattern(int row);
    void clickBitmap(const std::string& entry);
    void apply();             // "←適用"
    void chooseColour();      // "色設定"
    void defaultColour();     // "既定色"
    void overwritePattern();  // "↑上書き"
    void allDefaultColours(); // "すべて既定色"

    // Previews: the numbers shown, the colours and style of the vector preview,
    // and the bitmap folder in use. Bumped on every change the previews must show.
    long previewVector() const { return m_previewVector; }
    long previewBitmap() const { return m_previewBitmap; }
    PatternPreviewStyle previewStyle() const;
    std::string previewBitmapFolder() const;
    const PatternColourTable& previewColours() const { return m_previewColours; }

    // The field that should get the focus after an operation (FieldCount: none).
    Field takeFocusRequest();

    // OK: writes the changed files; false keeps the dialog open (a file could not be written).
    [[nodiscard]] bool accept();
    // Cancel: true when the dialog may close.
    [[nodiscard]] bool cancel();

private:
    bool validateFields();
    NameMasterRow rowFromFields() const;
    bool nameTakenBy(const std::string& name, int except) const;
    void message(const std::string& text);
    void refreshPreviewColours();
    void previewFields();

    NameMasterDialogData m_data;
    Prompter& m_prompter;
    ColourChooser& m_chooser;
    std::vector<NameMasterRow> m_master;
    std::vector<PatternIndexRow> m_patterns;
    std::vector<std::string> m_colourBitmaps;
    std::vector<std::string> m_monoBitmaps;
    std::string m_fields[FieldCount];
    bool m_density = false;
    bool m_consistency = false;
    Target m_target = Target::Vector;
    int m_selectedMaster = 0;
    int m_selectedPattern = 0;
    bool m_masterChanged = false;
    bool m_patternsChanged = false;
    long m_previewVector = 0;
    long m_previewBitmap = 0;
    PatternColourTable m_previewColours;
    Field m_focus = FieldCount;
};

} // namespace qc
