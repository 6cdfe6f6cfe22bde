// renderpicture SVG SCALE OUT.png [SCALE OUT.png ...]
// Draws an SVG into PNG files at the given scales. The build draws the
// splash this way once, so that a start does not spend its first window's
// time on drawing it.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: renderpicture SVG SCALE OUT.png [SCALE OUT.png ...]\n");
        return 2;
    }
    QGuiApplication app(argc, argv); // text in the drawing needs the fonts
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "renderpicture: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        const double scale = std::atof(argv[i]);
        const QSize size(int(std::lround(renderer.defaultSize().width() * scale)),
                         int(std::lround(renderer.defaultSize().height() * scale)));
        if (size.isEmpty()) {
            std::fprintf(stderr, "renderpicture: bad scale %s\n", argv[i]);
            return 2;
        }
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            renderer.render(&painter, QRectF(image.rect()));
        }
        if (!image.save(QString::fromLocal8Bit(argv[i + 1]), "PNG")) {
            std::fprintf(stderr, "renderpicture: cannot write %s\n", argv[i + 1]);
            return 1;
        }
    }
    return 0;
}
