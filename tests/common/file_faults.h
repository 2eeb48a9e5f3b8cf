#pragma once

// Ways to make a file operation fail in a test, also when the tests run as
// root (for whom folder permissions mean nothing).
//   DiskFull      the process may write files of at most N bytes, standing in
//                 for a full disk: a longer write fails with "File too large"
//   OrdinaryUser  while it lives, files are opened as the user "nobody", for
//                 whom permissions hold (does nothing when not root)

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace quarrin::test {

class DiskFull
{
public:
    explicit DiskFull(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lower = m_old;
        lower.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~DiskFull()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    DiskFull(const DiskFull &) = delete;
    DiskFull &operator=(const DiskFull &) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

class OrdinaryUser
{
public:
    static constexpr uid_t kNobody = 65534;

    OrdinaryUser()
    {
        if (geteuid() != 0)
            return;
        m_switched = setegid(kNobody) == 0 && seteuid(kNobody) == 0;
    }
    ~OrdinaryUser()
    {
        if (m_switched) {
            (void)!seteuid(0);
            (void)!setegid(0);
        }
    }
    OrdinaryUser(const OrdinaryUser &) = delete;
    OrdinaryUser &operator=(const OrdinaryUser &) = delete;
    // False when running as root and the switch failed.
    bool active() const { return m_switched || geteuid() != 0; }
    // True when the files are opened as another user than their owner (root).
    bool switched() const { return m_switched; }

private:
    bool m_switched = false;
};

} // namespace quarrin::test
