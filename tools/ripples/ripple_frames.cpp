// Renders the frames of a short ripple-tank film: two dippers driven in step
// make circular waves that cross, seen from above as a ripple tank's lamp
// throws them on the screen below (bright where the water surface focuses
// the light, dark where it spreads it). The waves are steady, so a film of a
// whole number of periods loops without a jump.
//
//   ripple_frames OUTDIR [FRAMES] [FPS]     writes OUTDIR/frame000.png ...
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kWavelength = 34.0;     // pixels
constexpr double kFrequency = 2.0;       // waves per second
constexpr double kSeparation = 3.0 * kWavelength;
constexpr double kSourceY = 70.0;
constexpr double kLensGain = 55.0;       // how strongly curvature turns into light and shade

struct Source { double x, y; };

// Height of the water surface: both sources' circular waves, weakening as
// they spread (1/sqrt(r) for a circular wave on a surface).
double height(double x, double y, double phase, const Source *sources, int count)
{
    const double k = 2 * M_PI / kWavelength;
    double h = 0;
    for (int i = 0; i < count; ++i) {
        const double r = std::hypot(x - sources[i].x, y - sources[i].y);
        h += std::sin(k * r - phase) / std::sqrt(1.0 + r / kWavelength);
    }
    return h;
}

QImage frame(double phase)
{
    const Source sources[2] = {{kWidth / 2.0 - kSeparation / 2, kSourceY},
                               {kWidth / 2.0 + kSeparation / 2, kSourceY}};
    // The surface on a grid one pixel larger all round, for the curvature.
    const int gw = kWidth + 2, gh = kHeight + 2;
    std::vector<double> h(size_t(gw) * gh);
    for (int j = 0; j < gh; ++j)
        for (int i = 0; i < gw; ++i)
            h[size_t(j) * gw + i] = height(i - 1, j - 1, phase, sources, 2);

    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const size_t c = size_t(y + 1) * gw + (x + 1);
            // A crest is a converging lens: negative curvature lights the screen.
            const double lap = h[c - 1] + h[c + 1] + h[c - gw] + h[c + gw] - 4 * h[c];
            const double light = 0.5 - 0.5 * std::tanh(kLensGain * lap);
            // The tank's lamp is brighter in the middle.
            const double dx = (x - kWidth / 2.0) / kWidth, dy = (y - kHeight / 2.0) / kHeight;
            const double lamp = 1.0 - 0.45 * (dx * dx + dy * dy) * 2;
            const double v = std::clamp(light * lamp, 0.0, 1.0);
            line[x] = qRgb(int(18 + 190 * v), int(52 + 190 * v), int(70 + 175 * v));
        }
    }

    // The dippers and the bar that moves them.
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 66));
    p.drawRect(QRectF(sources[0].x - 10, kSourceY - 34, kSeparation + 20, 10));
    p.drawRect(QRectF(kWidth / 2.0 - 5, 0, 10, kSourceY - 30));
    for (const Source &s : sources) {
        p.drawRect(QRectF(s.x - 2, kSourceY - 26, 4, 20));
        p.setBrush(QColor(40, 40, 44));
        p.drawEllipse(QPointF(s.x, s.y), 6, 6);
        p.setBrush(QColor(60, 60, 66));
    }
    return img;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ripple_frames OUTDIR [FRAMES] [FPS]\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const int frames = argc > 2 ? std::atoi(argv[2]) : 100;
    const double fps = argc > 3 ? std::atof(argv[3]) : 25.0;
    QDir().mkpath(dir);
    for (int n = 0; n < frames; ++n) {
        const double phase = 2 * M_PI * kFrequency * n / fps;
        const QString file = QStringLiteral("%1/frame%2.png").arg(dir).arg(n, 3, 10, QLatin1Char('0'));
        if (!frame(phase).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    std::printf("%d frames written to %s\n", frames, qPrintable(dir));
    return 0;
}
