#pragma once
// The splash window shown while the program starts.
#include <QWidget>

class QLabel;

class SplashScreen : public QWidget
{
    Q_OBJECT
public:
    SplashScreen();
    QLabel *pictureLabel() const { return m_pictureLabel; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_pictureLabel = nullptr;
};

// The splash window while it exists; freed by the main window.
extern SplashScreen *splashScreen;
// Frees the splash window if it still exists; freeing an absent one does
// nothing.
void closeSplashScreen();
