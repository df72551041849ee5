#include "app/EmbeddedBrowser.h"

#include "app/FileLookup.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextFrame>

namespace {
// The five text sizes as steps of the default font.
constexpr qreal kTextScale[5] = {0.75, 0.875, 1.0, 1.2, 1.45};
} // namespace

TEmbeddedBrowser::TEmbeddedBrowser(QWidget *parent) : QTextBrowser(parent)
{
    // Links are ours to follow: the announcement comes first, and nothing
    // ever leaves for another program or window.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
    m_baseFontSize = font().pointSizeF() > 0 ? font().pointSizeF() : 9.0;
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) { Navigate(url); });
}

// ---------------------------------------------------------------- navigation

void TEmbeddedBrowser::Navigate(const QString &address)
{
    QUrl url(address);
    const bool looksLikeUrl = url.isValid() && url.scheme().size() > 1;
    if (!looksLikeUrl) {
        // A path: absolute, or relative to the current page's folder.
        const QString path = QDir::fromNativeSeparators(address);
        if (QDir::isAbsolutePath(path) || !HasDocument())
            url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        else
            url = QUrl(path);
    }
    Navigate(url);
}

void TEmbeddedBrowser::Navigate(const QUrl &url)
{
    Go(Resolve(url), -1);
}

void TEmbeddedBrowser::GoBack()
{
    if (CanGoBack())
        Go(m_history[m_index - 1], m_index - 1);
}

void TEmbeddedBrowser::GoForward()
{
    if (CanGoForward())
        Go(m_history[m_index + 1], m_index + 1);
}

QUrl TEmbeddedBrowser::Resolve(const QUrl &url) const
{
    if (url.isRelative() && HasDocument())
        return CurrentUrl().resolved(url);
    return url;
}

bool TEmbeddedBrowser::Go(const QUrl &url, int historyIndex)
{
    // Only local files: anything else is refused before anyone sees it.
    if (!url.isValid() || !url.isLocalFile())
        return false;
    bool cancel = false;
    Q_EMIT BeforeNavigate(url, cancel);
    if (cancel)
        return false;
    if (historyIndex < 0) {
        m_history.resize(m_index + 1);
        m_history.push_back(url);
        m_index = m_history.size() - 1;
    } else {
        m_index = historyIndex;
    }
    Load(url);
    ReportCommandState();
    Q_EMIT DocumentComplete();
    return true;
}

void TEmbeddedBrowser::Load(const QUrl &url)
{
    // Each page starts with its own background.
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, palette().color(QPalette::Base));
    viewport()->setPalette(pal);

    const QString path = FileLookup::Resolve(url.toLocalFile());
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        const QString shown = url.toLocalFile().toHtmlEscaped();
        setHtml(QStringLiteral("<html><head><title>Page not found</title></head><body>"
                               "<h3>Page not found</h3><p>This page is missing:</p>"
                               "<p><tt>%1</tt></p></body></html>")
                    .arg(shown));
        return;
    }
    QUrl target = QUrl::fromLocalFile(path);
    target.setFragment(url.fragment());
    if (source().adjusted(QUrl::RemoveFragment) == target.adjusted(QUrl::RemoveFragment)
        && !target.fragment().isEmpty()) {
        scrollToAnchor(target.fragment()); // same page: only move to the anchor
        return;
    }
    setSource(target, QTextDocument::HtmlResource);
}

void TEmbeddedBrowser::ReportCommandState()
{
    Q_EMIT CommandStateChange(cmdForward, CanGoForward());
    Q_EMIT CommandStateChange(cmdBack, CanGoBack());
}

QVariant TEmbeddedBrowser::loadResource(int type, const QUrl &name)
{
    // Pages and pictures are found without regard to letter case.
    QUrl url = name;
    if (url.isRelative())
        url = source().resolved(url);
    if (url.isLocalFile()) {
        const QString path = FileLookup::Resolve(url.toLocalFile());
        if (!path.isEmpty()) {
            QUrl resolved = QUrl::fromLocalFile(path);
            resolved.setFragment(url.fragment());
            return QTextBrowser::loadResource(type, resolved);
        }
        return {};
    }
    return {}; // nothing is fetched from elsewhere
}

// ---------------------------------------------------------------- page state

QString TEmbeddedBrowser::LocationName() const
{
    const QString title = documentTitle().trimmed();
    if (!title.isEmpty())
        return title;
    return CurrentUrl().toString();
}

bool TEmbeddedBrowser::SetDocumentBackground(const QString &colour)
{
    const QColor c(colour);
    if (!HasDocument() || !c.isValid())
        return false;
    QTextFrame *root = document()->rootFrame();
    QTextFrameFormat f = root->frameFormat();
    f.setBackground(c);
    root->setFrameFormat(f);
    // The area below a short page shows the same colour.
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, c);
    viewport()->setPalette(pal);
    return true;
}

QColor TEmbeddedBrowser::DocumentBackground() const
{
    const QBrush b = document()->rootFrame()->frameFormat().background();
    return b.style() == Qt::NoBrush ? viewport()->palette().color(QPalette::Base) : b.color();
}

void TEmbeddedBrowser::SetTextSize(int size)
{
    m_textSize = qBound(0, size, 4);
    ApplyTextSize();
}

void TEmbeddedBrowser::ApplyTextSize()
{
    QFont f = font();
    f.setPointSizeF(m_baseFontSize * kTextScale[m_textSize]);
    if (f != font())
        setFont(f);
}

void TEmbeddedBrowser::SelectAllText()
{
    selectAll();
}

void TEmbeddedBrowser::CopySelection()
{
    copy();
}

void TEmbeddedBrowser::ClearSelection()
{
    QTextCursor c = textCursor();
    c.clearSelection();
    setTextCursor(c);
}

// ---------------------------------------------------------------- menus and keys

QString TEmbeddedBrowser::PictureSourceAt(const QPoint &viewportPos) const
{
    const QPointF docPos(viewportPos.x() + horizontalScrollBar()->value(),
                         viewportPos.y() + verticalScrollBar()->value());
    const QString name = document()->documentLayout()->imageAt(docPos);
    if (name.isEmpty())
        return {};
    const QUrl url(name);
    return (url.isRelative() ? source().resolved(url) : url).toString();
}

void TEmbeddedBrowser::contextMenuEvent(QContextMenuEvent *event)
{
    const QString picture = PictureSourceAt(event->pos());
    const int kind = !picture.isEmpty() ? mkPicture
                     : textCursor().hasSelection() ? mkSelectedText
                                                   : mkDefault;
    bool handled = false;
    Q_EMIT ShowContextMenu(kind, picture, event->globalPos(), handled);
    if (handled || kind != mkSelectedText)
        return;
    // The browser's own menu, for selected text only, and reduced to what
    // makes sense for a course page.
    QMenu menu(this);
    menu.addAction(tr("Copy"), this, &TEmbeddedBrowser::CopySelection);
    menu.addAction(tr("Select all"), this, &TEmbeddedBrowser::SelectAllText);
    menu.exec(event->globalPos());
}

void TEmbeddedBrowser::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::New)) { // never a new window
        event->accept();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

bool TEmbeddedBrowser::event(QEvent *event)
{
    // Copy and Select all belong to the Edit menu, which copies the whole
    // page; let those keys through to it.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->matches(QKeySequence::Copy) || ke->matches(QKeySequence::SelectAll)) {
            event->ignore();
            return true;
        }
    }
    return QTextBrowser::event(event);
}
