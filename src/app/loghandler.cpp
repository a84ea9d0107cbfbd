#include "loghandler.h"

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QTextStream>

void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    Q_UNUSED(type)
    static QMutex mutex;
    QMutexLocker lock(&mutex);

    const QDateTime now = QDateTime::currentDateTime();
    // Written as UTF-8 as it stands: operator names and Chinese texts must survive the log.
    const QString line = QStringLiteral("[%4][File:%2  Line:%3]:%1")
                             .arg(message, QString::fromUtf8(context.file ? context.file : ""),
                                  QString::number(context.line),
                                  now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));

    QFile file(QStringLiteral("log/") + now.toString(QStringLiteral("yyyy-MM-dd")) +
               QStringLiteral(".log"));
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        return;
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << line << "\r\n";
    out.flush();
    file.close();
}
