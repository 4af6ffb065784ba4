#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qc {

namespace {

// Temporaries are ".qc-XXXXXX.tmp" beside their target: short, so that a target name
// of any allowed length still leaves room, and recognisable as this program's own.
constexpr char kTempPrefix[] = ".qc-";
constexpr char kTempSuffix[] = ".tmp";
constexpr size_t kTempNameLength = sizeof kTempPrefix - 1 + 6 + sizeof kTempSuffix - 1;
// A temporary nobody holds is a killed writer's only once it is this old (s): a writer
// holds its lock from the moment after it created the file.
constexpr time_t kStaleAfterSeconds = 60;
// Symbolic links followed at most, as the system does.
constexpr int kMaxLinks = 40;

bool fail(FileError* error, int code, const char* reason = nullptr)
{
    if (error) {
        error->code = code;
        error->reason = reason ? reason : std::strerror(code);
    }
    return false;
}

std::string folderOfPath(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool isTemporaryName(const char* name)
{
    const size_t n = std::strlen(name);
    return n == kTempNameLength && std::strncmp(name, kTempPrefix, sizeof kTempPrefix - 1) == 0 &&
           std::strcmp(name + n - (sizeof kTempSuffix - 1), kTempSuffix) == 0;
}

// The file a path finally names: symbolic links are followed (a dangling link names the
// file it would create).
std::string followLinks(const std::string& path)
{
    std::string p = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat st
        {
        };
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(p.c_str(), target.data(), target.size());
        if (n <= 0) return p;
        target.resize(static_cast<size_t>(n));
        p = target.front() == '/' ? target : folderOfPath(p) + "/" + target;
    }
    return p;
}

// May the user replace the file: a write permission for them (for the superuser, any
// write permission at all, so that a write-protected file stays protected).
bool mayReplace(const std::string& path, const struct stat& st)
{
    const uid_t user = ::geteuid();
    if (user == 0) return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    return ::access(path.c_str(), W_OK) == 0;
}

bool writeAll(int fd, std::string_view bytes)
{
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (w == 0) {
            errno = EIO;
            return false;
        }
        p += w;
        left -= static_cast<size_t>(w);
    }
    return true;
}

} // namespace

bool FileError::notFound() const
{
    return code == ENOENT || code == ENOTDIR;
}

bool readFileBytes(const std::string& path, std::string& out, FileError* error)
{
    out.clear();
    // Without blocking: opening a FIFO would wait for a writer forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(error, errno);
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        return fail(error, e);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(error, S_ISDIR(st.st_mode) ? EISDIR : EINVAL, "not a regular file");
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            out.clear();
            return fail(error, e);
        }
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

int removeStaleTemporaries(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    const int dirFd = ::dirfd(dir);
    const time_t now = std::time(nullptr);
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        if (!isTemporaryName(e->d_name)) continue;
        const int fd = ::openat(dirFd, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st
        {
        };
        // A writer holds its temporary locked until it is renamed or removed.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime >= kStaleAfterSeconds &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlinkat(dirFd, e->d_name, 0) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, FileError* error)
{
    if (path.empty()) return fail(error, ENOENT);
    const std::string target = followLinks(path);
    const std::string folder = folderOfPath(target);

    struct stat old
    {
    };
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode))
            return fail(error, S_ISDIR(old.st_mode) ? EISDIR : EINVAL, "not a regular file");
        if (!mayReplace(target, old)) return fail(error, EACCES, "the file is write-protected");
    } else if (errno != ENOENT) {
        return fail(error, errno);
    }

    removeStaleTemporaries(folder);

    std::string temp = folder + "/" + kTempPrefix + "XXXXXX" + kTempSuffix;
    const int fd = ::mkstemps(temp.data(), sizeof kTempSuffix - 1);
    if (fd < 0) return fail(error, errno);
    // Held until the temporary is gone, so that no other run takes it for a killed one's.
    ::flock(fd, LOCK_EX);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);

    if (exists) {
        ::fchmod(fd, old.st_mode & 07777);
        // Keeps the owner where the system allows it (the superuser, or the owner's own group).
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
            ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int code = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return fail(error, code ? code : EIO);
    }
    // The rename itself reaches the disk with the folder.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool writeFileBytes(const std::string& path, std::string_view bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

bool fileExists(const std::string& path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace qc
