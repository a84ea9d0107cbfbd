#include "replyprocessor.h"

#include "duplicatekeys.h"
#include "protocollog.h"
#include "rawtextpass.h"
#include "replyrepair.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Only arrays are at risk of the parser's duplicate-key leak, so only texts with one are
// looked at.
QJsonDocument parse(const QByteArray &msg, QJsonParseError *error)
{
    if (msg.contains('['))
        return QJsonDocument::fromJson(DuplicateKeys::keepLast(msg), error);
    return QJsonDocument::fromJson(msg, error);
}

} // namespace

void ReplyProcessor::Sink::log(const QString &line)
{
    PROTOCOL_LOG(line);
}

void ReplyProcessor::runRawTextPass()
{
    if (m_rawText.isEmpty())
        return;
    const RawTextPass::Result result = RawTextPass::analyse(m_rawText);
    m_sink->log(QStringLiteral("Version 2 Analysis - ") + result.text);
    for (int i = 0; i < result.forwardCount; ++i)
        m_sink->forwardText(result.text);
    if (result.httpAcknowledged)
        m_sink->httpAcknowledged();
    m_rawText.clear();
}

bool ReplyProcessor::dispatchNextMessage()
{
    QByteArray msg;
    while (m_scanner.next(&msg)) {
        QByteArray str;
        if (ReplyRepair::repairMessage(&msg, &str)) {
            const QString text = QString::fromLatin1(str);
            m_sink->log(text);
            m_sink->log(QStringLiteral("add char osdortitle imf: ") + text);
        }
        QJsonParseError error;
        QJsonDocument document = parse(msg, &error);

        const int dhcp = ReplyDispatch::dhcpSwitch(msg);
        if (dhcp >= 0)
            m_sink->dhcpSwitch(dhcp == 1);

        // Output reports come with bare flag lists the first repairs do not reach.
        if (error.error != QJsonParseError::NoError && ReplyRepair::contains(msg, "link") &&
            !ReplyRepair::contains(msg, "change")) {
            msg = ReplyRepair::quoteBareValues(str);
            document = parse(msg, &error);
        }
        if (error.error != QJsonParseError::NoError) {
            m_sink->log(QStringLiteral("JSON ERROR! ERROR DATA: ") + QString::fromLatin1(msg) +
                        QStringLiteral(" ERROR CAUSED: ") + error.errorString());
            continue;
        }
        dispatch(document.object(), msg);
        return true;
    }
    return false;
}

bool ReplyProcessor::runCycle()
{
    runRawTextPass();
    return dispatchNextMessage();
}

void ReplyProcessor::dispatch(const QJsonObject &object, const QByteArray &msg)
{
    const unsigned kinds = ReplyDispatch::reportKinds(msg);
    if (!kinds)
        return;
    for (int k = 0; k < ReplyDispatch::ReportKindCount; ++k) {
        if (!(kinds & (1u << k)))
            continue;
        const auto kind = ReplyDispatch::ReportKind(k);
        if (kind != ReplyDispatch::ChangedByOthers)
            m_sink->log(QLatin1String(ReplyDispatch::logLine(kind)));
        m_sink->report(kind, object);
    }
}
