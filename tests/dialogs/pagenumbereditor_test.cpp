// The page-number dialog model: prefix and suffix rules with the preview, the
// defaults, which distance field takes input, and the off-paper warning.

#include "dialogs/pagenumbereditor.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;
using qc::test::u8;
using P = PageNumberEditor;

namespace {

PageDialogData a4(const char* top = "280", const char* left = "20")
{
    PageDialogData d;
    d.paperWidthMm = 210;
    d.paperHeightLess16Mm = 281;
    d.entry[2] = "1";
    d.entry[5] = top;
    d.entry[6] = "2.0";
    d.entry[8] = left;
    return d;
}

} // namespace

TEST(PageNumberEditor, PrefixAndSuffixRules)
{
    struct Case
    {
        std::string prefix, suffixBefore, suffixAfter, preview;
    };
    const Case cases[] = {
        {"(", "", ")", "(1)"},
        {"-", "", "-", "-1-"},
        {"(", "-", "-", "(1-"}, // a chosen suffix stays
        {sj("   <無し>"), "", "", "1"},
        {sj("頁<無し>"), ")", ")", "1)"},
        {sj("表"), "", "", sj("表1")}, // "表" ends in the byte of a backslash, not a marker
        {"p", "", "", "p1"},
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        PageDialogData d = a4();
        d.entry[3] = c.suffixBefore;
        P ed(d, prompter);
        ed.setText(P::Prefix, c.prefix);
        EXPECT_EQ(ed.text(P::Suffix), c.suffixAfter) << u8(c.prefix);
        EXPECT_EQ(ed.preview(), c.preview) << u8(c.prefix);
    }
    ScriptedPrompter prompter;
    P ed(a4(), prompter);
    ed.setText(P::Prefix, "(");
    ed.setText(P::FirstPage, "12");
    EXPECT_EQ(ed.preview(), "(12)");
}

TEST(PageNumberEditor, DefaultsAndEnabledFields)
{
    ScriptedPrompter prompter;
    // Both distances empty: the defaults are applied as the dialog opens.
    P ed(a4("", ""), prompter);
    EXPECT_EQ(ed.text(P::TopFromPaper), "281");
    EXPECT_EQ(ed.text(P::TopFromLine), "2.0");
    EXPECT_EQ(ed.text(P::Left), "105");
    EXPECT_EQ(ed.text(P::HalfWidth), "105");
    EXPECT_EQ(ed.data().topFrom, 1);
    EXPECT_EQ(ed.data().leftFrom, 1);
    EXPECT_FALSE(ed.enabled(P::TopFromPaper));
    EXPECT_TRUE(ed.enabled(P::TopFromLine));
    EXPECT_FALSE(ed.enabled(P::Left));
    EXPECT_FALSE(ed.enabled(P::HalfWidth));
    ed.setTopFrom(0);
    ed.setLeftFrom(0);
    EXPECT_TRUE(ed.enabled(P::TopFromPaper));
    EXPECT_FALSE(ed.enabled(P::TopFromLine));
    EXPECT_TRUE(ed.enabled(P::Left));

    // A damaged file's choice falls back to the first radio.
    PageDialogData odd = a4();
    odd.topFrom = 7;
    odd.leftFrom = -2;
    P ed4(odd, prompter);
    EXPECT_EQ(ed4.data().topFrom, 0);
    EXPECT_EQ(ed4.data().leftFrom, 0);

    // A3 landscape: the left distance is at most 150.
    PageDialogData wide = a4("", "");
    wide.paperWidthMm = 420;
    P ed2(wide, prompter);
    EXPECT_EQ(ed2.text(P::Left), "150");
    EXPECT_EQ(ed2.text(P::HalfWidth), "210");

    // One distance set: nothing is replaced.
    P ed3(a4("", "30"), prompter);
    EXPECT_EQ(ed3.text(P::TopFromPaper), "");
    EXPECT_EQ(ed3.text(P::Left), "30");
    ed3.setText(P::TopFromLine, "7.5");
    ed3.sameAsCompany();
    EXPECT_EQ(ed3.text(P::TopFromLine), "2.0");
    EXPECT_TRUE(prompter.texts().empty());
}

TEST(PageNumberEditor, TopDistanceOffThePaperWarnsButCloses)
{
    struct Case
    {
        int topFrom;
        const char* top;
        bool warns;
    };
    const Case cases[] = {{0, "281", false}, {0, "281.5", true}, {1, "400", false}, {0, "300", true}};
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        PageDialogData d = a4(c.top);
        d.topFrom = c.topFrom;
        P ed(d, prompter);
        ed.accept();
        ASSERT_EQ(prompter.texts().size(), c.warns ? 1u : 0u) << c.top;
        if (c.warns) {
            EXPECT_EQ(u8(prompter.texts()[0]),
                      std::string("フッタ表示位置が用紙外の可能性があります \n( ") + c.top + " mm)");
        }
    }
}
