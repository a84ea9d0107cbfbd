#include "app/appsettings.h"
#include "app/loghandler.h"

#include <QDate>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestApp : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_path = QDate::currentDate().toString(QStringLiteral("'log/'yyyy-MM-dd'.log'"));

    static QStringList lines(const QString &path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    static void log(const QString &text, const char *file = nullptr, int line = 0)
    {
        messageHandler(QtDebugMsg, QMessageLogContext(file, line, "f", "default"), text);
    }

private slots:
    void initTestCase() { QDir::setCurrent(m_dir.path()); }
    void init()
    {
        QDir(QStringLiteral("log")).removeRecursively();
        QDir().mkdir(QStringLiteral("log"));
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
        QTest::newRow("digits as text") << QVariant(QStringLiteral("5050")) << 5050 << 5050;
        QTest::newRow("not a number") << QVariant(QStringLiteral("50x")) << 80 << 6666;
        QTest::newRow("zero") << QVariant(0) << 80 << 6666;
        QTest::newRow("last port") << QVariant(65535) << 65535 << 65535;
        QTest::newRow("past the last port") << QVariant(65536) << 65536 << 6666;
    }
    void ports()
    {
        QFETCH(QVariant, stored);
        {
            QSettings raw(m_dir.filePath(QStringLiteral("config.ini")), QSettings::IniFormat);
            raw.setValue(QStringLiteral("NetWork/Port"), stored);
            raw.setValue(QStringLiteral("NetWork/UploadPort"), stored);
        }
        AppSettings::instance()->reload();
        QTEST(AppSettings::instance()->devicePort(), "port");
        QTEST(int(AppSettings::instance()->uploadPort()), "upload");
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
    }
    void dataDirArgument()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, dir);
        AppSettings::setDataDirectory(QString());
        QTEST(AppSettings::applyDataDirArgument(args), "ok");
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

    // The operator's text goes in verbatim and whole: placeholders and non-ASCII included.
    void lineShape()
    {
        log(QStringLiteral("hello"));
        log(QStringLiteral("用户 Zoë %1 %2 %4"), "widget.cpp", 42);
        const QStringList got = lines(m_path);
        QCOMPARE(got.size(), 2);
        QVERIFY2(got.at(0).startsWith('[' + QDate::currentDate().toString(Qt::ISODate) + ' ') &&
                     got.at(0).endsWith("][File:  Line:0]:hello"),
                 qPrintable(got.at(0)));
        QVERIFY2(got.at(1).endsWith(QStringLiteral("[File:widget.cpp  Line:42]:用户 Zoë %1 %2 %4")),
                 qPrintable(got.at(1)));
        // Without its folder the line is lost quietly.
        QDir().rename(QStringLiteral("log"), QStringLiteral("away"));
        log(QStringLiteral("lost"));
        QVERIFY(!lines(QStringLiteral("away") + m_path.mid(3)).join(' ').contains("lost"));
    }

    // A flooding peer cannot fill the disk: repeats are counted and full files rotated.
    void repeatsCountedAndFilesRotated()
    {
        QStringList sent{"once", "twice", "twice", "many", "many", "many", "many", "end"};
        sent += QVector<QString>(1002, QStringLiteral("flood")).toList() << "last";
        for (const QString &text : sent)
            log(text);
        QStringList got;
        for (const QString &line : lines(m_path))
            got << line.section(QStringLiteral("]:"), 1);
        QCOMPARE(got, (QStringList{"once", "twice", "twice", "many", "repeated 3 times", "end",
                                   "flood", "repeated 1000 times", "flood", "last"}));

        // A full file found when the log is opened again moves aside first.
        QVERIFY(QDir().rename(QStringLiteral("log"), QStringLiteral("gone")));
        log(QStringLiteral("closes the file"));
        QVERIFY(QDir().rename(QStringLiteral("gone"), QStringLiteral("log")));
        setLogFileLimits(300, 2);
        log(QStringLiteral("reopened"));
        QCOMPARE(lines(m_path).size(), 1);
        setLogFileLimits(4000, 2);
        for (int i = 0; i < 200; ++i)
            log(QStringLiteral("line %1 ").arg(i) + QString(40, 'x'));
        setLogFileLimits(50 * 1024 * 1024, 3);
        const QString stem = m_path.chopped(4);
        QStringList all;
        for (const QString &path : {stem + ".2.log", stem + ".1.log", m_path}) {
            QVERIFY2(QFileInfo(path).size() <= 4000 && QFileInfo(path).size() > 0,
                     qPrintable(path));
            all += lines(path);
        }
        QVERIFY(!QFile::exists(stem + ".3.log"));
        // The newest lines, in order and whole, up to the last one written.
        QVERIFY(all.last().endsWith(QStringLiteral("line 199 ") + QString(40, 'x')));
        for (int i = 1; i < all.size(); ++i)
            QCOMPARE(
                all.at(i).section(QStringLiteral("]:line "), 1).section(' ', 0, 0).toInt(),
                all.at(i - 1).section(QStringLiteral("]:line "), 1).section(' ', 0, 0).toInt() + 1);
    }
};

QTEST_GUILESS_MAIN(TestApp)
#include "tst_app.moc"
