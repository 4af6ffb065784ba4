#pragma once
// Where the program's install folder is: the pointer file, the default folder
// (seeded from the bundled install folder on first use) and the override for
// tests and scripts. Windows builds keep the drive letter rule; on POSIX the
// pointer file lives in the user's config folder and holds a path.

#include <optional>
#include <string>
#include <string_view>

namespace qc {

// The places the install-folder rule looks at, taken from the process once.
struct InstallEnvironment
{
    bool windowsDrives = false;      // drive letter + ":" + "\folder" paths
    std::string overrideDir;         // --install-dir or QC_INSTALL_DIR; wins over everything
    std::string pointerFile;         // first place of the pointer file
    std::string fallbackPointerFile; // Windows: the pointer file on the current folder's drive
    std::string defaultDrive;        // Windows: the system drive letter
    std::string defaultFolder;       // the folder used when no pointer names one
    std::string bundledDir;          // the install folder shipped with the program, empty when not found

    // From the environment: QC_INSTALL_DIR (unless overrideDir is given),
    // XDG_CONFIG_HOME and XDG_DATA_HOME (or their defaults below HOME).
    static InstallEnvironment fromProcess(const std::string& overrideDir = {});
};

struct InstallFolder
{
    std::string drive;  // Windows builds only
    std::string folder; // "\..." on Windows, a path on POSIX
    std::string path;   // drive + ":" + folder, or the folder
    bool windowsDrives = false;
    bool isDefault = false; // the default folder was taken

    // The install folder followed by a fixed file name ("Sys.ndx", "Font1.ndx", ...).
    std::string file(std::string_view name) const;
};

// The first line of a pointer file's bytes, without its line end, cut to
// maxBytes (the Windows rule reads 79-byte lines).
std::string pointerLine(std::string_view bytes, size_t maxBytes);

// The install folder by the pointer-file rule. Windows: a first line of at
// least 3 bytes gives drive (its first character) and folder (from its third
// character); otherwise the pointer on the current drive is tried; without a
// usable one the default drive and folder. POSIX: a first line longer than one
// byte is the folder ("~/" stands for the home folder). The override wins.
InstallFolder locateInstallFolder(const InstallEnvironment& env);

// Copies the bundled install folder to target when target does not exist yet
// (through a temporary folder renamed at the end, so a failed copy leaves no
// half-seeded folder). False when nothing was copied. Temporary folders that a
// killed start left beside target (older than ten minutes) are removed first.
bool seedInstallFolder(const std::string& bundledDir, const std::string& target);

// The setup command's check of its input: the drive is upper-cased and must be
// one of "A" to "Z" (Windows builds only), the folder at least 2 bytes long.
[[nodiscard]] bool validateSetupInput(bool windowsDrives, std::string& drive, const std::string& folder);

// The pointer file's single line for a folder, with its CR LF.
std::string pointerFileLine(bool windowsDrives, const std::string& drive, const std::string& folder);

// Writes the pointer file (creating its folder on POSIX); false when it cannot.
[[nodiscard]] bool writePointerFile(const InstallEnvironment& env, const std::string& line);

// Where the bundled install folder is: beside the installed program
// (../share/qc/install), or in the source tree this program was built from.
std::string findBundledInstallDir();

} // namespace qc
