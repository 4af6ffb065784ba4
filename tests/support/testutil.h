#pragma once
// Small helpers shared by the tests.

#include "document/cp932.h"
#include "support/tempdir.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace qc::test {

// CP932 bytes of a UTF-8 text.
inline std::string sj(const std::string& utf8)
{
    return cp932::fromUtf8(utf8);
}
// UTF-8 of CP932 bytes.
inline std::string u8(const std::string& bytes)
{
    return cp932::toUtf8(bytes);
}

inline std::string dataPath(const std::string& name)
{
    return std::string(QC_TEST_DATA_DIR) + "/" + name;
}

} // namespace qc::test
