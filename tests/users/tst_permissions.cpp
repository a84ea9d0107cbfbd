#include "../common/datadirfixture.h"
#include "users/permissionfunction.h"
#include "users/permissiongate.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"

#include <QtTest>

using Rights = QMap<int, bool>;

class TestPermissions : public QObject
{
    Q_OBJECT

private:
    DataDirFixture m_fx;
    int m_opId = 0;

    static void logIn(PermissionStore &store, const QString &name, int type)
    {
        AppSettings::instance()->setCurrentUserType(type);
        store.loadCurrentUser(name);
    }
    void restrictOperator(PermissionStore &store, const QString &input,
                          const QString &list = PermissionList::allowAll(28))
    {
        QVERIFY(store.savePermissions(m_opId, input, QStringLiteral("1/1/0"),
                                      QStringLiteral("1/1/1/1/1/1/1/0"), QStringLiteral("0"),
                                      list));
    }

private slots:
    void init()
    {
        m_fx.setUp();
        UserAccountStore users;
        QVERIFY(users.addUser(QStringLiteral("op"), QStringLiteral("pw")));
        QVERIFY(users.addUser(QStringLiteral("guest"), QStringLiteral("pw")));
        m_opId = users.allUsers().at(1).at(0).toInt();
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("firstKey");
        QTest::addColumn<Rights>("expected");
        QTest::newRow("ports from 1, empty part denies")
            << "1//1" << 1 << Rights{{1, true}, {2, false}, {3, true}};
        QTest::newRow("functions from 0") << "0/1" << 0 << Rights{{0, false}, {1, true}};
        QTest::newRow("non-number denies")
            << "x/1/1.0" << 1 << Rights{{1, false}, {2, true}, {3, false}};
        QTest::newRow("any other number allows")
            << "2/-1/00" << 1 << Rights{{1, true}, {2, true}, {3, false}};
        QTest::newRow("empty text has no entries") << "" << 1 << Rights{};
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(int, firstKey);
        QTEST(PermissionList::parse(text, firstKey), "expected");
    }

    void initUserPermissions()
    {
        PermissionStore store;
        PermissionRecord record;
        QVERIFY(!store.initUserPermissions(QStringLiteral("ADMIN")));
        QVERIFY(!PermissionStore::readPermissions(1, &record));
        QVERIFY(!store.initUserPermissions(QStringLiteral("nobody")));

        // An existing row comes out as the column defaults too.
        restrictOperator(store, QStringLiteral("0/0"));
        QVERIFY(store.initUserPermissions(QStringLiteral("op")));
        QVERIFY(PermissionStore::readPermissions(m_opId, &record));
        const QStringList fields{record.input, record.output, record.audio, record.analog,
                                 record.functions};
        const QList<int> counts{8, 9, 8, 9, 28};
        for (int i = 0; i < fields.size(); ++i)
            QCOMPARE(fields.at(i), PermissionList::allowAll(counts.at(i)));
    }

    // Short, long and partly denied lists; function entries past 27 are kept but unused.
    void rights()
    {
        PermissionStore store;
        QList<bool> list;
        for (int i = 0; i < 30; ++i)
            list.append(i != UserFunction && i != 29);
        restrictOperator(store, QStringLiteral("1/0"), PermissionList::join(list));
        const QList<std::tuple<int, int, bool>> checks{{InputPortKind, 2, false},
                                                       {InputPortKind, 8, true},
                                                       {OutputPortKind, 3, false},
                                                       {AudioInputPortKind, 8, false},
                                                       {AnalogOutputPortKind, 1, false},
                                                       {4, 2, true},
                                                       {InputPortKind, 0, true},
                                                       {-1, UserFunction, false},
                                                       {-1, CaptionFunction, true},
                                                       {-1, 29, false},
                                                       {-1, 40, true}};
        for (int type : {1, 0}) {
            logIn(store, QStringLiteral("op"), type);
            QCOMPARE(store.currentUserId(), m_opId);
            for (const auto &[kind, index, allowed] : checks) {
                const bool got = kind < 0 ? store.hasListPermission(index)
                                          : store.hasPortPermission(index, kind);
                QVERIFY2(got == (allowed || type == 0), qPrintable(QString::number(index)));
            }
        }
    }

    void switchingUsers()
    {
        PermissionStore store;
        restrictOperator(store, QStringLiteral("0/0/0"), QStringLiteral("0"));
        logIn(store, QStringLiteral("op"), 1);
        // An unknown name keeps the previous user and rights.
        logIn(store, QStringLiteral("nobody"), 1);
        QCOMPARE(store.currentUserId(), m_opId);
        QVERIFY(!store.hasPortPermission(1, InputPortKind));
        QVERIFY(!store.hasListPermission(0));
        // guest has no row: nothing of op's rights may linger.
        logIn(store, QStringLiteral("guest"), 1);
        for (const auto &[kind, port] : {std::pair{InputPortKind, 1},
                                         {OutputPortKind, 3},
                                         {AudioInputPortKind, 8},
                                         {AnalogOutputPortKind, 1}})
            QVERIFY(store.hasPortPermission(port, kind));
        QVERIFY(store.hasListPermission(0));
    }

    void gate_data()
    {
        QTest::addColumn<int>("userType");
        QTest::addColumn<bool>("withStore");
        QTest::addColumn<bool>("warn");
        QTest::newRow("denied, warned") << 1 << true << true;
        QTest::newRow("denied, silent") << 1 << true << false;
        QTest::newRow("administrator") << 0 << true << true;
        QTest::newRow("no store") << 1 << false << true;
    }
    void gate()
    {
        QFETCH(int, userType);
        QFETCH(bool, withStore);
        QFETCH(bool, warn);
        const bool allowed = userType == 0 || !withStore;
        const int warnings = !allowed && warn ? 2 : 0;
        PermissionStore store;
        restrictOperator(store, QStringLiteral("1/0"), QStringLiteral("0"));
        logIn(store, QStringLiteral("op"), userType);
        PermissionGate gate(withStore ? &store : nullptr);
        int shown = 0;
        gate.setWarningHook([&] { ++shown; });
        QCOMPARE(gate.checkPortPermission(2, InputPortKind, warn), allowed);
        QCOMPARE(gate.checkListPermission(SplicingSettingFunction, warn), allowed);
        QCOMPARE(shown, warnings);
        // Allowed checks never warn; HDMI audio ports are checked without their offset.
        QVERIFY(gate.checkPortPermission(1, InputPortKind));
        QCOMPARE(gate.checkPortPermission(102, InputPortKind, false), allowed);
        QCOMPARE(shown, warnings);
    }
};

QTEST_GUILESS_MAIN(TestPermissions)
#include "tst_permissions.moc"
