#include "reportapplier.h"

#include "devicestate.h"
#include "statuskeys.h"

#include <QDebug>
#include <QJsonArray>

using namespace StatusKeys;

namespace {

QList<int> numbersOf(const QString &text)
{
    QList<int> numbers;
    for (const QString &piece : text.split(QLatin1Char('/')))
        numbers.append(piece.toInt());
    return numbers;
}

} // namespace

ReportApplier::ReportApplier(DeviceState *state, QObject *parent) : QObject(parent), m_state(state)
{
}

void ReportApplier::setSpliceGroups(std::function<QList<int>(int)> groupOf)
{
    m_groupOf = std::move(groupOf);
}

QList<int> ReportApplier::spliceGroupOf(int output) const
{
    const QList<int> group = m_groupOf ? m_groupOf(output) : QList<int>();
    return group.isEmpty() ? QList<int>{output} : group;
}

void ReportApplier::setHdmiAudioFollow(bool follow)
{
    m_hdmiAudioFollow = follow && m_state->deviceType() != Dev0409S;
}

bool ReportApplier::applyVersion(const QJsonObject &report, bool *audioFollows)
{
    const DeviceState::Batch batch(m_state);
    DeviceType type = Dev0809;
    const bool known = modelFromName(valueText(report.value(QStringLiteral("device"))), &type);
    if (known) {
        m_state->setDeviceType(type);
        if (type == Dev0809M)
            m_state->setSplitterMode(valueNumber(report.value(QStringLiteral("Splitter"))));
    }
    m_state->setFpgaVersion(valueText(report.value(QStringLiteral("FPGA"))));
    m_state->setMcuVersion(valueText(report.value(QStringLiteral("MCU"))));
    m_state->setDeviceTypeText(valueText(report.value(QStringLiteral("type"))));

    const bool follow = valueIsTrue(report.value(QStringLiteral("audio")));
    if (audioFollows)
        *audioFollows = follow;
    setHdmiAudioFollow(follow);

    // Four gaps between columns, then four between rows; a list of any other length is no bezel.
    BezelValues bezel{};
    const QStringList xs =
        valueText(report.value(QStringLiteral("bezel_x"))).split(QLatin1Char('/'));
    const QStringList ys =
        valueText(report.value(QStringLiteral("bezel_y"))).split(QLatin1Char('/'));
    for (int i = 0; i < 4; ++i) {
        if (xs.size() == 4)
            bezel[i] = xs[i].toUInt();
        if (ys.size() == 4)
            bezel[4 + i] = ys[i].toUInt();
    }
    m_state->setBezel(bezel);
    return known;
}

void ReportApplier::applyInputSignals(const QJsonObject &report)
{
    QMap<int, bool> signal;
    for (auto it = report.begin(); it != report.end(); ++it) {
        const QStringList pieces = splitByWord(it.key(), QStringLiteral("-"));
        if (pieces.size() == 2)
            signal.insert(pieces[1].toInt(), valueIsTrue(it.value()));
    }
    m_state->setInputSignal(signal);
}

void ReportApplier::applyNetwork(const QJsonObject &report)
{
    const DeviceState::Batch batch(m_state);
    m_state->setIp(valueText(report.value(QStringLiteral("ip"))));
    m_state->setGateway(valueText(report.value(QStringLiteral("gateway"))));
    m_state->setSubnet(valueText(report.value(QStringLiteral("subnet"))));
    m_state->setMac(valueText(report.value(QStringLiteral("mac"))));
}

void ReportApplier::applyRoutes(const QJsonObject &report)
{
    storeRoutes(report);
    // After the batch has told the views.
    emit routesReported();
}

void ReportApplier::storeRoutes(const QJsonObject &report)
{
    const DeviceState::Batch batch(m_state);
    QMap<int, int> video;
    QMap<int, int> audio;
    QMap<int, int> ir;
    int port = 0;
    for (auto it = report.begin(); it != report.end(); ++it) {
        const QString key = it.key();
        if (key.contains(QLatin1String("video"))) {
            if (!portOf(key, QStringLiteral("video"), &port))
                continue;
            if (port == 900) {
                // The multiview windows' inputs, "a/b/c/d".
                QMap<int, int> windows;
                const QList<int> inputs = numbersOf(valueText(it.value()));
                for (int j = 0; j < inputs.size(); ++j)
                    windows.insert(j + 1, inputs[j]);
                m_state->setMultiviewWindows(windows);
                continue;
            }
            if (port == 9)
                m_state->setMultiviewWindowAt(0, valueNumber(it.value()));
            video.insert(port, valueNumber(it.value()));
        } else if (key.contains(QLatin1String("audio"))) {
            if (portOf(key, QStringLiteral("audio"), &port))
                audio.insert(port, valueNumber(it.value()));
        } else if (key.contains(QLatin1String("IR"))) {
            if (portOf(key, QStringLiteral("IR"), &port))
                ir.insert(port, valueNumber(it.value()));
        } else if (key.contains(QLatin1String("splice_mode"))) {
            if (m_state->deviceType() == Dev0808S) {
                m_state->setSpliceMode(valueNumber(it.value()));
                emit spliceModeReported(m_state->spliceMode());
            }
        }
    }
    m_state->setVideoRoute(video);
    m_state->setAudioRoute(audio);
    m_state->setIrRoute(ir);
}

void ReportApplier::applyResolutions(const QJsonObject &report)
{
    // Inputs 1..8 are reported; one not listed has no signal.
    QMap<int, bool> signal;
    for (int i = 1; i <= 8; ++i)
        signal.insert(i, false);
    QMap<int, QString> inputs;
    QMap<int, QString> outputs;
    int port = 0;
    for (auto it = report.begin(); it != report.end(); ++it) {
        const QString text = valueText(it.value());
        if (it.key().contains(QLatin1String("in"))) {
            if (portOf(it.key(), QStringLiteral("in"), &port)) {
                inputs.insert(port, text);
                signal.insert(port, text != QLatin1String("noinput"));
            }
        } else if (it.key().contains(QLatin1String("out"))) {
            if (portOf(it.key(), QStringLiteral("out"), &port))
                outputs.insert(port, text);
        }
    }
    {
        const DeviceState::Batch batch(m_state);
        m_state->setInputSignal(signal);
        m_state->setInputResolution(inputs);
        m_state->setOutputResolution(outputs);
    }
    emit resolutionsReported();
}

void ReportApplier::applyCaption(const QJsonObject &report)
{
    m_state->setCaption(CaptionInfo::fromReport(report));
}

void ReportApplier::applyVolumes(const QJsonObject &report)
{
    QMap<int, int> volume;
    QMap<int, int> mute;
    int port = 0;
    for (auto it = report.begin(); it != report.end(); ++it) {
        if (it.key().contains(QLatin1String("Volume"))) {
            if (portOf(it.key(), QStringLiteral("Volume"), &port))
                volume.insert(port, valueNumber(it.value()));
        } else if (it.key().contains(QLatin1String("Mute"))) {
            if (portOf(it.key(), QStringLiteral("Mute"), &port))
                mute.insert(port, valueNumber(it.value()));
        }
    }
    const DeviceState::Batch batch(m_state);
    m_state->setVolume(volume);
    m_state->setMute(mute);
}

void ReportApplier::applyOutputInfo(const QJsonObject &report)
{
    // "linkN": "link/frozen/lock/mute", each "true" or "false".
    QMap<int, bool> link;
    QMap<int, bool> frozen;
    QMap<int, bool> lock;
    QMap<int, bool> mute;
    int port = 0;
    for (auto it = report.begin(); it != report.end(); ++it) {
        if (!it.key().contains(QLatin1String("link")) ||
            !portOf(it.key(), QStringLiteral("link"), &port) || port == 0)
            continue;
        const QStringList flags = valueText(it.value()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (flags.size() != 4)
            continue;
        link.insert(port, flags[0] == QLatin1String("true"));
        frozen.insert(port, flags[1] == QLatin1String("true"));
        lock.insert(port, flags[2] == QLatin1String("true"));
        mute.insert(port, flags[3] == QLatin1String("true"));
    }
    const DeviceState::Batch batch(m_state);
    m_state->setOutputLink(link);
    m_state->setFrozen(frozen);
    m_state->setOutputLock(lock);
    m_state->setVideoMute(mute);
}

void ReportApplier::applyHdcp(const QJsonObject &report)
{
    QMap<int, int> hdcp;
    int port = 0;
    for (auto it = report.begin(); it != report.end(); ++it) {
        if (it.key().contains(QLatin1String("hdcp_in")) &&
            portOf(it.key(), QStringLiteral("hdcp_in"), &port))
            hdcp.insert(port, valueText(it.value()).toInt());
    }
    m_state->setInputHdcp(hdcp);
}

void ReportApplier::applyWindowStatus(const QJsonObject &report)
{
    QMap<int, QList<int>> windows;
    int vir = 0;
    QMap<int, int> audio;
    for (auto it = report.begin(); it != report.end(); ++it) {
        const QString key = it.key();
        const QJsonArray values = it.value().toArray();
        // VIR and AUDIO come as lists once repaired, as plain numbers in a report that
        // needed no repair.
        const int first = valueNumber(it.value().isArray() ? values.at(0) : it.value());
        if (key.contains(QLatin1String("window"))) {
            // The whole number after "window": "window11" is no second copy of window 1.
            bool numbered = false;
            const int id = key.mid(key.indexOf(QLatin1String("window")) + 6).toInt(&numbered);
            if (numbered && id >= 1 && id <= 4 && values.size() == 6) {
                QList<int> list;
                for (const QJsonValue &v : values)
                    list.append(valueNumber(v));
                windows.insert(id, list);
            }
        } else if (key == QLatin1String("VIR")) {
            vir = first;
            windows.insert(0, {vir});
        } else if (key == QLatin1String("AUDIO")) {
            if (first >= 1 && first <= 4)
                audio.insert(HdmiAudioOffset + 1, HdmiAudioOffset + first);
        } else {
            qDebug() << "Unknow Window Status Key: " << key;
        }
    }
    {
        const DeviceState::Batch batch(m_state);
        m_state->setWindowStatus(windows);
        m_state->setVirMode(vir);
        m_state->setAudioRoute(audio);
    }
    emit windowsReported();
}

void ReportApplier::applyRotation(const QJsonObject &report)
{
    QMap<int, int> angles;
    for (auto it = report.begin(); it != report.end(); ++it) {
        if (it.key().contains(QLatin1String("Angle")))
            angles.insert(it.key().right(1).toInt(), valueNumber(it.value()));
    }
    m_state->setRotateAngle(angles);
    emit rotationReported();
}

void ReportApplier::applyBindInfo(const QJsonObject &report)
{
    QList<QList<int>> groups;
    for (auto it = report.begin(); it != report.end(); ++it) {
        if (it.key().contains(QLatin1String("bind"))) {
            const QList<int> group = numbersOf(valueText(it.value()));
            if (group.size() > 1)
                groups.append(group);
        } else if (it.key().contains(QLatin1String("mode"))) {
            if (m_state->deviceType() != Dev0404) {
                m_state->setBindMode(valueNumber(it.value()));
                emit bindModeReported(m_state->bindMode());
            }
        }
    }
    emit bindGroupsReported(groups);
}

void ReportApplier::applyChangedByOthers(const QJsonObject &report)
{
    const DeviceType type = m_state->deviceType();
    for (auto it = report.begin(); it != report.end(); ++it) {
        const QString key = it.key();
        const QJsonValue value = it.value();
        if (key.contains(QLatin1String("mode")) && report.size() == 1) {
            if (type == Dev0808S) {
                m_state->setSpliceMode(valueNumber(value));
                emit spliceModeReported(m_state->spliceMode());
            } else {
                m_state->setBindMode(valueNumber(value));
                emit bindModeReported(m_state->bindMode());
            }
        } else if ((key.contains(QLatin1String("Chn")) || key.contains(QLatin1String("Mode")) ||
                    key.contains(QLatin1String("Color"))) &&
                   report.size() == 3) {
            // A no-signal output setting, read by its dialog from the forwarded text.
            continue;
        } else if (key.contains(QLatin1String("audio"))) {
            int port = changedPort(key, QStringLiteral("audio"));
            int input = valueNumber(value);
            if (type == Dev0409S) {
                // The wall model's one HDMI audio output.
                if (port != 1)
                    continue;
                port = HdmiAudioOffset + 1;
                input = (input >= 1 && input <= 4) ? HdmiAudioOffset + input : 0;
            }
            m_state->setAudioRouteAt(port, input);
            emit routeChangedByOthers(1, port);
        } else if (key.contains(QLatin1String("IR"))) {
            const int port = changedPort(key, QStringLiteral("IR"));
            m_state->setIrRouteAt(port, valueNumber(value));
            emit routeChangedByOthers(2, port);
        } else if (key.contains(QLatin1String("video"))) {
            const int port = changedPort(key, QStringLiteral("video"));
            if (port < 901) {
                applyVideoRoute(valueNumber(value), port, true);
                for (int o : spliceGroupOf(port))
                    emit routeChangedByOthers(0, o);
            } else
                m_state->setMultiviewWindowAt(port - 900, valueNumber(value));
        } else if (key.contains(QLatin1String("link"))) {
            m_state->setOutputLinkAt(changedPort(key, QStringLiteral("link")), valueIsTrue(value));
        } else if (key.contains(QLatin1String("input"))) {
            m_state->setInputSignalAt(changedPort(key, QStringLiteral("input")),
                                      valueIsTrue(value));
        } else if (key.contains(QLatin1String("Bind")) && !key.contains(QLatin1String("UnBind"))) {
            const QList<int> group = numbersOf(valueText(value));
            if (group.size() > 1)
                emit bindGroupAdded(group);
        } else if (key.contains(QLatin1String("UnBind"))) {
            emit bindGroupDissolved(valueNumber(value));
        } else {
            applyEchoedCommand(valueText(value));
        }
    }
}

void ReportApplier::applyEchoedCommand(const QString &text)
{
    auto echo = [&text](const char *keyword) { return parseEcho(text, QLatin1String(keyword)); };
    // The wall model echoes its HDMI audio ports as 101..104.
    auto audioPort = [this](int port) {
        return (m_state->deviceType() == Dev0409S && port >= 101 && port <= 104)
                   ? port - HdmiAudioOffset
                   : port;
    };
    if (text.contains(QLatin1String("Port"))) {
        const Echo e = echo("Port");
        QMap<int, QString> resolutions = m_state->outputResolution();
        resolutions.insert(e.port, e.value);
        m_state->setOutputResolution(resolutions);
        emit outputResolutionChangedByOthers(e.port);
    } else if (text.contains(QLatin1String("Frozen"))) {
        const Echo e = echo("Frozen");
        m_state->setFrozenAt(e.port, e.value == QLatin1String("1"));
    } else if (text.contains(QLatin1String("Output_Lock"))) {
        const Echo e = echo("Output_Lock");
        m_state->setOutputLockAt(e.port, e.value != QLatin1String("1"));
    } else if (text.contains(QLatin1String("Input_HDCP"))) {
        const Echo e = echo("Input_HDCP");
        m_state->setInputHdcpAt(e.port, e.value.toInt());
        emit hdcpChangedByOthers(e.port);
    } else if (text.contains(QLatin1String("Volume"))) {
        const Echo e = echo("Volume");
        m_state->setVolumeAt(audioPort(e.port), e.value.toInt());
    } else if (text.contains(QLatin1String("Analog_sel"))) {
        return;
    } else if (text.contains(QLatin1String("MuteOn")) || text.contains(QLatin1String("MuteOff"))) {
        const bool on = text.contains(QLatin1String("MuteOn"));
        const Echo e = parseEcho(text, on ? QStringLiteral("MuteOn") : QStringLiteral("MuteOff"));
        m_state->setMuteAt(audioPort(e.port), on ? 1 : 0);
    } else if (text.contains(QLatin1String("Scaler_Mode"))) {
        const Echo e = echo("Scaler_Mode");
        m_state->setScalingModeAt(e.port, e.value.toInt());
        emit scalingModeEchoed(
            QStringLiteral("{\"Chn\":%1,\"Scaler_Mode\":%2}").arg(e.port).arg(e.value));
    }
}

void ReportApplier::applyVideoRoute(int input, int output, bool clearMute)
{
    const DeviceState::Batch batch(m_state);
    for (int o : spliceGroupOf(output)) {
        m_state->setVideoRouteAt(o, input);
        if (m_hdmiAudioFollow)
            m_state->setAudioRouteAt(HdmiAudioOffset + o, HdmiAudioOffset + input);
        if (clearMute)
            m_state->setVideoMuteAt(o, false);
        else
            m_state->setFrozenAt(o, false);
    }
    if (m_state->deviceType() == Dev0809M)
        m_state->setMultiviewWindowAt(0, m_state->videoRouteAt(9));
}
