#pragma once

#include "texts/caption_table.h"
#include "texts/extras_texts.h"
#include "texts/kept_texts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// One record per editable field of the parameter area: where it lives, how its byte
// becomes the value the tuner sees, the range and step of the control that edits
// it and the control's name, its unit, the bounds validation keeps its byte in,
// how the parameter file writes it and the words the compare window names it by.
// Read back and refresh, the page builders, validation, the parameter file, the
// undo history, the compare window and the file checks all ask this table, so a
// field's facts live here only.
//
// Adding a field: give it an offset in fields.h and add one row (or one loop) to
// the table in field_table.cpp, in the order the window reads its controls back,
// naming its control, its file form, its validation bounds and its label; then
// build its control under that name on its page (and give the parameter file a
// place for it in its line layout, if the file is to hold it). The binding finds
// the control by its name; everything else follows from the row.
//
// The label refers to entries of the texts room's tables by their enums alone,
// which are plain declarations; nothing of the texts is linked into the model.

namespace talviro6 {

/// How a stored byte becomes the value a control shows.
enum class Conversion : std::uint8_t {
    Plain,     ///< shown = stored
    Scaled,    ///< shown = stored × scale; stored = shown ÷ scale, truncated
    Offset,    ///< shown = stored − 100 (signed quantities)
    Tps100,    ///< throttle voltage at 100 %: shown = (stored + 250) × 10 mV
    Ignitions, ///< item of the ignitions-per-revolution list
    BikeItem,  ///< item of the motorcycle list ("Special setting" is code 1)
    Flag,      ///< a check box: 0 / 1
    Choice,    ///< item index of a list or radio group
    Cells,     ///< four check boxes, bit k = speed column k
};

/// How the parameter file writes a field's byte and reads it back.
enum class FileForm : std::uint8_t {
    Raw,       ///< the byte, "%5u "; read back: low 8
    SignedRaw, ///< the byte, "%5d "; read back: low 8
    OnOff,     ///< "    1" or "    0", no space after; read back: low 8
    Scaled,    ///< byte × scale, "%5u "; read back: low 16 ÷ scale
    Tps100,    ///< byte × 10 + 2500 mV, "%5u "; read back: low 16 ÷ 10 + 6
    Offset,    ///< byte − 100, "%5d "; read back: low 8 + 100
    Bits,      ///< four flags, bit k of the row as "%5u " 0 or 1; read back: bit set when low 16 ≠ 0
};

/// The stored bytes validation keeps a field within, whatever put them there (the
/// unit, a file, the kept parameter area). Apart from the control's range: the
/// control bounds what a tuner can type, these what the unit is sent.
struct StoredBounds {
    std::uint8_t low = 0;
    std::uint8_t high = 255;
};

/// Which words name a field in the compare window.
enum class LabelForm : std::uint8_t {
    FieldName,      ///< the field's own name, in no language
    Caption,        ///< the control's caption, then `text`: "Limiter [rpm]", "Correction for cyl. 1,2: 1"
    TrimmedCaption, ///< the caption without its blanks, then `text`: "Compensation 1"
    CaptionTail,    ///< the caption's words after its first: "ignition per revolution"
    KeptWord,       ///< a kept text, then `text`: "Input 1"
    Literal,        ///< `text` alone, the same in every language: "TPS 0% [mV]"
    Family,         ///< the family's name, then what each index counts: ", 30%, column 5"
};

/// What an array index of a family counts, as its label names it.
enum class LabelPlace : std::uint8_t { None, Channel, Point, Column, Throttle, Output, Threshold, Row };

struct FieldLabel {
    LabelForm form = LabelForm::FieldName;
    Caption caption{};                  ///< Caption, TrimmedCaption, CaptionTail
    TextRole kept{};                    ///< KeptWord
    ExtraText family{};                 ///< Family
    std::string_view text;              ///< after the words; for Literal the whole label
    std::array<LabelPlace, 2> places{}; ///< Family: what index1 and index2 count
};

struct FieldInfo {
    std::string_view name; ///< "Limiter", "AdvanceMap", ... as the image's fields are named
    int index1 = -1;       ///< first array index, -1 for a single field
    int index2 = -1;       ///< second array index (map row and column, output and threshold)
    int offset = 0;
    Conversion conversion = Conversion::Plain;
    int scale = 1;         ///< for Scaled, and for the file's Scaled form
    int minimum = 0;       ///< shown, as the control bounds it
    int maximum = 255;     ///< shown
    int step = 1;          ///< shown, one arrow click
    std::string_view unit; ///< "rpm", "mV", "ms", "°", "%" or empty
    bool testOnly = false; ///< editable in test mode only; otherwise always FixedCompensation
    StoredBounds valid;    ///< stored, as validation bounds it
    FileForm file = FileForm::Raw;
    FieldLabel label;
    /// The object name of the control that edits the field ("EditOmez1", "ComboBoxBike");
    /// for Cells the stem of its four check boxes, each followed by "[k]".
    std::string control;
};

/// Every editable field, in the order the window reads its controls back.
std::span<const FieldInfo> editableFields();

/// The field at an offset; empty for a byte no field uses (it is carried unchanged).
const FieldInfo *fieldAt(int offset);

/// "Limiter", "AdvanceMap[3][4]", "PowerOutRpm[0][2]".
std::string fieldName(const FieldInfo &field);

/// The value a control shows for a stored byte. A value outside the control's range
/// is returned as it is; the control shows it at the nearer end (clampShown).
int toShown(const FieldInfo &field, std::uint8_t stored);

/// The byte for a value a control shows; empty where nothing is chosen (a list or
/// radio group without selection), so the field keeps its byte.
std::optional<std::uint8_t> toStored(const FieldInfo &field, int shown);

/// What the control shows for a value outside its range: the nearer end.
int clampShown(const FieldInfo &field, int shown);

/// The value test mode does not edit: compensations outside test mode are always this.
inline constexpr std::uint8_t FixedCompensation = 11;

} // namespace talviro6
