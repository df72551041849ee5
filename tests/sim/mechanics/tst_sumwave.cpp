// The superposition window: the list and its editing, the examples, the
// scale menu, page commands and the pictures.
#include "sim/framework/PaintBox32.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/mechanics/uSumWave.h"

#include <QAction>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <cmath>

namespace {

const QSize kWindow(767, 504);

struct Window {
    TSumWaveFrm w;
    Window() { ShowOffscreen(&w, kWindow); }
};

double PeakRows(const TSumCurve &c, const QRectF &plot)
{
    const double ym = plot.top() + plot.height() / 2, g = plot.height() / 10;
    double peak = 0;
    for (const QPointF &p : c.Points)
        peak = std::max(peak, std::abs(p.y() - ym) / g);
    return peak;
}

QStringList Texts(const QListWidget *list)
{
    QStringList t;
    for (int i = 0; i < list->count(); ++i)
        t << list->item(i)->text();
    return t;
}

bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }

} // namespace

class TestSumWave : public QObject
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
        f.w.AddCurrentWave(); // cleared by the example
        f.w.SeriesBtn->Items().at(item)->trigger();
        QCOMPARE(f.w.Listbox->count(), count);
        QCOMPARE(f.w.Listbox->item(1)->text(), second);
        for (int i = 0; i < count; ++i)
            QCOMPARE(f.w.Listbox->item(i)->checkState(), Qt::Checked);
        QCOMPARE(f.w.SumCaption(), caption);
        QVERIFY2(std::abs(PeakRows(f.w.LastSum(), f.w.SumPlot()) - rows) < 0.01,
                 qPrintable(QString::number(PeakRows(f.w.LastSum(), f.w.SumPlot()))));
        // The first entry is selected and loaded into the editors.
        QCOMPARE(f.w.Listbox->currentRow(), 0);
        const TSineInfo *first = f.w.Component(0);
        QCOMPARE(f.w.FreqSE->Value(), double(first->frequency));
        QCOMPARE(float(f.w.AmpSE->Value()), std::round(first->amplitude * 10) / 10);
        QCOMPARE(f.w.Frequency(), first->frequency);
        QCOMPARE(f.w.Amplitude(), first->amplitude);
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
            f.w.SeriesBtn->Items().at(0)->trigger();
            for (int i = 0; i < f.w.Listbox->count(); ++i)
                f.w.Listbox->item(i)->setCheckState(Qt::Unchecked);
        }
        QCOMPARE(f.w.SumCaption(), QStringLiteral("Maximum amplitude 0.00"));
        const QRectF plot = f.w.SumPlot();
        const QImage img = f.w.SumPic->Snapshot();
        QCOMPARE(img.devicePixelRatio(), 1.0);
        const int ym = int(std::floor(plot.top() + plot.height() / 2));
        for (int x = int(plot.left()) + 2; x < int(plot.right()) - 1; ++x)
            QVERIFY2(IsRed(img.pixel(x, ym)), qPrintable(QString::number(x)));
        // Nothing red a grid row above or below.
        const int g = int(plot.height() / 10);
        for (int x = int(plot.left()) + 2; x < int(plot.right()) - 1; x += 7) {
            QVERIFY(!IsRed(img.pixel(x, ym - g)));
            QVERIFY(!IsRed(img.pixel(x, ym + g)));
        }
    }

    void toggledCheckRedrawsTheSum()
    {
        Window f;
        f.w.SeriesBtn->Items().at(1)->trigger(); // triangular
        f.w.Listbox->item(1)->setCheckState(Qt::Unchecked);
        // 10 + 10/25 - 10/49 + 10/81
        QCOMPARE(f.w.SumCaption(), QStringLiteral("Maximum amplitude 10.32"));
    }

    // Editing the values redraws the wave graph only; "Add" appends a new
    // entry, checked, and redraws the sum.
    void editAndAdd()
    {
        Window f;
        const qint64 sumBefore = f.w.SumPic->Bitmap().Image().cacheKey();
        f.w.FreqSE->setValue(3.0); // as the user would: emits ValueChange
        f.w.AmpSE->setValue(-2.5);
        f.w.PhaseSE->setValue(30);
        QCOMPARE(f.w.Frequency(), 3.0f);
        QCOMPARE(f.w.Amplitude(), -2.5f);
        QCOMPARE(f.w.Phase(), 30);
        QCOMPARE(f.w.SumPic->Bitmap().Image().cacheKey(), sumBefore);

        f.w.AddBtn->trigger();
        QCOMPARE(Texts(f.w.Listbox), QStringList{QStringLiteral("y = -2.50sin(3.00x + 30)")});
        QCOMPARE(f.w.Listbox->item(0)->checkState(), Qt::Checked);
        QCOMPARE(f.w.SumCaption(), QStringLiteral("Maximum amplitude -2.50"));

        f.w.DeleteBtn->trigger();
        QCOMPARE(f.w.Listbox->count(), 0);
        QCOMPARE(f.w.SumCaption(), QStringLiteral("Maximum amplitude 0.00"));
    }

    // Selecting an entry loads its values into the editors without the
    // editors' change handler feeding back.
    void selectingLoadsTheEditors()
    {
        Window f;
        f.w.SeriesBtn->Items().at(0)->trigger();
        f.w.Listbox->setCurrentRow(3); // 10/7 at 7
        QCOMPARE(f.w.Frequency(), 7.0f);
        QCOMPARE(f.w.Amplitude(), 10.0f / 7.0f);
        QCOMPARE(f.w.FreqSE->Value(), 7.0);
        QCOMPARE(f.w.AmpSE->Value(), 1.4);
        QCOMPARE(f.w.Listbox->count(), 10); // never changed in place
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
        f.w.SeriesBtn->Items().at(0)->trigger();
        if (select < 0)
            f.w.Listbox->setCurrentRow(-1);
        else
            f.w.Listbox->setCurrentRow(select);
        QTest::keyClick(f.w.Listbox, Qt::Key(key));
        QCOMPARE(f.w.Listbox->count(), count);
        QCOMPARE(f.w.Listbox->currentRow(), current);
        QCOMPARE(f.w.Frequency(), frequency);
        // The caption follows the remaining entries.
        float total = 0;
        for (int i = 0; i < f.w.Listbox->count(); ++i)
            total += f.w.Component(i)->amplitude;
        QCOMPARE(f.w.SumCaption(), QStringLiteral("Maximum amplitude ") + FormatFixed2(total));
    }

    void deleteTheOnlyEntry()
    {
        Window f;
        f.w.AddCurrentWave();
        f.w.Listbox->setCurrentRow(0);
        QTest::keyClick(f.w.Listbox, Qt::Key_Delete);
        QCOMPARE(f.w.Listbox->count(), 0);
        QCOMPARE(f.w.SumCaption(), QStringLiteral("Maximum amplitude 0.00"));
    }

    void scaleMenu()
    {
        Window f;
        f.w.SeriesBtn->Items().at(2)->trigger(); // beats
        QCOMPARE(f.w.Scale(), 1);
        QVERIFY(f.w.n360->isChecked());

        f.w.n1080->trigger();
        QCOMPARE(f.w.Scale(), 3);
        QVERIFY(f.w.n1080->isChecked() && !f.w.n360->isChecked());
        const TSumCurve expected =
            SumCurve(f.w.SumPlot(), {{*f.w.Component(0), true}, {*f.w.Component(1), true}}, 3, kFineSumSegments);
        QCOMPARE(f.w.LastSum().Points, expected.Points);

        // The checked item again: nothing is redrawn.
        const qint64 key = f.w.SumPic->Bitmap().Image().cacheKey();
        f.w.n1080->trigger();
        QCOMPARE(f.w.Scale(), 3);
        QVERIFY(f.w.n1080->isChecked());
        QCOMPARE(f.w.SumPic->Bitmap().Image().cacheKey(), key);

        f.w.n720->trigger();
        QCOMPARE(f.w.Scale(), 2);
        QVERIFY(f.w.n720->isChecked() && !f.w.n1080->isChecked());
    }

    void pageCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("list");
        const QStringList square = [] {
            QStringList t;
            for (const TSineInfo &i : ExampleComponents(TSumExample::SquareWave))
                t << i.FormulaText();
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
        f.w.SeriesBtn->Items().at(0)->trigger();
        f.w.HandlePageCommand(command);
        QCOMPARE(Texts(f.w.Listbox), list);
        QCOMPARE(f.w.Scale(), 3);
        QVERIFY(f.w.n1080->isChecked() && !f.w.n360->isChecked());
        // The sum shown is the one over three periods.
        std::vector<TSumEntry> entries;
        for (int i = 0; i < f.w.Listbox->count(); ++i)
            entries.push_back({*f.w.Component(i), true});
        const int segments = f.w.LastSum().Points.size() - 1;
        QCOMPARE(f.w.LastSum().Points, SumCurve(f.w.SumPlot(), entries, 3, segments).Points);
    }

    // Both graphs fit their surfaces with their numbers and the sum's
    // caption: nothing is drawn on the bottom rows but the frame.
    void graphsFitTheirSurfaces()
    {
        Window f;
        f.w.SeriesBtn->Items().at(0)->trigger();
        for (TPaintBox32 *pic : {f.w.Pic, f.w.SumPic}) {
            const QImage img = pic->Snapshot();
            QVERIFY(img.height() > 100);
            for (int x = 1; x < img.width() - 1; ++x)
                QCOMPARE(img.pixel(x, img.height() - 2), qRgb(255, 255, 255));
        }
        // The upper pane takes half the height minus 10 pixels.
        QCOMPARE(f.w.ALPanel->height(), kWindow.height() / 2 - 10);
    }

    void closingStopsDrawing()
    {
        Window f;
        f.w.FormCloseQuery();
        const qint64 wave = f.w.Pic->Bitmap().Image().cacheKey();
        const qint64 sum = f.w.SumPic->Bitmap().Image().cacheKey();
        f.w.FreqSE->setValue(5);
        f.w.SeriesBtn->Items().at(0)->trigger();
        QCOMPARE(f.w.Pic->Bitmap().Image().cacheKey(), wave);
        QCOMPARE(f.w.SumPic->Bitmap().Image().cacheKey(), sum);
    }

    void largeButtons()
    {
        Window f;
        f.w.SetLargeButtons(true);
        QCOMPARE(f.w.FreqSE->width(), 75);
        QCOMPARE(f.w.AmpSE->width(), 75);
        QCOMPARE(f.w.PhaseSE->width(), 65);
        f.w.SetLargeButtons(false);
        QCOMPARE(f.w.FreqSE->width(), 55);
        QCOMPARE(f.w.AmpSE->width(), 55);
        QCOMPARE(f.w.PhaseSE->width(), 45);
    }
};

QTEST_MAIN(TestSumWave)
#include "tst_sumwave.moc"
