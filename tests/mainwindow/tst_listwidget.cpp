#include "app/appsettings.h"
#include "mainwindow/listwidget.h"
#include "state/devicestate.h"
#include "storage/portnamestore.h"
#include "storage/projectdatabase.h"

#include <QTemporaryDir>
#include <QtTest>

using IntList = QList<int>;

namespace {
IntList visiblePorts(const ListWidget &list, int kind)
{
    IntList ports;
    for (int i = 0; i < list.count(); ++i) {
        const QListWidgetItem *item = list.item(i);
        if (item->data(ListWidget::KindRole).toInt() == kind && !item->isHidden())
            ports.append(item->data(ListWidget::PortRole).toInt());
    }
    return ports;
}
} // namespace

class TestListWidget : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        AppSettings::setDataDirectory(m_dir->path());
        ProjectDatabase::resetDatabasePath();
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
        QCOMPARE(list.count(), 16);
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(list.item(i)->data(ListWidget::KindRole).toInt(),
                     i < 8 ? ListWidget::AudioKind : ListWidget::VideoKind);
            QCOMPARE(list.item(i)->data(ListWidget::PortRole).toInt(), i % 8 + 1);
        }
        QCOMPARE(list.item(0)->text(), QStringLiteral(" [1] Mic"));
        QCOMPARE(list.item(0)->data(ListWidget::NameRole).toString(), QStringLiteral("Mic"));
        QCOMPARE(list.item(2)->text(), QStringLiteral(" [3] Audio 3")); // an empty name is no name
        QCOMPARE(list.item(9)->text(), QStringLiteral(" [2] Camera"));
        QCOMPARE(list.item(9)->toolTip(), QStringLiteral("[2] Camera")); // whole when cut
        QCOMPARE(list.item(11)->text(), QStringLiteral(" [4] Input 4")); // output names stay out
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
        QTest::addColumn<IntList>("audio");
        QTest::addColumn<IntList>("video");
        const IntList none, all{1, 2, 3, 4, 5, 6, 7, 8}, four{1, 2, 3, 4};
        QTest::newRow("video page") << int(Dev0809) << 0 << none << all;
        QTest::newRow("audio page") << int(Dev0809) << 1 << all << all;
        QTest::newRow("audio page, 0404") << int(Dev0404) << 1 << four << four;
        QTest::newRow("audio page, 0808S") << int(Dev0808S) << 1 << none << all;
        QTest::newRow("audio page, wall") << int(Dev0409S) << 1 << none << four;
    }

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
        QTEST(visiblePorts(list, ListWidget::AudioKind), "audio");
        QTEST(visiblePorts(list, ListWidget::VideoKind), "video");
        const auto look = [&list](int port) {
            return list.entry(ListWidget::VideoKind, port)->foreground().color().name();
        };
        QCOMPARE(look(3), QStringLiteral("#2c3e50"));
        QCOMPARE(look(2), mode == 1 ? look(3) : QStringLiteral("#338c56"));
        // A signal report recolours the entries in the current mode.
        DeviceState::instance()->setInputSignalAt(3, true);
        list.refreshSelectionAndMode();
        QCOMPARE(look(3), look(2));
    }
};

QTEST_MAIN(TestListWidget)
#include "tst_listwidget.moc"
