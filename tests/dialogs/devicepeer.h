#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

/// A bare device on 127.0.0.1: records every command on the control port, answers each upload
/// packet, and acknowledges the end command on the upload link. Answers nothing else, so a
/// test sees exactly what a dialog sent.
class DevicePeer : public QObject
{
    Q_OBJECT

public:
    explicit DevicePeer(QObject *parent = nullptr);

    quint16 controlPort() const { return m_control.serverPort(); }
    quint16 uploadPort() const { return m_upload.serverPort(); }
    /// Commands received so far, each as "{param=...}".
    QStringList commands() const;
    void clear();
    /// Bytes received on upload links since the last clear().
    QByteArray uploaded() const { return m_uploaded; }
    /// Packets received (one answer each).
    int packets() const { return m_packets; }

private:
    void readControl();
    void readUpload();

    QTcpServer m_control;
    QTcpServer m_upload;
    QPointer<QTcpSocket> m_controlClient;
    QPointer<QTcpSocket> m_uploadClient;
    QByteArray m_controlBytes;
    QByteArray m_uploaded;
    int m_packets = 0;
};
