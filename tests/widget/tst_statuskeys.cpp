// Reading ports, values and echoed commands out of the device's report keys.
#include "mainwindow/statuskeys.h"

#include <QTest>

using namespace StatusKeys;

class TestStatusKeys : public QObject
{
    Q_OBJECT

private slots:
    void portOfKey_data();
    void portOfKey();
    void valuesAsTextNumberAndFlag_data();
    void valuesAsTextNumberAndFlag();
    void changedPort_data();
    void changedPort();
    void echo_data();
    void echo();
    void spliceModes();
};

void TestStatusKeys::portOfKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("port");
    QTest::newRow("plain") << "video3"
                           << "video" << true << 3;
    QTest::newRow("multiview windows") << "video900"
                                       << "video" << true << 900;
    QTest::newRow("word twice leaves one piece") << "videovideo4"
                                                 << "video" << true << 4;
    QTest::newRow("text after the port") << "in2x"
                                         << "in" << true << 0;
    QTest::newRow("two pieces skipped") << "link2link3"
                                        << "link" << false << 0;
    QTest::newRow("no piece skipped") << "Volume"
                                      << "Volume" << false << 0;
    QTest::newRow("word inside the port text") << "hdcp_in7"
                                               << "hdcp_in" << true << 7;
}

void TestStatusKeys::portOfKey()
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

void TestStatusKeys::valuesAsTextNumberAndFlag_data()
{
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("flag");
    QTest::newRow("number") << QJsonValue(5) << "5" << 5 << false;
    QTest::newRow("number text") << QJsonValue("12") << "12" << 12 << false;
    QTest::newRow("garbage text reads 0") << QJsonValue("abc") << "abc" << 0 << false;
    QTest::newRow("true text") << QJsonValue("true") << "true" << 0 << true;
    QTest::newRow("json true") << QJsonValue(true) << "true" << 0 << true;
    QTest::newRow("TRUE is not true") << QJsonValue("TRUE") << "TRUE" << 0 << false;
    QTest::newRow("null") << QJsonValue() << "" << 0 << false;
}

void TestStatusKeys::valuesAsTextNumberAndFlag()
{
    QFETCH(QJsonValue, value);
    QFETCH(QString, text);
    QFETCH(int, number);
    QFETCH(bool, flag);
    QCOMPARE(valueText(value), text);
    QCOMPARE(valueNumber(value), number);
    QCOMPARE(valueIsTrue(value), flag);
}

void TestStatusKeys::changedPort_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("port");
    QTest::newRow("notice") << "video6_change"
                            << "video" << 6;
    QTest::newRow("multiview window") << "video905_change"
                                      << "video" << 905;
    QTest::newRow("no suffix") << "IR2"
                               << "IR" << 2;
    QTest::newRow("no number") << "audio_change"
                               << "audio" << 0;
}

void TestStatusKeys::changedPort()
{
    QFETCH(QString, key);
    QFETCH(QString, word);
    QFETCH(int, port);
    QCOMPARE(StatusKeys::changedPort(key, word), port);
}

void TestStatusKeys::echo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("value");
    QTest::newRow("lock") << "Output_Lock3/1!"
                          << "Output_Lock" << 3 << "1";
    QTest::newRow("resolution") << "Port2/1920x1080x60Hz!"
                                << "Port" << 2 << "1920x1080x60Hz";
    QTest::newRow("no value") << "MuteOn104"
                              << "MuteOn" << 104 << "";
    QTest::newRow("extra slashes dropped") << "Volume5/3/0!"
                                           << "Volume" << 5 << "30";
}

void TestStatusKeys::echo()
{
    QFETCH(QString, text);
    QFETCH(QString, keyword);
    QFETCH(int, port);
    QFETCH(QString, value);
    const Echo e = parseEcho(text, keyword);
    QCOMPARE(e.port, port);
    QCOMPARE(e.value, value);
}

void TestStatusKeys::spliceModes()
{
    QCOMPARE(spliceModeOutputs(0), QList<int>{1});
    QCOMPARE(spliceModeOutputs(3), (QList<int>{1, 2, 5, 6}));
    QCOMPARE(spliceModeOutputs(5).size(), 8);
    // Anything outside the six modes falls back to the single output.
    QCOMPARE(spliceModeOutputs(6), QList<int>{1});
    QCOMPARE(spliceModeOutputs(-1), QList<int>{1});
}

QTEST_GUILESS_MAIN(TestStatusKeys)
#include "tst_statuskeys.moc"
