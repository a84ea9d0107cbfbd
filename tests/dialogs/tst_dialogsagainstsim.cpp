// The dialogs against the device simulator, run in this process on loopback ports.
#include "modalwatcher.h"

#include "app/appsettings.h"
#include "dialogs/captionbitmap.h"
#include "dialogs/edidsettingdilog.h"
#include "dialogs/titleorosddialog.h"
#include "protocol/messagedistance.h"
#include "simserver.h"
#include "state/devicestate.h"
#include "uikit/switchcontrol.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

namespace {
template <typename T>
T *child(QWidget *parent, const QString &name)
{
    T *w = parent->findChild<T *>(name);
    if (!w)
        qFatal("no child %s", qPrintable(name));
    return w;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

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
        options.controlPort = 0;
        options.uploadPort = 0;
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
        auto *upload = child<QPushButton>(&dialog, "uploadCharBtn");
        for (const QString &text : {QStringLiteral("Welcome"), QStringLiteral("Second line")}) {
            child<QLineEdit>(&dialog, "TextEdit")->setText(text);
            ModalWatcher watcher;
            upload->click();
            QTRY_COMPARE_WITH_TIMEOUT(watcher.count(), 1, 10000);
            QCOMPARE(watcher.seen().first().className, QStringLiteral("DialogConfirm"));
            const QByteArray file = fileBytes(CaptionBitmap::textBitmapPath());
            QVERIFY(file.size() > 500);
            QTRY_COMPARE_WITH_TIMEOUT(m_sim->model().lastUpload("Subtitle").data, file, 10000);
            QCOMPARE(m_sim->model().lastUpload("Subtitle").port, 3);
            QTRY_VERIFY_WITH_TIMEOUT(upload->isEnabled(), 5000);
        }
    }

    void osdPictureUpload()
    {
        QImage picture(64, 32, QImage::Format_RGB32);
        picture.fill(Qt::black);
        for (int x = 0; x < 64; x += 2)
            picture.setPixel(x, x / 2, qRgb(255, 255, 255));
        QVERIFY(picture.save(m_work.filePath("logo.png")));
        TitleOrOsdDialog dialog(nullptr, 2);
        dialog.show();
        child<QLineEdit>(&dialog, "ImagePathEdit")->setText(m_work.filePath("logo.png"));
        ModalWatcher watcher;
        child<QPushButton>(&dialog, "uploadImgBtn")->click();
        QTRY_COMPARE_WITH_TIMEOUT(watcher.count(), 1, 10000);
        const QByteArray file = fileBytes(CaptionBitmap::pictureBitmapPath());
        QVERIFY(!file.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(m_sim->model().lastUpload("OSD").data, file, 10000);
        QCOMPARE(m_sim->model().lastUpload("OSD").port, 2);
    }

    void edidUpload()
    {
        QByteArray edid(256, '\0');
        for (int i = 0; i < edid.size(); ++i)
            edid[i] = char(255 - i);
        QFile file(m_work.filePath("display.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(edid);
        file.close();
        EdidSettingDilog dialog(6);
        child<QLineEdit>(&dialog, "le_edidPath")->setText(file.fileName());
        child<QPushButton>(&dialog, "UploadBtn")->click();
        QTRY_COMPARE_WITH_TIMEOUT(m_sim->model().lastUpload("EDID").data, edid, 10000);
        QCOMPARE(m_sim->model().lastUpload("EDID").port, 6);
    }

    // The device's caption settings come back into the dialog; showing them sends nothing
    // that would change them.
    void captionSettingsRoundTrip()
    {
        // As the main window does: choose the caption before the dialog changes it.
        MessageDistance::instance()->getSubtitle();
        TitleOrOsdDialog dialog(nullptr, -1);
        dialog.show();
        QTest::mouseClick(child<SwitchControl>(&dialog, "IsShowCheck"), Qt::LeftButton);
        child<QPushButton>(&dialog, "RightBtn")->click();
        auto *speed = child<QSlider>(&dialog, "speedSplider");
        speed->setValue(30);
        QTest::mouseClick(speed, Qt::LeftButton, {}, QPoint(2, speed->height() / 2));
        const int sent = speed->value();

        TitleOrOsdDialog reopened(nullptr, -1);
        MessageDistance::instance()->getSubtitle();
        QTRY_VERIFY_WITH_TIMEOUT(child<SwitchControl>(&reopened, "IsShowCheck")->isToggled(), 5000);
        QCOMPARE(child<QSlider>(&reopened, "speedSplider")->value(), sent);
        QVERIFY(child<QPushButton>(&reopened, "RightBtn")->isChecked());
    }

private:
    QTemporaryDir m_data;
    QTemporaryDir m_work;
    std::unique_ptr<SimServer> m_sim;
};

QTEST_MAIN(TestDialogsAgainstSim)
#include "tst_dialogsagainstsim.moc"
