#pragma once

#include <csignal>
#include <sys/resource.h>

namespace qvxtest {

// While it lives, no file this process writes can grow past `bytes`: a write
// beyond the limit fails with EFBIG. Unlike a read-only directory this holds for
// root as well, so a save that must fail fails whoever runs the test.
// Check results after it has ended: the limit holds for the test log too when
// that is a file, and a failure message written meanwhile would be lost.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        // The kernel also raises SIGXFSZ, which would end the process.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // False when the limit could not be set.
    bool active() const { return m_active; }

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_active = false;
};

} // namespace qvxtest
