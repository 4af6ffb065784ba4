#pragma once
// The platform's file open/save dialogs as the core asks for them.

#include <optional>
#include <string>

namespace qc {

struct FileDialogRequest
{
    bool save = false;
    // Code-page-932 filter in the "name|pattern|name|pattern||" form.
    std::string filter;
    std::string defaultExtension; // without the dot, e.g. "bhc"
    std::string initialFolder;    // native path
    std::string initialFile;      // native path or file name
    bool hideReadOnly = true;
    bool promptOverwrite = true;
};

class FileChooser
{
public:
    virtual ~FileChooser() = default;
    // The chosen native path, or nothing when the user cancelled.
    virtual std::optional<std::string> choose(const FileDialogRequest& request) = 0;
};

} // namespace qc
