#include "texts/charts_texts.h"

#include <gtest/gtest.h>

#include <string_view>

namespace talviro6 {
namespace {

TEST(ChartsTexts, EveryTextInEveryLanguageWithItsPlaceholder)
{
    for (int t = 0; t < ChartsTextCount; ++t) {
        const auto text = static_cast<ChartsText>(t);
        for (int language = 0; language < 4; ++language) {
            SCOPED_TRACE(testing::Message() << "text " << t << ", language " << language);
            const std::string_view s = chartsText(text, language);
            EXPECT_FALSE(s.empty());
            // The row's throttle goes in place of %1; no other text takes a number.
            EXPECT_EQ(s.find("%1") != std::string_view::npos, text == ChartsText::ThrottleRow) << s;
        }
        EXPECT_EQ(chartsText(text, 4), chartsText(text, 0));
        EXPECT_EQ(chartsText(text, -1), chartsText(text, 0));
    }
}

} // namespace
} // namespace talviro6
