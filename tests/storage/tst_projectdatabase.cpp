#include "app/appsettings.h"
#include "storage/activityrecorder.h"
#include "storage/activitystore.h"
#include "storage/captionstore.h"
#include "storage/fileaccess.h"
#include "storage/plannamestore.h"
#include "storage/portnamestore.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "users/permissionstore.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {
void useDirectory(const QString &dir)
{
    AppSettings::setDataDirectory(dir);
    ProjectDatabase::resetDatabasePath();
}

void createAllStores()
{
    PortNameStore names;
    UserAccountStore users;
    CaptionStore captions;
    PermissionStore permissions;
    PlanNameStore plans;
}

// Collects every Qt message while alive.
struct LogCapture
{
    static inline QStringList lines;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &message) { lines << message; });
    LogCapture() { lines.clear(); }
    ~LogCapture() { qInstallMessageHandler(previous); }
};

QVariantList names(const UserAccountStore &users)
{
    QVariantList values;
    for (const auto &row : users.allUsers())
        values << row.value(1);
    return values;
}
} // namespace

class TestProjectDatabase : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        ::umask(022); // under which SQLite alone would create 0644 files
        m_dir.reset(new QTemporaryDir);
        useDirectory(m_dir->path());
    }
    void cleanup()
    {
        QFile::setPermissions(m_dir->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // A batch shares one connection (so a temporary table lives on) and goes on after a failure,
    // which is logged in one line naming the statement but never the values bound to it.
    void statements()
    {
        QVERIFY(ProjectDatabase::executeStatements(
            {"create temp table scratch(x integer)", "insert into scratch values(1)"}));
        LogCapture log;
        QVERIFY(!ProjectDatabase::executeStatements(
            {"create tabel broken(x)", "create table later(x)", "drop table nowhere"}));
        QVERIFY(ProjectDatabase::lastError().contains(QLatin1String("tabel")));
        QCOMPARE(ProjectDatabase::queryRows("select * from later", {}, 1).size(), 0);
        QVERIFY(ProjectDatabase::lastError().isEmpty());
        UserAccountStore users;
        QVERIFY(users.addUser(QStringLiteral("op"), QStringLiteral("secret-1")));
        QVERIFY(!users.addUser(QStringLiteral("op"), QStringLiteral("secret-2")));
        QCOMPARE(log.lines.size(), 3);
        QVERIFY(log.lines.last().contains(QLatin1String("INSERT INTO user")));
        QVERIFY(!log.lines.last().contains(QLatin1String("secret-2")));
        // Made owner-only; one that exists already keeps its mode until restricted on purpose.
        const QString made = m_dir->filePath(QStringLiteral("made")), dir = m_dir->path();
        const auto others = [](const QString &path) {
            return QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther);
        };
        QVERIFY(FileAccess::createOwnerOnly(made) && !others(made));
        QVERIFY(
            QFile::setPermissions(made, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadOther));
        QVERIFY(FileAccess::createOwnerOnly(made) && others(made));
        QVERIFY(!FileAccess::createOwnerOnly(m_dir->filePath(QStringLiteral("no/such/file"))));
        QVERIFY(FileAccess::restrictToOwner(made) && !others(made));
        QVERIFY(FileAccess::restrictToOwner(made) && FileAccess::restrictToOwner(dir) &&
                others(dir));
    }

    // The start-up check never changes the file; on an unusable one every store answers its
    // defaults with one log line saying where it failed.
    void damagedFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("seeded");
        QTest::addColumn<int>("state");
        const int usable = ProjectDatabase::Health::Usable;
        const int unusable = ProjectDatabase::Health::Unusable;
        QTest::newRow("sound database") << "" << true << usable;
        QTest::newRow("no data folder") << "absent" << false << unusable;
        QTest::newRow("not a database") << "garbage" << false << unusable;
        QTest::newRow("damaged pages") << "damaged" << true << unusable;
        QTest::newRow("directory in its place") << "directory" << false << unusable;
        QTest::newRow("read-only file")
            << "readonly" << true << int(ProjectDatabase::Health::ReadOnly);
    }
    void damagedFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, seeded);
        QFETCH(int, state);
        QString dir = m_dir->path();
        const QString db = dir + QStringLiteral("/project.db");
        if (seeded) {
            createAllStores();
            QVERIFY(UserAccountStore().addUser(QStringLiteral("op"), QStringLiteral("pw")));
        }
        QFile file(db);
        if (kind == "absent") {
            dir += QStringLiteral("/absent/deeper");
        } else if (kind == "garbage") {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("this is not a database\n").repeated(200));
        } else if (kind == "damaged") { // a sound header over pages that are not
            QVERIFY(file.open(QIODevice::ReadWrite) && file.size() > 3 * 4096 && file.seek(4096));
            QCOMPARE(file.write(QByteArray(2 * 4096, '\xA5')), 2 * 4096);
        } else if (kind == "directory") {
            QVERIFY(QDir(dir).mkdir(QStringLiteral("project.db")));
        } else if (kind == "readonly") {
            QVERIFY(QFile::setPermissions(db, QFile::ReadOwner));
            if (QFile(db).open(QIODevice::ReadWrite))
                QSKIP("file modes do not stop this user (root) from writing");
        }
        file.close();
        useDirectory(dir);
        const QString path = ProjectDatabase::databasePath();
        const auto contents = [&path] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray before = contents();

        const ProjectDatabase::Health health = ProjectDatabase::checkHealth();
        QCOMPARE(int(health.state), state);
        QCOMPARE(health.error.isEmpty(), state == ProjectDatabase::Health::Usable);
        QCOMPARE(contents(), before);
        QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
        QVERIFY(state != ProjectDatabase::Health::Usable ||
                UserAccountStore().checkUser("op", "pw"));
        if (state != ProjectDatabase::Health::Unusable || seeded)
            return;
        LogCapture log;
        createAllStores();
        UserAccountStore users;
        PortNameStore names;
        QCOMPARE((QVariantList{users.addUser("op", "pw"), names.savePortName(1, "Camera", 0),
                               users.userType("ADMIN"), users.checkUser("ADMIN", "wexol482"),
                               users.isRememberPassword(), users.rememberedPassword(),
                               users.loginModel(), users.allUsers().size(),
                               names.loadPortNames(0).size(), CaptionStore().loadCaptions().size(),
                               PlanNameStore().loadPlanNames("127.0.0.1").size()}),
                 (QVariantList{false, false, 1, false, false, QString(), 0, 0, 0, 0, 0}));
        QCOMPARE(log.lines.size(), 1);
        QVERIFY(log.lines.first().contains(QLatin1String("project database unusable")));
        QVERIFY(ProjectDatabase::lastError().startsWith(path + QStringLiteral(": ")));
        QCOMPARE(contents(), before);
    }

    // The administrator is seeded once; names are case-sensitive and unique, hostile text is
    // stored exactly; a rename onto a taken name fails; an empty password is empty text.
    void accounts()
    {
        createAllStores();
        UserAccountStore users;
        const QString odd = QStringLiteral("x'); DROP TABLE user;-- %1 \"the\" 输入 😀 %_%");
        QVERIFY(users.updateUser(1, QStringLiteral("ADMIN"), QStringLiteral("new")));
        QVERIFY(!users.addUser(QString(), "pw") && !users.addUser("op", QString()));
        QVERIFY(users.addUser(QStringLiteral("op"), QStringLiteral("pw")));
        QVERIFY(!users.addUser(QStringLiteral("op"), QStringLiteral("other")));
        QVERIFY(users.addUser(odd, odd));
        QCOMPARE(UserAccountStore().allUsers().first(), (QVariantList{1, "ADMIN", 0, "new"}));
        QCOMPARE(names(users), (QVariantList{"ADMIN", "op", odd}));
        QCOMPARE((QList<int>{users.userType("ADMIN"), users.userType("op"), users.userType("x")}),
                 (QList<int>{0, 1, 1}));
        QVERIFY(users.checkUser(odd, odd) && !users.checkUser("Op", "pw") &&
                !users.checkUser("op", "PW"));
        QVERIFY(!users.updateUser(2, QStringLiteral("ADMIN"), QStringLiteral("x")));
        QVERIFY(users.updateUser(2, QStringLiteral("op"), QString()));
        QVERIFY(users.checkUser(QStringLiteral("op"), QStringLiteral("")));
        QVERIFY(users.deleteUser(2));
        QCOMPARE(names(users), (QVariantList{"ADMIN", odd}));
        // Names password.txt cannot key are refused when made; an existing one keeps working.
        for (const char *name : {"a/b", "a\\b", " a", "a\n"})
            QVERIFY(!users.addUser(name, QStringLiteral("pw")) && !users.updateUser(1, name, "pw"));
        QVERIFY(ProjectDatabase::executeStatement(
            QStringLiteral("insert into user(username,password,type) values('a/b','old',1)")));
        QVERIFY(users.updateUser(4, QStringLiteral("a/b"), QStringLiteral("new")));
        QVERIFY(users.checkUser(QStringLiteral("a/b"), QStringLiteral("new")));
    }

    // What the operator named and set up comes back as saved: port names per kind (outputs
    // share one table), captions (older files hold TRUE/FALSE), plan names per device, the
    // login-free choice (0 or 1 only) and a remembered password, forgotten when switched off.
    void operatorSetupRoundTrips()
    {
        PortNameStore ports;
        QVERIFY(!ports.savePortName(1, QStringLiteral("lost"), 3));
        for (int kind : {0, 1, 2}) {
            QVERIFY(ports.savePortName(kind + 1, QStringLiteral("old"), kind));
            QVERIFY(ports.savePortName(kind + 1, QString::number(kind), kind));
        }
        QVERIFY(ports.saveOutputAudioName(2, QStringLiteral("Hall")));
        QCOMPARE((QList<QMap<int, QString>>{ports.loadPortNames(0), ports.loadPortNames(1),
                                            ports.loadPortNames(5), ports.loadPortNames(2),
                                            ports.loadOutputAudioNames()}),
                 (QList<QMap<int, QString>>{
                     {{1, "0"}}, {{2, "1"}}, {{2, "1"}}, {{3, "2"}}, {{2, "Hall"}}}));

        CaptionStore captions;
        QVERIFY(captions.saveCaption(1, "Hello", "Arial", 200, true, false, true));
        QVERIFY(ProjectDatabase::executeStatement(
            QStringLiteral("insert into CaptionOrOSDInfo values(5,'a','b',9,TRUE,FALSE,TRUE)")));
        QStringList got;
        for (const CaptionRecord &c : captions.loadCaptions())
            got << QStringLiteral("%1 %2 %3 %4%5%6")
                       .arg(c.content, c.font)
                       .arg(c.fontSize)
                       .arg(c.isBold)
                       .arg(c.isItalic)
                       .arg(c.isUnderline);
        QCOMPARE(got, (QStringList{"Hello Arial 200 101", "a b 9 101"}));

        PlanNameStore plans;
        for (const char *host : {"127.0.0.1", "127.0.0.2"}) {
            AppSettings::instance()->setNetWork(QString::fromLatin1(host), 5000);
            QVERIFY(plans.savePlanName(3, QString::fromLatin1(host)));
        }
        QCOMPARE(plans.loadPlanNames(QStringLiteral("127.0.0.1")),
                 (QMap<int, QString>{{3, "127.0.0.1"}}));
        QVERIFY(plans.loadPlanNames(QStringLiteral("127.0.0.3")).isEmpty());

        UserAccountStore users;
        QVERIFY(users.setLoginModel(0) && users.setLoginModel(1) && !users.setLoginModel(2) &&
                !users.setLoginModel(-1));
        QCOMPARE(UserAccountStore().loginModel(), 1);
        QVERIFY(users.saveRememberedPassword(QStringLiteral("pw 1")));
        QCOMPARE(UserAccountStore().rememberedPassword(), QStringLiteral("pw 1"));
        QVERIFY(users.setRememberPassword(false) && users.setRememberPassword(true));
        QVERIFY(users.isRememberPassword());
        QCOMPARE(users.rememberedPassword(), QString());
    }

    // The activity log keeps 30 days, filters in the database, and exports text a spreadsheet
    // cannot run; a batch is written whole or not at all.
    void activityLog()
    {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const auto at = [&now](qint64 secondsAgo, const QString &user, const QString &kind,
                               int port, const QString &detail) {
            return ActivityEntry{
                now.addSecs(-secondsAgo), user, user.isEmpty(), kind, port, detail};
        };
        ActivityStore store;
        QVERIFY(store.record({at(31 * 86400, "ADMIN", "video", 5, "old"),
                              at(120, "=cmd|' /C calc'!A0", "video", 5, "input 3 → output 5"),
                              at(60, "", "audio", 1, "input 1, \"left\""),
                              at(1, "Ops", "plan", 2, "recall plan 2")}));
        QVERIFY(store.trim(now));
        const auto details = [&store](ActivityStore::Filter filter) {
            QStringList got;
            for (const ActivityEntry &e : store.load(filter))
                got << e.detail;
            return got.join(';');
        };
        ActivityStore::Filter all;
        QCOMPARE(details(all), "recall plan 2;input 1, \"left\";input 3 → output 5");
        ActivityStore::Filter some;
        some.port = 1;
        some.from = now.addSecs(-90);
        QCOMPARE(details(some), "input 1, \"left\"");
        some = {};
        some.who = "ops";
        QCOMPARE(details(some), "recall plan 2");
        some = {};
        some.onlyOthers = true;
        some.kind = "audio";
        QCOMPARE(details(some), "input 1, \"left\"");
        some = {};
        some.to = now.addSecs(-30);
        some.limit = 1;
        QCOMPARE(details(some), "input 1, \"left\"");

        const QList<QByteArray> csv = ActivityStore::toCsv(store.load(all)).split('\n');
        QCOMPARE(csv.size(), 5);
        QVERIFY(csv.at(1).contains(",Ops,no,plan,2,recall plan 2\r"));
        QVERIFY(csv.at(2).endsWith(",,yes,audio,1,\"input 1, \"\"left\"\"\"\r"));
        QVERIFY2(csv.at(3).contains(",\"'=cmd|' /C calc'!A0\",no,"), csv.at(3).constData());

        // One row refused (no kind): none of the batch is written.
        const QString insert("insert into ActivityLog(Time,User,ByOthers,Kind,Port,Detail)"
                             "values(?,?,?,?,?,?)");
        QVERIFY(!ProjectDatabase::executeBatch(insert, {{"9", "ADMIN", 0, "video", 1, "kept out"},
                                                        {"9", "ADMIN", 0, QVariant(), 1, "x"}}));
        QCOMPARE(store.load(all).size(), 3);

        // A log that cannot be written says so once and keeps its entries for the next try.
        QVERIFY(QFile::remove(ProjectDatabase::databasePath()));
        QVERIFY(QDir(m_dir->path()).mkdir("project.db"));
        ActivityRecorder recorder([] { return QStringLiteral("ADMIN"); });
        QSignalSpy failed(&recorder, &ActivityRecorder::saveFailed);
        QSignalSpy written(&recorder, &ActivityRecorder::recorded);
        recorder.commandSent("{param=3VIDEO5}");
        recorder.commandSent("{param=version}");
        recorder.flush();
        recorder.changedByOthers(QJsonObject{{"video2_change", 4}});
        recorder.flush();
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed.first().first().toString().contains("project.db"));
        QVERIFY(QDir(m_dir->path()).rmdir("project.db"));
        recorder.flush();
        QCOMPARE(written.size(), 1);
        const auto entries = written.first().first().value<QList<ActivityEntry>>();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.first().user, QStringLiteral("ADMIN"));
        QVERIFY(entries.last().byOthers);
    }
};

QTEST_GUILESS_MAIN(TestProjectDatabase)
#include "tst_projectdatabase.moc"
