#pragma once
// A disk that fills up, for tests: while one of these lives, files of this process
// may grow to the given size only, and a write beyond fails with EFBIG the way a
// write to a full disk fails with ENOSPC (the signal that would end the process is
// ignored meanwhile).
#include <csignal>

#include <sys/resource.h>

namespace talviro6::testing {

class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace talviro6::testing
