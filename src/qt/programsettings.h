#pragma once
// The program's own settings store (window options, recent files, zoom, window place).

#include <QSettings>

namespace qc {

inline QSettings programSettings()
{
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Qc"));
}

} // namespace qc
