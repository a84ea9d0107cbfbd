#include "simoptions.h"

#include <QtTest>

class TestSimOptions : public QObject
{
    Q_OBJECT
private slots:
    void defaults();
    void models_data();
    void models();
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
};

void TestSimOptions::defaults()
{
    SimOptions o;
    QString error;
    QVERIFY(SimOptions::parse({"corvane-devicesim"}, &o, &error));
    QCOMPARE(int(o.type), int(Dev0809));
    QCOMPARE(o.controlPort, quint16(5050));
    QCOMPARE(o.uploadPort, quint16(6666));
    QCOMPARE(o.listen, QHostAddress(QHostAddress::LocalHost));
    QVERIFY(!o.garbage && !o.split && !o.live && !o.help);
    QCOMPARE(o.dropEveryMs, 0);
    QCOMPARE(o.latencyMs, 0);
}

void TestSimOptions::models_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("type");
    QTest::newRow("index 0") << "0" << int(Dev0808);
    QTest::newRow("report spelling") << "0409-S" << int(Dev0409S);
    QTest::newRow("settings spelling") << "0808_S" << int(Dev0808S);
    QTest::newRow("index 6 is no model") << "6" << -1;
    QTest::newRow("unknown model") << "0410" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestSimOptions::models()
{
    QFETCH(QString, text);
    QFETCH(int, type);
    DeviceType parsed = Dev0809;
    QCOMPARE(SimOptions::parseModel(text, &parsed), type >= 0);
    if (type >= 0)
        QCOMPARE(int(parsed), type);
}

void TestSimOptions::accepted_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("port 0 picks a free port")
        << QStringList{"--port", "0"} << "control" << QVariant(0);
    QTest::newRow("latency") << QStringList{"--latency", "250"} << "latency" << QVariant(250);
    QTest::newRow("drop with decimals")
        << QStringList{"--fault", "drop:0.25"} << "drop" << QVariant(250);
    QTest::newRow("faults combined")
        << QStringList{"--fault", "garbage,split"} << "faults" << QVariant("garbage split");
    QTest::newRow("faults repeated") << QStringList{"--fault", "split", "--fault", "drop:1"}
                                     << "faults" << QVariant("split drop");
    QTest::newRow("listen localhost")
        << QStringList{"--listen", "localhost"} << "listen" << QVariant("127.0.0.1");
    QTest::newRow("live") << QStringList{"--live", "--live-interval", "50"} << "live"
                          << QVariant(50);
}

void TestSimOptions::accepted()
{
    QFETCH(QStringList, args);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    SimOptions o;
    QString error;
    QVERIFY2(SimOptions::parse(QStringList{"corvane-devicesim"} + args, &o, &error),
             qPrintable(error));
    QStringList faults;
    if (o.garbage)
        faults << "garbage";
    if (o.split)
        faults << "split";
    if (o.dropEveryMs)
        faults << "drop";
    const QMap<QString, QVariant> fields{
        {"control", o.controlPort},
        {"upload", o.uploadPort},
        {"latency", o.latencyMs},
        {"drop", o.dropEveryMs},
        {"faults", faults.join(' ')},
        {"listen", o.listen.toString()},
        {"live", o.live ? o.liveIntervalMs : -1},
        {"help", o.help},
    };
    QCOMPARE(fields.value(field).toString(), value.toString());
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
    QTest::newRow("bad model") << QStringList{"--type", "0809X"};
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
