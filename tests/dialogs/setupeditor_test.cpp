// The setup dialog model: the default folder, the folder's leading separator
// and its empty-field message, on Windows-style and POSIX install folders.

#include "dialogs/keyoptionseditor.h"
#include "dialogs/setupeditor.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using qc::test::u8;

TEST(SetupEditor, FolderLeftGetsItsSeparatorOrSaysItIsEmpty)
{
    struct Case
    {
        bool windows;
        const char* folder;
        const char* after;
        bool empty;
    };
    const Case cases[] = {
        {true, "Vorenka\\Qvor8", "\\Vorenka\\Qvor8", false},
        {true, "\\Qc", "\\Qc", false},
        {true, "Q", "Q", true},
        {true, "", "", true},
        {false, "opt/qc", "/opt/qc", false},
        {false, "/opt/qc", "/opt/qc", false},
        {false, "~/qc", "~/qc", false},
        {false, "x", "x", true},
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        SetupEditor ed({"C", c.folder}, c.windows, "C", "\\Vorenka\\Qvor8", prompter);
        ed.folderLeft();
        EXPECT_EQ(ed.data().folder, c.after) << c.folder;
        ASSERT_EQ(prompter.texts().size(), c.empty ? 1u : 0u) << c.folder;
        if (c.empty) {
            EXPECT_EQ(u8(prompter.texts()[0]), "データがありません");
        }
    }
}

TEST(SetupEditor, DefaultsAreThoseOfTheInstallFolderRule)
{
    ScriptedPrompter prompter;
    SetupEditor ed({"D", "\\Other"}, true, "C:", "\\Vorenka\\Qvor8", prompter);
    EXPECT_TRUE(ed.driveShown());
    ed.defaults();
    EXPECT_EQ(ed.data().drive, "C");
    EXPECT_EQ(ed.data().folder, "\\Vorenka\\Qvor8");
    SetupEditor posix({"", "/srv/qc"}, false, "", "/home/u/.local/share/Vorenka/Qvor8", prompter);
    EXPECT_FALSE(posix.driveShown());
}

TEST(KeyOptionsEditor, KeepsTheThreeModesAndTheScrollOption)
{
    KeyOptionsEditor ed({2, true});
    EXPECT_EQ(ed.data().enterKeyMode, 2);
    ed.setEnterKeyMode(3);
    EXPECT_EQ(ed.data().enterKeyMode, 2);
    ed.setEnterKeyMode(1);
    ed.setScrollToLastRow(false);
    EXPECT_EQ(ed.data().enterKeyMode, 1);
    EXPECT_FALSE(ed.data().scrollToLastRow);
    EXPECT_EQ(KeyOptionsEditor({7, false}).data().enterKeyMode, 0);
}
