#pragma once

#include <QString>
#include <QtGlobal>

/// Writes one debug line, as qDebug().noquote() << text would, without formatting it through a
/// text stream first: the reply path logs every report, some of them long.
#define PROTOCOL_LOG(text)                                                                         \
    qt_message_output(                                                                             \
        QtDebugMsg,                                                                                \
        QMessageLogContext(QT_MESSAGELOG_FILE, QT_MESSAGELOG_LINE, QT_MESSAGELOG_FUNC, "default"), \
        (text))
