#include "devicestate.h"

#include <QMutex>

#include <utility>

namespace {
// A report that repeats what is stored leaves the map (and its shared data) untouched.
template <typename Map> bool replaceMap(Map &stored, const Map &incoming)
{
    if (stored == incoming)
        return false;
    stored = incoming;
    return true;
}

template <typename Map, typename Value> bool putAt(Map &stored, int key, const Value &value)
{
    const auto it = stored.constFind(key);
    if (it != stored.constEnd() && it.value() == value)
        return false;
    stored.insert(key, value);
    return true;
}

template <typename Value> bool put(Value &stored, const Value &value)
{
    if (stored == value)
        return false;
    stored = value;
    return true;
}

// Key 0 is no audio port: a report listing it must not leave a phantom entry behind.
QMap<int, int> withoutKeyZero(QMap<int, int> map)
{
    map.remove(0);
    return map;
}
} // namespace

DeviceState::Batch::Batch(DeviceState *state) : m_state(state)
{
    ++m_state->m_batchDepth;
}

DeviceState::Batch::~Batch()
{
    if (--m_state->m_batchDepth > 0)
        return;
    const QList<Part> order = std::exchange(m_state->m_pendingOrder, {});
    const QMap<Part, QList<int>> pending = std::exchange(m_state->m_pending, {});
    const QList<Part> whole = std::exchange(m_state->m_pendingAll, {});
    for (Part part : order)
        emit m_state->changed(part, whole.contains(part) ? QList<int>() : pending.value(part));
}

DeviceState::DeviceState(QObject *parent) : QObject(parent)
{
}

DeviceState *DeviceState::instance()
{
    static QMutex mutex;
    static DeviceState *state = nullptr;
    QMutexLocker lock(&mutex);
    if (!state)
        state = new DeviceState;
    return state;
}

void DeviceState::notify(Part part, int port)
{
    if (m_batchDepth == 0) {
        emit changed(part, port < 0 ? QList<int>() : QList<int>{port});
        return;
    }
    if (!m_pendingOrder.contains(part))
        m_pendingOrder.append(part);
    if (port < 0) {
        if (!m_pendingAll.contains(part))
            m_pendingAll.append(part);
    } else {
        QList<int> &ports = m_pending[part];
        if (!ports.contains(port))
            ports.append(port);
    }
}

void DeviceState::setIp(const QString &ip)
{
    if (put(m_ip, ip))
        notify(Network);
}

void DeviceState::setPort(int port)
{
    if (put(m_port, port))
        notify(Network);
}

void DeviceState::setMac(const QString &mac)
{
    if (put(m_mac, mac))
        notify(Network);
}

void DeviceState::setGateway(const QString &gateway)
{
    if (put(m_gateway, gateway))
        notify(Network);
}

void DeviceState::setSubnet(const QString &subnet)
{
    if (put(m_subnet, subnet))
        notify(Network);
}

void DeviceState::setDeviceType(DeviceType type)
{
    if (put(m_deviceType, type))
        notify(Model);
}

void DeviceState::setMcuVersion(const QString &version)
{
    if (put(m_mcuVersion, version))
        notify(Model);
}

void DeviceState::setFpgaVersion(const QString &version)
{
    if (put(m_fpgaVersion, version))
        notify(Model);
}

void DeviceState::setDeviceTypeText(const QString &text)
{
    if (put(m_deviceTypeText, text))
        notify(Model);
}

void DeviceState::setVideoRoute(const QMap<int, int> &route)
{
    if (replaceMap(m_videoRoute, route))
        notify(VideoRoute);
}

void DeviceState::setVideoRouteAt(int output, int input)
{
    if (putAt(m_videoRoute, output, input))
        notify(VideoRoute, output);
}

void DeviceState::setAudioRoute(const QMap<int, int> &route)
{
    if (replaceMap(m_audioRoute, route))
        notify(AudioRoute);
}

void DeviceState::setAudioRouteAt(int output, int input)
{
    if (putAt(m_audioRoute, output, input))
        notify(AudioRoute, output);
}

void DeviceState::setIrRoute(const QMap<int, int> &route)
{
    if (replaceMap(m_irRoute, route))
        notify(IrRoute);
}

void DeviceState::setIrRouteAt(int output, int input)
{
    if (putAt(m_irRoute, output, input))
        notify(IrRoute, output);
}

void DeviceState::setInputResolution(const QMap<int, QString> &resolutions)
{
    if (replaceMap(m_inputResolution, resolutions))
        notify(InputResolution);
}

void DeviceState::setOutputResolution(const QMap<int, QString> &resolutions)
{
    if (replaceMap(m_outputResolution, resolutions))
        notify(OutputResolution);
}

void DeviceState::setInputSignal(const QMap<int, bool> &present)
{
    if (replaceMap(m_inputSignal, present))
        notify(InputSignal);
}

void DeviceState::setInputSignalAt(int input, bool present)
{
    if (putAt(m_inputSignal, input, present))
        notify(InputSignal, input);
}

void DeviceState::setVolume(const QMap<int, int> &volume)
{
    if (replaceMap(m_volume, withoutKeyZero(volume)))
        notify(Volume);
}

void DeviceState::setMute(const QMap<int, int> &mute)
{
    if (replaceMap(m_mute, withoutKeyZero(mute)))
        notify(Volume);
}

void DeviceState::setScalingModeAt(int output, int mode)
{
    if (putAt(m_scalingMode, output, mode))
        notify(ScalingMode, output);
}

void DeviceState::setOutputLink(const QMap<int, bool> &linked)
{
    if (replaceMap(m_outputLink, linked))
        notify(OutputFlags);
}

void DeviceState::setOutputLinkAt(int output, bool linked)
{
    if (putAt(m_outputLink, output, linked))
        notify(OutputFlags, output);
}

void DeviceState::setFrozen(const QMap<int, bool> &frozen)
{
    if (replaceMap(m_frozen, frozen))
        notify(OutputFlags);
}

void DeviceState::setFrozenAt(int output, bool frozen)
{
    if (putAt(m_frozen, output, frozen))
        notify(OutputFlags, output);
}

void DeviceState::setOutputLock(const QMap<int, bool> &locked)
{
    if (replaceMap(m_outputLock, locked))
        notify(OutputFlags);
}

void DeviceState::setOutputLockAt(int output, bool locked)
{
    if (putAt(m_outputLock, output, locked))
        notify(OutputFlags, output);
}

void DeviceState::setVideoMute(const QMap<int, bool> &muted)
{
    if (replaceMap(m_videoMute, muted))
        notify(OutputFlags);
}

void DeviceState::setVideoMuteAt(int output, bool muted)
{
    if (putAt(m_videoMute, output, muted))
        notify(OutputFlags, output);
}

void DeviceState::setInputHdcp(const QMap<int, int> &modes)
{
    if (replaceMap(m_inputHdcp, modes))
        notify(Hdcp);
}

void DeviceState::setInputHdcpAt(int input, int mode)
{
    if (putAt(m_inputHdcp, input, mode))
        notify(Hdcp, input);
}

void DeviceState::setWindowStatus(const QMap<int, QList<int>> &windows)
{
    if (replaceMap(m_windowStatus, windows))
        notify(Windows);
}

void DeviceState::setRotateAngle(const QMap<int, int> &angles)
{
    if (replaceMap(m_rotateAngle, angles))
        notify(Rotation);
}

void DeviceState::setBezel(const BezelValues &values)
{
    if (put(m_bezel, values))
        notify(Bezel);
}

void DeviceState::setPlanNames(const QMap<int, QString> &names)
{
    if (replaceMap(m_planNames, names))
        notify(PlanNames);
}

void DeviceState::setPlanNameAt(int index, const QString &name)
{
    if (putAt(m_planNames, index, name))
        notify(PlanNames, index);
}

void DeviceState::setBindMode(int mode)
{
    if (put(m_bindMode, mode))
        notify(Layout);
}

void DeviceState::setSpliceMode(int mode)
{
    if (put(m_spliceMode, spliceModeFromInt(mode)))
        notify(Layout);
}

void DeviceState::setSplitterMode(int mode)
{
    if (put(m_splitterMode, mode))
        notify(Layout);
}

void DeviceState::setSplitterModeNormalised(int mode)
{
    if (put(m_splitterMode, (mode >= 1 && mode <= 6) ? mode : 0))
        notify(Layout);
}

void DeviceState::setMultiviewWindowAt(int window, int input)
{
    if (putAt(m_multiviewWindows, window, input))
        notify(Multiview, window);
}

void DeviceState::setOsdInfoAt(int input, const CaptionInfo &info)
{
    if (putAt(m_osdInfo, input, info))
        notify(Osd, input);
}

void DeviceState::setCaption(const CaptionInfo &caption)
{
    if (put(m_caption, caption))
        notify(Caption);
}

void DeviceState::setVirMode(int mode)
{
    if (put(m_virMode, (mode >= 1 && mode <= 3) ? mode : 0))
        notify(Windows);
}

void DeviceState::setVolumeAt(int port, int volume)
{
    if (port != 0 && putAt(m_volume, port, volume))
        notify(Volume, port);
}

void DeviceState::setMuteAt(int port, int mute)
{
    if (port != 0 && putAt(m_mute, port, mute))
        notify(Volume, port);
}

QString DeviceState::outputResolutionAt(int output) const
{
    return m_outputResolution.value(output, QStringLiteral("1920x1080x60Hz"));
}

int DeviceState::setRotateAngleAt(int output, int angle)
{
    if (putAt(m_rotateAngle, output, angle))
        notify(Rotation, output);
    return m_rotateAngle.size();
}

void DeviceState::setMultiviewWindows(const QMap<int, int> &windows)
{
    // Key 0 belongs to the multiview output, which the window list never carries.
    QMap<int, int> merged = windows;
    const auto kept = m_multiviewWindows.constFind(0);
    if (kept != m_multiviewWindows.constEnd())
        merged.insert(0, kept.value());
    if (replaceMap(m_multiviewWindows, merged))
        notify(Multiview);
}
