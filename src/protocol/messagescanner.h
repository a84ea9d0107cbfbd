#pragma once

#include <QByteArray>

/// Cuts device messages, a "{" up to the first "}" after it, out of the received byte stream.
/// Spaces and line feeds never reach a message; bytes before a message's "{" are discarded with
/// it. Every byte is looked at a bounded number of times, so the cost is linear in what arrives.
/// A message that grows past MaxMessageSize without its "}" is dropped, so a faulty peer cannot
/// make the buffer grow without limit; scanning resumes at the next "{".
class MessageScanner
{
public:
    static constexpr int MaxMessageSize = 1 << 20;

    /// Adds received bytes, dropping spaces and line feeds on the way in.
    void append(const QByteArray &bytes);
    /// Moves the next complete message into *message; false while none is complete.
    bool next(QByteArray *message);
    /// Forgets everything held, complete or not.
    void clear();
    /// Forgets the unfinished message at the end, if any; complete messages stay. For the end
    /// of a connection: what the next one sends can never finish it.
    void dropUnfinished();
    /// Bytes dropped when a run of oversized bytes began, once per run (0 otherwise); the run
    /// lasts until the next complete message.
    qint64 takeDroppedBytes();
    /// Bytes held that no message has taken yet.
    int pendingSize() const { return m_buffer.size() - m_start; }

private:
    void dropConsumed();

    QByteArray m_buffer;
    int m_start = 0;    // first byte no message has taken
    int m_open = -1;    // "{" of the message being collected, once seen
    int m_searched = 0; // the bytes before this hold no "}" after m_open
    qint64 m_dropped = 0;
    bool m_overflowing = false;
};
