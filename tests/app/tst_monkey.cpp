// A monkey at the keyboard and mouse: a fixed-seed sequence of clicks,
// double clicks, drags, wheel turns and keys, thrown at the whole main
// window with the course pages beside the program, on every kind of the
// kinds table in turn. Menus that open are clicked through or escaped;
// every message box, print dialog and modal window is answered through the
// dialog hook. The program must come out of it alive and still working.
// ORVANTA_SOAK=<factor> runs more actions per kind.
#include "AppTestSupport.h"
#include "app/CoursePane.h"
#include "app/KindsTable.h"
#include "app/MainWindow.h"
#include "app/PageBrowser.h"
#include "app/SimulationHost.h"
#include "core/FileLookup.h"
#include "core/SimulationKind.h"
#include "sim/framework/Dialogs.h"
#include "sim/framework/Themes.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDrag>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

using namespace TestSupport;

namespace {

constexpr quint32 kSeed = 140003;
// Actions on each kind; with 17 kinds a few thousand in all.
constexpr int kActionsPerKind = 180;
// A kind's actions stop early after this long, so a machine under heavy
// load (software OpenGL draws every frame) still ends well inside the
// test's time limit; the sequence up to there is the same.
constexpr int kSecondsPerKind = 8;

const Qt::Key kKeys[] = {
    Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
    Qt::Key_End, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space,
    Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_F1, Qt::Key_F10, Qt::Key_A,
    Qt::Key_B, Qt::Key_C, Qt::Key_F, Qt::Key_I, Qt::Key_N, Qt::Key_0, Qt::Key_5, Qt::Key_9, Qt::Key_Period,
};

class Monkey
{
public:
    Monkey(MainWindow &w, quint32 seed) : m_w(w), m_rng(seed)
    {
        // Menus that run their own event loop (a toolbar button's drop-down)
        // and drags are dealt with from inside that loop.
        m_watch.setInterval(15);
        QObject::connect(&m_watch, &QTimer::timeout, [this] {
            // Each look runs from a timer of its own: a loop that one look
            // starts (a menu item it clicks) would hold a repeating timer
            // and so keep every later look from running.
            QTimer::singleShot(0, &m_watch, [this] { inNestedLoop(); });
        });
        m_watch.start();

        Dialogs::setMessageHandler([this](Dialogs::Kind kind, const QString &text) {
            m_messages << text;
            if (kind == Dialogs::Kind::Error)
                m_errors << text;
            // The program stays open; any other question gets either answer.
            return text == QLatin1String("Close program") ? false : bool(m_rng.bounded(2));
        });
        Dialogs::setPrintHandler([this](QPrinter &printer) {
            ++m_prints;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_out.filePath(QStringLiteral("print.pdf")));
            return bool(m_rng.bounded(2));
        });
        Dialogs::setModalHandler([this](QDialog &dialog) { return answerModal(dialog); });
    }
    ~Monkey()
    {
        m_watch.stop();
        Dialogs::setMessageHandler({});
        Dialogs::setPrintHandler({});
        Dialogs::setModalHandler({});
    }

    void run(int actions, QDeadlineTimer budget)
    {
        for (int i = 0; i < actions && !budget.hasExpired(); ++i) {
            ++m_actions;
            m_inAction = true;
            act();
            m_inAction = false;
            QCoreApplication::processEvents();
            if (m_rng.bounded(20) == 0)
                QTest::qWait(m_rng.bounded(1, 30)); // let animations run
        }
        closePopups();
    }

    void closePopups()
    {
        for (int i = 0; i < 20 && QApplication::activePopupWidget(); ++i) {
            QApplication::activePopupWidget()->close();
            QCoreApplication::processEvents();
        }
    }

    int actions() const { return m_actions; }
    QStringList errors() const { return m_errors; }
    QStringList bypassedHook() const { return m_bypassed; }
    QString tally() const
    {
        return QStringLiteral("clicks %1, double clicks %2, drags %3, wheel turns %4, keys %5, menu actions %6, "
                              "resizes %7, modal windows %8, messages %9, prints %10")
            .arg(m_clicks).arg(m_doubleClicks).arg(m_drags).arg(m_wheels).arg(m_keys).arg(m_menuActions)
            .arg(m_resizes).arg(m_modals).arg(m_messages.size()).arg(m_prints);
    }

private:
    // Where the monkey acts: an open menu first, else the main window.
    QWidget *target() const
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            return popup;
        return &m_w;
    }

    QPoint randomPoint(QWidget *on)
    {
        return QPoint(m_rng.bounded(qMax(1, on->width())), m_rng.bounded(qMax(1, on->height())));
    }

    Qt::MouseButton randomButton()
    {
        const int r = m_rng.bounded(10);
        return r < 7 ? Qt::LeftButton : r < 9 ? Qt::RightButton : Qt::MiddleButton;
    }

    Qt::KeyboardModifiers randomModifiers()
    {
        const int r = m_rng.bounded(12);
        return r == 0 ? Qt::ControlModifier : r == 1 ? Qt::ShiftModifier : r == 2 ? Qt::AltModifier
                                                                                   : Qt::NoModifier;
    }

    void act()
    {
        QWidget *on = target();
        QWindow *window = on->windowHandle();
        if (!window || !on->isVisible())
            return;
        if (on != &m_w) { // a menu is open: choose in it or leave it
            ++m_menuActions;
            if (m_rng.bounded(4) == 0)
                QTest::keyClick(window, m_rng.bounded(3) ? Qt::Key_Down : Qt::Key_Escape);
            else
                QTest::mouseClick(window, Qt::LeftButton, {}, randomPoint(on));
            return;
        }
        const int r = m_rng.bounded(100);
        if (r < 40) {
            ++m_clicks;
            QTest::mouseClick(window, randomButton(), randomModifiers(), randomPoint(on));
        } else if (r < 46) {
            ++m_doubleClicks;
            QTest::mouseDClick(window, Qt::LeftButton, {}, randomPoint(on));
        } else if (r < 62) {
            ++m_drags;
            drag(window, on);
        } else if (r < 74) {
            ++m_wheels;
            wheel(window, on);
        } else if (r < 99) {
            ++m_keys;
            const Qt::Key key = kKeys[m_rng.bounded(int(std::size(kKeys)))];
            QTest::keyClick(window, key, randomModifiers());
        } else {
            ++m_resizes;
            m_w.resize(m_rng.bounded(300, 1600), m_rng.bounded(200, 960));
        }
    }

    void drag(QWindow *window, QWidget *on)
    {
        const Qt::MouseButton button = m_rng.bounded(4) ? Qt::LeftButton : Qt::RightButton;
        QPoint at = randomPoint(on);
        QTest::mousePress(window, button, {}, at);
        for (int i = m_rng.bounded(2, 8); i > 0 && window->isVisible(); --i) {
            at = QPoint(qBound(0, at.x() + m_rng.bounded(-80, 81), on->width() - 1),
                        qBound(0, at.y() + m_rng.bounded(-80, 81), on->height() - 1));
            QTest::mouseMove(window, at);
        }
        if (window->isVisible())
            QTest::mouseRelease(window, button, {}, at);
        else
            QTestPrivate::qtestMouseButtons = Qt::NoButton;
    }

    void wheel(QWindow *window, QWidget *on)
    {
        const QPoint at = randomPoint(on);
        const int steps = m_rng.bounded(-3, 4);
        QWheelEvent e(at, window->mapToGlobal(at), QPoint(), QPoint(0, 120 * (steps ? steps : 1)), Qt::NoButton,
                      randomModifiers(), Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window, &e);
    }

    // A modal window reached through the hook: a few actions in it, then
    // closed with either answer unless it closed itself.
    int answerModal(QDialog &dialog)
    {
        ++m_modals;
        m_inModalHook = true;
        dialog.show();
        if (QTest::qWaitForWindowExposed(&dialog, 2000)) {
            for (int i = m_rng.bounded(6); i > 0 && dialog.isVisible(); --i) {
                if (m_rng.bounded(3))
                    QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, randomPoint(&dialog));
                else
                    QTest::keyClick(dialog.windowHandle(), kKeys[m_rng.bounded(int(std::size(kKeys)))]);
            }
        }
        m_inModalHook = false;
        if (!dialog.isVisible())
            return dialog.result();
        const int answer = m_rng.bounded(2) ? QDialog::Accepted : QDialog::Rejected;
        dialog.done(answer);
        return answer;
    }

    // Runs every few milliseconds, also inside loops the program's own
    // calls start (a drop-down menu, a drag).
    void inNestedLoop()
    {
        if (!m_inAction || m_inModalHook)
            return;
        if (QWidget *modal = QApplication::activeModalWidget()) {
            // Every modal window should have gone through the dialog hook.
            m_bypassed << QString::fromLatin1(modal->metaObject()->className());
            modal->close();
            return;
        }
        if (QWidget *popup = QApplication::activePopupWidget()) {
            ++m_menuActions;
            if (QWindow *window = popup->windowHandle(); window && m_rng.bounded(3))
                QTest::mouseClick(window, Qt::LeftButton, {}, randomPoint(popup));
            else
                popup->close();
            return;
        }
        // A text or picture drag waits for a button the monkey holds down;
        // call it off. The look also runs while the monkey's own events are
        // delivered, so it sends no mouse events of its own here: a release
        // could itself start a drag.
        QDrag::cancel();
    }

    MainWindow &m_w;
    QRandomGenerator m_rng;
    QTimer m_watch;
    QTemporaryDir m_out;
    bool m_inAction = false;
    bool m_inModalHook = false; // a modal window the hook handed over is open
    QStringList m_messages, m_errors, m_bypassed;
    int m_actions = 0;
    int m_clicks = 0, m_doubleClicks = 0, m_drags = 0, m_wheels = 0, m_keys = 0, m_menuActions = 0, m_resizes = 0,
        m_modals = 0, m_prints = 0;
};

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase() { Themes::apply(Themes::defaultName()); }
    void everyKindSurvivesTheMonkey();
};

void TestMonkey::everyKindSurvivesTheMonkey()
{
    ScopedSettings settings;
    animationSpeeds() = defaultAnimationSpeeds();
    const QString html = FileLookup::join(FileLookup::exeFolder(), QStringLiteral("HTML/"));
    QVERIFY2(FileLookup::fileExists(html + QStringLiteral("index.htm")), "course pages not beside the test");

    MainWindow w(fixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    PageBrowser *browser = w.coursePane()->browser();
    QVERIFY(QTest::qWaitFor([&] { return !browser->isBusy(); }, 5000));

    QList<int> kinds;
    for (int k = 0; k <= kKindCount; ++k)
        if (findKind(k))
            kinds << k;
    QVERIFY(!kinds.isEmpty());

    const int perKind = kActionsPerKind * soakFactor();
    {
        Monkey monkey(w, kSeed);
        for (int k : kinds) {
            // Each kind is reached as the reader reaches it: its page opens.
            const KindEntry *entry = findKind(k);
            const QString page = FileLookup::resolveFile(html + entry->page);
            if (!page.isEmpty())
                browser->navigate(page);
            else
                w.host()->showSimulation(k);
            QVERIFY(QTest::qWaitFor([&] { return !browser->isBusy(); }, 5000));
            QCOMPARE(activeKind(), k);
            monkey.run(perKind, QDeadlineTimer(kSecondsPerKind * 1000 * soakFactor()));
        }
        qInfo("%d kinds, up to %d actions each, %d in all: %s", int(kinds.size()), perKind, monkey.actions(),
              qPrintable(monkey.tally()));
        if (!monkey.errors().isEmpty())
            qWarning("error messages shown: %s", qPrintable(monkey.errors().join(QStringLiteral(" | "))));
        QVERIFY2(monkey.bypassedHook().isEmpty(), qPrintable(monkey.bypassedHook().join(' ')));
    }

    // Alive, and still doing what it is asked: the window is there, the
    // index opens, and every kind can be shown once more.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isVisible());
    w.showNormal();
    w.coursePane()->showIndex();
    QVERIFY(QTest::qWaitFor([&] { return !browser->isBusy(); }, 5000));
    QVERIFY(browser->hasDocument());
    for (int k : kinds) {
        w.host()->showSimulation(k);
        QCoreApplication::processEvents();
        QCOMPARE(activeKind(), k);
    }
    QTest::qWait(50);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
