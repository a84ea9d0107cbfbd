#include "messagedistance.h"

#include "protocollog.h"

#include <QDebug>
#include <QMutexLocker>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

namespace {

// What the log shows of received bytes: up to the first zero byte, without CR LF pairs.
QString loggableText(const QByteArray &bytes)
{
    const int zero = bytes.indexOf('\0');
    QString text = QString::fromUtf8(bytes.constData(), zero < 0 ? bytes.size() : zero);
    if (bytes.contains('\r'))
        text.remove(QStringLiteral("\r\n"));
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
    connect(m_controlSocket.get(), &QTcpSocket::readyRead, this,
            [this] { receiveDataSlot(m_controlSocket->readAll()); });

    m_reconnectTimer = new QTimer(this);
    m_reconnectTimer->setInterval(2000);
    connect(m_reconnectTimer, &QTimer::timeout, this, &MessageDistance::onReconnectTimeout);

    connect(m_uploadSocket.get(), &QTcpSocket::stateChanged, this,
            &MessageDistance::onUploadStateChanged);
    connect(m_uploadSocket.get(), &QTcpSocket::readyRead, this,
            &MessageDistance::onUploadReadyRead);
    connect(m_controlSocket.get(), &QTcpSocket::stateChanged, this,
            &MessageDistance::onControlStateChanged);

    m_closeUploadTimer = new QTimer(this);
    connect(m_closeUploadTimer, &QTimer::timeout, this, &MessageDistance::onCloseUploadTimeout);
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
        QMutexLocker lock(&m_bufferLock);
        m_processor.clearMessages();
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

void MessageDistance::sendCommand(const QString &text)
{
    if (text.contains(QLatin1String("param=Done"))) {
        qDebug() << "Ready To close osdUpdate";
        emit si_osdUploadFinish();
        m_doneSent = true;
        m_closeUploadTimer->start(1000);
    }
    m_controlSocket->write(text.toUtf8());
    qDebug().noquote() << "send:" << text;
    m_controlSocket->flush();
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
        emit connectSuccessFulSig();
        break;
    case QAbstractSocket::UnconnectedState:
    case QAbstractSocket::ClosingState:
        emit connectFailureSig();
        if (!m_reconnectTimer->isActive())
            m_reconnectTimer->start();
        break;
    }
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

void MessageDistance::receiveDataSlot(const QByteArray &chunk)
{
    const QString text = loggableText(chunk);
    QMutexLocker lock(&m_bufferLock);
    PROTOCOL_LOG(QStringLiteral("TCP Receive ") + text);
    m_processor.appendMessageBytes(chunk);
    {
        QMutexLocker rawLock(&m_rawTextLock);
        m_processor.appendRawText(chunk);
    }
    m_newBytes = true;
    m_bytesArrived.wakeOne();
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
            lock.unlock();
            if (!more || m_pending.size() >= 128)
                postPending();
            lock.relock();
            if (m_stop)
                return;
        }
    }
}

// Results cross to this object's thread in one queued call per burst and are logged and emitted
// there, in their order. Waking the receiving thread once per burst rather than once per report
// is what keeps a burst cheap, and no receiver can ever be called on the parse thread.
void MessageDistance::postPending()
{
    if (m_pending.isEmpty())
        return;
    QVector<PendingResult> batch;
    batch.swap(m_pending);
    QMetaObject::invokeMethod(
        this, [this, batch] { deliver(batch); }, Qt::QueuedConnection);
}

void MessageDistance::deliver(const QVector<PendingResult> &batch)
{
    for (const PendingResult &r : batch) {
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
