// Any bytes at any times into the simulated unit's receiver: no crash, and every
// answer it means to send is a whole frame with a matching check byte and a code the
// tool knows. Without faults the line itself is checked: what the unit sends is
// nothing but those answers, one per request a receiver of its own would take in
// (a pause of more than 10 ms starts a request over), with the header, the block
// as the unit holds it after the request, or a live frame of our protocol version.
#include "link/frame.h"
#include "link/monitor_frame.h"
#include "sim/simulated_unit.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace talviro6;
using namespace talviro6::sim;

namespace {

/// The fuzzer's bytes, read front to back; zeros once they run out.
class Input {
  public:
    Input(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_at >= m_size; }
    std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::uint16_t word() { return static_cast<std::uint16_t>(byte() | (byte() << 8)); }

  private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

/// The receiver as the unit's firmware is described: bytes gather into a request;
/// a pause longer than InterByteGap in the middle throws the part away.
struct ReceiverModel {
    Frame in{};
    std::size_t length = 0;
    Micros last = 0;
    std::vector<Frame> requests; ///< complete requests, check byte not yet looked at

    void receive(const std::vector<std::uint8_t> &bytes, Micros now)
    {
        if (length > 0 && now - last > InterByteGap)
            length = 0;
        last = now;
        for (const std::uint8_t b : bytes) {
            in[length++] = b;
            if (length == FrameSize) {
                requests.push_back(in);
                length = 0;
            }
        }
    }
};

bool knownAnswer(std::uint8_t code)
{
    return code == code::MonitorFrame || (code >= 0x80 && code <= 0x83) || (code >= 0xC0 && code <= 0xC3);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Input input(data, size);
    const bool faults = input.byte() & 1;
    SimulatedUnit unit;
    unit.setLogging(true);
    ParameterArea memory = unit.memory(); // as the unit should hold it, request by request
    ReceiverModel model;
    std::vector<std::uint8_t> line; // everything the unit sent, in order
    Micros now = 0;

    while (!input.empty() && unit.requests().size() < SimulatedUnit::LogCapacity / 2) {
        const std::uint8_t op = input.byte();
        // Time goes on by up to 65 ms at a step, now and then by up to 65 s.
        now += (op & 0x80) ? Micros{input.word()} * 1000 : Micros{input.word()};
        switch (op & 0x03) {
        case 0: { // raw bytes
            std::vector<std::uint8_t> bytes(input.byte());
            for (auto &b : bytes)
                b = input.byte();
            unit.receive(bytes, now);
            model.receive(bytes, now);
            break;
        }
        case 1: { // a request with a matching check byte, sent in pieces
            Frame f{};
            f[0] = input.byte();
            const std::uint8_t fill = input.byte();
            for (int i = 1; i <= FrameDataSize; ++i)
                f[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(fill + (op & 0x40 ? i : 0));
            seal(f);
            std::size_t at = 0;
            while (at < f.size()) {
                const std::size_t piece = std::min<std::size_t>(f.size() - at, 1 + input.byte() % 102);
                const std::vector<std::uint8_t> bytes(f.begin() + static_cast<std::ptrdiff_t>(at),
                                                      f.begin() + static_cast<std::ptrdiff_t>(at + piece));
                unit.receive(bytes, now);
                model.receive(bytes, now);
                at += piece;
                if (at < f.size())
                    now += input.byte() * 100; // up to 25.5 ms between pieces
            }
            break;
        }
        case 2: { // the tool takes what has arrived
            std::vector<std::uint8_t> into(static_cast<std::size_t>(input.byte()) * 4);
            const std::size_t waiting = unit.available(now);
            const std::size_t got = unit.take(into, now);
            if (got != std::min(waiting, into.size()))
                std::abort();
            line.insert(line.end(), into.begin(), into.begin() + static_cast<std::ptrdiff_t>(got));
            break;
        }
        default: // a fault, when this run allows them
            if (faults) {
                const std::uint8_t kind = input.byte();
                const int count = static_cast<int>(kind >> 4) % 4 - 1;
                const std::uint8_t request = input.byte();
                unit.injectFault(static_cast<Fault>(kind % 7), count,
                                 kind & 0x08 ? std::optional<std::uint8_t>(request) : std::nullopt);
            }
            break;
        }
    }

    // Every answer the unit meant to send: whole, sealed, a code the tool knows.
    for (const Frame &answer : unit.answers())
        if (!hasMatchingCheckByte(answer) || !knownAnswer(answer[0]))
            std::abort();
    for (const Frame &request : unit.requests())
        if (!hasMatchingCheckByte(request))
            std::abort();
    if (faults)
        return 0;

    // Without faults: the line carries exactly those answers, one for each request
    // the receiver took in with a matching check byte and a code the unit answers.
    now += 10 * SavingMicros;
    std::vector<std::uint8_t> rest(unit.available(now));
    unit.take(rest, now);
    line.insert(line.end(), rest.begin(), rest.end());
    if (unit.nextDue() || line.size() % FrameSize != 0)
        std::abort();

    std::vector<Frame> expected;
    for (const Frame &r : model.requests) {
        const std::uint8_t code = r[0];
        const bool answered = code == code::Poll || (!(code & code::AnswerBit) && (code & code::BlockMask) <= 3);
        if (hasMatchingCheckByte(r) && answered)
            expected.push_back(r);
    }
    const std::size_t frames = line.size() / FrameSize;
    if (frames != expected.size() || frames != unit.answers().size())
        std::abort();
    for (std::size_t i = 0; i < frames; ++i) {
        Frame f;
        std::copy_n(line.begin() + static_cast<std::ptrdiff_t>(i * FrameSize), FrameSize, f.begin());
        if (f != unit.answers()[i] || !hasMatchingCheckByte(f))
            std::abort();
        const std::uint8_t request = expected[i][0];
        if (request == code::Poll) {
            const auto live = decodeMonitorFrame(f);
            if (!live || live->protocolVersion != ProtocolVersion)
                std::abort();
            continue;
        }
        if (f[0] != (request | code::AnswerBit))
            std::abort();
        // A header answer is the header; a block answer is the block as the unit holds
        // it after the request, which stores its data unless it asks for the memory.
        const int block = request & code::BlockMask;
        if (block == 0) {
            if (!std::equal(f.begin() + 1, f.begin() + 101, unit.header().begin()))
                std::abort();
            continue;
        }
        const auto stored = memory.begin() + (block - 1) * BlockSize;
        if (!(request & code::MemoryBit))
            std::copy_n(expected[i].begin() + 1, BlockSize, stored);
        if (!std::equal(f.begin() + 1, f.begin() + 101, stored))
            std::abort();
    }
    if (unit.memory() != memory)
        std::abort();
    return 0;
}
