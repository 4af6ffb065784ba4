#include "cli/patternscmd.h"

#include "app/installfolder.h"
#include "app/patterncolours.h"
#include "platform/files.h"
#include "qt/qtpainterdevice.h"
#include "render/patternsheet.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <filesystem>
#include <ostream>

namespace qc {

namespace {

constexpr const char* kPatternsUsage =
    "usage: qc patterns -o SHEET.pdf|SHEET.png [--width MM] [--height MM] [--dpi N]\n"
    "                   [--install-dir DIR] [--no-tiles]\n"
    "  draws every vector pattern number in a labelled cell, its bitmap tile beside it\n";

void ensureGuiApplication()
{
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qc";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    registerJapaneseFontSubstitutions();
}

bool endsWith(const std::string& s, const char* suffix)
{
    const std::string x(suffix);
    if (s.size() < x.size()) return false;
    for (size_t i = 0; i < x.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - x.size() + i])) != x[i]) return false;
    return true;
}

bool parseNumber(const std::string& text, double& out)
{
    try {
        size_t used = 0;
        out = std::stod(text, &used);
        return used == text.size() && out > 0;
    } catch (...) {
        return false;
    }
}

std::string installDirFor(const std::string& overrideDir)
{
    const InstallFolder folder = locateInstallFolder(InstallEnvironment::fromProcess(overrideDir));
    std::error_code ec;
    if (!folder.path.empty() && std::filesystem::is_directory(folder.path, ec)) return folder.path;
    return findBundledInstallDir();
}

} // namespace

int runPatternsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string outPath, installDir;
    double width = 20, height = 40, dpi = 200;
    bool tiles = true;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "-o" && hasValue) {
            outPath = args[++i];
        } else if (a == "--width" && hasValue) {
            if (!parseNumber(args[++i], width) || width > 200) {
                err << "qc: patterns: --width takes a width in mm from 1 to 200\n";
                return 1;
            }
        } else if (a == "--height" && hasValue) {
            if (!parseNumber(args[++i], height) || height > 400) {
                err << "qc: patterns: --height takes a height in mm from 1 to 400\n";
                return 1;
            }
        } else if (a == "--dpi" && hasValue) {
            if (!parseNumber(args[++i], dpi) || dpi < 50 || dpi > 1200) {
                err << "qc: patterns: --dpi takes a resolution from 50 to 1200\n";
                return 1;
            }
        } else if (a == "--install-dir" && hasValue) {
            installDir = args[++i];
        } else if (a == "--no-tiles") {
            tiles = false;
        } else if (a == "--help" || a == "-h") {
            out << kPatternsUsage;
            return 0;
        } else {
            err << "qc: patterns: unexpected argument " << a << '\n' << kPatternsUsage;
            return 1;
        }
    }
    const bool pdf = endsWith(outPath, ".pdf");
    if (outPath.empty() || (!pdf && !endsWith(outPath, ".png"))) {
        err << "qc: patterns needs -o SHEET.pdf or SHEET.png\n" << kPatternsUsage;
        return 1;
    }

    PatternColourTable colours;
    PatternSheetOptions options;
    options.columnWidthMm = width;
    options.boxHeightMm = height;
    options.pageWidthMm = std::max(420.0, 2 * width + 40);
    const std::string dir = installDirFor(installDir);
    if (!dir.empty()) {
        std::string bytes;
        if (readFileBytes(dir + "/PtnvcJG.ndx", bytes)) {
            colours.parse(bytes);
            options.colours = &colours;
        }
        if (tiles) options.bitmapFolder = dir + "/Jbptn";
    }
    const PatternSheetLayout layout = patternSheetLayout(options);

    ensureGuiApplication();
    // Drawn into memory first: a writer's errors on a file would go unnoticed, and only a
    // complete sheet may replace an older one.
    QByteArray bytes;
    bool ok = false;
    if (pdf) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(static_cast<int>(dpi));
        writer.setPageSize(QPageSize(QSizeF(layout.pageWidthMm, layout.pageHeightMm), QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (painter.begin(&writer)) {
            QtPainterDevice device(painter, static_cast<int>(dpi), static_cast<int>(dpi));
            drawPatternSheet(device, options);
            ok = painter.end() && !bytes.isEmpty();
        }
    } else {
        const double perMm = dpi / 25.4;
        QImage image(static_cast<int>(layout.pageWidthMm * perMm),
                     static_cast<int>(layout.pageHeightMm * perMm), QImage::Format_RGB32);
        if (!image.isNull()) {
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                QtPainterDevice device(painter, static_cast<int>(dpi), static_cast<int>(dpi));
                drawPatternSheet(device, options);
            }
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            ok = image.save(&buffer, "PNG");
        }
    }
    if (!ok) {
        err << "qc: cannot draw the sheet " << outPath << '\n';
        return 1;
    }
    FileError error;
    if (!writeFileAtomically(outPath, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                             &error)) {
        err << "qc: cannot write " << outPath << ": " << error.reason << '\n';
        return 1;
    }
    return 0;
}

} // namespace qc
