#pragma once
// A drawing surface whose bitmap follows the control's size by itself; its
// resized() signal comes after the bitmap has been resized.
#include "sim/framework/DrawingSurface.h"

class PaintBox : public DrawingSurface
{
    Q_OBJECT
public:
    explicit PaintBox(QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void ratioChanged() override;
};
