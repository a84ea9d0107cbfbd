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
        AppSettings::instance()->reload();
        QCOMPARE(AppSettings::instance()->devicePort(), expected);
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
