// The port dialogs opened from the main window against the device simulator on loopback: the
// query the window sends first is answered, and the open dialog shows the device's setting.
#include "../common/windowstart.h"
#include "../common/modalwatcher.h"
#include "app/appsettings.h"
#include "dialogs/cdlgscalingmode.h"
#include "mainwindow/widget.h"
#include "mainwindow/widgetdialogs.h"
#include "protocol/messagedistance.h"
#include "simserver.h"
#include "state/devicestate.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class TestWidgetDialogsSim : public QObject
{
    Q_OBJECT

    QTemporaryDir m_data;
    QTemporaryDir m_work;
    std::unique_ptr<SimServer> m_sim;
    std::unique_ptr<Widget> m_window;

    /// Runs `open`; once `answered` holds for the open dialog, `inspect` reads it and the
    /// dialog is closed (after 10 s at the latest, leaving `inspect` unrun).
    void runDialog(const std::function<void()> &open,
                   const std::function<bool(QDialog *)> &answered,
                   const std::function<void(QDialog *)> &inspect)
    {
        bool ran = false;
        QMetaObject::Connection c =
            connect(m_window->dialogs(), &WidgetDialogs::dialogAboutToRun, this, [&](QDialog *d) {
                ran = true;
                // Polled from inside the dialog's own modal run.
                auto *poll = new QTimer(d);
                connect(poll, &QTimer::timeout, d, [&, d] {
                    if (answered(d)) {
                        inspect(d);
                        d->reject();
                    }
                });
                poll->start(10);
                QTimer::singleShot(10000, d, &QDialog::reject);
            });
        open();
        disconnect(c);
        QVERIFY(ran);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid() && m_work.isValid());
        QDir::setCurrent(m_work.path());
        SimOptions options;
        options.type = Dev0809;
        options.controlPort = 0;
        options.uploadPort = 0;
        m_sim = std::make_unique<SimServer>(options);
        QString error;
        QVERIFY2(m_sim->start(&error), qPrintable(error));

        prepareLoginFreeStart(m_data.path(), m_sim->controlPort(), m_sim->uploadPort());
        AppSettings::instance()->setUserName(QStringLiteral("ADMIN"));
        AppSettings::instance()->setType(1);
        m_window = std::make_unique<Widget>();
        QTRY_VERIFY_WITH_TIMEOUT(MessageDistance::instance()->isConnected(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(DeviceState::instance()->deviceType(), Dev0809, 5000);
        // Files go to the port config.ini names, as in the demo.
        QCOMPARE(MessageDistance::instance()->uploadPort(), m_sim->uploadPort());
    }

    void cleanupTestCase()
    {
        m_window.reset();
        MessageDistance::instance()->closeConnections();
    }

    void captionButtonShowsDeviceCaption()
    {
        // The device's caption is set first; the dialog must show the device's values.
        MessageDistance *client = MessageDistance::instance();
        client->getSubtitle();
        client->setCaptionSpeed(7);
        client->setCaptionPosition(30, 40);
        QTRY_COMPARE_WITH_TIMEOUT(m_sim->model().state().caption.speed, 7, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_sim->model().state().caption.y, 40, 5000);

        auto speed = [](QDialog *d) { return d->findChild<QSlider *>("speedSplider")->value(); };
        QStringList shown; // speed, x, y
        runDialog([this] { m_window->findChild<QPushButton *>("CaptionBtn")->click(); },
                  [&](QDialog *d) { return speed(d) == 7; },
                  [&](QDialog *d) {
                      shown = QStringList{QString::number(speed(d)),
                                          d->findChild<QLineEdit *>("PosXEdit")->text(),
                                          d->findChild<QLineEdit *>("PosYEdit")->text()};
                  });
        QCOMPARE(shown, (QStringList{"7", "30", "40"}));
        // Showing the answer changed nothing on the device.
        QCOMPARE(m_sim->model().state().caption.speed, 7);
    }

    void scalingDialogShowsDeviceMode_data()
    {
        QTest::addColumn<int>("output");
        QTest::addColumn<int>("mode");
        QTest::newRow("letterbox on output 3") << 3 << 2;
        QTest::newRow("crop on output 9") << 9 << 3;
    }

    void scalingDialogShowsDeviceMode()
    {
        QFETCH(int, output);
        QFETCH(int, mode);
        // The store believes squeeze; the device knows better.
        MessageDistance::instance()->sendCommand(
            QStringLiteral("{param=Scaler_Mode%1/%2}").arg(output).arg(mode));
        QTRY_COMPARE_WITH_TIMEOUT(m_sim->model().state().scaler.value(output), mode, 5000);
        // A round trip: whatever the device answered before has been applied.
        QSignalSpy network(MessageDistance::instance(),
                           &MessageDistance::receiveNetWorkImforamtionSig);
        MessageDistance::instance()->getNetInfo();
        QTRY_VERIFY_WITH_TIMEOUT(network.count() >= 1, 5000); // the start-up queries may add one
        DeviceState::instance()->setScalingModeAt(output, 0);

        auto selected = [](QDialog *d) {
            return static_cast<CDlgScalingmode *>(d)->selectedMode();
        };
        int shown = -1;
        runDialog([this, output] { m_window->dialogs()->openScalingMode(output); },
                  [&](QDialog *d) { return selected(d) == mode; },
                  [&](QDialog *d) { shown = selected(d); });
        QCOMPARE(shown, mode);
        QCOMPARE(DeviceState::instance()->scalingModeAt(output), mode);
    }

    void factoryResetAsksFirst()
    {
        QString log;
        QObject scope; // goes before the log does
        connect(m_sim.get(), &SimServer::logLine, &scope, [&log](const QString &l) { log += l; });
        bool confirm = false;
        ModalWatcher watcher([&confirm](QDialog *d) { d->done(confirm ? 1 : 0); });
        auto *button = m_window->findChild<QPushButton *>("factorResetBtn");
        button->click();
        // The question names the device it would wipe.
        QVERIFY(watcher.seen().value(0).text.contains(
            QStringLiteral("127.0.0.1:%1").arg(m_sim->controlPort())));
        // Declined: a command sent after the answer arrives after anything the answer sent.
        MessageDistance::instance()->sendCommand(QStringLiteral("{param=fence}"));
        QTRY_VERIFY(log.contains(QLatin1String("{param=fence}")));
        QCOMPARE(log.count(QLatin1String("factory reset")), 0);
        confirm = true;
        button->click();
        QTRY_COMPARE_WITH_TIMEOUT(log.count(QLatin1String("factory reset")), 1, 5000);
        // The device's acknowledgement asks for a restart.
        QTRY_COMPARE_WITH_TIMEOUT(watcher.seen().value(watcher.count() - 1).title,
                                  QStringLiteral("Network Changed"), 5000);
    }
};

QTEST_MAIN(TestWidgetDialogsSim)
#include "tst_widgetdialogs_sim.moc"
