#include "dialogs/setupeditor.h"

#include "document/cp932.h"
#include "document/textops.h"
#include "platform/prompter.h"

namespace qc {

SetupEditor::SetupEditor(SetupDialogData data, bool windowsDrives, std::string defaultDrive,
                         std::string defaultFolder, Prompter& prompter)
    : m_data(std::move(data)), m_windowsDrives(windowsDrives), m_defaultDrive(std::move(defaultDrive)),
      m_defaultFolder(std::move(defaultFolder)), m_prompter(prompter)
{
}

void SetupEditor::defaults()
{
    m_data.drive = m_defaultDrive.substr(0, 1);
    m_data.folder = m_defaultFolder;
}

void SetupEditor::folderLeft()
{
    std::string& folder = m_data.folder;
    if (CharCount(folder) <= 1) {
        m_prompter.message(QC_SJ("データがありません"));
        return;
    }
    if (m_windowsDrives) {
        if (folder[0] != '\\') folder.insert(0, "\\");
    } else if (folder[0] != '/' && folder[0] != '~') {
        // "~/" stands for the home folder; anything else is made absolute.
        folder.insert(0, "/");
    }
}

} // namespace qc
