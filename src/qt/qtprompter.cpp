#include "qt/qtprompter.h"

#include "qt/qtext.h"

#include <QApplication>
#include <QMessageBox>

namespace qc {

static QString caption()
{
    return QStringLiteral("Qc");
}

void QtPrompter::message(const std::string& text)
{
    QMessageBox::information(m_parent, caption(), fromCp932(text));
}

Answer QtPrompter::ask(const std::string& text, Buttons buttons, Answer defaultAnswer)
{
    QMessageBox::StandardButtons set = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel) set |= QMessageBox::Cancel;
    QMessageBox::StandardButton def = defaultAnswer == Answer::No       ? QMessageBox::No
                                      : defaultAnswer == Answer::Cancel ? QMessageBox::Cancel
                                                                        : QMessageBox::Yes;
    switch (QMessageBox::question(m_parent, caption(), fromCp932(text), set, def)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
}

} // namespace qc
