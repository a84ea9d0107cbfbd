#pragma once

#include "protocol/messagedistance.h"

#include <QMetaMethod>
#include <QStringList>

/// Records, in arrival order, every signal of a MessageDistance and its text, number or flag.
class ReportRecorder : public QObject
{
    Q_OBJECT

public:
    explicit ReportRecorder(MessageDistance *client)
    {
        const QMetaObject &mo = MessageDistance::staticMetaObject;
        for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
            const QMetaMethod signal = mo.method(i);
            int slot = metaObject()->indexOfSlot("on(" + signal.parameterTypes().join(',') + ')');
            // The console's copies of what was read and dispatched repeat the others.
            const bool copy =
                signal.name() == "chunkReceived" || signal.name() == "reportDispatched";
            if (signal.methodType() == QMetaMethod::Signal && !copy)
                connect(client, signal, this,
                        metaObject()->method(slot < 0 ? metaObject()->indexOfSlot("on()") : slot));
        }
    }

    QStringList names;
    int count(const char *name) const { return names.count(QLatin1String(name)); }
    QStringList args(const char *name) const
    {
        QStringList result;
        for (int i = 0; i < names.size(); ++i)
            if (names.at(i) == QLatin1String(name))
                result << m_args.at(i);
        return result;
    }
    void clear() { names.clear(), m_args.clear(); }

private slots:
    void on() { add({}); }
    void on(const QString &text) { add(text); }
    void on(int n) { add(QString::number(n)); }
    void on(bool flag) { add(flag ? "true" : "false"); }

private:
    void add(const QString &arg)
    {
        names << QString::fromLatin1(sender()->metaObject()->method(senderSignalIndex()).name());
        m_args << arg;
    }
    QStringList m_args;
};
