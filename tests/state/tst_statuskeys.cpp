// Reading ports, values and echoed commands out of the device's report keys.
#include "state/statuskeys.h"

#include <QTest>

using namespace StatusKeys;

class TestStatusKeys : public QObject
{
    Q_OBJECT

private slots:
    void portOfKey_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("port");
        // Plain ports and multiview windows are read through the main window's routing report.
        auto row = [](const char *name, const char *key, const char *word, bool taken, int port) {
            QTest::newRow(name) << QString(key) << QString(word) << taken << port;
        };
        row("word twice leaves one piece", "videovideo4", "video", true, 4);
        row("text after the port", "in2x", "in", true, 0);
        row("two pieces skipped", "link2link3", "link", false, 0);
        row("no piece skipped", "Volume", "Volume", false, 0);
        row("word inside the port text", "hdcp_in7", "hdcp_in", true, 7);
    }

    void portOfKey()
    {
        QFETCH(QString, key);
        QFETCH(QString, word);
        QFETCH(bool, taken);
        QFETCH(int, port);
        int got = -1;
        QCOMPARE(portOf(key, word, &got), taken);
        if (taken)
            QCOMPARE(got, port);
    }

    void valuesAsTextNumberAndFlag_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("flag");
        QTest::newRow("number text") << QJsonValue("12") << "12" << 12 << false;
        QTest::newRow("garbage text reads 0") << QJsonValue("abc") << "abc" << 0 << false;
        QTest::newRow("json true") << QJsonValue(true) << "true" << 0 << true;
        QTest::newRow("TRUE is not true") << QJsonValue("TRUE") << "TRUE" << 0 << false;
        QTest::newRow("null") << QJsonValue() << "" << 0 << false;
    }

    void valuesAsTextNumberAndFlag()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, text);
        QFETCH(int, number);
        QFETCH(bool, flag);
        QCOMPARE(valueText(value), text);
        QCOMPARE(valueNumber(value), number);
        QCOMPARE(valueIsTrue(value), flag);
    }

    void changedPortWithoutSuffixOrNumber()
    {
        QCOMPARE(changedPort(QStringLiteral("IR2"), QStringLiteral("IR")), 2);
        QCOMPARE(changedPort(QStringLiteral("audio_change"), QStringLiteral("audio")), 0);
    }

    void echo_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("value");
        auto row = [](const char *name, const char *text, const char *kw, int port,
                      const char *value) {
            QTest::newRow(name) << QString(text) << QString(kw) << port << QString(value);
        };
        row("resolution", "Port2/1920x1080x60Hz!", "Port", 2, "1920x1080x60Hz");
        row("no value", "MuteOn104", "MuteOn", 104, "");
        row("extra slashes dropped", "Volume5/3/0!", "Volume", 5, "30");
    }

    void echo()
    {
        QFETCH(QString, text);
        QFETCH(QString, keyword);
        QFETCH(int, port);
        QFETCH(QString, value);
        const Echo e = parseEcho(text, keyword);
        QCOMPARE(e.port, port);
        QCOMPARE(e.value, value);
    }

    void spliceModes()
    {
        QCOMPARE(spliceModeOutputs(0), QList<int>{1});
        QCOMPARE(spliceModeOutputs(3), (QList<int>{1, 2, 5, 6}));
        QCOMPARE(spliceModeOutputs(5).size(), 8);
        // Anything outside the six modes falls back to the single output.
        QCOMPARE(spliceModeOutputs(6), QList<int>{1});
        QCOMPARE(spliceModeOutputs(-1), QList<int>{1});
    }
};

QTEST_GUILESS_MAIN(TestStatusKeys)
#include "tst_statuskeys.moc"
