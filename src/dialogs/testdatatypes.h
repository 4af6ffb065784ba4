#pragma once
// What travels between the view, the test names dialog and the test data
// input: HeaderTable 49 and 50 in and out, and the test handed to the input.

#include <string>

namespace qc {

// "試験データ": HeaderTable 49 and 50, given by the view and taken back after OK.
struct TestDataDialogData
{
    bool valuesBesideSymbols = false; // 49 "シンボル横にデータを表示"
    bool blackAndWhite = false;       // 50: the second radio "白黒"
};

// The test handed to the test data input.
struct TestDataRequest
{
    int test = 0; // G, 1 to 48
    std::string name;
    std::string unit;
    std::string shifts; // TestNameTable column 10
};

} // namespace qc
