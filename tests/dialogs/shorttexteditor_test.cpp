// The short-text master editor: the six files, insert / delete / move, the
// save with its duplicate report, the save question on switching files, OK
// and Cancel, the 80-entry cap and a failed save.

#include "app/appcontext.h"
#include "dialogs/shorttexteditor.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace qc;
using qc::test::sj;
using qc::test::TempDir;
using File = ShortTextEditor::File;

namespace {

const std::string kNoPosition = sj("データの位置を指定して下さい");
const std::string kDeleteQuestion = sj("1行削除します.　");
const std::string kCancelQuestion = sj("データが変更されましたが、キャンセルしてよいのですか？");

struct Fixture
{
    TempDir dir;
    InstallPaths paths;
    ScriptedPrompter prompter;
    std::unique_ptr<ShortTextEditor> editor;

    Fixture()
    {
        paths.engineers = dir.file("Man.mst");
        paths.clients = dir.file("Hat.mst");
        paths.machines = dir.file("Sks.mst");
        paths.colourTones = dir.file("Col.mst");
        paths.notes = dir.file("Kij.mst");
        paths.strata = dir.file("Jso.mst");
    }
    void write(const std::string& path, const std::string& utf8Lines)
    {
        ASSERT_TRUE(writeFileBytes(path, sj(utf8Lines)));
    }
    std::string read(const std::string& path)
    {
        std::string bytes;
        EXPECT_TRUE(readFileBytes(path, bytes));
        return bytes;
    }
    ShortTextEditor& open()
    {
        editor = std::make_unique<ShortTextEditor>(paths, prompter, KeyOptions{});
        editor->setPageRows(20);
        editor->start();
        return *editor;
    }
    // Types text into a cell through the in-cell editor.
    void typeCell(int r, int col, const std::string& utf8)
    {
        ASSERT_TRUE(editor->doubleClick(r, col));
        editor->commitCell(sj(utf8));
    }
    std::string text(int r) { return editor->cell(r, 1); }
};

} // namespace

TEST(ShortTextEditor, EachRadioEditsItsFile)
{
    Fixture f;
    const std::pair<File, std::string> files[] = {
        {File::Engineers, f.paths.engineers}, {File::Clients, f.paths.clients},
        {File::Machines, f.paths.machines},   {File::ColourTones, f.paths.colourTones},
        {File::Notes, f.paths.notes},         {File::Strata, f.paths.strata}};
    for (const auto& [file, path] : files)
        f.write(path, "語" + std::to_string(static_cast<int>(file)) + ",\r\n");
    auto& e = f.open();
    EXPECT_EQ(e.file(), File::Engineers);
    for (const auto& [file, path] : files) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(e.chooseFile(file));
        EXPECT_EQ(e.path(), path);
        EXPECT_EQ(f.text(1), sj("語" + std::to_string(static_cast<int>(file))));
        EXPECT_EQ(e.usedRowCount(), 1);
        EXPECT_EQ(e.selectedRow(), 2);
    }
    EXPECT_TRUE(f.prompter.entries().empty());
    EXPECT_EQ(ShortTextEditor::fileLabel(File::Strata), sj("地層岩体"));
}

TEST(ShortTextEditor, MissingFileShowsItsPathAndABlankList)
{
    Fixture f;
    auto& e = f.open();
    ASSERT_EQ(f.prompter.texts().size(), 1u);
    EXPECT_EQ(f.prompter.texts()[0], sj("ファイルが見つかりません\n( ") + f.paths.engineers + sj(" )"));
    EXPECT_EQ(e.usedRowCount(), 0);
    EXPECT_EQ(e.selectedRow(), 1);
}

TEST(ShortTextEditor, DuplicatesAreReportedWithBothRowNumbersAndWrittenToo)
{
    Fixture f;
    f.write(f.paths.engineers, "山田,\r\n佐藤,\r\n山田,\r\n");
    auto& e = f.open();
    ASSERT_TRUE(e.save());
    EXPECT_EQ(f.read(f.paths.engineers), sj("山田,\r\n佐藤,\r\n山田,\r\n"));
    ASSERT_EQ(f.prompter.texts().size(), 1u);
    EXPECT_EQ(f.prompter.texts()[0], sj("同じデータがあります\r\n 3行目と 1行目 [山田]　\r\n"));
    EXPECT_EQ(e.status(), sj("保存しました"));
}

TEST(ShortTextEditor, DuplicateReportKeepsTheFirstSix)
{
    Fixture f;
    std::string lines;
    for (int i = 0; i < 9; ++i) lines += "同,\r\n";
    f.write(f.paths.engineers, lines);
    auto& e = f.open();
    ASSERT_TRUE(e.save());
    std::string expected = sj("同じデータがあります\r\n");
    for (int r = 2; r <= 7; ++r)
        expected += sj((r < 10 ? " " : "") + std::to_string(r) + "行目と 1行目 [同]　\r\n");
    EXPECT_EQ(f.prompter.texts().back(), expected);
}

TEST(ShortTextEditor, A90LineFileShowsAndKeepsTheFirst80)
{
    Fixture f;
    std::string lines;
    for (int i = 1; i <= 90; ++i) lines += "語" + std::to_string(i) + ",x\r\n";
    f.write(f.paths.engineers, lines);
    auto& e = f.open();
    EXPECT_EQ(e.usedRowCount(), 80);
    EXPECT_EQ(e.selectedRow(), 0);
    EXPECT_EQ(f.text(80), sj("語80"));
    // The loss is announced when the file is opened.
    ASSERT_EQ(f.prompter.texts().size(), 1u);
    EXPECT_NE(f.prompter.texts()[0].find(sj("81行目以降")), std::string::npos);
    ASSERT_TRUE(e.save());
    std::string expected;
    for (int i = 1; i <= 80; ++i) expected += "語" + std::to_string(i) + ",x\r\n";
    EXPECT_EQ(f.read(f.paths.engineers), sj(expected));
}

TEST(ShortTextEditor, DeletionAsksOnlyTheFirstTime)
{
    Fixture f;
    f.write(f.paths.engineers, "一,\r\n二,\r\n三,\r\n四,\r\n");
    auto& e = f.open();
    e.clickRow(1);
    f.prompter.queueAnswer(Answer::No);
    e.deleteRow();
    EXPECT_EQ(e.usedRowCount(), 4) << "No keeps the row";
    f.prompter.queueAnswer(Answer::Yes);
    e.deleteRow();
    EXPECT_EQ(f.text(1), sj("二"));
    EXPECT_EQ(e.selectedRow(), 1);
    e.deleteRow();
    EXPECT_EQ(f.text(1), sj("三"));
    EXPECT_EQ(e.usedRowCount(), 2);
    int questions = 0;
    for (const auto& entry : f.prompter.entries())
        if (entry.question) {
            ++questions;
            EXPECT_EQ(entry.text, kDeleteQuestion);
        }
    EXPECT_EQ(questions, 2) << "asked for the refused deletion and the first one done, not after";
    EXPECT_TRUE(e.modified());

    e.listDownArrow();
    e.deleteRow();
    EXPECT_EQ(f.prompter.texts().back(), kNoPosition);
}

TEST(ShortTextEditor, InsertRules)
{
    struct Case
    {
        const char* name;
        int entries;
        int select; // 0: none
        std::string message;
        int blankAt; // the inserted blank row, 0 when refused
    };
    const Case cases[] = {
        {"among the used rows", 3, 2, "", 2},
        {"on the first row", 3, 1, "", 1},
        {"no selection", 3, 0, kNoPosition, 0},
        {"below the used rows", 3, 5, sj("指定できません."), 0},
        {"list full", 80, 10, sj("これ以上データを扱えません"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        std::string lines;
        for (int i = 1; i <= c.entries; ++i) lines += "語" + std::to_string(i) + ",\r\n";
        f.write(f.paths.engineers, lines);
        auto& e = f.open();
        if (c.select)
            e.clickRow(c.select);
        else
            e.listDownArrow();
        e.insert();
        if (c.blankAt) {
            EXPECT_TRUE(f.prompter.entries().empty());
            EXPECT_EQ(f.text(c.blankAt), "");
            EXPECT_EQ(f.text(c.blankAt + 1), sj("語" + std::to_string(c.blankAt)));
            EXPECT_EQ(e.usedRowCount(), c.entries + 1);
            EXPECT_EQ(e.selectedRow(), c.blankAt);
            EXPECT_TRUE(e.modified());
        } else {
            ASSERT_EQ(f.prompter.texts().size(), 1u);
            EXPECT_EQ(f.prompter.texts()[0], c.message);
            EXPECT_EQ(e.usedRowCount(), c.entries);
        }
    }
}

TEST(ShortTextEditor, EditMoveAndSaveReadBackEqual)
{
    Fixture f;
    f.write(f.paths.notes, "砂質,\r\n\r\n粘土,備考\r\n");
    auto& e = f.open();
    ASSERT_TRUE(e.chooseFile(File::Notes));
    EXPECT_EQ(e.usedRowCount(), 2) << "empty lines are skipped";
    f.typeCell(3, 1, "礫混じり");
    e.clickRow(3);
    e.moveUp();
    EXPECT_EQ(e.selectedRow(), 2);
    e.clickRow(2);
    e.insert();
    f.typeCell(2, 1, "有機質");
    ASSERT_TRUE(e.save());
    const std::string written = f.read(f.paths.notes);
    EXPECT_EQ(written, sj("砂質,\r\n有機質,\r\n礫混じり,\r\n粘土,備考\r\n"));
    EXPECT_FALSE(e.modified());

    auto back = parseShortTexts(written);
    ASSERT_EQ(back.size(), 4u);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(back[static_cast<size_t>(r - 1)].text, f.text(r));
        EXPECT_EQ(back[static_cast<size_t>(r - 1)].extra, e.cell(r, 2));
    }
    // Reopened, the list is the same.
    ASSERT_TRUE(e.chooseFile(File::Engineers));
    ASSERT_TRUE(e.chooseFile(File::Notes));
    EXPECT_EQ(f.text(2), sj("有機質"));
    EXPECT_EQ(e.cell(4, 2), sj("備考"));
}

TEST(ShortTextEditor, SwitchingFilesAsksToSaveAModifiedList)
{
    for (Answer answer : {Answer::Yes, Answer::No}) {
        Fixture f;
        f.write(f.paths.engineers, "山田,\r\n");
        f.write(f.paths.clients, "国土交通省,\r\n");
        auto& e = f.open();
        f.typeCell(2, 1, "鈴木");
        f.prompter.queueAnswer(answer);
        ASSERT_TRUE(e.chooseFile(File::Clients));
        ASSERT_EQ(f.prompter.entries().size(), 1u);
        EXPECT_EQ(f.prompter.entries()[0].text, sj("保存しますか"));
        EXPECT_EQ(f.read(f.paths.engineers), sj(answer == Answer::Yes ? "山田,\r\n鈴木,\r\n" : "山田,\r\n"));
        EXPECT_EQ(f.text(1), sj("国土交通省"));
        EXPECT_FALSE(e.modified());
    }
}

TEST(ShortTextEditor, OkSavesAModifiedListAndCancelAsks)
{
    Fixture f;
    f.write(f.paths.engineers, "山田,\r\n");
    auto& e = f.open();
    EXPECT_TRUE(e.cancel()) << "nothing changed: closes at once";
    f.typeCell(1, 1, "山本");
    f.prompter.queueAnswer(Answer::No);
    EXPECT_FALSE(e.cancel());
    EXPECT_EQ(f.prompter.entries().back().text, kCancelQuestion);
    EXPECT_TRUE(e.accept());
    EXPECT_EQ(f.read(f.paths.engineers), sj("山本,\r\n"));
}

TEST(ShortTextEditor, AFailedSaveKeepsTheEditsMarkedUnsaved)
{
    Fixture f;
    // A file whose folder is gone cannot be written.
    f.paths.engineers = f.dir.file("gone/Man.mst");
    auto& e = f.open();
    f.prompter.clear();
    f.typeCell(1, 1, "鈴木");
    EXPECT_FALSE(e.save());
    auto texts = f.prompter.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], sj("保存できませんでした"));
    EXPECT_EQ(texts[1], sj("短文(マスタ)ファイルは\n保存できませんでした"));
    EXPECT_TRUE(e.modified());
    EXPECT_EQ(e.status(), "");
    EXPECT_FALSE(e.accept()) << "OK stays open rather than drop the edits";
    f.prompter.queueAnswer(Answer::Yes);
    EXPECT_FALSE(e.chooseFile(File::Clients)) << "the list stays when its save failed";
    EXPECT_EQ(e.file(), File::Engineers);
    EXPECT_EQ(f.text(1), sj("鈴木"));
}

TEST(ShortTextEditor, ATextWithACommaReadsBackWhole)
{
    Fixture f;
    f.write(f.paths.notes, "");
    auto& e = f.open();
    ASSERT_TRUE(e.chooseFile(File::Notes));
    f.typeCell(1, 1, "砂,礫混じり");
    f.typeCell(1, 2, "x,y");
    ASSERT_TRUE(e.save());
    const std::string written = f.read(f.paths.notes);
    EXPECT_EQ(written, sj("\"砂,礫混じり\",\"x,y\"\r\n"));
    auto back = parseShortTexts(written);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].text, sj("砂,礫混じり"));
    EXPECT_EQ(back[0].extra, "x,y");
    EXPECT_EQ(parsePhrases(written), std::vector<std::string>{sj("砂,礫混じり")});
}

TEST(ShortTextEditor, TextsLongerThanALineHoldsAreCutWithAMessage)
{
    Fixture f;
    f.write(f.paths.engineers, "");
    auto& e = f.open();
    std::string fifty, fiftyOne;
    for (int i = 0; i < 50; ++i) fifty += "字";
    fiftyOne = fifty + "字";
    f.typeCell(1, 1, fifty);
    EXPECT_TRUE(f.prompter.entries().empty());
    EXPECT_EQ(f.text(1), sj(fifty));
    f.typeCell(2, 1, fiftyOne);
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{sj("短文は100バイト（全角50文字）までです")});
    EXPECT_EQ(f.text(2), sj(fifty));
    f.typeCell(2, 2, "a" + fifty);
    EXPECT_EQ(e.cell(2, 2), sj("a" + fifty).substr(0, 19)) << "cut on a character boundary";
    ASSERT_TRUE(e.save());
    auto back = parseShortTexts(f.read(f.paths.engineers));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].text, sj(fifty));
    EXPECT_EQ(back[1].extra, e.cell(2, 2));
}
