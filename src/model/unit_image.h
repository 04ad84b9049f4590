#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace talviro6 {

/// The tool's own protocol version; the unit's header and live frames must report the same.
inline constexpr std::uint8_t ProtocolVersion = 76;

inline constexpr int ParameterSize = 300;
inline constexpr int HeaderSize = 100;
inline constexpr int BlockSize = 100;
inline constexpr int ParameterBlocks = 3; ///< blocks 1 ... 3; block 0 is the header

using ParameterArea = std::array<std::uint8_t, ParameterSize>;
using UnitHeader = std::array<std::uint8_t, HeaderSize>;

/// The tool's copy of the unit's memory, byte for byte in the unit's encoding.
/// Bytes that no field names are kept as they are: nothing here interprets them.
struct UnitImage {
    ParameterArea parameters{};
    UnitHeader header{};

    std::uint8_t &operator[](int offset) { return parameters.at(static_cast<std::size_t>(offset)); }
    std::uint8_t operator[](int offset) const { return parameters.at(static_cast<std::size_t>(offset)); }

    /// Parameter block b = 1 ... 3: offsets (b - 1) * 100 ... (b - 1) * 100 + 99.
    std::span<std::uint8_t, BlockSize> block(int b)
    {
        return std::span<std::uint8_t, BlockSize>(parameters.data() + blockStart(b), BlockSize);
    }
    std::span<const std::uint8_t, BlockSize> block(int b) const
    {
        return std::span<const std::uint8_t, BlockSize>(parameters.data() + blockStart(b), BlockSize);
    }

    void storeHeader(std::span<const std::uint8_t, HeaderSize> data)
    {
        std::copy(data.begin(), data.end(), header.begin());
    }

    ParameterArea snapshot() const { return parameters; }
    void restore(const ParameterArea &area) { parameters = area; }

    bool operator==(const UnitImage &) const = default;

  private:
    static std::size_t blockStart(int b)
    {
        // A block outside 1 ... 3 is a programming error, not a unit's fault: the
        // protocol engine filters block numbers before it asks for one.
        if (b < 1 || b > ParameterBlocks)
            throw std::out_of_range("parameter block");
        return static_cast<std::size_t>((b - 1) * BlockSize);
    }
};

} // namespace talviro6
