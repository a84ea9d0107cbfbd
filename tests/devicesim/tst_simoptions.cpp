#include "simoptions.h"

#include <QtTest>

class TestSimOptions : public QObject
{
    Q_OBJECT
private slots:
    // The arguments after the program name, and fields as read back ("key=value", space-separated;
    // empty: refused with a reason).
    void parse_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *args, const char *expected) {
            QTest::newRow(*args ? args : "defaults") << QString(args) << QString(expected);
        };
        row("", "type=1 control=5050 upload=6666 listen=127.0.0.1 faults= drop=0 latency=0 live=-1 "
                "help=0 seed=-1");
        row("--type 0", "type=0");
        row("--type 0409-S", "type=2");
        row("--type 0808_S", "type=3");
        row("--type 5 -h", "type=5 help=1");
        row("--port 0 --upload-port 65535", "control=0 upload=65535");
        row("--latency 3600000", "latency=3600000");
        row("--fault drop:0.05", "drop=50");
        row("--fault garbage,split", "faults=garbage,split drop=0");
        row("--fault split --fault drop:86400", "faults=split drop=86400000");
        row("--listen localhost", "listen=127.0.0.1");
        row("--live --live-interval 10 --seed 9", "live=10 seed=9");
        for (const char *refused :
             {"--colour", "stray", "--port 65536", "--upload-port -1", "--latency -1",
              "--latency 3600001", "--fault explode", "--fault drop:0.04", "--fault drop:86401",
              "--fault drop:x", "--listen device.local", "--type 0809X", "--type 6", "--type",
              "--live-interval 9", "--seed x"})
            row(refused, "");
    }

    void parse()
    {
        QFETCH(QString, args);
        QFETCH(QString, expected);
        SimOptions o;
        QString error;
        const QStringList argv =
            QStringList{"corvane-devicesim"} + args.split(' ', Qt::SkipEmptyParts);
        const bool ok = SimOptions::parse(argv, &o, &error);
        QCOMPARE(ok, !expected.isEmpty());
        QCOMPARE(error.isEmpty(), ok);
        if (!ok)
            return;
        const QStringList faults = QStringList{o.garbage ? "garbage" : "", o.split ? "split" : ""};
        const QStringList fields{
            QString("type=%1").arg(o.type),
            QString("control=%1").arg(o.controlPort),
            QString("upload=%1").arg(o.uploadPort),
            "listen=" + o.listen.toString(),
            "faults=" + faults.filter(QRegularExpression(".")).join(','),
            QString("drop=%1").arg(o.dropEveryMs),
            QString("latency=%1").arg(o.latencyMs),
            QString("live=%1").arg(o.live ? o.liveIntervalMs : -1),
            QString("help=%1").arg(o.help),
            QString("seed=%1").arg(o.seeded ? int(o.seed) : -1),
        };
        for (const QString &field : expected.split(' '))
            QVERIFY2(fields.contains(field), qPrintable(fields.join(' ')));
    }
};

QTEST_GUILESS_MAIN(TestSimOptions)
#include "tst_simoptions.moc"
