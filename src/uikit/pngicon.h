#pragma once

#include <QIcon>
#include <QImageReader>
#include <QPixmap>

/// A bundled PNG as an icon. Reading it as a PNG spares the image reader from loading every
/// image plug-in to ask whether it knows the file, which cost more than the icons themselves.
inline QIcon pngIcon(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}
