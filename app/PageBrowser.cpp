#include "app/PageBrowser.h"

#include "core/FileLookup.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextFrame>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

namespace {

// The page's default font size at text size 2, as browsers show "medium".
constexpr qreal kMediumPointSize = 12.0;
// Text sizes 0 to 4 as percentages of medium; 5 is reached only one size up
// from the largest (projector mode).
constexpr int kSizePercent[6] = {75, 87, 100, 120, 145, 175};

bool isLocal(const QUrl &url)
{
    if (!url.isValid() || !url.isLocalFile())
        return false;
    const QString host = url.host();
    return host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0;
}

// Pages written for older browsers may be in a single-byte encoding without
// saying so; text that is not valid UTF-8 is read as Latin-1.
QString decodeHtml(const QByteArray &data)
{
    QStringDecoder declared = QStringDecoder::decoderForHtml(data);
    if (declared.isValid()) {
        QString text = declared.decode(data);
        if (!declared.hasError())
            return text;
    }
    return QString::fromLatin1(data);
}

QString errorPage(const QString &heading, const QString &reason, const QUrl &url)
{
    const QString where = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
    return QStringLiteral("<html><body><h3>%1</h3><p>%2</p><p>%3</p></body></html>")
        .arg(heading.toHtmlEscaped(), reason.toHtmlEscaped(), where.toHtmlEscaped());
}

QString errorPage(const QUrl &url)
{
    return errorPage(QStringLiteral("This page cannot be shown"), QStringLiteral("The file was not found:"), url);
}

} // namespace

PageBrowser::PageBrowser(QWidget *parent) : QTextBrowser(parent)
{
    // Links are ours to follow; the engine never opens anything itself.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);

    // Pages are drawn as a web browser draws them, whatever the theme:
    // dark text on white unless the page says otherwise.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Link, QColor(0x0000EE));
    pal.setColor(QPalette::LinkVisited, QColor(0x551A8B));
    setPalette(pal);

    m_baseFont = QApplication::font();
    applyFont();

    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        // The engine hands over the link as written; it is taken from the
        // page shown.
        m_followedTitle = titleOfLink(link);
        navigate(m_current.isValid() ? m_current.resolved(link) : link);
        m_followedTitle.clear();
    });
}

// ======================================================================
// Navigation
// ======================================================================

QUrl PageBrowser::toUrl(const QString &pathOrAddress) const
{
    const QString s = pathOrAddress.trimmed();
    if (s.isEmpty())
        return {};
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    if (drive.match(s).hasMatch())
        return QUrl::fromLocalFile(QDir::fromNativeSeparators(s));
    // An address names its scheme; a one-letter "scheme" is a drive.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(s).hasMatch())
        return QUrl(s);
    QString path = s;
    path.replace('\\', '/');
    if (QDir::isAbsolutePath(path))
        return QUrl::fromLocalFile(path);
    const QUrl base = m_current.isValid() ? m_current : QUrl::fromLocalFile(QDir::currentPath() + '/');
    return base.resolved(QUrl(path));
}

bool PageBrowser::navigate(const QString &pathOrAddress)
{
    return request(toUrl(pathOrAddress), -1);
}

bool PageBrowser::navigate(const QUrl &url)
{
    if (url.isEmpty())
        return false;
    const QUrl absolute = url.isRelative() && m_current.isValid() ? m_current.resolved(url) : url;
    return request(absolute, -1);
}

bool PageBrowser::canGoBack() const
{
    return m_index > 0;
}

bool PageBrowser::canGoForward() const
{
    return m_index >= 0 && m_index + 1 < int(m_history.size());
}

bool PageBrowser::goBack()
{
    // A history step still on its way counts as where we are.
    const int from = m_pending && m_pending->historyIndex >= 0 ? m_pending->historyIndex : m_index;
    if (from <= 0)
        return false;
    return request(m_history[from - 1].url, from - 1);
}

bool PageBrowser::goForward()
{
    const int from = m_pending && m_pending->historyIndex >= 0 ? m_pending->historyIndex : m_index;
    if (from < 0 || from + 1 >= int(m_history.size()))
        return false;
    return request(m_history[from + 1].url, from + 1);
}

void PageBrowser::backward()
{
    goBack();
}

void PageBrowser::forward()
{
    goForward();
}

void PageBrowser::home()
{
    if (!m_history.empty())
        request(m_history.front().url, -1);
}

void PageBrowser::reload()
{
    if (m_index < 0)
        return;
    m_loadedFile = QUrl(); // read the file again
    request(m_current, m_index);
}

void PageBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType)
{
    // setSource() from anywhere is a navigation like any other.
    navigate(name);
}

bool PageBrowser::request(const QUrl &url, int historyIndex)
{
    // Only local files are followed; anything else is refused before it
    // becomes a navigation.
    if (!isLocal(url))
        return false;
    bool cancel = false;
    if (onBeforeNavigate)
        onBeforeNavigate(url, cancel);
    if (cancel)
        return false;
    m_pending = Pending{url, historyIndex};
    const quint64 id = ++m_request;
    QTimer::singleShot(0, this, [this, id] {
        if (id == m_request && m_pending)
            completeNavigation();
    });
    return true;
}

void PageBrowser::completeNavigation()
{
    const Pending p = *m_pending;
    m_pending.reset();

    // Remember where the reader was on the page being left.
    if (m_index >= 0) {
        m_history[m_index].hpos = horizontalScrollBar()->value();
        m_history[m_index].vpos = verticalScrollBar()->value();
    }

    loadPage(p.url);

    if (p.historyIndex >= 0 && p.historyIndex < int(m_history.size())) {
        m_index = p.historyIndex;
        HistoryEntry &e = m_history[m_index];
        e.url = m_current;
        // Back where the reader left the page, unless an anchor says where.
        if (!m_current.hasFragment()) {
            horizontalScrollBar()->setValue(e.hpos);
            verticalScrollBar()->setValue(e.vpos);
        }
    } else if (m_index < 0 || m_history[m_index].url != m_current) {
        // A new address drops the pages ahead of the current one.
        m_history.resize(m_index + 1);
        m_history.push_back(HistoryEntry{m_current, 0, 0});
        m_index = int(m_history.size()) - 1;
    }

    if (onCommandStateChange) {
        onCommandStateChange(kCommandForward, canGoForward());
        onCommandStateChange(kCommandBack, canGoBack());
    }
    if (onDocumentComplete)
        onDocumentComplete();
}

void PageBrowser::loadPage(const QUrl &url)
{
    const QString file = FileLookup::resolve(url.toLocalFile());
    const QFileInfo info(file);
    if (file.isEmpty() || !info.isFile()) {
        m_loadedFile = QUrl();
        setHtml(errorPage(url));
        m_current = url;
        return;
    }

    const QUrl fileUrl = QUrl::fromLocalFile(info.absoluteFilePath());
    if (fileUrl != m_loadedFile) {
        QFile f(info.absoluteFilePath());
        if (!f.open(QIODevice::ReadOnly)) {
            m_loadedFile = QUrl();
            setHtml(errorPage(url));
            m_current = url;
            return;
        }
        if (f.size() > kLargestPage) {
            m_loadedFile = QUrl();
            setHtml(errorPage(QStringLiteral("This page is too large to be shown"),
                              QStringLiteral("The file holds %1 MB; a page may hold at most %2 MB:")
                                  .arg(QString::number(double(f.size()) / (1024 * 1024), 'f', 1))
                                  .arg(kLargestPage / (1024 * 1024)),
                              fileUrl));
            m_current = fileUrl;
            return;
        }
        // Resources of the new page are looked up from its own folder.
        m_loadedFile = fileUrl;
        setHtml(decodeHtml(f.readAll()));
    }

    m_current = fileUrl;
    if (url.hasFragment())
        m_current.setFragment(url.fragment());
    if (!url.fragment().isEmpty()) {
        scrollToAnchor(url.fragment());
    } else {
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(0);
    }
}

void PageBrowser::showMessage(const QString &html)
{
    m_pending.reset();
    ++m_request;
    m_loadedFile = QUrl();
    m_current = QUrl();
    setHtml(html);
}

QString PageBrowser::locationName() const
{
    const QString title = documentTitle();
    return title.isEmpty() ? m_current.toString() : title;
}

QVariant PageBrowser::loadResource(int type, const QUrl &name)
{
    QUrl url = name;
    if (url.isRelative()) {
        const QUrl base = m_loadedFile.isValid() ? m_loadedFile : m_current;
        if (!base.isValid())
            return {};
        url = base.resolved(url);
    }
    if (url.scheme() == QLatin1String("qrc"))
        return QTextBrowser::loadResource(type, url);
    if (!isLocal(url))
        return {};
    const QString file = FileLookup::resolveFile(url.toLocalFile());
    if (file.isEmpty())
        return {};
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = f.readAll();
    if (type == QTextDocument::HtmlResource)
        return decodeHtml(data);
    return data;
}

// ======================================================================
// Document
// ======================================================================

bool PageBrowser::setDocumentBackground(const QString &htmlColour)
{
    if (!hasDocument())
        return false;
    const QColor c = QColor::fromString(htmlColour.trimmed());
    if (!c.isValid())
        return false;
    QTextFrame *root = document()->rootFrame();
    QTextFrameFormat f = root->frameFormat();
    f.setBackground(c);
    root->setFrameFormat(f);
    viewport()->update();
    return true;
}

QString PageBrowser::documentBackground() const
{
    const QBrush b = document()->rootFrame()->frameFormat().background();
    if (b.style() == Qt::NoBrush)
        return {};
    return b.color().name(QColor::HexRgb).toUpper();
}

qreal PageBrowser::pointSizeForTextSize(int size)
{
    return kMediumPointSize * kSizePercent[qBound(0, size, 5)] / 100.0;
}

void PageBrowser::setTextSize(int size)
{
    size = qBound(0, size, 4);
    if (size == m_textSize)
        return;
    m_textSize = size;
    applyFont();
}

void PageBrowser::applyFont()
{
    // Text given in relative sizes follows the default font; pictures and
    // sizes a page fixes in points or pixels stay as they are.
    QFont f = m_baseFont;
    f.setPointSizeF(pointSizeForTextSize(m_textSize + m_sizeStep));
    setFont(f);
}

void PageBrowser::setSizeStep(int steps)
{
    steps = qBound(0, steps, 1);
    if (steps == m_sizeStep)
        return;
    m_sizeStep = steps;
    applyFont();
}

void PageBrowser::clearSelection()
{
    QTextCursor c = textCursor();
    c.clearSelection();
    setTextCursor(c);
}

void PageBrowser::keepingView(const std::function<void()> &edit)
{
    const int h = horizontalScrollBar()->value();
    const int v = verticalScrollBar()->value();
    edit();
    horizontalScrollBar()->setValue(h);
    verticalScrollBar()->setValue(v);
}

void PageBrowser::selectWholePage()
{
    keepingView([this] { selectAll(); });
}

void PageBrowser::copyWholePage()
{
    keepingView([this] {
        const QTextCursor reader = textCursor();
        selectAll();
        copy();
        setTextCursor(reader);
    });
}

// ======================================================================
// Link titles
// ======================================================================

QString PageBrowser::titleAt(const QPoint &viewportPos) const
{
    const QPointF docPos =
        QPointF(viewportPos) + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return document()->documentLayout()->formatAt(docPos).toCharFormat().toolTip();
}

QString PageBrowser::wrappedTooltip(const QString &title)
{
    // Rich text makes the tooltip wrap its lines at a readable width.
    return QStringLiteral("<p>%1</p>").arg(title.toHtmlEscaped());
}

QString PageBrowser::titleOfLink(const QUrl &link) const
{
    auto same = [&link](const QString &href) { return QUrl::fromEncoded(href.toUtf8()) == link; };
    if (!m_activatedHref.isEmpty() && same(m_activatedHref))
        return m_activatedTitle;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isAnchor() && same(f.anchorHref()) && !f.toolTip().isEmpty())
                return f.toolTip();
        }
    return {};
}

bool PageBrowser::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip) {
        // The engine would show a title as one line, however long.
        auto *help = static_cast<QHelpEvent *>(e);
        const QString title = titleAt(viewport()->mapFrom(this, help->pos()));
        if (title.isEmpty()) {
            QToolTip::hideText();
            e->ignore();
        } else {
            QToolTip::showText(help->globalPos(), wrappedTooltip(title), this);
        }
        return true;
    }
    return QTextBrowser::event(e);
}

// ======================================================================
// Context menu
// ======================================================================

PageBrowser::HitInfo PageBrowser::hitTest(const QPoint &viewportPos) const
{
    HitInfo hit;
    const QPointF docPos =
        QPointF(viewportPos) + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QString image = document()->documentLayout()->imageAt(docPos);
    if (!image.isEmpty()) {
        hit.menuKind = kMenuPicture;
        const QUrl base = m_loadedFile.isValid() ? m_loadedFile : m_current;
        hit.pictureSource = base.resolved(QUrl(image)).toString();
        return hit;
    }
    const QTextCursor sel = textCursor();
    if (sel.hasSelection()) {
        const int at = cursorForPosition(viewportPos).position();
        if (at >= sel.selectionStart() && at <= sel.selectionEnd()) {
            hit.menuKind = kMenuTextSelection;
            return hit;
        }
    }
    if (!anchorAt(viewportPos).isEmpty())
        hit.menuKind = kMenuAnchor;
    return hit;
}

void PageBrowser::contextMenuEvent(QContextMenuEvent *e)
{
    e->accept();
    const HitInfo hit = hitTest(e->pos());
    bool handled = false;
    if (onShowContextMenu)
        onShowContextMenu(hit.menuKind, hit.pictureSource, e->globalPos(), handled);
    // The engine's own menu exists only for selected text, and then only
    // with copying and selecting.
    if (handled || hit.menuKind != kMenuTextSelection)
        return;
    QMenu *menu = createStandardContextMenu(e->pos());
    menu->setObjectName(QStringLiteral("selectionMenu"));
    for (QAction *a : menu->actions()) {
        const QString name = a->objectName();
        if (name != QLatin1String("edit-copy") && name != QLatin1String("select-all"))
            menu->removeAction(a);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

// ======================================================================
// Keys and wheel
// ======================================================================

void PageBrowser::keyPressEvent(QKeyEvent *e)
{
    // Ctrl+N (a new window) is kept from reaching anything. Copy and Select
    // all are left alone: read-only text lets them pass to the window's
    // Edit menu.
    if (e->key() == Qt::Key_N && e->modifiers() == Qt::ControlModifier) {
        e->accept();
        return;
    }
    // The text size has five steps chosen from the page toolbar; the
    // engine's own zoom keys would bypass them.
    if (e->matches(QKeySequence::ZoomIn) || e->matches(QKeySequence::ZoomOut)) {
        e->accept();
        return;
    }
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // Enter follows the link the keyboard has selected.
        const QTextCharFormat f = textCursor().charFormat();
        if (textCursor().hasSelection() && f.isAnchor()) {
            m_activatedHref = f.anchorHref();
            m_activatedTitle = f.toolTip();
        }
        QTextBrowser::keyPressEvent(e);
        m_activatedHref.clear();
        m_activatedTitle.clear();
        return;
    }
    case Qt::Key_Back:
        goBack();
        e->accept();
        return;
    case Qt::Key_Forward:
        goForward();
        e->accept();
        return;
    default:
        break;
    }
    QTextBrowser::keyPressEvent(e);
}

void PageBrowser::mousePressEvent(QMouseEvent *e)
{
    // The mouse's own back and forward buttons.
    if (e->button() == Qt::BackButton) {
        goBack();
        e->accept();
        return;
    }
    if (e->button() == Qt::ForwardButton) {
        goForward();
        e->accept();
        return;
    }
    QTextBrowser::mousePressEvent(e);
}

void PageBrowser::mouseReleaseEvent(QMouseEvent *e)
{
    // The engine follows the link under the release.
    if (e->button() == Qt::LeftButton) {
        m_activatedHref = anchorAt(e->position().toPoint());
        m_activatedTitle = titleAt(e->position().toPoint());
    }
    QTextBrowser::mouseReleaseEvent(e);
    m_activatedHref.clear();
    m_activatedTitle.clear();
}

void PageBrowser::wheelEvent(QWheelEvent *e)
{
    if (e->modifiers() & Qt::ControlModifier) {
        e->accept(); // no free zoom, see keyPressEvent
        return;
    }
    QTextBrowser::wheelEvent(e);
}
