#include "texts/build_stamp.h"

namespace talviro6 {

std::string buildDate()
{
    // __DATE__ pads a day below 10 with a blank ("Mar  3 2008"); one blank is the form.
    std::string date = __DATE__;
    if (const auto twoBlanks = date.find("  "); twoBlanks != std::string::npos)
        date.erase(twoBlanks, 1);
    return date;
}

std::string buildTime()
{
    return __TIME__;
}

} // namespace talviro6
