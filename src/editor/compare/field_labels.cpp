#include "editor/compare/field_labels.h"

#include "live/operating_point.h"
#include "model/field_table.h"
#include "texts/caption_table.h"
#include "texts/extras_texts.h"
#include "texts/kept_texts.h"

namespace talviro6 {
namespace {

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

/// ", column 5": the word of what the index counts and its number from 1; the map's
/// rows are named by their throttle ("30%"), as their labels on the page are.
QString place(LabelPlace p, int index, int language)
{
    ExtraText word = ExtraText::WordRow;
    switch (p) {
    case LabelPlace::None:
        return {};
    case LabelPlace::Throttle:
        return QStringLiteral(", ") + QString::number(ThrottleRows[static_cast<std::size_t>(index)]) + QLatin1Char('%');
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
    return QStringLiteral(", ") + text(extraText(word, language)) + QLatin1Char(' ') + QString::number(index + 1);
}

} // namespace

QString fieldLabel(const FieldInfo &f, int language)
{
    const FieldLabel &l = f.label;
    const QString after = text(l.text);
    switch (l.form) {
    case LabelForm::FieldName:
        break;
    case LabelForm::Caption:
        return text(captionText(l.caption, language)) + after;
    case LabelForm::TrimmedCaption:
        return text(captionText(l.caption, language)).trimmed() + after;
    case LabelForm::CaptionTail:
        return text(captionText(l.caption, language)).section(QLatin1Char(' '), 1);
    case LabelForm::KeptWord:
        return QString::fromStdString(KeptTexts(language)[l.kept]) + after;
    case LabelForm::Literal:
        return after;
    case LabelForm::Family:
        return text(extraText(l.family, language)) + place(l.places[0], f.index1, language) +
               place(l.places[1], f.index2, language);
    }
    return text(f.name);
}

} // namespace talviro6
