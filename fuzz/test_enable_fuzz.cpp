// Any bytes as a test-enable file: no crash, no hang, and the answer is that of a
// plain split on blanks, tabs and line ends, whatever the length of a token.
#include "files/profile_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

using namespace talviro6;

namespace {

bool holdsWord(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \t\r\n", at), text.size());
        if (text.substr(at, end - at) == AccessWord)
            return true;
        at = end + 1;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    std::istringstream in(input, std::ios::binary);
    if (containsAccessWord(in) != holdsWord(input))
        std::abort();
    return 0;
}
