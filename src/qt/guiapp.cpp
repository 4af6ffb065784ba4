#include "qt/guiapp.h"

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "document/tables.h"
#include "qt/mainwindow.h"
#include "qt/qtext.h"
#include "qt/qtpainterdevice.h"
#include "qt/testscript.h"
#include "qt/toolbaricons.h"
#include "qt/translations.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

#include <cstdio>

namespace qc {

void setUpApplication(QApplication& application)
{
    QApplication::setApplicationName(QStringLiteral("Qc"));
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kMainWindowTitle));
    QApplication::setDesktopFileName(QStringLiteral("qc"));
    QApplication::setWindowIcon(toolIcon(ToolIcon::Application));
    registerJapaneseFontSubstitutions();
    installToolkitTranslations(application, QLocale::system());
}

int runMainWindow(int argc, char** argv)
{
#if defined(__linux__)
    // Without a display the toolkit would stop the program with its own message.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "qc: no display for the main window; to print a log without one use "
                             "qc export FILE -o OUT.pdf (see qc --help)\n");
        return 1;
    }
#endif
    QApplication application(argc, argv); // takes Qt's own options (-platform, ...) out
    setUpApplication(application);

    std::string installDir, file;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QStringLiteral("--install-dir") && i + 1 < args.size()) {
            installDir = toNativePath(args[++i]);
        } else if (a.startsWith(QStringLiteral("--install-dir="))) {
            installDir = toNativePath(a.mid(14));
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            std::fprintf(stderr, "qc: unknown option %s (see qc --help)\n", a.toLocal8Bit().constData());
            return 1;
        } else if (file.empty()) {
            file = toNativePath(a);
        } else {
            std::fprintf(stderr, "qc: one FILE at a time\n");
            return 1;
        }
    }

    AppContext app(InstallEnvironment::fromProcess(installDir));
    Document doc;
    ViewState view;
    MainWindow window(app, doc, view);
    window.placeOnScreen();
    window.start(file);
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.offerRecovery(); });
    if (const QString script = qEnvironmentVariable("QC_TEST_SCRIPT"); !script.isEmpty())
        if (!startTestScript(window, script)) return 1;
    return application.exec();
}

} // namespace qc
