#include "cli/export.h"

#include "app/appcontext.h"
#include "app/docflows.h"
#include "app/settings.h"
#include "app/viewstate.h"
#include "cli/shownlog.h"
#include "cli/streamprompter.h"
#include "document/tables.h"
#include "qt/logexport.h"
#include "render/headerblock.h"

#include <QGuiApplication>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <ostream>
#include <unistd.h>

namespace qc {

namespace {

constexpr const char* kExportHelp =
    "usage: qc export FILE -o OUT.pdf|OUT.png|OUT.svg [--pages A-B] [--dpi N] [--paper A3|A4|WxHmm]\n"
    "                 [--sheet-numbers] [--install-dir DIR]\n"
    "\n"
    "Prints the log without a display, page by page as printing would, with the settings and\n"
    "fonts of the install folder.\n"
    "\n"
    "  -o OUT          output file; its extension chooses the format:\n"
    "                  .pdf  one PDF page per log page\n"
    "                  .png  one image per page: OUT-1.png, OUT-2.png, ...\n"
    "                  .svg  one drawing per page: OUT-1.svg, OUT-2.svg, ...\n"
    "  --pages A-B     print pages A to B only (or --pages A for one page); default all pages\n"
    "  --dpi N         resolution of the drawing in dots per inch (default 600 for PDF and SVG,\n"
    "                  200 for PNG); the page must stay within 32767 dots\n"
    "  --paper P       paper: A3 (the default, portrait), A4, or WxHmm such as 420x297mm\n"
    "  --sheet-numbers the header's sheet number reads \"n/N\" (page n of N pages) instead of\n"
    "                  the stored text, as with the window's option\n"
    "  --install-dir DIR  the install folder (else $QC_INSTALL_DIR, the pointer file's folder,\n"
    "                  or the default folder)\n"
    "  -h, --help      show this help\n"
    "\n"
    "The page count, the depth range of each page and the page label follow the log's scale\n"
    "and page settings. Files are written whole or not at all.\n";

bool parseInt(const std::string& s, int& v)
{
    const char* end = s.data() + s.size();
    auto r = std::from_chars(s.data(), end, v);
    return r.ec == std::errc() && r.ptr == end;
}

bool parseMm(std::string s, double& v)
{
    if (s.empty()) return false;
    char* end = nullptr;
    v = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size() && v > 0 && v <= 2000;
}

bool parsePages(const std::string& s, int& first, int& last)
{
    const size_t dash = s.find('-');
    if (dash == std::string::npos) {
        if (!parseInt(s, first)) return false;
        last = first;
    } else if (!parseInt(s.substr(0, dash), first) || !parseInt(s.substr(dash + 1), last)) {
        return false;
    }
    return first >= 1 && last >= first;
}

bool parsePaper(std::string s, double& w, double& h)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (s == "a3") {
        w = 297;
        h = 420;
        return true;
    }
    if (s == "a4") {
        w = 210;
        h = 297;
        return true;
    }
    if (s.size() > 2 && s.compare(s.size() - 2, 2, "mm") == 0) s.resize(s.size() - 2);
    const size_t x = s.find('x');
    return x != std::string::npos && parseMm(s.substr(0, x), w) && parseMm(s.substr(x + 1), h);
}

// A headless export has no session: Qt's note that it made up a runtime folder is no news.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg && message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, message)));
    if (type == QtFatalMsg) std::abort();
}

// One application object for the process, on the offscreen platform unless one is asked for.
void ensureGuiApplication()
{
    if (QGuiApplication::instance()) return;
    qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qc";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives until the process ends
}

int fail(std::ostream& err, const std::string& message)
{
    err << "qc: export: " << message << " (see qc export --help)\n";
    return 1;
}

} // namespace

int runExport(const std::vector<std::string>& args, const std::string& installDir, std::ostream& out,
              std::ostream& err)
{
    std::string in;
    ExportOptions options;
    bool dpiGiven = false;
    bool sheetNumbers = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto next = [&](std::string& v) {
            if (i + 1 >= args.size()) return false;
            v = args[++i];
            return true;
        };
        std::string v;
        if (a == "-h" || a == "--help") {
            out << kExportHelp;
            return 0;
        } else if (a == "-o") {
            if (!next(options.outPath) || options.outPath.empty())
                return fail(err, "-o needs an output file");
        } else if (a == "--pages") {
            if (!next(v) || !parsePages(v, options.firstPage, options.lastPage))
                return fail(err, "--pages needs A-B with 1 <= A <= B, got '" + v + "'");
        } else if (a == "--dpi") {
            if (!next(v) || !parseInt(v, options.dpi) || options.dpi < 36)
                return fail(err, "--dpi needs a whole number of at least 36, got '" + v + "'");
            dpiGiven = true;
        } else if (a == "--paper") {
            if (!next(v) || !parsePaper(v, options.paperWidthMm, options.paperHeightMm))
                return fail(err, "--paper needs A3, A4 or WxHmm, got '" + v + "'");
        } else if (a == "--sheet-numbers") {
            sheetNumbers = true;
        } else if (!a.empty() && a[0] == '-') {
            return fail(err, "unknown option " + a);
        } else if (in.empty()) {
            in = a;
        } else {
            return fail(err, "unexpected argument " + a);
        }
    }
    if (in.empty()) return fail(err, "needs a log FILE");
    if (options.outPath.empty()) return fail(err, "needs -o OUT.pdf, OUT.png or OUT.svg");
    if (!exportFormatOf(options.outPath, options.format))
        return fail(err, "the output " + options.outPath + " must end in .pdf, .png or .svg");
    if (!dpiGiven) options.dpi = options.format == ExportFormat::Png ? 200 : 600;
    const int maxDpi = maxExportDpi(options.paperWidthMm, options.paperHeightMm);
    if (options.dpi > maxDpi)
        return fail(err, "--dpi " + std::to_string(options.dpi) + " is too fine for this paper (at most " +
                             std::to_string(maxDpi) + ")");

    Document doc;
    AppContext app(InstallEnvironment::fromProcess(installDir));
    StreamPrompter prompter(err, Answer::Yes);
    if (!loadAsShown(doc, app, in, prompter)) return 1;
    // And the engineers' role titles of the first showing.
    applyDefaultRoleTitles(doc);

    ensureGuiApplication();
    ViewState view;
    view.loadScaleSettings(app.settings);
    // Asked for on the command line, not taken from the window's settings: the same command
    // gives the same pages on every machine and for every user.
    view.sheetNumbersFromPages = sheetNumbers;
    RenderContext ctx = renderContextOf(app, doc, view, &prompter);

    const bool showProgress = &err == &std::cerr && ::isatty(STDERR_FILENO);
    auto progress = [&](int n, int m) {
        if (m > 1) err << "\rqc: page " << n << " of " << m << std::flush;
        return true;
    };
    const ExportResult result =
        exportLog(ctx, options, showProgress ? ExportProgress(progress) : ExportProgress());
    if (showProgress && result.pageCount > 1) err << '\n';
    if (!result.ok) return fail(err, result.error);
    if (!result.stalePages.empty())
        err << "qc: note: " << result.stalePages.size() << " page file(s) of an earlier export remain ("
            << result.stalePages.front()
            << (result.stalePages.size() > 1 ? " ... " + result.stalePages.back() : "")
            << "); the log now has " << result.pageCount << " page(s)\n";
    return 0;
}

} // namespace qc
