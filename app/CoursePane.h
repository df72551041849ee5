#pragma once
// The right pane: the course pages in the page browser, the page toolbar
// (Index, Back, Forward, Font, Colour), the picture menu and the Edit menu.
// Every navigation is looked at before it happens: a picture link, a page
// command or a video link is not followed but handed on by a signal, and a
// page of another model asks for that model first, so the left pane has
// switched before the page loads.
#include <QFrame>
#include <QString>

class PageBrowser;
class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;
class QUrl;

class CoursePane : public QFrame
{
    Q_OBJECT
public:
    // `htmlFolder` holds the course (index.htm and the model pages); the
    // page toolbar is made for `window`'s docks.
    CoursePane(const QString &htmlFolder, QMainWindow *window, QWidget *parent = nullptr);

    // Opens the course's first page (nothing when there is none).
    void showIndex();
    // Opens the course page `fileName` ("YDS.HTM", any letter case), which
    // must be an .htm or .html file of the course folder itself; false, and
    // nothing opened, when there is none.
    bool showPage(const QString &fileName);
    // Adds the "Edit" menu (Select all, Copy) to the menu bar.
    void createEditMenu(QMenuBar *bar);

    // ---- text size and page background, as the settings keep them
    // 0 (smallest) to 4 (largest).
    int textSize() const { return m_textSize; }
    void setTextSize(int size);
    // "#FFFFFF", "#D9EAFF" or "#FFFFE0"; white leaves each page's own
    // background as authored.
    QString pageBackground() const { return m_pageBackground; }
    // Takes the colour for the pages to come; the page shown keeps its own
    // until the next page loads.
    void setStoredPageBackground(const QString &colour);
    // The user chose a colour from the Colour menu: it applies to the page
    // shown at once (and not at all while no page is shown).
    void setPageBackground(const QString &colour);
    // Large or normal button pictures and menu fonts.
    void setLargeButtons(bool large);
    // Projector mode: the page's text one size up (the chosen size stays).
    void setProjectorMode(bool on);

    // ---- parts
    PageBrowser *browser() const { return m_browser; }
    QToolBar *pageToolbar() const { return m_pageToolbar; }
    // The empty toolbar just before the page toolbar that keeps its buttons
    // above the right pane (the main window sets its width).
    QToolBar *pageToolbarGap() const { return m_pageToolbarGap; }
    QAction *indexAction() const { return m_indexAction; }
    QAction *backAction() const { return m_backAction; }
    QAction *forwardAction() const { return m_forwardAction; }
    QAction *fontAction() const { return m_fontAction; }
    QAction *colourAction() const { return m_colourAction; }
    QMenu *fontMenu() const { return m_fontMenu; }
    QMenu *colourMenu() const { return m_colourMenu; }
    // The Font menu's items, smallest (0) to largest (4).
    QAction *textSizeAction(int size) const;
    QAction *whiteAction() const { return m_whiteAction; }
    QAction *paleBlueAction() const { return m_paleBlueAction; }
    QAction *paleYellowAction() const { return m_paleYellowAction; }
    QMenu *pictureMenu() const { return m_pictureMenu; }
    QAction *copyPictureAction() const { return m_copyPictureAction; }
    QMenu *editMenu() const { return m_editMenu; }
    QAction *selectAllAction() const { return m_selectAllAction; }
    QAction *copyPageAction() const { return m_copyPageAction; }
    // The picture under the last context-menu click, as it is on disk.
    QString picturePath() const { return m_picturePath; }

    // ---- what the user does
    // Before the Font and Colour menus open: the check marks follow the
    // text size and background in force.
    void updateFontMenu();
    void updateColourMenu();
    // Neither moves the page.
    void selectAll();
    // The whole page to the clipboard, whatever was selected; the selection
    // stays as it was.
    void copyPage();
    // The picture under the last context-menu click to the clipboard.
    void copyPicture();

Q_SIGNALS:
    // A page of model `kind` is about to open; the left pane switches first.
    void simulationRequested(int kind);
    // A "+" link: a command for the model shown.
    void pageCommand(const QString &command);
    // A "$" link: the picture `file` in the magnifier, with the link's
    // description of it (its title; empty when it has none).
    void pictureRequested(const QString &file, const QString &description);
    // A ".FLV" link (its last address segment).
    void videoRequested(const QString &segment);

private:
    void createPageToolbar(QMainWindow *window);
    void beforeNavigate(const QUrl &url, bool &cancel);
    void documentComplete();
    void commandStateChanged(int command, bool enabled);
    void showContextMenu(int menuKind, const QString &pictureSource, const QPoint &screenPos, bool &handled);

    QString m_htmlFolder;
    PageBrowser *m_browser = nullptr;
    QToolBar *m_pageToolbar = nullptr;
    QToolBar *m_pageToolbarGap = nullptr;
    QAction *m_indexAction = nullptr;
    QAction *m_backAction = nullptr;
    QAction *m_forwardAction = nullptr;
    QAction *m_fontAction = nullptr;
    QAction *m_colourAction = nullptr;
    QMenu *m_fontMenu = nullptr;
    QMenu *m_colourMenu = nullptr;
    QAction *m_textSizeActions[5] = {};
    QAction *m_whiteAction = nullptr;
    QAction *m_paleBlueAction = nullptr;
    QAction *m_paleYellowAction = nullptr;
    QMenu *m_pictureMenu = nullptr;
    QAction *m_copyPictureAction = nullptr;
    QMenu *m_editMenu = nullptr;
    QAction *m_selectAllAction = nullptr;
    QAction *m_copyPageAction = nullptr;
    QString m_pageBackground = QStringLiteral("#FFFFFF");
    int m_textSize = 2;
    QString m_picturePath;
};
