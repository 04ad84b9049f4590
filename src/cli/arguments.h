#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace talviro6::cli {

/// One option a command takes.
struct Option {
    enum class Takes : unsigned char {
        Nothing,  ///< a flag
        Value,    ///< the next argument, or what follows "=" in --name=value
        Repeated, ///< a value, given any number of times
    };
    std::string_view name;       ///< "--port"
    std::string_view alias = {}; ///< "-o", or empty
    Takes takes = Takes::Nothing;
    std::string_view valueName = {}; ///< for "--port needs a value": "a value", "a file", "N=PATH"
    /// Must come directly after the command word, so that it reads as what the
    /// command starts from, not as one of the files that follow.
    bool first = false;
};

/// A command's arguments, parsed against the options it takes.
struct Arguments {
    std::vector<std::string> files; ///< every argument that is not an option, in order
    bool has(std::string_view name) const { return m_given.contains(name); }
    /// The value of an option taking one; empty when it was not given.
    std::optional<std::string> value(std::string_view name) const;
    /// Every value of a repeated option, in order.
    std::vector<std::string> values(std::string_view name) const;

  private:
    friend Arguments parseArguments(const std::vector<std::string> &, std::span<const Option>);
    std::map<std::string, std::vector<std::string>, std::less<>> m_given;
};

/// Throws a CliError (bad usage) for an option the command does not take, a value
/// that is missing, a single option given twice, or a `first` option out of place.
/// A lone "-" is a file (standard input or output, where a command allows it).
Arguments parseArguments(const std::vector<std::string> &args, std::span<const Option> options);

} // namespace talviro6::cli
