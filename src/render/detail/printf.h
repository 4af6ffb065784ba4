#pragma once
// printf-style formatting into a std::string, for the fixed formats of the log.

#include <string>

namespace qc {

std::string strprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace qc
