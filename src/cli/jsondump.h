#pragma once
// The document tables as JSON (UTF-8), for inspection and scripting.

#include <string>

namespace qc {

struct Document;

std::string dumpJson(const Document& doc, int version);

// A JSON string literal of CP932 cell text.
std::string jsonString(const std::string& cp932Text);

} // namespace qc
