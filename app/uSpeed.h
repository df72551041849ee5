#pragma once
// The Speed dialog: sets the animation speed of the model shown.
#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

class TSpeedFrm : public QDialog
{
    Q_OBJECT
public:
    explicit TSpeedFrm(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;  // "Fast"
    QLabel *Label2 = nullptr;  // "Slow"
    QSlider *SpeedHsb = nullptr;
    QPushButton *SpTBXButton1 = nullptr; // Apply
    QPushButton *SpTBXButton2 = nullptr; // Cancel

    // The track bar shows 1 to 200; a stored speed outside that range is
    // shown clamped.
    void SetPosition(int speed);
    int Position() const;
};
