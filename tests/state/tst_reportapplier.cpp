// Device reports applied to a store: what the store holds afterwards and what
// was announced.
#include "state/devicestate.h"
#include "state/reportapplier.h"

#include <QJsonDocument>
#include <QMetaEnum>
#include <QtTest>

namespace {

QString numbers(const QList<int> &list)
{
    QStringList pieces;
    for (int n : list)
        pieces << QString::number(n);
    return pieces.join(',');
}

template <typename Map> QString text(const Map &map)
{
    QStringList pieces;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        pieces << QStringLiteral("%1:%2").arg(it.key()).arg(QVariant(it.value()).toString());
    return pieces.join(' ');
}

// One part of the store as text, for comparing against a table.
QString dump(const DeviceState &s, const QString &part)
{
    const QHash<QString, QString> maps{
        {"video", text(s.videoRoute())},
        {"audio", text(s.audioRoute())},
        {"ir", text(s.irRoute())},
        {"multiview", text(s.multiviewWindows())},
        {"signal", text(s.inputSignal())},
        {"inres", text(s.inputResolution())},
        {"outres", text(s.outputResolution())},
        {"volume", text(s.volume()) + " / " + text(s.mute())},
        {"hdcp", text(s.inputHdcp())},
        {"rotation", text(s.rotateAngle())},
        {"scaling", text(s.scalingMode())},
        {"network", QStringList{s.ip(), s.gateway(), s.subnet(), s.mac()}.join(' ')},
        {"layout", QStringLiteral("bind%1 splice%2").arg(s.bindMode()).arg(s.spliceMode())}};
    if (maps.contains(part))
        return maps.value(part);
    QStringList pieces;
    if (part == "flags") { // link, frozen, lock, mute per output
        for (int o : s.outputLink().keys() + s.frozen().keys() + s.outputLock().keys())
            pieces << QStringLiteral("%1:%2%3%4%5")
                          .arg(o)
                          .arg(int(s.outputLinkAt(o)))
                          .arg(int(s.frozenAt(o)))
                          .arg(int(s.outputLockAt(o)))
                          .arg(int(s.videoMuteAt(o)));
        pieces.removeDuplicates();
    } else if (part == "windows") {
        pieces << QStringLiteral("vir%1").arg(s.virMode());
        const auto windows = s.windowStatus();
        for (auto it = windows.cbegin(); it != windows.cend(); ++it)
            pieces << QStringLiteral("%1:%2").arg(it.key()).arg(numbers(it.value()));
    } else if (part == "model") {
        QList<int> bezel;
        for (uint b : s.bezel())
            bezel << int(b);
        pieces << modelName(s.deviceType()) << s.mcuVersion() << s.fpgaVersion()
               << s.deviceTypeText() << QString::number(s.splitterMode())
               << numbers(bezel).replace(',', '/');
    }
    return pieces.join(' ');
}

} // namespace

class TestReportApplier : public QObject
{
    Q_OBJECT

    DeviceState *m_state = nullptr;
    ReportApplier *m_applier = nullptr;
    QStringList m_log; // change notices and the applier's own signals, in order

    void record()
    {
        const QMetaEnum parts = QMetaEnum::fromType<DeviceState::Part>();
        connect(m_state, &DeviceState::changed, this, [this, parts](int p, QList<int> ports) {
            m_log << parts.valueToKey(p) + (ports.isEmpty() ? "" : '[' + numbers(ports) + ']');
        });
        auto log = [this](const QString &what) { m_log << what; };
        auto number = [log](const char *name) {
            return [log, name](int n) { log(QStringLiteral("%1(%2)").arg(name).arg(n)); };
        };
        ReportApplier *a = m_applier;
        connect(a, &ReportApplier::spliceModeReported, this, number("splice"));
        connect(a, &ReportApplier::bindModeReported, this, number("bind"));
        connect(a, &ReportApplier::bindGroupsReported, this, [log](const QList<QList<int>> &g) {
            QStringList groups;
            for (const QList<int> &group : g)
                groups << numbers(group).replace(',', '/');
            log("groups(" + groups.join(' ') + ')');
        });
        connect(a, &ReportApplier::bindGroupAdded, this,
                [log](const QList<int> &g) { log(QStringLiteral("added(%1)").arg(g.size())); });
        connect(a, &ReportApplier::bindGroupDissolved, this, number("dissolved"));
        connect(a, &ReportApplier::resolutionsReported, this, [log] { log("resolutions"); });
        connect(a, &ReportApplier::windowsReported, this, [log] { log("windows"); });
        connect(a, &ReportApplier::rotationReported, this, [log] { log("rotation"); });
        connect(a, &ReportApplier::outputResolutionChangedByOthers, this, number("outres"));
        connect(a, &ReportApplier::hdcpChangedByOthers, this, number("hdcp"));
        connect(a, &ReportApplier::scalingModeEchoed, this, log);
    }

    void apply(const QString &kind, const QJsonObject &report)
    {
        using Apply = void (ReportApplier::*)(const QJsonObject &);
        static const QHash<QString, Apply> appliers{
            {"signals", &ReportApplier::applyInputSignals},
            {"network", &ReportApplier::applyNetwork},
            {"routes", &ReportApplier::applyRoutes},
            {"resolutions", &ReportApplier::applyResolutions},
            {"volumes", &ReportApplier::applyVolumes},
            {"outputs", &ReportApplier::applyOutputInfo},
            {"hdcp", &ReportApplier::applyHdcp},
            {"windows", &ReportApplier::applyWindowStatus},
            {"rotation", &ReportApplier::applyRotation},
            {"bind", &ReportApplier::applyBindInfo},
            {"others", &ReportApplier::applyChangedByOthers}};
        if (kind == "version")
            m_applier->applyVersion(report);
        else if (const Apply f = appliers.value(kind))
            (m_applier->*f)(report);
        else
            QFAIL("unknown kind");
    }

private slots:
    void init()
    {
        m_state = new DeviceState(this);
        m_applier = new ReportApplier(m_state, this);
        m_log.clear();
        record();
    }

    void cleanup()
    {
        delete m_applier;
        delete m_state;
    }

    void reports_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("log");
        auto row = [](DeviceType type, const char *kind, const char *report, const char *part,
                      const char *state, const char *log) {
            QTest::newRow(qPrintable(QStringLiteral("%1 %2 %3").arg(type).arg(kind, report)))
                << int(type) << kind << report << part << state << log;
        };
        // Routes: multiview windows go to their own list; junk keys are skipped.
        row(Dev0809, "routes",
            R"({"video1":4,"video2":4,"videovideo":3,"audio3":2,"audio101":105,"IR4":7})", "video",
            "1:4 2:4", "VideoRoute AudioRoute IrRoute");
        row(Dev0809, "routes", R"({"audio3":2,"audio101":105})", "audio", "3:2 101:105",
            "AudioRoute");
        row(Dev0809M, "routes", R"({"video9":7,"video900":"3/0/5"})", "multiview",
            "0:7 1:3 2:0 3:5", "Multiview VideoRoute");
        // The splice mode only on the 0808-S.
        row(Dev0808S, "routes", R"({"splice_mode":3})", "layout", "bind0 splice3",
            "splice(3) Layout");
        row(Dev0808S, "routes", R"({"splice_mode":9})", "layout", "bind0 splice0", "splice(0)");
        row(Dev0809, "routes", R"({"splice_mode":3})", "layout", "bind0 splice0", "");
        // Signals and resolutions: inputs 1..8 without a report have no signal.
        row(Dev0809, "signals", R"({"in-2":true,"in-3":"false","in":true,"a-b-c":1})", "signal",
            "2:true 3:false", "InputSignal");
        row(Dev0809, "resolutions", R"({"in1":"1920x1080x60Hz","in2":"noinput","out3":"1280x720"})",
            "signal", "1:true 2:false 3:false 4:false 5:false 6:false 7:false 8:false",
            "InputSignal InputResolution OutputResolution resolutions");
        row(Dev0809, "resolutions", R"({"out3":"1280x720"})", "outres", "3:1280x720",
            "InputSignal OutputResolution resolutions");
        row(Dev0809, "network",
            R"({"ip":"10.0.0.9","gateway":"10.0.0.1","subnet":"255.0.0.0","mac":"aa"})", "network",
            "10.0.0.9 10.0.0.1 255.0.0.0 aa", "Network");
        // Port 0 is no port; output flags are four per output, empty pieces
        // dropped.
        row(Dev0809, "volumes", R"({"Volume0":9,"Volume3":40,"Mute0":1,"Mute3":1})", "volume",
            "3:40 / 3:1", "Volume");
        row(Dev0809, "outputs",
            R"({"link2":"true//false/true/false","link0":"true/true/true/true","link3":"true/false/true"})",
            "flags", "2:1010", "OutputFlags");
        row(Dev0809, "hdcp", R"({"hdcp_in2":"3","hdcp_in":"1","x":"2"})", "hdcp", "2:3", "Hdcp");
        // Windows: the whole number after "window", 1 to 4, six numbers each.
        row(Dev0409S, "windows",
            R"({"window2":[1,2,3,4,5,6],"window12":[9,9,9,9,9,9],"window3":[1,2,3],"window0":[1,1,1,1,1,1],"VIR":[2,0],"AUDIO":[3],"Bogus":[]})",
            "windows", "vir2 0:2 2:1,2,3,4,5,6", "Windows AudioRoute windows");
        row(Dev0409S, "windows", R"({"VIR":3,"AUDIO":4})", "audio", "101:104",
            "Windows AudioRoute windows");
        row(Dev0409S, "windows", R"({"VIR":7,"AUDIO":5})", "windows", "vir0 0:7",
            "Windows windows");
        row(Dev0409S, "rotation", R"({"Angle10":1,"Angle3":2,"Bogus":3})", "rotation", "0:1 3:2",
            "Rotation rotation");
        // Bind groups of two or more; the mode is kept except on the 0404.
        row(Dev0809, "bind", R"({"bind1":"1/2/3","bind2":"4","mode":1})", "layout", "bind1 splice0",
            "Layout bind(1) groups(1/2/3)");
        row(Dev0404, "bind", R"({"mode":1})", "layout", "bind0 splice0", "groups()");
        // A bezel side of other than four gaps is none.
        row(Dev0809, "version",
            R"({"device":"0809-M","Splitter":4,"MCU":"1.2","FPGA":"3.4","type":"CVN","bezel_x":"1/2/3/4","bezel_y":"5/6/7"})",
            "model", "0809-M 1.2 3.4 CVN 4 1/2/3/4/0/0/0/0", "Model Layout Bezel");
        row(Dev0404, "version", R"({"device":"9999","MCU":"1"})", "model",
            "0404 1   0 0/0/0/0/0/0/0/0", "Model");
        // Changes by other clients; a video change clears the output's mute.
        row(Dev0809, "others", R"({"video3_change":2})", "video", "3:2",
            "VideoRoute[3] OutputFlags[3]");
        row(Dev0809M, "others", R"({"video905_change":2})", "multiview", "5:2", "Multiview[5]");
        row(Dev0809, "others", R"({"audio4_change":2})", "audio", "4:2", "AudioRoute[4]");
        row(Dev0409S, "others", R"({"audio1_change":3})", "audio", "101:103", "AudioRoute[101]");
        row(Dev0409S, "others", R"({"audio1_change":7})", "audio", "101:0", "AudioRoute[101]");
        row(Dev0409S, "others", R"({"audio2_change":3})", "audio", "", "");
        row(Dev0809, "others", R"({"IR2_change":5})", "ir", "2:5", "IrRoute[2]");
        row(Dev0809, "others", R"({"link6_change":"true"})", "flags", "6:1010", "OutputFlags[6]");
        row(Dev0809, "others", R"({"input4_change":true})", "signal", "4:true", "InputSignal[4]");
        row(Dev0809, "others", R"({"mode":2})", "layout", "bind2 splice0", "Layout bind(2)");
        row(Dev0808S, "others", R"({"mode":2})", "layout", "bind0 splice2", "Layout splice(2)");
        row(Dev0809, "others", R"({"mode":2,"video1_change":1})", "layout", "bind0 splice0",
            "VideoRoute[1] OutputFlags[1]");
        row(Dev0809, "others", R"({"Bind_change":"1/2","UnBind_change":4})", "layout",
            "bind0 splice0", "added(2) dissolved(4)");
        row(Dev0809, "others", R"({"Chn":1,"Mode":0,"Color":3})", "video", "", "");
        // Echoed commands; an output lock of 1 is standby.
        row(Dev0809, "others", R"({"e":"Output_Lock3/1!"})", "flags", "3:0000", "OutputFlags[3]");
        row(Dev0809, "others", R"({"e":"Frozen4/1!"})", "flags", "4:0110", "OutputFlags[4]");
        row(Dev0809, "others", R"({"e":"Input_HDCP2/3!"})", "hdcp", "2:3", "Hdcp[2] hdcp(2)");
        row(Dev0809, "others", R"({"e":"Volume5/30!"})", "volume", "5:30 / ", "Volume[5]");
        row(Dev0409S, "others", R"({"e":"Volume102/30!"})", "volume", "2:30 / ", "Volume[2]");
        row(Dev0809, "others", R"({"e":"MuteOn6"})", "volume", " / 6:1", "Volume[6]");
        row(Dev0409S, "others", R"({"e":"MuteOff104"})", "volume", " / 4:0", "Volume[4]");
        row(Dev0809, "others", R"({"e":"Port2/1280x720!"})", "outres", "2:1280x720",
            "OutputResolution outres(2)");
        row(Dev0809, "others", R"({"e":"Scaler_Mode7/2!"})", "scaling", "7:2",
            R"(ScalingMode[7] {"Chn":7,"Scaler_Mode":2})");
        row(Dev0809, "others", R"({"e":"Analog_sel3/1!"})", "volume", " / ", "");
    }

    void reports()
    {
        QFETCH(int, type);
        QFETCH(QString, kind);
        QFETCH(QString, report);
        QFETCH(QString, part);
        QFETCH(QString, state);
        QFETCH(QString, log);
        {
            const QSignalBlocker quiet(m_state);
            m_state->setDeviceType(DeviceType(type));
        }
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(report.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        apply(kind, object);
        QCOMPARE(dump(*m_state, part), state);
        QCOMPARE(m_log.join(' '), log);
        // The same report again changes nothing, so announces nothing but its
        // arrival.
        m_log.clear();
        apply(kind, object);
        QCOMPARE(dump(*m_state, part), state);
        for (const QString &entry : m_log)
            QVERIFY2(!entry.at(0).isUpper() || entry.startsWith('{'), qPrintable(entry));
    }

    void videoRouteFollowsGroupsAndAudio()
    {
        m_applier->setSpliceGroups([](int o) {
            return o == 2 ? QList<int>{1, 2, 4} : QList<int>();
        });
        m_applier->setHdmiAudioFollow(true);
        m_state->setVideoMuteAt(4, true);
        m_state->setFrozenAt(1, true);
        m_log.clear();
        m_applier->applyVideoRoute(6, 2, false);
        QCOMPARE(dump(*m_state, "video"), QStringLiteral("1:6 2:6 4:6"));
        QCOMPARE(dump(*m_state, "audio"), QStringLiteral("101:106 102:106 104:106"));
        // Made here: the group unfreezes, video mute stays.
        QCOMPARE(dump(*m_state, "flags"), QStringLiteral("1:0010 2:0010 4:0011"));
        // One notice per part, the ports merged.
        QCOMPARE(m_log.join(' '), QStringLiteral("VideoRoute[1,2,4] AudioRoute[101,102,104] "
                                                 "OutputFlags[1,2,4]"));
        m_applier->applyVideoRoute(3, 5, true);
        QCOMPARE(m_state->videoRouteAt(5), 3);
        QCOMPARE(m_state->videoMuteAt(5), false);

        // The wall model's HDMI audio never follows; the 0809-M's output 9 feeds
        // its multiview.
        m_state->setDeviceType(Dev0409S);
        m_applier->setHdmiAudioFollow(true);
        QVERIFY(!m_applier->hdmiAudioFollow());
        m_state->setDeviceType(Dev0809M);
        m_applier->applyVideoRoute(7, 9, true);
        QCOMPARE(m_state->multiviewWindowAt(0), 7);
    }

    void versionReportsTheAudioFlagAsSent()
    {
        m_state->setDeviceType(Dev0409S);
        bool follow = false;
        QVERIFY(
            m_applier->applyVersion(QJsonObject{{"device", "0409-S"}, {"audio", "true"}}, &follow));
        QVERIFY(follow);
        QVERIFY(!m_applier->hdmiAudioFollow());
        QVERIFY(
            !m_applier->applyVersion(QJsonObject{{"device", "0809 "}, {"audio", "true"}}, &follow));
        QCOMPARE(m_state->deviceType(), Dev0409S);
    }

    void batchesMergeAndNest()
    {
        {
            const DeviceState::Batch outer(m_state);
            m_state->setFrozenAt(2, true);
            {
                const DeviceState::Batch inner(m_state);
                m_state->setVideoRouteAt(1, 3);
                m_state->setFrozenAt(3, true);
            }
            QVERIFY(m_log.isEmpty());
            m_state->setFrozen({});
            m_state->setFrozenAt(2, true);
        }
        QCOMPARE(m_log.join(' '), QStringLiteral("OutputFlags VideoRoute[1]"));
        m_state->setFrozenAt(2, true);
        m_state->setVirMode(3);
        QCOMPARE(m_log.join(' '), QStringLiteral("OutputFlags VideoRoute[1] Windows"));
    }
};

QTEST_GUILESS_MAIN(TestReportApplier)
#include "tst_reportapplier.moc"
