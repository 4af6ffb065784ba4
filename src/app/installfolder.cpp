#include "app/installfolder.h"

#include "document/linereader.h"
#include "document/textops.h"
#include "platform/files.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace qc {

namespace {

// The Windows pointer line is read into a 79-byte buffer with its line feed;
// a POSIX path may be as long as the system allows.
constexpr size_t kWindowsPointerBytes = 78;
constexpr size_t kPosixPointerBytes = 4096;

std::string envValue(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string homeFolder()
{
    std::string home = envValue("HOME");
#ifndef _WIN32
    if (home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    }
#endif
    return home;
}

// An XDG base folder: the variable when it holds an absolute path, else the default below HOME.
std::string xdgFolder(const char* variable, const char* fallbackBelowHome)
{
    std::string v = envValue(variable);
    if (!v.empty() && v.front() == '/') return v;
    return homeFolder() + "/" + fallbackBelowHome;
}

std::optional<std::string> readPointer(const std::string& path, size_t maxBytes)
{
    if (path.empty()) return std::nullopt;
    std::string bytes;
    if (!readFileBytes(path, bytes)) return std::nullopt;
    return pointerLine(bytes, maxBytes);
}

std::string expandHome(const std::string& folder)
{
    if (folder == "~") return homeFolder();
    if (folder.rfind("~/", 0) == 0) return homeFolder() + folder.substr(1);
    return folder;
}

bool isDirectory(const std::string& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

} // namespace

std::string InstallFolder::file(std::string_view name) const
{
    std::string p = path;
    // A Windows folder is CP932, whose last byte may be the second byte of "表"; a
    // POSIX folder is UTF-8, where "/" is never part of another character.
    const bool separated = windowsDrives ? endsWithChar(p, '\\') : !p.empty() && p.back() == '/';
    if (!separated) p += windowsDrives ? '\\' : '/';
    p += name;
    return p;
}

std::string pointerLine(std::string_view bytes, size_t maxBytes)
{
    std::string first;
    bool seen = false;
    forEachLimitedLine(bytes, maxBytes, [&](std::string_view line) {
        if (!seen) first = std::string(line);
        seen = true;
    });
    return first;
}

InstallFolder locateInstallFolder(const InstallEnvironment& env)
{
    InstallFolder f;
    f.windowsDrives = env.windowsDrives;
    if (!env.overrideDir.empty()) {
        f.folder = env.overrideDir;
        if (env.windowsDrives && env.overrideDir.size() >= 2 && env.overrideDir[1] == ':') {
            f.drive = env.overrideDir.substr(0, 1);
            f.folder = env.overrideDir.substr(2);
        }
        f.path = env.overrideDir;
        return f;
    }

    if (env.windowsDrives) {
        for (const std::string* pointer : {&env.pointerFile, &env.fallbackPointerFile}) {
            std::optional<std::string> line = readPointer(*pointer, kWindowsPointerBytes);
            if (!line || line->size() <= 1) continue;
            if (line->size() >= 3) {
                f.drive = line->substr(0, 1);
                f.folder = line->substr(2);
                break;
            }
        }
        if (f.drive.empty() || f.folder.size() <= 1) {
            f.drive = env.defaultDrive.substr(0, 1);
            f.folder = env.defaultFolder;
            f.isDefault = true;
        }
        f.path = f.drive + ":" + f.folder;
        return f;
    }

    if (std::optional<std::string> line = readPointer(env.pointerFile, kPosixPointerBytes);
        line && line->size() > 1)
        f.folder = expandHome(*line);
    if (f.folder.size() <= 1) {
        f.folder = env.defaultFolder;
        f.isDefault = true;
    }
    f.path = f.folder;
    return f;
}

namespace {

// A copy of the bundled folder takes a second; one this old was left by a killed start.
constexpr auto kStaleSeedingAge = std::chrono::minutes(10);

// Removes "NAME.seeding-N" folders that a killed first start left beside target.
void removeStaleSeedingFolders(const fs::path& target)
{
    std::error_code ec;
    const std::string prefix = target.filename().string() + ".seeding-";
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(target.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        if (name.find_first_not_of("0123456789", prefix.size()) != std::string::npos) continue;
        std::error_code e2;
        if (!it->is_directory(e2) || it->is_symlink(e2)) continue;
        const auto written = fs::last_write_time(it->path(), e2);
        if (e2 || now - written < kStaleSeedingAge) continue;
        fs::remove_all(it->path(), e2);
    }
}

} // namespace

bool seedInstallFolder(const std::string& bundledDir, const std::string& target)
{
    std::error_code ec;
    if (!target.empty()) removeStaleSeedingFolders(fs::path(target));
    if (bundledDir.empty() || target.empty() || fs::exists(target, ec) || !isDirectory(bundledDir))
        return false;
    const fs::path to(target);
    fs::create_directories(to.parent_path(), ec);
    if (ec) return false;

    std::random_device rd;
    const fs::path temp = to.parent_path() / (to.filename().string() + ".seeding-" + std::to_string(rd()));
    fs::copy(bundledDir, temp, fs::copy_options::recursive, ec);
    if (!ec) fs::rename(temp, to, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove_all(temp, ignored);
        return false;
    }
    return true;
}

bool validateSetupInput(bool windowsDrives, std::string& drive, const std::string& folder)
{
    if (windowsDrives) {
        for (char& c : drive)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (drive.size() != 1 || drive[0] < 'A' || drive[0] > 'Z') return false;
    }
    return folder.size() >= 2;
}

std::string pointerFileLine(bool windowsDrives, const std::string& drive, const std::string& folder)
{
    return (windowsDrives ? drive + ":" + folder : folder) + "\r\n";
}

bool writePointerFile(const InstallEnvironment& env, const std::string& line)
{
    if (env.pointerFile.empty()) return false;
    if (!env.windowsDrives) {
        std::error_code ec;
        fs::create_directories(fs::path(env.pointerFile).parent_path(), ec);
    }
    return writeFileAtomically(env.pointerFile, line);
}

std::string findBundledInstallDir()
{
    std::error_code ec;
    std::vector<fs::path> candidates;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        candidates.push_back(exe.parent_path().parent_path() / "share" / "qc" / "install");
        candidates.push_back(exe.parent_path().parent_path() / "data" / "install");
    }
#ifdef QC_SOURCE_INSTALL_DIR
    candidates.emplace_back(QC_SOURCE_INSTALL_DIR);
#endif
    for (const fs::path& c : candidates)
        if (fs::is_regular_file(c / "Sys.ndx", ec)) return c.string();
    return {};
}

InstallEnvironment InstallEnvironment::fromProcess(const std::string& overrideDir)
{
    InstallEnvironment env;
    env.overrideDir = overrideDir.empty() ? envValue("QC_INSTALL_DIR") : overrideDir;
    env.bundledDir = findBundledInstallDir();
#ifdef _WIN32
    env.windowsDrives = true;
    std::string system = envValue("SystemRoot");
    env.defaultDrive = system.size() >= 2 ? system.substr(0, 1) : "C";
    env.pointerFile = env.defaultDrive + ":\\Vorenka\\Pmrq8.whr";
    std::error_code ec;
    const std::string current = fs::current_path(ec).string();
    if (current.size() >= 2 && current[1] == ':')
        env.fallbackPointerFile = current.substr(0, 2) + "\\Vorenka\\Pmrq8.whr";
    env.defaultFolder = "\\Vorenka\\Qvor8";
#else
    env.pointerFile = xdgFolder("XDG_CONFIG_HOME", ".config") + "/Vorenka/Pmrq8.whr";
    env.defaultFolder = xdgFolder("XDG_DATA_HOME", ".local/share") + "/Vorenka/Qvor8";
#endif
    return env;
}

} // namespace qc
