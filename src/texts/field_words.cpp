#include "texts/field_words.h"

#include "model/field_table.h"
#include "model/fields.h"
#include "texts/caption_table.h"
#include "texts/extras_texts.h"
#include "texts/kept_texts.h"

namespace talviro6 {
namespace {

/// ", column 5": the word of what the index counts and its number from 1; the map's
/// rows are named by their throttle ("30%"), as their labels on the page are.
std::string place(LabelPlace p, int index, int language)
{
    ExtraText word = ExtraText::WordRow;
    switch (p) {
    case LabelPlace::None:
        return {};
    case LabelPlace::Throttle:
        return ", " + std::to_string(ThrottleRows[static_cast<std::size_t>(index)]) + '%';
    case LabelPlace::Channel:
        word = ExtraText::WordChannel;
        break;
    case LabelPlace::Point:
        word = ExtraText::WordPoint;
        break;
    case LabelPlace::Column:
        word = ExtraText::WordColumn;
        break;
    case LabelPlace::Output:
        word = ExtraText::WordOutput;
        break;
    case LabelPlace::Threshold:
        word = ExtraText::WordThreshold;
        break;
    case LabelPlace::Row:
        word = ExtraText::WordRow;
        break;
    }
    return ", " + std::string(extraText(word, language)) + ' ' + std::to_string(index + 1);
}

std::string trimmed(std::string_view s)
{
    constexpr std::string_view Blanks = " \t\n\r\f\v";
    const std::size_t first = s.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(s.substr(first, s.find_last_not_of(Blanks) - first + 1));
}

/// The words after the first blank: "ignition per revolution".
std::string afterFirstWord(std::string_view s)
{
    const std::size_t blank = s.find(' ');
    return blank == std::string_view::npos ? std::string() : std::string(s.substr(blank + 1));
}

} // namespace

std::string fieldWords(const FieldInfo &f, int language)
{
    const FieldLabel &l = f.label;
    const std::string after(l.text);
    switch (l.form) {
    case LabelForm::FieldName:
        break;
    case LabelForm::Caption:
        return std::string(captionText(l.caption, language)) + after;
    case LabelForm::TrimmedCaption:
        return trimmed(captionText(l.caption, language)) + after;
    case LabelForm::CaptionTail:
        return afterFirstWord(captionText(l.caption, language));
    case LabelForm::KeptWord:
        return KeptTexts(language)[l.kept] + after;
    case LabelForm::Literal:
        return after;
    case LabelForm::Family:
        return std::string(extraText(l.family, language)) + place(l.places[0], f.index1, language) +
               place(l.places[1], f.index2, language);
    }
    return std::string(f.name);
}

} // namespace talviro6
