// Any bytes as a start-up image file: no crash, no hang, at most 300 bytes set,
// and what was read is written and read back unchanged.
#include "files/startup_image_file.h"
#include "model/unit_image.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

using namespace talviro6;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    UnitImage image;
    image.parameters.fill(0x5A);
    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size), std::ios::binary);
    const int count = readStartupImage(in, image);
    if (count < 0 || count > ParameterSize)
        std::abort();
    for (int i = count; i < ParameterSize; ++i)
        if (image[i] != 0x5A)
            std::abort();

    std::ostringstream out(std::ios::binary);
    writeStartupImage(out, image);
    UnitImage again;
    std::istringstream reread(out.str(), std::ios::binary);
    if (readStartupImage(reread, again) != ParameterSize || !(again == image))
        std::abort();
    return 0;
}
