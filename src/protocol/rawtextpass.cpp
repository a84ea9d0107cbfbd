#include "rawtextpass.h"

#include <string_view>

namespace {

// The keys are ASCII, so they are looked for in the received bytes (with CR LF pairs taken
// out, as in the text) rather than in the decoded text: the same answer, found much faster.
QByteArray withoutCrLf(const QByteArray &bytes)
{
    if (!bytes.contains('\r'))
        return bytes;
    QByteArray out;
    out.reserve(bytes.size());
    const int n = bytes.size();
    for (int i = 0; i < n; ++i) {
        if (bytes.at(i) == '\r' && i + 1 < n && bytes.at(i + 1) == '\n')
            ++i;
        else
            out.append(bytes.at(i));
    }
    return out;
}

// Quotes are everywhere in a report, so a key written with its quotes is looked for by what
// follows its opening quote, and the quote is checked after.
bool has(const QByteArray &bytes, std::string_view word)
{
    const std::string_view text(bytes.constData(), size_t(bytes.size()));
    if (word.size() < 2 || word.front() != '"')
        return text.find(word) != std::string_view::npos;
    const std::string_view rest = word.substr(1);
    for (size_t at = text.find(rest, 1); at != std::string_view::npos;
         at = text.find(rest, at + 1)) {
        if (text[at - 1] == '"')
            return true;
    }
    return false;
}

} // namespace

namespace RawTextPass {

Result analyse(const QByteArray &raw)
{
    Result result;
    const int zero = raw.indexOf('\0');
    const QByteArray received = zero < 0 ? raw : raw.left(zero);
    result.text = QString::fromUtf8(received);
    if (received.contains('\r'))
        result.text.remove(QStringLiteral("\r\n"));
    QByteArray bytes = withoutCrLf(received);

    if (has(bytes, "Chn_change") && has(bytes, "Mode_change") && has(bytes, "Color_change")) {
        result.text.remove(QStringLiteral("_change"));
        bytes.replace("_change", "");
    }
    const bool hasChn = has(bytes, "\"Chn\":");
    if (hasChn && has(bytes, "\"Mode\":") && has(bytes, "\"Color\":"))
        ++result.forwardCount;
    if (hasChn && has(bytes, "\"Scaler_Mode\":"))
        ++result.forwardCount;
    result.httpAcknowledged = has(bytes, "HTTP") && has(bytes, "200") && has(bytes, "Length:2OK");
    return result;
}

} // namespace RawTextPass
