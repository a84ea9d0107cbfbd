#include "dialogs/captionbitmap.h"

#include <QFontDatabase>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A one-bit bitmap as the device takes it, read back with its rows the right way up.
QImage readMono(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(30).mid(28) != QByteArray("\x01\x00", 2))
        return QImage();
    return QImage(path).mirrored(false, true).convertToFormat(QImage::Format_Grayscale8);
}
} // namespace

class TestCaptionBitmap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(m_work.path())); }

    // Grey 128 and up is white, each pixel checked; colours well away from the threshold.
    void pictureIsThresholdedAndMirrored()
    {
        const QVector<QRgb> pixels = {qRgb(0, 0, 0),       qRgb(127, 127, 127), qRgb(128, 128, 128),
                                      qRgb(255, 255, 255), qRgb(255, 0, 0),     qRgb(0, 0, 255),
                                      qRgb(0, 255, 255),   qRgb(255, 255, 0),   qRgb(130, 130, 130),
                                      qRgb(126, 126, 126), qRgb(200, 200, 200), qRgb(20, 20, 20)};
        const QString white = "0011"
                              "0011"
                              "1010";
        QImage picture(4, 3, QImage::Format_RGB32);
        for (int i = 0; i < pixels.size(); ++i)
            picture.setPixel(i % 4, i / 4, pixels[i]);
        QVERIFY(picture.save(m_work.filePath("picture.png")));
        const QString out = CaptionBitmap::pictureBitmapPath();
        QVERIFY(CaptionBitmap::writePictureBitmap(m_work.filePath("picture.png"), out));
        const QImage result = readMono(out);
        QCOMPARE(result.size(), QSize(4, 3));
        QString seen;
        for (int i = 0; i < pixels.size(); ++i)
            seen += result.pixelColor(i % 4, i / 4) == Qt::white ? '1' : '0';
        QCOMPARE(seen, white);
        // A stale bitmap must not be sent in place of a picture that could not be read.
        QFile broken(m_work.filePath("broken.png"));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a picture") > 0);
        broken.close();
        for (const char *name : {"broken.png", "missing.png"}) {
            QVERIFY(!CaptionBitmap::writePictureBitmap(m_work.filePath(name), out));
            QVERIFY(!QFile::exists(out));
        }
    }

    // The rendered text, thresholded, is what is written; a T's bar is its widest row, on top.
    void textBitmap()
    {
        const QFont font = CaptionBitmap::captionFont(QFontDatabase().families().value(0), 35,
                                                      false, false, false);
        const QImage grey = CaptionBitmap::renderText(QStringLiteral("T"), font)
                                .convertToFormat(QImage::Format_Grayscale8);
        QVERIFY(CaptionBitmap::writeTextBitmap("T", font, CaptionBitmap::textBitmapPath()));
        const QImage result = readMono(CaptionBitmap::textBitmapPath());
        QCOMPARE(result.size(), grey.size());
        int whiteRows = 0, widestRow = -1, widest = 0;
        for (int y = 0; y < result.height(); ++y) {
            int count = 0;
            for (int x = 0; x < result.width(); ++x) {
                const bool expected = qGray(grey.pixel(x, y)) >= 128;
                QCOMPARE(qGray(result.pixel(x, y)) == 255, expected);
                count += expected;
            }
            whiteRows += count > 0;
            if (count > widest) {
                widest = count;
                widestRow = y;
            }
        }
        QVERIFY(whiteRows > 5);
        const QFont styled = CaptionBitmap::captionFont("Sans", 0, true, true, true);
        QVERIFY(styled.pointSize() == 1 && styled.bold() && styled.italic() && styled.underline());
        QVERIFY2(widestRow < result.height() / 2, qPrintable(QString::number(widestRow)));
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
};

QTEST_MAIN(TestCaptionBitmap)
#include "tst_captionbitmap.moc"
