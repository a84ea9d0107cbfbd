#include "app/appsettings.h"
#include "storage/captionstore.h"
#include "storage/plannamestore.h"
#include "storage/portnamestore.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"

#include <QTemporaryDir>
#include <QtTest>

class TestStores : public QObject
{
    Q_OBJECT

private:
    QScopedPointer<QTemporaryDir> m_dir;

    static QVariantList column(const QList<QVariantList> &rows, int index)
    {
        QVariantList values;
        for (const auto &row : rows)
            values.append(row.value(index));
        return values;
    }

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        AppSettings::setDataDirectory(m_dir->path());
        ProjectDatabase::resetDatabasePath();
    }

    void loginModelRow()
    {
        UserAccountStore users;
        const QString count = QStringLiteral("select count(*) from loginmodel");
        QCOMPARE(ProjectDatabase::queryRows(count, {}, 1).first().first().toInt(), 0);
        QCOMPARE(users.loginModel(), 0); // creates the missing row
        QCOMPARE(ProjectDatabase::queryRows(count, {}, 1).first().first().toInt(), 1);
        users.setLoginModel(1);
        QCOMPARE(users.loginModel(), 1);
        users.setLoginModel(2);
        users.setLoginModel(-1);
        QCOMPARE(users.loginModel(), 1);
        users.setLoginModel(0);
        QCOMPARE(users.loginModel(), 0);
    }

    void loginModelChosenBeforeFirstRead()
    {
        UserAccountStore users;
        users.setLoginModel(1);
        QCOMPARE(users.loginModel(), 1);
    }

    void rememberPasswordFlows()
    {
        UserAccountStore users;
        QVERIFY(!users.isRememberPassword());
        QCOMPARE(users.rememberedPassword(), QString());
        QVERIFY(users.saveRememberedPassword(QStringLiteral("pw 1")));
        QVERIFY(users.isRememberPassword());
        QCOMPARE(users.rememberedPassword(), QStringLiteral("pw 1"));
        // Switching remembering off forgets the password; switching it on does not bring it back.
        QVERIFY(users.setRememberPassword(false));
        QVERIFY(!users.isRememberPassword());
        QCOMPARE(users.rememberedPassword(), QString());
        QVERIFY(users.setRememberPassword(true));
        QVERIFY(users.isRememberPassword());
        QCOMPARE(users.rememberedPassword(), QString());
    }

    void accounts()
    {
        UserAccountStore users;
        QVERIFY(!users.addUser(QString(), QStringLiteral("pw")));
        QVERIFY(!users.addUser(QStringLiteral("op"), QString()));
        QCOMPARE(users.allUsers().size(), 1);

        QVERIFY(users.addUser(QStringLiteral("op"), QStringLiteral("pw")));
        QVERIFY(!users.addUser(QStringLiteral("op"), QStringLiteral("other")));
        QVERIFY(users.addUser(QStringLiteral("Op"), QStringLiteral("pw")));
        QCOMPARE(column(users.allUsers(), 1), (QVariantList{"ADMIN", "op", "Op"}));
        QCOMPARE(column(users.allUsers(), 2), (QVariantList{0, 1, 1}));
        QCOMPARE(users.userType(QStringLiteral("ADMIN")), 0);
        QCOMPARE(users.userType(QStringLiteral("op")), 1);
        QCOMPARE(users.userType(QStringLiteral("nobody")), 1);
        QVERIFY(users.checkUser(QStringLiteral("op"), QStringLiteral("pw")));
        QVERIFY(!users.checkUser(QStringLiteral("op"), QStringLiteral("PW")));
        QVERIFY(!users.checkUser(QStringLiteral("admin"), QStringLiteral("wexol482")));

        // Renaming onto a taken name fails and changes nothing.
        const int opId = users.allUsers().at(1).at(0).toInt();
        QVERIFY(!users.updateUser(opId, QStringLiteral("ADMIN"), QStringLiteral("x")));
        QVERIFY(users.checkUser(QStringLiteral("op"), QStringLiteral("pw")));
        // An empty password is stored as empty text, not refused as a missing value.
        QVERIFY(users.updateUser(opId, QStringLiteral("op"), QString()));
        QVERIFY(users.checkUser(QStringLiteral("op"), QStringLiteral("")));
        QVERIFY(users.deleteUser(opId));
        QCOMPARE(column(users.allUsers(), 1), (QVariantList{"ADMIN", "Op"}));
    }

    // password.txt keys fold slashes and lose surrounding blanks: such names are refused when
    // made, while an account that already has one keeps loading, logging in and changing its
    // password.
    void unstorableUserNames_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"a/b", "a//b", "/a/b", "a\\b", " a", "a ", "\ta", "a\n"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void unstorableUserNames()
    {
        QFETCH(QString, name);
        UserAccountStore users;
        QVERIFY(users.addUser(QStringLiteral("op"), QStringLiteral("pw")));
        const int opId = users.allUsers().at(1).at(0).toInt();
        QVERIFY(!users.addUser(name, QStringLiteral("pw")));
        QVERIFY(!users.updateUser(opId, name, QStringLiteral("pw")));
        QCOMPARE(column(users.allUsers(), 1), (QVariantList{"ADMIN", "op"}));

        QVERIFY(ProjectDatabase::executeStatement(
            QStringLiteral("insert into user(username,password,type) values(?,'old',1)"), {name}));
        const int oldId = users.allUsers().at(2).at(0).toInt();
        QVERIFY(users.checkUser(name, QStringLiteral("old")));
        QVERIFY(users.updateUser(oldId, name, QStringLiteral("new")));
        QVERIFY(users.checkUser(name, QStringLiteral("new")));
    }

    void portNameTables_data()
    {
        QTest::addColumn<int>("saveKind");
        QTest::addColumn<QList<int>>("loadKinds");
        QTest::newRow("input video") << 0 << QList<int>{0};
        QTest::newRow("output video") << 1 << QList<int>{1, 3, 5, -1};
        QTest::newRow("input audio") << 2 << QList<int>{2};
    }
    void portNameTables()
    {
        QFETCH(int, saveKind);
        QFETCH(QList<int>, loadKinds);
        PortNameStore store;
        QVERIFY(store.savePortName(3, QStringLiteral("old"), saveKind));
        QVERIFY(store.savePortName(3, QStringLiteral("Camera"), saveKind));
        const QMap<int, QString> saved{{3, QStringLiteral("Camera")}};
        for (int kind : {0, 1, 2}) {
            const QMap<int, QString> expected =
                loadKinds.contains(kind) ? saved : QMap<int, QString>();
            QCOMPARE(store.loadPortNames(kind), expected);
        }
        for (int kind : loadKinds)
            QCOMPARE(store.loadPortNames(kind), saved);
        QVERIFY(store.loadOutputAudioNames().isEmpty());
        QVERIFY(store.loadOutputIrNames().isEmpty());
    }

    void outputAudioAndIrNames()
    {
        PortNameStore store;
        QVERIFY(!store.savePortName(1, QStringLiteral("lost"), 3));
        QVERIFY(store.saveOutputAudioName(2, QStringLiteral("Hall")));
        QVERIFY(store.saveOutputIrName(2, QStringLiteral("Remote")));
        QCOMPARE(store.loadOutputAudioNames(), (QMap<int, QString>{{2, "Hall"}}));
        QCOMPARE(store.loadOutputIrNames(), (QMap<int, QString>{{2, "Remote"}}));
        for (int kind : {0, 1, 2})
            QVERIFY(store.loadPortNames(kind).isEmpty());
    }

    void captionsRoundTrip()
    {
        CaptionStore store;
        QVERIFY(store.saveCaption(1, QStringLiteral("Hello"), QStringLiteral("Arial"), 200, true,
                                  false, true));
        QVERIFY(store.saveCaption(4, QString(), QString(), 35, false, true, false));
        const auto captions = store.loadCaptions();
        QCOMPARE(captions.keys(), (QList<int>{1, 4}));
        const CaptionRecord one = captions.value(1);
        QCOMPARE(one.content, QStringLiteral("Hello"));
        QCOMPARE(one.font, QStringLiteral("Arial"));
        QCOMPARE(one.fontSize, 200);
        QVERIFY(one.isBold && !one.isItalic && one.isUnderline);
        const CaptionRecord four = captions.value(4);
        QCOMPARE(four.fontSize, 35);
        QVERIFY(!four.isBold && four.isItalic && !four.isUnderline);
        // Files written by earlier versions hold the words TRUE/FALSE.
        QVERIFY(ProjectDatabase::executeStatement(
            QStringLiteral("insert or replace into CaptionOrOSDInfo values(5,'a','b',9,TRUE,"
                           "FALSE,TRUE)")));
        const CaptionRecord five = store.loadCaptions().value(5);
        QVERIFY(five.isBold && !five.isItalic && five.isUnderline);
    }

    void planNamesKeptApartPerDevice()
    {
        PlanNameStore plans;
        AppSettings::instance()->reload();
        AppSettings::instance()->setNetWork(QStringLiteral("127.0.0.1"), 5000);
        QVERIFY(plans.savePlanName(3, QStringLiteral("Night")));
        QVERIFY(plans.savePlanName(1, QStringLiteral("Day")));
        AppSettings::instance()->setNetWork(QStringLiteral("127.0.0.2"), 5000);
        QVERIFY(plans.savePlanName(3, QStringLiteral("Other")));
        QCOMPARE(plans.loadPlanNames(QStringLiteral("127.0.0.1")),
                 (QMap<int, QString>{{1, "Day"}, {3, "Night"}}));
        QCOMPARE(plans.loadPlanNames(QStringLiteral("127.0.0.2")),
                 (QMap<int, QString>{{3, "Other"}}));
        QVERIFY(plans.loadPlanNames(QStringLiteral("127.0.0.3")).isEmpty());
    }

    void hostileValuesStoredExactly_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("statement breaker") << "x'); DROP TABLE user;--";
        QTest::newRow("place markers") << "%1 %2 %3";
        QTest::newRow("quotes") << "O'Brien \"the\" ''";
        QTest::newRow("backslashes") << "C:\\path\\n\\";
        QTest::newRow("non-ASCII") << QStringLiteral("输入 Ünïcødé ✓ 😀");
        QTest::newRow("control characters") << "tab\tline\nend";
        QTest::newRow("long") << QString(10000, QLatin1Char('c'));
        QTest::newRow("looks like a number") << "007";
        QTest::newRow("like wildcard") << "%_%";
    }
    void hostileValuesStoredExactly()
    {
        QFETCH(QString, value);
        UserAccountStore users;
        PortNameStore names;
        CaptionStore captions;
        PlanNameStore plans;

        // User names may not hold backslashes (see unstorableUserNames); passwords may.
        const QString name = QString(value).replace(QLatin1Char('\\'), QLatin1Char('|'));
        QVERIFY(users.addUser(name, value));
        QVERIFY(users.checkUser(name, value));
        QCOMPARE(users.userType(name), 1);
        QCOMPARE(users.allUsers().last().value(1).toString(), name);
        QVERIFY(!users.checkUser(QStringLiteral("ADMIN"), value));
        QVERIFY(users.saveRememberedPassword(value));
        QCOMPARE(users.rememberedPassword(), value);

        QVERIFY(names.savePortName(1, value, OutputVideoName));
        QCOMPARE(names.loadPortNames(OutputVideoName).value(1), value);
        QVERIFY(captions.saveCaption(1, value, value, 12, true, true, true));
        QCOMPARE(captions.loadCaptions().value(1).content, value);
        QCOMPARE(captions.loadCaptions().value(1).font, value);

        AppSettings::instance()->reload();
        AppSettings::instance()->setNetWork(value, 5000);
        QVERIFY(plans.savePlanName(2, value));
        QCOMPARE(plans.loadPlanNames(value), (QMap<int, QString>{{2, value}}));

        // Nothing else was touched: the administrator is still there and still the same.
        QCOMPARE(users.allUsers().size(), 2);
        QVERIFY(users.checkUser(QStringLiteral("ADMIN"), QStringLiteral("wexol482")));
    }
};

QTEST_GUILESS_MAIN(TestStores)
#include "tst_stores.moc"
