// Gamma absorption: the count rate with distance, absorber and the hidden
// source, its random error, the stop clock's run states and texts, the bars
// that push each other, and where the bench stands in the picture.
#include "core/RandomNumbers.h"
#include "sim/sound/GammaAbsorptionModel.h"

#include <QTest>
#include <cmath>

namespace {
// The rate exactly as expected, without its random error.
float noError(float mean, float)
{
    return mean;
}

// Runs a full count of 60 s in ticks of 0.1 s at X 10.
void runToTheEnd(GammaAbsorptionModel &m)
{
    m.start();
    for (int i = 0; i < 1000 && m.running(); ++i)
        m.step(0.1);
}
} // namespace

class TestGammaAbsorptionModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void expectedRate_data()
    {
        QTest::addColumn<float>("thickness");
        QTest::addColumn<float>("detector");
        QTest::addColumn<bool>("source");
        QTest::addColumn<double>("rate");
        QTest::newRow("t 0, d 20") << 0.0f << 20.0f << true << 250.0;
        QTest::newRow("t 5, d 100") << 5.0f << 100.0f << true << 1.773;
        QTest::newRow("t 5, d 10") << 5.0f << 10.0f << true << 177.3;
        QTest::newRow("t 0, d 10: capped") << 0.0f << 10.0f << true << 1000.0;
        QTest::newRow("t 0, d 2: capped") << 0.0f << 2.0f << true << 1000.0;
        QTest::newRow("hidden") << 5.0f << 100.0f << false << 0.3;
        QTest::newRow("hidden, close and bare") << 0.0f << 2.0f << false << 0.3;
    }
    void expectedRate()
    {
        QFETCH(float, thickness);
        QFETCH(float, detector);
        QFETCH(bool, source);
        QFETCH(double, rate);
        QVERIFY2(std::abs(expectedCountRate(thickness, detector, source) - rate) < 0.001 * rate,
                 qPrintable(QString::number(expectedCountRate(thickness, detector, source))));
    }

    void absorberHalvesEvery2mm()
    {
        for (float t = 0; t <= 8.0f; t += 0.5f) {
            const double ratio = expectedCountRate(t + 2.0f, 150, true) / expectedCountRate(t, 150, true);
            QVERIFY(std::abs(ratio - 0.5) < 0.001);
        }
        // And the inverse square: twice as far, a quarter of the rate.
        QVERIFY(std::abs(expectedCountRate(3, 200, true) * 4 / expectedCountRate(3, 100, true) - 1) < 1e-5);
    }

    // The hidden source: 0.3 +- 0.03 counts per second, about 18 in 60 s.
    void background()
    {
        setRandomSeed(20240521);
        GammaAbsorptionModel m;
        m.setSourceShown(false);
        const int runs = 4000;
        double sum = 0, sum2 = 0, countSum = 0;
        for (int i = 0; i < runs; ++i) {
            runToTheEnd(m);
            QCOMPARE(m.state(), GammaAbsorptionModel::State::Finished);
            sum += m.rate();
            sum2 += double(m.rate()) * m.rate();
            countSum += m.counts();
        }
        const double mean = sum / runs;
        const double sd = std::sqrt(sum2 / runs - mean * mean);
        // The mean of 4000 draws lies within 0.0005 (1 sigma 0.0005) and
        // their spread within 5 % of 0.03.
        QVERIFY2(std::abs(mean - 0.3) < 0.0015, qPrintable(QString::number(mean)));
        QVERIFY2(std::abs(sd - 0.03) < 0.0015, qPrintable(QString::number(sd)));
        QVERIFY(std::abs(countSum / runs - 18.0) < 0.1);
    }

    void errorIsDrawnAroundTheCappedRate()
    {
        // The cap comes before the error: the source draws around 1000.
        QList<float> means, sds;
        GammaAbsorptionModel m([&](float mean, float sd) {
            means << mean;
            sds << sd;
            return mean * 1.05f;
        });
        m.setThickness(0);
        m.setDetectorBar(100); // d = 10 cm
        runToTheEnd(m);
        QCOMPARE(means, QList<float>{1000.0f});
        QCOMPARE(sds, QList<float>{100.0f});
        QCOMPARE(m.rate(), 1050.0f);
        QCOMPARE(counterText(m.counts()), QStringLiteral("63000"));
    }

    void fullRunAtTheCap()
    {
        GammaAbsorptionModel m(noError);
        m.setThickness(0);
        m.setDetectorBar(20);
        runToTheEnd(m);
        QCOMPARE(m.counts(), 60000.0f);
        QCOMPARE(counterText(m.counts()), QStringLiteral("60000"));
        QCOMPARE(stopClockText(m.elapsed()), QStringLiteral("60.00"));
    }

    void negativeDrawsCountNothing()
    {
        GammaAbsorptionModel m([](float, float) { return -0.5f; });
        m.start();
        m.step(1.0);
        QCOMPARE(m.rate(), 0.0f);
        QCOMPARE(counterText(m.counts()), QStringLiteral("00000"));
    }

    void texts_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("clock");
        QTest::newRow("0") << 0.0f << "00000"
                           << "00.00";
        QTest::newRow("42") << 42.0f << "00042"
                            << "42.00";
        QTest::newRow("12.5: halves to even") << 12.5f << "00012"
                                              << "12.00";
        QTest::newRow("13.5") << 13.5f << "00014"
                              << "14.00";
        QTest::newRow("7.49") << 7.49f << "00007"
                              << "07.00";
        QTest::newRow("60000") << 60000.0f << "60000"
                               << "60000.00";
        QTest::newRow("more than five digits") << 123456.0f << "123456"
                                               << "123456.00";
    }
    void texts()
    {
        QFETCH(float, value);
        QFETCH(QString, counter);
        QFETCH(QString, clock);
        QCOMPARE(counterText(value), counter);
        QCOMPARE(stopClockText(value), clock);
    }

    void runStates()
    {
        GammaAbsorptionModel m(noError);
        QCOMPARE(m.state(), GammaAbsorptionModel::State::Ready);
        QVERIFY(m.startEnabled() && !m.stopEnabled() && !m.resetEnabled());

        // Stop before the first step leaves Reset disabled.
        m.start();
        QCOMPARE(m.state(), GammaAbsorptionModel::State::Counting);
        QVERIFY(!m.startEnabled() && m.stopEnabled() && !m.resetEnabled());
        m.stop();
        QCOMPARE(m.state(), GammaAbsorptionModel::State::Ready);
        QVERIFY(m.startEnabled() && !m.stopEnabled() && !m.resetEnabled());

        // Stop at 12.5 s shows "12.00" and enables Reset.
        m.start();
        QVERIFY(!m.step(1.25)); // X 10
        m.stop();
        QCOMPARE(m.elapsed(), 12.5f);
        QCOMPARE(stopClockText(m.elapsed()), QStringLiteral("12.00"));
        QCOMPARE(m.state(), GammaAbsorptionModel::State::Stopped);
        QVERIFY(m.resetEnabled());
        // A tick after Stop changes nothing.
        QVERIFY(!m.step(1.0));
        QCOMPARE(m.elapsed(), 12.5f);

        // Start again resumes with a new rate, counts jump to elapsed x rate.
        const float before = m.counts();
        m.setDetectorBar(500); // 50 cm: four times the rate
        m.start();
        m.step(0.05);
        QCOMPARE(m.elapsed(), 13.0f);
        QVERIFY(std::abs(m.counts() - 13.0f * expectedCountRate(5, 50, true)) < 1e-3f);
        QVERIFY(m.counts() > 3 * before);

        // The end: 60 s exactly, Start and Reset enabled.
        while (!m.step(0.5)) {
        }
        QCOMPARE(m.elapsed(), 60.0f);
        QCOMPARE(m.state(), GammaAbsorptionModel::State::Finished);
        QVERIFY(m.startEnabled() && !m.stopEnabled() && m.resetEnabled());
        // Start after the end counts from 0 again.
        m.start();
        QCOMPARE(m.elapsed(), 0.0f);
        QCOMPARE(m.counts(), 0.0f);
        m.step(0.1);
        m.reset();
        QCOMPARE(m.state(), GammaAbsorptionModel::State::Ready);
        QCOMPARE(m.counts(), 0.0f);
        QVERIFY(m.startEnabled() && !m.stopEnabled() && !m.resetEnabled());
    }

    void timeOptions()
    {
        GammaAbsorptionModel m(noError);
        QCOMPARE(m.multiplier(), 10);
        QVERIFY(!m.setMultiplier(10));
        QVERIFY(m.setMultiplier(50));
        // X 50: a full count in 1.2 s of clock time.
        m.start();
        for (int i = 0; i < 11; ++i)
            QVERIFY(!m.step(0.1));
        QVERIFY(m.step(0.1));
        QCOMPARE(m.elapsed(), 60.0f);
        QVERIFY(m.setMultiplier(1));
        m.start();
        m.step(2.0);
        QCOMPARE(m.elapsed(), 2.0f);
    }

    void sourceToggleDrawsANewRate()
    {
        GammaAbsorptionModel m(noError);
        m.start();
        m.step(0.5);
        const float counts = m.counts();
        m.setSourceShown(false);
        QCOMPARE(m.rate(), 0.3f);
        // The counter keeps its value until the next step.
        QCOMPARE(m.counts(), counts);
        m.step(0.5);
        QCOMPARE(m.counts(), 10.0f * 0.3f);
        // Thickness and bars change nothing of the rate drawn.
        QVERIFY(m.setThickness(0));
        QVERIFY(!m.setThickness(0));
        m.setDetectorBar(100);
        QCOMPARE(m.rate(), 0.3f);
    }

    void barsPushEachOther()
    {
        GammaAbsorptionModel m(noError);
        QCOMPARE(m.absorberBar(), 500);
        QCOMPARE(m.detectorBar(), 1000);
        m.setDetectorBar(20);
        QCOMPARE(m.absorberBar(), 10);
        QCOMPARE(m.absorberPosition(), 1.0f);
        QCOMPARE(m.detectorPosition(), 2.0f);
        m.setAbsorberBar(2980);
        QCOMPARE(m.detectorBar(), 2990);
        QCOMPARE(m.detectorPosition(), 299.0f);
        QCOMPARE(m.absorberPosition(), 298.0f);
        // A gap of exactly 1 cm stays as it is.
        m.setAbsorberBar(2980);
        QCOMPARE(m.detectorBar(), 2990);
        m.setDetectorBar(3000);
        QCOMPARE(m.absorberBar(), 2980);
        m.setDetectorBar(2985);
        QCOMPARE(m.absorberBar(), 2975);
        // Far apart, nothing is pushed.
        m.setAbsorberBar(100);
        QCOMPARE(m.detectorBar(), 2985);
    }

    void pictureFit_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<float>("scale");
        QTest::addColumn<float>("zero");
        QTest::newRow("800 x 680") << QSize(800, 680) << 2.0f << 50.0f;
        QTest::newRow("800 x 340") << QSize(800, 340) << 1.0f << 250.0f;
        QTest::newRow("400 x 1000") << QSize(400, 1000) << 1.0f << 50.0f;
    }
    void pictureFit()
    {
        QFETCH(QSize, size);
        QFETCH(float, scale);
        QFETCH(float, zero);
        GammaAbsorptionModel m;
        m.setPictureSize(size.width(), size.height());
        QCOMPARE(m.scale(), scale);
        QCOMPARE(m.rulerZero(), zero);
        // The ruler is centred in the picture.
        const GammaBench b = m.bench();
        QCOMPARE(b.ruler.center().x(), size.width() / 2.0);
        // A picture with no area keeps the fit.
        m.setPictureSize(0, 300);
        QCOMPARE(m.scale(), scale);
        QVERIFY(std::isfinite(m.rulerZero()));
    }

    void benchAt800x680()
    {
        GammaAbsorptionModel m;
        m.setPictureSize(800, 680);
        GammaBench b = m.bench();
        QCOMPARE(b.ruler, QRectF(100, 300, 600, 40));
        QCOMPARE(b.ruler.left(), 100.0);
        QCOMPARE(b.ruler.right(), 700.0);
        QCOMPARE(int(b.ticks.size()), 29);
        QStringList labels;
        for (const RulerTick &t : b.ticks)
            if (!t.label.isEmpty())
                labels << t.label;
        QCOMPARE(labels, QStringList({"50", "100", "150", "200", "250"}));
        QCOMPARE(b.ticks[9].bottom - b.ticks[9].top, 16.0f);
        QCOMPARE(b.ticks[4].bottom - b.ticks[4].top, 12.0f);
        QCOMPARE(b.ticks[0].bottom - b.ticks[0].top, 8.0f);
        QCOMPARE(b.counterWindow, QRectF(520, 40, 160, 48));
        QCOMPARE(b.source.left(), 19.0);
        QCOMPARE(*b.absorberPlate, QRectF(200, 220, 4, 80));
        QCOMPARE(b.detector, QRectF(300, 240, 60, 40));
        QCOMPARE(b.cable.first(), QPointF(360, 260));
        QCOMPARE(b.cable.last(), b.cableDot);
        QCOMPARE(b.absorberGlass, QRectF(100, 400, 240, 240));
        QCOMPARE(b.detectorGlass, QRectF(460, 400, 240, 240));
        // t = 0: no plate on the bench (its glass still shows the position).
        m.setThickness(0);
        b = m.bench();
        QVERIFY(!b.absorberPlate.has_value());
        QCOMPARE(b.absorberGlass, QRectF(100, 400, 240, 240));
    }

    void sourcePotOpening()
    {
        const QRectF square(0, 0, 30, 30);
        const QPolygonF pot = sourcePot(square);
        QCOMPARE(pot.size(), 12);
        // The opening in the right wall: 2 units high about the middle.
        QCOMPARE(pot.first(), QPointF(25.5, 14));
        QCOMPARE(pot[5], QPointF(25.5, 16));
        QCOMPARE(pot.boundingRect(), square);
        QCOMPARE(radiationSign(square), QRectF(5.4, 5.4, 19.2, 19.2));
    }
};

QTEST_GUILESS_MAIN(TestGammaAbsorptionModel)
#include "tst_gammaabsorptionmodel.moc"
