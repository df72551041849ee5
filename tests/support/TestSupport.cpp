#include "TestSupport.h"

#include "app/CadencerEx.h"
#include "app/Dialogs.h"
#include "app/FileLookup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>

namespace TestSupport {

ScopedClockTime::ScopedClockTime(double start) : now(start)
{
    TNGLCadencer::SetRawTimeSourceForTesting([this] { return now; });
}

ScopedClockTime::~ScopedClockTime()
{
    TNGLCadencer::SetRawTimeSourceForTesting({});
}

void SendMouse(QWidget *target, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

ScreenInfoProvider FixedScreen(QSize size, std::optional<QRect> workArea)
{
    return [=] {
        ScreenInfo s;
        s.size = size;
        s.workArea = workArea;
        return s;
    };
}

ScopedSettings::ScopedSettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
}

ScopedSettings::~ScopedSettings()
{
    if (!m_blocker.isEmpty())
        QFile::remove(m_blocker);
}

void ScopedSettings::MakeUnwritable()
{
    // Running as root ignores file permissions, so block the store's folder
    // with a plain file of the same name instead.
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(QFileInfo(m_dir.path()).absolutePath());
    m_blocker = m_dir.path();
    QFile f(m_blocker);
    f.open(QIODevice::WriteOnly);
    f.write("x");
}

ScopedExeFolder::ScopedExeFolder(const QString &folder)
{
    FileLookup::SetExeFolderForTesting(folder);
}

ScopedExeFolder::~ScopedExeFolder()
{
    FileLookup::SetExeFolderForTesting(QString());
}

ScopedDialogAnswers::ScopedDialogAnswers(bool answer)
    : m_shown(std::make_shared<QStringList>()), m_answer(std::make_shared<bool>(answer))
{
    auto shown = m_shown;
    auto ans = m_answer;
    Dialogs::SetMessageHandler([shown, ans](Dialogs::Kind, const QString &text) {
        shown->append(text);
        return *ans;
    });
    Dialogs::SetPrintHandler([ans](QPrinter &) { return *ans; });
}

ScopedDialogAnswers::~ScopedDialogAnswers()
{
    Dialogs::SetMessageHandler({});
    Dialogs::SetPrintHandler({});
}

QString BuiltProgramFolder()
{
    return QCoreApplication::applicationDirPath() + '/';
}

QString PdfText(const QString &pdfFile)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfFile, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace TestSupport
