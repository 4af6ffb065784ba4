#include "labtable/labnames.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/textops.h"
#include "platform/files.h"

namespace qc {

namespace {

// The full-width forms of the half-width katakana U+FF61 to U+FF9F, in their order.
constexpr std::u32string_view kFullKana = U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタ"
                                          U"チツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

// Calls emit for each character of a UTF-8 text with full-width ASCII and half-width
// katakana folded; a voiced mark joins its kana. One character is held back until the
// next shows whether a mark follows; no buffer is built (every cell of a sheet passes here).
template <class Emit> void forEachFolded(std::string_view s, Emit emit)
{
    char32_t held = 0;
    bool holding = false;
    auto put = [&](char32_t c) {
        if (holding) emit(held);
        held = c;
        holding = true;
    };
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const size_t n = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
        char32_t c = n == 0 ? b : n == 1 ? (b & 0x1Fu) : n == 2 ? (b & 0x0Fu) : (b & 0x07u);
        if (n > 0 && i + n >= s.size()) {
            put(U'\uFFFD');
            break;
        }
        for (size_t k = 1; k <= n; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3Fu);
        i += n + 1;
        if (c >= 0xFF01 && c <= 0xFF5E) {
            put(static_cast<char32_t>(c - 0xFF01 + 0x21));
        } else if (c == 0x3000) {
            put(U' ');
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            const bool voiced = c == 0xFF9E, semi = c == 0xFF9F;
            if ((voiced || semi) && holding) {
                const char32_t prev = held;
                const bool ktoh = (prev >= U'カ' && prev <= U'チ' && (prev - U'カ') % 2 == 0) ||
                                  prev == U'ツ' || prev == U'テ' || prev == U'ト';
                const bool hgroup = prev >= U'ハ' && prev <= U'ホ' && (prev - U'ハ') % 3 == 0;
                if (voiced && (ktoh || hgroup)) {
                    held = prev + 1;
                    continue;
                }
                if (voiced && prev == U'ウ') {
                    held = U'ヴ';
                    continue;
                }
                if (semi && hgroup) {
                    held = prev + 2;
                    continue;
                }
            }
            put(kFullKana[c - 0xFF61]);
        } else {
            put(c);
        }
    }
    if (holding) emit(held);
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

std::string normalizeLabName(std::string_view name)
{
    std::string out;
    normalizeLabName(name, out);
    return out;
}

void normalizeLabName(std::string_view name, std::string& out)
{
    out.clear();
    auto add = [&out](char32_t c) {
        if (isBlank(c)) return;
        if (c == U'、' || c == U'，' || c == U'､') c = U',';
        if (c == 0x2010 || c == 0x2011 || c == 0x2012 || c == 0x2013 || c == 0x2212) c = U'-';
        if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
        cp932::appendUtf8(out, c);
    };
    // ASCII needs no conversion and no folding; most cells of a sheet are ASCII.
    if (cp932::isAscii(name)) {
        for (char c : name) add(static_cast<unsigned char>(c));
        return;
    }
    // Reused from call to call: a sheet's every cell passes here.
    thread_local std::string utf8;
    cp932::toUtf8(name, utf8);
    forEachFolded(utf8, add);
}

std::string normalizeLabValue(std::string_view value)
{
    // ASCII folds to itself: no conversion either way.
    const bool ascii = cp932::isAscii(value);
    thread_local std::string wide, utf8;
    if (!ascii) {
        cp932::toUtf8(value, wide);
        utf8.clear();
        forEachFolded(wide, [&](char32_t c) { cp932::appendUtf8(utf8, c == 0x2212 ? U'-' : c); });
    }
    std::string v = trimmed(ascii ? value : std::string_view(utf8));
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
    return ascii ? v : cp932::fromUtf8(v);
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
