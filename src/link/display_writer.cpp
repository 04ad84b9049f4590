#include "link/display_writer.h"

#include <charconv>

namespace talviro6 {

TextLine &TextLine::operator<<(std::string_view s)
{
    const std::size_t n = std::min(s.size(), Capacity - m_length);
    s.copy(m_buffer.data() + m_length, n);
    m_length += n;
    return *this;
}

TextLine &TextLine::operator<<(int value)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return *this << std::string_view(digits, static_cast<std::size_t>(result.ptr - digits));
}

TextLine &TextLine::fixed1(double value, int width)
{
    // to_chars rounds like printf in the C locale; the window's process has a
    // user locale in which printf would write a decimal comma.
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 1);
    const auto length = static_cast<int>(result.ptr - digits);
    for (int pad = width - length; pad > 0; --pad)
        *this << ' ';
    return *this << std::string_view(digits, static_cast<std::size_t>(length));
}

} // namespace talviro6
