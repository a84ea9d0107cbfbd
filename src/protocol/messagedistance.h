#pragma once

#include "replyprocessor.h"
#include "uploaditem.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QVector>
#include <QWaitCondition>

#include <atomic>
#include <functional>
#include <memory>

class QTcpSocket;
class QTimer;

/// The single client of the device: one operation per command, the control connection with
/// its 2000 ms reconnect cycle, the parse thread that turns the device's reports into signals,
/// and the upload channel. Everything but the parse loop runs on the thread that created it,
/// and every signal, reports included, is emitted there.
class MessageDistance : public QThread, private ReplyProcessor::Sink
{
    Q_OBJECT

public:
    /// The instance the application uses, created on first call and never destroyed.
    static MessageDistance *instance();

    /// A separate client with its own parse thread; the destructor stops and joins it.
    explicit MessageDistance(QObject *parent = nullptr);
    ~MessageDistance() override;

    using ErrorReporter = std::function<void(const QString &title, const QString &text)>;
    /// Where upload failures are shown to the operator; by default they are only logged.
    void setErrorReporter(ErrorReporter reporter);
    /// The device's upload port, 6666 unless changed (tests point it elsewhere).
    void setUploadPort(quint16 port) { m_uploadPort = port; }
    quint16 uploadPort() const { return m_uploadPort; }

    // Control connection.
    void connectToDevice(const QString &host, quint16 port);
    void closeConnections();
    /// Writes one command on the control link. While the link is not connected nothing is
    /// written: the command is logged as not sent, si_commandNotSent tells the caller, and the
    /// result is false.
    bool sendCommand(const QString &text);
    QString host() const { return m_host; }
    quint16 port() const { return m_port; }
    bool isConnected() const;
    /// Received bytes not yet taken by the parse thread, and results not yet delivered: both
    /// stay bounded whatever the device sends, because reading stops while they are high.
    int receiveBacklog();
    int undeliveredResults();

    // Queries.
    void getVersion();
    void getStatus();
    void getInputInfo();
    void getNetInfo();
    void getResolution();
    void getOutputInfo();
    void getHdcpInfo();
    void getBindInfo();
    void getVolume();
    void getRotate();
    void getOsd(int input);
    void getSubtitle();
    void getNoInput(int output);
    void getScaler(int output);

    // Routing, modes and plans.
    /// Ports above `portOffset` lose it: the wall model numbers its ports without the offset
    /// its tables add.
    void switchPort(int input, int output, int layer, int portOffset = 0);
    void setMode(int mode);
    void restoreDefault();
    void setNetInfo(const QString &address, const QString &gateway, const QString &mac,
                    const QString &subnet);
    void setDhcp(bool on);
    void savePlan(int plan);
    void recallPlan(int plan);
    void clearPlan(int plan);

    // Port settings.
    void setInputPattern(int port, int pattern);
    void setOutputPattern(int port, int pattern);
    void setNoSignal(int output, int pattern, int red, int green, int blue);
    void setScalerMode(int output, int mode);
    void setPortResolution(int output, const QString &resolution);
    void setVolume(int port, int volume);
    void muteOn(int port);
    void muteOff(int port);
    void setAnalogSelect(int port, int value);
    void setAudioFollow(bool follow);
    void setFrozen(int output, bool frozen);
    void setOutputLock(int output, bool locked);
    void setVideoMute(int output, bool muted);
    void setInputHdcp(int input, int mode);
    void selectEdid(int input, int edid);
    void copyEdid(int input, int output);

    // Caption and OSD.
    void setCaptionOpen(bool shown);
    void setCaptionSpeed(int speed);
    void setCaptionDirection(int direction);
    void setCaptionPosition(int x, int y);
    void setCaptionFontColor(int red, int green, int blue);
    void setCaptionBgColor(int red, int green, int blue);
    void setCaptionBgOpen(bool on);
    void eraseOsd();
    void eraseSubtitle();

    // Video wall and splice groups.
    void setVirMode(int mode);
    void windowOpen(int window, int input, int layer, int x, int y, int width, int height);
    void windowClose(int window);
    void windowCloseAll();
    void windowMove(int window, int x, int y);
    void windowResize(int window, int x, int y, int width, int height);
    void windowLayer(int window, int layer);
    void setRotate(int screen, int rotation);
    void setBezelX(uint a, uint b, uint c, uint d);
    void setBezelY(uint a, uint b, uint c, uint d);
    void bindOutputs(int master, const QList<int> &members);
    void unbindOutputs(int output);
    void setSplitter(int layout);

    // Upload channel.
    void openUploadSocket(bool open);
    bool isUploadConnected() const;
    bool isUploadOpen() const;
    /// Sends a file: the start command, the data in 500-byte packets each after the device
    /// answered the one before, the end command once every packet was answered, and then waits
    /// for the device's acknowledgement. A transfer asked for while another runs waits behind
    /// it. "what" names the file to the operator if it does not arrive.
    void uploadFile(const QString &startCommand, const QByteArray &data, const QString &endCommand,
                    const QString &what = QString());
    /// Drops the running and waiting transfers and the upload link, without telling the device
    /// that a file is complete.
    void abandonUpload();
    void startUploadCloseRetry(bool on);
    /// How long a packet or the end command waits for its answer before the transfer is given up.
    void setUploadAnswerTimeout(int ms) { m_answerTimeoutMs = ms; }
    int uploadAnswerTimeout() const { return m_answerTimeoutMs; }
    /// The pause between attempts while the device cannot be reached, 2000 ms unless set.
    void setReconnectInterval(int ms);
    /// The pause between the upload link's closes after a dialog went, 1000 ms unless set.
    void setCloseRetryInterval(int ms);
    /// Packets and commands still to send, of the running transfer and those waiting behind it.
    int uploadQueueSize() const;
    /// A transfer is running or waiting.
    bool isUploadBusy() const { return !m_transfers.isEmpty(); }

signals:
    void connectingSig();
    void connectSuccessFulSig();
    void connectFailureSig();
    /// A command was given while the control link was down and was not sent.
    void si_commandNotSent(const QString &text);
    /// A command went out on the control link.
    void commandSent(const QString &text);
    /// Bytes as read from the control link, one piece per read, before any parsing.
    void chunkReceived(const QByteArray &chunk);
    /// A report as it goes to its receivers: its ReplyDispatch::ReportKind and the object, just
    /// before the report's own signal.
    void reportDispatched(int kind, const QJsonObject &object);

    void receiveChangedByOthersSig(const QJsonObject &object);
    void receiveVersionSig(const QJsonObject &object);
    void receiveVideoAudioIRMapSig(const QJsonObject &object);
    void receiveWindowStatusSig(const QJsonObject &object);
    void receiveInputChannelStateSig(const QJsonObject &object);
    void receiveNetWorkImforamtionSig(const QJsonObject &object);
    void receiveInOutChannelResolutionMapSig(const QJsonObject &object);
    void receiveOutputInfoSig(const QJsonObject &object);
    void receiveBindInfoSig(const QJsonObject &object);
    void receiveVolumnImformationSig(const QJsonObject &object);
    void receiveTitleImfSig(const QJsonObject &object);
    void receiveRotateAngleSig(const QJsonObject &object);
    void receiveHDCPInfoSig(const QJsonObject &object);

    void si_SetDhcpSwitch(bool on);
    void si_ForwardAnalysis(const QString &text);
    void si_http200Analysis();
    void si_requestCloseOsdSocket();

    /// After each further packet: the packets and end command the transfer still has to send.
    void si_updateProgressVal(int packNum);
    /// The device acknowledged the end of a transfer.
    void si_uploadFinished();
    /// A transfer was given up (no answer in time, link closed, no acknowledgement); what names
    /// the file. Nothing of it was declared complete to the device.
    void si_uploadFailed(const QString &what);
    void si_setDisableUiObject(bool isToDisable);

protected:
    void run() override;

private slots:
    void receiveDataSlot(const QByteArray &chunk);

private:
    struct PendingResult
    {
        enum Type
        {
            Report,
            Dhcp,
            Forward,
            Http,
            Log
        } type = Log;
        int kind = 0;
        QJsonObject object;
        QString text;
    };

    // ReplyProcessor::Sink, called on the parse thread: results wait in m_pending, in order,
    // until postPending() hands them to deliver() on this object's thread.
    void report(ReplyDispatch::ReportKind kind, const QJsonObject &object) override;
    void dhcpSwitch(bool on) override;
    void forwardText(const QString &text) override;
    void httpAcknowledged() override;
    void log(const QString &line) override;
    void postPending();
    void deliverSome();
    void deliverOne(const PendingResult &result);
    void readControl();
    void resumeReading();
    void emitReport(ReplyDispatch::ReportKind kind, const QJsonObject &object);

    void onControlStateChanged(QAbstractSocket::SocketState state);
    void onReconnectTimeout();
    void onUploadStateChanged(QAbstractSocket::SocketState state);
    void onUploadReadyRead();
    void onRequestCloseOsdSocket();
    void onCloseRetryTimeout();
    void onAnswerTimeout();
    void beginTransfer();
    void sendNextPacket();
    void sendEndCommand();
    void finishTransfer();
    void failTransfers(const QString &reason);
    void startAnswerTimer();
    void stopAnswerTimer();
    void closeUploadSocket();
    void reportError(const QString &title, const QString &text);

    // Guarded by m_bufferLock; the raw text inside it by m_rawTextLock as well.
    ReplyProcessor m_processor;
    QVector<PendingResult> m_pending; // parse thread only
    std::atomic<bool> m_stop{false};
    bool m_newBytes = false;
    bool m_readPaused = false; // reading stopped until the parse thread catches up
    bool m_resumePosted = false;
    QMutex m_bufferLock;
    QMutex m_rawTextLock;
    QWaitCondition m_bytesArrived;

    // Results on their way to this object's thread, guarded by m_deliveryLock. The parse thread
    // waits while too many are undelivered, so a flood cannot outrun the receivers.
    QMutex m_deliveryLock;
    QWaitCondition m_deliveryRoom;
    QVector<PendingResult> m_delivery;
    int m_deliveryHead = 0;
    bool m_deliveryPosted = false;
    bool m_parseWaiting = false;
    bool m_linkUp = false;

    std::unique_ptr<QTcpSocket> m_controlSocket;
    std::unique_ptr<QTcpSocket> m_uploadSocket;
    QString m_host;
    quint16 m_port = 0;
    quint16 m_uploadPort = 6666;

    QTimer *m_reconnectTimer = nullptr;
    QTimer *m_closeRetryTimer = nullptr;
    // Created on first use; a packet or end command waiting longer gives the transfer up.
    QTimer *m_answerTimer = nullptr;
    int m_answerTimeoutMs = 5000;
    // The first transfer is the running one.
    QVector<UploadTransfer> m_transfers;
    int m_closeRetryCount = 3;
    ErrorReporter m_errorReporter;
};
