#include "loopbackpeer.h"

#include <QHostAddress>

LoopbackPeer::LoopbackPeer(quint16 port, QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackPeer::accept);
    listen(port);
}

bool LoopbackPeer::listen(quint16 port)
{
    return m_server.listen(QHostAddress::LocalHost, port);
}

bool LoopbackPeer::hasClient() const
{
    return m_client && m_client->state() == QAbstractSocket::ConnectedState;
}

void LoopbackPeer::send(const QByteArray &bytes)
{
    if (!m_client)
        return;
    m_client->write(bytes);
    m_client->flush();
}

void LoopbackPeer::dropClient()
{
    if (m_client) {
        m_client->disconnectFromHost();
        m_client->deleteLater();
        m_client = nullptr;
    }
}

void LoopbackPeer::shutDown()
{
    dropClient();
    m_server.close();
}

void LoopbackPeer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        if (m_client)
            m_client->deleteLater();
        m_client = socket;
        ++m_connections;
        connect(socket, &QTcpSocket::readyRead, this,
                [this, socket] { m_received.append(socket->readAll()); });
    }
}
