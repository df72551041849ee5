#pragma once
// Writing what File > Export picture... and File > Export data... save.
//
// Pictures: the file's suffix chooses the format (".svg" a scalable drawing,
// anything else PNG). Data: comma-separated values with one header row; the
// numbers always with '.' and no grouping, whatever the user's locale, so a
// spreadsheet reads them back exactly.
//
// Both write through QSaveFile: the file appears only once it is complete, so
// a failure (a folder that is not writable, a full disk) never leaves a
// partial file behind, and the caller gets the reason to show the user.
#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class QPainter;
class QRectF;

// One curve of a chart, with the quantities and units of its two axes, for
// example "time (s)" and "displacement (units)".
struct DataSeries {
    QString xHeader;
    QString yHeader;
    QList<QPointF> points;
};

namespace ExportFiles {

// The CSV text of `series`. Series that share their x values exactly share
// one x column; otherwise every series has an x and a y column and shorter
// series leave their cells empty. Empty when there are no series.
QString csvText(const std::vector<DataSeries> &series);
// A number as written in the CSV: the shortest text that reads back to the
// same double, in the C locale.
QString csvNumber(double value);

// Writes the CSV text of `series` to `path`. False, with the reason in
// `error`, when the file could not be written completely.
bool writeCsv(const QString &path, const std::vector<DataSeries> &series, QString *error);

// True when `path` names an SVG file (by its suffix, in any case).
bool isSvgPath(const QString &path);
// Paints a picture of `size` pixels with `paint` (given the painter and the
// target rectangle (0, 0, size)) and writes it to `path` as PNG or SVG. False,
// with the reason in `error`, on an empty size or when writing failed.
bool writePicture(const QString &path, const QSize &size,
                  const std::function<void(QPainter &painter, const QRectF &target)> &paint, QString *error);

} // namespace ExportFiles
