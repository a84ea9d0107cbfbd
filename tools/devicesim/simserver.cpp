#include "simserver.h"

#include "simreports.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <cstdio>

namespace {

constexpr int PacketSize = 500;
// A packet shorter than 500 bytes is the last of its file; it is answered once no more bytes
// follow for this long.
constexpr int QuietMs = 30;
constexpr int MaxLoggedBytes = 512;

// Log text of bytes a client sent: control characters escaped, long runs cut.
QString printable(const QByteArray &bytes)
{
    QString out;
    const QString text = QString::fromUtf8(bytes.left(MaxLoggedBytes));
    for (const QChar ch : text) {
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7f)
            out += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += ch;
    }
    if (bytes.size() > MaxLoggedBytes)
        out += QStringLiteral("...(%1 bytes)").arg(bytes.size());
    return out;
}

QString peer(const QTcpSocket *socket)
{
    return QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
}

} // namespace

SimServer::SimServer(const SimOptions &options, QObject *parent)
    : QObject(parent), m_options(options), m_model(options.type, options.listen.toString()),
      m_random(options.seeded ? options.seed : QRandomGenerator::global()->generate()),
      m_controlServer(new QTcpServer(this)), m_uploadServer(new QTcpServer(this))
{
    connect(m_controlServer, &QTcpServer::newConnection, this, &SimServer::acceptControl);
    connect(m_uploadServer, &QTcpServer::newConnection, this, &SimServer::acceptUpload);
    connect(&m_dropTimer, &QTimer::timeout, this, [this] {
        log(QStringLiteral("fault: dropping every link"));
        dropAllLinks();
    });
    m_liveTimer.setSingleShot(true);
    connect(&m_liveTimer, &QTimer::timeout, this, &SimServer::liveStep);
}

SimServer::~SimServer()
{
    // The sockets outlive this object's members by a moment; they must not call back.
    for (ControlClient *client : qAsConst(m_controls)) {
        if (client->socket)
            client->socket->disconnect(this);
    }
    for (UploadClient *client : qAsConst(m_uploads)) {
        if (client->socket)
            client->socket->disconnect(this);
    }
    qDeleteAll(m_controls);
    qDeleteAll(m_uploads);
    freeRetired();
}

void SimServer::retire(ControlClient *control, UploadClient *upload)
{
    // Freed later: this may run inside a handler that still holds the pointer.
    if (control)
        m_retiredControls << control;
    if (upload)
        m_retiredUploads << upload;
    QMetaObject::invokeMethod(this, &SimServer::freeRetired, Qt::QueuedConnection);
}

void SimServer::freeRetired()
{
    qDeleteAll(m_retiredControls);
    qDeleteAll(m_retiredUploads);
    m_retiredControls.clear();
    m_retiredUploads.clear();
}

bool SimServer::start(QString *error)
{
    if (!m_controlServer->listen(m_options.listen, m_options.controlPort)) {
        *error = QStringLiteral("control port %1: %2")
                     .arg(m_options.controlPort)
                     .arg(m_controlServer->errorString());
        return false;
    }
    if (!m_uploadServer->listen(m_options.listen, m_options.uploadPort)) {
        *error = QStringLiteral("upload port %1: %2")
                     .arg(m_options.uploadPort)
                     .arg(m_uploadServer->errorString());
        m_controlServer->close();
        return false;
    }
    if (m_options.dropEveryMs > 0)
        m_dropTimer.start(m_options.dropEveryMs);
    if (m_options.live)
        scheduleLive();
    return true;
}

quint16 SimServer::controlPort() const
{
    return m_controlServer->serverPort();
}

quint16 SimServer::uploadPort() const
{
    return m_uploadServer->serverPort();
}

LinkWriter::Faults SimServer::controlFaults() const
{
    return LinkWriter::Faults{m_options.latencyMs, m_options.garbage, m_options.split};
}

void SimServer::log(const QString &line)
{
    emit logLine(line);
    if (m_stdout) {
        std::fputs(line.toUtf8().append('\n').constData(), stdout);
        std::fflush(stdout);
    }
}

// --- Control links -----------------------------------------------------------------------

void SimServer::acceptControl()
{
    while (QTcpSocket *socket = m_controlServer->nextPendingConnection()) {
        auto *client = new ControlClient;
        client->id = m_nextId++;
        client->socket = socket;
        client->writer = new LinkWriter(socket, controlFaults(), &m_random, socket);
        m_controls << client;
        connect(client->writer, &LinkWriter::overflow, socket, [this, client] {
            log(QStringLiteral("[c%1] not reading its replies, dropped").arg(client->id));
            client->socket->abort();
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, client] { readControl(client); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { removeControl(socket); });
        log(QStringLiteral("[c%1] connected from %2").arg(client->id).arg(peer(socket)));
    }
}

void SimServer::removeControl(QTcpSocket *socket)
{
    for (int i = 0; i < m_controls.size(); ++i) {
        ControlClient *client = m_controls.at(i);
        if (client->socket != socket)
            continue;
        m_controls.removeAt(i);
        log(QStringLiteral("[c%1] disconnected").arg(client->id));
        // Deleted later: this may run inside a handler that still holds the pointer.
        QMetaObject::invokeMethod(
            this, [client] { delete client; }, Qt::QueuedConnection);
        socket->deleteLater();
        return;
    }
}

void SimServer::readControl(ControlClient *client)
{
    const qint64 droppedBefore = client->scanner.droppedBytes();
    const QList<QByteArray> commands = client->scanner.feed(client->socket->readAll());
    if (client->scanner.droppedBytes() != droppedBefore) {
        log(QStringLiteral("[c%1] dropped %2 bytes without a closing brace")
                .arg(client->id)
                .arg(client->scanner.droppedBytes() - droppedBefore));
    }
    for (const QByteArray &command : commands) {
        if (!m_controls.contains(client))
            return; // dropped while handling an earlier command
        handleCommand(client, command);
    }
}

void SimServer::sendTo(ControlClient *client, const QByteArray &text)
{
    client->writer->send(text, SimReports::mustArriveWhole(text));
}

void SimServer::handleCommand(ControlClient *client, const QByteArray &command)
{
    const QString tag = QStringLiteral("[c%1] ").arg(client->id);
    log(tag + QLatin1Char('{') + printable(command) + QLatin1Char('}'));
    const QString text = QString::fromUtf8(command).trimmed();
    if (!text.startsWith(QLatin1String("param="))) {
        log(tag + QStringLiteral("  ignored: not a {param=...} command"));
        return;
    }
    const CommandOutcome outcome = m_model.apply(text.mid(6).trimmed(), client->session);
    if (outcome.kind == CommandOutcome::Unknown || outcome.kind == CommandOutcome::Rejected)
        log(tag + QStringLiteral("  ignored: ") + outcome.note);
    else if (!outcome.note.isEmpty())
        log(tag + QStringLiteral("  ") + outcome.note);

    for (const QByteArray &reply : outcome.replies)
        sendTo(client, reply);
    for (ControlClient *other : qAsConst(m_controls)) {
        if (other == client)
            continue;
        for (const QByteArray &notice : outcome.notices)
            sendTo(other, notice);
    }
    if (outcome.uploadAck) {
        // The upload link used last is the one whose transfer just ended.
        UploadClient *target = nullptr;
        for (UploadClient *u : qAsConst(m_uploads)) {
            if (!target || u->lastActive > target->lastActive)
                target = u;
        }
        if (target) {
            target->quiet->stop();
            target->unanswered = 0;
            target->writer->send(SimReports::uploadAck());
        } else {
            log(tag + QStringLiteral("  no upload link to acknowledge on"));
        }
    }
    if (outcome.httpAck)
        sendTo(client, SimReports::httpAck());
}

// --- Upload links ------------------------------------------------------------------------

void SimServer::acceptUpload()
{
    while (QTcpSocket *socket = m_uploadServer->nextPendingConnection()) {
        auto *client = new UploadClient;
        client->id = m_nextId++;
        client->socket = socket;
        client->lastActive = ++m_activity;
        // Answers are delayed like every reply but never cut up: the client checks each read
        // for the whole acknowledgement.
        client->writer = new LinkWriter(
            socket, LinkWriter::Faults{m_options.latencyMs, false, false}, &m_random, socket);
        client->quiet = new QTimer(socket);
        client->quiet->setSingleShot(true);
        client->quiet->setInterval(QuietMs);
        m_uploads << client;
        connect(client->quiet, &QTimer::timeout, this, [this, client] {
            if (client->unanswered > 0)
                answerPacket(client);
            client->unanswered = 0;
        });
        connect(client->writer, &LinkWriter::overflow, socket,
                [client] { client->socket->abort(); });
        connect(socket, &QTcpSocket::readyRead, this, [this, client] { readUpload(client); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { removeUpload(socket); });
        // A client opens a fresh upload link for every file; bytes of one that never ended
        // would otherwise be taken for the start of the next.
        const int stale = m_model.discardUnfinishedUpload();
        log(QStringLiteral("[u%1] upload link from %2").arg(client->id).arg(peer(socket)));
        if (stale > 0)
            log(QStringLiteral("[u%1] discarded %2 bytes of an unfinished upload")
                    .arg(client->id)
                    .arg(stale));
    }
}

void SimServer::removeUpload(QTcpSocket *socket)
{
    for (int i = 0; i < m_uploads.size(); ++i) {
        UploadClient *client = m_uploads.at(i);
        if (client->socket != socket)
            continue;
        m_uploads.removeAt(i);
        log(QStringLiteral("[u%1] upload link closed").arg(client->id));
        QMetaObject::invokeMethod(
            this, [client] { delete client; }, Qt::QueuedConnection);
        socket->deleteLater();
        return;
    }
}

void SimServer::readUpload(UploadClient *client)
{
    const QByteArray bytes = client->socket->readAll();
    if (bytes.isEmpty())
        return;
    m_model.appendUploadData(bytes);
    client->lastActive = ++m_activity;
    client->unanswered += bytes.size();
    log(QStringLiteral("[u%1] received %2 bytes (%3 in this upload)")
            .arg(client->id)
            .arg(bytes.size())
            .arg(m_model.pendingUploadBytes()));
    // One answer per 500-byte packet, however the bytes were cut on the way.
    while (client->unanswered >= PacketSize) {
        client->unanswered -= PacketSize;
        answerPacket(client);
    }
    if (client->unanswered > 0)
        client->quiet->start();
    else
        client->quiet->stop();
}

void SimServer::answerPacket(UploadClient *client)
{
    client->writer->send(SimReports::packetAnswer());
}

// --- Live changes and faults -------------------------------------------------------------

void SimServer::setInputSignal(int input, bool present)
{
    const QByteArray notice = m_model.setInputSignal(input, present);
    if (notice.isEmpty())
        return;
    log(QStringLiteral("input %1 %2").arg(input).arg(present ? "has a signal" : "lost its signal"));
    // A change of the device itself: every client hears of it.
    for (ControlClient *client : qAsConst(m_controls))
        sendTo(client, notice);
}

void SimServer::scheduleLive()
{
    const int mean = m_options.liveIntervalMs;
    m_liveTimer.start(int(m_random.bounded(mean / 2, mean + mean / 2 + 1)));
}

void SimServer::liveStep()
{
    const int input = int(m_random.bounded(1, m_model.state().inputs + 1));
    setInputSignal(input, !m_model.state().signal.value(input));
    scheduleLive();
}

void SimServer::dropAllLinks()
{
    const QList<ControlClient *> controls = m_controls;
    for (ControlClient *client : controls) {
        if (client->socket)
            client->socket->abort();
    }
    const QList<UploadClient *> uploads = m_uploads;
    for (UploadClient *client : uploads) {
        if (client->socket)
            client->socket->abort();
    }
}
