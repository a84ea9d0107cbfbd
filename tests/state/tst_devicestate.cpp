// The store's own rules and the helpers that read the device's report keys.
#include "checktable.h"
#include "state/activitytext.h"
#include "state/devicestate.h"
#include "state/sigmanager.h"
#include "state/statuskeys.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace StatusKeys;

class TestDeviceState : public QObject
{
    Q_OBJECT

private slots:
    void checks_data()
    {
        checkColumns();
        CHECK(
            (QList<DeviceType>{deviceTypeFromInt(6), deviceTypeFromInt(-1), deviceTypeFromInt(5)}),
            Dev0809, Dev0809, Dev0404);
        CHECK(portCountFor(Dev0409S), 9);
        // Anything outside the six splice modes falls back to the single output.
        CHECK(spliceModeOutputs(3), 1, 2, 5, 6);
        CHECK(spliceModeOutputs(5).size(), 8);
        CHECK(spliceModeOutputs(-1), 1);

        // A port the device never reported; output lock true is "No Standby".
        const DeviceState d;
        CHECK((QVariantList{d.inputSignalAt(7), d.outputLinkAt(7), d.frozenAt(7), d.outputLockAt(7),
                            d.videoMuteAt(7), d.outputResolutionAt(7), d.inputResolutionAt(7),
                            d.planNameAt(7)}),
              false, false, false, true, false, "1920x1080x60Hz", QString(), QString());
        // The VIR, splitter and splice modes a setter keeps.
        const auto normalised = [](int mode) {
            DeviceState state;
            state.setVirMode(2);
            state.setVirMode(mode);
            state.setSplitterModeNormalised(mode);
            const int splitter = state.splitterMode();
            state.setSpliceMode(mode);
            return QList<int>{state.virMode(), splitter, state.spliceMode()};
        };
        CHECK(normalised(-1), 0, 0, 0);
        CHECK(normalised(3), 3, 3, 3);
        CHECK(normalised(4), 0, 4, 4);
        CHECK(normalised(5), 0, 5, 5);
        CHECK(normalised(6), 0, 6, 0);
        CHECK(normalised(7), 0, 0, 0);
        // A new splitter mode is announced once; one normalised to the current is not.
        const auto layoutNotices = [](int mode) {
            DeviceState state;
            int notices = 0;
            QObject::connect(&state, &DeviceState::changed, [&notices](DeviceState::Part part) {
                notices += part == DeviceState::Layout;
            });
            state.setSplitterModeNormalised(mode);
            state.setSplitterModeNormalised(mode);
            return notices;
        };
        CHECK(layoutNotices(3), 1);
        CHECK(layoutNotices(9), 0);
        const auto vir = [](int mode) {
            DeviceState state;
            state.setVirMode(mode);
            return state.virMode();
        };
        CHECK((QList<int>{vir(0), vir(1), vir(3), vir(4)}), 0, 1, 3, 0);

        // Output 0 of the multiview list is the input of the whole output: a new list keeps it.
        using Map = QMap<int, int>;
        const auto multiview = [](const Map &before, const Map &incoming) {
            DeviceState state;
            for (auto it = before.cbegin(); it != before.cend(); ++it)
                state.setMultiviewWindowAt(it.key(), it.value());
            state.setMultiviewWindows(incoming);
            return state.multiviewWindows();
        };
        CHECK((multiview({{0, 4}, {1, 2}}, {{1, 3}, {2, 5}})), {0, 4}, {1, 3}, {2, 5});
        CHECK((multiview({{0, 4}}, {{0, 9}, {1, 1}})), {0, 4}, {1, 1});
        CHECK((multiview({{0, 4}, {3, 3}}, {})), {0, 4});
        CHECK((multiview({{1, 2}}, {{0, 9}})), {0, 9});
        CHECK((multiview({{0, 0}}, {{1, 6}})), {0, 0}, {1, 6});

        const auto caption = [](const QJsonObject &report) {
            const CaptionInfo c = CaptionInfo::fromReport(report);
            return QStringLiteral("%1 %2 %3 %4")
                .arg(c.switchOn)
                .arg(c.speed)
                .arg(c.color, c.moveDir);
        };
        CHECK(caption({}), "0 0 255,255,255 left");
        CHECK((caption(
                  {{"Switch", "true"}, {"Speed", 3}, {"Color", "1,2,3"}, {"Move_dir", "right"}})),
              "1 3 1,2,3 right");
        const CaptionInfo plain = CaptionInfo::fromReport({});
        CHECK((plain == CaptionInfo::fromReport({{"Speed", 3}})), false);
        CHECK((plain == CaptionInfo::fromReport({{"Switch", "no"}})), true);
        CHECK((caption({{"Speed", "fast"}, {"Color", 7}, {"Move_dir", QJsonValue()}})),
              "0 0 255,255,255 left");

        const auto port = [](const char *key, const char *word) {
            int p = -1;
            return portOf(key, word, &p) ? p : -1;
        };
        CHECK(port("videovideo4", "video"), 4);
        CHECK(port("in2x", "in"), 0);
        CHECK(port("hdcp_in7", "hdcp_in"), 7);
        CHECK(changedPort("IR2", "IR"), 2);

        const auto value = [](const QJsonValue &v) {
            return QStringLiteral("%1 %2 %3")
                .arg(valueText(v))
                .arg(valueNumber(v))
                .arg(valueIsTrue(v));
        };
        CHECK(value("12"), "12 12 0");
        CHECK(value(true), "true 0 1");
        CHECK((QStringList{value(false), value(7), value(2.5)}), "false 0 0", "7 7 0", "2.5 0 0");

        const auto echo = [](const char *text, const char *keyword) {
            const Echo e = parseEcho(text, keyword);
            return std::make_pair(e.port, e.value);
        };
        CHECK(echo("Port2/1920x1080x60Hz!", "Port"), 2, "1920x1080x60Hz");
        CHECK(echo("MuteOn104", "MuteOn"), 104, "");
        CHECK(echo("Volume5/3/0!", "Volume"), 5, "30");

        // What the activity log reads out of a command sent and a change by another client.
        const auto said = [](const std::optional<ActivityEntry> &e) {
            return e ? QStringList{e->kind, QString::number(e->port), e->detail} : QStringList();
        };
        const auto sent = [said](const char *command) {
            return said(ActivityText::fromCommand(QString::fromUtf8(command)));
        };
        CHECK(sent("{param=3VIDEO5}"), "video", "5", "input 3 → output 5");
        CHECK(sent("{param=0IR2}"), "infrared", "2", "clear output 2");
        CHECK(sent("{param=Recall4}"), "plan", "4", "recall plan 4");
        CHECK(sent("{param=Bind1/2/5}"), "splice", "1", "splice outputs 1/2/5");
        CHECK(sent("{param=Volume102/30}"), "setting", "102", "Volume102/30");
        CHECK(sent("{param=status}"), );
        CHECK(sent("{param=Get_OSD3}"), );
        CHECK(sent("not a command"), );
        const auto others = [said](const char *json) {
            QStringList all;
            for (const ActivityEntry &e :
                 ActivityText::fromChangedByOthers(QJsonDocument::fromJson(json).object()))
                all << said(e).join('|') + (e.byOthers ? "" : "!");
            return all;
        };
        CHECK(others(R"({"audio101_change":103,"Bind_change":"5/6","IR2_change":0})"),
              "splice|5|splice outputs 5/6", "infrared|2|clear output 2",
              "audio|101|input 103 → output 101");
        CHECK(others(R"({"UnBind_change":4,"e":"Output_Lock3/1!","input2_change":true})"),
              "splice|4|unsplice output 4", "setting|3|Output_Lock3/1");
    }
    void checks() { compareCheck(); }
};

QTEST_GUILESS_MAIN(TestDeviceState)
#include "tst_devicestate.moc"
