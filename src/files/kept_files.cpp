#include "files/kept_files.h"

#include "files/open_for_reading.h"

#include <system_error>

namespace talviro6 {

KeptFileRead readKeptFile(const std::filesystem::path &path, const std::function<bool(std::string_view)> &read)
{
    KeptFileRead result;
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (ec || !std::filesystem::exists(status))
        return result;
    result.present = true;
    std::string content;
    if (std::string error = readFileContent(path, MaxKeptBytes, content); !error.empty()) {
        // A link that leads nowhere counts as missing: there is nothing to lose.
        if (std::filesystem::is_symlink(status) && !std::filesystem::exists(path, ec))
            result.present = false;
        else
            result.problem = std::move(error);
        return result;
    }
    if (!read(content))
        result.problem = path.string() + ": not a file this tool wrote";
    return result;
}

std::string setAside(const std::filesystem::path &path, std::filesystem::path *keptAs)
{
    std::error_code ec;
    for (int n = 1; n < 1000; ++n) {
        std::filesystem::path target = path;
        target += n == 1 ? std::string(".unreadable") : ".unreadable-" + std::to_string(n);
        if (std::filesystem::exists(std::filesystem::symlink_status(target, ec)))
            continue;
        std::filesystem::rename(path, target, ec);
        if (ec)
            return path.string() + ": cannot be renamed to " + target.filename().string() + ": " + ec.message();
        *keptAs = target;
        return {};
    }
    return path.string() + ": no free name beside it to keep it under";
}

} // namespace talviro6
