// The superposition window: the list and its editing, the examples, the
// scale menu, page commands and the pictures.
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/mechanics/SuperpositionWindow.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <cmath>

namespace {

const QSize kWindow(767, 504);

struct Window {
    SuperpositionWindow w;
    Window() { showOffscreen(&w, kWindow); }
};

double peakRows(const SumCurve &c, const QRectF &plot)
{
    const double ym = plot.top() + plot.height() / 2, g = plot.height() / 10;
    double peak = 0;
    for (const QPointF &p : c.points)
        peak = std::max(peak, std::abs(p.y() - ym) / g);
    return peak;
}

QStringList texts(const QListWidget *list)
{
    QStringList t;
    for (int i = 0; i < list->count(); ++i)
        t << list->item(i)->text();
    return t;
}

bool isRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }

} // namespace

class TestSuperpositionWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void examples_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("rows");
        QTest::newRow("square") << 0 << 10 << "y = 3.33sin(3.00x)" << "Maximum amplitude 21.33" << 4.63;
        QTest::newRow("triangular") << 1 << 5 << "y = -1.11sin(3.00x)" << "Maximum amplitude 9.21" << 5.0;
        QTest::newRow("beats") << 2 << 2 << "y = 5.00sin(11.00x)" << "Maximum amplitude 10.00" << 5.0;
        QTest::newRow("am") << 3 << 3 << "y = 2.00sin(20.00x)" << "Maximum amplitude 12.00" << 5.0;
    }
    void examples()
    {
        QFETCH(int, item);
        QFETCH(int, count);
        QFETCH(QString, second);
        QFETCH(QString, caption);
        QFETCH(double, rows);
        Window f;
        f.w.addCurrentWave(); // cleared by the example
        f.w.examplesButton()->items().at(item)->trigger();
        QCOMPARE(f.w.waveList()->count(), count);
        QCOMPARE(f.w.waveList()->item(1)->text(), second);
        for (int i = 0; i < count; ++i)
            QCOMPARE(f.w.waveList()->item(i)->checkState(), Qt::Checked);
        QCOMPARE(f.w.sumCaption(), caption);
        QVERIFY2(std::abs(peakRows(f.w.lastSum(), f.w.sumPlot()) - rows) < 0.01,
                 qPrintable(QString::number(peakRows(f.w.lastSum(), f.w.sumPlot()))));
        // The first entry is selected and loaded into the editors.
        QCOMPARE(f.w.waveList()->currentRow(), 0);
        const SineComponent *first = f.w.component(0);
        QCOMPARE(f.w.frequencySpinBox()->value(), double(first->frequency));
        QCOMPARE(float(f.w.amplitudeSpinBox()->value()), std::round(first->amplitude * 10) / 10);
        QCOMPARE(f.w.frequency(), first->frequency);
        QCOMPARE(f.w.amplitude(), first->amplitude);
    }

    // An empty list and a list with nothing checked both draw a flat red
    // line across the whole plot at mid-height.
    void flatLine_data()
    {
        QTest::addColumn<bool>("entries");
        QTest::newRow("empty") << false;
        QTest::newRow("none checked") << true;
    }
    void flatLine()
    {
        QFETCH(bool, entries);
        Window f;
        if (entries) {
            f.w.examplesButton()->items().at(0)->trigger();
            for (int i = 0; i < f.w.waveList()->count(); ++i)
                f.w.waveList()->item(i)->setCheckState(Qt::Unchecked);
        }
        QCOMPARE(f.w.sumCaption(), QStringLiteral("Maximum amplitude 0.00"));
        const QRectF plot = f.w.sumPlot();
        const QImage img = f.w.sumPicture()->snapshot();
        QCOMPARE(img.devicePixelRatio(), 1.0);
        const int ym = int(std::floor(plot.top() + plot.height() / 2));
        for (int x = int(plot.left()) + 2; x < int(plot.right()) - 1; ++x)
            QVERIFY2(isRed(img.pixel(x, ym)), qPrintable(QString::number(x)));
        // Nothing red a grid row above or below.
        const int g = int(plot.height() / 10);
        for (int x = int(plot.left()) + 2; x < int(plot.right()) - 1; x += 7) {
            QVERIFY(!isRed(img.pixel(x, ym - g)));
            QVERIFY(!isRed(img.pixel(x, ym + g)));
        }
    }

    void toggledCheckRedrawsTheSum()
    {
        Window f;
        f.w.examplesButton()->items().at(1)->trigger(); // triangular
        f.w.waveList()->item(1)->setCheckState(Qt::Unchecked);
        // 10 + 10/25 - 10/49 + 10/81
        QCOMPARE(f.w.sumCaption(), QStringLiteral("Maximum amplitude 10.32"));
    }

    // Editing the values redraws the wave graph only; "Add" appends a new
    // entry, checked, and redraws the sum.
    void editAndAdd()
    {
        Window f;
        const qint64 sumBefore = f.w.sumPicture()->bitmap().image().cacheKey();
        f.w.frequencySpinBox()->setValue(3.0); // as the user would: emits valueEdited
        f.w.amplitudeSpinBox()->setValue(-2.5);
        f.w.phaseSpinBox()->setValue(30);
        QCOMPARE(f.w.frequency(), 3.0f);
        QCOMPARE(f.w.amplitude(), -2.5f);
        QCOMPARE(f.w.phase(), 30);
        QCOMPARE(f.w.sumPicture()->bitmap().image().cacheKey(), sumBefore);

        f.w.addAction()->trigger();
        QCOMPARE(texts(f.w.waveList()), QStringList{QStringLiteral("y = -2.50sin(3.00x + 30)")});
        QCOMPARE(f.w.waveList()->item(0)->checkState(), Qt::Checked);
        QCOMPARE(f.w.sumCaption(), QStringLiteral("Maximum amplitude -2.50"));

        f.w.clearAction()->trigger();
        QCOMPARE(f.w.waveList()->count(), 0);
        QCOMPARE(f.w.sumCaption(), QStringLiteral("Maximum amplitude 0.00"));
    }

    // Selecting an entry loads its values into the editors without the
    // editors' change handler feeding back.
    void selectingLoadsTheEditors()
    {
        Window f;
        f.w.examplesButton()->items().at(0)->trigger();
        f.w.waveList()->setCurrentRow(3); // 10/7 at 7
        QCOMPARE(f.w.frequency(), 7.0f);
        QCOMPARE(f.w.amplitude(), 10.0f / 7.0f);
        QCOMPARE(f.w.frequencySpinBox()->value(), 7.0);
        QCOMPARE(f.w.amplitudeSpinBox()->value(), 1.4);
        QCOMPARE(f.w.waveList()->count(), 10); // never changed in place
    }

    // Delete removes the selected entry and selects the one before it (the
    // first when the first went); no selection or another key does nothing.
    void deleteKey_data()
    {
        QTest::addColumn<int>("select"); // -1: nothing selected
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<float>("frequency");
        QTest::newRow("first") << 0 << int(Qt::Key_Delete) << 9 << 0 << 3.0f;
        QTest::newRow("middle") << 4 << int(Qt::Key_Delete) << 9 << 3 << 7.0f;
        QTest::newRow("last") << 9 << int(Qt::Key_Delete) << 9 << 8 << 17.0f;
        QTest::newRow("no selection") << -1 << int(Qt::Key_Delete) << 10 << -1 << 1.0f;
        QTest::newRow("other key") << 4 << int(Qt::Key_Backspace) << 10 << 4 << 9.0f;
    }
    void deleteKey()
    {
        QFETCH(int, select);
        QFETCH(int, key);
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(float, frequency);
        Window f;
        f.w.examplesButton()->items().at(0)->trigger();
        if (select < 0)
            f.w.waveList()->setCurrentRow(-1);
        else
            f.w.waveList()->setCurrentRow(select);
        QTest::keyClick(f.w.waveList(), Qt::Key(key));
        QCOMPARE(f.w.waveList()->count(), count);
        QCOMPARE(f.w.waveList()->currentRow(), current);
        QCOMPARE(f.w.frequency(), frequency);
        // The caption follows the remaining entries.
        float total = 0;
        for (int i = 0; i < f.w.waveList()->count(); ++i)
            total += f.w.component(i)->amplitude;
        QCOMPARE(f.w.sumCaption(), QStringLiteral("Maximum amplitude ") + formatFixed2(total));
    }

    void deleteTheOnlyEntry()
    {
        Window f;
        f.w.addCurrentWave();
        f.w.waveList()->setCurrentRow(0);
        QTest::keyClick(f.w.waveList(), Qt::Key_Delete);
        QCOMPARE(f.w.waveList()->count(), 0);
        QCOMPARE(f.w.sumCaption(), QStringLiteral("Maximum amplitude 0.00"));
    }

    void scaleMenu()
    {
        Window f;
        f.w.examplesButton()->items().at(2)->trigger(); // beats
        QCOMPARE(f.w.scale(), 1);
        QVERIFY(f.w.oneCycleAction()->isChecked());

        f.w.threeCyclesAction()->trigger();
        QCOMPARE(f.w.scale(), 3);
        QVERIFY(f.w.threeCyclesAction()->isChecked() && !f.w.oneCycleAction()->isChecked());
        const SumCurve expected =
            sumCurve(f.w.sumPlot(), {{*f.w.component(0), true}, {*f.w.component(1), true}}, 3, kFineSumSegments);
        QCOMPARE(f.w.lastSum().points, expected.points);

        // The checked item again: nothing is redrawn.
        const qint64 key = f.w.sumPicture()->bitmap().image().cacheKey();
        f.w.threeCyclesAction()->trigger();
        QCOMPARE(f.w.scale(), 3);
        QVERIFY(f.w.threeCyclesAction()->isChecked());
        QCOMPARE(f.w.sumPicture()->bitmap().image().cacheKey(), key);

        f.w.twoCyclesAction()->trigger();
        QCOMPARE(f.w.scale(), 2);
        QVERIFY(f.w.twoCyclesAction()->isChecked() && !f.w.threeCyclesAction()->isChecked());
    }

    void pageCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("list");
        const QStringList square = [] {
            QStringList t;
            for (const SineComponent &i : exampleComponents(SumExample::SquareWave))
                t << i.formulaText();
            return t;
        }();
        QTest::newRow("+beats") << "+beats" << QStringList{"y = 5.00sin(10.00x)", "y = 5.00sin(11.00x)"};
        QTest::newRow("+am") << "+am"
                             << QStringList{"y = 8.00sin(19.00x)", "y = 2.00sin(20.00x)", "y = 2.00sin(18.00x)"};
        QTest::newRow("other") << "+CD" << square;
        QTest::newRow("case matters") << "+Beats" << square;
    }
    void pageCommands()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, list);
        Window f;
        f.w.examplesButton()->items().at(0)->trigger();
        f.w.handlePageCommand(command);
        QCOMPARE(texts(f.w.waveList()), list);
        QCOMPARE(f.w.scale(), 3);
        QVERIFY(f.w.threeCyclesAction()->isChecked() && !f.w.oneCycleAction()->isChecked());
        // The sum shown is the one over three periods.
        std::vector<SumEntry> entries;
        for (int i = 0; i < f.w.waveList()->count(); ++i)
            entries.push_back({*f.w.component(i), true});
        const int segments = f.w.lastSum().points.size() - 1;
        QCOMPARE(f.w.lastSum().points, ::sumCurve(f.w.sumPlot(), entries, 3, segments).points);
    }

    // Both graphs fit their surfaces with their numbers and the sum's
    // caption: nothing is drawn on the bottom rows but the frame.
    void graphsFitTheirSurfaces()
    {
        Window f;
        f.w.examplesButton()->items().at(0)->trigger();
        for (PaintBox *pic : {f.w.wavePicture(), f.w.sumPicture()}) {
            const QImage img = pic->snapshot();
            QVERIFY(img.height() > 100);
            for (int x = 1; x < img.width() - 1; ++x)
                QCOMPARE(img.pixel(x, img.height() - 2), qRgb(255, 255, 255));
        }
        // The upper pane takes half the height minus 10 pixels.
        QCOMPARE(f.w.upperSplitter()->height(), kWindow.height() / 2 - 10);
    }

    void closingStopsDrawing()
    {
        Window f;
        f.w.closeQuery();
        const qint64 wave = f.w.wavePicture()->bitmap().image().cacheKey();
        const qint64 sum = f.w.sumPicture()->bitmap().image().cacheKey();
        f.w.frequencySpinBox()->setValue(5);
        f.w.examplesButton()->items().at(0)->trigger();
        QCOMPARE(f.w.wavePicture()->bitmap().image().cacheKey(), wave);
        QCOMPARE(f.w.sumPicture()->bitmap().image().cacheKey(), sum);
    }

    // The list shows every formula whole, the longest an entry can have
    // included, also once it is long enough to scroll; a heading says
    // what it holds.
    void listShowsWholeFormulas()
    {
        Window f;
        const struct {
            double amplitude, frequency;
            int phase;
        } waves[] = {{-10, 20, 360}, {-10, 20, -360}, {5, 3, 30}, {-9.9, 18.8, -45}, {10, 1, 0}};
        for (int round = 0; round < 6; ++round)
            for (const auto &wave : waves) {
                f.w.amplitudeSpinBox()->setValue(wave.amplitude);
                f.w.frequencySpinBox()->setValue(wave.frequency);
                f.w.phaseSpinBox()->setValue(wave.phase);
                f.w.addAction()->trigger();
            }
        QListWidget *list = f.w.waveList();
        QCoreApplication::processEvents();
        QVERIFY(list->verticalScrollBar()->isVisible());
        QCOMPARE(list->item(0)->text(), QStringLiteral("y = -10.00sin(20.00x + 360)"));
        for (int i = 0; i < 5; ++i) {
            QStyleOptionViewItem option;
            option.initFrom(list);
            option.widget = list;
            option.font = list->font();
            const int needed = list->itemDelegate()->sizeHint(option, list->model()->index(i, 0)).width();
            QVERIFY2(needed <= list->viewport()->width(),
                     qPrintable(QStringLiteral("%1 needs %2 of %3").arg(list->item(i)->text()).arg(needed)
                                    .arg(list->viewport()->width())));
        }
        QLabel *heading = f.w.listHeading();
        QVERIFY(heading && heading->isVisible() && !heading->text().isEmpty());
        QCOMPARE(heading->parentWidget(), list->parentWidget());
        QVERIFY(heading->geometry().bottom() < list->geometry().top());
    }

    void largeButtons()
    {
        Window f;
        f.w.setLargeButtons(true);
        QCOMPARE(f.w.frequencySpinBox()->width(), 75);
        QCOMPARE(f.w.amplitudeSpinBox()->width(), 75);
        QCOMPARE(f.w.phaseSpinBox()->width(), 65);
        f.w.setLargeButtons(false);
        QCOMPARE(f.w.frequencySpinBox()->width(), 55);
        QCOMPARE(f.w.amplitudeSpinBox()->width(), 55);
        QCOMPARE(f.w.phaseSpinBox()->width(), 45);
    }
};

QTEST_MAIN(TestSuperpositionWindow)
#include "tst_superpositionwindow.moc"
