#pragma once
// qc export: the log printed to PDF, PNG or SVG without a display.

#include <iosfwd>
#include <string>
#include <vector>

namespace qc {

struct Document;

// What the view does to a freshly loaded document before it is shown or printed:
// the start-up and view-update defaults and the default engineer roles.
void prepareForPrinting(Document& doc);

// args[0] is "export". Returns the exit status; errors are one line on err.
int runExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qc
