#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

class QRandomGenerator;
class QTcpSocket;

/// Writes one link's outgoing texts in order, with the simulator's reply delay and its faults:
/// stray bytes between texts and texts written in several pieces.
class LinkWriter : public QObject
{
    Q_OBJECT
public:
    struct Faults
    {
        int latencyMs = 0;
        bool garbage = false;
        bool split = false;
    };

    /// Bytes a client may leave unread before the link is dropped.
    static constexpr qint64 MaxUnread = 8 * 1024 * 1024;

    LinkWriter(QTcpSocket *socket, const Faults &faults, QRandomGenerator *random,
               QObject *parent = nullptr);

    /// Queues one text. `whole` keeps it in one piece even in split mode.
    void send(const QByteArray &text, bool whole = false);

    /// Separate socket writes made so far (one per piece and per garbage run).
    int writes() const { return m_writes; }

    /// Bytes that may appear between texts in garbage mode: no braces, no letters (so no word the
    /// client looks for) and no zero byte (which would end the client's view of a read).
    static bool isGarbageByte(char c);

signals:
    /// The client stopped reading; the link should be dropped.
    void overflow();

private:
    struct Piece
    {
        qint64 due; // on m_clock
        QByteArray bytes;
    };
    void enqueue(qint64 due, const QByteArray &bytes);
    void flushDue();
    QByteArray garbage();

    QTcpSocket *m_socket;
    Faults m_faults;
    QRandomGenerator *m_random;
    QList<Piece> m_queue;
    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_lastDue = 0;
    int m_writes = 0;
};
