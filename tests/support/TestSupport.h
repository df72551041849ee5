#pragma once
// Helpers shared by the test suites.
#include "app/uWaveMain.h"

#include <QEvent>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace TestSupport {

// Points QSettings at a fresh empty folder for the lifetime of the object,
// so a test never sees or changes the user's settings. The store is
// QSettings("Quillon", "Orvanta"), as the program uses it.
class ScopedSettings
{
public:
    ScopedSettings();
    ~ScopedSettings();
    QString Folder() const { return m_dir.path(); }
    // Makes the store unwritable (its folder becomes a plain file).
    void MakeUnwritable();

private:
    QTemporaryDir m_dir;
    QString m_blocker;
};

// Points FileLookup::ExeFolder() at a folder for the lifetime of the object.
class ScopedExeFolder
{
public:
    explicit ScopedExeFolder(const QString &folder);
    ~ScopedExeFolder();
};

// Answers every message box with `answer` and records the texts shown.
class ScopedDialogAnswers
{
public:
    explicit ScopedDialogAnswers(bool answer);
    ~ScopedDialogAnswers();
    QStringList Shown() const { return *m_shown; }
    void SetAnswer(bool answer) { *m_answer = answer; }

private:
    std::shared_ptr<QStringList> m_shown;
    std::shared_ptr<bool> m_answer;
};

// A screen of the given size and work area in place of the real one, so a
// main window is placed the same on every machine.
ScreenInfoProvider FixedScreen(QSize size = QSize(1600, 1000),
                               std::optional<QRect> workArea = QRect(0, 0, 1600, 960));

// The animation clocks read this time (in seconds) instead of the real one
// for the lifetime of the object, so a test decides when time passes. Put
// back even when a check fails and the test returns early.
struct ScopedClockTime {
    double now;
    explicit ScopedClockTime(double start = 1000.0);
    ~ScopedClockTime();
    ScopedClockTime(const ScopedClockTime &) = delete;
    ScopedClockTime &operator=(const ScopedClockTime &) = delete;
};

// A mouse event sent straight to `target` at `pos` (its own coordinates),
// with the button that changed and the buttons held after it.
void SendMouse(QWidget *target, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons);

// Folder of the built program (where the content folders are copied).
QString BuiltProgramFolder();

// Text of a PDF file, read back with pdftotext; empty when it cannot be read.
QString PdfText(const QString &pdfFile);

} // namespace TestSupport
