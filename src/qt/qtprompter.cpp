#include "qt/qtprompter.h"

#include "qt/qtext.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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
    if (buttons == Buttons::SaveDiscardCancel) return askSave(text, defaultAnswer);
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

Answer QtPrompter::askSave(const std::string& text, Answer defaultAnswer)
{
    QMessageBox box(QMessageBox::Question, caption(), shown(text), QMessageBox::NoButton, m_parent);
    box.setObjectName(QStringLiteral("saveChangesQuestion"));
    QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("保存しない"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    save->setObjectName(QStringLiteral("save"));
    discard->setObjectName(QStringLiteral("discard"));
    cancel->setObjectName(QStringLiteral("cancel"));
    box.setDefaultButton(defaultAnswer == Answer::No       ? discard
                         : defaultAnswer == Answer::Cancel ? cancel
                                                           : save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return Answer::Yes;
    if (box.clickedButton() == discard) return Answer::No;
    return Answer::Cancel;
}

} // namespace qc
