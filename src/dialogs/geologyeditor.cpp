#include "dialogs/geologyeditor.h"

#include "app/masterfiles.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/geologymaster.h"
#include "document/linereader.h"
#include "document/tables.h"
#include "document/textformat.h"
#include "document/textops.h"
#include "platform/prompter.h"

#include <cmath>

namespace qc {

namespace {

constexpr size_t kNameBytes = 32;
constexpr size_t kSymbolBytes = 8;

// Each bit column with the bit it shows.
struct BitColumn
{
    int column;
    int bit; // GeologyBits
};
constexpr BitColumn kBitColumns[] = {
    {GeologyEditor::ColBitDepth, GeologyBits::DepthLine},
    {GeologyEditor::ColBitName, GeologyBits::NameUnderline},
    {GeologyEditor::ColBit8, GeologyBits::Unused8},
    {GeologyEditor::ColBitColour, GeologyBits::ToneUnderline},
    {GeologyEditor::ColBitPattern1, GeologyBits::PatternLine},
    {GeologyEditor::ColBitPattern2, GeologyBits::AuxiliaryMark},
};

// List column of each stored table column 1 to 11.
constexpr int kTableToList[12] = {0,
                                  GeologyEditor::ColDepth,
                                  GeologyEditor::ColName,
                                  GeologyEditor::ColAux,
                                  GeologyEditor::ColColour,
                                  GeologyEditor::ColPattern1,
                                  GeologyEditor::ColPattern2,
                                  GeologyEditor::ColFlags,
                                  GeologyEditor::ColSymbol,
                                  GeologyEditor::ColPercent,
                                  GeologyEditor::ColPrefix,
                                  GeologyEditor::ColSuffix};

// Bits cleared by the colour-tone leave rule: every underline and the depth display.
constexpr int kColourOnlyCleared =
    GeologyBits::DepthLine | GeologyBits::NameUnderline | GeologyBits::PatternLine | GeologyBits::Unused8 |
    GeologyBits::AuxiliaryMark | GeologyBits::ToneUnderline | GeologyBits::Figures;

// The last character of a CP932 text, a two-byte character whole.
std::string_view lastChar(std::string_view text)
{
    size_t i = 0, last = 0;
    while (i < text.size()) {
        last = i;
        i += charLengthAt(text, i);
    }
    return text.substr(last);
}

bool endsWithAny(const std::string& text, std::initializer_list<const char*> utf8Endings)
{
    std::string_view tail = lastChar(text);
    for (const char* e : utf8Endings)
        if (tail == cp932::fromUtf8(e)) return true;
    return false;
}

void writeBits(ListRow& row, int flags)
{
    for (const BitColumn& b : kBitColumns) row[b.column] = (flags & b.bit) ? "_" : ".";
}

} // namespace

int geologyBitColumn(int bit)
{
    for (const BitColumn& b : kBitColumns)
        if (b.bit == bit) return b.column;
    return 0;
}

ListEditor::Config GeologyEditor::geologyConfig()
{
    Config c;
    c.rowLimit = kRowLimit;
    c.fieldCount = FieldCount;
    c.depthField = Depth;
    c.depthFormat = DepthFormat::Fixed2;
    c.columns = {
        {QC_SJ("m"), 44, 1, Depth},         {"", 18, 0, -1},
        {QC_SJ("地質名"), 112, 1, Name},    {"", 18, 0, -1},
        {QC_SJ("補助名"), 100, 1, Aux},     {"", 18, 0, -1},
        {QC_SJ("色調"), 52, 1, Colour},     {"", 18, 0, -1},
        {QC_SJ("ﾊﾟﾀｰﾝ1"), 50, 1, Pattern1}, {"", 18, 0, -1},
        {QC_SJ("ﾊﾟﾀｰﾝ2"), 50, 1, Pattern2}, {"", 18, 0, -1},
        {QC_SJ("記号"), 50, 1, Symbol},     {QC_SJ("%"), 24, 1, Percent},
        {QC_SJ("前"), 28, 1, Prefix},       {QC_SJ("後"), 50, 1, Suffix},
        {QC_SJ("属性"), 36, 1, -1},
    };
    return c;
}

GeologyEditor::GeologyEditor(TextTable& geology, const GeologyMaster& master,
                             std::vector<std::string> colourTones, Prompter& prompter, KeyOptions keys,
                             int e59, int e60)
    : ListEditor(geologyConfig(), prompter, keys), alwaysSplitTopsoil(e59 != 0), alternationLines(e60 != 0),
      m_table(geology), m_colourTones(std::move(colourTones))
{
    for (NameList l : {NameList::Names, NameList::Bases, NameList::Mixtures, NameList::Adjectives})
        m_lists[static_cast<int>(l)] = namesFor(master, l);
}

std::vector<std::string> GeologyEditor::loadColourTones(const std::string& path, Prompter& prompter)
{
    return loadPickList(path, kColourToneLineBytes, prompter);
}

std::vector<MasterPick> GeologyEditor::namesFor(const GeologyMaster& master, NameList list)
{
    int section = 1;
    long low = 0, high = -1; // the range of N, high < low: any N of 0 or more
    switch (list) {
    case NameList::Names:
        low = 10000;
        break;
    case NameList::Bases:
        low = 100;
        high = 9999;
        break;
    case NameList::Mixtures:
        section = 2;
        break;
    case NameList::Adjectives:
        section = 3;
        break;
    }
    std::vector<MasterPick> out;
    // The list fields hold the bitmap numbers of GeologyTable columns 5 and 6.
    for (const MasterEntry* e : master.section(GeologyMaster::Bitmap, section)) {
        if (e->code < 0 || e->code < low || (high >= low && e->code > high)) continue;
        MasterPick p;
        p.name = std::string(cutLine(e->name, kNameBytes));
        p.symbol = std::string(cutLine(e->text, kSymbolBytes));
        p.number = e->code;
        p.pattern = formatPatternNumber(e->code, 0);
        out.push_back(std::move(p));
    }
    return out;
}

int GeologyEditor::patternDigit(const std::string& pattern)
{
    double x = cellDouble(pattern);
    return static_cast<int>((x - std::trunc(x)) * 10.1);
}

const std::vector<std::string>& GeologyEditor::prefixItems()
{
    static const std::vector<std::string> items = {QC_SJ("･"),  "/",         "(",          QC_SJ("・"),
                                                   QC_SJ("／"), QC_SJ("（"), QC_SJ("と "), ""};
    return items;
}

const std::vector<std::string>& GeologyEditor::suffixItems()
{
    static const std::vector<std::string> items = {QC_SJ("互層"), QC_SJ("の互層"), ")", QC_SJ("）")};
    return items;
}

const std::vector<std::string>& GeologyEditor::densityItems()
{
    static const std::vector<std::string> items = {
        QC_SJ("  　　　　　　"), QC_SJ("0　表示しない"),   QC_SJ("1　密度"),   QC_SJ("2　稠度"),
        QC_SJ("3　密度稠度"),    QC_SJ("H　補助名の特性"), QC_SJ(". 　も使用")};
    return items;
}

const std::vector<MasterPick>& GeologyEditor::names(NameList list) const
{
    return m_lists[static_cast<int>(list)];
}

// ---- the check boxes and the name target

void GeologyEditor::setFlag(int bit, bool on)
{
    if (on)
        m_flags |= bit;
    else
        m_flags &= ~bit;
    if (bit == GeologyBits::DepthLine || bit == GeologyBits::Figures) m_target = 1;
    liveUpdate();
}

void GeologyEditor::onFieldEntered(int i)
{
    if (i == Name)
        m_target = 1;
    else if (i == Aux)
        m_target = 2;
}

void GeologyEditor::onFieldLeft(int i)
{
    switch (i) {
    case Depth:
    case Symbol:
        m_target = 1;
        break;
    case Colour:
        m_target = 1;
        colourLeaveRule();
        break;
    case Percent: {
        const std::string& pattern = field(Pattern1);
        const std::string& percent = field(Percent);
        long n = cellLong(pattern);
        if (!pattern.empty() && n >= 10000 && n <= 10004 && !percent.empty() && cellDouble(percent) != 50)
            message(QC_SJ("表土・盛土類の表示割合は50%にして下さい. "));
        break;
    }
    default:
        break;
    }
}

void GeologyEditor::onFieldChanged(int /*i*/)
{
    liveUpdate();
}

void GeologyEditor::colourLeaveRule()
{
    // A row that has only a colour tone carries no underlines.
    if (field(Name).empty() && field(Aux).empty()) m_flags &= ~kColourOnlyCleared;
}

// ---- composing names

void GeologyEditor::clearTarget()
{
    if (m_target == 2) {
        for (int f : {Aux, AuxSymbol, Pattern2}) fieldRef(f).clear();
    } else {
        for (int f : {Name, Symbol, Pattern1, Percent}) fieldRef(f).clear();
    }
    m_flags = kDefaultFlags;
}

void GeologyEditor::pickName(NameList list, int index)
{
    const std::vector<MasterPick>& items = names(list);
    if (index < 0 || index >= static_cast<int>(items.size())) return;
    const MasterPick& item = items[static_cast<size_t>(index)];
    const bool second = m_target == 2;
    std::string& name = fieldRef(second ? Aux : Name);
    std::string& pattern = fieldRef(second ? Pattern2 : Pattern1);
    std::string& symbol = fieldRef(second ? AuxSymbol : Symbol);

    switch (list) {
    case NameList::Names:
    case NameList::Mixtures:
        name = item.name;
        pattern = item.pattern;
        if (!(list == NameList::Names && second)) symbol = item.symbol;
        break;
    case NameList::Adjectives: {
        long d = cellLong(pattern);
        if ((d < 0 || d > 9) && !name.empty() && !endsWithAny(name, {"り", "混"})) {
            clearTarget();
            break;
        }
        name += item.name;
        pattern = formatInt(d + item.number);
        symbol = item.symbol + symbol;
        break;
    }
    case NameList::Bases: {
        long d = cellLong(pattern);
        if ((d < 0 || d > 99) && !name.empty() && !endsWithAny(name, {"り", "混", "質"})) {
            // A complete name: the pick starts a new one.
            clearTarget();
            d = 0;
        }
        name += item.name;
        int k = patternDigit(item.pattern);
        pattern = k ? formatPatternNumber(d + item.number, k) : formatInt(d + item.number);
        symbol = item.symbol + symbol;
        break;
    }
    }
    liveUpdate();
}

void GeologyEditor::pickColourTone(int index)
{
    if (index < 0 || index >= static_cast<int>(m_colourTones.size())) return;
    fieldRef(Colour) += m_colourTones[static_cast<size_t>(index)];
    colourLeaveRule();
    liveUpdate();
}

void GeologyEditor::chooseDensity(DensityChoice choice)
{
    std::string& pattern = fieldRef(Pattern1);
    if (choice != Blank && !pattern.empty()) {
        long n = cellLong(pattern);
        switch (choice) {
        case ShowNeither:
            pattern = formatInt(n);
            break;
        case Density:
        case Consistency:
        case DensityConsistency:
            pattern = formatPatternNumber(n, choice - ShowNeither);
            break;
        case AuxiliaryTrait:
        case AlsoDot:
            pattern = formatPatternNumber(n, patternDigit(pattern) | patternDigit(field(Pattern2)));
            break;
        case Blank:
            break;
        }
    }
    liveUpdate();
}

// ---- the table and the option columns

bool GeologyEditor::loadTableRow(int t, ListRow& row)
{
    if (!isNumeric(m_table(t, 1))) return false;
    for (int c = 1; c <= 11; ++c) row[kTableToList[c]] = m_table(t, c);
    writeBits(row, static_cast<int>(cellLong(m_table(t, 7))));
    return true;
}

void GeologyEditor::writeTableRow(int t, const ListRow& row)
{
    for (int c = 1; c <= 11; ++c) m_table(t, c) = row[kTableToList[c]];
    // Alternating layers are drawn half and half unless a share was given.
    if (cellDouble(m_table(t, 9)) < 1 && findText(m_table(t, 11), QC_SJ("互層")) != std::string::npos)
        m_table(t, 9) = "50";
}

void GeologyEditor::clearTableRow(int t)
{
    for (int c = 1; c <= 11; ++c) m_table(t, c).clear();
}

std::string GeologyEditor::writeBackDepthText(const std::string& depth) const
{
    return formatDepth(depth, DepthFormat::Fixed2);
}

bool GeologyEditor::validate(const ListRow& buffer, bool showMessages)
{
    return ListEditor::validate(buffer, showMessages) && checkRange(buffer[ColDepth], -1, 3000, showMessages);
}

void GeologyEditor::optionsToBuffer(ListRow& buffer) const
{
    int word = m_flags & ~GeologyBits::Unused8;
    writeBits(buffer, word);
    buffer[ColFlags] = std::to_string(word);
}

void GeologyEditor::optionsFromRow(const ListRow& row)
{
    if (isNumeric(row[ColFlags])) m_flags = static_cast<int>(cellLong(row[ColFlags]));
}

void GeologyEditor::resetOptions()
{
    m_flags = kDefaultFlags;
    m_target = 1;
}

void GeologyEditor::optionFromCell(int col, const ListRow& row)
{
    if (col == ColFlags) {
        optionsFromRow(row);
        return;
    }
    for (const BitColumn& b : kBitColumns) {
        if (b.column != col) continue;
        const std::string& t = row[col];
        if (t == "_" || t == "1")
            m_flags |= b.bit;
        else
            m_flags &= ~b.bit;
    }
}

void GeologyEditor::afterCellCommit(int r, int col)
{
    ListRow& row = mutableRow(r);
    if (col == ColFlags) {
        if (isNumeric(row[ColFlags])) writeBits(row, static_cast<int>(cellLong(row[ColFlags])));
        return;
    }
    for (const BitColumn& b : kBitColumns) {
        if (b.column != col) continue;
        // The bit cell and the flags word of the row say the same.
        int word = static_cast<int>(cellLong(row[ColFlags]));
        bool set = row[col] == "_" || row[col] == "1";
        word = set ? (word | b.bit) : (word & ~b.bit);
        row[ColFlags] = std::to_string(word);
        writeBits(row, word);
        return;
    }
    if (col == ColDepth && !isNumeric(row[ColFlags])) {
        int word = m_flags & ~GeologyBits::Unused8;
        row[ColFlags] = std::to_string(word);
        writeBits(row, word);
    }
}

void GeologyEditor::deleteRow()
{
    ListEditor::deleteRow();
    m_target = 1;
}

} // namespace qc
