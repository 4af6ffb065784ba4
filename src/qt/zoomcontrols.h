#pragma once
// The zoom commands of the View menu (拡大, 縮小, 100 %, ページ幅に合わせる, ページ全体),
// the zoom in the status bar, and the zoom kept in the program's settings.

#include "app/zoom.h"

#include <QObject>

class QAction;
class QLabel;
class QMenu;
class QSettings;

namespace qc {

class LogView;

class ZoomControls : public QObject
{
    Q_OBJECT
public:
    enum class Command { In, Out, Actual, FitWidth, FitPage };

    // Takes the stored zoom (programSettings) into the view; every later change is stored.
    ZoomControls(LogView& view, QObject* parent);

    QAction* action(Command c) const;
    void addTo(QMenu* menu) const;
    // "100%" and the fit in force, for the status bar.
    QLabel* createLabel(QWidget* parent);

    static Zoom stored(QSettings& store);
    static void store(QSettings& store, const Zoom& zoom);
    static QString describe(const Zoom& zoom);

private:
    void changed(const Zoom& zoom);

    LogView& m_view;
    QAction* m_actions[5] = {};
    QLabel* m_label = nullptr;
};

} // namespace qc
