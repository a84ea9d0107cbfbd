#include "messagescanner.h"

#include <algorithm>
#include <cstring>

void MessageScanner::append(const QByteArray &bytes)
{
    const int oldSize = m_buffer.size();
    m_buffer.resize(oldSize + bytes.size());
    char *out = m_buffer.data() + oldSize;
    for (const char c : bytes) {
        if (c != ' ' && c != '\n')
            *out++ = c;
    }
    m_buffer.resize(int(out - m_buffer.constData()));
}

bool MessageScanner::next(QByteArray *message)
{
    const char *data = m_buffer.constData();
    const int size = m_buffer.size();
    if (m_open < 0) {
        // Bytes before a "{" can only ever be discarded together with the next message, so
        // they are dropped now rather than held and scanned again.
        const void *open =
            size > m_start ? std::memchr(data + m_start, '{', size_t(size - m_start)) : nullptr;
        if (!open) {
            m_start = size;
            dropConsumed();
            return false;
        }
        m_open = int(static_cast<const char *>(open) - data);
        m_start = m_open;
        m_searched = m_open + 1;
    }
    const void *close = size > m_searched
                            ? std::memchr(data + m_searched, '}', size_t(size - m_searched))
                            : nullptr;
    if (!close) {
        m_searched = size;
        if (size - m_open > MaxMessageSize) {
            // No device report comes near this size: drop it rather than hold it forever. Only
            // the first drop of a run is told, however long the run goes on.
            if (!m_overflowing)
                m_dropped = size - m_open;
            m_overflowing = true;
            m_start = size;
            m_open = -1;
            dropConsumed();
        }
        return false;
    }
    const int end = int(static_cast<const char *>(close) - data) + 1;
    *message = m_buffer.mid(m_open, end - m_open);
    m_overflowing = false;
    m_start = end;
    m_open = -1;
    m_searched = end;
    dropConsumed();
    return true;
}

void MessageScanner::clear()
{
    m_buffer.clear();
    m_overflowing = false;
    m_start = 0;
    m_open = -1;
    m_searched = 0;
}

void MessageScanner::dropUnfinished()
{
    // Everything up to the last "}" may still hold complete messages; after it, the bytes from
    // the first "{" on can only be an unfinished one, and bytes without a "{" are never used.
    const int from = m_open >= 0 ? m_open : m_start;
    const int lastClose = std::max(int(m_buffer.lastIndexOf('}')), from - 1);
    m_buffer.resize(lastClose + 1);
    if (m_open >= m_buffer.size())
        m_open = -1;
    m_start = std::min(m_start, int(m_buffer.size()));
    m_searched = std::min(m_searched, int(m_buffer.size()));
    dropConsumed();
}

qint64 MessageScanner::takeDroppedBytes()
{
    const qint64 dropped = m_dropped;
    m_dropped = 0;
    return dropped;
}

// Consumed bytes leave in one move once they are the larger part of the buffer, so a burst of
// many messages is not shifted once per message.
void MessageScanner::dropConsumed()
{
    if (m_start == 0)
        return;
    if (m_start == m_buffer.size()) {
        m_buffer.resize(0);
    } else if (m_start >= 4096 && m_start * 2 >= m_buffer.size()) {
        m_buffer.remove(0, m_start);
    } else {
        return;
    }
    if (m_open >= 0)
        m_open -= m_start;
    m_searched -= m_start;
    m_start = 0;
}
