#include "app/appsettings.h"
#include "storage/captionstore.h"
#include "storage/fileaccess.h"
#include "storage/plannamestore.h"
#include "storage/portnamestore.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "users/permissionstore.h"

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

bool ownerOnly(const QString &path)
{
    return QFile::exists(path) &&
           !(QFile::permissions(path) &
             (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
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

    // The administrator is seeded once: a second start keeps a changed password.
    void adminSeededOnce()
    {
        createAllStores();
        QCOMPARE(UserAccountStore().allUsers(), (QList<QVariantList>{{1, "ADMIN", 0, "wexol482"}}));
        QVERIFY(UserAccountStore().updateUser(1, QStringLiteral("ADMIN"), QStringLiteral("new")));
        UserAccountStore second;
        QVERIFY(second.checkUser(QStringLiteral("ADMIN"), QStringLiteral("new")));
        QCOMPARE(second.allUsers().size(), 1);
    }

    // One line per failure, naming the statement but never the values bound to it.
    void failedStatementLogsOneLineWithoutValues()
    {
        UserAccountStore users;
        QVERIFY(users.addUser(QStringLiteral("op"), QStringLiteral("secret-1")));
        LogCapture log;
        QVERIFY(!users.addUser(QStringLiteral("op"), QStringLiteral("secret-2")));
        QCOMPARE(log.lines.size(), 1);
        QVERIFY(log.lines.first().contains(QLatin1String("exe sqlstatement failure!")));
        QVERIFY(log.lines.first().contains(QLatin1String("INSERT INTO user")));
        QVERIFY(!log.lines.first().contains(QLatin1String("secret-2")));
    }

    // A batch shares one connection (so a temporary table lives on); after a failure it goes on.
    void statementBatchSharesOneConnection()
    {
        QVERIFY(ProjectDatabase::executeStatements(
            {QStringLiteral("create temp table scratch(x integer)"),
             QStringLiteral("insert into scratch values(1)")}));
        QVERIFY(
            !ProjectDatabase::executeStatement(QStringLiteral("insert into scratch values(2)")));
        LogCapture log;
        QVERIFY(!ProjectDatabase::executeStatements(
            {QStringLiteral("create tabel broken(x)"), QStringLiteral("create table later(x)")}));
        QCOMPARE(log.lines.size(), 1);
        QVERIFY(ProjectDatabase::lastError().contains(QLatin1String("tabel")));
        QCOMPARE(ProjectDatabase::queryRows(
                     QStringLiteral("select name from sqlite_master where name = 'later'"), {}, 1)
                     .size(),
                 1);
    }

    // A data file that exists already keeps the mode its owner chose.
    void createOwnerOnlyLeavesExistingFiles()
    {
        const QString shared = m_dir->filePath(QStringLiteral("shared.txt"));
        QVERIFY(QFile(shared).open(QIODevice::WriteOnly));
        const QFile::Permissions before = QFile::permissions(shared);
        QVERIFY(FileAccess::createOwnerOnly(shared));
        QCOMPARE(QFile::permissions(shared), before);
        QVERIFY(!FileAccess::createOwnerOnly(m_dir->filePath(QStringLiteral("no/such/file"))));
    }

    // The start-up check never changes the file; on an unusable one every store answers its
    // defaults with one log line saying where it failed.
    void damagedFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("seeded");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("defaults");
        const int usable = ProjectDatabase::Health::Usable;
        const int readOnly = ProjectDatabase::Health::ReadOnly;
        const int unusable = ProjectDatabase::Health::Unusable;
        QTest::newRow("first start") << "" << false << usable << false;
        QTest::newRow("sound database") << "" << true << usable << false;
        QTest::newRow("no data folder") << "absent" << false << unusable << true;
        QTest::newRow("data folder is a file") << "folderfile" << false << unusable << true;
        QTest::newRow("read-only folder, no file") << "readonly" << false << unusable << true;
        QTest::newRow("not a database") << "garbage" << false << unusable << true;
        QTest::newRow("damaged pages") << "damaged" << true << unusable << false;
        QTest::newRow("directory in its place") << "directory" << false << unusable << true;
        QTest::newRow("fifo in its place") << "fifo" << false << unusable << true;
        QTest::newRow("read-only file") << "readonlyfile" << true << readOnly << false;
        QTest::newRow("read-only folder") << "readonly" << true << readOnly << false;
    }
    void damagedFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, seeded);
        QFETCH(int, state);
        QFETCH(bool, defaults);
        QString dir = m_dir->path();
        const QString db = dir + QStringLiteral("/project.db");
        if (seeded) {
            createAllStores();
            QVERIFY(UserAccountStore().addUser(QStringLiteral("op"), QStringLiteral("pw")));
        }
        QFile file(db);
        if (kind == "absent") {
            dir += QStringLiteral("/absent/deeper");
        } else if (kind == "folderfile") {
            QVERIFY(file.open(QIODevice::WriteOnly));
            dir = db;
        } else if (kind == "readonly") {
            QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
            // Root ignores the mode bits; without a file, a folder nobody may write stands in.
            if (!seeded && QFile(dir + "/probe").open(QIODevice::WriteOnly))
                dir = QStringLiteral("/sys");
            if (QFile(dir + "/probe").open(QIODevice::WriteOnly))
                QSKIP("file modes do not stop this user (root) from writing");
        } else if (kind == "garbage") {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("this is not a database\n").repeated(200));
        } else if (kind == "damaged") {
            // A sound header over pages that are not.
            QVERIFY(file.open(QIODevice::ReadWrite) && file.size() > 3 * 4096 && file.seek(4096));
            QCOMPARE(file.write(QByteArray(2 * 4096, '\xA5')), 2 * 4096);
        } else if (kind == "directory") {
            QVERIFY(QDir(dir).mkdir(QStringLiteral("project.db")));
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(db).constData(), 0600), 0);
        } else if (kind == "readonlyfile") {
            QVERIFY(QFile::setPermissions(db, QFile::ReadOwner));
            if (QFile(db).open(QIODevice::ReadWrite))
                QSKIP("file modes do not stop this user (root) from writing");
        }
        file.close();
        useDirectory(dir);
        const QString path = ProjectDatabase::databasePath();
        // Read only when a regular file: a FIFO would block the reader.
        const bool existed = QFileInfo(path).isFile();
        const auto contents = [&path] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray before = existed ? contents() : QByteArray();

        const ProjectDatabase::Health health = ProjectDatabase::checkHealth();
        QCOMPARE(int(health.state), state);
        QCOMPARE(health.path, path);
        QCOMPARE(health.error.isEmpty(), state == ProjectDatabase::Health::Usable);
        if (existed)
            QCOMPARE(contents(), before);
        QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
        if (kind.isEmpty() && !seeded)
            QVERIFY(ownerOnly(path));
        if (state == ProjectDatabase::Health::Usable)
            QCOMPARE(UserAccountStore().checkUser(QStringLiteral("op"), QStringLiteral("pw")),
                     seeded);
        if (defaults) {
            LogCapture log;
            createAllStores();
            UserAccountStore users;
            PortNameStore names;
            QCOMPARE(
                (QVariantList{users.addUser("op", "pw"), names.savePortName(1, "Camera", 0),
                              users.userType("ADMIN"), users.checkUser("ADMIN", "wexol482"),
                              users.isRememberPassword(), users.rememberedPassword(),
                              users.loginModel(), users.allUsers().size(),
                              names.loadPortNames(0).size(), CaptionStore().loadCaptions().size(),
                              PlanNameStore().loadPlanNames("127.0.0.1").size()}),
                (QVariantList{false, false, 1, false, false, QString(), 0, 0, 0, 0, 0}));
            QCOMPARE(log.lines.size(), 1);
            QVERIFY2(log.lines.first().contains(QLatin1String("project database unusable")),
                     qPrintable(log.lines.first()));
            QVERIFY2(ProjectDatabase::lastError().startsWith(path + QStringLiteral(": ")),
                     qPrintable(ProjectDatabase::lastError()));
            if (existed)
                QCOMPARE(contents(), before);
        }
    }

    // Reported again once it worked in between.
    void failureReportedAgainAfterRecovery()
    {
        const QString dir = m_dir->path() + QStringLiteral("/later");
        useDirectory(dir);
        LogCapture log;
        QCOMPARE(UserAccountStore().userType(QStringLiteral("ADMIN")), 1);
        QCOMPARE(log.lines.size(), 1);
        QVERIFY(QDir().mkpath(dir));
        QCOMPARE(UserAccountStore().userType(QStringLiteral("ADMIN")), 0);
        QCOMPARE(ProjectDatabase::lastError(), QString());
        QVERIFY(QDir(dir).removeRecursively());
        QCOMPARE(UserAccountStore().userType(QStringLiteral("ADMIN")), 1);
        QCOMPARE(log.lines.size(), 2);
    }

    // Only 0 and 1 are models; the row is made on first read unless a choice came first.
    void loginModelAndRememberedPassword()
    {
        UserAccountStore users;
        users.setLoginModel(1);
        QCOMPARE(users.loginModel(), 1);
        QVERIFY(ProjectDatabase::executeStatement(QStringLiteral("delete from loginmodel")));
        QCOMPARE(users.loginModel(), 0);
        QCOMPARE(ProjectDatabase::queryRows(QStringLiteral("select model from loginmodel"), {}, 1),
                 (QList<QVariantList>{{0}}));
        QVERIFY(!users.setLoginModel(2));
        QVERIFY(!users.setLoginModel(-1));
        QCOMPARE(users.loginModel(), 0);

        QVERIFY(!users.isRememberPassword());
        QVERIFY(users.saveRememberedPassword(QStringLiteral("pw 1")));
        QVERIFY(users.isRememberPassword());
        QCOMPARE(users.rememberedPassword(), QStringLiteral("pw 1"));
        // Switching remembering off forgets the password; switching it on does not bring it back.
        QVERIFY(users.setRememberPassword(false));
        QVERIFY(!users.isRememberPassword());
        QVERIFY(users.setRememberPassword(true));
        QVERIFY(users.isRememberPassword());
        QCOMPARE(users.rememberedPassword(), QString());
    }

    void accounts()
    {
        UserAccountStore users;
        QVERIFY(!users.addUser(QString(), QStringLiteral("pw")));
        QVERIFY(!users.addUser(QStringLiteral("op"), QString()));
        QVERIFY(users.addUser(QStringLiteral("op"), QStringLiteral("pw")));
        QVERIFY(!users.addUser(QStringLiteral("op"), QStringLiteral("other")));
        QVERIFY(users.addUser(QStringLiteral("Op"), QStringLiteral("pw")));
        QCOMPARE(names(users), (QVariantList{"ADMIN", "op", "Op"}));
        QCOMPARE((QList<int>{users.userType("ADMIN"), users.userType("op"), users.userType("x")}),
                 (QList<int>{0, 1, 1}));
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
        QCOMPARE(names(users), (QVariantList{"ADMIN", "Op"}));
    }

    // Names password.txt cannot key are refused when made; an existing one keeps working.
    void unstorableUserNames_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"a/b", "/a", "a\\b", " a", "a ", "a\n"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void unstorableUserNames()
    {
        QFETCH(QString, name);
        UserAccountStore users;
        QVERIFY(!users.addUser(name, QStringLiteral("pw")));
        QVERIFY(!users.updateUser(1, name, QStringLiteral("pw")));
        QCOMPARE(names(users), QVariantList{"ADMIN"});
        QVERIFY(ProjectDatabase::executeStatement(
            QStringLiteral("insert into user(username,password,type) values(?,'old',1)"), {name}));
        QVERIFY(users.updateUser(2, name, QStringLiteral("new")));
        QVERIFY(users.checkUser(name, QStringLiteral("new")));
    }

    // Output names are shared by every output kind but the dedicated audio and IR tables.
    void portNameTables()
    {
        PortNameStore store;
        QVERIFY(!store.savePortName(1, QStringLiteral("lost"), 3));
        for (int kind : {0, 1, 2}) {
            QVERIFY(store.savePortName(kind + 1, QStringLiteral("old"), kind));
            QVERIFY(store.savePortName(kind + 1, QString::number(kind), kind));
        }
        QVERIFY(store.saveOutputAudioName(2, QStringLiteral("Hall")));
        QVERIFY(store.saveOutputIrName(5, QStringLiteral("Remote")));
        const QList<QMap<int, QString>> got{store.loadPortNames(0),   store.loadPortNames(1),
                                            store.loadPortNames(2),   store.loadPortNames(-1),
                                            store.loadPortNames(5),   store.loadOutputAudioNames(),
                                            store.loadOutputIrNames()};
        const QMap<int, QString> output{{2, "1"}};
        QCOMPARE(
            got,
            (QList<QMap<int, QString>>{
                {{1, "0"}}, output, {{3, "2"}}, output, output, {{2, "Hall"}}, {{5, "Remote"}}}));
    }

    // Files written by earlier versions hold the words TRUE/FALSE.
    void captionsRoundTrip()
    {
        CaptionStore store;
        QVERIFY(store.saveCaption(1, "Hello", "Arial", 200, true, false, true));
        QVERIFY(store.saveCaption(4, QString(), QString(), 35, false, true, false));
        QVERIFY(ProjectDatabase::executeStatement(
            QStringLiteral("insert into CaptionOrOSDInfo values(5,'a','b',9,TRUE,FALSE,TRUE)")));
        QStringList got;
        for (const CaptionRecord &c : store.loadCaptions())
            got << QStringLiteral("%1 %2 %3 %4%5%6")
                       .arg(c.content, c.font)
                       .arg(c.fontSize)
                       .arg(c.isBold)
                       .arg(c.isItalic)
                       .arg(c.isUnderline);
        QCOMPARE(got, (QStringList{"Hello Arial 200 101", "  35 010", "a b 9 101"}));
        QCOMPARE(store.loadCaptions().keys(), (QList<int>{1, 4, 5}));
    }

    // Plan names belong to the device they were saved for.
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
        QTest::newRow("looks like a number") << "007";
        QTest::newRow("like wildcard") << "%_%";
    }
    void hostileValuesStoredExactly()
    {
        QFETCH(QString, value);
        UserAccountStore users;
        PortNameStore names;
        const QString name = QString(value).replace(QLatin1Char('\\'), QLatin1Char('|'));
        QVERIFY(users.addUser(name, value));
        QVERIFY(users.checkUser(name, value));
        QCOMPARE(users.allUsers().last().value(1).toString(), name);
        QVERIFY(!users.checkUser(QStringLiteral("ADMIN"), value));
        QVERIFY(users.saveRememberedPassword(value));
        QCOMPARE(users.rememberedPassword(), value);
        QVERIFY(names.savePortName(1, value, OutputVideoName));
        QCOMPARE(names.loadPortNames(OutputVideoName).value(1), value);
        QCOMPARE(users.allUsers().size(), 2);
        QVERIFY(users.checkUser(QStringLiteral("ADMIN"), QStringLiteral("wexol482")));
    }
};

QTEST_GUILESS_MAIN(TestProjectDatabase)
#include "tst_projectdatabase.moc"
