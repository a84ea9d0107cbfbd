#include "replyprocessor.h"

#include "duplicatekeys.h"
#include "protocollog.h"
#include "rawtextpass.h"
#include "replyrepair.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <string_view>

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
    const int size = m_rawText.size();
    if (size == m_rawHeld)
        return;
    int complete = completeRawLength();
    // An answer that never closes is held no longer than one message may grow; then it is
    // passed as it is, so the held text stays bounded and nothing in it goes unseen.
    if (size - complete > MessageScanner::MaxMessageSize)
        complete = size;
    m_rawHeld = size - complete;
    if (complete == 0)
        return;

    const RawTextPass::Result result =
        RawTextPass::analyse(complete == size ? m_rawText : m_rawText.left(complete));
    // A flood would otherwise put every byte in the log a second time.
    constexpr int MaxLogged = 8192;
    m_sink->log(QStringLiteral("Version 2 Analysis - ") +
                (result.text.size() <= MaxLogged
                     ? result.text
                     : result.text.left(MaxLogged) +
                           QStringLiteral(" ... (%1 characters in all)").arg(result.text.size())));
    for (int i = 0; i < result.forwardCount; ++i)
        m_sink->forwardText(result.text);
    if (result.httpAcknowledged)
        m_sink->httpAcknowledged();
    m_rawText.remove(0, complete);
}

// What follows the last "}" is open from its first "{" on, an answer still arriving. Only
// the bytes after the held part need a look: it starts at a "{" and holds no "}".
int ReplyProcessor::completeRawLength() const
{
    const std::string_view text(m_rawText.constData(), size_t(m_rawText.size()));
    const size_t close = text.substr(size_t(m_rawHeld)).rfind('}');
    size_t open = std::string_view::npos;
    if (close != std::string_view::npos)
        open = text.find('{', size_t(m_rawHeld) + close + 1);
    else if (m_rawHeld > 0)
        return 0;
    else
        open = text.find('{');
    return open == std::string_view::npos ? m_rawText.size() : int(open);
}

bool ReplyProcessor::dispatchNextMessage()
{
    QByteArray msg;
    for (;;) {
        const bool found = m_scanner.next(&msg);
        if (const qint64 dropped = m_scanner.takeDroppedBytes()) {
            m_sink->log(QStringLiteral("dropped %1 received bytes: no closing brace within %2 "
                                       "bytes; more are dropped until a complete message")
                            .arg(dropped)
                            .arg(MessageScanner::MaxMessageSize));
        }
        if (!found)
            break;
        // A message that parses as it arrived goes out as it is: the repairs are for the
        // device's bare values and would break a report that quotes its own, or whose texts
        // hold the words they look for (a model named "4in4out").
        QJsonParseError error;
        QJsonDocument document = parse(msg, &error);
        QByteArray str = msg;
        if (error.error != QJsonParseError::NoError) {
            if (ReplyRepair::repairMessage(&msg, &str)) {
                const QString text = QString::fromLatin1(str);
                m_sink->log(text);
                m_sink->log(QStringLiteral("add char osdortitle imf: ") + text);
            }
            document = parse(msg, &error);
        }

        const int dhcp = ReplyDispatch::dhcpSwitch(msg);
        if (dhcp >= 0)
            m_sink->dhcpSwitch(dhcp == 1);

        // Output reports come with bare flag lists the first repairs do not reach.
        if (error.error != QJsonParseError::NoError && ReplyRepair::contains(msg, "link") &&
            !ReplyRepair::contains(msg, "change")) {
            msg = ReplyRepair::quoteBareValues(str);
            document = parse(msg, &error);
        }
        if (error.error != QJsonParseError::NoError &&
            RawTextPass::analyse(msg).forwardCount > 0) {
            // A no-signal answer's bare colour list is no JSON; the raw-text pass hands the
            // answer to the dialog that asked, so it is no error.
            m_sink->log(QStringLiteral("answer forwarded to its dialog: ") +
                        QString::fromLatin1(msg));
            continue;
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
