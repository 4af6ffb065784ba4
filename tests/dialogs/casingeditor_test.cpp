// The casing dialog model: the pipe kind stored before its ideographic
// space, the depth range and the sort on OK.

#include "dialogs/casingeditor.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

TEST(Casing, PipeKindStoredBeforeItsIdeographicSpace)
{
    struct Case
    {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"有孔区間　oo", "有孔区間"},
        {"遮水区間　■", "遮水区間"},
        {"無孔区間　| |", "無孔区間"},
        {"保孔管なし", "保孔管なし"},
        {"　oo", "　oo"},
        {"VP50 有孔", "VP50 有孔"},
    };
    for (const Case& c : cases) EXPECT_EQ(u8(CasingEditor::storedPipeKind(sj(c.typed))), c.stored) << c.typed;

    Document doc;
    ScriptedPrompter prompter;
    CasingEditor e(doc.CasingTable, prompter, KeyOptions{});
    e.open();
    EXPECT_EQ(CasingEditor::pipeKindItems().size(), 5u);
    e.setField(CasingEditor::Depth, "12");
    e.setField(CasingEditor::PipeKind, CasingEditor::pipeKindItems()[3]);
    e.add();
    e.setField(CasingEditor::Depth, "3");
    e.setField(CasingEditor::PipeKind, CasingEditor::pipeKindItems()[2]);
    e.add();
    e.setField(CasingEditor::Depth, "3001");
    e.add();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{sj("数値が異常です")});
    // The list shows the whole item until OK.
    EXPECT_EQ(u8(e.cell(1, CasingEditor::ColPipeKind)), "遮水区間　■");
    ASSERT_TRUE(e.accept());
    EXPECT_EQ(doc.CasingTable(1, CasingCol::Depth), "3.00");
    EXPECT_EQ(u8(doc.CasingTable(1, CasingCol::PipeKind)), "無孔区間");
    EXPECT_EQ(doc.CasingTable(2, CasingCol::Depth), "12.00");
    EXPECT_EQ(u8(doc.CasingTable(2, CasingCol::PipeKind)), "遮水区間");
}
