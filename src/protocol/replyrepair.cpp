#include "replyrepair.h"

namespace {

// One pass into a buffer sized up front, so a message of any length costs time linear in its
// size (and a short one costs little more than a copy).
QByteArray quoteAround(const QByteArray &in, const char *quoteBefore, const char *quoteAfter)
{
    unsigned char quotes[256] = {};
    for (const char *c = quoteBefore; *c; ++c)
        quotes[static_cast<unsigned char>(*c)] |= 1;
    for (const char *c = quoteAfter; *c; ++c)
        quotes[static_cast<unsigned char>(*c)] |= 2;
    int extra = 0;
    for (const char c : in) {
        const unsigned char q = quotes[static_cast<unsigned char>(c)];
        extra += (q & 1) + (q >> 1);
    }
    QByteArray out(in.size() + extra, Qt::Uninitialized);
    char *o = out.data();
    for (const char c : in) {
        const unsigned char q = quotes[static_cast<unsigned char>(c)];
        if (q & 1)
            *o++ = '"';
        *o++ = c;
        if (q & 2)
            *o++ = '"';
    }
    return out;
}

// QByteArray::replace moves the tail once per batch of matches when the text grows; this
// builds the result in one pass instead.
QByteArray replaceAll(const QByteArray &in, std::string_view before, std::string_view after)
{
    const std::string_view text(in.constData(), size_t(in.size()));
    size_t hit = text.find(before);
    if (hit == std::string_view::npos)
        return in;
    QByteArray out;
    out.reserve(in.size() + 16);
    size_t from = 0;
    while (hit != std::string_view::npos) {
        out.append(text.data() + from, int(hit - from));
        out.append(after.data(), int(after.size()));
        from = hit + before.size();
        hit = text.find(before, from);
    }
    out.append(text.data() + from, int(text.size() - from));
    return out;
}

// Quotes the bare value of one key: a quote where the value starts and one before the comma
// that precedes the next key's opening quote. A key that is missing, or a value with nothing
// after it, leaves the text as it is rather than writing outside it.
void quoteValue(QByteArray &s, const char *key, int valueOffset, int searchOffset)
{
    const int k = s.indexOf(key);
    if (k < 0 || k + valueOffset > s.size())
        return;
    s.insert(k + valueOffset, '"');
    const int nextQuote = s.indexOf('"', k + searchOffset);
    if (nextQuote < 1)
        return;
    s.insert(nextQuote - 1, '"');
}

} // namespace

namespace ReplyRepair {

QByteArray captionReport(const QByteArray &str)
{
    if (!contains(str, "Color") || contains(str, "change"))
        return str;
    QByteArray s = str;
    quoteValue(s, "Switch", 8, 9);
    quoteValue(s, "Bg_switch", 11, 12);
    quoteValue(s, "Color", 7, 8);
    quoteValue(s, "Bg_Color", 10, 11);
    // Move_dir is the last key: its value ends at the comma if one follows, else at the brace.
    const int k = s.indexOf("Move_dir");
    if (k >= 0 && k + 10 <= s.size()) {
        const int p = k + 10;
        s.insert(p, '"');
        int end = s.indexOf(',', p);
        if (end < 0)
            end = s.indexOf('}', p);
        if (end >= 0)
            s.insert(end, '"');
    }
    return s;
}

QByteArray resolutionReport(const QByteArray &str)
{
    if (!contains(str, "in") || contains(str, "change") || !contains(str, "out"))
        return str;
    return quoteBareValues(str);
}

QByteArray wallStatus(const QByteArray &msg)
{
    if (!contains(msg, "window") || !contains(msg, "VIR") || contains(msg, "change"))
        return msg;
    QByteArray m = replaceAll(msg, "\"", "");
    const int lastComma = m.lastIndexOf(',');
    if (lastComma >= 0)
        m.remove(lastComma, 1);
    const int lastBrace = m.lastIndexOf('}');
    if (lastBrace >= 0)
        m.insert(lastBrace, ']');

    // windowN:a,b,... becomes "windowN":[a,b,...], closing the list of the window after it.
    // The report carries four windows; a shorter one is left for the parser to refuse.
    int k = m.lastIndexOf("window");
    for (int i = 0; i < 4 && k >= 1 && k + 8 <= m.size(); ++i) {
        m.insert(k + 8, '[');
        m.insert(k + 7, '"');
        m.insert(k, '"');
        if (i < 3)
            m.insert(k - 1, ']');
        k = m.lastIndexOf("window", k - 1);
    }

    const int lastColon = m.lastIndexOf(':');
    if (lastColon >= 0) {
        m.insert(lastColon + 1, '[');
        m.insert(lastColon, '"');
    }
    const int vir = m.lastIndexOf("VIR");
    if (vir >= 0)
        m.insert(vir, "],\"");
    m = replaceAll(m, ",]", "]");
    m = replaceAll(m, "\"VIR:", "\"VIR\":[");
    return replaceAll(m, "AUDIO\"", "],\"AUDIO\"");
}

QByteArray assignmentNotice(const QByteArray &msg)
{
    if (!contains(msg, "change") || !contains(msg, "="))
        return msg;
    return replaceAll(quoteAround(msg, "}", "{"), "=", "\":\"");
}

QByteArray bindNotice(const QByteArray &msg)
{
    if (!contains(msg, "Bind_change"))
        return msg;
    return quoteAround(msg, "}", ":");
}

QByteArray quoteBareValues(const QByteArray &text)
{
    return quoteAround(text, ",}", ":");
}

bool repairMessage(QByteArray *msg, QByteArray *str)
{
    *str = *msg;
    const bool caption = contains(*str, "Color") && !contains(*str, "change");
    if (caption)
        *str = captionReport(*str);
    *str = resolutionReport(*str);
    *msg = wallStatus(*str);
    *msg = assignmentNotice(*msg);
    *msg = bindNotice(*msg);
    return caption;
}

} // namespace ReplyRepair
