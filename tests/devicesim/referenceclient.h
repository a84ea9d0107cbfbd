#pragma once

// The simulator's bytes read by the application's own reply path.

#include "protocol/messagescanner.h"
#include "protocol/rawtextpass.h"
#include "protocol/replyprocessor.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>

namespace ReferenceClient {

struct Reading
{
    bool parsed = false;
    QJsonObject object;
    QStringList kinds; // recognised report kinds, in the client's order
};

inline QList<QByteArray> cut(const QByteArray &stream)
{
    MessageScanner scanner;
    scanner.append(stream);
    QList<QByteArray> messages;
    QByteArray m;
    while (scanner.next(&m))
        messages << m;
    return messages;
}

class ReadingSink : public ReplyProcessor::Sink
{
public:
    explicit ReadingSink(Reading *r) : m_r(r) {}
    void report(ReplyDispatch::ReportKind kind, const QJsonObject &object) override
    {
        static const char *const names[] = {"changed", "version",    "routing", "wall", "inputs",
                                            "network", "resolution", "outputs", "bind", "volume",
                                            "caption", "rotation",   "hdcp"};
        m_r->parsed = true;
        m_r->kinds << QString::fromLatin1(names[kind]);
        m_r->object = object;
    }
    void dhcpSwitch(bool) override {}
    void forwardText(const QString &) override {}
    void httpAcknowledged() override {}
    void log(const QString &) override {}

private:
    Reading *m_r;
};

/// One message as the client reads it.
inline Reading read(const QByteArray &message)
{
    Reading r;
    ReadingSink sink(&r);
    ReplyProcessor processor(&sink);
    processor.appendMessageBytes(message);
    while (processor.dispatchNextMessage()) {
    }
    return r;
}

/// Whether the client's pass over the raw bytes forwards them as a text.
inline bool forwarded(const QByteArray &bytes)
{
    return RawTextPass::analyse(bytes).forwardCount > 0;
}

} // namespace ReferenceClient
