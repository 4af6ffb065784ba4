#include "qt/windowplace.h"

#include "qt/programsettings.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace qc {

namespace {

const QString kGeometryKey = QStringLiteral("Window/Geometry");
const QString kFrameKey = QStringLiteral("Window/Frame");

} // namespace

bool placeIsOnAScreen(const QRect& frame, const QList<QRect>& screens)
{
    // The top part, where the title bar is: the user can grab it there and move the window.
    const QRect top(frame.topLeft(), QSize(frame.width(), std::min(frame.height(), 50)));
    return std::any_of(screens.begin(), screens.end(), [&](const QRect& s) {
        const QRect shown = s & top;
        return shown.width() >= std::min(100, top.width()) && shown.height() >= std::min(50, top.height());
    });
}

bool restoreWindowPlace(QWidget& window)
{
    QSettings settings = programSettings();
    const QByteArray stored = settings.value(kGeometryKey).toByteArray();
    const QRect frame = settings.value(kFrameKey).toRect();
    if (stored.isEmpty() || !frame.isValid()) return false;
    // Checked before restoring: the toolkit would only push such a window to a screen's edge.
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens()) screens << s->availableGeometry();
    if (!placeIsOnAScreen(frame, screens)) return false;
    return window.restoreGeometry(stored);
}

void saveWindowPlace(const QWidget& window)
{
    QSettings settings = programSettings();
    settings.setValue(kGeometryKey, window.saveGeometry());
    settings.setValue(kFrameKey, window.frameGeometry());
}
} // namespace qc
