#pragma once
// Movies played by Qt Quick. The movie's root item keeps its design size
// (its stage) and is scaled to fit the view keeping its aspect ratio,
// centred; the bands left over show the root's colour.
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

    QWidget *widget() override;
    bool load(const QString &file, const QVariantMap &movieVariables) override;
    void clear() override;
    QObject *movieRoot() const override;
    QImage grab() override;
    void setCommandHandler(std::function<void(const QString &, const QString &)> handler) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void relayout();
    void relayCommand(const QString &name, const QString &args);

private:
    QQuickView *m_window = nullptr; // owned by its container, m_view
    QWidget *m_view = nullptr;
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
