#include "qt/qtchoosers.h"

#include "qt/qtext.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>

namespace qc {

QColor qColourOf(uint32_t c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

uint32_t colourRefOf(const QColor& colour)
{
    return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
           static_cast<uint32_t>(colour.blue()) << 16;
}

std::optional<FontChoice> QtFontChooser::choose(const FontRequest& request)
{
    QDialog dialog(m_parent);
    dialog.setWindowTitle(QStringLiteral("フォントの指定"));
    auto* fonts = new QFontDialog(&dialog);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // A face such as "ＭＳ 明朝" is offered as the installed family it resolves to.
    const QString requested = fromCp932(request.face);
    const QString resolved = QFontInfo(QFont(requested)).family();
    QFont preset(resolved);
    preset.setPointSize(10);
    fonts->setCurrentFont(preset);

    QColor colour = qColourOf(request.colour);
    auto* swatch = new QLabel;
    swatch->setFixedSize(40, 20);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    auto showColour = [swatch, &colour] {
        QPalette p = swatch->palette();
        p.setColor(QPalette::Window, colour);
        swatch->setPalette(p);
    };
    showColour();
    auto* pick = new QPushButton(QStringLiteral("色(&C)..."));
    pick->setAutoDefault(false);
    QObject::connect(pick, &QPushButton::clicked, &dialog, [&] {
        const QColor c = QColorDialog::getColor(colour, &dialog, QStringLiteral("色の設定"));
        if (c.isValid()) {
            colour = c;
            showColour();
        }
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(QStringLiteral("色")));
    colourRow->addWidget(swatch);
    colourRow->addWidget(pick);
    colourRow->addStretch(1);
    colourRow->addWidget(buttons);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(colourRow);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;

    const QFont f = fonts->currentFont();
    const QScreen* screen = dialog.screen() ? dialog.screen() : QApplication::primaryScreen();
    const int dpi = screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
    FontChoice c;
    // The requested name stays when its own family was kept, so the font files
    // keep naming the face the logs ask for.
    c.face = toCp932(f.family() == resolved ? requested : f.family());
    // The chooser's size as the display's whole-pixel character height, as fonts are made for the screen.
    const double points = f.pointSizeF() > 0 ? f.pointSizeF() : 10.0;
    c.logicalHeight = -static_cast<int>(std::lround(points * dpi / 72.0));
    c.displayDpiY = dpi;
    c.colour = colourRefOf(colour);
    c.underline = f.underline();
    return c;
}

bool QtLauncher::openInTextEditor(const std::string& path)
{
#ifdef Q_OS_WIN
    const QFileInfo file(fromNativePath(path));
    return QProcess::startDetached(QStringLiteral("wordpad.exe"), {file.fileName()}, file.absolutePath());
#else
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fromNativePath(path)));
#endif
}

QStringList QtLauncher::plainEditors()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("notepad.exe")};
#else
    return {QStringLiteral("gnome-text-editor"),
            QStringLiteral("gedit"),
            QStringLiteral("kate"),
            QStringLiteral("kwrite"),
            QStringLiteral("mousepad"),
            QStringLiteral("xed"),
            QStringLiteral("pluma"),
            QStringLiteral("featherpad"),
            QStringLiteral("leafpad")};
#endif
}

bool QtLauncher::openInPlainEditor(const std::string& path)
{
    const QFileInfo file(fromNativePath(path));
    for (const QString& editor : plainEditors()) {
        const QString program = QStandardPaths::findExecutable(editor);
        if (program.isEmpty()) continue;
        if (QProcess::startDetached(program, {file.fileName()}, file.absolutePath())) return true;
    }
    return false;
}

} // namespace qc
