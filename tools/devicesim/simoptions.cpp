#include "simoptions.h"

#include <QCommandLineParser>

#include <cmath>

namespace {

bool parsePort(const QString &text, quint16 *port)
{
    bool ok = false;
    const uint n = text.toUInt(&ok, 10);
    if (!ok || n > 65535)
        return false;
    *port = quint16(n);
    return true;
}

bool parseMs(const QString &text, int low, int *ms)
{
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    if (!ok || n < low || n > 3600 * 1000)
        return false;
    *ms = n;
    return true;
}

} // namespace

QString SimOptions::helpText()
{
    return QStringLiteral(
        "Usage: corvane-devicesim [options]\n"
        "Behaves like the HDMI matrix / video-wall device on the network, for demos and tests.\n"
        "\n"
        "  --type T           model: 0 or 0808, 1 or 0809 (default), 2 or 0409-S, 3 or 0808-S,\n"
        "                     4 or 0809-M, 5 or 0404\n"
        "  --port P           control port (default 5050, 0 picks a free one)\n"
        "  --upload-port P    upload port (default 6666, 0 picks a free one)\n"
        "  --listen ADDR      address to listen on (default 127.0.0.1)\n"
        "  --latency MS       delay every reply by MS milliseconds\n"
        "  --fault LIST       comma-separated, repeatable: drop:N (drop every link every N s),\n"
        "                     garbage (stray bytes between reports), split (reports written\n"
        "                     in several pieces)\n"
        "  --live             inputs now and then gain or lose their signal\n"
        "  --live-interval MS mean time between such changes (default 4000)\n"
        "  --seed N           seed for faults and live changes, for repeatable runs\n"
        "  -h, --help         this text\n"
        "\n"
        "The first line printed is \"LISTENING control=<port> upload=<port>\"; after it every\n"
        "received command is logged, one line each.\n");
}

bool SimOptions::parseModel(const QString &text, DeviceType *type)
{
    QString t = text.trimmed().toUpper();
    t.replace(QLatin1Char('_'), QLatin1Char('-'));
    for (int i = Dev0808; i <= Dev0404; ++i) {
        const QString name = modelName(DeviceType(i));
        if (t == QString::number(i) || t == name || t == QString(name).remove(QLatin1Char('-'))) {
            *type = DeviceType(i);
            return true;
        }
    }
    return false;
}

bool SimOptions::parseFaults(const QString &text, SimOptions *options, QString *error)
{
    for (const QString &raw : text.split(QLatin1Char(','))) {
        const QString fault = raw.trimmed();
        if (fault == QLatin1String("garbage")) {
            options->garbage = true;
        } else if (fault == QLatin1String("split")) {
            options->split = true;
        } else if (fault.startsWith(QLatin1String("drop:"))) {
            bool ok = false;
            const double seconds = fault.mid(5).toDouble(&ok);
            if (!ok || !std::isfinite(seconds) || seconds < 0.05 || seconds > 86400) {
                *error = QStringLiteral("--fault drop:N wants N seconds, at least 0.05");
                return false;
            }
            options->dropEveryMs = int(std::lround(seconds * 1000));
        } else {
            *error = QStringLiteral("unknown fault \"%1\" (drop:N, garbage, split)").arg(fault);
            return false;
        }
    }
    return true;
}

bool SimOptions::parse(const QStringList &arguments, SimOptions *options, QString *error)
{
    QCommandLineParser parser;
    const QCommandLineOption type(QStringLiteral("type"), QString(), QStringLiteral("T"));
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("P"));
    const QCommandLineOption upload(QStringLiteral("upload-port"), QString(), QStringLiteral("P"));
    const QCommandLineOption listen(QStringLiteral("listen"), QString(), QStringLiteral("ADDR"));
    const QCommandLineOption latency(QStringLiteral("latency"), QString(), QStringLiteral("MS"));
    const QCommandLineOption fault(QStringLiteral("fault"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption live(QStringLiteral("live"));
    const QCommandLineOption interval(QStringLiteral("live-interval"), QString(),
                                      QStringLiteral("MS"));
    const QCommandLineOption seed(QStringLiteral("seed"), QString(), QStringLiteral("N"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({type, port, upload, listen, latency, fault, live, interval, seed, help});

    SimOptions o;
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error =
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first());
        return false;
    }
    o.help = parser.isSet(help);
    if (parser.isSet(type) && !parseModel(parser.value(type), &o.type)) {
        *error = QStringLiteral("unknown model \"%1\"").arg(parser.value(type));
        return false;
    }
    if (parser.isSet(port) && !parsePort(parser.value(port), &o.controlPort)) {
        *error = QStringLiteral("--port wants 0..65535");
        return false;
    }
    if (parser.isSet(upload) && !parsePort(parser.value(upload), &o.uploadPort)) {
        *error = QStringLiteral("--upload-port wants 0..65535");
        return false;
    }
    if (parser.isSet(listen)) {
        const QString text = parser.value(listen);
        o.listen = text == QLatin1String("localhost") ? QHostAddress(QHostAddress::LocalHost)
                                                      : QHostAddress(text);
        if (o.listen.isNull()) {
            *error = QStringLiteral("--listen wants an IP address, not \"%1\"").arg(text);
            return false;
        }
    }
    if (parser.isSet(latency) && !parseMs(parser.value(latency), 0, &o.latencyMs)) {
        *error = QStringLiteral("--latency wants milliseconds, 0 or more");
        return false;
    }
    for (const QString &value : parser.values(fault)) {
        if (!parseFaults(value, &o, error))
            return false;
    }
    o.live = parser.isSet(live);
    if (parser.isSet(interval) && !parseMs(parser.value(interval), 10, &o.liveIntervalMs)) {
        *error = QStringLiteral("--live-interval wants milliseconds, 10 or more");
        return false;
    }
    if (parser.isSet(seed)) {
        bool ok = false;
        o.seed = parser.value(seed).toUInt(&ok, 10);
        if (!ok) {
            *error = QStringLiteral("--seed wants a number");
            return false;
        }
        o.seeded = true;
    }
    *options = o;
    return true;
}
