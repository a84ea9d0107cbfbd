#pragma once

#include "commandscanner.h"
#include "devicemodel.h"
#include "linkwriter.h"
#include "simoptions.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTimer>

class QTcpServer;

/// The simulated device on the network: the control port (commands in, reports and notices out)
/// and the upload port (file packets in, one answer per packet, "<ACK_1>" after the end command).
class SimServer : public QObject
{
    Q_OBJECT
public:
    explicit SimServer(const SimOptions &options, QObject *parent = nullptr);
    ~SimServer() override;

    /// Starts listening on both ports; false with a reason when either cannot be bound.
    bool start(QString *error);

    quint16 controlPort() const;
    quint16 uploadPort() const;
    int controlClientCount() const { return m_controls.size(); }
    int uploadClientCount() const { return m_uploads.size(); }

    const DeviceModel &model() const { return m_model; }
    /// Plugs or unplugs an input's source and tells every client, as the live mode does.
    void setInputSignal(int input, bool present);
    /// Drops every client link, as the drop fault does.
    void dropAllLinks();

    /// Log lines also go to standard output (one line each, flushed).
    void setLogToStdout(bool on) { m_stdout = on; }

signals:
    void logLine(const QString &line);

private:
    struct ControlClient
    {
        int id = 0;
        QPointer<QTcpSocket> socket;
        CommandScanner scanner;
        LinkWriter *writer = nullptr;
        DeviceModel::Session session;
    };
    struct UploadClient
    {
        int id = 0;
        QPointer<QTcpSocket> socket;
        LinkWriter *writer = nullptr;
        int unanswered = 0; // bytes received since the last answer
        QTimer *quiet = nullptr;
        qint64 lastActive = 0;
    };

    void acceptControl();
    void acceptUpload();
    void readControl(ControlClient *client);
    void readUpload(UploadClient *client);
    void answerPacket(UploadClient *client);
    void handleCommand(ControlClient *client, const QByteArray &command);
    void removeControl(QTcpSocket *socket);
    void removeUpload(QTcpSocket *socket);
    void retire(ControlClient *control, UploadClient *upload);
    void freeRetired();
    void sendTo(ControlClient *client, const QByteArray &text);
    void liveStep();
    void scheduleLive();
    void log(const QString &line);
    LinkWriter::Faults controlFaults() const;

    SimOptions m_options;
    DeviceModel m_model;
    QRandomGenerator m_random;
    QTcpServer *m_controlServer;
    QTcpServer *m_uploadServer;
    QList<ControlClient *> m_controls;
    QList<UploadClient *> m_uploads;
    QList<ControlClient *> m_retiredControls; // gone, freed on the next event loop turn
    QList<UploadClient *> m_retiredUploads;
    QTimer m_dropTimer;
    QTimer m_liveTimer;
    int m_nextId = 1;
    qint64 m_activity = 0; // counter ordering upload links by their last use
    bool m_stdout = false;
};
