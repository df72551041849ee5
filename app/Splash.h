#pragma once
// The splash window shown while the program starts, and the start picture
// that fills the left pane until the first model is shown.
#include <QImage>
#include <QWidget>

class QLabel;

class TSplashFrm : public QWidget
{
    Q_OBJECT
public:
    TSplashFrm();
    QLabel *Pic = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};

// The splash window while it exists; freed by the main window.
extern TSplashFrm *SplashFrm;
// Frees the splash window if it still exists; freeing an absent one does
// nothing.
void FreeSplash();

// The start picture in the left pane. Shown at its natural size, or scaled
// down proportionally when the pane is narrower than the picture.
class TSplashImage : public QWidget
{
    Q_OBJECT
public:
    explicit TSplashImage(QWidget *parent = nullptr);
    bool LoadPicture(const QString &file);
    const QImage &Picture() const { return m_picture; }
    // AutoSize: the control takes the picture's size and draws it unscaled.
    void SetAutoSize(bool on);
    bool AutoSize() const { return m_autoSize; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QImage m_scaled; // cache of the last scaled picture
    bool m_autoSize = true;
};
