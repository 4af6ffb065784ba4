#include "labtable/labnames.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/textops.h"
#include "platform/files.h"

namespace qc {

namespace {

std::u32string decodeUtf8(std::string_view s)
{
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t cp = n == 0 ? c : n == 1 ? (c & 0x1Fu) : n == 2 ? (c & 0x0Fu) : (c & 0x07u);
        if (n > 0 && i + n >= s.size()) {
            out += U'\uFFFD';
            break;
        }
        for (size_t k = 1; k <= n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3Fu);
        out += cp;
        i += n + 1;
    }
    return out;
}

// The full-width forms of the half-width katakana U+FF61 to U+FF9F, in their order.
constexpr std::u32string_view kFullKana = U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタ"
                                          U"チツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

// Full-width ASCII and half-width katakana folded; a voiced mark joins its kana.
std::u32string foldWidths(std::u32string_view in)
{
    std::u32string out;
    for (char32_t c : in) {
        if (c >= 0xFF01 && c <= 0xFF5E) {
            out += static_cast<char32_t>(c - 0xFF01 + 0x21);
        } else if (c == 0x3000) {
            out += U' ';
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            const char32_t full = kFullKana[c - 0xFF61];
            const bool voiced = c == 0xFF9E, semi = c == 0xFF9F;
            if ((voiced || semi) && !out.empty()) {
                char32_t& prev = out.back();
                const bool ktoh = (prev >= U'カ' && prev <= U'チ' && (prev - U'カ') % 2 == 0) ||
                                  prev == U'ツ' || prev == U'テ' || prev == U'ト';
                const bool hgroup = prev >= U'ハ' && prev <= U'ホ' && (prev - U'ハ') % 3 == 0;
                if (voiced && (ktoh || hgroup)) {
                    prev += 1;
                    continue;
                }
                if (voiced && prev == U'ウ') {
                    prev = U'ヴ';
                    continue;
                }
                if (semi && hgroup) {
                    prev += 2;
                    continue;
                }
            }
            out += full;
        } else {
            out += c;
        }
    }
    return out;
}

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == 0x3000;
}

std::string trimmed(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r' || s[b] == '\n')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r' || s[e - 1] == '\n')) --e;
    return std::string(s.substr(b, e - b));
}

} // namespace

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string normalizeLabName(std::string_view name)
{
    std::string out;
    for (char32_t c : foldWidths(decodeUtf8(cp932::toUtf8(name)))) {
        if (isBlank(c)) continue;
        if (c == U'、' || c == U'，' || c == U'､') c = U',';
        if (c == 0x2010 || c == 0x2011 || c == 0x2012 || c == 0x2013 || c == 0x2212) c = U'-';
        if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
        appendUtf8(out, c);
    }
    return out;
}

std::string normalizeLabValue(std::string_view value)
{
    std::string utf8;
    for (char32_t c : foldWidths(decodeUtf8(cp932::toUtf8(value)))) {
        if (c == 0x2212) c = U'-';
        appendUtf8(utf8, c);
    }
    std::string v = trimmed(utf8);
    // A lone "－" (not measured) made "-" would pass as a number and be plotted as 0.
    if (!v.empty() && v.find_first_not_of("-+.") == std::string::npos) return trimmed(value);
    // "1,200" or "12,345.6": digits in groups of three after the first comma.
    bool grouped = v.find(',') != std::string::npos;
    size_t i = (!v.empty() && (v[0] == '-' || v[0] == '+')) ? 1 : 0;
    size_t lead = 0;
    while (i < v.size() && v[i] >= '0' && v[i] <= '9') ++i, ++lead;
    if (lead == 0 || lead > 3) grouped = false;
    while (grouped && i < v.size() && v[i] == ',') {
        size_t k = 1;
        while (k <= 3 && i + k < v.size() && v[i + k] >= '0' && v[i + k] <= '9') ++k;
        if (k != 4) grouped = false;
        i += 4;
    }
    if (grouped && i < v.size() && v[i] == '.') {
        ++i;
        while (i < v.size() && v[i] >= '0' && v[i] <= '9') ++i;
    }
    if (grouped && i == v.size()) {
        std::string plain;
        for (char c : v)
            if (c != ',') plain += c;
        v = plain;
    }
    // Characters came from CP932 and go back unchanged; bytes that were not CP932 become "?".
    return cp932::fromUtf8(v);
}

TestAliases TestAliases::parse(std::string_view bytes)
{
    TestAliases t;
    forEachLine(bytes, [&](std::string_view line) {
        const std::string text = trimmed(line);
        if (text.empty() || text[0] == ';') return;
        std::vector<std::string> names;
        std::string rest = text;
        for (;;) {
            // "=" is below 0x40 and never a trail byte; "＝" is found on character boundaries.
            const size_t eq = findChar(rest, '=');
            const size_t wide = findText(rest, QC_SJ("＝"));
            const bool wideFirst = wide != std::string::npos && (eq == std::string::npos || wide < eq);
            const size_t cut = wideFirst ? wide : eq;
            std::string part = trimmed(rest.substr(0, cut));
            if (!part.empty()) names.push_back(part);
            if (cut == std::string::npos) break;
            rest = rest.substr(cut + (wideFirst ? 2 : 1));
        }
        if (names.empty()) return;
        const int group = static_cast<int>(t.m_canonical.size());
        t.m_canonical.push_back(names.front());
        std::vector<std::string> normalized;
        for (const std::string& n : names) {
            std::string key = normalizeLabName(n);
            normalized.push_back(key);
            t.m_index.emplace(key, group); // a name listed twice keeps its first test
        }
        t.m_names.push_back(std::move(normalized));
    });
    return t;
}

TestAliases loadTestAliases(const std::string& path, const std::string& fallbackPath, std::string& problem)
{
    problem.clear();
    std::string bytes;
    if (readFileBytes(path, bytes) || (!fallbackPath.empty() && readFileBytes(fallbackPath, bytes)))
        return TestAliases::parse(bytes);
    problem =
        ReplaceAll(QC_SJ("試験名の別名表が見つかりません（%1）。試験名はログの書き方のままで照合します"),
                   "%1", cp932::fromUtf8(path));
    return {};
}

int TestAliases::groupOf(const std::string& normalized) const
{
    const auto it = m_index.find(normalized);
    return it == m_index.end() ? -1 : it->second;
}

} // namespace qc
