// The laboratory table reader (CSV, TSV, XLSX) and the matching and report on
// arbitrary bytes, against a small log with tests and samples.

#include "dialogs/labimport.h"
#include "document/cp932.h"
#include "document/positions.h"
#include "document/tables.h"
#include "labtable/labnames.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const qc::TestAliases aliases =
        qc::TestAliases::parse(qc::cp932::fromUtf8("カドミウム=Cd\n鉛=Pb\n1,4-ジオキサン\n"));
    static const qc::Document doc = [] {
        qc::Document d;
        d.TestNameTable(1, qc::TestCol::Name) = qc::cp932::fromUtf8("カドミウム");
        d.TestNameTable(2, qc::TestCol::Name) = qc::cp932::fromUtf8("鉛");
        d.SampleTable(1, qc::SampleCol::Top) = "1.00";
        d.SampleTable(1, qc::SampleCol::Bottom) = "1.20";
        d.SampleTable(1, qc::SampleCol::Number) = "S-1";
        d.SampleTable(2, qc::SampleCol::Top) = "2.00";
        d.SampleTable(2, qc::SampleCol::Number) = "S-2";
        d.SampleTable(2, qc::SampleCol::test(1)) = "0.1";
        return d;
    }();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const qc::LabReadResult table = qc::readLabTable(bytes);
    if (!table.ok) {
        if (table.error.empty()) __builtin_trap();
        return 0;
    }
    qc::LabMatch match = qc::matchLabSheet(table.sheet, doc, aliases);
    if (!match.ok) return 0;
    qc::LabImportModel model(doc, std::move(match), aliases);
    model.setOverwrite(size % 2 == 0);
    model.setAddMissingTests(size % 3 == 0);
    (void)model.report();
    // Reused between runs: assigning reuses the tables' cells, building them costs more than a run.
    static qc::Document& copy = *new qc::Document;
    copy = doc;
    (void)model.apply(copy);
    // Values go only into the log's own samples.
    for (int r = 1; r <= qc::usedRows(copy.SampleTable); ++r)
        for (int t = 1; t <= qc::limits::TestName; ++t)
            if (copy.SampleTable(r, qc::SampleCol::test(t)).size() > qc::LabImportModel::kValueLimit)
                __builtin_trap();
    return 0;
}
