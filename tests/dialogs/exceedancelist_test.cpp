// The "基準超過一覧" model: the counts line, the flagged-only filter and the clipboard text.

#include "dialogs/exceedancelist.h"
#include "document/positions.h"
#include "document/tables.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;

TEST(ExceedanceList, CountsFilterAndClipboard)
{
    Document doc;
    doc.TestNameTable(1, TestCol::Name) = sj("鉛");
    doc.TestNameTable(1, TestCol::Reference) = "0.01";
    doc.TestNameTable(2, TestCol::Name) = "pH";
    const char* samples[][4] = {
        {"0.05", "S-1", "0.02", "7.1"}, {"1.00", "S-2", "<0.05", ""}, {"2.00", "S-3", "0.001", "8\t2"}};
    for (int r = 1; r <= 3; ++r) {
        doc.SampleTable(r, SampleCol::Top) = samples[r - 1][0];
        doc.SampleTable(r, SampleCol::Number) = samples[r - 1][1];
        doc.SampleTable(r, SampleCol::test(1)) = samples[r - 1][2];
        doc.SampleTable(r, SampleCol::test(2)) = samples[r - 1][3];
    }
    ExceedanceList list(doc);
    EXPECT_EQ(list.countsLine(), "試料 3 件　試験値 5 件　基準超過 1 件　定量下限が基準値を超える 1 件");
    EXPECT_EQ(list.shownRows().size(), 5u);
    list.setFlaggedOnly(true);
    EXPECT_EQ(list.shownRows(), (std::vector<size_t>{0, 2})); // S-1 lead, S-2 lead
    const std::string text = list.clipboardText();
    EXPECT_EQ(
        text,
        "試験名\t単位\t基準値\t測定数\t超過数\t定量下限が基準値を超える数\t最大基準値比\t最大比の深度(m)\n"
        "鉛\t\t0.01\t3\t1\t1\t2\t0.05\n"
        "pH\t\t\t2\t0\t0\t\t\n"
        "\n"
        "試料番号\t上端深度(m)\t下端深度(m)\t試験名\t単位\t測定値\t基準値\t基準値比\t判定\n"
        "S-1\t0.05\t\t鉛\t\t0.02\t0.01\t2\t超過\n"
        "S-2\t1.00\t\t鉛\t\t<0.05\t0.01\t\t定量下限が基準値を超える\n");
    list.setFlaggedOnly(false);
    // A tab inside a cell would split it: it becomes a blank.
    EXPECT_NE(list.clipboardText().find("S-3\t2.00\t\tpH\t\t8 2\t\t\t基準値なし\n"), std::string::npos);
}
