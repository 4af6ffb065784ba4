// The font dialog model: the exact size from the chooser's pixel height, the
// size field's format, the chooser's preset, and "標準の設定".

#include "app/settings.h"
#include "dialogs/fonteditor.h"
#include "platform/fontchooser.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

TEST(FontEditor, SizeFromThePixelHeightOfTheChooser)
{
    struct Case
    {
        int height, dpi;
        double points;
        const char* shown;
        const char* written;
    };
    const Case cases[] = {
        {-13, 96, 9.75, " 10     (9.8)", "9.8"},    {13, 96, 9.75, " 10     (9.8)", "9.8"},
        {-16, 96, 12.0, " 12     (12.0)", "12.0"},  {-11, 96, 8.25, "  8     (8.2)", "8.2"},
        {-50, 120, 30.0, " 30     (30.0)", "30.0"},
    };
    for (const Case& c : cases) {
        ScriptedFontChooser chooser;
        FontEditor ed(builtinFonts(), chooser);
        chooser.answers.push_back(FontChoice{sj("ＭＳ ゴシック"), c.height, c.dpi, 0x0000ff, true});
        ASSERT_TRUE(ed.choose(FontSettings::Notes));
        const FontRole& r = ed.fonts()[FontSettings::Notes];
        EXPECT_DOUBLE_EQ(r.points, c.points) << c.height;
        EXPECT_EQ(ed.sizeText(FontSettings::Notes), c.shown) << c.height;
        EXPECT_EQ(u8(r.face), "ＭＳ ゴシック");
        EXPECT_EQ(r.colour, 0x0000ffu);
        EXPECT_TRUE(r.underline());
        const std::string file = formatFontFile(r);
        EXPECT_EQ(file.substr(0, file.find('\r')), c.written);
    }
}

TEST(FontEditor, ChooserIsPresetWithTheFaceAndColourAndCancelKeepsTheRole)
{
    ScriptedFontChooser chooser;
    FontSettings fonts = builtinFonts();
    fonts[FontSettings::Items].colour = 0x00ff00;
    fonts[FontSettings::Heading].face.clear();
    FontEditor ed(fonts, chooser);
    EXPECT_FALSE(ed.choose(FontSettings::Items));
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(u8(chooser.requests[0].face), "ＭＳ Ｐ明朝");
    EXPECT_EQ(chooser.requests[0].colour, 0x00ff00u);
    EXPECT_EQ(ed.fonts(), fonts);
    // An empty face is shown, and offered, as "ＭＳ 明朝".
    EXPECT_FALSE(ed.choose(FontSettings::Heading));
    EXPECT_EQ(u8(chooser.requests[1].face), "ＭＳ 明朝");
    EXPECT_EQ(u8(ed.faceText(FontSettings::Heading)), "ＭＳ 明朝");
}

TEST(FontEditor, StandardSettingsForEveryRole)
{
    ScriptedFontChooser chooser;
    FontSettings fonts;
    for (int role = 1; role <= 6; ++role) fonts[role] = FontRole{20.5, sj("ＭＳ ゴシック"), 0xff, 1};
    FontEditor ed(fonts, chooser);
    ed.defaults();
    const double sizes[7] = {0, 10, 8, 8, 7, 8, 9};
    for (int role = 1; role <= 6; ++role) {
        const FontRole& r = ed.fonts()[role];
        EXPECT_EQ(r.points, sizes[role]) << role;
        EXPECT_EQ(u8(r.face), role == 2 ? "ＭＳ Ｐ明朝" : "ＭＳ 明朝") << role;
        EXPECT_EQ(r.colour, 0u);
        EXPECT_FALSE(r.underline());
    }
    EXPECT_EQ(u8(FontEditor::buttonLabel(FontSettings::GraphLegend)), "　グラフ凡例");
    EXPECT_EQ(u8(FontEditor::usage(FontSettings::Body)), "観察記事を除く柱状図枠内");
}
