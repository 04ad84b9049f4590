#pragma once

#include "link/display_state.h"

#include <string>

namespace talviro6 {

/// The words of the transfer line's message in one language (0 ... 3), as the tuner
/// reads them: "Verify:: OK", "Program error!" and the like.
std::string transferText(const TransferLine &line, int languageIndex);

/// "COM= COM<n>", the same in every language.
std::string comCaption(int portNumber);

/// The words of a link's box in one language.
std::string linkBoxText(const LinkBox &box, int languageIndex);

} // namespace talviro6
