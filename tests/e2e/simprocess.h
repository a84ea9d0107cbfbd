#pragma once

#include <QMap>
#include <QProcess>
#include <QStringList>

/// The device simulator run as a child process on loopback, with the commands it logs.
class SimProcess
{
public:
    SimProcess() = default;
    ~SimProcess();

    /// Starts `corvane-devicesim --type <type>` with any further options; port 0 lets the system
    /// choose. False when it does not report its ports in time.
    bool start(const QString &type, quint16 controlPort = 0, const QStringList &options = {});
    void stop();
    quint16 controlPort() const { return m_controlPort; }

    /// Commands received from all clients so far, in order, without the client tag.
    QStringList commands();
    /// Which client ("c1", "c2", ...) sent the command at `index` of commands().
    QString clientAt(int index) const { return m_clients.value(index); }
    /// Waits until `command` has been logged at or after position `from`.
    bool waitForCommand(const QString &command, int from = 0, int timeoutMs = 5000);

    /// The wall's windows as the simulator reports them, asked over a connection of its own:
    /// 1..4 -> input (0: closed), layer, x, y, width, height.
    QMap<int, QList<int>> windows() const;
    /// Sends one command from a second client, as another operator would.
    bool sendAsOtherClient(const QString &command) const;

private:
    void readOutput();
    /// The first report the simulator answers `{param=status}` with, or empty.
    QString statusReport() const;

    QProcess m_process;
    QByteArray m_pending;
    QStringList m_commands;
    QStringList m_clients;
    quint16 m_controlPort = 0;
};
