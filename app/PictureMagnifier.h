#pragma once
// The magnifier: a picture from the course shown in a window of its own,
// with its description as a caption under it. The picture is shown at its
// own size, or smaller, keeping its shape, where it would not fit the
// screen. A left click closes it; the right button offers "Copy picture"
// (the picture at its full size).
#include <QDialog>
#include <QPixmap>
#include <QRect>

class QLabel;
class QMenu;
class QAction;

class PictureMagnifier : public QDialog
{
    Q_OBJECT
public:
    explicit PictureMagnifier(QWidget *parent = nullptr);

    // Where the window must fit: the screen's work area. Until it is set,
    // the work area of the screen the parent (or the magnifier) is on.
    void setAvailableArea(const QRect &area) { m_available = area; }
    QRect availableArea() const;

    // Shows the picture in `file` with `description` under it. A missing
    // or unreadable file leaves the window at its design size, saying so.
    void load(const QString &file, const QString &description = QString());

    // The window's title: the picture's own title where the course keeps
    // one (the diagram source beside it), else "Picture".
    static QString titleFor(const QString &file);

    QLabel *pictureLabel() const { return m_pictureLabel; }
    QLabel *captionLabel() const { return m_captionLabel; }
    QMenu *contextMenu() const { return m_contextMenu; }
    QAction *copyAction() const { return m_copyAction; }
    // The picture as loaded, before any fitting (null when none).
    QPixmap picture() const { return m_picture; }

    void copyPicture();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fit(const QString &description);

    QLabel *m_pictureLabel = nullptr;
    QLabel *m_captionLabel = nullptr;
    QMenu *m_contextMenu = nullptr;
    QAction *m_copyAction = nullptr;
    QPixmap m_picture;
    QRect m_available;
};
