#pragma once

#include "state/devicetype.h"

#include <QHostAddress>
#include <QString>
#include <QStringList>

/// Command line of corvane-devicesim.
struct SimOptions
{
    DeviceType type = Dev0809;
    quint16 controlPort = 5050;
    quint16 uploadPort = 6666;
    QHostAddress listen = QHostAddress(QHostAddress::LocalHost);
    int latencyMs = 0;
    int dropEveryMs = 0; // 0: never drop the links
    bool garbage = false;
    bool split = false;
    bool live = false;
    int liveIntervalMs = 4000;
    bool seeded = false;
    quint32 seed = 0;
    bool help = false;

    /// Parses the arguments (the program name first, as QCoreApplication::arguments gives
    /// them). Returns false with a message for anything it does not understand.
    static bool parse(const QStringList &arguments, SimOptions *options, QString *error);
    static QString helpText();
    /// "0".."5" or a model text ("0409-S", "0409_S", "0809m", ...).
    static bool parseModel(const QString &text, DeviceType *type);
    /// "drop:N" (seconds, decimals allowed), "garbage", "split", comma-separated.
    static bool parseFaults(const QString &text, SimOptions *options, QString *error);
};
