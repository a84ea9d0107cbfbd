// The upload channel: files travel in 500-byte packets on a second socket, each further packet
// going out when the device answers the previous one.
#include "messagedistance.h"

#include <QDebug>
#include <QTcpSocket>
#include <QTimer>

namespace {
constexpr int PacketSize = 500;
}

void MessageDistance::openUploadSocket(bool open)
{
    closeUploadSocket();
    if (open) {
        // A fresh link: an acknowledgement still awaited on the old one can no longer come
        // (the control link's HTTP notice may have closed it first), and the pending close
        // of the last transfer must not cut the new one.
        m_expectAck = false;
        m_doneSent = false;
        m_closeUploadTimer->stop();
        m_uploadSocket->connectToHost(m_host, m_uploadPort);
        if (!m_uploadSocket->waitForConnected(2000)) {
            qDebug() << "Failed to connect to Uploading host within timeout";
            closeUploadSocket();
        }
    }
    qDebug().noquote() << QStringLiteral("OsdUpdateTcpSocket is Open: ") +
                              (m_uploadSocket->isOpen() ? QStringLiteral("true")
                                                        : QStringLiteral("false"));
}

// abort() leaves a socket that never connected, or was dropped by the device, open as a device;
// closing it as well makes isUploadOpen() tell the truth.
void MessageDistance::closeUploadSocket()
{
    m_uploadSocket->abort();
    if (m_uploadSocket->isOpen())
        m_uploadSocket->close();
}

bool MessageDistance::isUploadConnected() const
{
    return m_uploadSocket->state() == QAbstractSocket::ConnectedState;
}

bool MessageDistance::isUploadOpen() const
{
    return m_uploadSocket->isOpen();
}

void MessageDistance::uploadFile(const QString &startCommand, const QByteArray &data,
                                 const QString &endCommand)
{
    if (!isUploadConnected()) {
        m_uploadSocket->abort();
        reportError(tr("NetWork Error"), tr("传输文件端口连接发生错误！"));
        m_uploadQueue.clear();
        m_uploadBusy = false;
        return;
    }
    int from = 0;
    if (!m_uploadBusy) {
        if (!startCommand.isEmpty())
            sendCommand(startCommand);
        if (!data.isEmpty()) {
            from = qMin(PacketSize, data.size());
            m_uploadSocket->write(data.constData(), from);
            const bool flushed = m_uploadSocket->flush();
            qDebug() << "osdUpdateTcpSocket Send byte len" << flushed;
            m_uploadBusy = true;
        }
    } else if (!startCommand.isEmpty()) {
        // Another transfer is running: this one waits behind it, start command and all.
        m_uploadQueue.append(UploadItem{startCommand, QByteArray()});
    }
    for (; from < data.size(); from += PacketSize)
        m_uploadQueue.append(UploadItem{QString(), data.mid(from, PacketSize)});
    if (!endCommand.isEmpty())
        m_uploadQueue.append(UploadItem{endCommand, QByteArray()});
}

void MessageDistance::startUploadCloseRetry(bool on)
{
    m_closeRetryCount = 3;
    if (on)
        m_closeRetryTimer->start(1000);
    else
        m_closeRetryTimer->stop();
}

void MessageDistance::sendDone()
{
    if (isConnected()) {
        const QString done = QStringLiteral("{param=Done}");
        qDebug().noquote() << "send" << done;
        m_controlSocket->write(done.toUtf8());
        m_controlSocket->flush();
    } else if (m_controlSocket->state() == QAbstractSocket::UnconnectedState) {
        // The control link is down: try it again where it lives, not on the upload port.
        m_controlSocket->connectToHost(m_host, m_port, QIODevice::ReadWrite,
                                       QAbstractSocket::AnyIPProtocol);
    }
}

void MessageDistance::onUploadReadyRead()
{
    const QByteArray answer = m_uploadSocket->readAll();
    const int zero = answer.indexOf('\0');
    const QString text = QString::fromUtf8(answer.constData(), zero < 0 ? answer.size() : zero);
    qDebug().noquote() << "OsdUploadSocket receive:" << text;

    if (m_expectAck) {
        if (!text.contains(QLatin1String("<ACK_1>\r\n"))) {
            failTransfer();
            return;
        }
        m_expectAck = false;
    }
    if (m_uploadQueue.isEmpty()) {
        m_uploadBusy = false;
        return;
    }
    while (m_uploadQueue.first().isCommand()) {
        const QString command = m_uploadQueue.takeFirst().command;
        sendCommand(command);
        if (command.contains(QLatin1String("Done")))
            m_expectAck = true;
        if (m_uploadQueue.isEmpty()) {
            m_uploadBusy = false;
            return;
        }
    }
    if (!isUploadConnected()) {
        qDebug() << "upload fail! osd upload socket connect fail!";
        m_uploadSocket->abort();
        return;
    }
    const QByteArray packet = m_uploadQueue.takeFirst().data;
    const qint64 written = m_uploadSocket->write(packet);
    m_uploadSocket->flush();
    qDebug() << "OsdUpdateTcpSocket Send byte len:" << written;
    emit si_updateProgressVal(m_uploadQueue.size());
    m_uploadBusy = true;
}

void MessageDistance::onUploadStateChanged(QAbstractSocket::SocketState state)
{
    if (state == QAbstractSocket::ConnectedState) {
        if (!m_uploadQueue.isEmpty())
            sendUploadItem(m_uploadQueue.takeFirst());
    } else if (state == QAbstractSocket::UnconnectedState ||
               state == QAbstractSocket::ClosingState) {
        m_uploadSocket->abort();
        emit si_setDisableUiObject(false);
    }
}

void MessageDistance::sendUploadItem(const UploadItem &item)
{
    if (item.isCommand()) {
        sendCommand(item.command);
    } else {
        m_uploadSocket->write(item.data);
        m_uploadSocket->flush();
    }
}

void MessageDistance::failTransfer()
{
    reportError(tr("NetWork Error"), tr("传输文件过程网络发生错误！请重新上传"));
    sendDone();
    m_uploadSocket->abort();
    m_uploadQueue.clear();
    m_uploadBusy = false;
    m_expectAck = false;
}

void MessageDistance::onRequestCloseOsdSocket()
{
    if (!m_doneSent)
        return;
    m_doneSent = false;
    openUploadSocket(false);
    m_closeUploadTimer->stop();
}

void MessageDistance::onCloseUploadTimeout()
{
    if (m_doneSent) {
        m_doneSent = false;
        openUploadSocket(false);
    }
    m_closeUploadTimer->stop();
}

void MessageDistance::onCloseRetryTimeout()
{
    openUploadSocket(false);
    if (--m_closeRetryCount < 1)
        m_closeRetryTimer->stop();
}

void MessageDistance::reportError(const QString &title, const QString &text)
{
    if (m_errorReporter)
        m_errorReporter(title, text);
    else
        qDebug().noquote() << title + QStringLiteral(": ") + text;
}
