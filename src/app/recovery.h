#pragma once
// Recovery copies of unsaved work. While the document has unsaved changes a copy
// of it goes into the recovery folder, never over the user's file: after each
// change (at most once per 5 s) and every 60 s. The copy is a loadable log whose
// first line, before the format token, records the original path, the time and a
// checksum of the rest. Each running window holds a lock file beside its copy for
// as long as it runs; a copy whose lock is free was left by a window that did not
// close cleanly and is offered at the next start.

#include <chrono>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qc {

struct Document;
struct FileError;
class Prompter;

class RecoveryKeeper
{
public:
    static constexpr std::chrono::milliseconds kAfterChange{5000};
    static constexpr std::chrono::milliseconds kPeriod{60000};
    using Clock = std::function<std::chrono::milliseconds()>; // monotonic
    using WallClock = std::function<std::time_t()>;

    RecoveryKeeper(std::string folder, const Document& doc, Prompter& prompter);
    ~RecoveryKeeper(); // the lock goes; the copy stays unless removed
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    // The document changed: a copy now, unless one was written less than 5 s ago
    // (then msUntilDue says when). An unmodified document needs none: it is removed.
    void changed();
    // The timers: a pending copy once it is due, and every 60 s a fresh one while modified.
    void tick();
    // Milliseconds until a pending copy is due; nothing when none is pending.
    std::optional<long long> msUntilDue() const;
    // The document was saved, replaced or closed cleanly: the copy goes.
    void remove();

    // This window's copy (empty until the first is written).
    const std::string& copyPath() const { return m_copyPath; }
    const std::string& folder() const { return m_folder; }

    void setClock(Clock clock) { m_clock = std::move(clock); }
    void setWallClock(WallClock clock) { m_wallClock = std::move(clock); }

private:
    bool ensureSession(FileError& error);
    void write();

    std::string m_folder;
    const Document& m_doc;
    Prompter& m_prompter;
    Clock m_clock;
    WallClock m_wallClock;
    std::string m_copyPath, m_lockPath;
    int m_lockFd = -1;
    bool m_pending = false;
    std::optional<std::chrono::milliseconds> m_lastWrite;
    std::string m_lastLog; // what the copy holds
    bool m_failureReported = false;
};

// The recovery copy text: the header line, then the log as saved.
std::string recoveryCopyText(const Document& doc, const std::string& originalPath, std::time_t when);

// A copy left by a window that did not close cleanly, locked by this process while the
// object lives so that no other window offers it at the same time.
class OrphanCopy
{
public:
    OrphanCopy(std::string path, int lockFd, std::string lockPath);
    OrphanCopy(OrphanCopy&& o) noexcept;
    OrphanCopy& operator=(OrphanCopy&& o) noexcept;
    ~OrphanCopy();

    const std::string& path() const { return m_path; }
    // From the header line: where the document came from (empty: untitled) and when the
    // copy was written; valid() is false for a damaged copy, with the reason in why().
    const std::string& originalPath() const { return m_originalPath; }
    std::time_t time() const { return m_time; }
    bool valid() const { return m_valid; }
    const std::string& why() const { return m_why; }
    // The log text after the header line (for a valid copy).
    const std::string& logText() const { return m_logText; }

    // Removes the copy and its lock file.
    void discard();
    // Renames a damaged copy so that it is kept but never offered again; its new path.
    std::string setAside();

private:
    void read();
    void release();

    std::string m_path, m_lockPath;
    int m_lockFd = -1;
    std::string m_originalPath, m_logText, m_why;
    std::time_t m_time = 0;
    bool m_valid = false;
};

// The copies in folder whose windows are gone, newest first.
std::vector<OrphanCopy> findOrphanCopies(const std::string& folder);

enum class RecoveryChoice { Restored, None };

// At start: offers each orphan, newest first. "はい" loads it into doc (under its
// original path, modified) and ends the offers, "いいえ" removes it, "キャンセル" keeps
// it for the next start. A damaged copy is reported and set aside, never loaded.
// The restored copy's files are removed by the caller through discardRestored once
// the window's own copy exists.
struct RecoveryOffer
{
    RecoveryChoice choice = RecoveryChoice::None;
    std::optional<OrphanCopy> restored;
};
RecoveryOffer offerRecovery(const std::string& folder, Document& doc, Prompter& prompter);

// The question shown for a copy (CP932).
std::string recoveryQuestion(const OrphanCopy& copy);

} // namespace qc
