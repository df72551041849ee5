#include "app/PictureFile.h"

#include <QFileInfo>
#include <QImageReader>

QImage PictureFile::read(const QString &file)
{
    if (file.isEmpty())
        return {};
    if (QFileInfo(file).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0) {
        QImageReader reader(file, "png");
        reader.setAutoDetectImageFormat(false);
        QImage image = reader.read();
        if (!image.isNull())
            return image;
    }
    QImage image;
    image.load(file);
    return image;
}
