// The one atomic write: full disks, concurrent writers, links, permissions, long
// names, killed writers; and reading refuses what is not a regular file.

#include "platform/files.h"
#include "support/smallfs.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace qc;
using qc::test::TempDir;
namespace fs = std::filesystem;

namespace {

std::string contentOf(const std::string& path)
{
    std::string bytes;
    EXPECT_TRUE(readFileBytes(path, bytes)) << path;
    return bytes;
}

// Names in a folder, sorted.
std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// Makes every file of a folder look a few minutes old.
void ageFiles(const std::string& folder)
{
    const auto past = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    for (const auto& e : fs::directory_iterator(folder)) fs::last_write_time(e.path(), past);
}

// The file-size limit of the process for the lifetime of the object.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit l = m_old;
        l.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST(AtomicWrite, WritesAndReplacesLeavingNoTemporary)
{
    TempDir dir;
    const std::string path = dir.file("log.bhc");
    ASSERT_TRUE(writeFileAtomically(path, "first"));
    ASSERT_TRUE(writeFileAtomically(path, "second, longer"));
    EXPECT_EQ(contentOf(path), "second, longer");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"log.bhc"});
    // A new file gets the permissions a plain create would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0666 & ~mask));
}

TEST(AtomicWrite, AFullDiskKeepsTheOldFile)
{
    const std::string big(256 * 1024, 'x');
    // A small tmpfs where it can be mounted, and a file size limit everywhere.
    test::SmallFilesystem small;
    if (small.mounted()) {
        const std::string path = small.file("sheet.pdf");
        ASSERT_TRUE(writeFileAtomically(path, "GOOD"));
        FileError error;
        EXPECT_FALSE(writeFileAtomically(path, big, &error));
        EXPECT_EQ(error.code, ENOSPC) << error.reason;
        EXPECT_EQ(contentOf(path), "GOOD");
        EXPECT_EQ(namesIn(small.path()), std::vector<std::string>{"sheet.pdf"});
    }
    TempDir dir;
    const std::string path = dir.file("sheet.pdf");
    ASSERT_TRUE(writeFileAtomically(path, "GOOD"));
    {
        FileSizeLimit limit(4096);
        FileError error;
        EXPECT_FALSE(writeFileAtomically(path, big, &error));
        EXPECT_EQ(error.code, EFBIG) << error.reason;
    }
    EXPECT_EQ(contentOf(path), "GOOD");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"sheet.pdf"});
}

TEST(AtomicWrite, ConcurrentWritersNeverMixAndAllSucceed)
{
    TempDir dir;
    const std::string path = dir.file("same.bhc");
    const std::string a(100000, 'a'), b(150000, 'b');
    auto writer = [&](const std::string& bytes, int& failures) {
        for (int i = 0; i < 50; ++i)
            if (!writeFileAtomically(path, bytes)) ++failures;
    };
    // A second process at the same time, forked before the threads start: a child forked
    // while another thread holds an allocator lock can wait on it forever.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int failures = 0;
        const std::string c(120000, 'c');
        for (int i = 0; i < 50; ++i)
            if (!writeFileAtomically(path, c)) ++failures;
        ::_exit(failures == 0 ? 0 : 1);
    }
    int failA = 0, failB = 0;
    std::thread t1(writer, std::cref(a), std::ref(failA));
    std::thread t2(writer, std::cref(b), std::ref(failB));
    t1.join();
    t2.join();
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(failA, 0);
    EXPECT_EQ(failB, 0);
    const std::string last = contentOf(path);
    EXPECT_TRUE(last == a || last == b || last == std::string(120000, 'c')) << last.size();
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"same.bhc"});
}

TEST(AtomicWrite, WritesThroughLinksAndKeepsThem)
{
    TempDir dir;
    fs::create_directory(dir.file("real"));
    const std::string target = dir.file("real/log.bhc");
    ASSERT_TRUE(writeFileAtomically(target, "old"));
    ::chmod(target.c_str(), 0640);
    struct Case
    {
        const char* link;
        const char* pointsTo;
    } cases[] = {
        {"absolute.bhc", nullptr}, // to the target's absolute path
        {"relative.bhc", "real/log.bhc"},
        {"chain.bhc", "relative.bhc"},
    };
    for (const Case& c : cases) {
        const std::string link = dir.file(c.link);
        fs::create_symlink(c.pointsTo ? fs::path(c.pointsTo) : fs::path(target), link);
        const std::string bytes = std::string("through ") + c.link;
        ASSERT_TRUE(writeFileAtomically(link, bytes)) << c.link;
        EXPECT_TRUE(fs::is_symlink(link)) << c.link;
        EXPECT_EQ(contentOf(target), bytes);
        EXPECT_EQ(fs::status(target).permissions(), static_cast<fs::perms>(0640)) << c.link;
    }
    // A dangling link creates the file it names.
    fs::create_symlink("real/new.bhc", dir.file("dangling.bhc"));
    ASSERT_TRUE(writeFileAtomically(dir.file("dangling.bhc"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir.file("dangling.bhc")));
    EXPECT_EQ(contentOf(dir.file("real/new.bhc")), "new");
}

TEST(AtomicWrite, RefusesWriteProtectedAndOtherFiles)
{
    TempDir dir;
    const std::string locked = dir.file("locked.bhc");
    ASSERT_TRUE(writeFileAtomically(locked, "keep"));
    ::chmod(locked.c_str(), 0444);
    const std::string fifo = dir.file("fifo.bhc");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(dir.file("folder.bhc"));
    struct Case
    {
        std::string path;
        int code;
    } cases[] = {
        {locked, EACCES},
        {fifo, EINVAL},
        {dir.file("folder.bhc"), EISDIR},
        {dir.file("no-such-folder/x.bhc"), ENOENT},
        {dir.file(std::string(256, 'n')), ENAMETOOLONG},
    };
    for (const Case& c : cases) {
        FileError error;
        EXPECT_FALSE(writeFileAtomically(c.path, "new", &error)) << c.path;
        EXPECT_EQ(error.code, c.code) << c.path << ": " << error.reason;
        EXPECT_FALSE(error.reason.empty());
    }
    EXPECT_EQ(contentOf(locked), "keep");
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(AtomicWrite, TheLongestFileNameStillSaves)
{
    TempDir dir;
    for (size_t n : {249u, 250u, 255u}) {
        const std::string path = dir.file(std::string(n - 4, 'L') + ".bhc");
        EXPECT_TRUE(writeFileAtomically(path, "long")) << n;
        EXPECT_EQ(contentOf(path), "long");
    }
}

TEST(AtomicWrite, AKilledWriterLeavesTheOldFileAndItsTemporaryGoesLater)
{
    TempDir dir;
    const std::string path = dir.file("log.bhc");
    ASSERT_TRUE(writeFileAtomically(path, "OLD"));
    bool killedMidWrite = false;
    for (int attempt = 0; attempt < 5 && !killedMidWrite; ++attempt) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const std::string big(96 * 1024 * 1024, 'k');
            (void)writeFileAtomically(path, big);
            ::_exit(0);
        }
        // Killed as soon as its temporary appears.
        for (int i = 0; i < 200000 && !killedMidWrite; ++i) {
            if (namesIn(dir.path()).size() > 1) {
                ::kill(child, SIGKILL);
                killedMidWrite = true;
            }
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        killedMidWrite = killedMidWrite && WIFSIGNALED(status);
        if (!killedMidWrite) {
            ASSERT_TRUE(writeFileAtomically(path, "OLD"));
        }
    }
    ASSERT_TRUE(killedMidWrite) << "the writer always finished before it could be killed";
    EXPECT_EQ(contentOf(path), "OLD");
    ASSERT_EQ(namesIn(dir.path()).size(), 2u);

    // A fresh temporary may still be written: it stays.
    EXPECT_EQ(removeStaleTemporaries(dir.path()), 0);
    // One held by a live writer stays however old.
    const std::string held = dir.file(".qc-HELD00.tmp");
    ASSERT_TRUE(writeFileBytes(held, "busy"));
    const int fd = ::open(held.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    ageFiles(dir.path());
    // The next save removes the killed writer's.
    ASSERT_TRUE(writeFileAtomically(path, "NEW"));
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{".qc-HELD00.tmp", "log.bhc"}));
    ::close(fd);
    EXPECT_EQ(removeStaleTemporaries(dir.path()), 1);
    EXPECT_EQ(contentOf(path), "NEW");
}

TEST(ReadFile, RefusesWhatIsNotARegularFileWithoutBlocking)
{
    TempDir dir;
    const std::string fifo = dir.file("fifo.bhc");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(dir.file("folder.bhc"));
    struct Case
    {
        std::string path;
        int code;
        bool notFound;
    } cases[] = {
        {fifo, EINVAL, false},
        {dir.file("folder.bhc"), EISDIR, false},
        {dir.file("missing.bhc"), ENOENT, true},
        {dir.file("missing/x.bhc"), ENOENT, true},
    };
    for (const Case& c : cases) {
        std::string bytes = "stale";
        FileError error;
        EXPECT_FALSE(readFileBytes(c.path, bytes, &error)) << c.path;
        EXPECT_EQ(error.code, c.code) << c.path;
        EXPECT_EQ(error.notFound(), c.notFound) << c.path;
        EXPECT_TRUE(bytes.empty());
    }
}
