#pragma once

#include <QtGlobal>

/// Appends every Qt message, from any thread, as one whole line to log/<yyyy-MM-dd>.log under
/// the working directory. Install with qInstallMessageHandler(messageHandler).
void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);
