#pragma once

namespace talviro6 {

struct UnitImage;

/// Writes the fixed defaults: advance, servo, limiters, throttle sensor,
/// tachometer, clutch and power outputs. Synchronisation fields are left alone.
void applyDefaults(UnitImage &image);

/// Writes the synchronisation fields of the motorcycle preset chosen by BikeType.
/// "Special setting" (code 1) and unknown codes have no preset: nothing changes.
void applyPreset(UnitImage &image);

/// Where a new parameter set is asked for.
enum class NewSetCause {
    StartOrNew,  ///< start-up or the New command: the defaults always apply
    ComboChange, ///< the tuner picked another motorcycle type or synchronisation
};

/// The defaults followed by the preset, except that switching to "Special setting"
/// keeps everything so the tuner can go on from the values already there.
void newParameterSet(UnitImage &image, NewSetCause cause);

} // namespace talviro6
