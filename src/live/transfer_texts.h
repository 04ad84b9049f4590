#pragma once

#include "link/display_state.h"

#include <string>

namespace talviro6 {

/// The words of the transfer line's message in one language (0 ... 3), as the tuner
/// reads them: "Verify:: OK", "Program error!" and the like.
std::string transferText(const TransferLine &line, int languageIndex);

/// "COM= COM<n>", the same in every language.
std::string comCaption(int portNumber);

/// Where the package installs the rule that gives USB serial adapters to the user
/// at the seat.
inline constexpr const char *SerialUdevRulePath = "/usr/lib/udev/rules.d/70-talviro6-serial.rules";

/// The lines that follow the system's line of a failed opening (failure.systemText):
/// what is wrong and what puts it right, in one language; empty when the system's
/// line says all that is known.
std::string portOpenAdvice(const PortOpenFailure &failure, int languageIndex);

/// The words of a link's box in one language.
std::string linkBoxText(const LinkBox &box, int languageIndex);

} // namespace talviro6
