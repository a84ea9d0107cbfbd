#include "captionbitmap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

namespace {
// The device's bitmaps live under the working directory; QDir builds the separators, so the
// same code writes Windows paths there and proper paths elsewhere.
QString underWorkingDirectory(const QString &folder, const QString &file)
{
    const QDir base(QDir::currentPath());
    return QDir::cleanPath(base.filePath(folder + QLatin1Char('/') + file));
}

bool ensureFolderFor(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath());
}

// Grey levels of 128 and up become white, the rest black. The comparison is made on the colour
// table entry as a 32-bit ARGB number against opaque (127,127,128); for a grey table that is
// exactly "level >= 128".
void thresholdColorTable(QImage &image)
{
    const QRgb limit = qRgb(127, 127, 128);
    QVector<QRgb> table = image.colorTable();
    for (QRgb &entry : table)
        entry = entry >= limit ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    image.setColorTable(table);
}
} // namespace

QString CaptionBitmap::textBitmapPath()
{
    return underWorkingDirectory(QStringLiteral("ConversionProcessing/CharacterLogo"),
                                 QStringLiteral("CharImage.bmp"));
}

QString CaptionBitmap::pictureBitmapPath()
{
    return underWorkingDirectory(QStringLiteral("ConversionProcessing/Subtitle"),
                                 QStringLiteral("SendlocalImage.bmp"));
}

QFont CaptionBitmap::captionFont(const QString &family, int pointSize, bool bold, bool italic,
                                 bool underline)
{
    QFont font(family);
    font.setPointSize(qMax(1, pointSize));
    font.setWeight(bold ? 75 : 50);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

QImage CaptionBitmap::renderText(const QString &text, const QFont &font)
{
    const QString padded = QLatin1Char(' ') + text + QLatin1Char(' ');
    // Measure on an image like the one painted on, so that both use the same resolution.
    QImage probe(1, 1, QImage::Format_RGB32);
    const QRect bounds = QFontMetrics(font, &probe).boundingRect(padded);
    QImage image(bounds.right() - bounds.left() + 9, bounds.bottom() - bounds.top() + 6,
                 QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, 255));
    painter.drawText(image.rect(), Qt::AlignCenter, padded);
    painter.end();
    return image;
}

bool CaptionBitmap::writeTextBitmap(const QString &text, const QFont &font, const QString &path)
{
    if (!ensureFolderFor(path))
        return false;
    if (!renderText(text, font).save(path, "bmp"))
        return false;
    // Through the file at each step, as the device's tools expect the same encoding.
    const QImage grey = QImage(path).convertToFormat(QImage::Format_Grayscale8);
    if (grey.isNull() || !grey.save(path, "bmp"))
        return false;
    return thresholdAndMirror(path);
}

bool CaptionBitmap::writePictureBitmap(const QString &picturePath, const QString &path)
{
    QFile::remove(path);
    const QImage picture(picturePath);
    if (picture.isNull() || !ensureFolderFor(path))
        return false;
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    if (!grey.save(path, "bmp", 100))
        return false;
    return thresholdAndMirror(path);
}

bool CaptionBitmap::thresholdAndMirror(const QString &path)
{
    QImage image(path);
    if (image.isNull())
        return false;
    // A greyscale bitmap reads back as an indexed image with a grey table.
    if (image.format() != QImage::Format_Indexed8)
        image = image.convertToFormat(QImage::Format_Grayscale8)
                    .convertToFormat(QImage::Format_Indexed8);
    thresholdColorTable(image);
    // Only pure black and white are left, so no dithering can change a pixel.
    const QImage mono =
        image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither).mirrored(false, true);
    return mono.save(path, "bmp");
}

int CaptionBitmap::progressPercent(qint64 uploadSize, int itemsLeft)
{
    if (uploadSize <= 0)
        return 0;
    const qint64 sent = uploadSize - qint64(PacketSize) * itemsLeft;
    if (sent < 0)
        return 0;
    return int(qMin<qint64>(100, sent * 100 / uploadSize));
}
