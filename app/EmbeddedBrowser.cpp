#include "app/EmbeddedBrowser.h"

#include "app/FileLookup.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextFrame>
#include <QTimer>
#include <QWheelEvent>

namespace {

// The page's default font size at text size 2, as browsers show "medium".
constexpr qreal kMediumPointSize = 12.0;
// Text sizes 0 to 4 as percentages of medium.
constexpr int kSizePercent[5] = {75, 87, 100, 120, 145};

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

QString errorPage(const QUrl &url)
{
    const QString where = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
    return QStringLiteral("<html><body><h3>This page cannot be shown</h3>"
                          "<p>The file was not found:</p><p>%1</p></body></html>")
        .arg(where.toHtmlEscaped());
}

} // namespace

TEmbeddedBrowser::TEmbeddedBrowser(QWidget *parent) : QTextBrowser(parent)
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
    ApplyFont();

    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        // The engine hands over the link as written; it is taken from the
        // page shown.
        Navigate(m_current.isValid() ? m_current.resolved(link) : link);
    });
}

// ======================================================================
// Navigation
// ======================================================================

QUrl TEmbeddedBrowser::ToUrl(const QString &pathOrAddress) const
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

bool TEmbeddedBrowser::Navigate(const QString &pathOrAddress)
{
    return Request(ToUrl(pathOrAddress), -1);
}

bool TEmbeddedBrowser::Navigate(const QUrl &url)
{
    if (url.isEmpty())
        return false;
    const QUrl absolute = url.isRelative() && m_current.isValid() ? m_current.resolved(url) : url;
    return Request(absolute, -1);
}

bool TEmbeddedBrowser::CanGoBack() const
{
    return m_index > 0;
}

bool TEmbeddedBrowser::CanGoForward() const
{
    return m_index >= 0 && m_index + 1 < int(m_history.size());
}

bool TEmbeddedBrowser::GoBack()
{
    // A history step still on its way counts as where we are.
    const int from = m_pending && m_pending->historyIndex >= 0 ? m_pending->historyIndex : m_index;
    if (from <= 0)
        return false;
    return Request(m_history[from - 1].url, from - 1);
}

bool TEmbeddedBrowser::GoForward()
{
    const int from = m_pending && m_pending->historyIndex >= 0 ? m_pending->historyIndex : m_index;
    if (from < 0 || from + 1 >= int(m_history.size()))
        return false;
    return Request(m_history[from + 1].url, from + 1);
}

void TEmbeddedBrowser::backward()
{
    GoBack();
}

void TEmbeddedBrowser::forward()
{
    GoForward();
}

void TEmbeddedBrowser::home()
{
    if (!m_history.empty())
        Request(m_history.front().url, -1);
}

void TEmbeddedBrowser::reload()
{
    if (m_index < 0)
        return;
    m_loadedFile = QUrl(); // read the file again
    Request(m_current, m_index);
}

void TEmbeddedBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType)
{
    // setSource() from anywhere is a navigation like any other.
    Navigate(name);
}

bool TEmbeddedBrowser::Request(const QUrl &url, int historyIndex)
{
    // Only local files are followed; anything else is refused before it
    // becomes a navigation.
    if (!isLocal(url))
        return false;
    bool cancel = false;
    if (OnBeforeNavigate2)
        OnBeforeNavigate2(url, cancel);
    if (cancel)
        return false;
    m_pending = Pending{url, historyIndex};
    const quint64 id = ++m_request;
    QTimer::singleShot(0, this, [this, id] {
        if (id == m_request && m_pending)
            CompleteNavigation();
    });
    return true;
}

void TEmbeddedBrowser::CompleteNavigation()
{
    const Pending p = *m_pending;
    m_pending.reset();

    // Remember where the reader was on the page being left.
    if (m_index >= 0) {
        m_history[m_index].hpos = horizontalScrollBar()->value();
        m_history[m_index].vpos = verticalScrollBar()->value();
    }

    LoadPage(p.url);

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

    if (OnCommandStateChange) {
        OnCommandStateChange(kCommandForward, CanGoForward());
        OnCommandStateChange(kCommandBack, CanGoBack());
    }
    if (OnDocumentComplete)
        OnDocumentComplete();
}

void TEmbeddedBrowser::LoadPage(const QUrl &url)
{
    const QString file = FileLookup::Resolve(url.toLocalFile());
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

QString TEmbeddedBrowser::LocationName() const
{
    const QString title = documentTitle();
    return title.isEmpty() ? m_current.toString() : title;
}

QVariant TEmbeddedBrowser::loadResource(int type, const QUrl &name)
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
    const QString file = FileLookup::ResolveFile(url.toLocalFile());
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

bool TEmbeddedBrowser::SetDocumentBackground(const QString &htmlColour)
{
    if (!HasDocument())
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

QString TEmbeddedBrowser::DocumentBackground() const
{
    const QBrush b = document()->rootFrame()->frameFormat().background();
    if (b.style() == Qt::NoBrush)
        return {};
    return b.color().name(QColor::HexRgb).toUpper();
}

qreal TEmbeddedBrowser::FontPointSize(int size)
{
    return kMediumPointSize * kSizePercent[qBound(0, size, 4)] / 100.0;
}

void TEmbeddedBrowser::SetTextSize(int size)
{
    size = qBound(0, size, 4);
    if (size == m_textSize)
        return;
    m_textSize = size;
    ApplyFont();
}

void TEmbeddedBrowser::ApplyFont()
{
    // Text given in relative sizes follows the default font; pictures and
    // sizes a page fixes in points or pixels stay as they are.
    QFont f = m_baseFont;
    f.setPointSizeF(FontPointSize(m_textSize));
    setFont(f);
}

void TEmbeddedBrowser::SelectAll()
{
    selectAll();
}

void TEmbeddedBrowser::Copy()
{
    copy();
}

void TEmbeddedBrowser::ClearSelection()
{
    QTextCursor c = textCursor();
    c.clearSelection();
    setTextCursor(c);
}

// ======================================================================
// Context menu
// ======================================================================

TEmbeddedBrowser::HitInfo TEmbeddedBrowser::HitTest(const QPoint &viewportPos) const
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

void TEmbeddedBrowser::contextMenuEvent(QContextMenuEvent *e)
{
    e->accept();
    const HitInfo hit = HitTest(e->pos());
    bool handled = false;
    if (OnShowContextMenu)
        OnShowContextMenu(hit.menuKind, hit.pictureSource, e->globalPos(), handled);
    // The engine's own menu exists only for selected text, and then only
    // with copying and selecting.
    if (handled || hit.menuKind != kMenuTextSelection)
        return;
    QMenu *menu = createStandardContextMenu(e->pos());
    menu->setObjectName(QStringLiteral("EWBSelectionMenu"));
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

void TEmbeddedBrowser::keyPressEvent(QKeyEvent *e)
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
    case Qt::Key_Back:
        GoBack();
        e->accept();
        return;
    case Qt::Key_Forward:
        GoForward();
        e->accept();
        return;
    default:
        break;
    }
    QTextBrowser::keyPressEvent(e);
}

void TEmbeddedBrowser::mousePressEvent(QMouseEvent *e)
{
    // The mouse's own back and forward buttons.
    if (e->button() == Qt::BackButton) {
        GoBack();
        e->accept();
        return;
    }
    if (e->button() == Qt::ForwardButton) {
        GoForward();
        e->accept();
        return;
    }
    QTextBrowser::mousePressEvent(e);
}

void TEmbeddedBrowser::wheelEvent(QWheelEvent *e)
{
    if (e->modifiers() & Qt::ControlModifier) {
        e->accept(); // no free zoom, see keyPressEvent
        return;
    }
    QTextBrowser::wheelEvent(e);
}
