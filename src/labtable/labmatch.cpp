#include "labtable/labmatch.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "document/textops.h"
#include "labtable/labnames.h"

#include <cmath>
#include <cstdlib>

namespace qc {

namespace {

constexpr size_t kHeaderSearchRows = 50;

bool contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

// A value rather than a unit: a number, "<0.001", ">10" or a "not detected" word.
bool isValueLike(const std::string& cell)
{
    const std::string n = normalizeLabName(cell);
    if (n.empty()) return false;
    if (n == "nd" || n == "n.d." || n == "n.d" || contains(n, "不検出") || contains(n, "検出せず") ||
        contains(n, "未満"))
        return true;
    if (n.find_first_of("0123456789") == std::string::npos) return false;
    return std::string_view("0123456789.+-<>").find(n[0]) != std::string_view::npos || n.rfind("≦", 0) == 0 ||
           n.rfind("≧", 0) == 0 || n.rfind("≪", 0) == 0;
}

// A trailing "(mg/L)", "[mg/kg]" or "（％）" after a name: the unit, when it looks like one.
// n is the header normalised; name is normalised too; unit keeps the file's text.
bool splitUnit(const std::string& header, const std::string& n, std::string& name, std::string& unit)
{
    if (n.empty() || (n.back() != ')' && n.back() != ']')) return false;
    const char open = n.back() == ')' ? '(' : '[';
    const size_t at = n.rfind(open);
    if (at == std::string::npos || at == 0) return false;
    const std::string inside = n.substr(at + 1, n.size() - at - 2);
    if (!contains(inside, "/") && inside != "%" && !contains(inside, "ppm") && inside != "-") return false;
    name = n.substr(0, at);
    // The same bracket in the file's own text, found character by character.
    size_t openAt = std::string::npos, closeAt = std::string::npos;
    for (size_t i = 0; i < header.size(); i += charLengthAt(header, i)) {
        const std::string_view ch = std::string_view(header).substr(i, charLengthAt(header, i));
        if (ch == "(" || ch == "[" || ch == QC_SJ("（") || ch == QC_SJ("［")) openAt = i + ch.size();
        if (ch == ")" || ch == "]" || ch == QC_SJ("）") || ch == QC_SJ("］")) closeAt = i;
    }
    unit = openAt != std::string::npos && closeAt != std::string::npos && closeAt >= openAt
               ? header.substr(openAt, closeAt - openAt)
               : cp932::fromUtf8(inside);
    return true;
}

// The trailing run of digits of a normalised sample number, or -1.
long trailingNumber(const std::string& n)
{
    size_t e = n.size();
    while (e > 0 && (n[e - 1] < '0' || n[e - 1] > '9')) {
        // Only a closing bracket may follow the number ("(1)").
        if (n[e - 1] != ')') return -1;
        --e;
    }
    size_t b = e;
    while (b > 0 && n[b - 1] >= '0' && n[b - 1] <= '9') --b;
    if (b == e || e - b > 6) return -1;
    return std::atol(n.substr(b, e - b).c_str());
}

bool depthLike(const std::string& n)
{
    return !n.empty() && n[0] >= '0' && n[0] <= '9' && contains(n, ".");
}

class Matcher
{
public:
    Matcher(const LabSheet& sheet, const Document& doc, const TestAliases& aliases)
        : m_sheet(sheet), m_doc(doc), m_aliases(aliases)
    {
        for (int t = 1; t <= limits::TestName; ++t) {
            m_testKey[t] = normalizeLabName(doc.TestNameTable(t, TestCol::Name));
            m_testGroup[t] = m_testKey[t].empty() ? -1 : aliases.groupOf(m_testKey[t]);
        }
        m_samples = usedRows(doc.SampleTable);
        // Every row of the sheet is looked up among the samples: their keys are worked out once.
        m_sampleKey.resize(static_cast<size_t>(m_samples) + 1);
        for (int s = 1; s <= m_samples; ++s)
            m_sampleKey[static_cast<size_t>(s)] = normalizeLabName(doc.SampleTable(s, SampleCol::Number));
    }

    LabMatch run()
    {
        LabMatch m;
        if (!findHeader(m)) {
            m.error =
                QC_SJ("試験名の見出し行が見つかりません（知っている試験名が二つ以上並ぶ行がありません）");
            return m;
        }
        classifyColumns(m);
        if (m_idColumn < 0 && m_depthColumn < 0) {
            m.error = QC_SJ("試料番号または深度の列が見つかりません");
            return m;
        }
        findUnitRow(m);
        matchRows(m);
        m.ok = true;
        return m;
    }

private:
    struct Resolved
    {
        int test = 0;
        int group = -1;
        std::string unit; // CP932, from a bracket after the name
    };

    Resolved resolveKey(const std::string& key) const
    {
        Resolved r;
        if (key.empty()) return r;
        r.group = m_aliases.groupOf(key);
        for (int t = 1; t <= limits::TestName && !r.test; ++t)
            if (m_testKey[t] == key) r.test = t;
        for (int t = 1; t <= limits::TestName && !r.test && r.group >= 0; ++t)
            if (m_testGroup[t] == r.group) r.test = t;
        return r;
    }

    Resolved resolve(const std::string& header)
    {
        normalizeLabName(header, m_key);
        Resolved r = resolveKey(m_key);
        std::string name, unit;
        if (!r.test && r.group < 0 && splitUnit(header, m_key, name, unit)) {
            r = resolveKey(name);
            r.unit = unit;
        }
        return r;
    }

    bool known(const Resolved& r) const { return r.test > 0 || r.group >= 0; }

    bool findHeader(LabMatch& m)
    {
        for (size_t row = 0; row < m_sheet.rows.size() && row < kHeaderSearchRows; ++row) {
            int count = 0;
            for (const std::string& cell : m_sheet.rows[row])
                if (known(resolve(cell))) ++count;
            if (count >= 2) {
                m.headerRow = row;
                return true;
            }
        }
        return false;
    }

    void classifyColumns(LabMatch& m)
    {
        const auto& header = m_sheet.rows[m.headerRow];
        int firstOther = -1;
        for (size_t c = 0; c < header.size(); ++c) {
            const Resolved r = resolve(header[c]);
            if (known(r)) {
                LabColumn col;
                col.column = c;
                col.header = header[c];
                col.kind = r.test ? LabColumnKind::Test : LabColumnKind::MissingTest;
                col.test = r.test;
                col.aliasGroup = r.group;
                col.unit = r.unit;
                m.columns.push_back(col);
                continue;
            }
            const std::string n = normalizeLabName(header[c]);
            if (firstOther < 0) firstOther = static_cast<int>(c);
            if (contains(n, "深") || contains(n, "gl") || contains(n, "depth")) {
                if (m_depthColumn < 0)
                    m_depthColumn = static_cast<int>(c);
                else if (m_bottomColumn < 0)
                    m_bottomColumn = static_cast<int>(c);
                continue;
            }
            if (m_idColumn < 0 && (contains(n, "試料") || contains(n, "検体") || contains(n, "サンプル") ||
                                   contains(n, "番号") || n.rfind("no", 0) == 0 || contains(n, "sample"))) {
                m_idColumn = static_cast<int>(c);
                continue;
            }
            if (n.empty()) continue;
            LabColumn col;
            col.column = c;
            col.header = header[c];
            m.columns.push_back(col);
        }
        if (m_idColumn < 0 && m_depthColumn < 0 && firstOther >= 0) {
            m_idColumn = firstOther;
            std::erase_if(m.columns,
                          [&](const LabColumn& col) { return static_cast<int>(col.column) == firstOther; });
        }
    }

    void findUnitRow(LabMatch& m)
    {
        const size_t row = m.headerRow + 1;
        if (row >= m_sheet.rows.size()) return;
        bool any = false;
        for (const LabColumn& col : m.columns) {
            if (col.kind == LabColumnKind::Unknown) continue;
            const std::string& cell = m_sheet.cell(row, col.column);
            if (isValueLike(cell)) return;
            if (NumericTest(cell) != -1) any = true;
        }
        if (!any) return;
        m.unitRow = true;
        for (LabColumn& col : m.columns)
            if (NumericTest(m_sheet.cell(row, col.column)) != -1) col.unit = m_sheet.cell(row, col.column);
    }

    const std::string& cellAt(size_t row, int col) const
    {
        static const std::string empty;
        return col < 0 ? empty : m_sheet.cell(row, static_cast<size_t>(col));
    }

    // 0 none, -1 ambiguous, else the SampleTable row.
    int sampleByNumber(const std::string& text) const
    {
        const std::string key = normalizeLabName(text);
        if (key.empty()) return 0;
        for (int s = 1; s <= m_samples; ++s)
            if (m_sampleKey[static_cast<size_t>(s)] == key) return s;
        if (depthLike(key)) return 0;
        const long n = trailingNumber(key);
        if (n < 0) return 0;
        int found = 0;
        for (int s = 1; s <= m_samples; ++s) {
            if (trailingNumber(m_sampleKey[static_cast<size_t>(s)]) != n) continue;
            if (found) return -1;
            found = s;
        }
        return found;
    }

    int sampleByDepth(double top, double bottom) const
    {
        int best = 0;
        double bestDiff = 0;
        for (int s = 1; s <= m_samples; ++s) {
            const double diff = std::fabs(cellDouble(m_doc.SampleTable(s, SampleCol::Top)) - top);
            if (diff > kLabDepthTolerance + 1e-9) continue;
            const std::string& b = m_doc.SampleTable(s, SampleCol::Bottom);
            if (bottom >= 0 && isNumeric(b) && std::fabs(cellDouble(b) - bottom) > kLabDepthTolerance + 1e-9)
                continue;
            if (!best || diff < bestDiff) {
                best = s;
                bestDiff = diff;
            }
        }
        return best;
    }

    void matchRows(LabMatch& m)
    {
        std::vector<bool> taken(static_cast<size_t>(m_samples) + 1, false);
        for (size_t row = m.headerRow + (m.unitRow ? 2 : 1); row < m_sheet.rows.size(); ++row) {
            LabRow lr;
            lr.row = row;
            bool anyValue = false;
            for (const LabColumn& col : m.columns) {
                lr.values.push_back(normalizeLabValue(m_sheet.cell(row, col.column)));
                if (col.kind != LabColumnKind::Unknown && !lr.values.back().empty()) anyValue = true;
            }
            const std::string& id = cellAt(row, m_idColumn);
            const std::string& depth = cellAt(row, m_depthColumn);
            const std::string& bottomText = cellAt(row, m_bottomColumn);
            if (!anyValue) continue; // blank lines, notes under the table
            lr.label = NumericTest(id) != -1 ? id : depth;
            if (NumericTest(bottomText) != -1) lr.label += "-" + bottomText;

            int sample = NumericTest(id) != -1 ? sampleByNumber(id) : 0;
            if (sample == -1) {
                lr.reason = QC_SJ("同じ番号の試料がログに複数あります");
                m.rows.push_back(std::move(lr));
                continue;
            }
            if (!sample) {
                double top = 0, bottom = -1;
                bool have = parseLabDepth(depth, top, bottom);
                if (!have && NumericTest(id) != -1) have = parseLabDepth(id, top, bottom);
                double b2 = 0, unused = 0;
                if (have && bottom < 0 && parseLabDepth(bottomText, b2, unused)) bottom = b2;
                if (have) {
                    sample = sampleByDepth(top, bottom);
                    lr.byDepth = sample > 0;
                }
            }
            if (!sample) {
                lr.reason = QC_SJ("ログに該当する試料（試料番号・深度）がありません");
            } else if (taken[static_cast<size_t>(sample)]) {
                lr.reason = QC_SJ("同じ試料の行が前にもあります");
            } else {
                taken[static_cast<size_t>(sample)] = true;
                lr.sample = sample;
            }
            m.rows.push_back(std::move(lr));
        }
    }

    const LabSheet& m_sheet;
    const Document& m_doc;
    const TestAliases& m_aliases;
    std::string m_testKey[limits::TestName + 1];
    int m_testGroup[limits::TestName + 1] = {};
    int m_samples = 0;
    std::vector<std::string> m_sampleKey; // normalised sample numbers, by SampleTable row
    std::string m_key;                    // the cell being resolved, normalised (its buffer reused)
    int m_idColumn = -1, m_depthColumn = -1, m_bottomColumn = -1;
};

// A decimal number at n[i]; advances i.
bool number(const std::string& n, size_t& i, double& out)
{
    const size_t b = i;
    while (i < n.size() && ((n[i] >= '0' && n[i] <= '9') || n[i] == '.')) ++i;
    if (i == b || n.substr(b, i - b) == ".") return false;
    out = std::atof(n.substr(b, i - b).c_str());
    return true;
}

} // namespace

bool parseLabDepth(const std::string& text, double& top, double& bottom)
{
    std::string n = normalizeLabName(text);
    bottom = -1;
    if (n.rfind("gl", 0) == 0) {
        n.erase(0, 2);
        if (!n.empty() && (n[0] == '-' || n[0] == '+')) n.erase(0, 1);
    }
    size_t i = 0;
    if (!number(n, i, top)) return false;
    if (i < n.size() && n[i] == 'm') ++i;
    if (i == n.size()) return true;
    for (std::string_view sep : {"-", "~", "〜", "ー", "―"})
        if (n.compare(i, sep.size(), sep) == 0) {
            i += sep.size();
            break;
        }
    if (n.rfind("gl", i) == i) i += 2;
    if (i < n.size() && n[i] == '-') ++i;
    double b = 0;
    if (!number(n, i, b)) return false;
    if (i < n.size() && n[i] == 'm') ++i;
    if (i != n.size()) return false;
    bottom = b;
    return true;
}

LabMatch matchLabSheet(const LabSheet& sheet, const Document& doc, const TestAliases& aliases)
{
    return Matcher(sheet, doc, aliases).run();
}

} // namespace qc
