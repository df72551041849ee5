#pragma once
// The Speed dialog: sets the animation speed of the model shown.
#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

class SpeedDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SpeedDialog(QWidget *parent = nullptr);

    QLabel *fastLabel() const { return m_fastLabel; }  // "Fast"
    QLabel *slowLabel() const { return m_slowLabel; }  // "Slow"
    QSlider *speedSlider() const { return m_speedSlider; }
    QPushButton *applyButton() const { return m_applyButton; }  // Apply
    QPushButton *cancelButton() const { return m_cancelButton; }  // Cancel

    // The track bar shows 1 to 200; a stored speed outside that range is
    // shown clamped.
    void setSpeed(int speed);
    int speed() const;

private:
    QLabel *m_fastLabel = nullptr; // "Fast"
    QLabel *m_slowLabel = nullptr; // "Slow"
    QSlider *m_speedSlider = nullptr;
    QPushButton *m_applyButton = nullptr; // Apply
    QPushButton *m_cancelButton = nullptr; // Cancel
};
