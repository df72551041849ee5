// What a redraw costs on a full-HD picture: the floor (clear the back buffer
// and show it) and each drawing operation on its own. Run by hand:
// xvfb-run -a -s "-screen 0 1920x1080x24" bin/bench_drawing
#include "BenchSupport.h"
#include "sim/framework/DrawingContext.h"
#include "sim/framework/GDIP_RoundRects.h"
#include "sim/framework/PaintBox32.h"

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

std::vector<TFixedPoint> fixedWave(int n)
{
    std::vector<TFixedPoint> pts;
    for (const QPointF &p : wave(n))
        pts.push_back(FixedPoint(p.x(), p.y()));
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
    QVERIFY(f.Show());
    QBENCHMARK {
        f.Once();
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
    TBitmap32 b;
    b.SetSize(kW, kH);
    b.Clear(0xFFFFFFFF);
    const auto pts501 = fixedWave(500);
    const auto pts361 = fixedWave(360);
    if (op == QLatin1String("clear")) {
        QBENCHMARK { b.Clear(0xFFFFFFFF); }
    } else if (op == QLatin1String("fill rect 800x600")) {
        QBENCHMARK { b.FillRect(100, 100, 900, 700, 0xFFFF0000); }
    } else if (op == QLatin1String("frame rect")) {
        QBENCHMARK { b.FrameRect(0, 0, kW, kH, 0xFF3F3F3F); }
    } else if (op == QLatin1String("1000 horz+vert lines")) {
        QBENCHMARK {
            for (int i = 0; i < 500; ++i) {
                b.HorzLine(0, i, kW - 1, 0xFF0000FF);
                b.VertLine(i, 0, kH - 1, 0xFF0000FF);
            }
        }
    } else if (op == QLatin1String("polyline 501 aliased")) {
        QBENCHMARK { b.Polyline(pts501, 0xFF000000); }
    } else if (op == QLatin1String("polyline 501 translucent")) {
        QBENCHMARK { b.Polyline(pts501, 0x80000000); }
    } else if (op == QLatin1String("polyline 361 antialiased")) {
        QBENCHMARK { b.PolylineAA(pts361, 0xFF0000FF); }
    } else if (op == QLatin1String("text out")) {
        QBENCHMARK { b.TextOut(100, 100, QStringLiteral("Frequency 262 Hz")); }
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
    TBitmap32 b;
    b.SetSize(kW, kH);
    b.Clear(0xFFFFFFFF);
    if (op == QLatin1String("open and close context")) {
        QBENCHMARK {
            DrawingContext dc(b);
            dc.SetSmoothing(smooth ? TSmoothing::HighQuality : TSmoothing::None);
        }
        return;
    }
    DrawingContext dc(b);
    dc.SetSmoothing(smooth ? TSmoothing::HighQuality : TSmoothing::None);
    dc.SetTextRendering(smooth ? TTextRendering::AntiAlias : TTextRendering::Default);
    const TDrawPen pen(0xFF000000, 1);
    const TDrawBrush brush(0xFF0000FF);
    const TDrawFont font(QStringLiteral("Arial"), 40, true);
    const QVector<QPointF> pts = wave(500);
    const QVector<QPointF> poly{{100, 100}, {1800, 200}, {1500, 1000}, {300, 900}, {960, 540}};
    TDrawPath path;
    AddRoundedRect(path, 100, 100, 1700, 880, 60);
    path.AddRectangle(300, 300, 1300, 480);
    TDrawPath circle;
    circle.AddEllipse(200, 0, 1080, 1080);

    if (op == QLatin1String("line")) {
        QBENCHMARK { dc.DrawLine(pen, 0, 0, kW - 1, kH - 1); }
    } else if (op == QLatin1String("lines 501")) {
        QBENCHMARK { dc.DrawLines(pen, pts); }
    } else if (op == QLatin1String("polygon")) {
        QBENCHMARK { dc.DrawPolygon(pen, poly); }
    } else if (op == QLatin1String("fill polygon")) {
        QBENCHMARK { dc.FillPolygon(brush, poly); }
    } else if (op == QLatin1String("rectangle")) {
        QBENCHMARK { dc.DrawRectangle(pen, 100, 100, 1700, 880); }
    } else if (op == QLatin1String("fill rectangle")) {
        QBENCHMARK { dc.FillRectangle(brush, 100, 100, 1700, 880); }
    } else if (op == QLatin1String("ellipse")) {
        QBENCHMARK { dc.DrawEllipse(pen, 200, 0, 1080, 1080); }
    } else if (op == QLatin1String("fill ellipse")) {
        QBENCHMARK { dc.FillEllipse(brush, 200, 0, 1080, 1080); }
    } else if (op == QLatin1String("arc")) {
        QBENCHMARK { dc.DrawArc(pen, 200, 0, 1080, 1080, -90, 180); }
    } else if (op == QLatin1String("pie")) {
        QBENCHMARK { dc.FillPie(brush, 200, 0, 1080, 1080, 120, -60); }
    } else if (op == QLatin1String("path")) {
        QBENCHMARK { dc.DrawPath(pen, path); }
    } else if (op == QLatin1String("fill path")) {
        QBENCHMARK { dc.FillPath(brush, path); }
    } else if (op == QLatin1String("clip + fill")) {
        QBENCHMARK {
            dc.SetClip(circle);
            dc.FillRectangle(brush, 0, 0, kW, kH);
            dc.ResetClip();
        }
    } else if (op == QLatin1String("text in rectangle")) {
        QBENCHMARK {
            dc.DrawString(QStringLiteral("Maximum amplitude 21.33"), font, QRectF(100, 100, 900, 100),
                          TTextFormat(TTextAlign::Center, TTextAlign::Center), brush);
        }
    } else if (op == QLatin1String("text at point")) {
        QBENCHMARK {
            dc.DrawString(QStringLiteral("Maximum amplitude 21.33"), font, QPointF(960, 540),
                          TTextFormat(TTextAlign::Center, TTextAlign::Far), brush);
        }
    }
}

QTEST_MAIN(BenchDrawing)
#include "bench_drawing.moc"
