#include "WidgetTestSupport.h"

#include "sim/framework/Dialogs.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

namespace TestSupport {

void sendMouse(QWidget *target, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

ScopedDialogAnswers::ScopedDialogAnswers(bool answer)
    : m_shown(std::make_shared<QStringList>()), m_answer(std::make_shared<bool>(answer))
{
    auto shown = m_shown;
    auto ans = m_answer;
    Dialogs::setMessageHandler([shown, ans](Dialogs::Kind, const QString &text) {
        shown->append(text);
        return *ans;
    });
    Dialogs::setPrintHandler([ans](QPrinter &) { return *ans; });
}

ScopedDialogAnswers::~ScopedDialogAnswers()
{
    Dialogs::setMessageHandler({});
    Dialogs::setPrintHandler({});
}

QImage pdfPageImage(const QString &pdfFile, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"),
                                         QString::number(dpi), pdfFile, base});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace TestSupport
