#include "../common/datadirfixture.h"
#include "app/loginsettingdialog.h"

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

    // The dialog opens on the store (127.0.0.1:4001, CVN0409_S); the address is then typed with
    // pasted blanks, and OK or Close pressed.
    void buttons_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("typeListDisabled");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("typeIndex");
        QTest::addColumn<int>("storedPort");
        QTest::addColumn<int>("storedType");
        QTest::newRow("all changed")
            << true << false << "5000" << int(Dev0809M) << 5000 << int(Dev0809M);
        QTest::newRow("non-digit port")
            << true << false << "80a" << int(Dev0808) << 0 << int(Dev0808);
        QTest::newRow("type list disabled")
            << true << true << "4001" << int(Dev0808) << 4001 << int(Dev0409S);
        QTest::newRow("no type selected") << true << false << "4001" << -1 << 4001 << int(Dev0809);
        QTest::newRow("closed") << false << false << "9" << int(Dev0404) << 4001 << int(Dev0409S);
    }

    void buttons()
    {
        QFETCH(bool, ok);
        QFETCH(bool, typeListDisabled);
        QFETCH(QString, port);
        QFETCH(int, typeIndex);
        QFETCH(int, storedPort);
        QFETCH(int, storedType);
        LoginSettingDialog dlg(nullptr, typeListDisabled);
        auto *ipEdit = child<QLineEdit>(&dlg, "DeviceIP");
        auto *portEdit = child<QLineEdit>(&dlg, "DevicePort");
        auto *types = child<QComboBox>(&dlg, "cbb_type");
        QCOMPARE(ipEdit->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(portEdit->text(), QStringLiteral("4001"));
        QCOMPARE(types->currentIndex(), int(Dev0409S));
        QCOMPARE(types->isEnabled(), !typeListDisabled);
        // Every model, in the order of the stored type.
        QCOMPARE(types->count(), 6);
        QCOMPARE(types->itemText(Dev0809M), QStringLiteral("CVN0809_M"));

        dlg.show();
        ipEdit->setText(QStringLiteral(" 127.0.0.2 "));
        portEdit->setText(port);
        types->setCurrentIndex(typeIndex);
        child<QPushButton>(&dlg, ok ? "btnOK" : "btnClose")->click();

        QCOMPARE(dlg.result(), ok ? 1 : 0);
        QVERIFY(!dlg.isVisible());
        const DeviceState *state = DeviceState::instance();
        QCOMPARE(state->ip(), ok ? QStringLiteral("127.0.0.2") : QStringLiteral("127.0.0.1"));
        QCOMPARE(state->port(), storedPort);
        QCOMPARE(int(state->deviceType()), storedType);
        // The settings file waits for the next press of Login.
        QVERIFY(!m_fx.stored("NetWork/Ip").isValid());
        QVERIFY(!m_fx.stored("Type/type").isValid());
    }
};

QTEST_MAIN(TestLoginSettingDialog)
#include "tst_loginsettingdialog.moc"
