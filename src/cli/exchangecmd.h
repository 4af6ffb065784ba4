#pragma once
// qc export-xml and qc import-xml: the national boring exchange XML.

#include <iosfwd>
#include <string>
#include <vector>

namespace qc {

// args[0] is the command; installDir, when not empty, names the install folder
// whose export settings and code table are used. Returns the exit status.
int runExportXml(const std::vector<std::string>& args, const std::string& installDir, std::ostream& err);
int runImportXml(const std::vector<std::string>& args, std::ostream& err);

} // namespace qc
