#pragma once
// A video link of the course pages: "width, height, fullscreen flag, loop
// flag, file name", separated by commas, e.g. "640,480,0,0,ripples.flv".
#include <QSize>
#include <QString>

struct VideoLink {
    QSize size;         // the video window's client size
    QString fullScreen; // "0" or "1", passed on to the video loader as written
    QString loop;
    QString fileName;   // as written in the link, spaces removed

    // The loader's movie variables: "video=<file>&loop=<flag>&fullscreen=<flag>".
    QString movieVariables() const;

    // Reads a link's last segment. Spaces are ignored everywhere; an empty
    // field leaves its slot for the next one; fields beyond the four are
    // dropped; what follows the last comma is the file name. An unreadable
    // or non-positive width or height gives 640 x 520, empty flags "0".
    static VideoLink parse(const QString &segment);
};
