#pragma once
// A folder on a full disk for write-failure tests: a small tmpfs where the machine
// lets the test mount one (as root), else nothing (the caller falls back to a file
// size limit).

#include "support/tempdir.h"

#include <string>
#include <sys/mount.h>
#include <unistd.h>

namespace qc::test {

class SmallFilesystem
{
public:
    explicit SmallFilesystem(const char* size = "size=64k")
    {
        if (::geteuid() != 0 || m_dir.path().empty()) return;
        m_mounted = ::mount("tmpfs", m_dir.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, size) == 0;
    }
    ~SmallFilesystem()
    {
        if (m_mounted) ::umount2(m_dir.path().c_str(), MNT_DETACH);
    }
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;

    bool mounted() const { return m_mounted; }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    const std::string& path() const { return m_dir.path(); }

private:
    TempDir m_dir;
    bool m_mounted = false;
};

} // namespace qc::test
