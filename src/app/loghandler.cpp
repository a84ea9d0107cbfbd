#include "loghandler.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

namespace {

// A faulty peer can make the reply path log without end; these keep the disk safe.
qint64 maxFileSize = 50 * 1024 * 1024;
int keptFiles = 3;
// A long run of one line is told at least this often, so the file shows it is still going on.
constexpr int RepeatReportEvery = 1000;

struct LogState
{
    QFile file;
    qint64 size = 0;
    QString lastMessage;
    QByteArray lastWhere;
    int repeats = 0;
};

LogState &state()
{
    static LogState s;
    return s;
}

QMutex &logMutex()
{
    static QMutex mutex;
    return mutex;
}

QString formatLine(const QString &message, const QByteArray &where, const QDateTime &now)
{
    return QStringLiteral("[%2]%3:%1")
        .arg(message, now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
             QString::fromUtf8(where));
}

// The day's file moves to <date>.1.log, older ones one number up; the oldest kept goes.
void rotate(const QString &path)
{
    const QString stem = path.left(path.size() - 4);
    QFile::remove(stem + QStringLiteral(".%1.log").arg(keptFiles));
    for (int n = keptFiles - 1; n >= 1; --n)
        QFile::rename(stem + QStringLiteral(".%1.log").arg(n),
                      stem + QStringLiteral(".%1.log").arg(n + 1));
    if (keptFiles > 0)
        QFile::rename(path, stem + QStringLiteral(".1.log"));
    else
        QFile::remove(path);
}

// The file stays open between lines; it is opened again when the day changes, when it was
// moved or deleted meanwhile, or when it is full.
bool openFor(LogState &s, const QString &path, qint64 incoming)
{
    const QFileInfo info(path);
    if (s.file.isOpen() && (s.file.fileName() != path || !info.exists()))
        s.file.close();
    if (s.file.isOpen() && s.size + incoming > maxFileSize) {
        s.file.close();
        rotate(path);
    }
    if (!s.file.isOpen()) {
        s.file.setFileName(path);
        if (!s.file.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
        s.size = s.file.size();
        if (s.size > 0 && s.size + incoming > maxFileSize) {
            s.file.close();
            rotate(path);
            if (!s.file.open(QIODevice::WriteOnly | QIODevice::Append))
                return false;
            s.size = 0;
        }
    }
    return true;
}

void writeLine(LogState &s, const QString &line, const QDateTime &now)
{
    // Written as UTF-8 as it stands: operator names and Chinese texts must survive the log.
    const QByteArray bytes = line.toUtf8() + "\r\n";
    const QString path = QStringLiteral("log/") + now.toString(QStringLiteral("yyyy-MM-dd")) +
                         QStringLiteral(".log");
    if (!openFor(s, path, bytes.size()))
        return;
    s.size += s.file.write(bytes);
    s.file.flush();
}

} // namespace

void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    Q_UNUSED(type)
    QMutexLocker lock(&logMutex());
    LogState &s = state();

    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray where = QByteArray("[File:") + (context.file ? context.file : "") +
                             "  Line:" + QByteArray::number(context.line) + ']';
    // A line the same as the one before is counted, not written again.
    if (message == s.lastMessage && where == s.lastWhere) {
        if (++s.repeats == RepeatReportEvery) {
            writeLine(s, formatLine(QStringLiteral("repeated %1 times").arg(s.repeats), where, now),
                      now);
            s.repeats = 0;
        }
        return;
    }
    if (s.repeats == 1) {
        writeLine(s, formatLine(s.lastMessage, s.lastWhere, now), now);
    } else if (s.repeats > 1) {
        writeLine(s,
                  formatLine(QStringLiteral("repeated %1 times").arg(s.repeats), s.lastWhere, now),
                  now);
    }
    s.repeats = 0;
    s.lastMessage = message;
    s.lastWhere = where;
    writeLine(s, formatLine(message, where, now), now);
}

void setLogFileLimits(qint64 bytes, int kept)
{
    QMutexLocker lock(&logMutex());
    maxFileSize = bytes;
    keptFiles = kept;
}
