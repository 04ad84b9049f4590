#include "files/profile_file.h"

#include "files/token_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>

namespace talviro6 {
namespace {

std::string_view trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A NUL would make the file unreadable to the next start, so it is dropped.
std::string oneLine(std::string_view value)
{
    std::string s(value);
    std::erase(s, '\0');
    std::replace_if(
        s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return s;
}

} // namespace

bool ProfileFile::read(std::istream &in)
{
    std::string content;
    char chunk[4096];
    // istream::read turns a failing buffer into badbit; a settings file of ours is
    // text, so a NUL byte (UTF-16, a binary file) says it is someone else's.
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        content.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (content.size() > MaxBytes) {
            m_lines.clear();
            return false;
        }
    }
    if (in.bad()) {
        m_lines.clear();
        return false;
    }
    return read(std::string_view(content));
}

bool ProfileFile::read(std::string_view content)
{
    m_lines.clear();
    if (content.size() > MaxBytes || content.find('\0') != std::string_view::npos)
        return false;
    std::string section;
    std::size_t at = 0;
    while (at < content.size()) {
        std::size_t end = content.find('\n', at);
        if (end == std::string_view::npos)
            end = content.size();
        std::string_view raw = content.substr(at, end - at);
        at = end + 1;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        Line line{std::string(raw), section, {}, {}, false};
        const std::string_view t = trim(raw);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            section = std::string(trim(t.substr(1, t.size() - 2)));
            line.section = section;
            line.isSection = true;
        } else if (const auto eq = t.find('='); eq != std::string_view::npos && t.front() != ';') {
            line.key = std::string(trim(t.substr(0, eq)));
            line.value = std::string(trim(t.substr(eq + 1)));
        }
        m_lines.push_back(std::move(line));
    }
    return true;
}

const ProfileFile::Line *ProfileFile::find(std::string_view section, std::string_view key) const
{
    for (const Line &line : m_lines)
        if (!line.isSection && !line.key.empty() && sameName(line.section, section) && sameName(line.key, key))
            return &line;
    return nullptr;
}

std::optional<std::string> ProfileFile::value(std::string_view section, std::string_view key) const
{
    if (const Line *line = find(section, key))
        return line->value;
    return std::nullopt;
}

int ProfileFile::readInteger(std::string_view section, std::string_view key, int fallback) const
{
    const auto text = value(section, key);
    if (!text)
        return fallback;
    std::string_view s = *text;
    // from_chars takes a minus but no plus; after a plus no second sign may follow.
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-')
            return fallback;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), number);
    if (error != std::errc() || end != s.data() + s.size() || s.empty())
        return fallback;
    return number;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key, const std::string &fallback) const
{
    return value(section, key).value_or(fallback);
}

void ProfileFile::write(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string v(trim(oneLine(value))); // as a later read will see it
    const std::string text = std::string(key) + '=' + v;
    for (Line &line : m_lines)
        if (!line.isSection && !line.key.empty() && sameName(line.section, section) && sameName(line.key, key)) {
            line.text = text;
            line.value = v;
            return;
        }
    // After the last line of the section, or a new section at the end.
    auto last = m_lines.end();
    for (auto it = m_lines.begin(); it != m_lines.end(); ++it)
        if (sameName(it->section, section) && (it->isSection || !it->key.empty()))
            last = it;
    Line line{text, std::string(section), std::string(key), v, false};
    if (last == m_lines.end()) {
        m_lines.push_back(Line{'[' + std::string(section) + ']', std::string(section), {}, {}, true});
        m_lines.push_back(std::move(line));
    } else {
        m_lines.insert(std::next(last), std::move(line));
    }
}

void ProfileFile::writeInteger(std::string_view section, std::string_view key, int value)
{
    write(section, key, std::to_string(value));
}

void ProfileFile::writeTo(std::ostream &out) const
{
    for (const Line &line : m_lines)
        out << line.text << "\r\n";
}

namespace {

bool findAccessWord(TokenReader &reader)
{
    Token token;
    while (reader.next(token))
        if (token.is(AccessWord))
            return true;
    return false;
}

} // namespace

bool containsAccessWord(std::istream &in)
{
    TokenReader reader(in);
    return findAccessWord(reader);
}

bool containsAccessWord(std::string_view content)
{
    TokenReader reader(content);
    return findAccessWord(reader);
}

} // namespace talviro6
