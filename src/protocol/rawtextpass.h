#pragma once

#include <QByteArray>
#include <QString>

/// The pass over everything received since the previous one, as text: the no-signal and
/// scaling replies are forwarded whole, and the HTTP-style upload acknowledgement is spotted.
namespace RawTextPass {

struct Result
{
    /// The received text up to its first zero byte, CR LF pairs removed, and "_change"
    /// removed from a no-signal change notice.
    QString text;
    /// How often text is forwarded: once for the no-signal keys, once for the scaling keys.
    int forwardCount = 0;
    /// The device acknowledged an upload or a network change.
    bool httpAcknowledged = false;
};

Result analyse(const QByteArray &raw);

} // namespace RawTextPass
