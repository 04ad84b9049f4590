#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace talviro6 {

/// One whitespace-separated token of a text file. Only its first characters are
/// kept, so a token of any length costs constant memory; a number is evaluated as
/// it streams past.
struct Token {
    static constexpr std::size_t KeptChars = 16; ///< longer than every key word

    std::string text;        ///< the first KeptChars characters
    bool truncated = false;  ///< the token was longer than `text`
    bool isNumber = false;   ///< optional sign followed by decimal digits, nothing else
    std::uint32_t value = 0; ///< the number modulo 2^32, a leading minus negating it

    /// Exact, case-sensitive comparison with a key word.
    bool is(std::string_view word) const { return !truncated && text == word; }
};

/// Splits a stream, or a text already read, into tokens separated by runs of
/// space, tab, CR and LF; every other byte, printable or not, belongs to a token.
class TokenReader {
  public:
    explicit TokenReader(std::istream &in) : m_in(&in) {}
    explicit TokenReader(std::string_view text) : m_text(text) {}

    /// False at the end of the stream or text, and when reading the stream failed:
    /// the stream is then marked bad (the standard file buffer throws from a failed
    /// read, which must never end the program).
    bool next(Token &token);

  private:
    bool read(Token &token);

    std::istream *m_in = nullptr; ///< read from when set, else m_text
    std::string_view m_text;
    std::size_t m_at = 0;
};

} // namespace talviro6
