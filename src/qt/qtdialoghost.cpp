#include "qt/qtdialoghost.h"

#include "qt/toolbaricons.h"

#include <QMessageBox>

namespace qc {

bool QtDialogHost::provides(CommandId id) const
{
    return id == CommandId::About;
}

void QtDialogHost::about()
{
    QMessageBox box(m_parent);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setWindowTitle(QString::fromUtf8(commandInfo(CommandId::About).text).remove(QStringLiteral("(&A)")));
    box.setIconPixmap(toolIcon(ToolIcon::Application).pixmap(48, 48));
    box.setText(QString::fromUtf8(kAboutLine));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

} // namespace qc
