#include "dialogs/graphformateditor.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/prompter.h"

#include <algorithm>
#include <cstdio>

namespace qc {

namespace {

std::string printfDouble(const char* format, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

// Whether a text holds a "." (an ASCII byte found on character boundaries).
bool hasDecimalPoint(const std::string& text)
{
    return findText(text, ".") != std::string::npos;
}

// The largest number of a radio group, by its cell.
int radioMax(int row, int field)
{
    if (row == GraphRow::Grid && field == GridField::LogLabels) return 2;
    return 1;
}

} // namespace

GraphFormatEditor::GraphFormatEditor(Document& doc, std::string graphText, Prompter& prompter,
                                     std::string memoPath)
    : m_doc(doc), m_prompter(prompter), m_memoPath(std::move(memoPath))
{
    int g = cellInt(graphText);
    // Above 4 edits graph 5; a number below 1 has no graph and edits graph 1.
    m_graph = g > 4 ? 5 : std::max(g, 1);
}

const std::vector<std::string>& GraphFormatEditor::title1Items()
{
    static const std::vector<std::string> items = {QC_SJ("重金属類"),
                                                   QC_SJ("重金属類　　mg/l"),
                                                   QC_SJ("重金属類1"),
                                                   QC_SJ("重金属類1　mg/l"),
                                                   QC_SJ("重金属類2"),
                                                   QC_SJ("重金属類2　mg/l"),
                                                   QC_SJ("揮発性有機化合物"),
                                                   QC_SJ("揮発性有機化合物 mg/l　"),
                                                   QC_SJ("揮発性有機化合物1"),
                                                   QC_SJ("揮発性有機化合物1 mg/l"),
                                                   QC_SJ("揮発性有機化合物2"),
                                                   QC_SJ("揮発性有機化合物2 mg/l"),
                                                   QC_SJ("農薬"),
                                                   QC_SJ("農薬  mg/l"),
                                                   QC_SJ("水質試験"),
                                                   QC_SJ("水質試験  mg/l"),
                                                   QC_SJ("含有量試験"),
                                                   QC_SJ("含有量試験  mg/kg"),
                                                   ""};
    return items;
}

const std::vector<std::string>& GraphFormatEditor::title2Items()
{
    static const std::vector<std::string> items = {QC_SJ("基準値"), QC_SJ("　")};
    return items;
}

void GraphFormatEditor::open()
{
    bool any = false;
    for (int n = 1; n <= limits::TestName; ++n)
        if (!m_doc.TestNameTable(n, TestCol::Name).empty()) any = true;
    if (!any) m_prompter.message(QC_SJ("試験名データがありません"));
    GraphBlockRows rows{};
    for (int r = 1; r <= GraphTable::kRows; ++r)
        for (int f = 1; f <= GraphTable::kFields; ++f)
            rows[static_cast<size_t>(r)][static_cast<size_t>(f)] = m_doc.GraphFormatTable(m_graph, r, f);
    loadBlock(rows);
    m_slot = 1;
}

void GraphFormatEditor::loadBlock(const GraphBlockRows& rows)
{
    m_cells = rows;
    refreshNames();
    logLimits();
}

std::string GraphFormatEditor::widthText() const
{
    double w = cellDouble(m_doc.DisplayItemTable(DisplayRow::graph(m_graph), DisplayCol::GridWidth));
    return QC_SJ("[描画部幅 ") + printfDouble("%g", w) + "mm]";
}

const std::string& GraphFormatEditor::testName(int n) const
{
    return m_doc.TestNameTable(std::clamp(n, 1, limits::TestName), TestCol::Name);
}

const std::string& GraphFormatEditor::cell(int row, int field) const
{
    return m_cells[static_cast<size_t>(std::clamp(row, 1, 14))]
                  [static_cast<size_t>(std::clamp(field, 1, 11))];
}

void GraphFormatEditor::setCell(int row, int field, std::string text)
{
    m_cells[static_cast<size_t>(std::clamp(row, 1, 14))][static_cast<size_t>(std::clamp(field, 1, 11))] =
        std::move(text);
}

int GraphFormatEditor::radio(int row, int field) const
{
    int v = cellInt(cell(row, field));
    return v >= 0 && v <= radioMax(row, field) ? v : 0;
}

void GraphFormatEditor::setRadio(int row, int field, int value)
{
    setCell(row, field, std::to_string(value));
}

bool GraphFormatEditor::showNumbers(int s) const
{
    return cellInt(cell(GraphRow::slot(s), SlotField::ShowNumbers)) != 0;
}

void GraphFormatEditor::setShowNumbers(int s, bool on)
{
    setCell(GraphRow::slot(s), SlotField::ShowNumbers, on ? "1" : "0");
}

bool GraphFormatEditor::validSlot(int s) const
{
    const std::string& no = cell(GraphRow::slot(s), SlotField::Test);
    int n = cellInt(no);
    return isNumeric(no) && n >= 1 && n <= limits::TestName;
}

void GraphFormatEditor::refreshNames()
{
    bool any = false;
    for (int n = 1; n <= limits::TestName; ++n)
        if (!m_doc.TestNameTable(n, TestCol::Name).empty()) any = true;
    for (int s = 1; s <= GraphRow::Slots; ++s) {
        std::string& name = m_cells[static_cast<size_t>(GraphRow::slot(s))][SlotField::Name];
        name =
            any && validSlot(s) ? testName(cellInt(cell(GraphRow::slot(s), SlotField::Test))) : std::string();
    }
}

void GraphFormatEditor::slotNumberFocused(int s)
{
    if (s >= 1 && s <= GraphRow::Slots) m_slot = s;
}

void GraphFormatEditor::slotNumberLeft(int s)
{
    if (s < 1 || s > GraphRow::Slots) return;
    const int row = GraphRow::slot(s);
    setCell(row, SlotField::Name,
            validSlot(s) ? testName(cellInt(cell(row, SlotField::Test))) : std::string());
}

void GraphFormatEditor::pickTest(int n)
{
    if (n < 1 || n > limits::TestName) return;
    setCell(GraphRow::slot(m_slot), SlotField::Test, std::to_string(n));
    setCell(GraphRow::slot(m_slot), SlotField::Name, testName(n));
}

// ---- the log grid and the multipliers

void GraphFormatEditor::logLimits()
{
    std::string& from = m_cells[GraphRow::Grid][GridField::LogFrom];
    double v1 = cellDouble(from);
    if (hasDecimalPoint(from) || v1 <= 0) {
        from = "1";
        m_l1 = 1;
    } else {
        m_l1 = v1 < 2 ? 1 : v1 > 9999 ? 10000 : v1;
    }
    double v2 = cellDouble(cell(GraphRow::Grid, GridField::LogTo));
    m_l2 = v2 < 2 ? 1 : v2 >= 10000 ? 10000 : v2;
}

void GraphFormatEditor::multiplierLeft(int s)
{
    const int row = GraphRow::slot(s);
    setCell(row, SlotField::LogFrom, "");
    setCell(row, SlotField::LogTo, "");
    const std::string& m = cell(row, SlotField::Multiplier);
    // Only powers of ten: any digit 2 to 9 is refused (all ASCII, never a trail byte of CP932).
    for (char c : m)
        if (c >= '2' && c <= '9') {
            m_prompter.message(QC_SJ("倍率は 1、10、100..または 0.1、0.01、0.01..にかぎります"));
            return;
        }
    if (!isNumeric(m)) return;
    logLimits();
    double factor = cellDouble(m);
    setCell(row, SlotField::LogFrom, printfDouble("%g", m_l1 * factor));
    setCell(row, SlotField::LogTo, printfDouble("%g", m_l2 * factor));
}

void GraphFormatEditor::logGridLeft(int field)
{
    const std::string text = cell(GraphRow::Grid, field);
    if (!isNumeric(text)) return;
    if (cellDouble(text) <= 0) {
        m_prompter.message(QC_SJ("対数グリッドの値は１以上です"));
        setCell(GraphRow::Grid, field, "1");
    } else if (field == GridField::LogFrom && hasDecimalPoint(text)) {
        m_prompter.message(QC_SJ("対数グリッド値は整数にして下さい (1,2,5など).　　"));
        setCell(GraphRow::Grid, field, "1");
    }
}

// ---- "自動"

double GraphFormatEditor::titleBase() const
{
    double t = 0;
    double top1 = cellDouble(cell(GraphRow::Title1, TitleField::Top));
    double top2 = cellDouble(cell(GraphRow::Title2, TitleField::Top));
    if (!cell(GraphRow::Title1, TitleField::Text).empty() && top1 > 0) t = top1;
    if (!cell(GraphRow::Title2, TitleField::Text).empty() && top2 > t) t = top2;
    if (t > 1) {
        t = std::min(t + 10, 1.5 * t);
        if (t < 10) t = 10;
    }
    return t;
}

void GraphFormatEditor::autoNameTops()
{
    double t = titleBase();
    t = std::max(t, cellDouble(cell(GraphRow::slot(1), SlotField::NameTop)));
    int n = 0, k = 0;
    for (int s = 1; s <= GraphRow::Slots; ++s)
        if (validSlot(s)) {
            ++n;
            if (showNumbers(s)) ++k;
        }
    double h = (100 - t) * (k == 1 ? 0.8 : k == 2 ? 0.7 : 0.47);
    double step = n > 5 ? h / n : h * 0.2;
    for (int s = 1; s <= GraphRow::Slots; ++s) {
        if (validSlot(s)) {
            setCell(GraphRow::slot(s), SlotField::NameTop, printfDouble("%.0f", t));
            t += step;
        } else {
            setCell(GraphRow::slot(s), SlotField::NameTop, "");
        }
    }
}

void GraphFormatEditor::autoNumberTops()
{
    double t = titleBase();
    int k = 0;
    for (int s = 1; s <= GraphRow::Slots; ++s)
        if (validSlot(s)) {
            t = std::max(t, cellDouble(cell(GraphRow::slot(s), SlotField::NameTop)));
            if (showNumbers(s)) ++k;
        }
    double value = 96, step = (96 - t) / 6;
    if (k > 4) {
        value = 97;
        step = k == 5 ? (97 - t) / 6 : (97 - t) / (k + 1);
    }
    for (int s = GraphRow::Slots; s >= 1; --s) {
        if (validSlot(s) && showNumbers(s)) {
            value -= step;
            setCell(GraphRow::slot(s), SlotField::NumbersTop, printfDouble("%.1f", value));
        } else {
            setCell(GraphRow::slot(s), SlotField::NumbersTop, "");
        }
    }
}

// ---- reading and writing

void GraphFormatEditor::readFormat(FileChooser& chooser)
{
    if (std::optional<std::string> bytes = chooseDocumentForImport(m_memoPath, chooser, m_prompter))
        loadBlock(readGraphSection(*bytes, m_graph));
}

void GraphFormatEditor::accept()
{
    for (int s = 1; s <= GraphRow::Slots; ++s) multiplierLeft(s);
    GraphTable& table = m_doc.GraphFormatTable;
    const int g = m_graph;
    for (int r = 1; r <= GraphTable::kRows; ++r)
        for (int f = 1; f <= GraphTable::kFields; ++f) table(g, r, f) = cell(r, f);
    for (auto [r, f] : {std::pair{GraphRow::Title1, TitleField::Align},
                        {GraphRow::Title2, TitleField::Align},
                        {GraphRow::Legend, LegendField::NameAlign},
                        {GraphRow::Legend, LegendField::RemarkAlign},
                        {GraphRow::Grid, GridField::Kind},
                        {GraphRow::Grid, GridField::LogLabels},
                        {GraphRow::Grid, GridField::AxisColour}})
        table(g, r, f) = std::to_string(radio(r, f));
    table(g, GraphRow::Grid, GridField::Marker) = "___";
    for (int s = 1; s <= GraphRow::Slots; ++s) {
        const int r = GraphRow::slot(s);
        if (!isNumeric(cell(r, SlotField::Test))) table(g, r, SlotField::Name).clear();
        table(g, r, SlotField::ShowNumbers) = showNumbers(s) ? "1" : "0";
    }
}

} // namespace qc
