#pragma once
// Small helpers shared by the tests.

#include "document/cp932.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace qc::test {

// CP932 bytes of a UTF-8 text.
inline std::string sj(const std::string& utf8)
{
    return cp932::fromUtf8(utf8);
}
// UTF-8 of CP932 bytes.
inline std::string u8(const std::string& bytes)
{
    return cp932::toUtf8(bytes);
}

inline std::string dataPath(const std::string& name)
{
    return std::string(QC_TEST_DATA_DIR) + "/" + name;
}

// A fresh empty folder below the system temp folder, removed when it goes.
class TempDir
{
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "qc-test-XXXXXX").string();
        m_path = ::mkdtemp(tmpl.data()) ? tmpl : std::string();
    }
    ~TempDir()
    {
        std::error_code ec;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

} // namespace qc::test
