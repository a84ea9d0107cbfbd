#include "simoptions.h"

#include <QtTest>

class TestSimOptions : public QObject
{
    Q_OBJECT
private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
};

// The arguments after the program name, and fields as read back ("key=value", space-separated).
void TestSimOptions::accepted_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected");
    QTest::newRow("defaults") << QStringList{}
                              << "type=1 control=5050 upload=6666 listen=127.0.0.1 faults= "
                                 "drop=0 latency=0 live=-1 help=0";
    QTest::newRow("model by index") << QStringList{"--type", "0"} << "type=0";
    QTest::newRow("model as reported") << QStringList{"--type", "0409-S"} << "type=2";
    QTest::newRow("model as in settings") << QStringList{"--type", "0808_S"} << "type=3";
    QTest::newRow("port 0 picks a free port") << QStringList{"--port", "0"} << "control=0";
    QTest::newRow("latency") << QStringList{"--latency", "250"} << "latency=250";
    QTest::newRow("drop with decimals") << QStringList{"--fault", "drop:0.25"} << "drop=250";
    QTest::newRow("faults combined")
        << QStringList{"--fault", "garbage,split"} << "faults=garbage,split drop=0";
    QTest::newRow("faults repeated")
        << QStringList{"--fault", "split", "--fault", "drop:1"} << "faults=split drop=1000";
    QTest::newRow("listen localhost") << QStringList{"--listen", "localhost"} << "listen=127.0.0.1";
    QTest::newRow("live") << QStringList{"--live", "--live-interval", "50"} << "live=50";
}

void TestSimOptions::accepted()
{
    QFETCH(QStringList, args);
    QFETCH(QString, expected);
    SimOptions o;
    QString error;
    QVERIFY2(SimOptions::parse(QStringList{"corvane-devicesim"} + args, &o, &error),
             qPrintable(error));
    QStringList faults;
    if (o.garbage)
        faults << "garbage";
    if (o.split)
        faults << "split";
    const QStringList fields{
        QString("type=%1").arg(o.type),
        QString("control=%1").arg(o.controlPort),
        QString("upload=%1").arg(o.uploadPort),
        "listen=" + o.listen.toString(),
        "faults=" + faults.join(','),
        QString("drop=%1").arg(o.dropEveryMs),
        QString("latency=%1").arg(o.latencyMs),
        QString("live=%1").arg(o.live ? o.liveIntervalMs : -1),
        QString("help=%1").arg(o.help),
    };
    for (const QString &field : expected.split(' '))
        QVERIFY2(fields.contains(field), qPrintable(fields.join(' ')));
}

void TestSimOptions::refused_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("unknown option") << QStringList{"--colour"};
    QTest::newRow("port too large") << QStringList{"--port", "65536"};
    QTest::newRow("negative latency") << QStringList{"--latency", "-1"};
    QTest::newRow("unknown fault") << QStringList{"--fault", "explode"};
    QTest::newRow("drop of zero seconds") << QStringList{"--fault", "drop:0"};
    QTest::newRow("host name") << QStringList{"--listen", "device.local"};
    QTest::newRow("unknown model") << QStringList{"--type", "0809X"};
    QTest::newRow("index 6 is no model") << QStringList{"--type", "6"};
    QTest::newRow("empty model") << QStringList{"--type", ""};
}

void TestSimOptions::refused()
{
    QFETCH(QStringList, args);
    SimOptions o;
    QString error;
    QVERIFY(!SimOptions::parse(QStringList{"corvane-devicesim"} + args, &o, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestSimOptions)
#include "tst_simoptions.moc"
