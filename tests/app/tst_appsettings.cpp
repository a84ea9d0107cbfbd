#include "app/appsettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestAppSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void init()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("config.ini")));
        AppSettings::setDataDirectory(m_dir.path());
        AppSettings::instance()->reload();
    }

    // An empty address and port 0 read as the defaults.
    void defaultsThenWrittenValuesPersist()
    {
        auto *s = AppSettings::instance();
        const auto all = [s] {
            return QVariantList{s->deviceAddress(), s->devicePort(), s->userName(), s->type(),
                                s->language()};
        };
        s->setNetWork(QString(), 0);
        QCOMPARE(all(), (QVariantList{"192.168.1.188", 80, "ADMIN", 1, -1}));
        s->setNetWork(QStringLiteral("127.0.0.1"), 5050);
        s->setUserName(QStringLiteral("operator ü"));
        s->setLanguage(0);
        s->setType(4);
        s->reload();
        QCOMPARE(all(), (QVariantList{"127.0.0.1", 5050, QStringLiteral("operator ü"), 4, 0}));
    }

    // Hand-edited files hold ports as text; anything unusable falls back.
    void ports_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("upload");
        QTest::newRow("absent") << QVariant() << 80 << 6666;
        QTest::newRow("digits as text") << QVariant(QStringLiteral("5050")) << 5050 << 5050;
        QTest::newRow("not a number") << QVariant(QStringLiteral("50x")) << 80 << 6666;
        QTest::newRow("zero") << QVariant(0) << 80 << 6666;
        QTest::newRow("last port") << QVariant(65535) << 65535 << 65535;
        QTest::newRow("past the last port") << QVariant(65536) << 65536 << 6666;
    }
    void ports()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, port);
        QFETCH(int, upload);
        {
            QSettings raw(m_dir.filePath(QStringLiteral("config.ini")), QSettings::IniFormat);
            raw.setValue(QStringLiteral("NetWork/Port"), stored);
            raw.setValue(QStringLiteral("NetWork/UploadPort"), stored);
        }
        AppSettings::instance()->reload();
        QCOMPARE(AppSettings::instance()->devicePort(), port);
        QCOMPARE(int(AppSettings::instance()->uploadPort()), upload);
    }

    // Ports 0 and 100 route nothing and have no name, unless one is stored.
    void portNameLookup()
    {
        auto *s = AppSettings::instance();
        s->setInputNames({{2, QStringLiteral("Camera")}});
        s->setOutputNames({});
        s->setAudioNames({{0, QStringLiteral("odd")}});
        QCOMPARE((QStringList{s->inputName(2), s->inputName(3), s->inputName(0), s->outputName(100),
                              s->outputName(101), s->audioName(7), s->audioName(0)}),
                 (QStringList{"Camera", "Input 3", "", "", "Output 101", "Audio 7", "odd"}));
    }

    void dataDirArgument_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("dir");
        QTest::newRow("separate") << QStringList{"c", "--data-dir", "/tmp/x"} << true << "/tmp/x";
        QTest::newRow("joined") << QStringList{"c", "--data-dir=/tmp/y"} << true << "/tmp/y";
        QTest::newRow("missing value") << QStringList{"c", "--data-dir"} << false << QString();
        QTest::newRow("empty value") << QStringList{"c", "--data-dir", ""} << false << QString();
        QTest::newRow("joined, empty") << QStringList{"c", "--data-dir="} << false << QString();
        QTest::newRow("absent") << QStringList{"c"} << true << QString();
    }
    void dataDirArgument()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, ok);
        QFETCH(QString, dir);
        AppSettings::setDataDirectory(QString());
        QCOMPARE(AppSettings::applyDataDirArgument(args), ok);
        QCOMPARE(AppSettings::dataDirectory(), dir.isEmpty() ? qApp->applicationDirPath() : dir);
        qputenv("CORVANE_DATA_DIR", m_dir.path().toUtf8());
        QCOMPARE(AppSettings::dataDirectory(), dir.isEmpty() ? m_dir.path() : dir);
        qunsetenv("CORVANE_DATA_DIR");
        AppSettings::setDataDirectory(m_dir.path());
    }

    // Option, environment, program folder, per-user folder: the first usable one wins.
    void dataDirChoice_data()
    {
        using S = AppSettings::DataDirSource;
        QTest::addColumn<QStringList>("given");
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
        for (QString &path : given << "user")
            path = path.isEmpty() ? path : base.filePath(path);
        const auto got = AppSettings::chooseDataDirectory(given[0], given[1], given[2], given[3]);
        QCOMPARE(int(got.source), source);
        QCOMPARE(got.path, given.at(source));
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
