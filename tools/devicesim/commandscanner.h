#pragma once

#include <QByteArray>
#include <QList>

/// Cuts commands out of one client's byte stream. A command is the text between a `{` and the
/// next `}`; clients send no terminator, so one read may hold several commands or part of one.
/// Every byte is looked at once, and a client that sends a run of bytes without a closing brace
/// longer than the cap loses that run instead of growing the buffer without end.
class CommandScanner
{
public:
    static constexpr int DefaultCap = 64 * 1024;

    explicit CommandScanner(int cap = DefaultCap);

    /// Appends bytes and returns the contents of every command they completed, in order,
    /// without the braces. Bytes outside braces are skipped.
    QList<QByteArray> feed(const QByteArray &bytes);

    /// Bytes dropped so far because they reached the cap without a closing brace.
    qint64 droppedBytes() const { return m_dropped; }
    /// Bytes held for a command that has not been closed yet.
    int pendingBytes() const { return m_buffer.size(); }

private:
    QByteArray m_buffer;
    int m_open = -1; // position in m_buffer of the latest `{` not yet closed
    int m_cap;
    qint64 m_dropped = 0;
};
