#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

/// What one command did on the simulated device and what has to go out because of it.
struct CommandOutcome
{
    enum Kind
    {
        Unknown,  // no such command
        Rejected, // a known command with arguments the device does not accept
        Query,    // answered, nothing changed
        Set,      // the state changed
    };

    Kind kind = Unknown;
    QString note;              // for the log: why it was refused, or what it did
    QList<QByteArray> replies; // to the client that sent the command, in order
    QList<QByteArray> notices; // to every other client
    bool httpAck = false;      // the HTTP-style acknowledgement to the sender
    bool uploadAck = false;    // "<ACK_1>" on the upload link
};
