#include "live/transfer_texts.h"

#include "texts/kept_texts.h"

namespace talviro6 {

namespace {

TextRole phase(Transfer job)
{
    return job == Transfer::Read     ? TextRole::TextReading
           : job == Transfer::Verify ? TextRole::TextVerifying
                                     : TextRole::TextProgramming;
}

TextRole failure(Transfer job)
{
    return job == Transfer::Read     ? TextRole::TextReadError
           : job == Transfer::Verify ? TextRole::TextVerifyError
                                     : TextRole::TextProgramError;
}

} // namespace

std::string transferText(const TransferLine &line, int languageIndex)
{
    const auto kept = [&](TextRole role) { return std::string(keptText(role, languageIndex)); };
    switch (line.news) {
    case TransferNews::None:
        return {};
    case TransferNews::JobStarted:
        return kept(phase(line.job));
    case TransferNews::VerifyPhase:
        return kept(TextRole::TextVerifying) + ':';
    case TransferNews::Verified:
        return kept(TextRole::TextVerifying) + ": OK";
    case TransferNews::ReadCorrected:
        return kept(TextRole::TextReading) + " OK - " + std::to_string(line.corrected) + ' ' +
               kept(TextRole::TextValuesCorrected);
    case TransferNews::ProgramStored:
        return kept(TextRole::TextProgramming) + ": OK";
    case TransferNews::Saving:
        return kept(TextRole::TextSaving);
    case TransferNews::JobFailed:
        return kept(failure(line.job));
    case TransferNews::StoringUnconfirmed:
        return kept(TextRole::TextProgramError) + '\n' + kept(TextRole::TextStoringUnconfirmed);
    case TransferNews::Notice:
        return line.notice;
    }
    return {};
}

std::string comCaption(int portNumber)
{
    return "COM= COM" + std::to_string(portNumber);
}

std::string linkBoxText(const LinkBox &box, int languageIndex)
{
    switch (box.kind) {
    case MessageBoxKind::ComOpenError:
        // The kept text alone leaves the tuner guessing which device, and why.
        return std::string(keptText(TextRole::TextComOpenError, languageIndex)) + '\n' + box.reason;
    case MessageBoxKind::VersionMismatch:
        return std::string(keptText(TextRole::TextVersionMismatch, languageIndex)) + "  PC-" +
               std::to_string(box.pcVersion) + ", IGN-" + std::to_string(box.unitVersion);
    }
    return {};
}

} // namespace talviro6
