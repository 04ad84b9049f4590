// Renders the program's SVG icon into the PNG sizes the desktop's icon theme
// wants, at build time, so that neither the window nor the desktop needs an SVG
// renderer to show it.
#include "files/atomic_write.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <string>

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ICON.svg SIZE:OUT.png...\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: %s is not an SVG picture that can be drawn\n", argv[0], argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto colon = argument.find(':');
        int size = 0;
        try {
            size = colon == std::string::npos ? 0 : std::stoi(argument.substr(0, colon));
        } catch (const std::exception &) {
        }
        if (size < 16 || size > 1024) {
            std::fprintf(stderr, "%s: %s is not SIZE:OUT.png with a size of 16 to 1024\n", argv[0], argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();

        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
            std::fprintf(stderr, "%s: the %d px picture could not be encoded as PNG\n", argv[0], size);
            return 1;
        }
        const std::string error = talviro6::writeFileAtomically(
            argument.substr(colon + 1), [&](std::ostream &out) { out.write(png.constData(), png.size()); });
        if (!error.empty()) {
            std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
            return 1;
        }
    }
    return 0;
}
