#pragma once

#include "texts/language_table.h"

#include <array>
#include <string>
#include <string_view>

namespace talviro6 {

/// The roles of the texts the tool shows in message boxes, status lines and live
/// read-outs. The names are those the rest of the code uses for each role.
enum class TextRole {
    TextManualFile,
    TextManualOpenError,
    TextProgramming,
    TextVerifying,
    TextReading,
    TextSaving,
    TextProgramError,
    TextVerifyError,
    TextReadError,
    TextVersionMismatch,
    TextComOpenError,
    TextFileOpenError,
    TextFileVersionMismatch,
    TextOlderFileVersion,
    TextDefaultQuestion,
    TextPrintDate,
    TextAdvance,
    TextProgramCount,
    TextPickup,
    TextPickupError,
    TextRunning,
    TextNoSignal,
    TextServoDesired,
    TextServoMeasured,
    TextYes,
    TextNo,
    TextInput,
    TextInputOpen,
    TextInputGrounded,
    TextBlocking,
    TextClutch,
    TextStartLimiter,
    TextRetard,
    TextKillSwitch,
    TextFuelPump,
    TextShiftLight,
    TextPowerJet,
    TextSpecialOut,
    TextValuesCorrected,    ///< after a read: "<Read:> OK - <n> values corrected"
    TextSettingsSaveError,  ///< at close, followed by the reason on a line of its own
    TextStoringUnconfirmed, ///< the second line of a programming's failure while the unit stores
    TextPrintNotLoaded,     ///< the printers' library was not found, followed by the reason on lines of its own
};

inline constexpr int TextRoleCount = 42;

/// The text of a role in one language (UTF-8); a language outside 0 ... 3 gives English.
/// For TextManualOpenError this is only the prefix: KeptTexts composes the whole text.
std::string_view keptText(TextRole role, int languageIndex);

/// The kept texts of the current language, one string per role, composed once
/// when the language is chosen so that readers never compose them again.
class KeptTexts {
  public:
    static constexpr int DefaultLanguage = 0; ///< English

    explicit KeptTexts(int languageIndex = DefaultLanguage) { load(languageIndex); }

    void load(int languageIndex);
    int languageIndex() const { return m_language; }
    const std::string &operator[](TextRole role) const { return m_texts[static_cast<std::size_t>(role)]; }

  private:
    int m_language = 0;
    std::array<std::string, TextRoleCount> m_texts;
};

} // namespace talviro6
