#pragma once
// Movies played by Qt Quick. The movie's root item keeps its design size
// (its stage) and is scaled to fit the view keeping its aspect ratio,
// centred; the bands left over show the root's colour.
//
// The view is a QQuickView in a window container rather than a QQuickWidget:
// a QQuickWidget makes its whole top-level window compose through OpenGL,
// which would slow every 2D picture of the main window once a movie page had
// been opened. The view renders into a native surface of its own instead.
#include "app/MovieSurface.h"

#include <QObject>
#include <QPointer>
#include <QSizeF>

class QQmlComponent;
class QQmlContext;
class QQuickItem;
class QQuickView;

class QuickMovieSurface : public QObject, public MovieSurface
{
    Q_OBJECT
public:
    explicit QuickMovieSurface(QWidget *parent);
    ~QuickMovieSurface() override;

    QWidget *widget() override { return m_container; }
    bool load(const QString &file, const QVariantMap &movieVariables) override;
    void clear() override;
    QObject *movieRoot() const override;
    QImage grab() override;
    void setCommandHandler(std::function<void(const QString &, const QString &)> handler) override;

private slots:
    void relayout();
    void relayCommand(const QString &name, const QString &args);

private:
    QQuickView *m_view = nullptr;
    QWidget *m_container = nullptr;
    QQmlContext *m_context = nullptr;
    QQmlComponent *m_component = nullptr;
    QPointer<QQuickItem> m_movie;
    QSizeF m_stage;
    std::function<void(const QString &, const QString &)> m_commandHandler;
};

// The plugin's entry: the player asks it for surfaces.
class QuickMoviePlugin : public QObject, public MovieSurfaceFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID MovieSurfaceFactory_iid)
    Q_INTERFACES(MovieSurfaceFactory)
public:
    MovieSurface *createMovieSurface(QWidget *parent) override { return new QuickMovieSurface(parent); }
};
