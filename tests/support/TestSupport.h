#pragma once
// Helpers shared by the test suites of every layer: isolated settings, a
// fake program folder, a clock time the test decides, reported clock errors.
// Widget helpers are in WidgetTestSupport.h, main-window helpers in
// AppTestSupport.h.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
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
    QString folder() const { return m_dir.path(); }
    // Makes the store unwritable (its folder becomes a plain file).
    void makeUnwritable();

private:
    QTemporaryDir m_dir;
    QString m_blocker;
};

// Points FileLookup::exeFolder() at a folder for the lifetime of the object.
class ScopedExeFolder
{
public:
    explicit ScopedExeFolder(const QString &folder);
    ~ScopedExeFolder();
};

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

// Folder of the built program (where the content folders are copied).
QString builtProgramFolder();

// Text of a PDF file, read back with pdftotext; empty when it cannot be read.
QString pdfText(const QString &pdfFile);

// Records the errors the animation clocks report, for the lifetime of the
// object, instead of showing them.
class ScopedClockErrors
{
public:
    ScopedClockErrors();
    ~ScopedClockErrors();
    QStringList shown() const { return *m_shown; }

private:
    std::shared_ptr<QStringList> m_shown;
};

} // namespace TestSupport
