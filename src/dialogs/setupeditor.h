#pragma once
// The "セットアップ" dialog: where the program's files live ("本システムの
// インストール場所"), as a drive letter and a folder on Windows builds and as
// a folder alone elsewhere. The command checks and stores the result.

#include <string>

namespace qc {

class Prompter;

// "セットアップ", as the command hands it over.
struct SetupDialogData
{
    std::string drive;  // one letter (Windows builds)
    std::string folder; // from the separator on
};

class SetupEditor
{
public:
    // Characters the folder field takes by typing on Windows builds.
    static constexpr int kFolderChars = 64;

    // defaultDrive and defaultFolder are those of the install-folder rule.
    SetupEditor(SetupDialogData data, bool windowsDrives, std::string defaultDrive, std::string defaultFolder,
                Prompter& prompter);

    bool driveShown() const { return m_windowsDrives; }
    const SetupDialogData& data() const { return m_data; }
    void setDrive(std::string drive) { m_data.drive = std::move(drive); }
    void setFolder(std::string folder) { m_data.folder = std::move(folder); }

    // "標準の設定": the default drive and folder.
    void defaults();
    // The folder field lost the focus: an empty one says "データがありません",
    // one without a leading separator gets it.
    void folderLeft();

private:
    SetupDialogData m_data;
    bool m_windowsDrives;
    std::string m_defaultDrive;
    std::string m_defaultFolder;
    Prompter& m_prompter;
};

} // namespace qc
