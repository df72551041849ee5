// Renders an SVG drawing to a PNG file at the drawing's own size (or at the
// width given as third argument, keeping the aspect ratio). Used by the
// build to turn the course's vector diagrams into the pictures the pages
// show.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: svgrender input.svg output.png [width]\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "svgrender: cannot read %s\n", argv[1]);
        return 1;
    }
    QSize size = svg.defaultSize();
    if (argc > 3) {
        const int w = QByteArray(argv[3]).toInt();
        if (w > 0 && size.width() > 0)
            size = QSize(w, qRound(double(size.height()) * w / size.width()));
    }
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    svg.render(&p);
    p.end();
    if (!img.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "svgrender: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
