#include "replyfuzzdriver.h"

#include "protocol/replyprocessor.h"

#include <QJsonObject>
#include <QString>

#include <algorithm>

namespace {

class CheckingSink : public ReplyProcessor::Sink
{
public:
    int lastKind = -1;
    int sentinel = -1;

    void report(ReplyDispatch::ReportKind kind, const QJsonObject &object) override
    {
        lastKind = kind;
        sentinel = object.value(QStringLiteral("Angle9")).toInt(-1);
    }
    void dhcpSwitch(bool) override { lastKind = -1; }
    void forwardText(const QString &) override { lastKind = -1; }
    void httpAcknowledged() override { lastKind = -1; }
};

void feed(ReplyProcessor &processor, const QByteArray &chunk)
{
    processor.appendMessageBytes(chunk);
    processor.appendRawText(chunk);
    while (processor.runCycle()) {
    }
}

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &)
{
}

} // namespace

bool runReplyPath(const uint8_t *data, size_t size)
{
    CheckingSink sink;
    ReplyProcessor processor(&sink);
    // Chunk sizes from 1 to 64 bytes, chosen by the input so that a finding replays exactly.
    uint32_t state = uint32_t(size) * 2654435761u + (size ? data[size - 1] : 0u);
    size_t at = 0;
    while (at < size) {
        state = state * 1103515245u + 12345u;
        const size_t length = std::min<size_t>(1 + (state >> 16) % 64, size - at);
        feed(processor, QByteArray(reinterpret_cast<const char *>(data + at), int(length)));
        at += length;
    }
    // Whatever came before, a closing brace ends it and the next report is dispatched.
    feed(processor, QByteArrayLiteral("}"));
    feed(processor, QByteArrayLiteral("{\"Angle9\":7}"));
    return sink.lastKind == ReplyDispatch::RotateAngle && sink.sentinel == 7 &&
           processor.pendingMessageBytes() == 0 && processor.pendingRawBytes() == 0;
}

void silenceQtMessages()
{
    qInstallMessageHandler(dropMessage);
}
