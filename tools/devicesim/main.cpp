#include "simoptions.h"
#include "simserver.h"
#include "simstate.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corvane-devicesim"));

    SimOptions options;
    QString error;
    if (!SimOptions::parse(QCoreApplication::arguments(), &options, &error)) {
        std::fprintf(stderr, "corvane-devicesim: %s\nTry --help.\n", qUtf8Printable(error));
        return 2;
    }
    if (options.help) {
        std::fputs(qUtf8Printable(SimOptions::helpText()), stdout);
        return 0;
    }

    SimServer server(options);
    if (!server.start(&error)) {
        std::fprintf(stderr, "corvane-devicesim: cannot listen: %s\n", qUtf8Printable(error));
        return 1;
    }
    // Scripts and tests read the ports from this first line when they asked for port 0.
    std::printf("LISTENING control=%u upload=%u\n", unsigned(server.controlPort()),
                unsigned(server.uploadPort()));
    const SimState &state = server.model().state();
    std::printf("model %s: %d inputs, %d outputs, on %s%s%s%s\n",
                qUtf8Printable(SimState::modelText(state.type)), state.inputs, state.outputs,
                qUtf8Printable(options.listen.toString()),
                options.latencyMs
                    ? qUtf8Printable(QStringLiteral(", latency %1 ms").arg(options.latencyMs))
                    : "",
                (options.garbage || options.split || options.dropEveryMs) ? ", faults on" : "",
                options.live ? ", live inputs" : "");
    std::fflush(stdout);
    server.setLogToStdout(true);
    return app.exec();
}
