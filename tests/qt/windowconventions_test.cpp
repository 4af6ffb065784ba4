// Desktop conventions of the main window under Qt Test, on a screen of device pixel
// ratio 2: the page drawn at twice the resolution (sharp, not a bitmap scaled up), and
// the window's size and place kept between runs unless they land off every screen.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "app/zoom.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "qt/logview.h"
#include "qt/mainwindow.h"
#include "qt/programsettings.h"
#include "qt/windowplace.h"
#include "qt/zoomcontrols.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <cstdlib>
#include <memory>

using namespace qc;

namespace {

// Before the application starts: every screen of this test has twice the pixels.
const bool kScaled = [] {
    qputenv("QT_SCALE_FACTOR", "2");
    return true;
}();

struct Harness
{
    AppContext app;
    Document doc;
    ViewState view;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;

    Harness()
    {
        window = std::make_unique<MainWindow>(app, doc, view);
        window->setPrompter(&prompter);
        window->start(QC_SOURCE_DIR "/examples/sample.bhc");
    }
};

} // namespace

class WindowConventionsTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QSettings s = programSettings();
        s.remove(QStringLiteral("Window"));
        ZoomControls::store(s, Zoom{});
    }

    void pageIsDrawnAtTheDevicePixelRatio()
    {
        QVERIFY(kScaled);
        Harness h;
        h.window->resize(800, 600);
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        LogView* v = h.window->logView();
        QCOMPARE(v->devicePixelRatioF(), 2.0);
        for (int dpi : {96, 48, 192}) {
            v->setZoom({ZoomMode::Fixed, dpi});
            v->viewport()->repaint();
            QCOMPARE(v->renderDpi(), 2 * dpi);
            // The drawn pixels cover the window's part of the page at twice its pixels.
            const QPoint scroll(v->horizontalScrollBar()->value(), v->verticalScrollBar()->value());
            const QRect window(scroll * 2, v->viewport()->size() * 2);
            const QRect extent(QPoint(0, 0), v->extentPixels() * 2);
            QVERIFY(v->cacheRect().contains(window & extent.adjusted(0, 0, -2, -2)));
            QVERIFY(v->cacheImage().width() >= std::min(window.width(), extent.width() - 2));
            QCOMPARE(v->cacheImage().size(), v->cacheRect().size());
            QCOMPARE(v->cacheImage().devicePixelRatio(), 1.0); // drawn pixel for pixel
        }
    }

    void windowPlaceIsKept()
    {
        QRect kept;
        {
            Harness h;
            h.window->placeOnScreen();
            h.window->show();
            QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
            h.window->setGeometry(QRect(60, 50, 640, 420));
            QTRY_COMPARE(h.window->geometry().size(), QSize(640, 420));
            kept = h.window->geometry();
            QVERIFY(h.window->close());
        }
        Harness h;
        h.window->placeOnScreen();
        QCOMPARE(h.window->geometry(), kept);
    }

    void placeOffEveryScreenIsCentred()
    {
        const QList<QRect> screens{QRect(0, 0, 1366, 768), QRect(1366, 0, 1920, 1080)};
        struct
        {
            QRect frame;
            bool on;
        } cases[] = {
            {QRect(100, 100, 800, 600), true},   {QRect(1500, 200, 800, 600), true}, // on the second screen
            {QRect(4000, 100, 800, 600), false},                                     // a screen that is gone
            {QRect(-780, 100, 800, 600), false}, // only 20 pixels left of it
            {QRect(100, -200, 800, 600), false}, // the title bar above the screen
            {QRect(1300, 900, 800, 600), true},  // the title bar on the larger screen
            {QRect(100, 760, 800, 600), false},  // 8 pixels at the bottom of the laptop
        };
        for (const auto& c : cases) QCOMPARE(placeIsOnAScreen(c.frame, screens), c.on);

        // Stored off every screen: the window is centred instead.
        {
            Harness h;
            h.window->setGeometry(QRect(50000, 50000, 640, 420));
            saveWindowPlace(*h.window);
        }
        Harness h;
        h.window->placeOnScreen();
        const QRect screen = h.window->screen()->geometry();
        QVERIFY(screen.contains(h.window->geometry().center()));
        QCOMPARE(h.window->size(), QSize(screen.width() * 86 / 100, screen.height() * 80 / 100));
    }
};

QTEST_MAIN(WindowConventionsTest)
#include "windowconventions_test.moc"
