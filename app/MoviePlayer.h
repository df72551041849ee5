#pragma once
// The movie player of the left pane and of the video window.
#include <QWidget>

class TMoviePlayer : public QWidget
{
    Q_OBJECT
public:
    explicit TMoviePlayer(QWidget *parent = nullptr);

    // Replaces the movie and plays it from the start; false when the file
    // cannot be played (the player keeps what it showed before).
    bool LoadMovie(int layer, const QString &file);
    void SetVariable(const QString &name, const QString &value);
    void CallLabel(const QString &target, const QString &label);
};
