// The log style model: colour or black-and-white grids and the fields each
// allows, "標準の設定" and "白黒設定" with and without "精細", the colour
// chooser preset from the field in either base, the company-name rule and the
// whole-number check on OK.

#include "app/settings.h"
#include "dialogs/styleeditor.h"
#include "platform/colourchooser.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;
using qc::test::u8;

namespace {

struct Fixture
{
    ScriptedPrompter prompter;
    ScriptedColourChooser colours;
    Settings settings = builtinSettings();
    std::unique_ptr<StyleEditor> ed;

    void open() { ed = std::make_unique<StyleEditor>(settings, colours, prompter); }
    std::vector<std::string> grid() const
    {
        std::vector<std::string> out;
        for (int line = 12; line <= 23; ++line) out.push_back(ed->text(line));
        return out;
    }
};

using Grid = std::vector<std::string>;

} // namespace

TEST(StyleEditor, ColourGridsDrawSolidLinesOnly)
{
    Fixture f;
    f.settings.setInt(56, 1);
    for (int line : {14, 17, 20, 23}) f.settings.setInt(line, 3);
    f.open();
    EXPECT_TRUE(f.ed->monochrome());
    EXPECT_EQ(u8(f.ed->gridNote()), "空白部=0で実線を描画");
    for (int line : StyleEditor::kDashLines) EXPECT_TRUE(f.ed->enabled(line)) << line;
    for (int line : StyleEditor::kColourLines) EXPECT_FALSE(f.ed->enabled(line)) << line;
    EXPECT_EQ(f.ed->text(14), "3");

    f.ed->setMonochrome(false);
    EXPECT_EQ(u8(f.ed->gridNote()), "実線のみ描画可能　");
    for (int line : StyleEditor::kGapLines) EXPECT_EQ(f.ed->text(line), "0") << line;
    for (int line : StyleEditor::kDashLines) EXPECT_FALSE(f.ed->enabled(line)) << line;
    for (int line : StyleEditor::kColourLines) EXPECT_TRUE(f.ed->enabled(line)) << line;
    for (int line : {12, 15, 18, 21, 8, 9, 11, 3, 51, 52}) EXPECT_TRUE(f.ed->enabled(line)) << line;

    // A stored colour choice zeroes the gaps as the sheet opens.
    Fixture g;
    g.settings.setInt(14, 4);
    g.open();
    EXPECT_EQ(g.ed->text(14), "0");
}

TEST(StyleEditor, StandardAndBlackAndWhiteSettings)
{
    struct Case
    {
        const char* name;
        int button; // 0 "標準の設定", 1 "白黒設定"
        bool fine;
        Grid grid;
        bool monochrome;
    };
    const Case cases[] = {
        {"標準の設定", 0, false, {"1", "10", "0", "0", "5", "0", "1", "10", "0", "0", "5", "0"}, false},
        {"白黒設定", 1, false, {"1", "10", "0", "0", "5", "5", "1", "10", "0", "0", "5", "5"}, true},
        {"白黒設定 精細", 1, true, {"1", "10", "0", "1", "5", "5", "1", "10", "0", "1", "5", "5"}, true},
    };
    for (const Case& c : cases) {
        Fixture f;
        for (int line = 12; line <= 23; ++line) f.settings.setInt(line, 7);
        f.settings.setInt(8, 4);
        f.settings.setInt(3, 3);
        f.settings.setInt(4, 1);
        f.settings.setInt(51, 20);
        f.settings.setInt(7, 1);
        f.settings.setText(57, "0x0000ff");
        f.open();
        f.ed->setFine(c.fine);
        c.button == 0 ? f.ed->secondPageDefaults() : f.ed->blackAndWhiteDefaults();
        EXPECT_EQ(f.grid(), c.grid) << c.name;
        EXPECT_EQ(f.ed->monochrome(), c.monochrome) << c.name;
        EXPECT_EQ(f.ed->text(8), "2");
        EXPECT_EQ(f.ed->text(9), "1");
        EXPECT_EQ(f.ed->text(11), "2");
        EXPECT_EQ(f.ed->text(3), "10");
        EXPECT_EQ(f.ed->step(), "5");
        EXPECT_EQ(f.ed->text(51), "5");
        EXPECT_EQ(f.ed->text(52), "5");
        EXPECT_EQ(f.ed->text(57), "0x808080");
        EXPECT_EQ(f.ed->text(60), "0xcccccc");
        EXPECT_TRUE(f.ed->acrossGraphArea()); // not part of the defaults
    }
}

TEST(StyleEditor, FirstPageDefaultsLeaveCompanyAndTelephone)
{
    Fixture f;
    f.settings.setInt(48, 1);
    f.settings.setInt(5, 2);
    f.settings.setInt(47, 1);
    f.settings.setText(49, sj("株式会社　試験地質"));
    f.open();
    EXPECT_TRUE(f.ed->alphabetSymbols());
    f.ed->firstPageDefaults();
    EXPECT_FALSE(f.ed->alphabetSymbols());
    EXPECT_EQ(f.ed->sampleBottomPosition(), 1);
    EXPECT_EQ(f.ed->legendSymbolPosition(), 0);
    EXPECT_EQ(u8(f.ed->companyName()), "株式会社　試験地質");
}

TEST(StyleEditor, ColourChooserPresetFromTheFieldInEitherBase)
{
    struct Case
    {
        const char* field;
        uint32_t preset;
    };
    for (const Case& c : {Case{"0xff", 255}, Case{"255", 255}, Case{"0x808080", 0x808080}, Case{"", 0}}) {
        Fixture f;
        f.settings.setText(58, c.field);
        f.open();
        EXPECT_EQ(f.ed->colour(1), c.preset) << c.field;
        f.colours.queue(0x123456);
        EXPECT_TRUE(f.ed->chooseColour(1));
        ASSERT_EQ(f.colours.openedWith().size(), 1u);
        EXPECT_EQ(f.colours.openedWith()[0], c.preset) << c.field;
        EXPECT_EQ(f.ed->text(58), "0x123456");
        // Cancelled: the field stays.
        EXPECT_FALSE(f.ed->chooseColour(1));
        EXPECT_EQ(f.ed->text(58), "0x123456");
    }
}

TEST(StyleEditor, OkStoresEveryFieldAndNamesAnEmptyCompany)
{
    Fixture f;
    f.open();
    f.ed->setText(8, "3");
    f.ed->setText(52, "12");
    f.ed->setStep("2");
    f.ed->setMonochrome(true);
    f.ed->setText(17, "4");
    f.ed->setAcrossGraphArea(true);
    f.ed->setSampleBottomPosition(2);
    f.ed->setLegendSymbolPosition(1);
    f.ed->setAlphabetSymbols(true);
    f.ed->setCompanyName("");
    f.ed->setTelephone("03-0000-0000");
    ASSERT_TRUE(f.ed->accept());
    const Settings& s = f.ed->settings();
    EXPECT_EQ(s.frameWidth(), 3);
    EXPECT_EQ(s.marginTopMm(), 12);
    EXPECT_EQ(s.graphTickStep(), 2);
    EXPECT_TRUE(s.gridMonochrome());
    EXPECT_EQ(s.gridGap(1), 4);
    EXPECT_TRUE(s.horizontalGridAcrossGraphs());
    EXPECT_EQ(s.sampleBottomLabelPosition(), 2);
    EXPECT_EQ(s.legendSymbolPosition(), 1);
    EXPECT_TRUE(s.alphabetSymbols());
    EXPECT_EQ(u8(s.companyName()), "株式会社");
    EXPECT_EQ(s.telephone(), "03-0000-0000");
    EXPECT_TRUE(f.prompter.texts().empty());
}

TEST(StyleEditor, OkRefusesAFieldThatIsNotAWholeNumber)
{
    for (const char* text : {"", "2.5", "abc", "1 2", "99999999999"}) {
        Fixture f;
        f.open();
        f.ed->setText(9, text);
        int refused = 0;
        EXPECT_FALSE(f.ed->accept(&refused)) << text;
        EXPECT_EQ(refused, 9);
        ASSERT_EQ(f.prompter.texts().size(), 1u);
        EXPECT_EQ(u8(f.prompter.texts()[0]), "整数を入力してください。");
    }
    Fixture f;
    f.open();
    f.ed->setText(9, " -3 ");
    EXPECT_TRUE(f.ed->accept());
    EXPECT_EQ(f.ed->settings().ruleWidth(), -3);
}
