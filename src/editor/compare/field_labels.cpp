#include "editor/compare/field_labels.h"

#include "texts/field_words.h"

namespace talviro6 {

QString fieldLabel(const FieldInfo &f, int language)
{
    return QString::fromStdString(fieldWords(f, language));
}

} // namespace talviro6
