#pragma once
// TSimulationForm: what every two-dimensional simulation window shares, and
// the contract the main window's host uses (Toolbar, SetLargeButtons, the
// close queries, IsClockRunning and the optional graph and page-command
// operations).
//
// A window derives from it and, in its constructor (its FormCreate):
//  - builds its toolbar into `Toolbar` with the items of ToolbarItems.h
//    (Start, Stop and Reset through AddRunButton), then describes what
//    SetLargeButtons changes in `ButtonSizes`;
//  - places its surfaces with TAlignPanel::SetAlign (the window is an
//    alignment panel: Top, Bottom, Left, Right, then Client children);
//  - if animated, calls CreateClock() and overrides Step(deltaTime), usually
//        Phase = Advance(Phase, deltaTime, 1.0f, 360.0f);
//        DrawWaveRow();
//        ProcessMessages();
//  - connects its surfaces' Resized signals to its picResize.
// Drawing routines return at once while Closing() is true.
#include "app/AlignPanel.h"

#include <QPointer>
#include <QToolBar>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QPrinter;
class TDropDownButton;
class TNGLCadencer;

// A font at 150 percent, the size that goes with large buttons; fonts set
// in pixels stay in pixels.
QFont LargeButtonFont(QFont f);

// What SetLargeButtons changes, entered once in the window's constructor
// after the toolbar is built. Large applies the large size and 150 percent
// fonts; normal puts back exactly what the design had (fonts as they were,
// explicit or inherited, and the normal sizes, which are the design's).
class TButtonSizes
{
public:
    // The toolbar takes Buttons48 for large and Buttons24 for normal.
    bool SwitchImages = false;

    // Width large / normal, and the 150 / 100 percent font (spin edits).
    void SpinEdit(QWidget *edit, int largeWidth, int normalWidth);
    // Height large / normal only (a scroll bar in the toolbar).
    void Height(QWidget *widget, int largeHeight, int normalHeight);
    // 150 / 100 percent font of a control or a menu item.
    void Font(QWidget *widget);
    void Font(QAction *item);
    // A drop-down button: its own font (withButton) and each item's, and its
    // custom-drawn item pictures' size.
    void Menu(TDropDownButton *button, bool withButton = true);
    // Anything else a window changes with the button size.
    void Custom(std::function<void(bool large)> apply);

    // Applies the sizes within one update of the toolbar.
    void Apply(QToolBar *toolbar, bool large);

private:
    struct FontEntry {
        QPointer<QWidget> widget;
        QPointer<QAction> action;
        std::optional<QFont> design;
        bool explicitFont = false;
    };
    struct SizeEntry {
        QPointer<QWidget> widget;
        int large;
        int normal;
        bool height;
    };
    void applyFont(FontEntry &e, bool large);
    std::vector<FontEntry> m_fonts;
    std::vector<SizeEntry> m_sizes;
    std::vector<std::function<void(bool)>> m_custom;
};

class TSimulationForm : public TAlignPanel
{
    Q_OBJECT
public:
    // Design size 767 x 504, font Arial 11 pixels.
    explicit TSimulationForm(QWidget *parent = nullptr);
    ~TSimulationForm() override;

    // ---- the contract the host uses
    // The window's own toolbar; the host moves it into the main window's
    // dock. It stays owned by this window and is destroyed with it.
    QPointer<QToolBar> Toolbar;

    // Applies ButtonSizes. A request for the state already applied changes
    // nothing (unless KeepsButtonState is false).
    virtual void SetLargeButtons(bool large);
    bool LargeButtons() const { return m_largeButtons; }

    // The toolbar's close request (a Close event on the floating toolbar):
    // refused; the toolbar goes back to the dock it last occupied.
    virtual void ToolbarCloseQuery(QObject *sender, bool &canClose);

    // Sets the closing flag and stops the clock. Never refuses. Also run
    // when the window itself receives a close event.
    virtual bool FormCloseQuery();
    bool Closing() const { return m_closing; }

    // True while the window's animation clock runs (false without a clock).
    virtual bool IsClockRunning() const;

    // Graph operations (chart windows only) and page commands.
    virtual void CopyGraph() {}
    virtual void PrintGraph(QPrinter &printer) { Q_UNUSED(printer); }
    virtual void SetTimeAxis(float seconds) { Q_UNUSED(seconds); }
    virtual void SetCrossHair(bool on) { Q_UNUSED(on); }
    virtual void HandlePageCommand(const QString &text) { Q_UNUSED(text); }

    // ---- what windows build on
    TButtonSizes ButtonSizes;

    // The run buttons (null where a window has none), and the clock (null in
    // static windows).
    QAction *StartBtn = nullptr;
    QAction *StopBtn = nullptr;
    QAction *ResetBtn = nullptr;
    TNGLCadencer *Clock = nullptr;

    enum class TRunButton { None, Start, Stop, Reset };
    // Adds Start (image 7), Stop (image 6) or Reset (image 8) to the toolbar,
    // wired to StartBtnClick.
    QAction *AddRunButton(TRunButton which, const QString &caption, const QString &hint = QString());
    // Which run button `sender` is.
    TRunButton RunButtonOf(QObject *sender) const;

    // One handler for Start, Stop and Reset. The default does the plain
    // convention: Start -> ShowRunning(); Stop and Reset -> ShowStopped(false).
    virtual void StartBtnClick(QObject *sender);

    // Running: Start and Reset disabled, Stop enabled, clock on.
    void ShowRunning();
    // Stopped: clock off, Start enabled, Stop disabled, Reset enabled as asked.
    void ShowStopped(bool resetEnabled);

    // Adds speed x deltaTime x factor to an accumulator and subtracts `wrap`
    // once when the result passed it (wrap 0: no wrap); the speed is
    // Speeds[ActiveKind]. The accumulator is a 32-bit float.
    static float Advance(float accumulator, double deltaTime, double factor, float wrap = 0.0f);
    static float Advance(float accumulator, double deltaTime, double factor, float wrap, int speed);
    // Lets the event loop handle pending events in the middle of a tick.
    static void ProcessMessages();

protected:
    // A clock owned by the window, disabled, calling Step with its elapsed
    // time; ticks that arrive after the closing flag is set are dropped.
    TNGLCadencer *CreateClock();
    // The clock's callback (animated windows).
    virtual void Step(double deltaTime) { Q_UNUSED(deltaTime); }

    // false: SetLargeButtons applies the sizes on every call (a window that
    // keeps no button state).
    bool KeepsButtonState = true;

    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    bool m_closing = false;
    bool m_largeButtons = false;

private:
    void noteDock();
    std::optional<Qt::ToolBarArea> m_lastDock;
};
