#include "cli/shownlog.h"

#include "app/appcontext.h"
#include "app/docflows.h"
#include "document/tables.h"

namespace qc {

bool loadAsShown(Document& doc, AppContext& app, const std::string& path, Prompter& prompter, int* version)
{
    if (LoadByPath(doc, path, prompter, version) != FlowResult::Done) return false;
    updateDocumentForView(app, doc, prompter);
    return true;
}

} // namespace qc
