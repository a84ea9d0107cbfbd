#include "dialogs/captionbitmap.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Bits per pixel as written in the BMP header.
int bmpBitsPerPixel(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = file.read(30);
    if (head.size() < 30 || !head.startsWith("BM"))
        return -1;
    return quint8(head.at(28)) | (quint8(head.at(29)) << 8);
}

bool isWhite(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(Qt::white);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class TestCaptionBitmap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_work.path());
    }
    void cleanupTestCase() { QDir::setCurrent(m_previous); }

    // Greys at the threshold, colours well away from it: each pixel checked, rows reversed.
    void pictureIsThresholdedAndMirrored()
    {
        const QVector<QVector<QRgb>> rows = {
            {qRgb(0, 0, 0), qRgb(127, 127, 127), qRgb(128, 128, 128), qRgb(255, 255, 255)},
            {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 0)},
            {qRgb(130, 130, 130), qRgb(126, 126, 126), qRgb(200, 200, 200), qRgb(20, 20, 20)},
        };
        const QVector<QVector<bool>> white = {
            {false, false, true, true},
            {false, false, true, true},
            {true, false, true, false},
        };
        QImage picture(4, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                picture.setPixel(x, y, rows[y][x]);
        const QString source = m_work.filePath("picture.png");
        QVERIFY(picture.save(source));

        const QString out = CaptionBitmap::pictureBitmapPath();
        QVERIFY(CaptionBitmap::writePictureBitmap(source, out));
        QCOMPARE(bmpBitsPerPixel(out), 1);
        const QImage result(out);
        QCOMPARE(result.size(), QSize(4, 3));
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                QVERIFY2(isWhite(result, x, 2 - y) == white[y][x],
                         qPrintable(QStringLiteral("source pixel %1,%2").arg(x).arg(y)));
            }
        }
    }

    // A stale bitmap must not be sent in place of a picture that could not be read.
    void unreadablePictureLeavesNoBitmap()
    {
        const QString out = CaptionBitmap::pictureBitmapPath();
        QDir().mkpath(QFileInfo(out).absolutePath());
        writeFile(out, "an older bitmap");
        writeFile(m_work.filePath("broken.png"), "not a picture");
        QVERIFY(!CaptionBitmap::writePictureBitmap(m_work.filePath("broken.png"), out));
        QVERIFY(!QFile::exists(out));
        QVERIFY(!CaptionBitmap::writePictureBitmap(m_work.filePath("missing.png"), out));
        QVERIFY(!QFile::exists(out));
    }

    void textBitmap()
    {
        const QString family = QFontDatabase().families().value(0);
        QVERIFY(!family.isEmpty());
        const QFont font = CaptionBitmap::captionFont(family, 35, false, false, false);
        const QImage rendered = CaptionBitmap::renderText(QStringLiteral("T"), font);
        const QString out = CaptionBitmap::textBitmapPath();
        QVERIFY(CaptionBitmap::writeTextBitmap(QStringLiteral("T"), font, out));
        QCOMPARE(bmpBitsPerPixel(out), 1);
        const QImage result(out);
        QCOMPARE(result.size(), rendered.size());
        const QImage grey = rendered.convertToFormat(QImage::Format_Grayscale8);
        const int h = result.height();
        int whiteRows = 0, bestRow = -1, bestCount = 0;
        for (int y = 0; y < h; ++y) {
            int count = 0;
            for (int x = 0; x < result.width(); ++x) {
                const bool expected = qGray(grey.pixel(x, y)) >= 128;
                QCOMPARE(isWhite(result, x, h - 1 - y), expected);
                count += expected ? 1 : 0;
            }
            whiteRows += count ? 1 : 0;
            if (count > bestCount) {
                bestCount = count;
                bestRow = h - 1 - y;
            }
        }
        QVERIFY(whiteRows > 5);
        // The bar of the T is its widest row; stored upside down it sits in the lower half.
        QVERIFY2(bestRow > h / 2, qPrintable(QString::number(bestRow)));
    }

    void progress_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("itemsLeft");
        QTest::addColumn<int>("percent");
        QTest::newRow("1201, two left") << qint64(1201) << 2 << 16;
        QTest::newRow("1201, one left") << qint64(1201) << 1 << 58;
        QTest::newRow("1201, none left") << qint64(1201) << 0 << 100;
        QTest::newRow("500, end command left") << qint64(500) << 1 << 0;
        QTest::newRow("more left than sent") << qint64(100) << 3 << 0;
        QTest::newRow("no size") << qint64(0) << 1 << 0;
        QTest::newRow("large file") << qint64(50000000) << 2 << 99;
        QTest::newRow("never above 100") << qint64(10) << -1 << 100;
    }

    void progress()
    {
        QFETCH(qint64, size);
        QFETCH(int, itemsLeft);
        QFETCH(int, percent);
        QCOMPARE(CaptionBitmap::progressPercent(size, itemsLeft), percent);
    }

private:
    QTemporaryDir m_work;
    QString m_previous;
};

QTEST_MAIN(TestCaptionBitmap)
#include "tst_captionbitmap.moc"
