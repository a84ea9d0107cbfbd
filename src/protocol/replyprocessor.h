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
    /// A new connection begins: what the old one left unfinished can never be completed. The
    /// raw text is touched under the buffer lock alone, which every access to it holds too.
    void startNewStream()
    {
        m_scanner.dropUnfinished();
        m_rawText.truncate(completeRawLength());
        m_rawHeld = 0;
    }
    /// Forgets the raw text not yet passed, a held unfinished answer too (guarded by the
    /// caller's raw-text lock).
    void clearRawText()
    {
        m_rawText.clear();
        m_rawHeld = 0;
    }

    /// The raw-text pass over everything appended since the previous one. An answer still
    /// open at the end (a "{" with no "}" after it) is held back for the pass that completes
    /// it, up to one message's ceiling, so that it is forwarded once and whole.
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
    /// How much of the raw text ends before an answer still open at its end.
    int completeRawLength() const;

    Sink *m_sink;
    MessageScanner m_scanner;
    QByteArray m_rawText;
    int m_rawHeld = 0; // leading bytes of m_rawText held back by the previous pass
};
