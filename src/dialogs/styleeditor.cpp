#include "dialogs/styleeditor.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "platform/colourchooser.h"
#include "platform/prompter.h"

#include <algorithm>
#include <cstdio>

namespace qc {

namespace {

std::string formatColour(uint32_t colour)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%06x", static_cast<unsigned>(colour & 0xFFFFFFu));
    return buf;
}

bool contains(const int* b, const int* e, int line)
{
    return std::find(b, e, line) != e;
}

template <size_t N> bool contains(const int (&lines)[N], int line)
{
    return contains(lines, lines + N, line);
}

bool parseWhole(const std::string& text, int& value)
{
    size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return false;
    size_t e = text.find_last_not_of(' ') + 1;
    std::string t = text.substr(b, e - b);
    size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (i >= t.size() || t.size() - i > 9) return false;
    for (size_t k = i; k < t.size(); ++k)
        if (t[k] < '0' || t[k] > '9') return false;
    value = std::stoi(t);
    return true;
}

constexpr int kDefaultGrid[12] = {1, 10, 0, 0, 5, 0, 1, 10, 0, 0, 5, 0};
constexpr const char* kDefaultColours[4] = {"0x808080", "0xcccccc", "0x808080", "0xcccccc"};

} // namespace

StyleEditor::StyleEditor(const Settings& settings, ColourChooser& colours, Prompter& prompter,
                         KeyOptions keys)
    : m_settings(settings), m_colours(colours), m_prompter(prompter), m_keys(keys)
{
    m_alphabet = settings.intAt(48) != 0;
    m_sampleBottom = std::clamp(settings.intAt(5), 0, 2);
    m_legendSymbol = std::clamp(settings.intAt(47), 0, 2);
    m_company = settings.textAt(49);
    m_telephone = settings.textAt(50);
    for (int line = 0; line < Settings::kLines; ++line)
        if (isIntegerField(line)) m_fields[line] = std::to_string(settings.intAt(line));
    for (int line : kColourLines) m_fields[line] = settings.textAt(line);
    const int step = settings.intAt(4);
    m_step = step == 1 || step == 2 ? std::to_string(step) : "5";
    m_across = settings.intAt(7) != 0;
    setMonochrome(settings.intAt(56) == 1);
}

bool StyleEditor::isIntegerField(int line)
{
    return line == 3 || contains(kWidthLines, line) || contains(kGridLines, line) || line == 51 || line == 52;
}

const std::vector<std::string>& StyleEditor::stepItems()
{
    static const std::vector<std::string> items = {"1", "2", "5"};
    return items;
}

void StyleEditor::setStep(std::string step)
{
    if (std::find(stepItems().begin(), stepItems().end(), step) != stepItems().end())
        m_step = std::move(step);
}

void StyleEditor::setSampleBottomPosition(int choice)
{
    if (choice >= 0 && choice <= 2) m_sampleBottom = choice;
}

void StyleEditor::setLegendSymbolPosition(int choice)
{
    if (choice >= 0 && choice <= 2) m_legendSymbol = choice;
}

void StyleEditor::firstPageDefaults()
{
    m_alphabet = false;
    m_sampleBottom = 1;
    m_legendSymbol = 0;
}

std::string& StyleEditor::ref(int line)
{
    return m_fields[std::clamp(line, 0, Settings::kLines - 1)];
}

const std::string& StyleEditor::text(int line) const
{
    return m_fields[std::clamp(line, 0, Settings::kLines - 1)];
}

void StyleEditor::setText(int line, std::string text)
{
    if (isIntegerField(line) || contains(kColourLines, line)) ref(line) = std::move(text);
}

bool StyleEditor::enabled(int line) const
{
    if (contains(kColourLines, line)) return !m_monochrome;
    if (contains(kDashLines, line)) return m_monochrome;
    return isIntegerField(line);
}

void StyleEditor::setMonochrome(bool on)
{
    m_monochrome = on;
    // Colour lines are drawn solid: their gaps are 0.
    if (!on)
        for (int line : kGapLines) ref(line) = "0";
}

std::string StyleEditor::gridNote() const
{
    return m_monochrome ? QC_SJ("空白部=0で実線を描画") : QC_SJ("実線のみ描画可能　");
}

uint32_t StyleEditor::colour(int grid) const
{
    if (grid < 0 || grid > 3) return 0;
    return static_cast<uint32_t>(parseAutoBase(text(kColourLines[grid]))) & 0xFFFFFFu;
}

bool StyleEditor::chooseColour(int grid)
{
    if (grid < 0 || grid > 3) return false;
    const std::optional<uint32_t> c = m_colours.choose(colour(grid));
    if (!c) return false;
    ref(kColourLines[grid]) = formatColour(*c);
    return true;
}

void StyleEditor::secondPageDefaults()
{
    ref(8) = "2";
    ref(9) = "1";
    ref(11) = "2";
    for (size_t i = 0; i < 12; ++i) ref(kGridLines[i]) = std::to_string(kDefaultGrid[i]);
    for (size_t g = 0; g < 4; ++g) ref(kColourLines[g]) = kDefaultColours[g];
    ref(3) = "10";
    m_step = "5";
    ref(52) = "5";
    ref(51) = "5";
    setMonochrome(false);
}

void StyleEditor::blackAndWhiteDefaults()
{
    secondPageDefaults();
    ref(17) = "5";
    ref(23) = "5";
    if (m_fine) {
        ref(15) = "1";
        ref(21) = "1";
    }
    setMonochrome(true);
}

bool StyleEditor::accept(int* refusedLine)
{
    int values[Settings::kLines] = {};
    for (int line = 0; line < Settings::kLines; ++line) {
        if (!isIntegerField(line)) continue;
        if (!parseWhole(text(line), values[line])) {
            m_prompter.message(QC_SJ("整数を入力してください。"));
            if (refusedLine) *refusedLine = line;
            return false;
        }
    }
    for (int line = 0; line < Settings::kLines; ++line)
        if (isIntegerField(line)) m_settings.setInt(line, values[line]);
    for (int line : kColourLines) m_settings.setText(line, text(line));
    m_settings.setInt(4, std::stoi(m_step));
    m_settings.setInt(7, m_across ? 1 : 0);
    m_settings.setInt(56, m_monochrome ? 1 : 0);
    m_settings.setInt(48, m_alphabet ? 1 : 0);
    m_settings.setInt(5, m_sampleBottom);
    m_settings.setInt(47, m_legendSymbol);
    m_settings.setText(49, m_company.empty() ? QC_SJ("株式会社") : m_company);
    m_settings.setText(50, m_telephone);
    return true;
}

} // namespace qc
