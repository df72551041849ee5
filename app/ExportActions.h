#pragma once
// File > Export picture... and File > Export data...: saving what the left
// pane shows for a worksheet. The picture is the simulation window's
// pictures and charts (SimulationWindow::paintExportPicture) or the 3D
// view's frame, as PNG or SVG, at the size shown or a chosen size; the data
// are the window's chart series as CSV (SimulationWindow::exportData). Both
// items are disabled where there is nothing to save (movies, the start
// picture, windows without charts for the data). A file that cannot be
// written is reported in an error message and never claimed as saved.
#include <QObject>
#include <QPointer>
#include <QSize>

class QAction;
class QMenu;
class QWidget;
class SceneViewer;
class SimulationHost;
class SimulationWindow;
class View3DControls;

class ExportActions : public QObject
{
    Q_OBJECT
public:
    ExportActions(QWidget *window, SimulationHost *host, View3DControls *view3D);

    // Adds the two items and a separator to `menu` and keeps them enabled
    // as the pane changes.
    void addTo(QMenu *menu);
    QAction *exportPictureAction() const { return m_pictureAction; }
    QAction *exportDataAction() const { return m_dataAction; }
    void updateActions();

    bool canExportPicture() const;
    bool canExportData() const;
    // The picture's size on the screen, in pixels; empty when there is none.
    QSize shownPictureSize() const;

    // Saves the picture at `size` pixels (PNG, or SVG for a ".svg" path).
    // A failure is reported to the user; returns whether the file was saved.
    bool exportPicture(const QString &path, const QSize &size);
    // Saves the chart series as CSV; a failure is reported to the user.
    bool exportData(const QString &path);

    // The menu items: the picture dialog or the file dialog, then the save.
    void choosePicture();
    void chooseData();

private:
    SimulationWindow *window() const;
    // The 3D view while the pane shows it.
    SceneViewer *viewer() const;
    void reportFailure(const QString &path, const QString &reason);

    QWidget *m_window;
    SimulationHost *m_host;
    View3DControls *m_view3D;
    QAction *m_pictureAction = nullptr;
    QAction *m_dataAction = nullptr;
    QString m_folder; // where the last file went
};
