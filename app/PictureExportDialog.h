#pragma once
// The small dialog of File > Export picture...: where to save, PNG or SVG,
// and the size in pixels (the size shown, or one the user types, keeping the
// picture's proportions unless asked not to). Every field is reached with
// Tab; Enter saves, Escape cancels.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class PictureExportDialog : public QDialog
{
    Q_OBJECT
public:
    // `shownSize` is the picture's size on the screen, the starting size;
    // `path` the file proposed.
    PictureExportDialog(const QSize &shownSize, const QString &path, QWidget *parent = nullptr);

    // The file to write, its suffix matching the format chosen (".png" or
    // ".svg" is added or put in place of another).
    QString filePath() const;
    QSize pictureSize() const;

    QLineEdit *pathEdit() const { return m_path; }
    QComboBox *formatBox() const { return m_format; }
    QSpinBox *widthBox() const { return m_width; }
    QSpinBox *heightBox() const { return m_height; }
    QCheckBox *keepProportionsBox() const { return m_keepProportions; }

    // The largest width or height offered.
    static constexpr int maximumSide = 10000;

private:
    void browse();
    void useShownSize();
    // With proportions kept, the other side follows the one the user moved.
    void sideChanged(bool widthMoved);
    void pathEdited(const QString &text);

    QSize m_shown;
    QLineEdit *m_path;
    QPushButton *m_browse;
    QComboBox *m_format;
    QSpinBox *m_width;
    QSpinBox *m_height;
    QCheckBox *m_keepProportions;
    QPushButton *m_shownSizeButton;
    QDialogButtonBox *m_buttons;
    bool m_adjusting = false;
};
