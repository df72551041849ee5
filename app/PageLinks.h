#pragma once
// How the course pages' addresses are read: which model a page belongs to,
// and the last segment of a link, where the special link forms live.
#include <QString>
#include <functional>

// The SimulationKind a page file name selects (anchors and folders are
// ignored); 0 for an empty name or a page that belongs to no model.
int pageKind(const QString &name);
// The same, but activeKind() where pageKind gives 0: the model stays.
int kindOfPage(const QString &name);
// The text after the last '/', or, without one, after the last '\' or ':'.
QString lastUrlSegment(const QString &url);
// A local file path from a "file:///" address ("%20" becomes a space). A
// Windows path (with a drive letter) comes out with backslashes; elsewhere
// the address's third slash stays as the root of the path.
QString urlToFilePath(const QString &url);

// What a link asks for, decided from its last segment in this order: a
// segment with "$" opens a picture, one with "+" is a command for the model
// shown, one ending in ".FLV" plays a video; anything else is a page.
enum class LinkAction { Page, Picture, Command, Video };
LinkAction classifyLink(const QString &segment);

// The extension of a file name with its dot, upper-cased; empty without one.
QString upperExtension(const QString &name);

// Every special link the page browser acts on is reported here, with the
// picture file, the command or the video segment, so that tests can follow
// what a link led to.
using PageLinkObserver = std::function<void(LinkAction action, const QString &argument)>;
void setPageLinkObserver(PageLinkObserver observer);
void reportPageLink(LinkAction action, const QString &argument);
