#pragma once

// How the application's client reads the device's bytes, written out small for the tests: cut
// a message from `{` to the first `}` after spaces and line feeds are gone, repair the device's
// loose syntax by fixed text rules, parse, and name the report by the words it contains. The
// simulator's reports are checked against this, so that a report that would not survive the
// client fails here.

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace ReferenceClient {

struct Reading
{
    QByteArray repaired;
    bool parsed = false;
    QJsonObject object;
    QStringList kinds; // recognised report kinds, in the client's order
    int dhcp = -1;     // -1 no DHCP value seen, else 0 or 1
};

inline QList<QByteArray> cut(QByteArray stream)
{
    stream.replace(' ', QByteArray()).replace('\n', QByteArray());
    QList<QByteArray> messages;
    int from = 0;
    for (;;) {
        const int open = stream.indexOf('{', from);
        const int close = open < 0 ? -1 : stream.indexOf('}', open);
        if (close < 0)
            return messages;
        messages << stream.mid(open, close - open + 1);
        from = close + 1;
    }
}

inline void quoteValues(QString &s)
{
    s.replace(QLatin1String(":"), QLatin1String(":\""));
    s.replace(QLatin1String(","), QLatin1String("\","));
    s.replace(QLatin1String("}"), QLatin1String("\"}"));
}

inline void markWindow(QByteArray &m, int k, bool closePrevious)
{
    m.insert(k + 8, '[');
    m.insert(k + 7, '"');
    m.insert(k, '"');
    if (closePrevious)
        m.insert(k - 1, ']');
}

inline QByteArray repair(const QByteArray &message, QString *textOut = nullptr)
{
    QString str = QString::fromLatin1(message);
    QByteArray msg = message;
    if (str.contains(QLatin1String("Color")) && !str.contains(QLatin1String("change"))) {
        const struct
        {
            const char *key;
            int open, search;
        } keys[] = {{"Switch", 8, 9}, {"Bg_switch", 11, 12}, {"Color", 7, 8}, {"Bg_Color", 10, 11}};
        for (const auto &k : keys) {
            const int pos = str.indexOf(QLatin1String(k.key));
            if (pos < 0)
                continue;
            str.insert(pos + k.open, QLatin1Char('"'));
            const int q = str.indexOf(QLatin1Char('"'), pos + k.search);
            if (q > 0)
                str.insert(q - 1, QLatin1Char('"'));
        }
        const int dir = str.indexOf(QLatin1String("Move_dir"));
        if (dir >= 0) {
            const int p = dir + 10;
            str.insert(p, QLatin1Char('"'));
            int end = str.indexOf(QLatin1Char(','), p);
            if (end < 0)
                end = str.indexOf(QLatin1Char('}'), p);
            if (end >= 0)
                str.insert(end, QLatin1Char('"'));
        }
        msg = str.toLatin1();
    }
    if (str.contains(QLatin1String("in")) && !str.contains(QLatin1String("change")) &&
        str.contains(QLatin1String("out"))) {
        quoteValues(str);
        msg = str.toLatin1();
    }
    if (msg.contains("window") && msg.contains("VIR") && !str.contains(QLatin1String("change"))) {
        msg.replace('"', QByteArray());
        msg.remove(msg.lastIndexOf(','), 1);
        msg.insert(msg.lastIndexOf('}'), ']');
        int k = msg.lastIndexOf("window");
        markWindow(msg, k, true);
        for (int i = 0; i < 2; ++i) {
            k = msg.lastIndexOf("window", k - 1);
            markWindow(msg, k, true);
        }
        k = msg.lastIndexOf("window", k - 1);
        markWindow(msg, k, false);
        const int c = msg.lastIndexOf(':');
        msg.insert(c + 1, '[');
        msg.insert(c, '"');
        msg.insert(msg.lastIndexOf("VIR"), "],\"");
        msg.replace(",]", "]");
        msg.replace("\"VIR:", "\"VIR\":[");
        msg.replace("AUDIO\"", "],\"AUDIO\"");
    }
    if (msg.contains("change") && msg.contains('=')) {
        msg.replace("}", "\"}");
        msg.replace("{", "{\"");
        msg.replace("=", "\":\"");
    }
    if (msg.contains("Bind_change")) {
        msg.replace(":", ":\"");
        msg.replace("}", "\"}");
    }
    if (textOut)
        *textOut = str;
    return msg;
}

inline QStringList kindsOf(const QByteArray &m)
{
    auto has = [&m](const char *word) { return m.contains(word); };
    if (has("change"))
        return {QStringLiteral("changed")};
    QStringList k;
    if (has("type") && has("MCU") && has("FPGA") && has("device"))
        k << QStringLiteral("version");
    if (has("video") && has("audio") && has("IR"))
        k << QStringLiteral("routing");
    if (has("window") && has("VIR"))
        k << QStringLiteral("wall");
    if (has("input") && !has("out"))
        k << QStringLiteral("inputs");
    if (has("ip") && has("gateway") && has("subnet"))
        k << QStringLiteral("network");
    if (has("in") && has("out") && !has("hdcp"))
        k << QStringLiteral("resolution");
    if (has("link"))
        k << QStringLiteral("outputs");
    if (has("bind") && has("mode"))
        k << QStringLiteral("bind");
    if (has("Volume"))
        k << QStringLiteral("volume");
    if (has("switch"))
        k << QStringLiteral("caption");
    if (has("Angle"))
        k << QStringLiteral("rotation");
    if (has("hdcp_in"))
        k << QStringLiteral("hdcp");
    return k;
}

/// One message as the client reads it.
inline Reading read(const QByteArray &message)
{
    Reading r;
    QString str;
    r.repaired = repair(message, &str);
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(r.repaired, &error);
    const int dhcp = r.repaired.indexOf("\"DHCP\":");
    if (dhcp >= 0) {
        const int from = dhcp + 7;
        const int comma = r.repaired.indexOf(',', from);
        const QByteArray word = comma < 0 ? QByteArray() : r.repaired.mid(from, comma - from);
        if (word == "true" || word == "TRUE")
            r.dhcp = 1;
        else if (word == "false" || word == "FALSE")
            r.dhcp = 0;
    }
    if (error.error != QJsonParseError::NoError && r.repaired.contains("link") &&
        !r.repaired.contains("change")) {
        quoteValues(str);
        r.repaired = str.toLatin1();
        doc = QJsonDocument::fromJson(r.repaired, &error);
    }
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return r;
    r.parsed = true;
    r.object = doc.object();
    r.kinds = kindsOf(r.repaired);
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
    QString text = QString::fromLatin1(
        bytes.left(bytes.indexOf('\0') < 0 ? bytes.size() : bytes.indexOf('\0')));
    text.remove(QLatin1String("\r\n"));
    if (text.contains(QLatin1String("Chn_change")) && text.contains(QLatin1String("Mode_change")) &&
        text.contains(QLatin1String("Color_change")))
        text.remove(QLatin1String("_change"));
    int events = 0;
    const bool chn = text.contains(QLatin1String("\"Chn\":"));
    if (chn && text.contains(QLatin1String("\"Mode\":")) &&
        text.contains(QLatin1String("\"Color\":")))
        events |= Forward;
    if (chn && text.contains(QLatin1String("\"Scaler_Mode\":")))
        events |= Forward;
    if (text.contains(QLatin1String("HTTP")) && text.contains(QLatin1String("200")) &&
        text.contains(QLatin1String("Length:2OK")))
        events |= Http;
    return events;
}

} // namespace ReferenceClient
