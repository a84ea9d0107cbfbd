// The upload channel: files travel in 500-byte packets on a second socket, each further packet
// going out when the device answers the previous one. A transfer that stalls, loses its link or
// is not acknowledged is given up whole: nothing of it is carried into the next one, and the
// device is never told that a half file is complete.
#include "messagedistance.h"

#include <QDebug>
#include <QTcpSocket>
#include <QTimer>

#include <utility>

namespace {
constexpr int PacketSize = 500;

QString lostFileText(const QString &names, const QString &reason)
{
    return MessageDistance::tr("文件“%1”未能传到设备（%2），请重新上传。").arg(names, reason);
}
} // namespace

void MessageDistance::openUploadSocket(bool open)
{
    // A new link, or none, ends whatever ran on the old one: a half-sent file is never resumed.
    failTransfers(tr("传输连接已断开"));
    closeUploadSocket();
    if (open) {
        m_uploadSocket->connectToHost(m_host, m_uploadPort);
        if (!m_uploadSocket->waitForConnected(2000)) {
            // A refusal comes at once, a silent host only after the wait: say which.
            qDebug().noquote() << QStringLiteral("Upload link to %1:%2 not opened: %3")
                                      .arg(m_host)
                                      .arg(m_uploadPort)
                                      .arg(m_uploadSocket->error() ==
                                                   QAbstractSocket::SocketTimeoutError
                                               ? QStringLiteral("no answer within 2 s")
                                               : m_uploadSocket->errorString());
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

int MessageDistance::uploadQueueSize() const
{
    int items = 0;
    for (int i = 0; i < m_transfers.size(); ++i) {
        const UploadTransfer &t = m_transfers.at(i);
        items += t.itemsLeft();
        if (i > 0 && !t.startCommand.isEmpty())
            ++items;
    }
    return items;
}

void MessageDistance::uploadFile(const QString &startCommand, const QByteArray &data,
                                 const QString &endCommand, const QString &what)
{
    const QString name = what.isEmpty() ? startCommand : what;
    if (!isUploadConnected()) {
        m_uploadSocket->abort();
        reportError(tr("NetWork Error"), tr("传输文件端口连接发生错误！"));
        emit si_uploadFailed(name);
        return;
    }
    UploadTransfer transfer;
    transfer.what = name;
    transfer.startCommand = startCommand;
    transfer.endCommand = endCommand;
    for (int from = 0; from < data.size(); from += PacketSize)
        transfer.packets.append(data.mid(from, PacketSize));
    m_transfers.append(transfer);
    // Another transfer is running: this one starts once the device acknowledged that one.
    if (m_transfers.size() == 1)
        beginTransfer();
}

void MessageDistance::abandonUpload()
{
    if (!m_transfers.isEmpty())
        qDebug() << "upload of" << m_transfers.first().what << "abandoned after"
                 << m_transfers.first().answered << "of" << m_transfers.first().packets.size()
                 << "packets";
    m_transfers.clear();
    stopAnswerTimer();
    closeUploadSocket();
}

void MessageDistance::beginTransfer()
{
    UploadTransfer &t = m_transfers.first();
    // Without its start command the device would take the packets for nothing it expects.
    if (!t.startCommand.isEmpty() && !sendCommand(t.startCommand)) {
        failTransfers(tr("与设备的控制连接已断开"));
        return;
    }
    if (t.packets.isEmpty())
        sendEndCommand();
    else
        sendNextPacket();
}

void MessageDistance::sendNextPacket()
{
    if (!isUploadConnected()) {
        failTransfers(tr("传输连接已断开"));
        return;
    }
    UploadTransfer &t = m_transfers.first();
    const qint64 written = m_uploadSocket->write(t.packets.at(t.sent));
    m_uploadSocket->flush();
    qDebug() << "OsdUpdateTcpSocket Send byte len:" << written;
    const bool further = t.sent > 0;
    ++t.sent;
    const int itemsLeft = t.itemsLeft();
    startAnswerTimer();
    if (further)
        emit si_updateProgressVal(itemsLeft);
}

// Only once every packet was answered: the end command tells the device the file is whole.
void MessageDistance::sendEndCommand()
{
    UploadTransfer &t = m_transfers.first();
    if (t.endCommand.isEmpty()) {
        finishTransfer();
        return;
    }
    qDebug() << "Ready To close osdUpdate";
    t.endSent = true;
    startAnswerTimer();
    if (!sendCommand(t.endCommand))
        failTransfers(tr("与设备的控制连接已断开"));
}

void MessageDistance::finishTransfer()
{
    stopAnswerTimer();
    const UploadTransfer done = m_transfers.takeFirst();
    qDebug() << "upload of" << done.what << "finished," << done.packets.size() << "packets";
    if (!m_transfers.isEmpty())
        beginTransfer();
    else
        closeUploadSocket();
    emit si_uploadFinished();
}

void MessageDistance::failTransfers(const QString &reason)
{
    if (m_transfers.isEmpty())
        return;
    const QVector<UploadTransfer> lost = std::exchange(m_transfers, {});
    stopAnswerTimer();
    closeUploadSocket();
    QStringList names;
    for (const UploadTransfer &t : lost)
        names << t.what;
    qDebug().noquote() << QStringLiteral("upload of %1 given up: %2 (%3 of %4 packets answered)")
                              .arg(names.join(QStringLiteral(", ")), reason)
                              .arg(lost.first().answered)
                              .arg(lost.first().packets.size());
    reportError(tr("NetWork Error"), lostFileText(names.join(QStringLiteral(", ")), reason));
    for (const QString &name : qAsConst(names))
        emit si_uploadFailed(name);
}

void MessageDistance::startAnswerTimer()
{
    if (!m_answerTimer) {
        m_answerTimer = new QTimer(this);
        m_answerTimer->setSingleShot(true);
        connect(m_answerTimer, &QTimer::timeout, this, &MessageDistance::onAnswerTimeout);
    }
    m_answerTimer->start(m_answerTimeoutMs);
}

void MessageDistance::stopAnswerTimer()
{
    if (m_answerTimer)
        m_answerTimer->stop();
}

void MessageDistance::onAnswerTimeout()
{
    if (m_transfers.isEmpty())
        return;
    failTransfers(m_transfers.first().endSent ? tr("设备没有确认文件") : tr("设备没有应答"));
}

void MessageDistance::startUploadCloseRetry(bool on)
{
    m_closeRetryCount = 3;
    if (on)
        m_closeRetryTimer->start();
    else
        m_closeRetryTimer->stop();
}

void MessageDistance::onUploadReadyRead()
{
    const QByteArray answer = m_uploadSocket->readAll();
    const int zero = answer.indexOf('\0');
    const QString text = QString::fromUtf8(answer.constData(), zero < 0 ? answer.size() : zero);
    qDebug().noquote() << "OsdUploadSocket receive:" << text;

    if (m_transfers.isEmpty())
        return;
    UploadTransfer &t = m_transfers.first();
    if (t.endSent) {
        if (text.contains(QLatin1String("<ACK_1>\r\n")))
            finishTransfer();
        else
            failTransfers(tr("设备没有确认文件"));
        return;
    }
    // Before the end command any answer is the go-ahead for the next packet.
    t.answered = t.sent;
    if (t.answered < t.packets.size())
        sendNextPacket();
    else
        sendEndCommand();
}

void MessageDistance::onUploadStateChanged(QAbstractSocket::SocketState state)
{
    if (state == QAbstractSocket::UnconnectedState || state == QAbstractSocket::ClosingState) {
        failTransfers(tr("传输连接已断开"));
        m_uploadSocket->abort();
        emit si_setDisableUiObject(false);
    }
}

// The device's HTTP-style notice on the control link acknowledges the end of a transfer as
// well as "<ACK_1>" on the upload link does; whichever comes first counts.
void MessageDistance::onRequestCloseOsdSocket()
{
    if (m_transfers.isEmpty() || !m_transfers.first().endSent)
        return;
    finishTransfer();
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
