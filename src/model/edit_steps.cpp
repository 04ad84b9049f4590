#include "model/edit_steps.h"

#include "model/conversions.h"
#include "model/fields.h"
#include "model/unit_image.h"

namespace talviro6 {
namespace {

void stepBounded(std::uint8_t &value, Step step, int low, int high)
{
    if (step == Step::Down && value > low)
        --value;
    else if (step == Step::Up && value < high)
        ++value;
}

void stepCell(UnitImage &image, int row, int column, Step step)
{
    stepBounded(image[field::AdvanceMap(row, column)], step, 0, MapCellMax);
}

} // namespace

void stepServoVoltage(UnitImage &image, Step step, bool all, int servoPoint)
{
    for (int i = 0; i < field::CurvePoints; ++i)
        if (all || i == servoPoint)
            stepBounded(image[field::ServoVoltage(i)], step, ServoVoltageLow, ServoVoltageHigh);
}

void stepMapColumn(UnitImage &image, int column, Step step)
{
    for (int r = 0; r < field::MapRows; ++r)
        stepCell(image, r, column, step);
}

void stepAdvance(UnitImage &image, Step step, bool all, std::optional<MapCell> operatingCell)
{
    if (all) {
        for (int r = 0; r < field::MapRows; ++r)
            for (int c = 0; c < field::MapColumns; ++c)
                stepCell(image, r, c, step);
    } else if (operatingCell) {
        stepCell(image, operatingCell->row, operatingCell->column, step);
    }
}

bool captureTps0(UnitImage &image, int millivolts)
{
    if (millivolts < 100 || millivolts > 2500)
        return false;
    image[field::Tps0Voltage] = convert::scaledToStored(millivolts, convert::TpsVoltageScale);
    return true;
}

bool captureTps100(UnitImage &image, int millivolts)
{
    if (millivolts < 2500 || millivolts > 4900)
        return false;
    image[field::Tps100Voltage] = convert::tps100ToStored(millivolts);
    return true;
}

} // namespace talviro6
