// The device's reports applied to the store and the views, and the routing shared by the
// reports and the operator's drops.
#include "widget.h"
#include "widgetforms.h"

#include "app/appsettings.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/multiviewview.h"
#include "mainwindow/queryschedule.h"
#include "mainwindow/splicegroups.h"
#include "mainwindow/statuskeys.h"
#include "mainwindow/tableitemwidget.h"
#include "mainwindow/tablewidget.h"
#include "protocol/messagedistance.h"
#include "state/captioninfo.h"
#include "state/devicestate.h"
#include "state/sigmanager.h"
#include "users/permissionfunction.h"
#include "users/permissionstore.h"
#include "wall/wallcanvas.h"

#include <QButtonGroup>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

using namespace StatusKeys;

namespace {

const int HdmiAudioOffset = 100;

// The models by the name the version report gives them.
const QMap<QString, DeviceType> &modelsByName()
{
    static const QMap<QString, DeviceType> models{
        {QStringLiteral("0809"), Dev0809},    {QStringLiteral("0808"), Dev0808},
        {QStringLiteral("0409-S"), Dev0409S}, {QStringLiteral("0808-S"), Dev0808S},
        {QStringLiteral("0809-M"), Dev0809M}, {QStringLiteral("0404"), Dev0404}};
    return models;
}

QMap<int, int> routeOfKind(int kind)
{
    DeviceState *store = DeviceState::instance();
    switch (kind) {
    case 0:
        return store->videoRoute();
    case 3:
        return store->irRoute();
    default:
        return store->audioRoute();
    }
}

} // namespace

void Widget::refreshView(int kind)
{
    if (TableWidget *table = tableOfKind(kind))
        table->refreshFromRoute(routeOfKind(kind));
}

QList<int> Widget::spliceGroupOf(int output) const
{
    const QList<int> group = m_splitManager ? m_splitManager->groupOf(output) : QList<int>();
    return group.isEmpty() ? QList<int>{output} : group;
}

void Widget::applyVideoRoute(int input, int output, bool clearMute)
{
    DeviceState *store = DeviceState::instance();
    for (int o : spliceGroupOf(output)) {
        store->setVideoRouteAt(o, input);
        if (m_hdmiAudioFollow)
            store->setAudioRouteAt(HdmiAudioOffset + o, HdmiAudioOffset + input);
        if (clearMute)
            store->setVideoMuteAt(o, false);
        else
            store->setFrozenAt(o, false);
        updateVideoWidgetOutputInfoByPort(o);
    }
    refreshView(0);
    if (m_hdmiAudioFollow)
        refreshView(4);
    if (store->deviceType() == Dev0809M) {
        store->setMultiviewWindowAt(0, store->videoRouteAt(9));
        if (m_multiviewView)
            m_multiviewView->refresh();
    }
}

void Widget::applySpliceMode(int mode, bool fromOperator)
{
    DeviceState *store = DeviceState::instance();
    const QList<int> outputs = spliceModeOutputs(mode);
    if (fromOperator) {
        QList<int> touched = outputs;
        for (int o : outputs) {
            for (int member : spliceGroupOf(o)) {
                if (!touched.contains(member))
                    touched.append(member);
            }
        }
        for (int o : touched) {
            if (m_permissions && !m_permissions->hasPortPermission(o, OutputPortKind))
                return;
        }
        if (!linkReady(QStringLiteral("splice mode %1").arg(mode))) {
            if (QAbstractButton *button = m_spliceModeGroup->button(store->spliceMode()))
                button->setChecked(true);
            return;
        }
        m_client->setMode(mode);
    }
    store->setSpliceMode(mode);
    if (m_splitManager)
        m_splitManager->formOnlyGroup(outputs);
    if (fromOperator)
        applyVideoRoute(store->videoRouteAt(outputs.first()), outputs.first(), false);
    if (QAbstractButton *button = m_spliceModeGroup->button(store->spliceMode()))
        button->setChecked(true);
}

void Widget::receiveVersionSlot(const QJsonObject &object)
{
    // The delays of the status queries count from the report's arrival; the first one leaves
    // before the views are rebuilt, as it needs nothing from them.
    QElapsedTimer sinceReport;
    sinceReport.start();
    m_client->getStatus();

    DeviceState *store = DeviceState::instance();
    AppSettings *settings = AppSettings::instance();
    const QString device = valueText(object.value(QStringLiteral("device")));
    const auto known = modelsByName().constFind(device);
    if (known != modelsByName().cend()) {
        store->setDeviceType(known.value());
        if (known.value() == Dev0809M)
            store->setSplitterMode(valueNumber(object.value(QStringLiteral("Splitter"))));
        arrangeForDeviceType();
        if (known.value() == Dev0409S)
            m_wallCanvas->resetAndLayout();
        settings->setType(known.value());
    } else {
        // An unknown model keeps the arrangement; the stored type falls back to the default.
        settings->setType(Dev0809);
        buildTables();
    }

    store->setFpgaVersion(valueText(object.value(QStringLiteral("FPGA"))));
    store->setMcuVersion(valueText(object.value(QStringLiteral("MCU"))));
    store->setDeviceTypeText(valueText(object.value(QStringLiteral("type"))));
    showAboutTexts();

    const bool follow = valueIsTrue(object.value(QStringLiteral("audio")));
    {
        const QSignalBlocker blocker(m_ui->HdmiAudioComboBox);
        m_ui->HdmiAudioComboBox->setCurrentIndex(follow ? 0 : 1);
    }
    applyHdmiAudioFollow(follow);

    BezelValues bezel{};
    const QStringList xs =
        valueText(object.value(QStringLiteral("bezel_x"))).split(QLatin1Char('/'));
    const QStringList ys =
        valueText(object.value(QStringLiteral("bezel_y"))).split(QLatin1Char('/'));
    if (xs.size() == 4) {
        for (int i = 0; i < 4; ++i)
            bezel[i] = xs[i].toUInt();
    }
    if (ys.size() == 4) {
        for (int i = 0; i < 4; ++i)
            bezel[4 + i] = ys[i].toUInt();
    }
    store->setBezel(bezel);

    // Indexed by QuerySchedule::Query. Status went out first, above.
    static void (MessageDistance::*const queries[])() = {
        &MessageDistance::getStatus,     &MessageDistance::getInputInfo,
        &MessageDistance::getNetInfo,    &MessageDistance::getResolution,
        &MessageDistance::getRotate,     &MessageDistance::getHdcpInfo,
        &MessageDistance::getOutputInfo, &MessageDistance::getBindInfo,
    };
    for (const QuerySchedule::Entry &entry : QuerySchedule::forType(store->deviceType())) {
        if (entry.query == QuerySchedule::Status)
            continue;
        const int left = qMax(0, entry.delayMs - int(sinceReport.elapsed()));
        QTimer::singleShot(left, m_client, queries[entry.query]);
    }
}

void Widget::showAboutTexts()
{
    const DeviceState *store = DeviceState::instance();
    // The model the window is arranged for, which is the reported one unless it was unknown.
    m_ui->typeLabel->setText(modelsByName().key(store->deviceType()));
    m_ui->deviceKindLabel->setText(store->deviceTypeText());
    m_ui->deviceMCU_label->setText(store->mcuVersion());
    m_ui->deviceFPGA_label->setText(store->fpgaVersion());
    m_ui->softwareLabel->setText(QStringLiteral("V" CORVANE_VERSION));
}

void Widget::receiveInputChannelStateSlot(const QJsonObject &object)
{
    QMap<int, bool> signal;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QStringList pieces = splitByWord(it.key(), QStringLiteral("-"));
        if (pieces.size() == 2)
            signal.insert(pieces[1].toInt(), valueIsTrue(it.value()));
    }
    DeviceState::instance()->setInputSignal(signal);
    m_ui->listWidget->refreshSelectionAndMode();
}

void Widget::receiveNetWorkImforamtionSlot(const QJsonObject &object)
{
    DeviceState *store = DeviceState::instance();
    const QString ip = valueText(object.value(QStringLiteral("ip")));
    const QString gateway = valueText(object.value(QStringLiteral("gateway")));
    const QString subnet = valueText(object.value(QStringLiteral("subnet")));
    const QString mac = valueText(object.value(QStringLiteral("mac")));
    store->setIp(ip);
    store->setGateway(gateway);
    store->setSubnet(subnet);
    store->setMac(mac);
    m_ui->IpEdit->setText(ip);
    m_ui->GateWayEdit->setText(gateway);
    m_ui->SubnetEdit->setText(subnet);
    m_ui->MacEdit->setText(mac);
    qDebug() << "******netinfo******";
    qDebug() << QJsonDocument(object).toJson(QJsonDocument::Compact) << ip << gateway << subnet
             << mac;
    qDebug() << "******netinfo******";
}

void Widget::receiveVideoAudioIRMapSlot(const QJsonObject &object)
{
    DeviceState *store = DeviceState::instance();
    QMap<int, int> video;
    QMap<int, int> audio;
    QMap<int, int> ir;
    int port = 0;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString key = it.key();
        if (key.contains(QLatin1String("video"))) {
            if (!portOf(key, QStringLiteral("video"), &port))
                continue;
            if (port == 900) {
                QMap<int, int> windows;
                const QStringList inputs = valueText(it.value()).split(QLatin1Char('/'));
                for (int j = 0; j < inputs.size(); ++j)
                    windows.insert(j + 1, inputs[j].toInt());
                store->setMultiviewWindows(windows);
                if (m_multiviewView)
                    m_multiviewView->refresh();
            } else if (port == 9) {
                video.insert(9, valueNumber(it.value()));
                store->setMultiviewWindowAt(0, valueNumber(it.value()));
                if (m_multiviewView)
                    m_multiviewView->refresh();
            } else {
                video.insert(port, valueNumber(it.value()));
            }
        } else if (key.contains(QLatin1String("audio"))) {
            if (portOf(key, QStringLiteral("audio"), &port))
                audio.insert(port, valueNumber(it.value()));
        } else if (key.contains(QLatin1String("IR"))) {
            if (portOf(key, QStringLiteral("IR"), &port))
                ir.insert(port, valueNumber(it.value()));
        } else if (key.contains(QLatin1String("splice_mode"))) {
            if (store->deviceType() == Dev0808S)
                applySpliceMode(spliceModeFromInt(valueNumber(it.value())), false);
        }
    }
    store->setVideoRoute(video);
    refreshView(0);
    store->setAudioRoute(audio);
    refreshView(1);
    refreshView(4);
    store->setIrRoute(ir);
    refreshView(3);
}

void Widget::receiveInOutChannelResolutionSlot(const QJsonObject &object)
{
    QMap<int, bool> signal;
    for (int i = 1; i <= 8; ++i)
        signal.insert(i, false);
    QMap<int, QString> inputs;
    QMap<int, QString> outputs;
    int port = 0;
    for (auto it = object.begin(); it != object.end(); ++it) {
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
    DeviceState *store = DeviceState::instance();
    store->setInputSignal(signal);
    m_ui->listWidget->refreshSelectionAndMode();
    store->setInputResolution(inputs);
    store->setOutputResolution(outputs);
    emit si_map_out_resolu_ready();
}

void Widget::receiveOsdImfSlot(int port, const QJsonObject &object)
{
    if (port == -1)
        return;
    DeviceState::instance()->setOsdInfoAt(port, CaptionInfo::fromReport(object));
}

void Widget::receiveTitleImfSlot(const QJsonObject &object)
{
    DeviceState::instance()->setCaption(CaptionInfo::fromReport(object));
}

void Widget::receiveVolumeValueSlot(const QJsonObject &object)
{
    QMap<int, int> volume;
    QMap<int, int> mute;
    int port = 0;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key().contains(QLatin1String("Volume"))) {
            if (portOf(it.key(), QStringLiteral("Volume"), &port))
                volume.insert(port, valueNumber(it.value()));
        } else if (it.key().contains(QLatin1String("Mute"))) {
            if (portOf(it.key(), QStringLiteral("Mute"), &port))
                mute.insert(port, valueNumber(it.value()));
        }
    }
    volume.remove(0);
    mute.remove(0);
    DeviceState::instance()->setVolume(volume);
    DeviceState::instance()->setMute(mute);
    emit SigManager::instance()->Sig_UpdateVolumes();
}

void Widget::receiveOutputInfoSlot(const QJsonObject &object)
{
    QMap<int, bool> link;
    QMap<int, bool> frozen;
    QMap<int, bool> lock;
    QMap<int, bool> mute;
    int port = 0;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.key().contains(QLatin1String("link")) ||
            !portOf(it.key(), QStringLiteral("link"), &port))
            continue;
        const QStringList flags = valueText(it.value()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (flags.size() != 4)
            continue;
        link.insert(port, flags[0] == QLatin1String("true"));
        frozen.insert(port, flags[1] == QLatin1String("true"));
        lock.insert(port, flags[2] == QLatin1String("true"));
        mute.insert(port, flags[3] == QLatin1String("true"));
    }
    for (QMap<int, bool> *map : {&link, &frozen, &lock, &mute})
        map->remove(0);
    DeviceState *store = DeviceState::instance();
    store->setOutputLink(link);
    store->setFrozen(frozen);
    store->setOutputLock(lock);
    store->setVideoMute(mute);
    emit SigManager::instance()->Sig_UpdateOutputInfo();
}

void Widget::updateVideoWidgetOutputInfoByPort(int output)
{
    m_ui->videoTableWidget->refreshOutputFlags(output);
}

void Widget::updateVideoWidgetOutputInfo()
{
    m_ui->videoTableWidget->refreshOutputFlags();
}

void Widget::receiveHDCPInfoSlot(const QJsonObject &object)
{
    QMap<int, int> hdcp;
    int port = 0;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key().contains(QLatin1String("hdcp_in")) &&
            portOf(it.key(), QStringLiteral("hdcp_in"), &port))
            hdcp.insert(port, valueText(it.value()).toInt());
    }
    DeviceState::instance()->setInputHdcp(hdcp);
}

void Widget::receiveWindowStatusSlot(const QJsonObject &object)
{
    QMap<int, QList<int>> windows;
    int vir = 0;
    QMap<int, int> audio;
    for (auto it = object.begin(); it != object.end(); ++it) {
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
            const int a = first;
            if (a >= 1 && a <= 4)
                audio.insert(HdmiAudioOffset + 1, a + HdmiAudioOffset);
        } else {
            qDebug() << "Unknow Window Status Key: " << key;
        }
    }
    DeviceState *store = DeviceState::instance();
    store->setWindowStatus(windows);
    store->setVirMode(vir);
    setVirButtonIcons(store->virMode());
    m_wallCanvas->redraw();
    store->setAudioRoute(audio);
    emit si_windows_ready();
}

void Widget::receiveRotateAngleSlot(const QJsonObject &object)
{
    QMap<int, int> angles;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key().contains(QLatin1String("Angle")))
            angles.insert(it.key().right(1).toInt(), valueNumber(it.value()));
    }
    DeviceState::instance()->setRotateAngle(angles);
    emit si_rotate_degree_ready();
}

void Widget::receiveBindInfoSlot(const QJsonObject &object)
{
    DeviceState *store = DeviceState::instance();
    QList<QList<int>> groups;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key().contains(QLatin1String("bind"))) {
            const QStringList pieces = valueText(it.value()).split(QLatin1Char('/'));
            if (pieces.size() > 1) {
                QList<int> group;
                for (const QString &piece : pieces)
                    group.append(piece.toInt());
                groups.append(group);
            }
        } else if (it.key().contains(QLatin1String("mode"))) {
            if (store->deviceType() != Dev0404) {
                store->setBindMode(valueNumber(it.value()));
                if (m_splitManager)
                    m_splitManager->layoutForMode(store->bindMode());
                else
                    buildTables();
            }
        }
    }
    if (m_splitManager)
        m_splitManager->replaceGroups(groups);
}

void Widget::receiveChangedByOthersSlot(const QJsonObject &object)
{
    qDebug() << "*** Status Changed by Others ***";
    DeviceState *store = DeviceState::instance();
    const DeviceType type = store->deviceType();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString key = it.key();
        const QJsonValue value = it.value();
        if (key.contains(QLatin1String("mode")) && object.size() == 1) {
            if (type == Dev0808S) {
                applySpliceMode(spliceModeFromInt(valueNumber(value)), false);
            } else {
                store->setBindMode(valueNumber(value));
                if (m_splitManager)
                    m_splitManager->layoutForMode(store->bindMode());
                else
                    buildTables();
            }
        } else if ((key.contains(QLatin1String("Chn")) || key.contains(QLatin1String("Mode")) ||
                    key.contains(QLatin1String("Color"))) &&
                   object.size() == 3) {
            continue;
        } else if (key.contains(QLatin1String("audio"))) {
            int port = changedPort(key, QStringLiteral("audio"));
            int input = valueNumber(value);
            if (type == Dev0409S) {
                if (port != 1)
                    continue;
                port = HdmiAudioOffset + 1;
                input = (input >= 1 && input <= 4) ? HdmiAudioOffset + input : 0;
            }
            store->setAudioRouteAt(port, input);
            refreshView(1);
            refreshView(4);
        } else if (key.contains(QLatin1String("IR"))) {
            store->setIrRouteAt(changedPort(key, QStringLiteral("IR")), valueNumber(value));
            refreshView(3);
        } else if (key.contains(QLatin1String("video"))) {
            const int port = changedPort(key, QStringLiteral("video"));
            if (port < 901) {
                applyVideoRoute(valueNumber(value), port, true);
            } else {
                store->setMultiviewWindowAt(port - 900, valueNumber(value));
                if (m_multiviewView)
                    m_multiviewView->refresh();
            }
        } else if (key.contains(QLatin1String("link"))) {
            const int port = changedPort(key, QStringLiteral("link"));
            store->setOutputLinkAt(port, valueIsTrue(value));
            updateVideoWidgetOutputInfoByPort(port);
        } else if (key.contains(QLatin1String("input"))) {
            store->setInputSignalAt(changedPort(key, QStringLiteral("input")), valueIsTrue(value));
            m_ui->listWidget->refreshSelectionAndMode();
        } else if (key.contains(QLatin1String("Bind")) && !key.contains(QLatin1String("UnBind"))) {
            const QStringList pieces = valueText(value).split(QLatin1Char('/'));
            if (pieces.size() > 1 && m_splitManager) {
                QList<int> group;
                for (const QString &piece : pieces)
                    group.append(piece.toInt());
                m_splitManager->addGroup(group);
            }
        } else if (key.contains(QLatin1String("UnBind"))) {
            if (m_splitManager)
                m_splitManager->dissolveGroupOf(valueNumber(value));
        } else {
            applyEchoedCommand(valueText(value));
        }
    }
}

void Widget::applyEchoedCommand(const QString &text)
{
    DeviceState *store = DeviceState::instance();
    auto echo = [&text](const char *keyword) { return parseEcho(text, QLatin1String(keyword)); };
    if (text.contains(QLatin1String("Port"))) {
        const Echo e = echo("Port");
        QMap<int, QString> resolutions = store->outputResolution();
        resolutions.insert(e.port, e.value);
        store->setOutputResolution(resolutions);
        emit si_outResoluChangedByOthers(e.port);
    } else if (text.contains(QLatin1String("Frozen"))) {
        const Echo e = echo("Frozen");
        store->setFrozenAt(e.port, e.value == QLatin1String("1"));
        updateVideoWidgetOutputInfoByPort(e.port);
    } else if (text.contains(QLatin1String("Output_Lock"))) {
        const Echo e = echo("Output_Lock");
        store->setOutputLockAt(e.port, e.value != QLatin1String("1"));
        updateVideoWidgetOutputInfoByPort(e.port);
    } else if (text.contains(QLatin1String("Input_HDCP"))) {
        const Echo e = echo("Input_HDCP");
        store->setInputHdcpAt(e.port, e.value.toInt());
        emit si_hdcpChangedByOthers(e.port);
    } else if (text.contains(QLatin1String("Volume"))) {
        Echo e = echo("Volume");
        if (store->deviceType() == Dev0409S && e.port >= 101 && e.port <= 104)
            e.port -= HdmiAudioOffset;
        store->setVolumeAt(e.port, e.value.toInt());
        emit SigManager::instance()->Sig_UpdateVolumes();
    } else if (text.contains(QLatin1String("Analog_sel"))) {
        return;
    } else if (text.contains(QLatin1String("MuteOn")) || text.contains(QLatin1String("MuteOff"))) {
        const bool on = text.contains(QLatin1String("MuteOn"));
        Echo e = parseEcho(text, on ? QStringLiteral("MuteOn") : QStringLiteral("MuteOff"));
        if (store->deviceType() == Dev0409S && e.port >= 101 && e.port <= 104)
            e.port -= HdmiAudioOffset;
        store->setMuteAt(e.port, on ? 1 : 0);
        emit SigManager::instance()->Sig_UpdateVolumes();
    } else if (text.contains(QLatin1String("Scaler_Mode"))) {
        const Echo e = echo("Scaler_Mode");
        store->setScalingModeAt(e.port, e.value.toInt());
        emit si_ForwardAnalysis(
            QStringLiteral("{\"Chn\":%1,\"Scaler_Mode\":%2}").arg(e.port).arg(e.value));
    }
}

void Widget::sl_spliceGroupBtnClicked(int btnIndex)
{
    if (m_splitManager)
        applySpliceMode(spliceModeFromInt(btnIndex), true);
}

void Widget::SingleSplitterButtonChangeSlot(int mode)
{
    if (m_multiviewView)
        m_multiviewView->setLayoutMode(mode);
    DeviceState::instance()->setSplitterModeNormalised(mode);
    m_client->setSplitter(mode);
}

void Widget::JoinLayoutButtonChangeSlot_0409(int id)
{
    if (id >= 0 && id <= 2)
        m_wallCanvas->switchVirLayout(id);
}

void Widget::sl_sendNewBindMsg(int master, const QList<int> &members)
{
    applyVideoRoute(DeviceState::instance()->videoRouteAt(master), master, false);
    m_client->bindOutputs(master, members);
}

void Widget::sl_sendUnBindMsg(int output)
{
    m_client->unbindOutputs(output);
}

void Widget::onTableDrop(TableWidget *table, int input, int output)
{
    DeviceState *store = DeviceState::instance();
    if (!linkReady(QStringLiteral("input %1 to output %2").arg(input).arg(output))) {
        // The cell already shows the drop; it goes back to what the device has.
        for (int kind = 0; kind <= 5; ++kind) {
            if (tableOfKind(kind) == table)
                refreshView(kind);
        }
        return;
    }
    if (table == m_ui->videoTableWidget) {
        applyVideoRoute(input, output, true);
        m_client->switchPort(input, output, 0);
    } else if (table == m_ui->InfaredTable) {
        store->setIrRouteAt(output, input);
        m_client->switchPort(input, output, 2);
    } else {
        store->setAudioRouteAt(output, input);
        m_client->switchPort(input, output, 1);
    }
}

bool Widget::groupAllows(int port, int listRight) const
{
    if (!m_permissions)
        return true;
    for (int o : spliceGroupOf(port)) {
        if (!m_permissions->hasPortPermission(o, OutputPortKind) ||
            !m_permissions->hasListPermission(listRight))
            return false;
    }
    return true;
}

void Widget::onOrderToLock(int port, bool lock)
{
    if (!linkReady(QStringLiteral("lock of output %1").arg(port))) {
        updateVideoWidgetOutputInfoByPort(port);
        return;
    }
    m_client->setOutputLock(port, lock);
    DeviceState::instance()->setOutputLockAt(port, lock);
}

void Widget::onOrderToPause(int port, bool pause)
{
    applyToSpliceGroup(port, pause, &DeviceState::setFrozenAt, &MessageDistance::setFrozen);
}

void Widget::onOrderToMute(int port, bool mute)
{
    applyToSpliceGroup(port, mute, &DeviceState::setVideoMuteAt, &MessageDistance::setVideoMute);
}

void Widget::applyToSpliceGroup(int port, bool on, void (DeviceState::*store)(int, bool),
                                void (MessageDistance::*send)(int, bool))
{
    DeviceState *state = DeviceState::instance();
    if (!linkReady(QStringLiteral("pause or mute of output %1").arg(port))) {
        updateVideoWidgetOutputInfoByPort(port);
        return;
    }
    if (!groupAllows(port, PausePlayOutputFunction)) {
        showPortWarning();
        updateVideoWidgetOutputInfoByPort(port);
        return;
    }
    // The rest of the group follows in the view; the device is told for the port only.
    for (int o : spliceGroupOf(port)) {
        if (o == port)
            continue;
        (state->*store)(o, on);
        updateVideoWidgetOutputInfoByPort(o);
    }
    (m_client->*send)(port, on);
    (state->*store)(port, on);
}
