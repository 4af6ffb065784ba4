#include "document/geologymaster.h"
#include "document/positions.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/linereader.h"
#include "document/tables.h"
#include "document/textformat.h"
#include "platform/files.h"
#include "platform/prompter.h"

#include <algorithm>
#include <cmath>

namespace qc {

namespace {

// A master line is read into an 89-byte buffer: 88 bytes and its line feed.
constexpr size_t kMasterLineBytes = 88;

bool contains(std::string_view text, std::string_view part)
{
    return findText(text, part) != std::string_view::npos;
}

// Code and digit of a code field "N.k".
void parseCodeField(const std::string& field, MasterEntry& e)
{
    double v = cellDouble(field);
    // Codes outside the int range are no usable pattern numbers; keep them out
    // of the integer conversion.
    if (!std::isfinite(v) || std::fabs(v) >= 2147483647.0) {
        e.code = -1;
        e.digit = 0;
        return;
    }
    e.code = isNumeric(field) ? static_cast<long>(v) : -1;
    int digit = static_cast<int>((v - std::floor(v)) * 10 + 0.1);
    e.digit = digit < 0 ? 0 : (digit > 9 ? 9 : digit);
}

} // namespace

const std::array<std::string, 8>& specialCompoundNames()
{
    static const std::array<std::string, 8> names = {
        cp932::fromUtf8("火山灰質粘性土"), cp932::fromUtf8("高有機質土"), cp932::fromUtf8("有機質土"),
        cp932::fromUtf8("礫質土"),         cp932::fromUtf8("砂質土"),     cp932::fromUtf8("硬質粘土"),
        cp932::fromUtf8("炭質頁岩"),       cp932::fromUtf8("砂質頁岩")};
    return names;
}

int GeologyMaster::first(int variant, int section) const
{
    if (section < 1 || section > kSections) return 0;
    return m_variants[clampVariant(variant)].first[static_cast<size_t>(section)];
}

int GeologyMaster::last(int variant, int section) const
{
    if (section < 1 || section > kSections) return 0;
    return m_variants[clampVariant(variant)].last[static_cast<size_t>(section)];
}

std::span<const MasterEntry> GeologyMaster::sectionEntries(int variant, int sectionNumber) const
{
    const auto& v = m_variants[clampVariant(variant)];
    const int f = first(variant, sectionNumber);
    const int l = std::min(last(variant, sectionNumber), static_cast<int>(v.entries.size()));
    if (f < 1 || l < f) return {};
    return std::span<const MasterEntry>(v.entries).subspan(static_cast<size_t>(f - 1),
                                                           static_cast<size_t>(l - f + 1));
}

std::vector<const MasterEntry*> GeologyMaster::section(int variant, int sectionNumber) const
{
    std::vector<const MasterEntry*> out;
    const auto& v = m_variants[clampVariant(variant)];
    int f = first(variant, sectionNumber), l = last(variant, sectionNumber);
    for (int n = f; n >= 1 && n <= l && n <= static_cast<int>(v.entries.size()); ++n)
        out.push_back(&v.entries[static_cast<size_t>(n - 1)]);
    return out;
}

int GeologyMaster::parse(std::string_view bytes, int variant)
{
    VariantData data;
    int section = 0;
    int result = 0;
    bool done = false;
    const std::string& endMark = QC_SJ("[終了");
    const std::string& sectionMark = QC_SJ("[第");
    const int codeField = variant == Bitmap ? 4 : 3;

    forEachLimitedLine(bytes, kMasterLineBytes, [&](std::string_view line) {
        if (done) return;
        if (line.size() < 2) return; // with its line feed, shorter than 3 bytes
        if (contains(line, endMark)) {
            done = true;
            return;
        }
        if (contains(line, sectionMark)) {
            ++section;
            if (section == 1) {
                std::string f;
                CsvField(f, line, 3);
                result = cellInt(f);
            }
            return;
        }
        if (section < 1 || section > kSections) return;
        if (data.entries.size() >= static_cast<size_t>(kEntries)) return;
        MasterEntry e;
        e.section = section;
        CsvField(e.name, line, 1);
        CsvField(e.text, line, 2);
        std::string code;
        CsvField(code, line, codeField);
        parseCodeField(code, e);
        data.entries.push_back(std::move(e));
        const int number = static_cast<int>(data.entries.size());
        auto s = static_cast<size_t>(section);
        if (data.first[s] == 0) data.first[s] = number;
        data.last[s] = number;
    });
    m_variants[clampVariant(variant)] = std::move(data);
    return result;
}

int LoadNameMaster(GeologyMaster& master, const std::string& path, int variant, Prompter& prompter)
{
    master.clear(variant);
    if (path.size() <= 1) return 0;
    std::string bytes;
    if (!readFileBytes(path, bytes)) {
        prompter.message(ReplaceAll(QC_SJ("ファイルが見つかりません\n( %1 )"), "%1", cp932::fromUtf8(path)));
        return 0;
    }
    return master.parse(bytes, variant);
}

BaseMatch BaseLookup(const GeologyMaster& master, std::string_view text)
{
    BaseMatch m;
    const MasterEntry* winner = nullptr;
    size_t winnerPos = 0;
    for (const MasterEntry& entry : master.sectionEntries(GeologyMaster::Vector, 1)) {
        const MasterEntry* e = &entry;
        // The longest name found wins (the later of equals): a shorter one needs no search.
        if (winner && e->name.size() < winner->name.size()) continue;
        const size_t pos = findText(text, e->name);
        if (pos == std::string_view::npos) continue;
        winner = e;
        winnerPos = pos;
    }
    if (!winner) return m;
    m.code = winner->code > 0 ? winner->code : 0;
    m.digit = winner->digit;
    m.text = winner->text;
    m.before = std::string(text.substr(0, winnerPos));
    return m;
}

Composition ComposeName(const GeologyMaster& master, std::string_view name)
{
    Composition c;
    const std::string n = ReplaceAll(name, QC_SJ("混り"), QC_SJ("混じり"));
    const auto base = master.sectionEntries(GeologyMaster::Vector, 1);

    // A name that is itself a base entry is taken whole.
    for (const MasterEntry& entry : base) {
        const MasterEntry* e = &entry;
        if (e->name == n) {
            c.code = e->code < 0 ? 0 : e->code;
            c.digit = e->digit;
            c.display = e->text;
            return c;
        }
    }

    // Alternating layers: "A・B互層".
    const size_t alternation = findText(n, QC_SJ("互層"));
    if (alternation != std::string::npos) {
        const std::string_view s = std::string_view(n).substr(0, alternation);
        std::string a, b;
        bool found = false;
        for (const std::string* connector : {&QC_SJ("・"), &QC_SJ("･")}) {
            if (findText(s, *connector) != std::string_view::npos) {
                a = TextBefore(s, *connector);
                b = TextAfter(s, *connector);
                found = true;
                break;
            }
        }
        if (!found) {
            c.code = 90000;
            return c;
        }
        BaseMatch first = BaseLookup(master, a);
        c.code = static_cast<long>(FloorToMultiple(static_cast<double>(first.code), 100));
        BaseMatch second = b.empty() ? BaseMatch{} : BaseLookup(master, b);
        if (first.digit == 0 || second.digit == 0)
            c.digit = first.digit + second.digit;
        else
            c.digit = first.digit != second.digit ? 3 : first.digit;
        c.display = first.text + "/" + second.text;
        if (c.code <= 9900) c.code = c.code + 90000 + (second.code > 9900 ? 0 : second.code / 100);
        return c;
    }

    // Mixture modifier, adjective and base.
    std::string rest;
    std::string mixText;
    const std::string& ri = QC_SJ("り");
    if (findText(n, ri) != std::string::npos) {
        const std::string x = TextBefore(n, ri) + ri;
        mixText = "-";
        for (const MasterEntry& entry : master.sectionEntries(GeologyMaster::Vector, 2)) {
            const MasterEntry* e = &entry;
            if (contains(x, e->name)) {
                c.code = e->code < 0 ? 0 : e->code;
                mixText = e->text;
                break;
            }
        }
        rest = TextAfter(n, ri);
    } else {
        rest = n;
    }

    std::string p = rest;
    for (const std::string& special : specialCompoundNames()) {
        if (!contains(rest, special)) continue;
        bool isBase = false;
        for (const MasterEntry& e : base) isBase = isBase || e.name == special;
        if (!isBase) continue;
        p = TextBeforeStrict(rest, special);
        break;
    }

    std::string adjText;
    for (const MasterEntry& entry : master.sectionEntries(GeologyMaster::Vector, 3)) {
        const MasterEntry* e = &entry;
        if (contains(p, e->name)) {
            adjText = e->text;
            if (e->code >= 1) c.code += e->code;
            rest = TextAfter(rest, QC_SJ("質"));
            break;
        }
    }

    BaseMatch b = BaseLookup(master, rest);
    if (b.code > 0) {
        // Overlays compose onto base patterns only: a whole pattern or a block
        // mark (10000 and above) plus an overlay number would name another figure.
        c.code = b.code >= 10000 ? b.code : c.code + b.code;
        c.digit = b.digit;
    }
    c.display = b.text + adjText + mixText;
    return c;
}

void DeriveGeologyPatterns(Document& doc, const GeologyMaster& master)
{
    auto& g = doc.GeologyTable;
    const int n = geologyRowCount(doc);
    for (int row = 1; row <= n; ++row) {
        if (g(row, GeologyCol::Name).empty()) {
            g(row, GeologyCol::VectorName).clear();
            g(row, GeologyCol::Composed).clear();
        } else {
            Composition c = ComposeName(master, g(row, GeologyCol::Name));
            g(row, GeologyCol::VectorName) = formatPatternNumber(c.code, c.digit);
            g(row, GeologyCol::Composed) = c.display;
        }
        if (g(row, GeologyCol::AuxName).empty()) {
            g(row, GeologyCol::VectorAux).clear();
        } else {
            Composition c = ComposeName(master, g(row, GeologyCol::AuxName));
            g(row, GeologyCol::VectorAux) = formatPatternNumber(c.code, c.digit);
        }
    }
    // Rows past the layers keep no derived text (visiting only rows ever written).
    g.clearColumns(GeologyCol::VectorName, GeologyCol::Composed, n + 1);
}

} // namespace qc
