#pragma once
// The About box: the start picture framed in white with a grey line under
// it, the program's version, the project's page and a few lines about the
// program, and "OK".
#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;

class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    // `startPicture` is the picture file to show (none when missing);
    // `projectPage` the address the link opens (no link when empty).
    AboutDialog(const QString &startPicture, const QString &projectPage, QWidget *parent = nullptr);

    // "version " and the version's four numbers.
    static QString versionText(const QString &version);
    // The picture, shrunk to fit 500 x 332 when it is larger, with 10-pixel
    // opaque white bands inside its four edges and an opaque grey
    // (0xFF7F7F7F) line along its bottom row; null when the file cannot be
    // read.
    static QImage framedPicture(const QString &file);

    QLabel *picture() const { return m_picture; }
    QLabel *linkLabel() const { return m_linkLabel; }
    QLabel *contactLabel() const { return m_contactLabel; }
    QLabel *versionLabel() const { return m_versionLabel; }
    QPushButton *okButton() const { return m_okButton; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openProjectPage();

    QString m_projectPage;
    QLabel *m_picture = nullptr;
    QLabel *m_linkLabel = nullptr;
    QLabel *m_contactLabel = nullptr;
    QLabel *m_versionLabel = nullptr;
    QPushButton *m_okButton = nullptr;
};
