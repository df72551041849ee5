#pragma once
// The movie player: plays a movie (a QML file) scaled to fit with its
// background colour in the bands, and lets its host talk to the running
// movie. Movie names address the movie's objects: "_root" is the movie's
// root item, "_root.a.b" the object named "b" inside the one named "a".
//
// The engine behind it (Qt Quick, in a plugin) is loaded on the first
// movie, not when the player is created.
#include <QVariantMap>
#include <QWidget>
#include <memory>

class MovieSurface;

class MoviePlayer : public QWidget
{
    Q_OBJECT
public:
    explicit MoviePlayer(QWidget *parent = nullptr);
    ~MoviePlayer() override;

    // Replaces the movie and plays it from the start. Layer 0 is the only
    // layer. A file that cannot be played leaves the player empty; false
    // then.
    bool loadMovie(int layer, const QString &file);
    // Loads and starts the movie file (the same as loading into layer 0).
    bool setMovie(const QString &file);
    // The movie variables ("a=1&b=two") handed to movies loaded from now on
    // as their "movieVariables" object.
    void setMovieVariables(const QString &query);
    QVariantMap movieVariables() const { return m_movieVariables; }
    // Sets a variable of the running movie to a text: name "_root.X" is
    // property X of the root, "_root.a.X" property X of the object "a".
    // Unknown objects and properties are ignored.
    void setVariable(const QString &name, const QString &value);
    // Runs the function named label (without arguments) of the target
    // object ("_root.caller_mc"). Unknown targets and labels do nothing.
    void callLabel(const QString &target, const QString &label);
    // Whether the movie may take its window to full screen: when not, its
    // "fullscreen" command does not reach the host.
    void setFullScreenAllowed(bool allowed) { m_fullScreenAllowed = allowed; }
    bool fullScreenAllowed() const { return m_fullScreenAllowed; }

    // The running movie's root object, or null.
    QObject *movieRoot() const;
    bool hasMovie() const { return movieRoot() != nullptr; }
    // What the player shows now (null before the first movie).
    QImage grabMovie() const;

Q_SIGNALS:
    // The movie talks to its host (the video loader asks for "fullscreen"
    // and "normal").
    void commandReceived(const QString &command, const QString &args);

private:
    bool ensureSurface();
    QObject *resolve(const QStringList &path) const;

    std::unique_ptr<MovieSurface> m_surface;
    bool m_surfaceFailed = false;
    QVariantMap m_movieVariables;
    bool m_fullScreenAllowed = false;
};
