#pragma once
// What a simulation window changes when the "Use large buttons" setting
// changes: spin box widths, fonts, menu pictures.
#include <QFont>
#include <QPointer>
#include <QToolBar>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class DropDownButton;

// A font at 150 percent, the size that goes with large buttons; fonts set
// in pixels stay in pixels.
QFont largeButtonFont(QFont f);

// What setLargeButtons changes, entered once in the window's constructor
// after the toolbar is built. Large applies the large size and 150 percent
// fonts; normal puts back exactly what the design had (fonts as they were,
// explicit or inherited, and the normal sizes, which are the design's).
class ButtonSizes
{
public:
    // The toolbar takes largeIcons for large and smallIcons for normal.
    bool switchImages = false;

    // Width large / normal, and the 150 / 100 percent font (spin edits).
    void spinEdit(QWidget *edit, int largeWidth, int normalWidth);
    // Height large / normal only (a scroll bar in the toolbar).
    void height(QWidget *widget, int largeHeight, int normalHeight);
    // 150 / 100 percent font of a control or a menu item.
    void font(QWidget *widget);
    void font(QAction *item);
    // A drop-down button: its own font (withButton) and each item's, and its
    // custom-drawn item pictures' size.
    void menu(DropDownButton *button, bool withButton = true);
    // Anything else a window changes with the button size.
    void custom(std::function<void(bool large)> apply);

    // Applies the sizes within one update of the toolbar.
    void apply(QToolBar *toolbar, bool large);

private:
    struct FontEntry {
        QPointer<QWidget> widget;
        QPointer<QAction> action;
        std::optional<QFont> design;
        bool explicitFont = false;
    };
    struct SizeEntry {
        QPointer<QWidget> widget;
        int large;
        int normal;
        bool height;
    };
    void applyFont(FontEntry &e, bool large);
    std::vector<FontEntry> m_fonts;
    std::vector<SizeEntry> m_sizes;
    std::vector<std::function<void(bool)>> m_custom;
};
