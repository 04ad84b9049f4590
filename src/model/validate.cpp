#include "model/validate.h"

#include "model/field_table.h"
#include "model/fields.h"
#include "model/unit_image.h"

#include <algorithm>

namespace talviro6 {
namespace {

constexpr std::uint8_t Max8 = 255;

/// A successor that would pass 255 stays there instead of wrapping to 0, which
/// would put a low threshold after a high one.
std::uint8_t successor(std::uint8_t value)
{
    return value == Max8 ? Max8 : static_cast<std::uint8_t>(value + 1);
}

void makeIncreasing(UnitImage &image, int base, int count)
{
    for (int i = 1; i < count; ++i)
        if (image[base + i] <= image[base + i - 1])
            image[base + i] = successor(image[base + i - 1]);
}

void bound(std::uint8_t &value, std::uint8_t maximum)
{
    if (value > maximum)
        value = maximum;
}

/// The per-field bounds of the field table, all at once and first: no later step
/// reads one of these fields unbounded, and the curves and thresholds must be in
/// their bounds before their order is made, or a row lifted afterwards could end equal.
void applyFieldBounds(UnitImage &image)
{
    for (const FieldInfo &f : editableFields()) {
        std::uint8_t &value = image[f.offset];
        value = std::clamp(value, f.valid.low, f.valid.high);
    }
}

void validateImage(UnitImage &image)
{
    applyFieldBounds(image);
    makeIncreasing(image, field::AdvanceRpmBase, field::CurvePoints);
    makeIncreasing(image, field::ServoRpmBase, field::CurvePoints);

    if (image[field::SyncMethod] == sync::OneLobe)
        image[field::LobeCount] = 1;

    const std::uint8_t lobes = image[field::LobeCount];
    // Elsewhere the second pick-up's flags would be hidden yet still sent to the unit.
    const bool secondPickupUsed = usesSecondPickup(image[field::SyncMethod]);
    for (int c = 0; c < field::ChannelCountMax; ++c) {
        bound(image[field::MaxAdvLobe(c)], lobes);
        bound(image[field::StartAdvLobe(c)], lobes);
        if (!secondPickupUsed) {
            image[field::MaxAdvPickup2(c)] = 0;
            image[field::StartAdvPickup2(c)] = 0;
        }
    }

    bound(image[field::StartLimiter], image[field::Limiter]);

    for (int o = 0; o < field::PowerOutputs; ++o) {
        makeIncreasing(image, field::PowerOutRpm(o, 0), field::PowerOutRpmThresholds);
        makeIncreasing(image, field::PowerOutTps(o, 0), field::PowerOutTpsThresholds);
    }

    // The mode selector offers only 0 ... 4; an output must not run in a mode
    // nobody can see, so anything else switches it off.
    for (int o = 0; o < field::PowerOutputs; ++o)
        if (image[field::PowerOutMode(o)] > powerout::Special)
            image[field::PowerOutMode(o)] = powerout::Off;

    // The window has always sent these modes with their fixed cells; a file or a
    // unit holding others would be programmed differently by the command line, and
    // the first edit in the window would change them unasked.
    for (int o = 0; o < field::PowerOutputs; ++o)
        for (int r = 0; r < field::PowerOutRows; ++r)
            if (const auto cells = fixedPowerOutCells(image[field::PowerOutMode(o)], r))
                image[field::PowerOutCells(o, r)] = *cells;
}

} // namespace

void validate(UnitImage &image, SettingsIndexes &settings)
{
    validateImage(image);
    if (settings.languageIndex >= LanguageCount)
        settings.languageIndex = 0;
    if (settings.portIndex >= PortMenuEntries)
        settings.portIndex = 0;
    if (settings.scanIndex >= ScanIndexLimit)
        settings.scanIndex = 0;
}

void validate(UnitImage &image)
{
    validateImage(image);
}

std::optional<std::uint8_t> fixedPowerOutCells(std::uint8_t mode, int row)
{
    constexpr std::uint8_t AboveFirst = 0b1110;  ///< columns 1, 2, 3
    constexpr std::uint8_t AboveSecond = 0b1100; ///< columns 2, 3
    switch (mode) {
    case powerout::PilotLight:
        return AboveFirst;
    case powerout::PowerJet:
        return row == 0 ? AboveFirst : AboveSecond;
    default:
        return std::nullopt;
    }
}

} // namespace talviro6
