#include "texts/caption_table.h"

#include "golden.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace talviro6 {
namespace {

constexpr int English = 0, German = 1, French = 2, Czech = 3;
constexpr int Languages = 4;
const char *const LanguageNames[Languages] = {"English", "German", "French", "Czech"};

std::vector<Caption> allEntries()
{
    std::vector<Caption> entries;
    for (int e = 0; e < CaptionCount; ++e)
        entries.push_back(static_cast<Caption>(e));
    return entries;
}

/// Strict UTF-8: no stray continuation bytes, no truncated, overlong or
/// surrogate sequences. Empty when the bytes are not UTF-8.
std::optional<std::u32string> decodeUtf8(std::string_view text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, cp = lead & 0x07, minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + extra >= text.size())
            return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;
        out.push_back(cp);
        i += 1 + extra;
    }
    return out;
}

/// Lower case for the letters the four languages use (ASCII, Latin-1, Latin Extended-A).
char32_t foldCase(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    const bool oddIsUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x178 && c != 0x17F)
        return oddIsUpper ? (c % 2 == 1 ? c + 1 : c) : (c % 2 == 0 ? c + 1 : c);
    return c;
}

/// The accelerator letter of a caption, case folded; none when it has no "&".
std::optional<char32_t> accelerator(std::string_view caption)
{
    const auto text = decodeUtf8(caption);
    if (!text)
        return std::nullopt;
    const auto at = text->find(U'&');
    if (at == std::u32string::npos || at + 1 >= text->size())
        return std::nullopt;
    return foldCase((*text)[at + 1]);
}

std::string spelled(char32_t c)
{
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

TEST(CaptionTable, EveryEntryReadsInEveryLanguage)
{
    // Letters that show when Czech (code page 1250) or French (1252) bytes are
    // read in the other code page, or UTF-8 is read as either of them.
    const std::u32string czechMisread = U"èìøùòï";
    const std::u32string frenchMisread = U"čŕęűď";
    const std::u32string utf8Misread = U"ÃÂ\uFFFD";
    for (Caption entry : allEntries()) {
        for (int language = 0; language < Languages; ++language) {
            SCOPED_TRACE(testing::Message() << "entry " << static_cast<int>(entry) << ", " << LanguageNames[language]);
            const std::string_view text = captionText(entry, language);
            const auto letters = decodeUtf8(text);
            ASSERT_TRUE(letters.has_value()) << "not UTF-8: " << text;
            std::u32string words;
            for (char32_t c : *letters)
                if (c != U'&' && c != U' ')
                    words += c;
            EXPECT_FALSE(words.empty()) << "'" << text << "'";
            EXPECT_NE(words.find_first_not_of(U'?'), std::u32string::npos) << text;
            EXPECT_EQ(letters->find_first_of(utf8Misread), std::u32string::npos) << text;
            if (language == Czech) {
                EXPECT_EQ(text.find('?'), std::string_view::npos) << text;
                EXPECT_EQ(letters->find_first_of(czechMisread), std::u32string::npos) << text;
            }
            if (language == French) {
                EXPECT_EQ(letters->find_first_of(frenchMisread), std::u32string::npos) << text;
            }
        }
    }
}

TEST(CaptionTable, LanguageOutsideTheTablesGivesEnglish)
{
    for (int language : {-1, 4, 255}) {
        for (Caption entry : allEntries())
            EXPECT_EQ(captionText(entry, language), captionText(entry, English)) << static_cast<int>(entry);
        EXPECT_EQ(inputOptions(1, language), inputOptions(1, English));
        EXPECT_EQ(inputOptions(2, language), inputOptions(2, English));
    }
}

const char *const LanguageCodes[Languages] = {"en", "de", "fr", "cz"};

/// The page of every caption in every language, one text a line, quoted so that
/// the blanks tuners know show; then the input options.
std::string captionPage()
{
    std::string page = "# entry language \"text\"; then input, option, language, \"text\"\n";
    for (Caption entry : allEntries())
        for (int language = 0; language < Languages; ++language)
            page += std::to_string(static_cast<int>(entry)) + ' ' + LanguageCodes[language] + " \"" +
                    std::string(captionText(entry, language)) + "\"\n";
    for (int input : {1, 2})
        for (int language = 0; language < Languages; ++language) {
            const auto options = inputOptions(input, language);
            for (std::size_t k = 0; k < options.size(); ++k)
                page += "input" + std::to_string(input) + ' ' + std::to_string(k) + ' ' + LanguageCodes[language] +
                        " \"" + std::string(options[k]) + "\"\n";
        }
    return page;
}

// Every text as tuners know it, quirks, spellings and trailing blanks included.
TEST(CaptionTable, EveryTextIsAsItsGoldenPage)
{
    golden::expectMatches(std::string(TALVIRO6_TEST_DATA) + "/captions.txt", captionPage());
}

TEST(CaptionTable, TheInputsDifferInTheirSecondOptionOnly)
{
    for (int language = 0; language < Languages; ++language) {
        SCOPED_TRACE(LanguageNames[language]);
        const auto input1 = inputOptions(1, language);
        const auto input2 = inputOptions(2, language);
        for (std::size_t k = 0; k < input1.size(); ++k) {
            EXPECT_FALSE(input1[k].empty()) << k;
            EXPECT_EQ(input1[k] == input2[k], k != 1) << k;
        }
    }
}

TEST(CaptionTable, NamesAndUnitsStayInEveryLanguage)
{
    for (int language = 0; language < Languages; ++language) {
        SCOPED_TRACE(LanguageNames[language]);
        EXPECT_EQ(captionText(Caption::ComboBoxBikeItem4, language), "Honda NSR 250 MC18 -");
        EXPECT_EQ(captionText(Caption::ComboBoxSynchroItem6, language), "Honda NSR 250 MC18 -");
        EXPECT_NE(captionText(Caption::FormHlav, language).find("TALVIRO6"), std::string_view::npos);
        for (Caption entry : allEntries()) {
            const std::string_view english = captionText(entry, English);
            const auto open = english.find('[');
            // The retard label has no unit outside English.
            if (open == std::string_view::npos || (entry == Caption::LabelRetard && language != English))
                continue;
            const std::string_view unit = english.substr(open);
            const std::string_view text = captionText(entry, language);
            const auto ownOpen = text.find('[');
            ASSERT_NE(ownOpen, std::string_view::npos) << text;
            EXPECT_EQ(text.back(), ']') << text;
            // Only engine speed has a name of its own in each language.
            if (unit != "[rpm]") {
                EXPECT_EQ(text.substr(ownOpen), unit) << text;
            }
        }
    }
}

// The menus, from the entries of the table. The Com menu's items ("Com 1" ...
// "Com Auto") are the same in every language and carry no accelerator. The
// Read/Verify/Program buttons share the window's Alt letters with the menu bar.
const std::map<std::string, std::vector<Caption>> &menus()
{
    static const std::map<std::string, std::vector<Caption>> m{
        {"menu bar and buttons",
         {Caption::MenuFile, Caption::MenuCom, Caption::MenuDevice, Caption::MenuTools, Caption::MenuLanguage,
          Caption::MenuHelp, Caption::MenuRead, Caption::MenuVerify, Caption::MenuProgram}},
        {"File",
         {Caption::MenuNew, Caption::MenuOpen, Caption::MenuOpenExeDir, Caption::MenuSave, Caption::MenuSaveExeDir,
          Caption::MenuPrint, Caption::MenuPrintAll, Caption::MenuExit}},
        {"Ignition", {Caption::MenuRead, Caption::MenuVerify, Caption::MenuProgram}},
        {"Tools", {Caption::AdvanceMinus, Caption::AdvancePlus, Caption::MenuZpet, Caption::MenuZnovu}},
        {"Language", {Caption::MenuEnglish, Caption::MenuGerman, Caption::MenuFrench, Caption::MenuCzech}},
        {"Help", {Caption::MenuContens, Caption::MenuAbout}},
    };
    return m;
}

TEST(CaptionTable, AcceleratorsAreUniqueWithinEachMenu)
{
    // Two clashes come with the unit's own French texts ("&Allumage"/"&Aide",
    // "&Contenu"/"&Contenu du programme"); no other may join them.
    using Clash = std::tuple<std::string, int, std::string>;
    const std::set<Clash> known{{"menu bar and buttons", French, "a"}, {"Help", French, "c"}};
    std::set<Clash> clashes;
    for (const auto &[menu, items] : menus()) {
        for (int language = 0; language < Languages; ++language) {
            std::map<char32_t, int> uses;
            for (Caption item : items) {
                const std::string_view caption = captionText(item, language);
                SCOPED_TRACE(testing::Message() << menu << ", " << LanguageNames[language] << ": " << caption);
                const auto first = caption.find('&');
                if (first == std::string_view::npos)
                    continue;
                EXPECT_EQ(caption.find('&', first + 1), std::string_view::npos) << "two accelerators";
                const auto letter = accelerator(caption);
                ASSERT_TRUE(letter.has_value()) << "'&' with no letter after it";
                EXPECT_NE(*letter, U' ');
                if (++uses[*letter] == 2)
                    clashes.emplace(menu, language, spelled(*letter));
            }
        }
    }
    EXPECT_EQ(clashes, known);
}

TEST(CaptionTable, MenuItemsHaveAnAcceleratorWhereEnglishHasOne)
{
    // Where an item has no accelerator.
    const std::set<std::pair<Caption, int>> without{{Caption::MenuEnglish, German},
                                                    {Caption::MenuFrench, Czech},
                                                    {Caption::MenuHelp, Czech},
                                                    {Caption::MenuContens, Czech}};
    for (const auto &[menu, items] : menus())
        for (Caption item : items)
            for (int language = 0; language < Languages; ++language) {
                const bool english = accelerator(captionText(item, English)).has_value();
                const bool own = accelerator(captionText(item, language)).has_value();
                EXPECT_EQ(own, english && !without.count({item, language}))
                    << menu << ", " << LanguageNames[language] << ": " << captionText(item, language);
            }
}

} // namespace
} // namespace talviro6
