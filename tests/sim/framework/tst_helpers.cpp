// The shared drawing helpers and the normal random numbers.
#include "sim/framework/AddMaths.h"
#include "sim/framework/GDIP_RoundRects.h"
#include "sim/framework/GDIP_StopClocks.h"
#include "sim/framework/ScaleMagnifier.h"

#include <QtTest>
#include <cmath>

namespace {
TBitmap32 white(int w, int h)
{
    TBitmap32 b;
    b.SetSize(w, h);
    b.Clear(0xFFFFFFFF);
    return b;
}

QList<TDrawRecord> ops(const TDrawRecording &rec, const QString &op)
{
    QList<TDrawRecord> out;
    for (const TDrawRecord &r : rec)
        if (r.Op == op)
            out << r;
    return out;
}

int indexOf(const TDrawRecording &rec, const QString &op, int from = 0)
{
    for (int i = from; i < rec.size(); ++i)
        if (rec[i].Op == op)
            return i;
    return -1;
}

// The glass used below: square (0, 0, 300), so g = 10 and the centre is
// (150, 150).
constexpr float kS = 300, kG = 10, kC = 150;

struct Magnified {
    TDrawRecording rec;
    TDrawPen pen{0xFF112233, 5};
};

void magnify(Magnified &m, float P, const TMagnifierSettings &settings)
{
    TBitmap32 b = white(300, 300);
    DrawingContext dc(b);
    dc.SetRecorder(&m.rec);
    DrawScaleMagnifier(dc, m.pen, 0, 0, kS, P, settings);
}

// Labels drawn, with the x of their top centre.
QList<QPair<QString, double>> labels(const TDrawRecording &rec, const QString &unit = QString())
{
    QList<QPair<QString, double>> out;
    for (const TDrawRecord &r : rec)
        if (r.Op == QLatin1String("text") && r.Text != unit)
            out << qMakePair(r.Text, r.Points.value(0).x());
    return out;
}

QList<double> tickXs(const TDrawRecording &rec)
{
    QList<double> out;
    for (const TDrawRecord &r : rec)
        if (r.Op == QLatin1String("line"))
            out << r.Points.value(0).x();
    return out;
}
} // namespace

class TestHelpers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void gaussWithoutSpreadIsTheMean_data();
    void gaussWithoutSpreadIsTheMean();
    void gaussDistribution();
    void gaussSeeds();
    void roundedRect();
    void readoutPanel();
    void magnifierLabelsAroundPosition();
    void magnifierStartsAtTheScaleZero();
    void magnifierEndsAtTheBenchLength();
    void magnifierBeyondTheBenchShowsNoScale();
    void magnifierContentOrderAndPen();
};

void TestHelpers::gaussWithoutSpreadIsTheMean_data()
{
    QTest::addColumn<float>("mean");
    QTest::newRow("0") << 0.0f;
    QTest::newRow("0.3") << 0.3f;
    QTest::newRow("-3.5") << -3.5f;
    QTest::newRow("1000") << 1000.0f;
    QTest::newRow("1.77e-3") << 1.77e-3f;
}

void TestHelpers::gaussWithoutSpreadIsTheMean()
{
    QFETCH(float, mean);
    for (int i = 0; i < 200; ++i)
        QCOMPARE(GaussRandom(mean, 0.0f), mean);
}

void TestHelpers::gaussDistribution()
{
    SetRandomSeed(20240611);
    const int n = 40000;
    double sum = 0, sum2 = 0;
    int within1 = 0, within2 = 0;
    for (int i = 0; i < n; ++i) {
        const double v = GaussRandom(250.0f, 25.0f);
        sum += v;
        sum2 += v * v;
        within1 += std::abs(v - 250.0) < 25.0;
        within2 += std::abs(v - 250.0) < 50.0;
    }
    const double mean = sum / n;
    const double sd = std::sqrt(sum2 / n - mean * mean);
    QVERIFY2(std::abs(mean - 250.0) < 0.5, qPrintable(QString::number(mean)));
    QVERIFY2(std::abs(sd - 25.0) < 0.6, qPrintable(QString::number(sd)));
    // The normal shape, not just its moments: 68 % and 95 % within 1 and 2 sd.
    QVERIFY(std::abs(within1 / double(n) - 0.6827) < 0.01);
    QVERIFY(std::abs(within2 / double(n) - 0.9545) < 0.006);
}

void TestHelpers::gaussSeeds()
{
    SetRandomSeed(7);
    QVector<float> a, b, c;
    for (int i = 0; i < 20; ++i)
        a << GaussRandom(0, 1);
    SetRandomSeed(7);
    for (int i = 0; i < 20; ++i)
        b << GaussRandom(0, 1);
    SetRandomSeed(8);
    for (int i = 0; i < 20; ++i)
        c << GaussRandom(0, 1);
    QCOMPARE(a, b);
    QVERIFY(a != c);
    for (int i = 0; i < 1000; ++i) {
        const double u = RandomUniform();
        QVERIFY(u >= 0.0 && u < 1.0);
    }
}

void TestHelpers::roundedRect()
{
    // r = 0.1 h on a 100 x 60 box: radius 6 at every corner, straight edges
    // from 6 to 94 and from 6 to 54.
    TDrawPath path;
    AddRoundedRect(path, 0, 0, 100, 60, 6);
    const QList<QPolygonF> figures = path.Path().toSubpathPolygons();
    QCOMPARE(figures.size(), 1);
    const QPolygonF outline = figures.first();
    QCOMPARE(outline.first(), QPointF(6, 0));
    QVERIFY(QLineF(outline.last(), QPointF(6, 0)).length() < 1e-3); // closed by its last arc

    auto near = [&](QPointF p) {
        for (const QPointF &q : outline)
            if (QLineF(p, q).length() < 1e-3)
                return true;
        return false;
    };
    for (QPointF p : {QPointF(94, 0), QPointF(100, 6), QPointF(100, 54), QPointF(94, 60), QPointF(6, 60),
                      QPointF(0, 54), QPointF(0, 6)})
        QVERIFY2(near(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));

    // Every point lies on the rounded outline: on a straight edge, or 6 from
    // the centre of its corner.
    const QPointF centres[4] = {{94, 6}, {94, 54}, {6, 54}, {6, 6}};
    for (const QPointF &p : outline) {
        const bool inCorner = (p.x() < 6 || p.x() > 94) && (p.y() < 6 || p.y() > 54);
        if (inCorner) {
            const QPointF c = centres[p.x() > 50 ? (p.y() < 30 ? 0 : 1) : (p.y() > 30 ? 2 : 3)];
            QVERIFY2(std::abs(QLineF(p, c).length() - 6) < 0.05,
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        } else {
            QVERIFY(std::abs(p.x()) < 1e-3 || std::abs(p.x() - 100) < 1e-3 || std::abs(p.y()) < 1e-3
                    || std::abs(p.y() - 60) < 1e-3);
        }
    }

    // Filled: the corner pixel stays empty, the edges are filled.
    TBitmap32 b = white(100, 60);
    {
        DrawingContext dc(b);
        dc.FillPath(TDrawBrush(0xFF000000), path);
    }
    QCOMPARE(b.Pixel(0, 0), TColor32(0xFFFFFFFF));
    QCOMPARE(b.Pixel(50, 0), TColor32(0xFF000000));
    QCOMPARE(b.Pixel(99, 30), TColor32(0xFF000000));
}

void TestHelpers::readoutPanel()
{
    TBitmap32 b = white(100, 60);
    TDrawRecording rec;
    TDrawPen pen(0xFF000000, 1);
    TDrawBrush brush(0xFF00FF00);
    {
        DrawingContext dc(b);
        dc.SetSmoothing(TSmoothing::HighQuality);
        dc.SetRecorder(&rec);
        DrawReadoutPanel(dc, pen, brush, 0, 0, 100, 60, QStringLiteral("07.00"), QStringLiteral("s"));
        QCOMPARE(dc.Smoothing(), TSmoothing::None);
        QCOMPARE(dc.TextRendering(), TTextRendering::AntiAlias);
    }
    QCOMPARE(brush.Color, TColor32(0xFF000000)); // left black for the caller
    QCOMPARE(pen.Color, TColor32(0xFF000000));
    QCOMPARE(pen.Width, 1.0f);

    const QList<TDrawRecord> fills = ops(rec, QStringLiteral("fillrectangle"));
    QCOMPARE(fills.size(), 2);
    QCOMPARE(fills[0].Rect, QRectF(0, 0, 100, 60));
    QCOMPARE(fills[0].Color, TColor32(0xFFFF8000));
    QCOMPARE(fills[1].Rect, QRectF(10, 10, 80, 24)); // value window
    QCOMPARE(fills[1].Color, TColor32(0xFFFFFFFF));
    QCOMPARE(ops(rec, QStringLiteral("rectangle")).size(), 2);

    const QList<TDrawRecord> texts = ops(rec, QStringLiteral("text"));
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0].Text, QStringLiteral("07.00"));
    QCOMPARE(texts[0].FontSize, 22.0f);
    QVERIFY(texts[0].Bold);
    QVERIFY(QRectF(10, 10, 80, 24).contains(texts[0].Rect.center()));
    QVERIFY(std::abs(texts[0].Rect.center().x() - 50) < 0.5);
    QCOMPARE(texts[1].Text, QStringLiteral("s"));
    QCOMPARE(texts[1].FontSize, 12.0f);
    QCOMPARE(texts[1].Points.value(0), QPointF(50, 45));
    QCOMPARE(texts[1].Format.Horizontal, TTextAlign::Center);
    QCOMPARE(texts[1].Format.Vertical, TTextAlign::Center);
    QVERIFY(std::abs(texts[1].Rect.center().y() - 45) < 0.5);

    // What it looks like: orange case, white window.
    QCOMPARE(b.Pixel(5, 50), TColor32(0xFFFF8000));
    QCOMPARE(b.Pixel(12, 12), TColor32(0xFFFFFFFF));
}

void TestHelpers::magnifierLabelsAroundPosition()
{
    Magnified m;
    magnify(m, 12.34f, TMagnifierSettings());
    const auto l = labels(m.rec);
    QStringList texts;
    for (const auto &p : l)
        texts << p.first;
    // Labels 10 and 14 belong to k = -20 and 20, outside the glass (which
    // spans 15 tenths each side); the ones inside carry 11, 12 and 13, and
    // 12 = trunc(P) stands 3.4 g left of the centre line.
    QCOMPARE(texts, QStringList({"11", "12", "13"}));
    for (int i = 0; i < 3; ++i)
        QVERIFY(std::abs(l[i].second - (kC + (i - 1) * 10 * kG - 3.4 * kG)) < 1e-3);
    // Every tenth inside the glass (x from 16 to 286): 30 ticks, long ones
    // under the labels, middle ones at the halves.
    const auto ticks = ops(m.rec, QStringLiteral("line"));
    QCOMPARE(ticks.size(), 30);
    for (const TDrawRecord &t : ticks) {
        const double x = t.Points[0].x();
        QVERIFY(x > 0 && x < kS);
        const int k = qRound((x - kC + 3.4 * kG) / kG);
        const double len = t.Points[1].y() - t.Points[0].y();
        QCOMPARE(t.Points[0].y(), double(kC));
        QVERIFY(std::abs(len - (k % 10 == 0 ? 6 : k % 5 == 0 ? 4 : 2) * kG) < 1e-3);
    }
    // Labels are bold, a tenth of the glass.
    QCOMPARE(ops(m.rec, QStringLiteral("text")).first().FontSize, 0.1f * kS);
    QVERIFY(ops(m.rec, QStringLiteral("text")).first().Bold);
}

void TestHelpers::magnifierStartsAtTheScaleZero()
{
    Magnified m;
    TMagnifierSettings s;
    s.BenchLength = 300;
    magnify(m, 0.5f, s);
    const TDrawRecord strip = ops(m.rec, QStringLiteral("fillrectangle")).first();
    QCOMPARE(strip.Rect.left(), double(kC - 5 * kG));
    QCOMPARE(strip.Rect.right(), double(kS));
    QCOMPARE(strip.Rect.top(), double(kC));
    QVERIFY(std::abs(strip.Rect.height() - 0.35 * kS) < 1e-3);
    // Neither the tick at the zero nor its label 0: the test is strict.
    const auto xs = tickXs(m.rec);
    QVERIFY(!xs.isEmpty());
    for (double x : xs)
        QVERIFY(x > kC - 5 * kG);
    for (const auto &p : labels(m.rec))
        QVERIFY(p.first != QLatin1String("0"));
    QCOMPARE(labels(m.rec).value(0).first, QStringLiteral("1"));
}

void TestHelpers::magnifierEndsAtTheBenchLength()
{
    Magnified m;
    TMagnifierSettings s;
    s.BenchLength = 300;
    s.UnitLabel = QStringLiteral("cm");
    magnify(m, 300.0f, s);
    const TDrawRecord strip = ops(m.rec, QStringLiteral("fillrectangle")).first();
    QCOMPARE(strip.Rect.left(), 0.0);
    QCOMPARE(strip.Rect.right(), double(kC)); // ends on the centre line
    const auto xs = tickXs(m.rec);
    QVERIFY(!xs.isEmpty());
    for (double x : xs)
        QVERIFY(x < kC); // the tick of 300, on the strip's end, is left out
    QStringList texts;
    for (const auto &p : labels(m.rec, s.UnitLabel))
        texts << p.first;
    QCOMPARE(texts, QStringList({"299"})); // 298 lies outside the glass, 300 on the end
    // The unit label under the strip's middle.
    const auto all = ops(m.rec, QStringLiteral("text"));
    QCOMPARE(all.last().Text, QStringLiteral("cm"));
    QCOMPARE(all.last().Points.value(0), QPointF(kC, kC + 0.35 * kS));
}

void TestHelpers::magnifierBeyondTheBenchShowsNoScale()
{
    Magnified m;
    TMagnifierSettings s;
    s.BenchLength = 200;
    s.UnitLabel = QStringLiteral("cm");
    magnify(m, 250.0f, s);
    QVERIFY(ops(m.rec, QStringLiteral("fillrectangle")).isEmpty());
    QVERIFY(tickXs(m.rec).isEmpty());
    QCOMPARE(ops(m.rec, QStringLiteral("text")).size(), 1); // "cm" only
}

void TestHelpers::magnifierContentOrderAndPen()
{
    Magnified m;
    TMagnifierSettings s;
    s.PenColor = 0xFF3F3F3F;
    s.StripHeight = 0.4f;
    TColor32 penInContent = 0;
    s.ContentBefore = [&](DrawingContext &dc, TDrawPen &pen, const TMagnifierGlass &g) {
        penInContent = pen.Color;
        dc.FillRectangle(TDrawBrush(0xFFC0DCC0), g.cx, g.Y, 0.5f * g.S, 0.25f * g.S);
    };
    s.ContentAfter = [&](DrawingContext &dc, TDrawPen &pen, const TMagnifierGlass &g) {
        pen.Color = 0xFFFF0000;
        dc.DrawLine(pen, g.cx, g.Y, g.cx, g.Y + g.S);
    };
    magnify(m, 100.0f, s);
    QCOMPARE(penInContent, TColor32(0xFF3F3F3F));
    const int clip = indexOf(m.rec, QStringLiteral("clip"));
    const int before = indexOf(m.rec, QStringLiteral("fillrectangle"), indexOf(m.rec, QStringLiteral("fillrectangle")) + 1);
    const int firstTick = indexOf(m.rec, QStringLiteral("line"));
    int lastLine = -1;
    for (int i = 0; i < m.rec.size(); ++i)
        if (m.rec[i].Op == QLatin1String("line"))
            lastLine = i;
    const int reset = indexOf(m.rec, QStringLiteral("resetclip"));
    QVERIFY(clip >= 0 && clip < before && before < firstTick);
    QCOMPARE(m.rec[lastLine].Color, TColor32(0xFFFF0000)); // drawn after the ticks
    QVERIFY(lastLine < reset);
    QCOMPARE(m.rec[before].Color, TColor32(0xFFC0DCC0));
    QCOMPARE(m.rec[firstTick].Color, TColor32(0xFF3F3F3F));
    QVERIFY(std::abs(ops(m.rec, QStringLiteral("fillrectangle")).first().Rect.height() - 0.4 * kS) < 1e-3);
    // The rim, after the clip is reset, and the pen left as the rim's.
    const TDrawRecord rim = m.rec.last();
    QCOMPARE(rim.Op, QStringLiteral("ellipse"));
    QCOMPARE(rim.Rect, QRectF(0, 0, kS, kS));
    QVERIFY(rim.Smooth);
    QCOMPARE(m.pen.Width, 2.0f);
    QCOMPARE(m.pen.Color, TColor32(0xFF3F3F3F));
}

QTEST_MAIN(TestHelpers)
#include "tst_helpers.moc"
