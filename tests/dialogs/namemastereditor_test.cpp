// The geology-name master and pattern editor: both files read and written byte
// for byte, every check of "↓上書き" / "↓挿入", editing, deleting and moving
// rows, the pattern tools, the previews and OK / Cancel.

#include "dialogs/namemastereditor.h"
#include "document/geologymaster.h"
#include "platform/colourchooser.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace qc;
using qc::test::sj;
using qc::test::TempDir;
using qc::test::u8;
using E = NameMasterEditor;

namespace {

const std::string kUnsuitable = sj("入力データが不適当です");
const std::string kNoPosition = sj("データの位置を指定して下さい");
const std::string kSameName = sj("同じ登録名があります");

const char* const kMaster = "[第1 基本], ,660,\r\n"
                            "盛土,B,10000.0,10000.0\r\n"
                            "砂,S,1500.1,1500.1\r\n"
                            "シルト,M,500.2,500.2\r\n"
                            "[第2 混じり]\r\n"
                            "礫混じり,-G,1.0,1.0\r\n"
                            "[第3 質]\r\n"
                            "砂質,S,10.0,10.0\r\n"
                            "[終了]\r\n";

const char* const kPatterns = "[基本模様],\r\n"
                              "500,0x008080,0x008080,M,シルト,\r\n"
                              "1500,0x1e69d2,0x1e69d2,S,砂,\r\n"
                              "2500,0x000000,0x336699,X,例,\r\n";

std::string bundled(const std::string& name)
{
    return std::string(QC_SOURCE_DIR) + "/data/install/" + name;
}

struct Fixture
{
    TempDir dir;
    ScriptedPrompter prompter;
    ScriptedColourChooser chooser;
    NameMasterDialogData data;
    std::unique_ptr<E> editor;

    Fixture(const char* master = kMaster, const char* patterns = kPatterns)
    {
        data.masterPath = dir.file("WdtvJCA.mst");
        data.patternColoursPath = dir.file("PtnvcJG.ndx");
        data.bitmapFolder = dir.file("Jbptn");
        data.monochromeBitmapFolder = dir.file("Jbptn01");
        if (master) {
            EXPECT_TRUE(writeFileBytes(data.masterPath, sj(master)));
        }
        if (patterns) {
            EXPECT_TRUE(writeFileBytes(data.patternColoursPath, sj(patterns)));
        }
    }
    E& open()
    {
        editor = std::make_unique<E>(data, prompter, chooser);
        editor->open();
        return *editor;
    }
    void fields(const std::string& name, const std::string& symbol, const std::string& vector,
                const std::string& bitmap, bool density = false, bool consistency = false)
    {
        editor->setField(E::Name, sj(name));
        editor->setField(E::Symbol, symbol);
        editor->setField(E::Vector, vector);
        editor->setField(E::Bitmap, bitmap);
        editor->setDensity(density);
        editor->setConsistency(consistency);
    }
    int rowOf(const std::string& utf8) const
    {
        const auto& rows = editor->masterRows();
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].name == sj(utf8)) return static_cast<int>(i) + 1;
        return 0;
    }
    std::string file(const std::string& path) const
    {
        std::string bytes;
        EXPECT_TRUE(readFileBytes(path, bytes));
        return bytes;
    }
};

} // namespace

TEST(NameMasterFiles, ListColumnsFromTheMasterLines)
{
    auto rows = E::parseMaster(sj(kMaster));
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_TRUE(rows[0].section);
    EXPECT_EQ(rows[0].name, sj("[第1 基本]"));
    EXPECT_EQ(rows[0].symbol, "");
    const NameMasterRow& sand = rows[2];
    EXPECT_EQ(sand.symbol, "S");
    EXPECT_EQ(sand.vector, "1500");
    EXPECT_EQ(sand.bitmap, "1500");
    EXPECT_EQ(sand.density, "o");
    EXPECT_EQ(sand.consistency, "");
    EXPECT_EQ(rows[3].density, "");
    EXPECT_EQ(rows[3].consistency, "o");
    // "深" ends in the byte of "[": not a section line.
    auto deep = E::parseMaster(sj("深い砂,S,3.0,3.0\r\n"));
    ASSERT_EQ(deep.size(), 1u);
    EXPECT_FALSE(deep[0].section);
    EXPECT_EQ(deep[0].vector, "3");
}

TEST(NameMasterFiles, WritingASectionLineAndAClassedRow)
{
    std::vector<NameMasterRow> rows(2);
    rows[0].name = sj("[第1 基本]");
    rows[0].section = true;
    rows[1] = {sj("砂"), "S", "o", "-", "1200", "35", false};
    EXPECT_EQ(E::formatMaster(rows), sj("[第1 基本], ,660,\r\n砂,S,1200.1,35.1\r\n"));
    rows[1].consistency = "o";
    rows[1].bitmap = "";
    EXPECT_EQ(E::formatMaster(rows), sj("[第1 基本], ,660,\r\n砂,S,1200.3,\r\n"));
    // Only the first line carries the number.
    std::swap(rows[0], rows[1]);
    EXPECT_EQ(E::formatMaster(rows), sj("砂,S,1200.3,\r\n[第1 基本]\r\n"));
}

TEST(NameMasterFiles, TheBundledFilesGoThroughTheEditorUnchanged)
{
    {
        Fixture f(nullptr, nullptr);
        std::filesystem::copy_file(bundled("WdtvJCA.mst"), f.data.masterPath);
        std::filesystem::copy_file(bundled("PtnvcJG.ndx"), f.data.patternColoursPath);
        const std::string master = f.file(f.data.masterPath), patterns = f.file(f.data.patternColoursPath);
        auto& e = f.open();
        EXPECT_TRUE(f.prompter.entries().empty());
        // A row moved down and back marks both lists changed; OK rewrites both.
        e.clickMaster(3);
        e.moveDown();
        e.moveUp();
        e.clickPattern(2);
        e.setField(E::Colour, "0x123456");
        e.overwritePattern();
        e.clickPattern(2);
        e.setField(E::Colour, e.patternRows()[1].defaultColour);
        e.overwritePattern();
        ASSERT_TRUE(e.masterChanged() && e.patternsChanged());
        ASSERT_TRUE(e.accept());
        EXPECT_EQ(f.file(f.data.masterPath), master);
        EXPECT_EQ(f.file(f.data.patternColoursPath), patterns);
    }
}

TEST(NameMasterEditor, FieldChecksOfOverwriteAndInsert)
{
    struct Case
    {
        const char* name;
        std::string number;
        E::Target target;
        std::string message; // empty: accepted
        E::Field focus;
    };
    const Case cases[] = {
        {"[砂]", "1500", E::Target::Vector, kUnsuitable, E::Name},
        {"", "1500", E::Target::Vector, sj("データがありません"), E::Name},
        {"泥", "abc", E::Target::Vector, kUnsuitable, E::Vector},
        {"泥", "1500x", E::Target::Vector, kUnsuitable, E::Vector},
        {"泥", "1000000", E::Target::Vector, sj("数値が異常です"), E::Vector},
        {"泥", "-1", E::Target::Bitmap, sj("数値が異常です"), E::Bitmap},
        {"泥", "999999", E::Target::Vector, "", E::FieldCount},
        {"貝混じり", "12", E::Target::Vector, kUnsuitable, E::Vector},
        {"貝混じり", "8", E::Target::Vector, "", E::FieldCount},
        {"泥質", "5", E::Target::Vector, kUnsuitable, E::Vector},
        {"泥質", "95", E::Target::Bitmap, kUnsuitable, E::Bitmap},
        {"泥質", "20", E::Target::Vector, "", E::FieldCount},
        {"泥質", "90", E::Target::Vector, "", E::FieldCount},
        // Blanks an IME types around a number, half- or full-width, are not part of it.
        {"泥質", sj("　20"), E::Target::Vector, "", E::FieldCount},
        {"泥", sj(" 1500　"), E::Target::Bitmap, "", E::FieldCount},
        {"泥", sj("　"), E::Target::Vector, sj("データがありませんが強行しますか"), E::Vector},
        {"泥", sj("1５"), E::Target::Vector, kUnsuitable, E::Vector},
        // "深" ends in the byte of "[", "表" in "\": neither is a section mark.
        {"深表", "1500", E::Target::Vector, "", E::FieldCount},
        {"砂,礫", "1500", E::Target::Vector, kUnsuitable, E::Name},
        {"砂\"礫", "1500", E::Target::Vector, kUnsuitable, E::Name},
        {"一二三四五六七八九十一二三四五六", "1500", E::Target::Vector, "", E::FieldCount},
        {"一二三四五六七八九十一二三四五六七", "1500", E::Target::Vector,
         sj("地質名は全角16文字（32バイト）までです"), E::Name},
    };
    for (bool insert : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(insert ? "insert " : "overwrite ") + c.name + " " + c.number);
            Fixture f;
            auto& e = f.open();
            e.setTarget(c.target);
            // Both numbers get the tested text; only the chosen one is checked.
            f.fields(c.name, "X", c.number, c.number);
            e.clickMaster(f.rowOf("シルト"));
            const auto before = e.masterRows();
            insert ? e.insert() : e.overwrite();
            if (c.message.empty()) {
                EXPECT_TRUE(f.prompter.entries().empty()) << u8(f.prompter.texts().front());
                EXPECT_NE(e.masterRows(), before);
                // The number is kept without the blanks around it.
                const NameMasterRow& row = e.masterRows()[static_cast<size_t>(f.rowOf(c.name) - 1)];
                const std::string& kept = c.target == E::Target::Vector ? row.vector : row.bitmap;
                EXPECT_EQ(kept.find_first_not_of("0123456789"), std::string::npos) << kept;
            } else {
                ASSERT_EQ(f.prompter.texts().size(), 1u);
                EXPECT_EQ(f.prompter.texts()[0], c.message);
                EXPECT_EQ(e.masterRows(), before);
                EXPECT_EQ(e.takeFocusRequest(), c.focus);
            }
        }
    }
}

TEST(NameMasterEditor, SymbolChecks)
{
    const std::pair<std::string, std::string> cases[] = {
        {"S,G", kUnsuitable}, {"ABCDEFGHI", sj("記号は半角8文字（8バイト）までです")}, {"ABCDEFGH", ""}};
    for (const auto& [symbol, msg] : cases) {
        SCOPED_TRACE(symbol);
        Fixture f;
        auto& e = f.open();
        f.fields("泥", symbol, "700", "700");
        e.clickMaster(f.rowOf("シルト"));
        e.insert();
        if (msg.empty()) {
            EXPECT_TRUE(f.prompter.entries().empty());
        } else {
            EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{msg});
            EXPECT_EQ(e.takeFocusRequest(), E::Symbol);
        }
    }
}

TEST(NameMasterEditor, AnEmptyPatternNumberAsksToGoOn)
{
    for (Answer answer : {Answer::No, Answer::Yes}) {
        Fixture f;
        auto& e = f.open();
        f.fields("泥", "Md", "", "700");
        e.clickMaster(f.rowOf("シルト"));
        f.prompter.queueAnswer(answer);
        e.insert();
        ASSERT_GE(f.prompter.entries().size(), 1u);
        EXPECT_EQ(f.prompter.entries()[0].text, sj("データがありませんが強行しますか"));
        if (answer == Answer::No) {
            EXPECT_EQ(f.rowOf("泥"), 0);
            EXPECT_EQ(e.takeFocusRequest(), E::Vector);
        } else {
            EXPECT_EQ(f.rowOf("泥"), f.rowOf("シルト") - 1) << "inserted before the selected row";
            ASSERT_EQ(f.prompter.entries().size(), 2u);
            EXPECT_EQ(f.prompter.entries()[1].text, sj("データが不足しています.")) << "the row stays";
        }
    }
}

TEST(NameMasterEditor, DuplicateNamesAreRefused)
{
    Fixture f;
    auto& e = f.open();
    const auto before = e.masterRows();
    f.fields("砂", "S", "1500", "1500");
    e.clickMaster(f.rowOf("シルト"));
    e.insert();
    EXPECT_EQ(f.prompter.texts().back(), kSameName);
    EXPECT_EQ(e.masterRows(), before);
    e.overwrite(); // onto シルト, another row's name
    EXPECT_EQ(f.prompter.texts().back(), kSameName);
    EXPECT_EQ(e.masterRows(), before);
    f.prompter.clear();
    e.clickMaster(f.rowOf("砂"));
    f.fields("砂", "S2", "1510", "1510", true);
    e.overwrite(); // its own name is fine
    EXPECT_TRUE(f.prompter.entries().empty());
    const NameMasterRow& sand = e.masterRows()[static_cast<size_t>(f.rowOf("砂") - 1)];
    EXPECT_EQ(sand, (NameMasterRow{sj("砂"), "S2", "o", "-", "1510", "1510", false}));
}

TEST(NameMasterEditor, PositionAndSectionRules)
{
    Fixture f;
    auto& e = f.open();
    f.fields("泥", "Md", "700", "700");
    for (auto op : {&E::insert, &E::overwrite, &E::deleteRow}) {
        f.prompter.clear();
        (e.*op)();
        EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kNoPosition});
    }
    f.prompter.clear();
    e.edit();
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{sj("指定できません.")});
    // Section lines are neither edited nor replaced, and nothing goes above the first one.
    for (auto op : {&E::edit, &E::overwrite, &E::insert}) {
        f.prompter.clear();
        e.clickMaster(1);
        (e.*op)();
        EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{sj("指定できません.")});
    }
    EXPECT_EQ(f.rowOf("泥"), 0);
}

TEST(NameMasterEditor, InsertAtTheRowLimitIsRefusedButOverwriteWorks)
{
    std::string lines = "[第1 基本], ,660,\r\n";
    for (int i = 1; i < E::kMasterRows; ++i) lines += "土" + std::to_string(i) + ",X,100.0,100.0\r\n";
    Fixture f(lines.c_str());
    auto& e = f.open();
    ASSERT_EQ(e.masterRows().size(), 256u);
    f.fields("泥", "Md", "700", "700");
    e.clickMaster(5);
    e.insert();
    EXPECT_EQ(f.prompter.texts().back(), sj("これ以上データを扱えません"));
    f.prompter.clear();
    e.overwrite();
    EXPECT_TRUE(f.prompter.entries().empty());
    EXPECT_EQ(f.rowOf("泥"), 5);
}

TEST(NameMasterEditor, EditDeleteAndMove)
{
    Fixture f;
    auto& e = f.open();
    e.clickMaster(f.rowOf("シルト"));
    e.edit();
    EXPECT_EQ(e.field(E::Name), sj("シルト"));
    EXPECT_EQ(e.field(E::Symbol), "M");
    EXPECT_EQ(e.field(E::Vector), "500");
    EXPECT_FALSE(e.density());
    EXPECT_TRUE(e.consistency());
    EXPECT_EQ(e.previewVector(), 500);

    const int silt = f.rowOf("シルト");
    e.moveUp();
    EXPECT_EQ(e.selectedMaster(), silt - 1);
    EXPECT_EQ(f.rowOf("シルト"), silt - 1);
    e.moveDown();
    e.moveDown();
    EXPECT_EQ(f.rowOf("シルト"), silt + 1);
    e.clickMaster(static_cast<int>(e.masterRows().size()));
    e.moveDown(); // not beyond the last row
    EXPECT_EQ(e.selectedMaster(), static_cast<int>(e.masterRows().size()));
    e.clickMaster(1);
    e.moveUp();
    EXPECT_EQ(e.selectedMaster(), 1);

    e.clickMaster(f.rowOf("砂"));
    f.prompter.queueAnswer(Answer::No);
    e.deleteRow();
    EXPECT_NE(f.rowOf("砂"), 0);
    f.prompter.queueAnswer(Answer::Yes);
    e.deleteRow();
    EXPECT_EQ(f.rowOf("砂"), 0);
    EXPECT_EQ(f.prompter.entries().back().text, sj("反転データの行を削除します"));
    EXPECT_TRUE(e.masterChanged());
    EXPECT_FALSE(e.patternsChanged());
}

TEST(NameMasterEditor, PatternTools)
{
    Fixture f;
    auto& e = f.open();
    // Clicking a pattern row takes its number and colour into the tools.
    e.clickPattern(3);
    EXPECT_EQ(e.field(E::PatternNo), "1500");
    EXPECT_EQ(e.field(E::Colour), "0x1e69d2");
    e.apply();
    EXPECT_EQ(e.field(E::Vector), "1500");
    EXPECT_EQ(e.previewVector(), 1500);
    e.setTarget(E::Target::Bitmap);
    e.setField(E::PatternNo, "4500");
    e.apply();
    EXPECT_EQ(e.field(E::Bitmap), "4500");
    EXPECT_EQ(e.previewBitmap(), 4500);
    e.setField(E::PatternNo, "J45");
    e.apply();
    EXPECT_EQ(f.prompter.texts().back(), kUnsuitable);

    // The colour tools wait for "線描".
    e.allDefaultColours();
    e.chooseColour();
    EXPECT_FALSE(e.patternsChanged());
    EXPECT_TRUE(f.chooser.openedWith().empty());
    e.setTarget(E::Target::Vector);

    f.chooser.queue(0x00ff8040u);
    e.chooseColour();
    EXPECT_EQ(f.chooser.openedWith(), std::vector<uint32_t>{0x1e69d2u});
    EXPECT_EQ(e.field(E::Colour), "0xff8040");
    f.chooser.queue(std::nullopt);
    e.chooseColour();
    EXPECT_EQ(e.field(E::Colour), "0xff8040") << "a cancelled chooser changes nothing";

    e.clickPattern(4);
    e.defaultColour();
    EXPECT_EQ(e.field(E::Colour), "0x336699");
    e.clickPattern(1); // the heading has no default colour
    f.prompter.clear();
    e.defaultColour();
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kUnsuitable});

    e.allDefaultColours();
    EXPECT_EQ(e.patternRows()[3].colour, "0x336699");
    EXPECT_TRUE(e.patternsChanged());
    EXPECT_EQ(e.previewColours().colourOf(2500), 0x336699u);
}

TEST(NameMasterEditor, OverwritePatternChecks)
{
    struct Case
    {
        const char* name;
        int select;
        std::string number;
        std::string colour;
        std::string message;
    };
    const Case cases[] = {
        {"a new colour", 4, "2500", "0x0000ff", ""},
        {"a new number", 4, "2600", "255", ""},
        {"number not a number", 4, "x25", "0x0000ff", kUnsuitable},
        {"number a section text", 4, "[25]", "0x0000ff", kUnsuitable},
        {"colour empty", 4, "2500", "", sj("データがありません")},
        {"colour not a number", 4, "2500", "blue", kUnsuitable},
        {"no row", 0, "2500", "0x0000ff", kNoPosition},
        {"heading row", 1, "2500", "0x0000ff", sj("指定できません.")},
        {"number of another row", 4, "1500", "0x0000ff", kSameName},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        auto& e = f.open();
        e.clickPattern(c.select);
        e.setField(E::PatternNo, c.number);
        e.setField(E::Colour, c.colour);
        const auto before = e.patternRows();
        e.overwritePattern();
        if (c.message.empty()) {
            EXPECT_TRUE(f.prompter.entries().empty());
            EXPECT_EQ(e.patternRows()[3].number, c.number);
            EXPECT_EQ(e.patternRows()[3].colour, c.colour);
            EXPECT_EQ(e.patternRows()[3].defaultColour, "0x336699");
            EXPECT_EQ(e.field(E::Colour), "");
            EXPECT_EQ(e.previewColours().colourOf(std::stol(c.number)),
                      static_cast<uint32_t>(parseCBase(c.colour)));
        } else {
            EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{c.message});
            EXPECT_EQ(e.patternRows(), before);
        }
    }
    // A full list takes no more.
    std::string lines;
    for (int i = 1; i <= 111; ++i) lines += std::to_string(i * 100) + ",0x0,0x0,A,B,\r\n";
    Fixture full(kMaster, lines.c_str());
    auto& e = full.open();
    e.clickPattern(2);
    e.setField(E::PatternNo, "200");
    e.setField(E::Colour, "0x0000ff");
    e.overwritePattern();
    EXPECT_EQ(full.prompter.texts(), std::vector<std::string>{sj("これ以上データを扱えません")});
}

TEST(NameMasterEditor, PreviewsFollowTheRowsTheFieldsAndTheSettings)
{
    Fixture f;
    auto& e = f.open();
    e.clickMaster(f.rowOf("砂"));
    EXPECT_EQ(e.previewVector(), 1500);
    EXPECT_EQ(e.previewBitmap(), 1500);
    e.clickMaster(1);
    EXPECT_EQ(e.previewVector(), 0);
    e.setField(E::Vector, "2314");
    EXPECT_EQ(e.previewVector(), 2314);
    EXPECT_EQ(e.previewStyle().penWidth, 1);
    e.settings().patternOption = 2;
    e.settings().mixedMarks = 1;
    e.settings().allBlack = true;
    EXPECT_EQ(e.previewStyle().penWidth, 3);
    EXPECT_TRUE(e.previewStyle().overlayShiftOff);
    EXPECT_TRUE(e.previewStyle().allBlack);
    EXPECT_EQ(e.previewBitmapFolder(), f.data.bitmapFolder);
    e.settings().monochromeBitmaps = true;
    EXPECT_EQ(e.previewBitmapFolder(), f.data.monochromeBitmapFolder);
}

TEST(NameMasterEditor, BitmapListsHoldTheFilesThenTheBlockMarks)
{
    Fixture f;
    std::filesystem::create_directory(f.data.bitmapFolder);
    for (const char* n : {"J1500.BMP", "j100.bmp", "J20.BMP", "notes.txt"})
        ASSERT_TRUE(writeFileBytes(f.data.bitmapFolder + "/" + n, "x"));
    auto& e = f.open();
    EXPECT_EQ(e.colourBitmaps(), (std::vector<std::string>{"J20.BMP", "j100.bmp", "J1500.BMP", "j10000",
                                                           "j10001", "j10002", "j10003", "j10004"}));
    EXPECT_EQ(e.monochromeBitmaps(),
              (std::vector<std::string>{"j10000", "j10001", "j10002", "j10003", "j10004"}));
    e.clickBitmap("j10003");
    EXPECT_EQ(e.field(E::PatternNo), "10003");
    EXPECT_EQ(e.previewBitmap(), 10003);
}

TEST(NameMasterEditor, MissingFilesAreNamedAndLeaveTheListsEmpty)
{
    Fixture f(nullptr, nullptr);
    auto& e = f.open();
    EXPECT_EQ(f.prompter.texts(),
              (std::vector<std::string>{sj("ファイルが見つかりません\n( ") + f.data.masterPath + sj(" )"),
                                        sj("ファイルが見つかりません\n( ") + f.data.patternColoursPath +
                                            sj(" )")}));
    EXPECT_TRUE(e.masterRows().empty());
    EXPECT_TRUE(e.patternRows().empty());
    EXPECT_TRUE(e.accept()) << "nothing changed, nothing written";
    EXPECT_FALSE(fileExists(f.data.masterPath));
}

TEST(NameMasterEditor, OkWritesOnlyTheChangedFileAndCancelAsks)
{
    Fixture f;
    auto& e = f.open();
    EXPECT_TRUE(e.cancel());
    f.fields("汚染土", "Cs", "2500", "2500", false, true);
    e.clickMaster(f.rowOf("[第2 混じり]"));
    e.insert();
    f.prompter.queueAnswer(Answer::No);
    EXPECT_FALSE(e.cancel());
    EXPECT_EQ(f.prompter.entries().back().text, sj("データが変更されましたが、キャンセルしてよいのですか？"));
    std::filesystem::remove(f.data.patternColoursPath);
    ASSERT_TRUE(e.accept());
    EXPECT_FALSE(fileExists(f.data.patternColoursPath)) << "the unchanged index is not rewritten";
    const std::string written = f.file(f.data.masterPath);
    EXPECT_NE(written.find(sj("シルト,M,500.2,500.2\r\n汚染土,Cs,2500.2,2500.2\r\n[第2 混じり]")),
              std::string::npos);
    // What the program reads back.
    GeologyMaster m;
    EXPECT_EQ(m.parse(written, GeologyMaster::Vector), 660);
    Composition c = ComposeName(m, sj("汚染土"));
    EXPECT_EQ(c.code, 2500);
    EXPECT_EQ(c.digit, 2);
    EXPECT_EQ(c.display, "Cs");
}

TEST(NameMasterEditor, AFailedWriteKeepsTheDialogOpenAndTheOldFile)
{
    Fixture f;
    auto& e = f.open();
    const std::string before = f.file(f.data.masterPath);
    e.clickMaster(3);
    e.moveDown();
    // A folder where the master should be: the rename over it fails.
    const std::string master = f.data.masterPath;
    e.settings().masterPath = f.dir.file("gone/WdtvJCA.mst");
    EXPECT_FALSE(e.accept());
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{sj("保存できませんでした")});
    EXPECT_TRUE(e.masterChanged());
    EXPECT_EQ(f.file(master), before);
}
