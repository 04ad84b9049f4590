#include "texts/caption_table.h"
#include "texts/kept_texts.h"

#include <gtest/gtest.h>

namespace talviro6 {
namespace {

// The monitor shows the shift light beside the input functions; a shift light
// named like one of them tells the rider something false.
TEST(KeptTexts, ShiftLightIsNamedAsNoOtherFunction)
{
    const TextRole others[] = {TextRole::TextBlocking, TextRole::TextClutch,     TextRole::TextStartLimiter,
                               TextRole::TextRetard,   TextRole::TextKillSwitch, TextRole::TextFuelPump,
                               TextRole::TextPowerJet, TextRole::TextSpecialOut};
    for (int language = 0; language < LanguageTableCount; ++language) {
        SCOPED_TRACE(language);
        const std::string_view shiftLight = keptText(TextRole::TextShiftLight, language);
        for (TextRole other : others)
            EXPECT_NE(shiftLight, keptText(other, language));
        for (int input : {1, 2})
            for (std::string_view option : inputOptions(input, language))
                EXPECT_NE(shiftLight, option);
    }
}

} // namespace
} // namespace talviro6
