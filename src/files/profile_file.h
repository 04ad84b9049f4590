#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace talviro6 {

/// A profile (INI) file: "[Section]" lines and "Key=Value" lines below them. Section
/// and key names compare without regard to case, as the desktop's profile files do;
/// blanks around names and values are ignored. What the tool does not know (other
/// sections, other keys, comments) is kept and written back as it was read, so a
/// tuner's own additions survive the settings being saved at close.
class ProfileFile {
  public:
    /// A file longer than this is no settings file of ours; it is not read.
    static constexpr std::size_t MaxBytes = 1 << 20;

    /// Reads a whole profile. Lines that are neither a section nor a key are kept as
    /// they are. False (and nothing read) for what cannot be a settings file of ours:
    /// a stream longer than MaxBytes, one that fails while read, or one holding a NUL
    /// byte (UTF-16 or binary); such a file must not be written over.
    bool read(std::istream &in);
    /// The same from a file's whole content, read already.
    bool read(std::string_view content);

    /// The text of a key, if the key is there.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    /// The key as a whole decimal number with an optional sign, else `fallback`
    /// (missing, empty, not a number, beyond the range of int).
    int readInteger(std::string_view section, std::string_view key, int fallback) const;
    std::string readString(std::string_view section, std::string_view key, const std::string &fallback) const;

    /// Sets a key, adding the section (at the end) and the key (at the end of its
    /// section) when they are not there. Line breaks in the value become blanks and NUL
    /// bytes are dropped, so what is written can always be read again.
    void write(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);

    /// The whole profile, CRLF line ends.
    void writeTo(std::ostream &out) const;

  private:
    struct Line {
        std::string text;    ///< as read, or as composed for a key written
        std::string section; ///< the section the line belongs to (empty before the first)
        std::string key;     ///< empty unless the line is "Key=Value"
        std::string value;
        bool isSection = false;
    };

    const Line *find(std::string_view section, std::string_view key) const;

    std::vector<Line> m_lines;
};

/// The test-enable file: true when any of its whitespace-separated tokens is the
/// access word, compared case-sensitively. A token too long to be the word is
/// skipped whatever its length.
bool containsAccessWord(std::istream &in);
bool containsAccessWord(std::string_view content);

inline constexpr std::string_view AccessWord = "DIAG_UNLOCK";

} // namespace talviro6
