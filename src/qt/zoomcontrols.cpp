#include "qt/zoomcontrols.h"

#include "qt/logview.h"
#include "qt/programsettings.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QSettings>

namespace qc {

namespace {

const QString kZoomKey = QStringLiteral("View/Zoom");
const QString kZoomModeKey = QStringLiteral("View/ZoomMode");

} // namespace

ZoomControls::ZoomControls(LogView& view, QObject* parent) : QObject(parent), m_view(view)
{
    struct Entry
    {
        Command command;
        const char* text;
        const char* tip;
        const char* name;
    };
    const Entry entries[] = {
        {Command::In, "拡大(&I)", "柱状図を拡大して表示", "zoomIn"},
        {Command::Out, "縮小(&O)", "柱状図を縮小して表示", "zoomOut"},
        {Command::Actual, "100 %(&Z)", "柱状図を実寸 (100 %) で表示", "zoomActual"},
        {Command::FitWidth, "ページ幅に合わせる(&W)", "ページの幅をウィンドウに合わせて表示", "zoomFitWidth"},
        {Command::FitPage, "ページ全体(&E)", "ページ全体をウィンドウに表示", "zoomFitPage"},
    };
    for (const Entry& e : entries) {
        auto* a = new QAction(QString::fromUtf8(e.text), this);
        a->setObjectName(QString::fromLatin1(e.name));
        a->setStatusTip(QString::fromUtf8(e.tip));
        m_actions[static_cast<int>(e.command)] = a;
    }
    // Ctrl+= too: on most keyboards "+" needs Shift.
    action(Command::In)
        ->setShortcuts({QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    action(Command::Out)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    action(Command::Actual)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    action(Command::FitWidth)->setCheckable(true);
    action(Command::FitPage)->setCheckable(true);

    connect(action(Command::In), &QAction::triggered, this, [this] { m_view.zoomIn(); });
    connect(action(Command::Out), &QAction::triggered, this, [this] { m_view.zoomOut(); });
    connect(action(Command::Actual), &QAction::triggered, this, [this] {
        m_view.setZoom({ZoomMode::Fixed, kZoomBaseDpi});
    });
    connect(action(Command::FitWidth), &QAction::triggered, this, [this] {
        m_view.setZoom({ZoomMode::FitWidth, m_view.zoom().dpi});
    });
    connect(action(Command::FitPage), &QAction::triggered, this, [this] {
        m_view.setZoom({ZoomMode::FitPage, m_view.zoom().dpi});
    });
    connect(&m_view, &LogView::zoomChanged, this, &ZoomControls::changed);

    QSettings settings = programSettings();
    m_view.setZoom(stored(settings));
    changed(m_view.zoom());
}

QAction* ZoomControls::action(Command c) const
{
    return m_actions[static_cast<int>(c)];
}

void ZoomControls::addTo(QMenu* menu) const
{
    menu->addSeparator();
    for (QAction* a : m_actions) menu->addAction(a);
}

QLabel* ZoomControls::createLabel(QWidget* parent)
{
    m_label = new QLabel(describe(m_view.zoom()), parent);
    m_label->setObjectName(QStringLiteral("zoomLabel"));
    m_label->setToolTip(QStringLiteral("表示倍率"));
    return m_label;
}

Zoom ZoomControls::stored(QSettings& store)
{
    Zoom z;
    z.mode = zoomModeFromName(store.value(kZoomModeKey).toString().toLatin1().constData());
    bool ok = false;
    const int dpi = store.value(kZoomKey, kZoomBaseDpi).toInt(&ok);
    z.dpi = ok ? clampZoomDpi(dpi) : kZoomBaseDpi;
    return z;
}

void ZoomControls::store(QSettings& store, const Zoom& zoom)
{
    store.setValue(kZoomKey, zoom.dpi);
    store.setValue(kZoomModeKey, QString::fromLatin1(zoomModeName(zoom.mode)));
}

QString ZoomControls::describe(const Zoom& zoom)
{
    QString text = QStringLiteral("%1%").arg(zoom.percent());
    if (zoom.mode == ZoomMode::FitWidth) text += QStringLiteral(" (ページ幅)");
    if (zoom.mode == ZoomMode::FitPage) text += QStringLiteral(" (ページ全体)");
    return text;
}

void ZoomControls::changed(const Zoom& zoom)
{
    action(Command::In)->setEnabled(zoom.dpi < kZoomMaxDpi);
    action(Command::Out)->setEnabled(zoom.dpi > kZoomMinDpi);
    action(Command::FitWidth)->setChecked(zoom.mode == ZoomMode::FitWidth);
    action(Command::FitPage)->setChecked(zoom.mode == ZoomMode::FitPage);
    if (m_label) m_label->setText(describe(zoom));
    QSettings settings = programSettings();
    store(settings, zoom);
}

} // namespace qc
