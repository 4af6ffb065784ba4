#include "qt/qtprompter.h"

#include "qt/qtext.h"

#include <QApplication>
#include <QMessageBox>

namespace qc {

static QString caption()
{
    return QStringLiteral("Qc");
}

// Messages may break lines with CR LF; a message box wants a plain line feed.
static QString shown(const std::string& text)
{
    QString s = fromCp932(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

void QtPrompter::message(const std::string& text)
{
    QMessageBox::information(m_parent, caption(), shown(text));
}

Answer QtPrompter::ask(const std::string& text, Buttons buttons, Answer defaultAnswer)
{
    QMessageBox::StandardButtons set = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel) set |= QMessageBox::Cancel;
    QMessageBox::StandardButton def = defaultAnswer == Answer::No       ? QMessageBox::No
                                      : defaultAnswer == Answer::Cancel ? QMessageBox::Cancel
                                                                        : QMessageBox::Yes;
    switch (QMessageBox::question(m_parent, caption(), shown(text), set, def)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
}

} // namespace qc
