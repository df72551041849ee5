#pragma once
// Projector mode: one switch for the whole program that makes what a class
// reads from the back of a room bigger, all together: chart titles, axis
// numbers and lines, markers, the pictures' texts and strokes, list and
// editor fonts, the course page's text. Whoever draws or lays out reads the
// switch (isOn(), the scales below) and listens to changed(); the main window
// owns the menu item and the stored setting.
#include <QFont>
#include <QObject>

class QWidget;

class ProjectorMode : public QObject
{
    Q_OBJECT
public:
    // Texts and markers grow by half; strokes double, so a one-pixel line
    // stays crisp at two.
    static constexpr qreal kTextScale = 1.5;
    static constexpr qreal kStrokeScale = 2.0;

    static ProjectorMode *instance();
    static bool isOn();
    // Emits changed() when the state changes.
    static void setOn(bool on);

    static qreal textScale() { return isOn() ? kTextScale : 1.0; }
    static qreal strokeScale() { return isOn() ? kStrokeScale : 1.0; }

    // `design` grown by `factor`; a font set in pixels stays in pixels.
    static QFont scaledFont(const QFont &design, qreal factor);

    // Applies the text scale to `root` and every widget under it that has a
    // font of its own (the others inherit it), skipping the subtrees in
    // `skip`. Each widget's design font is kept on it the first time, so off
    // puts back exactly what was there.
    static void applyToWidgetFonts(QWidget *root, const QList<QWidget *> &skip = {});

Q_SIGNALS:
    void changed(bool on);

private:
    ProjectorMode() = default;
    bool m_on = false;
};
