#pragma once
// The main window on an empty log for the widget tests of the settings
// dialogs: runs a command with a scripted prompter and acts on the dialog it
// opens while it is shown.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "qt/mainwindow.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <string>

namespace qc::test {

struct SettingsWindow
{
    AppContext app;
    Document doc;
    ViewState view;
    ScriptedPrompter prompter;
    MainWindow window{app, doc, view};

    SettingsWindow()
    {
        window.setPrompter(&prompter);
        window.start({});
    }

    // Runs the command; act gets the dialog (shown) once it opens and returns its result.
    // False when no dialog of type D opened.
    template <class D> bool run(CommandId id, const std::function<int(D&)>& act)
    {
        bool ran = false;
        window.dialogs().setRunner([&](QDialog& d) {
            auto* dialog = qobject_cast<D*>(&d);
            if (!dialog) return int(QDialog::Rejected);
            ran = true;
            dialog->show();
            if (!QTest::qWaitForWindowExposed(dialog)) return int(QDialog::Rejected);
            // Focus moves between fields only in the active window.
            dialog->activateWindow();
            if (!QTest::qWaitForWindowActive(dialog)) return int(QDialog::Rejected);
            return act(*dialog);
        });
        window.action(id)->trigger();
        return ran;
    }

    static int clickOk(QDialog& d)
    {
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        return d.isVisible() ? int(QDialog::Rejected) : d.result();
    }
    static int clickCancel(QDialog& d)
    {
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
        return d.result();
    }

    std::string fileBytes(const std::string& path) const
    {
        std::string bytes;
        return readFileBytes(path, bytes) ? bytes : std::string("<missing>");
    }
};

} // namespace qc::test
