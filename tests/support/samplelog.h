#pragma once
// The bundled example log as the program reads it, and the bytes a save of a
// document would write, for tests that compare tables through the file format.

#include "document/logfile.h"
#include "document/tables.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <string>

namespace qc::test {

inline Document sampleLog()
{
    std::string bytes;
    EXPECT_TRUE(readFileBytes(std::string(QC_SOURCE_DIR) + "/examples/sample.bhc", bytes));
    Document doc;
    readLogText(doc, bytes, findTokenLine(bytes, 6));
    return doc;
}

// What a save would write, without touching the document.
inline std::string savedBytes(const Document& doc)
{
    Document copy = doc;
    return WriteLog(copy);
}

} // namespace qc::test
