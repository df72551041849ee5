#pragma once
// How the course pages' addresses are read: which model a page belongs to,
// and the last segment of a link, where the special link forms live.
#include <QString>

// The SimulationKind a page file name selects; ActiveKind for an empty name
// or a page that belongs to no model.
int KindOfPage(const QString &name);
// The text after the last '/', or, without one, after the last '\' or ':'.
QString LastUrlSegment(const QString &url);
// A local file path from a "file:///" address ("%20" becomes a space).
QString UrlToFilePath(const QString &url);
