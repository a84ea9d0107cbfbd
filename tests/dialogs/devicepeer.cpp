#include "devicepeer.h"

#include <QHostAddress>

DevicePeer::DevicePeer(QObject *parent) : QObject(parent)
{
    m_control.listen(QHostAddress::LocalHost, 0);
    m_upload.listen(QHostAddress::LocalHost, 0);
    connect(&m_control, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_control.nextPendingConnection()) {
            m_controlClient = socket;
            connect(socket, &QTcpSocket::readyRead, this, &DevicePeer::readControl);
        }
    });
    connect(&m_upload, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_upload.nextPendingConnection()) {
            m_uploadClient = socket;
            connect(socket, &QTcpSocket::readyRead, this, &DevicePeer::readUpload);
        }
    });
}

QStringList DevicePeer::commands() const
{
    QStringList out;
    int from = 0;
    while (true) {
        const int open = m_controlBytes.indexOf('{', from);
        const int close = m_controlBytes.indexOf('}', open + 1);
        if (open < 0 || close < 0)
            break;
        out << QString::fromUtf8(m_controlBytes.mid(open, close - open + 1));
        from = close + 1;
    }
    return out;
}

void DevicePeer::clear()
{
    m_controlBytes.clear();
    m_uploaded.clear();
    m_packets = 0;
}

void DevicePeer::readControl()
{
    const QByteArray bytes = m_controlClient->readAll();
    m_controlBytes += bytes;
    if (bytes.contains("{param=Done}") && m_uploadClient) {
        m_uploadClient->write("<ACK_1>\r\n");
        m_uploadClient->flush();
    }
}

void DevicePeer::readUpload()
{
    m_uploaded += m_uploadClient->readAll();
    ++m_packets;
    m_uploadClient->write("OK\r\n");
    m_uploadClient->flush();
}
