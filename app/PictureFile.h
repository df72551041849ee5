#pragma once
// Reads the program's own pictures at start-up. A PNG file is read by Qt's
// built-in reader alone: letting Qt guess the format loads every image
// plugin (and a dozen libraries behind them) before the first window shows.
#include <QImage>
#include <QString>

namespace PictureFile {

// The picture in file; a null image when it cannot be read. Files that are
// not PNG, or not what their name says, are read as QImage::load reads them.
QImage read(const QString &file);

} // namespace PictureFile
