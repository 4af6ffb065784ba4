#include "app/recovery.h"

#include "app/docflows.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/logfile.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/prompter.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qc {

namespace {

constexpr char kMagic[] = "QCRECOVERY 1 ";
constexpr char kPrefix[] = "qc-";
constexpr char kCopySuffix[] = ".bhc";
constexpr char kLockSuffix[] = ".lock";
constexpr char kDamagedSuffix[] = ".damaged";
// Lines the standard open path searches for the format token.
constexpr int kTokenLines = 6;

uint64_t checksum(std::string_view bytes)
{
    uint64_t h = 1469598103934665603ull; // FNV-1a
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// The path on the header line: bytes that could end the line, split it or read as a
// format token or section marker are written as %XX.
std::string encodePath(const std::string& path)
{
    if (path.empty()) return "-";
    std::string out;
    for (unsigned char c : path) {
        if (c < 0x20 || c == 0x7F || c == '%' || c == '$' || (out.empty() && c == '-')) {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            out += buf;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

bool decodePath(std::string_view s, std::string& out)
{
    out.clear();
    if (s == "-") return true;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out.push_back(s[i]);
            continue;
        }
        if (i + 2 >= s.size()) return false;
        unsigned v = 0;
        for (size_t j = i + 1; j <= i + 2; ++j) {
            const char h = s[j];
            v <<= 4;
            if (h >= '0' && h <= '9')
                v |= static_cast<unsigned>(h - '0');
            else if (h >= 'A' && h <= 'F')
                v |= static_cast<unsigned>(h - 'A' + 10);
            else
                return false;
        }
        out.push_back(static_cast<char>(v));
        i += 2;
    }
    return true;
}

bool endsWith(std::string_view s, std::string_view end)
{
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

std::string lockPathOf(const std::string& copyPath)
{
    return copyPath.substr(0, copyPath.size() - (sizeof kCopySuffix - 1)) + kLockSuffix;
}

// Opens and locks a lock file; -1 when another process holds it (or it cannot be opened).
int lockFile(const std::string& path, bool create)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT | O_EXCL : 0), 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string timeText(std::time_t t)
{
    std::tm tm{};
    ::localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y/%m/%d %H:%M:%S", &tm);
    return buf;
}

} // namespace

namespace {

std::string withHeader(const std::string& log, const std::string& originalPath, std::time_t when)
{
    char head[96];
    std::snprintf(head, sizeof head, "%s%lld %zu %016llx ", kMagic, static_cast<long long>(when), log.size(),
                  static_cast<unsigned long long>(checksum(log)));
    return head + encodePath(originalPath) + "\r\n" + log;
}

std::string logOf(const Document& doc)
{
    Document copy = doc; // saving prepares cells; the open document stays as it is
    return WriteLog(copy);
}

} // namespace

std::string recoveryCopyText(const Document& doc, const std::string& originalPath, std::time_t when)
{
    return withHeader(logOf(doc), originalPath, when);
}

// RecoveryKeeper ---------------------------------------------------------------

RecoveryKeeper::RecoveryKeeper(std::string folder, const Document& doc, Prompter& prompter)
    : m_folder(std::move(folder)), m_doc(doc), m_prompter(prompter), m_clock([] {
          return std::chrono::duration_cast<std::chrono::milliseconds>(
              std::chrono::steady_clock::now().time_since_epoch());
      }),
      m_wallClock([] { return std::time(nullptr); })
{
}

RecoveryKeeper::~RecoveryKeeper()
{
    if (m_lockFd < 0) return;
    // Without a copy the lock file has nothing left to guard; beside a copy it stays.
    if (!fileExists(m_copyPath)) ::unlink(m_lockPath.c_str());
    ::close(m_lockFd);
}

bool RecoveryKeeper::ensureSession(FileError& error)
{
    if (m_lockFd >= 0) return true;
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    if (ec) {
        error.code = ec.value();
        error.reason = ec.message();
        return false;
    }
    // The process id names the copy; a random part keeps two windows of one process,
    // and a reused id of an earlier run, apart.
    std::random_device rd;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char id[48];
        std::snprintf(id, sizeof id, "%s%ld-%08x", kPrefix, static_cast<long>(::getpid()), rd());
        const std::string stem = m_folder + "/" + id;
        const int fd = lockFile(stem + kLockSuffix, true);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            error.code = errno;
            error.reason = std::strerror(errno);
            return false;
        }
        m_lockFd = fd;
        m_lockPath = stem + kLockSuffix;
        m_copyPath = stem + kCopySuffix;
        return true;
    }
    error.code = EEXIST;
    error.reason = std::strerror(EEXIST);
    return false;
}

void RecoveryKeeper::changed()
{
    if (m_doc.modified == 0) {
        remove();
        return;
    }
    m_pending = true;
    const auto now = m_clock();
    if (!m_lastWrite || now - *m_lastWrite >= kAfterChange) write();
}

void RecoveryKeeper::tick()
{
    if (m_doc.modified == 0) {
        remove();
        return;
    }
    const auto now = m_clock();
    const bool due =
        !m_lastWrite || (m_pending && now - *m_lastWrite >= kAfterChange) || now - *m_lastWrite >= kPeriod;
    if (due) write();
}

std::optional<long long> RecoveryKeeper::msUntilDue() const
{
    if (!m_pending || m_doc.modified == 0) return std::nullopt;
    if (!m_lastWrite) return 0;
    const auto left = *m_lastWrite + kAfterChange - m_clock();
    return std::max<long long>(0, left.count());
}

void RecoveryKeeper::write()
{
    const auto now = m_clock();
    m_lastWrite = now; // a failed write is tried again at the next period, not at every tick
    m_pending = false;
    FileError error;
    std::string log = logOf(m_doc);
    // The same document needs no new copy; only the time on its first line would differ.
    if (m_lockFd >= 0 && log == m_lastLog && fileExists(m_copyPath)) return;
    if (!ensureSession(error) ||
        !writeFileAtomically(m_copyPath, withHeader(log, m_doc.path, m_wallClock()), &error)) {
        m_lastLog.clear();
        // Once per run of failures: a message every few seconds would stop the user working.
        if (!m_failureReported)
            m_prompter.message(QC_SJ("復元用のデータを書き込めません") + "\n" + fileErrorText(error));
        m_failureReported = true;
        return;
    }
    m_failureReported = false;
    m_lastLog = std::move(log);
}

void RecoveryKeeper::remove()
{
    m_pending = false;
    m_lastLog.clear();
    m_lastWrite.reset();
    if (!m_copyPath.empty()) ::unlink(m_copyPath.c_str());
}

// OrphanCopy -------------------------------------------------------------------

OrphanCopy::OrphanCopy(std::string path, int lockFd, std::string lockPath)
    : m_path(std::move(path)), m_lockPath(std::move(lockPath)), m_lockFd(lockFd)
{
    read();
}

OrphanCopy::OrphanCopy(OrphanCopy&& o) noexcept
    : m_path(std::move(o.m_path)), m_lockPath(std::move(o.m_lockPath)), m_lockFd(o.m_lockFd),
      m_originalPath(std::move(o.m_originalPath)), m_logText(std::move(o.m_logText)),
      m_why(std::move(o.m_why)), m_time(o.m_time), m_valid(o.m_valid)
{
    o.m_lockFd = -1;
}

OrphanCopy& OrphanCopy::operator=(OrphanCopy&& o) noexcept
{
    if (this != &o) {
        release();
        m_path = std::move(o.m_path);
        m_lockPath = std::move(o.m_lockPath);
        m_lockFd = o.m_lockFd;
        o.m_lockFd = -1;
        m_originalPath = std::move(o.m_originalPath);
        m_logText = std::move(o.m_logText);
        m_why = std::move(o.m_why);
        m_time = o.m_time;
        m_valid = o.m_valid;
    }
    return *this;
}

OrphanCopy::~OrphanCopy()
{
    release();
}

void OrphanCopy::release()
{
    if (m_lockFd >= 0) ::close(m_lockFd);
    m_lockFd = -1;
}

void OrphanCopy::read()
{
    std::string bytes;
    FileError error;
    if (!readFileBytes(m_path, bytes, &error)) {
        m_why = fileErrorText(error);
        return;
    }
    const size_t eol = bytes.find("\r\n");
    const std::string_view head = std::string_view(bytes).substr(0, eol);
    long long when = 0;
    size_t length = 0;
    unsigned long long sum = 0;
    int used = 0;
    if (eol == std::string::npos || !head.starts_with(kMagic) ||
        std::sscanf(std::string(head.substr(sizeof kMagic - 1)).c_str(), "%lld %zu %16llx %n", &when, &length,
                    &sum, &used) != 3 ||
        used == 0 ||
        !decodePath(head.substr(sizeof kMagic - 1 + static_cast<size_t>(used)), m_originalPath)) {
        m_why = QC_SJ("先頭行が読めません");
        return;
    }
    m_time = static_cast<std::time_t>(when);
    m_logText = bytes.substr(eol + 2);
    // A copy cut short or changed on disk is never loaded in part.
    if (m_logText.size() != length || checksum(m_logText) != sum) {
        m_why = QC_SJ("データが途中で切れているか、変わっています");
        m_logText.clear();
        return;
    }
    if (findTokenLine(m_logText, kTokenLines).version == logversion::None) {
        m_why = QC_SJ("本柱状図では開けません. ");
        m_logText.clear();
        return;
    }
    m_valid = true;
}

void OrphanCopy::discard()
{
    ::unlink(m_path.c_str());
    ::unlink(m_lockPath.c_str());
    release();
}

std::string OrphanCopy::setAside()
{
    std::string aside = m_path + kDamagedSuffix;
    for (int n = 2; fileExists(aside); ++n) aside = m_path + kDamagedSuffix + std::to_string(n);
    if (::rename(m_path.c_str(), aside.c_str()) != 0) return m_path;
    ::unlink(m_lockPath.c_str());
    release();
    return aside;
}

std::vector<OrphanCopy> findOrphanCopies(const std::string& folder)
{
    std::vector<OrphanCopy> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(kPrefix) || !endsWith(name, kCopySuffix) || !entry.is_regular_file(ec))
            continue;
        const std::string path = folder + "/" + name;
        const std::string lock = lockPathOf(path);
        // A lock nobody holds (or none at all) belonged to a window that is gone.
        int fd = lockFile(lock, false);
        if (fd < 0 && !fileExists(lock)) fd = lockFile(lock, true);
        if (fd < 0) continue;
        found.emplace_back(path, fd, lock);
    }
    std::sort(found.begin(), found.end(),
              [](const OrphanCopy& a, const OrphanCopy& b) { return a.time() > b.time(); });
    return found;
}

std::string recoveryQuestion(const OrphanCopy& copy)
{
    const std::string& p = copy.originalPath();
    const std::string name = p.empty() ? QC_SJ("無題") : cp932::fromUtf8(fileNameOf(p));
    std::string text =
        QC_SJ("前回異常終了時の未保存データがあります…") + "\n\n" + QC_SJ("ファイル: ") + name + "\n";
    if (!p.empty()) text += QC_SJ("場所: ") + cp932::fromUtf8(folderOf(p)) + "\n";
    text += QC_SJ("時刻: ") + timeText(copy.time()) + "\n\n" +
            QC_SJ("復元しますか？\n「はい」で復元、「いいえ」で破棄、「キャンセル」で次回まで残します。");
    return text;
}

RecoveryOffer offerRecovery(const std::string& folder, Document& doc, Prompter& prompter)
{
    RecoveryOffer offer;
    for (OrphanCopy& copy : findOrphanCopies(folder)) {
        if (!copy.valid()) {
            const std::string aside = copy.setAside();
            prompter.message(QC_SJ("前回異常終了時の未保存データが壊れているため、復元できません") + "\n" +
                             copy.why() + "\n" + QC_SJ("別の名前で残しました: ") + cp932::fromUtf8(aside));
            continue;
        }
        if (offer.choice == RecoveryChoice::Restored) continue; // one document at a time: the rest wait
        switch (prompter.ask(recoveryQuestion(copy), Buttons::YesNoCancel, Answer::Yes)) {
        case Answer::Yes: {
            // A fresh document, so that no cell of the one open before survives.
            Document restored;
            readLogText(restored, copy.logText(), findTokenLine(copy.logText(), kTokenLines), &prompter);
            restored.path = copy.originalPath();
            restored.title = restored.path.empty() ? std::string() : fileNameOf(restored.path);
            restored.modified = 1;
            doc = std::move(restored);
            offer.choice = RecoveryChoice::Restored;
            offer.restored.emplace(std::move(copy));
            break;
        }
        case Answer::No:
            copy.discard();
            break;
        default:
            break; // kept for the next start
        }
    }
    return offer;
}

} // namespace qc
