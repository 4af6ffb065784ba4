#pragma once
// A temporary folder for tests; needs nothing but the standard library, so the
// tests of every layer can use it.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace qc::test {

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
