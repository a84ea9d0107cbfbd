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

// Quotes the bare value of one key, found by its name written as a key ("name":), so no key
// is taken for another that holds its name. The value runs up to the comma before the next
// quoted key, or to the closing brace when it is the last; a colour keeps its three numbers
// in one text that way. A missing key or a value already quoted is left as it is.
void quoteValue(QByteArray &s, std::string_view name)
{
    const QByteArray key = '"' + QByteArray(name.data(), int(name.size())) + "\":";
    const int k = s.indexOf(key);
    if (k < 0)
        return;
    const int start = k + key.size();
    if (start < s.size() && s.at(start) == '"')
        return;
    const int comma = s.indexOf(",\"", start);
    const int brace = s.indexOf('}', start);
    const int end = comma < 0 || (brace >= 0 && brace < comma) ? brace : comma;
    if (end < 0)
        return;
    s.insert(end, '"');
    s.insert(start, '"');
}

} // namespace

namespace ReplyRepair {

QByteArray captionReport(const QByteArray &str)
{
    if (!contains(str, "Color") || contains(str, "change"))
        return str;
    QByteArray s = str;
    for (const std::string_view key : {"Switch", "Bg_switch", "Color", "Bg_Color", "Move_dir"})
        quoteValue(s, key);
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
