// The page browser's glue: links, the page toolbar and the Edit menu.
#include "app/uWaveMain.h"

#include "app/EmbeddedBrowser.h"
#include "app/FileLookup.h"
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
    return FileLookup::ResolveFile(index);
}

} // namespace

void TWaveMainFrm::SetupBrowser()
{
    EWB->OnBeforeNavigate2 = [this](const QUrl &url, bool &cancel) { EWBBeforeNavigate2(url, cancel); };
    EWB->OnDocumentComplete = [this] { EWBDocumentComplete(); };
    EWB->OnCommandStateChange = [this](int command, bool enabled) { EWBCommandStateChange(command, enabled); };
    EWB->OnShowContextMenu = [this](int kind, const QString &source, const QPoint &at, bool &handled) {
        EWBShowContextMenu(kind, source, at, handled);
    };
    EWB->SetTextSize(TextSize);

    if (const QString index = indexPage(HtmlFolder); !index.isEmpty())
        EWB->Navigate(index);
}

void TWaveMainFrm::EWBBeforeNavigate2(const QUrl &url, bool &cancel)
{
    const QString seg = LastUrlSegment(addressText(url));
    switch (ClassifyLink(seg)) {
    case LinkAction::Picture: {
        // Written as "$" and the picture's file name, kept in html/images.
        cancel = true;
        const QString written =
            FileLookup::Join(FileLookup::ExeFolder(), QStringLiteral("html/images/") + seg.mid(1));
        const QString onDisk = FileLookup::Resolve(written);
        const QString file = onDisk.isEmpty() ? written : onDisk;
        ReportPageLink(LinkAction::Picture, file);
        ShowMagnifier(file);
        break;
    }
    case LinkAction::Command:
        cancel = true;
        ReportPageLink(LinkAction::Command, seg);
        RoutePageCommand(seg);
        break;
    case LinkAction::Video:
        cancel = true;
        ReportPageLink(LinkAction::Video, seg);
        PlayVideoLink(seg);
        break;
    case LinkAction::Page: {
        // The model changes before the page loads.
        const int k = KindOfPage(seg);
        if (k != ActiveKind)
            ShowSimulation(k);
        break;
    }
    }
}

void TWaveMainFrm::EWBDocumentComplete()
{
    // White leaves each page's own background as authored.
    if (TextBackground != kWhite && EWB->HasDocument())
        EWB->SetDocumentBackground(TextBackground);
    if (EWB->TextSize() != TextSize)
        EWB->SetTextSize(TextSize);
}

void TWaveMainFrm::EWBCommandStateChange(int command, bool enabled)
{
    if (command == TEmbeddedBrowser::kCommandForward)
        FwdBtn->setEnabled(enabled);
    else if (command == TEmbeddedBrowser::kCommandBack)
        BackBtn->setEnabled(enabled);
    IndexBtn->setEnabled(!EWB->LocationName().contains(QLatin1String("index")));
}

void TWaveMainFrm::EWBShowContextMenu(int menuKind, const QString &pictureSource, const QPoint &screenPos,
                                      bool &handled)
{
    switch (menuKind) {
    case TEmbeddedBrowser::kMenuPicture: {
        handled = true;
        PicturePath.clear();
        if (pictureSource.isEmpty())
            return;
        PicturePath = FileLookup::ResolveFile(UrlToFilePath(pictureSource));
        if (PicturePath.isEmpty())
            return;
        PicPopUp->popup(screenPos);
        break;
    }
    case TEmbeddedBrowser::kMenuTextSelection:
        PicturePath.clear();
        handled = false;
        break;
    default:
        PicturePath.clear();
        handled = true;
        break;
    }
}

void TWaveMainFrm::IndexBtnClick()
{
    if (const QString index = indexPage(HtmlFolder); !index.isEmpty())
        EWB->Navigate(index);
}

void TWaveMainFrm::FwdBtnClick(QAction *sender)
{
    if (sender == FwdBtn)
        EWB->GoForward();
    else if (sender == BackBtn)
        EWB->GoBack();
}

void TWaveMainFrm::FontBtnClick()
{
    for (QAction *a : {Size0, Size1, Size2, Size3, Size4})
        a->setChecked(a->data().toInt() == TextSize);
}

void TWaveMainFrm::N10PointClick(QAction *sender)
{
    TextSize = sender->data().toInt();
    EWB->SetTextSize(TextSize);
}

void TWaveMainFrm::TextBackColorBtnClick()
{
    for (QAction *a : {White2, Blue2, Yellow2})
        a->setChecked(a->data().toString() == TextBackground);
}

void TWaveMainFrm::White2Click(QAction *sender)
{
    const QString colour = sender == Yellow2 ? kPaleYellow : sender == Blue2 ? kPaleBlue : kWhite;
    if (!EWB->HasDocument())
        return;
    EWB->SetDocumentBackground(colour);
    TextBackground = colour;
}

void TWaveMainFrm::SelectAll1Click()
{
    EWB->SelectAll();
}

void TWaveMainFrm::CopyHTML1Click()
{
    // The whole page, whatever was selected.
    EWB->SelectAll();
    EWB->Copy();
    EWB->ClearSelection();
}

void TWaveMainFrm::CopyImage1Click()
{
    const QString file = FileLookup::ResolveFile(PicturePath);
    if (file.isEmpty())
        return;
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (!picture.isNull())
        QGuiApplication::clipboard()->setImage(picture);
}
