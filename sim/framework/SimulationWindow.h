#pragma once
// SimulationWindow: what every two-dimensional simulation window shares, and
// the contract the main window's host uses (toolbar(), setLargeButtons(),
// the close queries, isClockRunning() and the optional graph and
// page-command operations).
//
// A window derives from it and, in its constructor:
//  - builds its toolbar into `m_toolbar` with the items of ToolbarItems.h
//    (Start, Stop and Reset through addRunButton()), then describes what
//    setLargeButtons() changes in `m_buttonSizes`;
//  - places its surfaces with AlignPanel::setAlign() (the window is an
//    alignment panel: Top, Bottom, Left, Right, then Client children);
//  - if animated, calls createClock() and overrides step(deltaTime), usually
//        m_phase = advance(m_phase, deltaTime, 1.0f, 360.0f);
//        drawWaveRow();
//        processEvents();
//  - connects its surfaces' resized() signals to its pictureResized().
// Drawing routines return at once while isClosing() is true.
#include "sim/framework/AlignPanel.h"
#include "sim/framework/ButtonSizes.h"
#include "sim/framework/ExportFiles.h"

#include <QKeySequence>
#include <QPointer>
#include <QToolBar>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QPainter;
class QPrinter;
class AnimationClock;

class SimulationWindow : public AlignPanel
{
    Q_OBJECT
public:
    // Design size 767 x 504, font Arial 11 pixels.
    explicit SimulationWindow(QWidget *parent = nullptr);
    ~SimulationWindow() override;

    // ---- the contract the host uses
    // The window's own toolbar; the host moves it into the main window's
    // dock. It stays owned by this window and is destroyed with it.
    QToolBar *toolbar() const { return m_toolbar; }

    // Applies buttonSizes. A request for the state already applied changes
    // nothing (unless keepsButtonState is false).
    virtual void setLargeButtons(bool large);
    bool largeButtons() const { return m_largeButtons; }

    // The toolbar's close request (a Close event on the floating toolbar):
    // refused; the toolbar goes back to the dock it last occupied.
    virtual void toolbarCloseQuery(QObject *sender, bool &canClose);

    // Sets the closing flag and stops the clock. Never refuses. Also run
    // when the window itself receives a close event.
    virtual bool closeQuery();
    bool isClosing() const { return m_closing; }

    // True while the window's animation clock runs (false without a clock).
    virtual bool isClockRunning() const;

    // Graph operations (chart windows only) and page commands.
    virtual void copyGraph() {}
    virtual void printGraph(QPrinter &printer) { Q_UNUSED(printer); }
    virtual void setTimeAxis(float seconds) { Q_UNUSED(seconds); }
    virtual void setCrossHairVisible(bool on) { Q_UNUSED(on); }
    // What the window's graph shows now, so the Graph menu can agree with
    // it: the time axis in seconds (0 for a window without one) and whether
    // the cross-hair is on.
    virtual float timeAxis() const { return 0.0f; }
    virtual bool isCrossHairVisible() const { return false; }
    virtual void handlePageCommand(const QString &text) { Q_UNUSED(text); }

    // ---- projector mode
    // The window's fonts (lists, editors, labels; not the toolbar, which
    // goes with the button size) at projector mode's scale, and its pictures
    // drawn again so their texts and strokes follow. Runs when the mode
    // changes and when the window is shown; a window with more to change
    // overrides it and calls this one.
    virtual void applyProjectorMode();

    // ---- export (File > Export picture... and File > Export data...)
    // Where the window's pictures are: the union of its visible picture
    // surfaces and charts (not its controls) in the window's coordinates;
    // empty when it shows none.
    virtual QRect exportPictureRect() const;
    // Paints those pictures, as laid out on the screen, scaled into
    // `target`: charts as drawings (sharp at any size and in SVG), the other
    // pictures as their bitmaps.
    virtual void paintExportPicture(QPainter &painter, const QRectF &target);
    // The series of the window's charts, with their quantities and units
    // (chart windows); none by default.
    virtual std::vector<DataSeries> exportData() const { return {}; }

    // ---- what windows build on
    ButtonSizes &buttonSizes() { return m_buttonSizes; }
    const ButtonSizes &buttonSizes() const { return m_buttonSizes; }

    // The run buttons (null where a window has none), and the clock (null in
    // static windows).
    QAction *startAction() const { return m_startAction; }
    QAction *stopAction() const { return m_stopAction; }
    QAction *resetAction() const { return m_resetAction; }
    AnimationClock *clock() const { return m_clock; }

    enum class RunButton { None, Start, Stop, Reset };
    // Adds Start (image 7), Stop (image 6) or Reset (image 8) to the toolbar,
    // wired to runButtonClicked.
    QAction *addRunButton(RunButton which, const QString &caption, const QString &hint = QString());
    // Which run button `sender` is.
    RunButton runButtonOf(QObject *sender) const;

    // One handler for Start, Stop and Reset. The default does the plain
    // convention: Start -> showRunning(); Stop and Reset -> showStopped(false).
    virtual void runButtonClicked(QObject *sender);

    // ---- keys: Space starts and stops, Ctrl+R resets, in every window
    // with run buttons (the keys come with Start or Stop). Space acts while
    // the keyboard focus is in the window or its toolbar (a focused button,
    // list or value box keeps its own Space); Ctrl+R is Reset's shortcut.
    static QKeySequence runKey();
    static QKeySequence resetKey();
    // Presses Stop while the model runs, else Start (through the same
    // handler as the buttons). False when neither could be pressed.
    bool toggleRunning();
    // The same for any pair of run buttons (the 3D view's too).
    static bool toggleRunButtons(QAction *start, QAction *stop, bool running);

    // ---- what screen readers announce for the window: its title, and
    // from it, on the first show, a name for the toolbar and for each
    // picture and chart that has no name or hint of its own.
    void setModelTitle(const QString &title);
    QString modelTitle() const { return m_modelTitle; }

    // Running: Start and Reset disabled, Stop enabled, clock on.
    void showRunning();
    // Stopped: clock off, Start enabled, Stop disabled, Reset enabled as asked.
    void showStopped(bool resetEnabled);

    // Adds speed x deltaTime x factor to an accumulator and subtracts `wrap`
    // once when the result passed it (wrap 0: no wrap); the speed is
    // animationSpeeds()[activeKind()]. The accumulator is a 32-bit float.
    static float advance(float accumulator, double deltaTime, double factor, float wrap = 0.0f);
    static float advance(float accumulator, double deltaTime, double factor, float wrap, int speed);
    // Lets the event loop handle pending events in the middle of a tick.
    static void processEvents();

protected:
    // A clock owned by the window, disabled, calling Step with its elapsed
    // time; ticks that arrive after the closing flag is set are dropped.
    AnimationClock *createClock();
    // The clock's callback (animated windows).
    virtual void step(double deltaTime) { Q_UNUSED(deltaTime); }

    // false: setLargeButtons applies the sizes on every call (a window that
    // keeps no button state).
    bool m_keepsButtonState = true;

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    bool m_closing = false;
    bool m_largeButtons = false;

private:
    void noteDock();
    void addRunKeys();
    void nameUnnamedParts();
    QString m_modelTitle;
    bool m_runKeysAdded = false;
    std::optional<Qt::ToolBarArea> m_lastDock;
    std::optional<bool> m_projectorApplied; // the mode the fonts were last set for

protected:
    QPointer<QToolBar> m_toolbar;
    ButtonSizes m_buttonSizes;
    QAction *m_startAction = nullptr;
    QAction *m_stopAction = nullptr;
    QAction *m_resetAction = nullptr;
    AnimationClock *m_clock = nullptr;
};
