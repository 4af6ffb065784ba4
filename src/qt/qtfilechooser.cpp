#include "qt/qtfilechooser.h"

#include "qt/qtext.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace qc {

QStringList qtNameFilters(const std::string& filter)
{
    const QStringList parts = fromCp932(filter).split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& name = parts[i];
        if (name.isEmpty()) break; // the closing "||"
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the last parentheses of the name.
        const QString tail = QLatin1Char('(') + patterns + QLatin1Char(')');
        out << (name.endsWith(tail) ? name : name + QLatin1Char(' ') + tail);
    }
    return out;
}

std::optional<std::string> QtFileChooser::choose(const FileDialogRequest& request)
{
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(qtNameFilters(request.filter));
    // With the extension on before the dialog checks for an existing file, the
    // overwrite question is asked for the file that will really be written.
    if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(fromNativePath(request.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);

    QString folder = fromNativePath(request.initialFolder);
    const QString file = fromNativePath(request.initialFile);
    if (!file.isEmpty()) {
        const QFileInfo info(file);
        if (info.isAbsolute()) {
            if (folder.isEmpty()) folder = info.absolutePath();
            dialog.selectFile(info.fileName());
        } else {
            dialog.selectFile(file);
        }
    }
    if (!folder.isEmpty() && QDir(folder).exists()) dialog.setDirectory(folder);

    std::optional<QString> chosen;
    if (m_runner) {
        chosen = m_runner(dialog);
    } else if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        chosen = dialog.selectedFiles().constFirst();
    }
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    return toNativePath(QDir::toNativeSeparators(*chosen));
}

} // namespace qc
