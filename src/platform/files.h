#pragma once
// Whole-file reading and atomic writing of native paths (UTF-8 on POSIX).

#include <string>
#include <string_view>

namespace qc {

[[nodiscard]] bool readFileBytes(const std::string& path, std::string& out);

// Writes a temporary file beside path, flushes it to disk and renames it over
// path, so that a failure at any step leaves the previous file untouched.
[[nodiscard]] bool writeFileAtomically(const std::string& path, std::string_view bytes);

// Plain, non-atomic write (settings and small side files).
[[nodiscard]] bool writeFileBytes(const std::string& path, std::string_view bytes);

bool fileExists(const std::string& path);

// Splits a text into lines the way the program's readers see them: a trailing
// CR LF, or else LF, is removed from each line; a final line without a line
// end counts too.
void forEachLine(std::string_view bytes, const auto& fn)
{
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t nl = bytes.find('\n', pos);
        size_t end = nl == std::string_view::npos ? bytes.size() : nl;
        size_t next = nl == std::string_view::npos ? bytes.size() : nl + 1;
        if (nl != std::string_view::npos && end > pos && bytes[end - 1] == '\r') --end;
        fn(bytes.substr(pos, end - pos));
        pos = next;
    }
}

} // namespace qc
