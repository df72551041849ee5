// The shared drawing helpers and the normal random numbers.
#include "core/RandomNumbers.h"
#include "sim/framework/RoundedRect.h"
#include "sim/framework/ReadoutPanel.h"
#include "sim/framework/ScaleMagnifier.h"

#include <QtTest>
#include <cmath>

namespace {
RasterImage white(int w, int h)
{
    RasterImage b;
    b.setSize(w, h);
    b.clear(0xFFFFFFFF);
    return b;
}

QList<DrawRecord> ops(const DrawRecording &rec, const QString &op)
{
    QList<DrawRecord> out;
    for (const DrawRecord &r : rec)
        if (r.operation == op)
            out << r;
    return out;
}

int indexOf(const DrawRecording &rec, const QString &op, int from = 0)
{
    for (int i = from; i < rec.size(); ++i)
        if (rec[i].operation == op)
            return i;
    return -1;
}

// The glass used below: square (0, 0, 300), so g = 10 and the centre is
// (150, 150).
constexpr float kS = 300, kG = 10, kC = 150;

struct Magnified {
    DrawRecording rec;
    DrawPen pen{0xFF112233, 5};
};

void magnify(Magnified &m, float P, const MagnifierSettings &settings)
{
    RasterImage b = white(300, 300);
    DrawingContext dc(b);
    dc.setRecorder(&m.rec);
    drawScaleMagnifier(dc, m.pen, 0, 0, kS, P, settings);
}

// Labels drawn, with the x of their top centre.
QList<QPair<QString, double>> labels(const DrawRecording &rec, const QString &unit = QString())
{
    QList<QPair<QString, double>> out;
    for (const DrawRecord &r : rec)
        if (r.operation == QLatin1String("text") && r.text != unit)
            out << qMakePair(r.text, r.points.value(0).x());
    return out;
}

QList<double> tickXs(const DrawRecording &rec)
{
    QList<double> out;
    for (const DrawRecord &r : rec)
        if (r.operation == QLatin1String("line"))
            out << r.points.value(0).x();
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
        QCOMPARE(gaussRandom(mean, 0.0f), mean);
}

void TestHelpers::gaussDistribution()
{
    setRandomSeed(20240611);
    const int n = 40000;
    double sum = 0, sum2 = 0;
    int within1 = 0, within2 = 0;
    for (int i = 0; i < n; ++i) {
        const double v = gaussRandom(250.0f, 25.0f);
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
    setRandomSeed(7);
    QVector<float> a, b, c;
    for (int i = 0; i < 20; ++i)
        a << gaussRandom(0, 1);
    setRandomSeed(7);
    for (int i = 0; i < 20; ++i)
        b << gaussRandom(0, 1);
    setRandomSeed(8);
    for (int i = 0; i < 20; ++i)
        c << gaussRandom(0, 1);
    QCOMPARE(a, b);
    QVERIFY(a != c);
    for (int i = 0; i < 1000; ++i) {
        const double u = randomUniform();
        QVERIFY(u >= 0.0 && u < 1.0);
    }
}

void TestHelpers::roundedRect()
{
    // r = 0.1 h on a 100 x 60 box: radius 6 at every corner, straight edges
    // from 6 to 94 and from 6 to 54.
    DrawPath path;
    addRoundedRect(path, 0, 0, 100, 60, 6);
    const QList<QPolygonF> figures = path.path().toSubpathPolygons();
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
    RasterImage b = white(100, 60);
    {
        DrawingContext dc(b);
        dc.fillPath(DrawBrush(0xFF000000), path);
    }
    QCOMPARE(b.pixel(0, 0), Color32(0xFFFFFFFF));
    QCOMPARE(b.pixel(50, 0), Color32(0xFF000000));
    QCOMPARE(b.pixel(99, 30), Color32(0xFF000000));
}

void TestHelpers::readoutPanel()
{
    RasterImage b = white(100, 60);
    DrawRecording rec;
    DrawPen pen(0xFF000000, 1);
    DrawBrush brush(0xFF00FF00);
    {
        DrawingContext dc(b);
        dc.setSmoothing(Smoothing::HighQuality);
        dc.setRecorder(&rec);
        drawReadoutPanel(dc, pen, brush, 0, 0, 100, 60, QStringLiteral("07.00"), QStringLiteral("s"));
        QCOMPARE(dc.smoothing(), Smoothing::None);
        QCOMPARE(dc.textRendering(), TextRendering::AntiAlias);
    }
    QCOMPARE(brush.color, Color32(0xFF000000)); // left black for the caller
    QCOMPARE(pen.color, Color32(0xFF000000));
    QCOMPARE(pen.width, 1.0f);

    const QList<DrawRecord> fills = ops(rec, QStringLiteral("fillrectangle"));
    QCOMPARE(fills.size(), 2);
    QCOMPARE(fills[0].rect, QRectF(0, 0, 100, 60));
    QCOMPARE(fills[0].color, Color32(0xFFFF8000));
    QCOMPARE(fills[1].rect, QRectF(10, 10, 80, 24)); // value window
    QCOMPARE(fills[1].color, Color32(0xFFFFFFFF));
    QCOMPARE(ops(rec, QStringLiteral("rectangle")).size(), 2);

    const QList<DrawRecord> texts = ops(rec, QStringLiteral("text"));
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0].text, QStringLiteral("07.00"));
    QCOMPARE(texts[0].fontSize, 22.0f);
    QVERIFY(texts[0].bold);
    QVERIFY(QRectF(10, 10, 80, 24).contains(texts[0].rect.center()));
    QVERIFY(std::abs(texts[0].rect.center().x() - 50) < 0.5);
    QCOMPARE(texts[1].text, QStringLiteral("s"));
    QCOMPARE(texts[1].fontSize, 12.0f);
    QCOMPARE(texts[1].points.value(0), QPointF(50, 45));
    QCOMPARE(texts[1].format.horizontal, TextAlign::Center);
    QCOMPARE(texts[1].format.vertical, TextAlign::Center);
    QVERIFY(std::abs(texts[1].rect.center().y() - 45) < 0.5);

    // What it looks like: orange case, white window.
    QCOMPARE(b.pixel(5, 50), Color32(0xFFFF8000));
    QCOMPARE(b.pixel(12, 12), Color32(0xFFFFFFFF));
}

void TestHelpers::magnifierLabelsAroundPosition()
{
    Magnified m;
    magnify(m, 12.34f, MagnifierSettings());
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
    for (const DrawRecord &t : ticks) {
        const double x = t.points[0].x();
        QVERIFY(x > 0 && x < kS);
        const int k = qRound((x - kC + 3.4 * kG) / kG);
        const double len = t.points[1].y() - t.points[0].y();
        QCOMPARE(t.points[0].y(), double(kC));
        QVERIFY(std::abs(len - (k % 10 == 0 ? 6 : k % 5 == 0 ? 4 : 2) * kG) < 1e-3);
    }
    // Labels are bold, a tenth of the glass.
    QCOMPARE(ops(m.rec, QStringLiteral("text")).first().fontSize, 0.1f * kS);
    QVERIFY(ops(m.rec, QStringLiteral("text")).first().bold);
}

void TestHelpers::magnifierStartsAtTheScaleZero()
{
    Magnified m;
    MagnifierSettings s;
    s.benchLength = 300;
    magnify(m, 0.5f, s);
    const DrawRecord strip = ops(m.rec, QStringLiteral("fillrectangle")).first();
    QCOMPARE(strip.rect.left(), double(kC - 5 * kG));
    QCOMPARE(strip.rect.right(), double(kS));
    QCOMPARE(strip.rect.top(), double(kC));
    QVERIFY(std::abs(strip.rect.height() - 0.35 * kS) < 1e-3);
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
    MagnifierSettings s;
    s.benchLength = 300;
    s.unitLabel = QStringLiteral("cm");
    magnify(m, 300.0f, s);
    const DrawRecord strip = ops(m.rec, QStringLiteral("fillrectangle")).first();
    QCOMPARE(strip.rect.left(), 0.0);
    QCOMPARE(strip.rect.right(), double(kC)); // ends on the centre line
    const auto xs = tickXs(m.rec);
    QVERIFY(!xs.isEmpty());
    for (double x : xs)
        QVERIFY(x < kC); // the tick of 300, on the strip's end, is left out
    QStringList texts;
    for (const auto &p : labels(m.rec, s.unitLabel))
        texts << p.first;
    QCOMPARE(texts, QStringList({"299"})); // 298 lies outside the glass, 300 on the end
    // The unit label under the strip's middle.
    const auto all = ops(m.rec, QStringLiteral("text"));
    QCOMPARE(all.last().text, QStringLiteral("cm"));
    QCOMPARE(all.last().points.value(0), QPointF(kC, kC + 0.35 * kS));
}

void TestHelpers::magnifierBeyondTheBenchShowsNoScale()
{
    Magnified m;
    MagnifierSettings s;
    s.benchLength = 200;
    s.unitLabel = QStringLiteral("cm");
    magnify(m, 250.0f, s);
    QVERIFY(ops(m.rec, QStringLiteral("fillrectangle")).isEmpty());
    QVERIFY(tickXs(m.rec).isEmpty());
    QCOMPARE(ops(m.rec, QStringLiteral("text")).size(), 1); // "cm" only
}

void TestHelpers::magnifierContentOrderAndPen()
{
    Magnified m;
    MagnifierSettings s;
    s.penColor = 0xFF3F3F3F;
    s.stripHeight = 0.4f;
    Color32 penInContent = 0;
    s.contentBefore = [&](DrawingContext &dc, DrawPen &pen, const MagnifierGlass &g) {
        penInContent = pen.color;
        dc.fillRectangle(DrawBrush(0xFFC0DCC0), g.cx, g.y, 0.5f * g.s, 0.25f * g.s);
    };
    s.contentAfter = [&](DrawingContext &dc, DrawPen &pen, const MagnifierGlass &g) {
        pen.color = 0xFFFF0000;
        dc.drawLine(pen, g.cx, g.y, g.cx, g.y + g.s);
    };
    magnify(m, 100.0f, s);
    QCOMPARE(penInContent, Color32(0xFF3F3F3F));
    const int clip = indexOf(m.rec, QStringLiteral("clip"));
    const int before = indexOf(m.rec, QStringLiteral("fillrectangle"), indexOf(m.rec, QStringLiteral("fillrectangle")) + 1);
    const int firstTick = indexOf(m.rec, QStringLiteral("line"));
    int lastLine = -1;
    for (int i = 0; i < m.rec.size(); ++i)
        if (m.rec[i].operation == QLatin1String("line"))
            lastLine = i;
    const int reset = indexOf(m.rec, QStringLiteral("resetclip"));
    QVERIFY(clip >= 0 && clip < before && before < firstTick);
    QCOMPARE(m.rec[lastLine].color, Color32(0xFFFF0000)); // drawn after the ticks
    QVERIFY(lastLine < reset);
    QCOMPARE(m.rec[before].color, Color32(0xFFC0DCC0));
    QCOMPARE(m.rec[firstTick].color, Color32(0xFF3F3F3F));
    QVERIFY(std::abs(ops(m.rec, QStringLiteral("fillrectangle")).first().rect.height() - 0.4 * kS) < 1e-3);
    // The rim, after the clip is reset, and the pen left as the rim's.
    const DrawRecord rim = m.rec.last();
    QCOMPARE(rim.operation, QStringLiteral("ellipse"));
    QCOMPARE(rim.rect, QRectF(0, 0, kS, kS));
    QVERIFY(rim.smooth);
    QCOMPARE(m.pen.width, 2.0f);
    QCOMPARE(m.pen.color, Color32(0xFF3F3F3F));
}

QTEST_MAIN(TestHelpers)
#include "tst_helpers.moc"
