#include "app/ExportActions.h"

#include "app/MenuItems.h"
#include "app/PictureExportDialog.h"
#include "app/SimulationHost.h"
#include "app/View3DControls.h"
#include "scene3d/SceneViewer.h"
#include "sim/framework/Dialogs.h"
#include "sim/framework/ExportFiles.h"
#include "sim/framework/SimulationWindow.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QStandardPaths>

ExportActions::ExportActions(QWidget *window, SimulationHost *host, View3DControls *view3D)
    : QObject(window)
    , m_window(window)
    , m_host(host)
    , m_view3D(view3D)
{
    m_folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (m_folder.isEmpty())
        m_folder = QDir::homePath();
    connect(m_host, &SimulationHost::simulationShown, this, &ExportActions::updateActions);
}

void ExportActions::addTo(QMenu *menu)
{
    m_pictureAction = addNamedAction(menu, "exportPictureAction", QStringLiteral("Export picture..."));
    m_dataAction = addNamedAction(menu, "exportDataAction", QStringLiteral("Export data..."));
    menu->addSeparator();
    connect(m_pictureAction, &QAction::triggered, this, &ExportActions::choosePicture);
    connect(m_dataAction, &QAction::triggered, this, &ExportActions::chooseData);
    connect(menu, &QMenu::aboutToShow, this, &ExportActions::updateActions);
    updateActions();
}

void ExportActions::updateActions()
{
    if (m_pictureAction)
        m_pictureAction->setEnabled(canExportPicture());
    if (m_dataAction)
        m_dataAction->setEnabled(canExportData());
}

SimulationWindow *ExportActions::window() const
{
    SimulationWindow *w = m_host->activeWindow();
    return w && !w->isClosing() ? w : nullptr;
}

SceneViewer *ExportActions::viewer() const
{
    SceneViewer *v = m_view3D->viewer();
    return v && v->isVisibleTo(m_window) ? v : nullptr;
}

QSize ExportActions::shownPictureSize() const
{
    if (SimulationWindow *w = window()) {
        const QSize logical = w->exportPictureRect().size();
        const qreal ratio = w->devicePixelRatioF();
        return QSize(qRound(logical.width() * ratio), qRound(logical.height() * ratio));
    }
    if (SceneViewer *v = viewer())
        return v->exportPictureSize();
    return QSize();
}

bool ExportActions::canExportPicture() const
{
    return !shownPictureSize().isEmpty();
}

bool ExportActions::canExportData() const
{
    SimulationWindow *w = window();
    return w && !w->exportData().empty();
}

void ExportActions::reportFailure(const QString &path, const QString &reason)
{
    Dialogs::showError(m_window, QStringLiteral("Unable to save file %1\n%2").arg(QDir::toNativeSeparators(path), reason));
}

bool ExportActions::exportPicture(const QString &path, const QSize &size)
{
    QString reason;
    bool saved = false;
    if (SimulationWindow *w = window()) {
        saved = ExportFiles::writePicture(path, size, [w](QPainter &painter, const QRectF &target) {
            w->paintExportPicture(painter, target);
        }, &reason);
    } else if (SceneViewer *v = viewer()) {
        const QImage frame = v->exportPicture(size);
        if (frame.isNull()) {
            reason = v->errorText().isEmpty() ? QStringLiteral("The 3D view could not be drawn.") : v->errorText();
        } else {
            saved = ExportFiles::writePicture(path, size, [&frame](QPainter &painter, const QRectF &target) {
                painter.drawImage(target, frame);
            }, &reason);
        }
    } else {
        reason = QStringLiteral("There is no picture to save.");
    }
    if (!saved)
        reportFailure(path, reason);
    return saved;
}

bool ExportActions::exportData(const QString &path)
{
    QString reason;
    SimulationWindow *w = window();
    const std::vector<DataSeries> series = w ? w->exportData() : std::vector<DataSeries>();
    bool saved = false;
    if (series.empty())
        reason = QStringLiteral("There are no data to save.");
    else
        saved = ExportFiles::writeCsv(path, series, &reason);
    if (!saved)
        reportFailure(path, reason);
    return saved;
}

void ExportActions::choosePicture()
{
    const QSize shown = shownPictureSize();
    if (shown.isEmpty())
        return;
    PictureExportDialog dialog(shown, QDir(m_folder).filePath(QStringLiteral("picture.png")), m_window);
    if (Dialogs::runModal(dialog) != QDialog::Accepted || dialog.filePath().isEmpty())
        return;
    const QString path = dialog.filePath();
    m_folder = QFileInfo(path).absolutePath();
    exportPicture(path, dialog.pictureSize());
}

void ExportActions::chooseData()
{
    if (!canExportData())
        return;
    QFileDialog dialog(m_window, QStringLiteral("Export data"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("CSV file (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(QDir(m_folder).filePath(QStringLiteral("data.csv")));
    if (Dialogs::runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    m_folder = QFileInfo(path).absolutePath();
    exportData(path);
}
