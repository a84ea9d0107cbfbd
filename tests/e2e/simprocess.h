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

    /// Starts `corvane-devicesim --type <type>`; port 0 lets the system choose. False when it
    /// does not report its ports in time.
    bool start(const QString &type, quint16 controlPort = 0);
    /// Kills it and waits for the end.
    void stop();
    quint16 controlPort() const { return m_controlPort; }

    /// Commands received from all clients so far, in order, without the client tag.
    QStringList commands();
    /// Waits until `command` has been logged at or after position `from`.
    bool waitForCommand(const QString &command, int from = 0, int timeoutMs = 5000);

    /// Asks the simulator's status over a connection of its own: output -> input per layer
    /// ("video", "audio", "IR").
    QMap<int, int> routes(const QString &layer) const;
    /// Sends one command from a second client, as another operator would.
    bool sendAsOtherClient(const QString &command) const;

private:
    void readOutput();

    QProcess m_process;
    QByteArray m_pending;
    QStringList m_commands;
    quint16 m_controlPort = 0;
};
