#include "commandscanner.h"

#include <QtTest>

class TestCommandScanner : public QObject
{
    Q_OBJECT
private slots:
    void chunks_data();
    void chunks();
    void onlyAnOpenCommandCountsAgainstTheCap();
    void longNoiseIsWorkedThroughInOnePass();
};

// Chunks are separated by '|' in the data; commands are expected in order.
void TestCommandScanner::chunks_data()
{
    QTest::addColumn<QByteArray>("chunks");
    QTest::addColumn<QList<QByteArray>>("commands");
    using L = QList<QByteArray>;
    QTest::newRow("one") << QByteArray("{param=version}") << L{"param=version"};
    QTest::newRow("two in one chunk")
        << QByteArray("{param=status}{param=netInfo}") << L{"param=status", "param=netInfo"};
    QTest::newRow("split in the keyword") << QByteArray("{param=ver|sion}") << L{"param=version"};
    QTest::newRow("split at every byte")
        << QByteArray("{|p|a|r|a|m|=|D|o|n|e|}") << L{"param=Done"};
    QTest::newRow("line ends of a typed session")
        << QByteArray("{param=version}\r\n|{param=status}\n") << L{"param=version", "param=status"};
    QTest::newRow("noise between")
        << QByteArray("xx}}{param=a}yy|zz{param=b}") << L{"param=a", "param=b"};
    QTest::newRow("second opening brace restarts")
        << QByteArray("{param=x{param=y}") << L{"param=y"};
    QTest::newRow("never closed") << QByteArray("{param=version") << L{};
    QTest::newRow("no braces at all") << QByteArray("hello|world") << L{};
}

void TestCommandScanner::chunks()
{
    QFETCH(QByteArray, chunks);
    QFETCH(QList<QByteArray>, commands);
    CommandScanner scanner;
    QList<QByteArray> got;
    for (const QByteArray &chunk : chunks.split('|'))
        got += scanner.feed(chunk);
    QCOMPARE(got, commands);
}

void TestCommandScanner::onlyAnOpenCommandCountsAgainstTheCap()
{
    CommandScanner small(100);
    for (int i = 0; i < 50; ++i)
        QVERIFY(small.feed(QByteArray(90, 'n')).isEmpty());
    QCOMPARE(small.droppedBytes(), qint64(0));
    QVERIFY(small.feed("{param=st").isEmpty());
    QCOMPARE(small.pendingBytes(), 9);
    QCOMPARE(small.feed("atus}"), QList<QByteArray>{"param=status"});

    CommandScanner scanner(1024);
    QVERIFY(scanner.feed("{param=" + QByteArray(600, 'x')).isEmpty());
    QCOMPARE(scanner.pendingBytes(), 607);
    QVERIFY(scanner.feed(QByteArray(600, 'y')).isEmpty());
    QCOMPARE(scanner.droppedBytes(), qint64(1207));
    QCOMPARE(scanner.pendingBytes(), 0);
    // The rest of the over-long command is noise; the next command is read.
    QCOMPARE(scanner.feed("zzz}{param=version}"), QList<QByteArray>{"param=version"});
}

void TestCommandScanner::longNoiseIsWorkedThroughInOnePass()
{
    // Megabytes of stray braces, with pairs spanning the chunk borders.
    CommandScanner scanner;
    const QByteArray noise = QByteArray("}{x").repeated(300);
    int found = 0;
    for (int i = 0; i < 4000; ++i)
        found += scanner.feed(noise).size();
    QCOMPARE(found, 4000 * 299 + 3999); // every "{x}" pair, including those across chunks
    QCOMPARE(scanner.feed("}{param=version}").last(), QByteArray("param=version"));

    // An open command fed a byte at a time, just under the cap: a scanner that looked at the
    // held bytes again on every read would take seconds here instead of milliseconds.
    QVERIFY(scanner.feed("{").isEmpty());
    for (int i = 0; i < CommandScanner::DefaultCap - 2; ++i)
        scanner.feed("a");
    const QList<QByteArray> last = scanner.feed("}");
    QCOMPARE(last.size(), 1);
    QCOMPARE(last.first().size(), CommandScanner::DefaultCap - 2);
    QCOMPARE(scanner.droppedBytes(), qint64(0));
}

QTEST_GUILESS_MAIN(TestCommandScanner)
#include "tst_commandscanner.moc"
