#include "app/appsettings.h"
#include "logcapture.h"
#include "storage/captionstore.h"
#include "storage/fileaccess.h"
#include "storage/plannamestore.h"
#include "storage/portnamestore.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "users/permissionstore.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/types.h>
#endif

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

bool ownerOnly(const QString &path)
{
    const QFile::Permissions others =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    return QFile::exists(path) && !(QFile::permissions(path) & others);
}
} // namespace

class TestProjectDatabase : public QObject
{
    Q_OBJECT

private:
    QScopedPointer<QTemporaryDir> m_dir;

private slots:
    void init()
    {
#ifdef Q_OS_UNIX
        ::umask(022); // the usual umask, under which SQLite alone would create 0644 files
#endif
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        useDirectory(m_dir->path());
    }

    void freshDirectoryCreatesEveryTable()
    {
        createAllStores();
        const auto rows = ProjectDatabase::queryRows(
            QStringLiteral("select name, sql from sqlite_master where type = 'table'"), {}, 2);
        QMap<QString, QString> schema;
        for (const auto &row : rows)
            schema.insert(row.at(0).toString(), row.at(1).toString());
        // The stored texts shape files that older installations already have.
        const QString pad26(26, QLatin1Char(' ')), pad34(34, QLatin1Char(' '));
        const QString pad31(31, QLatin1Char(' ')), pad32(32, QLatin1Char(' '));
        const QString names = QStringLiteral("(%1Port integer primary key,%1PortName text%1)");
        const QMap<QString, QString> expected{
            {"user", "CREATE TABLE user(" + pad26 + "id integer primary key," + pad26 +
                         "username text unique," + pad26 + "type integer," + pad26 +
                         "password text not null)"},
            {"loginmodel", "CREATE TABLE loginmodel(" + pad34 + "id integer primary key," + pad34 +
                               "model integer not null)"},
            {"PasswordTable", "CREATE TABLE PasswordTable(" + QString(29, ' ') +
                                  "id integer primary key," + QString(28, ' ') +
                                  "isRemember integer," + QString(28, ' ') + "password   text" +
                                  QString(27, ' ') + ")"},
            {"InPortName", "CREATE TABLE InPortName" + names.arg(pad31)},
            {"InAudioName", "CREATE TABLE InAudioName(Port integer primary key,PortName text)"},
            {"OutPortName", "CREATE TABLE OutPortName" + names.arg(pad31)},
            {"OutAudioPortName", "CREATE TABLE OutAudioPortName" + names.arg(pad31)},
            {"OutInfarePortName", "CREATE TABLE OutInfarePortName" + names.arg(pad31)},
            {"CaptionOrOSDInfo", "CREATE TABLE CaptionOrOSDInfo(" + pad32 +
                                     "Port integer primary key," + pad32 + "Content text," + pad32 +
                                     "Font text," + pad32 + "FontSize integer," + pad32 +
                                     "IsBold boolean," + pad32 + "IsItalic boolean," + pad32 +
                                     "IsUnderline boolean" + pad32 + ")"},
            {"PermissionInfo",
             "CREATE TABLE PermissionInfo(Id integer PRIMARY KEY NOT NULL,InputInfo text DEFAULT "
             "'1/1/1/1/1/1/1/1',OutputInfo text DEFAULT '1/1/1/1/1/1/1/1/1',AudioInfo text "
             "DEFAULT '1/1/1/1/1/1/1/1',AnalogInfo text DEFAULT '1/1/1/1/1/1/1/1/1',ListInfo "
             "text DEFAULT '1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1')"},
            {"SplitPlanName", "CREATE TABLE SplitPlanName(Id integer NOT NULL,Name text,Ip text "
                              "NOT NULL,PRIMARY KEY (Id, Ip))"},
        };
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(schema.value(it.key()), it.value());
        QCOMPARE(schema.size(), expected.size());

        const auto users = UserAccountStore().allUsers();
        QCOMPARE(users.size(), 1);
        QCOMPARE(users.first(), (QVariantList{1, "ADMIN", 0, "wexol482"}));
    }

    void secondStartKeepsChangedAdminPassword()
    {
        UserAccountStore first;
        QVERIFY(first.updateUser(1, QStringLiteral("ADMIN"), QStringLiteral("changed")));
        UserAccountStore second;
        QVERIFY(second.checkUser(QStringLiteral("ADMIN"), QStringLiteral("changed")));
        QVERIFY(!second.checkUser(QStringLiteral("ADMIN"), QStringLiteral("wexol482")));
        QCOMPARE(second.allUsers().size(), 1);
    }

    void failedStatementLogsOneLineWithoutValues()
    {
        UserAccountStore users;
        QVERIFY(users.addUser(QStringLiteral("op"), QStringLiteral("secret-1")));
        LogCapture log;
        QVERIFY(!users.addUser(QStringLiteral("op"), QStringLiteral("secret-2")));
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().contains(QLatin1String("exe sqlstatement failure!")));
        QVERIFY(log.lines().first().contains(QLatin1String("INSERT INTO user")));
        QVERIFY(!log.lines().first().contains(QLatin1String("secret-2")));
    }

    void statementBatchSharesOneConnection()
    {
        // A temporary table lives only as long as its connection.
        QVERIFY(ProjectDatabase::executeStatements(
            {QStringLiteral("create temp table scratch(x integer)"),
             QStringLiteral("insert into scratch values(1)")}));
        QVERIFY(
            !ProjectDatabase::executeStatement(QStringLiteral("insert into scratch values(2)")));

        // A failure is reported, and what follows it still runs.
        LogCapture log;
        QVERIFY(!ProjectDatabase::executeStatements(
            {QStringLiteral("create tabel broken(x)"), QStringLiteral("create table later(x)")}));
        QCOMPARE(log.lines().size(), 1);
        const auto rows = ProjectDatabase::queryRows(
            QStringLiteral("select name from sqlite_master where name = 'later'"), {}, 1);
        QCOMPARE(rows.size(), 1);
    }

    void dataFilesAreOwnerOnly()
    {
#ifndef Q_OS_UNIX
        QSKIP("POSIX permissions only");
#endif
        UserAccountStore users;
        QVERIFY(ownerOnly(ProjectDatabase::databasePath()));

        // password.txt is rewritten through QSettings, which must keep the mode it was made with.
        const QString exported = FileAccess::passwordFilePath();
        QVERIFY(FileAccess::createOwnerOnly(exported));
        {
            QSettings ini(exported, QSettings::IniFormat);
            ini.beginGroup(QStringLiteral("UserList"));
            ini.remove(QString());
            ini.setValue(QStringLiteral("ADMIN"), QStringLiteral("wexol482"));
        }
        QVERIFY(ownerOnly(exported));
        QCOMPARE(QSettings(exported, QSettings::IniFormat).value("UserList/ADMIN").toString(),
                 QStringLiteral("wexol482"));

        // A file that exists already keeps what its owner chose.
        const QString shared = m_dir->filePath(QStringLiteral("shared.txt"));
        QFile file(shared);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QFile::Permissions before = QFile::permissions(shared);
        QVERIFY(FileAccess::createOwnerOnly(shared));
        QCOMPARE(QFile::permissions(shared), before);
        QVERIFY(!FileAccess::createOwnerOnly(m_dir->filePath(QStringLiteral("no/such/file"))));
    }

    void unusableDatabaseGivesDefaults_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing directory") << "missing";
        QTest::newRow("read-only directory") << "readonly";
        QTest::newRow("not a database") << "garbage";
        QTest::newRow("directory in its place") << "directory";
        QTest::newRow("fifo in its place") << "fifo";
    }
    void unusableDatabaseGivesDefaults()
    {
        QFETCH(QString, kind);
        QString dir = m_dir->path();
        const QByteArray garbage = QByteArray("this is not a database\n").repeated(200);
        if (kind == QLatin1String("missing")) {
            dir += QStringLiteral("/absent/deeper");
        } else if (kind == QLatin1String("readonly")) {
            QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
            QFile probe(dir + QStringLiteral("/probe"));
            if (probe.open(QIODevice::WriteOnly)) {
                // Root ignores the mode bits; a system folder nobody may write stands in.
                probe.remove();
                QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ExeOwner));
                dir = QStringLiteral("/sys");
                if (QFile(dir + QStringLiteral("/probe")).open(QIODevice::WriteOnly))
                    QSKIP("no read-only directory available");
            }
        } else if (kind == QLatin1String("garbage")) {
            QFile file(dir + QStringLiteral("/project.db"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(garbage);
        } else if (kind == QLatin1String("directory")) {
            QVERIFY(QDir(dir).mkdir(QStringLiteral("project.db")));
        } else if (kind == QLatin1String("fifo")) {
#ifdef Q_OS_UNIX
            QCOMPARE(::mkfifo(QFile::encodeName(dir + "/project.db").constData(), 0600), 0);
#else
            QSKIP("POSIX only");
#endif
        }
        useDirectory(dir);

        LogCapture log;
        createAllStores();
        UserAccountStore users;
        PortNameStore names;
        QVERIFY(!users.addUser(QStringLiteral("op"), QStringLiteral("pw")));
        QVERIFY(!names.savePortName(1, QStringLiteral("Camera"), InputVideoName));
        QCOMPARE(users.userType(QStringLiteral("ADMIN")), 1);
        QVERIFY(!users.checkUser(QStringLiteral("ADMIN"), QStringLiteral("wexol482")));
        QVERIFY(!users.isRememberPassword());
        QCOMPARE(users.rememberedPassword(), QString());
        QCOMPARE(users.loginModel(), 0);
        QVERIFY(users.allUsers().isEmpty());
        QVERIFY(names.loadPortNames(InputVideoName).isEmpty());
        QVERIFY(CaptionStore().loadCaptions().isEmpty());
        QVERIFY(PlanNameStore().loadPlanNames(QStringLiteral("127.0.0.1")).isEmpty());
        QCOMPARE(log.lines().size(), 1);
        QVERIFY2(log.lines().first().contains(QLatin1String("project database unusable")),
                 qPrintable(log.lines().first()));
        // Callers can tell a failure from an empty answer, and say where it happened.
        QVERIFY2(ProjectDatabase::lastError().startsWith(dir + QStringLiteral("/project.db: ")),
                 qPrintable(ProjectDatabase::lastError()));

        if (kind == QLatin1String("garbage")) {
            QFile file(dir + QStringLiteral("/project.db"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), garbage);
        }
        QFile::setPermissions(m_dir->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The start-up check tells a usable file from one that only reads and from one that cannot
    // be used, and never changes an existing file.
    void healthCheck_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("state");
        const int usable = ProjectDatabase::Health::Usable;
        const int readOnly = ProjectDatabase::Health::ReadOnly;
        const int unusable = ProjectDatabase::Health::Unusable;
        QTest::newRow("first start") << "missing" << usable;
        QTest::newRow("sound database") << "sound" << usable;
        QTest::newRow("random bytes") << "random" << unusable;
        QTest::newRow("damaged pages") << "damaged" << unusable;
        QTest::newRow("directory in its place") << "directory" << unusable;
        QTest::newRow("data folder is a file") << "folderfile" << unusable;
        QTest::newRow("read-only file") << "readonlyfile" << readOnly;
        QTest::newRow("read-only data folder") << "readonlyfolder" << readOnly;
    }
    void healthCheck()
    {
        QFETCH(QString, kind);
        QFETCH(int, state);
        QString dir = m_dir->path();
        const QString db = dir + QStringLiteral("/project.db");
        if (kind != QLatin1String("missing") && kind != QLatin1String("directory") &&
            kind != QLatin1String("folderfile")) {
            createAllStores();
            QVERIFY(UserAccountStore().addUser(QStringLiteral("op"), QStringLiteral("pw")));
        }
        if (kind == QLatin1String("random")) {
            QFile file(db);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QRandomGenerator random(482);
            for (int i = 0; i < 4096; ++i)
                file.putChar(char(random.bounded(256)));
        } else if (kind == QLatin1String("damaged")) {
            // A sound header over pages that are not.
            QFile file(db);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.size() > 3 * 4096);
            QVERIFY(file.seek(4096));
            QVERIFY(file.write(QByteArray(2 * 4096, '\xA5')) == 2 * 4096);
        } else if (kind == QLatin1String("directory")) {
            QVERIFY(QDir(dir).mkdir(QStringLiteral("project.db")));
        } else if (kind == QLatin1String("folderfile")) {
            QFile file(dir + QStringLiteral("/plain"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            dir = file.fileName();
        } else if (kind == QLatin1String("readonlyfile")) {
            QVERIFY(QFile::setPermissions(db, QFile::ReadOwner));
            if (QFile(db).open(QIODevice::ReadWrite))
                QSKIP("file modes do not stop this user (root) from writing");
        } else if (kind == QLatin1String("readonlyfolder")) {
            QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
            if (QFile(dir + QStringLiteral("/probe")).open(QIODevice::WriteOnly))
                QSKIP("file modes do not stop this user (root) from writing");
        }
        useDirectory(dir);
        const QString path = ProjectDatabase::databasePath();
        QByteArray before;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            before = file.readAll();
        file.close();

        const ProjectDatabase::Health health = ProjectDatabase::checkHealth();
        QFile::setPermissions(m_dir->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(int(health.state), state);
        QCOMPARE(health.path, path);
        QCOMPARE(health.error.isEmpty(), state == ProjectDatabase::Health::Usable);
        if (QFileInfo(path).isFile()) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before);
            QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
        }
        if (kind == QLatin1String("missing"))
            QVERIFY(ownerOnly(path));
        if (kind == QLatin1String("sound"))
            QVERIFY(UserAccountStore().checkUser(QStringLiteral("op"), QStringLiteral("pw")));
    }

    void failureReportedAgainAfterRecovery()
    {
        const QString dir = m_dir->path() + QStringLiteral("/later");
        useDirectory(dir);
        LogCapture log;
        QCOMPARE(UserAccountStore().userType(QStringLiteral("ADMIN")), 1);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(!ProjectDatabase::lastError().isEmpty());
        QVERIFY(QDir().mkpath(dir));
        QCOMPARE(UserAccountStore().userType(QStringLiteral("ADMIN")), 0);
        QCOMPARE(UserAccountStore().userType(QStringLiteral("nobody")), 1);
        QCOMPARE(ProjectDatabase::lastError(), QString());
        QVERIFY(QDir(dir).removeRecursively());
        QCOMPARE(UserAccountStore().userType(QStringLiteral("ADMIN")), 1);
        QCOMPARE(log.lines().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestProjectDatabase)
#include "tst_projectdatabase.moc"
