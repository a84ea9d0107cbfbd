#include "simprocess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>

#include <memory>

namespace {
/// A connection of its own to the simulator, or null when it does not answer.
std::unique_ptr<QTcpSocket> connectTo(quint16 port)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QStringLiteral("127.0.0.1"), port);
    return socket->waitForConnected(3000) ? std::move(socket) : nullptr;
}
} // namespace

SimProcess::~SimProcess()
{
    stop();
}

bool SimProcess::start(const QString &type, quint16 controlPort, const QStringList &options)
{
    m_pending.clear();
    m_commands.clear();
    m_clients.clear();
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    const QStringList arguments{QStringLiteral("--type"),        type,
                                QStringLiteral("--listen"),      QStringLiteral("127.0.0.1"),
                                QStringLiteral("--port"),        QString::number(controlPort),
                                QStringLiteral("--upload-port"), QStringLiteral("0")};
    m_process.start(qEnvironmentVariable("CORVANE_BIN_DIR") + QStringLiteral("/corvane-devicesim"),
                    arguments + options);
    if (!m_process.waitForStarted(5000))
        return false;
    const QRegularExpression listening(QStringLiteral("LISTENING control=(\\d+)"));
    for (QDeadlineTimer deadline(10000); !deadline.hasExpired();) {
        m_process.waitForReadyRead(100);
        m_pending += m_process.readAllStandardOutput();
        const QRegularExpressionMatch match = listening.match(QString::fromUtf8(m_pending));
        if (match.hasMatch()) {
            m_controlPort = quint16(match.captured(1).toUInt());
            return true;
        }
    }
    return false;
}

void SimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

void SimProcess::readOutput()
{
    m_pending += m_process.readAllStandardOutput();
    int newline;
    while ((newline = m_pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_pending.left(newline)).trimmed();
        m_pending.remove(0, newline + 1);
        // "[c1] {param=status}"
        const int brace = line.indexOf(QLatin1String("{param="));
        const int tagEnd = line.indexOf(QLatin1Char(']'));
        if (line.startsWith(QLatin1Char('[')) && brace > tagEnd && tagEnd > 0) {
            m_commands.append(line.mid(brace));
            m_clients.append(line.mid(1, tagEnd - 1));
        }
    }
}

QStringList SimProcess::commands()
{
    readOutput();
    return m_commands;
}

bool SimProcess::waitForCommand(const QString &command, int from, int timeoutMs)
{
    return QTest::qWaitFor([&] { return commands().indexOf(command, from) >= 0; }, timeoutMs);
}

QString SimProcess::statusReport() const
{
    const auto socket = connectTo(m_controlPort);
    if (!socket)
        return QString();
    socket->write("{param=status}");
    QByteArray reply;
    // Long enough for a simulator started with a reply latency.
    for (QDeadlineTimer deadline(10000); !reply.contains('}') && !deadline.hasExpired();) {
        socket->waitForReadyRead(100);
        reply += socket->readAll();
    }
    return QString::fromUtf8(reply.left(reply.indexOf('}') + 1));
}

QMap<int, QList<int>> SimProcess::windows() const
{
    // The device's own comma list: {window1:a,b,c,d,e,f,...,VIR:p,q,AUDIO:x}.
    QMap<int, QList<int>> result;
    const QRegularExpression window(
        QStringLiteral("window(\\d):(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+)"));
    for (auto it = window.globalMatch(statusReport()); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QList<int> values;
        for (int i = 2; i <= 7; ++i)
            values.append(match.captured(i).toInt());
        result.insert(match.captured(1).toInt(), values);
    }
    return result;
}

bool SimProcess::sendAsOtherClient(const QString &command) const
{
    const auto socket = connectTo(m_controlPort);
    if (!socket)
        return false;
    socket->write(command.toUtf8());
    if (!socket->waitForBytesWritten(3000))
        return false;
    // Let the simulator read it before the link goes.
    socket->waitForReadyRead(300);
    socket->disconnectFromHost();
    return true;
}
