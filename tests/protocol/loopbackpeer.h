#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

/// Stands in for the device in tests: listens on 127.0.0.1 (port 0 unless given), keeps the
/// latest connection and collects what arrives on it.
class LoopbackPeer : public QObject
{
    Q_OBJECT

public:
    explicit LoopbackPeer(quint16 port = 0, QObject *parent = nullptr);

    bool isListening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    /// Connections accepted so far.
    int connectionCount() const { return m_connections; }
    bool hasClient() const { return m_client && m_client->state() == QTcpSocket::ConnectedState; }
    QByteArray received() const { return m_received; }
    void clearReceived() { m_received.clear(); }
    void send(const QByteArray &bytes);
    /// Closes the current connection from the device's side.
    void dropClient();
    /// Closes the client and stops listening.
    void shutDown();

private:
    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QByteArray m_received;
    int m_connections = 0;
};
