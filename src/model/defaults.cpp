#include "model/defaults.h"

#include "model/fields.h"
#include "model/unit_image.h"

#include <array>
#include <cstdint>

namespace talviro6 {
namespace {

using Row = std::array<std::uint8_t, field::MapColumns>;

constexpr std::array<Row, field::MapRows> DefaultAdvanceMap{{
    {4, 13, 16, 25, 28, 32, 33, 33, 33, 33},
    {4, 16, 22, 31, 33, 35, 35, 35, 35, 35},
    {4, 24, 35, 44, 45, 45, 43, 41, 41, 41},
    {4, 19, 32, 39, 45, 47, 46, 43, 43, 43},
    {4, 12, 15, 25, 31, 33, 32, 32, 32, 31},
    {4, 12, 16, 25, 28, 30, 33, 32, 32, 32},
    {4, 12, 16, 25, 28, 30, 33, 31, 33, 31},
    {4, 12, 15, 25, 28, 30, 32, 32, 32, 32},
    {4, 12, 15, 25, 28, 30, 32, 32, 32, 32},
    {4, 12, 15, 25, 28, 30, 32, 32, 32, 32},
}};

constexpr Row DefaultAdvanceRpm{10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
constexpr Row DefaultServoRpm{12, 20, 30, 40, 60, 80, 100, 120, 140, 160};
constexpr Row DefaultServoVoltage{100, 105, 110, 115, 120, 125, 130, 135, 140, 145};

struct Preset {
    std::uint8_t bikeType;
    std::uint8_t syncMethod;
    std::uint8_t lobeCount;
    std::uint8_t channelCount;
    std::uint8_t ignitionsPerRev;
    std::array<std::uint8_t, 2> maxAdvLobe;
    std::array<std::uint8_t, 2> startAdvLobe;
    std::array<std::uint8_t, 2> maxAdvEdge2;
    std::array<std::uint8_t, 2> startAdvEdge2;
    std::array<std::uint8_t, 2> maxAdvPickup2;
    std::array<std::uint8_t, 2> startAdvPickup2;
};

constexpr std::array<Preset, 5> Presets{{
    {bike::Classic, 0, 1, 2, 1, {1, 1}, {1, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 1}},
    {bike::TwoLobes, 0, 1, 2, 2, {1, 1}, {1, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 1}},
    {bike::ThreeLobes, 0, 1, 1, 3, {1, 1}, {1, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 1}},
    {bike::Camshaft, 0, 1, 2, 0, {1, 1}, {1, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 1}},
    {bike::HondaNsr, 6, 4, 2, 1, {2, 2}, {3, 3}, {1, 1}, {1, 1}, {0, 1}, {0, 1}},
}};

void writeRow(UnitImage &image, int base, const Row &row)
{
    for (int i = 0; i < field::CurvePoints; ++i)
        image[base + i] = row[static_cast<std::size_t>(i)];
}

} // namespace

void applyDefaults(UnitImage &image)
{
    image[field::BaseAdvance] = 10;
    image[field::AdvanceCorrection1] = 100;
    image[field::AdvanceCorrection2] = 100;
    for (int c = 0; c < field::ChannelCountMax; ++c) {
        image[field::MaxAdvEdge2(c)] = 0;
        image[field::StartAdvEdge2(c)] = 0;
        image[field::MaxAdvPickup2(c)] = 0;
        image[field::StartAdvPickup2(c)] = 0;
    }
    image[field::PickupInvert1] = 0;
    image[field::PickupInvert2] = 0;
    image[field::StartLimiter] = 100;
    image[field::Limiter] = 110;
    image[field::Tps0Voltage] = 70;
    image[field::Tps100Voltage] = 129;
    image[field::TpsMapEnable] = 0;
    image[field::ServoEnable] = 1;
    image[field::ServoHysteresis] = 40;
    image[field::TachoPulses] = 1;
    image[field::TachoCorrection] = 100;
    writeRow(image, field::AdvanceRpmBase, DefaultAdvanceRpm);
    for (int r = 0; r < field::MapRows; ++r)
        writeRow(image, field::AdvanceMap(r, 0), DefaultAdvanceMap[static_cast<std::size_t>(r)]);
    writeRow(image, field::ServoRpmBase, DefaultServoRpm);
    writeRow(image, field::ServoVoltageBase, DefaultServoVoltage);
    image[field::StartRevolutions] = 1;
    image[field::Compensation1] = 11;
    image[field::Compensation2] = 11;
    image[field::Retard] = 6;
    image[field::ClutchTime] = 10;
    image[field::ClutchPause] = 50;
    image[field::PowerOutMode(0)] = powerout::FuelPump;
    image[field::PowerOutMode(1)] = powerout::PilotLight;
    image[field::PowerOutMode(2)] = powerout::PowerJet;
    image[field::PowerOutRpm(1, 0)] = 90;
    image[field::PowerOutRpm(2, 0)] = 40;
    image[field::PowerOutRpm(2, 1)] = 125;
    image[field::PowerOutTps(2, 0)] = 75;
}

void applyPreset(UnitImage &image)
{
    for (const Preset &preset : Presets) {
        if (preset.bikeType != image[field::BikeType])
            continue;
        image[field::SyncMethod] = preset.syncMethod;
        image[field::LobeCount] = preset.lobeCount;
        image[field::ChannelCount] = preset.channelCount;
        image[field::IgnitionsPerRev] = preset.ignitionsPerRev;
        for (int c = 0; c < field::ChannelCountMax; ++c) {
            const auto i = static_cast<std::size_t>(c);
            image[field::MaxAdvLobe(c)] = preset.maxAdvLobe[i];
            image[field::StartAdvLobe(c)] = preset.startAdvLobe[i];
            image[field::MaxAdvEdge2(c)] = preset.maxAdvEdge2[i];
            image[field::StartAdvEdge2(c)] = preset.startAdvEdge2[i];
            image[field::MaxAdvPickup2(c)] = preset.maxAdvPickup2[i];
            image[field::StartAdvPickup2(c)] = preset.startAdvPickup2[i];
        }
        return;
    }
}

void newParameterSet(UnitImage &image, NewSetCause cause)
{
    if (image[field::BikeType] != bike::Special || cause != NewSetCause::ComboChange)
        applyDefaults(image);
    applyPreset(image);
}

} // namespace talviro6
