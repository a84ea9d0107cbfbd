#include "app/appsettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

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
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("number") << QVariant(5050) << 5050;
        QTest::newRow("digits as text") << QVariant(QStringLiteral("5050")) << 5050;
        QTest::newRow("not a number") << QVariant(QStringLiteral("50x")) << 80;
        QTest::newRow("empty") << QVariant(QString()) << 80;
        QTest::newRow("zero") << QVariant(0) << 80;
    }
    void portReadsAsText()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, expected);
        writeRaw(QStringLiteral("NetWork/Port"), stored);
        writeRaw(QStringLiteral("NetWork/UploadPort"), stored);
        AppSettings::instance()->reload();
        QCOMPARE(AppSettings::instance()->devicePort(), expected);
        QCOMPARE(int(AppSettings::instance()->uploadPort()), expected == 80 ? 6666 : expected);
    }

    void unusableValuesFallBack()
    {
        writeRaw(QStringLiteral("NetWork/Ip"), QString());
        writeRaw(QStringLiteral("NetWork/UploadPort"), 70000); // past the last port
        AppSettings::instance()->reload();
        QCOMPARE(AppSettings::instance()->deviceAddress(), QStringLiteral("192.168.1.188"));
        QCOMPARE(int(AppSettings::instance()->uploadPort()), 6666);
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

    void dataDirChoice_data()
    {
        using S = AppSettings::DataDirSource;
        QTest::addColumn<QStringList>("given"); // option, environment, program folder
        QTest::addColumn<int>("source");
        QTest::newRow("option") << QStringList{"opt", "env", "portable"} << int(S::Option);
        QTest::newRow("environment") << QStringList{"", "env", "portable"} << int(S::Environment);
        QTest::newRow("portable") << QStringList{"", "", "portable"} << int(S::AppDirectory);
        QTest::newRow("read-only") << QStringList{"", "", "readonly"} << int(S::UserData);
        QTest::newRow("a file") << QStringList{"", "", "plain"} << int(S::UserData);
        QTest::newRow("installed") << QStringList{"", "", "prefix/bin"} << int(S::UserData);
    }
    void dataDirChoice()
    {
        QFETCH(QStringList, given);
        QFETCH(int, source);
        QTemporaryDir scratch;
        const QDir base(scratch.path());
        for (const char *dir : {"portable", "readonly", "prefix/bin", "prefix/share/applications"})
            QVERIFY(base.mkpath(dir));
        for (const char *file : {"plain", "prefix/share/applications/org.corvane.Corvane.desktop"})
            QVERIFY(QFile(base.filePath(file)).open(QIODevice::WriteOnly));
        QFile::setPermissions(base.filePath("readonly"), QFile::ReadOwner | QFile::ExeOwner);
        if (given.last() == "readonly" && QFileInfo(base.filePath("readonly")).isWritable())
            QSKIP("the superuser writes anywhere");
        for (QString &path : given << "user") // each source's folder, in the sources' order
            path = path.isEmpty() ? path : base.filePath(path);
        const auto got = AppSettings::chooseDataDirectory(given[0], given[1], given[2], given[3]);
        QCOMPARE(int(got.source), source);
        QCOMPARE(got.path, given.at(source));
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
