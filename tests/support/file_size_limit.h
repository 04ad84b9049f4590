#pragma once
// A disk that fills up, for tests: while one of these lives, files of this process
// may grow to the given size only, and a write beyond fails with EFBIG the way a
// write to a full disk fails with ENOSPC (the signal that would end the process is
// ignored meanwhile).
#include <csignal>

#ifdef _WIN32

#include <cstdint>

namespace talviro6::testing {

/// Windows limits no process's files to a size, so a full disk cannot be made
/// there: the cases that need one check Available and are left out.
class FileSizeLimit {
  public:
    static constexpr bool Available = false;
    explicit FileSizeLimit(std::uint64_t) {}
};

} // namespace talviro6::testing

#else

#include <sys/resource.h>

namespace talviro6::testing {

class FileSizeLimit {
  public:
    static constexpr bool Available = true;

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

#endif
