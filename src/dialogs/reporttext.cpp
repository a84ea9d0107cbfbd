#include "reporttext.h"

#include <QStringList>

namespace {
QString cleaned(QString value)
{
    value.remove(QLatin1Char('"'));
    return value.trimmed();
}
} // namespace

int ReportText::channel(const QString &text, bool *ok)
{
    const QString value = valueAfter(text, QStringLiteral("\"Chn\":"));
    bool parsed = false;
    const int number = value.toInt(&parsed, 10);
    if (ok)
        *ok = parsed;
    return parsed ? number : 0;
}

QString ReportText::valueAfter(const QString &text, const QString &key, const QString &stops)
{
    int from = text.indexOf(QLatin1String("\"Chn\":"));
    if (from < 0)
        from = 0;
    const int at = text.indexOf(key, from);
    if (at < 0)
        return QString();
    const int begin = at + key.size();
    int end = text.size();
    for (const QChar stop : stops) {
        const int found = text.indexOf(stop, begin);
        if (found >= 0 && found < end)
            end = found;
    }
    return cleaned(text.mid(begin, end - begin));
}

QColor ReportText::colorFromText(const QString &text, bool *threeParts)
{
    const QStringList parts = cleaned(text).split(QLatin1Char(','));
    if (threeParts)
        *threeParts = parts.size() == 3;
    int rgb[3] = {0, 0, 0};
    for (int i = 0; i < 3 && i < parts.size(); ++i)
        rgb[i] = qBound(0, parts.at(i).trimmed().toInt(nullptr, 10), 255);
    return QColor(rgb[0], rgb[1], rgb[2]);
}
