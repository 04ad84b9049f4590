// talviro6-sim: the simulated unit on a pseudo-terminal, for end-to-end use with the
// window or talviro6-cli. Prints the terminal's device path on the first line of
// standard output, then answers on it like a unit on a 57600 baud line.
#include "sim/simulated_unit.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

using namespace talviro6;
using namespace talviro6::sim;

constexpr const char *Usage = R"(usage: talviro6-sim [OPTIONS]

Opens a pseudo-terminal, prints its device path (e.g. /dev/pts/3) on the first line
of standard output and answers on it as a TALVIRO6 would, paced like a 57600 baud
line, until interrupted. Point the tool at the printed path:
  talviro6-cli read --port /dev/pts/3 -o unit.ign
  talviro6 --device 1=/dev/pts/3

Options:
  --fault NAME[:COUNT[:REQUEST]]  the next COUNT answers (default 1, -1 for all) to
                                  REQUEST (a code such as 0x42; default any) get the
                                  fault NAME: no-answer, wrong-check-byte, late-answer,
                                  split-answer, stray-byte, other-version, silence.
                                  Repeatable.
  --version N                     report protocol version N (default 76)
  --name ABC --number N           firmware name and number (default TLV 6)
  --link PATH                     also make PATH a symbolic link to the terminal, as
                                  a USB adapter's fixed name (/dev/serial/by-id/...)
                                  leads to its device: a simulator started again with
                                  the same PATH is found under the same name. A link
                                  left behind by a killed simulator is replaced; the
                                  link is removed at exit if it still leads here.
  --seconds N                     stop after N seconds
  --verbose                       log every request to standard error
  --help                          this text
)";

std::atomic<bool> g_stop{false};

void onSignal(int)
{
    g_stop = true;
}

bool parseInt(std::string_view text, int &value)
{
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

[[noreturn]] void usageError(const std::string &message)
{
    std::cerr << "talviro6-sim: " << message << "; try talviro6-sim --help\n";
    std::exit(2);
}

struct Options {
    UnitIdentity identity;
    struct FaultOption {
        Fault fault;
        int count;
        std::optional<std::uint8_t> request;
    };
    std::vector<FaultOption> faults;
    int seconds = 0;
    bool verbose = false;
    std::string link;
};

Options parse(int argc, char **argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                usageError(a + " needs a value");
            return argv[++i];
        };
        int n = 0;
        if (a == "--help" || a == "-h") {
            std::cout << Usage;
            std::exit(0);
        } else if (a == "--fault") {
            const std::string faultText = value();
            const auto c1 = faultText.find(':');
            const auto fault = faultFromName(faultText.substr(0, c1));
            if (!fault)
                usageError("unknown fault " + faultText.substr(0, c1));
            Options::FaultOption f{*fault, 1, std::nullopt};
            if (c1 != std::string::npos) {
                const auto c2 = faultText.find(':', c1 + 1);
                if (!parseInt(faultText.substr(c1 + 1, c2 - c1 - 1), f.count))
                    usageError("bad count in " + faultText);
                if (c2 != std::string::npos) {
                    if (!parseInt(faultText.substr(c2 + 1), n) || n < 0 || n > 255)
                        usageError("bad request code in " + faultText);
                    f.request = static_cast<std::uint8_t>(n);
                }
            }
            o.faults.push_back(f);
        } else if (a == "--version") {
            if (!parseInt(value(), n) || n < 0 || n > 255)
                usageError("--version takes 0 ... 255");
            o.identity.protocolVersion = static_cast<std::uint8_t>(n);
        } else if (a == "--name") {
            o.identity.name = value();
        } else if (a == "--number") {
            if (!parseInt(value(), n) || n < 0 || n > 99)
                usageError("--number takes 0 ... 99");
            o.identity.firmwareNumber = static_cast<std::uint8_t>(n);
        } else if (a == "--seconds") {
            if (!parseInt(value(), o.seconds) || o.seconds < 0)
                usageError("--seconds takes a whole number");
        } else if (a == "--link") {
            o.link = value();
            if (o.link.empty())
                usageError("--link needs a path");
        } else if (a == "--verbose") {
            o.verbose = true;
        } else {
            usageError("unknown argument " + a);
        }
    }
    return o;
}

/// The simulator's end of the pseudo-terminal. It keeps the tool's end open too, so
/// that the terminal survives the tool closing and opening it between jobs.
struct Pty {
    int master = -1;
    int heldSlave = -1;
    std::string path;

    bool open()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return false;
        const char *name = ::ptsname(master);
        if (!name)
            return false;
        path = name;
        heldSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (heldSlave < 0)
            return false;
        // Raw from the start: no echo, no line editing, no CR/LF translation.
        termios tio{};
        ::tcgetattr(heldSlave, &tio);
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B57600);
        ::cfsetospeed(&tio, B57600);
        ::tcsetattr(heldSlave, TCSANOW, &tio);
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
        return true;
    }
};

/// A fixed name for the terminal, whose number changes from run to run: the way a
/// real adapter comes back under its by-id name after being plugged in again.
class StableLink {
  public:
    /// Makes `link` lead to `target`: a new link beside it, renamed over it, so that a
    /// tool opening the name never finds it missing or half made. Only a link (or
    /// nothing) is replaced, never a file that is something else.
    std::string make(const std::string &link, const std::string &target)
    {
        struct stat st {};
        if (::lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode))
            return link + " exists and is not a symbolic link";
        const std::string temporary = link + ".new" + std::to_string(::getpid());
        ::unlink(temporary.c_str());
        if (::symlink(target.c_str(), temporary.c_str()) != 0)
            return temporary + ": " + std::strerror(errno);
        if (::rename(temporary.c_str(), link.c_str()) != 0) {
            const std::string error = link + ": " + std::strerror(errno);
            ::unlink(temporary.c_str());
            return error;
        }
        m_link = link;
        m_target = target;
        return {};
    }

    /// Removes the link unless a later simulator has taken the name over meanwhile.
    ~StableLink()
    {
        if (m_link.empty())
            return;
        char buffer[4096];
        const ssize_t n = ::readlink(m_link.c_str(), buffer, sizeof buffer);
        if (n > 0 && std::string(buffer, static_cast<std::size_t>(n)) == m_target)
            ::unlink(m_link.c_str());
    }

  private:
    std::string m_link;
    std::string m_target;
};

} // namespace

int main(int argc, char **argv)
{
    Options options = parse(argc, argv);
    SimulatedUnit unit(options.identity);
    for (const auto &f : options.faults)
        unit.injectFault(f.fault, f.count, f.request);

    Pty pty;
    if (!pty.open()) {
        std::cerr << "talviro6-sim: cannot open a pseudo-terminal: " << std::strerror(errno) << '\n';
        return 1;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGPIPE, SIG_IGN);
    StableLink link;
    if (!options.link.empty()) {
        if (const std::string error = link.make(options.link, pty.path); !error.empty()) {
            std::cerr << "talviro6-sim: --link " << error << '\n';
            return 1;
        }
    }
    std::cout << pty.path << std::endl;

    const auto start = std::chrono::steady_clock::now();
    const auto now = [&] {
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    };
    std::uint8_t in[4096];
    std::uint8_t out[4096];
    while (!g_stop) {
        if (options.seconds > 0 && now() >= Micros{options.seconds} * 1'000'000)
            break;
        int timeoutMs = 50;
        if (const auto due = unit.nextDue())
            timeoutMs = static_cast<int>(std::clamp<Micros>((*due - now() + 999) / 1000, 0, 50));
        pollfd p{pty.master, POLLIN, 0};
        const int ready = ::poll(&p, 1, timeoutMs);
        if (ready < 0 && errno != EINTR) {
            std::cerr << "talviro6-sim: " << std::strerror(errno) << '\n';
            return 1;
        }
        if (ready > 0 && (p.revents & POLLIN)) {
            const ssize_t n = ::read(pty.master, in, sizeof in);
            if (n > 0) {
                unit.receive(std::span<const std::uint8_t>(in, static_cast<std::size_t>(n)), now());
                if (options.verbose && n >= 1 && in[0] != 0x30)
                    std::cerr << "talviro6-sim: request 0x" << std::hex << int(in[0]) << std::dec << '\n';
            }
        }
        const std::size_t k = unit.take(out, now());
        std::size_t written = 0;
        while (written < k) {
            const ssize_t n = ::write(pty.master, out + written, k - written);
            if (n > 0)
                written += static_cast<std::size_t>(n);
            else if (n < 0 && errno == EINTR)
                continue;
            else
                break; // the tool is not reading: the rest is lost, as on a real line
        }
    }
    return 0;
}
