// Movies, video links, the picture magnifier, help and the About box.
#include "app/uWaveMain.h"

#include "app/BigPic.h"
#include "app/Dialogs.h"
#include "app/FileLookup.h"
#include "app/MoviePlayer.h"

#include <QAction>

void TWaveMainFrm::SetupHelp()
{
    const bool available = FileLookup::FileExists(
        FileLookup::Join(FileLookup::ExeFolder(), QStringLiteral("Help/Tessel.qhc")));
    Contents1->setEnabled(available);
    Search1->setEnabled(available);
}

void TWaveMainFrm::SendMovieAngle(float angle)
{
    Flash->SetVariable(QStringLiteral("_root.angle"), QString::number(static_cast<int>(angle)));
    Flash->CallLabel(QStringLiteral("_root.caller_mc"), QStringLiteral("DoRotate"));
}

bool TWaveMainFrm::PlayVideoLink(const QString &) { return false; }
void TWaveMainFrm::ShowMagnifier(const QString &file)
{
    TBigPicFrm magnifier(this);
    magnifier.Load(file);
    // Centred on the main window.
    magnifier.move(geometry().center() - QPoint(magnifier.width() / 2, magnifier.height() / 2));
    Dialogs::RunModal(magnifier);
}
void TWaveMainFrm::Contents1Click(QAction *) {}
void TWaveMainFrm::About1Click() {}
void TWaveMainFrm::FormKeyDown(int) {}
