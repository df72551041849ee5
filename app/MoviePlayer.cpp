#include "app/MoviePlayer.h"

MoviePlayer::MoviePlayer(QWidget *parent) : QWidget(parent) {}

bool MoviePlayer::loadMovie(int layer, const QString &file)
{
    Q_UNUSED(layer);
    Q_UNUSED(file);
    return false;
}

void MoviePlayer::setVariable(const QString &name, const QString &value)
{
    Q_UNUSED(name);
    Q_UNUSED(value);
}

void MoviePlayer::callLabel(const QString &target, const QString &label)
{
    Q_UNUSED(target);
    Q_UNUSED(label);
}
