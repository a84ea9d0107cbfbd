#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

/// One file on its way to the device. Every transfer carries its own packets and counts, so a
/// new one never inherits what an abandoned one left behind.
struct UploadTransfer
{
    /// How the operator knows the file, named when it does not arrive.
    QString what;
    QString startCommand;
    QString endCommand;
    QVector<QByteArray> packets;
    /// Packets written to the upload link.
    int sent = 0;
    /// Packets the device answered.
    int answered = 0;
    /// The end command went out; only the device's acknowledgement is awaited.
    bool endSent = false;

    /// Packets still to write plus the end command still to send.
    int itemsLeft() const
    {
        return packets.size() - sent + (endSent || endCommand.isEmpty() ? 0 : 1);
    }
};
