#include "model/settle.h"

#include "model/field_table.h"
#include "model/fields.h"
#include "model/unit_image.h"
#include "model/validate.h"

namespace talviro6 {

void settleToControls(UnitImage &image, bool testEnable)
{
    for (const FieldInfo &f : editableFields()) {
        std::uint8_t &stored = image[f.offset];
        if (f.testOnly && !testEnable) {
            stored = FixedCompensation;
            continue;
        }
        if (f.conversion == Conversion::Cells) {
            const std::uint8_t mode = image[field::PowerOutMode(f.index1)];
            stored = fixedPowerOutCells(mode, f.index2).value_or(static_cast<std::uint8_t>(stored & 0x0F));
            continue;
        }
        const int shown = toShown(f, stored);
        // A list without the item shows no selection, and its field keeps its byte.
        const bool list = f.conversion == Conversion::Choice || f.conversion == Conversion::BikeItem ||
                          f.conversion == Conversion::Ignitions;
        if (list && (shown < f.minimum || shown > f.maximum))
            continue;
        if (const auto settled = toStored(f, clampShown(f, shown)))
            stored = *settled;
    }
}

} // namespace talviro6
