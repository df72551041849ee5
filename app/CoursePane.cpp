// The page browser's glue: links, the page toolbar and the Edit menu.
#include "app/MainWindow.h"

#include "app/PageBrowser.h"
#include "core/FileLookup.h"
#include "app/PageLinks.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMenu>
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
    const QString index = htmlFolder + QStringLiteral("index.htm");
    return FileLookup::resolveFile(index);
}

} // namespace

void MainWindow::setupBrowser()
{
    browser->onBeforeNavigate = [this](const QUrl &url, bool &cancel) { beforeNavigate(url, cancel); };
    browser->onDocumentComplete = [this] { documentComplete(); };
    browser->onCommandStateChange = [this](int command, bool enabled) { commandStateChanged(command, enabled); };
    browser->onShowContextMenu = [this](int kind, const QString &source, const QPoint &at, bool &handled) {
        showContextMenu(kind, source, at, handled);
    };
    browser->setTextSize(textSize);

    if (const QString index = indexPage(htmlFolder); !index.isEmpty())
        browser->navigate(index);
}

void MainWindow::beforeNavigate(const QUrl &url, bool &cancel)
{
    const QString seg = lastUrlSegment(addressText(url));
    switch (classifyLink(seg)) {
    case LinkAction::Picture: {
        // Written as "$" and the picture's file name, kept in html/images.
        cancel = true;
        const QString written =
            FileLookup::join(FileLookup::exeFolder(), QStringLiteral("html/images/") + seg.mid(1));
        const QString onDisk = FileLookup::resolve(written);
        const QString file = onDisk.isEmpty() ? written : onDisk;
        reportPageLink(LinkAction::Picture, file);
        showMagnifier(file);
        break;
    }
    case LinkAction::Command:
        cancel = true;
        reportPageLink(LinkAction::Command, seg);
        routePageCommand(seg);
        break;
    case LinkAction::Video:
        cancel = true;
        reportPageLink(LinkAction::Video, seg);
        playVideoLink(seg);
        break;
    case LinkAction::Page: {
        // The model changes before the page loads.
        const int k = kindOfPage(seg);
        if (k != activeKind())
            showSimulation(k);
        break;
    }
    }
}

void MainWindow::documentComplete()
{
    // White leaves each page's own background as authored.
    if (textBackground != kWhite && browser->hasDocument())
        browser->setDocumentBackground(textBackground);
    if (browser->textSize() != textSize)
        browser->setTextSize(textSize);
}

void MainWindow::commandStateChanged(int command, bool enabled)
{
    if (command == PageBrowser::kCommandForward)
        forwardAction->setEnabled(enabled);
    else if (command == PageBrowser::kCommandBack)
        backAction->setEnabled(enabled);
    indexAction->setEnabled(!browser->locationName().contains(QLatin1String("index")));
}

void MainWindow::showContextMenu(int menuKind, const QString &pictureSource, const QPoint &screenPos,
                                      bool &handled)
{
    switch (menuKind) {
    case PageBrowser::kMenuPicture: {
        handled = true;
        picturePath.clear();
        if (pictureSource.isEmpty())
            return;
        picturePath = FileLookup::resolveFile(urlToFilePath(pictureSource));
        if (picturePath.isEmpty())
            return;
        pictureMenu->popup(screenPos);
        break;
    }
    case PageBrowser::kMenuTextSelection:
        picturePath.clear();
        handled = false;
        break;
    default:
        picturePath.clear();
        handled = true;
        break;
    }
}

void MainWindow::showIndex()
{
    if (const QString index = indexPage(htmlFolder); !index.isEmpty())
        browser->navigate(index);
}

void MainWindow::historyButtonClicked(QAction *sender)
{
    if (sender == forwardAction)
        browser->goForward();
    else if (sender == backAction)
        browser->goBack();
}

void MainWindow::updateFontMenu()
{
    for (QAction *a : {smallestTextAction, smallTextAction, mediumTextAction, largeTextAction, largestTextAction})
        a->setChecked(a->data().toInt() == textSize);
}

void MainWindow::textSizeChosen(QAction *sender)
{
    textSize = sender->data().toInt();
    browser->setTextSize(textSize);
}

void MainWindow::updateColourMenu()
{
    for (QAction *a : {whiteAction, paleBlueAction, paleYellowAction})
        a->setChecked(a->data().toString() == textBackground);
}

void MainWindow::pageBackgroundChosen(QAction *sender)
{
    const QString colour = sender == paleYellowAction ? kPaleYellow : sender == paleBlueAction ? kPaleBlue : kWhite;
    if (!browser->hasDocument())
        return;
    browser->setDocumentBackground(colour);
    textBackground = colour;
}

void MainWindow::selectAll()
{
    browser->selectAll();
}

void MainWindow::copyPage()
{
    // The whole page, whatever was selected.
    browser->selectAll();
    browser->copy();
    browser->clearSelection();
}

void MainWindow::copyPictureClicked()
{
    const QString file = FileLookup::resolveFile(picturePath);
    if (file.isEmpty())
        return;
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (!picture.isNull())
        QGuiApplication::clipboard()->setImage(picture);
}
