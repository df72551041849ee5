// The cross-hair read-out of the three chart windows (damped oscillator,
// resonance, multiple slits): the values shown beside the cross-hair are the
// chart's values under its centre, named with the chart's quantities and
// units, and drawing them repaints nothing of the plot.
#include "WidgetTestSupport.h"
#include "sim/framework/Chart.h"
#include "sim/framework/ChartCrossHair.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/mechanics/DampedOscillatorWindow.h"
#include "sim/mechanics/ResonanceWindow.h"
#include "sim/optics/MultipleSlitsWindow.h"

#include <QRegularExpression>
#include <QtTest>
#include <cmath>
#include <memory>

using namespace TestSupport;

namespace {

std::unique_ptr<SimulationWindow> makeWindow(const QString &which)
{
    if (which == QLatin1String("damped oscillator"))
        return std::make_unique<DampedOscillatorWindow>();
    if (which == QLatin1String("resonance"))
        return std::make_unique<ResonanceWindow>();
    return std::make_unique<MultipleSlitsWindow>();
}

Chart *chartOf(SimulationWindow *w)
{
    return w->findChild<Chart *>();
}

// One line of a read-out: "quantity number unit".
struct ReadoutLine {
    QString quantity;
    double value = 0;
    int decimals = 0;
    QString unit;
};

ReadoutLine parse(const QString &line)
{
    static const QRegularExpression re(QStringLiteral("^(\\w+) (-?\\d+)(?:\\.(\\d+))? ?(.*)$"));
    const QRegularExpressionMatch m = re.match(line);
    if (!m.hasMatch())
        return {};
    const QString number = m.captured(2) + (m.captured(3).isEmpty() ? QString() : QLatin1Char('.') + m.captured(3));
    return {m.captured(1), number.toDouble(), int(m.captured(3).size()), m.captured(4)};
}

} // namespace

class TestChartReadouts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readoutIsTheValueUnderTheCrossHair_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QPointF>("where"); // fraction of the plot's width and height
        QTest::addColumn<QString>("xLine");  // quantity and unit of each line
        QTest::addColumn<QString>("yLine");
        const QString degree(QChar(0x00B0));
        for (const QPointF &where : {QPointF(0.5, 0.5), QPointF(0.13, 0.87), QPointF(0.97, 0.04)}) {
            const QByteArray at = QByteArray::number(where.x()) + ", " + QByteArray::number(where.y());
            QTest::newRow("damped oscillator " + at) << QStringLiteral("damped oscillator") << where
                                                     << QStringLiteral("time s") << QStringLiteral("displacement units");
            QTest::newRow("resonance " + at) << QStringLiteral("resonance") << where << QStringLiteral("frequency Hz")
                                             << QStringLiteral("amplitude units");
            QTest::newRow("multiple slits " + at) << QStringLiteral("multiple slits") << where
                                                  << (QStringLiteral("angle ") + degree) << QStringLiteral("intensity ");
        }
    }
    void readoutIsTheValueUnderTheCrossHair()
    {
        QFETCH(QString, window);
        QFETCH(QPointF, where);
        QFETCH(QString, xLine);
        QFETCH(QString, yLine);
        ScopedClockTime clock;
        const std::unique_ptr<SimulationWindow> w = makeWindow(window);
        showOffscreen(w.get(), QSize(767, 504));
        QCoreApplication::processEvents();
        Chart *chart = chartOf(w.get());
        QVERIFY(chart);
        auto *crossHair = chart->findChild<ChartCrossHair *>();
        QVERIFY(crossHair);
        w->setCrossHairVisible(true);

        const QRect plot = chart->plotRect();
        const QPoint p = plot.topLeft() + QPoint(int(where.x() * (plot.width() - 1)), int(where.y() * (plot.height() - 1)));
        const QImage before = chart->frame();
        QSignalSpy repainted(chart, &Chart::repainted);
        sendMouse(chart->viewport(), QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        QCOMPARE(chart->crossHairs(), QList<QPoint>{p});

        const QPointF expected = chart->chart()->mapToValue(chart->chart()->mapFromScene(chart->mapToScene(p)));
        QCOMPARE(crossHair->values(), expected);
        const QStringList lines = crossHair->readout().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        const ReadoutLine x = parse(lines[0]), y = parse(lines[1]);
        QCOMPARE(x.quantity + QLatin1Char(' ') + x.unit, xLine);
        QCOMPARE(y.quantity + QLatin1Char(' ') + y.unit, yLine);
        // Rounded, never more than half the last digit shown away.
        QVERIFY2(std::abs(x.value - expected.x()) <= 0.5 * std::pow(10.0, -x.decimals) + 1e-9, qPrintable(lines[0]));
        QVERIFY2(std::abs(y.value - expected.y()) <= 0.5 * std::pow(10.0, -y.decimals) + 1e-9, qPrintable(lines[1]));
        // Finer than a pixel of the axis, so two neighbouring pixels read differently.
        const double xPixel = (chart->bottomAxis()->max() - chart->bottomAxis()->min()) / plot.width();
        QVERIFY2(std::pow(10.0, -x.decimals) <= xPixel, qPrintable(lines[0]));

        // Shown in a box inside the plot, dark text on white, with no
        // repaint of the chart; moving away takes it off again.
        const QRect box = chart->crossHairLabelRect(p, crossHair->readout());
        QVERIFY(plot.contains(box));
        const QImage with = chart->frame();
        int dark = 0;
        for (int yy = box.top() + 2; yy < box.bottom() - 1; ++yy)
            for (int xx = box.left() + 2; xx < box.right() - 1; ++xx)
                dark += qGray(with.pixel(xx, yy)) < 100 && xx != p.x() && yy != p.y();
        QVERIFY2(dark > 20, "no text in the read-out box");
        QCOMPARE(repainted.count(), 0);
        sendMouse(chart->viewport(), QEvent::MouseMove, plot.topLeft() - QPoint(5, 5), Qt::NoButton, Qt::NoButton);
        QVERIFY(crossHair->readout().isEmpty());
        QCOMPARE(chart->frame(), before);
        QCOMPARE(repainted.count(), 0);
    }
};

QTEST_MAIN(TestChartReadouts)
#include "tst_chartreadouts.moc"
