#include "files/startup_image_file.h"

#include "files/token_reader.h"
#include "model/unit_image.h"

#include <cstdio>

namespace talviro6 {

void writeStartupImage(std::ostream &out, const UnitImage &image)
{
    for (int i = 0; i < ParameterSize; ++i) {
        char text[8];
        const int n = std::snprintf(text, sizeof text, "%5u ", static_cast<unsigned>(image[i]));
        out.write(text, n);
        if (i % 10 == 9)
            out << "\r\n";
        if (i % 100 == 99)
            out << "\r\n";
    }
}

namespace {

int readNumbers(TokenReader &tokens, UnitImage &image)
{
    Token token;
    int count = 0;
    while (count < ParameterSize && tokens.next(token) && token.isNumber)
        image[count++] = static_cast<std::uint8_t>(token.value & 0xFFu);
    return count;
}

} // namespace

int readStartupImage(std::istream &in, UnitImage &image)
{
    TokenReader tokens(in);
    return readNumbers(tokens, image);
}

int readStartupImage(std::string_view content, UnitImage &image)
{
    TokenReader tokens(content);
    return readNumbers(tokens, image);
}

} // namespace talviro6
