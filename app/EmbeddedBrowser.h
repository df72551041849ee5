#pragma once
// The right pane's page browser: a QTextBrowser that behaves as the program
// expects of a page browser. Every navigation (a link, back, forward, or a
// call to Navigate) is announced first by BeforeNavigate, whose handler may
// cancel it; only local files are ever opened, and never in a new window.
// The browser keeps its own history so that a cancelled navigation leaves
// both the page and the history as they were.
#include <QTextBrowser>
#include <QUrl>
#include <QVector>

class TEmbeddedBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit TEmbeddedBrowser(QWidget *parent = nullptr);

    // Context-menu kinds passed to ShowContextMenu.
    enum MenuKind { mkDefault = 0, mkPicture = 1, mkSelectedText = 4 };
    // Command numbers passed to CommandStateChange.
    enum Command { cmdForward = 1, cmdBack = 2 };

    // Opens a local file, given as a path or a file address (relative
    // addresses are taken relative to the current page). Anything that is
    // not a local file is refused: nothing happens.
    void Navigate(const QString &address);
    void Navigate(const QUrl &url);
    void GoBack();
    void GoForward();
    bool CanGoBack() const { return m_index > 0; }
    bool CanGoForward() const { return m_index + 1 < m_history.size(); }

    // The page's title, or its address when it has none.
    QString LocationName() const;
    QUrl CurrentUrl() const { return m_index >= 0 ? m_history[m_index] : QUrl(); }
    bool HasDocument() const { return m_index >= 0; }
    // Sets the current page's background from an HTML colour text; false
    // when no page is shown or the text is not a colour.
    bool SetDocumentBackground(const QString &colour);
    QColor DocumentBackground() const;

    // Text size 0 (smallest) to 4 (largest); other values are clamped.
    void SetTextSize(int size);
    int TextSize() const { return m_textSize; }

    void SelectAllText();
    void CopySelection();
    void ClearSelection();

    // The address of the picture at a point of the view, or empty.
    QString PictureSourceAt(const QPoint &viewportPos) const;

public Q_SLOTS:
    // The browser's own back and forward keys go through our history.
    void backward() override { GoBack(); }
    void forward() override { GoForward(); }

Q_SIGNALS:
    void BeforeNavigate(const QUrl &url, bool &cancel);
    void DocumentComplete();
    void CommandStateChange(int command, bool enabled);
    // handled = true suppresses the browser's own (reduced) menu.
    void ShowContextMenu(int menuKind, const QString &pictureSource, const QPoint &screenPos,
                         bool &handled);

public:
    // Pages and pictures come from local files only, found without regard
    // to letter case.
    QVariant loadResource(int type, const QUrl &name) override;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    // Runs the announcement and, unless cancelled, shows the page.
    bool Go(const QUrl &url, int historyIndex);
    void Load(const QUrl &url);
    void ReportCommandState();
    QUrl Resolve(const QUrl &url) const;
    void ApplyTextSize();

    QVector<QUrl> m_history;
    int m_index = -1;
    int m_textSize = 2;
    qreal m_baseFontSize = 0;
};
