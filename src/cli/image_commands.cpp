#include "cli/image_commands.h"

#include "cli/cli_io.h"
#include "files/parameter_file.h"
#include "files/startup_image_file.h"
#include "model/defaults.h"
#include "model/field_compare.h"
#include "model/fields.h"
#include "model/risk_rules.h"
#include "model/unit_image.h"
#include "model/validate.h"
#include "texts/kept_texts.h"
#include "texts/warning_texts.h"

#include <iostream>
#include <optional>

namespace talviro6::cli {
namespace {

/// The command line reports on one line what the window shows in a box.
std::string oneLine(std::string text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            if (!out.empty() && out.back() != ' ')
                out.push_back(' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

/// The image the window holds after a start with no kept parameter area, or with
/// DUMP as the kept area.
UnitImage startImage(const std::optional<std::string> &dump)
{
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    if (dump) {
        std::ifstream in = openForReading(*dump);
        readStartupImage(in, image);
        checkRead(in, *dump);
        validate(image);
    }
    return image;
}

/// Reads the parameter file at `path` over the image, telling what the window
/// would tell in a box on standard error. Returns the accepted version, 0 for none.
int readOver(const std::string &path, UnitImage &image, const KeptTexts &texts)
{
    std::ifstream in = openForReading(path);
    ParameterFileReport report;
    const int version = readParameterFile(
        in, image,
        [&](FileMessage message) {
            const TextRole role = message == FileMessage::OlderFileVersion ? TextRole::TextOlderFileVersion
                                                                           : TextRole::TextFileVersionMismatch;
            std::cerr << path << ": " << oneLine(texts[role]) << '\n';
        },
        &report);
    checkRead(in, path);
    warnOfMissingValues(path, version, report.valuesMissing);
    return version;
}

} // namespace

UnitImage openedImage(const std::string &path, const KeptTexts &texts)
{
    UnitImage image = startImage(std::nullopt);
    if (readOver(path, image, texts) == 0)
        throw CliError{ExitUsage, path + ": not a parameter file: no KORVALEN_KEY with a known version"};
    validate(image);
    return image;
}

int runImage(const Arguments &args)
{
    UnitImage image = startImage(args.value("--from-dump"));
    const KeptTexts texts;

    bool allAccepted = true;
    for (const std::string &path : args.files) {
        if (readOver(path, image, texts) != 0) {
            validate(image);
        } else {
            allAccepted = false;
            std::cerr << path << ": not a parameter file: no KORVALEN_KEY with a known version; nothing loaded\n";
        }
    }

    binaryStdout();
    writeStartupImage(std::cout, image);
    checkStdout();
    return allAccepted ? ExitOk : ExitNotAccepted;
}

int runIgn(const Arguments &args)
{
    if (!args.files.empty())
        throw CliError{ExitUsage, "ign takes no files (did you mean: image)"};
    UnitImage image = startImage(args.value("--from-dump"));
    validate(image); // as Save does before it writes
    binaryStdout();
    writeParameterFile(std::cout, image);
    checkStdout();
    return ExitOk;
}

int runDiff(const Arguments &args)
{
    const std::vector<std::string> &files = args.files;
    if (files.size() != 2)
        throw CliError{ExitUsage, "diff takes two files: diff A.ign B.ign"};
    const KeptTexts texts;
    // Both are read before anything is printed: a file that cannot be read leaves
    // standard output empty rather than half a listing.
    const UnitImage a = openedImage(files[0], texts);
    const UnitImage b = openedImage(files[1], texts);
    const std::vector<FieldDifference> differences = compareParameters(a.parameters, b.parameters);
    for (const FieldDifference &d : differences)
        std::cout << differenceName(d) << '\t' << formatSide(d, true) << '\t' << formatSide(d, false) << '\n';
    checkStdout();
    return differences.empty() ? ExitOk : ExitDifferent;
}

int runCheck(const Arguments &args)
{
    if (args.files.size() != 1)
        throw CliError{ExitUsage, "check takes one file: check FILE.ign [--unit UNIT.ign]"};
    const KeptTexts texts;
    // Both are read before anything is printed, as diff does.
    const UnitImage image = openedImage(args.files.front(), texts);
    std::optional<ParameterArea> unit;
    if (const auto unitPath = args.value("--unit"))
        unit = openedImage(*unitPath, texts).parameters;
    const std::vector<RiskWarning> warnings = riskWarnings(image.parameters, unit);
    for (const RiskWarning &w : warnings)
        std::cout << riskWarningText(w, KeptTexts::DefaultLanguage) << '\n';
    checkStdout();
    return warnings.empty() ? ExitOk : ExitWarnings;
}

} // namespace talviro6::cli
