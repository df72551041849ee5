#pragma once
// What every two-dimensional simulation window offers the main window: its
// toolbar (docked by the host), the button-size switch, the close query and
// the optional graph and page-command operations. Each model derives from
// TSimulationForm and overrides what it offers.
#include <QPointer>
#include <QToolBar>
#include <QWidget>

class QPrinter;

class TSimulationForm : public QWidget
{
    Q_OBJECT
public:
    explicit TSimulationForm(QWidget *parent = nullptr);
    ~TSimulationForm() override;

    // The window's own toolbar; the host moves it into the main window's
    // dock. It stays owned by this window and is destroyed with it.
    QPointer<QToolBar> Toolbar;

    // Switches the toolbar between the 24- and 48-pixel button pictures and
    // the matching control sizes.
    virtual void SetLargeButtons(bool large);

    // Sets the closing flag and stops the window's clock. Never refuses.
    virtual bool FormCloseQuery();
    bool Closing() const { return m_closing; }

    // True while the window's animation clock runs (false for static windows).
    virtual bool IsClockRunning() const { return false; }

    // Graph operations (chart windows only) and page commands.
    virtual void CopyGraph() {}
    virtual void PrintGraph(QPrinter &printer) { Q_UNUSED(printer); }
    virtual void SetTimeAxis(float seconds) { Q_UNUSED(seconds); }
    virtual void SetCrossHair(bool on) { Q_UNUSED(on); }
    virtual void HandlePageCommand(const QString &text) { Q_UNUSED(text); }

protected:
    bool m_closing = false;
    bool m_largeButtons = false;
};
