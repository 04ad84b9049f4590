#include "texts/map_block_texts.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <string_view>

namespace talviro6 {
namespace {

constexpr int LanguageCount = 4;

/// The letter after '&' as its UTF-8 bytes, ASCII in lower case; empty without one.
std::string acceleratorBytes(std::string_view text)
{
    const auto at = text.find('&');
    if (at == std::string_view::npos || at + 1 >= text.size())
        return {};
    const auto lead = static_cast<unsigned char>(text[at + 1]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::string letter(text.substr(at + 1, length));
    if (length == 1)
        letter[0] = static_cast<char>(std::tolower(lead));
    return letter;
}

TEST(MapBlockTexts, EveryTextInEveryLanguageWithItsPlaceholders)
{
    for (int t = 0; t < MapBlockTextCount; ++t) {
        const auto text = static_cast<MapBlockText>(t);
        for (int language = 0; language < LanguageCount; ++language) {
            SCOPED_TRACE(testing::Message() << "text " << t << ", language " << language);
            const std::string_view s = mapBlockText(text, language);
            EXPECT_FALSE(s.empty());
            if (language > 0) {
                EXPECT_NE(s, mapBlockText(text, 0)) << "left in English";
            }
            const bool placeholders = text == MapBlockText::PasteNotANumber;
            for (const char *p : {"%1", "%2", "%3"})
                EXPECT_EQ(s.find(p) != std::string_view::npos, placeholders) << s << " " << p;
        }
        EXPECT_EQ(mapBlockText(text, 4), mapBlockText(text, 0));
        EXPECT_EQ(mapBlockText(text, -1), mapBlockText(text, 0));
    }
}

TEST(MapBlockTexts, MenuAcceleratorsAreUniqueInEachLanguage)
{
    for (int language = 0; language < LanguageCount; ++language) {
        std::map<std::string, int> uses;
        for (int t = static_cast<int>(MapBlockText::MenuSet); t <= static_cast<int>(MapBlockText::MenuPaste); ++t) {
            const std::string_view s = mapBlockText(static_cast<MapBlockText>(t), language);
            const std::string letter = acceleratorBytes(s);
            EXPECT_FALSE(letter.empty()) << s;
            EXPECT_EQ(++uses[letter], 1) << "language " << language << ": " << s;
        }
    }
}

} // namespace
} // namespace talviro6
