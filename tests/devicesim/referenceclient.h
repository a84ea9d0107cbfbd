#pragma once

// The simulator's bytes read by the application's own reply path, so that a report the client
// would not understand fails here.

#include "protocol/messagescanner.h"
#include "protocol/rawtextpass.h"
#include "protocol/replyprocessor.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>

namespace ReferenceClient {

struct Reading
{
    QByteArray repaired; // the message as received, for failure texts
    bool parsed = false;
    QJsonObject object;
    QStringList kinds; // recognised report kinds, in the client's order
    int dhcp = -1;     // -1 no DHCP value seen, else 0 or 1
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
    void dhcpSwitch(bool on) override { m_r->dhcp = on ? 1 : 0; }
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
    r.repaired = message;
    ReadingSink sink(&r);
    ReplyProcessor processor(&sink);
    processor.appendMessageBytes(message);
    while (processor.dispatchNextMessage()) {
    }
    return r;
}

enum RawEvent
{
    Forward = 1,
    Http = 2
};

/// The pass over everything received since the previous one.
inline int rawPass(const QByteArray &bytes)
{
    const RawTextPass::Result result = RawTextPass::analyse(bytes);
    return (result.forwardCount > 0 ? Forward : 0) | (result.httpAcknowledged ? Http : 0);
}

} // namespace ReferenceClient
