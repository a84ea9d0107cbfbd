#include "messagedistance.h"

#include "protocollog.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace {

// Qt reads at most this much from the control socket ahead of the parse thread; beyond it the
// device is held back by the link itself.
constexpr qint64 ReadBufferSize = 64 * 1024;
// Reading stops while this many received bytes wait for the parse thread. It is above the
// largest message the scanner collects, so one message can always complete.
constexpr int MaxReceiveBacklog = 2 * MessageScanner::MaxMessageSize;
// The parse thread waits while this many results wait for their receivers.
constexpr int MaxUndelivered = 2048;
// Results are delivered in slices of about this many milliseconds, with the event loop
// (painting, the operator's input) in between.
constexpr qint64 DeliverySliceMs = 20;
// What the log shows of one received chunk.
constexpr int MaxLoggedChunk = 8192;

// What the log shows of received bytes: up to the first zero byte, without CR LF pairs.
QString loggableText(const QByteArray &bytes)
{
    const int zero = bytes.indexOf('\0');
    const int shown = std::min(zero < 0 ? int(bytes.size()) : zero, MaxLoggedChunk);
    QString text = QString::fromUtf8(bytes.constData(), shown);
    if (bytes.contains('\r'))
        text.remove(QStringLiteral("\r\n"));
    if (shown < bytes.size() && zero != shown)
        text += QStringLiteral(" ... (%1 bytes in all)").arg(bytes.size());
    return text;
}

} // namespace

MessageDistance *MessageDistance::instance()
{
    static QMutex mutex;
    static MessageDistance *client = nullptr;
    QMutexLocker lock(&mutex);
    if (!client)
        client = new MessageDistance;
    return client;
}

MessageDistance::MessageDistance(QObject *parent)
    : QThread(parent), m_processor(this), m_controlSocket(std::make_unique<QTcpSocket>()),
      m_uploadSocket(std::make_unique<QTcpSocket>())
{
    m_controlSocket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    m_controlSocket->setReadBufferSize(ReadBufferSize);
    connect(m_controlSocket.get(), &QTcpSocket::readyRead, this, &MessageDistance::readControl);

    m_reconnectTimer = new QTimer(this);
    m_reconnectTimer->setInterval(2000);
    connect(m_reconnectTimer, &QTimer::timeout, this, &MessageDistance::onReconnectTimeout);

    connect(m_uploadSocket.get(), &QTcpSocket::stateChanged, this,
            &MessageDistance::onUploadStateChanged);
    connect(m_uploadSocket.get(), &QTcpSocket::readyRead, this,
            &MessageDistance::onUploadReadyRead);
    connect(m_controlSocket.get(), &QTcpSocket::stateChanged, this,
            &MessageDistance::onControlStateChanged);

    m_closeRetryTimer = new QTimer(this);
    m_closeRetryTimer->setInterval(1000);
    connect(m_closeRetryTimer, &QTimer::timeout, this, &MessageDistance::onCloseRetryTimeout);
    // Queued: the upload socket is closed from the event loop, after the rest of the burst that
    // carried the acknowledgement has been delivered.
    connect(this, &MessageDistance::si_requestCloseOsdSocket, this,
            &MessageDistance::onRequestCloseOsdSocket, Qt::QueuedConnection);

    start();
}

MessageDistance::~MessageDistance()
{
    {
        QMutexLocker lock(&m_bufferLock);
        m_stop = true;
        m_bytesArrived.wakeAll();
    }
    {
        QMutexLocker lock(&m_deliveryLock);
        m_deliveryRoom.wakeAll();
    }
    wait();
    // The sockets outlive this body; their last state changes must not reach a dying object.
    m_controlSocket->disconnect(this);
    m_uploadSocket->disconnect(this);
    m_controlSocket->abort();
    m_uploadSocket->abort();
}

void MessageDistance::setErrorReporter(ErrorReporter reporter)
{
    m_errorReporter = std::move(reporter);
}

void MessageDistance::connectToDevice(const QString &host, quint16 port)
{
    m_host = host;
    m_port = port;
    m_controlSocket->abort();
    m_uploadSocket->abort();
    {
        // Another device, or the same one anew: nothing received so far belongs to what comes.
        QMutexLocker lock(&m_bufferLock);
        m_processor.clearMessages();
        QMutexLocker rawLock(&m_rawTextLock);
        m_processor.clearRawText();
        m_readPaused = false;
    }
    m_controlSocket->setProxy(QNetworkProxy::NoProxy);
    m_controlSocket->connectToHost(host, port, QIODevice::ReadWrite,
                                   QAbstractSocket::AnyIPProtocol);
    m_uploadSocket->setProxy(QNetworkProxy::NoProxy);
}

void MessageDistance::closeConnections()
{
    m_controlSocket->close();
    m_uploadSocket->close();
}

bool MessageDistance::isConnected() const
{
    return m_controlSocket->state() == QAbstractSocket::ConnectedState;
}

bool MessageDistance::sendCommand(const QString &text)
{
    // Nothing is queued for later: a route replayed minutes afterwards onto a live wall would
    // be worse than none.
    if (!isConnected()) {
        qDebug().noquote() << "not sent (disconnected):" << text;
        emit si_commandNotSent(text);
        return false;
    }
    m_controlSocket->write(text.toUtf8());
    qDebug().noquote() << "send:" << text;
    m_controlSocket->flush();
    emit commandSent(text);
    return true;
}

void MessageDistance::onControlStateChanged(QAbstractSocket::SocketState state)
{
    switch (state) {
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState:
    case QAbstractSocket::BoundState:
    case QAbstractSocket::ListeningState:
        emit connectingSig();
        break;
    case QAbstractSocket::ConnectedState:
        // The option only reaches the system once a socket exists, so it is set again here.
        m_controlSocket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
        m_reconnectTimer->stop();
        {
            // A report the old link cut off would swallow the first answer on this one.
            QMutexLocker lock(&m_bufferLock);
            m_processor.startNewStream();
            QMutexLocker rawLock(&m_rawTextLock);
            // What the old link left complete is still worked off; the parse thread resumes
            // reading once it has, as after any pause.
            m_readPaused = m_processor.pendingMessageBytes() + m_processor.pendingRawBytes() >=
                           MaxReceiveBacklog;
        }
        m_linkUp = true;
        qDebug().noquote() << QStringLiteral("control link up: %1:%2").arg(m_host).arg(m_port);
        emit connectSuccessFulSig();
        break;
    case QAbstractSocket::UnconnectedState:
    case QAbstractSocket::ClosingState:
        if (m_linkUp) {
            m_linkUp = false;
            qDebug().noquote()
                << QStringLiteral("control link down: %1:%2").arg(m_host).arg(m_port);
        }
        emit connectFailureSig();
        if (!m_reconnectTimer->isActive())
            m_reconnectTimer->start();
        break;
    }
}

void MessageDistance::setReconnectInterval(int ms)
{
    m_reconnectTimer->setInterval(ms);
}

void MessageDistance::setCloseRetryInterval(int ms)
{
    m_closeRetryTimer->setInterval(ms);
}

void MessageDistance::onReconnectTimeout()
{
    if (m_controlSocket->state() != QAbstractSocket::ConnectedState) {
        m_controlSocket->abort();
        m_controlSocket->connectToHost(m_host, m_port, QIODevice::ReadWrite,
                                       QAbstractSocket::AnyIPProtocol);
    }
    emit connectingSig();
}

// Read in pieces no larger than the socket's buffer, so the pause takes effect within one piece.
void MessageDistance::readControl()
{
    while (m_controlSocket->bytesAvailable() > 0) {
        {
            QMutexLocker lock(&m_bufferLock);
            if (m_readPaused)
                return;
        }
        receiveDataSlot(m_controlSocket->read(ReadBufferSize));
    }
}

void MessageDistance::resumeReading()
{
    {
        QMutexLocker lock(&m_bufferLock);
        m_resumePosted = false;
        m_readPaused = false;
    }
    readControl();
}

int MessageDistance::receiveBacklog()
{
    QMutexLocker lock(&m_bufferLock);
    QMutexLocker rawLock(&m_rawTextLock);
    return m_processor.pendingMessageBytes() + m_processor.pendingRawBytes();
}

int MessageDistance::undeliveredResults()
{
    QMutexLocker lock(&m_deliveryLock);
    return m_delivery.size() - m_deliveryHead;
}

void MessageDistance::receiveDataSlot(const QByteArray &chunk)
{
    const QString text = loggableText(chunk);
    {
        QMutexLocker lock(&m_bufferLock);
        PROTOCOL_LOG(QStringLiteral("TCP Receive ") + text);
        m_processor.appendMessageBytes(chunk);
        {
            QMutexLocker rawLock(&m_rawTextLock);
            m_processor.appendRawText(chunk);
            // Far behind: leave the rest in the socket (and the device waiting) until the parse
            // thread has caught up.
            if (m_processor.pendingMessageBytes() + m_processor.pendingRawBytes() >=
                MaxReceiveBacklog)
                m_readPaused = true;
        }
        m_newBytes = true;
        m_bytesArrived.wakeOne();
    }
    // Outside the locks: a receiver never holds up the parse thread.
    emit chunkReceived(chunk);
}

// The parse thread sleeps until bytes arrive. Each cycle starts with the raw-text pass and then
// takes one message; the lock is let go between messages so the receiving side is never held
// up by a long burst.
void MessageDistance::run()
{
    QMutexLocker lock(&m_bufferLock);
    for (;;) {
        while (!m_stop && !m_newBytes)
            m_bytesArrived.wait(&m_bufferLock);
        if (m_stop)
            return;
        m_newBytes = false;
        bool more = true;
        while (more) {
            {
                QMutexLocker rawLock(&m_rawTextLock);
                m_processor.runRawTextPass();
            }
            more = m_processor.dispatchNextMessage();
            // Caught up: everything left is one unfinished message, below the ceiling.
            if (!more && m_readPaused && !m_resumePosted) {
                m_resumePosted = true;
                QMetaObject::invokeMethod(this, &MessageDistance::resumeReading,
                                          Qt::QueuedConnection);
            }
            lock.unlock();
            if (!more || m_pending.size() >= 128)
                postPending();
            lock.relock();
            if (m_stop)
                return;
        }
    }
}

// Results cross to this object's thread through one queue and are logged and emitted there, in
// their order. One queued call drains many results, which is what keeps a burst cheap, and no
// receiver can ever be called on the parse thread. The queue is bounded: while it is full the
// parse thread waits, its receive buffer fills and reading stops, so the device is held back
// instead of memory growing.
void MessageDistance::postPending()
{
    if (m_pending.isEmpty())
        return;
    QMutexLocker lock(&m_deliveryLock);
    while (!m_stop && m_delivery.size() - m_deliveryHead >= MaxUndelivered) {
        m_parseWaiting = true;
        m_deliveryRoom.wait(&m_deliveryLock);
        m_parseWaiting = false;
    }
    m_delivery += m_pending;
    m_pending.clear();
    if (!m_deliveryPosted) {
        m_deliveryPosted = true;
        QMetaObject::invokeMethod(this, &MessageDistance::deliverSome, Qt::QueuedConnection);
    }
}

// Results are taken one at a time, so a receiver that runs a nested event loop (a modal
// message) sees the ones after it delivered by the next call, still in order. A slice ends
// after a few milliseconds so the window keeps painting and answering during a flood.
void MessageDistance::deliverSome()
{
    QElapsedTimer slice;
    slice.start();
    {
        QMutexLocker lock(&m_deliveryLock);
        m_deliveryPosted = false;
    }
    for (;;) {
        PendingResult result;
        {
            QMutexLocker lock(&m_deliveryLock);
            if (m_deliveryHead == m_delivery.size())
                return;
            result = std::move(m_delivery[m_deliveryHead++]);
            if (m_deliveryHead == m_delivery.size()) {
                m_delivery.clear();
                m_deliveryHead = 0;
            } else if (m_deliveryHead >= 1024 && m_deliveryHead * 2 >= m_delivery.size()) {
                m_delivery.remove(0, m_deliveryHead);
                m_deliveryHead = 0;
            }
            if (m_parseWaiting && m_delivery.size() - m_deliveryHead < MaxUndelivered / 2)
                m_deliveryRoom.wakeAll();
            if (!m_deliveryPosted && m_deliveryHead < m_delivery.size()) {
                m_deliveryPosted = true;
                QMetaObject::invokeMethod(this, &MessageDistance::deliverSome,
                                          Qt::QueuedConnection);
            }
        }
        deliverOne(result);
        if (slice.elapsed() >= DeliverySliceMs)
            return;
    }
}

void MessageDistance::deliverOne(const PendingResult &r)
{
    switch (r.type) {
    case PendingResult::Report:
        emitReport(ReplyDispatch::ReportKind(r.kind), r.object);
        break;
    case PendingResult::Dhcp:
        emit si_SetDhcpSwitch(r.kind != 0);
        break;
    case PendingResult::Forward:
        emit si_ForwardAnalysis(r.text);
        break;
    case PendingResult::Http:
        emit si_http200Analysis();
        emit si_requestCloseOsdSocket();
        break;
    case PendingResult::Log:
        PROTOCOL_LOG(r.text);
        break;
    }
}

void MessageDistance::report(ReplyDispatch::ReportKind kind, const QJsonObject &object)
{
    m_pending.append(PendingResult{PendingResult::Report, kind, object, QString()});
}

void MessageDistance::dhcpSwitch(bool on)
{
    m_pending.append(PendingResult{PendingResult::Dhcp, on ? 1 : 0, QJsonObject(), QString()});
}

void MessageDistance::forwardText(const QString &text)
{
    m_pending.append(PendingResult{PendingResult::Forward, 0, QJsonObject(), text});
}

void MessageDistance::httpAcknowledged()
{
    m_pending.append(PendingResult{PendingResult::Http, 0, QJsonObject(), QString()});
}

void MessageDistance::log(const QString &line)
{
    m_pending.append(PendingResult{PendingResult::Log, 0, QJsonObject(), line});
}

void MessageDistance::emitReport(ReplyDispatch::ReportKind kind, const QJsonObject &object)
{
    emit reportDispatched(kind, object);
    switch (kind) {
    case ReplyDispatch::ChangedByOthers:
        emit receiveChangedByOthersSig(object);
        break;
    case ReplyDispatch::Version:
        emit receiveVersionSig(object);
        break;
    case ReplyDispatch::VideoAudioIrMap:
        emit receiveVideoAudioIRMapSig(object);
        break;
    case ReplyDispatch::WindowStatus:
        emit receiveWindowStatusSig(object);
        break;
    case ReplyDispatch::InputChannelState:
        emit receiveInputChannelStateSig(object);
        break;
    case ReplyDispatch::NetWorkInformation:
        emit receiveNetWorkImforamtionSig(object);
        break;
    case ReplyDispatch::InOutChannelResolutionMap:
        emit receiveInOutChannelResolutionMapSig(object);
        break;
    case ReplyDispatch::OutputInfo:
        emit receiveOutputInfoSig(object);
        break;
    case ReplyDispatch::BindInfo:
        emit receiveBindInfoSig(object);
        break;
    case ReplyDispatch::VolumeInformation:
        emit receiveVolumnImformationSig(object);
        break;
    case ReplyDispatch::TitleInformation:
        emit receiveTitleImfSig(object);
        break;
    case ReplyDispatch::RotateAngle:
        emit receiveRotateAngleSig(object);
        break;
    case ReplyDispatch::HdcpInfo:
        emit receiveHDCPInfoSig(object);
        break;
    case ReplyDispatch::ReportKindCount:
        break;
    }
}
