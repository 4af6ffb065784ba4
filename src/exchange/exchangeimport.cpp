// Reading exchange files of versions 2.10, 3.00 and 4.00 into a new log.

#include "exchange/exchangexml.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/geologymaster.h"
#include "document/positions.h"
#include "document/tables.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace qc {

namespace {

// ------------------------------------------------------------ encoding

std::string lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The encoding named in the XML declaration, lower case; empty when none.
std::string declaredEncoding(std::string_view bytes)
{
    if (!bytes.starts_with("<?xml")) return {};
    const size_t end = bytes.find("?>");
    if (end == std::string_view::npos || end > 400) return {};
    const std::string_view decl = bytes.substr(0, end);
    const size_t at = decl.find("encoding");
    if (at == std::string_view::npos) return {};
    size_t q = decl.find_first_of("\"'", at);
    if (q == std::string_view::npos) return {};
    const size_t close = decl.find(decl[q], q + 1);
    if (close == std::string_view::npos) return {};
    return lower(std::string(decl.substr(q + 1, close - q - 1)));
}

bool isShiftJisName(const std::string& enc)
{
    return enc == "shift_jis" || enc == "shift-jis" || enc == "sjis" || enc == "x-sjis" || enc == "cp932" ||
           enc == "windows-31j" || enc == "ms_kanji" || enc == "csshiftjis" || enc == "ms932";
}

// ------------------------------------------------------------ text helpers

std::string trimUtf8(std::string_view s)
{
    auto blankAt = [&s](size_t i, bool back) -> size_t {
        if (!back) {
            if (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) return 1;
            if (s.substr(i).starts_with("\xE3\x80\x80")) return 3;
        } else {
            if (i > 0 && (s[i - 1] == ' ' || s[i - 1] == '\t' || s[i - 1] == '\r' || s[i - 1] == '\n'))
                return 1;
            if (i >= 3 && s.substr(i - 3, 3) == "\xE3\x80\x80") return 3;
        }
        return 0;
    };
    size_t b = 0, e = s.size();
    while (size_t n = blankAt(b, false)) b += n;
    while (e > b) {
        size_t n = blankAt(e, true);
        if (!n) break;
        e -= n;
    }
    return std::string(s.substr(b, e - b));
}

// Full-width digits, signs and points as ASCII, so that "１２．５" reads as a number.
std::string asciiDigits(std::string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size();) {
        if (i + 2 < s.size() && static_cast<unsigned char>(s[i]) == 0xEF &&
            static_cast<unsigned char>(s[i + 1]) == 0xBC) {
            const unsigned char c = static_cast<unsigned char>(s[i + 2]);
            if (c >= 0x90 && c <= 0x99) {
                out += static_cast<char>('0' + (c - 0x90));
                i += 3;
                continue;
            }
            if (c == 0x8E || c == 0x8B || c == 0x8D) {
                out += c == 0x8E ? '.' : c == 0x8B ? '+' : '-';
                i += 3;
                continue;
            }
        }
        out += s[i++];
    }
    return out;
}

std::optional<double> number(std::string_view utf8)
{
    const std::string t = asciiDigits(trimUtf8(utf8));
    if (t.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || !std::isfinite(v) || std::fabs(v) > 1e7) return std::nullopt;
    return v;
}

struct Date
{
    int y = 0, m = 0, d = 0;
};

// "YYYY-MM-DD" and the lenient forms published files use: unpadded, "/" or
// "." separated, "YYYYMMDD".
std::optional<Date> date(std::string_view utf8)
{
    const std::string t = asciiDigits(trimUtf8(utf8));
    std::vector<std::string> groups(1);
    for (char c : t) {
        if (c >= '0' && c <= '9')
            groups.back() += c;
        else if (!groups.back().empty())
            groups.emplace_back();
    }
    if (groups.back().empty()) groups.pop_back();
    Date d;
    if (groups.size() == 1 && groups[0].size() == 8) {
        d = {std::atoi(groups[0].substr(0, 4).c_str()), std::atoi(groups[0].substr(4, 2).c_str()),
             std::atoi(groups[0].substr(6, 2).c_str())};
    } else if (groups.size() == 3 && groups[0].size() <= 4 && groups[1].size() <= 2 &&
               groups[2].size() <= 2) {
        d = {std::atoi(groups[0].c_str()), std::atoi(groups[1].c_str()), std::atoi(groups[2].c_str())};
    } else {
        return std::nullopt;
    }
    if (d.y < 1000 || d.m < 1 || d.m > 12 || d.d < 1 || d.d > 31) return std::nullopt;
    return d;
}

std::string fmt2(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

// ASCII control characters (line breaks and tabs included) as blanks: a cell
// other than a note's text is one line.
std::string oneLine(std::string_view utf8)
{
    std::string out(utf8);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return out;
}

std::string sj(std::string_view utf8)
{
    return cp932::fromUtf8(oneLine(utf8));
}

// ------------------------------------------------------------ the tree

std::string nameOf(const xmlNode* n)
{
    return reinterpret_cast<const char*>(n->name);
}

std::string textOf(const xmlNode* n)
{
    xmlChar* c = xmlNodeGetContent(n);
    std::string s = c ? reinterpret_cast<const char*>(c) : "";
    xmlFree(c);
    return s;
}

bool hasElementChildren(const xmlNode* n)
{
    for (const xmlNode* c = n->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE) return true;
    return false;
}

// The first descendant element whose name passes the test.
const xmlNode* findElement(const xmlNode* n, const std::function<bool(const std::string&)>& test)
{
    for (const xmlNode* c = n->children; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE) continue;
        if (test(nameOf(c))) return c;
        if (const xmlNode* d = findElement(c, test)) return d;
    }
    return nullptr;
}

// Text of the field of a record whose name ends with one of the suffixes
// ("_下端深度" of "色調_下端深度"), trimmed; empty when absent.
std::string field(const xmlNode* record, std::initializer_list<std::string_view> suffixes)
{
    const xmlNode* f = findElement(record, [&](const std::string& name) {
        for (auto s : suffixes)
            if (name.ends_with(s)) return true;
        return false;
    });
    return f ? trimUtf8(textOf(f)) : std::string();
}

struct LayerIn
{
    double depth;
    std::string name, symbol; // UTF-8
};
struct NoteIn
{
    double top, bottom;
    std::string text;
};
struct SpanIn
{
    double top, bottom;
    std::string text;
};
struct WaterIn
{
    double level;
    std::optional<Date> when;
    std::string note;
};
struct DepthText
{
    double depth;
    std::string text;
};

class Importer
{
public:
    ExchangeImport result;

    void root(const xmlNode* r)
    {
        if (const xmlChar* v = xmlGetProp(const_cast<xmlNode*>(r), BAD_CAST "DTD_version")) {
            result.version = reinterpret_cast<const char*>(v);
            xmlFree(const_cast<xmlChar*>(v));
        }
        for (const xmlNode* c = r->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE) continue;
            const std::string n = nameOf(c);
            if (n == "基礎情報") continue; // standards and the public flag: nothing of the log
            if (n == "標題情報")
                title(c);
            else if (n == "コア情報")
                core(c);
            else
                unknown(n);
        }
    }

    void fill(Document& doc, const GeologyMaster* master);

private:
    void unknown(const std::string& name) { count(m_unknown, name); }
    static void count(std::vector<std::pair<std::string, int>>& list, const std::string& name)
    {
        for (auto& [n, k] : list)
            if (n == name) {
                ++k;
                return;
            }
        list.emplace_back(name, 1);
    }
    void note(std::string line) { result.unplaced.push_back(std::move(line)); }

    void title(const xmlNode* node)
    {
        static const std::set<std::string> silent = {"調査目的",
                                                     "調査対象",
                                                     "ボーリング総数",
                                                     "ボーリング連番",
                                                     "取得方法コード",
                                                     "取得方法説明",
                                                     "読取精度コード",
                                                     "測地系",
                                                     "コード1次",
                                                     "コード2次",
                                                     "コード3次",
                                                     "テクリスコード",
                                                     "柱状図様式",
                                                     "試錐機_能力",
                                                     "試錐機_方法",
                                                     "エンジン_能力",
                                                     "エンジン_単位",
                                                     "ポンプ_能力",
                                                     "ポンプ_単位",
                                                     "櫓種類",
                                                     "櫓種類コード",
                                                     "櫓種類名称",
                                                     "N値記録用具",
                                                     "N値記録用具_コード",
                                                     "N値記録用具_名称",
                                                     "ハンマー落下用具_コード",
                                                     "調査会社_電子納品管理者_氏名",
                                                     "調査会社_電子納品管理者_地質情報管理士登録番号"};
        for (const xmlNode* c = node->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE) continue;
            const std::string n = nameOf(c);
            if (n == "ローカル座標") {
                count(m_unplaced, n);
                continue;
            }
            if (hasElementChildren(c)) {
                title(c);
                continue;
            }
            if (!header(n, trimUtf8(textOf(c))) && !silent.contains(n) && !n.ends_with("登録番号"))
                unknown(n);
        }
    }

    // One header element; false when the name is not one of them.
    bool header(const std::string& n, const std::string& v)
    {
        static const std::map<std::string, int> plain = {
            {"調査名", HeaderEntry::SurveyName},
            {"事業工事名", HeaderEntry::ProjectName},
            {"調査位置住所", HeaderEntry::Location},
            {"発注機関名称", HeaderEntry::Orderer},
            {"ボーリング名", HeaderEntry::BoringName},
            {"角度", HeaderEntry::HoleAngle},
            {"掘進角度", HeaderEntry::HoleAngle},
            {"方位", HeaderEntry::Bearing},
            {"掘進方向", HeaderEntry::Bearing},
            {"地盤勾配", HeaderEntry::GroundSlope},
            {"試錐機_名称", HeaderEntry::DrillingMachine},
            {"ハンマー落下用具_名称", HeaderEntry::Hammer},
            {"エンジン_名称", HeaderEntry::Engine},
            {"ポンプ_名称", HeaderEntry::Pump},
            {"調査会社_名称", HeaderEntry::Company},
            {"調査会社_TEL", HeaderEntry::Telephone},
            {"経度_度", HeaderEntry::LongitudeDeg},
            {"経度_分", HeaderEntry::LongitudeMin},
            {"経度_秒", HeaderEntry::LongitudeSec},
            {"緯度_度", HeaderEntry::LatitudeDeg},
            {"緯度_分", HeaderEntry::LatitudeMin},
            {"緯度_秒", HeaderEntry::LatitudeSec},
            {"孔口標高", HeaderEntry::Elevation},
        };
        static const char* const roles[4] = {"主任技師", "現場代理人", "コア鑑定者", "ボーリング責任者"};
        if (auto it = plain.find(n); it != plain.end()) {
            m_header[it->second] = sj(v);
            return true;
        }
        if (n == "総削孔長" || n == "総掘進長") {
            auto d = number(v);
            m_header[HeaderEntry::TotalLength] = d ? fmt2(*d) : sj(v);
            return true;
        }
        for (int r = 0; r < 4; ++r) {
            const std::string base = std::string("調査会社_") + roles[r];
            if (n == base || n == base + "_氏名") {
                if (!v.empty()) {
                    m_header[HeaderEntry::Engineer1 + r] = sj(v);
                    m_header[HeaderEntry::Role1 + r] = sj(roles[r]);
                }
                return true;
            }
        }
        const bool start = n == "調査期間_開始年月日", end = n == "調査期間_終了年月日";
        if (start || end) {
            if (v.empty()) return true;
            auto d = date(v);
            if (!d) {
                note(n + ": 「" + v + "」を日付として読めません");
                return true;
            }
            (start ? m_start : m_end) = d;
            const EraYear e = eraYear(d->y, d->m, d->d);
            const int first = start ? HeaderEntry::StartYear : HeaderEntry::EndYear;
            m_header[start ? HeaderEntry::StartEra : HeaderEntry::EndEra] = e.era;
            m_header[first] = std::to_string(e.year);
            m_header[first + 1] = std::to_string(d->m);
            m_header[first + 2] = std::to_string(d->d);
            return true;
        }
        return false;
    }

    std::optional<double> depth(const xmlNode* rec, const std::string& what,
                                std::initializer_list<std::string_view> s)
    {
        auto d = number(field(rec, s));
        if (!d) count(m_badDepth, what);
        return d;
    }

    void core(const xmlNode* node)
    {
        static const std::set<std::string> layerNames = {"工学的地質区分名現場土質名", "岩石土区分",
                                                         "土質岩種区分"};
        for (const xmlNode* c = node->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE) continue;
            const std::string n = nameOf(c);
            if (layerNames.contains(n)) {
                layer(c, n);
            } else if (n == "色調") {
                auto d = depth(c, n, {"_下端深度"});
                if (d) m_tones.push_back({*d, field(c, {"_色調名"})});
            } else if (n == "観察記事") {
                auto t = depth(c, n, {"_上端深度"}), b = depth(c, n, {"_下端深度"});
                if (t && b) m_notes.push_back({*t, *b, field(c, {"_記事"})});
            } else if (n == "観察記事枠線") {
                if (auto d = depth(c, n, {"_下端深度"})) m_noteLines.push_back(*d);
            } else if (n == "地層岩体区分") {
                auto t = depth(c, n, {"_上端深度"}), b = depth(c, n, {"_下端深度"});
                if (t && b) m_strata.push_back({*t, *b, field(c, {"_地層岩体名"})});
            } else if (n == "孔内水位") {
                water(c);
            } else if (n == "削孔工程" || n == "掘削工程") {
                auto d = depth(c, n, {"_削孔深度", "_掘進深度", "_掘削深度"});
                const std::string when = field(c, {"_測定年月日"});
                if (d) m_drill.push_back({*d, when});
            } else if (n == "保孔管") {
                auto d = depth(c, n, {"_下端深度"});
                std::string text = field(c, {"_備考"});
                if (d) m_casing.push_back({*d, text});
            } else if (n == "試料採取") {
                sample(c);
            } else if (n == "フリー情報" || n == "備考") {
                count(m_unplaced, n);
            } else if (isKnownCoreElement(n)) {
                count(m_unplaced, n);
            } else {
                unknown(n);
            }
        }
    }

    static bool isKnownCoreElement(const std::string& n)
    {
        static const char* const prefixes[] = {"標準貫入試験",
                                               "ルジオン試験",
                                               "相対密度稠度",
                                               "硬軟区分",
                                               "ボーリングコアの形状区分",
                                               "コア形状区分",
                                               "割れ目",
                                               "風化",
                                               "熱水変質",
                                               "変質区分",
                                               "破砕度",
                                               "孔内載荷試験",
                                               "孔内水平載荷試験",
                                               "透水試験",
                                               "P波試験",
                                               "S波試験",
                                               "その他原位置試験",
                                               "地盤材料の工学的分類",
                                               "地質時代",
                                               "孔径孔壁保護",
                                               "削孔速度",
                                               "掘進速度",
                                               "コアチューブビット",
                                               "給圧条件",
                                               "回転数",
                                               "送水条件",
                                               "断層破砕帯区分",
                                               "コア採取率",
                                               "最大コア長",
                                               "RQD",
                                               "コア質量",
                                               "岩級区分",
                                               "計測機器",
                                               "トレーサーによる地下水流動層検層",
                                               "地下水検層試験",
                                               "N値",
                                               "土質試験"};
        for (const char* p : prefixes)
            if (n.starts_with(p)) return true;
        return false;
    }

    void layer(const xmlNode* c, const std::string& n)
    {
        auto d = depth(c, n, {"_下端深度"});
        if (!d) return;
        LayerIn l{*d, {}, {}};
        // The name is the record's text field that is neither depth, symbol nor code.
        for (const xmlNode* f = c->children; f; f = f->next) {
            if (f->type != XML_ELEMENT_NODE || hasElementChildren(f)) continue;
            const std::string fn = nameOf(f);
            if (fn.ends_with("深度") || fn.ends_with("コード")) continue;
            const std::string v = trimUtf8(textOf(f));
            if (fn.ends_with("記号")) {
                if (l.symbol.empty()) l.symbol = v;
            } else if (l.name.empty()) {
                l.name = v;
            }
        }
        m_layers.push_back(std::move(l));
    }

    void water(const xmlNode* c)
    {
        const std::string levelText = field(c, {"_孔内水位"});
        auto level = number(levelText);
        if (!level) {
            count(m_badDepth, "孔内水位");
            return;
        }
        const std::string when = field(c, {"_測定年月日"});
        // -99.99 and the like mark a dry hole: nothing to draw.
        if (*level <= -99.0) {
            note("孔内水位 " + levelText + "（" + when + "）: 水位なしの記録は読み込みません");
            return;
        }
        std::string remark = field(c, {"_水位種別備考"});
        m_water.push_back({*level, date(when), remark});
    }

    void sample(const xmlNode* c)
    {
        auto t = depth(c, "試料採取", {"_上端深度"});
        if (!t) return;
        auto b = number(field(c, {"_下端深度"}));
        SampleIn s;
        s.top = *t;
        s.bottom = b ? *b : *t;
        s.number = field(c, {"_試料番号"});
        s.method = field(c, {"_採取方法"});
        if (s.method.empty()) s.method = field(c, {"_採取方法コード"});
        for (const xmlNode* f = c->children; f; f = f->next)
            if (f->type == XML_ELEMENT_NODE && nameOf(f).ends_with("_試験名") && !trimUtf8(textOf(f)).empty())
                count(m_unplaced, "試料採取_試験名");
        m_samples.push_back(std::move(s));
    }

    struct SampleIn
    {
        double top = 0, bottom = 0;
        std::string number, method;
    };

    std::map<int, std::string> m_header; // CP932 values by entry
    std::optional<Date> m_start, m_end;
    std::vector<LayerIn> m_layers;
    std::vector<DepthText> m_tones;
    std::vector<NoteIn> m_notes;
    std::vector<double> m_noteLines;
    std::vector<SpanIn> m_strata;
    std::vector<WaterIn> m_water;
    std::vector<DepthText> m_drill;
    std::vector<DepthText> m_casing;
    std::vector<SampleIn> m_samples;
    std::vector<std::pair<std::string, int>> m_unknown, m_unplaced, m_badDepth;
};

template <class T> void sortByDepth(std::vector<T>& v, double T::*key)
{
    std::stable_sort(v.begin(), v.end(), [key](const T& a, const T& b) { return a.*key < b.*key; });
}

bool near(double a, double b)
{
    return std::fabs(a - b) < 0.005;
}

// Byte replacement in UTF-8, where an ASCII byte is always a character of its own.
std::string replaceUtf8(std::string_view text, std::string_view find, std::string_view repl)
{
    std::string out;
    size_t pos = 0;
    for (size_t at; (at = text.find(find, pos)) != std::string_view::npos; pos = at + find.size()) {
        out.append(text.substr(pos, at - pos));
        out.append(repl);
    }
    out.append(text.substr(pos));
    return out;
}

// Text with the format's literal "\n" and real line breaks as the CR LF of a note cell.
std::string noteCell(const std::string& utf8)
{
    std::string t = replaceUtf8(replaceUtf8(replaceUtf8(utf8, "\\n", "\n"), "\r\n", "\n"), "\r", "\n");
    while (!t.empty() && t.back() == '\n') t.pop_back();
    if (t.empty()) return {};
    std::string cell;
    size_t pos = 0;
    for (size_t nl; (nl = t.find('\n', pos)) != std::string::npos; pos = nl + 1)
        cell += sj(std::string_view(t).substr(pos, nl - pos)) + "\r\n";
    return cell + sj(std::string_view(t).substr(pos)) + "\r\n";
}

void Importer::fill(Document& doc, const GeologyMaster* master)
{
    ClearAll(doc);
    doc.path.clear();
    doc.title.clear();
    for (const auto& [entry, value] : m_header) doc.HeaderTable(entry) = value;
    ApplyDefaultLogTitle(doc); // as for a new log

    auto over = [this](const char* what, size_t have, int room) {
        if (have > static_cast<size_t>(room))
            note(std::string(what) + ": " + std::to_string(have) + "件のうち" + std::to_string(room) +
                 "件までしか入りません（残りは読み込みません）");
    };

    sortByDepth(m_layers, &LayerIn::depth);
    sortByDepth(m_tones, &DepthText::depth);
    auto& G = doc.GeologyTable;
    over("地質", m_layers.size(), limits::Geology);
    const int layers = static_cast<int>(std::min<size_t>(m_layers.size(), limits::Geology));
    for (int r = 1; r <= layers; ++r) {
        const LayerIn& l = m_layers[static_cast<size_t>(r - 1)];
        const LayerName parts = splitLayerName(sj(l.name));
        G(r, GeologyCol::Depth) = fmt2(l.depth);
        G(r, GeologyCol::Name) = parts.name;
        G(r, GeologyCol::AuxName) = parts.aux;
        G(r, GeologyCol::Prefix) = parts.prefix;
        G(r, GeologyCol::Suffix) = parts.suffix;
        int flags = GeologyBits::EditorDefault;
        if (!parts.aux.empty()) {
            flags |= GeologyBits::ShowAuxiliary;
            const bool alternation = findText(parts.suffix, QC_SJ("互層")) != std::string::npos;
            const bool bracket = parts.prefix == "(" || parts.prefix == QC_SJ("（");
            G(r, GeologyCol::Percent) = alternation ? "49" : bracket ? "50" : "52";
        } else if (parts.prefix == " ") {
            G(r, GeologyCol::Percent) = "98"; // an alternation without a connector
        }
        G(r, GeologyCol::Attributes) = std::to_string(flags);
        G(r, GeologyCol::Symbol) = sj(l.symbol);
        for (const auto& t : m_tones)
            if (t.depth >= l.depth - 0.005) {
                G(r, GeologyCol::Tone) = sj(t.text);
                break;
            }
    }
    int loose = 0;
    for (const auto& t : m_tones) {
        bool matched = false;
        for (int r = 1; r <= layers && !matched; ++r)
            matched = near(t.depth, m_layers[static_cast<size_t>(r - 1)].depth);
        if (!matched) ++loose;
    }
    if (loose)
        note("色調: " + std::to_string(loose) + "件の区間が層の境界と合いません（層の下端の色調にしました）");

    sortByDepth(m_notes, &NoteIn::top);
    over("観察記事", m_notes.size(), limits::Note);
    for (int r = 1; r <= limits::Note && static_cast<size_t>(r) <= m_notes.size(); ++r) {
        const NoteIn& n = m_notes[static_cast<size_t>(r - 1)];
        auto& N = doc.NoteTable;
        N(r, NoteCol::Top) = fmt2(n.top);
        N(r, NoteCol::Bottom) = fmt2(n.bottom);
        N(r, NoteCol::Text) = noteCell(n.text);
        bool line = false;
        for (double d : m_noteLines) line = line || near(d, n.bottom);
        N(r, NoteCol::Underline) = line ? "1" : "0";
    }

    sortByDepth(m_strata, &SpanIn::top);
    over("地層岩体区分", m_strata.size(), limits::Stratum);
    for (int r = 1; r <= limits::Stratum && static_cast<size_t>(r) <= m_strata.size(); ++r) {
        const SpanIn& s = m_strata[static_cast<size_t>(r - 1)];
        doc.StratumTable(r, StratumCol::Top) = fmt2(s.top);
        doc.StratumTable(r, StratumCol::Bottom) = fmt2(s.bottom);
        doc.StratumTable(r, StratumCol::Name) = sj(s.text);
    }

    // Water levels keep the file's order (the order of the readings).
    over("孔内水位", m_water.size(), limits::WaterLevel);
    for (int r = 1; r <= limits::WaterLevel && static_cast<size_t>(r) <= m_water.size(); ++r) {
        const WaterIn& w = m_water[static_cast<size_t>(r - 1)];
        char level[64];
        std::snprintf(level, sizeof level, "%+.2f", -w.level + 0.0);
        doc.WaterLevelTable(r, WaterCol::Level) = level;
        if (w.when) {
            char md[32];
            std::snprintf(md, sizeof md, "%02d/%02d", w.when->m, w.when->d);
            doc.WaterLevelTable(r, WaterCol::Date) = md;
        }
        doc.WaterLevelTable(r, WaterCol::Note) = sj(w.note);
        doc.WaterLevelTable(r, WaterCol::Flags) =
            std::to_string(WaterBits::LevelShown | WaterBits::DateShown);
    }

    sortByDepth(m_drill, &DepthText::depth);
    over("削孔工程", m_drill.size(), limits::DrillDate);
    for (int r = 1; r <= limits::DrillDate && static_cast<size_t>(r) <= m_drill.size(); ++r) {
        const DepthText& d = m_drill[static_cast<size_t>(r - 1)];
        doc.DrillDateTable(r, DrillDateCol::Depth) = fmt2(d.depth);
        if (auto when = date(d.text))
            doc.DrillDateTable(r, DrillDateCol::Date) =
                std::to_string(when->m) + "/" + std::to_string(when->d);
    }

    sortByDepth(m_casing, &DepthText::depth);
    over("保孔管", m_casing.size(), limits::Casing);
    for (int r = 1; r <= limits::Casing && static_cast<size_t>(r) <= m_casing.size(); ++r) {
        doc.CasingTable(r, CasingCol::Depth) = fmt2(m_casing[static_cast<size_t>(r - 1)].depth);
        doc.CasingTable(r, CasingCol::PipeKind) = sj(m_casing[static_cast<size_t>(r - 1)].text);
    }

    sortByDepth(m_samples, &SampleIn::top);
    over("試料採取", m_samples.size(), limits::Sample);
    for (int r = 1; r <= limits::Sample && static_cast<size_t>(r) <= m_samples.size(); ++r) {
        const SampleIn& s = m_samples[static_cast<size_t>(r - 1)];
        doc.SampleTable(r, SampleCol::Top) = fmt2(s.top);
        doc.SampleTable(r, SampleCol::Bottom) = fmt2(s.bottom);
        doc.SampleTable(r, SampleCol::Number) = sj(s.number);
        doc.SampleTable(r, SampleCol::Method) = sj(s.method);
    }

    for (const auto& [n, k] : m_unplaced)
        note(n + ": " + std::to_string(k) + "件（柱状図に入れる欄がありません）");
    for (const auto& [n, k] : m_badDepth)
        note(n + ": " + std::to_string(k) + "件の深度が数値でないため読み飛ばしました");
    for (const auto& [n, k] : m_unknown)
        note("不明な要素 " + n + ": " + std::to_string(k) + "件を読み飛ばしました");

    if (master) DeriveGeologyPatterns(doc, *master);
    doc.modified = 1;
}

void ignoreGenericError(void*, const char*, ...) {}

struct DocFree
{
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct CtxtFree
{
    void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};

} // namespace

LayerName splitLayerName(std::string_view composed)
{
    // Blanks around the name are layout, not part of it.
    LayerName p;
    const std::string t = trimBlanks(composed);
    const std::string_view v = t;
    auto endsWith = [&v](const std::string& s) {
        return v.size() > s.size() && v.ends_with(s) &&
               findText(v, s, v.size() - s.size()) == v.size() - s.size();
    };
    for (const std::string* alt : {&QC_SJ("の互層"), &QC_SJ("互層")}) {
        if (!endsWith(*alt)) continue;
        const std::string body(v.substr(0, v.size() - alt->size()));
        static const std::vector<std::string> connectors = {QC_SJ("・"), QC_SJ("･"), QC_SJ("／"), "/",
                                                            QC_SJ("と")};
        for (const auto& c : connectors) {
            const size_t at = findText(body, c);
            if (at == std::string::npos || at == 0 || at + c.size() >= body.size()) continue;
            p.name = trimBlanks(body.substr(0, at));
            p.prefix = c == QC_SJ("と") ? QC_SJ("と ") : c;
            p.aux = trimBlanks(body.substr(at + c.size()));
            p.suffix = *alt;
            return p;
        }
        // An alternation the dialog cannot split keeps its whole name.
        p.name = t;
        p.prefix = " ";
        return p;
    }
    for (auto [open, close] :
         {std::pair{QC_SJ("（"), QC_SJ("）")}, std::pair{std::string("("), std::string(")")}}) {
        if (!endsWith(close)) continue;
        const size_t at = findText(v, open);
        if (at == std::string::npos || at == 0) continue;
        const size_t auxStart = at + open.size();
        const size_t auxEnd = v.size() - close.size();
        if (auxEnd <= auxStart) continue;
        p.name = trimBlanks(t.substr(0, at));
        p.prefix = open;
        p.aux = trimBlanks(t.substr(auxStart, auxEnd - auxStart));
        p.suffix = close;
        return p;
    }
    p.name = t;
    return p;
}

ExchangeImport importExchangeXml(std::string_view bytes, Document& doc, const GeologyMaster* master)
{
    ExchangeImport failed;
    if (bytes.empty()) {
        failed.error = "ファイルが空です";
        return failed;
    }
    std::string text;
    const char* encoding = "UTF-8";
    int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;
    const unsigned char b0 = static_cast<unsigned char>(bytes[0]);
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        text = bytes.substr(3);
    } else if (b0 == 0xFF || b0 == 0xFE || b0 == 0x00) {
        text = bytes; // UTF-16: libxml2 reads the byte order mark
        encoding = nullptr;
    } else {
        const std::string declared = declaredEncoding(bytes);
        bool nonAscii = false;
        const bool utf8 = cp932::isValidUtf8(bytes, &nonAscii);
        if (declared.empty() || declared == "utf-8" || declared == "utf8" || isShiftJisName(declared)) {
            // Many published files say Shift_JIS and are UTF-8: trust the bytes.
            if (utf8 && (nonAscii || !isShiftJisName(declared)))
                text = bytes;
            else
                text = cp932::toUtf8(bytes);
        } else {
            text = bytes; // another declared encoding: libxml2 converts it
            encoding = nullptr;
        }
    }
    if (encoding) options |= XML_PARSE_IGNORE_ENC;
    if (text.size() > 64u * 1024 * 1024) {
        failed.error = "ファイルが大きすぎます";
        return failed;
    }
    // libxml2 reports some encoding errors past the context's options; the
    // caller reports the failure itself.
    xmlSetGenericErrorFunc(nullptr, ignoreGenericError);
    xmlSetStructuredErrorFunc(nullptr, [](void*, xmlErrorPtr) {});
    std::unique_ptr<xmlParserCtxt, CtxtFree> ctxt(xmlNewParserCtxt());
    if (!ctxt) {
        failed.error = "XMLを読む準備ができません";
        return failed;
    }
    std::unique_ptr<xmlDoc, DocFree> xml(xmlCtxtReadMemory(
        ctxt.get(), text.data(), static_cast<int>(text.size()), "exchange.xml", encoding, options));
    if (!xml || !ctxt->wellFormed) {
        const xmlError* e = xmlCtxtGetLastError(ctxt.get());
        std::string why = e && e->message ? trimUtf8(e->message) : std::string("壊れています");
        failed.error = "XMLとして読めません";
        if (e && e->line > 0) failed.error += "（" + std::to_string(e->line) + "行目）";
        failed.error += ": " + why;
        return failed;
    }
    const xmlNode* root = xmlDocGetRootElement(xml.get());
    if (!root || nameOf(root) != "ボーリング情報") {
        failed.error = "ボーリング交換用データではありません（ルート要素が「ボーリング情報」ではありません）";
        return failed;
    }
    Importer imp;
    imp.root(root);
    imp.fill(doc, master);
    imp.result.ok = true;
    return std::move(imp.result);
}

} // namespace qc
