#include "qt/testscript.h"

#include "app/docflows.h"
#include "app/recovery.h"
#include "document/logfile.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "qt/mainwindow.h"
#include "qt/qtext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace qc {

namespace {

// Answers from the script; every text goes to stderr so that the test sees it.
class EchoPrompter : public Prompter
{
public:
    ScriptedPrompter answers;
    void message(const std::string& text) override
    {
        std::fprintf(stderr, "message: %s\n", fromCp932(text).toUtf8().constData());
        answers.message(text);
    }
    Answer ask(const std::string& text, Buttons buttons, Answer defaultAnswer) override
    {
        std::fprintf(stderr, "question: %s\n", fromCp932(text).toUtf8().constData());
        return answers.ask(text, buttons, defaultAnswer);
    }
};

CommandId commandOf(const QString& word)
{
    if (word == QStringLiteral("undo")) return CommandId::Undo;
    if (word == QStringLiteral("redo")) return CommandId::Redo;
    if (word == QStringLiteral("save")) return CommandId::FileSave;
    return static_cast<CommandId>(word.toInt());
}

struct Script
{
    MainWindow& window;
    QStringList steps;
    qsizetype next = 0;
    EchoPrompter prompter;
    std::vector<std::pair<QString, QString>> typed; // for the next dialog

    explicit Script(MainWindow& w) : window(w) {}

    void schedule(int ms = 0)
    {
        QTimer::singleShot(ms, &window, [this] { runNext(); });
    }

    void runNext()
    {
        while (next < steps.size()) {
            const QString line = steps[next].trimmed();
            const QString verb = line.section(QLatin1Char(' '), 0, 0);
            const QString rest = line.section(QLatin1Char(' '), 1);
            if (verb == QStringLiteral("wait-recovery")) {
                const std::string& copy = window.recovery().copyPath();
                if (copy.empty() || !fileExists(copy) || window.recovery().msUntilDue()) {
                    schedule(100);
                    return;
                }
            }
            ++next;
            if (verb == QStringLiteral("type")) {
                typed.emplace_back(rest.section(QLatin1Char(' '), 0, 0), rest.section(QLatin1Char(' '), 1));
            } else if (verb == QStringLiteral("command")) {
                window.action(commandOf(rest))->trigger();
                break; // the next step after the event loop has caught up
            } else if (verb == QStringLiteral("write")) {
                Document copy = window.controller().document();
                if (!writeFileBytes(toNativePath(rest), WriteLog(copy)))
                    std::fprintf(stderr, "qc: cannot write %s\n", rest.toLocal8Bit().constData());
            } else if (verb == QStringLiteral("say")) {
                std::fprintf(stdout, "%s\n", rest.toUtf8().constData());
                std::fflush(stdout);
            } else if (verb == QStringLiteral("close")) {
                window.close();
                break;
            }
        }
        if (next < steps.size()) schedule();
    }

    int runDialog(QDialog& dialog)
    {
        for (const auto& [name, text] : typed) {
            QLineEdit* edit = dialog.findChild<QLineEdit*>(name);
            if (!edit)
                if (auto* combo = dialog.findChild<QComboBox*>(name)) edit = combo->lineEdit();
            if (!edit) {
                std::fprintf(stderr, "qc: no field %s\n", name.toLocal8Bit().constData());
                continue;
            }
            edit->setFocus();
            edit->selectAll();
            // Typed as keys, so that the dialog sees a user's edit.
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
            QApplication::sendEvent(edit, &key);
        }
        typed.clear();
        if (auto* ok = dialog.findChild<QAbstractButton*>(QStringLiteral("ok"))) ok->click();
        return dialog.isVisible() ? int(QDialog::Rejected) : dialog.result();
    }
};

} // namespace

bool startTestScript(MainWindow& window, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "qc: cannot read the test script %s\n", path.toLocal8Bit().constData());
        return false;
    }
    auto script = std::make_shared<Script>(window);
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString step = line.trimmed();
        if (step.isEmpty()) continue;
        if (step.startsWith(QStringLiteral("answer "))) {
            const QString a = step.mid(7);
            script->prompter.answers.queueAnswer(a == QStringLiteral("yes")  ? Answer::Yes
                                                 : a == QStringLiteral("no") ? Answer::No
                                                                             : Answer::Cancel);
        } else {
            script->steps << step;
        }
    }
    window.setPrompter(&script->prompter);
    window.dialogs().setRunner([s = script.get()](QDialog& d) { return s->runDialog(d); });
    // The script lives as long as the window.
    QObject::connect(&window, &QObject::destroyed, [script] {});
    script->schedule();
    return true;
}

} // namespace qc
