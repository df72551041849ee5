// The page browser's glue: what a link leads to, the page toolbar and the
// Edit menu.
#include "app/uWaveMain.h"

#include "app/EmbeddedBrowser.h"
#include "app/FileLookup.h"
#include "app/PageLinks.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QUrl>

void TWaveMainFrm::SetupBrowser()
{
    connect(EWB, &TEmbeddedBrowser::BeforeNavigate, this, &TWaveMainFrm::EWBBeforeNavigate2);
    connect(EWB, &TEmbeddedBrowser::DocumentComplete, this, &TWaveMainFrm::EWBDocumentComplete);
    connect(EWB, &TEmbeddedBrowser::CommandStateChange, this, &TWaveMainFrm::EWBCommandStateChange);
    connect(EWB, &TEmbeddedBrowser::ShowContextMenu, this, &TWaveMainFrm::EWBShowContextMenu);
    EWB->SetTextSize(TextSize);
    const QString index = FileLookup::Resolve(HtmlFolder + QStringLiteral("index.htm"));
    if (!index.isEmpty())
        EWB->Navigate(index);
}

void TWaveMainFrm::EWBBeforeNavigate2(const QUrl &url, bool &cancel)
{
    const QString seg = LastUrlSegment(url.toString());
    const int dot = seg.lastIndexOf('.');
    const QString ext = dot >= 0 ? seg.mid(dot).toUpper() : QString();

    // The order matters: a picture link may contain "+", and a video name
    // with "+" in it is a command.
    if (seg.contains('$')) {
        cancel = true;
        ShowMagnifier(FileLookup::Join(FileLookup::ExeFolder(), QStringLiteral("html/images/") + seg.mid(1)));
    } else if (seg.contains('+')) {
        cancel = true;
        RoutePageCommand(seg);
    } else if (ext != QLatin1String(".FLV")) {
        const int k = KindOfPage(seg);
        if (k != ActiveKind)
            ShowSimulation(k); // before the page loads
    } else {
        cancel = true;
        PlayVideoLink(seg);
    }
}

void TWaveMainFrm::EWBDocumentComplete()
{
    // White leaves each page its own background.
    if (TextBackground != QLatin1String("#FFFFFF") && EWB->HasDocument())
        EWB->SetDocumentBackground(TextBackground);
    if (EWB->TextSize() != TextSize)
        EWB->SetTextSize(TextSize);
}

void TWaveMainFrm::EWBCommandStateChange(int command, bool enabled)
{
    if (command == TEmbeddedBrowser::cmdForward)
        FwdBtn->setEnabled(enabled);
    else if (command == TEmbeddedBrowser::cmdBack)
        BackBtn->setEnabled(enabled);
    IndexBtn->setEnabled(!EWB->LocationName().contains(QLatin1String("index")));
}

void TWaveMainFrm::EWBShowContextMenu(int menuKind, const QString &pictureSource,
                                      const QPoint &screenPos, bool &handled)
{
    PicturePath.clear();
    if (menuKind == TEmbeddedBrowser::mkPicture) {
        handled = true;
        const QString p = UrlToFilePath(pictureSource);
        if (!p.isEmpty() && FileLookup::FileExists(p)) {
            PicturePath = FileLookup::Resolve(p);
            PicPopUp->popup(screenPos);
        }
    } else if (menuKind == TEmbeddedBrowser::mkSelectedText) {
        handled = false; // the browser's own reduced menu
    } else {
        handled = true; // no menu at all
    }
}

void TWaveMainFrm::IndexBtnClick()
{
    const QString index = FileLookup::Resolve(HtmlFolder + QStringLiteral("index.htm"));
    if (!index.isEmpty())
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
    for (QAction *a : FontMenu->actions())
        a->setChecked(a->data().toInt() == TextSize);
}

void TWaveMainFrm::N10PointClick(QAction *sender)
{
    TextSize = sender->data().toInt();
    EWB->SetTextSize(TextSize);
}

void TWaveMainFrm::TextBackColorBtnClick()
{
    for (QAction *a : ColourMenu->actions())
        a->setChecked(a->data().toString() == TextBackground);
}

void TWaveMainFrm::White2Click(QAction *sender)
{
    QString colour = QStringLiteral("#FFFFFF");
    if (sender == Yellow2)
        colour = QStringLiteral("#FFFFE0");
    else if (sender == Blue2)
        colour = QStringLiteral("#D9EAFF");
    if (!EWB->HasDocument())
        return;
    EWB->SetDocumentBackground(colour);
    TextBackground = colour;
}

void TWaveMainFrm::SelectAll1Click()
{
    EWB->SelectAllText();
}

void TWaveMainFrm::CopyHTML1Click()
{
    // The whole page, whatever was selected before.
    EWB->SelectAllText();
    EWB->CopySelection();
    EWB->ClearSelection();
}

void TWaveMainFrm::CopyImage1Click()
{
    if (PicturePath.isEmpty() || !FileLookup::FileExists(PicturePath))
        return;
    QImage img;
    if (img.load(FileLookup::Resolve(PicturePath)))
        QApplication::clipboard()->setImage(img);
}
