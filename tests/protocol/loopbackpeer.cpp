#include "loopbackpeer.h"

LoopbackPeer::LoopbackPeer(quint16 port, QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            if (m_client)
                m_client->deleteLater();
            m_client = socket;
            ++m_connections;
            connect(socket, &QTcpSocket::readyRead, this,
                    [this, socket] { m_received.append(socket->readAll()); });
        }
    });
    m_server.listen(QHostAddress::LocalHost, port);
}

void LoopbackPeer::send(const QByteArray &bytes)
{
    if (m_client)
        m_client->write(bytes), m_client->flush();
}

void LoopbackPeer::dropClient()
{
    if (m_client) {
        m_client->disconnectFromHost();
        m_client->deleteLater();
        m_client = nullptr;
    }
}
