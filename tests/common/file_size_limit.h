#pragma once

#include <csignal>
#include <sys/resource.h>

namespace tivora::test {

// Lets this process write no file beyond bytes for as long as it lives, as a full disk or a quota
// would: writes past the limit fail with "File too large" instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_before);
        m_signalBefore = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_before;
        limited.rlim_cur = bytes;
        m_active = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signalBefore);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return m_active; }

private:
    rlimit m_before{};
    void (*m_signalBefore)(int) = SIG_DFL;
    bool m_active = false;
};

} // namespace tivora::test
