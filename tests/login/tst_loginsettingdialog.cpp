#include "app/loginsettingdialog.h"
#include "../common/datadirfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestLoginSettingDialog : public QObject
{
    Q_OBJECT

private:
    DataDirFixture m_fx;

private slots:
    void init() { m_fx.setUp(); }

    void showsTheStoreAndListsEveryModel()
    {
        LoginSettingDialog dlg(nullptr, false);
        QCOMPARE(child<QLineEdit>(&dlg, "DeviceIP")->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(child<QLineEdit>(&dlg, "DevicePort")->text(), QStringLiteral("4001"));
        auto *types = child<QComboBox>(&dlg, "cbb_type");
        const QStringList expected = {"CVN0808",   "CVN0809",   "CVN0409_S",
                                      "CVN0808_S", "CVN0809_M", "CVN0404"};
        QCOMPARE(types->count(), expected.size());
        for (int i = 0; i < types->count(); ++i) {
            QCOMPARE(types->itemText(i), expected.at(i));
            QCOMPARE(types->itemData(i).toInt(), i);
        }
        QCOMPARE(types->currentIndex(), int(Dev0409S));
    }

    void okWritesTheStoreOnly_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("typeIndex");
        QTest::addColumn<bool>("typeListDisabled");
        QTest::addColumn<QString>("storedIp");
        QTest::addColumn<int>("storedPort");
        QTest::addColumn<int>("storedType");
        QTest::newRow("all changed")
            << "127.0.0.2"
            << "5000" << int(Dev0809M) << false << "127.0.0.2" << 5000 << int(Dev0809M);
        QTest::newRow("non-digit port")
            << "127.0.0.1"
            << "80a" << int(Dev0808) << false << "127.0.0.1" << 0 << int(Dev0808);
        QTest::newRow("pasted blanks")
            << " 127.0.0.3 "
            << "4002" << int(Dev0809) << false << "127.0.0.3" << 4002 << int(Dev0809);
        QTest::newRow("type list disabled")
            << "127.0.0.1"
            << "4001" << int(Dev0808) << true << "127.0.0.1" << 4001 << int(Dev0409S);
        QTest::newRow("no type selected")
            << "127.0.0.1"
            << "4001" << -1 << false << "127.0.0.1" << 4001 << int(Dev0809);
    }

    void okWritesTheStoreOnly()
    {
        QFETCH(QString, ip);
        QFETCH(QString, port);
        QFETCH(int, typeIndex);
        QFETCH(bool, typeListDisabled);
        QFETCH(QString, storedIp);
        QFETCH(int, storedPort);
        QFETCH(int, storedType);
        LoginSettingDialog dlg(nullptr, typeListDisabled);
        QCOMPARE(child<QComboBox>(&dlg, "cbb_type")->isEnabled(), !typeListDisabled);
        dlg.show();
        child<QLineEdit>(&dlg, "DeviceIP")->setText(ip);
        child<QLineEdit>(&dlg, "DevicePort")->setText(port);
        child<QComboBox>(&dlg, "cbb_type")->setCurrentIndex(typeIndex);
        child<QPushButton>(&dlg, "btnOK")->click();

        QCOMPARE(dlg.result(), 1);
        const DeviceState *state = DeviceState::instance();
        QCOMPARE(state->ip(), storedIp);
        QCOMPARE(state->port(), storedPort);
        QCOMPARE(int(state->deviceType()), storedType);
        // The settings file waits for the next press of Login.
        QVERIFY(!m_fx.stored("NetWork/Ip").isValid());
        QVERIFY(!m_fx.stored("Type/type").isValid());
    }

    void closeChangesNothing()
    {
        LoginSettingDialog dlg(nullptr, false);
        dlg.show();
        child<QLineEdit>(&dlg, "DeviceIP")->setText(QStringLiteral("127.0.0.9"));
        child<QLineEdit>(&dlg, "DevicePort")->setText(QStringLiteral("9"));
        child<QComboBox>(&dlg, "cbb_type")->setCurrentIndex(int(Dev0404));
        child<QPushButton>(&dlg, "btnClose")->click();

        QCOMPARE(dlg.result(), 0);
        QVERIFY(!dlg.isVisible());
        const DeviceState *state = DeviceState::instance();
        QCOMPARE(state->ip(), QStringLiteral("127.0.0.1"));
        QCOMPARE(state->port(), 4001);
        QCOMPARE(state->deviceType(), Dev0409S);
    }
};

QTEST_MAIN(TestLoginSettingDialog)
#include "tst_loginsettingdialog.moc"
