// The simulation host: which model the left pane shows, the docks its
// toolbar goes into, the Graph and Speed menus, and the pane split.
#include "app/uWaveMain.h"

#include "app/AlignPanel.h"
#include "app/Dialogs.h"
#include "app/FileLookup.h"
#include "app/MoviePlayer.h"
#include "app/SimulationRegistry.h"
#include "app/Splash.h"
#include "app/ToolbarDock.h"
#include "app/uDataMod.h"
#include "app/uSpeed.h"
#include "scene3d/GLViewer.h"
#include "sim/framework/SimulationForm.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QPrinter>
#include <QScrollBar>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>

namespace {
const char *kReleasedProperty = "orvantaReleased";
}

Qt::ToolBarArea TWaveMainFrm::ChosenDock() const
{
    return Top1->isChecked() ? Qt::TopToolBarArea : Qt::BottomToolBarArea;
}

void TWaveMainFrm::ShowSimulation(int kind)
{
    const KindInfo *info = FindKind(kind);
    if (!info)
        return;

    StopSceneClock();                                  // 1
    FreeSplash();                                      // 2
    delete SplashImage;
    SplashImage = nullptr;
    const Qt::ToolBarArea dock = ChosenDock();         // 3
    ActiveKind = kind;                                 // 4
    setUpdatesEnabled(false);                          // 5: one relayout, at the end
    ClearScene3D();                                    // 6
    UpdateGLButtons(kind);                             // 7
    Graph1->menuAction()->setVisible(HasGraphMenu(kind)); // 8
    UpdateSpeedMenu(kind);                             // 9
    SetLeftPaneMode(kind);                             // 10
    GLAngle = 0.0f;                                    // 11
    ReleaseSimulationWindows();                        // 12
    // 13: every toolbar of a dock shares its one row, HTMLToolbar included.

    switch (info->mode) {                              // 14
    case PaneMode::Window:
        if (TSimulationForm *w = info->createWindow ? info->createWindow() : nullptr) {
            w->hide();
            w->setWindowFlags(Qt::Widget);
            w->setParent(LeftTW);
            TAlignPanel::SetAlign(w, TAlign::Client);
            w->setMinimumWidth(30);
            if (w->Toolbar) {
                w->Toolbar->setUpdatesEnabled(false);
                ToolbarDock::DockFirst(this, w->Toolbar, dock);
                w->Toolbar->setUpdatesEnabled(true);
            }
            w->SetLargeButtons(Large1->isChecked());
            w->show();
            if (w->Toolbar)
                w->Toolbar->show();
            LeftTW->Realign();
        }
        break;
    case PaneMode::Movie: {
        const QString file = FileLookup::ResolveBesideExe(info->movie);
        if (!file.isEmpty())
            Flash->LoadMovie(0, file);
        break;
    }
    case PaneMode::View3D:
        ResetCamera();
        GLhsb->setValue(0);
        GLhsb->setMinimum(0);
        GLhsb->setMaximum(360);
        BuildScene3D(kind);
        break;
    case PaneMode::MovieOver3D: {
        const QString file = FileLookup::ResolveBesideExe(info->movie);
        if (!file.isEmpty())
            Flash->LoadMovie(0, file);
        ResetCamera();
        GLhsb->setValue(0);
        GLhsb->setMaximum(90);
        GLhsb->setMinimum(-90);
        BuildScene3D(kind);
        SendMovieAngle(0.0f);
        break;
    }
    }

    AlignPageToolbar();
    setUpdatesEnabled(true);                           // 15
}

void TWaveMainFrm::SetLeftPaneMode(int kind)
{
    const KindInfo *info = FindKind(kind);
    const PaneMode mode = info ? info->mode : PaneMode::Window;
    const bool movie = mode == PaneMode::Movie || mode == PaneMode::MovieOver3D;
    const bool view3d = mode == PaneMode::View3D || mode == PaneMode::MovieOver3D;

    LeftTW->setFrameShape(mode == PaneMode::Window ? QFrame::NoFrame : QFrame::Box);
    LeftTW->setLineWidth(1);
    if (mode == PaneMode::MovieOver3D) {
        TAlignPanel::SetAlign(Flash, TAlign::Top);
        Flash->resize(Flash->width(), LeftTW->height() / 2);
    } else {
        TAlignPanel::SetAlign(Flash, TAlign::Client);
    }
    Flash->setVisible(movie);
    if (GLViewer)
        GLViewer->setVisible(view3d);
    if (GLMessage) // stands where the viewer would be without OpenGL
        GLMessage->setVisible(view3d);
    GLToolbar->setVisible(view3d);
    GLhsb->setVisible(view3d);
    LeftTW->Realign();
}

TSimulationForm *TWaveMainFrm::ActiveSimulationWindow() const
{
    for (QObject *o : LeftTW->children()) {
        auto *w = qobject_cast<TSimulationForm *>(o);
        if (w && !w->property(kReleasedProperty).toBool())
            return w;
    }
    return nullptr;
}

void TWaveMainFrm::ReleaseSimulationWindows()
{
    // Deferred destruction: the window goes when the current event is done,
    // without its close query or close event. It is hidden at once, with its
    // toolbar, so the new window's toolbar takes its place cleanly.
    for (QObject *o : LeftTW->children()) {
        auto *w = qobject_cast<TSimulationForm *>(o);
        if (!w || w->property(kReleasedProperty).toBool())
            continue;
        w->setProperty(kReleasedProperty, true);
        if (w->Toolbar) {
            removeToolBar(w->Toolbar);
            w->Toolbar->hide();
        }
        w->hide();
        w->deleteLater();
    }
}

void TWaveMainFrm::RoutePageCommand(const QString &text)
{
    if (ActiveKind != skSuperposition && ActiveKind != skDampedSHM)
        return;
    if (TSimulationForm *w = ActiveSimulationWindow())
        w->HandlePageCommand(text);
}

void TWaveMainFrm::SetSimToolbarVisible(bool visible)
{
    if (!IsWindowKind(ActiveKind))
        return;
    if (TSimulationForm *w = ActiveSimulationWindow(); w && w->Toolbar)
        w->Toolbar->setVisible(visible);
}

void TWaveMainFrm::PlaceToolbars(bool bottom)
{
    const Qt::ToolBarArea area = bottom ? Qt::BottomToolBarArea : Qt::TopToolBarArea;
    const bool glVisible = !GLToolbar->isHidden();
    const bool htmlVisible = !HTMLToolbar->isHidden();
    addToolBar(area, GLToolbar);
    addToolBar(area, HTMLToolbar);
    if (IsWindowKind(ActiveKind))
        if (TSimulationForm *w = ActiveSimulationWindow(); w && w->Toolbar) {
            const bool simVisible = !w->Toolbar->isHidden();
            ToolbarDock::DockFirst(this, w->Toolbar, area);
            w->Toolbar->setVisible(simVisible);
        }
    // Moving a toolbar shows it; keep what was hidden hidden.
    GLToolbar->setVisible(glVisible);
    HTMLToolbar->setVisible(htmlVisible);
    AlignPageToolbar();
}

void TWaveMainFrm::ApplyButtonSize(bool large)
{
    GLToolbar->setUpdatesEnabled(false);
    HTMLToolbar->setUpdatesEnabled(false);
    TDataMod *dm = TDataMod::Instance();
    const TImageList &list = large ? dm->Buttons48 : dm->Buttons24;
    ApplyImageList(GLToolbar, list);
    ApplyImageList(HTMLToolbar, list);
    const QFont f = large ? LargeButtonFont(QApplication::font()) : QApplication::font();
    for (QMenu *m : {FontMenu, ColourMenu}) {
        for (QAction *a : m->actions())
            a->setFont(f);
    }
    GLToolbar->setUpdatesEnabled(true);
    HTMLToolbar->setUpdatesEnabled(true);
    if (IsWindowKind(ActiveKind))
        if (TSimulationForm *w = ActiveSimulationWindow())
            w->SetLargeButtons(large);
}

void TWaveMainFrm::UpdateGLButtons(int kind)
{
    GLToolbar->setUpdatesEnabled(false);
    const bool em = kind == skEMWave;
    for (QAction *a : {StartBtn, StopBtn, RandomBtn, PolarBtn})
        a->setVisible(em);
    GLToolbar->setUpdatesEnabled(true);
}

void TWaveMainFrm::UpdateSpeedMenu(int kind)
{
    Speed1->menuAction()->setVisible(HasSpeedMenu(kind));
}

// ---------------------------------------------------------------- pane split

void TWaveMainFrm::NormalSplitBtnClick(QToolButton *sender)
{
    sender->setChecked(true);
    QWidget *handle = Splitter->handle(1);
    if (sender == NormalSplitBtn) {
        LeftTW->show();
        SetLeftPaneWidth(Screen().size.width() / 2);
        if (handle)
            handle->show();
        EWBPanel->show();
        HTMLToolbar->show();
        SetSimToolbarVisible(true);
        if (ActiveKind == 0)
            LeftTW->repaint();
    } else if (sender == MaxLeftBtn) {
        EWBPanel->hide();
        if (handle)
            handle->hide();
        LeftTW->show();
        HTMLToolbar->hide();
        SetSimToolbarVisible(true);
        if (ActiveKind == 0)
            LeftTW->repaint();
    } else if (sender == MaxRightBtn) {
        EWBPanel->show();
        if (handle)
            handle->hide();
        LeftTW->hide();
        HTMLToolbar->show();
        SetSimToolbarVisible(false);
    }
}

// ---------------------------------------------------------------- Toolbars menu

void TWaveMainFrm::Top1Click(QAction *sender)
{
    const bool bottom = sender == Bottom1;
    // The radio group has already moved the check; compare with where the
    // toolbars are.
    sender->setChecked(true);
    if (bottom == m_toolbarsBottom)
        return;
    m_toolbarsBottom = bottom;
    PlaceToolbars(bottom);
}

void TWaveMainFrm::Large1Click()
{
    ApplyButtonSize(Large1->isChecked());
}

// ---------------------------------------------------------------- Graph menu

void TWaveMainFrm::Graph1Click()
{
    if (ActiveKind == skDampedSHM) {
        XHair1->setVisible(true);
        TSimulationForm *w = ActiveSimulationWindow();
        TimeScale1->menuAction()->setVisible(w && !w->IsClockRunning());
    } else {
        XHair1->setVisible(false);
        TimeScale1->menuAction()->setVisible(false);
    }
}

void TWaveMainFrm::T5Click(QAction *sender)
{
    QAction *checked = m_timeAxis ? m_timeAxis : T10;
    TSimulationForm *w = ActiveSimulationWindow();
    if (sender == checked || !w) {
        for (QAction *a : {T5, T10, T15, T20})
            a->setChecked(a == checked);
        return;
    }
    for (QAction *a : {T5, T10, T15, T20})
        a->setChecked(a == sender);
    m_timeAxis = sender;
    w->SetTimeAxis(float(sender->data().toInt()));
}

void TWaveMainFrm::CopyGraph1Click()
{
    if (!HasGraphMenu(ActiveKind))
        return;
    if (TSimulationForm *w = ActiveSimulationWindow())
        w->CopyGraph();
}

void TWaveMainFrm::PrintGraph1Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!Dialogs::RunPrintDialog(this, printer))
        return;
    if (!HasGraphMenu(ActiveKind))
        return;
    if (TSimulationForm *w = ActiveSimulationWindow())
        w->PrintGraph(printer);
}

void TWaveMainFrm::XHair1Click()
{
    if (ActiveKind != skDampedSHM)
        return;
    if (TSimulationForm *w = ActiveSimulationWindow())
        w->SetCrossHair(XHair1->isChecked());
}

// ---------------------------------------------------------------- Speed menu

void TWaveMainFrm::Speed2Click()
{
    TSpeedFrm dlg(this);
    dlg.SetPosition(Speeds[ActiveKind]);
    if (Dialogs::RunModal(dlg) == QDialog::Accepted)
        Speeds[ActiveKind] = dlg.Position();
}
