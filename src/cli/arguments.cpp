#include "cli/arguments.h"

#include "cli/cli_io.h"

#include <algorithm>

namespace talviro6::cli {

std::optional<std::string> Arguments::value(std::string_view name) const
{
    const auto it = m_given.find(name);
    if (it == m_given.end() || it->second.empty())
        return std::nullopt;
    return it->second.front();
}

std::vector<std::string> Arguments::values(std::string_view name) const
{
    const auto it = m_given.find(name);
    return it == m_given.end() ? std::vector<std::string>{} : it->second;
}

Arguments parseArguments(const std::vector<std::string> &args, std::span<const Option> options)
{
    Arguments parsed;
    const auto firstOption = std::find_if(options.begin(), options.end(), [](const Option &o) { return o.first; });
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a.size() < 2 || a[0] != '-') {
            parsed.files.push_back(a);
            continue;
        }
        const std::size_t equals = a.starts_with("--") ? a.find('=') : std::string::npos;
        const std::string_view word = std::string_view(a).substr(0, equals);
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const Option &o) { return word == o.name || word == o.alias; });
        if (option == options.end()) {
            std::string why = "unknown option " + a;
            if (firstOption != options.end())
                why += " (" + std::string(firstOption->name) + " comes right after the command)";
            throw CliError{ExitUsage, why};
        }
        const std::string name(option->name);
        if (option->first && i != 0)
            throw CliError{ExitUsage, name + " comes right after the command"};
        if (option->takes != Option::Takes::Repeated && parsed.has(name))
            throw CliError{ExitUsage, name + " is given twice"};
        std::vector<std::string> &values = parsed.m_given[name];
        if (option->takes == Option::Takes::Nothing) {
            if (equals != std::string::npos)
                throw CliError{ExitUsage, name + " takes no value"};
            continue;
        }
        if (equals != std::string::npos) {
            values.push_back(a.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            values.push_back(args[++i]);
        } else {
            const std::string_view what = option->valueName.empty() ? "a value" : option->valueName;
            throw CliError{ExitUsage, name + " needs " + std::string(what)};
        }
    }
    return parsed;
}

} // namespace talviro6::cli
