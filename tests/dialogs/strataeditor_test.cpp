// The strata dialog model: the bottom depth stored by its decimals, the ten
// rows, the depth range and the division list of the strata master.

#include "dialogs/strataeditor.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

TEST(Strata, BottomDepthStoredByItsDecimals)
{
    struct Case
    {
        const char* typed;
        const char* stored;
    } cases[] = {{"5", "5"},         {"5.5", "5.50"}, {"5.", "5.00"},
                 {"5.125", "5.125"}, {"", ""},        {"12.34", "12.34"}};
    for (const Case& c : cases) EXPECT_EQ(StrataEditor::bottomText(c.typed), c.stored) << c.typed;

    Document doc;
    ScriptedPrompter prompter;
    StrataEditor e(doc.StratumTable, {sj("沖積層"), sj("洪積層")}, prompter, KeyOptions{});
    e.open();
    const char* rows[][2] = {{"7.4", "5.125"}, {"0", "5"}, {"3", "5.5"}};
    for (auto& r : rows) {
        e.setField(StrataEditor::Top, r[0]);
        e.setField(StrataEditor::Bottom, r[1]);
        e.pickDivision(1);
        e.add();
    }
    ASSERT_TRUE(e.accept());
    const TextTable& t = doc.StratumTable;
    EXPECT_EQ(t(1, StratumCol::Top), "0.00");
    EXPECT_EQ(t(1, StratumCol::Bottom), "5");
    EXPECT_EQ(t(2, StratumCol::Top), "3.00");
    EXPECT_EQ(t(2, StratumCol::Bottom), "5.50");
    EXPECT_EQ(t(3, StratumCol::Top), "7.40");
    EXPECT_EQ(t(3, StratumCol::Bottom), "5.125");
    EXPECT_EQ(u8(t(3, StratumCol::Name)), "洪積層");
    EXPECT_TRUE(prompter.texts().empty());
}

TEST(Strata, TenRowsAndTheDepthRange)
{
    Document doc;
    ScriptedPrompter prompter;
    StrataEditor e(doc.StratumTable, {}, prompter, KeyOptions{});
    e.open();
    for (const char* bad : {"-1.01", "3000.01", "abc"}) {
        e.setField(StrataEditor::Top, bad);
        e.add();
    }
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{sj("数値が異常です"), sj("数値が異常です"),
                                                          sj("データが無い、または不正です.")}));
    for (int i = 0; i < 11; ++i) {
        e.setField(StrataEditor::Top, std::to_string(i));
        e.add();
    }
    EXPECT_EQ(e.usedRowCount(), 10);
    EXPECT_EQ(prompter.texts().back(), sj("最大行数です. 追加できません."));
}

TEST(Strata, DivisionListFromTheMaster)
{
    qc::test::TempDir dir;
    const std::string path = dir.file("Jso.mst");
    std::string long60(70, 'x');
    ASSERT_TRUE(writeFileAtomically(path, sj("沖積層,\r\n洪積層,備考\r\n\r\n") + long60 + "\r\n"));
    ScriptedPrompter prompter;
    auto items = StrataEditor::loadDivisions(path, prompter);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(u8(items[1]), "洪積層");
    EXPECT_EQ(items[2], std::string(59, 'x'));
    EXPECT_TRUE(prompter.texts().empty());
    EXPECT_TRUE(StrataEditor::loadDivisions(dir.file("none.mst"), prompter).empty());
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{sj("ファイルが見つかりません\n( ") + dir.file("none.mst") + " )"});
}
