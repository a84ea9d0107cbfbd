// The dialogs against the device simulator, run in this process on loopback ports.
#include "modalwatcher.h"

#include "app/appsettings.h"
#include "dialogs/captionbitmap.h"
#include "dialogs/titleorosddialog.h"
#include "protocol/messagedistance.h"
#include "simserver.h"
#include "state/devicestate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestDialogsAgainstSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid() && m_work.isValid());
        AppSettings::setDataDirectory(m_data.path());
        QDir::setCurrent(m_work.path());
        SimOptions options;
        options.type = Dev0809;
        options.controlPort = options.uploadPort = 0;
        m_sim.reset(new SimServer(options));
        QString error;
        QVERIFY2(m_sim->start(&error), qPrintable(error));
        DeviceState::instance()->setDeviceType(Dev0809);
        MessageDistance *client = MessageDistance::instance();
        client->setUploadPort(m_sim->uploadPort());
        client->connectToDevice(QStringLiteral("127.0.0.1"), m_sim->controlPort());
        QTRY_VERIFY_WITH_TIMEOUT(client->isConnected(), 10000);
    }

    void cleanupTestCase() { MessageDistance::instance()->closeConnections(); }

    // Two caption uploads one after the other: the finished notice of the first must not
    // leave the channel waiting for an acknowledgement that already came.
    void captionTextUploadsTwice()
    {
        TitleOrOsdDialog dialog(nullptr, -1);
        dialog.show();
        child<QComboBox>(&dialog, "FontSizeCombo")->setCurrentText(QStringLiteral("100"));
        child<QComboBox>(&dialog, "OutputCombo")->setCurrentIndex(2);
        for (const QString &text : {QStringLiteral("Welcome"), QStringLiteral("Second line")}) {
            child<QLineEdit>(&dialog, "TextEdit")->setText(text);
            upload(child<QPushButton>(&dialog, "uploadCharBtn"), CaptionBitmap::textBitmapPath(),
                   "Subtitle", 3);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void osdPictureUpload()
    {
        QImage picture(160, 64, QImage::Format_RGB32);
        picture.fill(Qt::black);
        for (int x = 0; x < 64; x += 2)
            picture.setPixel(x, x / 2, qRgb(255, 255, 255));
        QVERIFY(picture.save(m_work.filePath("logo.png")));
        TitleOrOsdDialog dialog(nullptr, 2);
        dialog.show();
        child<QLineEdit>(&dialog, "ImagePathEdit")->setText(m_work.filePath("logo.png"));
        upload(child<QPushButton>(&dialog, "uploadImgBtn"), CaptionBitmap::pictureBitmapPath(),
               "OSD", 2);
    }

private:
    // Uploads; the notice and the device's copy of the bitmap (several packets) must follow.
    void upload(QPushButton *button, const QString &bitmap, const char *kind, int port)
    {
        ModalWatcher watcher;
        button->click();
        QTRY_COMPARE_WITH_TIMEOUT(watcher.count(), 1, 10000);
        QCOMPARE(watcher.seen().first().className, QStringLiteral("DialogConfirm"));
        QFile file(bitmap);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.size() > 500);
        QTRY_COMPARE_WITH_TIMEOUT(m_sim->model().lastUpload(kind).data, bytes, 10000);
        QCOMPARE(m_sim->model().lastUpload(kind).port, port);
        QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled(), 5000);
    }

    QTemporaryDir m_data;
    QTemporaryDir m_work;
    std::unique_ptr<SimServer> m_sim;
};

QTEST_MAIN(TestDialogsAgainstSim)
#include "tst_dialogsagainstsim.moc"
