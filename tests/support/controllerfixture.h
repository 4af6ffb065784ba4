#pragma once
// A view controller without a window: a copy of the bundled install folder, a
// host that records what the view asks of the window, a file chooser answering
// from a queue and the dialogs a test gives.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "commands/viewcontroller.h"
#include "document/tables.h"
#include "platform/filechooser.h"
#include "platform/scriptedprompter.h"
#include "support/tempdir.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace qc::test {

class RecordingViewHost : public ViewHost
{
public:
    int repaints = 0;
    int repaintsWithoutErase = 0;
    std::optional<PrinterPage> printer;
    std::optional<ScrollSizes> scroll;
    int screenWidth = 1920;

    void repaint(bool erase) override
    {
        ++repaints;
        if (!erase) ++repaintsWithoutErase;
    }
    std::optional<PrinterPage> printerPage() override { return printer; }
    void setScrollSizes(const ScrollSizes& s) override { scroll = s; }
    int screenWidthPixels() const override { return screenWidth; }
};

// A file chooser answering from a queue (nothing: the user cancelled).
class QueueChooser : public FileChooser
{
public:
    std::deque<std::optional<std::string>> answers;
    std::vector<FileDialogRequest> requests;
    std::optional<std::string> choose(const FileDialogRequest& r) override
    {
        requests.push_back(r);
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

// An install folder copied from the bundled one into dir, so that tests may write its files.
inline InstallEnvironment bundledInstallCopy(const TempDir& dir)
{
    InstallEnvironment env;
    env.overrideDir = dir.file("install");
    std::filesystem::copy(std::string(QC_SOURCE_DIR) + "/data/install", env.overrideDir,
                          std::filesystem::copy_options::recursive);
    return env;
}

// Dialogs is built from (AppContext&, Prompter&) when it takes them, else by default.
template <class Dialogs> struct ControllerFixture
{
    TempDir dir;
    AppContext app;
    Document doc;
    ViewState view;
    ScriptedPrompter prompter;
    Dialogs dialogs;
    RecordingViewHost host;
    QueueChooser chooser;
    ViewController ctl;

    ControllerFixture()
        : app(bundledInstallCopy(dir)), dialogs(makeDialogs(app, prompter)),
          ctl(app, doc, view, prompter, dialogs, host)
    {
    }

private:
    static Dialogs makeDialogs(AppContext& a, Prompter& p)
    {
        if constexpr (std::is_constructible_v<Dialogs, AppContext&, Prompter&>)
            return Dialogs(a, p);
        else
            return Dialogs();
    }
};

} // namespace qc::test
