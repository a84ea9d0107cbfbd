#include "devicestate.h"

#include <QMutex>

namespace {
// A report that repeats what is stored leaves the map (and its shared data) untouched.
template <typename Map> void replaceMap(Map &stored, const Map &incoming)
{
    if (stored != incoming)
        stored = incoming;
}

// Key 0 is no audio port: a report listing it must not leave a phantom entry behind.
QMap<int, int> withoutKeyZero(QMap<int, int> map)
{
    map.remove(0);
    return map;
}
} // namespace

DeviceState *DeviceState::instance()
{
    static QMutex mutex;
    static DeviceState *state = nullptr;
    QMutexLocker lock(&mutex);
    if (!state)
        state = new DeviceState;
    return state;
}

void DeviceState::setVideoRoute(const QMap<int, int> &route)
{
    replaceMap(m_videoRoute, route);
}

void DeviceState::setAudioRoute(const QMap<int, int> &route)
{
    replaceMap(m_audioRoute, route);
}

void DeviceState::setIrRoute(const QMap<int, int> &route)
{
    replaceMap(m_irRoute, route);
}

void DeviceState::setInputResolution(const QMap<int, QString> &resolutions)
{
    replaceMap(m_inputResolution, resolutions);
}

void DeviceState::setOutputResolution(const QMap<int, QString> &resolutions)
{
    replaceMap(m_outputResolution, resolutions);
}

QString DeviceState::outputResolutionAt(int output) const
{
    return m_outputResolution.value(output, QStringLiteral("1920x1080x60Hz"));
}

void DeviceState::setInputSignal(const QMap<int, bool> &present)
{
    replaceMap(m_inputSignal, present);
}

void DeviceState::setVolume(const QMap<int, int> &volume)
{
    replaceMap(m_volume, withoutKeyZero(volume));
}

void DeviceState::setVolumeAt(int port, int volume)
{
    if (port != 0)
        m_volume.insert(port, volume);
}

void DeviceState::setMute(const QMap<int, int> &mute)
{
    replaceMap(m_mute, withoutKeyZero(mute));
}

void DeviceState::setMuteAt(int port, int mute)
{
    if (port != 0)
        m_mute.insert(port, mute);
}

void DeviceState::setOutputLink(const QMap<int, bool> &linked)
{
    replaceMap(m_outputLink, linked);
}

void DeviceState::setFrozen(const QMap<int, bool> &frozen)
{
    replaceMap(m_frozen, frozen);
}

void DeviceState::setOutputLock(const QMap<int, bool> &locked)
{
    replaceMap(m_outputLock, locked);
}

void DeviceState::setVideoMute(const QMap<int, bool> &muted)
{
    replaceMap(m_videoMute, muted);
}

void DeviceState::setInputHdcp(const QMap<int, int> &modes)
{
    replaceMap(m_inputHdcp, modes);
}

void DeviceState::setWindowStatus(const QMap<int, QList<int>> &windows)
{
    replaceMap(m_windowStatus, windows);
}

void DeviceState::setVirMode(int mode)
{
    m_virMode = (mode >= 1 && mode <= 3) ? mode : 0;
}

void DeviceState::setRotateAngle(const QMap<int, int> &angles)
{
    replaceMap(m_rotateAngle, angles);
}

int DeviceState::setRotateAngleAt(int output, int angle)
{
    m_rotateAngle.insert(output, angle);
    return m_rotateAngle.size();
}

void DeviceState::setPlanNames(const QMap<int, QString> &names)
{
    replaceMap(m_planNames, names);
}

void DeviceState::setSplitterModeNormalised(int mode)
{
    m_splitterMode = (mode >= 1 && mode <= 6) ? mode : 0;
}

void DeviceState::setMultiviewWindows(const QMap<int, int> &windows)
{
    // Key 0 belongs to the multiview output, which the window list never carries.
    const auto kept = m_multiviewWindows.constFind(0);
    if (kept == m_multiviewWindows.constEnd()) {
        replaceMap(m_multiviewWindows, windows);
        return;
    }
    const int outputInput = kept.value();
    QMap<int, int> merged = windows;
    merged.insert(0, outputInput);
    replaceMap(m_multiviewWindows, merged);
}
