#include "cli/jsondump.h"

#include "document/cp932.h"
#include "document/tables.h"

#include <cstdio>

namespace qc {

std::string jsonString(const std::string& cp932Text)
{
    const std::string utf8 = cp932::toUtf8(cp932Text);
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
    return out;
}

namespace {

void appendTable(std::string& out, const char* name, const TextTable& t, int firstCol)
{
    int last = 0;
    for (int r = 1; r <= t.rows(); ++r)
        if (!t.rowEmpty(r, firstCol, t.cols())) last = r;
    out += ",\n  \"";
    out += name;
    out += "\": [";
    for (int r = 1; r <= last; ++r) {
        out += r > 1 ? ",\n    [" : "\n    [";
        for (int c = firstCol; c <= t.cols(); ++c) {
            if (c > firstCol) out += ", ";
            out += jsonString(t(r, c));
        }
        out += "]";
    }
    out += last > 0 ? "\n  ]" : "]";
}

} // namespace

std::string dumpJson(const Document& doc, int version)
{
    std::string out = "{\n  \"version\": " + std::to_string(version);
    out += ",\n  \"HeaderTable\": [";
    for (int e = 1; e <= HeaderList::kEntries; ++e) {
        out += e > 1 ? ",\n    " : "\n    ";
        out += jsonString(doc.HeaderTable(e));
    }
    out += "\n  ]";
    appendTable(out, "GeologyTable", doc.GeologyTable, 1);
    appendTable(out, "SpareIntervalTable", doc.SpareIntervalTable, 1);
    appendTable(out, "NoteTable", doc.NoteTable, 1);
    appendTable(out, "StratumTable", doc.StratumTable, 1);
    appendTable(out, "WaterLevelTable", doc.WaterLevelTable, 1);
    appendTable(out, "DrillDateTable", doc.DrillDateTable, 1);
    appendTable(out, "FreeColumnTable", doc.FreeColumnTable, 1);
    appendTable(out, "CasingTable", doc.CasingTable, 1);
    appendTable(out, "DisplayItemTable", doc.DisplayItemTable, 1);
    out += ",\n  \"GraphFormatTable\": [";
    for (int g = 1; g <= GraphTable::kGraphs; ++g) {
        out += g > 1 ? ",\n    [" : "\n    [";
        for (int r = 1; r <= GraphTable::kRows; ++r) {
            out += r > 1 ? ",\n      [" : "\n      [";
            for (int f = 1; f <= GraphTable::kFields; ++f) {
                if (f > 1) out += ", ";
                out += jsonString(doc.GraphFormatTable(g, r, f));
            }
            out += "]";
        }
        out += "\n    ]";
    }
    out += "\n  ]";
    appendTable(out, "TestNameTable", doc.TestNameTable, 0);
    appendTable(out, "SampleTable", doc.SampleTable, 1);
    out += "\n}\n";
    return out;
}

} // namespace qc
