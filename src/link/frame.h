#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace talviro6 {

/// Every message on the line, in both directions, is one frame of this size:
/// byte 0 request or answer code, bytes 1 ... 100 data, byte 101 check byte.
inline constexpr int FrameSize = 102;
inline constexpr int FrameDataSize = 100;
inline constexpr int CheckByteIndex = 101;

using Frame = std::array<std::uint8_t, FrameSize>;
using FrameView = std::span<const std::uint8_t, FrameSize>;

namespace code {
inline constexpr std::uint8_t Poll = 0x30;
inline constexpr std::uint8_t MonitorFrame = 0xB0; ///< the unit's answer to a poll
inline constexpr std::uint8_t AnswerBit = 0x80;    ///< set in every answer code
inline constexpr std::uint8_t MemoryBit = 0x40;    ///< request: answer with memory instead of storing
inline constexpr std::uint8_t BlockMask = 0x3F;
inline constexpr std::uint8_t ProgramHeader = 0x00; ///< first request of a program job
inline constexpr std::uint8_t ReadHeader = 0x40;    ///< first request of a read job
inline constexpr std::uint8_t VerifyFirst = 0x41;   ///< first request of a verify phase
} // namespace code

/// 0xFF XOR bytes 0 ... 100.
constexpr std::uint8_t checkByte(FrameView frame)
{
    std::uint8_t x = 0xFF;
    for (int i = 0; i < CheckByteIndex; ++i)
        x ^= frame[static_cast<std::size_t>(i)];
    return x;
}

constexpr bool hasMatchingCheckByte(FrameView frame)
{
    return checkByte(frame) == frame[CheckByteIndex];
}

/// Writes the check byte of a frame whose bytes 0 ... 100 are filled in.
constexpr void seal(Frame &frame)
{
    frame[CheckByteIndex] = checkByte(frame);
}

/// A frame with the given code and data, sealed; data shorter than 100 bytes is padded with zeros.
constexpr Frame makeFrame(std::uint8_t code, std::span<const std::uint8_t> data = {})
{
    Frame frame{};
    frame[0] = code;
    for (std::size_t i = 0; i < data.size() && i < FrameDataSize; ++i)
        frame[1 + i] = data[i];
    seal(frame);
    return frame;
}

constexpr std::span<const std::uint8_t, FrameDataSize> frameData(FrameView frame)
{
    return frame.subspan<1, FrameDataSize>();
}

/// Multi-byte fields of the unit are unsigned, least significant byte first.
constexpr std::uint16_t le16(FrameView frame, int at)
{
    return static_cast<std::uint16_t>(frame[static_cast<std::size_t>(at)] |
                                      (frame[static_cast<std::size_t>(at) + 1] << 8));
}

constexpr void putLe16(Frame &frame, int at, std::uint16_t value)
{
    frame[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(value & 0xFF);
    frame[static_cast<std::size_t>(at) + 1] = static_cast<std::uint8_t>(value >> 8);
}

static_assert(makeFrame(code::Poll)[CheckByteIndex] == 0xCF);
static_assert(makeFrame(code::ProgramHeader)[CheckByteIndex] == 0xFF);
static_assert(makeFrame(code::ReadHeader)[CheckByteIndex] == 0xBF);

} // namespace talviro6
