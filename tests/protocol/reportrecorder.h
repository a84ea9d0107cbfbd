#pragma once

#include "protocol/messagedistance.h"

#include <QJsonObject>
#include <QMetaMethod>
#include <QStringList>

/// Records, in arrival order, every signal of a MessageDistance with its argument.
class ReportRecorder : public QObject
{
    Q_OBJECT

public:
    struct Entry
    {
        QString name;
        QJsonObject object;
        QString text; // a text or number argument
        bool flag = false;
    };

    // Signals are found by their argument types, so none is left out by hand.
    explicit ReportRecorder(MessageDistance *client)
    {
        static const QHash<QByteArray, const char *> slotFor{
            {"", "onPlain()"},
            {"QJsonObject", "onObject(QJsonObject)"},
            {"QString", "onText(QString)"},
            {"int", "onNumber(int)"},
            {"bool", "onFlag(bool)"}};
        const QMetaObject &mo = MessageDistance::staticMetaObject;
        for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
            const QMetaMethod signal = mo.method(i);
            const QByteArray types = signal.parameterTypes().join(',');
            if (signal.methodType() == QMetaMethod::Signal && slotFor.contains(types))
                connect(client, signal, this,
                        metaObject()->method(metaObject()->indexOfSlot(slotFor.value(types))));
        }
    }

    QList<Entry> entries() const { return m_entries; }
    QStringList names() const
    {
        QStringList result;
        for (const Entry &e : m_entries)
            result << e.name;
        return result;
    }
    int count(const QString &name) const { return names().count(name); }
    void clear() { m_entries.clear(); }

private slots:
    void onPlain() { add(); }
    void onObject(const QJsonObject &object) { add(object); }
    void onText(const QString &text) { add({}, text); }
    void onNumber(int n) { add({}, QString::number(n)); }
    void onFlag(bool on) { add({}, {}, on); }

private:
    void add(const QJsonObject &object = {}, const QString &text = {}, bool flag = false)
    {
        const QMetaMethod signal = sender()->metaObject()->method(senderSignalIndex());
        m_entries.append(Entry{QString::fromLatin1(signal.name()), object, text, flag});
    }

    QList<Entry> m_entries;
};
