#pragma once
#include <QImage>
#include <QWidget>

// The start picture in the left pane. Shown at its natural size, or scaled
// down proportionally when the pane is narrower than the picture.
class StartPicture : public QWidget
{
    Q_OBJECT
public:
    explicit StartPicture(QWidget *parent = nullptr);
    bool loadPicture(const QString &file);
    const QImage &picture() const { return m_picture; }
    // autoSize: the control takes the picture's size and draws it unscaled.
    void setAutoSize(bool on);
    bool autoSize() const { return m_autoSize; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QImage m_scaled; // cache of the last scaled picture
    bool m_autoSize = true;
};
