// The store's own rules and the helpers that read the device's report keys.
#include "checktable.h"
#include "state/devicestate.h"
#include "state/sigmanager.h"
#include "state/statuskeys.h"

#include <QJsonObject>
#include <QThread>
#include <QtTest>

using namespace StatusKeys;

class TestDeviceState : public QObject
{
    Q_OBJECT

private slots:
    void singletonsAreSharedAcrossThreads()
    {
        // Creation races are what the mutex is for: every thread must see one
        // object.
        QVector<DeviceState *> states(8, nullptr);
        QVector<SigManager *> hubs(8, nullptr);
        QList<QThread *> threads;
        for (int i = 0; i < 8; ++i) {
            threads << QThread::create([&, i] {
                states[i] = DeviceState::instance();
                hubs[i] = SigManager::instance();
            });
            threads.last()->start();
        }
        for (QThread *t : threads) {
            QVERIFY(t->wait(10000));
            delete t;
        }
        QCOMPARE(states, QVector<DeviceState *>(8, DeviceState::instance()));
        QCOMPARE(hubs, QVector<SigManager *>(8, SigManager::instance()));
    }

    void checks_data()
    {
        checkColumns();
        CHECK(deviceTypeFromInt(6), Dev0809);
        CHECK(deviceTypeFromInt(-1), Dev0809);
        CHECK(deviceTypeFromInt(0), Dev0808);
        CHECK(deviceTypeFromInt(5), Dev0404);
        CHECK(portCountFor(Dev0808S), 8);
        CHECK(portCountFor(Dev0409S), 9);
        CHECK(spliceModeFromInt(5), 5);
        CHECK(spliceModeFromInt(6), 0);
        // Anything outside the six splice modes falls back to the single output.
        CHECK(spliceModeOutputs(3), 1, 2, 5, 6);
        CHECK(spliceModeOutputs(5).size(), 8);
        CHECK(spliceModeOutputs(6), 1);
        CHECK(spliceModeOutputs(-1), 1);

        // A port the device never reported.
        CHECK(DeviceState().videoRouteAt(7), 0);
        CHECK(DeviceState().audioRouteAt(7), 0);
        CHECK(DeviceState().irRouteAt(7), 0);
        CHECK(DeviceState().outputResolutionAt(7), "1920x1080x60Hz");
        CHECK(DeviceState().inputResolutionAt(7), );
        CHECK(DeviceState().inputSignalAt(7), false);
        CHECK(DeviceState().volumeAt(7), 0);
        CHECK(DeviceState().muteAt(7), 0);
        CHECK(DeviceState().scalingModeAt(7), 0);
        CHECK(DeviceState().outputLinkAt(7), false);
        CHECK(DeviceState().frozenAt(7), false);
        CHECK(DeviceState().outputLockAt(7), true); // "No Standby"
        CHECK(DeviceState().videoMuteAt(7), false);
        CHECK(DeviceState().inputHdcpAt(7), 0);
        CHECK(DeviceState().rotateAngleAt(7), 0);
        CHECK(DeviceState().planNameAt(7), );
        CHECK(DeviceState().multiviewWindowAt(7), -1);

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
        CHECK((caption({{"Switch", "TRUE"}})), "0 0 255,255,255 left");
        CHECK((caption({{"Switch", true}})), "1 0 255,255,255 left");
        CHECK((caption({{"Speed", "fast"}, {"Color", 7}, {"Move_dir", QJsonValue()}})),
              "0 0 255,255,255 left");

        const auto port = [](const char *key, const char *word) {
            int p = -1;
            return portOf(key, word, &p) ? p : -1;
        };
        CHECK(port("videovideo4", "video"), 4);
        CHECK(port("in2x", "in"), 0);
        CHECK(port("link2link3", "link"), -1);
        CHECK(port("Volume", "Volume"), -1);
        CHECK(port("hdcp_in7", "hdcp_in"), 7);
        CHECK(changedPort("IR2", "IR"), 2);
        CHECK(changedPort("audio_change", "audio"), 0);

        const auto value = [](const QJsonValue &v) {
            return QStringLiteral("%1 %2 %3")
                .arg(valueText(v))
                .arg(valueNumber(v))
                .arg(valueIsTrue(v));
        };
        CHECK(value("12"), "12 12 0");
        CHECK(value("abc"), "abc 0 0");
        CHECK(value(true), "true 0 1");
        CHECK(value("TRUE"), "TRUE 0 0");
        CHECK(value(QJsonValue()), " 0 0");

        const auto echo = [](const char *text, const char *keyword) {
            const Echo e = parseEcho(text, keyword);
            return std::make_pair(e.port, e.value);
        };
        CHECK(echo("Port2/1920x1080x60Hz!", "Port"), 2, "1920x1080x60Hz");
        CHECK(echo("MuteOn104", "MuteOn"), 104, "");
        CHECK(echo("Volume5/3/0!", "Volume"), 5, "30");
    }
    void checks()
    {
        QFETCH(QString, got);
        QTEST(got, "want");
    }

    void normalisingSetters_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("vir");
        QTest::addColumn<int>("splitter");
        QTest::addColumn<int>("splice");
        QTest::newRow("-1") << -1 << 0 << 0 << 0;
        QTest::newRow("0") << 0 << 0 << 0 << 0;
        QTest::newRow("1") << 1 << 1 << 1 << 1;
        QTest::newRow("3") << 3 << 3 << 3 << 3;
        QTest::newRow("4") << 4 << 0 << 4 << 4;
        QTest::newRow("5") << 5 << 0 << 5 << 5;
        QTest::newRow("6") << 6 << 0 << 6 << 0;
        QTest::newRow("7") << 7 << 0 << 0 << 0;
    }
    void normalisingSetters()
    {
        QFETCH(int, value);
        DeviceState state;
        state.setVirMode(2);
        state.setVirMode(value);
        QTEST(state.virMode(), "vir");
        state.setSplitterModeNormalised(value);
        QTEST(state.splitterMode(), "splitter");
        state.setSpliceMode(value);
        QTEST(state.spliceMode(), "splice");
        state.setSplitterMode(value); // the reported value, unchecked
        QCOMPARE(state.splitterMode(), value);
    }

    // Output 0 of the multiview list is the input of the whole output: a new list
    // keeps it.
    void multiviewReplaceKeepsOutputInput_data()
    {
        using Map = QMap<int, int>;
        QTest::addColumn<Map>("before");
        QTest::addColumn<Map>("incoming");
        QTest::addColumn<Map>("after");
        QTest::newRow("key 0 survives")
            << Map{{0, 4}, {1, 2}} << Map{{1, 3}, {2, 5}} << Map{{0, 4}, {1, 3}, {2, 5}};
        QTest::newRow("stored key 0 wins")
            << Map{{0, 4}} << Map{{0, 9}, {1, 1}} << Map{{0, 4}, {1, 1}};
        QTest::newRow("empty list") << Map{{0, 4}, {3, 3}} << Map{} << Map{{0, 4}};
        QTest::newRow("no key 0 before") << Map{{1, 2}} << Map{{1, 3}} << Map{{1, 3}};
        QTest::newRow("new key 0 taken") << Map{{1, 2}} << Map{{0, 9}} << Map{{0, 9}};
        QTest::newRow("key 0 of value 0") << Map{{0, 0}} << Map{{1, 6}} << Map{{0, 0}, {1, 6}};
    }
    void multiviewReplaceKeepsOutputInput()
    {
        using Map = QMap<int, int>;
        QFETCH(Map, before);
        QFETCH(Map, incoming);
        DeviceState state;
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            state.setMultiviewWindowAt(it.key(), it.value());
        state.setMultiviewWindows(incoming);
        QTEST(state.multiviewWindows(), "after");
    }

    void audioLevelsNeverKeepKeyZero()
    {
        DeviceState state;
        state.setVolume({{0, 40}, {1, 50}, {2, 60}});
        state.setMute({{0, 1}, {1, 0}});
        QCOMPARE(state.volume(), (QMap<int, int>{{1, 50}, {2, 60}}));
        QCOMPARE(state.mute(), (QMap<int, int>{{1, 0}}));
        state.setVolumeAt(0, 70);
        state.setMuteAt(0, 1);
        state.setVolumeAt(3, 70);
        QVERIFY(!state.volume().contains(0));
        QVERIFY(!state.mute().contains(0));
        QCOMPARE(state.volumeAt(3), 70);
    }
};

QTEST_GUILESS_MAIN(TestDeviceState)
#include "tst_devicestate.moc"
