#pragma once
// The log style property sheet ("柱状図様式", CPSYosik) with its pages
// "表示位置 社名など" (CPageYosik1) and "線種 マージン" (CPageYosik2): label
// positions, company name and telephone; line widths, the four graph grids
// with their colours or dash patterns, the tick, and the margins. It edits a
// copy of the settings; OK gives them back for the command to store.

#include "app/settings.h"
#include "dialogs/listeditor.h"

#include <string>

namespace qc {

class ColourChooser;
class Prompter;

class StyleEditor
{
public:
    // The integer fields of the second page and the colour fields, by settings line.
    static constexpr int kWidthLines[] = {8, 9, 11};
    static constexpr int kGridLines[] = {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23};
    static constexpr int kColourLines[] = {57, 58, 59, 60};
    static constexpr int kGapLines[] = {14, 17, 20, 23};
    static constexpr int kDashLines[] = {13, 14, 16, 17, 19, 20, 22, 23}; // solid parts and gaps

    StyleEditor(const Settings& settings, ColourChooser& colours, Prompter& prompter, KeyOptions keys = {});

    // ---- "表示位置 社名など"
    bool alphabetSymbols() const { return m_alphabet; }
    void setAlphabetSymbols(bool on) { m_alphabet = on; }
    int sampleBottomPosition() const { return m_sampleBottom; } // 0 above, 1 below, 2 none
    void setSampleBottomPosition(int choice);
    int legendSymbolPosition() const { return m_legendSymbol; } // 0 left, 1 right, 2 none
    void setLegendSymbolPosition(int choice);
    const std::string& companyName() const { return m_company; }
    void setCompanyName(std::string text) { m_company = std::move(text); }
    const std::string& telephone() const { return m_telephone; }
    void setTelephone(std::string text) { m_telephone = std::move(text); }
    // "標準の設定" of the first page.
    void firstPageDefaults();

    // ---- "線種 マージン": the integer and colour fields by settings line
    // (3 tick, 8 9 11 widths, 12 to 23 grids, 51 52 margins, 57 to 60 colours).
    const std::string& text(int line) const;
    void setText(int line, std::string text);
    bool enabled(int line) const;
    static bool isIntegerField(int line);
    // The step choice beside "きざみ": "1", "2" or "5".
    static const std::vector<std::string>& stepItems();
    const std::string& step() const { return m_step; }
    void setStep(std::string step);
    bool acrossGraphArea() const { return m_across; }
    void setAcrossGraphArea(bool on) { m_across = on; }
    bool monochrome() const { return m_monochrome; }
    // "カラー" (false) or "白黒" (true): the fields each allows.
    void setMonochrome(bool on);
    // What the page says about the choice.
    std::string gridNote() const;
    // "精細", which steers "白黒設定" only.
    bool fine() const { return m_fine; }
    void setFine(bool on) { m_fine = on; }

    // The colour of a grid (0 to 3) as its field reads (automatic base), for the swatches.
    uint32_t colour(int grid) const;
    // "色": the chooser preset with the field's colour; true when a colour was chosen.
    bool chooseColour(int grid);

    // "標準の設定" and "白黒設定" of the second page.
    void secondPageDefaults();
    void blackAndWhiteDefaults();

    EnterAction enterKeyAction() const { return enterActionFor(m_keys); }

    // OK: every number field must hold a whole number (else its message and
    // the field); an empty company name becomes "株式会社". On success
    // settings() holds the result.
    [[nodiscard]] bool accept(int* refusedLine = nullptr);
    const Settings& settings() const { return m_settings; }

private:
    std::string& ref(int line);

    Settings m_settings;
    ColourChooser& m_colours;
    Prompter& m_prompter;
    KeyOptions m_keys;

    bool m_alphabet = false;
    int m_sampleBottom = 1;
    int m_legendSymbol = 0;
    std::string m_company, m_telephone;

    std::string m_fields[Settings::kLines];
    std::string m_step;
    bool m_across = false;
    bool m_monochrome = false;
    bool m_fine = false;
};

} // namespace qc
