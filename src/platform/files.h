#pragma once
// Whole-file reading and atomic writing of native paths (UTF-8 on POSIX).

#include <string>
#include <string_view>

namespace qc {

// Why a file function failed: the system's error number and a short English reason.
struct FileError
{
    int code = 0;
    std::string reason;
    // The file (or a folder on its way) does not exist.
    bool notFound() const;
};

// Reads a whole regular file. Anything else (a folder, a FIFO, a device) is refused
// without blocking.
[[nodiscard]] bool readFileBytes(const std::string& path, std::string& out, FileError* error = nullptr);

// The one way the program writes a file. The bytes go to a temporary file with a short
// unique name beside the target, every write, the flush to disk and the close are
// checked, and the temporary is renamed over the target; on any failure it is removed
// and the previous file stays as it was. A symbolic link is written through (the link
// stays, its target gets the bytes); an existing file keeps its permissions, and a file
// the user may not write, or one that is not a regular file, is refused. Temporaries
// left by a killed writer in the same folder are removed on the way.
[[nodiscard]] bool writeFileAtomically(const std::string& path, std::string_view bytes,
                                       FileError* error = nullptr);

// Removes the temporaries of killed writers in folder (ones no writer holds any more and
// older than a minute); returns how many went.
int removeStaleTemporaries(const std::string& folder);

// Plain, non-atomic write, for tests and scratch files only.
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
