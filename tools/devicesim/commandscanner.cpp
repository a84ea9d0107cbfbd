#include "commandscanner.h"

CommandScanner::CommandScanner(int cap) : m_cap(cap)
{
}

QList<QByteArray> CommandScanner::feed(const QByteArray &bytes)
{
    QList<QByteArray> commands;
    int start = m_buffer.size(); // only the new bytes are scanned
    m_buffer += bytes;
    int consumed = 0;
    const char *data = m_buffer.constData();
    for (int i = start; i < m_buffer.size(); ++i) {
        if (data[i] == '{') {
            // A second opening brace restarts the command: "{{param=x}" still means x.
            m_open = i;
        } else if (data[i] == '}') {
            if (m_open >= 0)
                commands << m_buffer.mid(m_open + 1, i - m_open - 1);
            m_open = -1;
            consumed = i + 1;
        }
    }
    if (consumed > 0) {
        m_buffer.remove(0, consumed);
        if (m_open >= 0)
            m_open -= consumed;
    }
    if (m_open < 0) {
        // Nothing open: the rest is noise between commands.
        m_buffer.clear();
    } else if (m_open > 0) {
        m_buffer.remove(0, m_open);
        m_open = 0;
    }
    if (m_buffer.size() > m_cap) {
        m_dropped += m_buffer.size();
        m_buffer.clear();
        m_open = -1;
    }
    return commands;
}
