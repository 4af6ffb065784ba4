// The scale dialog model: the range of every field with the platform's range
// messages, the largest page depth recomputed from the depth scale.

#include "dialogs/scaleeditor.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::u8;
using S = ScaleEditor;

namespace {

ScaleDialogData a4()
{
    ScaleDialogData d;
    d.paperHeightMm = 297;
    d.maxDepthPerPage = 17;
    d.depthPerPage = 16;
    d.marginTopMm = 5;
    return d;
}

} // namespace

TEST(ScaleEditor, FieldsAreCheckedAgainstTheirRanges)
{
    struct Case
    {
        S::Field field;
        const char* text;
        const char* message; // empty: accepted
    };
    const char* scaleRange = "25 から 500 までの整数を入力してください。";
    const Case cases[] = {
        {S::DepthScale, "30", ""},
        {S::DepthScale, "20", scaleRange},
        {S::DepthScale, "501", scaleRange},
        {S::DepthScale, "30.5", scaleRange},
        {S::DepthScale, "", scaleRange},
        {S::HorizontalScale, "25", ""},
        {S::HorizontalScale, " 500 ", ""},
        {S::HorizontalScale, "1e2", scaleRange},
        {S::PrintStart, "-10", ""},
        {S::PrintStart, "-10.5", "-10 から 3000 までの数字を入力してください。"},
        {S::PrintStart, "2.75", ""},
        {S::PrintStart, "3000.01", "-10 から 3000 までの数字を入力してください。"},
        {S::PrintStart, "0x10", "-10 から 3000 までの数字を入力してください。"},
        {S::PrintStart, "nan", "-10 から 3000 までの数字を入力してください。"},
        {S::DepthPerPage, "0", "1 から 100 までの整数を入力してください。"},
        {S::DepthPerPage, "100", ""},
        {S::Overlap, "10", ""},
        {S::Overlap, "11", "0 から 10 までの整数を入力してください。"},
        {S::Overlap, "-1", "0 から 10 までの整数を入力してください。"},
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        S ed(a4(), prompter);
        ed.setText(c.field, c.text);
        S::Field refused = S::FieldCount;
        const bool ok = ed.accept(&refused);
        const std::string label = std::string(c.text) + " in field " + std::to_string(c.field);
        if (*c.message == 0) {
            EXPECT_TRUE(ok) << label;
            EXPECT_TRUE(prompter.texts().empty()) << label;
        } else {
            EXPECT_FALSE(ok) << label;
            ASSERT_EQ(prompter.texts().size(), 1u) << label;
            EXPECT_EQ(u8(prompter.texts()[0]), c.message) << label;
            EXPECT_EQ(refused, c.field) << label;
        }
    }
}

TEST(ScaleEditor, AcceptedValuesReachTheData)
{
    ScriptedPrompter prompter;
    S ed(a4(), prompter);
    EXPECT_EQ(ed.text(S::DepthScale), "100");
    EXPECT_EQ(ed.text(S::PrintStart), "0");
    EXPECT_EQ(ed.paperLengthText(), "297");
    EXPECT_EQ(ed.maxDepthText(), "17");
    ed.setText(S::HorizontalScale, "50");
    ed.setText(S::DepthScale, "200");
    ed.setText(S::PrintStart, "-10");
    ed.setText(S::DepthPerPage, "30");
    ed.setText(S::Overlap, "2");
    ed.setDepthPartOnly(true);
    ASSERT_TRUE(ed.accept());
    const ScaleDialogData& d = ed.data();
    EXPECT_EQ(d.horizontalScaleDenominator, 50);
    EXPECT_EQ(d.depthScaleDenominator, 200);
    EXPECT_DOUBLE_EQ(d.printStartDepth, -10);
    EXPECT_EQ(d.depthPerPage, 30);
    EXPECT_EQ(d.pageOverlap, 2);
    EXPECT_TRUE(d.scaleDepthPartOnly);
}

TEST(ScaleEditor, LargestPageDepthFollowsTheDepthScale)
{
    struct Case
    {
        int paper;
        bool compact;
        const char* scale;
        const char* shown;
        bool noRoom;
    };
    const Case cases[] = {
        // 297 - 115 - 5 - 10 = 167 mm of paper for the depth part.
        {297, false, "100", "16", false}, {297, false, "200", "33", false},
        {297, true, "100", "20", false},  // 297 - 80 - 5 - 10 = 202
        {297, false, "abc", "16", false}, // not a number yet: read as 1/100
        {120, false, "100", "0", true},   // 120 - 115 - 5 - 10 < 0
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        ScaleDialogData d = a4();
        d.paperHeightMm = c.paper;
        d.compactHeader = c.compact;
        S ed(d, prompter);
        ed.setText(S::DepthScale, c.scale);
        ed.depthScaleLeft();
        EXPECT_EQ(ed.maxDepthText(), c.shown) << c.scale;
        EXPECT_EQ(prompter.texts().size(), c.noRoom ? 1u : 0u) << c.scale;
        if (c.noRoom) {
            EXPECT_EQ(u8(prompter.texts()[0]), "作図長さがありません");
        }
    }
}

TEST(ScaleEditor, NoRoomOnThePaperDoesNotBlockOk)
{
    // The largest depth is read-only: with none left the user can still confirm the other fields.
    ScriptedPrompter prompter;
    ScaleDialogData d = a4();
    d.paperHeightMm = 120;
    S ed(d, prompter);
    ed.depthScaleLeft();
    EXPECT_EQ(ed.maxDepthText(), "0");
    prompter.clear();
    EXPECT_TRUE(ed.accept());
    EXPECT_TRUE(prompter.texts().empty());
}
