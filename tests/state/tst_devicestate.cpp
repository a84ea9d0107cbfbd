#include "state/devicestate.h"
#include "state/sigmanager.h"

#include <QJsonObject>
#include <QThread>
#include <QtTest>

#include <functional>

using Reader = std::function<QVariant(const DeviceState &)>;
Q_DECLARE_METATYPE(Reader)

class TestDeviceState : public QObject
{
    Q_OBJECT

private slots:
    void singletonsAreSharedAcrossThreads()
    {
        // Creation races are what the mutex is for: every thread must see one object.
        QList<QThread *> threads;
        QVector<DeviceState *> states(8, nullptr);
        QVector<SigManager *> hubs(8, nullptr);
        for (int i = 0; i < 8; ++i) {
            threads.append(QThread::create([&, i] {
                states[i] = DeviceState::instance();
                hubs[i] = SigManager::instance();
            }));
            threads.last()->start();
        }
        for (QThread *t : threads) {
            QVERIFY(t->wait(10000));
            delete t;
        }
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(states[i], DeviceState::instance());
            QCOMPARE(hubs[i], SigManager::instance());
        }
    }

    void deviceTypeHelpers()
    {
        QCOMPARE(deviceTypeFromInt(6), Dev0809);
        QCOMPARE(deviceTypeFromInt(-1), Dev0809);
        QCOMPARE(deviceTypeFromInt(0), Dev0808);
        QCOMPARE(deviceTypeFromInt(5), Dev0404);
        QCOMPARE(portCountFor(Dev0808S), 8);
        QCOMPARE(portCountFor(Dev0409S), 9);
        QCOMPARE(spliceModeFromInt(0), 0);
        QCOMPARE(spliceModeFromInt(5), 5);
        QCOMPARE(spliceModeFromInt(6), 0);
    }

    void missingPortReadsDefault_data()
    {
        QTest::addColumn<Reader>("read");
        QTest::addColumn<QVariant>("expected");
#define DEFAULT_ROW(reader, value)                                                                 \
    QTest::newRow(#reader) << Reader([](const DeviceState &s) { return QVariant(s.reader(7)); })   \
                           << QVariant(value)
        DEFAULT_ROW(videoRouteAt, 0);
        DEFAULT_ROW(audioRouteAt, 0);
        DEFAULT_ROW(irRouteAt, 0);
        DEFAULT_ROW(outputResolutionAt, QStringLiteral("1920x1080x60Hz"));
        DEFAULT_ROW(inputResolutionAt, QString());
        DEFAULT_ROW(inputSignalAt, false);
        DEFAULT_ROW(volumeAt, 0);
        DEFAULT_ROW(muteAt, 0);
        DEFAULT_ROW(scalingModeAt, 0);
        DEFAULT_ROW(outputLinkAt, false);
        DEFAULT_ROW(frozenAt, false);
        DEFAULT_ROW(outputLockAt, true); // "No Standby"
        DEFAULT_ROW(videoMuteAt, false);
        DEFAULT_ROW(inputHdcpAt, 0);
        DEFAULT_ROW(rotateAngleAt, 0);
        DEFAULT_ROW(planNameAt, QString());
        DEFAULT_ROW(multiviewWindowAt, -1);
#undef DEFAULT_ROW
    }
    void missingPortReadsDefault()
    {
        QFETCH(Reader, read);
        DeviceState state;
        QTEST(read(state), "expected");
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
        QFETCH(int, vir);
        QFETCH(int, splitter);
        QFETCH(int, splice);
        DeviceState state;
        state.setVirMode(2);
        state.setVirMode(value);
        QCOMPARE(state.virMode(), vir);
        state.setSplitterModeNormalised(value);
        QCOMPARE(state.splitterMode(), splitter);
        state.setSpliceMode(value);
        QCOMPARE(state.spliceMode(), splice);
        state.setSplitterMode(value); // the reported value, unchecked
        QCOMPARE(state.splitterMode(), value);
    }

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
        QFETCH(Map, after);
        DeviceState state;
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            state.setMultiviewWindowAt(it.key(), it.value());
        state.setMultiviewWindows(incoming);
        QCOMPARE(state.multiviewWindows(), after);
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

    void captionFromReport_data()
    {
        QTest::addColumn<QJsonObject>("report");
        QTest::addColumn<bool>("switchOn");
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("color");
        QTest::addColumn<QString>("moveDir");
        const QString white = QStringLiteral("255,255,255");
        QTest::newRow("empty gives defaults") << QJsonObject() << false << 0 << white << "left";
        QTest::newRow("full") << QJsonObject{{"Switch", "true"},
                                             {"Speed", 3},
                                             {"Color", "1,2,3"},
                                             {"Move_dir", "right"}}
                              << true << 3 << "1,2,3"
                              << "right";
        QTest::newRow("switch text is exact")
            << QJsonObject{{"Switch", "TRUE"}} << false << 0 << white << "left";
        QTest::newRow("json boolean")
            << QJsonObject{{"Switch", true}} << true << 0 << white << "left";
        QTest::newRow("mistyped values keep defaults")
            << QJsonObject{{"Speed", "fast"}, {"Color", 7}, {"Move_dir", QJsonValue()}} << false
            << 0 << white << "left";
    }
    void captionFromReport()
    {
        QFETCH(QJsonObject, report);
        const CaptionInfo info = CaptionInfo::fromReport(report);
        QTEST(info.switchOn, "switchOn");
        QTEST(info.speed, "speed");
        QTEST(info.color, "color");
        QTEST(info.moveDir, "moveDir");
    }
};

QTEST_GUILESS_MAIN(TestDeviceState)
#include "tst_devicestate.moc"
