#include "sim/framework/ExportFiles.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLocale>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace ExportFiles {

namespace {

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool sharesXValues(const std::vector<DataSeries> &series)
{
    for (const DataSeries &s : series) {
        if (s.xHeader != series.front().xHeader || s.points.size() != series.front().points.size())
            return false;
        for (qsizetype i = 0; i < s.points.size(); ++i) {
            if (s.points[i].x() != series.front().points[i].x())
                return false;
        }
    }
    return true;
}

// Opens `file`, lets `write` fill it and commits it; the reason of a failure
// goes to `error`.
bool saveFile(const QString &path, const std::function<bool(QSaveFile &file, QString &reason)> &write, QString *error)
{
    QString reason;
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (!ok)
        reason = file.errorString();
    else if (!write(file, reason))
        ok = false;
    if (ok && !file.commit()) {
        ok = false;
        reason = file.errorString();
    }
    if (!ok) {
        file.cancelWriting();
        if (error)
            *error = reason.isEmpty() ? QStringLiteral("Unknown error") : reason;
    }
    return ok;
}

} // namespace

QString csvNumber(double value)
{
    // QString::number never uses the user's locale.
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString csvText(const std::vector<DataSeries> &series)
{
    if (series.empty())
        return QString();
    const bool shared = sharesXValues(series);
    QStringList header;
    qsizetype rows = 0;
    for (const DataSeries &s : series) {
        if (!shared || header.isEmpty())
            header << csvField(s.xHeader);
        header << csvField(s.yHeader);
        rows = std::max(rows, s.points.size());
    }
    QString text = header.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (qsizetype row = 0; row < rows; ++row) {
        QStringList cells;
        for (const DataSeries &s : series) {
            const bool has = row < s.points.size();
            if (!shared || cells.isEmpty())
                cells << (has ? csvNumber(s.points[row].x()) : QString());
            cells << (has ? csvNumber(s.points[row].y()) : QString());
        }
        text += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text;
}

bool writeCsv(const QString &path, const std::vector<DataSeries> &series, QString *error)
{
    const QByteArray bytes = csvText(series).toUtf8();
    return saveFile(path, [&bytes](QSaveFile &file, QString &reason) {
        if (file.write(bytes) == bytes.size())
            return true;
        reason = file.errorString();
        return false;
    }, error);
}

bool isSvgPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0;
}

bool writePicture(const QString &path, const QSize &size,
                  const std::function<void(QPainter &painter, const QRectF &target)> &paint, QString *error)
{
    if (size.isEmpty()) {
        if (error)
            *error = QStringLiteral("There is no picture to save.");
        return false;
    }
    const QRectF target(QPointF(0, 0), QSizeF(size));
    if (isSvgPath(path)) {
        return saveFile(path, [&](QSaveFile &file, QString &reason) {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            QPainter painter;
            if (!painter.begin(&svg)) {
                reason = file.errorString();
                return false;
            }
            paint(painter, target);
            painter.end();
            // A write that failed half-way is noted by the file.
            if (file.error() != QFileDevice::NoError) {
                reason = file.errorString();
                return false;
            }
            return true;
        }, error);
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("Not enough memory for a picture of %1 x %2 pixels.")
                         .arg(size.width())
                         .arg(size.height());
        return false;
    }
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paint(painter, target);
    }
    return saveFile(path, [&image](QSaveFile &file, QString &reason) {
        QImageWriter writer(&file, "png");
        if (writer.write(image))
            return true;
        reason = file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        return false;
    }, error);
}

} // namespace ExportFiles
