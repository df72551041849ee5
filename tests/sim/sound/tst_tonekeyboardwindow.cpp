// The tone keyboard window: the 400 x 500 layout, the keyboard and the
// waveform as drawn, what a press, a drag and a release do, the message when
// there is no sound output, a tone stopped with the window, large buttons,
// and the window shown by the main window for its page.
#include "AppTestSupport.h"

#include "app/KindsTable.h"
#include "app/MainWindow.h"
#include "app/SimulationHost.h"
#include "core/SimulationKind.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/sound/TonePlayer.h"
#include "sim/sound/ToneKeyboardWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>

using namespace TestSupport;

namespace {

constexpr Color32 kBlack = 0xFF000000;
constexpr Color32 kIvory = 0xFFFFFFE0;
constexpr Color32 kGrey = 0xFF7F7F7F;
constexpr Color32 kWhite = 0xFFFFFFFF;

QPoint centre(const QRect &r)
{
    return QPoint(r.left() + r.width() / 2, r.top() + r.height() / 2);
}

// The window on its own at 400 x 500, under a parent that records the
// status-bar messages the window sends up.
struct Window : QWidget {
    ToneKeyboardWindow *w;
    QStringList statusTips;
    Window() : w(new ToneKeyboardWindow(this))
    {
        w->setGeometry(0, 0, 400, 500);
        showOffscreen(this, QSize(400, 500));
    }
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::StatusTip) {
            statusTips << static_cast<QStatusTipEvent *>(e)->tip();
            return true;
        }
        return QWidget::event(e);
    }
    QWidget *keys() const { return w->keyboardPicture(); }
    const KeyboardGeometry &geometry() const { return w->model().geometry(); }
    void press(QPoint p) { sendMouse(keys(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
    void drag(QPoint p) { sendMouse(keys(), QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    void release(QPoint p) { sendMouse(keys(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }
    const RasterImage &waveform() const { return w->waveformPicture()->bitmap(); }
    // Blue pixels (the curve, antialiased) in the waveform picture.
    QList<QPoint> curve() const
    {
        QList<QPoint> blue;
        const RasterImage &b = waveform();
        for (int y = 1; y < b.height() - 1; ++y)
            for (int x = 1; x < b.width() - 1; ++x) {
                const QRgb c = b.pixel(x, y);
                if (qBlue(c) > 200 && qRed(c) < 150 && qGreen(c) < 150)
                    blue << QPoint(x, y);
            }
        return blue;
    }
};

} // namespace

class TestToneKeyboardWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // No sound server to talk to, on any machine: the tests see the
        // window without a sound output.
        qputenv("PULSE_SERVER", "unix:/nonexistent/orvanta-test");
    }

    void layoutAt400x500()
    {
        Window f;
        QCOMPARE(f.w->waveformPicture()->geometry(), QRect(5, 5, 390, 130));
        QCOMPARE(f.w->keyboardPicture()->geometry(), QRect(5, 140, 390, 130));
        // A taller window keeps the pictures; a wider, lower one shrinks them.
        f.w->resize(400, 700);
        QCOMPARE(f.w->keyboardPicture()->geometry(), QRect(5, 140, 390, 130));
        f.w->resize(1000, 215);
        QCOMPARE(f.w->waveformPicture()->geometry(), QRect(5, 5, 990, 100));
        QCOMPARE(f.w->keyboardPicture()->geometry(), QRect(5, 110, 990, 100));
        QCOMPARE(f.geometry().whiteWidth, 62);
    }

    void keyboardAsDrawn()
    {
        Window f;
        const RasterImage &b = f.w->keyboardPicture()->bitmap();
        QCOMPARE(QSize(b.width(), b.height()), QSize(390, 130));
        // h = 60, a = 24, b = 8: ivory keys down to 120, a white strip below.
        QCOMPARE(b.pixel(10, 100), kIvory);     // C, lower half
        QCOMPARE(b.pixel(10, 30), kIvory);      // C, upper half: drawn, not a key
        QCOMPARE(b.pixel(20, 30), kBlack);      // C sharp
        QCOMPARE(b.pixel(24, 100), kBlack);     // the line between C and D
        QCOMPARE(b.pixel(24, 119), kBlack);     // down to 2h - 1
        QCOMPARE(b.pixel(10, 125), kWhite);     // below the keys
        QCOMPARE(b.pixel(380, 30), kBlack);     // the 28th key, cut by the edge
        QCOMPARE(b.pixel(0, 0), kGrey);         // the frame
        QCOMPARE(b.pixel(389, 129), kGrey);
    }

    void pressDragAndRelease()
    {
        Window f;
        const KeyboardGeometry &g = f.geometry();
        f.press(centre(g.keys[0]));
        QCOMPARE(f.w->model().key(), 0);
        QCOMPARE(f.w->model().frequency(), keyFrequency(0));
        QVERIFY(f.w->model().playing());
        QVERIFY(f.w->player());
        QCOMPARE(f.w->waveformPicture()->accessibleDescription(), QStringLiteral("Frequency 262 Hz"));
        const QList<QPoint> c262 = f.curve();

        // Within the key nothing changes; onto A it does, with four periods
        // of the 7.6 ms window showing almost 7.
        f.drag(g.keys[0].topLeft());
        QCOMPARE(f.curve(), c262);
        f.drag(centre(g.keys[9]));
        QCOMPARE(f.w->model().key(), 9);
        QCOMPARE(f.w->waveformPicture()->accessibleDescription(), QStringLiteral("Frequency 440 Hz"));
        QVERIFY(f.curve() != c262);

        // Off the keys: the tone goes on, f reads 0, nothing is redrawn.
        const QList<QPoint> c440 = f.curve();
        f.drag(QPoint(36, 30)); // between C sharp and D sharp, upper half
        QVERIFY(f.w->model().playing());
        QCOMPARE(f.w->model().frequency(), 0.0f);
        QCOMPARE(f.curve(), c440);
        f.release(QPoint(36, 30));
        QVERIFY(!f.w->model().playing());
        QCOMPARE(f.w->model().key(), -1);
        QVERIFY(!f.w->player()->isPlaying());

        // The next redraw shows f = 0: a flat line on the axis.
        f.w->strengthSpinBox(1)->setValue(8);
        QCOMPARE(f.w->waveformPicture()->accessibleDescription(), QStringLiteral("Frequency 0 Hz"));
        const QList<QPoint> flat = f.curve();
        QVERIFY(!flat.isEmpty());
        for (const QPoint &p : flat)
            QVERIFY2(std::abs(p.y() - 65) <= 1, qPrintable(QStringLiteral("%1, %2").arg(p.x()).arg(p.y())));
    }

    // Presses that find no key sound nothing and set f to 0.
    void pressesOnNoKey_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::newRow("upper half of a white key between black keys") << QPoint(36, 30);
        QTest::newRow("the 28th key") << QPoint(380, 30);
        QTest::newRow("below the keys") << QPoint(100, 125);
    }
    void pressesOnNoKey()
    {
        QFETCH(QPoint, point);
        Window f;
        f.press(point);
        QCOMPARE(f.w->model().key(), -1);
        QCOMPARE(f.w->model().frequency(), 0.0f);
        QVERIFY(!f.w->model().playing());
        QVERIFY(!f.w->player()); // no key sounded: the sound output was never opened
        QVERIFY(f.statusTips.isEmpty());
        f.release(point);
    }

    void strengthsRedrawTheWaveform()
    {
        Window f;
        const QList<QPoint> fundamental = f.curve();
        // 262 Hz, strength 16: the crest half-way to the edge, 30 pixels up.
        int top = 1000;
        for (const QPoint &p : fundamental)
            top = std::min(top, p.y());
        QVERIFY2(std::abs(top - 35) <= 1, qPrintable(QString::number(top)));
        f.w->strengthSpinBox(0)->setValue(32);
        top = 1000;
        for (const QPoint &p : f.curve())
            top = std::min(top, p.y());
        QVERIFY2(std::abs(top - 5) <= 1, qPrintable(QString::number(top)));
        QCOMPARE(f.w->model().strengths()[0], 32.0f);
        // The spin boxes take no typing, only their arrows.
        QVERIFY(f.w->strengthSpinBox(3)->findChild<QLineEdit *>()->isReadOnly());
        QCOMPARE(f.w->strengthSpinBox(4)->maximum(), 32.0);
        QCOMPARE(f.w->strengthSpinBox(2)->toolTip(), QStringLiteral("Add harmonics (3f)"));
    }

    void noSoundOutputIsReportedOnce()
    {
        Window f;
        const KeyboardGeometry &g = f.geometry();
        for (int key : {0, 4, 9}) {
            f.press(centre(g.keys[size_t(key)]));
            QCOMPARE(f.w->model().key(), key);
            f.release(centre(g.keys[size_t(key)]));
        }
        QVERIFY(!f.w->player()->available());
        QCOMPARE(f.statusTips, QStringList{ToneKeyboardWindow::noSoundMessage});
        QCOMPARE(f.w->soundMessage(), ToneKeyboardWindow::noSoundMessage);
    }

    // A window hidden or closed with a key held stops its tone.
    void toneEndsWithTheWindow_data()
    {
        QTest::addColumn<bool>("close");
        QTest::newRow("hidden") << false;
        QTest::newRow("closed") << true;
    }
    void toneEndsWithTheWindow()
    {
        QFETCH(bool, close);
        Window f;
        f.press(centre(f.geometry().keys[5]));
        QVERIFY(f.w->model().playing());
        if (close)
            f.w->close();
        else
            f.w->hide();
        QVERIFY(!f.w->model().playing());
        QVERIFY(!f.w->player()->isPlaying());
        QVERIFY(f.w->model().image().isEmpty());
    }

    void largeButtons()
    {
        Window f;
        f.w->setLargeButtons(true);
        for (int k = 0; k < 5; ++k)
            QCOMPARE(f.w->strengthSpinBox(k)->width(), 50);
        // No stored state: asked again, it applies again.
        f.w->setLargeButtons(true);
        QCOMPARE(f.w->strengthSpinBox(0)->width(), 50);
        f.w->setLargeButtons(false);
        for (int k = 0; k < 5; ++k)
            QCOMPARE(f.w->strengthSpinBox(k)->width(), 40);
    }

    void hostedForItsPage()
    {
        ScopedSettings settings;
        ScopedDialogAnswers answers(true);
        MainWindow main(fixedScreen());
        QVERIFY(showAtSize(main));
        QCOMPARE(kindOfPageFile(QStringLiteral("SOUND.HTM")), int(ToneKeyboardKind));
        main.host()->showSimulation(ToneKeyboardKind);
        auto *w = dynamic_cast<ToneKeyboardWindow *>(main.host()->activeWindow());
        QVERIFY(w);
        QCOMPARE(main.toolBarArea(w->toolbar()), Qt::TopToolBarArea);
        QVERIFY(w->toolbar()->isVisible());
        QCOMPARE(w->keyboardPicture()->bitmap().pixel(0, 0), kGrey);
        // A key pressed on a machine without sound: the status bar says so.
        const QRect key = w->model().geometry().keys[0];
        sendMouse(w->keyboardPicture(), QEvent::MouseButtonPress, centre(key), Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(main.hintLabel()->text(), ToneKeyboardWindow::noSoundMessage);
        // Another page while the key is held: the tone ends with the window.
        main.host()->showSimulation(SpeedOfSoundKind);
        QVERIFY(!w->model().playing());
    }
};

QTEST_MAIN(TestToneKeyboardWindow)
#include "tst_tonekeyboardwindow.moc"
