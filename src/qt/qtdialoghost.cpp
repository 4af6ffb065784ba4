#include "qt/qtdialoghost.h"

#include "app/appcontext.h"
#include "dialogs/geologyeditor.h"
#include "dialogs/headereditor.h"
#include "document/tables.h"
#include "qt/geologydialog.h"
#include "qt/headerdialog.h"
#include "qt/toolbaricons.h"

#include <QMessageBox>

namespace qc {

bool QtDialogHost::provides(CommandId id) const
{
    return id == CommandId::About || id == CommandId::Header || id == CommandId::Geology;
}

int QtDialogHost::run(QDialog& dialog)
{
    return m_runner ? m_runner(dialog) : dialog.exec();
}

void QtDialogHost::about()
{
    QMessageBox box(m_parent);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setWindowTitle(QString::fromUtf8(commandInfo(CommandId::About).text).remove(QStringLiteral("(&A)")));
    box.setIconPixmap(toolIcon(ToolIcon::Application).pixmap(48, 48));
    box.setText(QString::fromUtf8(kAboutLine));
    box.setStandardButtons(QMessageBox::Ok);
    run(box);
}

bool QtDialogHost::header(HeaderDialogData& data)
{
    HeaderValues values;
    values.geologyDepth = data.geologyDepth;
    values.entry = data.entry;
    values.elevationShown = data.elevationShown;
    values.compactHeader = data.compactHeader;
    values.headerUnderline = data.headerUnderline;
    HeaderEditor model(std::move(values), HeaderPickLists::load(m_app.paths, m_prompter), m_prompter,
                       keyOptionsFrom(m_app.settings));
    HeaderDialog dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    data.entry = model.values().entry;
    data.elevationShown = model.values().elevationShown;
    data.compactHeader = model.values().compactHeader;
    data.headerUnderline = model.values().headerUnderline;
    return true;
}

bool QtDialogHost::geology(Document& doc, int& entry59, int& entry60)
{
    GeologyEditor model(doc.GeologyTable, m_app.master,
                        GeologyEditor::loadColourTones(m_app.paths.colourTones, m_prompter), m_prompter,
                        keyOptionsFrom(m_app.settings), entry59, entry60);
    model.open();
    GeologyDialog dialog(model, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    entry59 = model.entry59();
    entry60 = model.entry60();
    return true;
}

} // namespace qc
