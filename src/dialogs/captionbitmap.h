#pragma once

#include <QFont>
#include <QImage>
#include <QString>

/// Builds the one-bit bitmaps the device shows as caption or OSD: white where the text or
/// picture is at least mid-grey, black elsewhere, rows stored bottom to top.
class CaptionBitmap
{
public:
    /// Where the rendered text goes, relative to the working directory.
    static QString textBitmapPath();
    /// Where the converted picture goes, relative to the working directory.
    static QString pictureBitmapPath();

    /// The font of a caption: family, point size, weight 75 or 50, italic, underline.
    static QFont captionFont(const QString &family, int pointSize, bool bold, bool italic,
                             bool underline);
    /// The text with one space on each side, white on black, centred in its bounding box plus
    /// about 8 by 5 pixels of room.
    static QImage renderText(const QString &text, const QFont &font);

    /// Renders the text and writes the finished bitmap to path. False when it cannot be written.
    static bool writeTextBitmap(const QString &text, const QFont &font, const QString &path);
    /// Converts the picture file to the finished bitmap at path. Any older file at path is
    /// removed first, so a picture that cannot be read leaves no bitmap behind.
    static bool writePictureBitmap(const QString &picturePath, const QString &path);
    /// The last two steps on a greyscale bitmap file at path: threshold at grey 128, then one
    /// bit per pixel, mirrored top to bottom, written back.
    static bool thresholdAndMirror(const QString &path);

    /// Progress of an upload of uploadSize bytes with itemsLeft queue items still to go.
    static int progressPercent(qint64 uploadSize, int itemsLeft);

    /// Packet size of the upload channel.
    static constexpr int PacketSize = 500;
};
