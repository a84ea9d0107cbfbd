#pragma once

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

/// Stands in for the device: listens on 127.0.0.1 and collects what the latest connection sends.
class LoopbackPeer : public QObject
{
    Q_OBJECT

public:
    explicit LoopbackPeer(quint16 port = 0, QObject *parent = nullptr);

    quint16 port() const { return m_server.serverPort(); }
    int connectionCount() const { return m_connections; }
    bool hasClient() const { return m_client && m_client->state() == QTcpSocket::ConnectedState; }
    QByteArray received() const { return m_received; }
    void clearReceived() { m_received.clear(); }
    void send(const QByteArray &bytes);
    void dropClient();
    void shutDown() { dropClient(), m_server.close(); }

private:
    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QByteArray m_received;
    int m_connections = 0;
};
