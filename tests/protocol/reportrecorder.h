#pragma once

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class MessageDistance;

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

    explicit ReportRecorder(MessageDistance *client);

    QList<Entry> entries() const { return m_entries; }
    QStringList names() const;
    int count(const QString &name) const { return names().count(name); }
    void clear() { m_entries.clear(); }

private slots:
    void onPlain() { add(); }
    void onObject(const QJsonObject &object) { add(object); }
    void onText(const QString &text) { add({}, text); }
    void onNumber(int n) { add({}, QString::number(n)); }
    void onFlag(bool on) { add({}, {}, on); }

private:
    void add(const QJsonObject &object = {}, const QString &text = {}, bool flag = false);

    QList<Entry> m_entries;
};
