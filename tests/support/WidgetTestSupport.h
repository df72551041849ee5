#pragma once
// Test helpers for widgets: message boxes answered without a user, mouse
// events sent straight to a widget.
#include "TestSupport.h"

#include <QEvent>
#include <QImage>
#include <QPointF>

class QWidget;

namespace TestSupport {

// Answers every message box with `answer` and records the texts shown.
class ScopedDialogAnswers
{
public:
    explicit ScopedDialogAnswers(bool answer);
    ~ScopedDialogAnswers();
    QStringList shown() const { return *m_shown; }
    void setAnswer(bool answer) { *m_answer = answer; }

private:
    std::shared_ptr<QStringList> m_shown;
    std::shared_ptr<bool> m_answer;
};

// A mouse event sent straight to `target` at `pos` (its own coordinates),
// with the button that changed and the buttons held after it.
void sendMouse(QWidget *target, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons);

// The first page of a PDF file as a picture at `dpi` dots per inch, read
// back with pdftoppm; a null image when it cannot be read.
QImage pdfPageImage(const QString &pdfFile, int dpi);

} // namespace TestSupport
