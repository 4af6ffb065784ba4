#pragma once
// A log read by a command as the window shows one it has just opened.

#include <string>

namespace qc {

struct AppContext;
struct Document;
class Prompter;

// Loads path (answering the import question as the prompter does), then loads the
// masters of app's install folder, seeds empty test names and applies the
// view-update defaults. False, with the message on the prompter, when the log
// cannot be read; the install folder is not touched then.
bool loadAsShown(Document& doc, AppContext& app, const std::string& path, Prompter& prompter,
                 int* version = nullptr);

} // namespace qc
