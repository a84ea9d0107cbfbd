#include "app/appsettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(AppSettings::DataDirSource)

class TestAppSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString configPath() const { return m_dir.path() + QStringLiteral("/config.ini"); }
    void writeRaw(const QString &key, const QVariant &value)
    {
        QSettings raw(configPath(), QSettings::IniFormat);
        raw.setValue(key, value);
    }

private slots:
    void init()
    {
        QFile::remove(configPath());
        AppSettings::setDataDirectory(m_dir.path());
        AppSettings::instance()->reload();
    }

    void defaultsWithoutConfig()
    {
        auto *s = AppSettings::instance();
        QCOMPARE(s->deviceAddress(), QStringLiteral("192.168.1.188"));
        QCOMPARE(s->devicePort(), 80);
        QCOMPARE(s->userName(), QStringLiteral("ADMIN"));
        QCOMPARE(s->type(), 1);
        QCOMPARE(s->language(), -1);
        QVERIFY(!QFile::exists(configPath()));
    }

    void portReadsAsText_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("expected");
        for (const char *key : {"Port", "UploadPort"}) {
            const int fallback = qstrcmp(key, "Port") == 0 ? 80 : 6666;
            QTest::addRow("%s: number", key) << key << QVariant(5050) << 5050;
            QTest::addRow("%s: digits as text", key) << key << QVariant("5050") << 5050;
            QTest::addRow("%s: not a number", key) << key << QVariant("50x") << fallback;
            QTest::addRow("%s: empty", key) << key << QVariant(QString()) << fallback;
            QTest::addRow("%s: zero", key) << key << QVariant(0) << fallback;
        }
        QTest::newRow("UploadPort: past 65535") << "UploadPort" << QVariant(70000) << 6666;
        QTest::newRow("UploadPort: negative") << "UploadPort" << QVariant(-1) << 6666;
        QTest::newRow("UploadPort: missing") << "UploadPort" << QVariant() << 6666;
    }

    void portReadsAsText()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(int, expected);
        if (stored.isValid())
            writeRaw(QStringLiteral("NetWork/") + key, stored);
        AppSettings::instance()->reload();
        AppSettings *s = AppSettings::instance();
        QCOMPARE(key == QLatin1String("Port") ? s->devicePort() : int(s->uploadPort()), expected);
    }

    void emptyAddressFallsBack()
    {
        writeRaw(QStringLiteral("NetWork/Ip"), QString());
        AppSettings::instance()->reload();
        QCOMPARE(AppSettings::instance()->deviceAddress(), QStringLiteral("192.168.1.188"));
    }

    void writersPersistAcrossInstances()
    {
        auto *s = AppSettings::instance();
        s->setNetWork(QStringLiteral("127.0.0.1"), 5050);
        s->setUserName(QStringLiteral("operator ü"));
        s->setLanguage(0);
        s->setType(4);
        s->reload();
        QCOMPARE(s->deviceAddress(), QStringLiteral("127.0.0.1"));
        QCOMPARE(s->devicePort(), 5050);
        QCOMPARE(s->userName(), QStringLiteral("operator ü"));
        QCOMPARE(s->language(), 0);
        QCOMPARE(s->type(), 4);
    }

    void portNameLookup()
    {
        auto *s = AppSettings::instance();
        s->setInputNames({{2, QStringLiteral("Camera")}});
        s->setOutputNames({});
        s->setAudioNames({{0, QStringLiteral("odd")}});
        QCOMPARE(s->inputName(2), QStringLiteral("Camera"));
        QCOMPARE(s->inputName(3), QStringLiteral("Input 3"));
        QCOMPARE(s->inputName(0), QString());
        QCOMPARE(s->outputName(100), QString());
        QCOMPARE(s->outputName(101), QStringLiteral("Output 101"));
        QCOMPARE(s->audioName(7), QStringLiteral("Audio 7"));
        // A stored name wins even for port 0.
        QCOMPARE(s->audioName(0), QStringLiteral("odd"));
    }

    void dataDirArgument_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("dir");
        QTest::newRow("separate") << QStringList{"corvane", "--data-dir", "/tmp/x"} << true << "/tmp/x";
        QTest::newRow("joined") << QStringList{"corvane", "--data-dir=/tmp/y"} << true << "/tmp/y";
        QTest::newRow("missing value") << QStringList{"corvane", "--data-dir"} << false << QString();
        QTest::newRow("absent") << QStringList{"corvane"} << true << QString();
    }
    void dataDirArgument()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, ok);
        QFETCH(QString, dir);
        AppSettings::setDataDirectory(QString());
        QCOMPARE(AppSettings::applyDataDirArgument(args), ok);
        if (!dir.isEmpty())
            QCOMPARE(AppSettings::dataDirectory(), dir);
        AppSettings::setDataDirectory(m_dir.path());
    }

    // Paths are relative to a scratch folder: portable/ can be written, readonly/ cannot,
    // prefix/bin/ is an installed program's, plain is a file.
    void dataDirChoice_data()
    {
        using Source = AppSettings::DataDirSource;
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("env");
        QTest::addColumn<QString>("appDir");
        QTest::addColumn<Source>("source");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *option, const char *env,
                            const char *appDir, Source source, const char *expected) {
            QTest::newRow(name) << QString(option) << QString(env) << QString(appDir) << source
                                << QString(expected);
        };
        row("option wins", "opt", "env", "portable", Source::Option, "opt");
        row("env over app dir", "", "env", "prefix/bin", Source::Environment, "env");
        row("writable app dir", "", "", "portable", Source::AppDirectory, "portable");
        row("read-only app dir", "", "", "readonly", Source::UserData, "user");
        row("app dir not a folder", "", "", "plain/bin", Source::UserData, "user");
        row("installed, writable", "", "", "prefix/bin", Source::UserData, "user");
    }
    void dataDirChoice()
    {
        QFETCH(QString, option);
        QFETCH(QString, env);
        QFETCH(QString, appDir);
        QFETCH(AppSettings::DataDirSource, source);
        QFETCH(QString, expected);
        QTemporaryDir scratch;
        const QDir base(scratch.path());
        QVERIFY(base.mkpath(QStringLiteral("portable")));
        QVERIFY(base.mkpath(QStringLiteral("readonly")));
        QVERIFY(base.mkpath(QStringLiteral("prefix/share/applications")));
        QVERIFY(base.mkpath(QStringLiteral("prefix/bin")));
        QFile desktop(base.filePath(QStringLiteral("prefix/share/applications/"
                                                   "org.corvane.Corvane.desktop")));
        QVERIFY(desktop.open(QIODevice::WriteOnly));
        QFile plain(base.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        QFile::setPermissions(base.filePath(QStringLiteral("readonly")),
                              QFile::ReadOwner | QFile::ExeOwner);
        if (appDir == QLatin1String("readonly") &&
            QFileInfo(base.filePath(QStringLiteral("readonly"))).isWritable())
            QSKIP("the superuser writes anywhere");
        const auto at = [&base](const QString &rel) {
            return rel.isEmpty() ? QString() : base.filePath(rel);
        };

        const AppSettings::DataDirChoice got = AppSettings::chooseDataDirectory(
            at(option), at(env), at(appDir), at(QStringLiteral("user")));
        QCOMPARE(got.source, source);
        QCOMPARE(got.path, at(expected));
    }

    void environmentMovesDataDir()
    {
        AppSettings::setDataDirectory(QString());
        qputenv("CORVANE_DATA_DIR", m_dir.path().toUtf8());
        QCOMPARE(AppSettings::dataDirectory(), m_dir.path());
        qunsetenv("CORVANE_DATA_DIR");
        QCOMPARE(AppSettings::dataDirectory(), QCoreApplication::applicationDirPath());
        AppSettings::setDataDirectory(m_dir.path());
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
