#pragma once

// A loopback stand-in for the device that records what the window sends and never answers.

#include "protocol/messagedistance.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class CommandRecorder : public QTcpServer
{
public:
    QByteArray bytes;

    CommandRecorder()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *peer = nextPendingConnection())
                connect(peer, &QTcpSocket::readyRead, this,
                        [this, peer] { bytes += peer->readAll(); });
        });
    }

    /// What arrived since the last call: a marker sent now arrives after everything before it.
    QByteArray take()
    {
        MessageDistance::instance()->sendCommand(QStringLiteral("{param=fence}"));
        (void)QTest::qWaitFor([this] { return bytes.contains("{param=fence}"); }, 5000);
        QByteArray out = bytes.replace("{param=fence}", "");
        bytes.clear();
        return out;
    }
};
