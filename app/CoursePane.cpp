#include "app/CoursePane.h"

#include "app/MenuItems.h"
#include "app/PageBrowser.h"
#include "app/PageLinks.h"
#include "core/FileLookup.h"
#include "core/SimulationKind.h"
#include "sim/framework/IconLibrary.h"
#include "sim/framework/SimulationWindow.h"
#include "sim/framework/ToolbarItems.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {

const QString kWhite = QStringLiteral("#FFFFFF");
const QString kPaleBlue = QStringLiteral("#D9EAFF");
const QString kPaleYellow = QStringLiteral("#FFFFE0");

// The address as the links are written: percent escapes ("%20") decoded,
// so that picture and video names arrive as they are on disk.
QString addressText(const QUrl &url)
{
    return QUrl::fromPercentEncoding(url.toString(QUrl::FullyEncoded).toUtf8());
}

// The course's first page, as it is on disk; empty when there is none.
QString indexPage(const QString &htmlFolder)
{
    return FileLookup::resolveFile(htmlFolder + QStringLiteral("index.htm"));
}

} // namespace

CoursePane::CoursePane(const QString &htmlFolder, QMainWindow *window, QWidget *parent)
    : QFrame(parent), m_htmlFolder(htmlFolder)
{
    setObjectName(QStringLiteral("coursePane"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Plain);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    m_browser = new PageBrowser(this);
    m_browser->setObjectName(QStringLiteral("browser"));
    layout->addWidget(m_browser);

    m_browser->onBeforeNavigate = [this](const QUrl &url, bool &cancel) { beforeNavigate(url, cancel); };
    m_browser->onDocumentComplete = [this] { documentComplete(); };
    m_browser->onCommandStateChange = [this](int command, bool enabled) { commandStateChanged(command, enabled); };
    m_browser->onShowContextMenu = [this](int kind, const QString &source, const QPoint &at, bool &handled) {
        showContextMenu(kind, source, at, handled);
    };
    m_browser->setTextSize(m_textSize);

    createPageToolbar(window);

    m_pictureMenu = new QMenu(this);
    m_pictureMenu->setObjectName(QStringLiteral("pictureMenu"));
    m_copyPictureAction = m_pictureMenu->addAction(QStringLiteral("Copy picture to clipboard"));
    m_copyPictureAction->setObjectName(QStringLiteral("copyPictureAction"));
    connect(m_copyPictureAction, &QAction::triggered, this, &CoursePane::copyPicture);
}

void CoursePane::createPageToolbar(QMainWindow *window)
{
    m_pageToolbar = new QToolBar(QStringLiteral("Page"), window);
    m_pageToolbar->setObjectName(QStringLiteral("pageToolbar"));
    m_pageToolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_pageToolbar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    auto button = [this](const char *name, const QString &caption, const QString &hint, int icon,
                         const QKeySequence &key = {}) {
        QAction *a = addToolButton(m_pageToolbar, caption, icon, hint);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        return a;
    };

    // The gap before the page toolbar is a toolbar of its own, without a
    // grip, so the page toolbar's grip stays beside its buttons.
    m_pageToolbarGap = new QToolBar(QString(), window);
    m_pageToolbarGap->setObjectName(QStringLiteral("pageToolbarGap"));
    m_pageToolbarGap->setMovable(false);
    m_pageToolbarGap->setFloatable(false);
    m_pageToolbarGap->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    m_pageToolbarGap->toggleViewAction()->setVisible(false); // not a toolbar to the reader
    m_pageToolbarGap->setFixedWidth(0);
    m_indexAction = button("indexAction", QStringLiteral("Index"), QStringLiteral("Main index"), IndexIcon,
                           QKeySequence(QStringLiteral("Ctrl+I")));
    m_backAction = button("backAction", QStringLiteral("Back"), QStringLiteral("Move back"), BackIcon,
                          QKeySequence(QStringLiteral("Ctrl+B")));
    m_forwardAction = button("forwardAction", QStringLiteral("Forward"), QStringLiteral("Move forward"), ForwardIcon,
                             QKeySequence(QStringLiteral("Ctrl+F")));
    m_backAction->setEnabled(false);
    m_forwardAction->setEnabled(false);
    connect(m_indexAction, &QAction::triggered, this, &CoursePane::showIndex);
    connect(m_backAction, &QAction::triggered, m_browser, &PageBrowser::goBack);
    connect(m_forwardAction, &QAction::triggered, m_browser, &PageBrowser::goForward);

    m_fontMenu = new QMenu(this);
    m_fontMenu->setObjectName(QStringLiteral("fontMenu"));
    const char *sizeCaptions[] = {"Smallest", "Small", "Medium", "Large", "Largest"};
    for (int i = 0; i < 5; ++i) {
        QAction *a = m_fontMenu->addAction(QLatin1String(sizeCaptions[i]));
        a->setObjectName(QStringLiteral("textSize%1Action").arg(i));
        a->setCheckable(true);
        a->setData(i);
        connect(a, &QAction::triggered, this, [this, i] { setTextSize(i); });
        m_textSizeActions[i] = a;
    }
    connect(m_fontMenu, &QMenu::aboutToShow, this, &CoursePane::updateFontMenu);
    m_fontAction = button("fontAction", QStringLiteral("Font"), QStringLiteral("Set the font and/or size"), FontIcon);
    m_fontAction->setMenu(m_fontMenu);

    m_colourMenu = new QMenu(this);
    m_colourMenu->setObjectName(QStringLiteral("colourMenu"));
    const struct {
        QAction **slot;
        const char *name;
        const char *caption;
        const QString &colour;
    } colours[] = {{&m_whiteAction, "whiteAction", "White", kWhite},
                   {&m_paleBlueAction, "paleBlueAction", "Pale blue", kPaleBlue},
                   {&m_paleYellowAction, "paleYellowAction", "Pale yellow", kPaleYellow}};
    for (const auto &c : colours) {
        QAction *a = m_colourMenu->addAction(QLatin1String(c.caption));
        a->setObjectName(QLatin1String(c.name));
        a->setCheckable(true);
        a->setData(c.colour);
        const QString colour = c.colour;
        connect(a, &QAction::triggered, this, [this, colour] { setPageBackground(colour); });
        *c.slot = a;
    }
    connect(m_colourMenu, &QMenu::aboutToShow, this, &CoursePane::updateColourMenu);
    m_colourAction = button("colourAction", QStringLiteral("Colour"), QStringLiteral("Text background colour"),
                            PageColourIcon);
    m_colourAction->setMenu(m_colourMenu);
    for (QAction *a : {m_fontAction, m_colourAction})
        if (auto *b = qobject_cast<QToolButton *>(m_pageToolbar->widgetForAction(a)))
            b->setPopupMode(QToolButton::InstantPopup);

    applyIconList(m_pageToolbar, IconLibrary::instance()->smallIcons());
}

void CoursePane::createEditMenu(QMenuBar *bar)
{
    m_editMenu = addNamedMenu(bar, "editMenu", QStringLiteral("Edit"));
    m_selectAllAction = addNamedAction(m_editMenu, "selectAllAction", QStringLiteral("Select all"));
    m_selectAllAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    m_copyPageAction = addNamedAction(m_editMenu, "copyPageAction", QStringLiteral("Copy"));
    m_copyPageAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    connect(m_selectAllAction, &QAction::triggered, this, &CoursePane::selectAll);
    connect(m_copyPageAction, &QAction::triggered, this, &CoursePane::copyPage);
}

QAction *CoursePane::textSizeAction(int size) const
{
    return size >= 0 && size < 5 ? m_textSizeActions[size] : nullptr;
}

void CoursePane::showIndex()
{
    if (const QString index = indexPage(m_htmlFolder); !index.isEmpty()) {
        m_browser->navigate(index);
    } else if (!m_browser->hasDocument()) {
        // An empty pane would leave the reader guessing; say where the
        // course was looked for. A page already shown stays.
        const QString folder = QDir::toNativeSeparators(QDir::cleanPath(m_htmlFolder));
        m_browser->showMessage(QStringLiteral("<html><body><h3>No course pages</h3>"
                                              "<p>The course pages were not found in %1</p></body></html>")
                                   .arg(folder.toHtmlEscaped()));
    }
}

bool CoursePane::showPage(const QString &fileName)
{
    // A name from outside (the command line): no path may lead it out of
    // the course folder, and only pages are opened.
    if (fileName.contains(QLatin1Char('/')) || fileName.contains(QLatin1Char('\\'))
        || fileName.startsWith(QLatin1Char('.')))
        return false;
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.compare(QLatin1String("htm"), Qt::CaseInsensitive) != 0
        && suffix.compare(QLatin1String("html"), Qt::CaseInsensitive) != 0)
        return false;
    const QString page = FileLookup::resolveFile(m_htmlFolder + fileName);
    return !page.isEmpty() && m_browser->navigate(page);
}

// ---------------------------------------------------------------- links

void CoursePane::beforeNavigate(const QUrl &url, bool &cancel)
{
    const QString seg = lastUrlSegment(addressText(url));
    switch (classifyLink(seg)) {
    case LinkAction::Picture: {
        // Written as "$" and the picture's file name, kept in html/images.
        cancel = true;
        const QString written =
            FileLookup::join(FileLookup::contentFolder(), QStringLiteral("html/images/") + seg.mid(1));
        const QString onDisk = FileLookup::resolve(written);
        const QString file = onDisk.isEmpty() ? written : onDisk;
        reportPageLink(LinkAction::Picture, file);
        Q_EMIT pictureRequested(file, m_browser->followedLinkTitle());
        break;
    }
    case LinkAction::Command:
        cancel = true;
        reportPageLink(LinkAction::Command, seg);
        Q_EMIT pageCommand(seg);
        break;
    case LinkAction::Video:
        cancel = true;
        reportPageLink(LinkAction::Video, seg);
        Q_EMIT videoRequested(seg);
        break;
    case LinkAction::Page: {
        // The model changes before the page loads.
        const int k = kindOfPage(seg);
        if (k != activeKind())
            Q_EMIT simulationRequested(k);
        break;
    }
    }
}

void CoursePane::documentComplete()
{
    // White leaves each page's own background as authored.
    if (m_pageBackground != kWhite && m_browser->hasDocument())
        m_browser->setDocumentBackground(m_pageBackground);
    if (m_browser->textSize() != m_textSize)
        m_browser->setTextSize(m_textSize);
}

void CoursePane::commandStateChanged(int command, bool enabled)
{
    if (command == PageBrowser::kCommandForward)
        m_forwardAction->setEnabled(enabled);
    else if (command == PageBrowser::kCommandBack)
        m_backAction->setEnabled(enabled);
    m_indexAction->setEnabled(!m_browser->locationName().contains(QLatin1String("index")));
}

void CoursePane::showContextMenu(int menuKind, const QString &pictureSource, const QPoint &screenPos, bool &handled)
{
    switch (menuKind) {
    case PageBrowser::kMenuPicture: {
        handled = true;
        m_picturePath.clear();
        if (pictureSource.isEmpty())
            return;
        m_picturePath = FileLookup::resolveFile(urlToFilePath(pictureSource));
        if (m_picturePath.isEmpty())
            return;
        m_pictureMenu->popup(screenPos);
        break;
    }
    case PageBrowser::kMenuTextSelection:
        m_picturePath.clear();
        handled = false;
        break;
    default:
        m_picturePath.clear();
        handled = true;
        break;
    }
}

// ---------------------------------------------------------------- text size and background

void CoursePane::updateFontMenu()
{
    for (QAction *a : m_textSizeActions)
        a->setChecked(a->data().toInt() == m_textSize);
}

void CoursePane::setTextSize(int size)
{
    // The browser has five sizes; keeping a stored 9 would leave no size
    // chosen in the Font menu and save the 9 back.
    m_textSize = qBound(0, size, 4);
    m_browser->setTextSize(m_textSize);
}

void CoursePane::updateColourMenu()
{
    for (QAction *a : {m_whiteAction, m_paleBlueAction, m_paleYellowAction})
        a->setChecked(a->data().toString() == m_pageBackground);
}

void CoursePane::setStoredPageBackground(const QString &colour)
{
    m_pageBackground = colour;
}

void CoursePane::setPageBackground(const QString &colour)
{
    const QString c = colour == kPaleYellow ? kPaleYellow : colour == kPaleBlue ? kPaleBlue : kWhite;
    if (!m_browser->hasDocument())
        return;
    m_browser->setDocumentBackground(c);
    m_pageBackground = c;
}

void CoursePane::setProjectorMode(bool on)
{
    m_browser->setSizeStep(on ? 1 : 0);
}

void CoursePane::setLargeButtons(bool large)
{
    m_pageToolbar->setUpdatesEnabled(false);
    IconLibrary *icons = IconLibrary::instance();
    applyIconList(m_pageToolbar, large ? icons->largeIcons() : icons->smallIcons());
    const QFont f = large ? largeButtonFont(QApplication::font()) : QApplication::font();
    for (QMenu *m : {m_fontMenu, m_colourMenu})
        for (QAction *a : m->actions())
            a->setFont(f);
    m_pageToolbar->setUpdatesEnabled(true);
}

// ---------------------------------------------------------------- Edit and picture menus

void CoursePane::selectAll()
{
    m_browser->selectWholePage();
}

void CoursePane::copyPage()
{
    // The whole page, whatever was selected; the reader keeps their place
    // and their selection.
    m_browser->copyWholePage();
}

void CoursePane::copyPicture()
{
    const QString file = FileLookup::resolveFile(m_picturePath);
    if (file.isEmpty())
        return;
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (!picture.isNull())
        QGuiApplication::clipboard()->setImage(picture);
}
