// The undo history and the recovery copy around the view's commands: every data
// command that changed the tables is one step; saving moves the saved mark, and
// opening or creating a document starts a new history.

#include "app/appcontext.h"
#include "app/recovery.h"
#include "commands/viewcontroller.h"
#include "document/geologymaster.h"
#include "document/tables.h"

namespace qc {

FlowResult ViewController::saved(FlowResult r)
{
    if (r == FlowResult::Done) {
        m_history.markSaved();
        if (m_recovery) m_recovery->remove();
        m_host.documentSaved(m_doc.path);
    }
    return r;
}

void ViewController::run(CommandId id)
{
    if (commandInfo(id).editsData)
        runDocumentCommand(id, [this, id] { runCommand(id); });
    else
        runCommand(id);
}

void ViewController::runDocumentCommand(CommandId id, const std::function<void()>& body)
{
    const TableSnapshot before = takeSnapshot(m_doc);
    body();
    if (m_history.record(commandMenuName(commandInfo(id).text), before, takeSnapshot(m_doc)))
        documentChanged();
}

void ViewController::documentChanged()
{
    if (m_recovery) m_recovery->changed();
}

void ViewController::documentReplaced()
{
    m_history.reset();
    if (m_recovery) m_recovery->remove();
}

void ViewController::adoptRecoveredDocument()
{
    m_history.reset(false);
    m_doc.modified = 1;
    viewUpdate(true);
    documentChanged();
}

bool ViewController::undo()
{
    if (!m_history.undo(m_doc)) return false;
    m_doc.modified = m_history.modified() ? 1 : 0;
    DeriveGeologyPatterns(m_doc, m_app.master);
    documentChanged();
    m_host.repaint(true);
    return true;
}

bool ViewController::redo()
{
    if (!m_history.redo(m_doc)) return false;
    m_doc.modified = m_history.modified() ? 1 : 0;
    DeriveGeologyPatterns(m_doc, m_app.master);
    documentChanged();
    m_host.repaint(true);
    return true;
}

std::string ViewController::undoText() const
{
    const std::string name = m_history.undoName();
    return name.empty() ? commandInfo(CommandId::Undo).text : "元に戻す: " + name + "(&U)";
}

std::string ViewController::redoText() const
{
    const std::string name = m_history.redoName();
    return name.empty() ? commandInfo(CommandId::Redo).text : "やり直し: " + name + "(&R)";
}

void ViewController::closed()
{
    if (m_recovery) m_recovery->remove();
}

} // namespace qc
