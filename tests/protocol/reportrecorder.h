#pragma once

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class MessageDistance;

/// Records, in arrival order and on the receiving thread, every signal of a MessageDistance.
class ReportRecorder : public QObject
{
    Q_OBJECT

public:
    struct Entry
    {
        QString name;
        QJsonObject object;
        QString text;
        bool flag = false;
        bool onOwnThread = true;
    };

    explicit ReportRecorder(MessageDistance *client);

    QList<Entry> entries() const { return m_entries; }
    QStringList names() const;
    int count(const QString &name) const;
    void clear() { m_entries.clear(); }

private:
    void add(const char *name, const QJsonObject &object = {}, const QString &text = {},
             bool flag = false);

    QList<Entry> m_entries;
};
