#include "activitytext.h"

#include <QRegularExpression>

namespace {

ActivityEntry entry(const QString &kind, int port, const QString &detail)
{
    ActivityEntry e;
    e.kind = kind;
    e.port = port;
    e.detail = detail;
    return e;
}

QString kindOfLayer(const QString &layer)
{
    if (layer.compare(QLatin1String("IR"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("infrared");
    return layer.toLower();
}

ActivityEntry route(const QString &layer, int input, int output)
{
    const QString kind = kindOfLayer(layer);
    return entry(kind, output,
                 input == 0 ? QStringLiteral("clear output %1").arg(output)
                            : QStringLiteral("input %1 → output %2").arg(input).arg(output));
}

} // namespace

namespace ActivityText {

std::optional<ActivityEntry> fromCommand(const QString &command)
{
    static const QRegularExpression shape(QStringLiteral("^\\{param=(.*)\\}$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch whole = shape.match(command.trimmed());
    if (!whole.hasMatch())
        return std::nullopt;
    const QString body = whole.captured(1);
    static const QStringList queries{
        QStringLiteral("version"),  QStringLiteral("status"),     QStringLiteral("inputinfo"),
        QStringLiteral("netInfo"),  QStringLiteral("resolution"), QStringLiteral("outputinfo"),
        QStringLiteral("hdcpinfo"), QStringLiteral("bindinfo"),   QStringLiteral("fence")};
    if (queries.contains(body) || body.startsWith(QLatin1String("Get_")))
        return std::nullopt;

    static const QRegularExpression routed(QStringLiteral("^(\\d+)(VIDEO|AUDIO|IR)(\\d+)$"));
    static const QRegularExpression plan(QStringLiteral("^(Save|Recall|Clear)(\\d+)$"));
    static const QRegularExpression bind(QStringLiteral("^(Bind|UnBind)([\\d/]+)$"));
    QRegularExpressionMatch m = routed.match(body);
    if (m.hasMatch())
        return route(m.captured(2), m.captured(1).toInt(), m.captured(3).toInt());
    m = plan.match(body);
    if (m.hasMatch())
        return entry(QStringLiteral("plan"), m.captured(2).toInt(),
                     QStringLiteral("%1 plan %2").arg(m.captured(1).toLower(), m.captured(2)));
    m = bind.match(body);
    if (m.hasMatch()) {
        const QString outputs = m.captured(2);
        return entry(QStringLiteral("splice"), outputs.section('/', 0, 0).toInt(),
                     m.captured(1) == QLatin1String("Bind")
                         ? QStringLiteral("splice outputs %1").arg(outputs)
                         : QStringLiteral("unsplice output %1").arg(outputs));
    }
    // Any other setting: the command as sent, the first number as its port.
    static const QRegularExpression number(QStringLiteral("\\d+"));
    return entry(QStringLiteral("setting"), number.match(body).captured(0).toInt(), body);
}

QList<ActivityEntry> fromChangedByOthers(const QJsonObject &report)
{
    static const QRegularExpression routed(QStringLiteral("^(video|audio|IR)(\\d+)_change$"),
                                           QRegularExpression::CaseInsensitiveOption);
    QList<ActivityEntry> entries;
    for (auto it = report.begin(); it != report.end(); ++it) {
        const QJsonValue value = it.value();
        const QString text =
            value.isString() ? value.toString() : QString::number(value.toVariant().toLongLong());
        // Signals coming and going and screens plugged in are the device's state, not a change
        // anyone made.
        if (it.key().startsWith(QLatin1String("input")) ||
            it.key().startsWith(QLatin1String("link")))
            continue;
        const QRegularExpressionMatch m = routed.match(it.key());
        ActivityEntry e;
        if (m.hasMatch()) {
            e = route(m.captured(1), text.toInt(), m.captured(2).toInt());
        } else if (it.key().contains(QLatin1String("Bind"))) {
            e = it.key().contains(QLatin1String("UnBind"))
                    ? entry(QStringLiteral("splice"), text.toInt(),
                            QStringLiteral("unsplice output %1").arg(text))
                    : entry(QStringLiteral("splice"), text.section('/', 0, 0).toInt(),
                            QStringLiteral("splice outputs %1").arg(text));
        } else {
            // An echoed command ("Volume102/30!") or a mode: as the device put it.
            QString shown = text;
            if (shown.endsWith('!'))
                shown.chop(1);
            static const QRegularExpression number(QStringLiteral("\\d+"));
            e = entry(QStringLiteral("setting"), number.match(shown).captured(0).toInt(),
                      it.key() == QLatin1String("e") ? shown
                                                     : it.key() + QLatin1String(": ") + shown);
        }
        e.byOthers = true;
        entries << e;
    }
    return entries;
}

} // namespace ActivityText
