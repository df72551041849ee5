#pragma once
// The magnifier: a picture from the course shown in a window of its own,
// as large as the picture. A left click closes it; the right button offers
// "Copy picture".
#include <QDialog>

class QLabel;
class QMenu;
class QAction;

class PictureMagnifier : public QDialog
{
    Q_OBJECT
public:
    explicit PictureMagnifier(QWidget *parent = nullptr);

    // Shows the picture in `file`; a missing file leaves the window empty at
    // its design size.
    void load(const QString &file);

    QLabel *pictureLabel() const { return m_pictureLabel; }
    QMenu *contextMenu() const { return m_contextMenu; }
    QAction *copyAction() const { return m_copyAction; }

    void copyPicture();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_pictureLabel = nullptr;
    QMenu *m_contextMenu = nullptr;
    QAction *m_copyAction = nullptr;
};
