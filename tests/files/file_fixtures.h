#pragma once

#include "model/defaults.h"
#include "model/fields.h"
#include "model/unit_image.h"
#include "model/validate.h"

#include <fstream>
#include <iterator>
#include <string>

namespace talviro6::testing {

inline std::string readFixture(const std::string &name)
{
    std::ifstream in(std::string(TALVIRO6_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The image the tool starts with when nothing was kept from an earlier run.
inline UnitImage startupImage()
{
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    return image;
}

/// The start-up image with a few power-output cells set over the fixed cells of the
/// pilot light and the power jet, as no validated image holds them: the image behind
/// the fixtures startup_cells.ign and startup_cells.dump.
inline UnitImage startupImageWithCells()
{
    UnitImage image = startupImage();
    image[field::PowerOutCells(0, 0)] = 0b0101;
    image[field::PowerOutCells(1, 1)] = 0b1000;
    image[field::PowerOutCells(2, 2)] = 0b0011;
    return image;
}

} // namespace talviro6::testing
