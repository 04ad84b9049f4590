#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The one shape of every four-language table in this room: a row per entry of an
// enum, tagged with its entry so that a row left out or moved cannot shift the
// texts of the rows after it (each table checks that at compile time).

namespace talviro6 {

/// The languages of the user interface, in the order of the language menu and of
/// every row of texts.
enum class Language : std::size_t { English, German, French, Czech };

inline constexpr int LanguageTableCount = 4; ///< English, German, French, Czech

/// The language of a settings index: 0 English, 1 German, 2 French, 3 Czech; any
/// other index gives English, so a damaged setting still shows a readable window.
constexpr Language languageOf(int languageIndex)
{
    return languageIndex < 0 || languageIndex >= LanguageTableCount ? Language::English
                                                                    : static_cast<Language>(languageIndex);
}

template <typename Entry, typename Text = std::string_view> struct LanguageRow {
    Entry entry;
    std::array<Text, LanguageTableCount> texts;
};

/// The rows of one table, exactly one per entry of `Entry` (0 ... Count - 1).
template <typename Entry, std::size_t Count, typename Text = std::string_view> class LanguageTable {
  public:
    using Row = LanguageRow<Entry, Text>;

    constexpr explicit LanguageTable(const std::array<Row, Count> &rows) : m_rows(rows) {}

    /// Whether row i belongs to entry i for every row; tables static_assert it.
    constexpr bool inEntryOrder() const
    {
        for (std::size_t i = 0; i < Count; ++i)
            if (static_cast<std::size_t>(m_rows[i].entry) != i)
                return false;
        return true;
    }

    constexpr Text text(Entry entry, int languageIndex) const
    {
        const auto row = static_cast<std::size_t>(entry);
        if (row >= Count)
            return Text{};
        return m_rows[row].texts[static_cast<std::size_t>(languageOf(languageIndex))];
    }

  private:
    std::array<Row, Count> m_rows;
};

} // namespace talviro6
