#pragma once
// Open, save and save-as of the document, with their dialogs and messages.

#include "platform/files.h"

#include <string>

namespace qc {

struct Document;
class Prompter;
class FileChooser;

enum class FlowResult {
    Done,      // the document was loaded or saved
    Cancelled, // the user stopped it; nothing changed
    Failed     // a message was shown; nothing changed
};

// Filters of the open and save dialogs (CP932, "name|pattern|...||").
const std::string& openFilter();
const std::string& saveFilter();

// Reads the file at path by the standard open path (files on the command line,
// dropped on the window, recent files): token in the first 6 lines, the
// question before an import of an older or sibling file.
// version, when given, receives the version code of a loaded file.
FlowResult LoadByPath(Document& doc, const std::string& path, Prompter& prompter, int* version = nullptr);

// "開く(&O)...": the open dialog, starting in the folder remembered in
// installFolder + "/FilekV.ndx", which is written again after a load.
FlowResult OpenDocumentDialog(Document& doc, Prompter& prompter, FileChooser& chooser,
                              const std::string& installFolder);

// "上書き保存(&S)" and "名前を付けて保存(&A)...". Saving is atomic: when writing
// fails the previous file and the modified flag stay as they were.
FlowResult SaveDocument(Document& doc, Prompter& prompter, FileChooser& chooser);
FlowResult SaveDocumentAs(Document& doc, Prompter& prompter, FileChooser& chooser);

// Writes the document to path in the current format; false (and why) when it cannot.
[[nodiscard]] bool writeDocumentFile(Document& doc, const std::string& path, FileError* error = nullptr);

// The message for a file that cannot be opened, with the path in it (CP932).
std::string fileNotFoundMessage(const std::string& nativePath);
// The message for a file that cannot be read: "ファイルが見つかりません" when it does not
// exist, else "読み込めません" with the path and the reason (CP932).
std::string cannotReadMessage(const std::string& nativePath, const FileError& error);
// The reason of a failed read or write in words for the user (CP932).
std::string fileErrorText(const FileError& error);

// Folder part (without its trailing separator) and file-name part of a path.
std::string folderOf(const std::string& path);
std::string fileNameOf(const std::string& path);

} // namespace qc
