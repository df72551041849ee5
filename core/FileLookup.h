#pragma once
// File names beside the executable are written in mixed case throughout the
// program and the course pages ("HTML\images\", "html\images\", ...). On a
// case-sensitive file system every lookup goes through these helpers, which
// match each path segment without regard to letter case.
#include <QString>

namespace FileLookup {

// Folder of the running executable, with a trailing '/'. Tests may point it
// at a fixture folder.
QString exeFolder();
void setExeFolderForTesting(const QString &folder); // empty = back to normal

// Resolves `path` (absolute, '/' or '\' separated) segment by segment; a
// segment that does not exist as written is matched ignoring case. Returns
// the path as it exists on disk, or an empty string when nothing matches.
QString resolve(const QString &path);

// exeFolder() + relative, resolved; empty when it does not exist.
QString resolveBesideExe(const QString &relative);

// Resolve(path) when it finds a regular file; empty otherwise (nothing
// there, or a folder).
QString resolveFile(const QString &path);
// True when resolveFile(path) finds one.
bool fileExists(const QString &path);

// Joins a folder and a relative part, turning '\' into '/'.
QString join(const QString &folder, const QString &relative);

} // namespace FileLookup
