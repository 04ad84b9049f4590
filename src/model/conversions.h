#pragma once

#include <array>
#include <cstdint>
#include <optional>

// Conversions between a stored byte and the value the tuner sees. All integer
// arithmetic: stored values are truncated, never rounded, so that what a control
// shows after an edit is exactly what the unit will get.

namespace talviro6::convert {

inline constexpr int RpmScale = 100;           ///< rpm per stored unit
inline constexpr int TpsVoltageScale = 10;     ///< mV per stored unit
inline constexpr int HysteresisScale = 5;      ///< mV per stored unit
inline constexpr int ServoVoltageScale = 20;   ///< mV per stored unit
inline constexpr int ClutchScale = 10;         ///< ms per stored unit
inline constexpr int SignedOffset = 100;       ///< stored = shown + 100
inline constexpr int Tps100VoltageBase = 2500; ///< mV at stored 0

/// Scaled fields (rpm / 100, mV / 10, mV / 5, mV / 20, ms / 10).
constexpr std::uint8_t scaledToStored(int shown, int scale)
{
    return static_cast<std::uint8_t>(shown / scale);
}
constexpr int scaledToShown(std::uint8_t stored, int scale)
{
    return stored * scale;
}

/// TachoCorrection, AdvanceCorrection1 and 2.
constexpr std::uint8_t offsetToStored(int shown)
{
    return static_cast<std::uint8_t>(shown + SignedOffset);
}
constexpr int offsetToShown(std::uint8_t stored)
{
    return stored - SignedOffset;
}

/// Tps100Voltage: 2500 ... 5050 mV map onto 0 ... 255.
constexpr std::uint8_t tps100ToStored(int millivolts)
{
    return static_cast<std::uint8_t>((millivolts / TpsVoltageScale + 6) % 256);
}
constexpr int tps100ToShown(std::uint8_t stored)
{
    return (stored + Tps100VoltageBase / TpsVoltageScale) * TpsVoltageScale;
}

/// IgnitionsPerRev against the items "1, 2, 3 per revolution, 1 per 2 revolutions".
constexpr std::uint8_t ignitionsItemToStored(int item)
{
    return static_cast<std::uint8_t>((item + 1) % 4);
}
constexpr int ignitionsStoredToItem(std::uint8_t stored)
{
    return (stored + 3) % 4;
}

/// BikeType against the items of the motorcycle list: "Special setting" is the
/// last item but code 1, because it was added after the unit's codes were fixed.
inline constexpr std::array<std::uint8_t, 6> BikeItemToCode{0, 2, 3, 4, 5, 1};
inline constexpr std::array<int, 6> BikeCodeToItem{0, 5, 1, 2, 3, 4};

constexpr std::optional<std::uint8_t> bikeItemToStored(int item)
{
    if (item < 0 || item >= static_cast<int>(BikeItemToCode.size()))
        return std::nullopt; // no item selected: the code stays as it is
    return BikeItemToCode[static_cast<std::size_t>(item)];
}
constexpr std::optional<int> bikeStoredToItem(std::uint8_t code)
{
    if (code >= BikeCodeToItem.size())
        return std::nullopt; // unknown code: the selection stays as it is
    return BikeCodeToItem[code];
}

/// PowerOutCells row from its four check boxes, bit k for speed column k.
constexpr std::uint8_t cellsToStored(const std::array<bool, 4> &ticked)
{
    std::uint8_t bits = 0;
    for (int k = 0; k < 4; ++k)
        if (ticked[static_cast<std::size_t>(k)])
            bits = static_cast<std::uint8_t>(bits | (1u << k));
    return bits;
}
constexpr bool cellIsSet(std::uint8_t stored, int column)
{
    return (stored >> column) & 1u;
}

} // namespace talviro6::convert
