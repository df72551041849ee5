#pragma once
// What the movie player needs from the engine that plays movies. The engine
// (Qt Quick) lives in a plugin loaded on the first movie, so a session that
// never opens a movie page never loads it. Only the player and the plugin
// include this header.
#include <QString>
#include <QVariantMap>
#include <QtPlugin>
#include <functional>

class QImage;
class QObject;
class QWidget;

class MovieSurface
{
public:
    virtual ~MovieSurface() = default;

    // The widget that shows the movie; its parent is the one given to the
    // factory.
    virtual QWidget *widget() = 0;
    // Replaces the movie by the QML file and starts it from the beginning,
    // with movieVariables as the movie's "movieVariables" object. False when
    // the file cannot be played; the surface then shows nothing.
    virtual bool load(const QString &file, const QVariantMap &movieVariables) = 0;
    // Drops the movie.
    virtual void clear() = 0;
    // The root object of the running movie, or null.
    virtual QObject *movieRoot() const = 0;
    // What is shown now, movie and background bands, at the widget's size.
    virtual QImage grab() = 0;
    // Called with (name, arguments) whenever the movie raises its command
    // signal.
    virtual void setCommandHandler(std::function<void(const QString &, const QString &)> handler) = 0;
};

class MovieSurfaceFactory
{
public:
    virtual ~MovieSurfaceFactory() = default;
    virtual MovieSurface *createMovieSurface(QWidget *parent) = 0;
};

#define MovieSurfaceFactory_iid "org.orvanta.MovieSurfaceFactory/1.0"
Q_DECLARE_INTERFACE(MovieSurfaceFactory, MovieSurfaceFactory_iid)
