#pragma once
// The right pane's page browser: the course pages are local HTML files, and
// the program watches every navigation before it happens. Built on
// QTextBrowser, but navigation, history and the context menu are our own so
// that every way of changing the page (links, Back, Forward, Alt+arrows,
// Navigate calls, anchors on the same page) passes the before-navigate event
// and can be cancelled there.
//
// Loading is asynchronous: Navigate raises the before-navigate event at
// once, the page itself is loaded from the event loop, and then the
// command-state-change and document-complete events follow.
#include <QTextBrowser>
#include <QUrl>
#include <functional>
#include <optional>
#include <vector>

class PageBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit PageBrowser(QWidget *parent = nullptr);

    // ---------------------------------------------------------- events
    // Each event has one handler, set by the owner.

    // Raised before every navigation starts; setting `cancel` stops it and
    // the current page stays. The address is absolute (relative links are
    // resolved against the current page).
    std::function<void(const QUrl &url, bool &cancel)> onBeforeNavigate;
    // A page has loaded.
    std::function<void()> onDocumentComplete;
    // command kCommandForward: whether going forward is possible;
    // command kCommandBack: whether going back is possible.
    std::function<void(int command, bool enabled)> onCommandStateChange;
    // A context menu was asked for. `menuKind` is kMenuPicture (with the
    // picture's source address), kMenuTextSelection, kMenuAnchor or
    // kMenuDefault. Leaving `handled` false lets the browser show its own
    // menu, which exists only for selected text.
    std::function<void(int menuKind, const QString &pictureSource, const QPoint &screenPos,
                       bool &handled)>
        onShowContextMenu;

    static constexpr int kCommandForward = 1;
    static constexpr int kCommandBack = 2;
    static constexpr int kMenuDefault = 0;
    static constexpr int kMenuPicture = 1;
    static constexpr int kMenuTextSelection = 4;
    static constexpr int kMenuAnchor = 5;
    // The largest page file shown, in bytes. Course pages are tens of
    // kilobytes; laying out tens of megabytes would hold the window for
    // seconds, so a larger file gets a message instead.
    static constexpr qint64 kLargestPage = 4 * 1024 * 1024;

    // ---------------------------------------------------------- navigation
    // Opens a local file given as a path ('/' or '\' separated) or as an
    // address ("file:///..."); a relative one is taken from the current
    // page's folder. Returns false when the navigation was refused (not a
    // local file) or cancelled by the before-navigate handler.
    bool navigate(const QString &pathOrAddress);
    bool navigate(const QUrl &url);
    // History navigation; each raises the before-navigate event like a
    // link. Return false when there is nowhere to go or it was cancelled.
    bool goBack();
    bool goForward();
    bool canGoBack() const;
    bool canGoForward() const;
    // True from an accepted navigation until its page has loaded.
    bool isBusy() const { return m_pending.has_value(); }

    // The current page's address (invalid before the first page).
    QUrl locationUrl() const { return m_current; }
    // The current page's title, or its address when it has none.
    QString locationName() const;

    // Shows a message (HTML) in place of a page, when there is no page to
    // show. It is no page: it has no location, enters no history and takes
    // no page colour.
    void showMessage(const QString &html);

    // ---------------------------------------------------------- document
    // Whether a page is shown at all.
    bool hasDocument() const { return m_current.isValid(); }
    // Sets the current page's background from an HTML colour text
    // ("#D9EAFF", "white"). False with no page or a text that is no colour.
    bool setDocumentBackground(const QString &htmlColour);
    // The page's background colour as "#RRGGBB", empty when the page sets
    // none (it is then drawn white).
    QString documentBackground() const;

    // Text size 0 (smallest) to 4 (largest); other values are clamped.
    void setTextSize(int size);
    int textSize() const { return m_textSize; }
    // Point size of the page's default font at a text size (0 to 5).
    static qreal pointSizeForTextSize(int size);
    // The text shown this many sizes (0 or 1) above textSize(), which stays
    // the reader's choice: projector mode shows the page one size up.
    void setSizeStep(int steps);
    int sizeStep() const { return m_sizeStep; }

    // Editing commands: QTextEdit's selectAll() and copy() (which puts the
    // selection on the clipboard), and this.
    void clearSelection();
    // The Edit menu's commands. Neither moves the page: the reader keeps
    // their place (QTextEdit would scroll to the end of the selection).
    // Selects the whole page.
    void selectWholePage();
    // Puts the whole page on the clipboard and leaves the reader's own
    // selection, if any, as it was.
    void copyWholePage();

    // ---------------------------------------------------------- link titles
    // A link's title attribute describes where it leads (for a "$" link,
    // the picture). It shows as a tooltip, wrapped so that a long one never
    // runs off the screen.
    // The title of the link being followed, while its before-navigate event
    // runs; empty for other navigations and for links without one.
    QString followedLinkTitle() const { return m_followedTitle; }
    // The title (tooltip) of the text at `viewportPos`; empty when none.
    QString titleAt(const QPoint &viewportPos) const;
    // A title as the tooltip shows it: rich text, so it wraps.
    static QString wrappedTooltip(const QString &title);

    // What a context menu at `viewportPos` would be about: the menu kind,
    // and for a picture its source address.
    struct HitInfo {
        int menuKind = kMenuDefault;
        QString pictureSource;
    };
    HitInfo hitTest(const QPoint &viewportPos) const;

    // Resources of the pages: local files only, found without regard to
    // letter case.
    QVariant loadResource(int type, const QUrl &name) override;

public Q_SLOTS:
    // The engine's own history keys (Alt+Left, Alt+Right, Alt+Up) and
    // slots lead here, so they go through the before-navigate event too.
    void backward() override;
    void forward() override;
    void home() override;
    void reload() override;

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    struct HistoryEntry {
        QUrl url;
        int hpos = 0;
        int vpos = 0;
    };
    struct Pending {
        QUrl url;
        int historyIndex = -1; // target entry for Back/Forward, -1 = new entry
    };

    // Runs `edit` and puts the view back where it was.
    void keepingView(const std::function<void()> &edit);
    QUrl toUrl(const QString &pathOrAddress) const;
    // The title of `link`: the one the reader just activated, else the
    // first link on the page with that address.
    QString titleOfLink(const QUrl &link) const;
    bool request(const QUrl &url, int historyIndex);
    void completeNavigation();
    void loadPage(const QUrl &url);
    void applyFont();

    std::vector<HistoryEntry> m_history;
    int m_index = -1;               // current entry of m_history
    std::optional<Pending> m_pending;
    quint64 m_request = 0;          // the latest accepted navigation wins
    QUrl m_current;                 // address of the page shown
    QUrl m_loadedFile;              // file the document was read from
    int m_textSize = 2;
    int m_sizeStep = 0;
    QFont m_baseFont;
    // The link under a click or Enter while the engine activates it.
    QString m_activatedHref;
    QString m_activatedTitle;
    QString m_followedTitle;
};
