#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects every Qt message while alive, so tests can count what a call logged.
class LogCapture
{
public:
    LogCapture()
    {
        lines().clear();
        m_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    static QStringList &lines()
    {
        static QStringList captured;
        return captured;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        lines().append(message);
    }
    QtMessageHandler m_previous = nullptr;
};
