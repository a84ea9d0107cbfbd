#pragma once

#include "devicetype.h"

#include <QString>

/// The in-memory model of the connected device. GUI thread only; created on first use.
class DeviceState
{
public:
    static DeviceState *instance();

    QString ip() const { return m_ip; }
    void setIp(const QString &ip) { m_ip = ip; }
    int port() const { return m_port; }
    void setPort(int port) { m_port = port; }
    DeviceType deviceType() const { return m_deviceType; }
    void setDeviceType(DeviceType type) { m_deviceType = type; }

private:
    DeviceState() = default;

    QString m_ip;
    int m_port = 0;
    DeviceType m_deviceType = Dev0809;
};
