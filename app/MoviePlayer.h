#pragma once
// The movie player of the left pane and of the video window.
#include <QWidget>

class MoviePlayer : public QWidget
{
    Q_OBJECT
public:
    explicit MoviePlayer(QWidget *parent = nullptr);

    // Replaces the movie and plays it from the start; false when the file
    // cannot be played (the player keeps what it showed before).
    bool loadMovie(int layer, const QString &file);
    void setVariable(const QString &name, const QString &value);
    void callLabel(const QString &target, const QString &label);
};
