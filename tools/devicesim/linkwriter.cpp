#include "linkwriter.h"

#include <QRandomGenerator>
#include <QTcpSocket>

#include <algorithm>

namespace {
// Pieces of a split text go out this far apart, so they reach the client in separate reads.
constexpr int SplitGapMs = 3;
} // namespace

LinkWriter::LinkWriter(QTcpSocket *socket, const Faults &faults, QRandomGenerator *random,
                       QObject *parent)
    : QObject(parent), m_socket(socket), m_faults(faults), m_random(random)
{
    m_clock.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &LinkWriter::flushDue);
}

bool LinkWriter::isGarbageByte(char c)
{
    const uchar u = uchar(c);
    const bool letter = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
    return u != 0 && u != '{' && u != '}' && !letter;
}

QByteArray LinkWriter::garbage()
{
    static const char pool[] = "#$%&'()*+-./0123456789;<=>?@[\\]^_`|~!,:\r\n\"";
    const int length = int(m_random->bounded(1, 25));
    QByteArray out;
    for (int i = 0; i < length; ++i) {
        // Now and then a byte from the upper half, as line noise would bring.
        if (m_random->bounded(8) == 0)
            out += char(m_random->bounded(0x80, 0x100));
        else
            out += pool[m_random->bounded(int(sizeof(pool) - 1))];
    }
    return out;
}

void LinkWriter::send(const QByteArray &text, bool whole)
{
    const qint64 due = m_clock.elapsed() + m_faults.latencyMs;
    if (m_faults.garbage)
        enqueue(due, garbage());
    if (m_faults.split && !whole && text.size() > 1) {
        // Two or three pieces cut at random places.
        QList<int> cuts{int(m_random->bounded(1, text.size()))};
        if (text.size() > 2 && m_random->bounded(2))
            cuts << int(m_random->bounded(1, text.size()));
        std::sort(cuts.begin(), cuts.end());
        cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
        int from = 0;
        int gap = 0;
        for (int cut : qAsConst(cuts)) {
            enqueue(due + gap, text.mid(from, cut - from));
            from = cut;
            gap += SplitGapMs;
        }
        enqueue(due + gap, text.mid(from));
    } else {
        enqueue(due, text);
    }
    flushDue();
}

void LinkWriter::enqueue(qint64 due, const QByteArray &bytes)
{
    // Never earlier than what is already queued: texts keep their order.
    m_lastDue = std::max(m_lastDue, due);
    m_queue << Piece{m_lastDue, bytes};
}

void LinkWriter::flushDue()
{
    const qint64 now = m_clock.elapsed();
    // Split pieces are written one per timer run so that they travel separately.
    bool wrote = false;
    while (!m_queue.isEmpty() && m_queue.first().due <= now) {
        if (wrote && m_faults.split)
            break;
        const Piece piece = m_queue.takeFirst();
        if (m_socket->state() == QAbstractSocket::ConnectedState) {
            m_socket->write(piece.bytes);
            m_socket->flush();
            ++m_writes;
        }
        wrote = true;
    }
    if (m_socket->bytesToWrite() > MaxUnread) {
        m_queue.clear();
        emit overflow();
        return;
    }
    if (!m_queue.isEmpty())
        m_timer.start(int(std::max<qint64>(0, m_queue.first().due - m_clock.elapsed())));
}
