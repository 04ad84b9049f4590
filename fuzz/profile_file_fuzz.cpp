// Any bytes as a settings file: no crash, no hang; what is read is written back so
// that reading and writing it again changes nothing; readInteger agrees with the
// text of the key; a key set by the tool reads back as it was set.
#include "files/profile_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace talviro6;

namespace {

std::string written(const ProfileFile &p)
{
    std::ostringstream out(std::ios::binary);
    p.writeTo(out);
    return out.str();
}

bool readBack(ProfileFile &p, const std::string &text)
{
    std::istringstream in(text, std::ios::binary);
    return p.read(in);
}

std::string_view trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

/// A whole decimal number with at most one sign, within int; worked out digit by
/// digit, independently of the reader.
std::optional<int> wholeNumber(std::string_view s)
{
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return std::nullopt;
    long long n = 0;
    for (const char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
        if (n > 1LL + std::numeric_limits<int>::max())
            return std::nullopt;
    }
    if (negative)
        n = -n;
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(n);
}

/// Section and key names as the lines spell them; a rough split is enough, since
/// each pair is only a name to ask for.
std::vector<std::pair<std::string, std::string>> namesIn(std::string_view text)
{
    std::vector<std::pair<std::string, std::string>> names;
    std::string section;
    while (!text.empty() && names.size() < 64) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
            section = std::string(trimmed(line.substr(1, line.size() - 2)));
        else if (const auto eq = line.find('='); eq != std::string_view::npos)
            names.emplace_back(section, std::string(trimmed(line.substr(0, eq))));
    }
    return names;
}

void checkIntegers(const ProfileFile &p, const std::string &text)
{
    for (const auto &[section, key] : namesIn(text)) {
        const auto value = p.value(section, key);
        const int low = p.readInteger(section, key, std::numeric_limits<int>::min());
        const int high = p.readInteger(section, key, std::numeric_limits<int>::max());
        const auto expected = value ? wholeNumber(*value) : std::nullopt;
        if (expected ? low != *expected || high != *expected
                     : low != std::numeric_limits<int>::min() || high != std::numeric_limits<int>::max())
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    ProfileFile p;
    if (!readBack(p, input)) {
        if (size <= ProfileFile::MaxBytes && input.find('\0') == std::string::npos)
            std::abort();
        return 0;
    }
    checkIntegers(p, input);

    const std::string first = written(p);
    ProfileFile again;
    if (!readBack(again, first) || written(again) != first)
        std::abort();

    // The tool's own key, with the input's first bytes as its value.
    const std::string value = input.substr(0, 40);
    p.write("BASIC", "File", value);
    std::string oneLine = value;
    std::erase(oneLine, '\0');
    for (char &c : oneLine)
        if (c == '\r' || c == '\n')
            c = ' ';
    // Stored as a later read will see it: one line, without blanks at its ends.
    if (p.value("BASIC", "File") != std::string(trimmed(oneLine)))
        std::abort();
    const std::string second = written(p);
    ProfileFile reread;
    if (!readBack(reread, second) || written(reread) != second)
        std::abort();
    if (reread.value("BASIC", "File") != std::string(trimmed(oneLine)))
        std::abort();
    return 0;
}
