// Any bytes as a parameter file: the reader must neither crash nor hang, and what
// it loads must survive being written and read again unchanged. An input whose last
// byte is 0xEE ends in a read error instead, as a failing file does: the reader
// must come back with the stream marked bad, not throw.
#include "files/parameter_file.h"
#include "model/defaults.h"
#include "model/unit_image.h"
#include "model/validate.h"

#include "../tests/support/failing_streambuf.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

using namespace talviro6;
using talviro6::testing::FailingStreambuf;

namespace {

std::string written(const UnitImage &image)
{
    std::ostringstream out(std::ios::binary);
    writeParameterFile(out, image);
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    UnitImage image;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    const UnitImage before = image;

    if (size > 0 && data[size - 1] == 0xEE) {
        FailingStreambuf failing(std::string(reinterpret_cast<const char *>(data), size - 1));
        std::istream in(&failing);
        readParameterFile(in, image, {});
        if (!in.bad())
            std::abort(); // the failure went unnoticed (or the reader stopped before it)
        return 0;
    }

    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size), std::ios::binary);
    int messages = 0;
    const int version = readParameterFile(in, image, [&](FileMessage) { ++messages; });
    if (version != 0 && version != 50 && version != 60 && version != 76)
        std::abort();
    if (version == 0 && !(image == before))
        std::abort(); // a file without an accepted version must change nothing
    if (version == 0)
        return 0;
    validate(image);

    const std::string first = written(image);
    UnitImage again = image;
    std::istringstream reread(first, std::ios::binary);
    if (readParameterFile(reread, again, {}) != 76)
        std::abort();
    if (written(again) != first)
        std::abort();
    return 0;
}
