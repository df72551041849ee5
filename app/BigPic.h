#pragma once
// The magnifier: a picture from the course shown in a window of its own,
// as large as the picture. A left click closes it; the right button offers
// "Copy picture".
#include <QDialog>

class QLabel;
class QMenu;
class QAction;

class TBigPicFrm : public QDialog
{
    Q_OBJECT
public:
    explicit TBigPicFrm(QWidget *parent = nullptr);

    // Shows the picture in `file`; a missing file leaves the window empty at
    // its design size.
    void Load(const QString &file);

    QLabel *MagPic = nullptr;
    QMenu *PopupMenu = nullptr;
    QAction *CopyPic1 = nullptr;

    void CopyPic1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
