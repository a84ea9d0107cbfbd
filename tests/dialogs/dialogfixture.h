#pragma once

#include "devicepeer.h"

#include "app/appsettings.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"

#include <QDir>
#include <QHostAddress>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

/// One test process: a temporary data and working directory, a bare device peer, and the
/// application's protocol client connected to it.
class DialogFixture
{
public:
    bool start()
    {
        if (!m_data.isValid() || !m_work.isValid())
            return false;
        AppSettings::setDataDirectory(m_data.path());
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_work.path());
        m_peer = std::make_unique<DevicePeer>();
        MessageDistance *client = MessageDistance::instance();
        client->setUploadPort(m_peer->uploadPort());
        client->connectToDevice(QStringLiteral("127.0.0.1"), m_peer->controlPort());
        return QTest::qWaitFor([client] { return client->isConnected(); }, 10000);
    }

    void stop()
    {
        MessageDistance::instance()->closeConnections();
        MessageDistance::instance()->openUploadSocket(false);
        QDir::setCurrent(m_previousDir);
    }

    DevicePeer &peer() { return *m_peer; }
    /// A loopback port nobody listens on.
    static quint16 closedPort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }
    QString workDir() const { return m_work.path(); }

    /// Forgets what the peer received so far, once what was sent has arrived.
    void clear()
    {
        settledCommands();
        m_peer->clear();
        m_fences = 0;
    }

    /// Before each test: the default device, the peer's upload port, nothing received.
    void reset()
    {
        DeviceState::instance()->setDeviceType(Dev0809);
        MessageDistance::instance()->setUploadPort(m_peer->uploadPort());
        clear();
    }

    /// Commands the peer received, once count of them have arrived.
    QStringList waitForCommands(int count, int timeoutMs = 5000)
    {
        (void)QTest::qWaitFor([this, count] { return m_peer->commands().size() >= count; },
                              timeoutMs);
        return m_peer->commands();
    }

    /// Gives commands that were (wrongly) sent a chance to arrive, then returns them all.
    QStringList settledCommands()
    {
        // Round trip through the peer: a query sent now arrives after anything sent before.
        MessageDistance::instance()->sendCommand(QStringLiteral("{param=fence}"));
        const int fences = ++m_fences;
        (void)QTest::qWaitFor(
            [this, fences] {
                return m_peer->commands().count(QStringLiteral("{param=fence}")) >= fences;
            },
            5000);
        QStringList out = m_peer->commands();
        out.removeAll(QStringLiteral("{param=fence}"));
        return out;
    }

private:
    QTemporaryDir m_data;
    QTemporaryDir m_work;
    QString m_previousDir;
    std::unique_ptr<DevicePeer> m_peer;
    int m_fences = 0;
};
