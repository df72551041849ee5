// The speed-of-sound window: the controls feed the model, the microphone
// trace stays on the oscilloscope's screen, the bench and the glass follow
// the microphone.
#include "sim/framework/PaintBox.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/sound/SpeedOfSoundModel.h"
#include "sim/sound/SpeedOfSoundWindow.h"

#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <cmath>

namespace {

const QSize kWindow(767, 504);

struct Window {
    SpeedOfSoundWindow w;
    Window() { showOffscreen(&w, kWindow); }
    QImage picture() const { return w.picture()->bitmap().image(); }
    QPoint at(double x, double y) const
    {
        const QImage img = picture();
        return QPoint(int(std::floor(img.width() / 2.0 + x)), int(std::floor(img.height() / 2.0 + y)));
    }
};

// The red of the microphone trace, antialiased edges included.
bool isReddish(QRgb c) { return qRed(c) > 150 && qRed(c) - qGreen(c) > 60 && qRed(c) - qBlue(c) > 60; }

} // namespace

class TestSpeedOfSoundWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void controlsFeedTheModel()
    {
        Window f;
        QCOMPARE(f.picture().devicePixelRatio(), 1.0);
        QCOMPARE(f.w.frequency(), 200.0f);
        QCOMPARE(f.w.gain(), 0.5f);
        QCOMPARE(f.w.microphoneX(), 50.0f);
        f.w.frequencySpinBox()->setValue(330);
        f.w.gainSpinBox()->setValue(0.25);
        f.w.shiftSpinBox()->setValue(-1.5);
        f.w.microphoneScrollBar()->setValue(1234);
        QCOMPARE(f.w.frequency(), 330.0f);
        QCOMPARE(f.w.gain(), 0.25f);
        QCOMPARE(f.w.shift(), -1.5f);
        QCOMPARE(f.w.microphoneX(), 123.4f);
        // u follows the picture's smaller side.
        QCOMPARE(f.w.unit(), soundUnit(f.w.picture()->width(), f.w.picture()->height()));
    }

    // However tall the microphone trace, it is drawn only on the screen:
    // nothing red outside the screen rectangle, the bezel keeps its colour.
    void traceNeverLeavesTheScreen_data()
    {
        QTest::addColumn<float>("gain");
        QTest::addColumn<float>("shift");
        QTest::addColumn<int>("position");
        QTest::newRow("gain 0.05 at the speaker") << 0.05f << 0.0f << 0;
        QTest::newRow("gain 0.05 at 50 cm") << 0.05f << 0.0f << 500;
        QTest::newRow("shift 5") << 0.5f << 5.0f << 0;
        QTest::newRow("shift -5, gain 0.05") << 0.05f << -5.0f << 300;
    }
    void traceNeverLeavesTheScreen()
    {
        QFETCH(float, gain);
        QFETCH(float, shift);
        QFETCH(int, position);
        Window f;
        f.w.gainSpinBox()->setValue(gain);
        f.w.shiftSpinBox()->setValue(shift);
        f.w.microphoneScrollBar()->setValue(position);
        const QImage img = f.picture();
        const QRectF screen = f.w.screenInPicture();
        const QRect inside = screen.toAlignedRect().adjusted(-1, -1, 1, 1);
        int redInside = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const bool red = isReddish(img.pixel(x, y));
                if (inside.contains(x, y))
                    redInside += red;
                else
                    QVERIFY2(!red, qPrintable(QStringLiteral("red at %1, %2").arg(x).arg(y)));
            }
        QVERIFY(redInside > 20);
        // The bezel beside the screen keeps its colour where the trace would
        // have crossed it.
        const QRectF scope = oscilloscopeRect(f.w.unit()).translated(img.width() / 2.0, img.height() / 2.0);
        const int bx = int(scope.left() + scope.width() / 2);
        QCOMPARE(img.pixel(bx, int(scope.top() + 0.025 * scope.width())), qRgb(0xC0, 0xDC, 0xC0));
        QCOMPARE(img.pixel(bx, int(scope.bottom() - 0.025 * scope.width())), qRgb(0xC0, 0xDC, 0xC0));
    }

    // The microphone on the bench and under the glass follows the scroll bar.
    void microphoneFollowsTheScrollBar_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("stripRightOfCentre");
        QTest::addColumn<bool>("stripLeftOfCentre");
        QTest::newRow("0.5 cm: the scale starts left of centre") << 5 << true << false;
        QTest::newRow("100 cm") << 1000 << true << true;
        QTest::newRow("200 cm: the scale ends at centre") << 2000 << false << true;
        // The bench ends at 200 cm and so does the microphone's travel: it
        // never leaves the bench, and the glass always has a scale to read.
        QTest::newRow("as far as the bar goes") << 3000 << false << true;
    }
    void microphoneFollowsTheScrollBar()
    {
        QFETCH(int, position);
        QFETCH(bool, stripRightOfCentre);
        QFETCH(bool, stripLeftOfCentre);
        Window f;
        f.w.microphoneScrollBar()->setValue(position);
        const QImage img = f.picture();
        const float u = f.w.unit();
        const float x = f.w.microphoneX();

        QVERIFY(x <= kBenchLength);
        // Inside the cone on the bench: light grey; its body dark grey, with
        // the picture's margin still beyond it.
        const QPoint cone = f.at(microphoneBenchX(x, u) + 0.2 * u, 2.0 * u);
        const QPoint body = f.at(microphoneBenchX(x, u) + 0.7 * u, 2.0 * u);
        QVERIFY(img.rect().adjusted(1, 1, -1, -1).contains(body));
        QCOMPARE(img.pixel(cone), qRgb(0xD3, 0xD3, 0xD3));
        QCOMPARE(img.pixel(body), qRgb(0x3F, 0x3F, 0x3F));

        // The glass: centre (0, 7.5u), strip from 7.5u down 0.35 S; g = S/30.
        const double S = 5.6 * u, g = S / 30, y = 7.5 * u + 0.1 * S;
        const QRgb yellow = qRgb(0xFF, 0xFF, 0x80);
        QCOMPARE(img.pixel(f.at(7 * g, y)) == yellow, stripRightOfCentre);
        QCOMPARE(img.pixel(f.at(-7 * g, y)) == yellow, stripLeftOfCentre);
        // The microphone under the glass: its body right of the centre line.
        QCOMPARE(img.pixel(f.at(0.3 * S, 7.5 * u - 0.3 * S)), qRgb(0x3F, 0x3F, 0x3F));
    }

    // Frequency typed in, then the microphone moved by the keys: Page Down
    // goes to the scroll bar the reader clicked, never to the spin box.
    void keysMoveTheMicrophoneNotTheFrequency()
    {
        SpeedOfSoundWindow w;
        w.resize(kWindow);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        ToolbarSpinBox *frequency = w.frequencySpinBox();
        frequency->setFocus();
        QTRY_VERIFY(frequency->hasFocus());
        frequency->setValue(330);
        QScrollBar *bar = w.microphoneScrollBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 40, bar->height() / 2));
        QTRY_VERIFY(bar->hasFocus());
        const int at = bar->value();
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_PageDown);
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_PageDown);
        QCOMPARE(frequency->value(), 330.0);
        QCOMPARE(bar->value(), at + 20);
        QCOMPARE(w.microphoneX(), float(at + 20) * 0.1f);
        // The arrows step 1 mm the way they point.
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Left);
        QCOMPARE(bar->value(), at + 19);
        QCOMPARE(frequency->value(), 330.0);
    }

    void largeButtons()
    {
        Window f;
        f.w.setLargeButtons(true);
        QCOMPARE(f.w.frequencySpinBox()->width(), 96);
        QCOMPARE(f.w.gainSpinBox()->width(), 75);
        QCOMPARE(f.w.shiftSpinBox()->width(), 75);
        f.w.setLargeButtons(false);
        QCOMPARE(f.w.frequencySpinBox()->width(), 64);
        QCOMPARE(f.w.gainSpinBox()->width(), 50);
        QCOMPARE(f.w.shiftSpinBox()->width(), 50);
    }

    void closingStopsDrawing()
    {
        Window f;
        f.w.closeQuery();
        const QImage before = f.picture().copy();
        f.w.microphoneScrollBar()->setValue(100);
        f.w.frequencySpinBox()->setValue(800);
        QCOMPARE(f.picture(), before);
    }
};

QTEST_MAIN(TestSpeedOfSoundWindow)
#include "tst_speedofsoundwindow.moc"
