#pragma once

#include <QtGlobal>

/// Appends every Qt message, from any thread, as one whole line to log/<yyyy-MM-dd>.log under
/// the working directory. Install with qInstallMessageHandler(messageHandler). A line equal to
/// the one before is counted and written as "repeated N times"; a day's file that reaches its
/// size limit (50 MiB) moves to <date>.1.log, the older ones one number up, three kept.
void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

/// Changes the size at which the day's file is rotated and how many rotated files are kept.
void setLogFileLimits(qint64 bytes, int kept);
