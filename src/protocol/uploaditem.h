#pragma once

#include <QByteArray>
#include <QString>

/// One entry of the upload queue: a command for the control link or a packet for the upload
/// link. Exactly one of the two is non-empty.
struct UploadItem
{
    QString command;
    QByteArray data;

    bool isCommand() const { return !command.isEmpty(); }
};
