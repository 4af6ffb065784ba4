#include "qt/qtdialoghost.h"

#include "app/appcontext.h"
#include "dialogs/geologyeditor.h"
#include "dialogs/graphformateditor.h"
#include "dialogs/headereditor.h"
#include "dialogs/testdataeditor.h"
#include "dialogs/testnameseditor.h"
#include "document/tables.h"
#include "qt/geologydialog.h"
#include "qt/graphformatdialog.h"
#include "qt/headerdialog.h"
#include "qt/qtcolourchooser.h"
#include "qt/qtfilechooser.h"
#include "qt/testdatadialog.h"
#include "qt/testnamesdialog.h"
#include "qt/toolbaricons.h"

#include <QMessageBox>

namespace qc {

bool QtDialogHost::provides(CommandId id) const
{
    return id == CommandId::About || id == CommandId::Header || id == CommandId::Geology ||
           id == CommandId::TestData || (id >= CommandId::Graph1 && id <= CommandId::Graph5);
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

bool QtDialogHost::testData(Document& doc, TestDataDialogData& data)
{
    const KeyOptions keys = keyOptionsFrom(m_app.settings);
    TestNamesEditor model(doc.TestNameTable, m_prompter, keys, m_app.paths.testImportMemo,
                          m_app.paths.defaultDocument);
    model.data = data;
    model.open();
    QtFileChooser files(m_parent);
    QtColourChooser colours(m_parent);
    TestNamesDialog dialog(model, files, colours, m_parent);
    dialog.setDataInput([&](const TestDataRequest& request) -> std::optional<std::string> {
        TestDataEditor samples(doc.SampleTable, request, m_prompter, keys);
        samples.open();
        TestDataDialog input(samples, &dialog);
        if (run(input) != QDialog::Accepted) return std::nullopt;
        // SampleTable is written now, whatever the test names dialog ends with.
        doc.modified = 1;
        return samples.newShifts();
    });
    if (run(dialog) != QDialog::Accepted) return false;
    data = model.data;
    return true;
}

bool QtDialogHost::graphFormat(Document& doc, int graph)
{
    GraphFormatEditor model(doc, std::to_string(graph), m_prompter, m_app.paths.testImportMemo);
    model.open();
    QtFileChooser files(m_parent);
    GraphFormatDialog dialog(model, files, m_parent);
    return run(dialog) == QDialog::Accepted;
}

} // namespace qc
