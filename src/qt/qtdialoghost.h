#pragma once
// The dialogs of the view's commands on the Qt side. Each entry dialog joins
// here as it is built; until then its command stays disabled.

#include "commands/dialoghost.h"
#include "qt/qtfilechooser.h"

#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace qc {

struct AppContext;
class ColourChooser;
class FileChooser;
class FontChooser;
class Launcher;
class Prompter;

class QtDialogHost : public NoDialogs
{
public:
    QtDialogHost(QWidget* parent, AppContext& app, Prompter& prompter)
        : m_parent(parent), m_app(app), m_prompter(prompter)
    {
    }
    void setParent(QWidget* parent) { m_parent = parent; }

    bool provides(CommandId id) const override;
    void about() override;
    bool header(HeaderDialogData& data) override;
    bool geology(Document& doc, int& entry59, int& entry60) override;
    bool testData(Document& doc, TestDataDialogData& data) override;
    bool labImport(Document& doc) override;
    bool graphFormat(Document& doc, int graph) override;
    bool list(ListDialogKind kind, Document& doc) override;
    void fullWidthCheck(const Document& doc) override;
    void exceedanceList(const Document& doc) override;
    bool nameMaster(NameMasterDialogData& data) override;
    void shortTexts(const InstallPaths& paths) override;
    bool displayItems(DisplayItemsData& data) override;
    bool scale(ScaleDialogData& data) override;
    bool pageNumber(PageDialogData& data) override;
    bool keyOptions(KeyOptionsDialogData& data) override;
    bool setup(SetupDialogData& data) override;
    bool style(Settings& settings) override;
    bool fonts(FontSettings& fonts) override;
    void help(const std::string& helpPath) override;
    bool exchangeExport(ExchangeExportData& data) override;

    // The platform's choosers and editor launcher; tests put scripted ones in.
    void setColourChooser(ColourChooser* chooser) { m_colourChooser = chooser; }
    void setFontChooser(FontChooser* chooser) { m_fontChooser = chooser; }
    void setLauncher(Launcher* launcher) { m_launcher = launcher; }
    void setFileChooser(FileChooser* chooser) { m_fileChooser = chooser; }

    // Runs a modal dialog; tests replace it to act on the dialog while it is open.
    using Runner = std::function<int(QDialog& dialog)>;
    void setRunner(Runner runner) { m_runner = std::move(runner); }
    // Answers the file choosers of the dialogs that open a file first (tests, screenshots).
    void setFileRunner(QtFileChooser::Runner runner) { m_fileRunner = std::move(runner); }

private:
    int run(QDialog& dialog);

    QWidget* m_parent;
    AppContext& m_app;
    Prompter& m_prompter;
    Runner m_runner;
    QtFileChooser::Runner m_fileRunner;
    ColourChooser* m_colourChooser = nullptr;
    FontChooser* m_fontChooser = nullptr;
    Launcher* m_launcher = nullptr;
    FileChooser* m_fileChooser = nullptr;
};

} // namespace qc
