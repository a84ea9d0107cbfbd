// Device reports applied to a store: what the store holds afterwards and what was announced.
#include "state/devicestate.h"
#include "state/reportapplier.h"
#include "state/routehistory.h"
#include "state/stagedroutes.h"

#include <QJsonDocument>
#include <QMetaEnum>
#include <QtTest>

#include <functional>

QT_BEGIN_NAMESPACE
char *toString(const RouteHistory::Route &r)
{
    return qstrdup(qPrintable(
        QStringLiteral("%1/%2:%3>%4").arg(r.kind).arg(r.output).arg(r.before).arg(r.after)));
}
QT_END_NAMESPACE

using Apply = std::function<void(ReportApplier *, const QJsonObject &)>;
Q_DECLARE_METATYPE(Apply)

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
        connect(a, &ReportApplier::routesReported, this, [log] { log("routes"); });
        connect(a, &ReportApplier::routeChangedByOthers, this, [log](int layer, int port) {
            log(QStringLiteral("others(%1:%2)").arg(layer).arg(port));
        });
    }

private slots:
    void init()
    {
        m_state = new DeviceState(this);
        m_applier = new ReportApplier(m_state, this);
        m_log.clear();
        record();
    }

    void cleanup() { delete m_applier, delete m_state; }

    void reports_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<Apply>("apply");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("log");
#define ROW(type, method, report, part, state, log)                                                \
    QTest::newRow(#type " " #method " " report)                                                    \
        << int(type) << Apply([](ReportApplier *a, const QJsonObject &o) { a->method(o); })        \
        << report << part << state << log
        // Routes: multiview windows go to their own list; junk keys are skipped.
        ROW(Dev0809, applyRoutes,
            R"({"video1":4,"video2":4,"videovideo":3,"audio3":2,"audio101":105,"IR4":7})", "video",
            "1:4 2:4", "VideoRoute AudioRoute IrRoute routes");
        ROW(Dev0809M, applyRoutes, R"({"video9":7,"video900":"3/0/5"})", "multiview",
            "0:7 1:3 2:0 3:5", "Multiview VideoRoute routes");
        // The splice mode only on the 0808-S.
        ROW(Dev0808S, applyRoutes, R"({"splice_mode":3})", "layout", "bind0 splice3",
            "splice(3) Layout routes");
        // Signals and resolutions: inputs 1..8 without a report have no signal.
        ROW(Dev0809, applyInputSignals, R"({"in-2":true,"in-3":"false","in":true,"a-b-c":1})",
            "signal", "2:true 3:false", "InputSignal");
        ROW(Dev0809, applyResolutions,
            R"({"in1":"1920x1080x60Hz","in2":"noinput","out3":"1280x720"})", "signal",
            "1:true 2:false 3:false 4:false 5:false 6:false 7:false 8:false",
            "InputSignal InputResolution OutputResolution resolutions");
        ROW(Dev0809, applyNetwork,
            R"({"ip":"10.0.0.9","gateway":"10.0.0.1","subnet":"255.0.0.0","mac":"aa"})", "network",
            "10.0.0.9 10.0.0.1 255.0.0.0 aa", "Network");
        // Port 0 is no port; output flags are four per output, empty pieces dropped.
        ROW(Dev0809, applyVolumes, R"({"Volume0":9,"Volume1":5,"Volume3":40,"Mute0":1,"Mute1":1})",
            "volume", "1:5 3:40 / 1:1", "Volume");
        ROW(Dev0809, applyOutputInfo,
            R"({"link2":"true//false/true/true","link0":"true/true/true/true","link3":"true/false/true"})",
            "flags", "2:1011", "OutputFlags");
        ROW(Dev0809, applyHdcp, R"({"hdcp_in2":"3","hdcp_in":"1","x":"2"})", "hdcp", "2:3", "Hdcp");
        // Windows: the whole number after "window", 1 to 4, six numbers each.
        ROW(Dev0409S, applyWindowStatus,
            R"({"window2":[1,2,3,4,5,6],"window12":[9,9,9,9,9,9],"window3":[1,2,3],"window0":[1,1,1,1,1,1],"VIR":[2,0],"AUDIO":[1],"Bogus":[]})",
            "windows", "vir2 0:2 2:1,2,3,4,5,6", "Windows AudioRoute windows");
        ROW(Dev0409S, applyWindowStatus, R"({"VIR":3,"AUDIO":4})", "audio", "101:104",
            "Windows AudioRoute windows");
        ROW(Dev0409S, applyRotation, R"({"Angle10":1,"Angle3":2,"Bogus":3})", "rotation", "0:1 3:2",
            "Rotation rotation");
        // Bind groups of two or more; the mode is kept except on the 0404.
        ROW(Dev0809, applyBindInfo, R"({"bind1":"1/2/3","bind2":"4","mode":1})", "layout",
            "bind1 splice0", "Layout bind(1) groups(1/2/3)");
        ROW(Dev0404, applyBindInfo, R"({"mode":1})", "layout", "bind0 splice0", "groups()");
        // A bezel side of other than four gaps is none.
        ROW(Dev0809, applyVersion,
            R"({"device":"0809-M","Splitter":4,"MCU":"1.2","FPGA":"3.4","type":"CVN","bezel_x":"1/2/3/4","bezel_y":"5/6/7/8"})",
            "model", "0809-M 1.2 3.4 CVN 4 1/2/3/4/5/6/7/8", "Model Layout Bezel");
        ROW(Dev0404, applyVersion, R"({"device":"9999","MCU":"1","bezel_y":"5/6/7"})", "model",
            "0404 1   0 0/0/0/0/0/0/0/0", "Model");
        // Changes by other clients; a video change clears the output's mute.
        ROW(Dev0809, applyChangedByOthers, R"({"video3_change":2})", "video", "3:2",
            "VideoRoute[3] OutputFlags[3] others(0:3)");
        ROW(Dev0409S, applyChangedByOthers, R"({"audio1_change":3})", "audio", "101:103",
            "AudioRoute[101] others(1:101)");
        ROW(Dev0809, applyChangedByOthers, R"({"IR2_change":5})", "ir", "2:5",
            "IrRoute[2] others(2:2)");
        ROW(Dev0809M, applyChangedByOthers, R"({"video902_change":6})", "multiview", "2:6",
            "Multiview[2]");
        ROW(Dev0809, applyChangedByOthers, R"({"link3_change":"true","input2_change":"false"})",
            "signal", "2:false", "InputSignal[2] OutputFlags[3]");
        ROW(Dev0809, applyChangedByOthers, R"({"mode":2})", "layout", "bind2 splice0",
            "Layout bind(2)");
        ROW(Dev0808S, applyChangedByOthers, R"({"mode":2})", "layout", "bind0 splice2",
            "Layout splice(2)");
        ROW(Dev0809, applyChangedByOthers, R"({"Bind_change":"1/2","UnBind_change":4})", "layout",
            "bind0 splice0", "added(2) dissolved(4)");
        ROW(Dev0809, applyChangedByOthers, R"({"Bind_change":"3"})", "layout", "bind0 splice0", "");
        // Echoed commands; an output lock of 1 is standby.
        ROW(Dev0809, applyChangedByOthers, R"({"e":"Output_Lock3/1!"})", "flags", "3:0000",
            "OutputFlags[3]");
        ROW(Dev0809, applyChangedByOthers, R"({"e":"Frozen3/1!"})", "flags", "3:0110",
            "OutputFlags[3]");
        ROW(Dev0409S, applyChangedByOthers, R"({"e":"MuteOn103"})", "volume", " / 3:1",
            "Volume[3]");
        ROW(Dev0809, applyChangedByOthers, R"({"e":"MuteOff3"})", "volume", " / 3:0", "Volume[3]");
        ROW(Dev0809, applyCaption, R"({"Speed":3})", "layout", "bind0 splice0", "Caption");
        ROW(Dev0809, applyChangedByOthers, R"({"e":"Input_HDCP2/3!"})", "hdcp", "2:3",
            "Hdcp[2] hdcp(2)");
        ROW(Dev0409S, applyChangedByOthers, R"({"e":"Volume102/30!"})", "volume", "2:30 / ",
            "Volume[2]");
        ROW(Dev0809, applyChangedByOthers, R"({"e":"Port2/1280x720!"})", "outres", "2:1280x720",
            "OutputResolution outres(2)");
        ROW(Dev0809, applyChangedByOthers, R"({"e":"Scaler_Mode7/2!"})", "scaling", "7:2",
            R"(ScalingMode[7] {"Chn":7,"Scaler_Mode":2})");
#undef ROW
    }

    void reports()
    {
        QFETCH(int, type);
        QFETCH(Apply, apply);
        QFETCH(QString, report);
        QFETCH(QString, part);
        QFETCH(QString, state);
        {
            const QSignalBlocker quiet(m_state);
            m_state->setDeviceType(DeviceType(type));
        }
        const QJsonObject object = QJsonDocument::fromJson(report.toUtf8()).object();
        apply(m_applier, object);
        QCOMPARE(dump(*m_state, part), state);
        QTEST(m_log.join(' '), "log");
        // The same report again changes nothing, so announces nothing but its arrival.
        m_log.clear();
        apply(m_applier, object);
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

        // The wall model's HDMI audio never follows; the 0809-M's output 9 feeds its multiview.
        m_state->setDeviceType(Dev0409S);
        m_applier->setHdmiAudioFollow(true);
        QVERIFY(!m_applier->hdmiAudioFollow());
        m_state->setDeviceType(Dev0809M);
        m_applier->applyVideoRoute(7, 9, true);
        QCOMPARE(m_state->multiviewWindowAt(0), 7);
    }

    // Undo takes back only the operator's own steps and never someone else's later change.
    void historyFollowsReports()
    {
        RouteHistory history(m_state, m_applier);
        const auto routes = [this](const char *json) {
            m_applier->applyRoutes(QJsonDocument::fromJson(json).object());
        };
        routes(R"({"video1":1,"video2":1,"video5":1,"audio5":1,"IR2":3})");
        history.recordRoute(RouteHistory::Video, 5, 1); // already there: no step
        QVERIFY(!history.canUndo());
        history.recordRoute(RouteHistory::Video, 5, 3);
        history.recordRoute(RouteHistory::Audio, 5, 4);
        history.recordRoute(RouteHistory::Infrared, 2, 0);
        QCOMPARE(history.undoText(), QStringLiteral("Undo: clear infrared output 2"));
        RouteHistory::Step step = history.takeUndo();
        QCOMPARE(step.routes, (QList<RouteHistory::Route>{{RouteHistory::Infrared, 2, 3, 0}}));
        step = history.takeUndo();
        QCOMPARE(step.routes, (QList<RouteHistory::Route>{{RouteHistory::Audio, 5, 1, 4}}));
        QCOMPARE(history.redoText(), QStringLiteral("Redo: audio input 4 → output 5"));
        QCOMPARE(history.undoText(), QStringLiteral("Undo: input 3 → output 5"));

        // Another client on output 1, spliced with 5: the video step goes, the redo stays.
        m_applier->setSpliceGroups([](int o) { return o == 1 ? QList<int>{1, 5} : QList<int>{o}; });
        m_applier->applyChangedByOthers(QJsonObject{{"video1_change", 2}});
        QVERIFY(!history.canUndo());
        QCOMPARE(history.redoText(), QStringLiteral("Redo: audio input 4 → output 5"));
        history.takeRedo();
        history.recordRoute(RouteHistory::Video, 2, 6); // a new step forgets what was undone
        QVERIFY(!history.canRedo());

        // A plan is one step: what its routes report changed.
        history.takeUndo();
        history.clear();
        QVERIFY(!history.canRedo());
        history.recordPlanRecall(4);
        routes(R"({"video1":3,"video2":1,"video5":2,"IR2":3,"IR3":2})");
        QCOMPARE(history.undoText(), QStringLiteral("Undo: plan 4"));
        QCOMPARE(history.takeUndo().routes,
                 (QList<RouteHistory::Route>{{RouteHistory::Video, 1, 2, 3},
                                             {RouteHistory::Audio, 5, 1, 0},
                                             {RouteHistory::Infrared, 3, 0, 2}}));
        routes(R"({"video1":3,"video2":1,"video5":2,"IR2":3,"IR3":2})"); // the next is no step
        QVERIFY(!history.canUndo());

        // Back onto the same routes after a lost link, the history holds; onto others, it goes.
        history.takeRedo();
        history.linkLost();
        routes(R"({"video1":3,"video2":1,"video5":2,"IR2":3,"IR3":2})");
        QVERIFY(history.canUndo());
        history.linkLost();
        routes(R"({"video1":3,"video2":1,"video5":7,"IR2":3,"IR3":2})");
        QVERIFY(!history.canUndo());

        // A splice is a step of its groups; another client's splice over them drops it.
        history.recordSplice({{4, 6}}, {}, {{RouteHistory::Video, 6, 2, 2}});
        QCOMPARE(history.undoText(), QStringLiteral("Undo: splice outputs 4, 6"));
        QVERIFY(history.takeUndo().routes.isEmpty()); // a route left as it was is no part of it
        history.takeRedo();
        m_applier->applyChangedByOthers(QJsonObject{{"Bind_change", "6/7"}});
        QVERIFY(!history.canUndo());
        history.recordSplice({}, {{2, 3}}, {});
        QCOMPARE(history.undoText(), QStringLiteral("Undo: unsplice outputs 2, 3"));
        m_applier->applyChangedByOthers(QJsonObject{{"UnBind_change", 3}});
        QVERIFY(!history.canUndo());

        // A take is one step; a step refused by the link goes back where it was.
        history.recordRoutes({{RouteHistory::Video, 7, 0, 1}, {RouteHistory::Audio, 7, 0, 1}});
        QCOMPARE(history.undoText(), QStringLiteral("Undo: 2 routes"));
        history.putBackUndo(history.takeUndo());
        QVERIFY(history.canUndo() && !history.canRedo());
        history.takeUndo();
        history.putBackRedo(history.takeRedo());
        QVERIFY(!history.canUndo() && history.canRedo());
        m_applier->applyChangedByOthers(QJsonObject{{"audio7_change", 2}}); // a redo goes too
        QVERIFY(!history.canRedo());

        for (int i = 1; i <= RouteHistory::Depth + 1; ++i)
            history.recordRoute(RouteHistory::Video, i, 8);
        int steps = 0;
        while (history.canUndo())
            steps += history.takeUndo().routes.first().output == 1 ? 1000 : 1;
        QCOMPARE(steps, RouteHistory::Depth); // the oldest went
    }

    // Take sends kind by kind, output by output; another client's change makes a stage stale.
    void stagesInTakeOrder()
    {
        StagedRoutes staged(m_applier);
        staged.stage(RouteHistory::Infrared, 1, 2);
        staged.stage(RouteHistory::Video, 9, 4);
        staged.stage(RouteHistory::Video, 2, 4);
        staged.stage(RouteHistory::Video, 9, 5);
        QSignalSpy changed(&staged, &StagedRoutes::changed); // the view shows what went stale
        m_applier->applyChangedByOthers(QJsonObject{{"IR1_change", 3}, {"audio2_change", 1}});
        QCOMPARE(changed.count(), 1);
        QStringList order;
        for (const StagedRoutes::Stage &s : staged.stages())
            order << QStringLiteral("%1:%2>%3%4")
                         .arg(s.kind)
                         .arg(s.output)
                         .arg(s.input)
                         .arg(s.stale ? "!" : "");
        QCOMPARE(order.join(' '), QStringLiteral("0:2>4 0:9>5 2:1>2!"));
        QCOMPARE(staged.staleCount(), 1);
        staged.remove(RouteHistory::Video, 9);
        staged.clear();
        staged.clear(); // already empty: no news
        QVERIFY(changed.count() == 3 && staged.stages().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReportApplier)
#include "tst_reportapplier.moc"
