#include "files/token_reader.h"

#include <exception>

namespace talviro6 {
namespace {

bool isSeparator(int c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

bool TokenReader::next(Token &token)
{
    try {
        return read(token);
    } catch (const std::exception &) {
        try {
            if (m_in)
                m_in->setstate(std::ios::badbit);
        } catch (const std::exception &) {
            // A stream told to throw on badbit: it is marked all the same.
        }
        return false;
    }
}

bool TokenReader::read(Token &token)
{
    token.text.clear();
    token.truncated = false;
    token.isNumber = false;
    token.value = 0;

    std::streambuf *buffer = m_in ? m_in->rdbuf() : nullptr;
    if (m_in && buffer == nullptr)
        return false;
    const auto get = [this, buffer]() -> int {
        if (buffer)
            return buffer->sbumpc();
        return m_at < m_text.size() ? static_cast<unsigned char>(m_text[m_at++]) : std::char_traits<char>::eof();
    };

    int c = get();
    while (c != std::char_traits<char>::eof() && isSeparator(c))
        c = get();
    if (c == std::char_traits<char>::eof())
        return false;

    bool negative = false;
    bool sawDigit = false;
    bool numeric = true;
    std::size_t length = 0;
    for (; c != std::char_traits<char>::eof() && !isSeparator(c); c = get(), ++length) {
        if (token.text.size() < Token::KeptChars)
            token.text.push_back(static_cast<char>(c));
        else
            token.truncated = true;

        if (!numeric)
            continue;
        if (length == 0 && (c == '+' || c == '-')) {
            negative = c == '-';
        } else if (c >= '0' && c <= '9') {
            sawDigit = true;
            token.value = token.value * 10u + static_cast<std::uint32_t>(c - '0');
        } else {
            numeric = false;
        }
    }

    token.isNumber = numeric && sawDigit;
    if (!token.isNumber)
        token.value = 0;
    else if (negative)
        token.value = 0u - token.value;
    return true;
}

} // namespace talviro6
