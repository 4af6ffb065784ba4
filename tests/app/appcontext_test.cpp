// The install folder rule, first-use seeding, LoadMasters and the setup command.

#include "app/appcontext.h"
#include "app/masterfiles.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using namespace qc;
using qc::test::sj;
using qc::test::TempDir;
using qc::test::u8;

namespace fs = std::filesystem;

namespace {

const std::string kBundled = std::string(QC_SOURCE_DIR) + "/data/install";

// An environment that looks only below dir.
InstallEnvironment posixEnv(const TempDir& dir)
{
    InstallEnvironment env;
    env.pointerFile = dir.file("config/Vorenka/Pmrq8.whr");
    env.defaultFolder = dir.file("data/Vorenka/Qvor8");
    env.bundledDir = kBundled;
    return env;
}

InstallEnvironment windowsEnv(const TempDir& dir)
{
    InstallEnvironment env;
    env.windowsDrives = true;
    env.pointerFile = dir.file("system-drive.whr");
    env.fallbackPointerFile = dir.file("current-drive.whr");
    env.defaultDrive = "C";
    env.defaultFolder = "\\Vorenka\\Qvor8";
    return env;
}

void put(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    ASSERT_TRUE(writeFileBytes(path, bytes)) << path;
}

std::vector<std::string> utf8Texts(const ScriptedPrompter& p)
{
    std::vector<std::string> out;
    for (const auto& t : p.texts()) out.push_back(u8(t));
    return out;
}

} // namespace

TEST(InstallFolder, WindowsPointerRule)
{
    struct Case
    {
        const char* name;
        const char* systemPointer; // nullptr: no file
        const char* currentPointer;
        const char* path;
    } cases[] = {
        {"one-letter folder", "D:\\x\r\n", nullptr, "D:\\x"},
        {"full folder", "E:\\Qc\\Data\r\nsecond line\r\n", "F:\\other", "E:\\Qc\\Data"},
        {"two bytes are ignored", "D:\r\n", nullptr, "C:\\Vorenka\\Qvor8"},
        {"then the current drive", "D:", "F:\\cur", "F:\\cur"},
        {"empty pointer", "", "", "C:\\Vorenka\\Qvor8"},
        {"no pointer", nullptr, nullptr, "C:\\Vorenka\\Qvor8"},
        {"folder of one byte", "D:x", nullptr, "C:\\Vorenka\\Qvor8"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        InstallEnvironment env = windowsEnv(dir);
        if (c.systemPointer) put(env.pointerFile, c.systemPointer);
        if (c.currentPointer) put(env.fallbackPointerFile, c.currentPointer);
        InstallFolder f = locateInstallFolder(env);
        EXPECT_EQ(f.path, c.path) << c.name;
        EXPECT_EQ(f.drive + ":" + f.folder, f.path) << c.name;
        EXPECT_EQ(f.file("Sys.ndx"), std::string(c.path) + "\\Sys.ndx") << c.name;
    }

    // A folder given with its separator gets no second one; a folder whose last
    // character is a two-byte one ending in the byte "\" (表, ソ, 能) still gets one.
    struct Join
    {
        const char *folder, *expected;
    } joins[] = {
        {"D:\\x\\", "D:\\x\\Sys.ndx"},
        {"D:\\調査表", "D:\\調査表\\Sys.ndx"},
        {"D:\\データソ", "D:\\データソ\\Sys.ndx"},
        {"D:\\機能", "D:\\機能\\Sys.ndx"},
    };
    for (const Join& j : joins) {
        InstallFolder f;
        f.windowsDrives = true;
        f.path = sj(j.folder);
        EXPECT_EQ(f.file("Sys.ndx"), sj(j.expected)) << j.expected;
    }
}

TEST(InstallFolder, PosixPointerRuleAndOverride)
{
    TempDir dir;
    InstallEnvironment env = posixEnv(dir);
    InstallFolder f = locateInstallFolder(env);
    EXPECT_EQ(f.path, env.defaultFolder);
    EXPECT_TRUE(f.isDefault);
    EXPECT_EQ(f.file("Sys.ndx"), env.defaultFolder + "/Sys.ndx");

    put(env.pointerFile, "/\r\n"); // one byte: not usable
    EXPECT_TRUE(locateInstallFolder(env).isDefault);

    put(env.pointerFile, "/srv/qc data\r\n");
    f = locateInstallFolder(env);
    EXPECT_EQ(f.path, "/srv/qc data");
    EXPECT_FALSE(f.isDefault);

    env.overrideDir = dir.file("override");
    EXPECT_EQ(locateInstallFolder(env).path, dir.file("override"));
}

TEST(InstallFolder, DefaultFolderIsSeededOnceFromTheBundledOne)
{
    TempDir dir;
    AppContext app(posixEnv(dir));
    Document doc;
    ScriptedPrompter p;
    LoadMastersResult r = LoadMasters(app, doc, p);
    EXPECT_TRUE(r.firstCall);
    EXPECT_TRUE(r.seeded);
    EXPECT_TRUE(p.texts().empty()) << ::testing::PrintToString(utf8Texts(p));
    EXPECT_TRUE(fileExists(app.env.defaultFolder + "/WdtvJCA.mst"));
    EXPECT_FALSE(app.master.empty(GeologyMaster::Vector));
    EXPECT_FALSE(app.patternColours.pairs().empty());

    // A later process finds it and leaves the user's changes alone.
    ASSERT_TRUE(writeFileBytes(app.env.defaultFolder + "/Col.mst", "mine,\r\n"));
    AppContext second(posixEnv(dir));
    Document doc2;
    EXPECT_FALSE(LoadMasters(second, doc2, p).seeded);
    std::string col;
    ASSERT_TRUE(readFileBytes(app.env.defaultFolder + "/Col.mst", col));
    EXPECT_EQ(col, "mine,\r\n");

    // A folder named by the pointer file is never seeded.
    TempDir other;
    InstallEnvironment env = posixEnv(other);
    put(env.pointerFile, other.file("chosen") + "\r\n");
    AppContext third(env);
    ScriptedPrompter p3;
    EXPECT_FALSE(LoadMasters(third, doc2, p3).seeded);
    EXPECT_FALSE(fs::exists(other.file("chosen")));
}

TEST(InstallFolder, FoldersOfAKilledFirstStartGoOnTheNextStart)
{
    TempDir dir;
    AppContext app(posixEnv(dir));
    const fs::path parent = fs::path(app.env.defaultFolder).parent_path();
    const std::string name = fs::path(app.env.defaultFolder).filename().string();
    fs::create_directories(parent / (name + ".seeding-123") / "Jbptn");
    fs::create_directories(parent / (name + ".seeding-456"));
    fs::create_directories(parent / (name + ".seeding-keep")); // not a name this program gives
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* n : {".seeding-123", ".seeding-keep"}) fs::last_write_time(parent / (name + n), past);

    Document doc;
    ScriptedPrompter p;
    EXPECT_TRUE(LoadMasters(app, doc, p).seeded);
    EXPECT_FALSE(fs::exists(parent / (name + ".seeding-123")));
    EXPECT_TRUE(fs::exists(parent / (name + ".seeding-456"))); // young: another start may be copying
    EXPECT_TRUE(fs::exists(parent / (name + ".seeding-keep")));
}

TEST(LoadMasters, EmptyInstallFolderUsesBuiltInsAndShowsTheMessagesInOrder)
{
    TempDir dir;
    InstallEnvironment env = posixEnv(dir);
    env.overrideDir = dir.path();
    AppContext app(env);
    Document doc;
    ScriptedPrompter p;
    LoadMasters(app, doc, p);
    const std::string d = dir.path();
    EXPECT_EQ(utf8Texts(p), (std::vector<std::string>{
                                "ファイルが見つかりません\n( " + d + "/Sys.ndx )",
                                "ファイルが見つかりません\n( " + d + "/PtnvcJG.ndx )",
                                "ファイルが見つかりません\n( " + d + "/WdtvJCA.mst )",
                                "ファイルが見つかりません\n( " + d + "/WdtvJCA.mst )",
                                "ファイルが見つかりません\n(" + d + "/Font1.ndx)",
                                "not found " + d + "/Dflt.bhc",
                            }));
    EXPECT_TRUE(app.settings.sameLines([&] {
        Settings s = builtinSettings();
        applySettingsLoadRules(s);
        s.setText(37, d + "/WdtvJCA.mst");
        s.setText(38, d + "/Man.mst");
        s.setText(39, d + "/Hat.mst");
        s.setText(40, d + "/Sks.mst");
        s.setText(44, d + "/Kij.mst");
        s.setText(46, d + "/Jbptn");
        return s;
    }()));
    EXPECT_EQ(app.fonts, builtinFonts());
    // The start-up and view-update defaults ran all the same.
    EXPECT_EQ(u8(doc.HeaderTable(HeaderEntry::LogTitle)), "ボーリング柱状図");
    EXPECT_EQ(doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::Width), "23.0");
    EXPECT_EQ(u8(doc.DisplayItemTable(DisplayRow::Basic, DisplayCol::Title)), "現場土質名");

    // The next view update reads nothing again but still looks for the default document.
    p.clear();
    EXPECT_FALSE(LoadMasters(app, doc, p).firstCall);
    EXPECT_EQ(utf8Texts(p), (std::vector<std::string>{"not found " + d + "/Dflt.bhc"}));
}

TEST(LoadMasters, ReadsTheFilesOfTheFolderAndSeedsOnlyEmptyTestNames)
{
    TempDir dir;
    put(dir.file("Sys.ndx"), std::string("780\r\n0\r\n0\r\n") + "15\r\n");
    put(dir.file("Font1.ndx"), "500\r\nFace\r\n0x10\r\n1\r\n");
    put(dir.file("Font4.ndx"), "1\r\n");
    put(dir.file("PtnvcJG.ndx"), "600,0x123456,\r\n");
    put(dir.file("WdtvJCA.mst"), sj("[第1],,5,\r\n砂,S,2300.1,35\r\n[終了]\r\n"));
    put(dir.file("Dflt.bhc"),
        sj("$$_QVOR780\r\n$$o\r\n1,2.0,,題\r\n$$q\r\n鉛,mg/L,,0.01,,●,1,2,,1:2,3:4,\r\n"));
    InstallEnvironment env = posixEnv(dir);
    env.overrideDir = dir.path();
    AppContext app(env);
    Document doc;
    ScriptedPrompter p;
    LoadMasters(app, doc, p);
    EXPECT_TRUE(p.texts().empty()) << ::testing::PrintToString(utf8Texts(p));
    EXPECT_EQ(app.settings.graphTickMm(), 15);
    EXPECT_EQ(app.settings.intAt(2), 1);
    EXPECT_EQ(app.masterHeaderNumber, 5);
    EXPECT_DOUBLE_EQ(app.fonts[1].points, 10);
    EXPECT_EQ(app.fonts[1].colour, 16u);
    EXPECT_DOUBLE_EQ(app.fonts[4].points, 7);
    EXPECT_EQ(app.patternColours.colourOf(600), 0x123456u);
    EXPECT_EQ(app.master.entries(GeologyMaster::Bitmap)[0].code, 35);
    EXPECT_EQ(u8(doc.TestNameTable(1, TestCol::Name)), "鉛");
    EXPECT_EQ(doc.TestNameTable(1, TestCol::Shifts), "1:2");
    EXPECT_EQ(doc.DisplayItemTable(DisplayRow::Basic, DisplayCol::Width),
              "0.0"); // view-update defaults after the seeding

    // A document with test names keeps them.
    Document own;
    own.TestNameTable(1, TestCol::Unit) = "mg/kg";
    LoadMasters(app, own, p);
    EXPECT_EQ(own.TestNameTable(1, TestCol::Name), "");
    EXPECT_EQ(own.TestNameTable(1, TestCol::Unit), "mg/kg");

    // Settings are read once per process unless reloaded.
    put(dir.file("Sys.ndx"), "780\r\n0\r\n0\r\n25\r\n");
    app.settings.setPatternAllBlack(true);
    LoadMasters(app, doc, p);
    EXPECT_EQ(app.settings.graphTickMm(), 15);
    LoadMasters(app, doc, p, true);
    EXPECT_EQ(app.settings.graphTickMm(), 25);
    EXPECT_TRUE(app.settings.PatternAllBlack()); // not a line of the file: kept
}

TEST(Setup, InputRules)
{
    struct Case
    {
        bool windows;
        const char* drive;
        const char* folder;
        bool ok;
        const char* storedDrive;
    } cases[] = {
        {true, "c", "\\Qc", true, "C"},   {true, "Z", "\\x", true, "Z"},     {true, "1", "\\Qc", false, "1"},
        {true, "", "\\Qc", false, ""},    {true, "cd", "\\Qc", false, "CD"}, {true, "D", "\\", false, "D"},
        {false, "", "/srv/qc", true, ""}, {false, "", "/", false, ""},
    };
    for (const Case& c : cases) {
        std::string drive = c.drive;
        EXPECT_EQ(validateSetupInput(c.windows, drive, c.folder), c.ok) << c.drive << " " << c.folder;
        EXPECT_EQ(drive, c.storedDrive);
    }
    EXPECT_EQ(pointerFileLine(true, "C", "\\Qc"), "C:\\Qc\r\n");
    EXPECT_EQ(pointerFileLine(false, "", "/srv/qc"), "/srv/qc\r\n");
}

TEST(Setup, ChangeInstallFolderWritesThePointerAndReloads)
{
    TempDir dir;
    AppContext app(posixEnv(dir));
    Document doc;
    ScriptedPrompter p;
    LoadMasters(app, doc, p); // seeds the default folder
    ASSERT_FALSE(app.master.empty(0));

    // A bad folder changes nothing.
    EXPECT_EQ(ChangeInstallFolder(app, doc, p, "", "/"), SetupOutcome::Rejected);
    EXPECT_EQ(u8(p.texts().back()), "ドライブ名が異常です");
    EXPECT_EQ(app.install.path, app.env.defaultFolder);

    // A new, empty folder: stored, pointer written, masters reloaded from it.
    const std::string chosen = dir.file("elsewhere");
    fs::create_directories(chosen);
    p.clear();
    EXPECT_EQ(ChangeInstallFolder(app, doc, p, "", chosen), SetupOutcome::Stored);
    std::string pointer;
    ASSERT_TRUE(readFileBytes(app.env.pointerFile, pointer));
    EXPECT_EQ(pointer, chosen + "\r\n");
    EXPECT_EQ(app.paths.settings, chosen + "/Sys.ndx");
    EXPECT_TRUE(app.master.empty(0));
    EXPECT_EQ(u8(p.texts().front()), "ファイルが見つかりません\n( " + chosen + "/Sys.ndx )");
    EXPECT_EQ(locateInstallFolder(app.env).path, chosen);

    // The pointer cannot be written: the message, and the folder still holds for this run.
    app.env.pointerFile = dir.file("elsewhere/Sys.ndx/no/Pmrq8.whr");
    put(chosen + "/Sys.ndx", "780\r\n");
    p.clear();
    EXPECT_EQ(ChangeInstallFolder(app, doc, p, "", app.env.defaultFolder), SetupOutcome::PointerNotWritten);
    EXPECT_EQ(u8(p.texts().front()), "フォルダ名またはドライブ名が異常です");
    EXPECT_EQ(app.install.path, app.env.defaultFolder);
    EXPECT_FALSE(app.master.empty(0));
}

TEST(Setup, WindowsDriveIsUpperCasedInThePointerFile)
{
    TempDir dir;
    InstallEnvironment env = windowsEnv(dir);
    AppContext app(env);
    Document doc;
    ScriptedPrompter p;
    EXPECT_EQ(ChangeInstallFolder(app, doc, p, "c", "\\Qc"), SetupOutcome::Stored);
    std::string pointer;
    ASSERT_TRUE(readFileBytes(env.pointerFile, pointer));
    EXPECT_EQ(pointer, "C:\\Qc\r\n");
    EXPECT_EQ(app.install.path, "C:\\Qc");
    EXPECT_EQ(locateInstallFolder(env).path, "C:\\Qc");
    EXPECT_EQ(ChangeInstallFolder(app, doc, p, "1", "\\Qc"), SetupOutcome::Rejected);
    EXPECT_EQ(u8(p.texts().back()), "ドライブ名が異常です");
}
