#include "app/appsettings.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "users/permissionfunction.h"
#include "users/permissiongate.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"

#include <QTemporaryDir>
#include <QtTest>

using Rights = QMap<int, bool>;

class TestPermissions : public QObject
{
    Q_OBJECT

private:
    QScopedPointer<QTemporaryDir> m_dir;
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
        m_dir.reset(new QTemporaryDir);
        AppSettings::setDataDirectory(m_dir->path());
        ProjectDatabase::resetDatabasePath();
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
        QTest::newRow("ports from 1") << "1/0/1" << 1 << Rights{{1, true}, {2, false}, {3, true}};
        QTest::newRow("functions from 0") << "0/1" << 0 << Rights{{0, false}, {1, true}};
        QTest::newRow("empty part denies")
            << "1//1" << 1 << Rights{{1, true}, {2, false}, {3, true}};
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

        // A new row, and an existing one, both come out as the column defaults.
        restrictOperator(store, QStringLiteral("0/0"));
        QVERIFY(store.initUserPermissions(QStringLiteral("op")));
        QVERIFY(PermissionStore::readPermissions(m_opId, &record));
        QCOMPARE(record.input, PermissionList::allowAll(PermissionList::InputCount));
        QCOMPARE(record.output, PermissionList::allowAll(PermissionList::OutputCount));
        QCOMPARE(record.audio, PermissionList::allowAll(PermissionList::AudioCount));
        QCOMPARE(record.analog, PermissionList::allowAll(PermissionList::AnalogCount));
        QCOMPARE(record.functions, PermissionList::allowAll(PermissionList::FunctionCount));
        QVERIFY(store.deletePermissions(m_opId));
        QVERIFY(!PermissionStore::readPermissions(m_opId, &record));
    }

    void portRights_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("allowed");
        // input "1/0" (short), output "1/1/0", audio 8th denied, analog "0"
        QTest::newRow("input 2 denied") << 0 << 2 << false;
        QTest::newRow("input beyond a short list") << 0 << 8 << true;
        QTest::newRow("output 3 denied") << 1 << 3 << false;
        QTest::newRow("audio 8 denied") << 2 << 8 << false;
        QTest::newRow("analog 1 denied") << 3 << 1 << false;
        QTest::newRow("unknown kind") << 4 << 2 << true;
        QTest::newRow("port 0") << 0 << 0 << true;
    }
    void portRights()
    {
        QFETCH(int, kind);
        QFETCH(int, port);
        QFETCH(bool, allowed);
        PermissionStore store;
        restrictOperator(store, QStringLiteral("1/0"));
        logIn(store, QStringLiteral("op"), 1);
        QCOMPARE(store.currentUserId(), m_opId);
        QCOMPARE(store.hasPortPermission(port, kind), allowed);
        logIn(store, QStringLiteral("op"), 0);
        QVERIFY(store.hasPortPermission(port, kind));
    }

    void functionRights()
    {
        PermissionStore store;
        QList<bool> list;
        for (int i = 0; i < 30; ++i) // a long list: entries past 27 are kept but unused
            list.append(i != UserFunction && i != 29);
        restrictOperator(store, QStringLiteral("1"), PermissionList::join(list));
        logIn(store, QStringLiteral("op"), 1);
        QVERIFY(!store.hasListPermission(UserFunction));
        QVERIFY(store.hasListPermission(CaptionFunction));
        QVERIFY(!store.hasListPermission(29));
        QVERIFY(store.hasListPermission(40));
        logIn(store, QStringLiteral("op"), 0);
        QVERIFY(store.hasListPermission(UserFunction));
    }

    void userWithoutRowMayDoEverything()
    {
        PermissionStore store;
        restrictOperator(store, QStringLiteral("0/0/0"), QStringLiteral("0"));
        logIn(store, QStringLiteral("op"), 1);
        QVERIFY(!store.hasPortPermission(1, InputPortKind));
        QVERIFY(!store.hasListPermission(0));
        // guest has no row: nothing of op's rights may linger.
        logIn(store, QStringLiteral("guest"), 1);
        QVERIFY(store.hasPortPermission(1, InputPortKind));
        QVERIFY(store.hasListPermission(0));
    }

    void unknownNameKeepsPreviousUser()
    {
        PermissionStore store;
        restrictOperator(store, QStringLiteral("0"));
        logIn(store, QStringLiteral("op"), 1);
        logIn(store, QStringLiteral("nobody"), 1);
        QCOMPARE(store.currentUserId(), m_opId);
        QVERIFY(!store.hasPortPermission(1, InputPortKind));
    }

    void gate_data()
    {
        QTest::addColumn<int>("userType");
        QTest::addColumn<bool>("withStore");
        QTest::addColumn<bool>("warn");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<int>("warnings");
        QTest::newRow("denied, warned") << 1 << true << true << false << 2;
        QTest::newRow("denied, silent") << 1 << true << false << false << 0;
        QTest::newRow("administrator") << 0 << true << true << true << 0;
        QTest::newRow("no store") << 1 << false << true << true << 0;
    }
    void gate()
    {
        QFETCH(int, userType);
        QFETCH(bool, withStore);
        QFETCH(bool, warn);
        QFETCH(bool, allowed);
        QFETCH(int, warnings);
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
