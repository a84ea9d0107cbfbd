#pragma once

#include "messagescanner.h"
#include "replydispatch.h"

#include <QByteArray>

class QJsonObject;
class QString;

/// The whole reply path without threads or sockets: raw-text pass, message scan, repairs,
/// parse, DHCP check and dispatch. MessageDistance runs it on its parse thread under its
/// buffer locks; the results go to a Sink.
class ReplyProcessor
{
public:
    /// Receives what the reply path finds, in the order it finds it.
    class Sink
    {
    public:
        virtual ~Sink() = default;
        virtual void report(ReplyDispatch::ReportKind kind, const QJsonObject &object) = 0;
        virtual void dhcpSwitch(bool on) = 0;
        virtual void forwardText(const QString &text) = 0;
        virtual void httpAcknowledged() = 0;
        /// A line for the log, in its place among the results.
        virtual void log(const QString &line);
    };

    explicit ReplyProcessor(Sink *sink) : m_sink(sink) {}

    /// Bytes for the message scan (guarded by the caller's buffer lock).
    void appendMessageBytes(const QByteArray &chunk) { m_scanner.append(chunk); }
    /// Bytes for the raw-text pass (guarded by the caller's raw-text lock).
    void appendRawText(const QByteArray &chunk) { m_rawText.append(chunk); }
    /// Drops the bytes of incomplete messages; the raw text stays for its next pass.
    void clearMessages() { m_scanner.clear(); }

    /// The raw-text pass over everything appended since the previous one.
    void runRawTextPass();
    /// Works the scan until one message is dispatched; messages that fail to parse are logged
    /// and dropped on the way. False when no complete message is left.
    bool dispatchNextMessage();
    /// One cycle: the raw-text pass, then the next message. False when nothing was left.
    bool runCycle();

    int pendingMessageBytes() const { return m_scanner.pendingSize(); }
    int pendingRawBytes() const { return m_rawText.size(); }

private:
    void dispatch(const QJsonObject &object, const QByteArray &msg);

    Sink *m_sink;
    MessageScanner m_scanner;
    QByteArray m_rawText;
};
