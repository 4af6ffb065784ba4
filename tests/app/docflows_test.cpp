// Open, save and save-as flows with their dialogs and messages.

#include "app/docflows.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/filechooser.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/answerchooser.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace qc;
using qc::test::AnswerChooser;
using qc::test::dataPath;
using qc::test::sj;
using qc::test::TempDir;

namespace {

std::string readAll(const std::string& path)
{
    std::string b;
    EXPECT_TRUE(readFileBytes(path, b)) << path;
    return b;
}

void copyFile(const std::string& from, const std::string& to)
{
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

Document docWithGeology()
{
    Document doc;
    doc.GeologyTable(1, GeologyCol::Depth) = "1.00";
    doc.GeologyTable(1, GeologyCol::Name) = sj("砂");
    return doc;
}

} // namespace

TEST(OpenFlow, LoadByPathReadsAndAdoptsThePath)
{
    Document doc;
    doc.modified = 1;
    ScriptedPrompter p;
    int version = 0;
    EXPECT_EQ(LoadByPath(doc, dataPath("current.bhc"), p, &version), FlowResult::Done);
    EXPECT_EQ(version, logversion::Current);
    EXPECT_EQ(doc.path, dataPath("current.bhc"));
    EXPECT_EQ(doc.title, "current.bhc");
    EXPECT_EQ(doc.modified, 0);
    EXPECT_TRUE(p.entries().empty());
}

TEST(OpenFlow, MissingAndForeignFilesLeaveTheDocumentAsItWas)
{
    struct Case
    {
        std::string path;
        std::string message;
    } cases[] = {
        {dataPath("no-such.bhc"), sj("ファイルが見つかりません\n( ") + dataPath("no-such.bhc") + " )"},
        {dataPath("foreign.txt"), sj("本柱状図では開けません. ")},
        // A folder exists: it cannot be read, and the message says why.
        {dataPath(""), sj("読み込めません\n( ") + dataPath("") + sj(" )\nフォルダです")},
    };
    for (const auto& c : cases) {
        Document doc = docWithGeology();
        doc.path = "/old.bhc";
        doc.modified = 1;
        ScriptedPrompter p;
        EXPECT_EQ(LoadByPath(doc, c.path, p), FlowResult::Failed);
        ASSERT_EQ(p.entries().size(), 1u);
        EXPECT_EQ(p.entries()[0].text, c.message);
        EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Name), sj("砂"));
        EXPECT_EQ(doc.path, "/old.bhc");
        EXPECT_EQ(doc.modified, 1);
    }
}

TEST(OpenFlow, ImportQuestionOnTheStandardPath)
{
    for (Answer a : {Answer::Yes, Answer::No, Answer::Cancel}) {
        Document doc = docWithGeology();
        ScriptedPrompter p;
        p.queueAnswer(a);
        FlowResult r = LoadByPath(doc, dataPath("sibling.tvl"), p);
        ASSERT_EQ(p.entries().size(), 1u);
        EXPECT_TRUE(p.entries()[0].question);
        EXPECT_EQ(p.entries()[0].buttons, Buttons::YesNoCancel);
        EXPECT_EQ(p.entries()[0].text, sj("現在の化学試験データは削除されます. よいですか?　"));
        if (a == Answer::Yes) {
            EXPECT_EQ(r, FlowResult::Done);
            EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Name), sj("シルト"));
        } else {
            EXPECT_EQ(r, FlowResult::Cancelled);
            EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Name), sj("砂"));
        }
    }
}

TEST(OpenFlow, DialogRemembersTheFolder)
{
    TempDir install;
    TempDir logs;
    copyFile(dataPath("current.bhc"), logs.file("a.bhc"));
    ASSERT_TRUE(writeFileBytes(install.file("FilekV.ndx"), "/some/where\r\nx.bhc\r\n"));

    Document doc;
    ScriptedPrompter p;
    AnswerChooser chooser;
    chooser.answer = logs.file("a.bhc");
    EXPECT_EQ(OpenDocumentDialog(doc, p, chooser, install.path()), FlowResult::Done);
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].initialFolder, "/some/where");
    EXPECT_EQ(chooser.requests[0].defaultExtension, "bhc");
    EXPECT_EQ(chooser.requests[0].filter, openFilter());
    EXPECT_EQ(readAll(install.file("FilekV.ndx")), logs.path() + "\r\na.bhc\r\n");
    EXPECT_EQ(doc.path, logs.file("a.bhc"));
    EXPECT_TRUE(p.entries().empty());
}

TEST(OpenFlow, DialogAsksBeforeAnImportOnlyWhenSamplesExist)
{
    TempDir install;
    TempDir logs;
    copyFile(dataPath("sibling.tvl"), logs.file("b.tvl"));
    AnswerChooser chooser;
    chooser.answer = logs.file("b.tvl");

    Document plain;
    ScriptedPrompter quiet;
    EXPECT_EQ(OpenDocumentDialog(plain, quiet, chooser, install.path()), FlowResult::Done);
    EXPECT_TRUE(quiet.entries().empty());

    Document withSamples;
    withSamples.SampleTable(1, SampleCol::Top) = "1.00";
    withSamples.SampleTable(1, SampleCol::Bottom) = "1.50";
    ScriptedPrompter asks;
    asks.queueAnswer(Answer::No);
    EXPECT_EQ(OpenDocumentDialog(withSamples, asks, chooser, install.path()), FlowResult::Cancelled);
    EXPECT_EQ(asks.entries().size(), 1u);
    EXPECT_EQ(withSamples.SampleTable(1, SampleCol::Top), "1.00");
}

TEST(OpenFlow, DialogFindsATokenOnTheSeventhLine)
{
    TempDir install;
    TempDir logs;
    ASSERT_TRUE(
        writeFileBytes(logs.file("late.bhc"), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n$$_QVOR780\r\n$$Z\r\nT\r\n"));
    AnswerChooser chooser;
    chooser.answer = logs.file("late.bhc");
    Document doc;
    ScriptedPrompter p;
    EXPECT_EQ(OpenDocumentDialog(doc, p, chooser, install.path()), FlowResult::Done);
    EXPECT_EQ(doc.HeaderTable(HeaderEntry::SurveyName), "T");
    Document viaPath;
    EXPECT_EQ(LoadByPath(viaPath, logs.file("late.bhc"), p), FlowResult::Failed); // 6 lines only
}

TEST(OpenFlow, DialogCancelChangesNothing)
{
    TempDir install;
    Document doc = docWithGeology();
    ScriptedPrompter p;
    AnswerChooser chooser;
    EXPECT_EQ(OpenDocumentDialog(doc, p, chooser, install.path()), FlowResult::Cancelled);
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Name), sj("砂"));
    EXPECT_FALSE(fileExists(install.file("FilekV.ndx")));
}

TEST(SaveFlow, SaveWritesToThePathAndClearsTheFlag)
{
    TempDir dir;
    Document doc = docWithGeology();
    doc.path = dir.file("log.bhc");
    doc.title = "log.bhc";
    doc.modified = 1;
    ScriptedPrompter p;
    AnswerChooser chooser;
    EXPECT_EQ(SaveDocument(doc, p, chooser), FlowResult::Done);
    EXPECT_TRUE(chooser.requests.empty());
    EXPECT_EQ(doc.modified, 0);
    EXPECT_EQ(readAll(dir.file("log.bhc")), WriteLog(doc));
}

TEST(SaveFlow, ExtensionRulesChooseBetweenSaveAndSaveAs)
{
    struct Case
    {
        std::string title;
        bool asksName;
        bool warns;
    } cases[] = {
        {"log.BHC", false, false},  // capitals are fine
        {"log.v2.bhc", true, true}, // extension taken after the first dot
        {"log.txt", true, true},
        {"log.b", true, false}, // too short: straight to Save As
        {"log", true, false},
        {"あ.bhc", false, false},       // a UTF-8 name whose last bytes look like a CP932 lead byte
        {"柱状図あ.BHC", false, false}, // before the dot
    };
    for (const auto& c : cases) {
        TempDir dir;
        Document doc = docWithGeology();
        doc.path = dir.file(c.title);
        doc.title = c.title;
        ScriptedPrompter p;
        AnswerChooser chooser; // Save As is cancelled
        FlowResult r = SaveDocument(doc, p, chooser);
        SCOPED_TRACE(c.title);
        EXPECT_EQ(!chooser.requests.empty(), c.asksName);
        EXPECT_EQ(r, c.asksName ? FlowResult::Cancelled : FlowResult::Done);
        if (c.warns) {
            ASSERT_EQ(p.entries().size(), 1u);
            EXPECT_EQ(p.entries()[0].text, sj("標準の拡張子ではありません"));
        } else {
            EXPECT_TRUE(p.entries().empty());
        }
    }
}

TEST(SaveFlow, SaveAsCompletesTheExtension)
{
    struct Case
    {
        std::string chosen;
        std::string written;
    } cases[] = {{"new", "new.bhc"}, {"new.", "new.bhc"}, {"new.txt", "new.txt"}, {"a.b/new", "a.b/new.bhc"}};
    for (const auto& c : cases) {
        TempDir dir;
        std::filesystem::create_directory(dir.file("a.b"));
        Document doc = docWithGeology();
        doc.path = "/old/path.bhc";
        doc.modified = 1;
        ScriptedPrompter p;
        AnswerChooser chooser;
        chooser.answer = dir.file(c.chosen);
        EXPECT_EQ(SaveDocumentAs(doc, p, chooser), FlowResult::Done) << c.chosen;
        EXPECT_EQ(chooser.requests.at(0).initialFile, "/old/path.bhc");
        EXPECT_EQ(chooser.requests.at(0).filter, saveFilter());
        EXPECT_EQ(doc.path, dir.file(c.written));
        EXPECT_TRUE(fileExists(dir.file(c.written)));
        EXPECT_EQ(doc.modified, 0);
    }
}

TEST(SaveFlow, NoPathGoesToSaveAs)
{
    Document doc;
    ScriptedPrompter p;
    AnswerChooser chooser;
    EXPECT_EQ(SaveDocument(doc, p, chooser), FlowResult::Cancelled);
    EXPECT_EQ(chooser.requests.size(), 1u);
}

TEST(SaveFlow, FailingSaveKeepsTheOldFileAndTheFlag)
{
    TempDir dir;
    const std::string path = dir.file("log.bhc");
    ASSERT_TRUE(writeFileBytes(path, "OLD CONTENT"));
    Document doc = docWithGeology();
    doc.path = path;
    doc.title = "log.bhc";
    doc.modified = 1;
    ScriptedPrompter p;
    AnswerChooser chooser;

    // Writes beyond 64 bytes fail, as on a full disk; this works even as root.
    struct rlimit old
    {
    };
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    FlowResult r = SaveDocument(doc, p, chooser);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(r, FlowResult::Failed);
    ASSERT_EQ(p.entries().size(), 1u);
    // The message, and the reason on a line of its own.
    EXPECT_EQ(p.entries()[0].text, sj("保存できませんでした\nディスクの空きが足りません"));
    EXPECT_EQ(readAll(path), "OLD CONTENT");
    EXPECT_EQ(doc.modified, 1);
    // No temporary file is left behind.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++files;
    EXPECT_EQ(files, 1);
}

TEST(SaveFlow, WriteProtectedFileIsRefusedAndLinksAreWrittenThrough)
{
    TempDir dir;
    const std::string target = dir.file("real.bhc");
    ASSERT_TRUE(writeFileBytes(target, "OLD CONTENT"));
    const std::string link = dir.file("link.bhc");
    std::filesystem::create_symlink("real.bhc", link);
    Document doc = docWithGeology();
    doc.path = link; // opened through the link
    doc.title = "link.bhc";
    doc.modified = 1;
    ScriptedPrompter p;
    AnswerChooser chooser;

    ::chmod(target.c_str(), 0444);
    EXPECT_EQ(SaveDocument(doc, p, chooser), FlowResult::Failed);
    ASSERT_EQ(p.entries().size(), 1u);
    EXPECT_EQ(p.entries()[0].text, sj("保存できませんでした\n書き込みまたは読み込みが許可されていません"));
    EXPECT_EQ(readAll(target), "OLD CONTENT");
    EXPECT_EQ(doc.modified, 1);

    ::chmod(target.c_str(), 0640);
    EXPECT_EQ(SaveDocument(doc, p, chooser), FlowResult::Done);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readAll(target).rfind("$$_QVOR780\r\n", 0), 0u);
    EXPECT_EQ(std::filesystem::status(target).permissions(), static_cast<std::filesystem::perms>(0640));
    EXPECT_EQ(doc.modified, 0);
}

TEST(OpenFlow, UnreadableFilesSaySoAndNeverBlock)
{
    TempDir dir;
    const std::string fifo = dir.file("fifo.bhc");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    struct Case
    {
        std::string path;
        std::string message;
    } cases[] = {
        {fifo, "読み込めません\n( " + fifo + " )\n通常のファイルではありません"},
        {dir.file("missing.bhc"), "ファイルが見つかりません\n( " + dir.file("missing.bhc") + " )"},
    };
    for (const Case& c : cases) {
        Document doc;
        ScriptedPrompter p;
        EXPECT_EQ(LoadByPath(doc, c.path, p, nullptr), FlowResult::Failed) << c.path;
        ASSERT_EQ(p.entries().size(), 1u);
        EXPECT_EQ(p.entries()[0].text, sj(c.message));
    }
}

TEST(SaveFlow, UnwritableFolderReportsTheFailure)
{
    Document doc = docWithGeology();
    doc.path = "/nonexistent-folder/log.bhc";
    doc.title = "log.bhc";
    doc.modified = 1;
    ScriptedPrompter p;
    AnswerChooser chooser;
    EXPECT_EQ(SaveDocument(doc, p, chooser), FlowResult::Failed);
    EXPECT_EQ(doc.modified, 1);
    EXPECT_EQ(doc.path, "/nonexistent-folder/log.bhc");
}
