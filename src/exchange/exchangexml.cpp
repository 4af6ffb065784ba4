#include "exchange/exchangexml.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/geologymaster.h"
#include "document/positions.h"
#include "document/tables.h"

#include <cmath>
#include <cstdio>

namespace qc {

namespace {

std::string formatDepth(double v);

} // namespace

std::string trimBlanks(std::string_view text)
{
    text = skipBlanks(text);
    size_t end = 0; // end of the last character that is not a blank
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        size_t len = cp932::isLeadByte(c) && i + 1 < text.size() ? 2 : 1;
        bool blank = (len == 1 && (c == ' ' || c == '\t')) ||
                     (len == 2 && c == 0x81 && static_cast<unsigned char>(text[i + 1]) == 0x40);
        i += len;
        if (!blank) end = i;
    }
    return std::string(text.substr(0, end));
}

namespace {

std::string trimmed(std::string_view text)
{
    return trimBlanks(text);
}

std::string formatDepth(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

// A numeric cell as "%.2f", empty when the cell holds no number.
std::string numberOrEmpty(std::string_view cell)
{
    return isNumeric(cell) ? formatDepth(cellDouble(cell)) : std::string();
}

// ---------------------------------------------------------------- writing

// An XML document in CP932 bytes, tab-indented, CR LF line ends.
class XmlOut
{
public:
    explicit XmlOut(std::vector<std::string>& report) : m_report(report) {}

    void raw(std::string_view utf8Line) { line(cp932::fromUtf8(utf8Line)); }
    void open(const char* name)
    {
        line("<" + cp932::fromUtf8(name) + ">");
        ++m_depth;
    }
    void close(const char* name)
    {
        --m_depth;
        line("</" + cp932::fromUtf8(name) + ">");
    }
    // A leaf holding a CP932 value.
    void leaf(const char* name, std::string_view raw)
    {
        const std::string tag = cp932::fromUtf8(name);
        // Readers trim values, so blanks at the ends (control characters become
        // blanks) carry nothing.
        const std::string value = trimBlanks(blankControls(raw));
        if (value.empty()) {
            line("<" + tag + "/>");
            return;
        }
        line("<" + tag + ">" + escape(name, value) + "</" + tag + ">");
    }
    void indent(int levels) { m_depth += levels; }
    std::string take() { return std::move(m_out); }

private:
    void line(const std::string& text)
    {
        m_out.append(static_cast<size_t>(m_depth), '\t');
        m_out += text;
        m_out += "\r\n";
    }
    static std::string blankControls(std::string_view value)
    {
        std::string out(value);
        for (size_t i = 0; i < out.size();) {
            const unsigned char c = static_cast<unsigned char>(out[i]);
            if (cp932::isLeadByte(c) && i + 1 < out.size()) {
                i += 2;
                continue;
            }
            if (c < 0x20 || c == 0x7F) out[i] = ' ';
            ++i;
        }
        return out;
    }
    // Walks the characters: markup characters become references, and
    // characters outside JIS X 0208 are reported.
    std::string escape(const char* element, std::string_view value)
    {
        std::string out;
        for (size_t i = 0; i < value.size();) {
            const unsigned char c = static_cast<unsigned char>(value[i]);
            const size_t len = cp932::isLeadByte(c) && i + 1 < value.size() ? 2 : 1;
            const std::string_view ch = value.substr(i, len);
            i += len;
            if (len == 1) {
                switch (c) {
                case '&':
                    out += "&amp;";
                    continue;
                case '<':
                    out += "&lt;";
                    continue;
                case '>':
                    out += "&gt;";
                    continue;
                default:
                    break;
                }
            }
            if (!inJisX0208(ch)) m_report.push_back(std::string(element) + ": " + cp932::toUtf8(ch));
            out += ch;
        }
        return out;
    }

    std::vector<std::string>& m_report;
    std::string m_out;
    int m_depth = 0;
};

struct Era
{
    const char* name; // UTF-8
    int y, m, d;      // first day
};
constexpr Era kEras[] = {{"令和", 2019, 5, 1},
                         {"平成", 1989, 1, 8},
                         {"昭和", 1926, 12, 25},
                         {"大正", 1912, 7, 30},
                         {"明治", 1868, 1, 25}};

std::string isoDate(int y, int m, int d)
{
    if (y < 1000 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

std::string surveyDate(const HeaderList& h, int eraEntry, int yearEntry)
{
    const int y = gregorianYear(h(eraEntry), h(yearEntry));
    return isoDate(y, cellInt(h(yearEntry + 1)), cellInt(h(yearEntry + 2)));
}

// The Gregorian year of a "mm/dd" date within the survey period: the start
// year, or the end year for a month before the start month.
int yearOfDate(const HeaderList& h, int month)
{
    const int start = gregorianYear(h(HeaderEntry::StartEra), h(HeaderEntry::StartYear));
    const int end = gregorianYear(h(HeaderEntry::EndEra), h(HeaderEntry::EndYear));
    if (start == 0) return end;
    if (end > start && month < cellInt(h(HeaderEntry::StartMonth))) return end;
    return start;
}

// "mm/dd" (or "m/d") of a log table as a full date.
std::string tableDate(const HeaderList& h, std::string_view cell)
{
    const std::string t = trimmed(cell);
    const size_t slash = t.find('/');
    if (slash == std::string::npos) return {};
    const int m = cellInt(std::string_view(t).substr(0, slash));
    const int d = cellInt(std::string_view(t).substr(slash + 1));
    return isoDate(yearOfDate(h, m), m, d);
}

double dms(const HeaderList& h, int first)
{
    return cellDouble(h(first)) + cellDouble(h(first + 1)) / 60.0 + cellDouble(h(first + 2)) / 3600.0;
}

// Note text: the cell's CR LF line breaks as the literal "\n" of the format.
std::string noteText(std::string_view cell)
{
    std::string t = ReplaceAll(ReplaceAll(cell, "\r\n", "\n"), "\r", "\n");
    while (!t.empty() && t.back() == '\n') t.pop_back();
    return ReplaceAll(t, "\n", "\\n");
}

} // namespace

bool inJisX0208(std::string_view ch)
{
    if (ch.size() == 1) return static_cast<unsigned char>(ch[0]) < 0x80;
    if (ch.size() != 2) return false;
    const int b1 = static_cast<unsigned char>(ch[0]);
    const int b2 = static_cast<unsigned char>(ch[1]);
    if (b2 < 0x40 || b2 == 0x7F || b2 > 0xFC) return false;
    if (!((b1 >= 0x81 && b1 <= 0x9F) || (b1 >= 0xE0 && b1 <= 0xEF))) return false;
    int row = (b1 <= 0x9F ? b1 - 0x81 : b1 - 0xC1) * 2 + 1;
    int cell;
    if (b2 >= 0x9F) {
        ++row;
        cell = b2 - 0x9E;
    } else {
        cell = b2 - 0x40 + 1 - (b2 >= 0x80 ? 1 : 0);
    }
    auto in = [cell](std::initializer_list<std::pair<int, int>> ranges) {
        for (auto [a, b] : ranges)
            if (cell >= a && cell <= b) return true;
        return false;
    };
    switch (row) {
    case 1:
        return true;
    case 2:
        return in({{1, 14}, {26, 33}, {42, 48}, {60, 74}, {82, 89}, {94, 94}});
    case 3:
        return in({{16, 25}, {33, 58}, {65, 90}});
    case 4:
        return in({{1, 83}});
    case 5:
        return in({{1, 86}});
    case 6:
        return in({{1, 24}, {33, 56}});
    case 7:
        return in({{1, 33}, {49, 81}});
    case 8:
        return in({{1, 32}});
    case 47:
        return in({{1, 51}});
    case 84:
        return in({{1, 6}});
    default:
        return row >= 16 && row <= 83;
    }
}

int gregorianYear(std::string_view era, std::string_view year)
{
    const std::string e = cp932::toUtf8(trimmed(era));
    const int y = cellInt(year);
    if (y <= 0) return 0;
    for (const Era& x : kEras)
        if (e == x.name) return x.y + y - 1;
    return y >= 1000 ? y : 0;
}

EraYear eraYear(int year, int month, int day)
{
    for (const Era& x : kEras) {
        if (year > x.y || (year == x.y && (month > x.m || (month == x.m && day >= x.d))))
            return {cp932::fromUtf8(x.name), year - x.y + 1};
    }
    return {{}, year};
}

MeshCodes meshCodes(double latitude, double longitude)
{
    const double p = latitude * 1.5, q = longitude - 100.0;
    if (!(p >= 0 && p < 100 && q >= 0 && q < 100)) return {};
    const int p1 = static_cast<int>(std::floor(p)), q1 = static_cast<int>(std::floor(q));
    const double pr = (p - p1) * 8.0, qr = (q - q1) * 8.0;
    const int p2 = static_cast<int>(std::floor(pr)), q2 = static_cast<int>(std::floor(qr));
    const int p3 = static_cast<int>(std::floor((pr - p2) * 10.0)),
              q3 = static_cast<int>(std::floor((qr - q2) * 10.0));
    char a[16], b[16], c[16];
    std::snprintf(a, sizeof a, "%02d%02d", p1, q1);
    std::snprintf(b, sizeof b, "%d%d", p2, q2);
    std::snprintf(c, sizeof c, "%d%d", p3, q3);
    return {a, b, c};
}

std::string composeLayerName(const LayerName& parts)
{
    if (parts.aux.empty()) return parts.name;
    // The dialog's connectors may carry a blank ("と "); the name has none.
    const std::string prefix = trimmed(parts.prefix);
    return parts.name + prefix + parts.aux + parts.suffix;
}

ExchangeExport exportExchangeXml(const Document& doc, const ExchangeSettings& s, const RockCodeTable& codes)
{
    ExchangeExport result;
    if (geologyRowCount(doc) == 0) {
        // The format requires at least one layer.
        result.error = "地質の層がありません。電子納品XMLには少なくとも1層が必要です。";
        return result;
    }
    XmlOut x(result.outsideJis);
    const HeaderList& h = doc.HeaderTable;
    auto H = [&h](int e) { return trimmed(h(e)); };

    x.raw("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>");
    x.raw("<!DOCTYPE ボーリング情報 SYSTEM \"BED0400.DTD\">");
    x.raw("<ボーリング情報 DTD_version=\"4.00\">");
    XmlOut& o = x;
    o.indent(1);
    o.open("基礎情報");
    {
        std::vector<std::string> standards = CsvSplit(s.standards);
        bool any = false;
        for (const auto& st : standards) {
            const std::string t = trimmed(st);
            if (t.empty()) continue;
            o.leaf("適用規格", t);
            any = true;
        }
        if (!any) o.leaf("適用規格", "");
        o.open("公開フラグ");
        o.leaf("公開フラグ_コード", s.publicFlag);
        o.close("公開フラグ");
    }
    o.close("基礎情報");

    o.open("標題情報");
    o.open("調査基本情報");
    o.leaf("事業工事名", H(HeaderEntry::ProjectName));
    o.leaf("調査名", H(HeaderEntry::SurveyName));
    o.leaf("調査目的", s.purpose);
    o.leaf("調査対象", s.target);
    o.leaf("ボーリング名", H(HeaderEntry::BoringName));
    o.leaf("ボーリング総数", s.boringTotal);
    o.leaf("ボーリング連番", s.boringSerial);
    o.close("調査基本情報");

    o.open("経度緯度情報");
    o.leaf("経度_度", H(HeaderEntry::LongitudeDeg));
    o.leaf("経度_分", H(HeaderEntry::LongitudeMin));
    o.leaf("経度_秒", H(HeaderEntry::LongitudeSec));
    o.leaf("緯度_度", H(HeaderEntry::LatitudeDeg));
    o.leaf("緯度_分", H(HeaderEntry::LatitudeMin));
    o.leaf("緯度_秒", H(HeaderEntry::LatitudeSec));
    o.leaf("取得方法コード", s.positionMethod);
    o.leaf("読取精度コード", s.positionPrecision);
    o.leaf("測地系", s.datum);
    o.close("経度緯度情報");

    o.open("調査位置");
    o.leaf("調査位置住所", H(HeaderEntry::Location));
    MeshCodes mesh;
    if (isNumeric(h(HeaderEntry::LatitudeDeg)) && isNumeric(h(HeaderEntry::LongitudeDeg)))
        mesh = meshCodes(dms(h, HeaderEntry::LatitudeDeg), dms(h, HeaderEntry::LongitudeDeg));
    o.leaf("コード1次", mesh.first);
    o.leaf("コード2次", mesh.second);
    o.leaf("コード3次", mesh.third);
    o.close("調査位置");

    o.open("発注機関");
    o.leaf("発注機関名称", H(HeaderEntry::Orderer));
    o.leaf("テクリスコード", s.techrisCode);
    o.close("発注機関");

    o.open("調査期間");
    o.leaf("調査期間_開始年月日", surveyDate(h, HeaderEntry::StartEra, HeaderEntry::StartYear));
    o.leaf("調査期間_終了年月日", surveyDate(h, HeaderEntry::EndEra, HeaderEntry::EndYear));
    o.close("調査期間");

    o.open("調査会社");
    o.leaf("調査会社_名称", H(HeaderEntry::Company));
    o.leaf("調査会社_TEL", H(HeaderEntry::Telephone));
    {
        // Engineers go to the role their title names; the others by position.
        static const char* const roles[4] = {"主任技師", "現場代理人", "コア鑑定者", "ボーリング責任者"};
        static const char* const elements[4] = {"調査会社_主任技師_氏名", "調査会社_現場代理人_氏名",
                                                "調査会社_コア鑑定者_氏名", "調査会社_ボーリング責任者_氏名"};
        int slotOf[4] = {0, 0, 0, 0};
        bool used[4] = {false, false, false, false};
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k)
                if (!used[k] && !slotOf[r] &&
                    findText(h(HeaderEntry::Role1 + k), cp932::fromUtf8(roles[r])) != std::string::npos) {
                    slotOf[r] = k + 1;
                    used[k] = true;
                }
        for (int r = 0; r < 4; ++r)
            if (!slotOf[r] && !used[r]) {
                slotOf[r] = r + 1;
                used[r] = true;
            }
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4 && !slotOf[r]; ++k)
                if (!used[k]) {
                    slotOf[r] = k + 1;
                    used[k] = true;
                }
        for (int r = 0; r < 4; ++r)
            o.leaf(elements[r], slotOf[r] ? H(HeaderEntry::Engineer1 + slotOf[r] - 1) : std::string());
    }
    o.close("調査会社");

    const int layers = geologyRowCount(doc);
    const auto& G = doc.GeologyTable;
    o.open("ボーリング基本情報");
    o.leaf("孔口標高", numberOrEmpty(h(HeaderEntry::Elevation)));
    std::string total = numberOrEmpty(h(HeaderEntry::TotalLength));
    if (total.empty() && layers > 0) total = formatDepth(cellDouble(G(layers, GeologyCol::Depth)));
    o.leaf("総削孔長", total);
    o.leaf("柱状図様式", s.logStyle);
    if (!H(HeaderEntry::HoleAngle).empty()) o.leaf("角度", H(HeaderEntry::HoleAngle));
    if (!H(HeaderEntry::Bearing).empty()) o.leaf("方位", H(HeaderEntry::Bearing));
    if (!H(HeaderEntry::GroundSlope).empty()) o.leaf("地盤勾配", H(HeaderEntry::GroundSlope));
    o.close("ボーリング基本情報");
    o.open("試錐機");
    o.leaf("試錐機_名称", H(HeaderEntry::DrillingMachine));
    o.close("試錐機");
    o.open("エンジン");
    o.leaf("エンジン_名称", H(HeaderEntry::Engine));
    o.close("エンジン");
    o.open("ポンプ");
    o.leaf("ポンプ_名称", H(HeaderEntry::Pump));
    o.close("ポンプ");
    o.close("標題情報");

    o.open("コア情報");
    for (int r = 1; r <= layers; ++r) {
        const LayerName parts{trimmed(G(r, GeologyCol::Name)), G(r, GeologyCol::Prefix),
                              trimmed(G(r, GeologyCol::AuxName)), trimmed(G(r, GeologyCol::Suffix))};
        const std::string name = composeLayerName(parts);
        const RockCode code = codes.lookup(name, parts.name);
        o.open("工学的地質区分名現場土質名");
        o.leaf("工学的地質区分名現場土質名_下端深度", formatDepth(cellDouble(G(r, GeologyCol::Depth))));
        o.leaf("工学的地質区分名現場土質名_工学的地質区分名現場土質名", name);
        if (!trimmed(G(r, GeologyCol::Symbol)).empty())
            o.leaf("工学的地質区分名現場土質名_工学的地質区分名現場土質名記号",
                   trimmed(G(r, GeologyCol::Symbol)));
        o.open("工学的地質区分名現場土質名_岩石群");
        o.leaf("工学的地質区分名現場土質名_岩石群コード", s.rockGroup);
        o.open("工学的地質区分名現場土質名_岩石土コード");
        o.leaf("工学的地質区分名現場土質名_岩相", code.facies);
        o.leaf("工学的地質区分名現場土質名_岩石", code.rock);
        o.close("工学的地質区分名現場土質名_岩石土コード");
        o.close("工学的地質区分名現場土質名_岩石群");
        o.close("工学的地質区分名現場土質名");
    }
    // Colour tones over their own intervals: equal tones of adjacent layers are one interval.
    for (int r = 1; r <= layers; ++r) {
        const std::string tone = trimmed(G(r, GeologyCol::Tone));
        if (r < layers && trimmed(G(r + 1, GeologyCol::Tone)) == tone) continue;
        bool later = false; // a tone further down: an empty one still bounds the interval
        for (int k = r + 1; k <= layers && !later; ++k) later = !trimmed(G(k, GeologyCol::Tone)).empty();
        if (tone.empty() && !later) break;
        o.open("色調");
        o.leaf("色調_下端深度", formatDepth(cellDouble(G(r, GeologyCol::Depth))));
        o.leaf("色調_色調名", tone);
        o.close("色調");
    }
    const auto& N = doc.NoteTable;
    const int notes = usedRows(N);
    for (int r = 1; r <= notes; ++r) {
        o.open("観察記事");
        o.leaf("観察記事_上端深度", formatDepth(cellDouble(N(r, NoteCol::Top))));
        o.leaf("観察記事_下端深度", formatDepth(cellDouble(N(r, NoteCol::Bottom))));
        o.leaf("観察記事_記事", noteText(N(r, NoteCol::Text)));
        o.close("観察記事");
    }
    for (int r = 1; r <= notes; ++r) {
        // An empty underline flag is taken as on, as the notes editor does.
        const std::string& u = N(r, NoteCol::Underline);
        if (isNumeric(u) && cellInt(u) == 0) continue;
        o.open("観察記事枠線");
        o.leaf("観察記事枠線_下端深度", formatDepth(cellDouble(N(r, NoteCol::Bottom))));
        o.close("観察記事枠線");
    }
    const auto& S = doc.SampleTable;
    for (int r = 1, n = usedRows(S); r <= n; ++r) {
        o.open("試料採取");
        o.leaf("試料採取_上端深度", formatDepth(cellDouble(S(r, SampleCol::Top))));
        const std::string bottom = numberOrEmpty(S(r, SampleCol::Bottom));
        o.leaf("試料採取_下端深度", bottom.empty() ? formatDepth(cellDouble(S(r, SampleCol::Top))) : bottom);
        o.leaf("試料採取_試料番号", trimmed(S(r, SampleCol::Number)));
        o.leaf("試料採取_採取方法コード", s.samplingMethod);
        if (!trimmed(S(r, SampleCol::Method)).empty())
            o.leaf("試料採取_採取方法", trimmed(S(r, SampleCol::Method)));
        o.close("試料採取");
    }
    const auto& St = doc.StratumTable;
    for (int r = 1, n = usedRows(St); r <= n; ++r) {
        o.open("地層岩体区分");
        o.leaf("地層岩体区分_上端深度", formatDepth(cellDouble(St(r, StratumCol::Top))));
        o.leaf("地層岩体区分_下端深度", formatDepth(cellDouble(St(r, StratumCol::Bottom))));
        o.leaf("地層岩体区分_地層岩体名", trimmed(St(r, StratumCol::Name)));
        o.close("地層岩体区分");
    }
    const auto& W = doc.WaterLevelTable;
    for (int r = 1, n = usedRows(W); r <= n; ++r) {
        o.open("孔内水位");
        o.leaf("孔内水位_測定年月日", tableDate(h, W(r, WaterCol::Date)));
        o.leaf("孔内水位_削孔状況コード", s.drillingStatus);
        // The log counts levels below ground as negative, the format as positive.
        o.leaf("孔内水位_孔内水位", formatDepth(-cellDouble(W(r, WaterCol::Level)) + 0.0));
        if (!trimmed(W(r, WaterCol::Note)).empty())
            o.leaf("孔内水位_水位種別備考", trimmed(W(r, WaterCol::Note)));
        o.close("孔内水位");
    }
    const auto& D = doc.DrillDateTable;
    for (int r = 1, n = usedRows(D); r <= n; ++r) {
        o.open("削孔工程");
        o.leaf("削孔工程_測定年月日", tableDate(h, D(r, DrillDateCol::Date)));
        o.leaf("削孔工程_削孔深度", formatDepth(cellDouble(D(r, DrillDateCol::Depth))));
        o.close("削孔工程");
    }
    const auto& C = doc.CasingTable;
    for (int r = 1, n = usedRows(C); r <= n; ++r) {
        o.open("保孔管");
        o.leaf("保孔管_下端深度", formatDepth(cellDouble(C(r, CasingCol::Depth))));
        o.leaf("保孔管_種別コード", s.casingKind);
        if (!trimmed(C(r, CasingCol::PipeKind)).empty())
            o.leaf("保孔管_備考", trimmed(C(r, CasingCol::PipeKind)));
        o.close("保孔管");
    }
    o.close("コア情報");
    o.indent(-1);
    x.raw("</ボーリング情報>");
    result.bytes = x.take();
    return result;
}

} // namespace qc
