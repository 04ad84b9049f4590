#pragma once

// A serial line that takes no bytes, for the tests of what a write does then.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace talviro6::testing {

/// A pseudo-terminal whose other side nobody reads, kept full so that it takes no
/// more bytes: a line that does not take a frame, as a stalled adapter. Opening a
/// terminal flushes what waits in it, so it is filled again as soon as it has room.
class StalledLine {
  public:
    StalledLine()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        m_device = ::ptsname(m_master);
        m_filler = ::open(m_device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios raw{};
        ::tcgetattr(m_filler, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(m_filler, TCSANOW, &raw);
        m_filling = std::thread([this] {
            const std::vector<char> block(4096, 'x');
            while (!m_stop) {
                if (::write(m_filler, block.data(), block.size()) <= 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    ~StalledLine()
    {
        m_stop = true;
        if (m_filling.joinable())
            m_filling.join();
        ::close(m_filler);
        ::close(m_master);
    }
    StalledLine(const StalledLine &) = delete;
    StalledLine &operator=(const StalledLine &) = delete;

    /// The terminal's path, which the program under test opens.
    const std::string &device() const { return m_device; }

    /// Waits (up to a second) until the line takes no byte more, as it is again
    /// soon after an opening or a flush emptied it. False if it never filled.
    bool waitUntilFull() const
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (std::chrono::steady_clock::now() < limit) {
            pollfd p{m_filler, POLLOUT, 0};
            if (::poll(&p, 1, 0) == 0)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

  private:
    int m_master = -1;
    int m_filler = -1;
    std::string m_device;
    std::atomic<bool> m_stop{false};
    std::thread m_filling;
};

} // namespace talviro6::testing
