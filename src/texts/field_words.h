#pragma once

#include <string>

namespace talviro6 {

struct FieldInfo;

/// A field under the name the window shows for it, in a language, UTF-8: the
/// caption of its control where it has one ("Limiter [rpm]"), else the name of its
/// family with its position ("Advance map [°], 30%, column 5").
std::string fieldWords(const FieldInfo &field, int language);

} // namespace talviro6
