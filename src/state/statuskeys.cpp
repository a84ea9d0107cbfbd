#include "statuskeys.h"

namespace StatusKeys {

QStringList splitByWord(const QString &key, const QString &word)
{
    return key.split(word, Qt::SkipEmptyParts);
}

bool portOf(const QString &key, const QString &word, int *port)
{
    const QStringList pieces = splitByWord(key, word);
    if (pieces.size() != 1)
        return false;
    *port = pieces.first().toInt();
    return true;
}

QString valueText(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double: {
        const double d = value.toDouble();
        if (d == qint64(d))
            return QString::number(qint64(d));
        return QString::number(d);
    }
    default:
        return QString();
    }
}

int valueNumber(const QJsonValue &value)
{
    if (value.isDouble())
        return value.toInt();
    return valueText(value).trimmed().toInt();
}

bool valueIsTrue(const QJsonValue &value)
{
    return valueText(value) == QLatin1String("true");
}

int changedPort(const QString &key, const QString &word)
{
    QString head = key.section(QLatin1Char('_'), 0, 0);
    head.remove(word);
    return head.toInt();
}

Echo parseEcho(const QString &text, const QString &keyword)
{
    Echo echo;
    const int slash = text.indexOf(QLatin1Char('/'));
    QString head = slash < 0 ? text : text.left(slash);
    head.remove(keyword);
    echo.port = head.toInt();
    if (slash >= 0) {
        echo.value = text.mid(slash + 1);
        echo.value.remove(QLatin1Char('/'));
        echo.value.remove(QLatin1Char('!'));
    }
    return echo;
}

} // namespace StatusKeys
