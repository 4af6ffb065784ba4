// The zoom of the log view under Qt Test: the page drawn at the zoomed resolution with
// the extent and scroll steps following, the drawn parts equal to one drawing of the
// whole extent, Ctrl + wheel about the pointer, the fits in the main window at the
// laptop and desktop screen sizes, and the zoom remembered.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "app/zoom.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "qt/logview.h"
#include "qt/mainwindow.h"
#include "qt/programsettings.h"
#include "qt/zoomcontrols.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace qc;

namespace {

struct Harness
{
    AppContext app;
    Document doc;
    ViewState view;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;

    explicit Harness(QSize size = {1000, 700})
    {
        window = std::make_unique<MainWindow>(app, doc, view);
        window->setPrompter(&prompter);
        window->resize(size);
        window->start(QC_SOURCE_DIR "/examples/sample.bhc");
    }
    LogView& log() { return *window->logView(); }
    QAction* zoom(ZoomControls::Command c) { return window->zoomControls()->action(c); }
};

void resetStoredZoom()
{
    QSettings s = programSettings();
    ZoomControls::store(s, Zoom{});
}

} // namespace

class ZoomViewTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetStoredZoom(); }

    void extentAndStepsFollowTheZoom()
    {
        Harness h;
        LogView& v = h.log();
        const ScrollSizes& s = v.scrollSizes();
        QCOMPARE(v.extentPixels(), QSize(s.totalX, s.totalY)); // 100 %: the extent as given
        for (int dpi : {48, 96, 192, 384}) {
            v.setZoom({ZoomMode::Fixed, dpi});
            QCOMPARE(v.zoom().dpi, dpi);
            const QSize extent(pixelsOfMm(s.widthMm, dpi), pixelsOfMm(s.heightMm, dpi));
            QCOMPARE(v.extentPixels(), extent);
            QCOMPARE(v.renderDpi(), dpi); // a screen of device pixel ratio 1
            QCOMPARE(v.verticalScrollBar()->maximum(), std::max(0, extent.height() - v.viewport()->height()));
            QCOMPARE(v.verticalScrollBar()->pageStep(), extent.height() / 8);
            QCOMPARE(v.verticalScrollBar()->singleStep(), extent.height() / 32);
        }
        // The menu commands step and stop at the bounds; 100 % comes back.
        h.zoom(ZoomControls::Command::Actual)->trigger();
        h.zoom(ZoomControls::Command::In)->trigger();
        QCOMPARE(v.zoom().dpi, 120);
        for (int i = 0; i < 20; ++i) h.zoom(ZoomControls::Command::In)->trigger();
        QCOMPARE(v.zoom().dpi, kZoomMaxDpi);
        QVERIFY(!h.zoom(ZoomControls::Command::In)->isEnabled());
        h.zoom(ZoomControls::Command::Actual)->trigger();
        h.zoom(ZoomControls::Command::Out)->trigger();
        QCOMPARE(v.zoom().dpi, 72);
        auto* label = h.window->statusBar()->findChild<QLabel*>(QStringLiteral("zoomLabel"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("75%"));
        // The shortcuts of the View menu.
        QCOMPARE(h.zoom(ZoomControls::Command::In)->shortcuts().value(1),
                 QKeySequence(QStringLiteral("Ctrl+=")));
        QCOMPARE(h.zoom(ZoomControls::Command::Out)->shortcut(), QKeySequence(QStringLiteral("Ctrl+-")));
        QCOMPARE(h.zoom(ZoomControls::Command::Actual)->shortcut(), QKeySequence(QStringLiteral("Ctrl+0")));
    }

    // What the window shows, drawn part by part (the window first, the rest when idle) with
    // figures outside each part left out, is the same as one drawing of the whole extent.
    void drawnPartsEqualOneWholeDrawing_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<double>("scrolledTo");
        QTest::newRow("50 %") << 48 << 0.0;
        QTest::newRow("100 %, middle") << 96 << 0.5;
        QTest::newRow("200 %, bottom") << 192 << 1.0;
        QTest::newRow("125 %, a third") << 120 << 0.33;
    }
    void drawnPartsEqualOneWholeDrawing()
    {
        QFETCH(int, dpi);
        QFETCH(double, scrolledTo);
        Harness h;
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        LogView& v = h.log();
        v.setZoom({ZoomMode::Fixed, dpi});
        v.horizontalScrollBar()->setValue(v.horizontalScrollBar()->maximum() / 3);
        v.verticalScrollBar()->setValue(static_cast<int>(v.verticalScrollBar()->maximum() * scrolledTo));
        v.viewport()->repaint();
        QTRY_VERIFY(v.cacheComplete());
        const QImage whole = v.renderToImage();
        QCOMPARE(whole.size(), v.extentPixels());
        const QRect part = v.cacheRect();
        QVERIFY(!part.isEmpty());
        QVERIFY(QRect(QPoint(0, 0), whole.size()).contains(part));
        const QImage drawn = v.cacheImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected = whole.copy(part);
        // The painter rasterises a thick line that leaves the image with its clipping rasteriser, one
        // inside it with the fast one: a pixel of a join may differ. Nothing more may (texts drawn
        // from their glyphs shaped once land exactly where drawn texts do).
        qint64 differing = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (drawn.pixel(x, y) != expected.pixel(x, y)) ++differing;
        const qint64 area = static_cast<qint64>(part.width()) * part.height();
        QVERIFY2(differing * 20000 <= area, qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
    }

    void keysZoom()
    {
        Harness h;
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        LogView& v = h.log();
        v.setFocus();
        QTest::keyClick(&v, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(v.zoom().dpi, 120);
        QTest::keyClick(&v, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(v.zoom().dpi, 144);
        QTest::keyClick(&v, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(v.zoom().dpi, 120);
        QTest::keyClick(&v, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(v.zoom().dpi, 96);
        // The paging keys still page.
        QTest::keyClick(&v, Qt::Key_PageDown);
        QVERIFY(h.view.screenPageTop > 0);
    }

    void wheelWithCtrlZoomsAboutThePointer()
    {
        Harness h;
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        LogView& v = h.log();
        v.verticalScrollBar()->setValue(100);
        v.horizontalScrollBar()->setValue(40);
        const QPoint pointer(200, 150);
        auto wheel = [&](int delta, Qt::KeyboardModifiers mods) {
            QWheelEvent e(QPointF(pointer), v.viewport()->mapToGlobal(QPointF(pointer)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, mods, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(v.viewport(), &e);
        };
        wheel(120, Qt::ControlModifier);
        QCOMPARE(v.zoom().dpi, 120);
        QCOMPARE(v.verticalScrollBar()->value(), anchoredScroll(100, pointer.y(), 96, 120));
        QCOMPARE(v.horizontalScrollBar()->value(), anchoredScroll(40, pointer.x(), 96, 120));
        wheel(-120, Qt::ControlModifier);
        QCOMPARE(v.zoom().dpi, 96);
        QCOMPARE(v.verticalScrollBar()->value(), 100);
        // Half notches add up; without Ctrl the wheel scrolls and the zoom stays.
        wheel(60, Qt::ControlModifier);
        QCOMPARE(v.zoom().dpi, 96);
        wheel(60, Qt::ControlModifier);
        QCOMPARE(v.zoom().dpi, 120);
        wheel(-120, Qt::NoModifier);
        QCOMPARE(v.zoom().dpi, 120);
    }

    // A maximised window on a 1366 x 768 laptop and a 1920 x 1080 screen (task bar and title
    // bar taken off): ページ全体 shows the whole page, ページ幅 the whole width, and both
    // follow when the window changes size.
    void fitsInTheMainWindow_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("1366x768") << QSize(1366, 768 - 40 - 30);
        QTest::newRow("1920x1080") << QSize(1920, 1080 - 40 - 30);
    }
    void fitsInTheMainWindow()
    {
        QFETCH(QSize, window);
        Harness h(window);
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        LogView& v = h.log();
        h.zoom(ZoomControls::Command::FitPage)->trigger();
        QCOMPARE(v.zoom().mode, ZoomMode::FitPage);
        QVERIFY(h.zoom(ZoomControls::Command::FitPage)->isChecked());
        const QSize page = v.pageSizeMm();
        QCOMPARE(page, QSize(h.view.paperWidthMm, h.view.paperHeightMm));
        const QSize shown(pixelsOfMm(page.width(), v.zoom().dpi), pixelsOfMm(page.height(), v.zoom().dpi));
        QVERIFY2(v.viewport()->width() >= shown.width() && v.viewport()->height() >= shown.height(),
                 qPrintable(QStringLiteral("page %1x%2 in %3x%4")
                                .arg(shown.width())
                                .arg(shown.height())
                                .arg(v.viewport()->width())
                                .arg(v.viewport()->height())));
        QCOMPARE(v.verticalScrollBar()->value(), 0);
        // Not a pixel smaller than needed: one more dot per inch no longer fits beside the scroll bars.
        const QSize room =
            v.size() - QSize(2 * v.frameWidth() + v.verticalScrollBar()->sizeHint().width(),
                             2 * v.frameWidth() + v.horizontalScrollBar()->sizeHint().height());
        QVERIFY(pixelsOfMm(page.width(), v.zoom().dpi + 1) > room.width() ||
                pixelsOfMm(page.height(), v.zoom().dpi + 1) > room.height());

        h.zoom(ZoomControls::Command::FitWidth)->trigger();
        QCOMPARE(v.zoom().mode, ZoomMode::FitWidth);
        QVERIFY(!h.zoom(ZoomControls::Command::FitPage)->isChecked());
        QVERIFY(pixelsOfMm(page.width(), v.zoom().dpi) <= v.viewport()->width());
        QVERIFY(pixelsOfMm(page.width(), v.zoom().dpi + 1) > room.width());

        // A narrower window fits again.
        const int before = v.zoom().dpi;
        h.window->resize(window.width() * 2 / 3, window.height());
        QTRY_VERIFY(v.zoom().dpi < before);
        QVERIFY(pixelsOfMm(page.width(), v.zoom().dpi) <= v.viewport()->width());
        // A zoom step leaves the fit.
        h.zoom(ZoomControls::Command::In)->trigger();
        QCOMPARE(v.zoom().mode, ZoomMode::Fixed);
    }

    void zoomIsRemembered()
    {
        {
            Harness h;
            h.zoom(ZoomControls::Command::In)->trigger();
            h.zoom(ZoomControls::Command::In)->trigger();
            QCOMPARE(h.log().zoom().dpi, 144);
        }
        {
            Harness h;
            QCOMPARE(h.log().zoom(), (Zoom{ZoomMode::Fixed, 144}));
            h.zoom(ZoomControls::Command::FitPage)->trigger();
        }
        {
            Harness h;
            QCOMPARE(h.log().zoom().mode, ZoomMode::FitPage);
        }
        // A damaged stored value falls back to the bounds and a fixed zoom.
        {
            QSettings s = programSettings();
            s.setValue(QStringLiteral("View/Zoom"), QStringLiteral("lots"));
            s.setValue(QStringLiteral("View/ZoomMode"), QStringLiteral("sideways"));
        }
        {
            Harness h;
            QCOMPARE(h.log().zoom(), (Zoom{ZoomMode::Fixed, kZoomBaseDpi}));
        }
        {
            QSettings s = programSettings();
            s.setValue(QStringLiteral("View/Zoom"), 100000);
        }
        Harness h;
        QCOMPARE(h.log().zoom().dpi, kZoomMaxDpi);
    }
};

QTEST_MAIN(ZoomViewTest)
#include "zoomview_test.moc"
