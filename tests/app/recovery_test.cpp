// Recovery copies: when they are written, that they load as logs, which copies
// are offered at start, and what restore, discard and a damaged copy do.

#include "app/docflows.h"
#include "app/recovery.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "document/textformat.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/samplelog.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace qc;
using qc::test::sampleLog;
using qc::test::savedBytes;
using namespace std::chrono_literals;
using qc::test::sj;
using qc::test::TempDir;
using qc::test::u8;

namespace {

uint64_t fnv1a(std::string_view bytes)
{
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    return h;
}

std::string readAll(const std::string& path)
{
    std::string b;
    EXPECT_TRUE(readFileBytes(path, b)) << path;
    return b;
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// A keeper on a clock the test moves.
struct Keeper
{
    TempDir dir;
    Document doc = sampleLog();
    ScriptedPrompter prompter;
    std::chrono::milliseconds now{100000};
    std::optional<RecoveryKeeper> keeper;

    Keeper()
    {
        doc.path = dir.file("user.bhc");
        doc.title = "user.bhc";
        keeper.emplace(dir.file("recovery"), doc, prompter);
        keeper->setClock([this] { return now; });
        keeper->setWallClock([] { return std::time_t{1765400000}; });
    }
    std::string folder() const { return dir.file("recovery"); }
    bool copyExists() const { return !keeper->copyPath().empty() && fileExists(keeper->copyPath()); }
    // The log in the copy, after its first line.
    std::string copiedLog() const
    {
        const std::string b = readAll(keeper->copyPath());
        return b.substr(b.find("\r\n") + 2);
    }
    void edit(const std::string& survey)
    {
        doc.HeaderTable(HeaderEntry::SurveyName) = sj(survey);
        doc.modified = 1;
        keeper->changed();
    }
};

} // namespace

TEST(RecoveryKeeper, CopiesAfterAChangeAtMostEveryFiveSecondsAndEveryMinute)
{
    Keeper k;
    k.keeper->changed(); // unmodified: nothing to keep
    EXPECT_FALSE(k.copyExists());

    k.edit("一");
    ASSERT_TRUE(k.copyExists());
    EXPECT_EQ(k.copiedLog(), savedBytes(k.doc));
    EXPECT_FALSE(k.keeper->msUntilDue());

    k.now += 2s;
    k.edit("二"); // within 5 s of the last copy: pending
    EXPECT_NE(k.copiedLog(), savedBytes(k.doc));
    ASSERT_TRUE(k.keeper->msUntilDue());
    EXPECT_EQ(*k.keeper->msUntilDue(), 3000);
    k.now += 1s;
    k.keeper->tick();
    EXPECT_NE(k.copiedLog(), savedBytes(k.doc));
    k.now += 2s;
    k.keeper->tick();
    EXPECT_EQ(k.copiedLog(), savedBytes(k.doc));
    EXPECT_FALSE(k.keeper->msUntilDue());

    // A change made behind the keeper's back is caught by the minute's copy.
    k.doc.HeaderTable(HeaderEntry::SurveyName) = sj("三");
    k.now += 30s;
    k.keeper->tick();
    EXPECT_NE(k.copiedLog(), savedBytes(k.doc));
    k.now += 30s;
    k.keeper->tick();
    EXPECT_EQ(k.copiedLog(), savedBytes(k.doc));

    // Saved (or undone back to the saved state): the copy goes.
    k.doc.modified = 0;
    k.keeper->tick();
    EXPECT_FALSE(k.copyExists());
    EXPECT_TRUE(k.prompter.entries().empty());
}

TEST(RecoveryKeeper, NeverTouchesTheUsersFileNorTheOpenDocument)
{
    Keeper k;
    ASSERT_TRUE(writeFileBytes(k.doc.path, "the user's bytes"));
    k.doc.NoteTable(1, NoteCol::Text) = "ab"; // saving would append CR LF to this cell
    const Document before = k.doc;
    k.edit("一");
    ASSERT_TRUE(k.copyExists());
    EXPECT_EQ(readAll(k.doc.path), "the user's bytes");
    EXPECT_EQ(k.doc.NoteTable(1, NoteCol::Text), "ab");
    EXPECT_TRUE(k.doc.GeologyTable == before.GeologyTable);
    EXPECT_NE(k.keeper->copyPath().find("/recovery/"), std::string::npos);
}

// The copy is a log the program opens as it is: the standard open path reads the same tables.
TEST(RecoveryKeeper, TheCopyIsALoadableLog)
{
    Keeper k;
    k.edit("復元テスト");
    Document reread;
    ScriptedPrompter p;
    ASSERT_EQ(LoadByPath(reread, k.keeper->copyPath(), p), FlowResult::Done);
    EXPECT_EQ(savedBytes(reread), savedBytes(k.doc));
    EXPECT_TRUE(p.entries().empty());
}

TEST(RecoveryKeeper, AWriteFailureIsReportedOnce)
{
    Keeper k;
    // The recovery folder cannot be made: a file stands where it should be.
    ASSERT_TRUE(writeFileBytes(k.folder(), "x"));
    k.edit("一");
    k.now += 10s;
    k.edit("二");
    k.now += 70s;
    k.keeper->tick();
    ASSERT_EQ(k.prompter.entries().size(), 1u);
    EXPECT_EQ(u8(k.prompter.entries()[0].text).rfind("復元用のデータを書き込めません", 0), 0u);
}

// Two windows never share a copy, and a running window's copy is never offered.
TEST(RecoveryCopies, OnlyCopiesOfWindowsThatAreGoneAreOffered)
{
    Keeper a, b;
    b.keeper.reset();
    b.keeper.emplace(a.folder(), b.doc, b.prompter);
    b.keeper->setWallClock([] { return std::time_t{1765400000}; });
    a.edit("一");
    b.edit("二");
    ASSERT_TRUE(a.copyExists());
    ASSERT_TRUE(b.copyExists());
    EXPECT_NE(a.keeper->copyPath(), b.keeper->copyPath());
    EXPECT_TRUE(findOrphanCopies(a.folder()).empty());

    const std::string bPath = b.keeper->copyPath();
    b.keeper.reset(); // the window went without removing its copy, as a killed one does
    std::vector<OrphanCopy> orphans = findOrphanCopies(a.folder());
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(orphans[0].path(), bPath);
    EXPECT_TRUE(orphans[0].valid());
    EXPECT_EQ(orphans[0].originalPath(), b.doc.path);
    EXPECT_EQ(orphans[0].time(), std::time_t{1765400000});
    // While this start holds it, another start does not offer it too.
    EXPECT_TRUE(findOrphanCopies(a.folder()).empty());
    orphans.clear();
    EXPECT_EQ(findOrphanCopies(a.folder()).size(), 1u);
}

TEST(RecoveryCopies, RestoreDiscardOrKeepForLater)
{
    enum class Expect { Restored, Removed, Kept };
    const struct
    {
        const char* name;
        Answer answer;
        Expect expect;
    } cases[] = {
        {"はい restores", Answer::Yes, Expect::Restored},
        {"いいえ discards", Answer::No, Expect::Removed},
        {"キャンセル keeps it for the next start", Answer::Cancel, Expect::Kept},
    };
    for (const auto& c : cases) {
        Keeper k;
        k.doc.path = "/home/user/調査/100% $$_QVOR 現場.bhc"; // bytes the header line must carry safely
        k.edit("復元される見出し");
        const std::string expected = savedBytes(k.doc);
        const std::string copy = k.keeper->copyPath();
        k.keeper.reset();

        Document doc; // the document the new start opened
        doc.HeaderTable(1) = "open before";
        doc.SpareIntervalTable(7, 1) = "7.00"; // no clear empties it: a restore must not keep it
        ScriptedPrompter prompter;
        prompter.queueAnswer(c.answer);
        RecoveryOffer offer = offerRecovery(k.folder(), doc, prompter);

        ASSERT_EQ(prompter.entries().size(), 1u) << c.name;
        const ScriptedPrompter::Entry& q = prompter.entries()[0];
        EXPECT_TRUE(q.question);
        EXPECT_EQ(q.buttons, Buttons::YesNoCancel);
        const std::string text = u8(q.text);
        EXPECT_EQ(text.rfind("前回異常終了時の未保存データがあります…\n", 0), 0u) << text;
        EXPECT_NE(text.find("ファイル: 100% $$_QVOR 現場.bhc"), std::string::npos) << text;
        EXPECT_NE(text.find("場所: /home/user/調査"), std::string::npos) << text;
        EXPECT_NE(text.find("時刻: 2025/12/"), std::string::npos) << text; // local time of the copy

        switch (c.expect) {
        case Expect::Restored:
            EXPECT_EQ(offer.choice, RecoveryChoice::Restored);
            EXPECT_EQ(savedBytes(doc), expected) << c.name;
            EXPECT_EQ(doc.path, k.doc.path);
            EXPECT_EQ(doc.title, "100% $$_QVOR 現場.bhc");
            EXPECT_EQ(doc.modified, 1);
            ASSERT_TRUE(offer.restored);
            EXPECT_TRUE(fileExists(copy)); // until the new window's copy exists
            offer.restored->discard();
            EXPECT_FALSE(fileExists(copy));
            break;
        case Expect::Removed:
            EXPECT_EQ(offer.choice, RecoveryChoice::None);
            EXPECT_EQ(doc.HeaderTable(1), "open before");
            EXPECT_TRUE(filesIn(k.folder()).empty());
            break;
        case Expect::Kept:
            EXPECT_EQ(doc.HeaderTable(1), "open before");
            EXPECT_TRUE(fileExists(copy));
            EXPECT_EQ(findOrphanCopies(k.folder()).size(), 1u);
            break;
        }
    }
}

TEST(RecoveryCopies, AnUntitledDocumentIsRestoredUntitled)
{
    Keeper k;
    k.doc.path.clear();
    k.doc.title.clear();
    k.edit("無題の柱状図");
    k.keeper.reset();
    Document doc;
    ScriptedPrompter prompter;
    prompter.queueAnswer(Answer::Yes);
    ASSERT_EQ(offerRecovery(k.folder(), doc, prompter).choice, RecoveryChoice::Restored);
    EXPECT_NE(u8(prompter.entries()[0].text).find("ファイル: 無題\n"), std::string::npos);
    EXPECT_EQ(doc.path, "");
    EXPECT_EQ(doc.modified, 1);
    EXPECT_EQ(u8(doc.HeaderTable(HeaderEntry::SurveyName)), "無題の柱状図");
}

// A copy cut short, changed on disk or without its first line is reported and set aside
// under another name; the document stays as it was and the next start does not ask again.
TEST(RecoveryCopies, ADamagedCopyIsReportedAndSetAsideNeverLoaded)
{
    const struct
    {
        const char* name;
        std::function<std::string(const std::string&)> damage;
    } cases[] = {
        {"cut short", [](const std::string& b) { return b.substr(0, b.size() / 2); }},
        {"cut at a line end", [](const std::string& b) { return b.substr(0, b.rfind("$$x")); }},
        {"a byte changed",
         [](const std::string& b) {
             std::string d = b;
             d[d.size() - 100] ^= 0x01;
             return d;
         }},
        {"no header line", [](const std::string& b) { return b.substr(b.find("\r\n") + 2); }},
        {"empty", [](const std::string&) { return std::string(); }},
        {"whole, but no log",
         [](const std::string&) {
             return strprintf("QCRECOVERY 1 1765400000 5 %016llx -\r\nhello",
                              static_cast<unsigned long long>(fnv1a("hello")));
         }},
    };
    for (const auto& c : cases) {
        Keeper k;
        k.edit("壊れる");
        const std::string copy = k.keeper->copyPath();
        ASSERT_TRUE(writeFileBytes(copy, c.damage(readAll(copy))));
        k.keeper.reset();

        Document doc;
        doc.HeaderTable(1) = "open before";
        ScriptedPrompter prompter;
        prompter.setFallbackAnswer(Answer::Yes);
        const RecoveryOffer offer = offerRecovery(k.folder(), doc, prompter);
        EXPECT_EQ(offer.choice, RecoveryChoice::None) << c.name;
        EXPECT_EQ(doc.HeaderTable(1), "open before") << c.name;
        ASSERT_EQ(prompter.entries().size(), 1u) << c.name;
        EXPECT_FALSE(prompter.entries()[0].question) << c.name;
        const std::string text = u8(prompter.entries()[0].text);
        EXPECT_EQ(text.rfind("前回異常終了時の未保存データが壊れているため、復元できません", 0), 0u) << text;
        EXPECT_FALSE(fileExists(copy)) << c.name;
        EXPECT_TRUE(fileExists(copy + ".damaged")) << c.name;
        EXPECT_NE(text.find(copy + ".damaged"), std::string::npos) << text;
        EXPECT_TRUE(findOrphanCopies(k.folder()).empty()) << c.name;
    }
}

TEST(RecoveryCopies, NewestIsOfferedFirstAndOnlyOneIsRestored)
{
    TempDir dir;
    const std::string folder = dir.file("recovery");
    ScriptedPrompter unused;
    for (int i = 0; i < 3; ++i) {
        Document d;
        d.HeaderTable(1) = "copy " + std::to_string(i);
        d.modified = 1;
        RecoveryKeeper keeper(folder, d, unused);
        keeper.setWallClock([i] { return std::time_t{1765400000 + i * 60}; });
        keeper.changed();
    }
    Document doc;
    ScriptedPrompter prompter;
    prompter.queueAnswer(Answer::No);  // the newest is discarded
    prompter.queueAnswer(Answer::Yes); // the next one restored
    const RecoveryOffer offer = offerRecovery(folder, doc, prompter);
    EXPECT_EQ(offer.choice, RecoveryChoice::Restored);
    EXPECT_EQ(doc.HeaderTable(1), "copy 1");
    EXPECT_EQ(prompter.entries().size(), 2u);       // the oldest waits for the next start
    EXPECT_EQ(findOrphanCopies(folder).size(), 1u); // the oldest; the restored one is still held
}
