#include "reportrecorder.h"

#include "protocol/messagedistance.h"

#include <QMetaMethod>

// Signals are found by their argument types, so none is left out by hand.
ReportRecorder::ReportRecorder(MessageDistance *client)
{
    static const QHash<QByteArray, const char *> slotFor{{"", "onPlain()"},
                                                         {"QJsonObject", "onObject(QJsonObject)"},
                                                         {"QString", "onText(QString)"},
                                                         {"int", "onNumber(int)"},
                                                         {"bool", "onFlag(bool)"}};
    const QMetaObject &mo = MessageDistance::staticMetaObject;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        const QMetaMethod signal = mo.method(i);
        const QByteArray types = signal.parameterTypes().join(',');
        if (signal.methodType() != QMetaMethod::Signal || !slotFor.contains(types))
            continue;
        const int slot = metaObject()->indexOfSlot(slotFor.value(types));
        connect(client, signal, this, metaObject()->method(slot));
    }
}

QStringList ReportRecorder::names() const
{
    QStringList result;
    for (const Entry &e : m_entries)
        result << e.name;
    return result;
}

void ReportRecorder::add(const QJsonObject &object, const QString &text, bool flag)
{
    const QMetaMethod signal = sender()->metaObject()->method(senderSignalIndex());
    m_entries.append(Entry{QString::fromLatin1(signal.name()), object, text, flag});
}
