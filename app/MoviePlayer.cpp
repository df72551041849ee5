#include "app/MoviePlayer.h"

TMoviePlayer::TMoviePlayer(QWidget *parent) : QWidget(parent) {}

bool TMoviePlayer::LoadMovie(int layer, const QString &file)
{
    Q_UNUSED(layer);
    Q_UNUSED(file);
    return false;
}

void TMoviePlayer::SetVariable(const QString &name, const QString &value)
{
    Q_UNUSED(name);
    Q_UNUSED(value);
}

void TMoviePlayer::CallLabel(const QString &target, const QString &label)
{
    Q_UNUSED(target);
    Q_UNUSED(label);
}
