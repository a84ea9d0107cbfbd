#include "../common/datadirfixture.h"
#include "../common/look.h"
#include "mainwindow/listwidget.h"
#include "storage/portnamestore.h"

#include <QtTest>

class TestListWidget : public QObject
{
    Q_OBJECT

    DataDirFixture m_fx;

private slots:
    void init()
    {
        m_fx.setUp();
        AppSettings::instance()->setInputNames({});
        AppSettings::instance()->setAudioNames({});
        DeviceState::instance()->setDeviceType(Dev0809);
        DeviceState::instance()->setInputSignal({});
    }

    // Eight audio entries, then eight video ones, named from the store.
    void entriesFromTheStoredNames()
    {
        {
            PortNameStore names;
            QVERIFY(names.savePortName(2, QStringLiteral("Camera"), InputVideoName));
            QVERIFY(names.savePortName(1, QStringLiteral("Mic"), InputAudioName));
            QVERIFY(names.savePortName(3, QString(), InputAudioName));
            QVERIFY(names.savePortName(4, QStringLiteral("Screen"), OutputVideoName));
        }
        AppSettings::instance()->setInputName(5, QStringLiteral("stale"));
        ListWidget list;
        list.reloadSignals();
        // Audio 1-8, then video 1-8; an empty name is no name, output names stay out, a name
        // cut short is whole in its tooltip.
        QVERIFY_LOOK("list-names.txt", &list);
        // The caches get the bare names that every view formats itself.
        const AppSettings *settings = AppSettings::instance();
        QCOMPARE(settings->audioName(1) + settings->inputName(2) + settings->inputName(5),
                 QStringLiteral("MicCameraInput 5"));
    }

    // Input 2 has a signal, input 3 has none; only the video page colours them.
    void modes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("mode");
        QTest::newRow("video page") << int(Dev0809) << 0;
        QTest::newRow("audio page") << int(Dev0809) << 1;
        QTest::newRow("audio page, 0404") << int(Dev0404) << 1;
        QTest::newRow("audio page, 0808S") << int(Dev0808S) << 1;
        QTest::newRow("audio page, wall") << int(Dev0409S) << 1;
    }

    // The entries each page shows; input 2 has a signal, 3 none, and a report of a signal on 3
    // recolours the entries in the current mode.
    void modes()
    {
        QFETCH(int, type);
        QFETCH(int, mode);
        DeviceState::instance()->setDeviceType(DeviceType(type));
        DeviceState::instance()->setInputSignal({{2, true}, {3, false}});
        ListWidget list;
        list.setSignalNames({}, {});
        list.arrangeForDeviceType(DeviceType(type));
        list.setListMode(mode == 1 ? 0 : 1); // come from the other page
        list.setListMode(mode);
        QVERIFY_LOOK(QStringLiteral("list-%1.txt").arg(QTest::currentDataTag()), &list);
        DeviceState::instance()->setInputSignalAt(3, true);
        list.refreshSelectionAndMode();
        QVERIFY_LOOK(QStringLiteral("list-%1-signal.txt").arg(QTest::currentDataTag()), &list);
    }
};

QTEST_MAIN(TestListWidget)
#include "tst_listwidget.moc"
