// The help dialog model: the help file's lines split at 200 bytes on character
// boundaries, the missing-file and full-list messages, and the two editors
// tried in turn.

#include "dialogs/helpviewer.h"
#include "platform/files.h"
#include "platform/launcher.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::sj;
using qc::test::TempDir;
using qc::test::u8;

TEST(HelpViewer, LinesAreSplitAt200BytesWithoutBreakingACharacter)
{
    const std::string kanji = sj("表"); // two bytes, the second a backslash
    struct Case
    {
        const char* name;
        std::string bytes;
        std::vector<size_t> sizes;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"200 bytes", std::string(200, 'a') + "\r\n", {200}},
        {"201 bytes", std::string(201, 'a') + "\r\n", {200, 1}},
        {"450 bytes, LF", std::string(450, 'a') + "\nb", {200, 200, 50, 1}},
        {"empty lines stay", "a\r\n\r\nb\r\n", {1, 0, 1}},
        {"a kanji across the limit", std::string(199, 'a') + kanji + "b", {199, 3}},
        {"kanji only",
         [&] {
             std::string s;
             for (int i = 0; i < 101; ++i) s += kanji;
             return s;
         }(),
         {200, 2}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> lines = HelpViewer::splitLines(c.bytes, 1000);
        std::vector<size_t> sizes;
        std::string joined;
        for (const auto& l : lines) {
            sizes.push_back(l.size());
            joined += l;
        }
        EXPECT_EQ(sizes, c.sizes) << c.name;
        // Nothing lost but the line ends.
        std::string expected;
        forEachLine(c.bytes, [&](std::string_view l) { expected += l; });
        EXPECT_EQ(joined, expected) << c.name;
    }
}

TEST(HelpViewer, OpeningShowsTheFileOrSaysItIsMissing)
{
    TempDir dir;
    ScriptedPrompter prompter;
    ScriptedLauncher launcher;
    HelpViewer missing(dir.file("Help.txt"), prompter, launcher);
    missing.open();
    EXPECT_TRUE(missing.lines().empty());
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_EQ(u8(prompter.texts()[0]), "ファイルが見つかりません\n(" + dir.file("Help.txt") + ")");

    prompter.clear();
    ASSERT_TRUE(writeFileBytes(dir.file("Help.txt"), sj("操作方法\r\n\r\n1. 開く\r\n")));
    HelpViewer help(dir.file("Help.txt"), prompter, launcher);
    help.open();
    ASSERT_EQ(help.lines().size(), 3u);
    EXPECT_EQ(u8(help.lines()[2]), "1. 開く");
    EXPECT_TRUE(prompter.texts().empty());

    ASSERT_TRUE(writeFileBytes(dir.file("Empty.txt"), ""));
    HelpViewer empty(dir.file("Empty.txt"), prompter, launcher);
    empty.open();
    EXPECT_TRUE(empty.lines().empty());
    EXPECT_TRUE(prompter.texts().empty());
}

TEST(HelpViewer, AFullListKeepsTheLinesSoFar)
{
    bool full = false;
    const auto lines = HelpViewer::splitLines("a\nb\nc\nd\n", 3, &full);
    EXPECT_TRUE(full);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c"}));
    HelpViewer::splitLines("a\nb\nc\n", 3, &full);
    EXPECT_FALSE(full);
}

TEST(HelpViewer, EditorsAreTriedInTurn)
{
    struct Case
    {
        std::deque<bool> answers;
        std::vector<std::string> calls;
        bool message;
    };
    const Case cases[] = {
        {{true}, {"text:/i/Help.txt"}, false},
        {{false, true}, {"text:/i/Help.txt", "plain:/i/Help.txt"}, false},
        {{false, false}, {"text:/i/Help.txt", "plain:/i/Help.txt"}, true},
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        ScriptedLauncher launcher;
        launcher.answers = c.answers;
        HelpViewer help("/i/Help.txt", prompter, launcher);
        help.openInEditor();
        EXPECT_EQ(launcher.calls, c.calls);
        ASSERT_EQ(prompter.texts().size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(u8(prompter.texts()[0]), "実行できませんでした");
        }
    }
}
