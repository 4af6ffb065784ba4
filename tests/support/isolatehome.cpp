// Linked into every test executable: before any test runs, the XDG folders
// point into a fresh temporary folder, so that no test reads or writes the
// user's own configuration or install folder.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

struct IsolatedHome
{
    std::string root;

    IsolatedHome()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "qc-home-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        root = tmpl;
        ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
        ::setenv("HOME", root.c_str(), 1);
        ::unsetenv("QC_INSTALL_DIR");
    }
    ~IsolatedHome()
    {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
};

const IsolatedHome isolatedHome;

} // namespace
