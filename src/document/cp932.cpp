#include "document/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace qc::cp932 {

namespace {

// One conversion descriptor per direction and thread, opened on first use.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns false on a bad sequence, leaving
    // in/left at the offending byte.
    bool run(const char*& in, size_t& left, std::string& out)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buf[1024];
        while (left > 0) {
            char* o = buf;
            size_t room = sizeof buf;
            char* i = const_cast<char*>(in);
            size_t r = iconv(m_cd, &i, &left, &o, &room);
            out.append(buf, static_cast<size_t>(o - buf));
            in = i;
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG) continue;
                return false;
            }
        }
        return true;
    }

private:
    iconv_t m_cd;
};

Converter& toUtf8Converter()
{
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& fromUtf8Converter()
{
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

// Length of the UTF-8 sequence starting with c (1 for a stray byte).
size_t utf8Length(unsigned char c)
{
    if (c >= 0xF0 && c <= 0xF4) return 4;
    if (c >= 0xE0) return 3;
    if (c >= 0xC2 && c < 0xE0) return 2;
    return 1;
}

} // namespace

bool isAscii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

std::string toUtf8(std::string_view bytes)
{
    std::string out;
    toUtf8(bytes, out);
    return out;
}

void toUtf8(std::string_view bytes, std::string& out)
{
    if (isAscii(bytes)) {
        out.assign(bytes);
        return;
    }
    out.clear();
    out.reserve(bytes.size() * 3 / 2);
    Converter& conv = toUtf8Converter();
    const char* in = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        if (conv.valid() && conv.run(in, left, out)) break;
        // A byte that is not CP932 (or an unpaired lead byte): show U+FFFD and go on.
        out += "\xEF\xBF\xBD";
        ++in;
        --left;
    }
}

std::string fromUtf8(std::string_view utf8, bool* ok)
{
    if (ok) *ok = true;
    if (isAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    Converter& conv = fromUtf8Converter();
    const char* in = utf8.data();
    size_t left = utf8.size();
    while (left > 0) {
        if (conv.valid() && conv.run(in, left, out)) break;
        if (ok) *ok = false;
        out += '?';
        size_t skip = utf8Length(static_cast<unsigned char>(*in));
        if (skip > left) skip = left;
        in += skip;
        left -= skip;
    }
    return out;
}

bool isValidUtf8(std::string_view s, bool* nonAscii)
{
    if (nonAscii) *nonAscii = false;
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (nonAscii) *nonAscii = true;
        const size_t n = c >= 0xF0 && c <= 0xF4   ? 4
                         : c >= 0xE0 && c <= 0xEF ? 3
                         : c >= 0xC2 && c <= 0xDF ? 2
                                                  : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        // Overlong three- and four-byte forms, surrogates and code points above U+10FFFF.
        const auto d = static_cast<unsigned char>(s[i + 1]);
        if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90) ||
            (c == 0xF4 && d >= 0x90))
            return false;
        i += n;
    }
    return true;
}

} // namespace qc::cp932
