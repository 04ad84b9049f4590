#include "live/transfer_texts.h"

#include "texts/kept_texts.h"
#include "texts/port_texts.h"

#include <string_view>
#include <vector>

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

/// `text` with its "%1" replaced by `what`.
std::string naming(std::string_view text, const std::string &what)
{
    std::string worded(text);
    if (const std::size_t at = worded.find("%1"); at != std::string::npos)
        worded.replace(at, 2, what);
    return worded;
}

std::string joined(const std::vector<std::string> &items)
{
    std::string all;
    for (const std::string &item : items)
        all += (all.empty() ? "" : ", ") + item;
    return all;
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

std::string portOpenAdvice(const PortOpenFailure &failure, int languageIndex)
{
    const auto text = [&](PortText t) { return portText(t, languageIndex); };
    switch (failure.kind) {
    case PortOpenFailure::Kind::PermissionDenied:
        // Without a group that may use the device, joining one gives nothing.
        if (failure.group.empty())
            return std::string(text(PortText::PermissionDenied)) + '\n' +
                   naming(text(PortText::FixUdevRuleOnly), SerialUdevRulePath);
        return naming(text(PortText::PermissionDeniedGroup), failure.group) + '\n' +
               naming(text(PortText::FixUdevRule), SerialUdevRulePath) + '\n' +
               naming(text(PortText::FixGroup), failure.group);
    case PortOpenFailure::Kind::Busy: {
        if (failure.holders.empty())
            return std::string(text(PortText::BusyUnseen));
        std::vector<std::string> holders;
        for (const PortHolder &holder : failure.holders)
            holders.push_back(holder.program + " (PID " + std::to_string(holder.pid) + ")");
        return naming(text(PortText::BusyHeldBy), joined(holders));
    }
    case PortOpenFailure::Kind::Missing:
        if (failure.present.empty())
            return std::string(text(PortText::MissingNoneFound));
        return naming(text(PortText::MissingPresent), joined(failure.present));
    case PortOpenFailure::Kind::NotSerial:
    case PortOpenFailure::Kind::Other:
        break;
    }
    return {};
}

std::string linkBoxText(const LinkBox &box, int languageIndex)
{
    switch (box.kind) {
    case MessageBoxKind::ComOpenError: {
        // The kept text alone leaves the tuner guessing which device, why, and what
        // to do about it.
        std::string text =
            std::string(keptText(TextRole::TextComOpenError, languageIndex)) + '\n' + box.failure.systemText;
        if (const std::string advice = portOpenAdvice(box.failure, languageIndex); !advice.empty())
            text += '\n' + advice;
        return text;
    }
    case MessageBoxKind::VersionMismatch:
        return std::string(keptText(TextRole::TextVersionMismatch, languageIndex)) + "  PC-" +
               std::to_string(box.pcVersion) + ", IGN-" + std::to_string(box.unitVersion);
    }
    return {};
}

} // namespace talviro6
