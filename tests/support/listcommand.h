#pragma once
// Runs one data command of the main window with a test acting on the dialog it
// opens: the window starts on an empty log that prepare may fill, the dialog is
// shown, act drives it and presses its buttons, and the command finishes.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "commands/commandtable.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "qt/mainwindow.h"

#include <QAction>
#include <QDialog>
#include <QTest>

#include <functional>

namespace qc::test {

struct CommandRun
{
    bool ran = false;
    int result = QDialog::Rejected;
};

template <class Dialog>
CommandRun runListCommand(CommandId id, Document& doc, ScriptedPrompter& prompter,
                          const std::function<void(Dialog&)>& act,
                          const std::function<void(Document&)>& prepare = {},
                          const std::function<void(MainWindow&)>& setUp = {})
{
    AppContext app;
    ViewState view;
    MainWindow window(app, doc, view);
    window.setPrompter(&prompter);
    window.start({});
    if (prepare) prepare(doc);
    if (setUp) setUp(window);
    CommandRun out;
    window.dialogs().setRunner([&](QDialog& d) {
        auto* dialog = qobject_cast<Dialog*>(&d);
        if (!dialog) return int(QDialog::Rejected);
        out.ran = true;
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog)) return int(QDialog::Rejected);
        act(*dialog);
        out.result = dialog->result();
        return out.result;
    });
    if (QAction* a = window.action(id); a && a->isEnabled()) a->trigger();
    return out;
}

} // namespace qc::test
