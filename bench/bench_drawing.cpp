// What a redraw costs on a full-HD picture: the floor (clear the back buffer
// and show it) and each drawing operation on its own. Run by hand:
// xvfb-run -a -s "-screen 0 1920x1080x24" bin/bench_drawing
#include "BenchSupport.h"
#include "sim/framework/DrawingContext.h"
#include "sim/framework/RoundedRect.h"
#include "sim/framework/DrawingSurface.h"

#include <QtTest>
#include <cmath>

using namespace Bench;

namespace {

QVector<QPointF> wave(int n)
{
    QVector<QPointF> pts;
    for (int i = 0; i <= n; ++i)
        pts << QPointF(i * double(kW) / n, kH / 2.0 + 400 * std::sin(i * 0.05));
    return pts;
}

std::vector<FixedPoint> fixedWave(int n)
{
    std::vector<FixedPoint> pts;
    for (const QPointF &p : wave(n))
        pts.push_back(fixedPoint(p.x(), p.y()));
    return pts;
}
} // namespace

class BenchDrawing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void floorClearAndShow();
    void raster_data();
    void raster();
    void context_data();
    void context();
};

void BenchDrawing::floorClearAndShow()
{
    Floor f;
    QVERIFY(f.show());
    QBENCHMARK {
        f.once();
    }
}

void BenchDrawing::raster_data()
{
    QTest::addColumn<QString>("op");
    for (const char *op : {"clear", "fill rect 800x600", "frame rect", "1000 horz+vert lines", "polyline 501 aliased",
                           "polyline 501 translucent", "polyline 361 antialiased", "text out"})
        QTest::newRow(op) << QString::fromLatin1(op);
}

void BenchDrawing::raster()
{
    QFETCH(QString, op);
    RasterImage b;
    b.setSize(kW, kH);
    b.clear(0xFFFFFFFF);
    const auto pts501 = fixedWave(500);
    const auto pts361 = fixedWave(360);
    if (op == QLatin1String("clear")) {
        QBENCHMARK { b.clear(0xFFFFFFFF); }
    } else if (op == QLatin1String("fill rect 800x600")) {
        QBENCHMARK { b.fillRect(100, 100, 900, 700, 0xFFFF0000); }
    } else if (op == QLatin1String("frame rect")) {
        QBENCHMARK { b.frameRect(0, 0, kW, kH, 0xFF3F3F3F); }
    } else if (op == QLatin1String("1000 horz+vert lines")) {
        QBENCHMARK {
            for (int i = 0; i < 500; ++i) {
                b.horizontalLine(0, i, kW - 1, 0xFF0000FF);
                b.verticalLine(i, 0, kH - 1, 0xFF0000FF);
            }
        }
    } else if (op == QLatin1String("polyline 501 aliased")) {
        QBENCHMARK { b.polyline(pts501, 0xFF000000); }
    } else if (op == QLatin1String("polyline 501 translucent")) {
        QBENCHMARK { b.polyline(pts501, 0x80000000); }
    } else if (op == QLatin1String("polyline 361 antialiased")) {
        QBENCHMARK { b.polylineAntialiased(pts361, 0xFF0000FF); }
    } else if (op == QLatin1String("text out")) {
        QBENCHMARK { b.drawText(100, 100, QStringLiteral("Frequency 262 Hz")); }
    }
}

void BenchDrawing::context_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<bool>("smooth");
    for (const char *op : {"line", "lines 501", "polygon", "fill polygon", "rectangle", "fill rectangle", "ellipse",
                           "fill ellipse", "arc", "pie", "path", "fill path", "clip + fill", "text in rectangle",
                           "text at point", "open and close context"})
        for (bool smooth : {false, true})
            QTest::addRow("%s%s", op, smooth ? " (smooth)" : "") << QString::fromLatin1(op) << smooth;
}

void BenchDrawing::context()
{
    QFETCH(QString, op);
    QFETCH(bool, smooth);
    RasterImage b;
    b.setSize(kW, kH);
    b.clear(0xFFFFFFFF);
    if (op == QLatin1String("open and close context")) {
        QBENCHMARK {
            DrawingContext dc(b);
            dc.setSmoothing(smooth ? Smoothing::HighQuality : Smoothing::None);
        }
        return;
    }
    DrawingContext dc(b);
    dc.setSmoothing(smooth ? Smoothing::HighQuality : Smoothing::None);
    dc.setTextRendering(smooth ? TextRendering::AntiAlias : TextRendering::Default);
    const DrawPen pen(0xFF000000, 1);
    const DrawBrush brush(0xFF0000FF);
    const DrawFont font(QStringLiteral("Arial"), 40, true);
    const QVector<QPointF> pts = wave(500);
    const QVector<QPointF> poly{{100, 100}, {1800, 200}, {1500, 1000}, {300, 900}, {960, 540}};
    DrawPath path;
    addRoundedRect(path, 100, 100, 1700, 880, 60);
    path.addRectangle(300, 300, 1300, 480);
    DrawPath circle;
    circle.addEllipse(200, 0, 1080, 1080);

    if (op == QLatin1String("line")) {
        QBENCHMARK { dc.drawLine(pen, 0, 0, kW - 1, kH - 1); }
    } else if (op == QLatin1String("lines 501")) {
        QBENCHMARK { dc.drawLines(pen, pts); }
    } else if (op == QLatin1String("polygon")) {
        QBENCHMARK { dc.drawPolygon(pen, poly); }
    } else if (op == QLatin1String("fill polygon")) {
        QBENCHMARK { dc.fillPolygon(brush, poly); }
    } else if (op == QLatin1String("rectangle")) {
        QBENCHMARK { dc.drawRectangle(pen, 100, 100, 1700, 880); }
    } else if (op == QLatin1String("fill rectangle")) {
        QBENCHMARK { dc.fillRectangle(brush, 100, 100, 1700, 880); }
    } else if (op == QLatin1String("ellipse")) {
        QBENCHMARK { dc.drawEllipse(pen, 200, 0, 1080, 1080); }
    } else if (op == QLatin1String("fill ellipse")) {
        QBENCHMARK { dc.fillEllipse(brush, 200, 0, 1080, 1080); }
    } else if (op == QLatin1String("arc")) {
        QBENCHMARK { dc.drawArc(pen, 200, 0, 1080, 1080, -90, 180); }
    } else if (op == QLatin1String("pie")) {
        QBENCHMARK { dc.fillPie(brush, 200, 0, 1080, 1080, 120, -60); }
    } else if (op == QLatin1String("path")) {
        QBENCHMARK { dc.drawPath(pen, path); }
    } else if (op == QLatin1String("fill path")) {
        QBENCHMARK { dc.fillPath(brush, path); }
    } else if (op == QLatin1String("clip + fill")) {
        QBENCHMARK {
            dc.setClip(circle);
            dc.fillRectangle(brush, 0, 0, kW, kH);
            dc.resetClip();
        }
    } else if (op == QLatin1String("text in rectangle")) {
        QBENCHMARK {
            dc.drawString(QStringLiteral("Maximum amplitude 21.33"), font, QRectF(100, 100, 900, 100),
                          TextFormat(TextAlign::Center, TextAlign::Center), brush);
        }
    } else if (op == QLatin1String("text at point")) {
        QBENCHMARK {
            dc.drawString(QStringLiteral("Maximum amplitude 21.33"), font, QPointF(960, 540),
                          TextFormat(TextAlign::Center, TextAlign::Far), brush);
        }
    }
}

QTEST_MAIN(BenchDrawing)
#include "bench_drawing.moc"
