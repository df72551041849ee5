// The page browser's glue: links, the page toolbar and the Edit menu.
#include "app/uWaveMain.h"

#include "app/EmbeddedBrowser.h"
#include "app/FileLookup.h"

#include <QUrl>

void TWaveMainFrm::SetupBrowser()
{
    const QString index = FileLookup::Resolve(HtmlFolder + QStringLiteral("index.htm"));
    if (!index.isEmpty())
        EWB->setSource(QUrl::fromLocalFile(index));
}

void TWaveMainFrm::EWBBeforeNavigate2(const QUrl &, bool &) {}
void TWaveMainFrm::EWBDocumentComplete() {}
void TWaveMainFrm::EWBCommandStateChange(int, bool) {}
void TWaveMainFrm::EWBShowContextMenu(int, const QString &, const QPoint &, bool &) {}
void TWaveMainFrm::IndexBtnClick() {}
void TWaveMainFrm::FwdBtnClick(QAction *) {}
void TWaveMainFrm::FontBtnClick() {}
void TWaveMainFrm::N10PointClick(QAction *) {}
void TWaveMainFrm::TextBackColorBtnClick() {}
void TWaveMainFrm::White2Click(QAction *) {}
void TWaveMainFrm::SelectAll1Click() {}
void TWaveMainFrm::CopyHTML1Click() {}
void TWaveMainFrm::CopyImage1Click() {}
